// The grid unit's start-up and shut-down and its routines: registered messages and clipboard
// format, the message hook, the classes registered for streaming, the file version.
#include "tests/grid/QorGridKit.h"
#include "tests/support/UiHarness.h"

#include "grid/QorGridSatellites.h"

#include <gtest/gtest.h>

TEST(QorGridUnit, MessagesAndFormatEqualASecondRegistration)
{
    const std::pair<Word, const wchar_t*> Messages[] = {
        {WM_GRIDEDITDONE, L"GridEditDone"},   {WM_GRIDEDITSHOW, L"GridEditShow"},
        {WM_GRIDEDITINVALID, L"GridEditInvalid"}, {WM_EDITPROP, L"GridEditProp"},
        {WM_DTPSHIFTFOCUS, L"DTPShiftFocus"}, {WM_FILTEREDITUPDATE, L"FilterEditUpdate"}};
    for (const auto& [Number, Name] : Messages) {
        EXPECT_GE(Number, 0xC000) << Name;
        EXPECT_EQ(Number, Word(RegisterWindowMessageW(Name))) << Name;
    }
    EXPECT_GE(CF_GRIDCELLS, 0xC000);
    EXPECT_EQ(CF_GRIDCELLS, Word(RegisterClipboardFormatW(L"TQorStringGrid Cells")));
}

TEST(QorGridUnit, StartUpIsCountedAndTheHookGoesWithTheLastShutDown)
{
    // The program's units started the grid unit before any test ran.
    ASSERT_GE(QorGridUnit::InitCount(), 1);
    ASSERT_NE(MsgHook, nullptr);
    const int Started = QorGridUnit::InitCount();
    QorGridUnit::Initialization();
    EXPECT_EQ(QorGridUnit::InitCount(), Started + 1);
    const HHOOK Hook = MsgHook;
    QorGridUnit::Finalization();
    EXPECT_EQ(MsgHook, Hook);   // still counted: nothing undone
    while (QorGridUnit::InitCount() > 0) QorGridUnit::Finalization();
    EXPECT_EQ(MsgHook, nullptr);
    QorGridUnit::Finalization();   // a shut-down too many changes nothing
    EXPECT_EQ(QorGridUnit::InitCount(), 0);
    // Starting again installs a hook again and registers the same messages.
    const Word Done = WM_GRIDEDITDONE;
    for (int i = 0; i < Started; ++i) QorGridUnit::Initialization();
    EXPECT_NE(MsgHook, nullptr);
    EXPECT_EQ(WM_GRIDEDITDONE, Done);
    EXPECT_EQ(QorGridUnit::InitCount(), Started);
}

TEST(QorGridUnit, RegistersTheGridsClassesForStreamingByName)
{
    const auto& Names = QorGridUnit::StreamingClassNames();
    ASSERT_EQ(Names.size(), 28u);
    EXPECT_STREQ(Names.front(), L"TQorStringGrid");
    EXPECT_STREQ(Names.back(), L"TSearchPanel");
    int Present = 0;
    for (const wchar_t* Name : Names)
        if (GetClass(Name)) ++Present;
    // The spin, date and picker editors come with the edit controls and the pickers.
    EXPECT_EQ(Present, QorGridUnit::RegisteredStreamingClasses());
    EXPECT_EQ(Present, 17);
    for (const wchar_t* Name : {L"TQorStringGrid", L"TGridCombo", L"TGridEditBtn", L"TGridUnitEditBtn", L"TScrollBar",
                                L"TFooterPanel", L"TSearchPanel", L"TFilter", L"TFilterData"})
        EXPECT_NE(GetClass(Name), nullptr) << Name;
    // The library's option classes are registered by the same start-up.
    EXPECT_NE(GetClass(L"TSortSettings"), nullptr);
    EXPECT_NE(GetClass(L"TCellProperties"), nullptr);
}

TEST(QorGridUnit, FileVersionOfLibrariesAndOfNamesWithoutOne)
{
    const int V = QorGridUnit::GetFileVersion(L"comctl32.dll");
    EXPECT_GE(V >> 16, 5);
    EXPECT_EQ(ComCtrlOk, V > 0x00040045);
    EXPECT_EQ(QorGridUnit::GetFileVersion(L"no-such-library.dll"), -1);
    // A name longer than any fixed buffer is answered, not cut or overrun.
    EXPECT_EQ(QorGridUnit::GetFileVersion(String(400, L'x') + L".dll"), -1);
}

TEST(QorGridUnit, RoutinesAndTables)
{
    EXPECT_LT(QorGridUnit::StrCmpLogical(L"row2", L"row10"), 0);
    EXPECT_EQ(QorGridUnit::StrCmpLogical(L"a", L"a"), 0);
    EXPECT_EQ(QorGridUnit::DecimalSeparator(), FormatSettings.DecimalSeparator);
    EXPECT_EQ(QorGridUnit::ShortDateFormat(), FormatSettings.ShortDateFormat);
    EXPECT_STREQ(HyperlinkIdentifiers[0], L"file://");
    EXPECT_STREQ(HyperlinkIdentifiers[6], L"mailto:");
    EXPECT_EQ(String(CSVSeparators.begin(), CSVSeparators.end()), L",;#\t|@*-+&");
    TForm* Form = ui::NewForm();
    ui::FormGuard FG(Form);
    auto* Panel = Create<TPanel>(Form);
    Panel->SetParent(Form);
    auto* Edit = Create<TEdit>(Form);
    Edit->SetParent(Panel);
    EXPECT_EQ(QorGridUnit::GetParentForm(Edit), Form);
    EXPECT_EQ(QorGridUnit::GetParentForm(Create<TEdit>(Form)), nullptr);
    Edit->HandleNeeded();
    QorGridUnit::SetTranspWindow(Edit->GetHandle());
    EXPECT_TRUE(GetWindowLongPtrW(Edit->GetHandle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
}

TEST(QorGridUnit, HookKeepsTheFocusFrameOnItsCellWhileWindowsMove)
{
    TForm* Form = ui::NewForm(400, 300, 100, 100);
    ui::FormGuard FG(Form);
    auto* G = Create<TQorStringGrid>(Form);
    G->SetParent(Form);
    G->SetBounds(10, 10, 300, 200);
    ui::ShowAndActivate(Form);
    FocusGrid = G;
    Form->SetBounds(150, 140, Form->GetWidth(), Form->GetHeight());
    ui::Pump();
    const HWND Frame = G->GetFocusWindow()->GetHandle();
    ASSERT_TRUE(IsWindowVisible(Frame));
    RECT FrameRect{};
    GetWindowRect(Frame, &FrameRect);
    const TRect Cell = G->CellRect(G->GetCol(), G->GetRow());
    POINT CellOrigin{Cell.Left, Cell.Top};
    ClientToScreen(G->GetHandle(), &CellOrigin);
    EXPECT_EQ(FrameRect.left, CellOrigin.x - 4);
    EXPECT_EQ(FrameRect.top, CellOrigin.y - 4);
    EXPECT_EQ(FrameRect.right - FrameRect.left, Cell.Width() + 9);
    // Scrolled out of view, the frame hides and the unit forgets the grid.
    G->HideFocusHelper();
    EXPECT_FALSE(IsWindowVisible(Frame));
    EXPECT_EQ(FocusGrid, nullptr);
}
