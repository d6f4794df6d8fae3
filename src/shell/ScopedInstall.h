#pragma once
// How a window attaches to the core. Each part a window plays (the platform, the main window's
// view, a loop editor's results view, the open-progress window, the Save As chooser, the File
// menu's recent-file entries) is an interface; the window installs itself for exactly as long as
// it lives by holding a ScopedInstall member built in its constructor:
//
//     class MainForm : public MainWindowView {
//         ScopedInstall<MainWindowView> attached_{*this};
//     };
//
// The core asks the latest installed implementation of a role that answers (the platform, the
// Save As chooser) and tells every installed implementation of a role that displays (results,
// rows, the recent-file entries), in the order they were installed. Windows may close in any
// order: each installer removes exactly its own entry.
#include <algorithm>
#include <iterator>
#include <vector>

template <typename Role>
std::vector<Role*>& InstalledList() {
    static std::vector<Role*> installed;
    return installed;
}

// The latest installed implementation of the role, or nullptr when none is.
template <typename Role>
Role* LatestInstalled() {
    const auto& installed = InstalledList<Role>();
    return installed.empty() ? nullptr : installed.back();
}

// Calls `tell` with every installed implementation, oldest first. One that is removed meanwhile
// (a window closing in answer) is not told.
template <typename Role, typename Tell>
void TellInstalled(Tell tell) {
    const std::vector<Role*> snapshot = InstalledList<Role>();
    for (Role* role : snapshot) {
        const auto& now = InstalledList<Role>();
        if (std::find(now.begin(), now.end(), role) != now.end()) tell(*role);
    }
}

template <typename Role>
class ScopedInstall {
public:
    explicit ScopedInstall(Role& role) : role_(&role) { InstalledList<Role>().push_back(role_); }
    ~ScopedInstall() {
        auto& installed = InstalledList<Role>();
        const auto mine = std::find(installed.rbegin(), installed.rend(), role_);
        if (mine != installed.rend()) installed.erase(std::next(mine).base());
    }
    ScopedInstall(const ScopedInstall&) = delete;
    ScopedInstall& operator=(const ScopedInstall&) = delete;

private:
    Role* role_;
};
