#pragma once

#include <boost/intrusive_ptr.hpp>

#include <cstdint>

namespace KorvaneUpdaterKernel
{
// The three operations every kernel interface begins with. Kernel objects count their
// own references and are held in boost::intrusive_ptr.
class IObject
{
public:
    // The contract version the object implements; the program does not ask.
    virtual std::uint32_t GetContractVersion() const = 0;
    virtual void AddRef() = 0;
    virtual void Release() = 0;

protected:
    ~IObject() = default;
};

inline void intrusive_ptr_add_ref(IObject* object)
{
    object->AddRef();
}

inline void intrusive_ptr_release(IObject* object)
{
    object->Release();
}
}
