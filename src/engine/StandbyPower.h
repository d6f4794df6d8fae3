#pragma once
// The standby battery a design needs: the charge the panel, its loops and the other loads on the
// same battery draw through the standby period and then the alarm period, with the standard's
// safety factor, and the smallest battery of the list that carries it.
//
// BS 5839-1 (EN 54-4 practice): C >= 1.25 x (I1 x T1 + D x I2 x T2), where D = 1 when the alarm
// current I2 is within the battery's own 20-hour rate (C / 20 h) and D = 1.75 when it is not, so
// a battery is judged by its own rate, size by size. NFPA 72: Ah = (I1 x T1 + I2 x T2) x 1.20
// (editions to 2019) or x 1.25 (2022). I1 and I2 are the total quiescent and alarm currents.
//
// All arithmetic is exact: currents, periods and sizes are decimal amounts, and every comparison
// of a requirement with a battery is made on exact fractions, so a battery exactly as large as the
// requirement is accepted.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shell/Numbers.h"

enum class BatteryStandard { BS5839, NFPA72_2019, NFPA72_2022 };

// Another load on the same battery (sounder circuits, auxiliary outputs, door holders ...).
struct OtherLoad {
    std::string name;
    std::int32_t quantity = 1;
    Amount quiescentMilliamps;  // each
    Amount alarmMilliamps;      // each
    friend bool operator==(const OtherLoad&, const OtherLoad&) = default;
};

// What the user enters; saved with the design.
struct StandbyPowerInputs {
    BatteryStandard standard = BatteryStandard::BS5839;
    // An NFPA 72 voice (emergency communication) system: its alarm period defaults to 15 min.
    bool voiceSystem = false;
    Amount standbyHours = Amount::FromWhole(24);  // T1
    Amount alarmMinutes = Amount::FromWhole(30);  // T2
    // The panel's own consumption; the panel catalogue does not hold it.
    Amount panelQuiescentMilliamps;
    Amount panelAlarmMilliamps;
    std::vector<OtherLoad> otherLoads;
    friend bool operator==(const StandbyPowerInputs&, const StandbyPowerInputs&) = default;
};

// The largest values the calculation takes; CheckStandbyInputs refuses anything beyond them.
inline constexpr std::int64_t kMaxStandbyHours = 1000;
inline constexpr std::int64_t kMaxAlarmMinutes = 1440;
inline constexpr std::int64_t kMaxLoadMilliamps = 100000;
inline constexpr std::int32_t kMaxLoadQuantity = 9999;
inline constexpr std::size_t kMaxOtherLoads = 100;

// The first value out of range (negative, or above its limit), as a message naming it; nothing
// when every value can be calculated.
std::optional<std::string> CheckStandbyInputs(const StandbyPowerInputs& inputs);

// The default alarm period: 30 min for BS 5839-1, 5 min for NFPA 72, 15 min for NFPA 72 voice
// systems.
Amount DefaultAlarmMinutes(BatteryStandard standard, bool voiceSystem);

// The loop totals of the design as calculated (µA), summed over its loops.
struct LoopCurrentTotals {
    Amount quiescentMicroamps;
    Amount alarmMicroamps;
    friend bool operator==(const LoopCurrentTotals&, const LoopCurrentTotals&) = default;
};

struct StandbyPowerResult {
    BatteryStandard standard = BatteryStandard::BS5839;
    // The total currents I1 and I2 in µA, exact (loops + panel + other loads).
    Amount quiescentMicroamps;
    Amount alarmMicroamps;
    Amount standbyHours;  // T1
    Amount alarmHours;    // T2 / 60, rounded at the fourth decimal for display
    // The two charges in Ah, rounded half to even at the fourth decimal for display.
    Amount standbyCharge;  // I1 x T1
    Amount alarmCharge;    // I2 x T2
    // The standard's safety factor: 1.25 (BS 5839-1, NFPA 72 2022) or 1.20 (NFPA 72 2019).
    Amount factor;
    // BS 5839-1 only: the requirement with D = 1 and with D = 1.75, and the smallest capacity
    // whose 20-hour rate carries the alarm current (20 h x I2), each in Ah rounded for display.
    Amount requirementD1;
    Amount requirementD175;
    Amount alarmRateCapacity;
    // The D in force at the required capacity (1 or 1.75; 1 under NFPA 72).
    Amount derating;
    // The smallest capacity that meets the rule, in Ah, rounded half to even at two decimals.
    Amount requiredCapacity;
    // The smallest listed battery that meets the rule; nothing when none is large enough or the
    // list is empty.
    std::optional<Amount> recommendedSize;
    // The working, one line a step, ready to show or print.
    std::vector<std::string> working;
    friend bool operator==(const StandbyPowerResult&, const StandbyPowerResult&) = default;
};

// The calculation, for inputs CheckStandbyInputs accepts. `sizesAh` is the battery list (any
// order; sizes of 0 Ah or less are ignored).
StandbyPowerResult CalculateStandbyPower(const StandbyPowerInputs& inputs,
                                         const LoopCurrentTotals& loops,
                                         const std::vector<Amount>& sizesAh);

// Names as the command line takes them ("bs5839", "nfpa72-2019", "nfpa72-2022") and as people
// read them ("BS 5839-1", "NFPA 72 (2019)", "NFPA 72 (2022)").
std::string StandardKey(BatteryStandard standard);
std::optional<BatteryStandard> StandardFromKey(const std::string& key);
std::string StandardName(BatteryStandard standard);
