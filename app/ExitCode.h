#pragma once

// Process exit codes, as deployment tools read them from an installer.
namespace KorvaneUpdater
{
namespace ExitCode
{
constexpr int Success = 0;
constexpr int UserExit = 1602;                 // the run was interrupted
constexpr int InstallFailure = 1603;           // failed, or nothing could be run
constexpr int AnotherInstallRunning = 1618;
constexpr int SuccessRebootRequired = 3010;
}
}
