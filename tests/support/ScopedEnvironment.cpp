#include "support/ScopedEnvironment.h"

#include <cstdlib>

namespace Testing
{
namespace
{
void SetVariable(const std::string& name, const std::string& value)
{
#ifdef _WIN32
    // The run-time passes it on to the process's environment, where the system reads it.
    ::_putenv_s(name.c_str(), value.c_str());
#else
    ::setenv(name.c_str(), value.c_str(), 1);
#endif
}

void UnsetVariable(const std::string& name)
{
#ifdef _WIN32
    ::_putenv_s(name.c_str(), "");
#else
    ::unsetenv(name.c_str());
#endif
}
}

void ScopedEnvironment::Remember(const std::string& name)
{
    if (saved_.count(name) != 0)
        return;
    const char* value = std::getenv(name.c_str());
    saved_[name] = value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

ScopedEnvironment& ScopedEnvironment::Set(const std::string& name, const std::string& value)
{
    Remember(name);
    SetVariable(name, value);
    return *this;
}

ScopedEnvironment& ScopedEnvironment::Unset(const std::string& name)
{
    Remember(name);
    UnsetVariable(name);
    return *this;
}

ScopedEnvironment::~ScopedEnvironment()
{
    for (const auto& [name, value] : saved_)
    {
        if (value)
            SetVariable(name, *value);
        else
            UnsetVariable(name);
    }
}
}
