// Markup pictures: loading, the GIF frame model and animation steps, drawing, bad bytes; the
// picture cache; the picture container with its named pictures, controls and stored form.
#include "graphics/PictureContainer.h"
#include "framework/Controls.h"
#include "framework/PngImage.h"
#include "framework/Streaming.h"
#include "support/ImageBytes.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Made by a common encoder: 6 x 5 logical screen, looping; frame 1 red 6 x 5 at (0, 0) with a
// delay of 10, frame 2 green 3 x 2 at (2, 1) with 20, frame 3 blue 2 x 2 at (4, 3) with 10;
// disposal "do not dispose" on every frame. The looping extension stands between the first
// frame's control extension and its image.
const Bytes AnimGif = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x06, 0x00, 0x05, 0x00, 0xF0, 0x00, 0x00, 0xFF, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x04, 0x0A, 0x00, 0x00, 0x00, 0x21, 0xFF, 0x0B, 0x4E, 0x45,
    0x54, 0x53, 0x43, 0x41, 0x50, 0x45, 0x32, 0x2E, 0x30, 0x03, 0x01, 0x00, 0x00, 0x00, 0x2C, 0x00,
    0x00, 0x00, 0x00, 0x06, 0x00, 0x05, 0x00, 0x00, 0x02, 0x05, 0x84, 0x8F, 0xA9, 0x6B, 0x05, 0x00,
    0x21, 0xF9, 0x04, 0x04, 0x14, 0x00, 0x00, 0x00, 0x2C, 0x02, 0x00, 0x01, 0x00, 0x03, 0x00, 0x02,
    0x00, 0x80, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x02, 0x02, 0x84, 0x5F, 0x00, 0x21, 0xF9, 0x04,
    0x04, 0x0A, 0x00, 0x00, 0x00, 0x2C, 0x04, 0x00, 0x03, 0x00, 0x02, 0x00, 0x02, 0x00, 0x80, 0x00,
    0x00, 0xFF, 0x00, 0x00, 0x00, 0x02, 0x02, 0x84, 0x51, 0x00, 0x3B,
};
constexpr size_t LoopExtAt = 27, LoopExtSize = 19;   // the looping extension
constexpr size_t ThirdImageAt = 0x65;                 // the third image separator

// The same file with every control extension directly followed by its image.
Bytes WithoutLoopExtension()
{
    Bytes B = AnimGif;
    B.erase(B.begin() + LoopExtAt, B.begin() + LoopExtAt + LoopExtSize);
    return B;
}

// ... and with the image separator right after the extension's four data bytes (no terminator).
Bytes WithoutTerminators()
{
    Bytes B = WithoutLoopExtension();
    for (size_t I = B.size() - 8; I-- > 13;)
        if (B[I] == 0x21 && B[I + 1] == 0xF9 && B[I + 2] == 4 && B[I + 7] == 0 && B[I + 8] == 0x2C)
            B.erase(B.begin() + I + 7);
    return B;
}

void LoadBytes(THTMLPicture* P, const Bytes& B)
{
    std::unique_ptr<TMemoryStream> S(new TMemoryStream());
    if (!B.empty()) S->Write(B.data(), Integer(B.size()));
    P->LoadFromStream(S.get());
}

std::unique_ptr<THTMLPicture> FromBytes(const Bytes& B)
{
    std::unique_ptr<THTMLPicture> P(Create<THTMLPicture>());
    LoadBytes(P.get(), B);
    return P;
}

String TempName(const wchar_t* Name)
{
    wchar_t Dir[MAX_PATH];
    GetTempPathW(MAX_PATH, Dir);
    return String(Dir) + Name;
}

// A control that records when it is asked to repaint.
class TInvalidateProbe : public TControl {
    DECLARE_CLASS(TInvalidateProbe, TControl)
public:
    TInvalidateProbe(TComponent* AOwner, std::vector<TInvalidateProbe*>* ALog) : TControl(AOwner), Log(ALog) {}
    void Invalidate() override { Log->push_back(this); }
    std::vector<TInvalidateProbe*>* Log;
};

}  // namespace

// ---- Loading and measuring ----------------------------------------------------------------------

TEST(HTMLPicture, NewPictureState)
{
    std::unique_ptr<THTMLPicture> P(Create<THTMLPicture>());
    EXPECT_TRUE(P->GetEmpty());
    EXPECT_EQ(P->GetWidth(), 0);
    EXPECT_EQ(P->GetHeight(), 0);
    EXPECT_TRUE(P->GetAsynch());
    EXPECT_FALSE(P->GetBusy());
    EXPECT_FALSE(P->GetIsDB());
    EXPECT_FALSE(P->GetStretched());
    EXPECT_EQ(P->GetFrame(), 1);
    EXPECT_EQ(P->GetFrameCount(), -1);
    EXPECT_FALSE(P->Step());
}

TEST(HTMLPicture, LoadsFromStreamFileAndReferences)
{
    const Bytes Png = PngBytes(8, 6, clRed);
    std::unique_ptr<THTMLPicture> P(Create<THTMLPicture>());
    int Changes = 0;
    P->OnChange = [&](TObject*) { ++Changes; };

    // A stream is taken whole, from its start, whatever its position.
    std::unique_ptr<TMemoryStream> S(new TMemoryStream());
    S->Write(Png.data(), Integer(Png.size()));
    P->LoadFromStream(S.get());
    EXPECT_FALSE(P->GetEmpty());
    EXPECT_EQ(P->GetWidth(), 8);
    EXPECT_EQ(P->GetHeight(), 6);
    EXPECT_EQ(P->GetMaxWidth(), 8);
    EXPECT_EQ(P->GetMaxHeight(), 6);
    EXPECT_FALSE(P->GetIsGIF());
    EXPECT_EQ(P->GetFrameCount(), -1);
    EXPECT_EQ(Changes, 1);
    P->LoadFromStream(nullptr);
    EXPECT_EQ(P->GetWidth(), 8);
    EXPECT_EQ(Changes, 1);
    // Its own bytes handed back are kept.
    P->LoadFromStream(P->GetDatastream());
    EXPECT_EQ(StreamBytes(P->GetDatastream()), Png);
    EXPECT_EQ(P->GetWidth(), 8);

    // A file, directly and as "FILE://"; the reference becomes the ID.
    const String Name = TempName(L"htmlpicture_test.png");
    {
        std::unique_ptr<TMemoryStream> F(new TMemoryStream());
        const Bytes Other = PngBytes(9, 3, clBlue);
        F->Write(Other.data(), Integer(Other.size()));
        F->SaveToFile(Name);
    }
    std::unique_ptr<THTMLPicture> FromFile(Create<THTMLPicture>());
    FromFile->LoadFromURL(L"file://" + Name);
    EXPECT_FALSE(FromFile->GetEmpty());
    EXPECT_EQ(FromFile->GetWidth(), 9);
    EXPECT_EQ(FromFile->GetID(), L"file://" + Name);
    DeleteFileW(Name.c_str());
    // A missing file is swallowed and leaves the picture empty, with no bytes to save.
    FromFile->LoadFromFile(Name);
    EXPECT_TRUE(FromFile->GetEmpty());
    EXPECT_EQ(FromFile->GetWidth(), 0);
    EXPECT_EQ(FromFile->GetDatastream()->GetSize(), 0);

    // A resource of the program, the prefix in any case and the name's case kept.
    std::unique_ptr<THTMLPicture> Res(Create<THTMLPicture>());
    Res->LoadFromURL(L"res://LOGO");
    EXPECT_FALSE(Res->GetEmpty());
    EXPECT_EQ(Res->GetID(), L"res://LOGO");
    EXPECT_EQ(Res->GetWidth(), 7);
    EXPECT_EQ(Res->GetHeight(), 5);

    // Nothing to load: the ID is still the source.
    struct Case { const wchar_t* Url; bool Asynch; bool Busy; };
    const Case Cases[] = {
        {L"RES://NoSuchPicture", true, false},
        {L"RES://", true, false},
        {L"FILE://", true, false},
        {L"http://example.invalid/a.png", false, false},
        // Asynchronous: a download thread is started that does nothing.
        {L"http://example.invalid/b.png", true, true},
    };
    for (const Case& C : Cases) {
        std::unique_ptr<THTMLPicture> Q(Create<THTMLPicture>());
        Q->SetAsynch(C.Asynch);
        EXPECT_NO_THROW(Q->LoadFromURL(C.Url)) << C.Url;
        EXPECT_TRUE(Q->GetEmpty()) << C.Url;
        EXPECT_EQ(Q->GetID(), C.Url);
        EXPECT_EQ(Q->GetBusy(), C.Busy) << C.Url;
    }
    std::unique_ptr<THTMLPicture> Q(Create<THTMLPicture>());
    EXPECT_THROW(Q->LoadFromResourceID(GetModuleHandleW(nullptr), 31999), EResNotFound);
    Q->LoadFromResourceName(GetModuleHandleW(nullptr), L"LOGO");
    EXPECT_EQ(Q->GetWidth(), 7);
}

TEST(HTMLPicture, AssignSources)
{
    auto Gif = FromBytes(AnimGif);
    Gif->SetStretched(true);
    Gif->SetID(L"RES://ANIM");
    Gif->SetFrame(2);

    std::unique_ptr<THTMLPicture> P(Create<THTMLPicture>());
    int Changes = 0;
    P->OnChange = [&](TObject*) { ++Changes; };
    P->Assign(Gif.get());
    EXPECT_FALSE(P->GetEmpty());
    EXPECT_TRUE(P->GetStretched());
    EXPECT_EQ(P->GetID(), L"RES://ANIM");
    EXPECT_EQ(P->GetFrame(), 2);
    EXPECT_EQ(P->GetFrameXPos(), 2);
    EXPECT_EQ(P->GetWidth(), 6);
    EXPECT_EQ(StreamBytes(P->GetDatastream()), AnimGif);
    EXPECT_EQ(Changes, 1);

    // Assigning itself changes nothing.
    P->Assign(P.get());
    EXPECT_EQ(StreamBytes(P->GetDatastream()), AnimGif);

    // Another graphic's bytes, through a holder or directly; frame back to 1.
    std::unique_ptr<TPngImage> Png(Create<TPngImage>());
    {
        const Bytes B = PngBytes(4, 3, clRed);
        std::unique_ptr<TMemoryStream> S(new TMemoryStream());
        S->Write(B.data(), Integer(B.size()));
        S->SetPosition(0);
        Png->LoadFromStream(S.get());
    }
    std::unique_ptr<TPicture> Holder(Create<TPicture>());
    Holder->SetGraphic(Png.get());
    P->Assign(Holder.get());
    EXPECT_FALSE(P->GetEmpty());
    EXPECT_EQ(P->GetFrame(), 1);
    EXPECT_EQ(P->GetWidth(), 4);
    EXPECT_EQ(P->GetFrameCount(), -1);

    // Nil and a holder without a graphic empty the picture and its bytes.
    P->Assign(nullptr);
    EXPECT_TRUE(P->GetEmpty());
    EXPECT_EQ(P->GetWidth(), 0);
    EXPECT_EQ(P->GetDatastream()->GetSize(), 0);
    P->Assign(Png.get());
    EXPECT_EQ(P->GetHeight(), 3);
    std::unique_ptr<TPicture> EmptyHolder(Create<TPicture>());
    P->Assign(EmptyHolder.get());
    EXPECT_TRUE(P->GetEmpty());
    EXPECT_EQ(P->GetDatastream()->GetSize(), 0);
}

// ---- GIF frame model and animation ------------------------------------------------------------

TEST(HTMLPicture, GifFrameModel)
{
    // The last layout is no valid file: it has frames, but GDI+ makes no image of it.
    struct Case { const char* Name; Bytes Data; int Width; };
    const Case Layouts[] = {
        {"encoder output", AnimGif, 6},
        {"extension right before each image", WithoutLoopExtension(), 6},
        {"separator right after the extension data", WithoutTerminators(), 0},
    };
    struct Frame { Word X, Y, W, H; int Delay; };
    const Frame Expected[] = {{0, 0, 6, 5, 10}, {2, 1, 3, 2, 20}, {4, 3, 2, 2, 10}};
    for (const Case& C : Layouts) {
        auto P = FromBytes(C.Data);
        ASSERT_TRUE(P->GetIsGIF()) << C.Name;
        ASSERT_EQ(P->GetFrameCount(), 3) << C.Name;
        EXPECT_EQ(P->GetFrameTime(0), -1) << C.Name;
        EXPECT_EQ(P->GetFrameTime(4), -1) << C.Name;
        EXPECT_EQ(P->GetAnimMaxX(), 6) << C.Name;
        EXPECT_EQ(P->GetAnimMaxY(), 5) << C.Name;
        for (int I = 1; I <= 3; ++I) {
            const Frame& F = Expected[I - 1];
            P->SetFrame(I);
            EXPECT_EQ(P->GetFrameTime(I), F.Delay) << C.Name << " frame " << I;
            EXPECT_EQ(P->GetFrameDisposal(), 1) << C.Name;
            EXPECT_FALSE(P->GetFrameTransp()) << C.Name;
            EXPECT_EQ(P->GetFrameXPos(), F.X) << C.Name << " frame " << I;
            EXPECT_EQ(P->GetFrameYPos(), F.Y) << C.Name << " frame " << I;
            EXPECT_EQ(P->GetFrameXSize(), F.W) << C.Name << " frame " << I;
            EXPECT_EQ(P->GetFrameYSize(), F.H) << C.Name << " frame " << I;
            // The picture's size stays the logical screen's.
            EXPECT_EQ(P->GetWidth(), C.Width) << C.Name;
        }
    }

    // A frame counts only when its whole position and size lie inside the data.
    struct Cut { size_t Size; int Frames; };
    const Cut Cuts[] = {{ThirdImageAt + 8, 2}, {ThirdImageAt + 9, 3}, {ThirdImageAt, 2}, {30, 0}, {13, 0}};
    for (const Cut& C : Cuts) {
        auto P = FromBytes(Bytes(AnimGif.begin(), AnimGif.begin() + C.Size));
        EXPECT_EQ(P->GetFrameCount(), C.Frames) << C.Size;
        EXPECT_EQ(P->GetFrameTime(C.Frames + 1), -1) << C.Size;
    }

    // Not a GIF: no frames, no frame times, and a new load forgets the old count.
    auto P = FromBytes(AnimGif);
    ASSERT_EQ(P->GetFrameCount(), 3);
    LoadBytes(P.get(), PngBytes(3, 3, clRed));
    EXPECT_EQ(P->GetFrameCount(), -1);
    EXPECT_EQ(P->GetFrameTime(1), -1);
    EXPECT_FALSE(P->GetIsGIF());
}

TEST(HTMLPicture, FrameStepsAndWrapping)
{
    auto P = FromBytes(AnimGif);
    int FrameChanges = 0;
    P->OnFrameChange = [&](TObject*) { ++FrameChanges; };
    // One step a tenth of a second: frame 1 lasts 10, frame 2 20, frame 3 10 hundredths.
    const bool Changes[] = {false, false, true, false, true, true};
    const int Frames[] = {1, 1, 2, 2, 3, 1};
    for (int I = 0; I < 6; ++I) {
        EXPECT_EQ(P->Step(), Changes[I]) << "step " << I + 1;
        EXPECT_EQ(P->GetFrame(), Frames[I]) << "step " << I + 1;
    }
    EXPECT_EQ(FrameChanges, 3);

    P->SetFrame(1);
    P->FramePrev();
    EXPECT_EQ(P->GetFrame(), 3);
    EXPECT_EQ(P->GetFrameXPos(), 4);
    P->FrameNext();
    EXPECT_EQ(P->GetFrame(), 1);

    // Without bytes the frame is only stored.
    std::unique_ptr<THTMLPicture> Empty(Create<THTMLPicture>());
    int EmptyChanges = 0;
    Empty->OnFrameChange = [&](TObject*) { ++EmptyChanges; };
    Empty->SetFrame(3);
    EXPECT_EQ(Empty->GetFrame(), 3);
    EXPECT_EQ(EmptyChanges, 0);
    Empty->FramePrev();
    EXPECT_EQ(Empty->GetFrame(), 2);
    Empty->SetFrame(1);
    Empty->FramePrev();
    EXPECT_EQ(Empty->GetFrame(), 1);

    // A single picture does not animate; the cache and a container's collection step them all.
    THTMLPictureCache Cache;
    LoadBytes(Cache.AddPicture(), PngBytes(2, 2, clRed));
    LoadBytes(Cache.AddPicture(), AnimGif);
    std::unique_ptr<TPictureContainer> Container(Create<TPictureContainer>(nullptr));
    LoadBytes(static_cast<THTMLPicture*>(Container->GetItems()->Add()->GetPicture()), AnimGif);
    EXPECT_FALSE(Cache.GetPicture(0)->Step());
    for (bool Expect : {false, false, true, false, true, true}) {
        EXPECT_EQ(Cache.Animate(), Expect);
        EXPECT_EQ(Container->GetItems()->Animate(), Expect);
    }
}

// ---- Drawing and bad bytes --------------------------------------------------------------------

TEST(HTMLPicture, DrawsIntoTheRectangle)
{
    TDibSurface Dib(40, 30, clWhite);
    auto Png = FromBytes(PngBytes(8, 6, clRed));
    Png->Draw(Dib.Canvas(), TRect{10, 10, 26, 22});
    EXPECT_EQ(Dib.Pixel(18, 16), clRed);
    EXPECT_EQ(Dib.Pixel(5, 5), clWhite);
    EXPECT_EQ(Dib.Pixel(30, 25), clWhite);
    EXPECT_EQ(Dib.InkBounds(Dib.Bounds()), (TRect{10, 10, 26, 22}));

    // A GIF draws its first frame whatever the current frame.
    Dib.Fill(clWhite);
    auto Gif = FromBytes(AnimGif);
    Gif->SetFrame(3);
    Gif->Draw(Dib.Canvas(), TRect{0, 0, 12, 10});
    EXPECT_EQ(Dib.Pixel(5, 5), clRed);

    // A bitmap is drawn with its bottom-left colour left out.
    std::unique_ptr<TBitmap> Bmp(Create<TBitmap>());
    Bmp->SetPixelFormat(pf24bit);
    Bmp->SetSize(6, 4);
    Bmp->GetCanvas()->GetBrush()->SetColor(clBlue);
    Bmp->GetCanvas()->FillRect(TRect{0, 0, 6, 4});
    Bmp->GetCanvas()->SetPixels(0, 3, clLime);
    std::unique_ptr<THTMLPicture> B(Create<THTMLPicture>());
    B->Assign(Bmp.get());
    EXPECT_EQ(B->GetWidth(), 6);
    Dib.Fill(clWhite);
    B->Draw(Dib.Canvas(), TRect{0, 0, 12, 8});
    EXPECT_EQ(Dib.CountColor(TRect{0, 0, 12, 8}, clLime), 0);
    EXPECT_GT(Dib.CountColor(TRect{0, 0, 12, 8}, clBlue), 0);

    // Empty pictures draw nothing.
    Dib.Fill(clWhite);
    std::unique_ptr<THTMLPicture> Empty(Create<THTMLPicture>());
    Empty->Draw(Dib.Canvas(), Dib.Bounds());
    Empty->Draw(nullptr, Dib.Bounds());
    EXPECT_TRUE(Dib.AllColor(Dib.Bounds(), clWhite));
}

TEST(HTMLPicture, BadBytesGiveNoPicture)
{
    const Bytes Png = PngBytes(8, 8, clGreen);
    Bytes Jpeg(64, 0);
    Jpeg[0] = 0xFF, Jpeg[1] = 0xD8, Jpeg[2] = 0xFF, Jpeg[3] = 0xE0;
    Bytes BadBmp(64, 0);
    BadBmp[0] = 'B', BadBmp[1] = 'M';
    Bytes GifHeaderOnly(AnimGif.begin(), AnimGif.begin() + 13);
    Bytes GifNoImage(AnimGif.begin(), AnimGif.begin() + 46);
    GifNoImage.push_back(0x3B);
    struct Case { const char* Name; Bytes Data; };
    const Case Cases[] = {
        {"nothing", {}},
        {"one byte", {0}},
        {"truncated png", Bytes(Png.begin(), Png.begin() + 40)},
        {"png header only", Bytes(Png.begin(), Png.begin() + 50)},
        {"jpeg marker only", Jpeg},
        {"bitmap header only", BadBmp},
        {"gif header only", GifHeaderOnly},
        {"gif without an image", GifNoImage},
        {"unknown", Bytes(5000, 0xAB)},
    };
    TDibSurface Dib(20, 20, clWhite);
    for (const Case& C : Cases) {
        auto P = FromBytes(C.Data);
        EXPECT_TRUE(P->GetEmpty()) << C.Name;
        EXPECT_EQ(P->GetWidth(), 0) << C.Name;
        EXPECT_EQ(P->GetHeight(), 0) << C.Name;
        EXPECT_LE(P->GetFrameCount(), 0) << C.Name;
        EXPECT_FALSE(P->Step()) << C.Name;
        P->SetFrame(2);
        P->Draw(Dib.Canvas(), Dib.Bounds());
        EXPECT_TRUE(Dib.AllColor(Dib.Bounds(), clWhite)) << C.Name;
    }
    // Every cut of the animation: no read past the end, at most the frames wholly inside.
    for (size_t Size = 0; Size < AnimGif.size(); ++Size) {
        auto P = FromBytes(Bytes(AnimGif.begin(), AnimGif.begin() + Size));
        EXPECT_LE(P->GetFrameCount(), 3) << Size;
        for (int I = 1; I <= 3; ++I) P->GetFrameTime(I);
        P->Step();
    }
}

// ---- Cache --------------------------------------------------------------------------------------

TEST(HTMLPictureCache, FindsByExactIDAndOwnsPictures)
{
    THTMLPictureCache Cache;
    EXPECT_EQ(Cache.FindPicture(L"RES://LOGO"), nullptr);
    THTMLPicture* A = Cache.AddPicture();
    A->LoadFromURL(L"RES://LOGO");
    THTMLPicture* B = Cache.AddPicture();
    B->SetAsynch(false);
    B->LoadFromURL(L"ftp://x/y.gif");
    EXPECT_EQ(Cache.Count(), 2);
    EXPECT_EQ(Cache.Items(0), A);
    EXPECT_EQ(Cache.FindPicture(L"RES://LOGO"), A);
    EXPECT_EQ(Cache.FindPicture(L"ftp://x/y.gif"), B);
    EXPECT_EQ(Cache.FindPicture(L"res://logo"), nullptr);
    EXPECT_EQ(A->GetWidth(), 7);

    THTMLPicture* C = Create<THTMLPicture>();
    C->SetID(L"third");
    Cache.SetPicture(1, C);
    EXPECT_EQ(Cache.FindPicture(L"third"), C);
    EXPECT_EQ(Cache.FindPicture(L"ftp://x/y.gif"), nullptr);

    Cache.ClearPictures();
    EXPECT_EQ(Cache.Count(), 0);
    EXPECT_EQ(Cache.FindPicture(L"RES://LOGO"), nullptr);
    Cache.AddPicture();   // freed with the cache
}

// ---- Container ----------------------------------------------------------------------------------

TEST(PictureContainer, FindsPicturesByName)
{
    std::unique_ptr<TPictureContainer> Container(Create<TPictureContainer>(nullptr));
    EXPECT_EQ(Container->GetVersionNr(), 0x02010000);
    EXPECT_EQ(Container->GetVersion(), L"2.1.0.0");
    Container->SetVersion(L"9.9");
    EXPECT_EQ(Container->GetVersion(), L"2.1.0.0");

    TPictureItem* Logo = Container->GetItems()->Add();
    Logo->SetName(L"LOGO");
    static_cast<THTMLPicture*>(Logo->GetPicture())->LoadFromURL(L"RES://LOGO");
    TPictureItem* Other = Container->GetItems()->Add();
    Other->SetName(L"Other");
    EXPECT_EQ(Other->GetDisplayName(), L"Other");
    EXPECT_EQ(Container->GetItems()->GetOwner(), Container.get());

    EXPECT_EQ(Container->FindPicture(L"logo"), Logo->GetPicture());
    EXPECT_EQ(Container->FindPicture(L"OTHER"), Other->GetPicture());
    EXPECT_EQ(Container->FindPicture(L"LOG"), nullptr);
    EXPECT_EQ(Container->FindPicture(L""), nullptr);

    // A copy in a framework picture, kept by the container until the next call.
    TPicture* First = Container->FindBitmap(L"Logo");
    ASSERT_NE(First, nullptr);
    EXPECT_NE(First->GetGraphic(), Logo->GetPicture());
    EXPECT_EQ(First->GetWidth(), 7);
    EXPECT_EQ(First->GetHeight(), 5);
    TPicture* Second = Container->FindBitmap(L"LOGO");
    ASSERT_NE(Second, nullptr);
    EXPECT_EQ(Second->GetWidth(), 7);
    EXPECT_EQ(Container->FindBitmap(L"missing"), nullptr);

    // An item copies name, tag and picture; setting a picture copies it into the item's own.
    TPictureItem* Copy = Container->GetItems()->Add();
    Logo->SetTag(42);
    Copy->Assign(Logo);
    EXPECT_EQ(Copy->GetName(), L"LOGO");
    EXPECT_EQ(Copy->GetTag(), 42);
    EXPECT_EQ(Copy->GetPicture()->GetWidth(), 7);
    EXPECT_NE(Copy->GetPicture(), Logo->GetPicture());
    Other->SetPicture(Logo->GetPicture());
    EXPECT_EQ(Other->GetPicture()->GetHeight(), 5);
}

TEST(PictureContainer, ChangedRepaintsRegisteredControls)
{
    std::unique_ptr<TComponent> Owner(Create<TComponent>(nullptr));
    std::vector<TInvalidateProbe*> Log;
    auto* A = Create<TInvalidateProbe>(Owner.get(), &Log);
    auto* B = Create<TInvalidateProbe>(Owner.get(), &Log);
    // Not owned with the container: only its own notice takes it out when it goes.
    auto* Loose = Create<TInvalidateProbe>(nullptr, &Log);
    auto* Container = Create<TPictureContainer>(Owner.get());
    int Changes = 0;
    Container->OnChange = [&](TObject*) { ++Changes; };
    Container->RegisterControl(B);
    Container->RegisterControl(A);
    Container->RegisterControl(B);
    Container->RegisterControl(Loose);
    Container->Changed();
    EXPECT_EQ(Log, (std::vector<TInvalidateProbe*>{B, A, B, Loose}));
    EXPECT_EQ(Changes, 1);

    B->Free();
    Loose->Free();
    Log.clear();
    Container->Changed();
    EXPECT_EQ(Log, (std::vector<TInvalidateProbe*>{A}));
    EXPECT_EQ(Container->GetControls().size(), 1u);
    EXPECT_EQ(Changes, 2);
}

TEST(PictureContainer, StoredFormRoundTrip)
{
    std::unique_ptr<TPictureContainer> Source(Create<TPictureContainer>(nullptr));
    Source->SetName(L"PictureContainer1");
    TPictureItem* Png = Source->GetItems()->Add();
    Png->SetName(L"Red");
    Png->SetTag(7);
    LoadBytes(static_cast<THTMLPicture*>(Png->GetPicture()), PngBytes(5, 4, clRed));
    TPictureItem* Gif = Source->GetItems()->Add();
    Gif->SetName(L"Anim");
    auto* GifPicture = static_cast<THTMLPicture*>(Gif->GetPicture());
    LoadBytes(GifPicture, AnimGif);
    GifPicture->SetFrame(2);
    GifPicture->SetStretched(true);
    Source->GetItems()->Add()->SetName(L"Nothing");

    const String Text = WriteComponentText(Source.get());
    EXPECT_NE(Text.find(L"Version = '2.1.0.0'"), String::npos) << Text;
    std::unique_ptr<TComponent> Read(CreateComponentFromText(Text, nullptr));
    auto* Copy = dynamic_cast<TPictureContainer*>(Read.get());
    ASSERT_NE(Copy, nullptr);
    ASSERT_EQ(Copy->GetItems()->Count(), 3);
    TPictureItem* RedItem = Copy->GetItems()->GetItem(0);
    EXPECT_EQ(RedItem->GetName(), L"Red");
    EXPECT_EQ(RedItem->GetTag(), 7);
    EXPECT_EQ(StreamBytes(static_cast<THTMLPicture*>(RedItem->GetPicture())->GetDatastream()), PngBytes(5, 4, clRed));
    EXPECT_EQ(RedItem->GetPicture()->GetWidth(), 5);
    auto* AnimCopy = static_cast<THTMLPicture*>(Copy->FindPicture(L"anim"));
    ASSERT_NE(AnimCopy, nullptr);
    EXPECT_EQ(StreamBytes(AnimCopy->GetDatastream()), AnimGif);
    EXPECT_EQ(AnimCopy->GetFrame(), 2);
    EXPECT_EQ(AnimCopy->GetFrameXPos(), 2);
    EXPECT_TRUE(AnimCopy->GetStretched());
    EXPECT_TRUE(Copy->FindPicture(L"Nothing")->GetEmpty());

    // The form data of a picture is its bytes as they are.
    std::unique_ptr<TMemoryStream> Data(new TMemoryStream());
    GifPicture->WriteData(Data.get());
    EXPECT_EQ(StreamBytes(Data.get()), AnimGif);
    std::unique_ptr<THTMLPicture> Back(Create<THTMLPicture>());
    int Changes = 0;
    Back->OnChange = [&](TObject*) { ++Changes; };
    Data->SetPosition(0);
    Back->ReadData(Data.get());
    EXPECT_FALSE(Back->GetEmpty());
    EXPECT_EQ(Back->GetWidth(), 6);
    EXPECT_EQ(Changes, 0);
}
