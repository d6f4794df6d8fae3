#include "catalogue/Cables.h"

#include <optional>

#include "catalogue/ExchangeSort.h"
#include "catalogue/FieldParsing.h"
#include "shell/Locale.h"
#include "shell/Numbers.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/ProfileFile.h"
#include "shell/Settings.h"
#include "shell/Text.h"

std::vector<CableGroup> CableGroupTable;
std::vector<Cable> CableTable;

namespace {

constexpr const char* kUserDefinedCable = "User-Defined";

std::string GroupSetting(std::size_t group) {
    return "CableGroup" + std::to_string(group);
}

bool IsKnownLocale(const std::string& locale) {
    return locale == "US" || locale == "NONUS" || locale == "ALL";
}

bool LoadGroups(const std::string& file, const std::string& phrase, bool& anyShown) {
    for (int n = 0;; ++n) {
        const std::string value =
            ReadProfileString(file, "Cable Groups", "Group" + std::to_string(n));
        if (value.empty()) break;
        CableGroup group;
        group.GroupName = GetField(value, 1);
        group.GroupLocale = UCase(GetField(value, 2));
        if (!IsKnownLocale(group.GroupLocale)) {
            ShowDataFileProblem("Invalid Locale setting for cable group " + std::to_string(n) +
                                " in " + phrase);
            return false;
        }
        group.GroupShown = ReadSettingFlag(GroupSetting(static_cast<std::size_t>(n)));
        anyShown = anyShown || group.GroupShown;
        CableGroupTable.push_back(std::move(group));
    }
    if (CableGroupTable.empty()) {
        ShowDataFileProblem("No cable groups defined in " + phrase);
        return false;
    }
    return true;
}

// One cable section. The impedance and the group are whole numbers taken as they stand; a value
// that is not a number, does not fit its field, or names a group that does not exist is refused
// like a missing one.
bool ReadCable(const std::string& file, const std::string& section, Cable& cable) {
    const std::string name = ReadProfileString(file, section, "Name");
    const std::string impedance = ReadProfileString(file, section, "Impedance");
    const std::string group = ReadProfileString(file, section, "Group");
    if (name.empty() || impedance.empty() || group.empty()) return false;
    cable.CableName = GetField(name, 1);
    const std::string impedanceItem = GetField(impedance, 1);
    const std::string groupItem = GetField(group, 1);
    if (!IsNumeric(impedanceItem) || !IsNumeric(groupItem)) return false;
    const std::optional<std::int16_t> impedanceValue = RoundToInt16(NumericValue(impedanceItem));
    const std::optional<std::uint8_t> groupValue = RoundToByte(NumericValue(groupItem));
    if (!impedanceValue || !groupValue || *groupValue >= CableGroupTable.size()) return false;
    cable.CableImpedanceValue = *impedanceValue;
    cable.CableGroupNumber = *groupValue;
    return true;
}

bool LoadCables(const std::string& file, const std::string& phrase) {
    for (int n = 0;; ++n) {
        const std::string section =
            GetField(ReadProfileString(file, "Cables", "Cable" + std::to_string(n)), 1);
        if (section.empty()) break;
        Cable cable;
        if (!ReadCable(file, section, cable)) {
            ShowDataFileProblem("Invalid settings for cable " + std::to_string(n) + " in " +
                                phrase);
            return false;
        }
        CableTable.push_back(std::move(cable));
    }
    if (CableTable.empty()) {
        ShowDataFileProblem("No cables defined in " + phrase);
        return false;
    }
    return true;
}

// The first run offers North American users the "US" groups and everyone else the others.
void ChooseFirstRunGroups() {
    const bool northAmerican = IsNorthAmericanLocale();
    SettingsBatch batch;
    for (std::size_t n = 0; n < CableGroupTable.size(); ++n) {
        CableGroup& group = CableGroupTable[n];
        group.GroupShown = (group.GroupLocale == "US") == northAmerican;
        WriteSettingFlag(GroupSetting(n), group.GroupShown);
    }
    batch.Commit();
}

}  // namespace

std::string CableDataFilePath() {
    return JoinPath(Paths().dataRoot, "Tarvex/Cables/Cables.dat");
}

void ResetCableCatalogue() {
    CableGroupTable.clear();
    CableTable.clear();
}

bool LoadCableCatalogue() {
    ResetCableCatalogue();
    const std::string file = CableDataFilePath();
    if (!FileExists(file)) {
        ShowDataFileProblem("Unable to find file containing standard cable data: '" + file + "'.");
        return false;
    }
    const std::string phrase = FilePhrase(file);
    bool anyShown = false;
    if (!LoadGroups(file, phrase, anyShown) || !LoadCables(file, phrase)) return false;
    // Highest impedance first.
    ExchangeSortByKey(
        CableTable, 0, [](const Cable& c) { return c.CableImpedanceValue; },
        [](std::int16_t a, std::int16_t b) { return a < b; });
    if (!anyShown) ChooseFirstRunGroups();
    ApplyGroupVisibility();
    return true;
}

int FindCableByImpedance(int impedance) {
    for (std::size_t i = 0; i < CableTable.size(); ++i)
        if (CableTable[i].CableVisible && CableTable[i].CableImpedanceValue == impedance)
            return static_cast<int>(i);
    return static_cast<int>(CableTable.size());
}

std::string CableNameForImpedance(int impedance) {
    const int cable = FindCableByImpedance(impedance);
    return cable < static_cast<int>(CableTable.size())
               ? CableTable[static_cast<std::size_t>(cable)].CableName
               : kUserDefinedCable;
}

int FirstVisibleCableImpedance() {
    for (const Cable& c : CableTable)
        if (c.CableVisible) return c.CableImpedanceValue;
    return CableTable.empty() ? 0 : CableTable.front().CableImpedanceValue;
}

void ApplyGroupVisibility() {
    for (Cable& c : CableTable)
        c.CableVisible = c.CableGroupNumber < CableGroupTable.size() &&
                         CableGroupTable[c.CableGroupNumber].GroupShown;
}

std::vector<CableListEntry> CableListEntries(bool withUserDefined) {
    std::vector<CableListEntry> entries;
    for (std::size_t i = 0; i < CableTable.size(); ++i)
        if (CableTable[i].CableVisible)
            entries.push_back({CableTable[i].CableName, static_cast<int>(i)});
    if (withUserDefined) entries.push_back({kUserDefinedCable, -1});
    return entries;
}

void ApplyCableGroupSelection(const std::vector<bool>& selected) {
    bool changed = false;
    for (std::size_t n = 0; n < CableGroupTable.size(); ++n) {
        const bool shown = n < selected.size() && selected[n];
        if (shown == CableGroupTable[n].GroupShown) continue;
        WriteSettingFlag(GroupSetting(n), shown);
        CableGroupTable[n].GroupShown = shown;
        changed = true;
    }
    if (changed) ApplyGroupVisibility();
}
