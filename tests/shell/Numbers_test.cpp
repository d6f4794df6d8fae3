#include "shell/Numbers.h"

#include <gtest/gtest.h>

#include <random>

TEST(NumericTest, AcceptsSignsDecimalsExponentsAndSurroundingBlanks) {
    for (const char* s : {"0", "12", "-3", "+4", "1.5", ".5", "5.", " 7 ", "\t8", "1e3", "1E+3",
                          "2.5e-2", "1D2", "-0.0"})
        EXPECT_TRUE(IsNumeric(s)) << s;
    for (const char* s :
         {"", " ", "abc", "12abc", "1.2.3", "--1", "+", ".", "1e", "1 2", "1,5", "e5", "1e999"})
        EXPECT_FALSE(IsNumeric(s)) << s;
    EXPECT_DOUBLE_EQ(NumericValue(" 2.5e1 "), 25.0);
    EXPECT_EQ(NumericValue("abc"), 0.0);
}

TEST(NumericTest, LeadingNumberStopsAtFirstCharacterThatCannotContinue) {
    EXPECT_EQ(LeadingNumber("12abc"), 12.0);
    EXPECT_EQ(LeadingNumber(""), 0.0);
    EXPECT_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_EQ(LeadingNumber("  -3.5kg"), -3.5);
    EXPECT_EQ(LeadingNumber("1e2x"), 100.0);
    EXPECT_EQ(LeadingNumber("7e"), 7.0);  // an exponent without digits is not part of the number
    EXPECT_EQ(LeadingNumber("18.1"), 18.1);
}

TEST(RoundingTest, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(1.5), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(-0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3.0);
}

TEST(RoundingTest, WholeNumberConversionsRefuseOverflow) {
    EXPECT_EQ(RoundToByte(255.4), 255);
    EXPECT_FALSE(RoundToByte(255.5));  // 256 after rounding
    EXPECT_EQ(RoundToByte(-0.5), 0);   // rounds to 0, fits
    EXPECT_FALSE(RoundToByte(-0.6));
    EXPECT_EQ(RoundToInt16(32767.5), std::nullopt);  // rounds to 32768
    EXPECT_EQ(RoundToInt16(32766.5), 32766);
    EXPECT_EQ(RoundToInt16(-32768.5), -32768);
    EXPECT_EQ(RoundToInt16(-32769.0), std::nullopt);
    EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
    EXPECT_EQ(RoundToInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(RoundToInt32(-2147483648.5), -2147483648LL);
    EXPECT_EQ(RoundToInt32(1e300), std::nullopt);
    EXPECT_EQ(RoundToInt32(std::nan("")), std::nullopt);
}

TEST(AmountTest, FromDoubleRoundsHalfToEvenAtTheFourthDecimal) {
    EXPECT_EQ(Amount::FromDouble(1.23455).Scaled(), 12346);  // binary value slightly above half
    EXPECT_EQ(Amount::FromDouble(0.00005).Scaled(), 0);      // half -> even (0)
    EXPECT_EQ(Amount::FromDouble(0.00015).Scaled(), 2);      // half -> even (2)
    EXPECT_EQ(Amount::FromDouble(-0.00015).Scaled(), -2);
    EXPECT_EQ(Amount::FromDouble(12.5).Scaled(), 125000);
}

TEST(AmountTest, ArithmeticIsExact) {
    Amount sum;
    for (int i = 0; i < 10; ++i)
        sum += Amount::FromDouble(0.1);
    EXPECT_EQ(sum, Amount::FromWhole(1));
    EXPECT_EQ((Amount::FromDouble(1.5) * Amount::FromDouble(1.5)).Scaled(), 22500);
    // 0.0001 * 0.5 = 0.00005 -> half to even -> 0.0000; 0.0003 * 0.5 = 0.00015 -> 0.0002
    EXPECT_EQ((Amount::FromScaled(1) * Amount::FromDouble(0.5)).Scaled(), 0);
    EXPECT_EQ((Amount::FromScaled(3) * Amount::FromDouble(0.5)).Scaled(), 2);
    EXPECT_EQ((Amount::FromWhole(1) / Amount::FromWhole(3)).Scaled(), 3333);
    EXPECT_EQ((Amount::FromWhole(2) / Amount::FromWhole(3)).Scaled(), 6667);
    EXPECT_THROW(Amount::FromWhole(1) / Amount{}, std::domain_error);
    EXPECT_EQ(Amount::FromDouble(2.5).ToInt32(), 2);
    EXPECT_EQ(Amount::FromDouble(3.5).ToInt32(), 4);
    EXPECT_EQ(Amount::FromDouble(-2.5).ToInt32(), -2);
    EXPECT_EQ(Amount::FromWhole(40000).ToInt16(), std::nullopt);
}

TEST(FormatTest, GeneralNumberFormat) {
    EXPECT_EQ(FormatGeneral(std::int64_t{0}), "0");
    EXPECT_EQ(FormatGeneral(std::int64_t{-42}), "-42");
    EXPECT_EQ(FormatGeneral(Amount::FromDouble(12.5)), "12.5");
    EXPECT_EQ(FormatGeneral(Amount::FromDouble(-0.0001)), "-0.0001");
    EXPECT_EQ(FormatGeneral(Amount::FromWhole(9999)), "9999");
    EXPECT_EQ(FormatGeneral(328.0), "328");
    EXPECT_EQ(FormatGeneral(0.1), "0.1");
    EXPECT_EQ(FormatGeneral(-2.25), "-2.25");
    EXPECT_EQ(FormatGeneral(1e20), "1E+20");
}

TEST(FormatTest, FixedDecimalsRoundHalfAwayFromZero) {
    EXPECT_EQ(FormatFixed(18.1, 2), "18.10");
    EXPECT_EQ(FormatFixed(0.0, 1), "0.0");
    EXPECT_EQ(FormatFixed(12.25, 1), "12.3");
    EXPECT_EQ(FormatFixed(-12.25, 1), "-12.3");
    EXPECT_EQ(FormatFixed(2.675, 2), "2.68");  // the decimal value, not the binary one, is rounded
    EXPECT_EQ(FormatFixed(-0.04, 1), "0.0");   // no minus sign on a zero result
    EXPECT_EQ(FormatFixed(123456.0, 1), "123456.0");
    EXPECT_EQ(FormatFixed(Amount::FromDouble(5.4864), 2), "5.49");
    EXPECT_EQ(FormatFixed(Amount::FromDouble(0.005), 2), "0.01");
    EXPECT_EQ(FormatFixed(Amount::FromDouble(-1.5), 0), "-2");
}

TEST(CurrentTextTest, MicroampsBelowTenMilliampsAndWholeMilliampsAbove) {
    EXPECT_EQ(CurrentText(Amount{}), "0 mA");
    EXPECT_EQ(CurrentText(Amount::FromWhole(9999)),
              "9999 \xC2\xB5"
              "A");
    EXPECT_EQ(CurrentText(Amount::FromDouble(9999.9999)),
              "9999.9999 \xC2\xB5"
              "A");
    EXPECT_EQ(CurrentText(Amount::FromWhole(10000)), "10 mA");
    EXPECT_EQ(CurrentText(Amount::FromWhole(10499)), "10 mA");
    EXPECT_EQ(CurrentText(Amount::FromWhole(10500)), "11 mA");
    EXPECT_EQ(CurrentText(Amount::FromDouble(12.5)),
              "12.5 \xC2\xB5"
              "A");
    EXPECT_EQ(CurrentText(Amount::FromWhole(-250)),
              "-250 \xC2\xB5"
              "A");
    EXPECT_EQ(CurrentText(Amount::FromWhole(-50000)),
              "-50000 \xC2\xB5"
              "A");
    EXPECT_EQ(CurrentText(Amount::FromWhole(1234567)), "1235 mA");
}

TEST(AmountTest, RandomSumsMatchIntegerArithmetic) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::int64_t> d(-1000000000, 1000000000);
    for (int i = 0; i < 1000; ++i) {
        const std::int64_t a = d(rng), b = d(rng);
        EXPECT_EQ((Amount::FromScaled(a) + Amount::FromScaled(b) - Amount::FromScaled(b)).Scaled(),
                  a);
        EXPECT_EQ(Amount::FromScaled(a) < Amount::FromScaled(b), a < b);
    }
}
