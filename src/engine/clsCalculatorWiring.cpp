// The wiring checks: switch-on surge between isolators, isolators between a master and its
// slaves, and devices that depend on another device on the loop.
#include <algorithm>
#include <vector>

#include "engine/clsCalculator.h"
#include "engine/clsCalculatorCatalogue.h"

using calculator_catalogue::DeviceTypeAt;
using calculator_catalogue::OtherDeviceAt;

namespace {

// Until the first isolator the panel's own surge limit is in force, in µA.
constexpr std::int64_t kPanelSurgeLimit = 30000;

}  // namespace

struct clsCalculator::WiringLayout {
    // A standalone device behind a slot.
    struct Standalone {
        std::int32_t sub;
        const OtherDevice* other;
        std::int32_t address;  // the master the device is associated with
    };
    // Position along the cable -> slot; the same answers as AddressFromOrder.
    std::array<std::int32_t, kSlotCount> slots;
    // The standalone devices, slot by slot in sub-address order: those of slot s are
    // standalones[firstStandalone[s]] up to standalones[firstStandalone[s + 1]].
    std::vector<Standalone> standalones;
    std::array<std::size_t, kSlotCount + 1> firstStandalone;
};

clsCalculator::WiringLayout clsCalculator::LayOut() const {
    WiringLayout layout;
    layout.slots.fill(1);  // a position held by no slot answers 1, as AddressFromOrder does
    // Falling, so that the lowest slot holding a position wins.
    for (std::int32_t slot = kSlotCount - 1; slot >= 0; --slot) {
        const std::int32_t order = addressOrder_[static_cast<std::size_t>(slot)];
        if (order >= 0 && order < kSlotCount) layout.slots[static_cast<std::size_t>(order)] = slot;
    }
    for (std::size_t s = 0; s < kSlotCount; ++s) {
        layout.firstStandalone[s] = layout.standalones.size();
        // The count says how many occupied sub-addresses to look for.
        std::int32_t remaining = standaloneCount_[s];
        for (std::size_t i = 0; remaining > 0 && i < kSubCount; ++i) {
            if (standaloneType_[s][i] == 0) continue;
            layout.standalones.push_back({static_cast<std::int32_t>(i) + kFirstSub,
                                          &OtherDeviceAt(standaloneType_[s][i]),
                                          standaloneAddress_[s][i]});
            --remaining;
        }
    }
    layout.firstStandalone[kSlotCount] = layout.standalones.size();
    return layout;
}

std::int32_t clsCalculator::WiringVerdict() {
    const WiringLayout layout = LayOut();
    if (!CheckSwitchOnSurge(layout)) return kSurgeTooHigh;
    if (!CheckMasterSlave(layout)) return kIsolatorBetweenMasterSlave;
    if (!CheckDependentDevices()) return kDependentDevices;
    return kSatisfactory;
}

bool clsCalculator::CheckSwitchOnSurge(const WiringLayout& layout) {
    surgeFromAddress_ = 0;
    surgeToAddress_ = 0;
    surgeCurrent_ = Amount{};
    spacingFailSlot_ = 0;
    spacingFailSub_ = 0;
    std::int64_t limit = kPanelSurgeLimit;
    std::int64_t sum = 0;
    bool isolatorSeen = false;

    // A slot that another slot's base belongs to.
    std::array<bool, kSlotCount> carriesBase{};
    for (std::int32_t slot = 0; slot < kSlotCount; ++slot) {
        const std::int32_t base = baseAddress_[static_cast<std::size_t>(slot)];
        if (base != slot && base >= 0 && base < kSlotCount)
            carriesBase[static_cast<std::size_t>(base)] = true;
    }
    const auto fail = [&](std::int32_t at) {
        surgeToAddress_ = at;
        surgeCurrent_ = Amount::FromWhole(sum);
        return false;
    };
    const auto noteSpacingFailure = [&](std::int32_t slot, std::int32_t sub) {
        if (sum > limit && spacingFailSlot_ == 0) {
            spacingFailSlot_ = slot;
            spacingFailSub_ = sub;
        }
    };

    for (std::int32_t slot : layout.slots) {
        const auto s = static_cast<std::size_t>(slot);
        const DeviceTypeRecord& device = DeviceTypeAt(deviceType_[s]);
        const OtherDevice& other = OtherDeviceAt(otherType_[s]);
        const OtherDevice& otherBase = OtherDeviceAt(otherBaseType_[s]);
        std::int64_t own = carriesBase[s] && device.NoOtherDevices ? 0 : device.SurgeCurrent;
        if (other.OtherMaxSurge == 0) own += other.OtherSurge;
        if (otherBase.OtherMaxSurge == 0) own += otherBase.OtherSurge;
        own += DeviceTypeAt(baseType_[s]).SurgeCurrent;
        sum += own;
        noteSpacingFailure(slot, 0);

        std::int64_t isolatorLimit = device.MaxSurgeCurrent;
        if (isolatorLimit == 0) isolatorLimit = other.OtherMaxSurge;
        if (isolatorLimit == 0) isolatorLimit = otherBase.OtherMaxSurge;
        if (isolatorLimit != 0) {
            isolatorSeen = true;
            limit = isolatorLimit;
            if (sum > limit) return fail(slot);
            // The isolator's own slot belongs to both segments.
            sum = own;
            surgeFromAddress_ = slot;
        }

        for (std::size_t e = layout.firstStandalone[s]; e < layout.firstStandalone[s + 1]; ++e) {
            const WiringLayout::Standalone& entry = layout.standalones[e];
            if (entry.other->OtherMaxSurge != 0) {
                isolatorSeen = true;
                limit = entry.other->OtherMaxSurge;
                if (sum > limit) return fail(slot);
                sum = 0;
                surgeFromAddress_ = slot;
            } else {
                sum += entry.other->OtherSurge;
                noteSpacingFailure(slot, entry.sub);
            }
        }
    }
    // The segment from the last isolator back to the panel.
    if (isolatorSeen && sum > limit) return fail(0);
    return true;
}

bool clsCalculator::CheckMasterSlave() {
    return CheckMasterSlave(LayOut());
}

bool clsCalculator::CheckMasterSlave(const WiringLayout& layout) {
    slaveNextAddress_ = 0;
    const auto& slots = layout.slots;
    // What the scans need of each position along the cable. A device isolates when it has
    // internal resistance; at a device without any, an other base with impedance isolates.
    struct Position {
        std::int32_t slot;
        std::int32_t baseAddress;
        bool isolates;
        std::size_t firstStandalone, endStandalone;
    };
    std::array<Position, kSlotCount> positions;
    // The nearest and farthest position from the panel of anything that may listen to each
    // master: before those, a scan can neither see a slave nor fail.
    std::array<std::int32_t, kSlotCount> firstListener, lastListener;
    firstListener.fill(kSlotCount);
    lastListener.fill(-1);
    const auto noteListener = [&](std::int32_t masterSlot, std::int32_t position) {
        if (masterSlot < 0 || masterSlot >= kSlotCount) return;
        const auto m = static_cast<std::size_t>(masterSlot);
        firstListener[m] = std::min(firstListener[m], position);
        lastListener[m] = std::max(lastListener[m], position);
    };
    for (std::int32_t p = 0; p < kSlotCount; ++p) {
        const auto s = static_cast<std::size_t>(slots[static_cast<std::size_t>(p)]);
        Position& at = positions[static_cast<std::size_t>(p)];
        at.slot = slots[static_cast<std::size_t>(p)];
        at.baseAddress = baseAddress_[s];
        at.isolates = DeviceTypeAt(deviceType_[s]).InternalResistance != 0 ||
                      OtherDeviceAt(otherBaseType_[s]).OtherImpedance != 0;
        at.firstStandalone = layout.firstStandalone[s];
        at.endStandalone = layout.firstStandalone[s + 1];
        noteListener(at.baseAddress, p);
        for (std::size_t e = at.firstStandalone; e < at.endStandalone; ++e)
            noteListener(layout.standalones[e].address, p);
    }

    for (std::int32_t master = 0; master < kSlotCount; ++master) {
        const auto m = static_cast<std::size_t>(master);
        if (!DeviceTypeAt(deviceType_[m]).IsMaster) continue;
        masterAddress_ = master;
        const std::int32_t location = LocationOfMaster(master);
        masterLocation_ = location;
        const std::int32_t masterPosition = addressOrder_[static_cast<std::size_t>(location)];

        bool slaveSeen = false;
        // A standalone device: an isolator when it has impedance, a slave when it listens to
        // the master. Returns false when it isolates a slave already seen from the master.
        const auto standalonePasses = [&](const WiringLayout::Standalone& entry, std::int32_t slot,
                                          std::int32_t position) {
            if (entry.other->OtherImpedance != 0 && slaveSeen) return false;
            if (entry.address == master) {
                slaveAddress_ = slot;
                standaloneSlave_ = true;
                if (position < kSlotCount - 1)
                    slaveNextAddress_ = slots[static_cast<std::size_t>(position) + 1];
                slaveSeen = true;
            }
            return true;
        };

        // From the panel towards the master along the near side of the cable.
        for (std::int32_t position = firstListener[m]; position < masterPosition; ++position) {
            const Position& at = positions[static_cast<std::size_t>(position)];
            if (at.isolates && slaveSeen) return false;
            if (at.baseAddress == master && at.slot != location) {
                slaveAddress_ = at.slot;
                standaloneSlave_ = false;
                slaveSeen = true;
            }
            for (std::size_t e = at.firstStandalone; e < at.endStandalone; ++e)
                if (!standalonePasses(layout.standalones[e], at.slot, position)) return false;
        }

        // From the panel towards the master along the far side.
        slaveSeen = false;
        for (std::int32_t position = lastListener[m]; position > masterPosition; --position) {
            const Position& at = positions[static_cast<std::size_t>(position)];
            for (std::size_t e = at.endStandalone; e > at.firstStandalone; --e)
                if (!standalonePasses(layout.standalones[e - 1], at.slot, position)) return false;
            if (at.isolates && slaveSeen) return false;
            if (at.baseAddress == master && at.slot != master) {
                slaveAddress_ = at.slot;
                standaloneSlave_ = false;
                slaveSeen = true;
            }
        }
    }
    masterAddress_ = 0;
    masterLocation_ = 0;
    slaveAddress_ = 0;
    standaloneSlave_ = false;
    return true;
}

bool clsCalculator::CheckDependentDevices() {
    dependentFailAddress_ = 0;
    dependentFailType_ = 0;
    const std::size_t types = std::max<std::size_t>(DeviceTypeTable.size(), 1);
    std::vector<std::int32_t> held(types, 0);
    std::vector<std::int32_t> firstSlot(types, 0);
    std::vector<std::int32_t> dependents(types, 0);
    for (std::int32_t slot = 0; slot < kSlotCount; ++slot) {
        const std::int16_t type = deviceType_[static_cast<std::size_t>(slot)];
        const auto t = static_cast<std::size_t>(type);
        const std::int16_t dependsOn = DeviceTypeAt(type).DependsOnDevice;
        if (held[t]++ == 0) firstSlot[t] = slot;
        // A device type outside the catalogue cannot be on the loop; nothing to count for it.
        if (dependsOn >= 0 && static_cast<std::size_t>(dependsOn) < types)
            ++dependents[static_cast<std::size_t>(dependsOn)];
    }
    const auto isHeld = [&](std::int16_t type) {
        return type >= 0 && static_cast<std::size_t>(type) < types &&
               held[static_cast<std::size_t>(type)] > 0;
    };
    // Every dependent device needs the device it depends on somewhere on the loop...
    for (std::size_t t = 1; t < types; ++t) {
        if (held[t] == 0) continue;
        const std::int16_t dependsOn = DeviceTypeAt(static_cast<int>(t)).DependsOnDevice;
        if (dependsOn != 0 && !isHeld(dependsOn)) {
            dependentFailAddress_ = firstSlot[t];
            dependentFailType_ = 0;
            return false;
        }
    }
    // ...and that device serves only so many.
    for (std::size_t t = 1; t < types; ++t) {
        if (held[t] == 0) continue;
        const std::int16_t dependsOn = DeviceTypeAt(static_cast<int>(t)).DependsOnDevice;
        if (dependsOn == 0) continue;
        const auto d = static_cast<std::size_t>(dependsOn);
        if (DeviceTypeAt(dependsOn).MaximumDependents < dependents[d]) {
            dependentFailAddress_ = 0;
            dependentFailType_ = dependsOn;
            return false;
        }
    }
    return true;
}
