#include "platform/DynamicLibrary.h"

#include "platform/LastError.h"

#include "platform/win32/WindowsApi.h"

#include <cstring>

namespace Platform
{
LibraryHandle LoadLibrary(const std::wstring& path)
{
    if (path.empty())
    {
        ::SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    // No message box for a library that cannot be loaded: the caller reports it.
    const UINT previousMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = ::LoadLibraryW(path.c_str());
    const DWORD error = ::GetLastError();
    ::SetErrorMode(previousMode);
    ::SetLastError(module != nullptr ? ERROR_SUCCESS : error);
    return module;
}

ExportAddress GetProcAddress(LibraryHandle library, const char* name)
{
    if (library == nullptr || name == nullptr)
    {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    FARPROC address = ::GetProcAddress(static_cast<HMODULE>(library), name);
    if (address == nullptr)
        return nullptr;
    ExportAddress function;
    static_assert(sizeof function == sizeof address, "export addresses differ in size");
    std::memcpy(&function, &address, sizeof function);
    return function;
}

bool FreeLibrary(LibraryHandle library)
{
    if (library == nullptr)
    {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return ::FreeLibrary(static_cast<HMODULE>(library)) != 0;
}
}
