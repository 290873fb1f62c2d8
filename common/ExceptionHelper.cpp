#include "common/ExceptionHelper.h"

#include "platform/LastError.h"

#include <boost/exception/diagnostic_information.hpp>

#include <utility>

namespace ExceptionHelper
{
Exception::Exception(std::string message) : message_(std::move(message))
{
}

const char* Exception::what() const noexcept
{
    return message_.c_str();
}

Windows::Windows(std::string message) : Windows(std::move(message), Platform::GetLastError())
{
}

Windows::Windows(std::string message, unsigned long code) : Exception(std::move(message))
{
    *this << ErrorCode(code);
}

std::string CurrentDiagnosticText()
{
    if (boost::current_exception_cast<const boost::exception>() == nullptr &&
        boost::current_exception_cast<const std::exception>() == nullptr)
        return "No diagnostic information available.";
    return boost::current_exception_diagnostic_information(true);
}
}
