#include "kernel_bridge/LanguageDetection.h"

#include "common/ExceptionHelper.h"
#include "common/LocalizationOptions.h"
#include "common/Log.h"
#include "kernel_bridge/KernelHost.h"

#include <boost/filesystem/operations.hpp>

#include <string>

namespace KorvaneCommon
{
void UpdateLanguage()
{
    LOG_DEBUG(L"update language");
    try
    {
        const boost::filesystem::path path = LocalizationOptions::LocaleFilePath();
        boost::system::error_code error;
        const auto status = boost::filesystem::status(path, error);
        if (status.type() != boost::filesystem::file_not_found && status.type() != boost::filesystem::status_error)
        {
            LOG_DEBUG(L"language changed by user. skip language detection");
            return;
        }
        const std::string language = KernelHost::Instance().GetDirector()->GetLanguage();
        LOG_DEBUG(L"language=" << language);
        for (const LanguageInfo& row : GetLanguages())
        {
            if (row.code == language)
            {
                LocalizationOptions::SaveLocale(static_cast<std::size_t>(row.id));
                return;
            }
        }
    }
    catch (const boost::exception&)
    {
        LOG_ERROR(L"" << ExceptionHelper::CurrentDiagnosticText());
    }
}
}
