#include "qt/KernelFixture.h"

#include "kernel_bridge/KernelHost.h"
#include "support/TextFile.h"

namespace Testing
{
void KernelFixture::Configure(const std::string& simulation)
{
    environment_.Set("KORVANE_SIM", simulation + ",journal=" + (home_.Path() / "journal.txt").string())
        .Set("HOME", home_.Path().string())
        .Unset("XDG_DATA_HOME")
        .Unset("XDG_CONFIG_HOME")
        .Set("PATH", std::string(KORVANE_FAKE_BIN) + ":/usr/bin:/bin")
        .Set("KORVANE_FAKE_OPEN_LOG", (home_.Path() / "opened.txt").string())
        .Set("KORVANE_FAKE_SYSTEMCTL_LOG", (home_.Path() / "systemctl.txt").string());
}

void KernelFixture::TearDown()
{
    KernelHost::Destroy();
}

std::vector<std::string> KernelFixture::Journal() const
{
    return ReadLines(home_.Path() / "journal.txt");
}

std::string KernelFixture::OpenedTargets() const
{
    return ReadFile(home_.Path() / "opened.txt");
}

std::string KernelFixture::SystemctlRequests() const
{
    return ReadFile(home_.Path() / "systemctl.txt");
}
}
