#include "platform/FileAccess.h"

#include "platform/LastError.h"

#include "platform/win32/WindowsApi.h"

#include <utility>

namespace Platform
{
namespace
{
class File
{
public:
    explicit File(HANDLE handle) : handle_(handle) {}
    File(File&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    ~File() { Close(); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File& operator=(File&&) = delete;
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes now, keeping the last error of what came before.
    bool Close()
    {
        if (!Valid())
            return true;
        const BOOL closed = ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }

private:
    HANDLE handle_;
};

bool Fail(DWORD code)
{
    ::SetLastError(code);
    return false;
}

bool WriteAll(HANDLE file, std::string_view content)
{
    while (!content.empty())
    {
        const DWORD wanted = content.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(content.size());
        DWORD written = 0;
        if (!::WriteFile(file, content.data(), wanted, &written, nullptr))
            return false;
        if (written == 0)
            return Fail(ERROR_DISK_FULL);
        content.remove_prefix(written);
    }
    return true;
}

// Replaces the file's access list by one entry: Everyone may read and write it. The
// file's content is kept whether or not this works.
void OpenToEveryone(const std::wstring& path)
{
    SID_IDENTIFIER_AUTHORITY worldAuthority = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    if (!::AllocateAndInitializeSid(&worldAuthority, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone))
        return;
    EXPLICIT_ACCESSW access{};
    access.grfAccessPermissions = GENERIC_READ | GENERIC_WRITE;
    access.grfAccessMode = SET_ACCESS;
    access.grfInheritance = NO_INHERITANCE;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    access.Trustee.ptstrName = static_cast<LPWSTR>(everyone);
    PACL list = nullptr;
    if (::SetEntriesInAclW(1, &access, nullptr, &list) == ERROR_SUCCESS)
    {
        SECURITY_DESCRIPTOR descriptor;
        if (::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
            ::SetSecurityDescriptorDacl(&descriptor, TRUE, list, FALSE))
            ::SetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, &descriptor);
        ::LocalFree(list);
    }
    ::FreeSid(everyone);
}

// A new file beside the target, under a name no reader looks for; never one that exists.
File CreateTemporary(const std::wstring& target, std::wstring& temporary)
{
    const std::size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
    const std::wstring name = slash == std::wstring::npos ? target : target.substr(slash + 1);
    static const wchar_t digits[] = L"0123456789abcdef";
    for (unsigned attempt = 0; attempt < 100; ++attempt)
    {
        unsigned long long seed = (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32) ^
                                  ::GetTickCount64() ^ (static_cast<unsigned long long>(attempt) * 0x9E3779B97F4A7C15ULL);
        std::wstring suffix;
        for (int i = 0; i < 8; ++i, seed >>= 4)
            suffix += digits[seed & 0xF];
        temporary = folder + L"." + name + L"." + suffix;
        File file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_HIDDEN, nullptr));
        if (file.Valid() || ::GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return File(INVALID_HANDLE_VALUE);
}
}

bool ReadRegularFile(const std::wstring& path, std::size_t limit, std::string& content)
{
    // Others may go on reading, writing and replacing the file meanwhile.
    File file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return false;
    // A pipe or a device (CON, NUL, COM1) in the file's place is refused before any read.
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK)
        return Fail(kErrorBadFileType);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(file.Get(), &information))
        return false;
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return Fail(kErrorBadFileType);
    std::string text;
    char buffer[16384];
    for (;;)
    {
        const std::size_t left = limit - text.size();
        const DWORD wanted = left < sizeof buffer ? static_cast<DWORD>(left + 1) : static_cast<DWORD>(sizeof buffer);
        DWORD got = 0;
        if (!::ReadFile(file.Get(), buffer, wanted, &got, nullptr))
            return false;
        if (got == 0)
            break;
        if (got > left)
            return Fail(kErrorFileTooLarge);
        text.append(buffer, got);
    }
    content = std::move(text);
    ::SetLastError(ERROR_SUCCESS);
    return true;
}

bool WriteFileAtomically(const std::wstring& path, std::string_view content)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    if (path.empty() || slash == path.size() - 1)
        return Fail(kErrorPathNotFound);
    std::wstring temporary;
    File file = CreateTemporary(path, temporary);
    if (!file.Valid())
        return false;
    const bool filled = WriteAll(file.Get(), content) && ::FlushFileBuffers(file.Get());
    DWORD error = filled ? ERROR_SUCCESS : ::GetLastError();
    // The close reports what the file system could not store until then.
    if (!file.Close() && filled)
        error = ::GetLastError();
    if (error == ERROR_SUCCESS)
    {
        OpenToEveryone(temporary);
        ::SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        {
            ::SetLastError(ERROR_SUCCESS);
            return true;
        }
        error = ::GetLastError();
    }
    ::DeleteFileW(temporary.c_str());
    return Fail(error);
}
}
