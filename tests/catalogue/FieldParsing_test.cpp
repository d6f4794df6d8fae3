#include "catalogue/FieldParsing.h"

#include <gtest/gtest.h>

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
        {"\"A, B\", 2", 1, "A, B"},
        {"\"A, B\", 2", 2, "2"},
        // Quoted items are kept as they stand (plain ones: the property below).
        {"\" a \",b", 1, " a "},
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

// Whether a refused value keeps its target: the property below.
TEST_F(FieldParsingTest, RefusalsShowOneMessage) {
    const std::string expected = "Numeric value expected for d",
                      invalid = "Invalid numeric value for d";
    // Empty, trailing junk, a missing item; out of bounds, also once rounded, and a value the
    // 16-bit target cannot hold though its bounds allow it: refused rather than stored wrapped.
    const std::vector<std::tuple<std::string, int, int, std::string>> cases = {
        {"", 2, 100, expected}, {"a,12abc", 2, 100, expected}, {"a,1,2", 4, 100, expected},
        {"11", 1, 10, invalid}, {"10.6", 1, 10, invalid},      {"40000", 1, 50000, invalid}};
    for (const auto& [value, item, upper, message] : cases) {
        platform.messages.clear();
        platform.beeps.clear();
        std::int16_t target = 7;
        EXPECT_FALSE(ParseIntField(value, item, target, 0, upper, "d"));
        EXPECT_EQ(platform.AllMessageTexts(), message) << value;
        EXPECT_EQ(platform.beeps, std::vector<MsgIcon>{MsgIcon::Exclamation});
    }
    const RecordedMessage& m = platform.messages.at(0);
    EXPECT_EQ(std::make_tuple(m.title, m.icon, m.buttons),
              std::make_tuple(kProductName, MsgIcon::Exclamation, MsgButtons::OK));

    // An empty description shows nothing.
    platform.messages.clear();
    platform.beeps.clear();
    std::uint8_t b = 42;
    EXPECT_FALSE(ParseByteField("", 1, b, 0, 10, ""));
    EXPECT_TRUE(platform.messages.empty() && platform.beeps.empty());
}

TEST(FieldParsing, WholeNumbersReadAlikeInEveryForm) {
    std::string read;
    for (const char* text : {"007", "-0", "-32768", "1234567890", "\" 12 \"", "2.5", "3.5", "+5",
                             "-", "--1", "1-", "12a", "2147483648"}) {
        std::int32_t target = 9;
        read += ParseLongField(text, 1, target, -2147483647, 2147483647, "")
                    ? std::to_string(target) + " "
                    : "refused ";
    }
    EXPECT_EQ(read, "7 0 -32768 1234567890 12 2 4 5 refused refused refused refused refused ");
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

        // A refusal keeps the target (the byte reader zeroes it) and shows one message.
        const auto check = [&](auto parse, auto target, auto low, auto high, auto refused) {
            platform.messages.clear();
            if (parse(value, item, target, low, high, "d")) {
                EXPECT_GE(target, low);
                EXPECT_LE(target, high);
                EXPECT_TRUE(platform.messages.empty());
            } else {
                EXPECT_EQ(target, refused);
                EXPECT_EQ(platform.messages.size(), 1u) << value;
            }
        };
        check(ParseIntField, std::int16_t{1234}, lower, upper, 1234);
        check(ParseLongField, std::int32_t{1234}, lower, upper, 1234);
        check(ParseByteField, std::uint8_t{77}, static_cast<std::uint8_t>(rng() % 256),
              static_cast<std::uint8_t>(rng() % 256), 0);
    }
}

}  // namespace
