#pragma once

#include <boost/filesystem/path.hpp>

#include <map>
#include <string>
#include <string_view>

// Reads the partner file and files in the tracking format. Nothing here throws: every
// failure ends in an empty value (a missing file or one above 1 MiB is logged, a broken
// one or one that is no regular file is not).
namespace KorvaneWebInstallerKernel
{
namespace PartnerParametersReader
{
// The "data" of the first element "value" (anywhere in the partner file) whose "name"
// is the given name; empty when the file, the element or the attribute is missing.
std::wstring Get(const std::wstring& name);

// Every child of the document element "root" of a file in the tracking format, as
// name -> data; a later child of the same name wins. Empty on any failure.
std::map<std::wstring, std::wstring> GetInternal(const boost::filesystem::path& path);

// The two readers above applied to a document already in memory.
std::wstring GetFromContent(std::string_view content, const std::wstring& name);
std::map<std::wstring, std::wstring> GetInternalFromContent(std::string_view content);
}
}
