#include "document/ConfigWriter.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

#include "catalogue/DeviceTypes.h"
#include "catalogue/OtherDevices.h"
#include "catalogue/Panels.h"
#include "document/DesignDocument.h"
#include "document/StandbyPowerFile.h"
#include "engine/clsCalculator.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/Product.h"
#include "shell/ProfileFile.h"
#include "shell/Text.h"

namespace {

// A profile file being built in memory. Sections stand in the order of their first entry and
// keys in the order of their first write; writing a key again replaces its value in place, as
// the profile-file helpers do on disk.
class ProfileText {
public:
    void Write(const std::string& section, const std::string& key, std::string value) {
        auto [s, newSection] = sectionIndex_.try_emplace(section, sections_.size());
        if (newSection) {
            sections_.push_back(Section{section, {}, {}});
            sections_.back().entries.reserve(kFewKeys);
        }
        Section& sec = sections_[s->second];
        if (const auto at = Find(sec, key)) {
            sec.entries[*at].second = std::move(value);
            return;
        }
        sec.entries.emplace_back(key, std::move(value));
        // A small section is searched entry by entry; a large one gets an index.
        if (!sec.keyIndex.empty()) {
            sec.keyIndex.emplace(key, sec.entries.size() - 1);
        } else if (sec.entries.size() > kFewKeys) {
            for (std::size_t i = 0; i < sec.entries.size(); ++i)
                sec.keyIndex.emplace(sec.entries[i].first, i);
        }
    }

    std::string Text(const std::string& firstLine) const {
        std::string out = firstLine + "\r\n";
        for (const Section& sec : sections_) {
            out += '[';
            out += sec.name;
            out += "]\r\n";
            for (const auto& [key, value] : sec.entries) {
                out += key;
                out += '=';
                out += value;
                out += "\r\n";
            }
        }
        return out;
    }

private:
    // As many keys as an empty loop's section holds, and some more.
    static constexpr std::size_t kFewKeys = 16;

    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
        std::unordered_map<std::string, std::size_t> keyIndex;  // once past kFewKeys entries
    };

    static std::optional<std::size_t> Find(const Section& sec, const std::string& key) {
        if (!sec.keyIndex.empty()) {
            const auto found = sec.keyIndex.find(key);
            if (found == sec.keyIndex.end()) return std::nullopt;
            return found->second;
        }
        for (std::size_t i = 0; i < sec.entries.size(); ++i)
            if (sec.entries[i].first == key) return i;
        return std::nullopt;
    }
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;
};

// A value must stay on its line: line breaks become blanks.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

std::string Quoted(const std::string& text) {
    return "\"" + OneLine(text) + "\"";
}

std::string Flag(bool value) {
    return value ? "True" : "False";
}

// An other device as the file names it: its catalogue number, after a "C" when user-defined.
std::string OtherReference(int place) {
    const OtherDevice& other = OtherDeviceRecordAt(place);
    return (other.OtherIsCustom ? "C" : "") + std::to_string(other.OtherNumber);
}

// Builds the text of the file; false when a tally passes 255.
class ConfigBuilder {
public:
    explicit ConfigBuilder(DesignDocument& doc) : doc_(doc) {}

    bool Build(std::string& text) {
        WriteHeader();
        for (int loop = 1; loop <= kLoopCount; ++loop)
            if (!WriteLoop(loop)) return false;
        // Last, so that readers that do not know the section find everything else as before.
        for (auto& [key, value] : StandbyPowerEntries(doc_.StandbyPower))
            file_.Write(kStandbyPowerSection, key, std::move(value));
        text = file_.Text(kConfigFileComment);
        return true;
    }

private:
    void WriteHeader() {
        const ControlPanel* panel = FindPanelRecord(doc_.ChosenPanel());
        const std::string panelName = panel ? panel->PanelName : std::string();
        file_.Write(kMainSection, "CreatedDate", FormatFileDate(doc_.CreatedDate));
        file_.Write(kMainSection, "DataFormat", std::to_string(kDataFormat));
        file_.Write(kMainSection, "SiteName", Quoted(doc_.SiteName));
        file_.Write(kMainSection, "ModifiedDate", FormatFileDate(doc_.ModifiedDate));
        file_.Write(kMainSection, "PanelType", Quoted(panelName));
    }

    // The nine calculation settings of one loop.
    void WriteCalcData(const std::string& section, const clsCalculator& calc) {
        const auto wholeMetres = [](std::int32_t decimetres) {
            return std::to_string((static_cast<std::int64_t>(decimetres) + 5) / 10);
        };
        file_.Write(section, "CableImpedance", std::to_string(calc.CableImpedance()));
        file_.Write(section, "CableFirstRun", wholeMetres(calc.CableFirst()));
        file_.Write(section, "CableFirstLength", std::to_string(calc.CableFirst()));
        file_.Write(section, "CableMaxRun", wholeMetres(calc.CableTotal()));
        file_.Write(section, "CableTotalLength", std::to_string(calc.CableTotal()));
        file_.Write(section, "Calculation", std::to_string(calc.CalcType()));
        file_.Write(section, "MaxOutputs", std::to_string(calc.MaxOutput()));
        file_.Write(section, "DINLEDsDisabled", Flag(calc.DINLEDsDisabled()));
        file_.Write(section, "IgnoreIsolators", Flag(calc.IgnoreIsolators()));
    }

    bool WriteLoop(int loop) {
        const std::string section = LoopSectionName(loop);
        if (!doc_.LoopName(loop).empty()) file_.Write(section, "Name", Quoted(doc_.LoopName(loop)));
        const clsCalculator& calc = doc_.LoopModel(loop);
        WriteCalcData(section, calc);
        // An empty loop has no device entries and counts no other devices.
        if (calc.HoldsNothing() && doc_.CarriesNothing(loop)) return true;
        tally_.assign(OtherDeviceTable.size(), 0);
        for (int n = 0; n < kAddressCount; ++n) {
            if (calc.SlotIsBare(n) && doc_.CarriesNothingAt(loop, n)) continue;  // no entries
            if (!WriteDeviceEntry(section, loop, n, calc) ||
                !WriteStandaloneEntry(section, n, calc))
                return false;
        }
        for (std::size_t other = 1; other < tally_.size(); ++other) {
            if (tally_[other] == 0) continue;
            const OtherDevice& record = OtherDeviceRecordAt(static_cast<int>(other));
            file_.Write(section, record.OtherKey, std::to_string(tally_[other]));
            if (record.OtherIsCustom)
                file_.Write(kCustomOtherSection, "Other" + std::to_string(record.OtherNumber),
                            OneLine(record.SingleName));
        }
        return true;
    }

    // Counts one use of an other device on the loop; false when the count would pass 255.
    bool Count(int other) {
        if (other == 0) return true;
        return ++tally_.at(static_cast<std::size_t>(other)) <= 255;
    }

    // Whether the address holds anything the device entry carries. Besides a device and a moved
    // position, that is other devices, bases and slaves, and the carried data, which an address
    // keeps when its device has gone (a panel with fewer addresses removes devices only).
    bool NeedsDeviceEntry(int loop, int n, const clsCalculator& calc) const {
        return calc.DeviceType(n) != 0 || calc.AddressOrder(n) != n ||
               calc.DeviceOtherType(n) != 0 || calc.DeviceOtherBaseType(n) != 0 ||
               calc.DeviceBaseType(n) != 0 || calc.DeviceBaseAddr(n) != n ||
               doc_.DeviceCarriedValue(loop, n) != 0 || doc_.DeviceEavesdropFlag(loop, n);
    }

    bool WriteDeviceEntry(const std::string& section, int loop, int n, const clsCalculator& calc) {
        if (!NeedsDeviceEntry(loop, n, calc)) return true;
        const int type = calc.DeviceType(n);
        std::string value;
        if (type != 0 && DeviceTypeRecordAt(type).IsCustom) {
            value = "C" + std::to_string(type);
            file_.Write(kCustomDeviceSection, "Device" + std::to_string(type),
                        OneLine(DeviceTypeRecordAt(type).Name));
        } else {
            value = std::to_string(type);
        }
        const auto item = [&value](const auto& text) {
            value += ',';
            value += text;
        };
        item(std::to_string(doc_.DeviceCarriedValue(loop, n)));
        const int other = calc.DeviceOtherType(n);
        const int otherBase = calc.DeviceOtherBaseType(n);
        if (!Count(other) || !Count(otherBase)) return false;
        item(other == 0 ? "0" : OtherReference(other));
        if (otherBase != 0) value += "+" + OtherReference(otherBase);
        item(std::to_string(calc.AddressOrder(n)));
        item(std::to_string(calc.DeviceBaseAddr(n)));
        item(std::to_string(calc.DeviceBaseType(n)));
        const char* key = doc_.DeviceEavesdropFlag(loop, n) ? kEavesdropKey : kDeviceKey;
        file_.Write(section, key + std::to_string(n), std::move(value));
        return true;
    }

    bool WriteStandaloneEntry(const std::string& section, int n, const clsCalculator& calc) {
        if (calc.DeviceStandaloneCount(n) == 0) return true;
        std::string value;
        std::size_t lastUsed = 0;  // length of the value up to its last occupied slot
        for (int sub = clsCalculator::kFirstSub; sub <= clsCalculator::kLastSub; ++sub) {
            if (sub > clsCalculator::kFirstSub) value += ",";
            const int other = calc.DeviceStandalone(n, sub);
            if (other == 0) continue;
            if (!Count(other)) return false;
            value += OtherReference(other);
            const std::int32_t address = calc.DeviceStandaloneAddress(n, sub);
            if (address != 0) value += " (" + std::to_string(address) + ")";
            lastUsed = value.size();
        }
        value.resize(lastUsed);  // the trailing commas go
        if (!value.empty())
            file_.Write(section, kStandaloneKey + std::to_string(n), std::move(value));
        return true;
    }

    DesignDocument& doc_;
    ProfileText file_;
    std::vector<int> tally_;
};

// The one backup generation: the path with its last three characters replaced by "BAK". A file
// whose name already ends in "BAK" would be its own backup, and gets none.
std::string BackupName(const std::string& path) {
    const std::string backup = path.substr(0, path.size() - 3) + "BAK";
    return backup == path ? std::string() : backup;
}

// The file's text for the current design (UTF-8); false when the design cannot be written.
bool BuildConfigurationText(std::string& text) {
    try {
        return ConfigBuilder(CurrentDocument()).Build(text);
    } catch (const std::exception&) {
        return false;  // a number the catalogue does not know
    }
}

}  // namespace

bool SaveConfigurationFile(const std::string& path) {
    bool ok = false;
    {
        BusyPointer busy;
        std::string text;
        // The whole file is built before anything on disk changes, so a design that cannot be
        // written leaves the old file and its backup as they were. The new file is on the disk
        // before the old one becomes the backup, so the design's name never stands empty.
        ok = path.size() >= 3 && BuildConfigurationText(text) &&
             WriteFileSafely(path, Utf8ToCp1252(text), BackupName(path), true);
        ForgetProfileFile(path);  // later reads must see the new file, even within one clock tick
    }
    if (!ok) {
        ShowMessage("Unable to save the configuration data", kProgramTitle, MsgIcon::Exclamation);
        return false;
    }
    CurrentDocument().DataChanged = false;
    return true;
}
