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
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {"Alpha, 1, 3", 1, "Alpha"},
        {"Alpha, 1, 3", 2, "1"},
        {"Alpha, 1, 3", 3, "3"},
        {"Alpha, 1, 3", 4, ""},
        {"\"A, B\", 2", 1, "A, B"},
        {"\"A, B\", 2", 2, "2"},
        {"\"A, B\", 2", 3, ""},
        // Item 0, negative items and empty values give nothing.
        {"a,b", 0, ""},
        {"a,b", -1, ""},
        {"", 1, ""},
        {"   ", 1, ""},
        // Unquoted items are trimmed, quoted ones kept as they stand.
        {"  x  ,  y  ", 1, "x"},
        {"  x  ,  y  ", 2, "y"},
        {"\" a \",b", 1, " a "},
        {"  \" a \"  ,  b", 2, "b"},
        // Empty items count as items.
        {"a,,c", 2, ""},
        {"a,,c", 3, "c"},
        {"a,", 2, ""},
        {",b", 1, ""},
        {",b", 2, "b"},
        // An unclosed quote runs to the end.
        {"\"abc, d  ", 1, "abc, d"},
        {"\"abc, d", 2, ""},
        // A quoted item without a comma after it still counts as one item.
        {"\"A\" B, C", 1, "A"},
        {"\"A\" B, C", 2, "B"},
        {"\"A\" B, C", 3, "C"},
        {"\"A\"\"B\"", 2, "B"},
        {"\"\",x", 1, ""},
        {"\"\",x", 2, "x"},
        {"1, \"x, y\" , 3", 2, "x, y"},
        {"1, \"x, y\" , 3", 3, "3"}};
    for (const auto& [value, item, expected] : cases)
        EXPECT_EQ(GetField(value, item), expected) << "'" << value << "' item " << item;
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
    EXPECT_EQ(std::make_tuple(LetterCode("lf"), LetterCode("lf", 2), LetterCode("t", 2),
                              LetterCode("", 2)),
              std::make_tuple("L", "LF", "T", ""));
    std::string flags;
    for (const char* item : {"True", "t", "tx", "", "False", "1", "T"})
        flags += std::string(IsTrueItem(item) ? "t" : "-") + (IsWholeTrueItem(item) ? "W " : "- ");
    EXPECT_EQ(flags, "t- tW t- -- -- -- tW ");
    EXPECT_EQ(FilePhrase("/x/Devices.dat"), "configuration settings in '/x/Devices.dat'.");
}

TEST_F(FieldParsingTest, ReadsRoundedNumbersWithinInclusiveBounds) {
    const std::vector<std::tuple<std::string, int, int, int, int>> cases = {
        {"x, 2.5", 2, 0, 10, 2}, {"x, 3.5", 2, 0, 10, 4}, {"-0.5", 1, 0, 10, 0},
        {"1e1", 1, 0, 10, 10},   {"+0", 1, 0, 10, 0},     {"-32768", 1, -32768, 32767, -32768}};
    for (const auto& [value, item, low, high, expected] : cases) {
        std::int16_t i = -1;
        EXPECT_TRUE(ParseIntField(value, item, i, low, high, "d")) << value;
        EXPECT_EQ(i, expected) << value;
    }
    std::int32_t l = 0;
    EXPECT_TRUE(ParseLongField("2147483647", 1, l, 0, 2147483647, "d"));
    EXPECT_EQ(l, 2147483647);
    std::uint8_t b = 9;
    EXPECT_TRUE(ParseByteField("255", 1, b, 0, 255, "d"));
    EXPECT_EQ(b, 255);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FieldParsingTest, RefusalsShowOneMessageAndKeepTheTarget) {
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
        EXPECT_EQ(std::make_tuple(m.title, m.icon, m.buttons),
                  std::make_tuple(kProductName, MsgIcon::Exclamation, MsgButtons::OK));
        EXPECT_EQ(platform.beeps, std::vector<MsgIcon>{MsgIcon::Exclamation});
    }
    platform.messages.clear();
    // Out of bounds, also beyond 32 bits, and a value the 16-bit target cannot hold though its
    // bounds allow it: refused rather than stored wrapped.
    std::int16_t i = 7;
    std::int32_t l = 5;
    EXPECT_FALSE(ParseIntField("11", 1, i, 0, 10, "x"));
    EXPECT_FALSE(ParseIntField("-1", 1, i, 0, 10, "x"));
    EXPECT_FALSE(ParseIntField("10.6", 1, i, 0, 10, "x"));
    EXPECT_FALSE(ParseIntField("1e300", 1, i, 0, 10, "x"));
    EXPECT_FALSE(ParseIntField("40000", 1, i, 0, 50000, "x"));
    EXPECT_FALSE(ParseLongField("2147483648", 1, l, 0, 2147483647, "x"));
    EXPECT_FALSE(ParseLongField("-99999999999999999999", 1, l, -2147483647 - 1, 2147483647, "x"));
    EXPECT_EQ(std::make_tuple(i, l), std::make_tuple(7, 5));
    EXPECT_EQ(platform.messages.size(), 7u);
    for (const auto& m : platform.messages)
        EXPECT_EQ(m.text, "Invalid numeric value for x");

    // The byte reader zeroes its target on failure; an empty description shows nothing.
    platform.messages.clear();
    std::uint8_t b = 42;
    EXPECT_FALSE(ParseByteField("300", 1, b, 0, 255, "Base type "));
    EXPECT_EQ(b, 0);
    b = 42;
    EXPECT_FALSE(ParseByteField("", 1, b, 0, 255, "Base type "));
    EXPECT_EQ(b, 0);
    b = 42;
    EXPECT_FALSE(ParseByteField("5", 1, b, 10, 20, "Base type "));
    EXPECT_EQ(b, 0);
    EXPECT_EQ(platform.AllMessageTexts(),
              "Invalid numeric value for Base type \n"
              "Numeric value expected for Base type \nInvalid numeric value for Base type ");
    platform.messages.clear();
    platform.beeps.clear();
    EXPECT_FALSE(ParseIntField("x", 1, i, 0, 10, ""));
    EXPECT_FALSE(ParseLongField("99", 1, l, 0, 10, ""));
    EXPECT_FALSE(ParseByteField("", 1, b, 0, 10, ""));
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
