// The grid after construction: read from form descriptions, its window, loading, copying from
// another grid, bounds and scroll bars; every published property by name.
#include "tests/grid/QorGridKit.h"
#include "tests/support/UiHarness.h"

#include "grid/QorGridSatellites.h"
#include "grid/sortfilter/QorFilterData.h"

#include "framework/ClassesStreams.h"
#include "framework/Streaming.h"

#include <gtest/gtest.h>

namespace {

// A form holding grids read from a description.
struct DescribedForm {
    TForm* Form;
    explicit DescribedForm(const String& Grids)
    {
        Form = ui::NewForm(500, 400);
        ReadComponentText(L"object GridForm: TForm\n" + Grids + L"end\n", Form);
    }
    ~DescribedForm()
    {
        Form->Free();
        ui::Pump();
    }
    TQorStringGrid* Grid(const wchar_t* Name) { return dynamic_cast<TQorStringGrid*>(Form->FindComponent(Name)); }
};

}  // namespace

TEST(QorGridDescriptions, GridReadFromADescriptionIsLoaded)
{
    DescribedForm F(L"  object Grid1: TQorStringGrid\n"
                    L"    Left = 8\n    Top = 8\n    Width = 300\n    Height = 200\n"
                    L"    ColCount = 7\n    FixedRows = 2\n    RowCount = 12\n"
                    L"    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goAlwaysShowEditor]\n"
                    L"    Cursor = -21\n"
                    L"    FixedFont.Height = -11\n    FixedFont.Name = 'Tahoma'\n"
                    L"    ControlLook.FixedGradientHoverFrom = clGray\n"
                    L"    SearchFooter.Visible = True\n"
                    L"    SortSettings.DefaultFormat = ssNumeric\n"
                    L"    FloatFormat = '%.3f'\n"
                    L"    Look = glVista\n"
                    L"    HintColor = clYellow\n"
                    L"    ColumnHeaders.Strings = (\n      'A'\n      'B')\n"
                    L"    Version = '8.4.2.2'\n"
                    L"  end\n");
    TQorStringGrid* G = F.Grid(L"Grid1");
    ASSERT_NE(G, nullptr);
    EXPECT_EQ(G->GetParent(), F.Form);
    EXPECT_EQ(G->GetColCount(), 7);
    EXPECT_EQ(G->GetRowCount(), 12);
    EXPECT_EQ(G->GetFixedRows(), 2);
    // Loaded: the minimums and maxima come from the stored counts, the always-shown editor becomes
    // a navigation setting, the cursor is remembered.
    EXPECT_TRUE(TGridTestAccess::Loaded(*G));
    EXPECT_EQ(G->GetFixedRowsMin(), 2);
    EXPECT_EQ(G->GetMaxRowCount(), 12);
    EXPECT_EQ(G->GetMaxColCount(), 7);
    EXPECT_TRUE(G->GetNavigation()->GetAlwaysEdit());
    EXPECT_FALSE(G->GetOptions().Contains(goAlwaysShowEditor));
    EXPECT_EQ(TGridTestAccess::OldCursor(*G), crHandPoint);
    EXPECT_EQ(TGridTestAccess::OrigColSizes(*G), 7);
    EXPECT_EQ(TGridTestAccess::OldSize(*G), 300);
    EXPECT_EQ(G->GetFixedFont()->GetHeight(), -11);
    EXPECT_EQ(G->GetControlLook()->GetFixedGradientHoverFrom(), clGray);
    EXPECT_EQ(G->GetSortSettings()->GetDefaultFormat(), ssNumeric);
    EXPECT_EQ(G->GetFloatFormat(), L"%.3f");
    EXPECT_EQ(G->GetLook(), glVista);
    EXPECT_EQ(G->GetHintColor(), clYellow);
    EXPECT_EQ(G->GetColumnHeaders()->Count(), 2);
    EXPECT_TRUE(G->GetSearchFooter()->GetVisible());
}

TEST(QorGridDescriptions, NewGridWritesOnlyWhatDiffersFromTheDefaults)
{
    TFreePtr<TForm> Form(Create<TForm>(nullptr));
    auto* G = Create<TQorStringGrid>(Form.get());
    G->SetName(L"Grid1");
    G->SetParent(Form.get());
    const String Text = WriteComponentText(Form.get());
    EXPECT_NE(Text.find(L"FixedRowHeight = 22"), String::npos) << Text;
    EXPECT_NE(Text.find(L"FloatFormat = '%.2f'"), String::npos);
    for (const wchar_t* Absent : {L"RowCount", L"ColCount", L"DefaultRowHeight", L"WordWrap", L"Look ="})
        EXPECT_EQ(Text.find(Absent), String::npos) << Absent;
    // Read back, the grid writes the same description again.
    TFreePtr<TForm> Copy(Create<TForm>(nullptr));
    ReadComponentText(Text, Copy.get());
    EXPECT_EQ(WriteComponentText(Copy.get()), Text);
}

struct BadGridLine {
    const wchar_t* Line;
    const wchar_t* Message;
};

class QorGridDescriptionErrors : public ::testing::TestWithParam<BadGridLine> {};

TEST_P(QorGridDescriptionErrors, NameTheProperty)
{
    try {
        DescribedForm F(String(L"  object Grid1: TQorStringGrid\n    ") + GetParam().Line + L"\n  end\n");
        FAIL() << "no exception";
    } catch (const EReadError& E) {
        EXPECT_EQ(E.Message, GetParam().Message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, QorGridDescriptionErrors,
    ::testing::Values(BadGridLine{L"RowCont = 5", L"Property RowCont does not exist (line 3)"},
                      BadGridLine{L"SearchFooter.Visibel = True", L"Property SearchFooter.Visibel does not exist (line 3)"},
                      BadGridLine{L"Look = glSideways", L"Error reading Look: Invalid property value glSideways (line 3)"},
                      BadGridLine{L"RowCount = 'many'", L"Error reading RowCount: Invalid property value 'many' (line 3)"},
                      BadGridLine{L"OnClickCell = NoSuchHandler",
                                  L"Error reading OnClickCell: Method NoSuchHandler not found (line 3)"}));

TEST(QorGridProperties, EveryPublishedPropertyReadsAndWritesByName)
{
    TFreePtr<TQorStringGrid> G(Create<TQorStringGrid>(nullptr));
    const TRegisteredClass* C = FindClass(L"TQorStringGrid");
    int Simple = 0, Events = 0, Objects = 0;
    for (const TPropInfo* P : C->AllProperties()) {
        if (P->Kind == TPropKind::Method) {
            ++Events;
            EXPECT_EQ(GetPropValue(G.get(), P->Name), L"") << P->Name;
            continue;
        }
        if (P->Kind == TPropKind::Class || P->Kind == TPropKind::Strings || P->Kind == TPropKind::Collection ||
            P->Kind == TPropKind::Component) {
            ++Objects;
            continue;
        }
        ++Simple;
        const String Text = GetPropValue(G.get(), P->Name);
        EXPECT_NO_THROW(SetPropValue(G.get(), P->Name, Text)) << P->Name;
        EXPECT_EQ(GetPropValue(G.get(), P->Name), Text) << P->Name;
    }
    EXPECT_GE(Events, 186);
    EXPECT_GE(Objects, 37);
    EXPECT_GE(Simple, 107);
    // Option objects are reached by path.
    SetPropValue(G.get(), L"SearchFooter.SearchColumn", L"3");
    EXPECT_EQ(G->GetSearchFooter()->GetSearchColumn(), 3);
}

// ---- Window --------------------------------------------------------------------------------------------

TEST(QorGridWindow, CreatingTheWindowStartsTheTimerAndParentsThePanels)
{
    TForm* Form = ui::NewForm();
    ui::FormGuard FG(Form);
    Form->SetScaled(false);
    auto* G = Create<TQorStringGrid>(Form);
    G->SetParent(Form);
    G->HandleNeeded();
    EXPECT_NE(TGridTestAccess::TimerID(*G), 0u);
    EXPECT_EQ(G->GetFooterPanel()->GetParent(), G);
    EXPECT_EQ(G->GetSearchPanel()->GetParent(), G);
    EXPECT_FALSE(G->GetSearchPanel()->GetVisible());
    EXPECT_DOUBLE_EQ(G->GetDPIScale(), 1.0);   // on a form that is not scaled
    EXPECT_GT(TGridTestAccess::WheelLines(*G), 0);
}

TEST(QorGridWindow, BorderColourWithoutAParentIsOnlyStored)
{
    TFreePtr<TQorStringGrid> G(Create<TQorStringGrid>(nullptr));
    G->SetBorderColor(clRed);
    EXPECT_EQ(G->GetBorderColor(), clRed);
    EXPECT_FALSE(G->HandleAllocated());
}

TEST(QorGridWindow, IntegralHeightKeepsWholeRows)
{
    TForm* Form = ui::NewForm();
    ui::FormGuard FG(Form);
    auto* G = Create<TQorStringGrid>(Form);
    G->SetParent(Form);
    G->SetScrollBarsEx(TScrollStyle::ssNone);
    G->SetColCountEx(2);
    G->SetIntegralHeight(true);
    G->SetBounds(0, 0, 300, 100);
    EXPECT_EQ(G->GetHeight(), 92);
    G->SetBounds(0, 0, 300, 91);
    EXPECT_EQ(G->GetHeight(), 92);
    G->SetIntegralHeight(false);
    G->SetBounds(0, 0, 300, 91);
    EXPECT_EQ(G->GetHeight(), 91);
}

TEST(QorGridWindow, ScrollBarAlwaysShowsADisabledBarWhenTheRowsFit)
{
    TForm* Form = ui::NewForm(500, 500);
    ui::FormGuard FG(Form);
    auto* G = Create<TQorStringGrid>(Form);
    G->SetParent(Form);
    G->SetBounds(0, 0, 400, 400);
    G->SetRowCountEx(3);
    G->SetScrollBarAlways(saVert);
    G->SetBounds(0, 0, 400, 390);
    ui::Pump();
    SCROLLBARINFO Info{};
    Info.cbSize = sizeof(Info);
    ASSERT_TRUE(GetScrollBarInfo(G->GetHandle(), OBJID_VSCROLL, &Info));
    EXPECT_FALSE(Info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    EXPECT_TRUE(Info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
}

TEST(QorGridWindow, OneInvalidationIsSwallowedAfterAnEditChange)
{
    TForm* Form = ui::NewForm();
    ui::FormGuard FG(Form);
    auto* G = Create<TQorStringGrid>(Form);
    G->SetParent(Form);
    ui::ShowAndActivate(Form);
    TGridTestAccess::SetEditChange(*G, true);
    G->Invalidate();
    EXPECT_FALSE(TGridTestAccess::EditChange(*G));
    RECT Update{};
    EXPECT_FALSE(GetUpdateRect(G->GetHandle(), &Update, FALSE));
    G->Invalidate();   // the next one is not lost
    EXPECT_TRUE(GetUpdateRect(G->GetHandle(), &Update, FALSE));
}

// ---- Copying ------------------------------------------------------------------------------------------

TEST(QorGridAssign, CopiesSettingsOptionObjectsCountsSizesAndCells)
{
    TFreePtr<TQorStringGrid> A(Create<TQorStringGrid>(nullptr));
    TFreePtr<TQorStringGrid> B(Create<TQorStringGrid>(nullptr));
    A->SetColCountEx(4);
    A->SetRowCountEx(6);
    A->SetFixedColsEx(0);
    A->SetDefRowHeightEx(25);
    A->SetColWidths(2, 123);
    A->SetRowHeights(3, 40);
    A->SetSelectionColor(clLime);
    A->SetHintColor(clAqua);
    A->SetMaxEditLength(7);
    A->SetActiveCellShow(true);
    A->GetSearchFooter()->SetSearchColumn(2);
    A->GetSortSettings()->SetDefaultFormat(ssDate);
    A->GetFilter()->GetColFilter(2)->SetCondition(L">5");
    A->GetColumnHeaders()->Add(L"Head");
    A->SetCellEx(1, 1, L"one");
    A->SetCellEx(3, 5, L"two\r\nlines");
    A->SetMultilinecells(true);

    B->SetMultilinecells(true);
    B->Assign(A.get());
    EXPECT_EQ(B->GetColCount(), 4);
    EXPECT_EQ(B->GetRowCount(), 6);
    EXPECT_EQ(B->GetFixedCols(), 0);
    EXPECT_EQ(B->GetColWidths(2), 123);
    EXPECT_EQ(B->GetRowHeights(3), 40);
    EXPECT_EQ(B->GetDefaultRowHeight(), 25);
    EXPECT_EQ(B->GetSelectionColor(), clLime);
    EXPECT_EQ(B->GetHintColor(), clAqua);
    EXPECT_EQ(B->GetMaxEditLength(), 7);
    EXPECT_TRUE(B->GetActiveCellShow());
    EXPECT_EQ(B->GetSearchFooter()->GetSearchColumn(), 2);
    EXPECT_EQ(B->GetSortSettings()->GetDefaultFormat(), ssDate);
    ASSERT_EQ(B->GetFilter()->Count(), 1);
    EXPECT_EQ(B->GetFilter()->GetItems(0)->GetCondition(), L">5");
    EXPECT_EQ(B->GetColumnHeaders()->Get(0), L"Head");
    // The copied column headers show in the header row.
    EXPECT_EQ(GridToText(*B, TGridRect{0, 0, 3, 5}),
              L"Head|||\n|one||\n|||\n|||\n|||\n|||two\r\nlines\n");
    B->Assign(B.get());                     // itself: nothing
    TFreePtr<TFont> Other(Create<TFont>());
    B->Assign(Other.get());                 // another class: ignored
    EXPECT_EQ(B->GetColCount(), 4);
}

TEST(QorGridAssign, CellsTravelThroughTheUtf16CellStream)
{
    TFreePtr<TTestableQorGrid> A(Create<TTestableQorGrid>(nullptr));
    A->SetCellEx(2, 3, L"a,b,c");
    A->SetCellEx(0, 0, L"corner");
    TFreePtr<TMemoryStream> S(Create<TMemoryStream>());
    A->SaveToStream(S.get());
    A->SaveToStream(S.get());   // two grids one after the other
    const String Text(reinterpret_cast<const wchar_t*>(S->GetMemory()), size_t(S->GetSize() / 2));
    EXPECT_EQ(Text.substr(0, 5), L"5,10\r");
    EXPECT_NE(Text.find(L"cw 4,64\r\n"), String::npos);
    EXPECT_NE(Text.find(L"2,3,a,b,c\r\n"), String::npos);
    EXPECT_EQ(A->Notes.Exports.front(), std::pair(esExportStart, 0));
    EXPECT_EQ(A->Notes.Exports.back(), std::pair(esExportDone, -1));

    TFreePtr<TTestableQorGrid> B(Create<TTestableQorGrid>(nullptr));
    TFreePtr<TTestableQorGrid> C(Create<TTestableQorGrid>(nullptr));
    S->SetPosition(0);
    B->LoadFromStream(S.get());
    C->LoadFromStream(S.get());
    for (TQorStringGrid* G : {B.get(), C.get()}) {
        EXPECT_EQ(G->GetCellEx(2, 3), L"a,b,c");
        EXPECT_EQ(G->GetCellEx(0, 0), L"corner");
    }
    EXPECT_FALSE(B->Notes.CellsChanged.empty());
}

TEST(QorGridAssign, StreamCellsOutsideTheSizedGridArePassedOver)
{
    const String Lines = L"2,2\r\n1,1,in\r\n900000,5,far\r\n1,800000000,deep\r\n";
    TFreePtr<TMemoryStream> S(Create<TMemoryStream>());
    S->WriteBuffer(Lines.data(), Integer(Lines.size() * 2));
    S->SetPosition(0);
    TFreePtr<TQorStringGrid> G(Create<TQorStringGrid>(nullptr));
    G->LoadFromStream(S.get());
    EXPECT_EQ(G->GetRowCount(), 2);
    EXPECT_EQ(G->GetCellEx(1, 1), L"in");
    EXPECT_LE(G->StoredRowCount(), 2);
}
