#include "platform/TerminationDelivery.h"

#include "platform/CrashSignals.h"

#include <mutex>
#include <thread>

namespace Platform
{
namespace
{
std::mutex handlerMutex;
TerminationHandler currentHandler = nullptr;
bool pending = false;
TerminationRequest pendingRequest = TerminationRequest::Terminate;
}

namespace Detail
{
void DeliverTerminationRequest(TerminationRequest request)
{
    TerminationHandler handler = nullptr;
    {
        std::lock_guard<std::mutex> lock(handlerMutex);
        handler = currentHandler;
        if (handler == nullptr)
        {
            pending = true;
            pendingRequest = request;
            return;
        }
    }
    handler(request);
}
}

TerminationHandler SetTerminationHandler(TerminationHandler handler)
{
    TerminationHandler previous = nullptr;
    bool deliver = false;
    TerminationRequest request = TerminationRequest::Terminate;
    {
        std::lock_guard<std::mutex> lock(handlerMutex);
        previous = currentHandler;
        currentHandler = handler;
        if (handler != nullptr && pending)
        {
            pending = false;
            deliver = true;
            request = pendingRequest;
        }
    }
    // A kept request goes to the new handler on a thread of its own, as a new one would.
    if (deliver)
        std::thread([handler, request] {
            PrepareThreadForCrashes();
            handler(request);
        }).detach();
    return previous;
}
}
