#include "common/SuiteFolders.h"

#include "common/Special.h"
#include "platform/SpecialFolder.h"

namespace KorvaneCommon
{
namespace SuiteFolders
{
namespace
{
boost::filesystem::path SuiteFolder(int csidl)
{
    return PathHelper::Special::FolderPath(csidl) / "korvane" / "korvane antivirus";
}
}

boost::filesystem::path Data()
{
    return SuiteFolder(Platform::kCsidlCommonAppData);
}

boost::filesystem::path Logs()
{
    return Data() / "Logs";
}

boost::filesystem::path Options()
{
    return Data() / "Options";
}

boost::filesystem::path Statistics()
{
    return Data() / "Statistics";
}

boost::filesystem::path UserOptions()
{
    return SuiteFolder(Platform::kCsidlAppData) / "Options";
}
}
}
