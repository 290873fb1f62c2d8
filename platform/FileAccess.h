#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Whole-file reads and writes of the small files the suite shares between its programs.
// Both return false with the last error set (GetLastError) when they fail.
namespace Platform
{
// Reads the whole file if it is a regular file (a symbolic link to one counts) of at
// most `limit` bytes. Opening never waits: a FIFO, device or socket in its place is
// refused with kErrorBadFileType, as a folder is; a larger file with kErrorFileTooLarge,
// after reading no more than one byte past the limit. The content is left untouched on
// failure.
bool ReadRegularFile(const std::wstring& path, std::size_t limit, std::string& content);

// Replaces the file at `path` with one holding `content`, so that readers see either
// the old file or the whole new one: the content goes into a new file in the same
// folder, which gets the Everyone read and write access (mode 0666, set on the new file
// itself), is flushed, closed and renamed over the path. Whatever the path named before
// (a file, a symbolic link, a FIFO) is replaced, never followed or written; a folder
// there fails the call. On failure (a full disk, for one) nothing new is left behind.
bool WriteFileAtomically(const std::wstring& path, std::string_view content);
}
