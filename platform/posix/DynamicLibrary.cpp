#include "platform/DynamicLibrary.h"

#include "platform/LastError.h"
#include "platform/TextConversion.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstring>

namespace Platform
{
namespace
{
// dlopen's own message is the only way to tell a missing dependency from a bad file.
bool MissingDependency(const char* message)
{
    return message != nullptr && std::strstr(message, "cannot open shared object file") != nullptr;
}
}

LibraryHandle LoadLibrary(const std::wstring& path)
{
    std::string narrow = WideToFileName(path);
    if (narrow.empty())
    {
        SetLastError(kErrorModNotFound);
        return nullptr;
    }
    // dlopen searches whenever the name has no slash; a relative name is taken
    // from the current folder instead, as an exact path.
    if (narrow.find('/') == std::string::npos)
        narrow = "./" + narrow;

    struct stat status{};
    if (::stat(narrow.c_str(), &status) != 0)
    {
        SetLastError(kErrorModNotFound);
        return nullptr;
    }
    if (!S_ISREG(status.st_mode))
    {
        SetLastError(kErrorBadExeFormat);
        return nullptr;
    }
    ::dlerror();
    void* handle = ::dlopen(narrow.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
    {
        SetLastError(MissingDependency(::dlerror()) ? kErrorModNotFound : kErrorBadExeFormat);
        return nullptr;
    }
    SetLastError(kErrorSuccess);
    return handle;
}

ExportAddress GetProcAddress(LibraryHandle library, const char* name)
{
    if (library == nullptr || name == nullptr)
    {
        SetLastError(kErrorInvalidHandle);
        return nullptr;
    }
    ::dlerror();
    void* address = ::dlsym(library, name);
    if (address == nullptr)
    {
        SetLastError(kErrorProcNotFound);
        return nullptr;
    }
    SetLastError(kErrorSuccess);
    ExportAddress function;
    static_assert(sizeof function == sizeof address, "function and data pointers differ in size");
    std::memcpy(&function, &address, sizeof function);
    return function;
}

bool FreeLibrary(LibraryHandle library)
{
    if (library == nullptr || ::dlclose(library) != 0)
    {
        SetLastError(kErrorInvalidHandle);
        return false;
    }
    SetLastError(kErrorSuccess);
    return true;
}
}
