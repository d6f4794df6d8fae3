#include "shell/Settings.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <unordered_set>
#include <vector>

#include "shell/ErrorHandler.h"
#include "shell/Paths.h"
#include "shell/Product.h"
#include "shell/Text.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kFileName = "settings.ini";
constexpr std::string_view kTextTag = "text:";
constexpr std::string_view kNumberTag = "number:";

// One named value as it stands in the file: the name and the typed value after the "=".
struct Entry {
    std::string name;
    std::string raw;
};

// What identifies the file's contents on disk: a rewrite by anyone changes it.
struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    fs::file_time_type time{};
    bool operator==(const FileStamp&) const = default;
};

struct Store {
    bool readOnly = false;
    std::string path;
    FileStamp stamp;
    bool loaded = false;
    std::vector<Entry> entries;
    // Batch state: the entries before the batch, and the last value written in it.
    int batchDepth = 0;
    std::vector<Entry> beforeBatch;
    bool batchDirty = false;
    std::string batchName;
    std::string batchValue;
};

Store& TheStore() {
    static Store store;
    return store;
}

FileStamp StampOf(const std::string& path) {
    FileStamp s;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return s;
    s.size = fs::file_size(path, ec);
    if (ec) return s;
    s.time = fs::last_write_time(path, ec);
    if (ec) return s;
    s.exists = true;
    return s;
}

// Splits the file into the values of the settings key's section. Other sections, comments and
// lines that are not "name=value" are left out; of values with the same name the first counts.
std::vector<Entry> ParseSettings(const std::string& content) {
    std::vector<Entry> entries;
    std::unordered_set<std::string> seen;  // upper-case names
    const std::string key = SettingsKey();
    bool inKey = false;
    for (const std::string& line : SplitLines(content)) {
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == ';') continue;
        if (trimmed.front() == '[' && trimmed.back() == ']') {
            inKey =
                EqualsNoCase(Trim(std::string_view(trimmed).substr(1, trimmed.size() - 2)), key);
            continue;
        }
        const auto eq = line.find('=');
        if (!inKey || eq == std::string::npos) continue;
        Entry e{Trim(std::string_view(line).substr(0, eq)),
                TrimLeft(std::string_view(line).substr(eq + 1))};
        if (!e.name.empty() && seen.insert(UCase(e.name)).second) entries.push_back(std::move(e));
    }
    return entries;
}

// Brings the copy in memory up to date with the file, unless a batch holds changes of its own.
Store& Loaded() {
    Store& store = TheStore();
    if (store.batchDepth > 0 && store.loaded) return store;
    const std::string path = SettingsFilePath();
    const FileStamp stamp = StampOf(path);
    if (store.loaded && store.path == path && store.stamp == stamp) return store;
    store.path = path;
    store.stamp = stamp;
    store.loaded = true;
    store.entries.clear();
    if (!stamp.exists) return store;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    store.entries = ParseSettings(content.str());
    return store;
}

const Entry* Find(const std::vector<Entry>& entries, const std::string& name) {
    for (const Entry& e : entries)
        if (EqualsNoCase(e.name, name)) return &e;
    return nullptr;
}

std::string EscapeText(const std::string& text) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (u < 0x20 || u == 0x7F) {
                    out += "\\x";
                    out += hex[u >> 4];
                    out += hex[u & 0xF];
                } else {
                    out += c;
                }
        }
    }
    return out;
}

// The text of an escaped value; no value when an escape is broken.
std::optional<std::string> UnescapeText(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i >= s.size()) return std::nullopt;
        switch (s[i]) {
            case '\\':
                out += '\\';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'x': {
                if (i + 2 >= s.size()) return std::nullopt;
                const int hi = HexDigit(s[i + 1]);
                const int lo = HexDigit(s[i + 2]);
                if (hi < 0 || lo < 0) return std::nullopt;
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return out;
}

std::optional<std::int32_t> DecodeNumber(const std::string& raw) {
    if (!StartsWithNoCase(raw, kNumberTag)) return std::nullopt;
    const std::string digits = TrimRight(std::string_view(raw).substr(kNumberTag.size()));
    std::int32_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

std::optional<std::string> DecodeText(const std::string& raw) {
    if (!StartsWithNoCase(raw, kTextTag)) return std::nullopt;
    return UnescapeText(std::string_view(raw).substr(kTextTag.size()));
}

[[noreturn]] void ThrowSetValueFault(const std::string& path, const std::string& name,
                                     const std::string& value) {
    throw RuntimeFault{kSettingsSetValueError,
                       "Failed to set registry value Key: '" + SettingsKey() + "',Section: '" +
                           path + "',Key: '" + name + "' to value: '" + value + "'"};
}

// A value name must stay one name on one key line.
bool IsValidName(const std::string& name) {
    if (name.empty() || name != Trim(name) || name[0] == '[' || name[0] == ';') return false;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '=' || u < 0x20 || u == 0x7F) return false;
    }
    return true;
}

// Writes the entries as the whole file; the name and value are those of the write being made,
// for the failure's description.
void Persist(Store& store, const std::vector<Entry>& entries, const std::string& name,
             const std::string& value) {
    if (store.readOnly) return;
    if (!EnsureFolder(Paths().configDir))
        throw RuntimeFault{kSettingsCreateKeyError,
                           "Failed to create registry Key: '" + SettingsKey() + "'"};
    std::string content = "[" + SettingsKey() + "]\n";
    for (const Entry& e : entries)
        content += e.name + "=" + e.raw + "\n";

    const std::string path = SettingsFilePath();
    if (!WriteFileAtomically(path, content)) ThrowSetValueFault(path, name, value);
    store.path = path;
    store.stamp = StampOf(path);
    store.loaded = true;
}

// Sets the value, or with no raw value removes it; false when nothing changed.
bool Apply(std::vector<Entry>& entries, const std::string& name,
           const std::optional<std::string>& raw) {
    auto it = entries.begin();
    while (it != entries.end() && !EqualsNoCase(it->name, name))
        ++it;
    if (!raw) {
        if (it == entries.end()) return false;
        entries.erase(it);
    } else if (it == entries.end()) {
        entries.push_back({name, *raw});
    } else {
        it->raw = *raw;
    }
    return true;
}

// Changes one value and stores the result, or within a batch only remembers it.
void Change(const std::string& name, const std::optional<std::string>& raw,
            const std::string& shownValue) {
    Store& store = Loaded();
    if (!IsValidName(name)) ThrowSetValueFault(store.path, name, shownValue);
    if (store.batchDepth > 0) {
        if (!Apply(store.entries, name, raw)) return;
        store.batchDirty = true;
        store.batchName = name;
        store.batchValue = shownValue;
        return;
    }
    std::vector<Entry> entries = store.entries;
    if (!Apply(entries, name, raw)) return;
    Persist(store, entries, name, shownValue);
    store.entries = std::move(entries);
}

}  // namespace

std::string SettingsKey() {
    return std::string("Software\\") + kCompanyName + "\\" + kProductName;
}

std::string SettingsFilePath() {
    return JoinPath(Paths().configDir, kFileName);
}

std::string ReadSettingText(const std::string& name) {
    const Entry* e = Find(Loaded().entries, name);
    if (!e) return "";
    return DecodeText(e->raw).value_or("");
}

std::int32_t ReadSettingNumber(const std::string& name) {
    const Entry* e = Find(Loaded().entries, name);
    if (!e) return 0;
    return DecodeNumber(e->raw).value_or(0);
}

bool ReadSettingFlag(const std::string& name) {
    return ReadSettingNumber(name) != 0;
}

bool SettingExists(const std::string& name) {
    return Find(Loaded().entries, name) != nullptr;
}

void WriteSettingText(const std::string& name, const std::string& text) {
    Change(name, std::string(kTextTag) + EscapeText(text), text);
}

void WriteSettingNumber(const std::string& name, std::int32_t number) {
    Change(name, std::string(kNumberTag) + std::to_string(number), std::to_string(number));
}

void WriteSettingFlag(const std::string& name, bool flag) {
    WriteSettingNumber(name, flag ? -1 : 0);
}

void DeleteSetting(const std::string& name) {
    Change(name, std::nullopt, "");
}

void SetSettingsReadOnly(bool readOnly) {
    TheStore().readOnly = readOnly;
}

std::string GetLastFolder() {
    const std::string folder = ReadSettingText("QMR Path");
    if (!folder.empty()) return folder;
    EnsureFolder(Paths().documentsDir);
    return Paths().documentsDir;
}

void SetLastFolder(const std::string& filePath) {
    WriteSettingText("QMR Path", FolderOf(filePath));
}

SettingsBatch::SettingsBatch() {
    Store& store = Loaded();
    if (store.batchDepth++ == 0) {
        store.beforeBatch = store.entries;
        store.batchDirty = false;
    }
}

void SettingsBatch::Commit() {
    if (!open_) return;
    open_ = false;
    Store& store = TheStore();
    if (--store.batchDepth > 0 || !store.batchDirty) return;
    store.batchDirty = false;
    try {
        Persist(store, store.entries, store.batchName, store.batchValue);
    } catch (...) {
        store.entries = std::move(store.beforeBatch);
        throw;
    }
}

SettingsBatch::~SettingsBatch() {
    if (!open_) return;
    Store& store = TheStore();
    if (--store.batchDepth > 0) return;
    if (store.batchDirty) store.entries = std::move(store.beforeBatch);
    store.batchDirty = false;
}
