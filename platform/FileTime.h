#pragma once

#include <cstdint>
#include <string>

// File times as Windows keeps them: 100-nanosecond intervals since 1 January 1601, UTC.
namespace Platform
{
using FileTime = std::uint64_t;

// The three times that GetFileTime reports.
struct FileTimes
{
    FileTime creation = 0;
    FileTime lastAccess = 0;
    FileTime lastWrite = 0;
};

// CreateFileW (generic read, others may read, existing files only, backup semantics so
// that a folder opens too) followed by GetFileTime. The creation time is the birth time
// where the file system records one, else the last status change time. Returns false,
// with the last error set, when the file cannot be opened or its times cannot be read.
bool GetFileTimes(const std::wstring& path, FileTimes& times);

// A POSIX time (seconds and nanoseconds since 1970, UTC) as a file time; false for a
// time before 1601 or beyond the range of a file time.
bool UnixTimeToFileTime(std::int64_t seconds, std::uint32_t nanoseconds, FileTime& fileTime);
}
