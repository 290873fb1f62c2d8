#include "ui/SystemHelper.h"

#include "common/Computer.h"
#include "common/ExceptionHelper.h"
#include "common/Log.h"
#include "common/ProcessHelper.h"
#include "common/Special.h"
#include "platform/SpecialFolder.h"

namespace QtCommon
{
void SystemHelper::Execute(QString path)
{
    ProcessHelper::Process::ShellOpen(path.toStdWString(), nullptr);
}

void SystemHelper::Reboot()
{
    try
    {
        ::SystemHelper::Computer::Reboot();
    }
    catch (const boost::exception&)
    {
        // A refused restart leaves the program running; the page is not told.
        LOG_ERROR(L"" << ExceptionHelper::CurrentDiagnosticText());
    }
}

QString SystemHelper::GetDesktopPath()
{
    try
    {
        return QString::fromStdWString(
            PathHelper::Special::FolderPath(Platform::kCsidlDesktopDirectory).make_preferred().wstring());
    }
    catch (const boost::exception&)
    {
        return QString();
    }
}
}
