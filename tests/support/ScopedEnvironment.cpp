#include "support/ScopedEnvironment.h"

#include <cstdlib>

namespace Testing
{
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
    ::setenv(name.c_str(), value.c_str(), 1);
    return *this;
}

ScopedEnvironment& ScopedEnvironment::Unset(const std::string& name)
{
    Remember(name);
    ::unsetenv(name.c_str());
    return *this;
}

ScopedEnvironment::~ScopedEnvironment()
{
    for (const auto& [name, value] : saved_)
    {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
}
}
