// SysUtils: exceptions, text routines with 1-based positions, conversions, format settings,
// Format, FormatFloat, FormatDateTime, dates and times, files.
#pragma once

#include "System.h"

#include <exception>
#include <string>

// ---- Exceptions -------------------------------------------------------------------------------

// The root of the library's exceptions: a plain message.
class Exception : public TObject, public std::exception {
    DECLARE_CLASS(Exception, TObject)
public:
    explicit Exception(const String& Msg);
    const String& GetMessage() const { return Message; }
    const char* what() const noexcept override { return FWhat.c_str(); }

    String Message;

private:
    std::string FWhat;   // UTF-8 copy for what()
};

#define DECLARE_EXCEPTION(Name, Base)                                   \
    class Name : public Base {                                          \
        DECLARE_CLASS(Name, Base)                                       \
    public:                                                             \
        using Base::Base;                                               \
    };

DECLARE_EXCEPTION(EConvertError, Exception)
DECLARE_EXCEPTION(EListError, Exception)
DECLARE_EXCEPTION(EStringListError, EListError)
DECLARE_EXCEPTION(EInvalidCast, Exception)
DECLARE_EXCEPTION(EResNotFound, Exception)
DECLARE_EXCEPTION(EInOutError, Exception)
DECLARE_EXCEPTION(EAssertionFailed, Exception)
DECLARE_EXCEPTION(EInvalidOperation, Exception)
DECLARE_EXCEPTION(EInvalidGridOperation, Exception)
DECLARE_EXCEPTION(EStreamError, Exception)
DECLARE_EXCEPTION(EFileStreamError, EStreamError)
DECLARE_EXCEPTION(EFCreateError, EFileStreamError)
DECLARE_EXCEPTION(EFOpenError, EFileStreamError)
DECLARE_EXCEPTION(EReadError, EStreamError)
DECLARE_EXCEPTION(EWriteError, EStreamError)
DECLARE_EXCEPTION(EClassNotFound, EReadError)
DECLARE_EXCEPTION(EPropertyError, Exception)
DECLARE_EXCEPTION(EComponentError, Exception)
DECLARE_EXCEPTION(EOutOfResources, Exception)
DECLARE_EXCEPTION(EOSError, Exception)
DECLARE_EXCEPTION(EVariantError, Exception)
DECLARE_EXCEPTION(EOleError, Exception)
DECLARE_EXCEPTION(EOleSysError, EOleError)
DECLARE_EXCEPTION(EOleException, EOleSysError)
DECLARE_EXCEPTION(ERegistryException, Exception)
DECLARE_EXCEPTION(EIniFileException, Exception)
DECLARE_EXCEPTION(EPrinter, Exception)
DECLARE_EXCEPTION(EInvalidGraphic, Exception)
DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception)
DECLARE_EXCEPTION(EMathError, Exception)
DECLARE_EXCEPTION(EZeroDivide, EMathError)
DECLARE_EXCEPTION(EOverflow, EMathError)
DECLARE_EXCEPTION(ERangeError, Exception)
DECLARE_EXCEPTION(EAbort, Exception)

// Text of the UTF-16 string as UTF-8 (used for what() and for diagnostics).
std::string Utf16ToUtf8(const String& S);
String Utf8ToUtf16(const std::string& S);
