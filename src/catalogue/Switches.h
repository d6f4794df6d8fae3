#pragma once
// The DIL switch table: switches whose positions change a device's alarm current. Device types
// refer to its entries by number (`DilSwitch1`, `DilSwitch2`).
#include <cstdint>
#include <string>
#include <vector>

struct SwitchEntry {
    std::string SwitchName;
    std::string SwitchText2;
    std::int16_t AlarmCurrentOff = 0;
    std::int16_t AlarmCurrentOn = 0;
    bool SwitchDefaultOn = false;
    bool SwitchMaster[2] = {false, false};  // position 0 from item 6, position 1 from item 5
    bool SwitchSlave[2] = {false, false};
};

// Entries 0 to the highest switch number (`MaxSwitches`).
extern std::vector<SwitchEntry> SwitchTable;

// Reads section [Switches] of the standard device file; shows the first problem and returns
// false on failure.
bool LoadSwitches(const std::string& file);
// The highest switch number (-1 while the table is empty).
int HighestSwitch();
void ResetSwitches();
