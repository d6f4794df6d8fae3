#include "shell/RecentFiles.h"

#include <algorithm>

#include "shell/Settings.h"

namespace {

std::vector<std::string>& List() {
    static std::vector<std::string> list;
    return list;
}

std::string SettingName(std::size_t index) {
    return "mFileRecent" + std::to_string(index + 1);
}

void NotifyChanged() {
    TellInstalled<RecentFilesView>([](RecentFilesView& view) { view.ShowRecentFiles(List()); });
}

// Number of UTF-8 characters: every byte that does not continue a character.
std::size_t CharCount(const std::string& s) {
    return static_cast<std::size_t>(std::count_if(
        s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The last n characters of a UTF-8 text.
std::string LastChars(const std::string& s, std::size_t n) {
    std::size_t pos = s.size();
    while (n > 0 && pos > 0) {
        --pos;
        if ((static_cast<unsigned char>(s[pos]) & 0xC0) != 0x80) --n;
    }
    return s.substr(pos);
}

}  // namespace

void LoadRecentFiles() {
    std::vector<std::string>& list = List();
    list.clear();
    for (std::size_t i = 0; i < kMaxRecentFiles; ++i) {
        const std::string path = ReadSettingText(SettingName(i));
        if (!path.empty() && std::find(list.begin(), list.end(), path) == list.end())
            list.push_back(path);
    }
    NotifyChanged();
}

void AddRecentFile(const std::string& path) {
    if (path.empty()) return;
    std::vector<std::string>& list = List();
    const auto found = std::find(list.begin(), list.end(), path);
    if (found != list.end()) list.erase(found);
    list.insert(list.begin(), path);
    if (list.size() > kMaxRecentFiles) list.resize(kMaxRecentFiles);
    NotifyChanged();

    SettingsBatch batch;
    for (std::size_t i = 0; i < kMaxRecentFiles; ++i)
        WriteSettingText(SettingName(i), i < list.size() ? list[i] : "");
    batch.Commit();
}

const std::vector<std::string>& RecentFiles() {
    return List();
}

std::string ShortenPathForMenu(const std::string& path, std::size_t maxChars) {
    if (CharCount(path) <= maxChars) return path;
    const std::string ellipsis = "...";
    const auto lastSep = path.rfind('/');
    const std::string fileName = lastSep == std::string::npos ? path : path.substr(lastSep + 1);
    if (CharCount(fileName) + ellipsis.size() + 1 > maxChars) {
        const std::size_t keep = maxChars > ellipsis.size() ? maxChars - ellipsis.size() : 0;
        return ellipsis + LastChars(fileName, keep);
    }
    // The head is the first folder with its separators ("/home/", "C:/").
    std::string head;
    if (lastSep != std::string::npos) {
        const auto firstSep = path.find('/', path.find_first_not_of('/'));
        if (firstSep != std::string::npos && firstSep < lastSep)
            head = path.substr(0, firstSep + 1);
    }
    if (CharCount(head) + ellipsis.size() + 1 + CharCount(fileName) > maxChars) head.clear();
    // Take in as many of the last folders as still fit.
    std::string tail = "/" + fileName;
    std::size_t end = lastSep;
    while (end != std::string::npos && end > head.size()) {
        const auto sep = path.rfind('/', end - 1);
        if (sep == std::string::npos || sep + 1 < head.size()) break;
        const std::string longer = path.substr(sep, end - sep) + tail;
        if (CharCount(head) + ellipsis.size() + CharCount(longer) > maxChars) break;
        tail = longer;
        end = sep;
    }
    return head + ellipsis + tail;
}
