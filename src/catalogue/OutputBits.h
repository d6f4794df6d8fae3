#pragma once
// The output bit table: what a device's output bits drive (an LED, a relay, a remote output).
// Device types refer to its entries by number (`OutputUse`).
#include <cstdint>
#include <string>
#include <vector>

struct OutputBit {
    std::string OutputName;
    std::int16_t OutputUseCode = 0;
    std::int16_t OutputGroup = 0;
};

// Entries 0 to the highest output bit number (`MaxOutputs`).
extern std::vector<OutputBit> OutputBitTable;

// Reads section [Outputs] of the standard device file; shows the first problem and returns false
// on failure.
bool LoadOutputBits(const std::string& file);
// The highest output bit number (-1 while the table is empty).
int HighestOutputBit();
// True when `number` names an entry of the table whose output group is 3.
bool IsOutputGroup3(int number);
void ResetOutputBits();
