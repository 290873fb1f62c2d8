#pragma once

#include <map>
#include <optional>
#include <string>

namespace Testing
{
// Sets or unsets environment variables for a scope and puts the old values back.
class ScopedEnvironment
{
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    ScopedEnvironment& Set(const std::string& name, const std::string& value);
    ScopedEnvironment& Unset(const std::string& name);

private:
    void Remember(const std::string& name);

    std::map<std::string, std::optional<std::string>> saved_;
};
}
