#pragma once
// The device type catalogue: every addressable device type that can be placed on a loop, with
// the small tables its entries refer to (families, buttons, address ranges, field types).
//
// The tables are program-wide, filled once by LoadDeviceCatalogue from the standard file
// Devices.dat and the optional user file CustomDevices.dat, and read-only afterwards (except
// FamilyShown, changed through SetFamilyShown). ResetDeviceCatalogue empties them so that a
// fresh catalogue can be loaded, which the tests use.
#include <array>
#include <cstdint>
#include <string>
#include <vector>
#include "catalogue/TableLookup.h"

// The highest number of device types, the empty type 0 not counted.
inline constexpr int kMaxDeviceTypes = 127;

struct DeviceTypeRecord {
    std::string Name;  // the identity of the type
    std::string SecondaryName;
    std::int16_t Protocol = 0;  // 0 to 3
    std::int16_t TypeCode = 0;  // 0 to 255
    std::int16_t Family = 0;    // 0 to FamilyCount; 255: family 0 with an icon
    std::int16_t Button = 0;
    std::uint8_t AnalogueType = 0;      // 0 to 7
    std::int32_t QuiescentCurrent = 0;  // µA
    std::int16_t IconNumber = 0;
    bool EntryFlag17 = false;
    std::array<std::int16_t, 3> OutputUse{};  // output bit numbers
    std::int16_t OutputDrawOrder = 0;         // row of OutputDrawOrderTable
    std::int16_t PollingLedIcon = 0;
    std::array<std::int32_t, 3> OutputBitCurrent{};  // µA, may be negative
    std::array<std::int16_t, 3> InputUse{};          // input bit numbers
    std::array<std::int32_t, 3> InputBitCurrent{};   // µA, may be negative
    std::uint8_t TestModeRampUp = 0;
    std::uint8_t TestModeRampDown = 0;
    std::uint8_t TestModeFinalRampUp = 0;
    std::uint8_t TestModeInitialRampDown = 0;
    std::uint8_t TestModeFinalValue = 0;
    bool EntryFlag22 = false;
    std::int32_t AddressRange = 0;             // entry of AddressRangeTable
    std::int32_t AlarmCurrent = 0;             // µA
    std::int32_t AlarmCurrentLedDisabled = 0;  // µA
    std::int16_t MinimumVoltage = 0;           // hundredths of a volt
    bool UsesOutputGroup3 = false;
    bool LedDisabledCurrentDiffers = false;
    double InternalResistance = 0;  // hundredths of an ohm
    std::uint8_t BaseType = 0;
    std::int32_t SurgeCurrent = 0;        // µA
    std::int32_t MaxSurgeCurrent = 0;     // µA
    std::int32_t IsolatedEquivalent = 0;  // a device type number
    bool NoOtherDevices = false;          // accepts no other device
    bool Item42IsA = false;
    bool IsMaster = false;
    bool IsSlave = false;
    std::int16_t DependsOnDevice = 0;
    std::int16_t MaximumDependents = 0;
    bool EntryFlag55 = false;
    std::uint8_t DilSwitch1 = 0;  // switch numbers
    std::uint8_t DilSwitch2 = 0;
    // The number of an other device as read; the other device catalogue replaces it by that
    // other device's place in its table once it has loaded.
    std::int16_t StandaloneSetting = 0;
    bool EntryFlag47 = false;
    bool IsCustom = false;  // read from the user file
    std::array<std::string, 8> Faults{};
    std::array<std::int16_t, 15> FieldTypes{};
    std::int16_t FieldIndexFlag10 = -1;
    std::string ProtocolThreeText;
    std::int16_t FieldIndexMarker15 = -1;
    std::int16_t FieldIndexMarker16 = -1;
    std::int16_t WandIcon = 0;
    std::int16_t Value52Hundredths = 0;
};

struct DeviceFamily {
    std::string FamilyName;
    std::string FamilyTitle;  // the display order sorts on it
    std::string FamilyText3;
    bool FamilyShownByDefault = true;
    bool FamilyShown = true;  // the user's choice, kept in the settings
};

struct DeviceButton {
    std::string ButtonText;
    std::string ButtonText2;
    std::int16_t ButtonState = 0;
};

struct AddressRangeEntry {
    std::string RangeName;
    std::array<bool, 256> RangeAllows{};  // one flag per address 0 to 255
    int RangeCount = 0;                   // how many flags are set
    bool RangeHasHigh = false;            // an address above 126 is allowed
};

struct FieldTypeEntry {
    std::string FieldTypeName;          // empty: not read yet
    std::int16_t FieldTypeDefault = 0;  // 0 to 255, or -1 ("T"), -2 ("D"), -3 ("A")
    bool FieldTypeFlag3 = false;
    std::uint8_t FieldTypePcReadOnlyMask = 0;
    bool FieldTypeFlag5 = false;
    bool FieldTypeFlag6 = false;
    bool FieldTypeFlag7 = false;
    std::int32_t FieldTypeNumber8 = 0;
    std::int16_t FieldTypeDisplayMode = 0;  // 0 decimal, 1 binary, 2 hexadecimal
    bool FieldTypeFlag10 = false;
    bool FieldTypeFlag14 = false;
    std::string FieldTypeText11;
    std::int16_t FieldTypeSub1 = 0;
    std::int16_t FieldTypeSub2 = 0;
    std::int16_t FieldTypeSub3 = 0;
    std::int16_t FieldTypeSub4 = 0;
    std::string FieldTypeSubText5;
    bool FieldTypeSubFlag6 = false;
    bool FieldTypeFlag13 = false;
    std::int16_t FieldTypeMarker15 = -1;  // 5 when set
    std::int16_t FieldTypeMarker16 = -1;  // 6 when set
};

// Device types 0 to DeviceTypeCount; type 0 means no device.
extern std::vector<DeviceTypeRecord> DeviceTypeTable;
// The device type numbered `type`: nullptr outside the table / a range fault outside it.
inline const DeviceTypeRecord* FindDeviceTypeRecord(int type) {
    return FindInTable(DeviceTypeTable, type);
}
inline const DeviceTypeRecord& DeviceTypeRecordAt(int type) {
    return RecordInTable(DeviceTypeTable, type, "device type");
}
extern int DeviceTypeCount;
// All type numbers 0 to DeviceTypeCount sorted by Name.
extern std::vector<std::int16_t> DeviceOrder;

// Families 0 to FamilyCount and their display order (sorted by FamilyTitle).
extern std::vector<DeviceFamily> FamilyTable;
// The family numbered `family`, or nullptr outside the table.
inline const DeviceFamily* FindFamilyRecord(int family) {
    return FindInTable(FamilyTable, family);
}
extern int FamilyCount;
extern std::vector<std::int16_t> FamilyOrder;

extern std::vector<DeviceButton> ButtonTable;
// Entry 0 is always " full", allowing every address.
extern std::vector<AddressRangeEntry> AddressRangeTable;
extern std::vector<FieldTypeEntry> FieldTypeTable;
// Set as soon as a loaded address range allows an address above 126.
extern bool HighAddressesUsed;

// The order in which a device's three output bits are drawn, one row per OutputDrawOrder.
inline constexpr std::array<std::array<std::int16_t, 3>, 7> OutputDrawOrderTable{
    {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}, {2, 0, 1}}};

// The device data folder (shipped data) and the two device data files. The user file lies in
// the user's own data folder, because the shipped data folder is not writable.
std::string DeviceDataFolder();
std::string StandardDevicesFilePath();  // .../Tarvex/Devices/Devices.dat under the data root
std::string CustomDevicesFilePath();    // .../Tarvex/Devices/CustomDevices.dat under the user root

// Loads the whole catalogue (families, buttons, output and input bits, switches, device types);
// shows the first problem and returns false on failure.
bool LoadDeviceCatalogue();
// Empties every table of the catalogue, the input and output bits and the switches included.
void ResetDeviceCatalogue();

// The lowest type number whose Name equals `name` exactly (case-sensitive); 0 when none.
int FindDeviceTypeByName(const std::string& name);
// Not 0 and within the table.
bool IsValidDeviceType(int type);
// Within the table and either type 0 or a type with an icon.
bool IsPlaceableDeviceType(int type);
// The type's Family is 255 (family 0 with an icon).
bool IsIconOnlyFamily(int type);
// Any of the type's three output uses names an output bit of output group 3.
bool TypeUsesOutputGroup3(int type);
// `address` lies from 0 to 255 and the type's address range allows it.
bool IsAddressAllowed(int type, int address);
// 252 once a range allows an address above 126, else 126.
int MaxLoopAddress();
// Stores the family's shown flag and, when it changed, writes the setting DontShowFamily<family>
// as its opposite.
void SetFamilyShown(int family, bool shown);
