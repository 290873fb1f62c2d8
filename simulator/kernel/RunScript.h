#pragma once

#include "kernel_bridge/Kernel/ComponentId.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace KernelSimulator
{
// One step of a run between Started and its end.
struct Step
{
    enum class Kind
    {
        StoppingService,
        ServiceStopped,
        Component,          // ProgressComponentChanged(component)
        FloatingProgress,   // FloatingProgress(false): determinate progress from here on
        Description,        // ProgressDescriptionChanged(description)
        Position,           // ProgressPositionChanged(position), 0..100 within the component
        ComponentsPosition, // ComponentsProgressPositionChanged(position), 0..100 for the run
        Pause               // pauseUnits times step_ms
    };

    Kind kind;
    std::int32_t component = 0;
    double position = 0;
    std::wstring description;
    std::uint32_t pauseUnits = 0;
};

// What a run of a scenario raises, in order.
struct RunScript
{
    std::vector<Step> steps;
    // Where a failing run raises Error instead of going on: the index of the first
    // step left out (steps.size() when every step is done first).
    std::size_t failAt = 0;
};

// The components a scenario works on, in the order it works on them; empty for the
// scenarios that install nothing and for numbers outside the table.
std::vector<KorvaneUpdaterKernel::ComponentId> ScenarioComponents(std::int32_t scenario);

// Whether the scenario removes the product (its run stops the service first).
bool IsRemovalScenario(std::int32_t scenario);

RunScript BuildRunScript(std::int32_t scenario);

// The pause units of a whole run, the failing point left aside.
std::uint32_t PauseUnits(const RunScript& script);

// Pause units of the kernel's other waits.
constexpr std::uint32_t kDetectionPauseUnits = 4;
constexpr std::uint32_t kServiceStopPauseUnits = 8;
}
