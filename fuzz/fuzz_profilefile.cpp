// Any bytes as a profile file: every key the file names reads back as the helpers promise (no
// surrounding blanks, no line break, at most 1023 characters), and a change written into a copy
// in memory is read back from it. Never a crash, a hang or undefined behaviour.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/FileRead.h"
#include "shell/ProfileFile.h"
#include "shell/Text.h"

namespace {

const std::string kFile = "/quelmar-fuzz/profile.ini";

struct Lookup {
    std::string section, key;
};

// Each key line with the section it stands in, as the file's text gives them.
std::vector<Lookup> LookupsOf(const std::string& bytes) {
    std::vector<Lookup> lookups;
    std::string section;
    for (const std::string& line : SplitLines(bytes)) {
        const std::string trimmed = Trim(line);
        if (!trimmed.empty() && trimmed[0] == '[') {
            const auto close = trimmed.find(']');
            section = trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        } else if (const auto eq = line.find('='); eq != std::string::npos && lookups.size() < 64) {
            lookups.push_back({Cp1252ToUtf8(section), Cp1252ToUtf8(line.substr(0, eq))});
        }
    }
    return lookups;
}

// A plain name (letters, digits, blanks inside): one that a write and a read must agree on.
bool IsPlainName(const std::string& name) {
    const std::string trimmed = Trim(name);
    if (trimmed.empty()) return false;
    for (const char c : trimmed)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != ' ' && c != '_') return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    PutMemoryFile(kFile, bytes);
    ForgetProfileFile(kFile);
    const std::vector<Lookup> lookups = LookupsOf(bytes);
    for (const Lookup& l : lookups) {
        const std::string value = ReadProfileString(kFile, l.section, l.key);
        if (value.size() > 1023 * 3 || value.find('\n') != std::string::npos)
            __builtin_trap();
    }
    if (lookups.empty()) return 0;
    // A batch changes only the copy in memory: write the first key anew and read it back.
    ProfileBatch batch(kFile);
    const Lookup& first = lookups.front();
    WriteProfileString(kFile, first.section, first.key, "fuzz");
    if (IsPlainName(first.section) && IsPlainName(first.key) &&
        ReadProfileString(kFile, first.section, first.key) != "fuzz")
        __builtin_trap();
    return 0;
}
