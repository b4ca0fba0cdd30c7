#include "SysUtils.h"

#include <windows.h>

Exception::Exception(const String& Msg) : Message(Msg), FWhat(Utf16ToUtf8(Msg)) {}

std::string Utf16ToUtf8(const String& S)
{
    if (S.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, S.data(), int(S.size()), nullptr, 0, nullptr, nullptr);
    std::string r(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, S.data(), int(S.size()), r.data(), n, nullptr, nullptr);
    return r;
}

String Utf8ToUtf16(const std::string& S)
{
    if (S.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, S.data(), int(S.size()), nullptr, 0);
    String r(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, S.data(), int(S.size()), r.data(), n);
    return r;
}
