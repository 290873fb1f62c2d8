#pragma once

#include <cstddef>
#include <string>
#include <system_error>

namespace KernelSimulator
{
// A file that lines are appended to, each in one system write so that lines of
// concurrent writers never interleave and a crash keeps every line written before it.
class JournalFile
{
public:
    JournalFile() = default;
    ~JournalFile();

    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    // Opens the file (UTF-8 path) for appending, creating it if need be.
    std::error_code Open(const std::string& path);
    bool IsOpen() const;
    void Append(const char* data, std::size_t size);

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};
}
