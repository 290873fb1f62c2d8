#include "simulator/kernel/JournalFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace KernelSimulator
{
JournalFile::~JournalFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::error_code JournalFile::Open(const std::string& path)
{
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd_ < 0)
        return std::error_code(errno != 0 ? errno : EIO, std::generic_category());
    return {};
}

bool JournalFile::IsOpen() const
{
    return fd_ >= 0;
}

void JournalFile::Append(const char* data, std::size_t size)
{
    while (size > 0)
    {
        const ssize_t written = ::write(fd_, data, size);
        if (written < 0)
        {
            if (errno == EINTR)
                continue;
            return;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}
}
