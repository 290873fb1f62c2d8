#pragma once

#include "simulator/kernel/Journal.h"

#include <atomic>
#include <cstdint>
#include <memory>

namespace KernelSimulator
{
// The contract version every kernel object reports.
constexpr std::uint32_t kContractVersion = 1;

// The IObject part of every kernel object: an atomic reference count (the object
// deletes itself at the last Release) and the journal its operations are written to.
template <class Interface>
class RefCounted : public Interface
{
public:
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    std::uint32_t GetContractVersion() const override
    {
        journal_->Call("GetContractVersion");
        return kContractVersion;
    }

    void AddRef() override { count_.fetch_add(1, std::memory_order_relaxed); }

    void Release() override
    {
        if (count_.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }

protected:
    explicit RefCounted(std::shared_ptr<Journal> journal) : journal_(std::move(journal)) {}
    virtual ~RefCounted() = default;

    const std::shared_ptr<Journal> journal_;

private:
    std::atomic<std::uint32_t> count_{0};
};
}
