#pragma once

#include <memory>

namespace Log
{
class Logger;

// The process-wide holder of the one logger. Created empty on first use, with its
// destruction registered for process exit; destroyed at most once, and created anew
// (empty) when used after that.
class Instance
{
public:
    static std::shared_ptr<Logger> Get();
    static void Set(std::shared_ptr<Logger> logger);
    static void Destroy();
};
}
