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
    if (type == 0) return kNoDeviceType;
    if (type < 0 || static_cast<std::size_t>(type) >= DeviceTypeTable.size())
        throw std::out_of_range("device type " + std::to_string(type) + " is not in the catalogue");
    return DeviceTypeTable[static_cast<std::size_t>(type)];
}

inline const OtherDevice& OtherDeviceAt(int other) {
    if (other == 0) return kNoOtherDevice;
    if (other < 0 || static_cast<std::size_t>(other) >= OtherDeviceTable.size())
        throw std::out_of_range("other device " + std::to_string(other) +
                                " is not in the catalogue");
    return OtherDeviceTable[static_cast<std::size_t>(other)];
}

// The output group of an output bit: 1 drives an LED, 2 an output.
inline int OutputGroupOf(int outputUse) {
    if (outputUse >= 0 && static_cast<std::size_t>(outputUse) < OutputBitTable.size())
        return OutputBitTable[static_cast<std::size_t>(outputUse)].OutputGroup;
    if (outputUse == 0) return 0;
    throw std::out_of_range("output bit " + std::to_string(outputUse) + " is not in the catalogue");
}

}  // namespace calculator_catalogue
