// The grid's cell widget records and widget operations: creating, finding, classifying and
// freeing records (the shared row-box record under HotmailRowSelect included), the Add / Create /
// Get / Remove families, balloons kept apart from a widget's look, comments, markers that leave
// widget data alone, the display-text hook, and bad input.
#include "tests/grid/QorGridKit.h"

#include "grid/paint/CellGraphic.h"
#include "framework/ImgList.h"

#include <gtest/gtest.h>

namespace {

class CellWidgets : public ::testing::Test {
protected:
    void SetUp() override
    {
        G = Create<TTestableQorGrid>(nullptr);
        G->SetColCount(5);
        G->SetRowCount(8);
    }
    void TearDown() override
    {
        G->Free();
        EXPECT_EQ(TBaseCellGraphic::LiveCount(), LiveAtStart);
    }

    const int LiveAtStart = TBaseCellGraphic::LiveCount();
    TTestableQorGrid* G = nullptr;
};

// An object that says when it is freed.
class TProbe : public TObject {
public:
    explicit TProbe(int& Freed) : FFreed(Freed) {}
    ~TProbe() override { ++FFreed; }

private:
    int& FFreed;
};

}  // namespace

TEST_F(CellWidgets, RecordLifecycleKeepsTheCellTextAndFreesOnlyWhatItOwns)
{
    EXPECT_EQ(G->GetCellType(1, 1), ctEmpty);
    TCellGraphic* R = G->CreateCellGraphic(1, 1);
    EXPECT_EQ(G->GetCellType(1, 1), ctNone);
    EXPECT_TRUE(G->GetCellEmpty(1, 1));
    EXPECT_TRUE(G->GetCellEx(1, 1).empty());
    R->FCellComment = L"note";
    EXPECT_FALSE(G->GetCellEmpty(1, 1));

    // Create replaces the record; Free detaches it; Remove only for the kind asked.
    G->AddButton(1, 1, 40, 16, L"Go", haLeft, vaTop);
    EXPECT_EQ(G->GetCellType(1, 1), ctButton);
    EXPECT_FALSE(G->RemoveCellGraphic(1, 1, ctBitmap));
    EXPECT_TRUE(G->RemoveCellGraphic(1, 1, ctButton));
    EXPECT_FALSE(G->FreeCellGraphic(1, 1));
    EXPECT_EQ(G->GetCellType(1, 1), ctEmpty);

    // A caller's radio list survives its record; the grid's own list goes with it.
    auto* Mine = Create<TStringList>();
    G->AddRadio(2, 2, 0, -1, Mine);
    G->RemoveRadio(2, 2);
    EXPECT_EQ(Mine->Count(), 0);   // still alive
    Mine->Free();
    TStrings* Own = G->CreateRadio(2, 3, 1, 0);
    Own->Add(L"a");
    EXPECT_EQ(G->GetRadioStrings(2, 3), Own);
    G->RemoveRadio(2, 3);

    // A picture of the caller's stays; a created one goes with its record.
    TFreePtr<TPicture> Pic{Create<TPicture>()};
    G->AddPicture(3, 3, Pic.get(), false, noStretch, 0, haLeft, vaTop);
    EXPECT_EQ(G->GetPicture(3, 3), Pic.get());
    EXPECT_TRUE(G->HasPicture(3, 3));
    G->RemovePicture(3, 3);
    TPicture* OwnPic = G->CreatePicture(3, 3, false, Stretch, 2, haLeft, vaTop);
    EXPECT_EQ(G->GetPicture(3, 3), OwnPic);
    EXPECT_TRUE(G->GetCellGraphic(3, 3)->FCellCreated);
}

TEST_F(CellWidgets, HotmailRowSelectSharesOneRecordAndNeverFreesIt)
{
    // The cell's own record in column 0 before the row box comes on.
    G->AddComment(0, 2, L"own");
    G->GetMouseActions()->SetHotmailRowSelect(true);
    G->SetRowCount(11);   // 10 data rows
    TCellGraphic* Shared = G->GetSharedCellGraphic();
    for (int r = 0; r < 11; ++r) {
        EXPECT_EQ(G->GetCellType(0, r), ctRowCheckBox);
        EXPECT_EQ(G->GetCellGraphic(0, r), Shared);
    }
    struct Case { int Selected, Angle; bool Boolean; };
    for (Case C : {Case{0, 0, false}, Case{3, 1, false}, Case{10, 0, true}}) {
        for (int r = 1; r < 11; ++r) G->SetRowSelect(r, r <= C.Selected);
        TCellGraphic* H = G->GetCellGraphic(0, 0);
        EXPECT_EQ(H->FCellAngle, C.Angle) << C.Selected;
        EXPECT_EQ(H->FCellBoolean, C.Boolean) << C.Selected;
    }
    EXPECT_TRUE(G->GetCellGraphic(0, 5)->FCellBoolean);

    // Creating and freeing act on the cell's own record: no leak, and the shared one lives on.
    const int Live = TBaseCellGraphic::LiveCount();
    G->CreateCellGraphic(0, 2);
    EXPECT_EQ(TBaseCellGraphic::LiveCount(), Live);   // the old own record went
    EXPECT_TRUE(G->FreeCellGraphic(0, 2));
    EXPECT_EQ(TBaseCellGraphic::LiveCount(), Live - 1);
    EXPECT_FALSE(G->FreeCellGraphic(0, 3));
    EXPECT_EQ(G->GetCellGraphic(0, 3), Shared);
    EXPECT_EQ(Shared->FCellType, ctRowCheckBox);
}

TEST_F(CellWidgets, HasQueriesAnswerForTheMergedAreasBaseCell)
{
    G->AddCheckBox(1, 1, true, false);
    G->MergeCells(1, 1, 2, 2);
    EXPECT_TRUE(G->HasCheckBox(2, 2));
    EXPECT_TRUE(G->IsCellGraphic(2, 1, {ctCheckBox}));
    EXPECT_FALSE(G->IsCellGraphic(2, 1, {ctButton, ctRadio}));
    EXPECT_FALSE(G->HasCheckBox(3, 3));
}

TEST_F(CellWidgets, BadIndexesRaiseForAddAndAnswerEmptyForQueries)
{
    const std::pair<int, int> Bad[] = {{-1, 1}, {1, -1}, {5, 1}, {1, 8}};
    for (auto [c, r] : Bad) {
        EXPECT_THROW(G->AddCheckBox(c, r, true, false), Exception) << c << "," << r;
        EXPECT_THROW(G->AddButton(c, r, 1, 1, L"", haLeft, vaTop), Exception);
        EXPECT_THROW(G->CreateCellGraphic(c, r), Exception);
        EXPECT_EQ(G->GetCellType(c, r), c < 0 || r < 0 ? ctEmpty : ctEmpty);
        EXPECT_EQ(G->GetCellGraphic(c, r), nullptr);
        EXPECT_FALSE(G->HasButton(c, r));
        EXPECT_FALSE(G->FreeCellGraphic(c, r));
        EXPECT_EQ(G->GetCellImageIdx(c, r), -1);
        EXPECT_EQ(G->GetScrollPosition(c, r), -1);
        EXPECT_FALSE(G->ToggleCheck(c, r, false));
        EXPECT_FALSE(G->ToggleRadioButton(c, r, true));
    }
    try {
        G->AddRating(9, 9, 5, clRed, clGray);
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.GetMessage(), L"Invalid cell");
    }
    EXPECT_EQ(G->GetCellType(1, 1), ctEmpty);   // nothing changed
}

TEST_F(CellWidgets, BalloonsMarkAWidgetWithoutChangingItsLookOrGroup)
{
    // On a progress bar: nothing; on an empty cell: a balloon record.
    G->AddProgress(1, 1, clRed, clWhite);
    G->AddBalloon(1, 1, L"T", L"X", biInfo);
    String Title, Text;
    TBalloonIcon Icon = biNone;
    EXPECT_FALSE(G->IsBalloon(1, 1, Title, Text, Icon));
    G->AddBalloon(2, 2, L"Title", L"Text", biWarning);
    EXPECT_TRUE(G->HasBalloon(2, 2));
    EXPECT_TRUE(G->IsBalloon(2, 2, Title, Text, Icon));
    EXPECT_EQ(Title, L"Title");
    EXPECT_EQ(Text, L"Text");
    EXPECT_EQ(Icon, biWarning);
    G->RemoveBalloon(2, 2);
    EXPECT_EQ(G->GetCellType(2, 2), ctEmpty);

    // A check box keeps its look, a radio button its group.
    G->AddCheckBox(3, 3, false, false);
    G->AddRadioButtonGroup(3, 4, rgRow, false);
    G->AddBalloon(3, 3, L"c", L"box", biError);
    G->AddBalloon(3, 4, L"r", L"button", biInfo);
    G->AddBalloon(3, 4, L"r2", L"again", biInfo);   // a second balloon replaces the first
    EXPECT_FALSE(G->HasBalloon(3, 3));
    EXPECT_TRUE(G->IsBalloon(3, 3, Title, Text, Icon));
    EXPECT_EQ(Text, L"box");
    EXPECT_EQ(G->GetCellGraphic(3, 3)->FCellAngle, 0);
    EXPECT_TRUE(G->HasRadioButtonGroup(3, 4, rgRow));
    EXPECT_TRUE(G->IsBalloon(3, 4, Title, Text, Icon));
    EXPECT_EQ(Title, L"r2");
    G->RemoveBalloon(3, 3);
    EXPECT_TRUE(G->HasCheckBox(3, 3));
    EXPECT_FALSE(G->IsBalloon(3, 3, Title, Text, Icon));
    // A group-1 radio button without a balloon is no balloon.
    G->AddRadioButton(4, 4, false);
    EXPECT_FALSE(G->IsBalloon(4, 4, Title, Text, Icon));
}

TEST_F(CellWidgets, MarkersLeaveWidgetDataAlone)
{
    G->AddMarker(1, 1, 2, 3);
    EXPECT_EQ(G->GetCellType(1, 1), ctEmpty);   // a marker record
    int From = -1, Len = -1;
    G->GetMarker(1, 1, From, Len);
    EXPECT_EQ(From, 2);
    EXPECT_EQ(Len, 3);
    G->RemoveMarker(1, 1);
    EXPECT_EQ(G->GetCellGraphic(1, 1), nullptr);

    G->AddProgressFormatted(2, 2, clRed, clBlack, clWhite, clBlack, L"%d%%", 10, 90, 1.0);
    G->AddScrollBar(2, 3, false);
    for (int r : {2, 3}) {
        G->AddMarker(2, r, 5, 5);
        G->RemoveMarker(2, r);
    }
    G->RemoveAllMarkers();
    EXPECT_EQ(G->GetCellGraphic(2, 2)->FCellErrFrom, 10);
    EXPECT_EQ(G->GetCellGraphic(2, 2)->FCellErrLen, 90);
    EXPECT_EQ(G->GetScrollProp(2, 3).Range, 100);
    G->GetMarker(2, 2, From, Len);
    EXPECT_EQ(From, 0);

    // Markers on other widgets come and go; the walk reaches hidden columns too.
    G->AddButton(4, 4, 10, 10, L"b", haLeft, vaTop);
    G->AddMarker(4, 4, 1, 1);
    G->RemoveAllMarkers();
    G->GetMarker(4, 4, From, Len);
    EXPECT_EQ(Len, 0);
    EXPECT_TRUE(G->HasButton(4, 4));
}

TEST_F(CellWidgets, CommentsLiveOnAnyRecord)
{
    G->AddComment(1, 1, L"first");
    EXPECT_EQ(G->GetCellGraphic(1, 1)->FCommentColor, G->GetControlLook()->GetCommentColor());
    G->SetComment(1, 1, L"second");
    EXPECT_EQ(G->GetComment(1, 1), L"second");
    G->AddColorComment(1, 2, L"red", clRed);
    G->AddCheckBox(1, 3, true, false);
    G->SetComment(1, 3, L"on a box");
    EXPECT_TRUE(G->HasCheckBox(1, 3));
    String C;
    EXPECT_TRUE(G->IsComment(1, 3, C));
    EXPECT_EQ(C, L"on a box");
    // A picture's caption is its comment.
    TCellGraphic* P = G->GetCellGraphic(2, 2);
    EXPECT_EQ(P, nullptr);
    G->CreatePicture(2, 2, false, noStretch, 0, haLeft, vaTop);
    G->GetCellGraphic(2, 2)->FCellText = L"caption";
    EXPECT_EQ(G->GetComment(2, 2), L"caption");
    G->RemoveAllComments();
    EXPECT_FALSE(G->IsComment(1, 1, C));
    EXPECT_TRUE(G->HasCheckBox(1, 3));
}

TEST_F(CellWidgets, SetRotatedReleasesWhatTheOldKindOwned)
{
    const int Live = TBaseCellGraphic::LiveCount();
    TBitmap* B = G->CreateBitmap(1, 1, false, haLeft, vaTop);
    B->SetSize(4, 4);
    G->SetRotated(1, 1, -90);
    int Angle = 0;
    EXPECT_TRUE(G->IsRotated(1, 1, Angle));
    EXPECT_EQ(Angle, 270);
    EXPECT_EQ(G->GetBitmap(1, 1), nullptr);
    EXPECT_FALSE(G->GetCellGraphic(1, 1)->FCellCreated);
    // A caller's bitmap stays alive.
    TFreePtr<TBitmap> Mine{Create<TBitmap>()};
    G->AddBitmap(1, 2, Mine.get(), false, haLeft, vaTop);
    G->SetRotated(1, 2, 45);
    Mine->SetSize(2, 2);
    G->AddRotated(1, 3, 720, L"up");
    EXPECT_TRUE(G->IsRotated(1, 3, Angle));
    EXPECT_EQ(Angle, 360);
    EXPECT_EQ(G->GetCellEx(1, 3), L"up");
    EXPECT_EQ(TBaseCellGraphic::LiveCount(), Live + 3);
}

TEST_F(CellWidgets, ImageWidgetsNeedTheGridsImageList)
{
    G->AddImageIdx(1, 1, 3, haLeft, vaTop);
    G->AddDataImage(1, 2, 3, haLeft, vaTop);
    G->AddMultiImage(1, 3, 0, haLeft, vaTop);
    int Idx = -1;
    EXPECT_FALSE(G->GetImageIdx(1, 1, Idx));
    EXPECT_EQ(G->GetCellType(1, 2), ctEmpty);
    G->AddDataPicture(1, 4, L"pic", haLeft, vaTop);
    EXPECT_EQ(G->GetCellType(1, 4), ctEmpty);

    TFreePtr<TImageList> Images{Create<TImageList>(nullptr)};
    G->SetImages(Images.get());
    G->AddImageIdx(1, 1, 3, haLeft, vaTop);
    EXPECT_TRUE(G->GetImageIdx(1, 1, Idx));
    EXPECT_EQ(Idx, 3);
    G->SetImageIdx(1, 1, 5);
    EXPECT_EQ(G->GetCellImageIdx(1, 1), 5);
    G->SetCellEx(1, 2, L"7");
    G->AddDataImage(1, 2, 3, haLeft, vaTop);
    EXPECT_EQ(G->GetCellEx(1, 2), L"7");   // an index already there stays
    G->AddDataImage(2, 2, 3, haLeft, vaTop);
    EXPECT_EQ(G->GetCellEx(2, 2), L"3");
    G->RemoveDataImage(2, 2);
    EXPECT_TRUE(G->GetCellEx(2, 2).empty());
    G->AddMultiImage(1, 3, 1, haLeft, vaTop);
    G->GetCellImages(1, 3)->Add(2);
    EXPECT_EQ(G->GetCellImages(1, 3)->Count(), 1);
    EXPECT_EQ(G->GetCellImages(1, 1), nullptr);
    G->SetImages(nullptr);
}

TEST_F(CellWidgets, ImageSortKeysAreEqualExactlyForSharedObjects)
{
    TFreePtr<TBitmap> A{Create<TBitmap>()}, B{Create<TBitmap>()};
    G->AddBitmap(1, 1, A.get(), false, haLeft, vaTop);
    G->AddBitmap(1, 2, A.get(), false, haLeft, vaTop);
    G->AddBitmap(1, 3, B.get(), false, haLeft, vaTop);
    EXPECT_EQ(G->GetCellImageIdx(1, 1), G->GetCellImageIdx(1, 2));
    EXPECT_NE(G->GetCellImageIdx(1, 1), G->GetCellImageIdx(1, 3));
    G->AddButton(1, 4, 1, 1, L"", haLeft, vaTop);
    EXPECT_EQ(G->GetCellImageIdx(1, 4), -1);
}

TEST_F(CellWidgets, ValueWidgetsKeepTheirFields)
{
    G->SetAutoNumAlign(true);
    G->AddProgressEx(1, 1, clRed, clWhite, clBlue, clBlack);
    TCellGraphic* P = G->GetCellGraphic(1, 1);
    EXPECT_EQ(P->FCellBitmapColor, clRed);
    EXPECT_EQ(P->FCellIconColor, clBlue);
    EXPECT_EQ(P->FCellBitmap, nullptr);   // colours never sit where objects go
    EXPECT_EQ(P->FCellErrLen, 100);
    EXPECT_EQ(G->GetCellProperties(1, 1)->GetAlignment(), taRightJustify);
    EXPECT_TRUE(G->HasProgress(1, 1));

    G->AddShape(2, 1, QorUtil::csRectangle, clYellow, clBlack, haCenter, vaCenter);
    EXPECT_EQ(G->GetShapeColor(2, 1), clYellow);
    G->SetShapeColor(2, 1, clLime);
    EXPECT_EQ(G->GetShapeColor(2, 1), clLime);
    EXPECT_EQ(G->GetShapeColor(2, 2), clNone);

    G->AddProgressPie(3, 1, clRed, 40);
    G->SetProgressPie(3, 1, 60);
    EXPECT_EQ(G->GetCellGraphic(3, 1)->FCellAngle, 60);
    G->SetProgressPie(2, 1, 60);   // not a pie
    EXPECT_EQ(G->GetCellGraphic(2, 1)->FCellAngle, int(QorUtil::csRectangle));

    G->AddScrollBar(1, 2, false);
    EXPECT_EQ(G->GetScrollPosition(1, 2), 0);
    G->SetScrollPosition(1, 2, 30);
    G->SetScrollProp(1, 2, TScrollProp{5, 200});
    EXPECT_EQ(G->GetScrollPosition(1, 2), 30);
    EXPECT_EQ(G->GetScrollProp(1, 2).PageSize, 5);
    EXPECT_EQ(G->GetScrollProp(1, 3).Range, -1);
    EXPECT_FALSE(G->HasAutoRangeScrollBar(1, 2));

    G->AddExpand(2, 3, 80);
    EXPECT_FALSE(G->GetExpandState(2, 3));
    EXPECT_TRUE(G->ToggleExpand(2, 3));
    EXPECT_EQ(G->GetExpandHeight(2, 3, true), 80);
    EXPECT_EQ(G->GetExpandHeight(2, 3, false), G->GetRowHeights(3));
    EXPECT_EQ(G->GetExpandHeight(4, 4, true), G->GetDefaultRowHeight());
    EXPECT_FALSE(G->ToggleExpand(4, 4));

    G->AddRating(3, 3, 5, clYellow, clGray);
    EXPECT_TRUE(G->HasRating(3, 3));
    EXPECT_EQ(G->GetCellGraphic(3, 3)->FCellHAlign, haFull);
}

TEST_F(CellWidgets, ButtonsByDisplayColumnAndRemovedEverywhere)
{
    G->AddButton(1, 1, 40, 16, L"Go", haLeft, vaTop);
    TBitmap* Glyph = G->CreateBitButton(2, 1, 40, 16, L"Bit", haLeft, vaTop);
    Glyph->SetSize(8, 8);
    G->SetButtonText(1, 1, L"Stop");
    EXPECT_EQ(G->GetButtonText(1, 1), L"Stop");
    G->PushButton(1, 1, true);
    EXPECT_TRUE(G->GetCellGraphic(1, 1)->FCellBoolean);
    EXPECT_TRUE(G->HasButton(2, 1));
    G->RemoveAllButtons();
    EXPECT_FALSE(G->HasButton(1, 1));
    EXPECT_FALSE(G->HasButton(2, 1));
}

TEST_F(CellWidgets, RemoveAllWalksReachHiddenColumnsAndRows)
{
    // The same widgets in a shown row (1 .. 3) and in a row that is hidden (4 .. 6).
    for (int r : {1, 4}) {
        G->AddButton(3, r, 40, 16, L"Go", haLeft, vaTop);
        G->AddComment(3, r + 1, L"note");
        G->AddCheckBox(3, r + 2, false, false);
        G->AddMarker(3, r + 2, 1, 2);
        G->AddMarker(1, r + 2, 1, 2);   // a marker-only record
    }
    const int Live = TBaseCellGraphic::LiveCount();
    G->HideColumns(2, 3);
    G->HideRows(4, 6);
    G->RemoveAllButtons();
    G->RemoveAllComments();
    G->RemoveAllMarkers();
    EXPECT_EQ(TBaseCellGraphic::LiveCount(), Live - 4);   // two buttons, two marker records
    G->UnHideRowsAll();
    G->UnHideColumnsAll();
    for (int r : {1, 4}) {
        SCOPED_TRACE(r);
        EXPECT_FALSE(G->HasButton(3, r));
        String C;
        EXPECT_FALSE(G->IsComment(3, r + 1, C));
        int From = -1, Len = -1;
        G->GetMarker(3, r + 2, From, Len);
        EXPECT_EQ(Len, 0);
        EXPECT_TRUE(G->HasCheckBox(3, r + 2));   // only the marker went
        EXPECT_EQ(G->GetCellType(1, r + 2), ctEmpty);
    }
}

TEST_F(CellWidgets, AddRefusesRowsNoWidgetOperationReaches)
{
    // Widgets go to the shown rows of the cell store: with rows hidden, a row at or past
    // RowCount is refused, although it is below the number of real rows.
    G->HideRows(2, 3);
    ASSERT_EQ(G->GetRowCount(), 6);
    const int Live = TBaseCellGraphic::LiveCount();
    for (int r : {6, 7}) {
        EXPECT_THROW(G->AddCheckBox(1, r, true, false), Exception) << r;
        EXPECT_THROW(G->AddComment(1, r, L"x"), Exception) << r;
    }
    EXPECT_EQ(TBaseCellGraphic::LiveCount(), Live);
    G->AddCheckBox(1, 5, true, false);   // the last shown row: real row 7
    EXPECT_TRUE(G->IsChecked(1, 7));
    G->UnHideRowsAll();
    EXPECT_TRUE(G->HasCheckBox(1, 7));
}

namespace {

// A picker editor as the layer above the grid makes it: it tells the grid of the choice.
class TPickerProbe : public TObject, public IGridColorChoice, public IGridImageChoice {
public:
    TColor ChosenColor() override { return clRed; }
    String ChosenColorText() override { return L"Red"; }
    int ChosenImageIndex() override { return 4; }
};

}  // namespace

TEST_F(CellWidgets, PickerChoicesReachTheSelectEvents)
{
    G->SetCol(2);
    G->SetRow(3);
    String Text;
    TColor Color = clNone;
    int Index = -1, Events = 0;
    G->OnColorSelect = [&](TObject* S, int c, int r, TColor C, const String& T) {
        EXPECT_EQ(S, G);
        EXPECT_EQ(std::pair(c, r), std::pair(2, 3));
        Color = C;
        Text = T;
        ++Events;
    };
    G->OnImageSelect = [&](TObject*, int c, int r, int I) {
        EXPECT_EQ(std::pair(c, r), std::pair(2, 3));
        Index = I;
        ++Events;
    };
    TPickerProbe Picker;
    G->DoColorSelect(&Picker);
    G->DoImageSelect(&Picker);
    EXPECT_EQ(Color, clRed);
    EXPECT_EQ(Text, L"Red");
    EXPECT_EQ(Index, 4);
    // Any other sender, or none, reports nothing.
    G->DoColorSelect(G);
    G->DoImageSelect(nullptr);
    EXPECT_EQ(Events, 2);
}

TEST_F(CellWidgets, DisplayTextLinksAndGroupCounts)
{
    G->SetURLShowInText(true);
    G->SetCellEx(2, 2, L"www.example.com");
    String Shown = G->GetCellEx(2, 2);
    EXPECT_NE(Shown.find(L"<a href="), String::npos) << Shown;

    // A node row in the node column: span 5, no sub-nodes.
    G->SetURLShowInText(false);
    TCellGraphic* N = G->CreateCellGraphic(0, 1);
    N->FCellType = ctNode;
    N->FCellIndex = 5;
    TGridTestAccess::SetNumNodes(*G, 1);
    G->GetGrouping()->SetShowGroupCount(true);
    G->SetCellEx(1, 1, L"Group");
    struct Case { const wchar_t* Format; const wchar_t* Shown; };
    for (Case C : {Case{L"", L"Group (4)"}, Case{L" [%d items]", L"Group [4 items]"}, Case{L" %s %d", L"Group (4)"}}) {
        G->GetGrouping()->SetGroupCountFormat(C.Format);
        EXPECT_EQ(G->GetCellEx(1, 1), C.Shown) << C.Format;
    }
    EXPECT_EQ(G->GetCellEx(2, 1), L"");   // only column 1
}

TEST_F(CellWidgets, SortIndicatorAndActiveHeaders)
{
    G->SetFixedRows(1);
    EXPECT_FALSE(G->ShouldDrawSortIndicator(1, 0));
    G->GetSortSettings()->SetShow(true);
    EXPECT_TRUE(G->ShouldDrawSortIndicator(1, 0));
    EXPECT_FALSE(G->ShouldDrawSortIndicator(1, 1));
    G->SetRowCount(2);   // FixedRows + 1 = RowCount: nothing to sort
    EXPECT_FALSE(G->ShouldDrawSortIndicator(1, 0));
    G->UpdateActiveCells(-5, 99, 99, -5);   // out of range: nothing happens
}

TEST_F(CellWidgets, NodeIndentIsTheLevelTimesTheIndent)
{
    EXPECT_EQ(G->NodeIndent(2), 0);
    G->CreateCellGraphic(0, 2)->FCellType = ctNode;
    G->GetCellProperties(0, 2)->SetNodeLevel(2);
    TGridTestAccess::SetNumNodes(*G, 1);
    EXPECT_EQ(G->NodeIndent(2), 2 * G->GetCellNode()->GetNodeIndent());
    EXPECT_EQ(G->NodeIndent(-1), 0);
    EXPECT_EQ(G->NodeIndent(3), 0);
}
