#pragma once

#include <unistd.h>

#include <cerrno>

namespace Platform
{
// Owns an open file descriptor and closes it on every way out, keeping the errno of
// the call that failed before.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
        {
            const int saved = errno;
            ::close(fd_);
            errno = saved;
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }

    // Gives up ownership, for a caller that closes the descriptor itself and checks it.
    int Release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};
}
