#pragma once

// The kernel's log statement:
//
//     KERNEL_LOG(logger_, Log::Level::Info, L"scenario detected=" << scenario);
//
// writes "[KorvaneUpdaterKernel][<qualified function>][<line>]: <message>" through the
// logger the program handed over with IParameters::SetLogger. Nothing is written when
// that logger is empty, and the statement never throws.

#define KORVANE_LOG_MODULE L"KorvaneUpdaterKernel"

#include "common/LogRecord.h"

#include <memory>

#define KERNEL_LOG(logger, level, message)                                                          \
    do                                                                                              \
    {                                                                                               \
        try                                                                                         \
        {                                                                                           \
            if (const std::shared_ptr<::Log::Logger> kernelLogger = (logger))                       \
            {                                                                                       \
                static const ::Log::Detail::FunctionName kernelFunction(__PRETTY_FUNCTION__);       \
                KORVANE_LOG_WRITE(*kernelLogger, level, kernelFunction, message);                   \
            }                                                                                       \
        }                                                                                           \
        catch (...)                                                                                 \
        {                                                                                           \
        }                                                                                           \
    } while (false)
