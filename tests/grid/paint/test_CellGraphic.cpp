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
    int Angle;
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
    G->FCellAngle = C.Angle;
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
    ReleaseCase{ctImages, false, 0, 1, 0},          // always
    ReleaseCase{ctBalloon, false, 0, 1, 0},         // always
    ReleaseCase{ctPicture, true, 0, 1, 0},
    ReleaseCase{ctPicture, false, 0, 0, 0},
    ReleaseCase{ctRadio, true, 0, 1, 0},
    ReleaseCase{ctBitButton, false, 0, 0, 0},
    ReleaseCase{ctIcon, true, 0, 0, 1},
    ReleaseCase{ctIcon, false, 1, 1, 0},            // the balloon list of an icon
    ReleaseCase{ctCheckBox, false, 1, 1, 0},        // the balloon list of a check box
    ReleaseCase{ctCheckBox, true, 0, 0, 0},
    ReleaseCase{ctProgress, true, 1, 0, 0},         // colours, not objects
    ReleaseCase{ctRowCheckBox, true, 1, 0, 0}));

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
