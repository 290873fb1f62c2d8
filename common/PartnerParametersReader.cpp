#include "common/PartnerParametersReader.h"

#include "common/Log.h"
#include "common/OptionFiles.h"
#include "common/PathText.h"
#include "platform/TextConversion.h"

#include <boost/filesystem/operations.hpp>

#include <pugixml.hpp>

#include <exception>

namespace KorvaneWebInstallerKernel
{
namespace PartnerParametersReader
{
namespace
{
using KorvaneCommon::OptionFiles::kXmlFileLimit;
using KorvaneCommon::OptionFiles::ReadContent;
using KorvaneCommon::OptionFiles::ReadResult;

// A file whose status is "not found" or cannot be determined is missing; it is logged.
bool Exists(const boost::filesystem::path& path)
{
    boost::system::error_code error;
    const auto type = boost::filesystem::status(path, error).type();
    if (type == boost::filesystem::file_not_found || type == boost::filesystem::status_error)
    {
        LOG_ERROR(L"Partner config not found. Path=" << PathHelper::Text(path));
        return false;
    }
    return true;
}

// The library's defaults: entities, CDATA, line ends and attribute white space
// processed, the encoding detected from the content.
bool Load(pugi::xml_document& document, std::string_view content)
{
    return static_cast<bool>(document.load_buffer(content.data(), content.size()));
}

std::wstring Widen(const char* text)
{
    return Platform::Utf8ToWide(text);
}

void LogParameterFailure(const std::wstring& name, const std::exception& e)
{
    LOG_ERROR(L"failed to read partner parameter. parameter name=" << name << L". error=" << e.what());
}

void LogParamsFailure(const std::exception& e)
{
    LOG_ERROR(L"failed to read partner params. error=" << e.what());
}

void Collect(std::string_view content, std::map<std::wstring, std::wstring>& params)
{
    pugi::xml_document document;
    if (!Load(document, content))
        return;
    const pugi::xml_node root = document.document_element();
    if (std::string_view(root.name()) != "root")
        return;
    for (const pugi::xml_node child : root.children())
    {
        if (child.type() == pugi::node_element)
            params[Widen(child.attribute("name").value())] = Widen(child.attribute("data").value());
    }
}
}

std::wstring GetFromContent(std::string_view content, const std::wstring& name)
{
    try
    {
        pugi::xml_document document;
        if (!Load(document, content))
            return {};
        // The name goes into the query as it is; a name that breaks the query ends in
        // the library's exception below.
        const std::string query = "//value[@name='" + Platform::WideToUtf8(name) + "']";
        const pugi::xpath_node match = document.select_node(query.c_str());
        return Widen(match.node().attribute("data").value());
    }
    catch (const std::exception& e)
    {
        LogParameterFailure(name, e);
        return {};
    }
}

std::wstring Get(const std::wstring& name)
{
    try
    {
        const boost::filesystem::path path = KorvaneCommon::OptionFiles::PartnerFile();
        if (!Exists(path))
            return {};
        std::string content;
        if (ReadContent(path, kXmlFileLimit, content) != ReadResult::Read)
            return {};
        return GetFromContent(content, name);
    }
    catch (const std::exception& e)
    {
        LogParameterFailure(name, e);
        return {};
    }
}

std::map<std::wstring, std::wstring> GetInternalFromContent(std::string_view content)
{
    std::map<std::wstring, std::wstring> params;
    try
    {
        Collect(content, params);
    }
    catch (const std::exception& e)
    {
        LogParamsFailure(e);
    }
    return params;
}

std::map<std::wstring, std::wstring> GetInternal(const boost::filesystem::path& path)
{
    try
    {
        if (!Exists(path))
            return {};
        std::string content;
        if (ReadContent(path, kXmlFileLimit, content) != ReadResult::Read)
            return {};
        return GetInternalFromContent(content);
    }
    catch (const std::exception& e)
    {
        LogParamsFailure(e);
        return {};
    }
}
}
}
