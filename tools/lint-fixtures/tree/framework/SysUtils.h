// The home of ASCII case folding: the fold written here is not reported.
#pragma once
constexpr wchar_t UpCase(wchar_t C) { return C >= L'a' && C <= L'z' ? wchar_t(C - L'a' + L'A') : C; }
