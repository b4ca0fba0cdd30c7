// Image lists: adding bitmaps, masks and icons, drawing enabled and greyed, order changes,
// notifications and freeing.
#include "framework/ImgList.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

namespace {

// A strip of N 16 x 16 images: image I is filled with Colors[I] and has a fuchsia border pixel
// ring (the mask colour).
std::unique_ptr<TBitmap> Strip(std::initializer_list<TColor> Colors)
{
    std::unique_ptr<TBitmap> B(Create<TBitmap>());
    B->SetPixelFormat(pf24bit);
    B->SetSize(16 * int(Colors.size()), 16);
    TCanvas* C = B->GetCanvas();
    int I = 0;
    for (TColor Color : Colors) {
        C->GetBrush()->SetColor(clFuchsia);
        C->FillRect(Bounds(I * 16, 0, 16, 16));
        C->GetBrush()->SetColor(Color);
        C->FillRect(Bounds(I * 16 + 2, 2, 12, 12));
        ++I;
    }
    return B;
}

// The colour at the centre of image Index drawn by the list on a lime surface.
TColor Centre(TCustomImageList& L, int Index, bool Enabled = true)
{
    TDibSurface S(16, 16, clLime);
    L.Draw(S.Canvas(), 0, 0, Index, Enabled);
    return S.Pixel(8, 8);
}

}  // namespace

TEST(ImageList, AddMaskedSplitsAStripAndMasksTheColour)
{
    TImageList L(nullptr);
    EXPECT_EQ(L.GetWidth(), 16);
    EXPECT_EQ(L.GetCount(), 0);
    auto B = Strip({clRed, clBlue, clYellow});
    EXPECT_EQ(L.AddMasked(B.get(), clFuchsia), 0);
    EXPECT_EQ(L.GetCount(), 3);
    EXPECT_EQ(B->GetCanvas()->GetPixels(0, 0), clFuchsia);   // the caller's bitmap is untouched

    TDibSurface S(20, 20, clLime);
    L.Draw(S.Canvas(), 2, 2, 1);
    EXPECT_EQ(S.Pixel(10, 10), clBlue);
    EXPECT_EQ(S.Pixel(2, 2), clLime);   // masked
    EXPECT_EQ(S.CountColor(S.Bounds(), clFuchsia), 0);
    EXPECT_EQ(Centre(L, 2), clYellow);

    L.Draw(S.Canvas(), 0, 0, 3);   // past the end: nothing
    L.Draw(S.Canvas(), 0, 0, -1);
    EXPECT_EQ(S.Pixel(0, 0), clLime);
}

TEST(ImageList, AddWithAMaskBitmapAndDefaultMaskColour)
{
    TImageList L(nullptr);
    auto B = Strip({clRed});
    TBitmap Mask;
    Mask.SetPixelFormat(pf1bit);
    Mask.SetSize(16, 16);   // white: everything transparent
    Mask.GetCanvas()->GetBrush()->SetColor(clBlack);
    Mask.GetCanvas()->FillRect(Rect(4, 4, 12, 12));   // but the middle
    L.Add(B.get(), &Mask);
    TDibSurface S(16, 16, clLime);
    L.Draw(S.Canvas(), 0, 0, 0);
    EXPECT_EQ(S.Pixel(8, 8), clRed);
    EXPECT_EQ(S.Pixel(3, 3), clLime);

    L.AddMasked(B.get(), clDefault);   // the bottom-left pixel's fuchsia
    EXPECT_EQ(Centre(L, 1), clRed);
    TDibSurface T(16, 16, clLime);
    L.Draw(T.Canvas(), 0, 0, 1);
    EXPECT_EQ(T.Pixel(0, 0), clLime);
}

TEST(ImageList, DisabledImagesAreGreyOverTheBackground)
{
    TImageList L(nullptr);
    auto B = Strip({clRed});
    L.AddMasked(B.get(), clFuchsia);
    TDibSurface S(16, 16, clLime);
    L.Draw(S.Canvas(), 0, 0, 0, false);
    TColor C = S.Pixel(8, 8);
    EXPECT_EQ(GetRValue(C), GetGValue(C));
    EXPECT_EQ(GetGValue(C), GetBValue(C));
    EXPECT_NE(C, clRed);
    EXPECT_EQ(S.Pixel(0, 0), clLime);
}

TEST(ImageList, IconsInAndOut)
{
    TImageList L(nullptr);
    auto B = Strip({clBlue});
    L.AddMasked(B.get(), clFuchsia);
    TIcon I;
    L.GetIcon(0, &I);
    EXPECT_EQ(I.GetWidth(), 16);
    EXPECT_EQ(L.AddIcon(&I), 1);
    EXPECT_EQ(Centre(L, 1), clBlue);
    TDibSurface S(16, 16, clLime);
    L.Draw(S.Canvas(), 0, 0, 1);
    EXPECT_EQ(S.Pixel(0, 0), clLime);   // the icon kept the mask

    TBitmap Out;
    EXPECT_TRUE(L.GetBitmap(1, &Out));
    EXPECT_EQ(Out.GetWidth(), 16);
    EXPECT_EQ(Out.GetCanvas()->GetPixels(8, 8), clBlue);
    EXPECT_FALSE(L.GetBitmap(5, &Out));
    EXPECT_THROW(L.GetIcon(5, &I), EInvalidOperation);
    TIcon Empty;
    EXPECT_THROW(L.AddIcon(&Empty), EInvalidOperation);
    TBitmap None;
    EXPECT_THROW(L.Add(&None, nullptr), EInvalidOperation);
}

TEST(ImageList, DeleteInsertMoveReplaceAndClear)
{
    TImageList L(nullptr);
    auto B = Strip({clRed, clLime, clBlue});
    L.AddMasked(B.get(), clFuchsia);
    auto Order = [&] {
        std::vector<TColor> V;
        for (int I = 0; I < L.GetCount(); ++I) {
            TDibSurface S(16, 16, clBlack);
            L.Draw(S.Canvas(), 0, 0, I);
            V.push_back(S.Pixel(8, 8));
        }
        return V;
    };
    L.Delete(1);
    EXPECT_EQ(Order(), (std::vector<TColor>{clRed, clBlue}));
    auto Y = Strip({clYellow});
    L.InsertMasked(0, Y.get(), clFuchsia);
    EXPECT_EQ(Order(), (std::vector<TColor>{clYellow, clRed, clBlue}));
    L.Move(0, 2);
    EXPECT_EQ(Order(), (std::vector<TColor>{clRed, clBlue, clYellow}));
    auto A = Strip({clAqua});
    L.ReplaceMasked(1, A.get(), clFuchsia);
    EXPECT_EQ(Order(), (std::vector<TColor>{clRed, clAqua, clYellow}));
    EXPECT_THROW(L.Delete(3), EInvalidOperation);
    EXPECT_THROW(L.InsertMasked(5, Y.get(), clFuchsia), EInvalidOperation);
    L.Clear();
    EXPECT_EQ(L.GetCount(), 0);
}

TEST(ImageList, ChangeNotificationsAndUpdates)
{
    TImageList L(nullptr);
    int Changes = 0, Linked = 0;
    L.OnChange = [&](TObject* S) { EXPECT_EQ(S, &L); ++Changes; };
    TChangeLink Link;
    Link.OnChange = [&](TObject* S) { EXPECT_EQ(S, &L); ++Linked; };
    L.RegisterChanges(&Link);
    auto B = Strip({clRed, clBlue});
    L.AddMasked(B.get(), clFuchsia);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Linked, 1);
    L.BeginUpdate();
    L.Delete(0);
    L.Delete(0);
    EXPECT_EQ(Changes, 1);
    L.EndUpdate();
    EXPECT_EQ(Changes, 2);
    L.UnRegisterChanges(&Link);
    L.Clear();
    EXPECT_EQ(Linked, 2);
    EXPECT_EQ(Link.GetSender(), nullptr);
}

TEST(ImageList, ResizingEmptiesTheList)
{
    TImageList L(nullptr, 8, 8);
    EXPECT_EQ(L.GetWidth(), 8);
    auto B = Strip({clRed});
    L.AddMasked(B.get(), clFuchsia);   // 16 pixels wide: two 8 x 8 images
    EXPECT_EQ(L.GetCount(), 2);
    L.SetSize(16, 16);
    EXPECT_EQ(L.GetCount(), 0);
    IMAGEINFO Info{};
    L.AddMasked(B.get(), clFuchsia);
    ASSERT_TRUE(ImageList_GetImageInfo(L.GetHandle(), 0, &Info));
    EXPECT_EQ(Info.rcImage.right - Info.rcImage.left, 16);
}

TEST(ImageList, AssignCopiesTheImages)
{
    TImageList A(nullptr), C(nullptr);
    auto B = Strip({clRed, clBlue});
    A.AddMasked(B.get(), clFuchsia);
    C.Assign(&A);
    EXPECT_EQ(C.GetCount(), 2);
    EXPECT_EQ(Centre(C, 1), clBlue);
    A.Clear();
    EXPECT_EQ(C.GetCount(), 2);
}

namespace {

// A component that shows images from a list and must forget it when the list goes.
class TImageUser : public TComponent {
    DECLARE_CLASS(TImageUser, TComponent)
public:
    using TComponent::TComponent;
    void SetImages(TCustomImageList* Value)
    {
        if (FImages) FImages->RemoveFreeNotification(this);
        FImages = Value;
        if (FImages) FImages->FreeNotification(this);
    }
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        inherited::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
    }
    TCustomImageList* FImages = nullptr;
};

}  // namespace

TEST(ImageList, UsersHearWhenTheListIsFreed)
{
    TComponent* Owner = Create<TComponent>(nullptr);
    TImageUser* User = Create<TImageUser>(nullptr);
    TImageList* L = Create<TImageList>(Owner);
    User->SetImages(L);
    EXPECT_EQ(User->FImages, L);
    Owner->Free();   // frees the list with it
    EXPECT_EQ(User->FImages, nullptr);
    User->Free();
}

TEST(ImageList, LoadsBitmapAndIconResources)
{
    TImageList L(nullptr);
    EXPECT_FALSE(L.ResourceLoad(rtBitmap, L"NO_SUCH_BITMAP", clFuchsia));
    HMODULE User = GetModuleHandleW(L"user32.dll");
    EXPECT_TRUE(L.ResInstLoad(User, rtIcon, L"#32512", clNone));
    EXPECT_EQ(L.GetCount(), 1);
}
