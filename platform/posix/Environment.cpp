#include "platform/Environment.h"

#include "platform/LastError.h"
#include "platform/TextConversion.h"

#include <cstdlib>

namespace Platform
{
unsigned long GetEnvironmentVariable(const std::wstring& name, std::wstring& value)
{
    value.clear();
    const char* raw = std::getenv(WideToUtf8(name).c_str());
    if (raw == nullptr)
    {
        SetLastError(kErrorEnvVarNotFound);
        return 0;
    }
    value = Utf8ToWide(raw);
    SetLastError(kErrorSuccess);
    return static_cast<unsigned long>(value.size());
}
}
