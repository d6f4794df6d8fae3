#include "shell/Text.h"

#include <gtest/gtest.h>

TEST(TextCodecTest, Windows1252RoundTripsThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // €
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC"), "\x80");
    EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");  // no Windows-1252 code
    EXPECT_EQ(Utf8ToCp1252("a\xFF"
                           "b"),
              "a\xFF"
              "b");  // stray byte kept as it is
}

TEST(TextTest, LinesTrimmingAndCase) {
    EXPECT_EQ(SplitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(SplitLines("a\rb\n"), (std::vector<std::string>{"a\rb"}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(
        std::make_tuple(Trim(" \t a b \t"), TrimLeft("  a "), TrimRight("  a "), UCase("Ab1\xE9")),
        std::make_tuple("a b", "a ", "  a", "AB1\xE9"));
    EXPECT_TRUE(EqualsNoCase("MaxDevices", "MAXDEVICES") && StartsWithNoCase("Device12", "device"));
    EXPECT_FALSE(EqualsNoCase("Max", "Maxi"));
}
