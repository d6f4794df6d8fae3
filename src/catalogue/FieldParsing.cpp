#include "catalogue/FieldParsing.h"

#include <array>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "shell/Numbers.h"
#include "shell/Platform.h"
#include "shell/Text.h"

namespace {

// Passes each item of a value list to `take`, as a view into the list. The list is trimmed
// once; what remains after an item then needs only its leading blanks taken off.
template <typename Take>
void ForEachItem(std::string_view list, Take take) {
    std::string_view rest = TrimmedView(list);
    for (;;) {
        if (rest.empty() || rest.front() != '"') {
            const std::size_t comma = rest.find(',');
            take(TrimmedView(rest.substr(0, comma)));
            if (comma == std::string_view::npos) return;
            rest = LeftTrimmedView(rest.substr(comma + 1));
        } else {
            rest.remove_prefix(1);
            const std::size_t quote = rest.find('"');
            if (quote == std::string_view::npos) {
                take(TrimmedView(rest));
                return;
            }
            take(rest.substr(0, quote));
            rest = LeftTrimmedView(rest.substr(quote + 1));
            // The comma that ends a quoted item goes with it.
            if (!rest.empty() && rest.front() == ',') rest = LeftTrimmedView(rest.substr(1));
            if (rest.empty()) return;
        }
    }
}

// The lists asked about last and their items. A record is read item by item, each item a
// separate call with the same list, and walking the list from its start on every call would
// cost the square of its length. A reader may take turns between a few lists (a device entry and
// the field list it names), so the last few lists are kept.
struct SplitList {
    std::string list;
    std::vector<std::string_view> items;  // views into `list`; empty until first split
};

const SplitList& SplitOf(const std::string& value) {
    thread_local std::array<SplitList, 4> kept;
    thread_local std::size_t next = 0;
    for (const SplitList& split : kept)
        if (!split.items.empty() && split.list == value) return split;
    SplitList& split = kept[next];
    next = (next + 1) % kept.size();
    split.list = value;
    split.items.clear();
    ForEachItem(split.list, [&split](std::string_view piece) { split.items.push_back(piece); });
    return split;
}

}  // namespace

std::string GetField(const std::string& value, int item) {
    if (item <= 0) return "";
    const std::vector<std::string_view>& items = SplitOf(value).items;
    const auto index = static_cast<std::size_t>(item - 1);
    return index < items.size() ? std::string(items[index]) : std::string();
}

void SplitValueList(std::string_view value, std::vector<std::string_view>& items) {
    items.clear();
    ForEachItem(value, [&items](std::string_view piece) { items.push_back(piece); });
}

namespace {

// A plain whole number (a minus sign at most and up to nine digits), nearly every numeric item,
// read without the general number reader; nothing for any other text.
std::optional<std::int32_t> PlainWholeNumber(std::string_view text) {
    const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() == start || text.size() - start > 9) return std::nullopt;
    std::int32_t number = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        number = number * 10 + (text[i] - '0');
    }
    return start ? -number : number;
}

// Reads item `item` as a whole number within [lower, upper] and within what the target type can
// hold; shows the reader's message (when there is a description) and gives no value otherwise.
// A number that does not even fit 32 bits is out of bounds like any other.
template <typename Target>
std::optional<Target> ReadBoundedItem(const std::string& value, int item, std::int64_t lower,
                                      std::int64_t upper, const std::string& description) {
    const std::string text = GetField(value, item);
    std::optional<std::int32_t> rounded = PlainWholeNumber(text);
    if (!rounded) {
        if (text.empty() || !IsNumeric(text)) {
            if (!description.empty())
                ShowDataFileProblem("Numeric value expected for " + description);
            return std::nullopt;
        }
        rounded = RoundToInt32(NumericValue(text));
    }
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
