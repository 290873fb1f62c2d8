#pragma once

#include "kernel_bridge/Kernel/IObject.h"

#include <boost/function.hpp>
#include <boost/signals2/connection.hpp>
#include <boost/signals2/slot.hpp>

#include <cstdint>
#include <string>

namespace KorvaneUpdaterKernel
{
template <class Signature>
using Slot = boost::signals2::slot<Signature, boost::function<Signature>>;

using NotifySlot = Slot<void()>;
using ScenarioSlot = Slot<void(std::int32_t)>;
using ComponentSlot = Slot<void(std::int32_t)>;
using PositionSlot = Slot<void(double)>;
using FlagSlot = Slot<void(bool)>;
using DescriptionSlot = Slot<void(const std::wstring&)>;
using ErrorSlot = Slot<void(const std::string&)>; // UTF-8 text

// The kernel's seventeen events. Each may be raised on any thread.
class IDirectorSignals : public IObject
{
public:
    virtual boost::signals2::connection ConnectNotEnoughDiskSpace(const NotifySlot& slot) = 0;
    virtual boost::signals2::connection ConnectAnotherInstallationInProgress(const NotifySlot& slot) = 0;
    virtual boost::signals2::connection ConnectScenarioDetected(const ScenarioSlot& slot) = 0;
    virtual boost::signals2::connection ConnectInterrupted(const NotifySlot& slot) = 0;
    virtual boost::signals2::connection ConnectStarted(const NotifySlot& slot) = 0;
    virtual boost::signals2::connection ConnectStoppingService(const NotifySlot& slot) = 0;
    virtual boost::signals2::connection ConnectServiceStopped(const NotifySlot& slot) = 0;
    virtual boost::signals2::connection ConnectProgressComponentChanged(const ComponentSlot& slot) = 0;
    virtual boost::signals2::connection ConnectProgressPositionChanged(const PositionSlot& slot) = 0;
    virtual boost::signals2::connection ConnectFloatingProgress(const FlagSlot& slot) = 0;
    virtual boost::signals2::connection ConnectProgressDescriptionChanged(const DescriptionSlot& slot) = 0;
    virtual boost::signals2::connection ConnectError(const ErrorSlot& slot) = 0;
    virtual boost::signals2::connection ConnectComplete(const NotifySlot& slot) = 0;
    virtual boost::signals2::connection ConnectEnablingWindowsDefender(const FlagSlot& slot) = 0;
    virtual boost::signals2::connection ConnectEnablingWindowsFirewall(const FlagSlot& slot) = 0;
    virtual boost::signals2::connection ConnectNoAppropriatePermissions(const NotifySlot& slot) = 0;
    virtual boost::signals2::connection ConnectComponentsProgressPositionChanged(const PositionSlot& slot) = 0;

protected:
    ~IDirectorSignals() = default;
};
}
