#include "shell/FileWrite.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "shell/FileRead.h"
#include "shell/Paths.h"

namespace {

struct WriteFailure {
    std::size_t atByte;
    int error;
};

std::optional<WriteFailure>& InjectedFailure() {
    static std::optional<WriteFailure> failure;
    return failure;
}

// Temporary files are named "<target>.<pid>-XXXXXX.tmp": the writer's process number tells a
// file whose writer is gone, the six random characters make the name unpredictable.
constexpr const char* kTempSuffix = ".tmp";
constexpr std::size_t kRandomLength = 6;

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t limit = bytes.size();
    const auto& failure = InjectedFailure();
    if (failure && failure->atByte < limit) limit = failure->atByte;
    std::size_t done = 0;
    while (done < limit) {
        const ssize_t n = write(fd, bytes.data() + done, limit - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (limit < bytes.size()) {
        errno = failure->error;
        return false;
    }
    return true;
}

// Flushes a folder's entries (the rename that just happened in it) to the disk. Some file
// systems cannot sync a folder; the file itself is on the disk by then.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Creates the temporary file with the target's permissions (or those of a new file), writes
// and flushes it. Returns its name, or empty after removing it again on failure.
std::string WriteTemporaryFile(const std::string& path, const std::string& bytes,
                               const std::optional<mode_t>& targetMode, bool syncToDisk) {
    std::string name =
        path + "." + std::to_string(getpid()) + "-" + std::string(kRandomLength, 'X') + kTempSuffix;
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    // mkstemps creates the file exclusively (O_EXCL), so an existing name, a link included, is
    // never opened.
    const int fd =
        mkstemps(buffer.data(), static_cast<int>(std::char_traits<char>::length(kTempSuffix)));
    if (fd < 0) return {};
    name.assign(buffer.data());
    // The new file gets the old one's permissions (or a new file's, where mkstemps gives only
    // the owner's); a file system without permissions (a memory stick) refuses, which is no fault.
    fchmod(fd, targetMode.value_or(NewFileMode()));
    const bool ok = WriteAll(fd, bytes) && (!syncToDisk || fsync(fd) == 0);
    if (close(fd) != 0 || !ok) {
        unlink(name.c_str());
        return {};
    }
    return name;
}

// Keeps the file at `path` under `backup`: a second name for the same file when the file
// system allows it, else a copy.
bool KeepBackup(const std::string& path, const std::string& backup) {
    struct stat st {};
    if (lstat(backup.c_str(), &st) == 0) {
        // A read-only backup goes as well.
        chmod(backup.c_str(), (st.st_mode & 07777) | S_IWUSR);
        if (unlink(backup.c_str()) != 0) return false;
    } else if (errno != ENOENT) {
        return false;
    }
    if (link(path.c_str(), backup.c_str()) == 0) return true;
    std::string bytes;
    int error = 0;
    if (!ReadFileBytes(path, bytes, error)) return false;
    const int fd =
        open(backup.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, NewFileMode());
    if (fd < 0) return false;
    const bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    if (close(fd) != 0 || !ok) {
        unlink(backup.c_str());
        return false;
    }
    return true;
}

bool IsRandomPart(const std::string& text) {
    if (text.size() != kRandomLength) return false;
    for (const char c : text)
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    return true;
}

// The writer's process number when `name` is one of the temporary names of `target`.
std::optional<pid_t> TemporaryFileWriter(const std::string& name, const std::string& target) {
    const std::string prefix = target + ".";
    const std::string suffix = kTempSuffix;
    if (name.size() <= prefix.size() + suffix.size() ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return std::nullopt;
    const std::string middle =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    const auto dash = middle.find('-');
    if (dash == std::string::npos || dash == 0 || !IsRandomPart(middle.substr(dash + 1)))
        return std::nullopt;
    pid_t pid = 0;
    for (std::size_t i = 0; i < dash; ++i) {
        if (middle[i] < '0' || middle[i] > '9' || pid > 10'000'000) return std::nullopt;
        pid = pid * 10 + (middle[i] - '0');
    }
    return pid;
}

bool WriterIsGone(pid_t pid) {
    // This process writes one file at a time, so its own temporary files are left-overs too.
    return pid == getpid() || (kill(pid, 0) != 0 && errno == ESRCH);
}

}  // namespace

int RemoveStaleTemporaryFiles(const std::string& path) {
    const std::string folder = FolderOf(path);
    const std::string target = FileNameOf(path);
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return 0;
    std::vector<std::string> stale;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        const auto writer = TemporaryFileWriter(name, target);
        if (!writer || !WriterIsGone(*writer)) continue;
        const std::string full = JoinPath(folder, name);
        struct stat st {};
        // Only files this program made: a link or a folder of that name is left alone.
        if (lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) stale.push_back(full);
    }
    closedir(dir);
    int removed = 0;
    for (const auto& full : stale)
        if (unlink(full.c_str()) == 0) ++removed;
    return removed;
}

bool WriteFileSafely(const std::string& path, const std::string& bytes, const std::string& backup,
                     bool syncToDisk) {
    if (IsMemoryFile(path)) {
        if (InjectedFailure() && InjectedFailure()->atByte < bytes.size()) return false;
        if (!backup.empty() && backup != path) PutMemoryFile(backup, MemoryFileBytes(path));
        PutMemoryFile(path, bytes);
        return true;
    }
    const std::string folder = FolderOf(path);
    struct stat folderStat {};
    if (stat(folder.empty() ? "." : folder.c_str(), &folderStat) != 0 ||
        !S_ISDIR(folderStat.st_mode))
        return false;
    std::optional<mode_t> targetMode;
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode) || access(path.c_str(), W_OK) != 0) return false;
        targetMode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        return false;
    }
    RemoveStaleTemporaryFiles(path);
    const std::string temp = WriteTemporaryFile(path, bytes, targetMode, syncToDisk);
    if (temp.empty()) return false;
    const bool keep = targetMode && !backup.empty() && backup != path;
    if ((keep && !KeepBackup(path, backup)) || rename(temp.c_str(), path.c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    if (syncToDisk) SyncFolder(folder.empty() ? "." : folder);
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    return WriteFileSafely(path, bytes, "", false);
}

void InjectWriteFailure(std::size_t atByte, int error) {
    InjectedFailure() = WriteFailure{atByte, error};
}

void ClearWriteFailure() {
    InjectedFailure().reset();
}
