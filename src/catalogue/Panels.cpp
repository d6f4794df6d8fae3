#include "catalogue/Panels.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <system_error>

#include "catalogue/ExchangeSort.h"
#include "catalogue/FieldParsing.h"
#include "shell/Numbers.h"
#include "shell/Paths.h"
#include "shell/Platform.h"
#include "shell/ProfileFile.h"
#include "shell/Settings.h"
#include "shell/Text.h"

std::vector<PanelManufacturer> ManufacturerTable;
std::vector<ControlPanel> PanelTable;
int CustomManufacturerIndex = -1;
int CustomPanelCount = 0;
int UnknownPanelIndex = -1;

namespace {

int CurrentPanel = -1;

constexpr const char* kUnknownPanelName = "Unknown Panel";
constexpr const char* kCustomManufacturerName = "User-Defined Panels";
constexpr const char* kCustomManufacturerSection = "Custom";
constexpr const char* kCustomSectionPrefix = "Custom";
// User-defined panels lie in sections Custom1 to Custom<MaxCustom>; a damaged MaxCustom must
// not make the loader walk billions of absent sections.
constexpr int kMaxCustomSections = 32767;
// A user-defined panel section holds no address limit; such a panel allows the full 126.
constexpr std::int16_t kDefaultMaxDevicesPerLoop = 126;

// Case-insensitive sort key of a name: upper-cased in the file's code page, so that letters
// beyond ASCII order by their code as they do in the files.
std::string NoCaseKey(const std::string& name) {
    return UCase(Utf8ToCp1252(name));
}

bool IsLiveCustomPanel(int number) {
    if (number < 0 || number >= static_cast<int>(PanelTable.size())) return false;
    const ControlPanel& p = PanelTable[static_cast<std::size_t>(number)];
    return !p.IsStandardPanel && p.Manufacturer != -1;
}

// Sorts the panel table by name ignoring letter case. The current panel and the "Unknown Panel"
// index follow their records, as does the extra index given (-1 for none), which is returned.
int SortPanels(int followed = -1) {
    auto follow = [](int& index, std::size_t i, std::size_t j) {
        if (index == static_cast<int>(i))
            index = static_cast<int>(j);
        else if (index == static_cast<int>(j))
            index = static_cast<int>(i);
    };
    ExchangeSortByKey(
        PanelTable, 0, [](const ControlPanel& p) { return NoCaseKey(p.PanelName); },
        std::greater<std::string>(),
        [&](std::size_t i, std::size_t j) {
            follow(CurrentPanel, i, j);
            follow(UnknownPanelIndex, i, j);
            follow(followed, i, j);
        });
    return followed;
}

int FindUnknownPanel() {
    for (std::size_t i = 0; i < PanelTable.size(); ++i)
        if (PanelTable[i].PanelName == kUnknownPanelName) return static_cast<int>(i);
    return -1;
}

// The panel keys, in the order they are read.
enum class PanelKey {
    Loops,
    DriverImpedance,
    MaxDevicesPerLoop,
    AlarmLEDs,
    RemoteLEDs,
    Outputs,
    MaxLoopCurrent,
    MaxTotalCurrent,
    MinLoopVoltage
};

struct PanelKeyRule {
    PanelKey key;
    const char* name;
    const char* emptyMessage;  // nullptr: an empty key takes the default value
    const char* description;
};

constexpr PanelKeyRule kPanelKeys[] = {
    {PanelKey::Loops, "Loops", "Invalid number of loops", "number of loops"},
    {PanelKey::DriverImpedance, "DriverImpedance", "Invalid driver impedance", "driver impedance"},
    {PanelKey::MaxDevicesPerLoop, "MaxDevicesPerLoop", nullptr,
     "maximum number of addressable devices per loop"},
    {PanelKey::AlarmLEDs, "AlarmLEDs", "Invalid number of Alarm LEDs", "number of Alarm LEDs"},
    {PanelKey::RemoteLEDs, "RemoteLEDs", "Invalid number of Remote LEDs", "number of Remote LEDs"},
    {PanelKey::Outputs, "Outputs", "Invalid number of Alarm Outputs", "number of Alarm Outputs"},
    {PanelKey::MaxLoopCurrent, "MaxLoopCurrent", "Invalid maximum Loop Current",
     "maximum Loop Current"},
    {PanelKey::MaxTotalCurrent, "MaxTotalCurrent", "Invalid maximum Total Current",
     "maximum Total Current"},
    {PanelKey::MinLoopVoltage, "MinLoopVoltage", "Invalid minimum Loop Driver Voltage",
     "minimum Loop Driver Voltage"},
};

bool ReadPanelKey(const PanelKeyRule& rule, const std::string& value, const std::string& suffix,
                  ControlPanel& panel) {
    const std::string description = rule.description + suffix;
    const auto limit = static_cast<std::uint8_t>(std::clamp<int>(panel.MaxDevicesPerLoop, 0, 255));
    switch (rule.key) {
        case PanelKey::Loops:
            return ParseByteField(value, 1, panel.Loops, 1, 8, description);
        case PanelKey::DriverImpedance:
            return ParseIntField(value, 1, panel.DriverImpedance, 0, 32767, description);
        case PanelKey::MaxDevicesPerLoop:
            return ParseIntField(value, 1, panel.MaxDevicesPerLoop, 1, 252, description);
        case PanelKey::AlarmLEDs:
            return ParseByteField(value, 1, panel.AlarmLEDs, 0, limit, description);
        case PanelKey::RemoteLEDs:
            return ParseByteField(value, 1, panel.RemoteLEDs, 0, limit, description);
        case PanelKey::Outputs:
            return ParseByteField(value, 1, panel.Outputs, 0, limit, description);
        case PanelKey::MaxLoopCurrent:
            return ParseIntField(value, 1, panel.MaxLoopCurrent, 0, 32767, description);
        case PanelKey::MaxTotalCurrent:
            return ParseIntField(value, 1, panel.MaxTotalCurrent, 0, 32767, description);
        case PanelKey::MinLoopVoltage:
            return ParseIntField(value, 1, panel.MinLoopVoltage, 0, 32767, description);
    }
    return false;
}

// Reads the keys of one panel section into `panel` (whose PanelSection is set). A standard
// panel's name is item 1 of its Name value; a user-defined panel's name is the whole value,
// which the program wrote in double quotes so that names with commas come back whole.
bool ReadPanelSection(const std::string& file, const std::string& phrase, ControlPanel& panel,
                      const std::string& manufacturerName, const std::string& numberingSuffix) {
    const std::string name = ReadProfileString(file, panel.PanelSection, "Name");
    panel.PanelName = panel.IsStandardPanel ? GetField(name, 1) : name;
    if (panel.PanelName.empty()) {
        ShowDataFileProblem("Invalid name" + numberingSuffix);
        return false;
    }
    const std::string suffix = " for control panel '" + panel.PanelName + "' for manufacturer '" +
                               manufacturerName + "' in " + phrase;
    for (const PanelKeyRule& rule : kPanelKeys) {
        std::string value = ReadProfileString(file, panel.PanelSection, rule.name);
        if (value.empty()) {
            if (!rule.emptyMessage) {
                value = std::to_string(kDefaultMaxDevicesPerLoop);
            } else {
                ShowDataFileProblem(rule.emptyMessage + suffix);
                return false;
            }
        }
        if (!ReadPanelKey(rule, value, suffix, panel)) return false;
    }
    return true;
}

bool LoadManufacturers(const std::string& file, const std::string& phrase) {
    for (int n = 0;; ++n) {
        const std::string value =
            ReadProfileString(file, "Manufacturers", "Manufacturer" + std::to_string(n));
        if (value.empty()) break;
        const std::string section = GetField(value, 1);
        const std::string name = section.empty() ? "" : ReadProfileString(file, section, "Name");
        if (name.empty()) {
            ShowDataFileProblem("Invalid settings for panel manufacturer " + std::to_string(n) +
                                " in " + phrase);
            return false;
        }
        ManufacturerTable.push_back({GetField(name, 1), section});
    }
    if (ManufacturerTable.empty()) {
        ShowDataFileProblem("No manufacturers defined in " + phrase);
        return false;
    }
    ExchangeSortByKey(
        ManufacturerTable, 0,
        [](const PanelManufacturer& m) { return NoCaseKey(m.ManufacturerName); },
        std::greater<std::string>());
    return true;
}

bool LoadStandardPanels() {
    const std::string file = ChooseStandardPanelFile();
    if (!FileExists(file)) {
        ShowDataFileProblem("Unable to find file containing standard panel data: '" + file + "'.");
        return false;
    }
    const std::string phrase = FilePhrase(file);
    if (!LoadManufacturers(file, phrase)) return false;
    for (std::size_t m = 0; m < ManufacturerTable.size(); ++m) {
        const PanelManufacturer& maker = ManufacturerTable[m];
        for (int p = 1;; ++p) {
            const std::string value =
                ReadProfileString(file, maker.ManufacturerSection, "Panel" + std::to_string(p));
            if (value.empty()) break;
            ControlPanel panel;
            panel.IsStandardPanel = true;
            panel.Manufacturer = static_cast<std::int16_t>(m);
            panel.PanelSection = GetField(value, 1);
            const std::string numbering = " for control panel " + std::to_string(p) +
                                          " for manufacturer '" + maker.ManufacturerName + "' in " +
                                          phrase;
            if (panel.PanelSection.empty()) {
                ShowDataFileProblem("Invalid settings" + numbering);
                return false;
            }
            if (!ReadPanelSection(file, phrase, panel, maker.ManufacturerName, numbering))
                return false;
            PanelTable.push_back(std::move(panel));
        }
    }
    if (PanelTable.empty()) {
        ShowDataFileProblem("No control panels defined in " + phrase);
        return false;
    }
    return true;
}

std::string CustomSection(int n) {
    return kCustomSectionPrefix + std::to_string(n);
}

// MaxCustom of [Options], the highest section number ever used (rounded; empty gives 0).
int ReadMaxCustom(const std::string& file) {
    const double value =
        RoundHalfEven(LeadingNumber(ReadProfileString(file, "Options", "MaxCustom")));
    if (!(value > 0)) return 0;
    return value > kMaxCustomSections ? kMaxCustomSections : static_cast<int>(value);
}

bool LoadCustomPanels() {
    const std::string file = CustomPanelFilePath();
    if (!FileExists(file)) return true;
    const std::string phrase = FilePhrase(file);
    const int maxCustom = ReadMaxCustom(file);
    for (int n = 1; n <= maxCustom; ++n) {
        ControlPanel panel;
        panel.PanelSection = CustomSection(n);
        if (ReadProfileString(file, panel.PanelSection, "Name").empty()) continue;
        panel.IsStandardPanel = false;
        panel.Manufacturer = static_cast<std::int16_t>(CustomManufacturerIndex);
        const std::string numbering =
            " for user-defined control panel " + std::to_string(n) + "' in " + phrase;
        if (!ReadPanelSection(file, phrase, panel, kCustomManufacturerName, numbering))
            return false;
        PanelTable.push_back(std::move(panel));
        ++CustomPanelCount;
    }
    return true;
}

// A section is taken when the file names a panel in it, or when a live user-defined panel of
// this run uses it (a panel stored with an empty name reads back as a free slot, and sharing its
// section with a new panel would overwrite one with the other).
bool IsSectionTaken(const std::string& file, const std::string& section) {
    if (!ReadProfileString(file, section, "Name").empty()) return true;
    for (std::size_t i = 0; i < PanelTable.size(); ++i)
        if (IsLiveCustomPanel(static_cast<int>(i)) &&
            EqualsNoCase(PanelTable[i].PanelSection, section))
            return true;
    return false;
}

// Names are stored on one line of the file; line breaks and other control characters would
// break its structure, so they become blanks.
std::string OneLineName(const std::string& name) {
    std::string clean = name;
    for (char& c : clean)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return clean;
}

void ReportUnwritableCustomFile(const std::string& file) {
    ShowDataFileProblem("Unable to save user-defined control panel data in '" + file + "'.");
}

// Writes CUSTPAN.DAT once with the changes `edit` makes; false (after the message) when the
// file cannot be written, in which case the file on disk is unchanged.
bool WriteCustomFile(const std::function<void(const std::string& file)>& edit) {
    const std::string file = CustomPanelFilePath();
    if (!EnsureFolder(FolderOf(file))) {
        ReportUnwritableCustomFile(file);
        return false;
    }
    bool written = false;
    {
        ProfileBatch batch(file);
        edit(file);
        written = batch.Commit();
    }
    if (!written) ReportUnwritableCustomFile(file);
    return written;
}

void WritePanelKeys(const std::string& file, const ControlPanel& panel) {
    const std::string& s = panel.PanelSection;
    WriteProfileString(file, s, "Name", "\"" + panel.PanelName + "\"");
    WriteProfileString(file, s, "Loops", std::to_string(panel.Loops));
    WriteProfileString(file, s, "DriverImpedance", std::to_string(panel.DriverImpedance));
    WriteProfileString(file, s, "AlarmLEDs", std::to_string(panel.AlarmLEDs));
    WriteProfileString(file, s, "RemoteLEDs", std::to_string(panel.RemoteLEDs));
    WriteProfileString(file, s, "Outputs", std::to_string(panel.Outputs));
    WriteProfileString(file, s, "MaxLoopCurrent", std::to_string(panel.MaxLoopCurrent));
    WriteProfileString(file, s, "MaxTotalCurrent", std::to_string(panel.MaxTotalCurrent));
    WriteProfileString(file, s, "MinLoopVoltage", std::to_string(panel.MinLoopVoltage));
}

}  // namespace

std::string PanelDataFolder() {
    return JoinPath(Paths().dataRoot, "Tarvex/Panels");
}
std::string StandardPanelFilePath() {
    return JoinPath(PanelDataFolder(), "stdpan.dat");
}
std::string RevisedStandardPanelFilePath() {
    return JoinPath(PanelDataFolder(), "revisedstdpan.dat");
}
std::string CustomPanelFilePath() {
    return JoinPath(Paths().userRoot, "Tarvex/Panels/CUSTPAN.DAT");
}

std::string ChooseStandardPanelFile() {
    const std::string plain = StandardPanelFilePath();
    const std::string revised = RevisedStandardPanelFilePath();
    if (!FileExists(revised)) return plain;
    if (!FileExists(plain)) return revised;
    std::error_code e1, e2;
    const auto plainTime = std::filesystem::last_write_time(plain, e1);
    const auto revisedTime = std::filesystem::last_write_time(revised, e2);
    return (!e1 && !e2 && plainTime > revisedTime) ? plain : revised;
}

void ResetPanelCatalogue() {
    ManufacturerTable.clear();
    PanelTable.clear();
    CustomManufacturerIndex = -1;
    CustomPanelCount = 0;
    UnknownPanelIndex = -1;
    CurrentPanel = -1;
}

bool LoadPanelCatalogue() {
    ResetPanelCatalogue();
    if (!LoadStandardPanels()) return false;
    ManufacturerTable.push_back({kCustomManufacturerName, kCustomManufacturerSection});
    CustomManufacturerIndex = static_cast<int>(ManufacturerTable.size()) - 1;
    CustomPanelCount = 0;
    if (!LoadCustomPanels()) return false;
    CurrentPanel = -1;
    UnknownPanelIndex = -1;
    SortPanels();
    UnknownPanelIndex = FindUnknownPanel();
    return true;
}

int GetCurrentPanel() {
    return CurrentPanel;
}

void SetCurrentPanel(int panel) {
    if (panel == CurrentPanel) return;
    if (panel >= 0 && panel < static_cast<int>(PanelTable.size()))
        WriteSettingText("LastPanel", PanelTable[static_cast<std::size_t>(panel)].PanelName);
    CurrentPanel = panel;
}

bool SelectPanelByName(const std::string& name) {
    for (std::size_t i = 0; i < PanelTable.size(); ++i)
        if (EqualsNoCase(PanelTable[i].PanelName, name)) {
            SetCurrentPanel(static_cast<int>(i));
            return true;
        }
    return false;
}

bool SelectPanelOrUnknown(const std::string& name) {
    if (SelectPanelByName(name) || SelectPanelByName(kUnknownPanelName)) return true;
    ShowDataFileProblem("Unable to find default control panel data 'Unknown Panel'");
    return false;
}

int AddCustomPanel(const ControlPanel& panel) {
    BusyPointer busy;
    const std::string file = CustomPanelFilePath();
    int n = 1;
    while (IsSectionTaken(file, CustomSection(n)))
        ++n;
    ControlPanel record = panel;
    record.IsStandardPanel = false;
    record.Manufacturer = static_cast<std::int16_t>(CustomManufacturerIndex);
    record.PanelName = OneLineName(panel.PanelName);
    record.PanelSection = CustomSection(n);
    record.MaxDevicesPerLoop = kDefaultMaxDevicesPerLoop;
    const bool written = WriteCustomFile([&](const std::string& f) {
        // A free slot may still hold keys of a hand-edited file; start it afresh.
        DeleteProfileSection(f, record.PanelSection);
        WritePanelKeys(f, record);
        if (ReadMaxCustom(f) < n) WriteProfileString(f, "Options", "MaxCustom", std::to_string(n));
    });
    if (!written) return -1;
    PanelTable.push_back(std::move(record));
    const int added = SortPanels(static_cast<int>(PanelTable.size()) - 1);
    ++CustomPanelCount;
    return added;
}

bool UpdateCustomPanel(int number, const ControlPanel& panel) {
    if (!IsLiveCustomPanel(number)) return false;
    ControlPanel& old = PanelTable[static_cast<std::size_t>(number)];
    ControlPanel record = panel;
    record.IsStandardPanel = false;
    record.Manufacturer = old.Manufacturer;
    record.PanelSection = old.PanelSection;
    record.PanelName = OneLineName(panel.PanelName);
    // The section's address limit is never written, so the panel keeps the one it was read with.
    record.MaxDevicesPerLoop = old.MaxDevicesPerLoop;
    if (!WriteCustomFile([&](const std::string& f) { WritePanelKeys(f, record); })) return false;
    const bool renamed = record.PanelName != old.PanelName;
    old = std::move(record);
    if (renamed) SortPanels();
    return true;
}

bool DeleteCustomPanel(int number) {
    if (!IsLiveCustomPanel(number)) return false;
    if (number == CurrentPanel) {
        ShowMessage("The current Loop Calculation is using this panel, it cannot be deleted!",
                    "Delete Custom Panel", MsgIcon::Exclamation, MsgButtons::OK);
        return false;
    }
    BusyPointer busy;
    ControlPanel& panel = PanelTable[static_cast<std::size_t>(number)];
    const std::string file = CustomPanelFilePath();
    const int maxCustom = ReadMaxCustom(file);
    for (int n = 1; n <= maxCustom; ++n) {
        const std::string section = CustomSection(n);
        if (ReadProfileString(file, section, "Name") != panel.PanelName) continue;
        if (!WriteCustomFile([&](const std::string& f) { DeleteProfileSection(f, section); }))
            return false;
        break;
    }
    panel.Manufacturer = -1;
    SortPanels();
    --CustomPanelCount;
    return true;
}
