#include "simulator/kernel/Journal.h"

#include "platform/TextConversion.h"

#include <sstream>

namespace KernelSimulator
{
Journal::Journal(const std::string& path) : path_(path)
{
    if (!path_.empty())
        openError_ = file_.Open(path_);
}

void Journal::Write(std::string_view kind, std::string_view name, const std::string* value)
{
    if (!file_.IsOpen())
        return;
    std::string line;
    line.reserve(kind.size() + name.size() + (value != nullptr ? value->size() : 0) + 3);
    line.append(kind).append(1, ' ').append(name);
    if (value != nullptr)
        line.append(1, ' ').append(*value);
    line.append(1, '\n');

    std::lock_guard<std::mutex> lock(mutex_);
    file_.Append(line.data(), line.size());
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
