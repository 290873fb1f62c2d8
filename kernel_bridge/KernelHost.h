#pragma once

#include "kernel_bridge/DllHelper/Dll"
#include "kernel_bridge/Kernel/IDirector.h"

#include <boost/intrusive_ptr.hpp>
#include <boost/shared_ptr.hpp>

// The one process-wide owner of the kernel library and its director. Created on first
// use, destroyed explicitly at the end of main (or else at process exit), at most
// once; used again after that, it is created anew.
class KernelHost
{
public:
    static KernelHost& Instance();
    static void Destroy();

    // A new reference to the director; take it for one use and let it go.
    boost::intrusive_ptr<KorvaneUpdaterKernel::IDirector> GetDirector() const;

    KernelHost(const KernelHost&) = delete;
    KernelHost& operator=(const KernelHost&) = delete;

private:
    KernelHost();
    ~KernelHost();

    boost::shared_ptr<DllHelper::Detail::Dll<DllHelper::DllTag>> dll_;
    boost::intrusive_ptr<KorvaneUpdaterKernel::IDirector> director_;
};
