#include "simulator/crash_handler/CrashReport.h"

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace KorvaneCrashHandler
{
namespace
{
// The first backtrace loads the unwinder; do that when the library is loaded, not in
// the middle of a crash report.
[[gnu::constructor]] void LoadUnwinder()
{
    void* frame[1];
    ::backtrace(frame, 1);
}

constexpr std::size_t kPathMax = 4096;

// A fixed buffer that text is appended to; what does not fit is cut off.
class Text
{
public:
    void Append(const char* text)
    {
        while (*text != '\0' && length_ + 1 < sizeof buffer_)
            buffer_[length_++] = *text++;
        buffer_[length_] = '\0';
    }

    void AppendUnsigned(unsigned long long value, unsigned base = 10, int minDigits = 1)
    {
        char digits[32];
        int count = 0;
        do
        {
            digits[count++] = "0123456789abcdef"[value % base];
            value /= base;
        } while (value != 0 && count < 32);
        while (count < minDigits && count < 32)
            digits[count++] = '0';
        char reversed[33];
        for (int i = 0; i < count; ++i)
            reversed[i] = digits[count - 1 - i];
        reversed[count] = '\0';
        Append(reversed);
    }

    // Wide text as UTF-8.
    void AppendWide(const std::wstring& text)
    {
        for (wchar_t c : text)
        {
            const auto cp = static_cast<unsigned long>(c);
            char bytes[5] = {};
            if (cp < 0x80)
                bytes[0] = static_cast<char>(cp);
            else if (cp < 0x800)
            {
                bytes[0] = static_cast<char>(0xC0 | (cp >> 6));
                bytes[1] = static_cast<char>(0x80 | (cp & 0x3F));
            }
            else if (cp < 0x10000)
            {
                bytes[0] = static_cast<char>(0xE0 | (cp >> 12));
                bytes[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                bytes[2] = static_cast<char>(0x80 | (cp & 0x3F));
            }
            else if (cp <= 0x10FFFF)
            {
                bytes[0] = static_cast<char>(0xF0 | (cp >> 18));
                bytes[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
                bytes[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                bytes[3] = static_cast<char>(0x80 | (cp & 0x3F));
            }
            Append(bytes);
        }
    }

    const char* Get() const { return buffer_; }
    std::size_t Length() const { return length_; }

private:
    char buffer_[kPathMax] = {};
    std::size_t length_ = 0;
};

const char* SignalName(int signal)
{
    switch (signal)
    {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGILL: return "SIGILL";
    case SIGFPE: return "SIGFPE";
    case SIGABRT: return "SIGABRT";
    default: return "signal";
    }
}

// Creates every missing folder of the path (which ends in a folder).
bool MakeFolders(char* path)
{
    for (char* p = path + 1; *p != '\0'; ++p)
    {
        if (*p != '/')
            continue;
        *p = '\0';
        const int result = ::mkdir(path, 0755);
        *p = '/';
        if (result != 0 && errno != EEXIST)
            return false;
    }
    return ::mkdir(path, 0755) == 0 || errno == EEXIST;
}

// The suite's data folder, found as the updater finds it.
bool ReportFolder(Text& folder)
{
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/')
    {
        folder.Append(data);
    }
    else
    {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/')
            return false;
        folder.Append(home);
        folder.Append("/.local/share");
    }
    folder.Append("/korvane/korvane antivirus/Crashes");
    return true;
}

void WriteAll(int fd, const char* text, std::size_t length)
{
    while (length > 0)
    {
        const ssize_t written = ::write(fd, text, length);
        if (written <= 0)
        {
            if (written < 0 && errno == EINTR)
                continue;
            return;
        }
        text += written;
        length -= static_cast<std::size_t>(written);
    }
}
}

bool WriteCrashReport(const std::wstring& application, const Platform::CrashInformation& crash)
{
    Text folder;
    if (!ReportFolder(folder))
        return false;
    char folderPath[kPathMax];
    std::memcpy(folderPath, folder.Get(), folder.Length() + 1);
    if (!MakeFolders(folderPath))
        return false;

    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    Text path;
    path.Append(folder.Get());
    path.Append("/crash_");
    path.AppendUnsigned(static_cast<unsigned long long>(now.tv_sec));
    path.Append(".");
    path.AppendUnsigned(static_cast<unsigned long long>(now.tv_nsec / 1000), 10, 6);
    path.Append("_pid=");
    path.AppendUnsigned(static_cast<unsigned long long>(::getpid()));
    path.Append("_thread=");
    path.AppendUnsigned(crash.thread);
    path.Append(".txt");

    const int fd = ::open(path.Get(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;

    Text report;
    report.Append("application=");
    report.AppendWide(application);
    report.Append("\nprocess=");
    report.AppendUnsigned(static_cast<unsigned long long>(::getpid()));
    report.Append("\nthread=");
    report.AppendUnsigned(crash.thread);
    report.Append("\nsignal=");
    report.AppendUnsigned(static_cast<unsigned long long>(crash.signal));
    report.Append(" (");
    report.Append(SignalName(crash.signal));
    report.Append(")\ncode=");
    report.AppendUnsigned(static_cast<unsigned long long>(static_cast<unsigned>(crash.code)));
    report.Append("\naddress=0x");
    report.AppendUnsigned(reinterpret_cast<unsigned long long>(crash.address), 16, 16);
    report.Append("\ntime=");
    report.AppendUnsigned(static_cast<unsigned long long>(now.tv_sec));
    report.Append("\nbacktrace:\n");
    WriteAll(fd, report.Get(), report.Length());

    void* frames[64];
    const int count = ::backtrace(frames, 64);
    ::backtrace_symbols_fd(frames, count, fd);
    ::close(fd);
    return true;
}
}
