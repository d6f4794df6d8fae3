#pragma once
// The cable catalogue: standard loop cables the user can pick by name instead of typing an
// impedance, in cable groups (for example by market). Which groups are offered is the user's
// choice, kept as the settings CableGroup<n>; on the first run North American users are offered
// the "US" groups and everyone else the "NONUS" and "ALL" groups.
#include <cstdint>
#include <string>
#include <vector>
#include "catalogue/TableLookup.h"

struct CableGroup {
    std::string GroupName;
    std::string GroupLocale;  // "US", "NONUS" or "ALL"
    bool GroupShown = false;
};

struct Cable {
    std::string CableName;
    std::int16_t CableImpedanceValue = 0;  // hundredths of an ohm per km per core
    bool CableVisible = false;             // copied from its group's GroupShown
    std::uint8_t CableGroupNumber = 0;
};

extern std::vector<CableGroup> CableGroupTable;
// Sorted by impedance, highest first.
extern std::vector<Cable> CableTable;
// The cable at table place `cable`: nullptr outside the table / a range fault outside it.
inline const Cable* FindCableRecord(int cable) {
    return FindInTable(CableTable, cable);
}
inline const Cable& CableRecordAt(int cable) {
    return RecordInTable(CableTable, cable, "cable");
}

// The cable data file: .../Tarvex/Cables/Cables.dat under the data root.
std::string CableDataFilePath();

// Loads groups and cables and applies the groups' visibility; shows the first problem and
// returns false on failure.
bool LoadCableCatalogue();
void ResetCableCatalogue();

// The first visible cable of this impedance; when none, the number after the last cable, which
// stands for "User-Defined".
int FindCableByImpedance(int impedance);
// That cable's name, or "User-Defined".
std::string CableNameForImpedance(int impedance);
// The impedance of the first visible cable, or of cable 0 when none is visible (0 when the table
// is empty).
int FirstVisibleCableImpedance();
// Sets every cable's CableVisible from its group's GroupShown.
void ApplyGroupVisibility();

// One entry of a drop-down list of cables: the text and the item data.
struct CableListEntry {
    std::string Text;
    int ItemData = 0;
};
// The visible cables in table order, each with its cable number; then, when asked for,
// "User-Defined" with -1.
std::vector<CableListEntry> CableListEntries(bool withUserDefined);
// Takes the groups the user selected (one flag per group, in group order): every group whose
// flag differs from GroupShown takes it and its setting CableGroup<n> is written; when anything
// changed the cables' visibility is applied again. Missing flags count as not selected.
void ApplyCableGroupSelection(const std::vector<bool>& selected);
