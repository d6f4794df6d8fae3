#include "catalogue/CatalogueFiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "catalogue/Batteries.h"
#include "catalogue/Cables.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/Options.h"
#include "catalogue/OtherDevices.h"
#include "catalogue/Panels.h"
#include "shell/Product.h"
#include "shell/ProfileFile.h"

namespace {

void ResetCatalogues() {
    ResetBatteryCatalogue();
    ResetOtherDevices();
    ResetCableCatalogue();
    ResetPanelCatalogue();
    ResetCataloguePreferences();
    ResetDeviceCatalogue();
}

}  // namespace

void CatalogueFileTest::SetUp() {
    ScriptedTest::SetUp();
    ResetCatalogues();
}

void CatalogueFileTest::TearDown() {
    ResetCatalogues();
    ScriptedTest::TearDown();
}

std::string CatalogueFileTest::FailingLoad(bool (*load)()) {
    platform.messages.clear();
    platform.beeps.clear();
    EXPECT_FALSE(load());
    EXPECT_FALSE(platform.IsBusy());  // the pointer is restored after a failure too
    EXPECT_EQ(std::make_tuple(platform.messages.size(), platform.beeps.size()),
              std::make_tuple(1u, 1u));
    for (const RecordedMessage& m : platform.messages)
        EXPECT_EQ(std::make_tuple(m.title, m.icon),
                  std::make_tuple(kProductName, MsgIcon::Exclamation));
    return platform.AllMessageTexts();
}

void CatalogueFileTest::ExpectRefusals(const IniText& file,
                                       const std::function<void(const IniText&)>& write,
                                       bool (*load)(), const std::vector<Refusal>& refusals) {
    for (const Refusal& r : refusals) {
        write(IniText(file).Edit(r.section, r.key, r.value));
        EXPECT_EQ(FailingLoad(load), r.message) << r.section << "." << (r.key ? r.key : "");
    }
}

IniText& IniText::Set(const std::string& section, const std::string& key,
                      const std::string& value) {
    auto s = std::find_if(sections_.begin(), sections_.end(),
                          [&](const Section& x) { return x.first == section; });
    if (s == sections_.end()) s = sections_.insert(sections_.end(), Section{section, {}});
    auto k = std::find_if(s->second.begin(), s->second.end(),
                          [&](const auto& x) { return x.first == key; });
    if (k == s->second.end())
        s->second.emplace_back(key, value);
    else
        k->second = value;
    return *this;
}

IniText& IniText::Set(const std::string& section, Keys keys) {
    for (const std::string& line : keys) {
        const std::size_t eq = line.find('=');
        Set(section, line.substr(0, eq), line.substr(eq + 1));
    }
    return *this;
}

IniText& IniText::Remove(const std::string& section, const std::string& key) {
    for (auto& s : sections_)
        if (s.first == section)
            std::erase_if(s.second, [&](const auto& x) { return x.first == key; });
    return *this;
}

IniText& IniText::Edit(const std::string& section, const char* key, const char* value) {
    if (!key)
        std::erase_if(sections_, [&](const Section& x) { return x.first == section; });
    else if (!value)
        Remove(section, key);
    else
        Set(section, key, value);
    return *this;
}

std::string IniText::Text() const {
    std::string text;
    for (const auto& [name, keys] : sections_) {
        text += "[" + name + "]\r\n";
        for (const auto& [key, value] : keys)
            text += key + "=" + value + "\r\n";
        text += "\r\n";
    }
    return text;
}

DeviceEntry::DeviceEntry(const std::string& name) {
    // Items 2 to 55.
    const std::string defaults =
        ",0,1,1,,T,300,0,0,0,0,0,0,,1,F,0,0,0,0,F,0,0,0,5000,1700,0,,5000,0,A,0,0,0,1,0,0,0,0,0,,,"
        "0,"
        "0,0,F,1,1,,0,0,0,0,";
    items_[1] = name;
    std::size_t start = 0;
    for (std::size_t item = 2; item <= 55; ++item) {
        const std::size_t comma = defaults.find(',', start);
        items_[item] = defaults.substr(start, comma - start);
        start = comma + 1;
    }
}

DeviceEntry& DeviceEntry::Set(int item, const std::string& text) {
    if (item < 1 || item > 55) throw std::out_of_range("device entry item");
    items_[static_cast<std::size_t>(item)] = text;
    return *this;
}

std::string DeviceEntry::Value() const {
    std::string value = items_[1];
    for (std::size_t i = 2; i < items_.size(); ++i)
        value += "," + items_[i];
    return value;
}

// Families 0 "None", 1 "Detectors", 2 "Sounders"; output bit 3 in output group 3; device types
// 0 "None" (no icon), 1 "Optical Detector" (family 1), 2 "Sounder" (family 2, output use 1),
// 3 "Interface" (family 1, output use 3).
IniText MinimalDeviceFile() {
    IniText file;
    file.Set("Families", {"Family0=None,None,,F", "Family1=Detectors,Detectors,ALL,T",
                          "Family2=Sounders,Sounders,ALL"});
    file.Set("Buttons", {"Button0=None", "Button1=Detector,Det"});
    file.Set("Outputs", {"MaxOutputs=3", "Output0=None,0,0", "Output1=LED,1,1", "Output2=Relay,2,2",
                         "Output3=Remote output,3,3"});
    file.Set("Inputs", {"MaxInputs=2", "Input0=None,0,0", "Input1=Alarm,1,1", "Input2=Fault,2,2"});
    file.Set("Switches", {"MaxSwitches=1", "Switch0=None,,0,0,,,0",
                          "Switch1=Tone,Tone select,5000,6000,M,S,1"});
    file.Set("Faults", "Fault1", "Open,Short,Dirty,Low,High,Tamper,Missing,Wrong");
    file.Set("Fields", "Field1", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1");
    file.Set("FieldTypes", "FieldType1", "Level,0,F,F,F,F,F,0,D,F,,,F,F,F,F");
    file.Set("Devices",
             {"MaxDevices=3",
              "Device0=" + DeviceEntry("None").Set(5, "0").Set(16, "0").Set(36, "0").Value(),
              "Device1=" + DeviceEntry("Optical Detector").Value(),
              "Device2=" + DeviceEntry("Sounder").Set(5, "2").Set(33, "1").Value(),
              "Device3=" + DeviceEntry("Interface").Set(33, "3").Value()});
    return file;
}

IniText MinimalPanelFile() {
    IniText file;
    file.Set("Manufacturers",
             {"Manufacturer0=Zeta", "Manufacturer1=Acme, extra", "Manufacturer2=Bolt"});
    file.Set("Zeta", {"Name=Zeta Fire", "Panel1=Z1"});
    file.Set("Acme", {"Name=acme Systems", "Panel1=A1", "Panel2=UNK"});
    file.Set("Bolt", {"Name=Bolt", "Panel1=B1"});
    const char* panels[][3] = {{"Z1", "Zeta 2", "2"},
                               {"A1", "Acme 8", "8"},
                               {"UNK", "Unknown Panel", "8"},
                               {"B1", "bolt one", "1"}};
    for (const auto& p : panels)
        file.Set(p[0], {std::string("Name=") + p[1], std::string("Loops=") + p[2],
                        "DriverImpedance=1500", "AlarmLEDs=10", "RemoteLEDs=5", "Outputs=20",
                        "MaxLoopCurrent=500", "MaxTotalCurrent=2000", "MinLoopVoltage=2000"});
    return file;
}

IniText MinimalCableFile() {
    IniText file;
    file.Set("Cable Groups", {"Group0=American,US", "Group1=European,NONUS", "Group2=Common,ALL"});
    file.Set("Cables", {"Cable0=C0", "Cable1=C1", "Cable2=C2", "Cable3=C3"});
    file.Set("C0", {"Name=US 16", "Impedance=1320", "Group=0"});
    file.Set("C1", {"Name=EU 1.5", "Impedance=1210", "Group=1"});
    file.Set("C2", {"Name=Any 2.5", "Impedance=740", "Group=2"});
    file.Set("C3", {"Name=US 14", "Impedance=830", "Group=0"});
    return file;
}

std::string WriteStandardDevices(const IniText& file) {
    return WriteRawFile(StandardDevicesFilePath(), file.Text());
}
std::string WriteCustomDevices(const std::string& text) {
    return WriteRawFile(CustomDevicesFilePath(), text);
}
std::string WriteStandardPanels(const IniText& file) {
    return WriteRawFile(StandardPanelFilePath(), file.Text());
}
std::string WriteCables(const IniText& file) {
    return WriteRawFile(CableDataFilePath(), file.Text());
}

std::string WriteRawFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    ResetProfileCache();
    return path;
}

ScopedLocale::ScopedLocale(const char* locale) {
    if (const char* previous = std::getenv("LC_ALL")) saved_ = previous;
    setenv("LC_ALL", locale, 1);
}

ScopedLocale::~ScopedLocale() {
    if (saved_)
        setenv("LC_ALL", saved_->c_str(), 1);
    else
        unsetenv("LC_ALL");
}
