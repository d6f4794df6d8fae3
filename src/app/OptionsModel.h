#pragma once
// The options dialog without its window: which device families are offered, which device types
// are standard devices, the display units and the cable groups offered. The dialog edits its own
// copy of these choices; only OK stores them, all in one write of the settings.
#include <cstdint>
#include <string>
#include <vector>

// One item of a multiple-selection list: its text, the number it carries (a family, device type
// or cable group number) and whether it is selected.
struct OptionsListItem {
    std::string text;
    int number = 0;
    bool selected = false;
    friend bool operator==(const OptionsListItem&, const OptionsListItem&) = default;
};

class OptionsModel {
public:
    // Reads the catalogue and the preferences as they stand.
    OptionsModel();

    // Families 1 to FamilyCount. Family 0 holds the types that belong to no family; the device
    // chooser never offers it, so there is nothing to narrow and it is not listed.
    const std::vector<OptionsListItem>& Families() const { return families_; }
    // The eligible device types of the selected families, in type number order.
    const std::vector<OptionsListItem>& StandardDevices() const { return standard_; }
    // The cable groups whose cables the user's region can be offered: the "ALL" groups, and the
    // "US" groups for North American users or the "NONUS" groups for everyone else.
    const std::vector<OptionsListItem>& CableGroups() const { return cableGroups_; }
    std::uint8_t Units() const { return units_; }

    // A family clicked: deselecting it removes its types from the standard list; selecting it
    // adds them back, each selected as its stored standard flag says.
    void SetFamilySelected(int index, bool selected);
    void SetStandardSelected(int index, bool selected);
    void SetCableGroupSelected(int index, bool selected);
    void SetUnits(std::uint8_t units) { units_ = units; }

    // "1 family selected." or "<n> families selected."
    std::string FamilyCountText() const;
    // "1 device selected." or "<n> devices selected."
    std::string StandardCountText() const;

    // OK: refuses no family and no cable group, each with its message; otherwise stores the
    // families, the standard flags of the listed types, the units and the cable groups, in that
    // order, in one write of the settings. Returns true when the dialog may close. A write that
    // fails is reported through the common error handler and leaves every choice as it was.
    bool Accept();

private:
    void AddEligibleTypes(int family);

    std::vector<OptionsListItem> families_;
    std::vector<OptionsListItem> standard_;
    std::vector<OptionsListItem> cableGroups_;
    std::uint8_t units_ = 0;
};

// Whether the type may be listed as a standard device while its family is selected: not an
// icon-only type, a name, and not a slave.
bool IsListedStandardDevice(int type);
