#pragma once

// Pieces of a log statement shared by the program and the kernel library: the record
// prefix and the writing of one record through a given logger.

#include "common/Logger.h"

#include <boost/log/keywords/severity.hpp>
#include <boost/log/sources/record_ostream.hpp>

#include <locale>
#include <string>

namespace Log
{
namespace Detail
{
// The qualified name of a function as a log record shows it, taken once from the
// compiler's signature text: "Ns::Class::Method", and for a lambda the enclosing
// function followed by "::<lambda>::operator ()".
class FunctionName
{
public:
    explicit FunctionName(const char* signature);
    const std::wstring& Text() const { return text_; }

private:
    std::wstring text_;
};

// Classic formatting that reads narrow texts in a message as UTF-8.
const std::locale& MessageLocale();

void WritePrefix(boost::log::wrecord_ostream& stream, const wchar_t* module, const FunctionName& function, int line);
}
}

#define KORVANE_LOG_WRITE(logger, level, function, message)                                     \
    do                                                                                          \
    {                                                                                           \
        ::boost::log::record korvaneRecord =                                                    \
            (logger).open_record(::boost::log::keywords::severity = (level));                   \
        if (korvaneRecord)                                                                      \
        {                                                                                       \
            ::boost::log::wrecord_ostream korvaneStream(korvaneRecord);                         \
            ::Log::Detail::WritePrefix(korvaneStream, KORVANE_LOG_MODULE, function, __LINE__);  \
            korvaneStream << message;                                                           \
            korvaneStream.flush();                                                              \
            (logger).push_record(std::move(korvaneRecord));                                     \
        }                                                                                       \
    } while (false)
