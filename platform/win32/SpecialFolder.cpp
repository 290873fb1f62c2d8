#include "platform/SpecialFolder.h"

#include "platform/win32/WindowsApi.h"

namespace Platform
{
Result GetSpecialFolderPath(int csidl, std::wstring& path)
{
    path.clear();
    wchar_t buffer[MAX_PATH] = {};
    const HRESULT result = ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer);
    if (FAILED(result))
        return result;
    path = buffer;
    return kResultOk;
}
}
