// Graphics objects in stored descriptions: fonts, pens, brushes and colours by name, and
// pictures as binary data.
#include "framework/Graphics.h"
#include "framework/Streaming.h"

#include <gtest/gtest.h>

namespace {

class TGraphicsProbe : public TComponent {
    DECLARE_CLASS(TGraphicsProbe, TComponent)
public:
    using TComponent::TComponent;
    TFont* GetFont() const { return FFont.get(); }
    TPen* GetPen() const { return FPen.get(); }
    TBrush* GetBrush() const { return FBrush.get(); }
    TPicture* GetPicture() const { return FPicture.get(); }
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }

    static void RegisterProperties(TPropertyTable& Table)
    {
        Table.Add(L"Brush", &TGraphicsProbe::GetBrush);
        Table.AddColor(L"Color", &TGraphicsProbe::GetColor, &TGraphicsProbe::SetColor, clWindow);
        Table.Add(L"Font", &TGraphicsProbe::GetFont);
        Table.Add(L"Pen", &TGraphicsProbe::GetPen);
        Table.Add(L"Picture", &TGraphicsProbe::GetPicture);
    }

private:
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
    std::unique_ptr<TPen> FPen = std::make_unique<TPen>();
    std::unique_ptr<TBrush> FBrush = std::make_unique<TBrush>();
    std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
    TColor FColor = clWindow;
};

void ReadText(const String& Text, TPersistent* Into)
{
    TBytesStream S(ObjectTextToBinary(Text));
    ReadComponentFromStream(&S, Into);
}

String WriteText(TPersistent* From)
{
    TBytesStream S;
    WriteComponentToStream(&S, From);
    return ObjectBinaryToText(S.GetBytes());
}

}  // namespace

TEST(GraphicsStreaming, FontsPensBrushesAndColoursByName)
{
    RegisterGraphicsClasses();
    RegisterClass<TGraphicsProbe>();
    std::unique_ptr<TGraphicsProbe> P(Create<TGraphicsProbe>(nullptr));
    ReadText(L"object Probe: TGraphicsProbe\n"
             L"  Brush.Style = bsClear\n"
             L"  Color = clBtnFace\n"
             L"  Font.Charset = ANSI_CHARSET\n"
             L"  Font.Color = clLtGray\n"
             L"  Font.Height = -15\n"
             L"  Font.Name = 'Arial'\n"
             L"  Font.Style = [fsBold, fsItalic]\n"
             L"  Pen.Color = $00123456\n"
             L"  Pen.Mode = pmXor\n"
             L"end\n",
             P.get());
    EXPECT_EQ(P->GetColor(), clBtnFace);
    EXPECT_EQ(P->GetFont()->GetCharset(), ANSI_CHARSET);
    EXPECT_EQ(P->GetFont()->GetColor(), clSilver);
    EXPECT_EQ(P->GetFont()->GetHeight(), -15);
    EXPECT_EQ(P->GetFont()->GetName(), L"Arial");
    EXPECT_EQ(P->GetFont()->GetStyle(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(P->GetPen()->GetColor(), 0x123456);
    EXPECT_EQ(P->GetPen()->GetMode(), pmXor);
    EXPECT_EQ(P->GetBrush()->GetStyle(), bsClear);

    String Text = WriteText(P.get());
    for (const wchar_t* Line : {L"Color = clBtnFace", L"Font.Charset = ANSI_CHARSET", L"Font.Color = clSilver",
                                L"Font.Style = [fsBold, fsItalic]", L"Pen.Mode = pmXor", L"Brush.Style = bsClear"})
        EXPECT_NE(Text.find(Line), String::npos) << Utf16ToUtf8(Line) << "\n" << Utf16ToUtf8(Text);
    EXPECT_EQ(Text.find(L"Font.Size"), String::npos);   // the height says it
    EXPECT_EQ(Text.find(L"Pen.Width"), String::npos);   // default
}

TEST(GraphicsStreaming, PictureDataRoundTrip)
{
    RegisterGraphicsClasses();
    RegisterClass<TGraphicsProbe>();
    std::unique_ptr<TGraphicsProbe> P(Create<TGraphicsProbe>(nullptr));
    TBitmap* B = P->GetPicture()->GetBitmap();
    B->SetPixelFormat(pf24bit);
    B->SetSize(3, 2);
    B->GetCanvas()->SetPixels(2, 1, clRed);
    String Text = WriteText(P.get());
    EXPECT_NE(Text.find(L"Picture.Data = {"), String::npos) << Utf16ToUtf8(Text);

    std::unique_ptr<TGraphicsProbe> Q(Create<TGraphicsProbe>(nullptr));
    ReadText(Text, Q.get());
    auto* R = dynamic_cast<TBitmap*>(Q->GetPicture()->GetGraphic());
    ASSERT_NE(R, nullptr);
    EXPECT_EQ(R->GetWidth(), 3);
    EXPECT_EQ(R->GetCanvas()->GetPixels(2, 1), clRed);

    std::unique_ptr<TGraphicsProbe> Empty(Create<TGraphicsProbe>(nullptr));
    EXPECT_EQ(WriteText(Empty.get()).find(L"Picture"), String::npos);
}
