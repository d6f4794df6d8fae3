#include "shell/Numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <stdexcept>

#include "shell/Text.h"

namespace {

// 128-bit intermediates keep products of two amounts exact.
using Wide = WideInt;
__extension__ using UWide = unsigned __int128;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Length of the number that starts at s[i] (sign, digits, point, exponent), 0 when none does.
std::size_t ScanNumber(std::string_view s, std::size_t i, bool& sawDigit) {
    const std::size_t start = i;
    sawDigit = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        sawDigit = true;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            sawDigit = true;
        }
    }
    if (!sawDigit) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j]))
                ++j;
            i = j;
        }
    }
    return i - start;
}

double ParseScanned(std::string_view number) {
    std::string text(number);
    for (char& c : text)
        if (c == 'd' || c == 'D') c = 'e';
    return std::strtod(text.c_str(), nullptr);
}

template <typename T>
std::optional<T> RoundTo(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    const double r = RoundHalfEven(v);
    if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
        r > static_cast<double>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(r);
}

// Divides with the quotient rounded half to even.

std::int64_t CheckedScaled(Wide v) {
    if (v > std::numeric_limits<std::int64_t>::max() ||
        v < std::numeric_limits<std::int64_t>::min())
        throw std::overflow_error("fixed-point amount overflow");
    return static_cast<std::int64_t>(v);
}

// Decimal text of a magnitude `scaled` with `places` decimal places, written with `decimals`
// places; halves are rounded away from zero.
std::string FormatScaled(bool negative, UWide scaled, int places, int decimals) {
    if (places > decimals) {
        UWide divisor = 1;
        for (int k = decimals; k < places; ++k)
            divisor *= 10;
        const UWide remainder = scaled % divisor;
        scaled /= divisor;
        if (remainder * 2 >= divisor) ++scaled;
    }
    for (int k = places; k < decimals; ++k)
        scaled *= 10;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(scaled % 10)));
        scaled /= 10;
    } while (scaled != 0);
    while (static_cast<int>(digits.size()) <= decimals)
        digits.insert(digits.begin(), '0');
    std::string out;
    if (negative && digits.find_first_not_of('0') != std::string::npos) out += '-';
    out += digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    if (decimals > 0) {
        out += '.';
        out += digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    }
    return out;
}

}  // namespace

bool IsNumeric(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    bool sawDigit = false;
    const std::size_t len = ScanNumber(s, i, sawDigit);
    if (len == 0) return false;
    std::size_t j = i + len;
    while (j < s.size() && IsBlank(s[j]))
        ++j;
    if (j != s.size()) return false;
    return std::isfinite(ParseScanned(s.substr(i, len)));
}

double NumericValue(std::string_view s) {
    if (!IsNumeric(s)) return 0;
    return LeadingNumber(s);
}

double LeadingNumber(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    bool sawDigit = false;
    const std::size_t len = ScanNumber(s, i, sawDigit);
    if (len == 0) return 0;
    return ParseScanned(s.substr(i, len));
}

double RoundHalfEven(double v) {
    return std::nearbyint(v);
}

std::optional<std::uint8_t> RoundToByte(double v) {
    return RoundTo<std::uint8_t>(v);
}
std::optional<std::int16_t> RoundToInt16(double v) {
    return RoundTo<std::int16_t>(v);
}
std::optional<std::int32_t> RoundToInt32(double v) {
    return RoundTo<std::int32_t>(v);
}

Amount Amount::FromDouble(double v) {
    if (!std::isfinite(v) || std::fabs(v) >= 9.2e14)
        throw std::overflow_error("fixed-point amount overflow");
    // The double is taken as the decimal it stands for (15 significant digits), so that 0.00015
    // is a half and goes to the even 0.0002; then rounded half to even at the fourth decimal.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    const std::string text = buf;
    const auto e = text.find('e');
    const int exponent = std::atoi(text.c_str() + e + 1);
    Wide digits = 0;
    for (char c : text.substr(0, e))
        if (c != '.') digits = digits * 10 + (c - '0');
    // value = digits * 10^(exponent - 14); scaled = value * 10^4
    const int shift = exponent - 14 + 4;
    Wide scaled = digits;
    if (shift >= 0) {
        for (int k = 0; k < shift; ++k)
            scaled *= 10;
    } else if (shift < -30) {
        scaled = 0;
    } else {
        Wide divisor = 1;
        for (int k = 0; k < -shift; ++k)
            divisor *= 10;
        scaled = DivideHalfEven(digits, divisor);
    }
    return FromScaled(CheckedScaled(v < 0 ? -scaled : scaled));
}

std::optional<std::int32_t> Amount::ToInt32() const {
    const Wide whole = DivideHalfEven(scaled_, kScale);
    if (whole < std::numeric_limits<std::int32_t>::min() ||
        whole > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(whole);
}

std::optional<std::int16_t> Amount::ToInt16() const {
    const Wide whole = DivideHalfEven(scaled_, kScale);
    if (whole < std::numeric_limits<std::int16_t>::min() ||
        whole > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

Amount Amount::operator*(Amount o) const {
    return FromScaled(
        CheckedScaled(DivideHalfEven(static_cast<Wide>(scaled_) * o.scaled_, kScale)));
}

Amount Amount::operator/(Amount o) const {
    if (o.scaled_ == 0) throw std::domain_error("division by zero");
    return FromScaled(
        CheckedScaled(DivideHalfEven(static_cast<Wide>(scaled_) * kScale, o.scaled_)));
}

WideInt DivideHalfEven(WideInt num, WideInt den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    WideInt q = num / den;
    WideInt r = num % den;
    if (r < 0) r = -r;
    const WideInt twice = r * 2;
    if (twice > den || (twice == den && (q % 2 != 0))) q += (num < 0) ? -1 : 1;
    return q;
}

std::string FormatGeneral(std::int64_t v) {
    return std::to_string(v);
}

std::string FormatGeneral(Amount a) {
    std::string s = FormatFixed(a, 4);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

std::string FormatGeneral(double v) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v < 0 ? "-Infinity" : "Infinity";
    if (v == 0) return "0";
    if (std::fabs(v) < 1e15 && v == std::trunc(v)) return std::to_string(static_cast<long long>(v));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", v);
    std::string s = buf;
    // Plain form without trailing zeros; an exponent keeps its sign and loses leading zeros.
    const auto e = s.find('E');
    std::string mantissa = e == std::string::npos ? s : s.substr(0, e);
    std::string exponent = e == std::string::npos ? "" : s.substr(e + 1);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() == '.') mantissa.pop_back();
    }
    if (exponent.empty()) return mantissa;
    const char sign = exponent[0];
    std::string digits = exponent.substr(1);
    while (digits.size() > 1 && digits[0] == '0')
        digits.erase(0, 1);
    return mantissa + "E" + sign + digits;
}

std::string FormatFixed(Amount a, int decimals) {
    const std::int64_t s = a.Scaled();
    const bool negative = s < 0;
    const UWide mag = negative ? static_cast<UWide>(-static_cast<Wide>(s)) : static_cast<UWide>(s);
    return FormatScaled(negative, mag, 4, decimals);
}

std::string FormatFixed(double v, int decimals) {
    if (!std::isfinite(v)) return FormatGeneral(v);
    if (std::fabs(v) >= 1e30) {
        char big[400];
        std::snprintf(big, sizeof big, "%.*f", decimals, v);
        return big;
    }
    // The double is first written with 15 significant digits, as the platform's format
    // function does, and that decimal is rounded half away from zero.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    // buf: d.dddddddddddddde[+-]xx
    std::string text = buf;
    const auto e = text.find('e');
    const int exponent = std::atoi(text.c_str() + e + 1);
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);  // 15 digits
    // value = digits * 10^(exponent - 14)
    int places = 14 - exponent;
    if (places < 0) {
        digits.append(static_cast<std::size_t>(-places), '0');
        places = 0;
    }
    if (places > 36) return FormatScaled(v < 0, 0, 0, decimals);
    UWide scaled = 0;
    for (char c : digits)
        scaled = scaled * 10 + static_cast<unsigned>(c - '0');
    return FormatScaled(v < 0, scaled, places, decimals);
}

std::string CurrentText(Amount microamps) {
    if (microamps == Amount{}) return "0 mA";
    if (microamps < Amount::FromWhole(10000))
        return FormatGeneral(microamps) +
               " \xC2\xB5"
               "A";
    // Whole milliamperes: add 500 and divide by 1000, the remainder dropped (the sum is first
    // made a whole number, halves to even).
    const Wide whole = DivideHalfEven(microamps.Scaled() + 500 * Amount::kScale, Amount::kScale);
    return std::to_string(static_cast<long long>(whole / 1000)) + " mA";
}
