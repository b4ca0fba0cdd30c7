// test-needs: desktop
// The library's line edit window against the platform's edit window: the same scripts of
// messages run against a window of each class with the same styles and font, and every answer,
// text, selection, flag and notification must agree; then what only the line window is checked
// for (a pasted text of several lines, its painting).
#include "framework/LineEdit.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::pair<HWND, WORD>> GNotes;   // (window, code) of every notification

LRESULT CALLBACK ParentProc(HWND W, UINT Msg, WPARAM WP, LPARAM LP)
{
    if (Msg == WM_COMMAND && LP) {
        GNotes.emplace_back(reinterpret_cast<HWND>(LP), HIWORD(WP));
        return 0;
    }
    if (Msg == WM_CTLCOLOREDIT || Msg == WM_CTLCOLORSTATIC) {
        // Read-only and disabled windows ask with WM_CTLCOLORSTATIC: blue on grey.
        const HDC DC = reinterpret_cast<HDC>(WP);
        const bool Static = Msg == WM_CTLCOLORSTATIC;
        SetTextColor(DC, Static ? RGB(0, 0, 160) : RGB(0, 0, 0));
        SetBkColor(DC, Static ? RGB(192, 192, 192) : RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(Static ? LTGRAY_BRUSH : WHITE_BRUSH));
    }
    return DefWindowProcW(W, Msg, WP, LP);
}

void SetClipText(const std::wstring& T)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL H = GlobalAlloc(GMEM_MOVEABLE, (T.size() + 1) * sizeof(wchar_t));
    auto* P = static_cast<wchar_t*>(GlobalLock(H));
    std::copy(T.begin(), T.end(), P);
    P[T.size()] = 0;
    GlobalUnlock(H);
    SetClipboardData(CF_UNICODETEXT, H);
    CloseClipboard();
}

std::wstring ClipText()
{
    std::wstring R;
    if (!OpenClipboard(nullptr)) return R;
    if (HANDLE H = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* P = static_cast<const wchar_t*>(GlobalLock(H))) R = P;
        GlobalUnlock(H);
    }
    CloseClipboard();
    return R;
}

std::wstring TextOf(HWND W)
{
    std::wstring S(size_t(SendMessageW(W, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    S.resize(size_t(SendMessageW(W, WM_GETTEXT, S.size(), LPARAM(S.data()))));
    return S;
}

// What a step reads back besides the message's own answer.
enum class TOut { None, Sel, Rect, Line, Clip };

struct TStep {
    UINT Msg;
    WPARAM WP = 0;
    LPARAM LP = 0;
    const wchar_t* Str = nullptr;   // given as LPARAM when set
    TShiftState Keys = {};          // held while the message runs
    TOut Out = TOut::None;
};

// Everything a step leaves behind, in one comparable line.
std::wstring Observe(HWND W, const TStep& S, LRESULT R)
{
    std::wstring O = L"result=" + std::to_wstring(R);
    DWORD A = 0, B = 0;
    SendMessageW(W, EM_GETSEL, WPARAM(&A), LPARAM(&B));
    O += L" text=[" + TextOf(W) + L"] sel=" + std::to_wstring(A) + L"," + std::to_wstring(B);
    O += L" modified=" + std::to_wstring(SendMessageW(W, EM_GETMODIFY, 0, 0));
    O += L" canundo=" + std::to_wstring(SendMessageW(W, EM_CANUNDO, 0, 0));
    O += L" notes=";
    for (auto& N : GNotes)
        if (N.first == W) O += std::to_wstring(N.second) + L";";
    switch (S.Out) {
    case TOut::Rect: {
        RECT Rc{};
        SendMessageW(W, EM_GETRECT, 0, LPARAM(&Rc));
        O += L" rect=" + std::to_wstring(Rc.left) + L"," + std::to_wstring(Rc.top) + L"," +
             std::to_wstring(Rc.right) + L"," + std::to_wstring(Rc.bottom);
        break;
    }
    case TOut::Clip: O += L" clip=[" + ClipText() + L"]"; break;
    default: break;
    }
    return O;
}

class LineEditAgainstSystem : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSW WC{};
        WC.lpfnWndProc = ParentProc;
        WC.hInstance = GetModuleHandleW(nullptr);
        WC.lpszClassName = L"LineEditTestParent";
        WC.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        RegisterClassW(&WC);
    }
    void SetUp() override
    {
        Parent = CreateWindowExW(0, L"LineEditTestParent", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                 500, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        Font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
        SetForegroundWindow(Parent);
        ui::Pump();
    }
    void TearDown() override
    {
        ui::SetKeyState({});
        DestroyWindow(Parent);
        DeleteObject(Font);
        GNotes.clear();
    }
    HWND Make(const wchar_t* Class, DWORD Style, int Top, const wchar_t* Text = L"")
    {
        const HWND W =
            CreateWindowExW(WS_EX_CLIENTEDGE, Class, Text, WS_CHILD | WS_VISIBLE | Style, 10, Top, 220,
                            24, Parent, HMENU(INT_PTR(7)), GetModuleHandleW(nullptr), nullptr);
        SendMessageW(W, WM_SETFONT, WPARAM(Font), FALSE);
        return W;
    }
    // Runs the script against a system window and a line window of Style; every step's
    // observations must agree.
    void Agree(DWORD Style, const std::vector<TStep>& Script, const wchar_t* Start = L"")
    {
        const HWND Sys = Make(L"EDIT", Style, 10, Start),
                   Own = Make(LineEdit::ClassName(), Style, 50, Start);
        ASSERT_TRUE(Sys && Own);
        // Each window runs the whole script on its own: the mouse capture and the focus that one
        // takes would otherwise change what the other sees.
        std::vector<std::wstring> Seen[2];
        const HWND Ws[2] = {Sys, Own};
        for (int K = 0; K < 2; ++K) {
            for (const TStep& S : Script) {
                GNotes.clear();
                ui::SetKeyState(S.Keys);
                if (S.Msg == WM_PASTE || S.Msg == WM_CUT || S.Msg == WM_COPY) SetClipText(L"pasted");
                const LRESULT R = SendMessageW(Ws[K], S.Msg, S.WP, S.Str ? LPARAM(S.Str) : S.LP);
                ui::SetKeyState({});
                Seen[K].push_back(Observe(Ws[K], S, S.Out == TOut::Sel ? LRESULT(DWORD(R)) : R));
            }
            ReleaseCapture();
            SetFocus(Parent);
        }
        for (size_t N = 0; N < Script.size(); ++N)
            EXPECT_EQ(Seen[0][N], Seen[1][N])
                << "style " << std::hex << Style << std::dec << ", step " << N + 1 << " (message 0x"
                << std::hex << Script[N].Msg << ")";
        DestroyWindow(Sys);
        DestroyWindow(Own);
    }
    HWND Parent = nullptr;
    HFONT Font = nullptr;
};

const DWORD Styles[] = {ES_AUTOHSCROLL, ES_AUTOHSCROLL | ES_MULTILINE, ES_AUTOHSCROLL | ES_RIGHT,
                        ES_CENTER | ES_AUTOHSCROLL};

TEST_F(LineEditAgainstSystem, TextSelectionAndReplacementsAnswerAlike)
{
    const std::vector<TStep> Script = {
        {WM_SETTEXT, 0, 0, L"1.234.567"},
        {WM_GETTEXTLENGTH},
        {EM_SETSEL, 2, 5, nullptr, {}, TOut::Sel},
        {EM_GETSEL, 0, 0, nullptr, {}, TOut::Sel},
        {EM_REPLACESEL, TRUE, 0, L"xy"},
        {EM_SETSEL, 7, 1},
        {EM_GETSEL, 0, 0, nullptr, {}, TOut::Sel},
        {EM_REPLACESEL, FALSE, 0, L""},
        {EM_SETSEL, WPARAM(-1), 0},
        {EM_SETSEL, 3, -1},
        {EM_SETSEL, 0, 100},
        {EM_LINELENGTH, WPARAM(-1)},
        {EM_SETSEL, 2, 2},
        {EM_LINELENGTH, WPARAM(-1)},
        {EM_LINELENGTH, 0},
        {EM_LINEINDEX, 0},
        {EM_LINEINDEX, 1},
        {EM_LINEINDEX, WPARAM(-1)},
        {EM_LINEFROMCHAR, 3},
        {EM_LINEFROMCHAR, WPARAM(-1)},
        {EM_GETLINECOUNT},
        {EM_GETFIRSTVISIBLELINE},
        {EM_SETMODIFY, FALSE},
        {EM_REPLACESEL, TRUE, 0, L"ab"},
        {EM_SETMODIFY, FALSE},
        {WM_CLEAR},
        {EM_SETSEL, 0, 3},
        {WM_CLEAR},
        {WM_SETTEXT, 0, 0, L""},
        {EM_REPLACESEL, TRUE, 0, L""},
    };
    for (DWORD S : Styles) Agree(S, Script);
}

TEST_F(LineEditAgainstSystem, LimitUndoAndReadOnlyAnswerAlike)
{
    const std::vector<TStep> Script = {
        {EM_LIMITTEXT, 5},
        {EM_GETLIMITTEXT},
        {EM_REPLACESEL, TRUE, 0, L"1234567"},
        {WM_CHAR, L'8'},
        {WM_SETTEXT, 0, 0, L"12345678"},   // the limit holds for typing and replacing only
        {EM_LIMITTEXT, 0},
        {EM_GETLIMITTEXT},
        {EM_LIMITTEXT, 30000},
        {WM_SETTEXT, 0, 0, L"abc"},
        {EM_CANUNDO},
        {EM_SETSEL, 3, 3},
        {WM_CHAR, L'd'},
        {WM_CHAR, L'e'},
        {EM_CANUNDO},
        {EM_UNDO},
        {WM_UNDO},   // the undo of the undo
        {WM_CHAR, VK_BACK},
        {WM_CHAR, VK_BACK},
        {EM_UNDO},
        {EM_SETSEL, 1, 3},
        {WM_CHAR, L'Z'},
        {WM_CHAR, 0x1A},   // Ctrl+Z
        {EM_EMPTYUNDOBUFFER},
        {EM_UNDO},
        {EM_SETREADONLY, TRUE},
        {WM_CHAR, L'q'},
        {WM_CHAR, VK_BACK},
        {EM_UNDO},
        {WM_PASTE},
        {EM_SETREADONLY, FALSE},
        {WM_CHAR, L'\r'},
        {WM_CHAR, 127},
        {WM_CHAR, 0x16},   // Ctrl+V
    };
    for (DWORD S : Styles) Agree(S, Script);
}

TEST_F(LineEditAgainstSystem, KeysMoveAndSelectAlike)
{
    const std::vector<TStep> Script = {
        {WM_SETTEXT, 0, 0, L"one two  three-four 5.000"},
        {WM_KEYDOWN, VK_END},
        {WM_KEYDOWN, VK_LEFT, 0, nullptr, {ssCtrl}},
        {WM_KEYDOWN, VK_LEFT, 0, nullptr, {ssCtrl}},
        {WM_KEYDOWN, VK_LEFT, 0, nullptr, {ssCtrl, ssShift}},
        {WM_KEYDOWN, VK_HOME},
        {WM_KEYDOWN, VK_RIGHT, 0, nullptr, {ssCtrl}},
        {WM_KEYDOWN, VK_RIGHT, 0, nullptr, {ssCtrl}},
        {WM_KEYDOWN, VK_RIGHT, 0, nullptr, {ssShift}},
        {WM_KEYDOWN, VK_RIGHT, 0, nullptr, {ssShift}},
        {WM_KEYDOWN, VK_LEFT, 0, nullptr, {ssShift}},
        {WM_KEYDOWN, VK_END, 0, nullptr, {ssShift}},
        {WM_KEYDOWN, VK_HOME, 0, nullptr, {ssShift}},
        {WM_KEYDOWN, VK_UP},
        {WM_KEYDOWN, VK_DOWN, 0, nullptr, {ssShift}},
        {WM_KEYDOWN, VK_NEXT},
        {WM_KEYDOWN, VK_RIGHT},
        {WM_KEYDOWN, VK_DELETE},
        {WM_KEYDOWN, VK_DELETE, 0, nullptr, {ssShift}},   // deletes left of the caret
        {WM_KEYDOWN, VK_DELETE, 0, nullptr, {ssCtrl}},    // to the end
        {WM_KEYDOWN, L'A', 0, nullptr, {ssCtrl}},
        {WM_KEYDOWN, L'A', 0, nullptr, {ssCtrl}},
        {WM_KEYDOWN, VK_INSERT, 0, nullptr, {ssCtrl}, TOut::Clip},
        {WM_KEYDOWN, VK_HOME},
        {WM_KEYDOWN, VK_INSERT, 0, nullptr, {ssShift}},
        {WM_KEYDOWN, VK_LEFT, 0, nullptr, {ssShift}},
        {WM_KEYDOWN, VK_DELETE, 0, nullptr, {ssShift}, TOut::Clip},   // cut
        {WM_GETDLGCODE},
        {WM_GETFONT},
        {WM_SETFOCUS},
        {WM_KILLFOCUS},
        {EM_SETSEL, 2, 4},
        {WM_KEYDOWN, VK_BACK},   // Backspace is the character's, not the key's
        {WM_CHAR, VK_BACK, 0, nullptr, {ssCtrl}},
        {WM_CHAR, VK_BACK},
    };
    for (DWORD S : Styles) Agree(S, Script);
}

TEST_F(LineEditAgainstSystem, ClipboardMessagesAnswerAlike)
{
    const std::vector<TStep> Script = {
        {WM_SETTEXT, 0, 0, L"12.345,67"},
        {EM_SETSEL, 0, 2},
        {WM_COPY, 0, 0, nullptr, {}, TOut::Clip},   // the clipboard holds "pasted" before each
        {WM_CUT, 0, 0, nullptr, {}, TOut::Clip},
        {EM_SETSEL, 3, 3},
        {WM_PASTE, 0, 0, nullptr, {}, TOut::Clip},
        {EM_UNDO},
        {EM_SETSEL, 0, 0},
        {WM_COPY, 0, 0, nullptr, {}, TOut::Clip},   // nothing selected: the clipboard stays
        {WM_CHAR, 0x03, 0, nullptr, {}, TOut::Clip},
        // A password window (the multi-line one has no password character). Not compared: the
        // positions of an aligned line right after the change, where the platform's window still
        // aligns by the width of the clear text.
        {EM_SETPASSWORDCHAR, L'*'},
        {EM_GETPASSWORDCHAR},
        {EM_SETSEL, 0, 3},
        {WM_CHAR, 0x03, 0, nullptr, {}, TOut::Clip},
        {WM_CHAR, 0x18, 0, nullptr, {}, TOut::Clip},
        {EM_SETPASSWORDCHAR, 0},
        {EM_GETPASSWORDCHAR},
        {EM_SETSEL, 0, 3},
        {WM_CHAR, 0x18, 0, nullptr, {}, TOut::Clip},
    };
    for (DWORD S : Styles) Agree(S, Script);
}

TEST_F(LineEditAgainstSystem, MarginsRectanglesAndPositionsAnswerAlike)
{
    RECT R{3, 2, 150, 20};
    const std::vector<TStep> Script = {
        {EM_GETMARGINS, 0, 0, nullptr, {}, TOut::Rect},
        {EM_POSFROMCHAR, 0},
        {EM_POSFROMCHAR, 3},
        {EM_POSFROMCHAR, 8},
        {EM_POSFROMCHAR, 9},   // past the last character
        {EM_CHARFROMPOS, 0, MAKELPARAM(1, 5)},
        {EM_CHARFROMPOS, 0, MAKELPARAM(20, 5)},
        {EM_CHARFROMPOS, 0, MAKELPARAM(23, 5)},
        {EM_CHARFROMPOS, 0, MAKELPARAM(26, 5)},
        {EM_CHARFROMPOS, 0, MAKELPARAM(200, 5)},
        {EM_CHARFROMPOS, 0, MAKELPARAM(300, 5)},   // outside the window
        {EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(5, 9), nullptr, {}, TOut::Rect},
        {EM_GETMARGINS},
        {EM_POSFROMCHAR, 4},
        {EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(EC_USEFONTINFO, 0), nullptr, {}, TOut::Rect},
        {EM_GETMARGINS},
        {EM_SETRECTNP, 0, LPARAM(&R), nullptr, {}, TOut::Rect},
        {EM_POSFROMCHAR, 2},
        {EM_CHARFROMPOS, 0, MAKELPARAM(40, 8)},
        {EM_SETRECT, 0, LPARAM(&R), nullptr, {}, TOut::Rect},
        {WM_SIZE, SIZE_RESTORED, MAKELPARAM(216, 20), nullptr, {}, TOut::Rect},
        {WM_LBUTTONDOWN, 0, MAKELPARAM(30, 8)},
        {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 8)},
        {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(12, 8)},
        {WM_LBUTTONUP, 0, MAKELPARAM(12, 8)},
        {WM_LBUTTONDOWN, MK_SHIFT, MAKELPARAM(70, 8), nullptr, {ssShift}},
        {WM_LBUTTONUP, 0, MAKELPARAM(70, 8)},
        {WM_LBUTTONDBLCLK, 0, MAKELPARAM(70, 8)},
        {WM_LBUTTONUP, 0, MAKELPARAM(70, 8)},
    };
    for (DWORD S : Styles) Agree(S, Script, L"1234 6789");
}

// Every character's position in a line of digits, letters, separators and spaces.
TEST_F(LineEditAgainstSystem, EveryCharacterSitsAlike)
{
    const std::wstring Line = L"31 28X,YY8 2Z8 b-a,204Z1a6Y.";
    std::vector<TStep> Script;
    for (size_t I = 0; I < Line.size(); ++I) Script.push_back({EM_POSFROMCHAR, I});
    for (DWORD S : Styles) Agree(S, Script, Line.c_str());
}

// Typing a long line: the caret is kept in view, and the line scrolls alike.
TEST_F(LineEditAgainstSystem, ALongLineScrollsTheCaretIntoViewAlike)
{
    std::vector<TStep> Script;
    for (int I = 0; I < 60; ++I) Script.push_back({WM_CHAR, WPARAM(L'0' + I % 10)});
    Script.push_back({EM_POSFROMCHAR, 59});
    Script.push_back({EM_CHARFROMPOS, 0, MAKELPARAM(100, 8)});
    Script.push_back({WM_KEYDOWN, VK_HOME});
    Script.push_back({EM_POSFROMCHAR, 0});
    Script.push_back({WM_KEYDOWN, VK_END});
    Script.push_back({EM_POSFROMCHAR, 59});
    for (DWORD S : {DWORD(ES_AUTOHSCROLL | ES_MULTILINE), DWORD(ES_AUTOHSCROLL),
                    DWORD(ES_AUTOHSCROLL | ES_RIGHT)}) {
        Agree(S, Script);
        Agree(S, {{WM_SETTEXT, 0, 0, L"9876543210987654321098765432109876543210"},
                  {WM_KEYDOWN, VK_END},
                  {EM_GETFIRSTVISIBLELINE},
                  {EM_POSFROMCHAR, 30},
                  {EM_CHARFROMPOS, 0, MAKELPARAM(50, 8)},
                  {WM_CHAR, VK_BACK},
                  {EM_GETFIRSTVISIBLELINE},
                  {EM_SETSEL, 3, 3},
                  {EM_GETFIRSTVISIBLELINE},
                  {EM_POSFROMCHAR, 5}});
        // Not compared: the platform's single-line window, aligned right or centred and showing
        // the start of a line wider than itself, reads a point as if the line fitted (its
        // EM_CHARFROMPOS disagrees with its own EM_POSFROMCHAR there); the line window answers
        // with the character drawn at the point.
    }
}

class LineEditWindow : public LineEditAgainstSystem {};

// Focus: the caret comes and goes with it, and the parent hears of both.
TEST_F(LineEditWindow, FocusMakesTheCaretAndTellsTheParent)
{
    const HWND Own = Make(LineEdit::ClassName(), ES_AUTOHSCROLL, 10, L"1.000");
    const HWND Other = Make(L"EDIT", ES_AUTOHSCROLL, 50);
    GNotes.clear();
    SetFocus(Own);
    SendMessageW(Own, EM_SETSEL, 5, 5);
    POINT Caret{};
    GetCaretPos(&Caret);
    EXPECT_EQ(LOWORD(SendMessageW(Own, EM_POSFROMCHAR, 4, 0)) < Caret.x, true);
    SetFocus(Other);
    std::vector<WORD> Codes;
    for (auto& N : GNotes)
        if (N.first == Own) Codes.push_back(N.second);
    EXPECT_EQ(Codes, (std::vector<WORD>{EN_SETFOCUS, EN_KILLFOCUS}));
}

// A text of several lines pasted into the line window gives its first line, and a typed line
// break adds none.
TEST_F(LineEditWindow, PastesTheFirstLineOfAText)
{
    for (DWORD Style : {DWORD(ES_AUTOHSCROLL), DWORD(ES_AUTOHSCROLL | ES_MULTILINE)}) {
        const HWND Own = Make(LineEdit::ClassName(), Style, 10, L"ab");
        SendMessageW(Own, EM_SETSEL, 1, 1);
        SetClipText(L"12\r\n34\n56");
        SendMessageW(Own, WM_PASTE, 0, 0);
        EXPECT_EQ(TextOf(Own), L"a12b");
        SendMessageW(Own, WM_CHAR, L'\n', 0);
        EXPECT_EQ(TextOf(Own), L"a12b");
        DestroyWindow(Own);
    }
}

// The window shows its text in the formatting rectangle, and a selection in the highlight
// colours while it has the focus.
TEST_F(LineEditWindow, PaintsTheTextAndTheSelection)
{
    const HWND Own = Make(LineEdit::ClassName(), ES_AUTOHSCROLL, 10, L"1.234.567");
    RECT Client, Format;
    GetClientRect(Own, &Client);
    SendMessageW(Own, EM_GETRECT, 0, LPARAM(&Format));
    const int X2 = SHORT(LOWORD(SendMessageW(Own, EM_POSFROMCHAR, 2, 0)));
    const int X5 = SHORT(LOWORD(SendMessageW(Own, EM_POSFROMCHAR, 5, 0)));
    const TColor Highlight = TColor(GetSysColor(COLOR_HIGHLIGHT));
    auto Shot = [&] {
        auto S = std::make_unique<TDibSurface>(Client.right, Client.bottom, clWhite);
        SendMessageW(Own, WM_PRINTCLIENT, WPARAM(S->DC()), PRF_CLIENT);
        return S;
    };
    SendMessageW(Own, EM_SETSEL, 2, 5);
    {
        // Without the focus the selection is not shown.
        auto S = Shot();
        const TRect Ink = S->InkBounds(S->Bounds());
        EXPECT_GE(Ink.Left, Format.left);
        EXPECT_LE(Ink.Right, Format.right);
        EXPECT_GE(Ink.Top, Format.top);
        EXPECT_GT(S->InkCount(TRect(Format.left, Format.top, X2, Format.bottom)), 5);
        EXPECT_EQ(S->CountColor(S->Bounds(), Highlight), 0);
    }
    SetFocus(Own);
    {
        auto S = Shot();
        const TRect Sel(X2, Format.top, X5, Format.top + 8);
        EXPECT_GT(S->CountColor(Sel, Highlight), Sel.Width() * Sel.Height() / 2);
        EXPECT_EQ(S->CountColor(TRect(Format.left, Format.top, X2, Format.bottom), Highlight), 0);
        EXPECT_EQ(S->CountColor(TRect(X5 + 1, Format.top, Format.right, Format.bottom), Highlight), 0);
        EXPECT_GT(S->InkCount(TRect(X5, Format.top, Format.right, Format.bottom)), 5);
    }
    // An empty window shows nothing but its background.
    SendMessageW(Own, WM_SETTEXT, 0, LPARAM(L""));
    auto S = Shot();
    EXPECT_EQ(S->InkCount(S->Bounds()), 0);
}

}   // namespace

namespace {

// The same pixels as the platform's window: seeded, varied lines (digits, separators, letters,
// spaces, long lines that scroll), selections shown (ES_NOHIDESEL) or not, alignments, margins,
// password characters, read-only and disabled windows (the parent's other colours), painted both
// ways and compared.
TEST_F(LineEditWindow, PaintsTheSamePixelsAsTheSystemWindow)
{
    std::mt19937 Rng(20261211);
    const std::wstring Alphabet = L"0123456789012345.,- abcXYZ";
    const DWORD Aligns[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    int Differing = 0;
    for (int Round = 0; Round < 60; ++Round) {
        DWORD Style = ES_AUTOHSCROLL | Aligns[Rng() % 3];
        if (Rng() % 2) Style |= ES_MULTILINE;
        if (Rng() % 2) Style |= ES_NOHIDESEL;
        const HWND Ws[2] = {Make(L"EDIT", Style, 10), Make(LineEdit::ClassName(), Style, 50)};
        std::wstring Text;
        // A multi-line system window aligned right or centred wraps a long line where the line
        // window scrolls it: those get lines that fit.
        const bool Wraps = (Style & ES_MULTILINE) && (Style & (ES_RIGHT | ES_CENTER));
        const size_t Length = Rng() % 4 == 0 && !Wraps ? 30 + Rng() % 60 : Rng() % 20;
        for (size_t I = 0; I < Length; ++I) Text += Alphabet[Rng() % Alphabet.size()];
        const WPARAM From = Rng() % (Length + 1), To = Rng() % (Length + 1);
        const int Margin = Rng() % 3 == 0 ? int(Rng() % 12) : -1;
        const bool ReadOnly = Rng() % 5 == 0, Disabled = Rng() % 6 == 0, Typed = Rng() % 2,
                   Password = Rng() % 5 == 0;
        std::unique_ptr<TDibSurface> Shots[2];
        for (int K = 0; K < 2; ++K) {
            const HWND W = Ws[K];
            if (Password) SendMessageW(W, EM_SETPASSWORDCHAR, L'*', 0);
            if (Margin >= 0)
                SendMessageW(W, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                             MAKELPARAM(Margin, Margin + 3));
            if (Typed) {
                for (wchar_t C : Text) SendMessageW(W, WM_CHAR, C, 0);
            } else {
                SendMessageW(W, WM_SETTEXT, 0, LPARAM(Text.c_str()));
            }
            SendMessageW(W, EM_SETSEL, From, To);
            if (ReadOnly) SendMessageW(W, EM_SETREADONLY, TRUE, 0);
            if (Disabled) EnableWindow(W, FALSE);
            RECT C;
            GetClientRect(W, &C);
            Shots[K] = std::make_unique<TDibSurface>(C.right, C.bottom, clFuchsia);
            SendMessageW(W, WM_PRINTCLIENT, WPARAM(Shots[K]->DC()), PRF_CLIENT);
        }
        const int Diff = Shots[0]->DiffCount(*Shots[1]);
        if (Diff != 0) {
            ++Differing;
            Shots[0]->SavePng(SnapshotPath(L"LineEdit-system-" + std::to_wstring(Round) + L".png"));
            Shots[1]->SavePng(SnapshotPath(L"LineEdit-own-" + std::to_wstring(Round) + L".png"));
        }
        EXPECT_EQ(Diff, 0) << "round " << Round << " style " << std::hex << Style << std::dec
                           << " text [" << std::string(Text.begin(), Text.end()) << "] sel " << From
                           << "," << To << " margin " << Margin << " ro " << ReadOnly << " dis "
                           << Disabled << " typed " << Typed << " password " << Password;
        DestroyWindow(Ws[0]);
        DestroyWindow(Ws[1]);
    }
    EXPECT_EQ(Differing, 0);
}

}   // namespace
