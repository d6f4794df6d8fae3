#include "shell/DecimalText.h"

#include <cstdint>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whole parts beyond this are refused, which keeps the scaled value far inside 64 bits.
constexpr std::int64_t kLargestWholePart = 100'000'000'000'000;

}  // namespace

std::optional<Amount> ParseDecimalAmount(std::string_view text) {
    std::size_t i = 0, end = text.size();
    while (i < end && IsBlank(text[i]))
        ++i;
    while (end > i && IsBlank(text[end - 1]))
        --end;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    std::int64_t whole = 0;
    bool anyDigit = false;
    for (; i < end && IsDigit(text[i]); ++i) {
        whole = whole * 10 + (text[i] - '0');
        if (whole > kLargestWholePart) return std::nullopt;
        anyDigit = true;
    }
    std::int64_t fraction = 0;
    if (i < end && text[i] == '.') {
        ++i;
        int decimals = 0;
        for (; i < end && IsDigit(text[i]); ++i, ++decimals) {
            anyDigit = true;
            if (decimals < 4)
                fraction = fraction * 10 + (text[i] - '0');
            else if (text[i] != '0')
                return std::nullopt;
        }
        for (; decimals < 4; ++decimals)
            fraction *= 10;
    }
    if (!anyDigit || i != end) return std::nullopt;
    const std::int64_t scaled = whole * Amount::kScale + fraction;
    return Amount::FromScaled(negative ? -scaled : scaled);
}
