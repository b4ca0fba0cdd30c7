// Clipbrd: the clipboard object over the platform clipboard.
#include "Clipbrd.h"

#include <cstring>

namespace {

TClipboard* GClipboard = nullptr;

// Closes the clipboard when a scope that opened it ends, also by an exception.
struct TOpenGuard {
    TClipboard* C;
    explicit TOpenGuard(TClipboard* AClipboard) : C(AClipboard) { C->Open(); }
    ~TOpenGuard() { C->Close(); }
    TOpenGuard(const TOpenGuard&) = delete;
    TOpenGuard& operator=(const TOpenGuard&) = delete;
};

}  // namespace

TClipboard::~TClipboard()
{
    if (FOpenRefCount > 0) {
        FOpenRefCount = 0;
        CloseClipboard();
    }
    if (FWindow) DestroyWindow(FWindow);
}

HWND TClipboard::GetHandle()
{
    if (!FWindow || !IsWindow(FWindow))
        FWindow = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    return FWindow;
}

void TClipboard::Open()
{
    if (FOpenRefCount == 0) {
        HWND Wnd = GetHandle();
        bool Opened = false;
        for (int Try = 0; Try < (OpenRetries > 0 ? OpenRetries : 1); ++Try) {
            if (OpenClipboard(Wnd)) {
                Opened = true;
                break;
            }
            Sleep(DWORD(RetryDelayMs > 0 ? RetryDelayMs : 0));
        }
        if (!Opened) throw EClipboardException(L"Cannot open clipboard");
        FEmptied = false;
    }
    ++FOpenRefCount;
}

void TClipboard::Close()
{
    if (FOpenRefCount == 0) return;
    if (--FOpenRefCount == 0) {
        CloseClipboard();
        FEmptied = false;
    }
}

void TClipboard::Adding()
{
    if (FOpenRefCount > 0 && !FEmptied) {
        EmptyClipboard();
        FEmptied = true;
    }
}

void TClipboard::Clear()
{
    TOpenGuard G(this);
    EmptyClipboard();
    FEmptied = true;
}

bool TClipboard::HasFormat(UINT Format) const
{
    return Format != 0 && IsClipboardFormatAvailable(Format);
}

std::vector<UINT> TClipboard::FormatList() const
{
    std::vector<UINT> List;
    TClipboard* Self = const_cast<TClipboard*>(this);
    TOpenGuard G(Self);
    for (UINT F = EnumClipboardFormats(0); F != 0; F = EnumClipboardFormats(F)) List.push_back(F);
    return List;
}

int TClipboard::GetFormatCount() const
{
    return CountClipboardFormats();
}

UINT TClipboard::GetFormats(int Index) const
{
    std::vector<UINT> List = FormatList();
    if (Index < 0 || size_t(Index) >= List.size())
        throw EListError(L"Clipboard format index out of bounds (" + std::to_wstring(Index) + L")");
    return List[size_t(Index)];
}

String TClipboard::GetAsText()
{
    TOpenGuard G(this);
    HANDLE Data = GetClipboardData(CF_UNICODETEXT);
    if (!Data) return String();
    TGlobalLock Lock(Data);
    auto* P = static_cast<const wchar_t*>(Lock.Data());
    if (!P) return String();
    // Never read past the block, even when the text lacks its terminating zero.
    size_t Max = Lock.Size() / sizeof(wchar_t);
    size_t Len = 0;
    while (Len < Max && P[Len] != 0) ++Len;
    return String(P, Len);
}

void TClipboard::SetBuffer(UINT Format, const void* Buffer, size_t Size)
{
    HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, Size ? Size : 1);
    // The clipboard owns the block once it is set; until then it is ours to free.
    auto Undo = ScopeFail([Mem] { GlobalFree(Mem); });
    {
        TGlobalLock Lock(Mem);
        if (!Lock) throw EClipboardException(Consts::SOutOfClipboardMemory);
        if (Size) std::memcpy(Lock.Data(), Buffer, Size);
        else static_cast<Byte*>(Lock.Data())[0] = 0;
    }
    SetAsHandle(Format, Mem);
}

std::vector<Byte> TClipboard::GetBuffer(UINT Format)
{
    std::vector<Byte> Result;
    TOpenGuard G(this);
    HANDLE Data = GetClipboardData(Format);
    if (!Data) return Result;
    TGlobalLock Lock(Data);
    const auto* P = static_cast<const Byte*>(Lock.Data());
    if (!P) return Result;
    Result.assign(P, P + Lock.Size());
    return Result;
}

void TClipboard::SetAsText(const String& Value)
{
    SetBuffer(CF_UNICODETEXT, Value.c_str(), (Value.size() + 1) * sizeof(wchar_t));
}

void TClipboard::SetTextBuf(const wchar_t* Buffer)
{
    SetAsText(Buffer ? String(Buffer) : String());
}

HANDLE TClipboard::GetAsHandle(UINT Format)
{
    TOpenGuard G(this);
    return GetClipboardData(Format);
}

void TClipboard::SetAsHandle(UINT Format, HANDLE Value)
{
    if (Format == 0) throw EClipboardException(L"Invalid clipboard format");
    TOpenGuard G(this);
    Adding();
    if (!SetClipboardData(Format, Value))
        throw EClipboardException(L"Cannot put data on the clipboard");
}

TClipboard* Clipboard()
{
    if (!GClipboard) GClipboard = new TClipboard();
    return GClipboard;
}

TClipboard* SetClipboard(TClipboard* NewClipboard)
{
    TClipboard* Old = GClipboard;
    GClipboard = NewClipboard;
    delete Old;
    return GClipboard;
}

UINT RegisterClipboardFormatName(const String& Name)
{
    if (Name.empty()) throw EClipboardException(L"A clipboard format needs a name");
    UINT F = RegisterClipboardFormatW(Name.c_str());
    if (!F) throw EClipboardException(L"Cannot register the clipboard format " + Name);
    return F;
}
