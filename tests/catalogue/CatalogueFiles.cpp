#include "catalogue/CatalogueFiles.h"

#include <algorithm>
#include <cstdlib>

#include "catalogue/Cables.h"
#include "catalogue/DeviceFixtures.h"
#include "catalogue/Panels.h"

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
