// The simulated kernel for the relay benchmark: the simulator's own director, except
// that Start makes its event object raise ProgressPositionChanged from a kernel thread
// of this library, as fast as possible or at a fixed rate, instead of running the
// scenario. KORVANE_BENCH_FLOOD=count[,perSecond] (default 100000, 0: no pause);
// Interrupt ends a flood early. The values raised are 0, 1, 2, ... so that the page
// can check the order. Everything else is forwarded to the simulator's director.

#include "kernel_bridge/Kernel/Exports.h"
#include "simulator/kernel/Director.h"
#include "simulator/kernel/DirectorSignals.h"
#include "simulator/kernel/Parameters.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#define KORVANE_KERNEL_EXPORT __attribute__((visibility("default")))

namespace
{
using namespace KorvaneUpdaterKernel;

struct Flood
{
    long long count = 100000;
    long long perSecond = 0;
};

Flood ReadFlood()
{
    Flood flood;
    if (const char* text = std::getenv("KORVANE_BENCH_FLOOD"))
    {
        char* end = nullptr;
        flood.count = std::strtoll(text, &end, 10);
        if (end != nullptr && *end == ',')
            flood.perSecond = std::strtoll(end + 1, nullptr, 10);
    }
    return flood;
}

class FloodDirector final : public IDirector
{
public:
    explicit FloodDirector(boost::intrusive_ptr<IDirector> inner)
        : inner_(std::move(inner)),
          // The simulator's director hands out its one event object.
          signals_(static_cast<KorvaneKernel::DirectorSignals*>(inner_->GetSignals().get()))
    {
    }

    ~FloodDirector() { StopFlood(); }

    std::uint32_t GetContractVersion() const override { return inner_->GetContractVersion(); }
    void AddRef() override { count_.fetch_add(1, std::memory_order_relaxed); }
    void Release() override
    {
        if (count_.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }

    boost::intrusive_ptr<IDirectorSignals> GetSignals() override { return signals_; }
    boost::intrusive_ptr<IInstallOptions> GetOptions() override { return inner_->GetOptions(); }
    void Init() override { inner_->Init(); }
    void WaitForInit() override { inner_->WaitForInit(); }
    void SetScenario(std::int32_t scenario) override { inner_->SetScenario(scenario); }
    std::int32_t GetScenario() override { return inner_->GetScenario(); }
    bool IncompatiblesDetected() override { return inner_->IncompatiblesDetected(); }
    bool RebootRequired() override { return inner_->RebootRequired(); }
    void WaitForCompletion() override
    {
        if (thread_.joinable())
            thread_.join();
    }
    std::string GetLanguage() override { return inner_->GetLanguage(); }
    bool IsWindowsDefenderEnabled() override { return inner_->IsWindowsDefenderEnabled(); }
    bool IsWindowsDefenderInstalled() override { return inner_->IsWindowsDefenderInstalled(); }
    bool IsWindowsFirewallEnabled() override { return inner_->IsWindowsFirewallEnabled(); }
    boost::intrusive_ptr<ITsOffer> GetTsOffer() override { return inner_->GetTsOffer(); }
    void SetWindow(std::uint64_t window) override { inner_->SetWindow(window); }

    void Start() override
    {
        StopFlood();
        stop_ = false;
        const Flood flood = ReadFlood();
        thread_ = std::thread([this, flood] {
            const auto start = std::chrono::steady_clock::now();
            for (long long i = 0; i < flood.count && !stop_.load(std::memory_order_relaxed); ++i)
            {
                if (flood.perSecond > 0)
                    std::this_thread::sleep_until(start + std::chrono::microseconds(1000000LL * i / flood.perSecond));
                signals_->RaiseProgressPositionChanged(static_cast<double>(i));
            }
        });
    }

    void Interrupt() override { stop_ = true; }

private:
    void StopFlood()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }

    const boost::intrusive_ptr<IDirector> inner_;
    const boost::intrusive_ptr<KorvaneKernel::DirectorSignals> signals_;
    std::atomic<std::uint32_t> count_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
}

extern "C" KORVANE_KERNEL_EXPORT boost::intrusive_ptr<IParameters> CreateParameters()
{
    try
    {
        return KorvaneKernel::CreateParameters();
    }
    catch (...)
    {
        return nullptr;
    }
}

extern "C" KORVANE_KERNEL_EXPORT boost::intrusive_ptr<IDirector> CreateDirector(
    boost::intrusive_ptr<IParameters> parameters)
{
    try
    {
        boost::intrusive_ptr<IDirector> inner = KorvaneKernel::CreateDirector(std::move(parameters));
        if (!inner)
            return nullptr;
        return boost::intrusive_ptr<IDirector>(new FloodDirector(std::move(inner)));
    }
    catch (...)
    {
        return nullptr;
    }
}
