// LineEdit: the one-line edit window class (see LineEdit.h).
#include "LineEdit.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const wchar_t* const LineEditClass = L"LineEdit";
const wchar_t* const StateProp = L"LineEditState";
constexpr UINT InitialLimit = 30000;
constexpr int ScrollFraction = 3;   // the caret scrolled out of view comes back a third in

bool Held(int Key)
{
    return (GetKeyState(Key) & 0x8000) != 0;
}

bool IsSpace(wchar_t C)
{
    return C == L' ' || C == L'\t' || C == 0x3000 || C == 0xA0 || (C >= 0x2000 && C <= 0x200A);
}

// Characters that the platform lays out right to left, and the direction controls: a line with
// one of them is drawn with the platform's ordering pass.
bool NeedsOrdering(const std::wstring& T)
{
    for (wchar_t C : T)
        if ((C >= 0x0590 && C <= 0x08FF) || (C >= 0xFB1D && C <= 0xFDFF) ||
            (C >= 0xFE70 && C <= 0xFEFF) || (C >= 0x200E && C <= 0x200F) ||
            (C >= 0x202A && C <= 0x202E) || (C >= 0x2066 && C <= 0x2069))
            return true;
    return false;
}

struct TLine {
    HWND Wnd = nullptr;
    HWND Receiver = nullptr;   // the parent at creation: the notifications' receiver
    DWORD Style = 0;           // the window's styles as this window reads them
    bool Enabled = true;
    bool Focused = false;
    bool Modified = false;
    bool UpdatePending = false;
    bool Capturing = false;
    std::wstring Text;
    UINT Limit = InitialLimit;
    UINT SelStart = 0, SelEnd = 0;   // SelEnd is the caret; the two are not ordered
    wchar_t PasswordChar = 0;
    HFONT Font = nullptr;
    int LineHeight = 0, CharWidth = 0;
    int LeftMargin = 0, RightMargin = 0;
    RECT Format{};
    // How far the line is scrolled: a multi-line window by pixels, a single-line one by whole
    // characters (the first one shown), as the platform's windows scroll.
    int XOffset = 0;
    UINT FirstChar = 0;
    // Undo: the text deleted at UndoPos, and the count of characters inserted there since.
    std::wstring UndoText;
    UINT UndoPos = 0;
    UINT UndoInserted = 0;
    EDITWORDBREAKPROCW WordBreak = nullptr;
    // The measures of the shown text: Extents[i] is the width of its first i + 1 characters.
    HDC MeasureDC = nullptr;
    HGDIOBJ MeasureOldFont = nullptr;
    std::vector<int> Extents;
    std::vector<INT> Advances;
    bool Measured = false;
    bool Ordering = false;

    bool Multi() const { return (Style & ES_MULTILINE) != 0; }
    bool ReadOnly() const { return (Style & ES_READONLY) != 0; }
    UINT Length() const { return UINT(Text.size()); }
    int FormatWidth() const { return int(Format.right - Format.left); }

    std::wstring Shown() const
    {
        return PasswordChar != 0 && !Multi() ? std::wstring(Text.size(), PasswordChar) : Text;
    }

    void Changed()
    {
        Measured = false;
        Ordering = NeedsOrdering(Text);
    }

    void Measure()
    {
        if (Measured) return;
        Measured = true;
        const std::wstring S = Shown();
        Extents.assign(S.size(), 0);
        if (S.empty()) return;
        SIZE Size{};
        if (!GetTextExtentExPointW(MeasureDC, S.c_str(), int(S.size()), 0, nullptr, Extents.data(),
                                   &Size))
            std::fill(Extents.begin(), Extents.end(), 0);
    }

    // The x of the boundary before character I, from the line's start.
    int Pos(UINT I)
    {
        Measure();
        I = std::min(I, Length());
        return I == 0 ? 0 : Extents[I - 1];
    }
    int TextWidth() { return Pos(Length()); }

    // The pixels of the line scrolled out at the left.
    int Scrolled()
    {
        if (Multi()) return XOffset;
        return FirstChar <= Length() ? Pos(FirstChar)
                                     : TextWidth() + CharWidth * int(FirstChar - Length());
    }

    // Where the line starts in the window: scrolled, or moved in for the alignment when it fits.
    int OriginX()
    {
        int X = int(Format.left) - Scrolled();
        const int W = FormatWidth(), TW = TextWidth();
        if ((Multi() ? XOffset == 0 : FirstChar == 0) && W > TW) {
            if (Style & ES_RIGHT) X += W - TW;
            else if (Style & ES_CENTER) X += (W - TW) / 2;
        }
        return X;
    }

    int XOf(UINT I) { return OriginX() + Pos(I); }

    // The boundary nearest to x (window coordinates).
    UINT CharAt(int X)
    {
        const int Rel = X - OriginX();
        if (Rel <= 0) return 0;
        if (Rel >= TextWidth()) return Length();
        // The first character whose right edge lies beyond Rel; its second half counts after it.
        const auto It = std::upper_bound(Extents.begin(), Extents.end(), Rel);
        const UINT K = UINT(It - Extents.begin());
        const int Left = Pos(K), Right = Extents[K];
        return 2 * Rel >= Left + Right ? K + 1 : K;
    }

    bool Notify(WORD Code)
    {
        const HWND W = Wnd;
        SendMessageW(Receiver, WM_COMMAND, MAKEWPARAM(GetWindowLongPtrW(W, GWLP_ID), Code), LPARAM(W));
        return IsWindow(W) != FALSE;
    }

    // Repaints the window; the pending EN_UPDATE goes first. False when the window went.
    bool Update()
    {
        if (UpdatePending) {
            UpdatePending = false;
            if (!Notify(EN_UPDATE)) return false;
        }
        InvalidateRect(Wnd, nullptr, TRUE);
        return true;
    }

    bool SelectionShown() const { return Enabled && (Focused || (Style & ES_NOHIDESEL)); }

    void PlaceCaret()
    {
        if (Focused) SetCaretPos(XOf(SelEnd), Format.top);
    }

    // Sets the selection, Start == (UINT)-1 putting it at the caret; true when it changed.
    bool SetSel(UINT Start, UINT End)
    {
        if (Start == SelStart && End == SelEnd) return false;
        const bool Before = SelStart != SelEnd;
        if (Start == UINT(-1)) Start = End = SelEnd;
        else {
            Start = std::min(Start, Length());
            End = std::min(End, Length());
        }
        SelStart = Start;
        SelEnd = End;
        if (SelectionShown() && (Before || Start != End)) Update();
        return true;
    }

    void ScrollCaret()
    {
        const int W = FormatWidth();
        int X = XOf(SelEnd);
        if (!Multi()) {
            // By characters until the caret is a third of the width in from the edge it passed
            // (or the line's end is in view).
            const UINT Was = FirstChar;
            if (X < Format.left && FirstChar) {
                const int Goal = int(Format.left) + W / ScrollFraction;
                do {
                    --FirstChar;
                    X = XOf(SelEnd);
                } while (X < Goal && FirstChar);
            } else if (X > Format.right) {
                const int Goal = int(Format.right) - W / ScrollFraction;
                int Last = 0;
                do {
                    ++FirstChar;
                    X = XOf(SelEnd);
                    Last = XOf(Length());
                } while (X > Goal && Last > Format.right);
            }
            if (FirstChar != Was) Update();
            PlaceCaret();
            return;
        }
        int NewOffset = XOffset;
        if (X < Format.left)
            NewOffset = std::max(0, XOffset - (int(Format.left) + W / ScrollFraction - X));
        else if (X > Format.right) {
            // No further than the line's end beyond the edge.
            const int Past = OriginX() + TextWidth() - int(Format.right);
            NewOffset = XOffset + std::min(X - (int(Format.right) - W / ScrollFraction), Past);
        }
        if (NewOffset != XOffset) {
            XOffset = NewOffset;
            Update();
            // A multi-line window tells its parent of its scrolling.
            if (Multi() && !Notify(EN_HSCROLL)) return;
        }
        PlaceCaret();
    }

    void AdjustFormat()
    {
        Format.right = std::max(Format.right, Format.left + CharWidth);
        if (Multi()) {
            const int Lines =
                LineHeight ? std::max(1, int((Format.bottom - Format.top) / LineHeight)) : 1;
            Format.bottom = Format.top + Lines * LineHeight;
        } else {
            Format.bottom = Format.top + LineHeight;
        }
        RECT Client;
        GetClientRect(Wnd, &Client);
        Format.bottom = std::min(Format.bottom, Client.bottom);
        PlaceCaret();
    }

    void SetRectNP(const RECT& R)
    {
        Format = R;
        if (GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
            ++Format.left;
            --Format.right;
            if (Format.bottom - Format.top >= LineHeight + 2) {
                ++Format.top;
                --Format.bottom;
            }
        } else if (Style & WS_BORDER) {
            const int BW = GetSystemMetrics(SM_CXBORDER) + 1, BH = GetSystemMetrics(SM_CYBORDER) + 1;
            Format.left += BW;
            Format.right -= BW;
            if (Format.bottom - Format.top >= LineHeight + 2 * BH) {
                Format.top += BH;
                Format.bottom -= BH;
            }
        }
        Format.left += LeftMargin;
        Format.right -= RightMargin;
        AdjustFormat();
    }

    void SetClientFormat()
    {
        RECT Client;
        GetClientRect(Wnd, &Client);
        SetRectNP(Client);
    }

    void SetMargins(WPARAM Which, WORD Left, WORD Right, bool Repaint)
    {
        int DefLeft = 0, DefRight = 0;
        if (Font && (Left == EC_USEFONTINFO || Right == EC_USEFONTINFO)) {
            // Half the font's average character width on each side, for outline fonts, when the
            // window is wide enough for both and two characters.
            TEXTMETRICW TM{};
            GetTextMetricsW(MeasureDC, &TM);
            if (TM.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) {
                static const wchar_t Alphabet[] =
                    L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
                SIZE S{};
                GetTextExtentPointW(MeasureDC, Alphabet, 52, &S);
                const int Avg = (S.cx / 26 + 1) / 2;
                DefLeft = DefRight = Avg / 2;
                RECT Client;
                GetClientRect(Wnd, &Client);
                const int CW = IsRectEmpty(&Client) ? 80 : Client.right - Client.left;
                if (CW < DefLeft + DefRight + Avg * 2) {
                    DefLeft = LeftMargin;
                    DefRight = RightMargin;
                }
            }
        }
        if (Which & EC_LEFTMARGIN) {
            Format.left -= LeftMargin;
            LeftMargin = Left != EC_USEFONTINFO ? Left : DefLeft;
            Format.left += LeftMargin;
        }
        if (Which & EC_RIGHTMARGIN) {
            Format.right += RightMargin;
            RightMargin = Right != EC_USEFONTINFO ? Right : DefRight;
            Format.right -= RightMargin;
        }
        if (Which & (EC_LEFTMARGIN | EC_RIGHTMARGIN)) {
            AdjustFormat();
            if (Repaint) Update();
        }
    }

    void SetFont(HFONT F, bool Redraw)
    {
        Font = F;
        SelectObject(MeasureDC, F ? HGDIOBJ(F) : GetStockObject(SYSTEM_FONT));
        TEXTMETRICW TM{};
        GetTextMetricsW(MeasureDC, &TM);
        LineHeight = TM.tmHeight;
        CharWidth = TM.tmAveCharWidth;
        Changed();
        SetClientFormat();
        SetMargins(EC_LEFTMARGIN | EC_RIGHTMARGIN, EC_USEFONTINFO, EC_USEFONTINFO, false);
        if (Redraw) Update();
        if (Focused) {
            DestroyCaret();
            CreateCaret(Wnd, nullptr, 1, LineHeight);
            PlaceCaret();
            ShowCaret(Wnd);
        }
    }

    void EmptyUndo()
    {
        UndoInserted = 0;
        UndoText.clear();
    }

    // The selection replaced by Str: the platform's edit window's rules for the limit, the undo
    // buffer and the notifications.
    void ReplaceSel(bool CanUndo, std::wstring Str, bool SendUpdate, bool HonorLimit)
    {
        UINT S = SelStart, E = SelEnd;
        if (S == E && Str.empty()) return;
        if (E < S) std::swap(S, E);
        const UINT Kept = Length() - (E - S);
        if (HonorLimit && Kept + Str.size() > Limit) {
            if (!Notify(EN_MAXTEXT)) return;
            Str.resize(Limit < Kept ? 0 : std::min<size_t>(Str.size(), Limit - Kept));
        }
        if (Style & ES_UPPERCASE) CharUpperBuffW(Str.data(), DWORD(Str.size()));
        else if (Style & ES_LOWERCASE) CharLowerBuffW(Str.data(), DWORD(Str.size()));
        const std::wstring Deleted = Text.substr(S, E - S);
        Text.replace(S, E - S, Str);
        Changed();
        if (HonorLimit && !Multi() && !(Style & ES_AUTOHSCROLL) && TextWidth() > FormatWidth()) {
            // Without scrolling, what does not fit is not taken.
            while (!Str.empty() && TextWidth() > FormatWidth()) {
                Text.erase(S + Str.size() - 1, 1);
                Str.pop_back();
                Changed();
            }
            if (!Notify(EN_MAXTEXT)) return;
        }
        const UINT Ins = UINT(Str.size());
        if (E != S) {
            if (CanUndo) {
                if (!UndoInserted && !UndoText.empty() && S == UndoPos) {
                    UndoText += Deleted;   // deleting on to the right
                } else if (!UndoInserted && !UndoText.empty() && E == UndoPos) {
                    UndoText.insert(0, Deleted);   // deleting on to the left
                    UndoPos = S;
                } else {
                    UndoText = Deleted;
                    UndoPos = S;
                }
                UndoInserted = 0;
            } else {
                EmptyUndo();
            }
        }
        if (Ins) {
            if (CanUndo) {
                if (S == UndoPos || (UndoInserted && S == UndoPos + UndoInserted)) {
                    UndoInserted += Ins;
                } else {
                    UndoPos = S;
                    UndoInserted = Ins;
                    UndoText.clear();
                }
            } else {
                EmptyUndo();
            }
        }
        if (Style & (ES_RIGHT | ES_CENTER)) {
            // Deleting scrolls an aligned line back.
            const int Delta = int(Ins) - int(E - S);
            if (!Multi() && Delta < 0 && FirstChar)
                FirstChar = UINT(std::max(0, int(FirstChar) + Delta));
            if (Multi() && XOffset > 0)
                XOffset = std::max(0, std::min(XOffset, TextWidth() - FormatWidth()));
        }
        SetSel(S + Ins, S + Ins);
        Modified = true;
        if (SendUpdate) UpdatePending = true;
        if (!Update()) return;
        ScrollCaret();
        if (SendUpdate || UpdatePending) {
            UpdatePending = false;
            Notify(EN_CHANGE);
        }
    }

    void RefuseLine()
    {
        if (!Notify(EN_MAXTEXT)) return;
        const UINT S = std::min(SelStart, SelEnd);
        SetSel(S, S);
        Modified = true;
        UpdatePending = true;
        if (!Update()) return;
        ScrollCaret();
        UpdatePending = false;
        Notify(EN_CHANGE);
    }

    void SetText(const wchar_t* T)
    {
        SetSel(0, UINT(-1));
        ReplaceSel(false, T ? std::wstring(T) : std::wstring(), false, false);
        XOffset = 0;
        FirstChar = 0;
        Modified = false;
        SetSel(0, 0);
        if (!Multi()) {
            if (!Notify(EN_UPDATE)) return;
            if (!Notify(EN_CHANGE)) return;
        }
        ScrollCaret();
    }

    LRESULT Undo()
    {
        if (ReadOnly()) return !Multi();
        const std::wstring Restore = UndoText;
        SetSel(UndoPos, UndoPos + UndoInserted);
        EmptyUndo();
        ReplaceSel(true, Restore, true, true);
        if (!IsWindow(Wnd)) return TRUE;
        SetSel(UndoPos, UndoPos + UndoInserted);
        if (!Notify(EN_CHANGE)) return TRUE;
        ScrollCaret();
        return TRUE;
    }

    void Copy()
    {
        const UINT S = std::min(SelStart, SelEnd), E = std::max(SelStart, SelEnd);
        if (S == E) return;
        const size_t Bytes = (E - S + 1) * sizeof(wchar_t);
        HGLOBAL H = GlobalAlloc(GMEM_MOVEABLE, Bytes);
        if (!H) return;
        auto* P = static_cast<wchar_t*>(GlobalLock(H));
        std::copy(Text.begin() + S, Text.begin() + E, P);
        P[E - S] = 0;
        GlobalUnlock(H);
        if (!OpenClipboard(Wnd)) {
            GlobalFree(H);
            return;
        }
        EmptyClipboard();
        if (!SetClipboardData(CF_UNICODETEXT, H)) GlobalFree(H);
        CloseClipboard();
    }

    void Clear()
    {
        if (!ReadOnly()) ReplaceSel(true, std::wstring(), true, true);
    }

    void Cut()
    {
        Copy();
        Clear();
    }

    void Paste()
    {
        if (ReadOnly()) return;
        if (!OpenClipboard(Wnd)) return;
        std::wstring Clip;
        bool Have = false;
        if (HANDLE H = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* P = static_cast<const wchar_t*>(GlobalLock(H))) {
                Clip = P;
                Have = true;
                GlobalUnlock(H);
            }
        }
        CloseClipboard();
        if (Have) {
            // One line: the text up to its first line break.
            const size_t Break = Clip.find_first_of(L"\r\n");
            if (Break != std::wstring::npos) Clip.resize(Break);
            ReplaceSel(true, Clip, true, true);
        } else if (Style & ES_PASSWORD) {
            ReplaceSel(true, std::wstring(), true, true);
        }
    }

    // ---- words ----

    bool SoftBreak(UINT I) const
    {
        if (I == 0 || I >= Length()) return false;
        const wchar_t P = Text[I - 1], C = Text[I];
        if (IsSpace(C)) return false;
        return IsSpace(P) || (P == L'-' && !(C >= L'0' && C <= L'9'));
    }

    UINT WordLeft(UINT I)
    {
        if (WordBreak) return UINT(WordBreak(Text.data(), int(I), int(Length()), WB_LEFT));
        if (I) --I;
        while (I && !SoftBreak(I)) --I;
        return I;
    }

    UINT WordRight(UINT I)
    {
        if (WordBreak) return UINT(WordBreak(Text.data(), int(I), int(Length()), WB_RIGHT));
        if (!Length()) return 0;
        while (I < Length() && !SoftBreak(I)) ++I;
        return I;
    }

    // ---- keys ----

    void Move(UINT To, bool Extend)
    {
        SetSel(Extend ? SelStart : To, To);
        ScrollCaret();
    }

    LRESULT KeyDown(WPARAM Key)
    {
        if (Held(VK_MENU)) return 0;
        const bool Shift = Held(VK_SHIFT), Control = Held(VK_CONTROL);
        switch (Key) {
        case VK_UP:
        case VK_LEFT:
            if (Multi() && Key == VK_UP) Move(SelEnd, Shift);   // no line above
            else if (Control) Move(SelEnd ? WordLeft(SelEnd) : 0, Shift);
            else Move(SelEnd ? SelEnd - 1 : 0, Shift);
            break;
        case VK_DOWN:
        case VK_RIGHT:
            if (Multi() && Key == VK_DOWN) Move(SelEnd, Shift);   // no line below
            else if (Control) Move(SelEnd == Length() ? SelEnd : WordRight(SelEnd + 1), Shift);
            else Move(SelEnd < Length() ? SelEnd + 1 : SelEnd, Shift);
            break;
        case VK_PRIOR:
        case VK_NEXT:
            if (Multi()) Move(SelEnd, Shift);
            break;
        case VK_HOME: Move(0, Shift); break;
        case VK_END: Move(Length(), Shift); break;
        case VK_DELETE:
            if (ReadOnly() || (Shift && Control)) break;
            if (SelStart != SelEnd) {
                if (Shift) Cut();
                else Clear();
            } else {
                SetSel(UINT(-1), 0);
                if (Shift) SetSel(SelStart, SelEnd ? SelEnd - 1 : 0);
                else if (Control) SetSel(SelStart, Length());
                else SetSel(SelStart, std::min(SelEnd + 1, Length()));
                ScrollCaret();
                Clear();
            }
            break;
        case VK_INSERT:
            if (Shift) Paste();
            else if (Control) Copy();
            break;
        case 'A':
            if (Control && SetSel(0, Length())) {
                if (!Notify(EN_UPDATE)) break;
                Notify(EN_CHANGE);
            }
            break;
        default: break;
        }
        return TRUE;
    }

    void Char(wchar_t C)
    {
        switch (C) {
        case L'\r':
        case L'\n':
            // A new line does not fit: a multi-line window refuses it as one whose lines are full
            // (the selection closes at its start); a single-line window ignores it.
            if (Multi() && !ReadOnly()) RefuseLine();
            break;
        case L'\t':
            if (Multi() && !ReadOnly()) ReplaceSel(true, L"\t", true, true);
            break;
        case VK_BACK:
            if (ReadOnly() || Held(VK_CONTROL)) break;
            if (SelStart == SelEnd) {
                SetSel(UINT(-1), 0);
                SetSel(SelStart, SelEnd ? SelEnd - 1 : 0);
                ScrollCaret();
            }
            Clear();
            break;
        case 0x03:
            if (!(Style & ES_PASSWORD)) SendMessageW(Wnd, WM_COPY, 0, 0);
            break;
        case 0x16:
            if (!ReadOnly()) SendMessageW(Wnd, WM_PASTE, 0, 0);
            break;
        case 0x18:
            if (!ReadOnly() && !(Style & ES_PASSWORD)) SendMessageW(Wnd, WM_CUT, 0, 0);
            break;
        case 0x1A:
            if (!ReadOnly()) SendMessageW(Wnd, WM_UNDO, 0, 0);
            break;
        default:
            if ((Style & ES_NUMBER) && !(C >= L'0' && C <= L'9')) break;
            if (!ReadOnly() && C >= L' ' && C != 127) ReplaceSel(true, std::wstring(1, C), true, true);
            break;
        }
    }

    // ---- painting ----

    HBRUSH ColorBrush(HDC DC)
    {
        const UINT Msg = (!Enabled || ReadOnly()) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
        const HWND Parent = GetParent(Wnd);
        auto B = reinterpret_cast<HBRUSH>(SendMessageW(Parent, Msg, WPARAM(DC), LPARAM(Wnd)));
        if (!B) B = reinterpret_cast<HBRUSH>(DefWindowProcW(Parent, Msg, WPARAM(DC), LPARAM(Wnd)));
        return B;
    }

    void Paint(HDC DC)
    {
        const int Saved = SaveDC(DC);
        RECT Client;
        GetClientRect(Wnd, &Client);
        const HBRUSH Brush = ColorBrush(DC);
        IntersectClipRect(DC, Client.left, Client.top, Client.right, Client.bottom);
        if (Style & WS_BORDER) {
            // The one-pixel frame of a window without a client edge is the window's own.
            const int BW = GetSystemMetrics(SM_CXBORDER), BH = GetSystemMetrics(SM_CYBORDER);
            const HGDIOBJ Old = SelectObject(DC, GetSysColorBrush(COLOR_WINDOWFRAME));
            PatBlt(DC, Client.left, Client.top, Client.right - Client.left, BH, PATCOPY);
            PatBlt(DC, Client.left, Client.top, BW, Client.bottom - Client.top, PATCOPY);
            PatBlt(DC, Client.left, Client.bottom - 1, Client.right - Client.left, -BH, PATCOPY);
            PatBlt(DC, Client.right - 1, Client.top, -BW, Client.bottom - Client.top, PATCOPY);
            SelectObject(DC, Old);
            IntersectClipRect(DC, Client.left + BW, Client.top + BH,
                              std::max(Client.right - BW, Client.left + BW),
                              std::max(Client.bottom - BH, Client.top + BH));
        }
        RECT Box;
        GetClipBox(DC, &Box);
        FillRect(DC, &Box, Brush);
        IntersectClipRect(DC, Format.left, Format.top, Format.right, Format.bottom);
        SelectObject(DC, Font ? HGDIOBJ(Font) : GetStockObject(SYSTEM_FONT));
        if (!Enabled) SetTextColor(DC, GetSysColor(COLOR_GRAYTEXT));
        const std::wstring S = Shown();
        if (!S.empty()) {
            const int X = OriginX(), Y = Format.top;
            // The platform's ordering pass only for a line that needs it.
            const UINT Plain = ETO_CLIPPED | (Ordering ? 0 : ETO_IGNORELANGUAGE);
            // Each glyph at its measured boundary, where positions and the caret put it; of a
            // line in order, only the characters in view (and one more on each side, whose
            // glyph may reach in).
            Measure();
            UINT First = 0, Last = UINT(S.size());
            if (!Ordering) {
                const int Left = int(Format.left) - X, Right = int(Format.right) - X;
                First = UINT(std::upper_bound(Extents.begin(), Extents.end(), Left) - Extents.begin());
                First = First > 0 ? First - 1 : 0;
                Last = UINT(std::lower_bound(Extents.begin(), Extents.end(), Right) - Extents.begin());
                Last = std::min(Last + 2, UINT(S.size()));
            }
            Advances.resize(S.size());
            for (size_t I = 0; I < S.size(); ++I) Advances[I] = Extents[I] - (I ? Extents[I - 1] : 0);
            const INT* Dx = Ordering ? nullptr : Advances.data() + First;
            const int From0 = X + Pos(First);
            ExtTextOutW(DC, From0, Y, Plain, &Format, S.c_str() + First, Last - First, Dx);
            const UINT From = std::min(SelStart, SelEnd), To = std::max(SelStart, SelEnd);
            if (SelectionShown() && From != To) {
                RECT Sel{X + Pos(From), Y, X + Pos(To), Y + LineHeight};
                IntersectRect(&Sel, &Sel, &Format);
                SetBkColor(DC, GetSysColor(COLOR_HIGHLIGHT));
                SetTextColor(DC, GetSysColor(COLOR_HIGHLIGHTTEXT));
                ExtTextOutW(DC, From0, Y, Plain | ETO_OPAQUE, &Sel, S.c_str() + First, Last - First, Dx);
            }
        }
        RestoreDC(DC, Saved);
    }

    // ---- mouse ----

    void Confine(int& X, int& Y) const
    {
        X = std::min(std::max(X, int(Format.left)), int(Format.right) - 1);
        Y = std::min(std::max(Y, int(Format.top)), int(Format.bottom) - 1);
    }
};

TLine* StateOf(HWND W)
{
    return static_cast<TLine*>(GetPropW(W, StateProp));
}

// The state lives in the window's first extra bytes when its class has them (the class of a
// control that subclasses this one may have none), else in a property.
bool InExtraBytes(HWND W)
{
    return GetClassLongPtrW(W, GCL_CBWNDEXTRA) >= LONG_PTR(sizeof(void*));
}

TLine* Find(HWND W)
{
    return InExtraBytes(W) ? reinterpret_cast<TLine*>(GetWindowLongPtrW(W, 0)) : StateOf(W);
}

void Attach(HWND W, TLine* L)
{
    if (InExtraBytes(W)) SetWindowLongPtrW(W, 0, LONG_PTR(L));
    else if (L) SetPropW(W, StateProp, L);
    else RemovePropW(W, StateProp);
}

LRESULT NCCreate(HWND W, const CREATESTRUCTW* CS)
{
    auto* L = new TLine;
    L->Wnd = W;
    L->Receiver = CS->hwndParent;
    L->Style = DWORD(CS->style);
    L->Enabled = !(L->Style & WS_DISABLED);
    if (CS->dwExStyle & WS_EX_RIGHT) L->Style |= ES_RIGHT;
    if (L->Style & ES_LOWERCASE) L->Style &= ~DWORD(ES_UPPERCASE);
    if ((L->Style & ES_RIGHT) && (L->Style & ES_CENTER)) L->Style &= ~DWORD(ES_CENTER);
    if (L->Multi()) L->Style &= ~DWORD(ES_PASSWORD);
    else if (L->Style & ES_PASSWORD) L->PasswordChar = L'*';
    if (CS->dwExStyle & WS_EX_CLIENTEDGE) L->Style &= ~DWORD(WS_BORDER);
    else if (L->Style & WS_BORDER) SetWindowLongW(W, GWL_STYLE, LONG(L->Style & ~DWORD(WS_BORDER)));
    L->MeasureDC = CreateCompatibleDC(nullptr);
    L->MeasureOldFont = SelectObject(L->MeasureDC, GetStockObject(SYSTEM_FONT));
    Attach(W, L);
    return TRUE;
}

void Create(TLine* L, const wchar_t* Name)
{
    L->SetFont(nullptr, false);
    L->EmptyUndo();
    L->SetClientFormat();
    if (Name && *Name) {
        L->ReplaceSel(false, Name, false, false);
        L->SelStart = L->SelEnd = 0;
        L->ScrollCaret();
    }
}

void Destroy(HWND W, TLine* L)
{
    Attach(W, nullptr);
    SelectObject(L->MeasureDC, L->MeasureOldFont);
    DeleteDC(L->MeasureDC);
    delete L;
}

LRESULT CALLBACK LineWndProc(HWND W, UINT Msg, WPARAM WP, LPARAM LP)
{
    TLine* L = Find(W);
    if (!L) {
        if (Msg == WM_NCCREATE) return NCCreate(W, reinterpret_cast<const CREATESTRUCTW*>(LP));
        return DefWindowProcW(W, Msg, WP, LP);
    }
    switch (Msg) {
    case WM_CREATE: Create(L, reinterpret_cast<const CREATESTRUCTW*>(LP)->lpszName); return 1;
    case WM_NCDESTROY: Destroy(W, L); return 0;
    case EM_GETSEL: {
        const UINT S = std::min(L->SelStart, L->SelEnd), E = std::max(L->SelStart, L->SelEnd);
        if (WP) *reinterpret_cast<UINT*>(WP) = S;
        if (LP) *reinterpret_cast<UINT*>(LP) = E;
        return MAKELONG(S, E);
    }
    case EM_SETSEL:
        L->SetSel(UINT(WP), UINT(LP));
        L->ScrollCaret();
        return 1;
    case EM_GETRECT:
        if (LP) *reinterpret_cast<RECT*>(LP) = L->Format;
        return 0;
    case EM_SETRECT:
    case EM_SETRECTNP:
        if (L->Multi() && LP) {
            L->SetRectNP(*reinterpret_cast<const RECT*>(LP));
            if (Msg == EM_SETRECT) L->Update();
        }
        return 0;
    case EM_SCROLLCARET: L->ScrollCaret(); return 1;
    case EM_GETMODIFY: return L->Modified;
    case EM_SETMODIFY:
        L->Modified = WP != 0;
        if (!WP) L->UpdatePending = false;
        return 0;
    case EM_GETLINECOUNT: return 1;
    case EM_LINEINDEX: return L->Multi() && int(WP) >= 1 ? -1 : 0;
    case EM_LINELENGTH:
        if (L->Multi() && int(WP) == -1)
            return std::min(L->SelStart, L->SelEnd) + L->Length() - std::max(L->SelStart, L->SelEnd);
        return L->Length();
    case EM_LINEFROMCHAR: return 0;
    case EM_GETFIRSTVISIBLELINE: return L->Multi() ? 0 : L->FirstChar;
    case EM_GETLINE: {
        if (L->Multi() && int(WP) >= 1) return 0;
        auto* Dst = reinterpret_cast<wchar_t*>(LP);
        if (!Dst) return 0;
        const UINT Room = *reinterpret_cast<const WORD*>(Dst);
        if (Room <= L->Length()) {
            std::copy(L->Text.begin(), L->Text.begin() + Room, Dst);
            return Room;
        }
        std::copy(L->Text.begin(), L->Text.end(), Dst);
        Dst[L->Length()] = 0;
        return L->Length();
    }
    case EM_REPLACESEL:
        L->ReplaceSel(WP != 0, LP ? std::wstring(reinterpret_cast<const wchar_t*>(LP)) : std::wstring(),
                      true, true);
        return 1;
    case EM_LIMITTEXT: {
        UINT Limit = WP ? UINT(WP) : ~0u;
        if (!L->Multi()) Limit = std::min(Limit, 0x7FFFFFFEu);
        L->Limit = Limit;
        return 0;
    }
    case EM_GETLIMITTEXT: return L->Limit;
    case EM_CANUNDO: return L->UndoInserted || !L->UndoText.empty();
    case EM_UNDO:
    case WM_UNDO: return L->Undo();
    case EM_EMPTYUNDOBUFFER: L->EmptyUndo(); return 0;
    case EM_FMTLINES: return WP != 0;
    case EM_SETPASSWORDCHAR: {
        if (L->Multi() || L->PasswordChar == wchar_t(WP)) return 0;
        L->PasswordChar = wchar_t(WP);
        const LONG S = GetWindowLongW(W, GWL_STYLE);
        SetWindowLongW(W, GWL_STYLE, WP ? (S | ES_PASSWORD) : (S & ~LONG(ES_PASSWORD)));
        if (WP) L->Style |= ES_PASSWORD;
        else L->Style &= ~DWORD(ES_PASSWORD);
        L->Changed();
        L->Update();
        return 0;
    }
    case EM_GETPASSWORDCHAR: return L->PasswordChar;
    case EM_SETREADONLY: {
        const DWORD Old = L->Style;
        const LONG S = GetWindowLongW(W, GWL_STYLE);
        SetWindowLongW(W, GWL_STYLE, WP ? (S | ES_READONLY) : (S & ~LONG(ES_READONLY)));
        if (WP) L->Style |= ES_READONLY;
        else L->Style &= ~DWORD(ES_READONLY);
        if (Old != L->Style) InvalidateRect(W, nullptr, TRUE);
        return 1;
    }
    case EM_SETMARGINS: L->SetMargins(WP, LOWORD(LP), HIWORD(LP), true); return 0;
    case EM_GETMARGINS: return MAKELONG(L->LeftMargin, L->RightMargin);
    case EM_POSFROMCHAR: {
        if (UINT(WP) >= L->Length()) return -1;
        return MAKELONG(SHORT(L->XOf(UINT(WP))), SHORT(L->Format.top));
    }
    case EM_CHARFROMPOS: {
        RECT Client;
        GetClientRect(W, &Client);
        const POINT P{SHORT(LOWORD(LP)), SHORT(HIWORD(LP))};
        if (!PtInRect(&Client, P)) return -1;
        return MAKELONG(L->CharAt(P.x), 0);
    }
    case EM_SETWORDBREAKPROC: L->WordBreak = reinterpret_cast<EDITWORDBREAKPROCW>(LP); return 1;
    case EM_GETWORDBREAKPROC: return reinterpret_cast<LRESULT>(L->WordBreak);
    case EM_SETTABSTOPS: return L->Multi();
    case EM_SCROLL: return FALSE;
    case EM_LINESCROLL:
        if (!L->Multi()) return FALSE;
        if (int(LP) == 0 && int(WP) != 0) {
            const int Max = std::max(0, L->TextWidth() - L->FormatWidth());
            const int New =
                std::clamp(L->XOffset + int(WP) * L->CharWidth, 0, std::max(Max, L->XOffset));
            if (New != L->XOffset) {
                L->XOffset = New;
                L->Update();
                L->PlaceCaret();
            }
        }
        return TRUE;
    case EM_GETTHUMB:
    case EM_GETHANDLE:
    case EM_SETHANDLE: return 0;
    case WM_GETDLGCODE: {
        LRESULT R = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
        if (L->Multi()) R |= DLGC_WANTALLKEYS;
        return R;
    }
    case WM_CHAR: L->Char(wchar_t(WP)); return 1;
    case WM_UNICHAR:
        if (WP == UNICODE_NOCHAR) return TRUE;
        if (WP > 0xFFFF && WP <= 0x10FFFF) {
            L->Char(wchar_t(0xD800 + ((WP - 0x10000) >> 10)));
            if (Find(W) == L) L->Char(wchar_t(0xDC00 + ((WP - 0x10000) & 0x3FF)));
        } else if (WP <= 0xFFFF) {
            L->Char(wchar_t(WP));
        }
        return 0;
    case WM_KEYDOWN: return L->KeyDown(WP);
    case WM_SYSKEYDOWN:
        if (WP == VK_BACK && (LP & 0x20000000)) {
            if (L->UndoInserted || !L->UndoText.empty()) L->Undo();
            return 0;
        }
        return DefWindowProcW(W, Msg, WP, LP);
    case WM_CLEAR: L->Clear(); return 0;
    case WM_CUT: L->Cut(); return 0;
    case WM_COPY: L->Copy(); return 0;
    case WM_PASTE: L->Paste(); return 0;
    case WM_ENABLE:
        L->Enabled = WP != 0;
        L->Update();
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(L->Font);
    case WM_SETFONT: L->SetFont(reinterpret_cast<HFONT>(WP), LOWORD(LP) != 0); return 0;
    case WM_GETTEXT: {
        if (!WP || !LP) return 0;
        auto* Dst = reinterpret_cast<wchar_t*>(LP);
        const size_t N = std::min<size_t>(L->Length(), WP - 1);
        std::copy(L->Text.begin(), L->Text.begin() + N, Dst);
        Dst[N] = 0;
        return LRESULT(N);
    }
    case WM_GETTEXTLENGTH: return L->Length();
    case WM_SETTEXT: L->SetText(reinterpret_cast<const wchar_t*>(LP)); return TRUE;
    case WM_SIZE:
        if (WP == SIZE_MAXIMIZED || WP == SIZE_RESTORED) {
            L->SetClientFormat();
            L->Update();
        }
        return 0;
    case WM_STYLECHANGED:
        if (WP == WPARAM(GWL_STYLE)) {
            DWORD Mask = ES_UPPERCASE | ES_LOWERCASE | ES_NUMBER;
            if (L->Multi()) Mask |= ES_WANTRETURN;
            DWORD New = reinterpret_cast<const STYLESTRUCT*>(LP)->styleNew & Mask;
            if (!(New & ES_NUMBER) && (New & ES_LOWERCASE)) New &= ~DWORD(ES_UPPERCASE);
            L->Style = (L->Style & ~Mask) | New;
        }
        return 0;
    case WM_STYLECHANGING: return 0;
    case WM_SETFOCUS:
        L->Focused = true;
        if (!(L->Style & ES_NOHIDESEL) && L->SelStart != L->SelEnd) InvalidateRect(W, nullptr, TRUE);
        CreateCaret(W, nullptr, 1, L->LineHeight);
        L->PlaceCaret();
        ShowCaret(W);
        if (!L->Notify(EN_SETFOCUS)) return 0;
        RedrawWindow(W, nullptr, nullptr, RDW_INVALIDATE);
        return 0;
    case WM_KILLFOCUS:
        L->Focused = false;
        DestroyCaret();
        if (!(L->Style & ES_NOHIDESEL) && L->SelStart != L->SelEnd) InvalidateRect(W, nullptr, TRUE);
        if (!L->Notify(EN_KILLFOCUS)) return 0;
        RedrawWindow(W, nullptr, nullptr, RDW_INVALIDATE);
        return 0;
    case WM_LBUTTONDOWN: {
        L->Capturing = true;
        SetCapture(W);
        int X = SHORT(LOWORD(LP)), Y = SHORT(HIWORD(LP));
        L->Confine(X, Y);
        const UINT E = L->CharAt(X);
        L->SetSel((WP & MK_SHIFT) ? L->SelStart : E, E);
        L->ScrollCaret();
        if (!L->Focused) SetFocus(W);
        return 0;
    }
    case WM_LBUTTONDBLCLK: {
        L->Capturing = true;
        SetCapture(W);
        const UINT E = L->SelEnd;
        L->SetSel(L->WordLeft(E), L->WordRight(E));
        L->ScrollCaret();
        return 0;
    }
    case WM_MOUSEMOVE:
        if (L->Capturing && GetCapture() == W) {
            L->SetSel(L->SelStart, L->CharAt(SHORT(LOWORD(LP))));
            L->ScrollCaret();
        }
        return 0;
    case WM_LBUTTONUP:
        if (L->Capturing && GetCapture() == W) ReleaseCapture();
        L->Capturing = false;
        return 0;
    case WM_CAPTURECHANGED: L->Capturing = false; return 0;
    case WM_MBUTTONDOWN: SendMessageW(W, WM_PASTE, 0, 0); return 0;
    case WM_MOUSEWHEEL:
        if (WP & (MK_SHIFT | MK_CONTROL)) return DefWindowProcW(W, Msg, WP, LP);
        return L->Multi();
    case WM_HSCROLL:
    case WM_VSCROLL: return 0;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (WP) {
            L->Paint(reinterpret_cast<HDC>(WP));
        } else {
            PAINTSTRUCT PS;
            const HDC DC = BeginPaint(W, &PS);
            L->Paint(DC);
            EndPaint(W, &PS);
        }
        return 0;
    default: return DefWindowProcW(W, Msg, WP, LP);
    }
}

}   // namespace

const wchar_t* LineEdit::ClassName()
{
    static const bool Registered = [] {
        WNDCLASSEXW WC{};
        WC.cbSize = sizeof(WC);
        WC.style = CS_DBLCLKS | CS_GLOBALCLASS;
        WC.lpfnWndProc = LineWndProc;
        WC.cbWndExtra = sizeof(void*);
        WC.hInstance = GetModuleHandleW(nullptr);
        WC.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
        WC.lpszClassName = LineEditClass;
        return RegisterClassExW(&WC) != 0;
    }();
    (void)Registered;
    return LineEditClass;
}

bool LineEdit::IsClassProc(WNDPROC Proc)
{
    return Proc == LineWndProc;
}
