#pragma once

#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Testing
{
// A simulated kernel configured for one test, with its journal, a log at trace
// level, the suite folders in a temporary home and the fake desktop programs first on
// PATH. The kernel host is taken down after the test.
class KernelFixture : public testing::Test
{
protected:
    void Configure(const std::string& simulation);
    void TearDown() override;

    std::vector<std::string> Journal() const;
    std::string LogText() const { return log_.Text(); }
    std::string OpenedTargets() const;
    std::string SystemctlRequests() const;

    TempFolder home_;
    ScopedEnvironment environment_;
    LogCapture log_;
};
}
