// Pictures and icons: holding any registered graphic, loading by extension and by content,
// streaming by class name; ICO data and icon handles.
#include "framework/Graphics.h"
#include "framework/Jpeg.h"
#include "framework/PngImage.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::unique_ptr<TBitmap> RedSquare(int N = 8)
{
    std::unique_ptr<TBitmap> B(Create<TBitmap>());
    B->SetPixelFormat(pf24bit);
    B->SetSize(N, N);
    B->GetCanvas()->GetBrush()->SetColor(clRed);
    B->GetCanvas()->FillRect(Rect(0, 0, N, N));
    return B;
}

// A 16 x 16 icon: a blue square with a transparent one-pixel border.
HICON BlueIcon()
{
    Byte And[16 * 16 / 8], Xor[16 * 16 * 4];
    std::memset(And, 0xFF, sizeof And);
    std::memset(Xor, 0, sizeof Xor);
    for (int Y = 1; Y < 15; ++Y)
        for (int X = 1; X < 15; ++X) {
            And[Y * 2 + X / 8] &= Byte(~(0x80 >> (X % 8)));
            Xor[(Y * 16 + X) * 4] = 255;   // blue
        }
    return CreateIcon(nullptr, 16, 16, 1, 32, And, Xor);
}

String TempFile(const String& Name)
{
    return SnapshotPath(Name);
}

}  // namespace

// ---- icons ------------------------------------------------------------------------------------

TEST(Icon, FromAHandleSavedAndLoadedDrawsTheSame)
{
    TIcon A;
    A.SetHandle(BlueIcon());
    EXPECT_EQ(A.GetWidth(), 16);
    EXPECT_EQ(A.GetHeight(), 16);
    TMemoryStream S;
    A.SaveToStream(&S);
    S.WriteInteger(77);
    S.SetPosition(0);
    TIcon B;
    B.LoadFromStream(&S);
    EXPECT_EQ(S.ReadInteger(), 77);   // read exactly the icon
    EXPECT_EQ(B.GetWidth(), 16);

    TDibSurface SA(20, 20, clLime), SB(20, 20, clLime);
    SA.Canvas()->Draw(2, 2, &A);
    SB.Canvas()->Draw(2, 2, &B);
    EXPECT_EQ(SA.Pixel(8, 8), clBlue);
    EXPECT_EQ(SA.Pixel(2, 2), clLime);   // the transparent border
    EXPECT_EQ(SB.DiffCount(SA), 0);

    // Loaded bytes are saved back unchanged.
    TMemoryStream S2;
    B.SaveToStream(&S2);
    EXPECT_EQ(S2.GetSize(), S.GetSize() - 4);
    EXPECT_EQ(std::memcmp(S2.GetMemory(), S.GetMemory(), size_t(S2.GetSize())), 0);
}

TEST(Icon, ChoosesTheImageNearestTheWantedSize)
{
    // One file with a 16 and a 32 pixel image, made from two saved icons.
    TIcon Small;
    Small.SetHandle(BlueIcon());
    std::vector<Byte> A = Small.SaveToBytes();
    HICON Big = static_cast<HICON>(CopyImage(Small.GetHandle(), IMAGE_ICON, 32, 32, 0));
    TIcon BigIcon;
    BigIcon.SetHandle(Big);
    std::vector<Byte> B = BigIcon.SaveToBytes();
    ASSERT_EQ(BigIcon.GetWidth(), 32);
    std::vector<Byte> Two = {0, 0, 1, 0, 2, 0};
    uint32_t ImgA = uint32_t(A.size() - 22), ImgB = uint32_t(B.size() - 22);
    auto Entry = [&](const std::vector<Byte>& F, uint32_t Size, uint32_t Offset) {
        Two.insert(Two.end(), F.begin() + 6, F.begin() + 14);
        for (int I = 0; I < 4; ++I) Two.push_back(Byte(Size >> (8 * I)));
        for (int I = 0; I < 4; ++I) Two.push_back(Byte(Offset >> (8 * I)));
    };
    Entry(A, ImgA, 38);
    Entry(B, ImgB, 38 + ImgA);
    Two.insert(Two.end(), A.begin() + 22, A.end());
    Two.insert(Two.end(), B.begin() + 22, B.end());

    TIcon I;
    I.SetSize(16, 16);
    I.LoadFromBytes(Two.data(), Two.size());
    EXPECT_EQ(I.GetWidth(), 16);
    I.SetSize(30, 30);
    EXPECT_EQ(I.GetWidth(), 32);
    EXPECT_EQ(I.SaveToBytes(), Two);   // choosing keeps the whole file
}

TEST(Icon, DamagedFilesRaise)
{
    TIcon Good;
    Good.SetHandle(BlueIcon());
    std::vector<Byte> D = Good.SaveToBytes();
    TIcon I;
    for (size_t Len = 0; Len < D.size(); ++Len)
        EXPECT_THROW(I.LoadFromBytes(D.data(), Len), EInvalidGraphic) << Len;
    std::vector<Byte> Far = D;
    Far[18] = 0xFF;   // image offset far outside
    EXPECT_THROW(I.LoadFromBytes(Far.data(), Far.size()), EInvalidGraphic);
    std::vector<Byte> Cursor = D;
    Cursor[2] = 2;
    EXPECT_THROW(I.LoadFromBytes(Cursor.data(), Cursor.size()), EInvalidGraphic);
    std::vector<Byte> Huge = D;
    Huge[22 + 4] = 0;
    Huge[22 + 5] = 0x40;   // a 16384 pixel wide inner bitmap
    EXPECT_THROW(I.LoadFromBytes(Huge.data(), Huge.size()), EInvalidGraphic);
    EXPECT_TRUE(I.GetEmpty());
}

TEST(Icon, SystemIconResource)
{
    TIcon I;
    I.SetSize(32, 32);
    I.LoadFromResourceID(GetModuleHandleW(L"user32.dll"), 32512 /*the application icon*/);
    EXPECT_EQ(I.GetWidth(), 32);
    EXPECT_NE(I.GetHandle(), nullptr);
    EXPECT_THROW(I.LoadFromResourceName(GetModuleHandleW(nullptr), L"NO_SUCH_ICON"), EResNotFound);
}

// ---- pictures ---------------------------------------------------------------------------------

TEST(Picture, BitmapOnDemandAndSizes)
{
    TPicture P;
    EXPECT_EQ(P.GetGraphic(), nullptr);
    EXPECT_EQ(P.GetWidth(), 0);
    TBitmap* B = P.GetBitmap();
    ASSERT_NE(B, nullptr);
    EXPECT_EQ(P.GetGraphic(), B);
    B->SetSize(12, 7);
    EXPECT_EQ(P.GetWidth(), 12);
    EXPECT_EQ(P.GetHeight(), 7);
    TIcon* I = P.GetIcon();   // a picture asked for another kind holds a new one of that kind
    EXPECT_EQ(P.GetGraphic(), I);
    EXPECT_TRUE(P.Empty());
}

TEST(Picture, OnChangeWhenTheGraphicChanges)
{
    TPicture P;
    int Changes = 0;
    P.OnChange = [&](TObject* S) { EXPECT_EQ(S, &P); ++Changes; };
    P.GetBitmap()->SetSize(5, 5);
    P.GetBitmap()->GetCanvas()->FillRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(Changes, 3);   // new bitmap, resized, drawn on
    P.SetGraphic(nullptr);
    EXPECT_EQ(Changes, 4);
}

TEST(Picture, AssignCopiesAndAnEmptySourceEmpties)
{
    auto B = RedSquare();
    TPicture A, C;
    A.SetGraphic(B.get());
    EXPECT_NE(A.GetGraphic(), B.get());   // a copy
    C.Assign(&A);
    ASSERT_NE(dynamic_cast<TBitmap*>(C.GetGraphic()), nullptr);
    EXPECT_NE(C.GetGraphic(), A.GetGraphic());
    EXPECT_EQ(C.GetBitmap()->GetCanvas()->GetPixels(3, 3), clRed);

    TPicture Empty;
    C.Assign(&Empty);
    EXPECT_EQ(C.GetGraphic(), nullptr);
    EXPECT_TRUE(C.Empty());

    TBitmap Target;
    Target.Assign(&A);   // a picture hands its graphic over
    EXPECT_EQ(Target.GetCanvas()->GetPixels(0, 0), clRed);
}

TEST(Picture, StreamsByClassName)
{
    auto B = RedSquare(4);
    TPicture P;
    P.SetGraphic(B.get());
    TMemoryStream S;
    P.WriteData(&S);
    const char* Bytes = static_cast<const char*>(S.GetMemory());
    EXPECT_EQ(Bytes[0], 7);
    EXPECT_EQ(std::string(Bytes + 1, 7), "TBitmap");
    Integer Size = 0;
    std::memcpy(&Size, Bytes + 8, 4);
    EXPECT_EQ(Size, S.GetSize() - 12);
    EXPECT_EQ(Bytes[12], 'B');

    S.SetPosition(0);
    TPicture Q;
    Q.ReadData(&S);
    ASSERT_NE(dynamic_cast<TBitmap*>(Q.GetGraphic()), nullptr);
    EXPECT_EQ(Q.GetBitmap()->GetCanvas()->GetPixels(3, 3), clRed);

    TMemoryStream E;
    TPicture None;
    None.WriteData(&E);
    EXPECT_EQ(E.GetSize(), 1);
    E.SetPosition(0);
    Q.ReadData(&E);
    EXPECT_EQ(Q.GetGraphic(), nullptr);

    TMemoryStream Unknown;
    Unknown.WriteByte(6);
    Unknown.WriteBuffer("TThing", 6);
    Unknown.SetPosition(0);
    EXPECT_THROW(Q.ReadData(&Unknown), EInvalidGraphic);
}

TEST(Picture, LoadsFilesByExtension)
{
    auto B = RedSquare();
    TPngImage Png;
    Png.Assign(B.get());
    TJPEGImage Jpg;
    Jpg.Assign(B.get());
    TIcon Ico;
    Ico.SetHandle(BlueIcon());
    struct Case { const wchar_t* Name; TGraphic* Graphic; const wchar_t* Class; };
    const Case Cases[] = {{L"pic.bmp", B.get(), L"TBitmap"}, {L"pic.PNG", &Png, L"TPngImage"},
                          {L"pic.jpeg", &Jpg, L"TJPEGImage"}, {L"pic.ico", &Ico, L"TIcon"}};
    for (const auto& C : Cases) {
        String File = TempFile(C.Name);
        C.Graphic->SaveToFile(File);
        TPicture P;
        P.LoadFromFile(File);
        ASSERT_NE(P.GetGraphic(), nullptr);
        EXPECT_EQ(P.GetGraphic()->ClassName(), C.Class);
        EXPECT_EQ(P.GetWidth(), C.Graphic->GetWidth());

        // By content as well.
        TFileStream S(File, fmOpenRead);
        TPicture Q;
        Q.LoadFromStream(&S);
        EXPECT_EQ(Q.GetGraphic()->ClassName(), C.Class);
        DeleteFileW(File.c_str());
    }
}

TEST(Picture, FailedLoadsLeaveThePictureAsItWas)
{
    auto B = RedSquare();
    TPicture P;
    P.SetGraphic(B.get());
    TGraphic* Before = P.GetGraphic();
    String Bad = TempFile(L"bad.bmp");
    {
        TFileStream S(Bad, fmCreate);
        S.WriteBuffer("BMnot really", 12);
    }
    EXPECT_THROW(P.LoadFromFile(Bad), EInvalidGraphic);
    EXPECT_THROW(P.LoadFromFile(TempFile(L"pic.xyz")), EInvalidGraphic);
    EXPECT_THROW(P.LoadFromFile(TempFile(L"noextension")), EInvalidGraphic);
    TMemoryStream Junk;
    Junk.WriteBuffer("junk", 4);
    Junk.SetPosition(0);
    EXPECT_THROW(P.LoadFromStream(&Junk), EInvalidGraphic);
    EXPECT_EQ(P.GetGraphic(), Before);
    DeleteFileW(Bad.c_str());
}

// A graphic class of a test's own, registered under an extension.
class TSolidGraphic : public TGraphic {
    DECLARE_CLASS(TSolidGraphic, TGraphic)
public:
    void Draw(TCanvas* C, const TRect& R) override
    {
        C->GetBrush()->SetColor(FColor);
        C->FillRect(R);
    }
    bool GetEmpty() const override { return false; }
    int GetWidth() const override { return 3; }
    int GetHeight() const override { return 2; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    void LoadFromStream(TStream* S) override { FColor = S->ReadInteger(); }
    void SaveToStream(TStream* S) override { S->WriteInteger(FColor); }
    void Assign(TPersistent* Source) override
    {
        if (auto* G = dynamic_cast<TSolidGraphic*>(Source)) FColor = G->FColor;
        else inherited::Assign(Source);
    }
    TColor FColor = clRed;
};

TEST(Picture, RegistryOfGraphicClasses)
{
    EXPECT_EQ(FindGraphicClass(L"tbitmap").ClassName, L"TBitmap");
    EXPECT_EQ(FindGraphicClassForExtension(L".JPG").ClassName, L"TJPEGImage");
    EXPECT_FALSE(FindGraphicClass(L"TSolidGraphic"));
    EXPECT_NE(GraphicFileMask().find(L"*.png"), String::npos);
    EXPECT_NE(GraphicFilter(L"TBitmap").find(L"Bitmaps (*.bmp)|*.bmp"), String::npos);

    TPicture::RegisterFileFormat(L"sld", L"Solid colour", GraphicClassOf<TSolidGraphic>());
    String File = TempFile(L"one.sld");
    {
        TFileStream S(File, fmCreate);
        S.WriteInteger(clBlue);
    }
    TPicture P;
    P.LoadFromFile(File);
    auto* G = dynamic_cast<TSolidGraphic*>(P.GetGraphic());
    ASSERT_NE(G, nullptr);
    EXPECT_EQ(G->FColor, clBlue);

    // Copies go through the registry as well, and draw as themselves.
    TPicture Q;
    Q.Assign(&P);
    ASSERT_NE(dynamic_cast<TSolidGraphic*>(Q.GetGraphic()), nullptr);
    TBitmap B;
    B.Assign(Q.GetGraphic());   // any graphic becomes a bitmap by drawing
    EXPECT_EQ(B.GetWidth(), 3);
    EXPECT_EQ(B.GetCanvas()->GetPixels(2, 1), clBlue);

    TPicture::UnregisterGraphicClass(L"TSolidGraphic");
    EXPECT_FALSE(FindGraphicClassForExtension(L"sld"));
    EXPECT_THROW(P.LoadFromFile(File), EInvalidGraphic);
    DeleteFileW(File.c_str());
}
