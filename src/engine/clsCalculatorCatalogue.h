#pragma once
// How the loop model reads the catalogue tables: by number, with number 0 standing for "none"
// (an empty record that adds nothing), and a number outside its table a range fault.
#include <stdexcept>
#include <string>

#include "catalogue/DeviceTypes.h"
#include "catalogue/OtherDevices.h"
#include "catalogue/OutputBits.h"

namespace calculator_catalogue {

inline const DeviceTypeRecord kNoDeviceType{};
inline const OtherDevice kNoOtherDevice{};

inline const DeviceTypeRecord& DeviceTypeAt(int type) {
    return type == 0 ? kNoDeviceType : DeviceTypeRecordAt(type);
}

inline const OtherDevice& OtherDeviceAt(int other) {
    return other == 0 ? kNoOtherDevice : OtherDeviceRecordAt(other);
}

// The output group of an output bit: 1 drives an LED, 2 an output.
inline int OutputGroupOf(int outputUse) {
    if (const OutputBit* bit = FindInTable(OutputBitTable, outputUse)) return bit->OutputGroup;
    if (outputUse == 0) return 0;
    throw std::out_of_range("output bit " + std::to_string(outputUse) + " is not in the catalogue");
}

}  // namespace calculator_catalogue
