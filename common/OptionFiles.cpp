#include "common/OptionFiles.h"

#include "common/SuiteFolders.h"

#include <boost/filesystem/fstream.hpp>

#include <iterator>
#include <utility>

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

bool ReadContent(const boost::filesystem::path& path, std::string& content)
{
    try
    {
        boost::filesystem::ifstream file(path, std::ios::in | std::ios::binary);
        if (!file)
            return false;
        std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (file.bad())
            return false;
        content = std::move(text);
        return true;
    }
    catch (const std::ios_base::failure&)
    {
        // A read error, such as a folder in place of the file.
        return false;
    }
}
}
}
