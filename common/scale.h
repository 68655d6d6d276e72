#pragma once
// Lengths of the layouts (pixels at 96 dpi, or twips) at a screen's actual resolution.

namespace vantero {

inline constexpr int kBaseDpi = 96;
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kPointsPerInch = 72;

// value * numerator / denominator, rounded half away from zero as the system's MulDiv rounds.
constexpr int mul_div(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}

class Scale {
public:
    constexpr Scale() = default;
    constexpr explicit Scale(int dpi) : dpi_(dpi > 0 ? dpi : kBaseDpi) {}

    constexpr int dpi() const { return dpi_; }
    // A length in pixels at 96 dpi; 96 dpi keeps every length as it is.
    constexpr int px(int at_96_dpi) const { return mul_div(at_96_dpi, dpi_, kBaseDpi); }
    // A length in twips (1440 to the inch).
    constexpr int twips(int value) const { return mul_div(value, dpi_, kTwipsPerInch); }

    // A font's height in pixels from its size in points, rounded half up as the system's MulDiv
    // rounds (for whole points both ways of rounding agree).
    constexpr int points(double size) const {
        return static_cast<int>(size * dpi_ / kPointsPerInch + 0.5);
    }

private:
    int dpi_ = kBaseDpi;
};

// The pictures are drawn at 100, 125, 150 and 200 percent.
inline constexpr int kPictureDpis[] = {96, 120, 144, 192};
inline constexpr int kPictureScaleCount = 4;

// Index into kPictureDpis of the set drawn nearest to dpi; between two, the larger, since a
// picture shrinks with less loss than it grows.
constexpr int nearest_picture_scale(int dpi) {
    auto distance = [dpi](int i) {
        return dpi < kPictureDpis[i] ? kPictureDpis[i] - dpi : dpi - kPictureDpis[i];
    };
    int best = 0;
    for (int i = 1; i < kPictureScaleCount; ++i) {
        if (distance(i) <= distance(best)) best = i;
    }
    return best;
}

}  // namespace vantero
