#include "catalogue/DeviceFixtures.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "catalogue/DeviceTypes.h"
#include "shell/ProfileFile.h"

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

const std::string& DeviceEntry::Item(int item) const {
    return items_.at(static_cast<std::size_t>(item));
}

std::string DeviceEntry::Value() const {
    std::string value = items_[1];
    for (std::size_t i = 2; i < items_.size(); ++i)
        value += "," + items_[i];
    return value;
}

DeviceCatalogueFile::DeviceCatalogueFile() {
    sections_ = {
        {"Families",
         {{"Family0", "None,None,,F"},
          {"Family1", "Detectors,Detectors,ALL,T"},
          {"Family2", "Sounders,Sounders,ALL"}}},
        {"Buttons", {{"Button0", "None"}, {"Button1", "Detector,Det"}}},
        {"Outputs",
         {{"MaxOutputs", "3"},
          {"Output0", "None,0,0"},
          {"Output1", "LED,1,1"},
          {"Output2", "Relay,2,2"},
          {"Output3", "Remote output,3,3"}}},
        {"Inputs",
         {{"MaxInputs", "2"},
          {"Input0", "None,0,0"},
          {"Input1", "Alarm,1,1"},
          {"Input2", "Fault,2,2"}}},
        {"Switches",
         {{"MaxSwitches", "1"},
          {"Switch0", "None,,0,0,,,0"},
          {"Switch1", "Tone,Tone select,5000,6000,M,S,1"}}},
        {"Faults", {{"Fault1", "Open,Short,Dirty,Low,High,Tamper,Missing,Wrong"}}},
        {"Fields", {{"Field1", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"}}},
        {"FieldTypes", {{"FieldType1", "Level,0,F,F,F,F,F,0,D,F,,,F,F,F,F"}}},
        {"Devices",
         {{"MaxDevices", "3"},
          {"Device0", DeviceEntry("None").Set(5, "0").Set(16, "0").Set(36, "0").Value()},
          {"Device1", DeviceEntry("Optical Detector").Value()},
          {"Device2", DeviceEntry("Sounder").Set(5, "2").Set(33, "1").Value()},
          {"Device3", DeviceEntry("Interface").Set(33, "3").Value()}}},
    };
}

DeviceCatalogueFile& DeviceCatalogueFile::Set(const std::string& section, const std::string& key,
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

DeviceCatalogueFile& DeviceCatalogueFile::Remove(const std::string& section,
                                                 const std::string& key) {
    for (auto& s : sections_)
        if (s.first == section)
            std::erase_if(s.second, [&](const auto& x) { return x.first == key; });
    return *this;
}

DeviceCatalogueFile& DeviceCatalogueFile::RemoveSection(const std::string& section) {
    std::erase_if(sections_, [&](const Section& x) { return x.first == section; });
    return *this;
}

DeviceCatalogueFile& DeviceCatalogueFile::Append(const std::string& text) {
    appended_ += text;
    return *this;
}

std::string DeviceCatalogueFile::Text() const {
    std::string text;
    for (const auto& [name, keys] : sections_) {
        text += "[" + name + "]\r\n";
        for (const auto& [key, value] : keys)
            text += key + "=" + value + "\r\n";
        text += "\r\n";
    }
    return text + appended_;
}

std::string DeviceCatalogueFile::WriteStandard() const {
    return WriteRawFile(StandardDevicesFilePath(), Text());
}

std::string WriteCustomDevicesFile(const std::string& text) {
    return WriteRawFile(CustomDevicesFilePath(), text);
}

std::string WriteRawFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    ResetProfileCache();
    return path;
}

std::string WriteMinimalDeviceCatalogue(const std::string& extraContent) {
    DeviceCatalogueFile file;
    file.Append(extraContent);
    file.WriteStandard();
    return DeviceDataFolder();
}
