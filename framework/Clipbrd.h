// Clipbrd: the clipboard object. Opening nests: the platform clipboard is opened by the first Open
// and closed by the matching last Close, and the first value set while it is open empties it, so
// that several formats can be placed together:
//
//     Clipboard()->Open();
//     Clipboard()->SetAsText(L"text");
//     Clipboard()->SetAsHandle(MyFormat, Data);
//     Clipboard()->Close();
#pragma once

#include "Classes.h"

#include <windows.h>

#include <vector>

DECLARE_EXCEPTION(EClipboardException, Exception)

class TClipboard : public TPersistent {
    DECLARE_CLASS(TClipboard, TPersistent)
public:
    TClipboard() = default;
    ~TClipboard() override;

    // Raises EClipboardException when the platform clipboard stays held by another window.
    void Open();
    // Closing more often than opening does nothing.
    void Close();
    bool IsOpen() const { return FOpenRefCount > 0; }
    void Clear();

    bool HasFormat(UINT Format) const;
    int GetFormatCount() const;
    UINT GetFormats(int Index) const;
    std::vector<UINT> FormatList() const;

    // Unicode text; "" when the clipboard holds no text.
    String GetAsText();
    void SetAsText(const String& Value);
    void SetTextBuf(const wchar_t* Buffer);

    // The data of a format as the clipboard holds it (owned by the clipboard: read it, do not free
    // it), or null. SetAsHandle hands the handle to the clipboard, which frees it; when it raises,
    // the handle stays the caller's.
    HANDLE GetAsHandle(UINT Format);
    void SetAsHandle(UINT Format, HANDLE Value);
    // Copies a block of bytes into a new global block under Format.
    void SetBuffer(UINT Format, const void* Buffer, size_t Size);
    // The bytes of a format held as a global block; empty when absent.
    std::vector<Byte> GetBuffer(UINT Format);

    // The window that opens the clipboard (a hidden window of the process).
    HWND GetHandle();

    // How often Open tries, Sleep(RetryDelayMs) apart, while another window holds the clipboard.
    int OpenRetries = 10;
    int RetryDelayMs = 10;

protected:
    // Before setting a value: empties the clipboard once per opening.
    void Adding();

private:
    HWND FWindow = nullptr;
    int FOpenRefCount = 0;
    bool FEmptied = false;
};

// The process's clipboard object, made on first use.
TClipboard* Clipboard();
// Replaces the process's clipboard object (the old one is freed); answers the new one.
TClipboard* SetClipboard(TClipboard* NewClipboard);

// Registers a clipboard format by name (the same number for the same name, system-wide).
UINT RegisterClipboardFormatName(const String& Name);
