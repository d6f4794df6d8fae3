#pragma once
// Panel and cable data files for tests, written into the folders of the current paths
// (Paths(), e.g. set by ScriptedTest), and a scoped locale for the first-run offers.
//
//     IniText panels = MinimalPanelFile();           // three makers, four panels
//     panels.Set("Z1", "Loops", "9");
//     WriteStandardPanels(panels);                   // .../data/Tarvex/Panels/stdpan.dat
//
// The minimal panel file: manufacturers 0 "Zeta Fire" (section Zeta: panel Z1 "Zeta 2"),
// 1 "acme Systems" (section Acme: panels A1 "Acme 8" and UNK "Unknown Panel"),
// 2 "Bolt" (section Bolt: panel B1 "bolt one"); the panel keys of each are valid.
// The minimal cable file: groups 0 "American" (US), 1 "European" (NONUS), 2 "Common" (ALL);
// cables C0 "US 16" (1320, group 0), C1 "EU 1.5" (1210, group 1), C2 "Any 2.5" (740, group 2),
// C3 "US 14" (830, group 0).
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A profile file's text built section by section (CR LF line ends).
class IniText {
public:
    // Sets a key, adding the section or the key at its end when missing.
    IniText& Set(const std::string& section, const std::string& key, const std::string& value);
    IniText& Remove(const std::string& section, const std::string& key);
    IniText& RemoveSection(const std::string& section);
    std::string Text() const;

private:
    using Section = std::pair<std::string, std::vector<std::pair<std::string, std::string>>>;
    std::vector<Section> sections_;
};

// The keys of a valid panel section.
void SetPanelKeys(IniText& file, const std::string& section, const std::string& name,
                  int loops = 2);

IniText MinimalPanelFile();
IniText MinimalCableFile();

std::string WriteStandardPanels(const IniText& file);         // stdpan.dat; its full path
std::string WriteRevisedStandardPanels(const IniText& file);  // revisedstdpan.dat
std::string WriteCustomPanels(const IniText& file);           // CUSTPAN.DAT under the user root
std::string WriteCables(const IniText& file);                 // Cables.dat

// The file phrase of data-file messages for a full path.
std::string Phrase(const std::string& path);

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
