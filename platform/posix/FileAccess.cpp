#include "platform/FileAccess.h"

#include "platform/posix/FileDescriptor.h"
#include "platform/LastError.h"
#include "platform/TextConversion.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

namespace Platform
{
namespace
{
bool Fail(ErrorCode code)
{
    SetLastError(code);
    return false;
}

bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty())
    {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
        {
            // A write that takes nothing without an error only happens on a full device.
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Fills the new file and gives it its name; the caller removes it when this fails.
bool FillAndRename(FileDescriptor& file, const std::string& temporary, const std::string& target,
                   std::string_view content)
{
    if (::fchmod(file.Get(), 0666) != 0 || !WriteAll(file.Get(), content) || ::fsync(file.Get()) != 0)
        return false;
    // The close reports what the file system could not store until then.
    if (::close(file.Release()) != 0)
        return false;
    return ::rename(temporary.c_str(), target.c_str()) == 0;
}
}

bool ReadRegularFile(const std::wstring& path, std::size_t limit, std::string& content)
{
    // Non-blocking, so that a FIFO or a device opens at once and is refused below.
    const FileDescriptor file(
        ::open(WideToFileName(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0)
        return Fail(ErrorFromErrno(errno));
    struct stat status{};
    if (::fstat(file.Get(), &status) != 0)
        return Fail(ErrorFromErrno(errno));
    if (!S_ISREG(status.st_mode))
        return Fail(kErrorBadFileType);

    // The size may change while the file is read; only what is read counts.
    std::string text;
    char buffer[16384];
    for (;;)
    {
        const std::size_t left = limit - text.size();
        const std::size_t wanted = left < sizeof buffer ? left + 1 : sizeof buffer;
        const ssize_t got = ::read(file.Get(), buffer, wanted);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Fail(ErrorFromErrno(errno));
        if (got == 0)
            break;
        if (static_cast<std::size_t>(got) > left)
            return Fail(kErrorFileTooLarge);
        text.append(buffer, static_cast<std::size_t>(got));
    }
    content = std::move(text);
    SetLastError(kErrorSuccess);
    return true;
}

bool WriteFileAtomically(const std::wstring& path, std::string_view content)
{
    const std::string target = WideToFileName(path);
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    if (name.empty())
        return Fail(kErrorPathNotFound);

    // A hidden name that no reader of the file looks for; mkostemp creates it anew
    // (never through a link), readable and writable by its owner only until filled.
    std::string temporary = folder + "." + name + ".XXXXXX";
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.Get() < 0)
        return Fail(ErrorFromErrno(errno));
    if (FillAndRename(file, temporary, target, content))
    {
        SetLastError(kErrorSuccess);
        return true;
    }
    const int error = errno;
    ::unlink(temporary.c_str());
    return Fail(ErrorFromErrno(error));
}
}
