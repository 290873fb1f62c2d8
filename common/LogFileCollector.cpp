#include "common/LogFileCollector.h"

#include "platform/ProcessInfo.h"
#include "platform/TextConversion.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace Log
{
namespace
{
namespace fs = boost::filesystem;

// "YYYY.MM.DD_HH.MM.SS.ffffff_": the start time the sink writes in front of every name.
constexpr const char* kTimeShape = "dddd.dd.dd_dd.dd.dd.dddddd_";

bool MatchesTimeShape(const std::string& name)
{
    const std::string shape = kTimeShape;
    if (name.size() < shape.size())
        return false;
    for (std::size_t i = 0; i < shape.size(); ++i)
    {
        const bool digit = std::isdigit(static_cast<unsigned char>(name[i])) != 0;
        if (shape[i] == 'd' ? !digit : name[i] != shape[i])
            return false;
    }
    return true;
}
}

LogFileCollector::LogFileCollector(fs::path folder, std::wstring stem, unsigned long processId,
                                   std::uint64_t maxSize, std::uint64_t minFreeSpace, int maxFiles)
    : folder_(std::move(folder)),
      stem_(std::move(stem)),
      stemUtf8_(Platform::WideToUtf8(stem_)),
      processId_(processId),
      maxSize_(maxSize),
      minFreeSpace_(minFreeSpace),
      maxFiles_(maxFiles > 0 ? static_cast<std::size_t>(maxFiles) : 1)
{
}

unsigned long LogFileCollector::ProcessIdOf(const std::string& fileName, const std::string& stem)
{
    const std::string middle = "_pid=";
    const std::string suffix = ".txt";
    const std::size_t head = std::char_traits<char>::length(kTimeShape);
    if (!MatchesTimeShape(fileName) || fileName.size() <= head + stem.size() + middle.size() + suffix.size())
        return 0;
    if (fileName.compare(head, stem.size(), stem) != 0 ||
        fileName.compare(head + stem.size(), middle.size(), middle) != 0 ||
        fileName.compare(fileName.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    const std::size_t first = head + stem.size() + middle.size();
    const std::size_t last = fileName.size() - suffix.size();
    if (last - first > 9) // more digits than any process id has
        return 0;
    unsigned long id = 0;
    for (std::size_t i = first; i < last; ++i)
    {
        if (!std::isdigit(static_cast<unsigned char>(fileName[i])))
            return 0;
        id = id * 10 + static_cast<unsigned long>(fileName[i] - '0');
    }
    return id;
}

bool LogFileCollector::LowOnSpace() const
{
    boost::system::error_code error;
    const fs::space_info space = fs::space(folder_, error);
    return !error && space.available < minFreeSpace_;
}

std::vector<LogFileCollector::LogFile> LogFileCollector::List() const
{
    std::vector<LogFile> files;
    boost::system::error_code error;
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error))
    {
        const fs::path& path = it->path();
        const unsigned long owner = ProcessIdOf(path.filename().string(), stemUtf8_);
        boost::system::error_code statusError;
        if (owner == 0 || !fs::is_regular_file(it->symlink_status(statusError)))
            continue;
        boost::system::error_code sizeError;
        const std::uintmax_t size = fs::file_size(path, sizeError);
        const bool live = owner != processId_ && Platform::IsProgramRunning(owner, stem_);
        files.push_back(LogFile{path, sizeError ? 0 : size, owner, live});
    }
    std::sort(files.begin(), files.end(),
              [](const LogFile& a, const LogFile& b) { return a.path.filename() < b.path.filename(); });
    return files;
}

void LogFileCollector::MakeRoom(const fs::path& incoming, const std::vector<LogFile>& files)
{
    std::vector<LogFile> deletable;
    std::size_t count = 1; // the file this run writes next
    std::uintmax_t total = 0;
    std::uintmax_t incomingSize = 0;
    for (const LogFile& file : files)
    {
        ++count;
        if (file.path == incoming)
            incomingSize = file.size;
        else if (!file.live)
        {
            deletable.push_back(file);
            total += file.size;
        }
    }

    const auto remove = [&](const LogFile& file) {
        boost::system::error_code error;
        fs::remove(file.path, error); // already gone is as good as deleted
        total -= file.size;
        --count;
    };
    auto next = deletable.begin();
    for (; next != deletable.end() && (total + incomingSize > maxSize_ || count > maxFiles_); ++next)
        remove(*next);
    for (; next != deletable.end() && LowOnSpace(); ++next)
    {
        if (next->owner != processId_)
            remove(*next);
    }
}

void LogFileCollector::store_file(const fs::path& file)
{
    std::lock_guard<std::mutex> lock(mutex_);
    boost::system::error_code error;
    fs::path stored = file;
    if (fs::absolute(file.parent_path()) != fs::absolute(folder_))
    {
        stored = folder_ / file.filename();
        fs::create_directories(folder_, error);
        fs::rename(file, stored, error);
        if (error)
            stored = file;
    }
    MakeRoom(stored, List());
}

std::uintmax_t LogFileCollector::scan_for_files(boost::log::sinks::file::scan_method method, const fs::path&,
                                                unsigned int*)
{
    if (method == boost::log::sinks::file::no_scan)
        return 0;
    std::lock_guard<std::mutex> lock(mutex_);
    const std::vector<LogFile> files = List();
    const auto found = std::count_if(files.begin(), files.end(), [](const LogFile& file) { return !file.live; });
    MakeRoom(fs::path(), files);
    return static_cast<std::uintmax_t>(found);
}
}
