#pragma once

#include <boost/exception/exception.hpp>
#include <boost/exception/info.hpp>
#include <boost/throw_exception.hpp>

#include <exception>
#include <string>

// The program's own error types. Throw them with BOOST_THROW_EXCEPTION so that they
// carry their throw place and can be rethrown from an exception pointer.
namespace ExceptionHelper
{
struct TagError
{
};
using ErrorCode = boost::error_info<TagError, unsigned long>;

class Exception : public virtual std::exception, public virtual boost::exception
{
public:
    explicit Exception(std::string message);
    const char* what() const noexcept override;

private:
    std::string message_;
};

// A failed system call: carries the Windows error code, read from the calling
// thread's last error unless given.
class Windows : public Exception
{
public:
    explicit Windows(std::string message);
    Windows(std::string message, unsigned long code);
};

// The verbose Boost.Exception diagnostic text of the exception being handled;
// "No diagnostic information available." for one of an unknown kind.
std::string CurrentDiagnosticText();
}
