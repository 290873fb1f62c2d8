#pragma once

#include <boost/filesystem/path.hpp>
#include <boost/log/sinks/text_file_backend.hpp>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace Log
{
// Keeps the program's log folder within its limits across runs. Every file named
// "<date>_<time>.<micro>_<stem>_pid=<id>.txt" counts, whatever its process id, except
// the files of another run that is still going; files of any other name are never
// touched. When a finished file is handed over, the oldest collected files are deleted
// while the total would pass the size limit, the disk's free space is below the
// minimum, or the file count limit is reached.
class LogFileCollector : public boost::log::sinks::file::collector
{
public:
    LogFileCollector(boost::filesystem::path folder, std::wstring stem, unsigned long processId,
                     std::uint64_t maxSize, std::uint64_t minFreeSpace, int maxFiles);

    void store_file(const boost::filesystem::path& file) override;
    std::uintmax_t scan_for_files(boost::log::sinks::file::scan_method method,
                                  const boost::filesystem::path& pattern = boost::filesystem::path(),
                                  unsigned int* counter = nullptr) override;

    // The process id in a log file name of this program, or 0 when the name is not one.
    static unsigned long ProcessIdOf(const std::string& fileName, const std::string& stem);

private:
    struct Collected
    {
        boost::filesystem::path path;
        std::uintmax_t size;
    };

    void Add(const boost::filesystem::path& file, std::uintmax_t size);
    bool MustMakeRoom(std::uintmax_t incoming) const;

    const boost::filesystem::path folder_;
    const std::wstring stem_;
    const std::string stemUtf8_;
    const unsigned long processId_;
    const std::uint64_t maxSize_;
    const std::uint64_t minFreeSpace_;
    const std::size_t maxFiles_;

    std::mutex mutex_;
    std::vector<Collected> files_; // oldest first: names begin with their start time
    std::uintmax_t totalSize_ = 0;
};
}
