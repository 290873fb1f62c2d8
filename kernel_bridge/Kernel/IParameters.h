#pragma once

#include "kernel_bridge/Kernel/IObject.h"

#include <memory>
#include <string>

namespace Log
{
class Logger;
}

namespace KorvaneUpdaterKernel
{
// What the program hands the kernel before the director is created.
class IParameters : public IObject
{
public:
    // The process logger; the kernel writes its own records through it (may be empty).
    virtual void SetLogger(std::shared_ptr<Log::Logger> logger) = 0;
    virtual std::shared_ptr<Log::Logger> GetLogger() const = 0;
    // The whole command line of the process, as the system gives it.
    virtual void SetCommandLine(const std::wstring& commandLine) = 0;

protected:
    ~IParameters() = default;
};
}
