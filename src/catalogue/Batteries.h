#pragma once
// The battery list: the standby battery sizes offered when a design's battery is chosen, in Ah.
// It is read on first use, not at start-up, so a missing or damaged list never keeps the loop
// design from opening; the problem is shown when the battery is first asked for.
#include <string>
#include <vector>

#include "shell/Numbers.h"

// The battery data file: .../Tarvex/Batteries/Batteries.dat under the data root.
std::string BatteryDataFilePath();

// Reads the list on first call (showing the first problem found); later calls return the same
// answer. False when the list could not be read.
bool LoadBatteryCatalogue();
// The sizes read, smallest first; empty when the list could not be read.
const std::vector<Amount>& BatterySizes();
// Forgets the list, so that the next LoadBatteryCatalogue reads the file again.
void ResetBatteryCatalogue();
