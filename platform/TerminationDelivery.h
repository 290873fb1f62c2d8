#pragma once

#include "platform/TerminationRequests.h"

// The side of the termination requests that each system's watcher calls: it hands the
// request to the handler, or keeps it for the first handler set.
namespace Platform
{
namespace Detail
{
void DeliverTerminationRequest(TerminationRequest request);
}
}
