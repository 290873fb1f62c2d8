#pragma once

// The log statement:
//
//     LOG_INFO(L"scenario detected. scenario=" << name);
//
// writes "[KorvaneUpdater][<qualified function>][<line>]: <message>" at that level
// through the process logger. The message is only evaluated when the level passes the
// filter and a logger exists; the statement never throws.

#include "common/LogInstance.h"
#include "common/LogRecord.h"
#include "common/Logger.h"

#ifndef KORVANE_LOG_MODULE
#define KORVANE_LOG_MODULE L"KorvaneUpdater"
#endif

#define KORVANE_LOG(level, message)                                                                      \
    do                                                                                                   \
    {                                                                                                    \
        if (static_cast<int>(level) >= ::Log::Detail::filterLevel.load(std::memory_order_relaxed))       \
        {                                                                                                \
            try                                                                                          \
            {                                                                                            \
                if (const auto korvaneLogger = ::Log::Instance::Get())                                   \
                {                                                                                        \
                    static const ::Log::Detail::FunctionName korvaneFunction(__PRETTY_FUNCTION__);       \
                    KORVANE_LOG_WRITE(*korvaneLogger, level, korvaneFunction, message);                  \
                }                                                                                        \
            }                                                                                            \
            catch (...)                                                                                  \
            {                                                                                            \
            }                                                                                            \
        }                                                                                                \
    } while (false)

#define LOG_TRACE(message) KORVANE_LOG(::Log::Level::Trace, message)
#define LOG_DEBUG(message) KORVANE_LOG(::Log::Level::Debug, message)
#define LOG_INFO(message) KORVANE_LOG(::Log::Level::Info, message)
#define LOG_WARNING(message) KORVANE_LOG(::Log::Level::Warning, message)
#define LOG_ERROR(message) KORVANE_LOG(::Log::Level::Error, message)
#define LOG_FATAL(message) KORVANE_LOG(::Log::Level::Fatal, message)
