#pragma once
// Profile files: the data files, the configuration file and the old settings file.
//
// Section lines hold a name in square brackets, key lines a key, "=" and the value; lines that
// start with ";" are comments. Sections and keys match without regard to case and the first
// match wins. Files are Windows-1252 with CR LF line ends (LF alone is read too); the values
// passed in and out here are UTF-8. A file name without a folder means the file of that name
// in the config dir (the Windows folder of the original platform).
//
// Reads parse a file once and serve later reads from memory while the file's size and
// modification time stay the same (compared with the disk at most every 50 ms; writes made
// through these helpers are seen at once). A file that exists but cannot be read whole raises
// a RuntimeFault carrying the system's reason (see FileRead.h); a write to such a file fails.
// Writes are crash-safe: a complete new file replaces the old one in one step.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The value with surrounding blanks and one pair of enclosing double quotes removed; empty when
// the file, section or key is missing; at most 1023 characters.
std::string ReadProfileString(const std::string& file, const std::string& section,
                              const std::string& key);

// The form in which section and key names match: trimmed, in the file's code page, upper case.
std::string ProfileMatchName(std::string_view name);

// The keys of a section as names match, in no particular order, each with
// the value ReadProfileString gives for it; empty when the file or section is missing. A reader
// that would probe hundreds of possible keys takes the section whole instead.
std::vector<std::pair<std::string, std::string>> ProfileSectionEntries(const std::string& file,
                                                                       const std::string& section);

// Replaces the value in place, or appends the key at the end of its section, or appends the
// section with the key at the end of the file, creating the file when missing. No value (as
// opposed to an empty one) deletes the key. Returns false when the file cannot be written.
bool WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::optional<std::string>& value);

// Deletes the key when the value is empty or exactly two double quotes, else writes it.
bool WriteProfileValueOrDelete(const std::string& file, const std::string& section,
                               const std::string& key, const std::string& value);

// Removes the section and all its keys.
bool DeleteProfileSection(const std::string& file, const std::string& section);

// Whether a profile file exists at the resolved path.
bool ProfileFileExists(const std::string& file);

// The full path a profile file name stands for.
std::string ResolveProfilePath(const std::string& file);

// Forgets the cached copy of one file (after the file was written by other means).
void ForgetProfileFile(const std::string& file);

// Forgets every cached file (tests that rewrite files within one clock tick use it).
void ResetProfileCache();

// Batch mode: while a ProfileBatch is alive for a file, writes to that file change only the
// copy in memory, and reads of it see that copy. Commit writes the file once; a batch destroyed
// without Commit discards its changes. Starting from a file that cannot be read raises the
// read's RuntimeFault. StartEmpty begins from an empty file instead of the one
// on disk.
class ProfileBatch {
public:
    enum class Start { FromDisk, Empty };
    explicit ProfileBatch(const std::string& file, Start start = Start::FromDisk);
    ~ProfileBatch();
    ProfileBatch(const ProfileBatch&) = delete;
    ProfileBatch& operator=(const ProfileBatch&) = delete;
    // Sets the lines that stand before the first section (such as a leading comment).
    void SetPreamble(const std::vector<std::string>& lines);
    // Writes the whole file once; false when it cannot be written.
    bool Commit();

private:
    std::string path_;
    bool active_ = true;
};
