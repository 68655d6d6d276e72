#include "common/key_sequence.h"

#include <cstddef>
#include <utility>

namespace vantero {

namespace {

// Plain decimal digits, 0 to 255. Checks the range digit by digit so long strings cannot wrap.
std::optional<std::uint8_t> parse_code(std::string_view field) {
    if (field.empty()) return std::nullopt;
    int value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 255) return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> parse_key_sequence(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = text.find('|', start);
        if (bar == std::string_view::npos) {
            fields.push_back(text.substr(start));
            break;
        }
        fields.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }

    std::size_t count = 0;
    if (fields[0] == "1") {
        count = 1;
    } else if (fields[0] == "2") {
        count = 2;
    } else if (fields[0] == "3") {
        count = 3;
    } else {
        return std::nullopt;
    }
    if (fields.size() < count + 1) return std::nullopt;

    std::vector<std::uint8_t> codes;
    codes.reserve(count);
    for (std::size_t i = 1; i <= count; ++i) {
        auto code = parse_code(fields[i]);
        if (!code) return std::nullopt;
        codes.push_back(*code);
    }
    return codes;
}

}  // namespace vantero

namespace vantero {

std::optional<TargetKeys> TargetKeys::of(std::vector<std::uint8_t> codes) {
    if (codes.empty() || codes.size() > kMaxKeys) return std::nullopt;
    return TargetKeys(std::move(codes));
}

std::optional<TargetKeys> TargetKeys::parse(std::string_view text) {
    auto codes = parse_key_sequence(text);
    if (!codes) return std::nullopt;
    return TargetKeys(std::move(*codes));
}

std::string TargetKeys::text() const {
    std::string text = std::to_string(codes_.size());
    for (const std::uint8_t code : codes_) {
        text += '|';
        text += std::to_string(code);
    }
    return text;
}

}  // namespace vantero
