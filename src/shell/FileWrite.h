#pragma once
// Writing whole files so that a failure or a crash never loses what the file held.
//
// The new bytes go to a temporary file created beside the target under an unpredictable name,
// exclusively and without following links (a link planted in a shared folder cannot redirect
// the write). The temporary file is flushed to the disk, the old file is kept as the backup when
// one is asked for, and only then is the temporary file renamed over the target, so that at
// every moment the target's name holds either the old or the new complete file. A temporary file
// left by a process that was killed mid-write is removed by the next write of the same target.
//
// A file held in memory (see FileRead.h) is replaced in memory, its backup kept there as well.
#include <cstddef>
#include <string>

// Replaces the file at `path` with `bytes`. When `backup` is not empty and names another file,
// the file that was at `path` (if any) is kept under that name, replacing an older backup
// (a read-only one too). With `syncToDisk` the new file and its folder entry are on the disk
// before the call returns, so not even a power cut loses the file. False when the folder is
// missing, the target is not a writable regular file or any step fails; the target then still
// holds what it held before.
bool WriteFileSafely(const std::string& path, const std::string& bytes, const std::string& backup,
                     bool syncToDisk);

// The same without a backup and without waiting for the disk (the settings file and profile
// files, written often and a value at a time): a crash may lose the newest change, never the
// file.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// The temporary files of `path` whose writer has gone; removes them and returns how many.
int RemoveStaleTemporaryFiles(const std::string& path);

// A disk filling up part way: writes fail with `error` once `atByte` bytes of one file have been
// written. For tests; cleared by ClearWriteFailure.
void InjectWriteFailure(std::size_t atByte, int error);
void ClearWriteFailure();
