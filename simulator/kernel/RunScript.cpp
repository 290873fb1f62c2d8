#include "simulator/kernel/RunScript.h"

#include "kernel_bridge/Kernel/Scenario.h"

#include <algorithm>
#include <utility>

namespace KernelSimulator
{
namespace
{
using KorvaneUpdaterKernel::ComponentId;
namespace Scenario = KorvaneUpdaterKernel::Scenario;

constexpr int kPositionStep = 10;
constexpr int kFailPosition = 60;

const std::vector<ComponentId>& FullProduct()
{
    static const std::vector<ComponentId> components = {
        ComponentId::Korvane,         ComponentId::KorvaneAntivirus,    ComponentId::AntimalwareEngine,
        ComponentId::FirewallEngine,  ComponentId::KorvaneProxyEngine,  ComponentId::OnlineThreatsEngine,
        ComponentId::AntispamEngine,  ComponentId::WebFilteringEngine,  ComponentId::AvcEngine,
        ComponentId::KorvaneUpdater,  ComponentId::KorvaneCommandLineScanner, ComponentId::Tessa};
    return components;
}

std::vector<ComponentId> Reversed(std::vector<ComponentId> components)
{
    std::reverse(components.begin(), components.end());
    return components;
}

bool RunsService(ComponentId component)
{
    switch (component)
    {
    case ComponentId::Korvane:
    case ComponentId::AntimalwareEngine:
    case ComponentId::FirewallEngine:
    case ComponentId::KorvaneProxyEngine:
    case ComponentId::AvcEngine:
    case ComponentId::KorvaneUpdater:
        return true;
    default:
        return false;
    }
}

bool HasShortcuts(ComponentId component)
{
    return component == ComponentId::KorvaneAntivirus;
}

// The installer actions of one component by its position.
std::vector<std::pair<int, const wchar_t*>> Actions(ComponentId component, bool removal)
{
    const bool service = RunsService(component);
    if (removal)
    {
        std::vector<std::pair<int, const wchar_t*>> actions;
        if (service)
            actions.emplace_back(0, L"Stopping services");
        actions.emplace_back(service ? 20 : 0, L"Removing files");
        actions.emplace_back(50, L"Unregistering modules");
        actions.emplace_back(70, L"Removing system registry values");
        if (HasShortcuts(component))
            actions.emplace_back(90, L"Removing shortcuts");
        return actions;
    }
    std::vector<std::pair<int, const wchar_t*>> actions = {
        {0, L"Copying new files"}, {50, L"Registering modules"}, {70, L"Writing system registry values"}};
    if (HasShortcuts(component))
        actions.emplace_back(80, L"Creating shortcuts");
    actions.emplace_back(90, service ? L"Starting services" : L"Updating component registration");
    return actions;
}

Step Make(Step::Kind kind)
{
    Step step;
    step.kind = kind;
    return step;
}
}

std::vector<ComponentId> ScenarioComponents(std::int32_t scenario)
{
    switch (scenario)
    {
    case Scenario::Install:
    case Scenario::Repair:
    case Scenario::Corrupted:
        return FullProduct();
    case Scenario::Update:
        return {ComponentId::KorvaneUpdater,     ComponentId::Korvane,             ComponentId::KorvaneAntivirus,
                ComponentId::AntimalwareEngine,  ComponentId::FirewallEngine,      ComponentId::KorvaneProxyEngine,
                ComponentId::OnlineThreatsEngine, ComponentId::AntispamEngine,     ComponentId::WebFilteringEngine,
                ComponentId::AvcEngine};
    case Scenario::InstallRealTimeProtection:
        return {ComponentId::AntimalwareEngine};
    case Scenario::InstallNetworkProtection:
        return {ComponentId::FirewallEngine};
    case Scenario::InstallActiveVirusControl:
        return {ComponentId::AvcEngine};
    case Scenario::InstallFeatures:
        return {ComponentId::AntimalwareEngine, ComponentId::FirewallEngine, ComponentId::AvcEngine};
    case Scenario::Change:
        return {ComponentId::Korvane, ComponentId::FirewallEngine, ComponentId::WebFilteringEngine, ComponentId::AvcEngine};
    case Scenario::Uninstall:
        return Reversed(FullProduct());
    case Scenario::UninstallKV9:
        return {ComponentId::AntimalwareEngine, ComponentId::KorvaneAntivirus, ComponentId::Korvane};
    case Scenario::UninstallKV10:
        return {ComponentId::FirewallEngine, ComponentId::AntimalwareEngine, ComponentId::KorvaneAntivirus,
                ComponentId::Korvane};
    case Scenario::UninstallKV11:
        return {ComponentId::AvcEngine,         ComponentId::OnlineThreatsEngine, ComponentId::FirewallEngine,
                ComponentId::AntimalwareEngine, ComponentId::KorvaneAntivirus,    ComponentId::Korvane};
    default:
        return {};
    }
}

bool IsRemovalScenario(std::int32_t scenario)
{
    return scenario == Scenario::Uninstall || scenario == Scenario::UninstallKV9 ||
           scenario == Scenario::UninstallKV10 || scenario == Scenario::UninstallKV11;
}

RunScript BuildRunScript(std::int32_t scenario)
{
    const std::vector<ComponentId> components = ScenarioComponents(scenario);
    const bool removal = IsRemovalScenario(scenario);
    RunScript script;
    auto& steps = script.steps;

    if (removal)
    {
        steps.push_back(Make(Step::Kind::StoppingService));
        Step pause = Make(Step::Kind::Pause);
        pause.pauseUnits = kServiceStopPauseUnits;
        steps.push_back(pause);
        steps.push_back(Make(Step::Kind::ServiceStopped));
    }

    // A failing run stops inside the antimalware engine, or inside the middle component.
    const auto engine = std::find(components.begin(), components.end(), ComponentId::AntimalwareEngine);
    const std::size_t failing =
        engine != components.end() ? static_cast<std::size_t>(engine - components.begin()) : components.size() / 2;
    bool failAtSet = false;

    const double count = static_cast<double>(components.size());
    double lastOverall = -1;
    for (std::size_t index = 0; index < components.size(); ++index)
    {
        const ComponentId component = components[index];
        Step changed = Make(Step::Kind::Component);
        changed.component = static_cast<std::int32_t>(component);
        steps.push_back(changed);
        if (index == 0)
            steps.push_back(Make(Step::Kind::FloatingProgress));

        const auto actions = Actions(component, removal);
        for (int position = 0; position <= 100; position += kPositionStep)
        {
            if (index == failing && position == kFailPosition)
            {
                script.failAt = steps.size();
                failAtSet = true;
            }
            for (const auto& action : actions)
            {
                if (action.first == position)
                {
                    Step description = Make(Step::Kind::Description);
                    description.description = action.second;
                    steps.push_back(description);
                }
            }
            Step own = Make(Step::Kind::Position);
            own.position = position;
            steps.push_back(own);

            const double overall = (static_cast<double>(index) * 100 + position) / count;
            if (overall > lastOverall)
            {
                Step whole = Make(Step::Kind::ComponentsPosition);
                whole.position = overall;
                steps.push_back(whole);
                lastOverall = overall;
            }
            Step pause = Make(Step::Kind::Pause);
            pause.pauseUnits = 1;
            steps.push_back(pause);
        }
    }
    if (!failAtSet)
        script.failAt = steps.size();
    return script;
}

std::uint32_t PauseUnits(const RunScript& script)
{
    std::uint32_t units = 0;
    for (const Step& step : script.steps)
        units += step.pauseUnits;
    return units;
}
}
