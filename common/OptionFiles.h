#pragma once

#include <boost/filesystem/path.hpp>

#include <string>

// Where the other programs of the suite leave the files that describe the installation.
// Each lookup throws as PathHelper::Special::FolderPath does.
namespace KorvaneCommon
{
namespace OptionFiles
{
// Options / "Partner.xml": the partner's parameters.
boost::filesystem::path PartnerFile();
// Options / "tr.xml": the partner's tracking parameters.
boost::filesystem::path TrackingFile();
// Statistics / "installation": the encrypted installation identifier.
boost::filesystem::path InstallationFile();
// The user's Options / "FirstRun": its creation time is the install date.
boost::filesystem::path FirstRunFile();

// The whole content of a file, read in one piece (others may read and write it
// meanwhile); false when it cannot be opened or read (a folder, for one).
bool ReadContent(const boost::filesystem::path& path, std::string& content);
}
}
