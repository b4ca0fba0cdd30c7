// ComCtrls: the rich edit over the platform's rich edit window.
#include "ComCtrls.h"

#include <richedit.h>

namespace {

struct TStreamCookie {
    TStream* Stream;
    bool Failed = false;
};

DWORD CALLBACK ReadCallback(DWORD_PTR Cookie, LPBYTE Buffer, LONG Count, LONG* Done)
{
    auto* C = reinterpret_cast<TStreamCookie*>(Cookie);
    try {
        *Done = C->Stream->Read(Buffer, Count);
        return 0;
    } catch (...) {
        C->Failed = true;
        *Done = 0;
        return 1;
    }
}

DWORD CALLBACK WriteCallback(DWORD_PTR Cookie, LPBYTE Buffer, LONG Count, LONG* Done)
{
    auto* C = reinterpret_cast<TStreamCookie*>(Cookie);
    try {
        *Done = C->Stream->Write(Buffer, Count);
        return 0;
    } catch (...) {
        C->Failed = true;
        *Done = 0;
        return 1;
    }
}

}  // namespace

// ---- TRichEditStrings --------------------------------------------------------------------------

TRichEditStrings::TRichEditStrings(TCustomRichEdit* AEdit) : TMemoStrings(AEdit), FEdit(AEdit) {}

void TRichEditStrings::LoadFromStream(TStream* Stream, TEncoding* AEncoding)
{
    if (FEdit->FPlainText || !FEdit->EnsureHandle()) {
        TMemoStrings::LoadFromStream(Stream, AEncoding);
        return;
    }
    // Nothing is lost when the stream fails half-way: the text is replaced only on success.
    TFreePtr<TMemoryStream> Copy(Create<TMemoryStream>());
    Int64 Rest = Stream->GetSize() - Stream->GetPosition();
    if (Rest > 0) Copy->CopyFrom(Stream, Rest);
    Copy->SetPosition(0);
    TStreamCookie Cookie{Copy.get()};
    EDITSTREAM ES{reinterpret_cast<DWORD_PTR>(&Cookie), 0, ReadCallback};
    SendMessageW(FEdit->GetHandle(), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&ES));
    if (Cookie.Failed || ES.dwError) throw EReadError(L"Cannot read the rich text");
}

void TRichEditStrings::SaveToStream(TStream* Stream, TEncoding* AEncoding) const
{
    if (FEdit->FPlainText || !FEdit->EnsureHandle()) {
        TMemoStrings::SaveToStream(Stream, AEncoding);
        return;
    }
    TStreamCookie Cookie{Stream};
    EDITSTREAM ES{reinterpret_cast<DWORD_PTR>(&Cookie), 0, WriteCallback};
    SendMessageW(FEdit->GetHandle(), EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&ES));
    if (Cookie.Failed || ES.dwError) throw EWriteError(L"Cannot write the rich text");
}

// ---- TCustomRichEdit ---------------------------------------------------------------------------

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner) : TCustomMemo(AOwner)
{
    FLines = std::make_unique<TRichEditStrings>(this);
}

void TCustomRichEdit::CreateParams(TCreateParams& Params)
{
    static HMODULE Lib = LoadLibraryW(L"riched20.dll");
    (void)Lib;
    inherited::CreateParams(Params);
    CreateSubClass(Params, RICHEDIT_CLASSW);
}

void TCustomRichEdit::CreateWnd()
{
    inherited::CreateWnd();
    SendMessageW(FHandle, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE | ENM_REQUESTRESIZE);
}

void TCustomRichEdit::Clear()
{
    TControl::SetText(String());
}

void TCustomRichEdit::SetSelOffset(int Points)
{
    if (!EnsureHandle()) return;
    CHARFORMAT2W F{};
    F.cbSize = sizeof F;
    F.dwMask = CFM_OFFSET;
    F.yOffset = Points * 20;   // twips
    SendMessageW(FHandle, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&F));
}

int TCustomRichEdit::GetSelOffset()
{
    if (!EnsureHandle()) return 0;
    CHARFORMAT2W F{};
    F.cbSize = sizeof F;
    F.dwMask = CFM_OFFSET;
    SendMessageW(FHandle, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&F));
    return F.yOffset / 20;
}

TFontStyles TCustomRichEdit::GetSelStyle()
{
    TFontStyles S;
    if (!EnsureHandle()) return S;
    CHARFORMAT2W F{};
    F.cbSize = sizeof F;
    F.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    SendMessageW(FHandle, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&F));
    if (F.dwEffects & CFE_BOLD) S << fsBold;
    if (F.dwEffects & CFE_ITALIC) S << fsItalic;
    if (F.dwEffects & CFE_UNDERLINE) S << fsUnderline;
    if (F.dwEffects & CFE_STRIKEOUT) S << fsStrikeOut;
    return S;
}

void TCustomRichEdit::SetSelStyle(TFontStyles Value)
{
    if (!EnsureHandle()) return;
    CHARFORMAT2W F{};
    F.cbSize = sizeof F;
    F.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    F.dwEffects = (Value.Contains(fsBold) ? CFE_BOLD : 0) | (Value.Contains(fsItalic) ? CFE_ITALIC : 0) |
                  (Value.Contains(fsUnderline) ? CFE_UNDERLINE : 0) | (Value.Contains(fsStrikeOut) ? CFE_STRIKEOUT : 0);
    SendMessageW(FHandle, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&F));
}

void TCustomRichEdit::CNNotify(TMessage& Message)
{
    auto* Hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (Hdr->code) {
    case EN_SELCHANGE:
        if (OnSelectionChange) OnSelectionChange(this);
        return;
    case EN_REQUESTRESIZE: {
        auto* R = reinterpret_cast<REQRESIZE*>(Message.LParam);
        if (OnResizeRequest) OnResizeRequest(this, TRect{R->rc.left, R->rc.top, R->rc.right, R->rc.bottom});
        return;
    }
    default: break;
    }
    inherited::Dispatch(Message);
}

void TCustomRichEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); break;
    default: inherited::Dispatch(Message);
    }
}
