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
// "<date>_<time>.<micro>_<stem>_pid=<id>.txt" counts, whatever its process id; files of
// any other name are never touched, nor are the files of another run that is still
// going. The limits are applied when the sink starts (so that old files make room
// first) and whenever a finished file is handed over: the oldest files are deleted
// while the total of the finished ones would pass the size limit or the folder would
// hold more files than the count limit (the file this run writes next counts too).
// While the disk's free space is below the minimum, earlier runs' files are deleted as
// well, but never this run's own: they are all there is of it.
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
    struct LogFile
    {
        boost::filesystem::path path;
        std::uintmax_t size;
        unsigned long owner;
        bool live; // another run still writes it
    };

    // This program's log files in the folder, oldest first (names begin with their time).
    std::vector<LogFile> List() const;
    // Applies the limits to the files listed; `incoming` (may be empty) is the finished
    // file just handed over.
    void MakeRoom(const boost::filesystem::path& incoming, const std::vector<LogFile>& files);
    bool LowOnSpace() const;

    const boost::filesystem::path folder_;
    const std::wstring stem_;
    const std::string stemUtf8_;
    const unsigned long processId_;
    const std::uint64_t maxSize_;
    const std::uint64_t minFreeSpace_;
    const std::size_t maxFiles_;

    std::mutex mutex_;
};
}
