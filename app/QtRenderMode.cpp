#include "app/QtRenderMode.h"

#include "common/Log.h"
#include "common/NumberParsing.h"
#include "platform/Environment.h"

#include <QCoreApplication>

#include <exception>

namespace KorvaneCommon
{
namespace QtRenderMode
{
void Configure()
{
    LOG_DEBUG(L"configure");
    try
    {
        std::wstring value;
        Platform::GetEnvironmentVariable(L"KORVANE_ANTIVIRUS_RENDER_MODE", value);
        LOG_DEBUG(L"render mode=" << value);
        const int mode = value.empty() ? 0 : StringToInt(value);
        switch (mode)
        {
        case 0:
            QCoreApplication::setAttribute(Qt::AA_UseOpenGLES, true);
            break;
        case 1:
            QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL, true);
            break;
        default:
            LOG_ERROR(L"unknown qt render mode=" << mode);
            break;
        }
    }
    catch (const std::exception& e)
    {
        LOG_ERROR(L"" << e.what());
    }
}
}
}
