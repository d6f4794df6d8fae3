#pragma once
// Numbers as the program reads, rounds and writes them.
#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>

// The general numeric test: optional blanks, an optional sign, digits with at most one decimal
// point (at least one digit), an optional exponent (E or D, optional sign, digits), optional
// blanks. Nothing else.
bool IsNumeric(std::string_view s);
// The numeric value of a text that passes IsNumeric (0 for any other text).
double NumericValue(std::string_view s);
// The leading-number reader: the number at the start of the text, stopping at the first
// character that cannot continue a number ("12abc" is 12); "" and "abc" are 0. Leading blanks
// are skipped.
double LeadingNumber(std::string_view s);

// Rounds to the nearest whole number, halves to the even neighbour.
double RoundHalfEven(double v);
// Rounds half to even and converts; no value when the result does not fit (an overflow).
std::optional<std::uint8_t> RoundToByte(double v);   // 0 to 255
std::optional<std::int16_t> RoundToInt16(double v);  // -32768 to 32767
std::optional<std::int32_t> RoundToInt32(double v);  // -2147483648 to 2147483647

// 128-bit whole numbers, for exact intermediates such as products of amounts.
__extension__ using WideInt = __int128;
// num / den rounded half to even (den may be negative; it must not be 0).
WideInt DivideHalfEven(WideInt num, WideInt den);

// An exact fixed-point amount with four decimal places (a 64-bit scaled integer).
class Amount {
public:
    static constexpr std::int64_t kScale = 10000;
    constexpr Amount() = default;
    static constexpr Amount FromScaled(std::int64_t scaled) {
        Amount a;
        a.scaled_ = scaled;
        return a;
    }
    static constexpr Amount FromWhole(std::int64_t whole) { return FromScaled(whole * kScale); }
    // Rounds half to even at the fourth decimal.
    static Amount FromDouble(double v);

    constexpr std::int64_t Scaled() const { return scaled_; }
    double ToDouble() const { return static_cast<double>(scaled_) / kScale; }
    // Whole-number conversions, halves to even; no value on overflow.
    std::optional<std::int32_t> ToInt32() const;
    std::optional<std::int16_t> ToInt16() const;
    // The whole part, toward zero.
    constexpr std::int64_t WholePart() const { return scaled_ / kScale; }

    constexpr Amount operator+(Amount o) const { return FromScaled(scaled_ + o.scaled_); }
    constexpr Amount operator-(Amount o) const { return FromScaled(scaled_ - o.scaled_); }
    constexpr Amount operator-() const { return FromScaled(-scaled_); }
    constexpr Amount& operator+=(Amount o) {
        scaled_ += o.scaled_;
        return *this;
    }
    constexpr Amount& operator-=(Amount o) {
        scaled_ -= o.scaled_;
        return *this;
    }
    constexpr Amount operator*(std::int64_t k) const { return FromScaled(scaled_ * k); }
    // Amount times amount, exact product rounded half to even at the fourth decimal.
    Amount operator*(Amount o) const;
    // Amount divided by amount, rounded half to even at the fourth decimal. Divisor must not be 0.
    Amount operator/(Amount o) const;
    constexpr auto operator<=>(const Amount&) const = default;

private:
    std::int64_t scaled_ = 0;
};

// General number format: a whole number plainly ("12", "-3"); a fraction with the digits it
// needs and no trailing zeros ("12.5"); no separators.
std::string FormatGeneral(double v);
std::string FormatGeneral(Amount a);
std::string FormatGeneral(std::int64_t v);
// A fixed number of decimals with at least one digit before the point, as the formats
// "#####0.0" (1) and "######0.00" (2); halves are rounded away from zero like the format
// function of the original platform.
std::string FormatFixed(double v, int decimals);
std::string FormatFixed(Amount a, int decimals);

// The current text: "0 mA" for 0; below 10000 µA (negative amounts included) the amount in the
// general number format and " µA"; otherwise whole mA, (amount + 500) / 1000 with the remainder
// dropped, and " mA".
std::string CurrentText(Amount microamps);

// 0, 1, 2 ... N-1: every address, or slot, at its own number. Copying it resets a table in one
// go.
template <typename T, std::size_t N>
const std::array<T, N>& OwnNumbers() {
    static const auto numbers = [] {
        std::array<T, N> a{};
        std::iota(a.begin(), a.end(), T{0});
        return a;
    }();
    return numbers;
}
