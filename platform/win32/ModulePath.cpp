#include "platform/ModulePath.h"

#include "platform/LastError.h"

#include "platform/win32/WindowsApi.h"

namespace Platform
{
unsigned long GetModuleFileName(ModuleHandle module, std::wstring& path)
{
    path.clear();
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;)
    {
        const DWORD length =
            ::GetModuleFileNameW(static_cast<HMODULE>(module), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return 0;
        // A path that fills the buffer was cut short (the system says so only on some
        // versions): try again with a larger one.
        if (length < buffer.size())
        {
            buffer.resize(length);
            path = std::move(buffer);
            ::SetLastError(ERROR_SUCCESS);
            return length;
        }
        if (buffer.size() >= 32768)
        {
            ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return 0;
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}
}
