#include "shell/ProfileFile.h"

#include <chrono>
#include <map>
#include <unordered_map>
#include <vector>

#include "shell/FileRead.h"
#include "shell/Paths.h"
#include "shell/Text.h"

namespace {

constexpr std::size_t kMaxValueLength = 1023;

// One section of a parsed file: its header line and the lines that follow it up to the next
// header. Lines are kept as the file's bytes (Windows-1252).
struct Section {
    std::string header;
    std::string nameKey;  // upper-cased name, the matching key
    std::vector<std::string> lines;
    // First line of each key (upper-cased), for reads and in-place writes, with the value as
    // reads return it, worked out on the first read.
    struct KeyRef {
        std::size_t line;
        mutable std::optional<std::string> value;
    };
    std::unordered_map<std::string, KeyRef> keyLine;
};

struct ParsedFile {
    std::vector<std::string> preamble;  // lines before the first section
    std::vector<Section> sections;
    // First section of each name.
    std::unordered_map<std::string, std::size_t> sectionIndex;
};

struct CacheEntry {
    ParsedFile parsed;
    FileStamp stamp;
    bool inBatch = false;
    // When the file's size and time were last compared with the disk.
    std::chrono::steady_clock::time_point checkedAt{};
};

// A file read again within this time is served from memory without asking the disk whether it
// changed: a start-up reads thousands of keys, and a status call per key would cost more than
// the read itself. Writes made by this program update the copy in memory at once.
constexpr auto kRecheckInterval = std::chrono::milliseconds(50);

std::unordered_map<std::string, CacheEntry>& Cache() {
    static std::unordered_map<std::string, CacheEntry> cache;
    return cache;
}

}  // namespace

// Plain ASCII names, the usual case, take the short way.
std::string ProfileMatchName(std::string_view name) {
    std::size_t a = 0, b = name.size();
    while (a < b && (name[a] == ' ' || name[a] == '\t'))
        ++a;
    while (b > a && (name[b - 1] == ' ' || name[b - 1] == '\t'))
        --b;
    std::string out(name.substr(a, b - a));
    for (char& c : out) {
        if (static_cast<unsigned char>(c) >= 0x80) return UCase(Utf8ToCp1252(out));
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

namespace {

// Whether the line's first character after its leading blanks opens a section name.
bool IsSectionLine(std::string_view line) {
    std::size_t first = 0;
    while (first < line.size() && (line[first] == ' ' || line[first] == '\t'))
        ++first;
    return first < line.size() && line[first] == '[';
}

std::string SectionNameOf(const std::string& trimmed) {
    const auto close = trimmed.find(']');
    return Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

// The key of a key line (upper-cased), or empty when the line holds none.
std::string KeyOf(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t'))
        ++start;
    if (start == line.size() || line[start] == ';') return {};
    const auto eq = line.find('=', start);
    if (eq == std::string_view::npos) return {};
    return UCase(TrimmedView(line.substr(start, eq - start)));
}

void IndexKeys(Section& section) {
    section.keyLine.clear();
    section.keyLine.reserve(section.lines.size());
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        std::string key = KeyOf(section.lines[i]);
        if (!key.empty()) section.keyLine.emplace(std::move(key), Section::KeyRef{i, std::nullopt});
    }
}

void IndexSections(ParsedFile& file) {
    file.sectionIndex.clear();
    for (std::size_t i = 0; i < file.sections.size(); ++i)
        file.sectionIndex.emplace(file.sections[i].nameKey, i);
}

ParsedFile Parse(const std::string& bytes) {
    ParsedFile file;
    Section* current = nullptr;
    for (std::string& line : SplitLines(bytes)) {
        if (IsSectionLine(line)) {
            Section s;
            s.nameKey = UCase(SectionNameOf(Trim(line)));
            s.header = std::move(line);
            file.sections.push_back(std::move(s));
            current = &file.sections.back();
        } else if (current) {
            current->lines.push_back(std::move(line));
        } else {
            file.preamble.push_back(std::move(line));
        }
    }
    for (Section& s : file.sections)
        IndexKeys(s);
    IndexSections(file);
    return file;
}

std::string Serialise(const ParsedFile& file) {
    std::string out;
    auto put = [&out](const std::string& line) {
        out += line;
        out += "\r\n";
    };
    for (const auto& line : file.preamble)
        put(line);
    for (const auto& s : file.sections) {
        put(s.header);
        for (const auto& line : s.lines)
            put(line);
    }
    return out;
}

// The cached parse of a file, read again when the file changed on disk. A file that exists but
// cannot be read whole raises the read's fault: a part of it must never pass for all of it.
CacheEntry& Load(const std::string& path) {
    CacheEntry& entry = Cache()[path];
    if (entry.inBatch) return entry;
    const auto now = std::chrono::steady_clock::now();
    if (entry.checkedAt != std::chrono::steady_clock::time_point{} &&
        now - entry.checkedAt < kRecheckInterval)
        return entry;
    entry.checkedAt = now;
    const FileStamp stamp = StampOfFile(path);
    if (stamp == entry.stamp) return entry;
    entry = CacheEntry{};
    entry.checkedAt = now;
    if (stamp.exists) {
        std::string bytes;
        int error = 0;
        if (!ReadFileBytes(path, bytes, error)) {
            Cache().erase(path);
            throw FileReadFault(error);
        }
        entry.parsed = Parse(bytes);
        entry.stamp = stamp;
    }
    return entry;
}

// The cached parse of a file about to be changed; null when the file cannot be read, which
// must fail the write rather than replace the file with the change alone.
CacheEntry* LoadForWrite(const std::string& path) {
    try {
        return &Load(path);
    } catch (const RuntimeFault&) {
        return nullptr;
    }
}

// Writes the entry's file to disk (unless in a batch) and records its new size and time.
bool Flush(const std::string& path, CacheEntry& entry) {
    if (entry.inBatch) return true;
    if (!WriteFileAtomically(path, Serialise(entry.parsed))) {
        Cache().erase(path);
        return false;
    }
    entry.stamp = StampOfFile(path);
    return true;
}

std::string_view ValueOf(std::string_view line) {
    // Leading blanks hold no "=": the first one of the line ends the key.
    std::string_view value = TrimmedView(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value.substr(0, kMaxValueLength);
}

// The value of a key as reads return it, worked out on the first read.
const std::string& ValueAt(const Section& section, const Section::KeyRef& ref) {
    if (!ref.value) ref.value = Cp1252ToUtf8(ValueOf(section.lines[ref.line]));
    return *ref.value;
}

// Inserts a line after the last non-blank line of the section, so that the blank lines that
// separate it from the next section stay at its end.
void AppendToSection(Section& section, std::string line) {
    std::size_t at = section.lines.size();
    while (at > 0 && Trim(section.lines[at - 1]).empty())
        --at;
    section.lines.insert(section.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    if (at + 1 == section.lines.size()) {
        std::string key = KeyOf(section.lines[at]);
        if (!key.empty())
            section.keyLine.emplace(std::move(key), Section::KeyRef{at, std::nullopt});
    } else {
        IndexKeys(section);
    }
}

}  // namespace

std::string ResolveProfilePath(const std::string& file) {
    if (file.find('/') != std::string::npos) return file;
    return JoinPath(Paths().configDir, file);
}

bool ProfileFileExists(const std::string& file) {
    return FileExists(ResolveProfilePath(file));
}

void ForgetProfileFile(const std::string& file) {
    const auto it = Cache().find(ResolveProfilePath(file));
    if (it != Cache().end() && !it->second.inBatch) Cache().erase(it);
}

void ResetProfileCache() {
    for (auto it = Cache().begin(); it != Cache().end();) {
        if (it->second.inBatch)
            ++it;
        else
            it = Cache().erase(it);
    }
}

std::vector<std::pair<std::string, std::string>> ProfileSectionEntries(const std::string& file,
                                                                       const std::string& section) {
    const CacheEntry& entry = Load(ResolveProfilePath(file));
    const auto s = entry.parsed.sectionIndex.find(ProfileMatchName(section));
    if (s == entry.parsed.sectionIndex.end()) return {};
    const Section& sec = entry.parsed.sections[s->second];
    std::vector<std::pair<std::string, std::string>> entries;
    entries.reserve(sec.keyLine.size());
    for (const auto& [key, ref] : sec.keyLine)
        entries.emplace_back(key, ValueAt(sec, ref));
    return entries;
}

std::string ReadProfileString(const std::string& file, const std::string& section,
                              const std::string& key) {
    // Most reads name a full path, which needs no copy.
    std::string resolved;
    const bool bare = file.find('/') == std::string::npos;
    if (bare) resolved = ResolveProfilePath(file);
    const CacheEntry& entry = Load(bare ? resolved : file);
    const auto s = entry.parsed.sectionIndex.find(ProfileMatchName(section));
    if (s == entry.parsed.sectionIndex.end()) return {};
    const Section& sec = entry.parsed.sections[s->second];
    const auto k = sec.keyLine.find(ProfileMatchName(key));
    if (k == sec.keyLine.end()) return {};
    return ValueAt(sec, k->second);
}

bool WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::optional<std::string>& value) {
    const std::string path = ResolveProfilePath(file);
    CacheEntry* loaded = LoadForWrite(path);
    if (!loaded) return false;
    CacheEntry& entry = *loaded;
    ParsedFile& parsed = entry.parsed;
    const std::string sectionName = Utf8ToCp1252(Trim(section));
    const std::string keyName = Utf8ToCp1252(Trim(key));
    const std::string sectionKey = UCase(sectionName);
    const std::string keyKey = UCase(keyName);
    const auto s = parsed.sectionIndex.find(sectionKey);
    if (!value) {
        if (s == parsed.sectionIndex.end()) return true;
        Section& sec = parsed.sections[s->second];
        const auto k = sec.keyLine.find(keyKey);
        if (k == sec.keyLine.end()) return true;
        sec.lines.erase(sec.lines.begin() + static_cast<std::ptrdiff_t>(k->second.line));
        IndexKeys(sec);
        return Flush(path, entry);
    }
    std::string line = keyName + "=" + Utf8ToCp1252(*value);
    if (s == parsed.sectionIndex.end()) {
        Section sec;
        sec.header = "[" + sectionName + "]";
        sec.nameKey = sectionKey;
        parsed.sections.push_back(std::move(sec));
        parsed.sectionIndex.emplace(sectionKey, parsed.sections.size() - 1);
        AppendToSection(parsed.sections.back(), std::move(line));
    } else {
        Section& sec = parsed.sections[s->second];
        const auto k = sec.keyLine.find(keyKey);
        if (k != sec.keyLine.end()) {
            sec.lines[k->second.line] = std::move(line);
            k->second.value.reset();
        } else
            AppendToSection(sec, std::move(line));
    }
    return Flush(path, entry);
}

bool WriteProfileValueOrDelete(const std::string& file, const std::string& section,
                               const std::string& key, const std::string& value) {
    if (value.empty() || value == "\"\"")
        return WriteProfileString(file, section, key, std::nullopt);
    return WriteProfileString(file, section, key, value);
}

bool DeleteProfileSection(const std::string& file, const std::string& section) {
    const std::string path = ResolveProfilePath(file);
    CacheEntry* loaded = LoadForWrite(path);
    if (!loaded) return false;
    CacheEntry& entry = *loaded;
    ParsedFile& parsed = entry.parsed;
    const std::string sectionKey = ProfileMatchName(section);
    if (parsed.sectionIndex.find(sectionKey) == parsed.sectionIndex.end()) return true;
    std::erase_if(parsed.sections, [&](const Section& s) { return s.nameKey == sectionKey; });
    IndexSections(parsed);
    return Flush(path, entry);
}

ProfileBatch::ProfileBatch(const std::string& file, Start start) : path_(ResolveProfilePath(file)) {
    CacheEntry& entry = Load(path_);
    if (start == Start::Empty) entry.parsed = ParsedFile{};
    entry.inBatch = true;
}

ProfileBatch::~ProfileBatch() {
    if (active_) Cache().erase(path_);  // discard the unwritten changes
}

void ProfileBatch::SetPreamble(const std::vector<std::string>& lines) {
    std::vector<std::string>& preamble = Cache()[path_].parsed.preamble;
    preamble.clear();
    for (const auto& line : lines)
        preamble.push_back(Utf8ToCp1252(line));
}

bool ProfileBatch::Commit() {
    if (!active_) return false;
    active_ = false;
    CacheEntry& entry = Cache()[path_];
    entry.inBatch = false;
    return Flush(path_, entry);
}
