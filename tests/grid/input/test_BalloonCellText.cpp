// What a cell's balloon tip shows of its text: markup stripped, rich text as the plain text the
// rich edit holds (never the RTF source), other text as it is; read back from the tool-tip text
// request the grid answers for the cell under the pointer.
// test-needs: desktop
#include "tests/grid/QorGridKit.h"

#include "grid/store/QorGridOptions.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <commctrl.h>

TEST(BalloonCellText, RichAndMarkupCellsShowTheirPlainText)
{
    TForm* Form = ui::NewForm(400, 200);
    ui::FormGuard Guard(Form);
    auto* G = Create<TTestableQorGrid>(Form);
    G->SetParent(Form);
    G->SetBounds(0, 0, 400, 200);
    G->SetColCount(3);
    G->SetRowCount(4);
    G->GetBalloon()->SetEnable(true);
    struct TCase {
        int C, R;
        const wchar_t* Cell;
        const wchar_t* Shown;
    } const Cases[] = {
        {1, 1, L"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Rig \\b tekst\\b0}", L"Rig tekst"},
        {2, 1, L"<b>Fed</b> <i>kursiv</i>", L"Fed kursiv"},
        {1, 2, L"almindelig\ttekst", L"almindelig\ttekst"},
        {2, 2, L"{\\rtf1 garbage", L""},
    };
    for (const TCase& K : Cases) G->SetCellEx(K.C, K.R, K.Cell);
    for (const TCase& K : Cases) {
        SCOPED_TRACE(String(K.Cell));
        EXPECT_EQ(G->BalloonCellText(K.C, K.R).find(L"\\rtf"), String::npos);
        if (K.Shown[0]) EXPECT_EQ(G->BalloonCellText(K.C, K.R), K.Shown);
    }

    // The tool tip's text request for the cell under the pointer.
    ShowWindow(Form->GetHandle(), SW_SHOWNOACTIVATE);
    ui::Pump();
    HWND Tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(Tip, nullptr);
    for (const TCase& K : Cases) {
        SCOPED_TRACE(String(K.Cell));
        const TRect R = G->CellRect(K.C, K.R);
        const TPoint P = G->ClientToScreen(TPoint(R.Left + 5, R.Top + 5));
        SetCursorPos(P.X, P.Y);
        NMTTDISPINFOW Info{};
        Info.hdr.hwndFrom = Tip;
        Info.hdr.code = TTN_NEEDTEXTW;
        SendMessageW(G->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&Info));
        ASSERT_NE(Info.lpszText, nullptr);
        const String Shown = Info.lpszText;
        EXPECT_EQ(Shown.find(L"\\rtf"), String::npos);
        // The tip shows tabs as blanks.
        String Want = K.Shown;
        for (wchar_t& Ch : Want)
            if (Ch == L'\t') Ch = L' ';
        if (K.Shown[0]) EXPECT_EQ(Shown, Want);
    }
    DestroyWindow(Tip);
}
