// The loop calculation: currents with the panel's limits on lit LEDs and driven outputs, the
// largest tolerable volt drop, and the volt drop, the longest cable run or the smallest cable.
#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

#include "catalogue/Cables.h"
#include "engine/clsCalculator.h"
#include "engine/clsCalculatorCatalogue.h"
#include "shell/RuntimeFault.h"

using calculator_catalogue::DeviceTypeAt;
using calculator_catalogue::OtherDeviceAt;
using calculator_catalogue::OutputGroupOf;

namespace {

constexpr int kLedGroup = 1;
constexpr int kOutputGroup = 2;

[[noreturn]] void ThrowOverflow() {
    throw RuntimeFault{6, "Overflow"};
}

std::int16_t ToInt16OrOverflow(double v) {
    const auto r = RoundToInt16(v);
    if (!r) ThrowOverflow();
    return *r;
}

// The share of the whole alarm current that effectively flows along the whole cable when n
// equal loads are spread evenly along it.
double BaseFactor(std::int32_t loadCount) {
    if (loadCount < 1) return 1.0;
    return static_cast<double>(loadCount + 1) / loadCount / 2;
}

// A cable length from the trapped steps of the cable-run calculation: a division by zero or a
// length too large to hold means the cable may be as long as the input allows.
Amount TrappedLength(double length) {
    if (!std::isfinite(length)) return Amount::FromWhole(clsCalculator::kMaxCableLength);
    try {
        return Amount::FromDouble(length);
    } catch (const std::overflow_error&) {
        return Amount::FromWhole(clsCalculator::kMaxCableLength);
    }
}

}  // namespace

void clsCalculator::SortCurrentsDescending(std::vector<std::int32_t>& currents, std::size_t first,
                                           std::size_t last) {
    if (first >= currents.size() || last < first) return;
    last = std::min(last, currents.size() - 1);
    std::sort(currents.begin() + static_cast<std::ptrdiff_t>(first),
              currents.begin() + static_cast<std::ptrdiff_t>(last) + 1, std::greater<>());
}

std::int64_t clsCalculator::DropSmallestCurrents(std::vector<std::int32_t>& currents,
                                                 std::int32_t limit) {
    const std::size_t keep = static_cast<std::size_t>(std::max(limit, 0));
    if (currents.empty()) return 0;
    SortCurrentsDescending(currents, 0, currents.size() - 1);
    std::int64_t dropped = 0;
    while (currents.size() > keep) {
        dropped += currents.back();
        currents.pop_back();
    }
    return dropped;
}

std::int16_t clsCalculator::VoltDropForCable(std::int32_t loadCount) {
    const double r = cableImpedance_ / 1000.0;
    double f = BaseFactor(loadCount);
    const double total = cableTotal_;
    const double first = cableFirst_;
    // All the current flows through the run to the first device; beyond it the loads are spread.
    if (cableTotal_ != 0) f = (total - first) / total * f + first / total;
    // total * r / 5: both cores of the cable, in hundredths of an ohm.
    const double resistance = (total * r / 5 + seriesResistance_) * f + driverImpedance_;
    double drop = alarmCurrentTotal_.ToDouble() * resistance / 10000000;  // tenths of a volt
    voltDropUnrounded_ = drop / 10;
    // The drop cannot exceed what the panel drives.
    if (minDriveVoltage_ / 10.0 < drop) drop = minDriveVoltage_ / 10.0;
    return ToInt16OrOverflow(drop);
}

void clsCalculator::CalculateMaximumCableRun(bool distribution, std::int16_t firstRunPercentage,
                                             std::int32_t loadCount) {
    const double r = cableImpedance_ / 1000.0;
    if (alarmCurrentTotal_ == Amount{}) {
        cableTotal_ = kMaxCableLength;
    } else {
        // The resistance, in hundredths of an ohm, that the loop may have.
        double allowed = maxVoltDrop_.ToDouble() / alarmCurrentTotal_.ToDouble() * 100000000.0 -
                         driverImpedance_;
        const double series = seriesResistance_;
        const double f0 = BaseFactor(loadCount);
        Amount length;
        if (distribution) {
            const double p = firstRunPercentage / 100.0;
            double f = p + (1 - p) * f0;
            if (f == 0) f = 1.0;
            allowed = allowed / f - series;
            length = TrappedLength(allowed / r * 5);
        } else {
            // (L r/5 + S)((L - L1) f0 + L1) = A L, a quadratic in the total run L.
            const double first = cableFirst_;
            const double b = 2 * r * first / 10 * (1 - f0) + series * f0 - allowed;
            const double d = b * b - 8 * r * f0 * series * first * (1 - f0) / 10;
            if (d < 0) {
                noValidCableLength_ = true;
            } else if (r != 0 && f0 != 0) {
                length = TrappedLength((std::sqrt(d) - b) / (4 * r * f0) * 10);
            } else {
                length = Amount::FromWhole(kMaxCableLength);
            }
        }
        if (length < Amount{}) {
            cableTotal_ = 0;
            noValidCableLength_ = true;
        } else if (length > Amount::FromWhole(kMaxCableLength)) {
            cableTotal_ = kMaxCableLength;
        } else {
            cableTotal_ = *length.ToInt32();
        }
    }
    if (distribution)
        cableFirst_ = ToInt16OrOverflow(
            static_cast<double>(std::int64_t{cableTotal_} * firstRunPercentage) / 100);
}

void clsCalculator::Calculate(bool distribution, std::int16_t firstRunPercentage,
                              bool skipWiringChecks) {
    lastDistribution_ = distribution;
    lastFirstRunPercentage_ = firstRunPercentage;
    lastSkipWiringChecks_ = skipWiringChecks;
    qtyDevices_ = 0;
    std::int32_t loadCount = 0;
    std::int16_t highestMinimumVoltage = 0;
    // Grown as devices are found: most loops list few currents, many none.
    std::vector<std::int32_t> leds, outputs, remoteLeds;
    bool ledsLimited = false;
    bool outputsLimited = false;
    noValidCableLength_ = false;

    for (std::size_t s = 0; s < kSlotCount; ++s) {
        if (deviceType_[s] == 0) continue;
        const DeviceTypeRecord& device = DeviceTypeAt(deviceType_[s]);
        ++qtyDevices_;
        loadCount += 1 + standaloneCount_[s];
        highestMinimumVoltage = std::max(highestMinimumVoltage, device.MinimumVoltage);
        for (std::size_t b = 0; b < 3; ++b) {
            const int group = OutputGroupOf(device.OutputUse[b]);
            if (group == kLedGroup)
                leds.push_back(device.OutputBitCurrent[b]);
            else if (group == kOutputGroup)
                outputs.push_back(device.OutputBitCurrent[b]);
        }
    }

    alarmCurrentDevices_ = dinLedsDisabled_ ? alarmCurrentLedsDisabled_ : alarmCurrentLedsEnabled_;
    // The panel lights and drives only so many at once; the ones left dark draw the least.
    if (static_cast<std::int64_t>(leds.size()) > alarmLeds_) {
        ledsLimited = true;
        alarmCurrentDevices_ -= Amount::FromWhole(DropSmallestCurrents(leds, alarmLeds_));
    }
    const std::int32_t outputLimit = std::min(maxOutput_, alarmOutputs_);
    if (static_cast<std::int64_t>(outputs.size()) > outputLimit) {
        outputsLimited = true;
        alarmCurrentDevices_ -= Amount::FromWhole(DropSmallestCurrents(outputs, outputLimit));
    }
    if (alarmCurrentDevices_ < Amount{}) alarmCurrentDevices_ = Amount{};
    quiescentCurrentTotal_ = quiescentCurrentDevices_;
    alarmCurrentTotal_ = alarmCurrentDevices_;

    for (std::size_t s = 0; s < kSlotCount; ++s) {
        for (std::int16_t number : {otherType_[s], otherBaseType_[s]}) {
            if (number == 0) continue;
            const OtherDevice& other = OtherDeviceAt(number);
            quiescentCurrentTotal_ += Amount::FromWhole(other.OtherQuiescent);
            if (other.FromRemote) {
                // Driven from the device's remote output: no device, no alarm current.
                if (deviceType_[s] != 0) {
                    alarmCurrentTotal_ += Amount::FromWhole(other.OtherAlarm);
                    if (other.FromRemoteSecond) remoteLeds.push_back(other.OtherAlarm);
                }
            } else {
                alarmCurrentTotal_ += Amount::FromWhole(other.OtherAlarm);
            }
            highestMinimumVoltage = std::max(highestMinimumVoltage, other.OtherMinVolts);
        }
    }
    quiescentCurrentTotal_ += standaloneQuiescent_;
    alarmCurrentTotal_ += standaloneAlarm_;

    if (static_cast<std::int64_t>(remoteLeds.size()) > alarmRemoteLeds_) {
        ledsLimited = true;
        alarmCurrentTotal_ -= Amount::FromWhole(DropSmallestCurrents(remoteLeds, alarmRemoteLeds_));
        if (alarmCurrentTotal_ < Amount{}) alarmCurrentTotal_ = Amount{};
    }

    const std::int32_t headroom = std::int32_t{minDriveVoltage_} - highestMinimumVoltage;
    if (headroom < INT16_MIN || headroom > INT16_MAX) ThrowOverflow();
    maxVoltDrop_ =
        Amount::FromScaled(std::int64_t{headroom} * 100);  // hundredths of a volt -> volts

    loadCount_ = loadCount;
    voltDropUnrounded_ = 0;
    switch (calcType_) {
        case 0:
            voltDrop_ = VoltDropForCable(loadCount);
            break;
        case 1:
            CalculateMaximumCableRun(distribution, firstRunPercentage, loadCount);
            voltDrop_ = VoltDropForCable(loadCount);
            break;
        case 2: {
            // The first selected cable, thickest first, that keeps the drop within bounds.
            bool anySelected = false;
            for (const Cable& cable : CableTable) {
                if (!cable.CableVisible) continue;
                anySelected = true;
                cableImpedance_ = cable.CableImpedanceValue;
                voltDrop_ = VoltDropForCable(loadCount);
                if (!VoltDropTooHigh()) break;
            }
            if (!anySelected) voltDrop_ = VoltDropForCable(loadCount);
            break;
        }
        default:
            voltDrop_ = 0;
            break;
    }

    loopDesign_ = JudgeDesign(skipWiringChecks);

    if (ledsLimited && outputsLimited)
        panelLimitText_ = "with panel-limited LEDs and outputs";
    else if (ledsLimited)
        panelLimitText_ = "with panel-limited LEDs";
    else if (outputsLimited)
        panelLimitText_ = "with panel-limited outputs";
    else
        panelLimitText_.clear();
}

bool clsCalculator::VoltDropTooHigh() const {
    // Tenths of a volt against volts with four decimals, compared exactly.
    return std::int64_t{voltDrop_} * 1000 > maxVoltDrop_.Scaled();
}

std::int32_t clsCalculator::JudgeDesign(bool skipWiringChecks) {
    const Amount limit = Amount::FromWhole(std::int64_t{maxLoopCurrent_} * 1000);
    if (quiescentCurrentTotal_ > limit) return kQuiescentTooHigh;
    if (alarmCurrentTotal_ > limit) return kAlarmCurrentTooHigh;
    if (VoltDropTooHigh()) return kVoltDropTooHigh;
    if (noValidCableLength_) return kNoValidCableLength;
    if (cableFirst_ > cableTotal_) return kFirstRunTooLong;
    if (skipWiringChecks || ignoreIsolators_) return kSatisfactory;
    return WiringVerdict();
}
