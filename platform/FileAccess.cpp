#include "platform/FileAccess.h"

#include "platform/TextConversion.h"

#include <sys/stat.h>

namespace Platform
{
bool GrantEveryoneReadWrite(const std::wstring& path)
{
    return ::chmod(WideToUtf8(path).c_str(), 0666) == 0;
}
}
