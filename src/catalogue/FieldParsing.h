#pragma once
// Reading the comma-separated value lists of the data files and the configuration file.
//
// A value such as `Alpha, 1, 3` holds the items Alpha, 1 and 3; an item may be quoted to carry a
// comma (`"A, B", 2`). Numeric items are read by validating readers that show one data-file
// problem message when the item is missing, not a number or out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Item `item` (counted from 1) of a value list; item 0, a negative item and an item beyond the
// end give the empty text. Unquoted items are trimmed; a quoted item is returned as it stands
// between its quotes.
std::string GetField(const std::string& value, int item);

// The items of a value list, as GetField gives them one at a time (item k is element k-1;
// later items are empty), split in one pass into `items` (emptied first, so that a reader of
// many lists keeps one vector). They are views of `value`'s text, valid while it is.
void SplitValueList(std::string_view value, std::vector<std::string_view>& items);

// The validating number readers. Each takes the value list, the item number, the target, the
// inclusive bounds and a description. The item must be numeric; its value is rounded half to
// even and must lie within the bounds (and fit the target). On success the target is set and
// true returned. Otherwise "Numeric value expected for " + description (empty or not numeric)
// or "Invalid numeric value for " + description (out of bounds) is shown as a data-file
// problem, unless the description is empty, and false returned.
//
// ParseIntField and ParseLongField leave the target unchanged on failure; ParseByteField sets it
// to 0.
bool ParseIntField(const std::string& value, int item, std::int16_t& target, std::int32_t lower,
                   std::int32_t upper, const std::string& description);
bool ParseLongField(const std::string& value, int item, std::int32_t& target, std::int32_t lower,
                    std::int32_t upper, const std::string& description);
bool ParseByteField(const std::string& value, int item, std::uint8_t& target, std::uint8_t lower,
                    std::uint8_t upper, const std::string& description);

// The letter code of an item: its first `count` characters, upper-cased.
std::string LetterCode(const std::string& item, std::size_t count = 1);
// A True/False item: true when its first character is "T" or "t" (an empty item is false).
bool IsTrueItem(const std::string& item);
// A whole-item True/False item: true only when the whole item is "T" or "t".
bool IsWholeTrueItem(const std::string& item);

// How data-file messages name a file: "configuration settings in '" + full path + "'.".
std::string FilePhrase(const std::string& fullPath);
