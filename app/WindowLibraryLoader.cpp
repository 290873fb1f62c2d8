#include "app/WindowLibraryLoader.h"

#include "app/WindowLibrary.h"
#include "common/Log.h"
#include "common/ProcessHelper.h"
#include "kernel_bridge/DllHelper/Dll"
#include "platform/LibraryNames.h"

#include <boost/make_shared.hpp>

namespace KorvaneUpdater
{
int RunWindowLibrary(int& argc, char** argv)
{
    using Library = DllHelper::Detail::Dll<DllHelper::DllTag>;
    const boost::filesystem::path path =
        ProcessHelper::Process::Path().parent_path() / Platform::kWindowLibraryName;
    LOG_DEBUG(L"load window library " << path.wstring());
    // Never unloaded: Qt and its web engine keep threads and exit handlers of their own
    // until the process ends.
    static const auto* library = new boost::shared_ptr<Library>(boost::make_shared<Library>(path));
    const DllHelper::Detail::DllFunction<RunWindowFunction> run(*library, kRunWindowExport);
    return run(&argc, argv);
}
}
