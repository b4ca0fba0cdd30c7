#include "SysUtils.h"          // same folder: fine
#include "graphics/Pic.h"      // finding: layer
#include "../grid/Cells.h"     // not in the tree: not resolved, not reported
#include <windows.h>

wchar_t Fold1(wchar_t c) { return c >= L'a' && c <= L'z' ? wchar_t(c - 32) : c; }   // finding: case
wchar_t Fold2(wchar_t c) { return wchar_t(c - L'a' + L'A'); }                        // finding: case
wchar_t Fold3(wchar_t c) { return wchar_t(std::towupper(c)); }                       // finding: case
bool Same(const wchar_t* a, const wchar_t* b) { return _wcsicmp(a, b) == 0; }       // finding: case
wchar_t Fold4(wchar_t c) { return Char(c | 0x20); }                                  // finding: case
int Hex(wchar_t c) { return c >= L'a' && c <= L'f' ? c - L'a' + 10 : -1; }           // fine: a digit
bool Ancillary(const unsigned char* Type) { return (Type[0] & 0x20) != 0; }         // fine: a bit
// fine in a comment: c - 'a' + 'A', towupper(c), "List index out of bounds (%d)"
const char* Text = "towupper(c) and c - 'a' + 'A'";                                  // fine: text
int Sep = 1'000'000;                                                                 // fine: digits

void Messages(int i, const String& S)
{
    throw EListError(L"List index out of bounds (%d)", i);                      // finding: message
    throw EListError(L"List index out of bounds (" + IntToStr(i) + L")");      // finding: message
    throw EConvertError(QuotedStr(S) + L" is not a valid integer value");      // finding: message
    throw EReadError(L"Stream read error");                                    // finding: message
    throw EReadError(L"The cell is locked");                                   // finding: message
    throw EReadError(L"Stream read");                                          // fine: shorter
    Show(L"Error");                                                             // fine: one word
    Show(LR"(List index out of bounds (%d))");                                 // fine: raw text
}

void Guards()
{
    try {
        Work();
    } catch (...) {   // finding: rethrow
        FBusy = false;
        throw;
    }
    try { Work(); } catch (...) { Undo(); if (x) { y = 1; } throw; }   // finding: rethrow
    try {
        Work();
    } catch (...) {   // fine: it handles
        if (Application) Application->HandleException(this);
        else throw;
    }
    try {
        Work();
    } catch (...) {   // fine: it logs
        LogError(L"x");
        throw;
    }
    try {
        Work();
    } catch (...) {   // fine: it may swallow
        if (Recoverable()) return;
        throw;
    }
    try {
        Work();
    } catch (...) {   // fine: it converts
        throw EConvertError(L"x");
    }
    try {
        Work();
    } catch (const Exception&) {   // fine: not catch (...)
        Undo();
        throw;
    }
    try {
        Work();
    } catch (...) {   // finding: rethrow
        Put('}');
        throw;
    }
}
