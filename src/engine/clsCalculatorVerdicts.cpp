// The texts that tell the user what the last calculation decided and why.
#include <algorithm>
#include <array>

#include "engine/clsCalculator.h"
#include "engine/clsCalculatorCatalogue.h"
#include "shell/RuntimeFault.h"

namespace {

struct VerdictTexts {
    const char* oneLine;
    const char* firstLine;
    const char* secondLine;
};

constexpr std::array<VerdictTexts, 9> kVerdictTexts{{
    {"Loop Satisfactory", "Loop Design", "Satisfactory"},
    {"Alarm Current Too High", "Alarm Current", "Too High"},
    {"Volt Drop Too High", "Volt Drop", "Too High"},
    {"Quiescent Too High", "Quiescent", "Too High"},
    {"1st Cable Run Too Long", "Cable Run to 1st", "Device Too Long"},
    {"No Valid Cable Length", "No Valid", "Cable Length"},
    {"Surge Current Too High", "Switch-on Surge", "Too High"},
    {"Isolator between Master/Slave", "Isolator between", "Master & Slave"},
    {"Ondrix Loop Interface", "Not enough Ondrix", "Loop Interfaces"},
}};

const VerdictTexts* TextsOf(std::int32_t code) {
    if (code < 0 || code >= static_cast<std::int32_t>(kVerdictTexts.size())) return nullptr;
    return &kVerdictTexts[static_cast<std::size_t>(code)];
}

constexpr const char* kUnknownReason = "Unknown reason";

// The name of a device type, empty for a number the catalogue does not hold.
std::string DeviceTypeName(std::int32_t type) {
    if (type < 0 || static_cast<std::size_t>(type) >= DeviceTypeTable.size()) return "";
    return DeviceTypeTable[static_cast<std::size_t>(type)].Name;
}

// An end of a cable segment: an isolator's address, or 0 for the control panel.
std::string SegmentEnd(std::int32_t address) {
    return address != 0 ? "isolator at address " + FormatGeneral(std::int64_t{address})
                        : "control panel";
}

}  // namespace

std::string clsCalculator::LoopDesignShort() const {
    const VerdictTexts* texts = TextsOf(loopDesign_);
    return texts ? texts->oneLine : "";
}

std::string clsCalculator::LoopDesignLong() const {
    const VerdictTexts* texts = TextsOf(loopDesign_);
    return texts ? std::string(texts->firstLine) + "\n" + texts->secondLine : "";
}

std::string clsCalculator::DesignExplanation() const {
    const auto number = [](std::int64_t v) { return FormatGeneral(v); };
    const std::string loopLimit =
        CurrentText(Amount::FromWhole(std::int64_t{maxLoopCurrent_} * 1000));
    switch (loopDesign_) {
        case kSatisfactory:
            return "";
        case kAlarmCurrentTooHigh:
            return "The total alarm current drawn by the devices on the loop is greater than that "
                   "permitted by the "
                   "control panel (" +
                   loopLimit + ").";
        case kVoltDropTooHigh:
            return "The calculated final voltage at a device on the loop is below that required "
                   "for its operation.";
        case kQuiescentTooHigh:
            return "The total quiescent current drawn by the devices on the loop is greater than "
                   "that permitted by "
                   "the control panel (" +
                   loopLimit + ").";
        case kFirstRunTooLong:
            return "The cable run to the first device is greater than the total cable length!";
        case kNoValidCableLength:
            return "While attempting to calculate a maximum cable length, even a cable length of 0 "
                   "resulted in the "
                   "volt drop being too high.";
        case kSurgeTooHigh:
            return "The total switch-on surge current of devices between the " +
                   SegmentEnd(surgeFromAddress_) + " and the " + SegmentEnd(surgeToAddress_) +
                   " (" + CurrentText(surgeCurrent_) + ") is too high.";
        case kIsolatorBetweenMasterSlave: {
            std::string text = "There is an Isolator between a Master device";
            if (masterAddress_ != masterLocation_) text += " wired with detector";
            text += " at address " + number(masterLocation_) + " and an associated Slave device";
            if (!standaloneSlave_)
                text += " wired with detector at address " + number(slaveAddress_);
            else if (slaveNextAddress_ == 0)
                text += " wired between address " + number(slaveAddress_) + " and control panel";
            else
                text += " wired between addresses " + number(slaveAddress_) + " and " +
                        number(slaveNextAddress_);
            return text;
        }
        case kDependentDevices:
            if (dependentFailAddress_ > 0) {
                const std::int16_t device = DeviceType(dependentFailAddress_);
                std::int32_t needed = 0;
                if (device >= 0 && static_cast<std::size_t>(device) < DeviceTypeTable.size())
                    needed = DeviceTypeTable[static_cast<std::size_t>(device)].DependsOnDevice;
                return "Device at address " + number(dependentFailAddress_) +
                       " does not have a corresponding " + DeviceTypeName(needed) + ".";
            }
            if (dependentFailType_ >= 1 &&
                static_cast<std::size_t>(dependentFailType_) < DeviceTypeTable.size()) {
                const DeviceTypeRecord& type =
                    DeviceTypeTable[static_cast<std::size_t>(dependentFailType_)];
                return "There are more than " + number(type.MaximumDependents) +
                       " dependent devices per " + type.Name + ".";
            }
            return kUnknownReason;
        default:
            return kUnknownReason;
    }
}

std::int32_t clsCalculator::LongestLoopDesignShort(const TextMeasurer& measurer) const {
    double widest = 0;
    for (const VerdictTexts& texts : kVerdictTexts)
        widest = std::max(widest, measurer.TextWidth(texts.oneLine));
    const auto whole = RoundToInt32(widest);
    if (!whole) throw RuntimeFault{6, "Overflow"};
    return *whole;
}
