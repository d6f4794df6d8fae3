#pragma once
// Catalogue data files for tests, written into the folders of the current paths (Paths(), e.g.
// set by ScriptedTest), and a scoped locale for the first-run offers.
//
//     IniText devices = MinimalDeviceFile();
//     devices.Set("Devices", "Device2", DeviceEntry("Heat Detector").Set(16, "0").Value());
//     WriteStandardDevices(devices);                 // .../data/Tarvex/Devices/Devices.dat
//
// The minimal device file: families 0 "None", 1 "Detectors", 2 "Sounders"; buttons 0 and 1;
// output bits 0 to 3 (bit 3 in output group 3); input bits 0 to 2; switches 0 and 1; fault
// range 1; field range 1 (fifteen fields of field type 1); MaxDevices=3 with
//   Device0 "None" (no icon), Device1 "Optical Detector" (family 1),
//   Device2 "Sounder" (family 2, output use 1), Device3 "Interface" (family 1, output use 3).
// The minimal panel file: manufacturers 0 "Zeta Fire" (section Zeta: panel Z1 "Zeta 2"),
// 1 "acme Systems" (section Acme: panels A1 "Acme 8" and UNK "Unknown Panel"),
// 2 "Bolt" (section Bolt: panel B1 "bolt one"); the panel keys of each are valid.
// The minimal cable file: groups 0 "American" (US), 1 "European" (NONUS), 2 "Common" (ALL);
// cables C0 "US 16" (1320, group 0), C1 "EU 1.5" (1210, group 1), C2 "Any 2.5" (740, group 2),
// C3 "US 14" (830, group 0).
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/TestSupport.h"

// A profile file's text built section by section (CR LF line ends).
class IniText {
public:
    // Sets a key, adding the section or the key at its end when missing.
    IniText& Set(const std::string& section, const std::string& key, const std::string& value);
    IniText& Remove(const std::string& section, const std::string& key);
    IniText& RemoveSection(const std::string& section);
    // Text added after the sections, as it stands.
    IniText& Append(const std::string& text);
    std::string Text() const;

private:
    using Section = std::pair<std::string, std::vector<std::pair<std::string, std::string>>>;
    std::vector<Section> sections_;
    std::string appended_;
};

// A `Device<n>` value: 55 items with valid defaults.
class DeviceEntry {
public:
    explicit DeviceEntry(const std::string& name);
    // Sets item `item` (1 to 55) to the text as it stands.
    DeviceEntry& Set(int item, const std::string& text);
    // The items joined by commas.
    std::string Value() const;

private:
    std::array<std::string, 56> items_;  // index 0 unused
};

// The keys of a valid panel section.
void SetPanelKeys(IniText& file, const std::string& section, const std::string& name,
                  int loops = 2);

IniText MinimalDeviceFile();
IniText MinimalPanelFile();
IniText MinimalCableFile();

// Each writes its file and returns its full path.
std::string WriteStandardDevices(const IniText& file);        // Devices.dat
std::string WriteCustomDevices(const std::string& text);      // CustomDevices.dat, user root
std::string WriteStandardPanels(const IniText& file);         // stdpan.dat
std::string WriteRevisedStandardPanels(const IniText& file);  // revisedstdpan.dat
std::string WriteCustomPanels(const IniText& file);           // CUSTPAN.DAT under the user root
std::string WriteCables(const IniText& file);                 // Cables.dat

// Writes raw bytes to a file, creating its folder, and forgets cached profile files.
std::string WriteRawFile(const std::string& path, const std::string& bytes);

// The file phrase of data-file messages for a full path.
std::string Phrase(const std::string& path);

// A test of the catalogue loaders: every catalogue table is empty before and after it.
class CatalogueFileTest : public ScriptedTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs a loader that must fail with one data-file message: one warning beep, one box with
    // the exclamation icon titled with the program's name, and no busy pointer left. Returns
    // the message's text.
    std::string FailingLoad(bool (*load)());
};

// Sets LC_ALL for its lifetime.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* locale);
    ~ScopedLocale();
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    std::optional<std::string> saved_;
};
