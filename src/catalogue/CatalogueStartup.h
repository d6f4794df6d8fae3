#pragma once
// Loading every catalogue at start-up, headless: what the main window does while it loads and
// what quelmar-cli check-data runs.
//
// The order: device types with their input bits, output bits and switches; the standard-device
// choices; the panels; the cables; the last cable impedance; the last calculation type; the other
// devices; then the panel named by the setting LastPanel, falling back to "Unknown Panel".
// Every table is reset first, so the sequence can run again on other data. The first failure
// has shown its one message; the sequence then stops and returns false.
#include <string>

// Runs the sequence. The legacy settings copy runs first.
bool LoadCatalogues();

// Empties every catalogue table, as the sequence does first.
void ResetCatalogues();

// How much the loaded catalogues hold.
struct CatalogueCounts {
    int families = 0;     // FamilyCount + 1 (family 0 included)
    int deviceTypes = 0;  // named device types, type 0 not counted
    int panels = 0;       // standard and user-defined panels
    int cables = 0;
    int otherDevices = 0;  // entry 0 not counted
};
CatalogueCounts CountCatalogues();
// "families 6, device types 42, panels 25, cables 12, other devices 14"
std::string CatalogueCountsText(const CatalogueCounts& counts);
