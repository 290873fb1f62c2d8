#include "platform/SpecialFolder.h"

#include "platform/TextConversion.h"

#include <cstdlib>
#include <string>

namespace Platform
{
namespace
{
// Only absolute values count, as the XDG base directory rules say.
bool ReadAbsolute(const char* name, std::string& value)
{
    const char* raw = std::getenv(name);
    if (raw == nullptr || raw[0] != '/')
        return false;
    value = raw;
    return true;
}

bool Home(std::string& home)
{
    return ReadAbsolute("HOME", home);
}

void TrimTrailingSlashes(std::string& path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
}

bool Lookup(int csidl, std::string& path)
{
    std::string home;
    switch (csidl)
    {
    case kCsidlCommonAppData:
        if (ReadAbsolute("XDG_DATA_HOME", path))
            return true;
        if (!Home(home))
            return false;
        TrimTrailingSlashes(home);
        path = home + "/.local/share";
        return true;
    case kCsidlAppData:
        if (ReadAbsolute("XDG_CONFIG_HOME", path))
            return true;
        if (!Home(home))
            return false;
        TrimTrailingSlashes(home);
        path = home + "/.config";
        return true;
    case kCsidlDesktopDirectory:
        if (!Home(home))
            return false;
        TrimTrailingSlashes(home);
        path = home + "/Desktop";
        return true;
    case kCsidlProgramFiles:
        path = "/opt";
        return true;
    default:
        return false;
    }
}
}

Result GetSpecialFolderPath(int csidl, std::wstring& path)
{
    path.clear();
    std::string found;
    if (!Lookup(csidl, found))
        return kResultFail;
    TrimTrailingSlashes(found);
    path = FileNameToWide(found);
    return kResultOk;
}
}
