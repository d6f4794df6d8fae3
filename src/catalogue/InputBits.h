#pragma once
// The input bit table: what a device's input bits sense. Device types refer to its entries by
// number (`InputUse`); an entry whose use code is -1 is undefined and may not be used.
#include <cstdint>
#include <string>
#include <vector>

struct InputBit {
    std::string InputName;
    std::int16_t InputUseCode = 0;
    std::int16_t InputPicture = 0;
};

// Entries 0 to the highest input bit number (`MaxInputs`).
extern std::vector<InputBit> InputBitTable;

// Reads section [Inputs] of the standard device file; shows the first problem and returns false
// on failure.
bool LoadInputBits(const std::string& file);
// The highest input bit number (-1 while the table is empty).
int HighestInputBit();
// True when `number` lies within the table and that input bit is defined (use code not -1).
bool IsDefinedInputBit(int number);
void ResetInputBits();
