#pragma once

#include "kernel_bridge/Kernel/IDirector.h"
#include "kernel_bridge/Kernel/IParameters.h"

// The kernel library's two exports, by their plain names.
namespace KorvaneUpdaterKernel
{
using CreateParametersFunction = boost::intrusive_ptr<IParameters>();
using CreateDirectorFunction = boost::intrusive_ptr<IDirector>(boost::intrusive_ptr<IParameters>);

constexpr const char* kCreateParametersExport = "CreateParameters";
constexpr const char* kCreateDirectorExport = "CreateDirector";
}
