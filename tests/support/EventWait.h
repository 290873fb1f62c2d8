#pragma once

#include <functional>

namespace Testing
{
// Runs the Qt event loop until the condition holds or the time is up; returns the
// condition's last value.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 10000);
}
