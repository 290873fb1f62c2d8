#pragma once

#include <boost/filesystem/path.hpp>

// The suite's data folders. Each lookup throws as PathHelper::Special::FolderPath does.
namespace KorvaneCommon
{
namespace SuiteFolders
{
// common application data / korvane / korvane antivirus
boost::filesystem::path Data();
boost::filesystem::path Logs();
boost::filesystem::path Options();
boost::filesystem::path Statistics();
// the user's roaming application data / korvane / korvane antivirus / Options
boost::filesystem::path UserOptions();
}
}
