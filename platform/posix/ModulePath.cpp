#include "platform/ModulePath.h"

#include "platform/LastError.h"
#include "platform/TextConversion.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

namespace Platform
{
unsigned long GetModuleFileName(ModuleHandle module, std::wstring& path)
{
    path.clear();
    std::string narrow;
    if (module == nullptr)
    {
        std::vector<char> buffer(PATH_MAX);
        for (;;)
        {
            const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
            if (length < 0)
            {
                SetLastError(errno == ENOENT ? kErrorFileNotFound : kErrorAccessDenied);
                return 0;
            }
            if (static_cast<size_t>(length) < buffer.size())
            {
                narrow.assign(buffer.data(), static_cast<size_t>(length));
                break;
            }
            buffer.resize(buffer.size() * 2);
        }
    }
    else
    {
        link_map* map = nullptr;
        if (::dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || map->l_name == nullptr ||
            map->l_name[0] == '\0')
        {
            SetLastError(kErrorInvalidHandle);
            return 0;
        }
        narrow = map->l_name;
    }
    path = FileNameToWide(narrow);
    SetLastError(kErrorSuccess);
    return static_cast<unsigned long>(path.size());
}
}
