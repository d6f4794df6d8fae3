#include "catalogue/FieldParsing.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <sstream>
#include <vector>

#include "shell/Product.h"
#include "shell/Text.h"
#include "support/TestSupport.h"

namespace {

using FieldParsingTest = ScriptedTest;

TEST(GetField, SplitsPlainAndQuotedLists) {
    EXPECT_EQ(GetField("Alpha, 1, 3", 1), "Alpha");
    EXPECT_EQ(GetField("Alpha, 1, 3", 2), "1");
    EXPECT_EQ(GetField("Alpha, 1, 3", 3), "3");
    EXPECT_EQ(GetField("Alpha, 1, 3", 4), "");
    EXPECT_EQ(GetField("\"A, B\", 2", 1), "A, B");
    EXPECT_EQ(GetField("\"A, B\", 2", 2), "2");
    EXPECT_EQ(GetField("\"A, B\", 2", 3), "");
}

TEST(GetField, ItemZeroAndNegativeItemsAreEmpty) {
    EXPECT_EQ(GetField("a,b", 0), "");
    EXPECT_EQ(GetField("a,b", -1), "");
    EXPECT_EQ(GetField("", 1), "");
    EXPECT_EQ(GetField("   ", 1), "");
}

TEST(GetField, TrimsUnquotedItemsButKeepsQuotedOnesAsTheyStand) {
    EXPECT_EQ(GetField("  x  ,  y  ", 1), "x");
    EXPECT_EQ(GetField("  x  ,  y  ", 2), "y");
    EXPECT_EQ(GetField("\" a \",b", 1), " a ");
    EXPECT_EQ(GetField("  \" a \"  ,  b", 2), "b");
}

TEST(GetField, EmptyItemsCountAsItems) {
    EXPECT_EQ(GetField("a,,c", 2), "");
    EXPECT_EQ(GetField("a,,c", 3), "c");
    EXPECT_EQ(GetField("a,", 2), "");
    EXPECT_EQ(GetField(",b", 1), "");
    EXPECT_EQ(GetField(",b", 2), "b");
}

TEST(GetField, UnclosedQuoteRunsToTheEnd) {
    EXPECT_EQ(GetField("\"abc, d  ", 1), "abc, d");
    EXPECT_EQ(GetField("\"abc, d", 2), "");
}

TEST(GetField, QuotedItemWithoutCommaStillCountsAsOneItem) {
    EXPECT_EQ(GetField("\"A\" B, C", 1), "A");
    EXPECT_EQ(GetField("\"A\" B, C", 2), "B");
    EXPECT_EQ(GetField("\"A\" B, C", 3), "C");
    EXPECT_EQ(GetField("\"A\"\"B\"", 2), "B");
    EXPECT_EQ(GetField("\"\",x", 1), "");
    EXPECT_EQ(GetField("\"\",x", 2), "x");
}

TEST(GetField, QuotedItemLaterInTheList) {
    EXPECT_EQ(GetField("1, \"x, y\" , 3", 2), "x, y");
    EXPECT_EQ(GetField("1, \"x, y\" , 3", 3), "3");
}

// Without quotes, item n is the n-th comma-separated piece, trimmed.
TEST(GetField, PropertyMatchesPlainSplitWithoutQuotes) {
    std::mt19937 rng(12345);
    const std::string alphabet = "ab1 ,.-\t";
    for (int round = 0; round < 3000; ++round) {
        std::string value;
        const int length = static_cast<int>(rng() % 30);
        for (int i = 0; i < length; ++i)
            value += alphabet[rng() % alphabet.size()];
        std::vector<std::string> pieces;
        std::stringstream stream(Trim(value));
        std::string piece;
        while (std::getline(stream, piece, ','))
            pieces.push_back(Trim(piece));
        if (!Trim(value).empty() && Trim(value).back() == ',') pieces.push_back("");
        for (int item = -1; item <= 12; ++item) {
            const std::string expected =
                item >= 1 && item <= static_cast<int>(pieces.size()) ? pieces[item - 1] : "";
            ASSERT_EQ(GetField(value, item), expected) << "value '" << value << "' item " << item;
        }
    }
}

TEST(FieldTexts, LetterCodesAndTrueFalseItems) {
    EXPECT_EQ(LetterCode("lf"), "L");
    EXPECT_EQ(LetterCode("lf", 2), "LF");
    EXPECT_EQ(LetterCode("t", 2), "T");
    EXPECT_EQ(LetterCode("", 2), "");
    EXPECT_TRUE(IsTrueItem("True"));
    EXPECT_TRUE(IsTrueItem("t"));
    EXPECT_TRUE(IsTrueItem("tx"));
    EXPECT_FALSE(IsTrueItem(""));
    EXPECT_FALSE(IsTrueItem("False"));
    EXPECT_FALSE(IsTrueItem("1"));
    EXPECT_TRUE(IsWholeTrueItem("T"));
    EXPECT_TRUE(IsWholeTrueItem("t"));
    EXPECT_FALSE(IsWholeTrueItem("True"));
    EXPECT_FALSE(IsWholeTrueItem(""));
    EXPECT_EQ(FilePhrase("/x/Devices.dat"), "configuration settings in '/x/Devices.dat'.");
}

TEST_F(FieldParsingTest, ReadsRoundedNumbersWithinInclusiveBounds) {
    std::int16_t i = -1;
    EXPECT_TRUE(ParseIntField("x, 2.5", 2, i, 0, 10, "d"));
    EXPECT_EQ(i, 2);
    EXPECT_TRUE(ParseIntField("x, 3.5", 2, i, 0, 10, "d"));
    EXPECT_EQ(i, 4);
    EXPECT_TRUE(ParseIntField("-0.5", 1, i, 0, 10, "d"));
    EXPECT_EQ(i, 0);
    EXPECT_TRUE(ParseIntField("1e1", 1, i, 0, 10, "d"));
    EXPECT_EQ(i, 10);
    EXPECT_TRUE(ParseIntField("+0", 1, i, 0, 10, "d"));
    EXPECT_EQ(i, 0);
    EXPECT_TRUE(ParseIntField("-32768", 1, i, -32768, 32767, "d"));
    EXPECT_EQ(i, -32768);
    std::int32_t l = 0;
    EXPECT_TRUE(ParseLongField("2147483647", 1, l, 0, 2147483647, "d"));
    EXPECT_EQ(l, 2147483647);
    std::uint8_t b = 9;
    EXPECT_TRUE(ParseByteField("255", 1, b, 0, 255, "d"));
    EXPECT_EQ(b, 255);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FieldParsingTest, MissingOrNonNumericItemShowsNumericValueExpected) {
    for (const std::string value : {"", "a,", "a,abc", "a,12abc", "a,1e400", "a,1,2"}) {
        platform.messages.clear();
        platform.beeps.clear();
        std::int16_t target = 7;
        const int item = value == "a,1,2" ? 4 : 2;
        EXPECT_FALSE(ParseIntField(value, item, target, 0, 100, "Protocol for device type 3"));
        EXPECT_EQ(target, 7) << value;
        ASSERT_EQ(platform.messages.size(), 1u) << value;
        const RecordedMessage& m = platform.messages[0];
        EXPECT_EQ(m.text, "Numeric value expected for Protocol for device type 3");
        EXPECT_EQ(m.title, kProductName);
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_EQ(m.buttons, MsgButtons::OK);
        ASSERT_EQ(platform.beeps.size(), 1u);
        EXPECT_EQ(platform.beeps[0], MsgIcon::Exclamation);
    }
}

TEST_F(FieldParsingTest, OutOfBoundsShowsInvalidNumericValue) {
    std::int16_t target = 7;
    EXPECT_FALSE(ParseIntField("11", 1, target, 0, 10, "Type Code "));
    EXPECT_FALSE(ParseIntField("-1", 1, target, 0, 10, "Type Code "));
    EXPECT_FALSE(ParseIntField("10.6", 1, target, 0, 10, "Type Code "));
    EXPECT_EQ(target, 7);
    ASSERT_EQ(platform.messages.size(), 3u);
    for (const auto& m : platform.messages)
        EXPECT_EQ(m.text, "Invalid numeric value for Type Code ");
}

TEST_F(FieldParsingTest, NumbersBeyondThirtyTwoBitsAreOutOfBoundsNotACrash) {
    std::int32_t l = 5;
    EXPECT_FALSE(ParseLongField("2147483648", 1, l, 0, 2147483647, "x"));
    EXPECT_FALSE(ParseLongField("-99999999999999999999", 1, l, -2147483647 - 1, 2147483647, "x"));
    EXPECT_EQ(l, 5);
    std::int16_t i = 5;
    EXPECT_FALSE(ParseIntField("1e300", 1, i, 0, 10, "x"));
    EXPECT_EQ(i, 5);
    ASSERT_EQ(platform.messages.size(), 3u);
    for (const auto& m : platform.messages)
        EXPECT_EQ(m.text, "Invalid numeric value for x");
}

// The 16-bit reader tests its bounds at 32 bits; a value the 16-bit target cannot hold is
// refused rather than stored wrapped.
TEST_F(FieldParsingTest, IntReaderRefusesValuesItsTargetCannotHold) {
    std::int16_t i = 5;
    EXPECT_FALSE(ParseIntField("40000", 1, i, 0, 50000, "x"));
    EXPECT_EQ(i, 5);
    EXPECT_EQ(platform.AllMessageTexts(), "Invalid numeric value for x");
}

TEST_F(FieldParsingTest, ByteReaderZeroesItsTargetOnFailure) {
    std::uint8_t b = 42;
    EXPECT_FALSE(ParseByteField("300", 1, b, 0, 255, "Base type "));
    EXPECT_EQ(b, 0);
    b = 42;
    EXPECT_FALSE(ParseByteField("", 1, b, 0, 255, "Base type "));
    EXPECT_EQ(b, 0);
    b = 42;
    EXPECT_FALSE(ParseByteField("5", 1, b, 10, 20, "Base type "));
    EXPECT_EQ(b, 0);
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[0].text, "Invalid numeric value for Base type ");
    EXPECT_EQ(platform.messages[1].text, "Numeric value expected for Base type ");
}

TEST_F(FieldParsingTest, EmptyDescriptionShowsNothing) {
    std::int16_t i = 3;
    std::int32_t l = 3;
    std::uint8_t b = 3;
    EXPECT_FALSE(ParseIntField("x", 1, i, 0, 10, ""));
    EXPECT_FALSE(ParseLongField("99", 1, l, 0, 10, ""));
    EXPECT_FALSE(ParseByteField("", 1, b, 0, 10, ""));
    EXPECT_EQ(i, 3);
    EXPECT_EQ(l, 3);
    EXPECT_EQ(b, 0);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.beeps.empty());
}

// Over random values the readers never crash, respect their bounds, and show exactly one
// message on failure.
TEST_F(FieldParsingTest, PropertyReadersRespectBoundsOverRandomInputs) {
    std::mt19937 rng(777);
    const std::vector<std::string> atoms = {"0",  "1", "9",     "255",   "256",  "-",
                                            "+",  ".", "e",     "E5",    ",",    " ",
                                            "\"", "x", "32767", "32768", "1e10", "2.5"};
    for (int round = 0; round < 4000; ++round) {
        std::string value;
        const int parts = static_cast<int>(rng() % 8);
        for (int p = 0; p < parts; ++p)
            value += atoms[rng() % atoms.size()];
        const int item = static_cast<int>(rng() % 5) - 1;
        const std::int32_t lower = static_cast<std::int32_t>(rng() % 600) - 300;
        const std::int32_t upper = lower + static_cast<std::int32_t>(rng() % 70000);

        platform.messages.clear();
        std::int16_t i = 1234;
        const bool okInt = ParseIntField(value, item, i, lower, upper, "d");
        if (okInt) {
            EXPECT_GE(i, lower);
            EXPECT_LE(i, upper);
            EXPECT_TRUE(platform.messages.empty());
        } else {
            EXPECT_EQ(i, 1234);
            ASSERT_EQ(platform.messages.size(), 1u) << value;
        }

        platform.messages.clear();
        std::int32_t l = 1234;
        if (ParseLongField(value, item, l, lower, upper, "d")) {
            EXPECT_GE(l, lower);
            EXPECT_LE(l, upper);
        } else {
            EXPECT_EQ(l, 1234);
            ASSERT_EQ(platform.messages.size(), 1u) << value;
        }

        platform.messages.clear();
        const auto bl = static_cast<std::uint8_t>(rng() % 256);
        const auto bu = static_cast<std::uint8_t>(rng() % 256);
        std::uint8_t b = 77;
        if (ParseByteField(value, item, b, bl, bu, "d")) {
            EXPECT_GE(b, bl);
            EXPECT_LE(b, bu);
        } else {
            EXPECT_EQ(b, 0);
            ASSERT_EQ(platform.messages.size(), 1u) << value;
        }
    }
}

}  // namespace
