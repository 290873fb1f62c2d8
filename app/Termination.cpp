#include "app/Termination.h"

#include "app/ExitCode.h"
#include "common/Log.h"
#include "platform/TerminationRequests.h"

#include <chrono>
#include <mutex>
#include <thread>
#include <utility>

namespace KorvaneUpdater
{
namespace Termination
{
namespace
{
// How long the program may take to end once it was asked to: an interrupted kernel
// rolls back what it did, and a system that is shutting down does not wait much longer.
constexpr std::chrono::seconds kTimeToEnd{20};

std::mutex actionMutex;
std::function<void()> currentAction;

std::mutex exitCodeMutex;
bool exitCodeRecorded = false;
int recordedExitCode = ExitCode::Success;

void OnRequest(Platform::TerminationRequest request)
{
    LOG_INFO(L"termination requested. signal=" << Platform::TerminationRequestName(request));
    {
        std::lock_guard<std::mutex> lock(actionMutex);
        if (currentAction)
            currentAction();
    }
    std::this_thread::sleep_for(kTimeToEnd);
    LOG_ERROR(L"the program did not end in time after the termination request");
    Platform::ExitProcessNow(RecordExitCode(ExitCode::UserExit));
}
}

void Watch()
{
    Platform::WatchTerminationRequests();
}

void SetAction(std::function<void()> action)
{
    std::lock_guard<std::mutex> lock(actionMutex);
    currentAction = std::move(action);
    Platform::SetTerminationHandler(currentAction ? OnRequest : nullptr);
}

int RecordExitCode(int code)
{
    std::lock_guard<std::mutex> lock(exitCodeMutex);
    if (!exitCodeRecorded)
    {
        exitCodeRecorded = true;
        recordedExitCode = code;
        LOG_INFO(L"exit code=" << code);
    }
    return recordedExitCode;
}
}
}
