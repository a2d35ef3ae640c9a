// The exceptions the engine raises, each with its fixed message.
#pragma once

#include <stdexcept>
#include <string>

namespace morva {

class EIdException : public std::runtime_error
{
public:
    explicit EIdException(const std::string& msg) : std::runtime_error(msg) {}
    virtual const char* ClassName() const noexcept { return "EIdException"; }
};

#define MORVA_ID_EXCEPTION(Name, Base, Text)                                                                           \
    class Name : public Base                                                                                           \
    {                                                                                                                  \
    public:                                                                                                            \
        Name() : Base(Text) {}                                                                                         \
        explicit Name(const std::string& msg) : Base(msg) {}                                                           \
        const char* ClassName() const noexcept override { return #Name; }                                              \
    };

// A socket failure: its text is "Socket Error # <number>\r\n<description>" with the Windows Sockets number.
class EIdSocketError : public EIdException
{
public:
    EIdSocketError(int code, const std::string& msg) : EIdException(msg), m_code(code) {}
    const char* ClassName() const noexcept override { return "EIdSocketError"; }
    int LastError() const noexcept { return m_code; }

private:
    int m_code;
};

MORVA_ID_EXCEPTION(EIdConnectException, EIdException, "")
MORVA_ID_EXCEPTION(EIdConnectTimeout, EIdException, "Connect timed out.")
MORVA_ID_EXCEPTION(EIdAlreadyConnected, EIdException, "Already connected.")
MORVA_ID_EXCEPTION(EIdNotConnected, EIdException, "Not Connected")
MORVA_ID_EXCEPTION(EIdConnClosedGracefully, EIdException, "Connection Closed Gracefully.")
MORVA_ID_EXCEPTION(EIdReadLnMaxLineLengthExceeded, EIdException, "Max line length exceeded.")
MORVA_ID_EXCEPTION(EIdReadTimeout, EIdException, "Read Timeout")
MORVA_ID_EXCEPTION(EComponentError, EIdException, "")

#undef MORVA_ID_EXCEPTION

} // namespace morva
