#include "common/OptionFiles.h"

#include "common/Log.h"
#include "common/PathText.h"
#include "common/SuiteFolders.h"
#include "platform/FileAccess.h"
#include "platform/LastError.h"

namespace KorvaneCommon
{
namespace OptionFiles
{
boost::filesystem::path PartnerFile()
{
    return SuiteFolders::Options() / "Partner.xml";
}

boost::filesystem::path TrackingFile()
{
    return SuiteFolders::Options() / "tr.xml";
}

boost::filesystem::path InstallationFile()
{
    return SuiteFolders::Statistics() / "installation";
}

boost::filesystem::path FirstRunFile()
{
    return SuiteFolders::UserOptions() / "FirstRun";
}

ReadResult ReadContent(const boost::filesystem::path& path, std::size_t limit, std::string& content)
{
    if (Platform::ReadRegularFile(path.wstring(), limit, content))
        return ReadResult::Read;
    if (Platform::GetLastError() != Platform::kErrorFileTooLarge)
        return ReadResult::NotOpened;
    LOG_ERROR(L"file too large. path=" << PathHelper::QuotedText(path) << L". size limit=" << limit);
    return ReadResult::TooLarge;
}
}
}
