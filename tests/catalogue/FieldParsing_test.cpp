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
        {"Alpha, 1, 3", 4, ""},
        {"\"A, B\", 2", 1, "A, B"},
        {"\"A, B\", 2", 2, "2"},
        // Item 0, negative items and empty values give nothing.
        {"a,b", 0, ""},
        {"", 1, ""},
        // Unquoted items are trimmed, quoted ones kept as they stand.
        {"  x  ,  y  ", 1, "x"},
        {"\" a \",b", 1, " a "},
        // Empty items count as items.
        {"a,,c", 2, ""},
        // An unclosed quote runs to the end.
        {"\"abc, d  ", 1, "abc, d"},
        {"\"abc, d", 2, ""},
        // A quoted item without a comma after it still counts as one item.
        {"\"A\" B, C", 2, "B"},
        {"\"\",x", 2, "x"},
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

// Readers take turns between lists; every list keeps giving its own items.
TEST(GetField, ListsReadInTurnKeepTheirOwnItems) {
    std::vector<std::string> lists;
    for (int n = 0; n < 7; ++n)
        lists.push_back(std::to_string(n) + ", x" + std::to_string(n) + ", \"q, " +
                        std::to_string(n) + "\"");
    for (int round = 0; round < 3; ++round)
        for (std::size_t n = 0; n < lists.size(); ++n) {
            ASSERT_EQ(GetField(lists[n], 1), std::to_string(n));
            ASSERT_EQ(GetField(lists[(n * 3) % lists.size()], 3),
                      "q, " + std::to_string(n * 3 % 7));
            ASSERT_EQ(GetField(lists[n], 2), "x" + std::to_string(n));
        }
}

TEST_F(FieldParsingTest, RefusalsShowOneMessageAndKeepTheTarget) {
    for (const std::string value : {"", "a,12abc", "a,1,2"}) {
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
    EXPECT_FALSE(ParseIntField("10.6", 1, i, 0, 10, "x"));
    EXPECT_FALSE(ParseIntField("40000", 1, i, 0, 50000, "x"));
    EXPECT_FALSE(ParseLongField("2147483648", 1, l, 0, 2147483647, "x"));
    EXPECT_EQ(std::make_tuple(i, l), std::make_tuple(7, 5));
    EXPECT_EQ(platform.messages.size(), 4u);
    for (const auto& m : platform.messages)
        EXPECT_EQ(m.text, "Invalid numeric value for x");

    // The byte reader zeroes its target on failure; an empty description shows nothing.
    platform.messages.clear();
    std::uint8_t b = 42;
    EXPECT_FALSE(ParseByteField("300", 1, b, 0, 255, "Base type "));
    EXPECT_EQ(b, 0);
    EXPECT_EQ(platform.AllMessageTexts(), "Invalid numeric value for Base type ");
    platform.messages.clear();
    platform.beeps.clear();
    EXPECT_FALSE(ParseIntField("x", 1, i, 0, 10, ""));
    EXPECT_FALSE(ParseLongField("99", 1, l, 0, 10, ""));
    EXPECT_FALSE(ParseByteField("", 1, b, 0, 10, ""));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.beeps.empty());
}

TEST(FieldParsing, WholeNumbersReadAlikeInEveryForm) {
    const std::vector<std::pair<std::string, std::int32_t>> cases = {{"007", 7},
                                                                     {"-0", 0},
                                                                     {"-32768", -32768},
                                                                     {"123456789", 123456789},
                                                                     {"1234567890", 1234567890},
                                                                     {"\" 12 \"", 12},
                                                                     {"2.5", 2},
                                                                     {"3.5", 4},
                                                                     {"+5", 5}};
    for (const auto& [text, expected] : cases) {
        std::int32_t target = 0;
        EXPECT_TRUE(ParseLongField(text, 1, target, -2147483647, 2147483647, "")) << text;
        EXPECT_EQ(target, expected) << text;
    }
    std::int32_t target = 9;
    for (const std::string text : {"-", "--1", "1-", "12a"})
        EXPECT_FALSE(ParseLongField(text, 1, target, -100, 100, "")) << text;
    EXPECT_EQ(target, 9);
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
