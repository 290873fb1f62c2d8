#pragma once

// The kernel's seventeen events as the relay passes them on to the page, one row each:
//
//     EVENT(Name, Level, ValueLabel)
//
// stands for the kernel's connect operation Connect<Name>, the Qt signal <Name>Signal
// (with the same argument, wide and narrow texts turned into QString), and the line
// "emit <Name>Signal" that the GUI thread logs at Level before the page gets the
// signal; where ValueLabel is not null, the line goes on with it and the value. The
// names of each pair come from the one Name, so an event cannot be paired with another
// event's signal. Rows in the order of the kernel's connect operations.
#define KORVANE_KERNEL_EVENTS(EVENT)                                                                    \
    EVENT(NotEnoughDiskSpace, Debug, nullptr)                                                            \
    EVENT(AnotherInstallationInProgress, Debug, nullptr)                                                 \
    EVENT(ScenarioDetected, Debug, nullptr)                                                              \
    EVENT(Interrupted, Debug, nullptr)                                                                   \
    EVENT(Started, Debug, nullptr)                                                                       \
    EVENT(StoppingService, Debug, nullptr)                                                               \
    EVENT(ServiceStopped, Debug, nullptr)                                                                \
    EVENT(ProgressComponentChanged, Debug, nullptr)                                                      \
    EVENT(ProgressPositionChanged, Trace, nullptr)                                                       \
    EVENT(FloatingProgress, Trace, nullptr)                                                              \
    EVENT(ProgressDescriptionChanged, Trace, nullptr)                                                    \
    EVENT(Error, Debug, nullptr)                                                                         \
    EVENT(Complete, Debug, nullptr)                                                                      \
    EVENT(EnablingWindowsDefender, Debug, nullptr)                                                       \
    EVENT(EnablingWindowsFirewall, Debug, nullptr)                                                       \
    EVENT(NoAppropriatePermissions, Debug, nullptr)                                                      \
    EVENT(ComponentsProgressPositionChanged, Debug, L". progress=")
