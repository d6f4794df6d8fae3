#pragma once
// Catalogue data files for tests, written into the folders of the current paths (Paths(), e.g.
// set by ScriptedTest), and a scoped locale for the first-run offers.
//
// The minimal device, panel and cable files are laid out in CatalogueFiles.cpp.
#include <array>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/FieldParsing.h"
#include "support/TestSupport.h"

// A profile file's text built section by section (CR LF line ends).
class IniText {
public:
    using Keys = std::initializer_list<std::string>;  // "key=value" lines
    // Sets a key, adding the section or the key at its end when missing.
    IniText& Set(const std::string& section, const std::string& key, const std::string& value);
    IniText& Set(const std::string& section, Keys keys);
    IniText& Remove(const std::string& section, const std::string& key);
    // Sets a key; a null value removes the key, a null key the whole section.
    IniText& Edit(const std::string& section, const char* key, const char* value);
    std::string Text() const;

private:
    using Section = std::pair<std::string, std::vector<std::pair<std::string, std::string>>>;
    std::vector<Section> sections_;
};

// A `Device<n>` value: 55 items with valid defaults; Set(item, text) sets item 1 to 55.
class DeviceEntry {
public:
    explicit DeviceEntry(const std::string& name);
    DeviceEntry& Set(int item, const std::string& text);
    std::string Value() const;

private:
    std::array<std::string, 56> items_;  // index 0 unused
};

IniText MinimalDeviceFile();
IniText MinimalPanelFile();
IniText MinimalCableFile();

// Each writes its file and returns its full path.
std::string WriteStandardDevices(const IniText& file);    // Devices.dat
std::string WriteCustomDevices(const std::string& text);  // CustomDevices.dat, user root
std::string WriteStandardPanels(const IniText& file);     // stdpan.dat
std::string WriteCables(const IniText& file);             // Cables.dat
// Writes raw bytes to a file, creating its folder, and forgets cached profile files.
std::string WriteRawFile(const std::string& path, const std::string& bytes);

// A test of the catalogue loaders: every catalogue table is empty before and after it.
class CatalogueFileTest : public ScriptedTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs a loader that must fail with one data-file message: one warning beep, one box with
    // the exclamation icon titled with the program's name, and no busy pointer left. Returns
    // the message's text.
    std::string FailingLoad(bool (*load)());
    // One edit of a file (see IniText::Edit) and the message of the refused load.
    struct Refusal {
        const char* section;
        const char* key;
        const char* value;
        std::string message;
    };
    // Writes `file` with each edit in turn and expects `load` to refuse it with the message.
    void ExpectRefusals(const IniText& file, const std::function<void(const IniText&)>& write,
                        bool (*load)(), const std::vector<Refusal>& refusals);
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
