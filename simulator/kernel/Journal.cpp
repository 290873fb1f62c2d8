#include "simulator/kernel/Journal.h"

#include "platform/TextConversion.h"

#include <cerrno>
#include <fcntl.h>
#include <sstream>
#include <unistd.h>

namespace KernelSimulator
{
Journal::Journal(const std::string& path) : path_(path)
{
    if (path_.empty())
        return;
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd_ < 0)
        openError_ = errno != 0 ? errno : EIO;
}

Journal::~Journal()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void Journal::Write(std::string_view kind, std::string_view name, const std::string* value)
{
    if (fd_ < 0)
        return;
    std::string line;
    line.reserve(kind.size() + name.size() + (value != nullptr ? value->size() : 0) + 3);
    line.append(kind).append(1, ' ').append(name);
    if (value != nullptr)
        line.append(1, ' ').append(*value);
    line.append(1, '\n');

    std::lock_guard<std::mutex> lock(mutex_);
    const char* data = line.data();
    std::size_t left = line.size();
    while (left > 0)
    {
        const ssize_t written = ::write(fd_, data, left);
        if (written < 0)
        {
            if (errno == EINTR)
                continue;
            return;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
}

std::string JournalValue(bool value)
{
    return value ? "1" : "0";
}

std::string JournalValue(std::int32_t value)
{
    return std::to_string(value);
}

std::string JournalValue(std::uint64_t value)
{
    return std::to_string(value);
}

std::string JournalValue(double value)
{
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream << value;
    return stream.str();
}

std::string JournalValue(const std::wstring& value)
{
    return Platform::WideToUtf8(value);
}

std::string JournalValue(const boost::filesystem::path& value)
{
    return value.string();
}
}
