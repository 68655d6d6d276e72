#pragma once
// A row's target keys, and the key-sequence string set.ini keeps them as: "count|code|code..."
// such as "2|17|65".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantero {

// The virtual-key codes to press, in pressing order (one to three of them), or nothing when the
// string is not a complete, valid sequence. The count must be exactly "1", "2" or "3"; each of
// the first count codes must be plain decimal digits with a value of 0 to 255; fields after them
// are ignored ("1|65|66" gives {65}). The empty string gives nothing.
std::optional<std::vector<std::uint8_t>> parse_key_sequence(std::string_view text);

// One to three virtual-key codes in pressing order: a row's target keys, valid by construction.
class TargetKeys {
public:
    static constexpr std::size_t kMaxKeys = 3;

    // Nothing for fewer than one or more than three codes.
    static std::optional<TargetKeys> of(std::vector<std::uint8_t> codes);
    // As parse_key_sequence reads the string.
    static std::optional<TargetKeys> parse(std::string_view text);

    const std::vector<std::uint8_t>& codes() const { return codes_; }
    // The key-sequence string: "2|17|65".
    std::string text() const;

    bool operator==(const TargetKeys&) const = default;

private:
    explicit TargetKeys(std::vector<std::uint8_t> codes) : codes_(std::move(codes)) {}
    std::vector<std::uint8_t> codes_;
};

}  // namespace vantero
