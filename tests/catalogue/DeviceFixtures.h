#pragma once
// Device data files for tests: a small valid Devices.dat that each test changes where it needs
// to, written into the data folder of the current paths (Paths(), e.g. set by ScriptedTest).
//
//     DeviceCatalogueFile file;                       // families, buttons, bits, three types
//     file.Set("Devices", "Device2", DeviceEntry("Heat Detector").Set(16, "0").Value());
//     file.Append("[Others]\r\nOther1=Base\r\n");      // any extra text, as it stands
//     file.WriteStandard();                            // .../data/Tarvex/Devices/Devices.dat
//     ASSERT_TRUE(LoadDeviceCatalogue());
//
// The minimal catalogue: families 0 "None", 1 "Detectors", 2 "Sounders"; buttons 0 and 1;
// output bits 0 to 3 (bit 3 in output group 3); input bits 0 to 2; switches 0 and 1; fault
// range 1; field range 1 (fifteen fields of field type 1); MaxDevices=3 with
//   Device0 "None" (no icon), Device1 "Optical Detector" (family 1),
//   Device2 "Sounder" (family 2, output use 1), Device3 "Interface" (family 1, output use 3).
#include <array>
#include <string>
#include <utility>
#include <vector>

// A `Device<n>` value: 55 items with valid defaults.
class DeviceEntry {
public:
    explicit DeviceEntry(const std::string& name);
    // Sets item `item` (1 to 55) to the text as it stands.
    DeviceEntry& Set(int item, const std::string& text);
    const std::string& Item(int item) const;
    // The items joined by commas.
    std::string Value() const;

private:
    std::array<std::string, 56> items_;  // index 0 unused
};

class DeviceCatalogueFile {
public:
    DeviceCatalogueFile();
    // Sets a key, adding the section or key at its end when missing.
    DeviceCatalogueFile& Set(const std::string& section, const std::string& key,
                             const std::string& value);
    DeviceCatalogueFile& Remove(const std::string& section, const std::string& key);
    DeviceCatalogueFile& RemoveSection(const std::string& section);
    // Text added after the sections.
    DeviceCatalogueFile& Append(const std::string& text);
    // The file's text with CR LF line ends.
    std::string Text() const;
    // Writes Devices.dat into the device data folder; returns its full path.
    std::string WriteStandard() const;

private:
    using Section = std::pair<std::string, std::vector<std::pair<std::string, std::string>>>;
    std::vector<Section> sections_;
    std::string appended_;
};

// Writes raw bytes to a file, creating its folder, and forgets cached profile files.
std::string WriteRawFile(const std::string& path, const std::string& bytes);

// Writes the text as CustomDevices.dat into the user's device folder; returns its full path.
std::string WriteCustomDevicesFile(const std::string& text);

// Writes the minimal catalogue plus `extraContent` as Devices.dat; returns the device folder.
std::string WriteMinimalDeviceCatalogue(const std::string& extraContent = "");
