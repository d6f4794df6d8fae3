#include "catalogue/FieldParsing.h"

#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "shell/Numbers.h"
#include "shell/Platform.h"
#include "shell/Text.h"

namespace {

bool IsBlankChar(char c) {
    return c == ' ' || c == '\t';
}

// The text without its leading and trailing blanks (spaces and tabs), as a view.
std::string_view TrimmedView(std::string_view s) {
    std::size_t first = 0, end = s.size();
    while (first < end && IsBlankChar(s[first]))
        ++first;
    while (end > first && IsBlankChar(s[end - 1]))
        --end;
    return s.substr(first, end - first);
}

// Passes each item of a value list to `take`, as a view into the list.
template <typename Take>
void ForEachItem(std::string_view list, Take take) {
    std::string_view rest = TrimmedView(list);
    for (;;) {
        if (rest.empty() || rest.front() != '"') {
            const std::size_t comma = rest.find(',');
            take(TrimmedView(rest.substr(0, comma)));
            if (comma == std::string_view::npos) return;
            rest = TrimmedView(rest.substr(comma + 1));
        } else {
            rest.remove_prefix(1);
            const std::size_t quote = rest.find('"');
            if (quote == std::string_view::npos) {
                take(TrimmedView(rest));
                return;
            }
            take(rest.substr(0, quote));
            rest = TrimmedView(rest.substr(quote + 1));
            // The comma that ends a quoted item goes with it.
            if (!rest.empty() && rest.front() == ',') rest = TrimmedView(rest.substr(1));
            if (rest.empty()) return;
        }
    }
}

// The last list asked about and its items. A record is read item by item, each item a separate
// call with the same list: walking the list from its start on every call would cost the square
// of its length.
struct SplitList {
    std::string list;
    std::vector<std::string_view> items;  // views into `list`
};

}  // namespace

std::string GetField(const std::string& value, int item) {
    if (item <= 0) return "";
    thread_local SplitList last;
    if (last.items.empty() || last.list != value) {
        last.list = value;
        last.items.clear();
        ForEachItem(last.list, [](std::string_view piece) { last.items.push_back(piece); });
    }
    const auto index = static_cast<std::size_t>(item - 1);
    return index < last.items.size() ? std::string(last.items[index]) : std::string();
}

std::vector<std::string> SplitValueList(const std::string& value) {
    std::vector<std::string> items;
    items.reserve(8);
    ForEachItem(value, [&items](std::string_view piece) { items.emplace_back(piece); });
    return items;
}

namespace {

// Reads item `item` as a whole number within [lower, upper] and within what the target type can
// hold; shows the reader's message (when there is a description) and gives no value otherwise.
// A number that does not even fit 32 bits is out of bounds like any other.
template <typename Target>
std::optional<Target> ReadBoundedItem(const std::string& value, int item, std::int64_t lower,
                                      std::int64_t upper, const std::string& description) {
    const std::string text = GetField(value, item);
    if (text.empty() || !IsNumeric(text)) {
        if (!description.empty()) ShowDataFileProblem("Numeric value expected for " + description);
        return std::nullopt;
    }
    const std::optional<std::int32_t> rounded = RoundToInt32(NumericValue(text));
    const bool inBounds = rounded && *rounded >= lower && *rounded <= upper &&
                          *rounded >= std::numeric_limits<Target>::min() &&
                          *rounded <= std::numeric_limits<Target>::max();
    if (!inBounds) {
        if (!description.empty()) ShowDataFileProblem("Invalid numeric value for " + description);
        return std::nullopt;
    }
    return static_cast<Target>(*rounded);
}

}  // namespace

bool ParseIntField(const std::string& value, int item, std::int16_t& target, std::int32_t lower,
                   std::int32_t upper, const std::string& description) {
    const auto result = ReadBoundedItem<std::int16_t>(value, item, lower, upper, description);
    if (!result) return false;
    target = *result;
    return true;
}

bool ParseLongField(const std::string& value, int item, std::int32_t& target, std::int32_t lower,
                    std::int32_t upper, const std::string& description) {
    const auto result = ReadBoundedItem<std::int32_t>(value, item, lower, upper, description);
    if (!result) return false;
    target = *result;
    return true;
}

bool ParseByteField(const std::string& value, int item, std::uint8_t& target, std::uint8_t lower,
                    std::uint8_t upper, const std::string& description) {
    // The byte reader works through a 16-bit scratch value that starts at 0, so a failure
    // leaves the target at 0.
    std::int16_t scratch = 0;
    const bool ok = ParseIntField(value, item, scratch, lower, upper, description);
    target = static_cast<std::uint8_t>(scratch);
    return ok;
}

std::string LetterCode(const std::string& item, std::size_t count) {
    return UCase(item.substr(0, count));
}

bool IsTrueItem(const std::string& item) {
    return LetterCode(item) == "T";
}

bool IsWholeTrueItem(const std::string& item) {
    return item == "T" || item == "t";
}

std::string FilePhrase(const std::string& fullPath) {
    return "configuration settings in '" + fullPath + "'.";
}
