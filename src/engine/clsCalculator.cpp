// The loop model: per-slot data, the running totals kept by the setters, the address order,
// the copy and the clearing.
#include "engine/clsCalculator.h"

#include <stdexcept>
#include <string>

#include "engine/clsCalculatorCatalogue.h"
#include "shell/RuntimeFault.h"

using calculator_catalogue::DeviceTypeAt;
using calculator_catalogue::OtherDeviceAt;

namespace {

bool IsSlot(std::int32_t slot) {
    return slot >= 0 && slot < clsCalculator::kSlotCount;
}

std::size_t SlotIndex(std::int32_t slot) {
    if (!IsSlot(slot))
        throw std::out_of_range("address " + std::to_string(slot) + " is outside 0 to 255");
    return static_cast<std::size_t>(slot);
}

std::size_t SubIndex(std::int32_t sub) {
    if (sub < clsCalculator::kFirstSub || sub > clsCalculator::kLastSub)
        throw std::out_of_range("sub-address " + std::to_string(sub) + " is outside 2 to 125");
    return static_cast<std::size_t>(sub - clsCalculator::kFirstSub);
}

// The alarm current of a device type while its LED is disabled.
std::int32_t AlarmCurrentLedOff(const DeviceTypeRecord& type) {
    return type.LedDisabledCurrentDiffers ? type.AlarmCurrentLedDisabled : type.AlarmCurrent;
}

// A base that is itself an addressable slave draws current like a device; other bases do not.
bool IsSlaveBase(const DeviceTypeRecord& type) {
    return type.NoOtherDevices && type.IsSlave;
}

}  // namespace

clsCalculator::clsCalculator() {
    ResetAddressOrder();
}

void clsCalculator::AddDeviceFigures(const DeviceTypeRecord& type, int sign) {
    quiescentCurrentDevices_ += Amount::FromWhole(type.QuiescentCurrent) * sign;
    alarmCurrentLedsEnabled_ += Amount::FromWhole(type.AlarmCurrent) * sign;
    alarmCurrentLedsDisabled_ += Amount::FromWhole(AlarmCurrentLedOff(type)) * sign;
    seriesResistance_ += type.InternalResistance * sign;
}

std::int32_t clsCalculator::LocationOfMaster(std::int32_t slot) const {
    const std::size_t s = SlotIndex(slot);
    const DeviceTypeRecord& device = DeviceTypeAt(deviceType_[s]);
    if (device.NoOtherDevices && device.IsMaster) {
        // A master base: the master is where the detector that carries it sits.
        for (std::int32_t other = 0; other < kSlotCount; ++other) {
            if (other == slot) continue;
            const auto o = static_cast<std::size_t>(other);
            if (baseAddress_[o] == slot && DeviceTypeAt(baseType_[o]).IsMaster) return other;
        }
    }
    return slot;
}

Amount clsCalculator::VoltDrop() const {
    return Amount::FromScaled(std::int64_t{voltDrop_} * 1000);
}

std::int16_t clsCalculator::DeviceType(std::int32_t slot) const {
    return IsSlot(slot) ? deviceType_[static_cast<std::size_t>(slot)] : 0;
}

void clsCalculator::DeviceType(std::int32_t slot, std::int16_t value) {
    if (!IsSlot(slot)) return;
    std::int16_t& stored = deviceType_[static_cast<std::size_t>(slot)];
    if (stored == value) return;
    const DeviceTypeRecord& added = DeviceTypeAt(value);
    const DeviceTypeRecord& removed = DeviceTypeAt(stored);
    AddDeviceFigures(added, 1);
    AddDeviceFigures(removed, -1);
    stored = value;
}

std::int32_t clsCalculator::QtyOthers(std::int32_t otherType) const {
    const OtherDevice& other = OtherDeviceAt(otherType);
    std::int32_t count = 0;
    if (other.IsStandaloneContext) {
        for (const auto& positions : standaloneType_)
            for (std::int16_t t : positions)
                count += t == otherType ? 1 : 0;
    } else {
        const auto& table = other.IsBaseContext ? otherBaseType_ : otherType_;
        for (std::int16_t t : table)
            count += t == otherType ? 1 : 0;
    }
    return count;
}

std::unique_ptr<clsCalculator> clsCalculator::Copy() const {
    auto copy = std::make_unique<clsCalculator>();
    copy->calcType_ = calcType_;
    copy->ignoreIsolators_ = ignoreIsolators_;
    for (std::int32_t slot = 0; slot < kSlotCount; ++slot) {
        const auto s = static_cast<std::size_t>(slot);
        copy->DeviceType(slot, deviceType_[s]);
        copy->DeviceOtherType(slot, otherType_[s]);
        copy->DeviceOtherBaseType(slot, otherBaseType_[s]);
        for (std::size_t i = 0; i < standaloneType_[s].size(); ++i)
            copy->DeviceStandaloneTypeAndAddress(slot, static_cast<std::int32_t>(i) + kFirstSub,
                                                 standaloneType_[s][i], standaloneAddress_[s][i]);
        copy->baseAddress_[s] = baseAddress_[s];
        copy->DeviceBaseType(slot, baseType_[s]);
    }
    // The order table is taken whole: replaying moves slot by slot cannot rebuild every order.
    copy->addressOrder_ = addressOrder_;
    copy->cableFirst_ = cableFirst_;
    copy->cableTotal_ = cableTotal_;
    copy->cableImpedance_ = cableImpedance_;
    copy->maxOutput_ = maxOutput_;
    copy->dinLedsDisabled_ = dinLedsDisabled_;
    copy->SetPanelData(alarmLeds_, alarmRemoteLeds_, alarmOutputs_, minDriveVoltage_,
                       maxLoopCurrent_, driverImpedance_);
    copy->Calculate(lastDistribution_, lastFirstRunPercentage_, lastSkipWiringChecks_);
    return copy;
}

void clsCalculator::SetPanelData(std::int32_t AlarmLEDs, std::int32_t AlarmRemoteLEDs,
                                 std::int32_t AlarmOutputs, std::int16_t MinDriveVoltage,
                                 std::int16_t MaxLoopCurrent, std::int16_t DriverImpedance) {
    alarmLeds_ = AlarmLEDs;
    alarmRemoteLeds_ = AlarmRemoteLEDs;
    alarmOutputs_ = AlarmOutputs;
    minDriveVoltage_ = MinDriveVoltage;
    maxLoopCurrent_ = MaxLoopCurrent;
    driverImpedance_ = DriverImpedance;
}

std::int16_t clsCalculator::DeviceOtherType(std::int32_t slot) const {
    return IsSlot(slot) ? otherType_[static_cast<std::size_t>(slot)] : 0;
}

void clsCalculator::SetAttachedOther(std::array<std::int16_t, kSlotCount>& table, std::int32_t slot,
                                     std::int16_t value) {
    if (!IsSlot(slot)) return;
    std::int16_t& stored = table[static_cast<std::size_t>(slot)];
    if (stored == value) return;
    const OtherDevice& added = OtherDeviceAt(value);
    const OtherDevice& removed = OtherDeviceAt(stored);
    // Other devices draw their currents in Calculate; only their impedance is a running total.
    seriesResistance_ += added.OtherImpedance;
    seriesResistance_ -= removed.OtherImpedance;
    stored = value;
}

void clsCalculator::DeviceOtherType(std::int32_t slot, std::int16_t value) {
    SetAttachedOther(otherType_, slot, value);
}

std::int32_t clsCalculator::AddressOrder(std::int32_t slot) const {
    return IsSlot(slot) ? addressOrder_[static_cast<std::size_t>(slot)] : 1;
}

void clsCalculator::AddressOrder(std::int32_t slot, std::int32_t order) {
    if (!IsSlot(slot) || order < 0 || order >= kSlotCount) return;
    const std::int32_t old = addressOrder_[static_cast<std::size_t>(slot)];
    // The slots between the old and the new position close up behind the moved slot, so the
    // orders stay a permutation.
    if (old < order) {
        for (std::int32_t& o : addressOrder_)
            if (o > old && o <= order) --o;
    } else if (old > order) {
        for (std::int32_t& o : addressOrder_)
            if (o >= order && o < old) ++o;
    }
    addressOrder_[static_cast<std::size_t>(slot)] = order;
}

void clsCalculator::ResetAddressOrder() {
    addressOrder_ = OwnNumbers<std::int32_t, kSlotCount>();
}

std::int32_t clsCalculator::AddressFromOrder(std::int32_t order) const {
    for (std::int32_t slot = 0; slot < kSlotCount; ++slot)
        if (addressOrder_[static_cast<std::size_t>(slot)] == order) return slot;
    return 1;
}

bool clsCalculator::AddressesAreInOrder() const {
    return addressOrder_ == OwnNumbers<std::int32_t, kSlotCount>();
}

bool clsCalculator::HoldsNothing() const {
    static constexpr std::array<std::int16_t, kSlotCount> noTypes{};
    static constexpr std::array<std::int32_t, kSlotCount> noCounts{};
    return deviceType_ == noTypes && otherType_ == noTypes && otherBaseType_ == noTypes &&
           baseType_ == noTypes && standaloneCount_ == noCounts &&
           baseAddress_ == OwnNumbers<std::int16_t, kSlotCount>() && AddressesAreInOrder();
}

bool clsCalculator::SlotIsBare(std::int32_t slot) const {
    const std::size_t s = SlotIndex(slot);
    return deviceType_[s] == 0 && otherType_[s] == 0 && otherBaseType_[s] == 0 &&
           baseType_[s] == 0 && standaloneCount_[s] == 0 && baseAddress_[s] == slot &&
           addressOrder_[s] == slot;
}

void clsCalculator::ClearData() {
    // An empty loop, or slot, has nothing to take off; only the settings go back.
    if (!HoldsNothing()) {
        for (std::int32_t slot = 0; slot < kSlotCount; ++slot) {
            if (SlotIsBare(slot)) continue;
            DeviceType(slot, 0);
            DeviceOtherType(slot, 0);
            DeviceOtherBaseType(slot, 0);
            // A slot without standalone devices holds only empty positions (type 0, address 0).
            if (standaloneCount_[static_cast<std::size_t>(slot)] != 0)
                for (std::int32_t sub = kFirstSub; sub <= kLastSub; ++sub)
                    DeviceStandalone(slot, sub, 0);
            baseAddress_[static_cast<std::size_t>(slot)] = static_cast<std::int16_t>(slot);
            DeviceBaseType(slot, 0);
        }
        ResetAddressOrder();
    }
    ignoreIsolators_ = false;
    cableFirst_ = 0;
    cableTotal_ = 0;
    maxOutput_ = 0;
    dinLedsDisabled_ = false;
}

std::int32_t clsCalculator::DeviceStandaloneAddress(std::int32_t slot, std::int32_t sub) const {
    const auto& addresses = standaloneAddress_[SlotIndex(slot)];
    const std::size_t i = SubIndex(sub);
    return addresses.empty() ? 0 : addresses[i];
}

std::int16_t clsCalculator::DeviceStandalone(std::int32_t slot, std::int32_t sub) const {
    const auto& types = standaloneType_[SlotIndex(slot)];
    const std::size_t i = SubIndex(sub);
    return types.empty() ? 0 : types[i];
}

void clsCalculator::DeviceStandaloneAddress(std::int32_t slot, std::int32_t sub,
                                            std::int32_t address) {
    DeviceStandaloneTypeAndAddress(slot, sub, DeviceStandalone(slot, sub), address);
}

void clsCalculator::DeviceStandalone(std::int32_t slot, std::int32_t sub, std::int16_t type) {
    DeviceStandaloneTypeAndAddress(slot, sub, type, 0);
}

std::int32_t clsCalculator::DeviceStandaloneCount(std::int32_t slot) const {
    return standaloneCount_[SlotIndex(slot)];
}

void clsCalculator::GetIsolatorSpacingFailPoint(std::int32_t& slot, std::int32_t& sub) const {
    slot = spacingFailSlot_;
    sub = spacingFailSub_;
}

std::int16_t clsCalculator::DeviceBaseType(std::int32_t slot) const {
    return baseType_[SlotIndex(slot)];
}

void clsCalculator::DeviceBaseType(std::int32_t slot, std::int16_t value) {
    std::int16_t& stored = baseType_[SlotIndex(slot)];
    if (stored == value) return;
    const DeviceTypeRecord& added = DeviceTypeAt(value);
    const DeviceTypeRecord& removed = DeviceTypeAt(stored);
    if (IsSlaveBase(added)) AddDeviceFigures(added, 1);
    if (IsSlaveBase(removed)) AddDeviceFigures(removed, -1);
    stored = value;
}

std::int32_t clsCalculator::DeviceBaseAddr(std::int32_t slot) const {
    return baseAddress_[SlotIndex(slot)];
}

void clsCalculator::DeviceBaseAddr(std::int32_t slot, std::int32_t value) {
    std::int16_t& stored = baseAddress_[SlotIndex(slot)];
    if (value < INT16_MIN || value > INT16_MAX) throw RuntimeFault{6, "Overflow"};
    stored = static_cast<std::int16_t>(value);
}

std::int16_t clsCalculator::DeviceOtherBaseType(std::int32_t slot) const {
    return IsSlot(slot) ? otherBaseType_[static_cast<std::size_t>(slot)] : 0;
}

void clsCalculator::DeviceOtherBaseType(std::int32_t slot, std::int16_t value) {
    SetAttachedOther(otherBaseType_, slot, value);
}

std::int32_t clsCalculator::QtyAddressableSlaveBases() const {
    std::int32_t count = 0;
    for (std::int16_t t : baseType_)
        count += t != 0 ? 1 : 0;
    return count;
}

void clsCalculator::DeviceStandaloneTypeAndAddress(std::int32_t slot, std::int32_t sub,
                                                   std::int16_t type, std::int32_t address) {
    if (!IsSlot(slot)) return;
    const auto s = static_cast<std::size_t>(slot);
    const std::size_t i = SubIndex(sub);
    if (standaloneType_[s].empty()) {
        if (type == 0) return;  // an empty position stays empty (type 0, address 0)
        standaloneType_[s].resize(kSubCount);
        standaloneAddress_[s].resize(kSubCount);
    }
    std::int16_t& storedType = standaloneType_[s][i];
    std::int32_t& storedAddress = standaloneAddress_[s][i];
    if (storedAddress == address && storedType == type) return;
    const OtherDevice& added = OtherDeviceAt(type);
    const OtherDevice& removed = OtherDeviceAt(storedType);
    const std::int16_t old = storedType;
    storedType = type;
    if (old != 0) {
        standaloneQuiescent_ -= Amount::FromWhole(removed.OtherQuiescent);
        standaloneAlarm_ -= Amount::FromWhole(removed.OtherAlarm);
        seriesResistance_ -= removed.OtherImpedance;
    } else {
        ++standaloneCount_[s];
    }
    if (type != 0) {
        storedAddress = address;
        standaloneQuiescent_ += Amount::FromWhole(added.OtherQuiescent);
        standaloneAlarm_ += Amount::FromWhole(added.OtherAlarm);
        seriesResistance_ += added.OtherImpedance;
    } else {
        storedAddress = 0;
        --standaloneCount_[s];
    }
}
