#include "shell/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

TEST(NumericTest, AcceptsSignsDecimalsExponentsAndSurroundingBlanks) {
    for (const char* s : {"+4", ".5", "5.", "\t8 ", "2.5e-2", "1D2"})
        EXPECT_TRUE(IsNumeric(s)) << s;
    for (const char* s : {"", " ", "12abc", "1.2.3", "--1", ".", "1e", "1 2", "1,5", "1e999"})
        EXPECT_FALSE(IsNumeric(s)) << s;
    EXPECT_DOUBLE_EQ(NumericValue(" 2.5e1 "), 25.0);
    EXPECT_EQ(NumericValue("abc"), 0.0);
}

TEST(NumericTest, LeadingNumbersAndRoundingHalfToEven) {
    // The leading number stops at the first character that cannot continue it; an exponent
    // without digits is not part of the number.
    const std::vector<std::pair<std::string, double>> leading = {
        {"abc", 0}, {"  -3.5kg", -3.5}, {"1e2x", 100}, {"7e", 7}};
    for (const auto& [text, value] : leading)
        EXPECT_EQ(LeadingNumber(text), value) << text;
    const std::vector<std::pair<double, double>> halves = {
        {0.5, 0}, {1.5, 2}, {-2.5, -2}, {2.5000001, 3}};
    for (const auto& [value, rounded] : halves)
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
    // Whole-number conversions refuse what does not fit after rounding.
    EXPECT_EQ(std::make_tuple(RoundToByte(255.4), RoundToByte(255.5), RoundToByte(-0.5),
                              RoundToByte(-0.6)),
              std::make_tuple(std::optional<std::uint8_t>(255), std::optional<std::uint8_t>(),
                              std::optional<std::uint8_t>(0), std::optional<std::uint8_t>()));
    EXPECT_EQ(RoundToInt16(32767.5), std::nullopt);  // rounds to 32768
    EXPECT_EQ(RoundToInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(RoundToInt32(-2147483648.5), -2147483648LL);
    EXPECT_EQ(RoundToInt32(1e300), std::nullopt);
    EXPECT_EQ(RoundToInt32(std::nan("")), std::nullopt);
}

// Four decimals, halves to even: 1.23455 is slightly above half in binary; 0.0001 x 0.5 =
// 0.00005 -> 0 and 0.0003 x 0.5 = 0.00015 -> 0.0002.
TEST(AmountTest, ArithmeticIsExactAndRoundsHalfToEvenAtTheFourthDecimal) {
    EXPECT_EQ(
        std::make_tuple(Amount::FromDouble(1.23455).Scaled(), Amount::FromDouble(0.00005).Scaled(),
                        Amount::FromDouble(0.00015).Scaled()),
        std::make_tuple(12346, 0, 2));
    Amount sum;
    for (int i = 0; i < 10; ++i)
        sum += Amount::FromDouble(0.1);
    EXPECT_EQ(sum, Amount::FromWhole(1));
    EXPECT_EQ(std::make_tuple((Amount::FromScaled(1) * Amount::FromDouble(0.5)).Scaled(),
                              (Amount::FromScaled(3) * Amount::FromDouble(0.5)).Scaled(),
                              (Amount::FromWhole(2) / Amount::FromWhole(3)).Scaled()),
              std::make_tuple(0, 2, 6667));
    EXPECT_THROW(Amount::FromWhole(1) / Amount{}, std::domain_error);
    EXPECT_EQ(Amount::FromDouble(2.5).ToInt32(), 2);
    EXPECT_EQ(Amount::FromWhole(40000).ToInt16(), std::nullopt);
}

TEST(FormatTest, GeneralFixedAndCurrentTexts) {
    EXPECT_EQ(std::make_tuple(FormatGeneral(std::int64_t{-42}),
                              FormatGeneral(Amount::FromDouble(-0.0001)), FormatGeneral(328.0),
                              FormatGeneral(1e20)),
              std::make_tuple("-42", "-0.0001", "328", "1E+20"));
    // Fixed decimals round the decimal value (not the binary one) half away from zero, and a
    // zero result has no minus sign.
    EXPECT_EQ(std::make_tuple(FormatFixed(18.1, 2), FormatFixed(-12.25, 1), FormatFixed(2.675, 2),
                              FormatFixed(-0.04, 1), FormatFixed(Amount::FromDouble(-1.5), 0)),
              std::make_tuple("18.10", "-12.3", "2.68", "0.0", "-2"));
    // Microamps below ten milliamps, whole milliamps from there.
    const std::string uA =
        " \xC2\xB5"
        "A";
    EXPECT_EQ(std::make_tuple(CurrentText(Amount{}), CurrentText(Amount::FromDouble(9999.9999)),
                              CurrentText(Amount::FromWhole(10499)),
                              CurrentText(Amount::FromWhole(10500)),
                              CurrentText(Amount::FromWhole(-50000))),
              std::make_tuple("0 mA", "9999.9999" + uA, "10 mA", "11 mA", "-50000" + uA));
}
