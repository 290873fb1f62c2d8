#include "platform/Environment.h"

#include "platform/LastError.h"

#include "platform/win32/WindowsApi.h"

namespace Platform
{
unsigned long GetEnvironmentVariable(const std::wstring& name, std::wstring& value)
{
    value.clear();
    std::wstring buffer(256, L'\0');
    for (;;)
    {
        ::SetLastError(ERROR_SUCCESS);
        const DWORD length = ::GetEnvironmentVariableW(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return 0; // the last error tells an empty value (0) from a missing one (203)
        if (length < buffer.size())
        {
            buffer.resize(length);
            value = std::move(buffer);
            ::SetLastError(ERROR_SUCCESS);
            return length;
        }
        // Too small: the length asked for includes the terminating null. The value may
        // grow meanwhile, so ask again.
        buffer.assign(length, L'\0');
    }
}
}
