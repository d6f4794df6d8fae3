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
    EXPECT_EQ(platform.beeps.size(), 1u);
    if (platform.messages.size() != 1) {
        ADD_FAILURE() << "expected one message, got: " << platform.AllMessageTexts();
        return platform.AllMessageTexts();
    }
    const RecordedMessage& m = platform.messages[0];
    EXPECT_EQ(std::make_tuple(m.title, m.icon),
              std::make_tuple(kProductName, MsgIcon::Exclamation));
    return m.text;
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

IniText& IniText::Remove(const std::string& section, const std::string& key) {
    for (auto& s : sections_)
        if (s.first == section)
            std::erase_if(s.second, [&](const auto& x) { return x.first == key; });
    return *this;
}

IniText& IniText::RemoveSection(const std::string& section) {
    std::erase_if(sections_, [&](const Section& x) { return x.first == section; });
    return *this;
}

IniText& IniText::Append(const std::string& text) {
    appended_ += text;
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
    return text + appended_;
}

DeviceEntry::DeviceEntry(const std::string& name) {
    items_.fill("");
    const std::vector<std::pair<int, std::string>> defaults = {
        {1, name}, {3, "0"},     {4, "1"},     {5, "1"},  {7, "T"},     {8, "300"}, {9, "0"},
        {10, "0"}, {11, "0"},    {12, "0"},    {13, "0"}, {14, "0"},    {16, "1"},  {17, "F"},
        {18, "0"}, {19, "0"},    {20, "0"},    {21, "0"}, {22, "F"},    {23, "0"},  {24, "0"},
        {25, "0"}, {26, "5000"}, {27, "1700"}, {28, "0"}, {30, "5000"}, {31, "0"},  {32, "A"},
        {33, "0"}, {34, "0"},    {35, "0"},    {36, "1"}, {37, "0"},    {38, "0"},  {39, "0"},
        {40, "0"}, {41, "0"},    {44, "0"},    {45, "0"}, {46, "0"},    {47, "F"},  {48, "1"},
        {49, "1"}, {51, "0"},    {52, "0"},    {53, "0"}, {54, "0"}};
    for (const auto& [item, text] : defaults)
        items_[static_cast<std::size_t>(item)] = text;
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

void SetPanelKeys(IniText& file, const std::string& section, const std::string& name, int loops) {
    file.Set(section, "Name", name)
        .Set(section, "Loops", std::to_string(loops))
        .Set(section, "DriverImpedance", "1500")
        .Set(section, "AlarmLEDs", "10")
        .Set(section, "RemoteLEDs", "5")
        .Set(section, "Outputs", "20")
        .Set(section, "MaxLoopCurrent", "500")
        .Set(section, "MaxTotalCurrent", "2000")
        .Set(section, "MinLoopVoltage", "2000");
}

IniText MinimalDeviceFile() {
    IniText file;
    file.Set("Families", "Family0", "None,None,,F")
        .Set("Families", "Family1", "Detectors,Detectors,ALL,T")
        .Set("Families", "Family2", "Sounders,Sounders,ALL");
    file.Set("Buttons", "Button0", "None").Set("Buttons", "Button1", "Detector,Det");
    file.Set("Outputs", "MaxOutputs", "3")
        .Set("Outputs", "Output0", "None,0,0")
        .Set("Outputs", "Output1", "LED,1,1")
        .Set("Outputs", "Output2", "Relay,2,2")
        .Set("Outputs", "Output3", "Remote output,3,3");
    file.Set("Inputs", "MaxInputs", "2")
        .Set("Inputs", "Input0", "None,0,0")
        .Set("Inputs", "Input1", "Alarm,1,1")
        .Set("Inputs", "Input2", "Fault,2,2");
    file.Set("Switches", "MaxSwitches", "1")
        .Set("Switches", "Switch0", "None,,0,0,,,0")
        .Set("Switches", "Switch1", "Tone,Tone select,5000,6000,M,S,1");
    file.Set("Faults", "Fault1", "Open,Short,Dirty,Low,High,Tamper,Missing,Wrong");
    file.Set("Fields", "Field1", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1");
    file.Set("FieldTypes", "FieldType1", "Level,0,F,F,F,F,F,0,D,F,,,F,F,F,F");
    file.Set("Devices", "MaxDevices", "3")
        .Set("Devices", "Device0",
             DeviceEntry("None").Set(5, "0").Set(16, "0").Set(36, "0").Value())
        .Set("Devices", "Device1", DeviceEntry("Optical Detector").Value())
        .Set("Devices", "Device2", DeviceEntry("Sounder").Set(5, "2").Set(33, "1").Value())
        .Set("Devices", "Device3", DeviceEntry("Interface").Set(33, "3").Value());
    return file;
}

IniText MinimalPanelFile() {
    IniText file;
    file.Set("Manufacturers", "Manufacturer0", "Zeta")
        .Set("Manufacturers", "Manufacturer1", "Acme, extra")
        .Set("Manufacturers", "Manufacturer2", "Bolt");
    file.Set("Zeta", "Name", "Zeta Fire").Set("Zeta", "Panel1", "Z1");
    file.Set("Acme", "Name", "acme Systems")
        .Set("Acme", "Panel1", "A1")
        .Set("Acme", "Panel2", "UNK");
    file.Set("Bolt", "Name", "Bolt").Set("Bolt", "Panel1", "B1");
    SetPanelKeys(file, "Z1", "Zeta 2", 2);
    SetPanelKeys(file, "A1", "Acme 8", 8);
    SetPanelKeys(file, "UNK", "Unknown Panel", 8);
    SetPanelKeys(file, "B1", "bolt one", 1);
    return file;
}

IniText MinimalCableFile() {
    IniText file;
    file.Set("Cable Groups", "Group0", "American,US")
        .Set("Cable Groups", "Group1", "European,NONUS")
        .Set("Cable Groups", "Group2", "Common,ALL");
    const char* cables[][4] = {{"C0", "US 16", "1320", "0"},
                               {"C1", "EU 1.5", "1210", "1"},
                               {"C2", "Any 2.5", "740", "2"},
                               {"C3", "US 14", "830", "0"}};
    int n = 0;
    for (const auto& c : cables) {
        file.Set("Cables", "Cable" + std::to_string(n++), c[0]);
        file.Set(c[0], "Name", c[1]).Set(c[0], "Impedance", c[2]).Set(c[0], "Group", c[3]);
    }
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
std::string WriteRevisedStandardPanels(const IniText& file) {
    return WriteRawFile(RevisedStandardPanelFilePath(), file.Text());
}
std::string WriteCustomPanels(const IniText& file) {
    return WriteRawFile(CustomPanelFilePath(), file.Text());
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

std::string Phrase(const std::string& path) {
    return "configuration settings in '" + path + "'.";
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
