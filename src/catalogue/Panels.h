#pragma once
// The control panel catalogue: the fire control panels loops are designed for, grouped by
// manufacturer.
//
// Standard panels come from the shipped panel file (stdpan.dat, or revisedstdpan.dat when that
// is present and not older); user-defined panels from CUSTPAN.DAT in the user's own panel folder,
// which the program reads and writes. The tables are program-wide, filled once by
// LoadPanelCatalogue and afterwards changed only by AddCustomPanel, UpdateCustomPanel and
// DeleteCustomPanel, each of which writes CUSTPAN.DAT at once. ResetPanelCatalogue empties them
// so that a fresh catalogue can be loaded.
#include <cstdint>
#include <string>
#include <vector>
#include "catalogue/TableLookup.h"

struct PanelManufacturer {
    std::string ManufacturerName;     // display name
    std::string ManufacturerSection;  // section of the standard file holding its panel list
};

struct ControlPanel {
    bool IsStandardPanel = false;
    // Number of the manufacturer entry; -1 marks a user-defined panel deleted during this run.
    std::int16_t Manufacturer = 0;
    std::string PanelName;
    std::string PanelSection;
    std::uint8_t Loops = 0;
    std::int16_t DriverImpedance = 0;    // hundredths of an ohm
    std::uint8_t AlarmLEDs = 0;          // most device LEDs lit in alarm
    std::uint8_t RemoteLEDs = 0;         // most remote LEDs lit in alarm
    std::uint8_t Outputs = 0;            // most outputs driven in alarm
    std::int16_t MaxLoopCurrent = 0;     // mA
    std::int16_t MaxTotalCurrent = 0;    // mA, all loops together
    std::int16_t MinLoopVoltage = 0;     // hundredths of a volt
    std::int16_t MaxDevicesPerLoop = 0;  // highest address usable on a loop
};

// Manufacturers, sorted by display name, then "User-Defined Panels" (section "Custom").
extern std::vector<PanelManufacturer> ManufacturerTable;
// All panels of every manufacturer, sorted by PanelName ignoring letter case.
extern std::vector<ControlPanel> PanelTable;
extern int CustomManufacturerIndex;
extern int CustomPanelCount;
// The panel named exactly "Unknown Panel"; -1 when there is none. It follows its record when
// the table is sorted again.
extern int UnknownPanelIndex;

// The panel data folder and files. Standard files lie under the data root; CUSTPAN.DAT under the
// user root, because the shipped data folder is not writable.
std::string PanelDataFolder();
std::string StandardPanelFilePath();         // .../Tarvex/Panels/stdpan.dat
std::string RevisedStandardPanelFilePath();  // .../Tarvex/Panels/revisedstdpan.dat
std::string CustomPanelFilePath();           // .../Tarvex/Panels/CUSTPAN.DAT under the user root
// The standard file loading uses: the revised file when it exists, unless the plain file also
// exists and was modified later.
std::string ChooseStandardPanelFile();

// Loads the standard panels, adds the user-defined manufacturer and panels, sorts; shows the
// first problem and returns false on failure.
bool LoadPanelCatalogue();
void ResetPanelCatalogue();

int GetCurrentPanel();
// The panel at table place `panel`: nullptr outside the table / a range fault outside it.
inline const ControlPanel* FindPanelRecord(int panel) {
    return FindInTable(PanelTable, panel);
}
inline const ControlPanel& PanelRecordAt(int panel) {
    return RecordInTable(PanelTable, panel, "control panel");
}
// The chosen panel's record, or nullptr when no panel is chosen.
inline const ControlPanel* ChosenPanelRecord() {
    return FindPanelRecord(GetCurrentPanel());
}
// Makes `panel` current; when it changed, stores its name as the setting LastPanel.
void SetCurrentPanel(int panel);
// Makes the first panel whose name equals `name` (ignoring letter case) current.
bool SelectPanelByName(const std::string& name);
// SelectPanelByName(name), else the panel "Unknown Panel"; when that is missing too, reports
// "Unable to find default control panel data 'Unknown Panel'" and returns false.
bool SelectPanelOrUnknown(const std::string& name);

// Stores a new user-defined panel in the lowest free section of CUSTPAN.DAT and in the table.
// Returns its number in the re-sorted table, or -1 after reporting a file that cannot be
// written (the table is then unchanged).
int AddCustomPanel(const ControlPanel& panel);
// Replaces a user-defined panel's record and rewrites its section; re-sorts when the name
// changed. Returns false, with the table unchanged, for a number that is not a live
// user-defined panel or after reporting a file that cannot be written.
bool UpdateCustomPanel(int number, const ControlPanel& panel);
// Deletes a user-defined panel from CUSTPAN.DAT; its record stays in the table with
// Manufacturer -1. Refuses the panel the current design uses, with its message.
bool DeleteCustomPanel(int number);
