#include "document/LoopEditorPlacement.h"

#include <array>
#include <vector>

#include "catalogue/DeviceTypes.h"
#include "catalogue/OtherDevices.h"
#include "document/DesignDocument.h"
#include "engine/clsCalculator.h"
#include "shell/Numbers.h"

namespace {

constexpr int kSlots = clsCalculator::kSlotCount;

const std::string kMasterNeeded =
    "A 'Master' device must be present on the loop in order to use 'Slave' devices.";

const DeviceTypeRecord& TypeRecord(int type) {
    static const DeviceTypeRecord none{};
    const DeviceTypeRecord* record = FindDeviceTypeRecord(type);
    return record ? *record : none;
}

const OtherDevice& OtherRecord(int other) {
    static const OtherDevice none{};
    const OtherDevice* record = FindOtherDeviceRecord(other);
    return record ? *record : none;
}

bool HasDevice(const clsCalculator& calc, int slot) {
    return calc.DeviceType(slot) != 0;
}

bool IsMasterType(int type) {
    return TypeRecord(type).IsMaster;
}

// Nothing at all hangs on the slot: no other device, no other base, no base-mounted device.
bool CarriesNothing(const clsCalculator& calc, int slot) {
    return calc.DeviceOtherType(slot) == 0 && calc.DeviceOtherBaseType(slot) == 0 &&
           calc.DeviceBaseType(slot) == 0;
}

// A standalone device that was placed for a master (its other device names an addressable
// device) and so keeps that master's slot as its standalone address.
bool ListensToMaster(const clsCalculator& calc, int slot, int sub) {
    const int standalone = calc.DeviceStandalone(slot, sub);
    return standalone != 0 && OtherRecord(standalone).AddressableDevice != 0;
}

// Standalone devices that listened to the master at `from` listen to `to` instead.
void RedirectStandaloneSlaves(clsCalculator& calc, int from, int to) {
    for (int slot = 0; slot < kSlots; ++slot)
        for (int sub = clsCalculator::kFirstSub; sub <= clsCalculator::kLastSub; ++sub)
            if (ListensToMaster(calc, slot, sub) && calc.DeviceStandaloneAddress(slot, sub) == from)
                calc.DeviceStandaloneAddress(slot, sub, to);
}

// The carried value and eavesdrop flag of an address travel with the device that sits there.
void MoveCarriedData(const LoopSlots& loop, int from, int to) {
    loop.doc.DeviceCarriedValue(loop.loop, to) = loop.doc.DeviceCarriedValue(loop.loop, from);
    loop.doc.DeviceEavesdropFlag(loop.loop, to) = loop.doc.DeviceEavesdropFlag(loop.loop, from);
    loop.doc.DeviceCarriedValue(loop.loop, from) = 0;
    loop.doc.DeviceEavesdropFlag(loop.loop, from) = false;
}

// Moves the device at `from`, with everything attached to it, to the empty slot `to`.
// A device without a base-mounted slave keeps pointing at itself; whatever listened to the
// device at its old address (slaves in other devices' bases, standalone slaves of a master)
// listens to it at the new one.
void MoveDevice(const LoopSlots& loop, int from, int to) {
    clsCalculator& calc = loop.calc;
    const std::int16_t type = calc.DeviceType(from);
    const std::int32_t baseAddr = calc.DeviceBaseAddr(from);
    calc.DeviceType(to, type);
    calc.DeviceOtherType(to, calc.DeviceOtherType(from));
    calc.DeviceOtherBaseType(to, calc.DeviceOtherBaseType(from));
    calc.DeviceBaseAddr(to, baseAddr == from ? to : baseAddr);
    calc.DeviceBaseType(to, calc.DeviceBaseType(from));
    MoveCarriedData(loop, from, to);

    calc.DeviceBaseAddr(from, from);
    calc.DeviceBaseType(from, 0);
    calc.DeviceOtherType(from, 0);
    calc.DeviceOtherBaseType(from, 0);
    calc.DeviceType(from, 0);

    for (int slot = 0; slot < kSlots; ++slot)
        if (slot != to && calc.DeviceBaseType(slot) != 0 && calc.DeviceBaseAddr(slot) == from)
            calc.DeviceBaseAddr(slot, to);
    if (IsMasterType(type)) RedirectStandaloneSlaves(calc, from, to);
}

// The first slot from `start` on where a device of type `mover` may be moved to get it out of
// the way of `type`: empty, carrying nothing, allowed for the mover and not for `type`.
int RelocationTarget(const clsCalculator& calc, int start, int mover, int type) {
    for (int slot = start; slot < kSlots; ++slot)
        if (!HasDevice(calc, slot) && CarriesNothing(calc, slot) && IsAddressAllowed(mover, slot) &&
            !IsAddressAllowed(type, slot))
            return slot;
    return -1;
}

int CountFreeSlots(const clsCalculator& calc, int type) {
    int free = 0;
    for (int slot = 0; slot < kSlots; ++slot)
        if (IsAddressAllowed(type, slot) && !HasDevice(calc, slot)) ++free;
    return free;
}

RuleResult AddSlaves(const LoopSlots& loop, int type, int count) {
    clsCalculator& calc = loop.calc;
    const DeviceTypeRecord& slave = TypeRecord(type);
    const int master = MasterForNewSlave(calc, type);
    if (master < 0) return {false, kMasterNeeded};

    std::vector<int> hosts;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (!IsAddressAllowed(type, slot) || !HasDevice(calc, slot)) continue;
        const DeviceTypeRecord& host = TypeRecord(calc.DeviceType(slot));
        if (!host.NoOtherDevices && host.BaseType == slave.BaseType &&
            calc.DeviceBaseAddr(slot) == slot && calc.DeviceBaseType(slot) == 0)
            hosts.push_back(slot);
    }
    if (static_cast<int>(hosts.size()) < count)
        return {false,
                "There are not enough compatible devices available for " + slave.Name + "s."};

    for (int i = 0; i < count; ++i) {
        calc.DeviceBaseAddr(hosts[static_cast<std::size_t>(i)], master);
        calc.DeviceBaseType(hosts[static_cast<std::size_t>(i)], static_cast<std::int16_t>(type));
    }
    return {};
}

RuleResult AddAddressedDevices(const LoopSlots& loop, int type, int count) {
    clsCalculator& calc = loop.calc;
    int free = CountFreeSlots(calc, type);
    // Make room by moving devices that may also live outside this type's range. A device that
    // has nowhere to go is passed over; the next one may still fit somewhere.
    int target = 0;
    for (int slot = 0; slot < kSlots && free < count; ++slot) {
        if (!IsAddressAllowed(type, slot) || !HasDevice(calc, slot)) continue;
        const int to = RelocationTarget(calc, target, calc.DeviceType(slot), type);
        if (to < 0) continue;
        MoveDevice(loop, slot, to);
        ++free;
        target = to + 1;
    }
    if (free < count)
        return {false, "There are not enough compatible addresses available for " +
                           TypeRecord(type).Name + "s."};

    int placed = 0;
    for (int slot = 0; slot < kSlots && placed < count; ++slot)
        if (IsAddressAllowed(type, slot) && !HasDevice(calc, slot)) {
            calc.DeviceType(slot, static_cast<std::int16_t>(type));
            ++placed;
        }
    return {};
}

// The first slot from `start` on that can take over both the other device and the other base
// of a device of `type` that is to be removed.
int AttachmentTarget(const clsCalculator& calc, int start, int type, int other, int otherBase) {
    for (int slot = start; slot < kSlots; ++slot) {
        const int host = calc.DeviceType(slot);
        if (host != 0 && host != type && calc.DeviceOtherType(slot) == 0 &&
            calc.DeviceOtherBaseType(slot) == 0 && IsCompatible(host, other) &&
            IsCompatible(host, otherBase))
            return slot;
    }
    return -1;
}

// The base-mounted master that slaves left by a removed master follow: the one a new slave of
// their type would get, or else the highest remaining one.
int MasterForOrphanedSlave(const clsCalculator& calc, int slaveType) {
    const int master = MasterForNewSlave(calc, slaveType);
    if (master >= 0) return master;
    for (int slot = kSlots - 1; slot >= 0; --slot)
        if (IsBaseMountedMasterType(calc.DeviceType(slot))) return slot;
    return -1;
}

// The lowest remaining master device, which a new standalone slave would listen to; -1 if none.
int FirstMaster(const clsCalculator& calc) {
    for (int slot = 0; slot < kSlots; ++slot)
        if (IsMasterType(calc.DeviceType(slot))) return slot;
    return -1;
}

// After masters were removed: every slave that listened to one of them follows a remaining master.
void ReassignSlaves(clsCalculator& calc, const std::vector<int>& removed, int type) {
    auto wasRemoved = [&](int slot) {
        for (int r : removed)
            if (r == slot) return true;
        return false;
    };
    if (IsBaseMountedMasterType(type))
        for (int slot = 0; slot < kSlots; ++slot) {
            const int base = calc.DeviceBaseType(slot);
            if (base == 0 || calc.DeviceBaseAddr(slot) == slot ||
                !wasRemoved(calc.DeviceBaseAddr(slot)))
                continue;
            const int master = MasterForOrphanedSlave(calc, base);
            if (master >= 0) calc.DeviceBaseAddr(slot, master);
        }
    if (IsMasterType(type)) {
        // Without any master left, a standalone slave is marked as belonging to none rather
        // than to an empty address that a later device could take.
        const int master = FirstMaster(calc);
        for (int r : removed)
            RedirectStandaloneSlaves(calc, r, master < 0 ? 0 : master);
    }
}

bool IsRemovable(const clsCalculator& calc, int slot, int type) {
    if (IsBaseMountedSlaveType(type)) return calc.DeviceBaseType(slot) == type;
    return calc.DeviceType(slot) == type && CarriesNothing(calc, slot);
}

}  // namespace

bool IsBaseMountedSlaveType(int type) {
    const DeviceTypeRecord& t = TypeRecord(type);
    return type != 0 && t.NoOtherDevices && t.IsSlave;
}

bool IsBaseMountedMasterType(int type) {
    const DeviceTypeRecord& t = TypeRecord(type);
    return type != 0 && t.NoOtherDevices && t.IsMaster;
}

int AddressRangeCountOf(int type) {
    const std::int32_t range = TypeRecord(type).AddressRange;
    if (range < 0 || range >= static_cast<std::int32_t>(AddressRangeTable.size())) return 0;
    return AddressRangeTable[static_cast<std::size_t>(range)].RangeCount;
}

int CountDevicesOfType(const clsCalculator& calc, int type) {
    const bool slave = IsBaseMountedSlaveType(type);
    int count = 0;
    for (int slot = 0; slot < kSlots; ++slot)
        if ((slave ? calc.DeviceBaseType(slot) : calc.DeviceType(slot)) == type) ++count;
    return count;
}

int MasterForNewSlave(const clsCalculator& calc, int slaveType) {
    int master = -1;
    for (int slot = 0; slot < kSlots; ++slot)
        if (IsAddressAllowed(slaveType, slot) && IsBaseMountedMasterType(calc.DeviceType(slot)))
            master = slot;
    return master;
}

RuleResult AddDevices(const LoopSlots& loop, int type, int count) {
    return IsBaseMountedSlaveType(type) ? AddSlaves(loop, type, count)
                                        : AddAddressedDevices(loop, type, count);
}

RuleResult RemoveDevices(const LoopSlots& loop, int type, int count, bool removingAll) {
    clsCalculator& calc = loop.calc;
    int removable = 0, masters = 0, slaves = 0;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (IsRemovable(calc, slot, type)) ++removable;
        if (IsBaseMountedMasterType(calc.DeviceType(slot))) ++masters;
        if (IsBaseMountedSlaveType(calc.DeviceBaseType(slot))) ++slaves;
    }

    if (removable < count && !IsBaseMountedSlaveType(type)) {
        // Free devices that carry both an other device and an other base by handing both on to
        // a compatible device that carries neither. Only a device with nothing else in its
        // base becomes removable that way.
        int target = 0;
        for (int slot = 0; slot < kSlots && removable < count; ++slot) {
            const int other = calc.DeviceOtherType(slot),
                      otherBase = calc.DeviceOtherBaseType(slot);
            if (calc.DeviceType(slot) != type || other == 0 || otherBase == 0 ||
                calc.DeviceBaseType(slot) != 0)
                continue;
            const int to = AttachmentTarget(calc, target, type, other, otherBase);
            // A device whose attachments find no receiving device keeps them and stays; the
            // walk goes on with the next one, as relocating devices does.
            if (to < 0) continue;
            calc.DeviceOtherType(to, static_cast<std::int16_t>(other));
            calc.DeviceOtherBaseType(to, static_cast<std::int16_t>(otherBase));
            calc.DeviceOtherType(slot, 0);
            calc.DeviceOtherBaseType(slot, 0);
            ++removable;
            target = to + 1;
        }
    }
    if (removable < count)
        return {false,
                std::string(removingAll ? "Cannot remove all " : "Cannot reduce the quantity of ") +
                    TypeRecord(type).Name + "s.  Some have 'Other Devices' " +
                    (slaves > 0 ? "or 'Slave' devices " : "") + "attached."};
    if (IsBaseMountedMasterType(type) && masters <= count && slaves > 0)
        return {
            false,
            "You cannot remove all 'Master' devices while there are 'Slave' devices on the loop."};

    std::vector<int> removed;
    for (int slot = kSlots - 1; slot >= 0 && static_cast<int>(removed.size()) < count; --slot) {
        if (!IsRemovable(calc, slot, type)) continue;
        if (IsBaseMountedSlaveType(type)) {
            calc.DeviceBaseType(slot, 0);
            calc.DeviceBaseAddr(slot, slot);
        } else {
            calc.DeviceType(slot, 0);
            calc.AddressOrder(slot, slot);
            loop.doc.DeviceCarriedValue(loop.loop, slot) = 0;
            loop.doc.DeviceEavesdropFlag(loop.loop, slot) = false;
        }
        removed.push_back(slot);
    }
    if (!IsBaseMountedSlaveType(type)) ReassignSlaves(calc, removed, type);
    return {};
}

OtherPlacement PlaceOtherDevices(const LoopSlots& loop, int other, int count, bool apply) {
    clsCalculator& calc = loop.calc;
    OtherPlacement result;
    result.unplaced = count;
    if (count <= 0) {
        result.unplaced = 0;
        return result;
    }
    const OtherDevice& device = OtherRecord(other);
    const auto code = static_cast<std::int16_t>(other);

    if (device.IsStandaloneContext) {
        int master = 0;
        if (device.AddressableDevice != 0) {
            master = FirstMaster(calc);
            if (master < 0) return result;
            result.masterFound = true;
        }
        for (int sub = clsCalculator::kFirstSub; sub <= clsCalculator::kLastSub; ++sub)
            for (int slot = 0; slot < kSlots; ++slot) {
                if (calc.DeviceStandalone(slot, sub) != 0) continue;
                if (apply) calc.DeviceStandaloneTypeAndAddress(slot, sub, code, master);
                if (--result.unplaced == 0) return result;
            }
        return result;
    }

    // The walk without apply must count exactly what the walk with apply places, so the slots
    // it counts are taken as carrying the device from then on.
    std::array<bool, kSlots> counted{};
    const bool base = device.IsBaseContext;
    auto carried = [&](int slot) -> int {
        if (counted[static_cast<std::size_t>(slot)]) return other;
        return base ? calc.DeviceOtherBaseType(slot) : calc.DeviceOtherType(slot);
    };
    auto place = [&](int slot) {
        if (apply) {
            if (base)
                calc.DeviceOtherBaseType(slot, code);
            else
                calc.DeviceOtherType(slot, code);
        } else {
            counted[static_cast<std::size_t>(slot)] = true;
        }
        return --result.unplaced == 0;
    };

    // Ordinary ancillaries go first to devices that cannot drive remote devices, keeping the
    // devices with remote outputs for the ancillaries that need them.
    if (!device.FromRemote)
        for (int slot = 0; slot < kSlots; ++slot) {
            const int type = calc.DeviceType(slot);
            if (type == 0 || carried(slot) != 0 || (base && calc.DeviceBaseType(slot) != 0) ||
                TypeRecord(type).UsesOutputGroup3 || !IsCompatible(type, other))
                continue;
            if (place(slot)) return result;
        }
    for (int slot = 0; slot < kSlots; ++slot) {
        const int type = calc.DeviceType(slot);
        if (type == 0 || !IsCompatible(type, other)) continue;
        const int present = carried(slot);
        if (present == other) continue;
        if (present != 0) {
            result.differentFound = true;
            continue;
        }
        if (place(slot)) return result;
    }
    return result;
}

bool RemoveOtherDevices(const LoopSlots& loop, int other, int count) {
    clsCalculator& calc = loop.calc;
    const OtherDevice& device = OtherRecord(other);
    int left = count;
    if (left <= 0) return true;
    if (device.IsStandaloneContext) {
        for (int sub = clsCalculator::kLastSub; sub >= clsCalculator::kFirstSub; --sub)
            for (int slot = kSlots - 1; slot >= 0; --slot)
                if (calc.DeviceStandalone(slot, sub) == other) {
                    calc.DeviceStandalone(slot, sub, 0);
                    if (--left == 0) return true;
                }
        return true;
    }
    for (int slot = kSlots - 1; slot >= 0; --slot) {
        if (device.IsBaseContext) {
            if (calc.DeviceOtherBaseType(slot) != other) continue;
            calc.DeviceOtherBaseType(slot, 0);
        } else {
            if (calc.DeviceOtherType(slot) != other) continue;
            calc.DeviceOtherType(slot, 0);
        }
        if (--left == 0) return true;
    }
    return true;
}

std::string OtherPlacementMessage(int other, int typedQuantity, const OtherPlacement& placement) {
    const OtherDevice& device = OtherRecord(other);
    const std::string& name = device.OtherName;
    if (device.IsStandaloneContext) {
        if (TypeRecord(device.AddressableDevice).IsSlave && device.AddressableDevice != 0 &&
            !placement.masterFound)
            return kMasterNeeded;
        return "Too many " + name + ".";
    }
    const int fits = typedQuantity - placement.unplaced;
    std::string text;
    if (fits <= 0)
        text = "There are no addressable devices that are";
    else if (fits == 1)
        text = "There is only 1 addressable device that is";
    else
        text = "There are only " + FormatGeneral(static_cast<std::int64_t>(fits)) +
               " Addressable Devices that are";
    text += " compatible with " + name;
    if (placement.differentFound)
        text += fits == 1 ? " and that doesn't already have a different 'Other Device'"
                          : " and that don't already have different 'Other Devices'";
    return text + ".";
}
