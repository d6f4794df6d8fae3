#pragma once
// The other devices catalogue: the non-addressable items that hang off the loop or off an
// addressable device (ancillaries such as remote indicators, bases, and standalone devices that
// sit on the loop between addresses). Read from the [Others] sections of the standard and the
// user device files, after the device types; loading then turns each device type's
// StandaloneSetting (an other device's number as read) into that other device's table place.
#include <cstdint>
#include <string>
#include <vector>
#include "catalogue/TableLookup.h"

struct OtherDevice {
    std::int16_t OtherNumber = 0;  // the record's place when it was read, before sorting
    std::string OtherName;
    std::string SingleName;
    std::string OtherKey;             // how configuration files name it: prefix + section name
    std::int16_t OtherImpedance = 0;  // hundredths of an ohm
    std::int32_t OtherQuiescent = 0;  // µA
    std::int32_t OtherAlarm = 0;      // µA
    bool FromRemote = false;          // driven from a remote output
    std::uint8_t MaxQuantity = 0;
    std::int16_t OtherFamily = 0;
    std::int16_t OtherButton = 0;
    std::int16_t OtherIcon = 0;
    std::int16_t AlternativeIcon = 0;
    std::int16_t AlarmIcon = 0;
    std::int16_t AlternativeDevice = 0;
    std::string AlternativeName;
    std::uint8_t OtherBase = 0;      // base type it needs; 0 fits any
    bool OtherIsCustom = false;      // read from the user file
    std::int16_t OtherMinVolts = 0;  // hundredths of a volt
    std::int32_t OtherSurge = 0;     // µA
    std::int32_t OtherMaxSurge = 0;  // µA
    bool IsStandaloneContext = false;
    bool IsBaseContext = false;
    bool FromRemoteSecond = false;
    std::int16_t AddressableDevice = 0;  // device type number
    bool ThirdParty = false;
};

// Entry 0 is the empty record standing for no other device; entries 1 onwards are sorted by
// OtherName.
extern std::vector<OtherDevice> OtherDeviceTable;
// The other device at table place `other`: nullptr outside the table / a range fault outside it.
inline const OtherDevice* FindOtherDeviceRecord(int other) {
    return FindInTable(OtherDeviceTable, other);
}
inline const OtherDevice& OtherDeviceRecordAt(int other) {
    return RecordInTable(OtherDeviceTable, other, "other device");
}
// The highest place of a standalone other device with a surge limit (a standalone isolator);
// 0 when none.
extern int LastSurgeStandaloneOther;

// The key prefix of other devices read from the user file.
inline constexpr const char* kCustomOtherKeyPrefix = "Custom_";

// Loads both files, sorts, and maps every device type's StandaloneSetting to a table place.
// Runs once per loaded device catalogue (a second run would map the settings twice). Shows the
// first problem and returns false on failure.
bool LoadOtherDevices();
void ResetOtherDevices();

// Not 0 and within the table.
bool IsValidOther(int number);
// The table place of the first record whose OtherNumber equals `number`; 0 when none.
int FindOtherByNumber(int number);
// The table place of the other device with this OtherKey (exact); 0 when none.
int FindOtherByKey(const std::string& key);
// May other device `other` (a table place) be attached to a device of type `deviceType`?
// Entry 0 always may; a type that accepts no other devices takes nothing else; a device driven
// from a remote output needs a type that drives output group 3; a base-bound device needs the
// type's base. Numbers outside the tables give false.
bool IsCompatible(int deviceType, int other);
