#include "catalogue/OtherDevices.h"

#include <exception>
#include <functional>
#include <optional>

#include "catalogue/DeviceTypes.h"
#include "catalogue/ExchangeSort.h"
#include "catalogue/FieldParsing.h"
#include "shell/Numbers.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/ProfileFile.h"
#include "shell/Text.h"

std::vector<OtherDevice> OtherDeviceTable;
int LastSurgeStandaloneOther = 0;

namespace {

// A figure that is converted as it stands turned out not to be a number that fits its field;
// the whole file is then reported as unreadable.
struct UnreadableFigure {};

// Item 1 of a value converted directly to a whole number of the field's size.
template <typename Target>
Target DirectWhole(const std::string& value) {
    const std::string item = GetField(value, 1);
    if (!IsNumeric(item)) throw UnreadableFigure{};
    std::optional<Target> result;
    if constexpr (sizeof(Target) == 2)
        result = RoundToInt16(NumericValue(item));
    else
        result = RoundToInt32(NumericValue(item));
    if (!result) throw UnreadableFigure{};
    return *result;
}

OtherDevice EmptyOther() {
    OtherDevice none;
    none.SingleName = "0";
    return none;
}

// Reading the keys of one other device section; `n` is the entry number of [Others].
class OtherReader {
public:
    OtherReader(const std::string& file, const std::string& phrase, int n, OtherDevice& other)
        : file_(file), phrase_(phrase), n_(n), other_(other), section_() {}

    bool Read(const std::string& section) {
        section_ = section;
        std::string v;
        if (!Required("Name", v)) return false;
        other_.OtherName = GetField(v, 1);
        other_.SingleName = Value("SingleName");
        if (!Required("Impedance", v)) return false;
        other_.OtherImpedance = DirectWhole<std::int16_t>(v);
        if (!Required("Quiescent", v)) return false;
        other_.OtherQuiescent = DirectWhole<std::int32_t>(v);
        if (!Required("Alarm", v)) return false;
        other_.OtherAlarm = DirectWhole<std::int32_t>(v);
        v = Value("Surge");
        other_.OtherSurge = v.empty() ? other_.OtherQuiescent : DirectWhole<std::int32_t>(v);
        v = Value("MaxSurge");
        other_.OtherMaxSurge = v.empty() ? 0 : DirectWhole<std::int32_t>(v);
        if (!Required("FromRemote", v)) return false;
        other_.FromRemote = IsTrueItem(GetField(v, 1));
        other_.FromRemoteSecond = IsTrueItem(GetField(v, 2));

        other_.MaxQuantity = 255;
        v = Value("MaxQty");
        if (!v.empty() && !ParseByteField(v, 1, other_.MaxQuantity, 1, 255,
                                          Describe("Maximum quantity for Other Device ")))
            return false;
        v = Value("Family");
        if (!v.empty() && !ParseIntField(v, 1, other_.OtherFamily, 0, FamilyCount,
                                         Describe("Family for Other Device ")))
            return false;
        v = Value("Icon");
        if (!v.empty()) {
            if (!ParseIntField(v, 1, other_.OtherIcon, 0, 32767,
                               Describe("Icon number for Other Device ")))
                return false;
            other_.AlternativeIcon = other_.OtherIcon;
            if (!GetField(v, 2).empty() &&
                !ParseIntField(v, 2, other_.AlternativeIcon, 0, 32767,
                               Describe("Alternative Icon number for Other Device ")))
                return false;
        }
        if (!Optional16("AlarmIcon", other_.AlarmIcon, 32767,
                        "Alarm Icon number for Other Device "))
            return false;
        v = Value("UseAlternative");
        other_.AlternativeName = other_.SingleName;
        if (!v.empty()) {
            if (!ParseIntField(v, 1, other_.AlternativeDevice, 0, 32767,
                               Describe("Alternative Device number for Other Device ")))
                return false;
            if (!GetField(v, 2).empty()) other_.AlternativeName = GetField(v, 2);
        }
        if (!Optional16("Button", other_.OtherButton, 255, "Button number for Other Device "))
            return false;
        v = Value("Base");
        if (!v.empty() && !ParseByteField(v, 1, other_.OtherBase, 0, 255,
                                          Describe("Base type for Other Device ")))
            return false;
        if (!Optional16("MinVolts", other_.OtherMinVolts, 32767,
                        "Minimum voltage for Other Device "))
            return false;
        if (!Required("Context", v)) return false;
        const std::string context = LCase(GetField(v, 1));
        if (context != "standalone" && context != "base" && context != "other") {
            ShowDataFileProblem("Invalid 'context' setting for Other Device " + Numbered());
            return false;
        }
        other_.IsStandaloneContext = context == "standalone";
        other_.IsBaseContext = context == "base";
        if (!Optional16("AddressableDevice", other_.AddressableDevice, DeviceTypeCount,
                        "Corresponding Addressable Device for Other Device "))
            return false;
        other_.ThirdParty = IsTrueItem(GetField(Value("ThirdParty"), 1));
        return true;
    }

private:
    std::string Value(const char* key) const { return ReadProfileString(file_, section_, key); }
    std::string Numbered() const { return std::to_string(n_) + " in " + phrase_; }
    std::string Describe(const char* description) const { return description + Numbered(); }

    bool Required(const char* key, std::string& value) const {
        value = Value(key);
        if (!value.empty()) return true;
        ShowDataFileProblem("Invalid settings for Other Device " + Numbered());
        return false;
    }

    // An optional 16-bit key from 0 to `upper`; a missing key leaves the field at 0.
    bool Optional16(const char* key, std::int16_t& field, int upper,
                    const char* description) const {
        const std::string v = Value(key);
        return v.empty() || ParseIntField(v, 1, field, 0, upper, Describe(description));
    }

    const std::string& file_;
    const std::string& phrase_;
    int n_;
    OtherDevice& other_;
    std::string section_;
};

// Reads the [Others] entries of one file onto the end of the table.
bool ReadOtherFile(const std::string& file, bool required, const std::string& keyPrefix,
                   bool userFile) {
    if (!FileExists(file)) {
        if (!required) return true;
        ShowDataFileProblem("Unable to find file containing Other Devices data: '" + file + "'.");
        return false;
    }
    const std::string phrase = FilePhrase(file);
    try {
        for (int n = 1;; ++n) {
            const std::string section =
                GetField(ReadProfileString(file, "Others", "Other" + std::to_string(n)), 1);
            if (section.empty()) return true;
            OtherDevice other;
            other.OtherNumber = static_cast<std::int16_t>(OtherDeviceTable.size());
            other.OtherKey = keyPrefix + section;
            other.OtherIsCustom = userFile;
            if (!OtherReader(file, phrase, n, other).Read(section)) return false;
            OtherDeviceTable.push_back(std::move(other));
        }
    } catch (const UnreadableFigure&) {
    } catch (const std::exception&) {}
    ShowDataFileProblem("An unexpected error has occurred while reading " + phrase);
    return false;
}

}  // namespace

void ResetOtherDevices() {
    OtherDeviceTable.assign(1, EmptyOther());
    LastSurgeStandaloneOther = 0;
}

bool LoadOtherDevices() {
    ResetOtherDevices();
    if (!ReadOtherFile(StandardDevicesFilePath(), true, "", false)) return false;
    if (!ReadOtherFile(CustomDevicesFilePath(), false, kCustomOtherKeyPrefix, true)) return false;
    // Case-sensitive, by the names' codes in the files' code page; entry 0 stays first.
    ExchangeSortByKey(
        OtherDeviceTable, 1, [](const OtherDevice& o) { return Utf8ToCp1252(o.OtherName); },
        std::greater<std::string>());
    for (std::size_t i = 1; i < OtherDeviceTable.size(); ++i)
        if (OtherDeviceTable[i].IsStandaloneContext && OtherDeviceTable[i].OtherMaxSurge != 0)
            LastSurgeStandaloneOther = static_cast<int>(i);
    for (DeviceTypeRecord& type : DeviceTypeTable)
        type.StandaloneSetting =
            static_cast<std::int16_t>(FindOtherByNumber(type.StandaloneSetting));
    return true;
}

bool IsValidOther(int number) {
    return number > 0 && number < static_cast<int>(OtherDeviceTable.size());
}

int FindOtherByNumber(int number) {
    for (std::size_t i = 0; i < OtherDeviceTable.size(); ++i)
        if (OtherDeviceTable[i].OtherNumber == number) return static_cast<int>(i);
    return 0;
}

int FindOtherByKey(const std::string& key) {
    for (std::size_t i = 1; i < OtherDeviceTable.size(); ++i)
        if (OtherDeviceTable[i].OtherKey == key) return static_cast<int>(i);
    return 0;
}

bool IsCompatible(int deviceType, int other) {
    if (other == 0) return true;
    if (deviceType < 0 || deviceType >= static_cast<int>(DeviceTypeTable.size()) ||
        !IsValidOther(other))
        return false;
    const DeviceTypeRecord& type = DeviceTypeTable[static_cast<std::size_t>(deviceType)];
    const OtherDevice& device = OtherDeviceTable[static_cast<std::size_t>(other)];
    if (type.NoOtherDevices) return false;
    if (!TypeUsesOutputGroup3(deviceType) && device.FromRemote) return false;
    return device.OtherBase == 0 || device.OtherBase == type.BaseType;
}
