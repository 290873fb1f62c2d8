#include "app/WindowLibraryLoader.h"
#include "app/ProgramArguments.h"
#include "app/ExitCode.h"
#include "app/SilentMode.h"
#include "app/Termination.h"
#include "common/ExceptionHelper.h"
#include "common/Log.h"
#include "common/LoggingInitialization.h"
#include "kernel_bridge/KernelHost.h"
#include "kernel_bridge/LanguageDetection.h"
#include "platform/TextConversion.h"

#include <exception>

int main(int argc, char** argv)
{
    using namespace KorvaneUpdater;

    // Before any thread starts: setting up paths may touch the environment.
    Platform::UseUtf8Paths();
    Termination::Watch();
    int result = ExitCode::Success;
    try
    {
        InitializeLogging();
        KorvaneCommon::UpdateLanguage();
        const std::string commandLine = CommandLineText(argc, argv);
        LOG_INFO(L"version=" << kProgramVersion << L". command_line=" << commandLine);
        result = HasSilentSwitch(argc, argv) ? RunSilentMode() : RunWindowLibrary(argc, argv);
    }
    catch (const boost::exception&)
    {
        LOG_ERROR(L"" << ExceptionHelper::CurrentDiagnosticText());
        result = ExitCode::InstallFailure;
    }
    catch (const std::exception& e)
    {
        LOG_ERROR(L"" << e.what());
        result = ExitCode::InstallFailure;
    }
    result = Termination::RecordExitCode(result);

    KernelHost::Destroy();
    Log::Instance::Destroy();
    return result;
}
