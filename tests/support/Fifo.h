#pragma once

#include <boost/filesystem/operations.hpp>
#include <boost/filesystem/path.hpp>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <vector>

namespace Testing
{
// A FIFO at the path, its folder made first.
inline void MakeFifo(const boost::filesystem::path& path)
{
    boost::filesystem::create_directories(path.parent_path());
    ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0) << path;
}

// Runs the call on a thread of its own and returns its result. A call that waits on one
// of the FIFOs for more than a few seconds fails the test and is then released by
// opening the FIFOs' writing ends until it returns.
template <class Call>
auto WithoutWaitingOn(const std::vector<boost::filesystem::path>& fifos, Call call)
{
    auto result = std::async(std::launch::async, call);
    if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready)
    {
        ADD_FAILURE() << "waited on a FIFO";
        while (result.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
        {
            for (const auto& fifo : fifos)
            {
                const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (writer >= 0)
                    ::close(writer);
            }
        }
    }
    return result.get();
}
}
