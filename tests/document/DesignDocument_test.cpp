#include "document/DesignDocument.h"

#include <gtest/gtest.h>

namespace {

TEST(FileDateTest, WrittenInFullAndReadBackOnlyWhenItIsARealDate) {
    EXPECT_EQ(FormatFileDate({987, 12, 31, 0, 0, 0}), "0987-12-31 00:00:00");
    EXPECT_EQ(ParseFileDate("2009-3-5 4:07"), (DateTime{2009, 3, 5, 4, 7, 0}));
    EXPECT_EQ(ParseFileDate("2024-02-29"), (DateTime{2024, 2, 29, 0, 0, 0}));
    for (const char* bad : {"", "yesterday", "2023-02-29 10:00:00", "1900-02-29", "2009-13-01",
                            "2009-04-31", "2009-03-05 24:00:00", "2009-03-05 10:00:60",
                            "2009-03-05x", "99-03-05", "2009-03-05 10:00:00 PM"})
        EXPECT_FALSE(ParseFileDate(bad).has_value()) << bad;
}

}  // namespace
