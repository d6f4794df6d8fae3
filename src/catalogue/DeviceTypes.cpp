#include "catalogue/DeviceTypes.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "catalogue/ExchangeSort.h"
#include "catalogue/FieldParsing.h"
#include "catalogue/InputBits.h"
#include "catalogue/OutputBits.h"
#include "catalogue/Switches.h"
#include "shell/ErrorHandler.h"
#include "shell/Numbers.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/ProfileFile.h"
#include "shell/Settings.h"
#include "shell/Text.h"

std::vector<DeviceTypeRecord> DeviceTypeTable;
int DeviceTypeCount = 0;
std::vector<std::int16_t> DeviceOrder;
std::vector<DeviceFamily> FamilyTable;
int FamilyCount = 0;
std::vector<std::int16_t> FamilyOrder;
std::vector<DeviceButton> ButtonTable;
std::vector<AddressRangeEntry> AddressRangeTable;
std::vector<FieldTypeEntry> FieldTypeTable;
bool HighAddressesUsed = false;

std::string DeviceDataFolder() {
    return JoinPath(Paths().dataRoot, "Tarvex/Devices");
}

std::string StandardDevicesFilePath() {
    return JoinPath(DeviceDataFolder(), "Devices.dat");
}

// The user's own device file is one the user edits, so it lives beside the user's other files
// (CUSTPAN.DAT among them) rather than in the shipped data folder, which may be read-only.
std::string CustomDevicesFilePath() {
    return JoinPath(JoinPath(Paths().userRoot, "Tarvex/Devices"), "CustomDevices.dat");
}

namespace {

constexpr long kOverflowError = 6;
constexpr int kHighestAddress = 255;
constexpr int kHighestLowAddress = 126;  // addresses above it exist only on 252-address loops
constexpr int kHighestFamily = 32767;

// The two files being read and how messages name them.
struct CatalogueFiles {
    std::string standardFile;
    std::string userFile;
    std::string standardPhrase;
    std::string userPhrase;
};

AddressRangeEntry FullRange() {
    AddressRangeEntry full;
    full.RangeName = " full";  // the leading blank keeps it apart from every range of the files
    full.RangeAllows.fill(true);
    full.RangeCount = kHighestAddress + 1;
    return full;
}

bool WithinTable(int type) {
    return type >= 0 && type < static_cast<int>(DeviceTypeTable.size());
}

// Numbers stored without a range check still have to fit their field; one that does not is an
// unforeseen failure of the load, reported through the common error handler.
[[noreturn]] void ThrowOverflow() {
    throw RuntimeFault{kOverflowError, "Overflow"};
}

std::int16_t UncheckedInt16(const std::string& item) {
    const std::optional<std::int16_t> v = RoundToInt16(LeadingNumber(item));
    if (!v) ThrowOverflow();
    return *v;
}

std::int32_t UncheckedInt32(const std::string& item) {
    const std::optional<std::int32_t> v = RoundToInt32(LeadingNumber(item));
    if (!v) ThrowOverflow();
    return *v;
}

// An item read as a number and written back in decimal, to build a key name ("Fault3").
std::string NumberKeyText(const std::string& item) {
    return FormatGeneral(LeadingNumber(item));
}

// Item 52: the number times 100, rounded down. The number is first taken to four decimals so
// that 0.29 gives 29 rather than the 28 a binary product would floor to.
std::int16_t HundredthsRoundedDown(const std::string& item) {
    const double v = LeadingNumber(item);
    if (!(std::fabs(v) < 1e9)) ThrowOverflow();
    const std::int64_t scaled = Amount::FromDouble(v).Scaled();  // ten-thousandths
    std::int64_t hundredths = scaled / 100;
    if (scaled % 100 < 0) --hundredths;
    if (hundredths < INT16_MIN || hundredths > INT16_MAX) ThrowOverflow();
    return static_cast<std::int16_t>(hundredths);
}

// Sorts a display order (a list of numbers) by the text key of each number, case-sensitive,
// by the characters' codes in the files' single-byte code page.
template <typename KeyOf>
void SortOrderByText(std::vector<std::int16_t>& order, KeyOf keyOf) {
    ExchangeSortByKey(
        order, 0, [&](std::int16_t n) { return Utf8ToCp1252(keyOf(static_cast<std::size_t>(n))); },
        std::greater<std::string>());
}

// ---------------------------------------------------------------- families and buttons

bool LoadFamilies(const CatalogueFiles& files) {
    for (int n = 0;; ++n) {
        const std::string value =
            ReadProfileString(files.standardFile, "Families", "Family" + std::to_string(n));
        if (value.empty()) break;
        // Family numbers are 16-bit; a file with more families is damaged.
        if (n > kHighestFamily) {
            ShowDataFileProblem("Invalid settings for device family " + std::to_string(n) + " in " +
                                files.standardPhrase);
            return false;
        }
        FamilyCount = n;
        FamilyTable.resize(static_cast<std::size_t>(n) + 1);
        FamilyOrder.resize(static_cast<std::size_t>(n) + 1);
        DeviceFamily& family = FamilyTable[static_cast<std::size_t>(n)];
        family.FamilyName = GetField(value, 1);
        family.FamilyTitle = GetField(value, 2);
        family.FamilyText3 = GetField(value, 3);
        family.FamilyShownByDefault = LetterCode(GetField(value, 4)) != "F";
        FamilyOrder[static_cast<std::size_t>(n)] = static_cast<std::int16_t>(n);
        if (family.FamilyName.empty() || family.FamilyTitle.empty()) {
            ShowDataFileProblem("Invalid settings for device family " + std::to_string(n) + " in " +
                                files.standardPhrase);
            return false;
        }
    }
    if (FamilyCount == 0) {
        ShowDataFileProblem("No device families defined in " + files.standardPhrase);
        return false;
    }
    return true;
}

std::string DontShowFamilySetting(int family) {
    return "DontShowFamily" + std::to_string(family);
}

// The user's shown families; a family without a stored choice takes its default, which is then
// stored.
void LoadFamiliesShown() {
    SettingsBatch batch;
    for (int n = 0; n <= FamilyCount; ++n) {
        DeviceFamily& family = FamilyTable[static_cast<std::size_t>(n)];
        const std::string setting = DontShowFamilySetting(n);
        if (SettingExists(setting)) {
            family.FamilyShown = !ReadSettingFlag(setting);
        } else {
            family.FamilyShown = family.FamilyShownByDefault;
            WriteSettingFlag(setting, !family.FamilyShown);
        }
    }
    batch.Commit();
}

bool LoadButtons(const CatalogueFiles& files) {
    for (int n = 0;; ++n) {
        const std::string value =
            ReadProfileString(files.standardFile, "Buttons", "Button" + std::to_string(n));
        if (value.empty()) break;
        DeviceButton button;
        button.ButtonText = GetField(value, 1);
        if (!button.ButtonText.empty() && button.ButtonText.back() == '"')
            button.ButtonText.pop_back();
        button.ButtonText2 = GetField(value, 2);
        ButtonTable.push_back(std::move(button));
    }
    if (ButtonTable.size() < 2) {
        ShowDataFileProblem("No device buttons defined in " + files.standardPhrase);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- address ranges

// Reads a run of decimal digits at `pos`; an empty run is 0. Numbers far beyond any address
// are held at a ceiling, which behaves like any other number above 255.
int ReadDigitRun(const std::string& text, std::size_t& pos) {
    constexpr int kCeiling = 100000;
    int number = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        number = std::min(number * 10 + (text[pos] - '0'), kCeiling);
        ++pos;
    }
    return number;
}

void AllowAddress(AddressRangeEntry& range, int address) {
    range.RangeAllows[static_cast<std::size_t>(address)] = true;
    ++range.RangeCount;
    if (address > kHighestLowAddress) range.RangeHasHigh = HighAddressesUsed = true;
}

// Fills `range` from a definition such as "1-63,70,100-110". Addresses 0, 127, 128 and 255 can
// not be named on their own (0 is no device, 127 and 128 lie between the two halves of a
// 252-address loop, 255 is the broadcast address).
bool ParseRangeDefinition(const std::string& definition, AddressRangeEntry& range,
                          const std::string& standardFile) {
    const std::string ending = range.RangeName + " in '" + standardFile + "'.";
    std::size_t pos = 0;
    while (pos < definition.size()) {
        while (pos < definition.size() && (definition[pos] < '0' || definition[pos] > '9'))
            ++pos;
        const int first = ReadDigitRun(definition, pos);
        if (first == 0 || first == 127 || first == 128 || first == kHighestAddress) {
            ShowDataFileProblem("Address " + std::to_string(first) +
                                " is not a valid address for Range" + ending);
            return false;
        }
        if (first <= kHighestAddress) AllowAddress(range, first);
        if (pos < definition.size() && definition[pos] == '-') {
            ++pos;
            int last = ReadDigitRun(definition, pos);
            if (last == 0) {
                ShowDataFileProblem("Address 0 is not a valid address for Range" + ending);
                return false;
            }
            last = std::min(last, kHighestAddress);
            // The run's inner addresses are not tested against the reserved ones.
            for (int address = first + 1; address <= last; ++address)
                AllowAddress(range, address);
            if (last > kHighestLowAddress) range.RangeHasHigh = HighAddressesUsed = true;
        } else if (pos < definition.size()) {
            ++pos;  // the separator
        }
    }
    return true;
}

// The address range named by item 32, created from its definition on first use.
bool ReadAddressRange(const std::string& item, const CatalogueFiles& files, std::int32_t& result) {
    const std::string name = Trim(item);
    for (std::size_t k = 0; k < AddressRangeTable.size(); ++k)
        if (AddressRangeTable[k].RangeName == name) {
            result = static_cast<std::int32_t>(k);
            return true;
        }

    std::string definition = ReadProfileString(files.standardFile, "Ranges", "Range" + name);
    if (definition.empty())
        definition = ReadProfileString(files.userFile, "Ranges", "Range" + name);
    if (definition.empty()) {
        if (name == "L")
            definition = "1-63";
        else if (name == "H")
            definition = "64-126";
        else if (name == "A")
            definition = "1-126";
        else {
            ShowDataFileProblem("Invalid Address Range '" + name + "' in '" + files.standardFile +
                                "'.");
            return false;
        }
    }

    AddressRangeEntry range;
    range.RangeName = name;
    AddressRangeTable.push_back(range);
    AddressRangeEntry& added = AddressRangeTable.back();
    if (!ParseRangeDefinition(definition, added, files.standardFile)) return false;
    result = static_cast<std::int32_t>(AddressRangeTable.size() - 1);
    return true;
}

// ---------------------------------------------------------------- field types

bool ReadFieldType(FieldTypeEntry& entry, const std::string& w, const std::string& suffix) {
    entry.FieldTypeName = GetField(w, 1);

    const std::string defaultItem = GetField(w, 2);
    if (IsNumeric(defaultItem)) {
        if (!ParseIntField(w, 2, entry.FieldTypeDefault, 0, 255,
                           "Default value for Field type " + suffix))
            return false;
    } else {
        const std::string code = UCase(defaultItem);
        if (code == "T")
            entry.FieldTypeDefault = -1;
        else if (code == "D")
            entry.FieldTypeDefault = -2;
        else if (code == "A")
            entry.FieldTypeDefault = -3;
        else {
            ShowDataFileProblem("Invalid value for default value for Field Type " + suffix);
            return false;
        }
    }

    entry.FieldTypeFlag3 = IsWholeTrueItem(GetField(w, 3));
    const std::string mask = UCase(GetField(w, 4));
    if (mask == "T")
        entry.FieldTypePcReadOnlyMask = 255;
    else if (mask == "F")
        entry.FieldTypePcReadOnlyMask = 0;
    else if (!ParseByteField(w, 4, entry.FieldTypePcReadOnlyMask, 0, 255,
                             "Bit mask for PC read only for Field Type " + suffix))
        return false;
    entry.FieldTypeFlag5 = IsWholeTrueItem(GetField(w, 5));
    entry.FieldTypeFlag6 = IsWholeTrueItem(GetField(w, 6));
    entry.FieldTypeFlag7 = IsWholeTrueItem(GetField(w, 7));
    entry.FieldTypeNumber8 = UncheckedInt32(GetField(w, 8));

    const std::string mode = UCase(GetField(w, 9));
    if (mode == "D")
        entry.FieldTypeDisplayMode = 0;
    else if (mode == "B")
        entry.FieldTypeDisplayMode = 1;
    else if (mode == "H")
        entry.FieldTypeDisplayMode = 2;
    else {
        ShowDataFileProblem("Invalid default display mode for Field Type " + suffix);
        return false;
    }

    entry.FieldTypeFlag10 = IsTrueItem(GetField(w, 10));
    entry.FieldTypeText11 = GetField(w, 11);
    // Item 12 is a list of its own with semicolons between its parts.
    std::string sub = GetField(w, 12);
    std::replace(sub.begin(), sub.end(), ';', ',');
    entry.FieldTypeSub1 = UncheckedInt16(GetField(sub, 1));
    entry.FieldTypeSub2 = UncheckedInt16(GetField(sub, 2));
    entry.FieldTypeSub3 = UncheckedInt16(GetField(sub, 3));
    entry.FieldTypeSub4 = UncheckedInt16(GetField(sub, 4));
    entry.FieldTypeSubText5 = GetField(sub, 5);
    entry.FieldTypeSubFlag6 = IsTrueItem(GetField(sub, 6));
    entry.FieldTypeFlag13 = IsTrueItem(GetField(w, 13));
    entry.FieldTypeFlag14 = IsTrueItem(GetField(w, 14));
    entry.FieldTypeMarker15 = IsTrueItem(GetField(w, 15)) ? 5 : -1;
    entry.FieldTypeMarker16 = IsTrueItem(GetField(w, 16)) ? 6 : -1;
    return true;
}

// The fifteen programmable fields of a type, from the field range `rangeValue`.
bool ReadFields(DeviceTypeRecord& type, const std::string& rangeValue, const CatalogueFiles& files,
                const std::string& deviceSuffix) {
    type.FieldIndexFlag10 = type.FieldIndexMarker15 = type.FieldIndexMarker16 = -1;
    for (int i = 0; i < 15; ++i) {
        const std::string position = std::to_string(i) + " " + deviceSuffix;
        std::int16_t& fieldType = type.FieldTypes[static_cast<std::size_t>(i)];
        if (!ParseIntField(rangeValue, i + 1, fieldType, 0, 255,
                           "Field type for field " + position))
            return false;
        const auto t = static_cast<std::size_t>(fieldType);
        // A field type already read has a name, so its key is known to hold a value.
        const bool known = t < FieldTypeTable.size() && !FieldTypeTable[t].FieldTypeName.empty();
        if (!known) {
            const std::string w = ReadProfileString(files.standardFile, "FieldTypes",
                                                    "FieldType" + std::to_string(t));
            if (w.empty()) {
                // A missing field type is reported but does not stop the load.
                ShowDataFileProblem("Invalid value for Field Type for field  " + position);
                continue;
            }
            if (FieldTypeTable.size() <= t) FieldTypeTable.resize(t + 1);
            if (!ReadFieldType(FieldTypeTable[t], w, std::to_string(t) + " " + deviceSuffix))
                return false;
        }
        const FieldTypeEntry& entry = FieldTypeTable[t];
        if (entry.FieldTypeFlag10) type.FieldIndexFlag10 = static_cast<std::int16_t>(i);
        if (entry.FieldTypeMarker15 != -1) type.FieldIndexMarker15 = static_cast<std::int16_t>(i);
        if (entry.FieldTypeMarker16 != -1) type.FieldIndexMarker16 = static_cast<std::int16_t>(i);
    }
    return true;
}

// ---------------------------------------------------------------- device entries

std::uint8_t AnalogueTypeCode(const std::string& letters, const std::string& item29, bool& valid) {
    valid = true;
    if (letters == "T") return 0;
    if (letters == "P") return 1;
    if (letters == "F") return 2;
    if (letters == "L") return 3;
    if (letters == "LF") return 7;
    if (letters == "A") return LetterCode(item29) == "T" ? 6 : 4;
    if (letters == "M") return 5;
    valid = false;
    return 0;
}

// Reads the value `v` of entry `d` into the device type table.
bool ReadDeviceEntry(int d, const std::string& v, bool userEntry, const CatalogueFiles& files) {
    const std::string& phrase = userEntry ? files.userPhrase : files.standardPhrase;
    // The user file may repeat a standard type; the standard definition wins.
    if (userEntry && FindDeviceTypeByName(GetField(v, 1)) > 0) return true;
    DeviceOrder[static_cast<std::size_t>(d)] = static_cast<std::int16_t>(d);
    DeviceTypeRecord& t = DeviceTypeTable[static_cast<std::size_t>(d)];
    if (v.empty()) {
        t.Name.clear();
        t.Button = 0;
        return true;
    }

    const std::string suffix = "for device type " + std::to_string(d) + " in " + phrase;
    t.Name = GetField(v, 1);
    t.SecondaryName = GetField(v, 2);
    if (!ParseIntField(v, 3, t.Protocol, 0, 3, "Protocol " + suffix)) return false;
    if (!ParseIntField(v, 4, t.TypeCode, 0, 255, "Type Code " + suffix)) return false;
    // Bounded by the highest family number, the family always lies within the family table.
    if (!ParseIntField(v, 5, t.Family, 0, FamilyCount, "Device Family " + suffix)) return false;

    bool validAnalogue = false;
    t.AnalogueType =
        AnalogueTypeCode(LetterCode(GetField(v, 7), 2), GetField(v, 29), validAnalogue);
    if (!validAnalogue) {
        ShowDataFileProblem("Invalid analogue type entry in [Devices] section for device number " +
                            std::to_string(d) + " in " + phrase);
        return false;
    }

    if (!ParseLongField(v, 8, t.QuiescentCurrent, 0, 32767, "Quiescent Current " + suffix))
        return false;
    if (!ParseLongField(v, 26, t.AlarmCurrent, 0, 32767, "Alarm Current " + suffix)) return false;
    if (!ParseLongField(v, 30, t.AlarmCurrentLedDisabled, 0, 32767,
                        "Alarm Current (with LED disabled)" + suffix))
        return false;
    t.LedDisabledCurrentDiffers = t.AlarmCurrent != t.AlarmCurrentLedDisabled;
    if (!ParseIntField(v, 27, t.MinimumVoltage, 0, 32767, "Minimum Voltage " + suffix))
        return false;

    for (int b = 0; b < 3; ++b)
        if (!ParseLongField(v, 9 + b, t.InputBitCurrent[static_cast<std::size_t>(b)], -32768, 32767,
                            "Current for Input Bit " + std::to_string(b) + " "))
            return false;
    for (int b = 0; b < 3; ++b)
        if (!ParseLongField(v, 12 + b, t.OutputBitCurrent[static_cast<std::size_t>(b)], -32768,
                            32767, "Current for Output Bit " + std::to_string(b) + " "))
            return false;

    std::int32_t resistance = 0;
    if (!ParseLongField(v, 31, resistance, 0, 32767, "Internal Resistance " + suffix)) return false;
    t.InternalResistance = resistance;
    if (!ParseIntField(v, 16, t.IconNumber, 0, 32767, "Icon Number " + suffix)) return false;
    if (t.Family == 0 && t.IconNumber != 0) t.Family = 255;
    t.EntryFlag17 = IsTrueItem(GetField(v, 17));

    for (int b = 0; b < 3; ++b)
        if (!ParseIntField(v, 33 + b, t.OutputUse[static_cast<std::size_t>(b)], 0,
                           HighestOutputBit(), "Output Use Number " + suffix))
            return false;
    for (int b = 0; b < 3; ++b) {
        std::int16_t& use = t.InputUse[static_cast<std::size_t>(b)];
        if (!ParseIntField(v, 18 + b, use, 0, HighestInputBit(), "Input Use Number " + suffix))
            return false;
        if (!IsDefinedInputBit(use)) {
            ShowDataFileProblem("Invalid value for Input Use Number " + suffix);
            return false;
        }
    }
    t.UsesOutputGroup3 = TypeUsesOutputGroup3(d);

    t.EntryFlag22 = IsTrueItem(GetField(v, 22));
    if (!ParseByteField(v, 21, t.TestModeFinalRampUp, 0, 126, "Test Mode Final Ramp Up " + suffix))
        return false;
    if (!ParseByteField(v, 23, t.TestModeRampDown, 0, 126, "Test Mode Ramp Down " + suffix))
        return false;
    if (!ParseByteField(v, 24, t.TestModeRampUp, 0, 126, "Test Mode Ramp Up " + suffix))
        return false;
    if (!ParseByteField(v, 25, t.TestModeFinalValue, 0, 126, "Test Mode Final Value " + suffix))
        return false;
    if (!ParseByteField(v, 28, t.TestModeInitialRampDown, 0, 126,
                        "Test Mode Initial Ramp Down " + suffix))
        return false;

    if (!ReadAddressRange(GetField(v, 32), files, t.AddressRange)) return false;
    if (d == 0) t.AddressRange = 0;

    t.Button = 0;
    if (IsPlaceableDeviceType(d) || t.Name.empty()) {
        // Button numbers are read as bytes.
        const int highestButton = std::min(static_cast<int>(ButtonTable.size()) - 1, 255);
        std::uint8_t button = 0;
        const bool ok = ParseByteField(v, 36, button, 0, static_cast<std::uint8_t>(highestButton),
                                       "Device button");
        t.Button = button;
        if (!ok) return false;
    }

    if (!ParseByteField(v, 37, t.BaseType, 0, 255, "Base type " + suffix)) return false;
    if (!ParseLongField(v, 38, t.SurgeCurrent, 0, 32767, "Surge Current " + suffix)) return false;
    if (!ParseLongField(v, 39, t.MaxSurgeCurrent, 0, 2147483647, "Max Surge Current " + suffix))
        return false;
    if (!ParseIntField(v, 40, t.PollingLedIcon, 0, 32767, "Icon for Polling LED " + suffix))
        return false;
    if (!ParseLongField(v, 41, t.IsolatedEquivalent, 0, 2147483647,
                        "Isolated equivalent device " + suffix))
        return false;

    const std::string others = LetterCode(GetField(v, 42));
    t.NoOtherDevices = others == "T" || others == "A";
    t.Item42IsA = others == "A";
    const std::string role = LetterCode(GetField(v, 43));
    t.IsMaster = role == "M";
    t.IsSlave = role == "S";

    // Switch numbers are stored as bytes, so a number above 255 is out of bounds even when the
    // switch table is longer.
    const std::int32_t highestSwitch = std::min(HighestSwitch(), 255);
    std::int32_t dil = 0;
    if (!ParseLongField(v, 44, dil, 0, highestSwitch, "DIL Switch 1 setting " + suffix))
        return false;
    t.DilSwitch1 = static_cast<std::uint8_t>(dil);
    if (!ParseLongField(v, 45, dil, 0, highestSwitch, "DIL Switch 2 setting " + suffix))
        return false;
    t.DilSwitch2 = static_cast<std::uint8_t>(dil);
    if (!ParseIntField(v, 46, t.StandaloneSetting, 0, 255, "Standalone device setting " + suffix))
        return false;
    t.EntryFlag47 = IsTrueItem(GetField(v, 47));
    t.IsCustom = userEntry;

    const std::string faults =
        ReadProfileString(files.standardFile, "Faults", "Fault" + NumberKeyText(GetField(v, 48)));
    if (faults.empty()) {
        ShowDataFileProblem("Invalid value for Fault Range " + suffix);
        return false;
    }
    for (std::size_t i = 0; i < t.Faults.size(); ++i)
        t.Faults[i] = GetField(faults, static_cast<int>(i) + 1);

    const std::string fields =
        ReadProfileString(files.standardFile, "Fields", "Field" + NumberKeyText(GetField(v, 49)));
    if (fields.empty()) {
        ShowDataFileProblem("Invalid value for Field Range " + suffix);
        return false;
    }
    if (!ReadFields(t, fields, files, suffix)) return false;
    t.ProtocolThreeText = t.Protocol == 3 ? GetField(fields, 17) : "";

    t.OutputDrawOrder = 0;
    if (!GetField(v, 50).empty() &&
        !ParseIntField(v, 50, t.OutputDrawOrder, 0, 6, "Output Bit draw order " + suffix))
        return false;

    if (!ParseIntField(v, 51, t.WandIcon, 0, 32767, "Wand Detection mode icon")) return false;
    t.Value52Hundredths = HundredthsRoundedDown(GetField(v, 52));
    if (!ParseIntField(v, 53, t.DependsOnDevice, 0, 32767, "Depends on device")) return false;
    if (!ParseIntField(v, 54, t.MaximumDependents, 0, 255, "Maximum dependents")) return false;
    t.EntryFlag55 = IsWholeTrueItem(GetField(v, 55));
    return true;
}

bool LoadDeviceEntries(const CatalogueFiles& files) {
    std::int16_t maxDevices = 0;
    if (!ParseIntField(ReadProfileString(files.standardFile, "Devices", "MaxDevices"), 1,
                       maxDevices, 1, kMaxDeviceTypes,
                       "Invalid setting for 'MaxDevices' entry in 'Devices' section in " +
                           files.standardPhrase))
        return false;
    DeviceTypeCount = maxDevices;
    DeviceTypeTable.assign(static_cast<std::size_t>(DeviceTypeCount) + 1, DeviceTypeRecord{});
    DeviceOrder.assign(static_cast<std::size_t>(DeviceTypeCount) + 1, 0);
    FieldTypeTable.clear();

    for (int d = 0; d <= DeviceTypeCount; ++d) {
        const std::string value =
            ReadProfileString(files.standardFile, "Devices", "Device" + std::to_string(d));
        if (!ReadDeviceEntry(d, value, false, files)) return false;
    }

    for (int k = 1;; ++k) {
        const std::string value =
            ReadProfileString(files.userFile, "Devices", "Device" + std::to_string(k));
        if (value.empty()) break;
        if (DeviceTypeCount == kMaxDeviceTypes) {
            ShowDataFileProblem(
                "No more than 127 different device types allowed, including those in in " +
                files.userPhrase);
            return false;
        }
        ++DeviceTypeCount;
        DeviceTypeTable.emplace_back();
        DeviceOrder.push_back(0);
        if (!ReadDeviceEntry(DeviceTypeCount, value, true, files)) return false;
    }

    SortOrderByText(DeviceOrder, [](std::size_t type) { return DeviceTypeTable[type].Name; });
    return true;
}

bool LoadCatalogueOnce() {
    ResetDeviceCatalogue();
    CatalogueFiles files;
    files.standardFile = StandardDevicesFilePath();
    files.userFile = CustomDevicesFilePath();
    files.standardPhrase = FilePhrase(files.standardFile);
    files.userPhrase = FilePhrase(files.userFile);

    if (!FileExists(files.standardFile)) {
        ShowDataFileProblem("Unable to find file containing device types: '" + files.standardFile +
                            "'.");
        return false;
    }
    if (!LoadFamilies(files)) return false;
    LoadFamiliesShown();
    SortOrderByText(FamilyOrder,
                    [](std::size_t family) { return FamilyTable[family].FamilyTitle; });
    if (!LoadButtons(files)) return false;
    if (!LoadOutputBits(files.standardFile) || !LoadInputBits(files.standardFile) ||
        !LoadSwitches(files.standardFile))
        return false;
    return LoadDeviceEntries(files);
}

}  // namespace

bool LoadDeviceCatalogue() {
    return RunRetryingOnFault("LoadDeviceCatalogue", LoadCatalogueOnce);
}

void ResetDeviceCatalogue() {
    DeviceTypeTable.clear();
    DeviceTypeCount = 0;
    DeviceOrder.clear();
    FamilyTable.clear();
    FamilyCount = 0;
    FamilyOrder.clear();
    ButtonTable.clear();
    AddressRangeTable.assign(1, FullRange());
    FieldTypeTable.clear();
    HighAddressesUsed = false;
    ResetOutputBits();
    ResetInputBits();
    ResetSwitches();
}

int FindDeviceTypeByName(const std::string& name) {
    for (std::size_t type = 0; type < DeviceTypeTable.size(); ++type)
        if (DeviceTypeTable[type].Name == name) return static_cast<int>(type);
    return 0;
}

bool IsValidDeviceType(int type) {
    return type != 0 && WithinTable(type);
}

bool IsPlaceableDeviceType(int type) {
    return WithinTable(type) &&
           (type == 0 || DeviceTypeTable[static_cast<std::size_t>(type)].IconNumber != 0);
}

bool IsIconOnlyFamily(int type) {
    return WithinTable(type) && DeviceTypeTable[static_cast<std::size_t>(type)].Family == 255;
}

bool TypeUsesOutputGroup3(int type) {
    if (!WithinTable(type)) return false;
    const DeviceTypeRecord& t = DeviceTypeTable[static_cast<std::size_t>(type)];
    return std::any_of(t.OutputUse.begin(), t.OutputUse.end(),
                       [](std::int16_t use) { return IsOutputGroup3(use); });
}

bool IsAddressAllowed(int type, int address) {
    if (!WithinTable(type) || address < 0 || address > kHighestAddress) return false;
    const std::int32_t range = DeviceTypeTable[static_cast<std::size_t>(type)].AddressRange;
    if (range < 0 || range >= static_cast<std::int32_t>(AddressRangeTable.size())) return false;
    return AddressRangeTable[static_cast<std::size_t>(range)]
        .RangeAllows[static_cast<std::size_t>(address)];
}

int MaxLoopAddress() {
    return HighAddressesUsed ? 252 : kHighestLowAddress;
}

void SetFamilyShown(int family, bool shown) {
    if (family < 0 || family >= static_cast<int>(FamilyTable.size())) return;
    DeviceFamily& entry = FamilyTable[static_cast<std::size_t>(family)];
    if (entry.FamilyShown == shown) return;
    // Written first, so that a setting that cannot be written leaves the flag as it was.
    WriteSettingFlag(DontShowFamilySetting(family), !shown);
    entry.FamilyShown = shown;
}
