#pragma once

#include <boost/filesystem/path.hpp>

#include <cstddef>
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

// What each reader takes at most: a saved language id or an encrypted identifier is a
// few dozen bytes, a partner or tracking file a few hundred.
constexpr std::size_t kSmallFileLimit = 4 * 1024;
constexpr std::size_t kXmlFileLimit = 1024 * 1024;

enum class ReadResult
{
    Read,
    // Missing, not to be opened or read, or no regular file (a folder, a FIFO, a
    // device): not logged here.
    NotOpened,
    // Larger than the limit: logged here at error.
    TooLarge,
};

// The whole content of a regular file of at most `limit` bytes, read in one piece
// (others may read and write it meanwhile); never waits for a FIFO or a device. The
// content is only set when the result is Read.
ReadResult ReadContent(const boost::filesystem::path& path, std::size_t limit, std::string& content);
}
}
