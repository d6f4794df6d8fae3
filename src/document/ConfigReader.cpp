#include "document/ConfigReader.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <new>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <unordered_map>

#include "catalogue/Cables.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/FieldParsing.h"
#include "catalogue/OtherDevices.h"
#include "catalogue/Panels.h"
#include "document/CalcGlue.h"
#include "document/ConfigWriter.h"
#include "document/DesignDocument.h"
#include "document/DocumentRules.h"
#include "document/MainWindowView.h"
#include "document/StandbyPowerFile.h"
#include "engine/clsCalculator.h"
#include "shell/ErrorHandler.h"
#include "shell/Numbers.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/Product.h"
#include "shell/ProfileFile.h"
#include "shell/RecentFiles.h"
#include "shell/Text.h"

namespace {

// ---- how a load ends early ----------------------------------------------------------------

// The user confirmed Cancel, or cancelled a question.
struct OpenCancelled {};
// A stop that has already been reported.
struct OpenStopped {};
// A failure nothing foresaw, reported with its number and description.
struct OpenFault {
    long number;
    std::string description;
};

constexpr long kOverflowError = 6;
constexpr long kSubscriptError = 9;
constexpr long kOutOfMemoryError = 7;
constexpr long kGeneralError = 5;

// ---- values -------------------------------------------------------------------------------

// A whole number from a numeric text, rounded half to even; nothing for text that is not a
// number (or is empty).
std::optional<double> WholeNumberOf(std::string_view text) {
    // Plain whole numbers, nearly every number of a file, need no general number reader.
    if (!text.empty() && text.size() <= 10) {
        std::size_t i = text[0] == '-' ? 1 : 0;
        double value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            value = value * 10 + (text[i] - '0');
        if (i == text.size() && (text[0] != '-' || text.size() > 1))
            return text[0] == '-' ? -value : value;
    }
    if (text.empty() || !IsNumeric(text)) return std::nullopt;
    const double v = RoundHalfEven(NumericValue(text));
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

// A whole number from a numeric text within [lower, upper]; nothing otherwise.
std::optional<int> BoundedNumberOf(std::string_view text, int lower, int upper) {
    const auto v = WholeNumberOf(text);
    if (!v || *v < lower || *v > upper) return std::nullopt;
    return static_cast<int>(*v);
}

bool IsReadOnlyFile(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

const DeviceTypeRecord& TypeRecord(int type) {
    return DeviceTypeTable.at(static_cast<std::size_t>(type));
}

const OtherDevice& OtherRecord(int place) {
    return OtherDeviceTable.at(static_cast<std::size_t>(place));
}

// An other device and a base named by one field.
struct OtherRefs {
    int other = 0;
    int base = 0;
    std::int32_t address = 0;  // the standalone address in parentheses
};

// ---- one load -----------------------------------------------------------------------------

// Reads the nine calculation settings of one loop into the loop's calculator, `read` giving the
// value of a key of the loop's section; a missing value takes its default, a bad one is
// reported and takes its default.
void ReadCalcData(int loop, const std::function<std::string(const char* key)>& read) {
    clsCalculator& calc = CurrentDocument().LoopModel(loop);
    const std::string onLoop = std::to_string(loop);

    std::int16_t impedance = static_cast<std::int16_t>(FirstVisibleCableImpedance());
    if (const std::string v = read("CableImpedance"); !v.empty())
        ParseIntField(v, 1, impedance, 0, 32767, "cable impedance for loop " + onLoop);
    calc.CableImpedance(impedance);

    // A length in decimetres, or else the older whole metres.
    const auto readLength = [&](const char* lengthKey, const char* metresKey,
                                const std::string& description) {
        std::int32_t length = 0;
        if (const std::string v = read(lengthKey); !v.empty()) {
            ParseLongField(v, 1, length, 0, 327670, description);
        } else if (const std::string m = read(metresKey); !m.empty()) {
            std::int16_t metres = 0;
            if (ParseIntField(m, 1, metres, 0, 32767, description)) length = metres * 10;
        }
        return length;
    };
    calc.CableFirst(
        readLength("CableFirstLength", "CableFirstRun", "cable first run for loop " + onLoop));
    calc.CableTotal(
        readLength("CableTotalLength", "CableMaxRun", "cable length for loop " + onLoop));

    std::int32_t calcType = 0;
    if (const std::string v = read("Calculation"); !v.empty())
        ParseLongField(v, 1, calcType, clsCalculator::MinCalcType(), clsCalculator::MaxCalcType(),
                       "calculation type for loop " + onLoop);
    calc.CalcType(calcType);

    const ControlPanel* panel = ChosenPanelRecord();
    const std::int32_t panelOutputs = panel ? panel->Outputs : 0;
    std::int32_t maxOutput = panelOutputs;
    if (const std::string v = read("MaxOutputs"); !v.empty())
        ParseLongField(v, 1, maxOutput, 0, MaxLoopAddress(),
                       "maximum outputs activated on loop " + onLoop);
    calc.MaxOutput(std::min(maxOutput, panelOutputs));

    calc.DINLEDsDisabled(IsTrueItem(read("DINLEDsDisabled")));
    calc.IgnoreIsolators(IsTrueItem(read("IgnoreIsolators")));
}

class ConfigLoader {
public:
    ConfigLoader(const std::string& path, bool readOnlyRequest, OpenProgressView& progress,
                 IgnoreUnknownPrompt& unknown)
        : path_(path),
          // A bare file name means the current folder here, not the profile files' own folder.
          file_(path.find('/') == std::string::npos ? "./" + path : path),
          readOnlyRequest_(readOnlyRequest),
          progress_(progress),
          unknown_(unknown),
          notedModified_(CurrentDocument().ModifiedDate) {}

    OpenResult Run();
    bool OthersDropped() const { return othersDropped_; }
    const DateTime& NotedModifiedDate() const { return notedModified_; }

private:
    std::string Read(const std::string& section, const std::string& key) const {
        return ReadProfileString(file_, section, key);
    }

    bool CheckFormat();
    void ReadHeader();
    void ReadLoop(int loop);
    void ReadDeviceEntries(int loop, clsCalculator& calc);
    void ReadStandaloneEntries(clsCalculator& calc);
    void ApplyBases(int loop, clsCalculator& calc);
    void ApplyTallies(int loop, clsCalculator& calc);
    void ApplyAddressOrder(clsCalculator& calc);
    void StepProgress(int loop, int address);
    std::optional<std::string> CustomName(std::string_view field, const char* section,
                                          const char* prefix) const;
    int LookUpType(std::string_view field) const;
    int LookUpOther(std::string_view part) const;
    OtherRefs ParseOther(std::string_view text) const;
    int KeepIfCompatible(int loop, int type, int other);
    void Distribute(int loop, clsCalculator& calc, int other, int count);

    std::string path_;
    std::string file_;
    bool readOnlyRequest_;
    OpenProgressView& progress_;
    IgnoreUnknownPrompt& unknown_;
    DateTime notedModified_;
    bool othersDropped_ = false;
    bool hasPlacedOthers_ = false;
    bool yesToAll_ = false;
    // Per loop while its device entries are read: the base each address belongs to and its
    // type, and the position each address asks for along the cable.
    std::array<int, kAddressCount> baseAddress_{};
    std::array<int, kAddressCount> baseType_{};
    // Which of an address's keys the loop's section holds (bits of KeyKind), and their values.
    // The section is taken whole: the hundreds of keys it lacks are not asked for one by one.
    enum KeyKind : std::uint8_t { kDevice = 1, kEavesdrop = 2, kEavesdropping = 4, kBetween = 8 };
    std::array<std::uint8_t, kAddressCount> keysPresent_{};
    std::vector<int> addressesWithKeys_;  // ascending
    struct AddressKeys {
        std::string device, eavesdrop, eavesdropping, between;
    };
    std::array<AddressKeys, kAddressCount> keyValues_;  // only those present are set
    // The loop's other keys (its name, its settings, older files' tallies), as names match.
    std::unordered_map<std::string, std::string> loopKeys_;
    std::vector<std::string_view> listItems_;  // the items of the value list being read
    void TakeLoopSection(const std::string& section);
    std::string LoopValue(std::string_view key);
    // The keys asked of every loop, each with its form as names match, worked out once.
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, std::string, TextHash, std::equal_to<>> matchedKeys_;
    std::array<int, kAddressCount> wantedOrder_{};
    std::array<bool, kAddressCount> stored_{};
    bool ordersMoved_ = false;  // whether any entry asks for a position other than its own
    int shownPercent_ = -1;
};

bool ConfigLoader::CheckFormat() {
    if (!FileExists(path_)) {
        ShowMessage("Unable to find file '" + path_ + "'.", kProgramTitle, MsgIcon::Exclamation);
        return false;
    }
    const std::string format = Read(kMainSection, "DataFormat");
    const double version = format.empty() ? 0 : RoundHalfEven(LeadingNumber(format));
    if (version == 0) {
        ShowMessage("File format is not recognised, unable to open '" + path_ + "'.", kProgramTitle,
                    MsgIcon::Exclamation);
        return false;
    }
    if (version > kDataFormat) {
        ShowMessage(std::string("The data in this file has been generated by a version of ") +
                        kProgramTitle + " that is newer than this version.\n\nUnable to open '" +
                        path_ + "'.",
                    kProgramTitle, MsgIcon::Exclamation);
        return false;
    }
    return true;
}

void ConfigLoader::ReadHeader() {
    DesignDocument& doc = CurrentDocument();
    doc.SiteName = Read(kMainSection, "SiteName");
    TellInstalled<MainWindowView>([&](MainWindowView& v) { v.ShowSiteName(doc.SiteName); });
    doc.CreatedDate = ParseFileDate(Read(kMainSection, "CreatedDate")).value_or(CurrentDateTime());
    notedModified_ = ParseFileDate(Read(kMainSection, "ModifiedDate")).value_or(doc.CreatedDate);
    // The panel catalogue reports a missing fallback panel itself.
    if (!SelectPanelOrUnknown(Read(kMainSection, "PanelType"))) throw OpenStopped{};
}

void ConfigLoader::StepProgress(int loop, int address) {
    // The bar moves in whole percents: between two of them there is nothing new to show, and
    // Cancel is looked at once per step.
    const int percent = ((loop - 1) * kAddressCount + address) * 100 / (kLoopCount * kAddressCount);
    if (percent == shownPercent_) return;
    shownPercent_ = percent;
    progress_.ShowPercent(percent);
    if (progress_.CancelPressed() &&
        ShowMessage("Do you want to cancel the open operation?", kProgramTitle, MsgIcon::Question,
                    MsgButtons::YesNo, 1) == MsgResult::Yes) {
        throw OpenCancelled{};
    }
}

// "C" and a number: a user-defined entry, named in the given section under prefix + number.
std::optional<std::string> ConfigLoader::CustomName(std::string_view field, const char* section,
                                                    const char* prefix) const {
    if (field.size() < 2 || field[0] != 'C' || !IsNumeric(field.substr(1))) return std::nullopt;
    return Read(section, prefix + std::string(field.substr(1)));
}

int ConfigLoader::LookUpType(std::string_view field) const {
    if (field.empty()) return 0;
    if (const auto number = WholeNumberOf(field))
        return *number >= 1 && *number <= DeviceTypeCount ? static_cast<int>(*number) : 0;
    if (IsNumeric(field)) return 0;  // a number too large to hold
    const std::string name =
        CustomName(field, kCustomDeviceSection, "Device").value_or(std::string(field));
    return name.empty() ? 0 : FindDeviceTypeByName(name);
}

int ConfigLoader::LookUpOther(std::string_view part) const {
    if (part.empty()) return 0;
    if (const auto number = WholeNumberOf(part))
        return *number >= -32768 && *number <= 32767 ? FindOtherByNumber(static_cast<int>(*number))
                                                     : 0;
    if (IsNumeric(part)) return 0;  // a number too large to hold
    const std::string name =
        CustomName(part, kCustomOtherSection, "Other").value_or(std::string(part));
    if (name.empty()) return 0;
    for (std::size_t place = 1; place < OtherDeviceTable.size(); ++place)
        if (OtherDeviceRecordAt(static_cast<int>(place)).SingleName == name)
            return static_cast<int>(place);
    return 0;
}

OtherRefs ConfigLoader::ParseOther(std::string_view text) const {
    OtherRefs refs;
    const std::size_t paren = text.find('(');
    if (paren != std::string_view::npos) {
        // A standalone device's master; anything but an address slot is refused.
        const double address = RoundHalfEven(LeadingNumber(text.substr(paren + 1)));
        refs.address =
            address >= 0 && address < kAddressCount ? static_cast<std::int32_t>(address) : 0;
        text = text.substr(0, paren);
    }
    // A base is a base whichever side of the "+" names it.
    const auto take = [&](std::string_view part) {
        const int found = LookUpOther(Trim(part));
        if (found != 0) (OtherRecord(found).IsBaseContext ? refs.base : refs.other) = found;
    };
    const std::size_t plus = text.find('+');
    take(text.substr(0, plus));
    if (plus != std::string_view::npos) take(text.substr(plus + 1));
    return refs;
}

// The other device, or 0 when it may not hang on the device type and the user lets it go.
int ConfigLoader::KeepIfCompatible(int loop, int type, int other) {
    // An address without a device keeps what hangs on it: there is no device to judge it by.
    if (other == 0 || type == 0 || IsCompatible(type, other)) return other;
    const std::string text = "1 " + OtherRecord(other).SingleName + " on loop " +
                             std::to_string(loop) +
                             " will be deleted, because it is incompatible with its associated " +
                             TypeRecord(type).Name + ".";
    if (ShowMessage(text, kProgramTitle, MsgIcon::Information, MsgButtons::OKCancel) ==
        MsgResult::Cancel) {
        throw OpenCancelled{};
    }
    othersDropped_ = true;
    return 0;
}

void ConfigLoader::ReadDeviceEntries(int loop, clsCalculator& calc) {
    DesignDocument& doc = CurrentDocument();
    baseAddress_ = OwnNumbers<int, kAddressCount>();
    baseType_.fill(0);
    wantedOrder_ = OwnNumbers<int, kAddressCount>();
    stored_.fill(false);
    ordersMoved_ = false;
    for (const int a : addressesWithKeys_) {
        StepProgress(loop, a);
        const std::uint8_t present = keysPresent_[a];
        if (!(present & (kDevice | kEavesdrop | kEavesdropping))) continue;
        const AddressKeys& keys = keyValues_[a];
        std::string_view value = present & kDevice ? keys.device : std::string_view();
        bool eavesdrop = false;
        if (value.empty()) {
            // The writer's key for flagged entries, and the key older files use.
            if (present & kEavesdrop) value = keys.eavesdrop;
            if (value.empty() && (present & kEavesdropping)) value = keys.eavesdropping;
            eavesdrop = !value.empty();
        }
        if (value.empty()) continue;  // the address stays empty, in its own place

        std::vector<std::string_view>& fields = listItems_;
        SplitValueList(value, fields);
        const auto field = [&fields](std::size_t i) {
            return i < fields.size() ? fields[i] : std::string_view();
        };
        if (!field(2).empty()) hasPlacedOthers_ = true;
        int type = LookUpType(field(0));
        const OtherRefs refs = ParseOther(field(2));
        const int order = BoundedNumberOf(field(3), 1, kAddressCount - 2).value_or(a);

        for (const LegacyTypeConversion& conversion : LegacyTypeConversions()) {
            if (type != conversion.FromType) continue;
            type = conversion.ToType;
            calc.DeviceStandaloneTypeAndAddress(
                a, clsCalculator::kFirstSub,
                static_cast<std::int16_t>(FindOtherByNumber(conversion.StandaloneOtherNumber)), 0);
            break;
        }
        if (type < 0 || type > DeviceTypeCount) type = 0;
        if (TypeRecord(type).IsSlave) continue;  // a slave never has an address of its own

        // The base this address belongs to: an address slot and a type of the catalogue.
        const auto baseAddress = BoundedNumberOf(field(4), 0, kAddressCount - 1);
        if (baseAddress) {
            baseAddress_[a] = *baseAddress;
            if (*baseAddress != 0)
                baseType_[a] = BoundedNumberOf(field(5), 0, DeviceTypeCount).value_or(0);
        }

        std::int16_t carried = 0;
        if (const auto v = WholeNumberOf(field(1))) {
            const auto fits = RoundToInt16(*v);
            if (!fits) throw OpenFault{kOverflowError, "Overflow"};
            carried = *fits;
        }

        // Store the entry.
        wantedOrder_[a] = order;
        stored_[a] = true;
        if (order != a) ordersMoved_ = true;
        if (IsPlaceableDeviceType(type)) {
            calc.DeviceType(a, static_cast<std::int16_t>(type));
            doc.DeviceCarriedValue(loop, a) = carried;
            doc.DeviceEavesdropFlag(loop, a) = eavesdrop;
            calc.DeviceOtherType(
                a, static_cast<std::int16_t>(KeepIfCompatible(loop, type, refs.other)));
            calc.DeviceOtherBaseType(
                a, static_cast<std::int16_t>(KeepIfCompatible(loop, type, refs.base)));
        } else if (!yesToAll_) {
            switch (unknown_.UnknownResponse(static_cast<std::int16_t>(loop),
                                             static_cast<std::int16_t>(a),
                                             static_cast<std::int16_t>(type))) {
                case 'A':
                    yesToAll_ = true;
                    break;
                case 'C':
                    throw OpenCancelled{};
                default:
                    break;
            }
        }
    }
    StepProgress(loop, kAddressCount - 1);  // the loop's share of the bar is done
}

// Gives the loop the positions its entries asked for. When they form an arrangement of all 256
// addresses (the addresses without an entry keeping their own place) that arrangement is made
// exactly; otherwise each stored entry moves its address to its position in turn, the later
// moves shifting the earlier ones, and addresses 0 and 255 go back to the two ends, the only
// places a file can give them, so that the design reads back as it is saved.
void ConfigLoader::ApplyAddressOrder(clsCalculator& calc) {
    if (!ordersMoved_) return;  // every address in its own place, as the emptied loop has them
    std::array<int, kAddressCount> slotAt{};
    slotAt.fill(-1);
    bool consistent = true;
    for (int a = 0; a < kAddressCount && consistent; ++a) {
        consistent = slotAt[wantedOrder_[a]] < 0;
        slotAt[wantedOrder_[a]] = a;
    }
    if (consistent) {
        // Filling the positions from the panel outwards: a move to position p shifts only
        // addresses that belong further out, so every filled position stays filled.
        for (int p = 0; p < kAddressCount; ++p)
            if (calc.AddressOrder(slotAt[p]) != p) calc.AddressOrder(slotAt[p], p);
        return;
    }
    for (int a = 0; a < kAddressCount; ++a)
        if (stored_[a]) calc.AddressOrder(a, wantedOrder_[a]);
    calc.AddressOrder(0, 0);
    calc.AddressOrder(kAddressCount - 1, kAddressCount - 1);
}

void ConfigLoader::ReadStandaloneEntries(clsCalculator& calc) {
    constexpr int kSlots = clsCalculator::kSubCount;
    for (const int a : addressesWithKeys_) {
        if (!(keysPresent_[a] & kBetween)) continue;
        const std::string& value = keyValues_[a].between;
        if (value.empty()) continue;
        std::vector<std::string_view>& items = listItems_;
        SplitValueList(value, items);
        for (int k = 1; k <= kSlots && k <= static_cast<int>(items.size()); ++k) {
            const std::string_view item = items[static_cast<std::size_t>(k - 1)];
            if (item.empty()) continue;
            hasPlacedOthers_ = true;
            const OtherRefs refs = ParseOther(item);
            calc.DeviceStandaloneTypeAndAddress(
                a, k + 1, static_cast<std::int16_t>(refs.other != 0 ? refs.other : refs.base),
                refs.address);
        }
    }
}

void ConfigLoader::ApplyBases(int loop, clsCalculator& calc) {
    for (const int a : addressesWithKeys_) {  // only a device entry names a base
        if (baseAddress_[a] == a) continue;
        const int standalone = TypeRecord(baseType_[a]).StandaloneSetting;
        if (baseType_[a] != 0 && standalone != 0) {
            // Older files kept some standalone devices as bases of a stand-in type.
            Distribute(loop, calc, standalone, 1);
        } else {
            calc.DeviceBaseAddr(a, baseAddress_[a]);
            calc.DeviceBaseType(a, static_cast<std::int16_t>(baseType_[a]));
        }
    }
}

void ConfigLoader::ApplyTallies(int loop, clsCalculator& calc) {
    for (std::size_t other = 1; other < OtherDeviceTable.size(); ++other) {
        const std::string value = LoopValue(OtherDeviceRecordAt(static_cast<int>(other)).OtherKey);
        const auto count = WholeNumberOf(value);
        if (!count || *count == 0) continue;
        if (*count < 0 || *count > 255) throw OpenFault{kOverflowError, "Overflow"};
        Distribute(loop, calc, static_cast<int>(other), static_cast<int>(*count));
    }
}

// Places `count` instances of an other device, one at a time in ascending address order, on
// free places of devices it may hang on; reports what finds no place.
void ConfigLoader::Distribute(int loop, clsCalculator& calc, int other, int count) {
    const OtherDevice& record = OtherRecord(other);
    int placed = 0;
    int masterAddress = 0;
    bool mayPlace = true;
    if (record.IsStandaloneContext && record.AddressableDevice != 0) {
        mayPlace = false;
        for (int a = 0; a < kAddressCount && !mayPlace; ++a) {
            if (TypeRecord(calc.DeviceType(a)).IsMaster) {
                masterAddress = a;
                mayPlace = true;
            }
        }
    }
    for (int a = 0; a < kAddressCount && mayPlace && placed < count; ++a) {
        const int type = calc.DeviceType(a);
        if (type == 0 || !IsCompatible(type, other)) continue;
        if (record.IsStandaloneContext) {
            for (int sub = clsCalculator::kFirstSub;
                 sub <= clsCalculator::kLastSub && placed < count; ++sub) {
                if (calc.DeviceStandalone(a, sub) != 0) continue;
                calc.DeviceStandaloneTypeAndAddress(a, sub, static_cast<std::int16_t>(other),
                                                    masterAddress);
                ++placed;
            }
        } else if (record.IsBaseContext) {
            if (calc.DeviceOtherBaseType(a) != 0) continue;
            calc.DeviceOtherBaseType(a, static_cast<std::int16_t>(other));
            ++placed;
        } else {
            if (calc.DeviceOtherType(a) != 0) continue;
            calc.DeviceOtherType(a, static_cast<std::int16_t>(other));
            ++placed;
        }
    }
    const int unplaced = count - placed;
    if (unplaced == 0) return;
    othersDropped_ = true;
    const std::string what =
        unplaced == 1
            ? "1 " + record.SingleName + " has been deleted from Loop "
            : std::to_string(unplaced) + " " + record.OtherName + " have been deleted from Loop ";
    ShowMessage(std::string("This version of ") + kProgramTitle +
                    " has more precise definitions of some devices than previous versions.  "
                    "Consequently, it has detected that this configuration data contains "
                    "incompatible data.\n\n" +
                    what + std::to_string(loop) + ".",
                "Open", MsgIcon::Information);
}

void ConfigLoader::TakeLoopSection(const std::string& section) {
    keysPresent_.fill(0);
    addressesWithKeys_.clear();
    loopKeys_.clear();
    struct Kind {
        std::string prefix;
        KeyKind kind;
        std::string AddressKeys::*value;
    };
    const Kind kinds[] = {{UCase(kDeviceKey), kDevice, &AddressKeys::device},
                          {UCase(kEavesdropKey), kEavesdrop, &AddressKeys::eavesdrop},
                          {UCase(kEavesdroppingKey), kEavesdropping, &AddressKeys::eavesdropping},
                          {UCase(kStandaloneKey), kBetween, &AddressKeys::between}};
    for (auto& [key, value] : ProfileSectionEntries(file_, section)) {
        bool perAddress = false;
        for (const auto& [prefix, kind, stored] : kinds) {
            if (key.size() <= prefix.size() || key.size() > prefix.size() + 3 ||
                key.compare(0, prefix.size(), prefix) != 0)
                continue;
            // Only the number as the address's own name reads it ("Device7", not "Device07").
            const std::string_view number = std::string_view(key).substr(prefix.size());
            if (number.size() > 1 && number[0] == '0') continue;
            int a = 0;
            for (const char c : number)
                a = c >= '0' && c <= '9' && a >= 0 ? a * 10 + (c - '0') : -1;
            if (a < 0 || a >= kAddressCount) continue;
            if (keysPresent_[a] == 0) addressesWithKeys_.push_back(a);
            keysPresent_[a] |= kind;
            keyValues_[a].*stored = std::move(value);
            perAddress = true;
            break;
        }
        if (!perAddress) loopKeys_.emplace(std::move(key), std::move(value));
    }
    std::sort(addressesWithKeys_.begin(), addressesWithKeys_.end());
}

std::string ConfigLoader::LoopValue(std::string_view key) {
    auto matched = matchedKeys_.find(key);
    if (matched == matchedKeys_.end())
        matched = matchedKeys_.emplace(std::string(key), ProfileMatchName(key)).first;
    const auto found = loopKeys_.find(matched->second);
    return found == loopKeys_.end() ? std::string() : found->second;
}

void ConfigLoader::ReadLoop(int loop) {
    DesignDocument& doc = CurrentDocument();
    const std::string section = LoopSectionName(loop);
    // The loop is empty since NewDocument; the settings that emptying takes from the panel
    // chosen at that time all come from the file now.
    clsCalculator& calc = doc.LoopModel(loop);
    TakeLoopSection(section);
    doc.LoopName(loop) = LoopValue("Name");
    ReadCalcData(loop, [this](const char* key) { return LoopValue(key); });
    ReadDeviceEntries(loop, calc);
    ApplyAddressOrder(calc);
    ReadStandaloneEntries(calc);
    ApplyBases(loop, calc);
    // Files of an older layout kept only per-loop counts of the other devices.
    if (!hasPlacedOthers_) ApplyTallies(loop, calc);
}

void ReportFault(const std::string& path, long number, const std::string& description) {
    ShowMessage("Unable to open file '" + path + "' for the following reason:\n\n(" +
                    std::to_string(number) + ")  " + description,
                kProgramTitle, MsgIcon::Exclamation);
}

// What the user sees of an open while it runs: the file's name, a percentage and Cancel; the
// window closes however the load ends.
class ProgressWindow {
public:
    ProgressWindow(OpenProgressView& view, const std::string& path) : view_(view) {
        view_.ShowOpening("Opening '" + path + "'...");
    }
    ~ProgressWindow() { view_.CloseProgress(); }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

private:
    OpenProgressView& view_;
};

OpenResult ConfigLoader::Run() {
    BusyPointer busy;
    ProgressWindow window(progress_, path_);
    OpenResult result;
    result.finished = true;
    // One snapshot of the file serves every read of this open. A file that is there but cannot
    // be read whole is reported with the system's reason, never opened in part.
    std::optional<ProfileBatch> snapshot;
    try {
        snapshot.emplace(file_);
    } catch (const RuntimeFault& fault) {
        ReportFault(path_, fault.number, fault.description);
        result.previousDesignKept = true;
        return result;
    }
    if (!CheckFormat()) {
        result.previousDesignKept = true;
        return result;
    }
    NewDocument();
    bool stopped = true;
    try {
        ReadHeader();
        for (int loop = 1; loop <= kLoopCount; ++loop)
            ReadLoop(loop);
        CurrentDocument().StandbyPower = ReadStandbyPowerSection(file_);
        stopped = false;
    } catch (const OpenCancelled&) {
        result.outcome = OpenOutcome::Cancelled;
    } catch (const OpenStopped&) {
        // reported by the panel catalogue
    } catch (const OpenFault& fault) {
        ReportFault(path_, fault.number, fault.description);
    } catch (const RuntimeFault& fault) {
        ReportFault(path_, fault.number, fault.description);
    } catch (const std::out_of_range&) {
        ReportFault(path_, kSubscriptError, "Subscript out of range");
    } catch (const std::bad_alloc&) {
        ReportFault(path_, kOutOfMemoryError, "Out of memory");
    } catch (const std::exception& e) {
        ReportFault(path_, kGeneralError, e.what());
    }
    if (stopped) {
        // Nothing of the file stays.
        NewDocument();
        othersDropped_ = false;
        notedModified_ = CurrentDocument().ModifiedDate;
        return result;
    }
    DesignDocument& doc = CurrentDocument();
    doc.DocumentPath = path_;
    // The design is open even when the File menu's list cannot be stored.
    RunRetryingOnFault("", [&] {
        AddRecentFile(path_);
        return true;
    });
    RefreshCaption();
    doc.OpenedReadOnly = readOnlyRequest_ || IsReadOnlyFile(path_);
    result.outcome = OpenOutcome::Opened;
    return result;
}

}  // namespace

OpenResult OpenConfigurationFile(const std::string& path, bool readOnlyRequest,
                                 OpenProgressView& progress, IgnoreUnknownPrompt& unknown) {
    ConfigLoader loader(path, readOnlyRequest, progress, unknown);
    const OpenResult result = loader.Run();
    if (result.previousDesignKept) return result;
    // The progress window has closed.
    TellInstalled<MainWindowView>([](MainWindowView& v) { v.ShowPanelChoice(); });
    RecalculateAllLoops();
    DesignDocument& doc = CurrentDocument();
    if (loader.OthersDropped()) {
        MarkModified();  // the design now differs from the file
    } else {
        doc.DataChanged = false;
        doc.ModifiedDate = loader.NotedModifiedDate();
    }
    return result;
}

std::string UnknownDeviceText(std::int16_t l, std::int16_t s, std::int16_t T) {
    return "This file has an unknown device type (" + std::to_string(T) + ") at address " +
           std::to_string(s) + " on loop " + std::to_string(l) +
           ".\n\nSet this address to 'No Device'?";
}

std::vector<LegacyTypeConversion>& LegacyTypeConversions() {
    static std::vector<LegacyTypeConversion> conversions;
    return conversions;
}
