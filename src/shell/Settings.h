#pragma once
// The settings store: the user's preferences and remembered state.
//
// Every setting is a named value under one per-user key, "Software\Tarvex\Tarvex Quelmar". Here the
// key is the file settings.ini in the config dir (Paths().configDir), written in UTF-8:
//
//     [Software\Tarvex\Tarvex Quelmar]
//     LastPanel=text:Unknown Panel
//     Units=number:1
//     FirstTimeDone=number:-1
//
// Texts and numbers are stored as typed values and kept apart: a text read as a number, a number
// read as a text, a value that is not a valid typed value (a damaged or hand-edited file) and a
// value that does not exist all read as the default: empty text, 0 or false. Flags are numbers,
// -1 for true and 0 for false; any non-zero number reads as true. Value names match without regard
// to letter case. Texts keep every character: backslashes, line breaks and other control characters
// are written as \\, \n, \r, \t and \xHH escapes, so no text can break the file's line structure.
//
// Reads serve a copy held in memory while the file's size and modification time stay the same.
// Each write rewrites the whole file once, crash-safely (a temporary file renamed over it).
//
// Failures: a write that cannot create the config dir throws RuntimeFault with the description
// "Failed to create registry Key: 'Software\Tarvex\Tarvex Quelmar'"; a write that cannot store the
// file throws RuntimeFault with "Failed to set registry value Key: 'Software\Tarvex\Tarvex Quelmar'
// ,Section: '<full path of settings.ini>',Key: '<value name>' to value: '<value>'" (without the
// line break). Nothing is changed in memory by a failed write. Callers catch the fault where the
// user's action is handled and pass it to ReportUnexpectedError(fault.number, fault.description,
// section, area): Retry repeats the action, Ignore skips it, Abort ends the program.
#include <cstdint>
#include <string>

// The registry key the settings belong to: "Software\" company "\" product.
std::string SettingsKey();
// The full path of the settings file.
std::string SettingsFilePath();

// Error numbers of the faults the store throws.
inline constexpr long kSettingsCreateKeyError = 26001;
inline constexpr long kSettingsSetValueError = 26002;

std::string ReadSettingText(const std::string& name);
bool ReadSettingFlag(const std::string& name);
std::int32_t ReadSettingNumber(const std::string& name);
// Whether the value exists at all (of any type).
bool SettingExists(const std::string& name);

void WriteSettingText(const std::string& name, const std::string& text);
void WriteSettingFlag(const std::string& name, bool flag);
void WriteSettingNumber(const std::string& name, std::int32_t number);
// Removes the value; removing a value that does not exist does nothing.
void DeleteSetting(const std::string& name);

// Makes the store read-only for the rest of the run (or writable again): writes then change only
// the copy in memory, so later reads see them, and the settings file is neither created nor
// rewritten. The command-line tool reads the designer's settings but never changes them.
void SetSettingsReadOnly(bool readOnly);

// The folder of the last opened or saved configuration file (setting "QMR Path"); when that is
// empty, the user's documents folder, which is created when missing.
std::string GetLastFolder();
// Stores the folder part of the file path as "QMR Path".
void SetLastFolder(const std::string& filePath);

// Defers the writes of many settings into one rewrite of the file. While a batch is alive writes
// change only the copy in memory (reads see them); Commit writes the file once and throws
// RuntimeFault as a single write would. A batch left without Commit discards its changes. A batch
// opened while another is alive joins it: only the outer one writes.
class SettingsBatch {
public:
    SettingsBatch();
    ~SettingsBatch();
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;
    void Commit();

private:
    bool open_ = true;
};
