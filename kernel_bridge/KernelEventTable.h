#pragma once

// The kernel's seventeen events as the relay passes them on to the page, one row each:
//
//     EVENT(Name, Level, ValueLabel, Latest)
//
// stands for the kernel's connect operation Connect<Name>, the Qt signal <Name>Signal
// (with the same argument, wide and narrow texts turned into QString), and the line
// "emit <Name>Signal" that the GUI thread logs at Level before the page gets the
// signal; where ValueLabel is not null, the line goes on with it and the value. Where
// Latest is true, only the latest value counts: of the values waiting on the GUI thread
// the page gets the last one, before any other event that came after it. The names of
// each pair come from the one Name, so an event cannot be paired with another event's
// signal. Rows in the order of the kernel's connect operations.
#define KORVANE_KERNEL_EVENTS(EVENT)                                                                    \
    EVENT(NotEnoughDiskSpace, Debug, nullptr, false)                                                    \
    EVENT(AnotherInstallationInProgress, Debug, nullptr, false)                                         \
    EVENT(ScenarioDetected, Debug, nullptr, false)                                                      \
    EVENT(Interrupted, Debug, nullptr, false)                                                           \
    EVENT(Started, Debug, nullptr, false)                                                               \
    EVENT(StoppingService, Debug, nullptr, false)                                                       \
    EVENT(ServiceStopped, Debug, nullptr, false)                                                        \
    EVENT(ProgressComponentChanged, Debug, nullptr, false)                                              \
    EVENT(ProgressPositionChanged, Trace, nullptr, true)                                                \
    EVENT(FloatingProgress, Trace, nullptr, false)                                                      \
    EVENT(ProgressDescriptionChanged, Trace, nullptr, false)                                            \
    EVENT(Error, Debug, nullptr, false)                                                                 \
    EVENT(Complete, Debug, nullptr, false)                                                              \
    EVENT(EnablingWindowsDefender, Debug, nullptr, false)                                               \
    EVENT(EnablingWindowsFirewall, Debug, nullptr, false)                                               \
    EVENT(NoAppropriatePermissions, Debug, nullptr, false)                                              \
    EVENT(ComponentsProgressPositionChanged, Debug, L". progress=", true)
