// The cell's widget record: what it releases for each kind, what Assign copies (never the
// ownership flag without the object), its live count and its published fields.
#include "grid/paint/CellGraphic.h"
#include "grid/BaseGrid.h"

#include "framework/TypInfo.h"

#include <gtest/gtest.h>

namespace {

// An object that says when it is freed.
class TProbe : public TObject {
public:
    explicit TProbe(int& Freed) : FFreed(Freed) {}
    ~TProbe() override { ++FFreed; }

private:
    int& FFreed;
};

struct ReleaseCase {
    TCellType Kind;
    bool Created;
    bool Balloon;
    int BitmapFreed, IconFreed;
};

class CellGraphicRelease : public ::testing::TestWithParam<ReleaseCase> {};

TEST_P(CellGraphicRelease, FreesWhatTheKindOwns)
{
    const ReleaseCase& C = GetParam();
    int BitmapFreed = 0, IconFreed = 0;
    TProbe* Bitmap = new TProbe(BitmapFreed);
    TProbe* Icon = new TProbe(IconFreed);
    auto* G = new TCellGraphic;
    G->FCellType = C.Kind;
    G->FCellCreated = C.Created;
    G->FCellBalloon = C.Balloon;
    G->FCellAngle = 1;   // a check box's look or a radio button's group, never a balloon
    G->FCellBitmap = Bitmap;
    G->FCellIcon = Icon;
    G->Free();
    EXPECT_EQ(BitmapFreed, C.BitmapFreed);
    EXPECT_EQ(IconFreed, C.IconFreed);
    // What the record did not own stays the caller's.
    if (!BitmapFreed) delete Bitmap;
    if (!IconFreed) delete Icon;
}

INSTANTIATE_TEST_SUITE_P(Kinds, CellGraphicRelease, ::testing::Values(
    ReleaseCase{ctImages, false, false, 1, 0},          // always
    ReleaseCase{ctBalloon, false, false, 1, 0},         // always
    ReleaseCase{ctPicture, true, false, 1, 0},
    ReleaseCase{ctPicture, false, false, 0, 0},
    ReleaseCase{ctRadio, true, false, 1, 0},
    ReleaseCase{ctBitButton, false, false, 0, 0},
    ReleaseCase{ctIcon, true, false, 0, 1},
    ReleaseCase{ctIcon, false, true, 1, 0},             // the balloon list of an icon
    ReleaseCase{ctCheckBox, false, true, 1, 0},         // the balloon list of a check box
    ReleaseCase{ctCheckBox, true, false, 0, 0},         // grayed look (angle 1): nothing to free
    ReleaseCase{ctRadioButton, false, false, 0, 0},     // group 1: nothing to free
    ReleaseCase{ctProgress, true, true, 0, 0},          // colours, not objects
    ReleaseCase{ctRowCheckBox, true, true, 0, 0}));

TEST(CellGraphic, NewRecordIsEmptyAndCounted)
{
    const int Before = TBaseCellGraphic::LiveCount();
    auto* G = new TCellGraphic;
    EXPECT_EQ(TBaseCellGraphic::LiveCount(), Before + 1);
    EXPECT_EQ(G->FCellType, ctNone);
    EXPECT_FALSE(G->FCellCreated);
    EXPECT_EQ(G->FCellBitmap, nullptr);
    EXPECT_TRUE(G->FCellText.empty());
    EXPECT_TRUE(G->FCellComment.empty());
    G->Free();
    EXPECT_EQ(TBaseCellGraphic::LiveCount(), Before);
}

TEST(CellGraphic, AssignCopiesTheWidgetButNeverItsObjectsOrTheirOwnership)
{
    int Freed = 0;
    TCellGraphic Src;
    Src.FCellType = ctPicture;
    Src.FCellCreated = true;
    Src.FCellBitmap = new TProbe(Freed);
    Src.FCellIndex = 4;
    Src.FCellAngle = 2;
    Src.FCellText = L"caption";
    Src.FCellComment = L"note";
    Src.FCommentColor = clRed;
    Src.FCellHAlign = haCenter;
    auto* Dst = new TCellGraphic;
    Dst->Assign(&Src);
    EXPECT_EQ(Dst->FCellType, ctPicture);
    EXPECT_EQ(Dst->FCellIndex, 4);
    EXPECT_EQ(Dst->FCellText, L"caption");
    EXPECT_EQ(Dst->FCellComment, L"note");
    EXPECT_EQ(Dst->FCommentColor, clRed);
    EXPECT_EQ(Dst->FCellHAlign, haCenter);
    EXPECT_EQ(Dst->FCellBitmap, nullptr);
    EXPECT_FALSE(Dst->FCellCreated);
    Dst->Free();   // must not free the source's picture
    EXPECT_EQ(Freed, 0);

    // A base record copies the widget only; another class is ignored.
    TBaseCellGraphic Base;
    Base.FCellType = ctButton;
    auto* D2 = new TCellGraphic;
    D2->FCellComment = L"kept";
    D2->Assign(&Base);
    EXPECT_EQ(D2->FCellType, ctButton);
    EXPECT_EQ(D2->FCellComment, L"kept");
    TFont F;
    D2->Assign(&F);
    EXPECT_EQ(D2->FCellType, ctButton);
    D2->Free();
}

TEST(CellGraphic, SetAngleBringsAnyAngleIntoRange)
{
    const std::pair<int, int> Cases[] = {{-90, 270}, {720, 360}, {360, 360}, {-360, 0}, {361, 1},
                                         {-450, 270}, {0, 0}, {2147483647, 127}, {-2147483647 - 1, 232}};
    for (auto [In, Out] : Cases) {
        TCellGraphic G;
        G.SetAngle(In);
        EXPECT_EQ(G.FCellType, ctRotated);
        EXPECT_EQ(G.FCellAngle, Out) << In;
    }
}

TEST(CellGraphic, ButtonSizeKeepsWidthLowAndHeightHigh)
{
    TCellGraphic G;
    G.SetButton(60, 20, L"Go", haFull, vaCenter);
    EXPECT_EQ(G.FCellIndex & 0xFFFF, 60);
    EXPECT_EQ(unsigned(G.FCellIndex) >> 16, 20u);
    EXPECT_EQ(G.FCellText, L"Go");
    EXPECT_FALSE(G.FCellBoolean);
}

TEST(CellGraphic, PictureFitsItsRoomByStretchMode)
{
    TFreePtr<TPicture> P{Create<TPicture>()};
    auto* B = Create<TBitmap>();
    B->SetSize(200, 100);
    P->SetGraphic(B);
    B->Free();
    struct Case { TStretchMode Mode; int cw, rh, padding; TPoint Want; };
    const Case Cases[] = {
        {StretchWithAspectRatio, 100, 100, 0, {100, 50}}, {ShrinkWithAspectRatio, 400, 400, 0, {200, 100}},
        {Shrink, 150, 150, 0, {150, 150}},                {Stretch, 80, 40, 0, {80, 40}},
        {noStretch, 10, 10, 0, {200, 100}},               {ShrinkWithAspectRatio, 100, 100, 0, {100, 50}},
        {StretchWithAspectRatio, 110, 110, 10, {100, 50}}, {Shrink, 300, 300, 0, {200, 100}}};
    for (const Case& C : Cases) {
        TCellGraphic G;
        G.SetPicture(P.get(), false, C.Mode, C.padding, haLeft, vaTop);
        EXPECT_EQ(G.GetPictureSize(C.cw, C.rh, false), C.Want) << int(C.Mode) << " " << C.cw;
    }
    // Another kind measures the graphic handed in; without one the result stays as given.
    TCellGraphic D;
    D.SetDataPicture(haLeft, vaTop);
    D.FCellAngle = int(Stretch);
    EXPECT_EQ(D.GetPictureSize(50, 60, false, P->GetGraphic()), TPoint(50, 60));
    EXPECT_EQ(D.GetPictureSize(50, 60, false, nullptr, TPoint(7, 8)), TPoint(7, 8));
}

TEST(CellGraphic, AssignCopiesColoursKeptApartFromObjects)
{
    TCellGraphic Src;
    Src.FCellType = ctProgress;
    Src.FCellBitmapColor = clRed;
    Src.FCellIconColor = clBlue;
    TCellGraphic Dst;
    Dst.Assign(&Src);
    EXPECT_EQ(Dst.FCellBitmapColor, clRed);
    EXPECT_EQ(Dst.FCellIconColor, clBlue);
    EXPECT_EQ(Dst.FCellBitmap, nullptr);
}

TEST(CellGraphic, PublishedFieldsAreReadAndWrittenByName)
{
    RegisterBaseGridClasses();
    TCellGraphic G;
    SetPropValue(&G, L"CellType", L"ctCheckBox");
    SetPropValue(&G, L"CellBoolean", L"True");
    SetPropValue(&G, L"CellHAlign", L"haAfterText");
    SetPropValue(&G, L"CellCheckBoxState", L"cbGrayed");
    SetPropValue(&G, L"CellComment", L"a note");
    SetPropValue(&G, L"CommentColor", L"clBlue");
    EXPECT_EQ(G.FCellType, ctCheckBox);
    EXPECT_TRUE(G.FCellBoolean);
    EXPECT_EQ(G.FCellHAlign, haAfterText);
    EXPECT_EQ(G.FCellCheckBoxState, cbGrayed);
    EXPECT_EQ(G.FCellComment, L"a note");
    EXPECT_EQ(GetPropValue(&G, L"CommentColor"), L"clBlue");
    EXPECT_EQ(GetPropValue(&G, L"CellValue"), L"0.0");
}

}  // namespace
