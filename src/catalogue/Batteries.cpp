#include "catalogue/Batteries.h"

#include <algorithm>
#include <optional>

#include "catalogue/FieldParsing.h"
#include "shell/DecimalText.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/ProfileFile.h"

namespace {

enum class ListState { NotRead, Read, Failed };

ListState state = ListState::NotRead;
std::vector<Amount> sizes;

// No standby battery of a fire panel comes near this; a larger figure is a slip of the pen.
constexpr Amount kLargestBattery = Amount::FromWhole(1000);

// A size is the whole value: a decimal number of Ah above 0 and at most 1000, with at most four
// decimals. A decimal comma ("1,2") is refused rather than read as a list whose first item is 1.
std::optional<Amount> BatterySize(const std::string& value) {
    const std::optional<Amount> size = ParseDecimalAmount(value);
    if (!size || *size <= Amount() || *size > kLargestBattery) return std::nullopt;
    return size;
}

// Battery0, Battery1, ... of the [Batteries] section, up to the first missing one.
bool ReadBatterySizes(const std::string& file) {
    const std::string phrase = FilePhrase(file);
    for (int n = 0;; ++n) {
        const std::string value =
            ReadProfileString(file, "Batteries", "Battery" + std::to_string(n));
        if (value.empty()) break;
        const std::optional<Amount> size = BatterySize(value);
        if (!size) {
            ShowDataFileProblem("Invalid settings for battery " + std::to_string(n) + " in " +
                                phrase);
            return false;
        }
        sizes.push_back(*size);
    }
    if (sizes.empty()) {
        ShowDataFileProblem("No batteries defined in " + phrase);
        return false;
    }
    // Smallest first; a size listed twice is offered once.
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return true;
}

}  // namespace

std::string BatteryDataFilePath() {
    return JoinPath(Paths().dataRoot, "Tarvex/Batteries/Batteries.dat");
}

bool LoadBatteryCatalogue() {
    if (state != ListState::NotRead) return state == ListState::Read;
    const std::string file = BatteryDataFilePath();
    bool read = false;
    if (!FileExists(file))
        ShowDataFileProblem("Unable to find file containing battery data: '" + file + "'.");
    else
        read = ReadBatterySizes(file);
    if (!read) sizes.clear();
    state = read ? ListState::Read : ListState::Failed;
    return read;
}

const std::vector<Amount>& BatterySizes() {
    return sizes;
}

void ResetBatteryCatalogue() {
    state = ListState::NotRead;
    sizes.clear();
}
