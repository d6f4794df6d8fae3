#pragma once
// The two ways a catalogue record is looked up by its number (its place in the table): a number
// that may lie outside the table gives no record, and a number that must lie inside it is a
// range fault when it does not.
#include <stdexcept>
#include <string>
#include <vector>

template <typename Record>
const Record* FindInTable(const std::vector<Record>& table, int number) {
    if (number < 0 || static_cast<std::size_t>(number) >= table.size()) return nullptr;
    return &table[static_cast<std::size_t>(number)];
}

template <typename Record>
const Record& RecordInTable(const std::vector<Record>& table, int number, const char* what) {
    if (const Record* record = FindInTable(table, number)) return *record;
    throw std::out_of_range(std::string(what) + " " + std::to_string(number) +
                            " is not in the catalogue");
}
