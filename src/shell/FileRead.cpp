#include "shell/FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unordered_map>

namespace {

struct MemoryFile {
    std::string bytes;
    std::int64_t generation = 0;
};

std::unordered_map<std::string, MemoryFile>& MemoryFiles() {
    static std::unordered_map<std::string, MemoryFile> files;
    return files;
}

std::optional<ReadFailure>& InjectedFailure() {
    static std::optional<ReadFailure> failure;
    return failure;
}

// The byte at which reads of `path` must fail, when a failure is injected for it.
std::optional<std::size_t> FailurePoint(const std::string& path, int& error) {
    const auto& failure = InjectedFailure();
    const std::string& end = failure ? failure->path : path;
    if (!failure || end.size() > path.size() ||
        path.compare(path.size() - end.size(), end.size(), end) != 0)
        return std::nullopt;
    error = failure->error;
    return failure->atByte;
}

bool ReadDescriptor(int fd, const std::string& path, std::string& bytes, int& error) {
    int injected = 0;
    const std::optional<std::size_t> failAt = FailurePoint(path, injected);
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        std::size_t want = sizeof buffer;
        if (failAt) {
            if (bytes.size() >= *failAt) {
                error = injected;
                return false;
            }
            want = std::min(want, *failAt - bytes.size());
        }
        const ssize_t got = read(fd, buffer, want);
        if (got < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        if (got == 0) return true;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

}  // namespace

FileStamp StampOfFile(const std::string& path) {
    FileStamp stamp;
    if (const auto m = MemoryFiles().find(path); m != MemoryFiles().end()) {
        stamp.exists = true;
        stamp.size = m->second.bytes.size();
        stamp.modified = m->second.generation;
        return stamp;
    }
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return stamp;
    stamp.exists = true;
    stamp.size = static_cast<std::uintmax_t>(st.st_size);
    stamp.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 +
                     static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    return stamp;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, int& error) {
    bytes.clear();
    error = 0;
    if (const auto m = MemoryFiles().find(path); m != MemoryFiles().end()) {
        bytes = m->second.bytes;
        return true;
    }
    int injected = 0;
    if (FailurePoint(path, injected) == std::size_t{0}) {
        error = injected;
        return false;
    }
    int fd;
    do
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error = errno;
        return false;
    }
    const bool ok = ReadDescriptor(fd, path, bytes, error);
    close(fd);
    if (!ok) bytes.clear();
    return ok;
}

RuntimeFault FileReadFault(int error) {
    long number = 75;  // Path/File access error
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            number = 53;  // File not found
            break;
        case EIO:
            number = 57;  // Device I/O error
            break;
        case EACCES:
        case EPERM:
            number = 70;  // Permission denied
            break;
        case EMFILE:
        case ENFILE:
            number = 67;  // Too many files
            break;
        case ENOMEM:
            number = 7;  // Out of memory
            break;
        default:
            break;
    }
    return RuntimeFault{number, std::strerror(error)};
}

void PutMemoryFile(const std::string& path, std::string bytes) {
    static std::int64_t generation = 0;
    MemoryFiles()[path] = MemoryFile{std::move(bytes), ++generation};
}

void ClearMemoryFiles() {
    MemoryFiles().clear();
}

bool IsMemoryFile(const std::string& path) {
    return MemoryFiles().count(path) != 0;
}

std::string MemoryFileBytes(const std::string& path) {
    const auto m = MemoryFiles().find(path);
    return m == MemoryFiles().end() ? std::string() : m->second.bytes;
}

void InjectReadFailure(const ReadFailure& failure) {
    InjectedFailure() = failure;
}

void ClearReadFailure() {
    InjectedFailure().reset();
}
