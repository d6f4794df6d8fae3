#pragma once
// A small catalogue built in memory for the loop model's tests: the program-wide tables are
// emptied and filled through the fixture, and emptied again at the end of the test.
// Output bits: 0 drives nothing, 1 an LED, 2 an output, 3 a remote output.
#include <cstdint>
#include <memory>
#include <string>

#include "catalogue/Cables.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/OtherDevices.h"
#include "engine/clsCalculator.h"

inline constexpr std::int16_t kNoOutput = 0;
inline constexpr std::int16_t kLedOutput = 1;
inline constexpr std::int16_t kDrivenOutput = 2;
inline constexpr std::int16_t kRemoteOutput = 3;

class EngineCatalogue {
public:
    EngineCatalogue();
    ~EngineCatalogue();
    EngineCatalogue(const EngineCatalogue&) = delete;
    EngineCatalogue& operator=(const EngineCatalogue&) = delete;

    // Appends a device type (its LedDisabledCurrentDiffers worked out as the loader does) and
    // returns its number.
    std::int16_t AddDevice(DeviceTypeRecord type);
    // Appends an other device and returns its number.
    std::int16_t AddOther(OtherDevice other);
    void AddCable(const std::string& name, std::int16_t impedance, bool visible);
};

// A device type drawing these currents (µA), with the same alarm current with its LED disabled.
DeviceTypeRecord Device(std::int32_t quiescent, std::int32_t alarm, double internalResistance = 0);
// A device type whose first output bit is of the given kind, drawing `bitCurrent` µA.
DeviceTypeRecord DeviceWithOutput(std::int32_t alarm, std::int16_t outputKind,
                                  std::int32_t bitCurrent);
// A device type with a switch-on surge and, when maxSurge is not 0, an isolator's surge limit.
DeviceTypeRecord SurgeDevice(std::int32_t surge, std::int32_t maxSurge = 0);
// An other device drawing these currents (µA) with an impedance (hundredths of an ohm).
OtherDevice Other(std::int32_t quiescent, std::int32_t alarm, std::int16_t impedance = 0);
OtherDevice StandaloneOther(std::int32_t quiescent, std::int32_t alarm, std::int16_t impedance = 0);
OtherDevice BaseOther(std::int32_t quiescent, std::int32_t alarm, std::int16_t impedance = 0);

// A cleared calculator with a panel that lets everything through: 24 V drive, 500 mA, no
// driver impedance.
std::unique_ptr<clsCalculator> NewLoop();

// Runs Calculate with the wiring checks on or off.
void Recalculate(clsCalculator& loop, bool wiringChecks = false, bool distribution = false,
                 std::int16_t percentage = 0);
