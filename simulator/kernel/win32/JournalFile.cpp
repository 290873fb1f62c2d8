#include "simulator/kernel/JournalFile.h"

#include "platform/TextConversion.h"
#include "platform/win32/WindowsApi.h"

namespace KernelSimulator
{
JournalFile::~JournalFile()
{
    if (handle_ != nullptr)
        ::CloseHandle(handle_);
}

std::error_code JournalFile::Open(const std::string& path)
{
    // Append-only access: the system puts every write at the end of the file, whoever
    // else writes to it.
    const HANDLE file = ::CreateFileW(Platform::Utf8ToWide(path).c_str(), FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::error_code(static_cast<int>(::GetLastError()), std::system_category());
    handle_ = file;
    return {};
}

bool JournalFile::IsOpen() const
{
    return handle_ != nullptr;
}

void JournalFile::Append(const char* data, std::size_t size)
{
    while (size > 0)
    {
        DWORD written = 0;
        const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        if (!::WriteFile(handle_, data, chunk, &written, nullptr) || written == 0)
            return;
        data += written;
        size -= written;
    }
}
}
