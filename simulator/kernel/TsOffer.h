#pragma once

#include "kernel_bridge/Kernel/ITsOffer.h"
#include "simulator/kernel/RefCounted.h"

#include <atomic>
#include <cstdint>

namespace KernelSimulator
{
// The partner offer: keeps the choices set on it, which all start off.
class TsOffer final : public RefCounted<KorvaneUpdaterKernel::ITsOffer>
{
public:
    TsOffer(std::shared_ptr<Journal> journal, std::int32_t partner);

    bool GetSkip() override;
    void SetSkip(bool skip) override;
    bool GetChangeHomepage() override;
    void SetChangeHomepage(bool change) override;
    bool GetChangeSearch() override;
    void SetChangeSearch(bool change) override;
    std::int32_t GetHomepageAndSearch() override;

private:
    bool Get(const char* name, const std::atomic<bool>& field);
    void Set(const char* name, std::atomic<bool>& field, bool value);

    const std::int32_t partner_;
    std::atomic<bool> skip_{false};
    std::atomic<bool> changeHomepage_{false};
    std::atomic<bool> changeSearch_{false};
};
}
