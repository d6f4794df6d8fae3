#pragma once
// Reading whole files so that a failure is never mistaken for the end of the file.
//
// Profile files have no end marker: a read cut short by a disk error would parse as a complete
// but smaller file (a design with fewer devices, a catalogue with fewer types). Every read here
// either returns all the bytes or reports the system's error.
//
// Files can also be served from memory (registered under a path that need not exist on disk),
// which lets tools feed bytes to the readers without touching the disk. A write to such a path
// (FileWrite.h) replaces the bytes in memory.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "shell/ErrorHandler.h"

// What the readers compare to decide whether a file changed since it was last parsed.
struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::int64_t modified = 0;  // nanoseconds; a generation number for files held in memory
    bool operator==(const FileStamp&) const = default;
};

// The stamp of a regular file (links followed), or of a file held in memory.
FileStamp StampOfFile(const std::string& path);

// Reads the whole file into `bytes`. False on any failure, with the system's error number
// (errno) in `error`; `bytes` is then empty.
bool ReadFileBytes(const std::string& path, std::string& bytes, int& error);

// The fault a failed read raises: an error number in the error handler's numbering (53 file
// not found, 57 device I/O error, 70 permission denied, ...) and the system's reason.
RuntimeFault FileReadFault(int error);

// Serves `bytes` as the file at `path` until the memory files are cleared. Each call gives the
// file a new stamp.
void PutMemoryFile(const std::string& path, std::string bytes);
void ClearMemoryFiles();
bool IsMemoryFile(const std::string& path);
// The bytes of a file held in memory; empty when there is none at `path`.
std::string MemoryFileBytes(const std::string& path);

// A disk failing part way: reads of the files whose path ends with `path` fail with `error`
// once they reach byte `atByte` (0: opening fails). For tests; cleared by ClearReadFailure.
struct ReadFailure {
    std::string path;
    std::size_t atByte = 0;
    int error = 0;
};
void InjectReadFailure(const ReadFailure& failure);
void ClearReadFailure();
