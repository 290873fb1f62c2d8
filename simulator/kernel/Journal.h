#pragma once

#include "simulator/kernel/JournalFile.h"

#include <boost/filesystem/path.hpp>

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <system_error>

namespace KernelSimulator
{
// A record of what passes between the program and the kernel, one line per operation
// received ("call NAME[ VALUE]") and per event raised ("event NAME[ VALUE]"), in order.
// Each line is appended with a single write as soon as it is known, so the file
// holds every line up to a crash. A journal without a file writes nothing.
class Journal
{
public:
    Journal() = default;
    explicit Journal(const std::string& path);

    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // Whether a path was given but could not be opened, and the system's error.
    bool Failed() const { return static_cast<bool>(openError_); }
    const std::error_code& OpenError() const { return openError_; }
    const std::string& Path() const { return path_; }

    // A value is turned into text (JournalValue) only when the journal has a file.
    void Call(std::string_view name) { Write("call", name, nullptr); }
    template <class Value>
    void Call(std::string_view name, const Value& value) { WriteValue("call", name, value); }
    void Event(std::string_view name) { Write("event", name, nullptr); }
    template <class Value>
    void Event(std::string_view name, const Value& value) { WriteValue("event", name, value); }

private:
    template <class Value>
    void WriteValue(std::string_view kind, std::string_view name, const Value& value);
    void Write(std::string_view kind, std::string_view name, const std::string* value);

    std::string path_;
    JournalFile file_;
    std::error_code openError_;
    std::mutex mutex_;
};

// The texts of values in journal lines: flags 1/0, numbers in decimal, doubles in the
// default stream format, texts in UTF-8.
std::string JournalValue(bool value);
std::string JournalValue(std::int32_t value);
std::string JournalValue(std::uint64_t value);
std::string JournalValue(double value);
std::string JournalValue(const std::wstring& value);
std::string JournalValue(const boost::filesystem::path& value);
inline const std::string& JournalValue(const std::string& value)
{
    return value;
}

template <class Value>
void Journal::WriteValue(std::string_view kind, std::string_view name, const Value& value)
{
    if (!file_.IsOpen())
        return;
    const std::string& text = JournalValue(value);
    Write(kind, name, &text);
}
}
