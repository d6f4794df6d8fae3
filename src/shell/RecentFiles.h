#pragma once
// The recent-files list of the File menu: at most four paths, newest first, kept in the settings
// mFileRecent1 to mFileRecent4.
#include <cstddef>
#include <string>
#include <vector>

#include "shell/ScopedInstall.h"

inline constexpr std::size_t kMaxRecentFiles = 4;

// Reads the list from the settings (start-up). Empty values are skipped and a path stored twice
// is listed once.
void LoadRecentFiles();

// Puts the path at the top: a path already listed moves up, a new one is inserted and the oldest
// beyond four drops out. The list is written to the settings (a failure throws RuntimeFault, see
// Settings.h, after the list in memory has changed). Paths are compared exactly, as the file
// system does; callers pass full paths. An empty path is ignored.
void AddRecentFile(const std::string& path);

// The list, newest first.
const std::vector<std::string>& RecentFiles();

// The File menu's recent-file entries implement this and install it with
// ScopedInstall<RecentFilesView>; every installed view is told after each change of the list.
class RecentFilesView {
public:
    virtual ~RecentFilesView() = default;
    // Shows the list (newest first, at most four paths; see ShortenPathForMenu).
    virtual void ShowRecentFiles(const std::vector<std::string>& paths) = 0;
};

// A path shortened for a menu entry of at most maxChars characters (UTF-8 characters, the
// menu font having fixed-width characters). A path that fits is kept. Otherwise the folders in
// the middle give way to "...": the first folder, "...", and as many of the last folders as fit
// before the file name ("/home/.../designs/site.QMR"); when not even "/home/.../site.QMR" fits,
// ".../site.QMR"; when the file name alone is too long, "..." and the end of the file name.
std::string ShortenPathForMenu(const std::string& path, std::size_t maxChars = 40);
