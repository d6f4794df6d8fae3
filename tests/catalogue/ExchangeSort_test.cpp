// The exchange sort of the catalogues, over many random inputs with many equal keys: the result
// is ordered, holds the same records, and an index told of every swap follows its record.
#include "catalogue/ExchangeSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

struct Record {
    int key;
    int id;
};

TEST(ExchangeSortTest, RandomInputsEndOrderedWithTheFollowedIndexOnItsRecord) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 500; ++round) {
        const int size = static_cast<int>(random() % 40);
        const int distinctKeys = 1 + static_cast<int>(random() % 6);  // plenty of equal keys
        std::vector<Record> records;
        for (int i = 0; i < size; ++i)
            records.push_back({static_cast<int>(random() % distinctKeys), i});
        const std::size_t first = size == 0 ? 0 : random() % 2;  // sometimes entry 0 stays put
        const int followedId = size == 0 ? -1 : static_cast<int>(random() % size);
        int followed = followedId;
        const std::vector<Record> before = records;

        ExchangeSortByKey(
            records, first, [](const Record& r) { return r.key; },
            [](int a, int b) { return a > b; },
            [&followed](std::size_t i, std::size_t j) {
                if (followed == static_cast<int>(i))
                    followed = static_cast<int>(j);
                else if (followed == static_cast<int>(j))
                    followed = static_cast<int>(i);
            });

        ASSERT_EQ(records.size(), before.size());
        if (first == 1 && size > 0) {
            EXPECT_EQ(records[0].id, before[0].id);
        }
        for (std::size_t i = first + 1; i < records.size(); ++i)
            EXPECT_LE(records[i - 1].key, records[i].key);
        std::vector<int> ids;
        for (const Record& r : records)
            ids.push_back(r.id);
        std::sort(ids.begin(), ids.end());
        for (int i = 0; i < size; ++i)
            EXPECT_EQ(ids[static_cast<std::size_t>(i)], i);
        if (followedId >= 0) {
            ASSERT_GE(followed, 0);
            EXPECT_EQ(records[static_cast<std::size_t>(followed)].id, followedId);
        }
    }
}

TEST(ExchangeSortTest, DescendingOrderAsTheCablesUseIt) {
    std::vector<int> values{740, 1320, 830, 1320, 1210, 740};
    ExchangeSort(values, 0, [](int a, int b) { return a < b; });
    EXPECT_EQ(values, (std::vector<int>{1320, 1320, 1210, 830, 740, 740}));
}

}  // namespace
