#pragma once

#include "kernel_bridge/Kernel/IObject.h"

#include <cstdint>

namespace KorvaneUpdaterKernel
{
// The partner offer shown before an install.
class ITsOffer : public IObject
{
public:
    virtual bool GetSkip() = 0;
    virtual void SetSkip(bool skip) = 0;
    virtual bool GetChangeHomepage() = 0;
    virtual void SetChangeHomepage(bool change) = 0;
    virtual bool GetChangeSearch() = 0;
    virtual void SetChangeSearch(bool change) = 0;
    // The partner whose homepage and search the offer would set.
    virtual std::int32_t GetHomepageAndSearch() = 0;

protected:
    ~ITsOffer() = default;
};
}
