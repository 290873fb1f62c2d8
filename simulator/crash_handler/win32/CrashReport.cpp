#include "simulator/crash_handler/CrashReport.h"

#include "platform/win32/WindowsApi.h"

#include <csignal>
#include <cwchar>

namespace KorvaneCrashHandler
{
namespace
{
constexpr std::size_t kTextMax = 8192;
// 100-nanosecond intervals between 1601 and 1970.
constexpr unsigned long long kUnixEpochAsFileTime = 116444736000000000ull;

// A fixed buffer that wide text is appended to; what does not fit is cut off.
class Text
{
public:
    void Append(const wchar_t* text)
    {
        while (*text != L'\0' && length_ + 1 < kTextMax)
            buffer_[length_++] = *text++;
        buffer_[length_] = L'\0';
    }

    void AppendUnsigned(unsigned long long value, unsigned base = 10, int minDigits = 1)
    {
        wchar_t digits[32];
        int count = 0;
        do
        {
            digits[count++] = L"0123456789abcdef"[value % base];
            value /= base;
        } while (value != 0 && count < 32);
        while (count < minDigits && count < 32)
            digits[count++] = L'0';
        wchar_t reversed[33];
        for (int i = 0; i < count; ++i)
            reversed[i] = digits[count - 1 - i];
        reversed[count] = L'\0';
        Append(reversed);
    }

    void Clear()
    {
        length_ = 0;
        buffer_[0] = L'\0';
    }

    const wchar_t* Get() const { return buffer_; }
    std::size_t Length() const { return length_; }

private:
    wchar_t buffer_[kTextMax] = {};
    std::size_t length_ = 0;
};

const wchar_t* SignalName(int signal)
{
    switch (signal)
    {
    case SIGSEGV: return L"SIGSEGV";
    case SIGILL: return L"SIGILL";
    case SIGFPE: return L"SIGFPE";
    case SIGABRT: return L"SIGABRT";
    default: return L"signal";
    }
}

// Creates every missing folder of the path (which ends in a folder).
bool MakeFolders(wchar_t* path)
{
    for (wchar_t* p = path + 3; *p != L'\0'; ++p)
    {
        if (*p != L'\\')
            continue;
        *p = L'\0';
        const BOOL made = ::CreateDirectoryW(path, nullptr);
        *p = L'\\';
        if (!made && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return ::CreateDirectoryW(path, nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

// The suite's data folder, found as the updater finds it.
bool ReportFolder(Text& folder)
{
    wchar_t data[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, data)))
        return false;
    folder.Append(data);
    folder.Append(L"\\korvane\\korvane antivirus\\Crashes");
    return true;
}

// Wide text as UTF-8, written in pieces through a small buffer.
void WriteUtf8(HANDLE file, const wchar_t* text, std::size_t length)
{
    char bytes[1024];
    int used = 0;
    const auto flush = [&] {
        DWORD written = 0;
        if (used > 0)
            ::WriteFile(file, bytes, static_cast<DWORD>(used), &written, nullptr);
        used = 0;
    };
    std::size_t start = 0;
    while (start < length)
    {
        // Whole surrogate pairs only: a pair is never split between two conversions.
        std::size_t count = length - start < 256 ? length - start : 256;
        if (start + count < length && text[start + count - 1] >= 0xD800 && text[start + count - 1] <= 0xDBFF)
            --count;
        flush();
        used = ::WideCharToMultiByte(CP_UTF8, 0, text + start, static_cast<int>(count), bytes,
                                     static_cast<int>(sizeof bytes), nullptr, nullptr);
        start += count;
    }
    flush();
}

// The frames of the crashing thread, with the module each address lies in.
void AppendBacktrace(Text& report)
{
    void* frames[64];
    const USHORT count = ::RtlCaptureStackBackTrace(0, 64, frames, nullptr);
    for (USHORT i = 0; i < count; ++i)
    {
        report.Append(L"0x");
        report.AppendUnsigned(reinterpret_cast<unsigned long long>(frames[i]), 16, 16);
        HMODULE module = nullptr;
        wchar_t name[MAX_PATH] = {};
        if (::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                     GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                 static_cast<LPCWSTR>(frames[i]), &module) &&
            ::GetModuleFileNameW(module, name, MAX_PATH) != 0)
        {
            report.Append(L" ");
            report.Append(name);
            report.Append(L"+0x");
            report.AppendUnsigned(reinterpret_cast<unsigned long long>(frames[i]) -
                                      reinterpret_cast<unsigned long long>(module),
                                  16);
        }
        report.Append(L"\r\n");
    }
}
}

bool WriteCrashReport(const std::wstring& application, const Platform::CrashInformation& crash)
{
    // Kept off the stack, which may be all but used up (a stack overflow); the crash filter
    // lets one crash at a time through.
    static Text folder;
    static Text path;
    static Text report;
    folder.Clear();
    path.Clear();
    report.Clear();
    if (!ReportFolder(folder))
        return false;
    static wchar_t folderPath[kTextMax];
    std::wmemcpy(folderPath, folder.Get(), folder.Length() + 1);
    if (!MakeFolders(folderPath))
        return false;

    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long ticks =
        ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) - kUnixEpochAsFileTime;
    const unsigned long long seconds = ticks / 10000000ull;
    const DWORD process = ::GetCurrentProcessId();
    path.Append(folder.Get());
    path.Append(L"\\crash_");
    path.AppendUnsigned(seconds);
    path.Append(L".");
    path.AppendUnsigned(ticks % 10000000ull / 10, 10, 6);
    path.Append(L"_pid=");
    path.AppendUnsigned(process);
    path.Append(L"_thread=");
    path.AppendUnsigned(crash.thread);
    path.Append(L".txt");

    const HANDLE file = ::CreateFileW(path.Get(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;

    report.Append(L"application=");
    report.Append(application.c_str());
    report.Append(L"\r\nprocess=");
    report.AppendUnsigned(process);
    report.Append(L"\r\nthread=");
    report.AppendUnsigned(crash.thread);
    report.Append(L"\r\nsignal=");
    report.AppendUnsigned(static_cast<unsigned long long>(crash.signal));
    report.Append(L" (");
    report.Append(SignalName(crash.signal));
    report.Append(L")\r\ncode=0x");
    report.AppendUnsigned(static_cast<unsigned long long>(static_cast<unsigned>(crash.code)), 16, 8);
    report.Append(L"\r\naddress=0x");
    report.AppendUnsigned(reinterpret_cast<unsigned long long>(crash.address), 16, 16);
    report.Append(L"\r\ntime=");
    report.AppendUnsigned(seconds);
    report.Append(L"\r\nbacktrace:\r\n");
    AppendBacktrace(report);
    WriteUtf8(file, report.Get(), report.Length());
    ::CloseHandle(file);
    return true;
}
}
