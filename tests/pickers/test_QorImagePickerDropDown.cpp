// The image picker drop-down: folder loading (pictures, other files, folders, damaged, renamed,
// zero-byte, huge-header and Unicode-named files, a seeded random corruption run), the image
// list, selection by index and image index, the popup through real messages (keys by columns,
// Esc, type-ahead, sizes), shared pictures, the edit area by pixels, and snapshots.
// test-needs: desktop
#include "support/ImageBytes.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include "framework/ImgList.h"
#include "framework/Jpeg.h"
#include "framework/PngImage.h"
#include "framework/SysUtils.h"
#include "pickers/QorImagePickerDropDown.h"
#include "pickers/QorSharedGraphic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>

namespace {

void WriteFile(const String& Name, const Bytes& B)
{
    HANDLE H = CreateFileW(Name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(H, INVALID_HANDLE_VALUE);
    DWORD Written = 0;
    if (!B.empty()) ::WriteFile(H, B.data(), DWORD(B.size()), &Written, nullptr);
    CloseHandle(H);
}

Bytes JpegBytes(int W, int H, TColor Fill)
{
    auto B = SolidBitmap(W, H, Fill);
    return EncodeJpeg(B.get(), 90);
}

Bytes BmpBytes(int W, int H, TColor Fill)
{
    return SolidBitmap(W, H, Fill)->SaveToBytes();
}

// A folder of its own under the temporary folder, removed with what it holds.
class TTestFolder {
public:
    explicit TTestFolder(const String& Name)
    {
        static int Serial = 0;
        Path = GetTempDirectory() + L"imgpick_" + Name + L"_" + IntToStr(Int64(GetCurrentProcessId())) + L"_" +
               IntToStr(Int64(++Serial)) + L"\\";
        ForceDirectories(Path);
    }
    ~TTestFolder() { Remove(Path); }
    void Add(const String& Name, const Bytes& B) { WriteFile(Path + Name, B); }
    String Path;

private:
    static void Remove(const String& Dir)
    {
        TSearchRec F;
        if (FindFirst(Dir + L"*", faAnyFile, F) == 0) {
            do {
                if (F.Name == L"." || F.Name == L"..") continue;
                if (F.Attr & faDirectory) Remove(Dir + F.Name + L"\\");
                else DeleteFile(Dir + F.Name);
            } while (FindNext(F) == 0);
            FindClose(F);
        }
        RemoveDir(Dir);
    }
};

// A PNG header claiming 60000 x 60000 pixels, with no image data behind it.
Bytes HugeHeaderPng()
{
    Bytes B = PngBytes(4, 4, clRed);
    auto Put = [&](size_t At, uint32_t V) {
        B[At] = Byte(V >> 24);
        B[At + 1] = Byte(V >> 16);
        B[At + 2] = Byte(V >> 8);
        B[At + 3] = Byte(V);
    };
    Put(16, 60000);
    Put(20, 60000);
    return B;
}

// A JPEG whose frame header claims 65000 x 65000 pixels.
Bytes HugeHeaderJpeg()
{
    Bytes B = JpegBytes(8, 8, clBlue);
    for (size_t I = 0; I + 8 < B.size(); ++I)
        if (B[I] == 0xFF && (B[I + 1] == 0xC0 || B[I + 1] == 0xC2)) {
            B[I + 5] = 0xFD;
            B[I + 6] = 0xE8;
            B[I + 7] = 0xFD;
            B[I + 8] = 0xE8;
            break;
        }
    return B;
}

std::multiset<String> Captions(TQorImagePickerDropDown* P)
{
    std::multiset<String> S;
    for (int I = 0; I < P->GetItems()->GetCount(); ++I) S.insert(P->GetItems()->GetItems(I)->GetCaption());
    return S;
}

int Pictures(TQorImagePickerDropDown* P)
{
    int N = 0;
    for (int I = 0; I < P->GetItems()->GetCount(); ++I) N += !P->GetItems()->GetItems(I)->GetImage()->Empty();
    return N;
}

class ImagePicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterQorImagePickerDropDownClasses();
        Form = ui::NewForm(420, 360);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Picker = Create<TQorImagePickerDropDown>(Form);
        Picker->SetBounds(20, 20, 200, 40);
        Picker->SetParent(Form);
        Picker->OnSelect = [this](TObject*) { ++Selects; };
        Picker->OnChange = [this](TObject*) { ++Changes; };
    }
    void Show()
    {
        ui::ShowAndActivate(Form);
        Picker->SetFocus();
        ui::Pump();
    }
    bool Open() const { return Picker->GetDropDownForm()->GetVisible(); }
    void OpenPopup()
    {
        ui::PressKey(VK_F4);
        ASSERT_TRUE(Open());
    }
    // An image list of Count 16 x 16 images, image I filled with Colours[I % 3].
    TImageList* MakeImages(int Count)
    {
        auto* L = Create<TImageList>(Form);
        L->SetSize(16, 16);
        const TColor Colours[] = {clRed, clLime, clBlue};
        for (int I = 0; I < Count; ++I) L->Add(SolidBitmap(16, 16, Colours[I % 3]).get(), nullptr);
        return L;
    }

    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TQorImagePickerDropDown* Picker = nullptr;
    int Selects = 0, Changes = 0;
};

}  // namespace

TEST_F(ImagePicker, LoadsTheFilesOfAFolderAsPicturesOrEmptyEntries)
{
    TTestFolder D(L"mixed");
    D.Add(L"red.png", PngBytes(20, 10, clRed));
    D.Add(L"blue.jpg", JpegBytes(12, 8, clBlue));
    D.Add(L"green.bmp", BmpBytes(6, 6, clLime));
    D.Add(L"billede_\u00e6\u00f8\u00e5_\u65e5.png", PngBytes(8, 8, clYellow));
    D.Add(L"renamed.jpg", PngBytes(5, 5, clFuchsia));   // a PNG under another name
    D.Add(L"notes.txt", Bytes{'h', 'e', 'j'});
    D.Add(L"zero.png", Bytes{});
    Bytes Cut = PngBytes(30, 30, clRed);
    Cut.resize(Cut.size() / 2);
    D.Add(L"truncated.png", Cut);
    D.Add(L"hugeheader.png", HugeHeaderPng());
    D.Add(L"hugeheader.jpg", HugeHeaderJpeg());
    ForceDirectories(D.Path + L"sub.png");   // a folder matching the mask

    Picker->AddImagesFromFolder(D.Path + L"*.*", true);
    // Files only (no ".", ".." or folder); every file one entry; pictures with their names.
    EXPECT_EQ(Picker->GetItems()->GetCount(), 10);
    EXPECT_EQ(Pictures(Picker), 5);
    const std::multiset<String> Expected = {L"red.png", L"blue.jpg", L"green.bmp", L"billede_\u00e6\u00f8\u00e5_\u65e5.png",
                                            L"renamed.jpg", L"", L"", L"", L"", L""};
    EXPECT_EQ(Captions(Picker), Expected);
    for (int I = 0; I < Picker->GetItems()->GetCount(); ++I) {
        TImageItem* E = Picker->GetItems()->GetItems(I);
        if (E->GetCaption() == L"red.png") {
            EXPECT_EQ(E->GetImage()->GetWidth(), 20);
            EXPECT_EQ(E->GetImage()->GetHeight(), 10);
        }
        if (E->GetCaption().empty()) EXPECT_TRUE(E->GetImage()->Empty());
    }

    // A mask of one kind, a folder without a mask, with a separator, and a folder that is gone.
    TQorImagePickerDropDown* P2 = Create<TQorImagePickerDropDown>(Form);
    P2->AddImagesFromFolder(D.Path + L"*.png", false);
    EXPECT_EQ(P2->GetItems()->GetCount(), 5);
    EXPECT_EQ(Pictures(P2), 2);
    EXPECT_EQ(Captions(P2), (std::multiset<String>{L"", L"", L"", L"", L""}));
    P2->GetItems()->Clear();
    P2->AddImagesFromFolder(ExcludeTrailingPathDelimiter(D.Path), true);
    EXPECT_EQ(P2->GetItems()->GetCount(), 10);
    P2->GetItems()->Clear();
    P2->AddImagesFromFolder(D.Path, true);
    EXPECT_EQ(P2->GetItems()->GetCount(), 10);
    P2->GetItems()->Clear();
    P2->AddImagesFromFolder(D.Path + L"missing\\*.*", true);
    P2->AddImagesFromFolder(L"", true);
    EXPECT_EQ(P2->GetItems()->GetCount(), 0);
}

TEST_F(ImagePicker, SurvivesRandomlyDamagedPictures)
{
    TTestFolder D(L"random");
    std::mt19937 Rng(20261211);
    const Bytes Sources[] = {PngBytes(16, 16, clRed), JpegBytes(16, 16, clBlue), BmpBytes(16, 16, clLime)};
    const wchar_t* Ext[] = {L".png", L".jpg", L".bmp"};
    for (int I = 0; I < 90; ++I) {
        Bytes B = Sources[I % 3];
        std::uniform_int_distribution<size_t> Pos(0, B.size() - 1);
        switch (Rng() % 3) {
        case 0:   // flipped bytes
            for (int K = 0, N = 1 + int(Rng() % 8); K < N; ++K) B[Pos(Rng)] ^= Byte(1 + Rng() % 255);
            break;
        case 1:   // cut short
            B.resize(Pos(Rng));
            break;
        default:   // a run of random bytes
            for (size_t K = Pos(Rng), E = std::min(B.size(), K + 32); K < E; ++K) B[K] = Byte(Rng());
        }
        D.Add(L"pic" + IntToStr(I) + Ext[I % 3], B);
    }
    Picker->AddImagesFromFolder(D.Path + L"*.*", true);
    EXPECT_EQ(Picker->GetItems()->GetCount(), 90);
    // Every entry is a picture of a sane size or empty; all of them draw.
    TBitmap Target;
    Target.SetSize(64, 64);
    for (int I = 0; I < Picker->GetItems()->GetCount(); ++I) {
        TPicture* P = Picker->GetItems()->GetItems(I)->GetImage();
        if (P->Empty()) continue;
        // A damaged header may give another size, never one past what the decoders accept.
        EXPECT_GT(P->GetWidth(), 0);
        EXPECT_LE(P->GetWidth(), 65535);
        EXPECT_LE(P->GetHeight(), 65535);
        Target.GetCanvas()->Draw(0, 0, P->GetGraphic());
    }
}

TEST_F(ImagePicker, TenThousandFilesGiveTenThousandEntriesAndThePopupStillSteps)
{
    TTestFolder D(L"many");
    const Bytes One{'x'};
    for (int I = 0; I < 10000; ++I) D.Add(L"f" + IntToStr(I) + L".png", One);
    D.Add(L"last.png", PngBytes(8, 8, clRed));
    Picker->AddImagesFromFolder(D.Path + L"*.png", true);
    ASSERT_EQ(Picker->GetItems()->GetCount(), 10001);
    EXPECT_EQ(Pictures(Picker), 1);
    Show();
    OpenPopup();
    ui::PressKey(VK_END);
    EXPECT_EQ(Picker->GetItemIndex(), 10000);
    ui::PressKey(VK_PRIOR);
    EXPECT_LT(Picker->GetItemIndex(), 10000);
    ui::PressKey(VK_RETURN);
    EXPECT_FALSE(Open());
}

TEST_F(ImagePicker, FillsFromTheImageListAndSelectsByImageIndex)
{
    Picker->SetImages(MakeImages(10));
    Picker->AddImagesFromImageList();
    ASSERT_EQ(Picker->GetItems()->GetCount(), 10);
    EXPECT_EQ(Picker->GetItems()->GetItems(7)->GetImageIndex(), 7);
    EXPECT_EQ(Picker->GetImageIndex(), -1);
    Picker->SetImageIndex(5);
    EXPECT_EQ(Picker->GetItemIndex(), 5);
    EXPECT_EQ(Picker->GetImageIndex(), 5);
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Changes, 1);
    // The same index fires nothing; one past the end is ignored; 99 clears.
    Picker->SetItemIndex(5);
    Picker->SetItemIndex(10);
    Picker->SetItemIndex(1000000);
    EXPECT_EQ(Picker->GetItemIndex(), 5);
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Changes, 1);
    Picker->SetImageIndex(99);
    EXPECT_EQ(Picker->GetItemIndex(), -1);
    EXPECT_EQ(Selects, 2);
    Picker->SetItemIndex(-5);
    EXPECT_EQ(Selects, 2);
    // Entries removed under the selection leave no index past them.
    Picker->SetItemIndex(8);
    Picker->GetItems()->Clear();
    EXPECT_EQ(Picker->GetItemIndex(), -1);
    EXPECT_EQ(Picker->GetImageIndex(), -1);

    TQorImagePickerDropDown* Bare = Create<TQorImagePickerDropDown>(Form);
    Bare->AddImagesFromImageList();   // no image list: nothing
    EXPECT_EQ(Bare->GetItems()->GetCount(), 0);
}

TEST_F(ImagePicker, TheEditShowsThePictureCentredAndClipped)
{
    TTestFolder D(L"edit");
    D.Add(L"a.png", PngBytes(16, 16, clRed));
    D.Add(L"wide.png", PngBytes(400, 100, clBlue));
    Picker->AddImagesFromFolder(D.Path + L"a.png", true);
    Picker->AddImagesFromFolder(D.Path + L"wide.png", true);
    Picker->SetImages(MakeImages(3));
    Picker->GetItems()->Add()->SetImageIndex(1);    // lime from the list
    Picker->GetItems()->Add()->SetImageIndex(50);   // past the list: nothing
    Picker->GetItems()->GetItems(0)->SetImageIndex(2);   // picture and index: the picture wins
    Show();
    auto Shot = [&] {
        ui::Pump();
        return CaptureWindowAsShown(Picker->GetHandle());
    };
    const TRect E = Picker->GetEditRect();
    const TPoint Mid((E.Left + E.Right) / 2 + 2, (E.Top + E.Bottom) / 2 + 2);   // window = client + border
    Picker->SetItemIndex(0);
    auto S0 = Shot();
    EXPECT_EQ(S0->Pixel(Mid.X, Mid.Y), clRed);
    EXPECT_EQ(S0->CountColor(S0->Bounds(), clBlue), 0);
    S0->SavePng(SnapshotPath(L"ImagePickerEditPicture.png"));
    Picker->SetItemIndex(1);
    auto S1 = Shot();
    // The wide picture stays inside the edit rectangle: the drop button keeps its look.
    const int ButtonLeft = Picker->GetButton()->GetLeft() + 2;
    EXPECT_EQ(S1->CountColor(TRect(ButtonLeft + 1, 4, S1->Width() - 2, S1->Height() - 4), clBlue), 0);
    EXPECT_GT(S1->CountColor(S1->Bounds(), clBlue), 100);
    Picker->SetItemIndex(2);
    EXPECT_EQ(Shot()->Pixel(Mid.X, Mid.Y), clLime);
    Picker->SetItemIndex(3);
    auto S3 = Shot();
    EXPECT_EQ(S3->CountColor(S3->Bounds(), clRed) + S3->CountColor(S3->Bounds(), clLime) +
                  S3->CountColor(S3->Bounds(), clBlue),
              0);
}

TEST_F(ImagePicker, ThePopupStepsByColumnsAndEscRestores)
{
    Picker->SetImages(MakeImages(12));
    Picker->AddImagesFromImageList();
    for (int I = 0; I < 12; ++I) Picker->GetItems()->GetItems(I)->SetCaption(L"Billede " + IntToStr(I));
    Picker->GetItems()->GetItems(9)->SetCaption(L"\u00c6ble");
    Picker->SetColumns(3);
    Picker->SetItemIndex(1);
    Show();
    OpenPopup();
    TQorCustomItemSelector* L = Picker->GetItemSelector();
    EXPECT_EQ(L->GetColumns(), 3);
    EXPECT_EQ(L->GetItems()->GetCount(), 12);
    ui::PressKey(VK_DOWN);
    EXPECT_EQ(Picker->GetItemIndex(), 4);
    ui::PressKey(VK_RIGHT);
    EXPECT_EQ(Picker->GetItemIndex(), 5);
    ui::PressKey(VK_UP);
    EXPECT_EQ(Picker->GetItemIndex(), 2);
    ui::PressKey(VK_UP);   // no row above: stays
    EXPECT_EQ(Picker->GetItemIndex(), 2);
    ui::TypeChar(L'\u00e6');
    EXPECT_EQ(Picker->GetItemIndex(), 9);
    EXPECT_TRUE(Open());
    ui::PressKey(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Picker->GetItemIndex(), 1);

    // The popup fits the list's panel (+ 4), the header and footer bands and its border.
    OpenPopup();
    const TSize Panel = L->GetItemPanelSize();
    TDropDownForm* F = Picker->GetDropDownForm();
    EXPECT_EQ(F->GetWidth(), Panel.cx + 4);
    EXPECT_EQ(F->GetHeight(), Panel.cy + 4 + 2 * Picker->GetDropDownBorderWidth() +
                                  Picker->GetDropDownHeader()->GetHeight() + Picker->GetDropDownFooter()->GetHeight());
    EXPECT_TRUE(F->GetHeader()->GetVisible());
    // A click on a cell chooses it and closes.
    TCustomItemSelector* P = L->GetSelectorPanel();
    const TRect R = P->GetItemRect(7);
    ui::MouseMove(P, R.Left + 3, R.Top + 3);
    ui::Click(P, R.Left + 3, R.Top + 3);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Picker->GetItemIndex(), 7);
    EXPECT_EQ(Picker->GetImageIndex(), 7);
}

TEST_F(ImagePicker, OpeningSharesThePicturesInsteadOfCopyingThem)
{
    TTestFolder D(L"share");
    for (int I = 0; I < 40; ++I) D.Add(L"p" + IntToStr(I) + L".png", PngBytes(32, 32, I % 2 ? clRed : clBlue));
    Picker->AddImagesFromFolder(D.Path + L"*.png", true);
    // A picture loaded by hand becomes shared once.
    TImageItem* Own = Picker->GetItems()->Add();
    Own->GetImage()->LoadFromFile(D.Path + L"p0.png");
    Show();
    for (int Round = 0; Round < 2; ++Round) {
        OpenPopup();
        TSelectorItems* Items = Picker->GetItemSelector()->GetItems();
        ASSERT_EQ(Items->GetCount(), 41);
        for (int I = 0; I < 41; ++I) {
            auto* A = dynamic_cast<TSharedGraphic*>(Items->GetItems(I)->GetImage()->GetGraphic());
            auto* B = dynamic_cast<TSharedGraphic*>(Picker->GetItems()->GetItems(I)->GetImage()->GetGraphic());
            ASSERT_TRUE(A && B) << I;
            EXPECT_TRUE(A->SharesWith(*B)) << I;
        }
        ui::PressKey(VK_ESCAPE);
    }
    // Copies of the entries share too.
    std::unique_ptr<TImageItems> Copy(Create<TImageItems>(nullptr));
    Copy->Assign(Picker->GetItems());
    auto* A = dynamic_cast<TSharedGraphic*>(Copy->GetItems(3)->GetImage()->GetGraphic());
    ASSERT_NE(A, nullptr);
    EXPECT_TRUE(A->SharesWith(*static_cast<TSharedGraphic*>(Picker->GetItems()->GetItems(3)->GetImage()->GetGraphic())));
}

TEST(SharedGraphic, KeepsABoundedNumberOfPicturesDecoded)
{
    std::vector<std::unique_ptr<TSharedGraphic>> All;
    TBitmap Target;
    Target.SetSize(8, 8);
    const Bytes Png = PngBytes(8, 8, clRed);
    for (size_t I = 0; I < TSharedGraphic::DecodedLimit + 50; ++I) {
        All.emplace_back(Create<TSharedGraphic>());
        All.back()->LoadFromBytes(Png);
        Target.GetCanvas()->Draw(0, 0, All.back().get());
    }
    EXPECT_LE(TSharedGraphic::DecodedCount(), TSharedGraphic::DecodedLimit);
    // A picture let go is decoded again when drawn.
    Target.GetCanvas()->Draw(0, 0, All.front().get());
    EXPECT_EQ(Target.GetCanvas()->GetPixels(2, 2), clRed);
    EXPECT_THROW(All.front()->LoadFromBytes(Bytes{1, 2, 3}), EInvalidGraphic);
    EXPECT_EQ(All.front()->GetWidth(), 8);   // unchanged by the failed load
}

TEST_F(ImagePicker, SnapshotsOfThePopup)
{
    TTestFolder D(L"gallery");
    const TColor Colours[] = {clRed, clLime, clBlue, clYellow, clFuchsia, clAqua, clMaroon, clNavy, clTeal};
    for (int I = 0; I < 9; ++I) {
        if (I % 2) D.Add(L"pic" + IntToStr(I) + L".jpg", JpegBytes(32, 24, Colours[I]));
        else D.Add(L"pic" + IntToStr(I) + L".png", PngBytes(32, 24, Colours[I]));
    }
    Picker->AddImagesFromFolder(D.Path + L"*.*", true);
    Picker->SetItemIndex(2);
    Show();
    OpenPopup();
    auto Snap = [&](const wchar_t* Name) {
        CaptureWindowAsShown(Picker->GetDropDownForm()->GetHandle())->SavePng(SnapshotPath(Name));
    };
    Snap(L"ImagePickerFolderOneColumn.png");
    ui::PressKey(VK_ESCAPE);
    Picker->SetColumns(3);
    OpenPopup();
    Snap(L"ImagePickerFolderThreeColumns.png");
    ui::PressKey(VK_ESCAPE);
    Picker->GetItems()->Clear();
    Picker->SetImages(MakeImages(9));
    Picker->AddImagesFromImageList();
    OpenPopup();
    Snap(L"ImagePickerImageList.png");
    ui::PressKey(VK_ESCAPE);
    EXPECT_FALSE(Open());
}
