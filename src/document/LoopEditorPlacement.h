#pragma once
// The placement rules of the loop editor: how devices are put on and taken off the address
// slots of a loop, how other devices (ancillaries, other bases, standalone devices) are attached
// to and detached from addressable devices, and the master/slave rules. They work on the slot
// data of one loop's calculator and on the design's carried values of that loop, and show no
// messages: a refusal comes back with its text.
//
// Terms, for slot s of the loop:
//   - a device sits at s when DeviceType(s) is not 0;
//   - a base-mounted slave type has both NoOtherDevices and IsSlave: it has no address of its
//     own but sits in the base of a host device (DeviceBaseType of the host), and the host's
//     DeviceBaseAddr names the master the slave listens to;
//   - a base-mounted master is a device whose type has both NoOtherDevices and IsMaster;
//   - DeviceBaseAddr(s) is s itself while no base-mounted slave hangs on the device at s.
#include <cstdint>
#include <string>

class clsCalculator;
class DesignDocument;

// One loop of the design: its calculator, and the design that keeps the loop's carried values
// and eavesdrop flags (which move with their devices).
struct LoopSlots {
    clsCalculator& calc;
    DesignDocument& doc;
    int loop;  // 1 to 8
};

// The answer of a rule that may refuse: ok, or the message that tells why not.
struct RuleResult {
    bool ok = true;
    std::string message;
};

bool IsBaseMountedSlaveType(int type);
bool IsBaseMountedMasterType(int type);
// How many addresses the type's address range allows.
int AddressRangeCountOf(int type);

// The devices of a type on the loop: for a base-mounted slave type the slots whose base type is
// the type, for any other type the slots whose device type is the type.
int CountDevicesOfType(const clsCalculator& calc, int type);

// The base-mounted master a newly placed slave of `slaveType` listens to: the one at the
// highest slot the slave type's range allows; -1 when there is none.
int MasterForNewSlave(const clsCalculator& calc, int slaveType);

// Puts `count` more devices of `type` on the loop, on the lowest free slots its range allows,
// first moving devices that can live elsewhere out of its range when there is not enough room.
// Devices moved to make room stay moved when the change is then refused.
RuleResult AddDevices(const LoopSlots& loop, int type, int count);
// Takes `count` devices of `type` off the loop, from the highest slot down. Devices that carry
// an other device and an other base may first hand both on to a compatible free device.
// `removingAll` chooses the wording of the refusal ("Cannot remove all " when the quantity
// asked for is 0).
RuleResult RemoveDevices(const LoopSlots& loop, int type, int count, bool removingAll);

// The outcome of placing other devices.
struct OtherPlacement {
    int unplaced = 0;             // how many of the count could not be placed
    bool differentFound = false;  // a compatible device already carries a different one
    bool masterFound = false;     // a master device was found (standalone devices)
};
// Attaches `count` of other device `other` (standalone devices behind free positions, others
// to compatible devices, devices that can drive remote outputs kept for last); with `apply`
// false the same walk only counts. An empty slot never receives an other device or other base.
OtherPlacement PlaceOtherDevices(const LoopSlots& loop, int other, int count, bool apply);
// Detaches `count` of other device `other`, from the highest slot (and sub-address) down.
bool RemoveOtherDevices(const LoopSlots& loop, int other, int count);
// The refusal text when other devices could not all be placed; `typedQuantity` is the
// quantity the user asked for in all.
std::string OtherPlacementMessage(int other, int typedQuantity, const OtherPlacement& placement);
