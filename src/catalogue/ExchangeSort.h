#pragma once
// The exchange sort the catalogues use for their display orders: for each position i from the
// first to the last and each later-or-equal position j, the entries at i and j are swapped when
// the entry at i must come after the entry at j. Entries that compare equal are never swapped
// with each other directly, but may still change places through swaps with third entries, so
// equal keys keep no particular order; the result is nonetheless fully determined by the input.
#include <cstddef>
#include <utility>
#include <vector>

// `after(a, b)` is true when a must come after b. `onSwap(i, j)` is told every swap of positions
// i and j, before it is made, so that indexes held elsewhere can follow their records.
template <typename T, typename After, typename OnSwap>
void ExchangeSort(std::vector<T>& items, std::size_t first, After after, OnSwap onSwap) {
    for (std::size_t i = first; i < items.size(); ++i)
        for (std::size_t j = i; j < items.size(); ++j)
            if (after(items[i], items[j])) {
                onSwap(i, j);
                std::swap(items[i], items[j]);
            }
}

template <typename T, typename After>
void ExchangeSort(std::vector<T>& items, std::size_t first, After after) {
    ExchangeSort(items, first, after, [](std::size_t, std::size_t) {});
}

// The same sort on records whose keys are worked out once beforehand (`keyOf(record)`);
// `after` compares two keys. The records end up in the order the exchange sort gives.
template <typename T, typename KeyOf, typename After, typename OnSwap>
void ExchangeSortByKey(std::vector<T>& items, std::size_t first, KeyOf keyOf, After after,
                       OnSwap onSwap) {
    using Key = decltype(keyOf(items.front()));
    std::vector<Key> keys;
    keys.reserve(items.size());
    for (const T& item : items)
        keys.push_back(keyOf(item));
    std::vector<std::size_t> order(items.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    ExchangeSort(
        order, first,
        [&keys, &after](std::size_t a, std::size_t b) { return after(keys[a], keys[b]); }, onSwap);
    std::vector<T> sorted;
    sorted.reserve(items.size());
    for (std::size_t k : order)
        sorted.push_back(std::move(items[k]));
    items = std::move(sorted);
}

template <typename T, typename KeyOf, typename After>
void ExchangeSortByKey(std::vector<T>& items, std::size_t first, KeyOf keyOf, After after) {
    ExchangeSortByKey(items, first, keyOf, after, [](std::size_t, std::size_t) {});
}
