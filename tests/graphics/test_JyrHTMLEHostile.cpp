// The markup renderer against bad input: broken and absurd markup in every mode without a crash,
// a hang or unbounded growth, and a seeded stream of random markup.
#include "graphics/JyrHTMLE.h"
#include "graphics/PictureContainer.h"
#include "framework/PngImage.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <random>
#include <vector>

using namespace JyrHTMLE;

namespace {

using Clock = std::chrono::steady_clock;

enum TMode { mMeasure, mDraw, mHitTest };

struct TOut {
    bool Result = false;
    String AnchorVal, StripVal, FocusAnchor, AnchorHint, CID, CV, CT;
    int XSize = 0, YSize = 0, HyperLinks = 0, MouseLink = 0;
    TRect HoverRect, ControlRect;
};

// Pictures, an image list and a cache for the picture tags of the inputs.
struct TSources {
    TSources()
    {
        Container.reset(Create<TPictureContainer>(nullptr));
        TPictureItem* Item = Container->GetItems()->Add();
        Item->SetName(L"red");
        std::unique_ptr<TBitmap> Bmp(Create<TBitmap>());
        Bmp->SetPixelFormat(pf24bit);
        Bmp->SetSize(3, 2);
        Bmp->GetCanvas()->GetBrush()->SetColor(clRed);
        Bmp->GetCanvas()->FillRect(TRect{0, 0, 3, 2});
        std::unique_ptr<TPngImage> Png(Create<TPngImage>());
        Png->Assign(Bmp.get());
        std::unique_ptr<TMemoryStream> S(new TMemoryStream());
        Png->SaveToStream(S.get());
        Item->GetPicture()->LoadFromStream(S.get());
        Images.reset(Create<TImageList>(nullptr));
        Images->SetSize(16, 16);
        std::unique_ptr<TBitmap> Img(Create<TBitmap>(16, 16));
        Images->Add(Img.get(), nullptr);
    }
    std::unique_ptr<TPictureContainer> Container;
    std::unique_ptr<TImageList> Images;
    THTMLPictureCache Cache;
};

TOut Call(TCanvas* C, const String& S, TMode Mode, TSources& Src, TRect R = {0, 0, 300, 200},
         bool WordWrap = true)
{
    TOut O;
    const bool Hit = Mode == mHitTest;
    O.Result = HTMLDrawEx(C, S, R, Src.Images.get(), Hit ? 40 : -1, Hit ? 8 : -1, 0, 1, 1, Hit,
                          Mode == mMeasure, false, false, true, true, WordWrap, false, L"", 1.0,
                          clBlue, clYellow, clRed, clGray, O.AnchorVal, O.StripVal, O.FocusAnchor,
                          O.AnchorHint, O.XSize, O.YSize, O.HyperLinks, O.MouseLink, O.HoverRect,
                          O.ControlRect, O.CID, O.CV, O.CT, &Src.Cache, Src.Container.get(), nullptr,
                          bdLeftToRight);
    return O;
}

String Repeat(const String& S, size_t N)
{
    String R;
    R.reserve(S.size() * N);
    for (size_t i = 0; i < N; ++i) R += S;
    return R;
}

struct THostile {
    const char* Name;
    String Markup;
};

std::vector<THostile> HostileInputs()
{
    return {
        {"lone <", L"<"},
        {"< at the end", L"text<"},
        {"< and one char", L"text<b"},
        {"< without >", L"before<b after and more"},
        {"many <", Repeat(L"<", 1000)},
        {"tag inside tag", L"<a href=\"<b>\">x</a><<b>>y"},
        {"empty tags", L"<>x</>y<//>z"},
        {"unclosed and overlapping", L"<b><i><u><s>x</b></i>y<a href=\"1\"><a href=\"2\">z</font></p>"},
        {"stray closings", L"</a></a></font></p></ul></ol></u></sub></h></z></r></sp></sh></e>x"},
        {"unknown tags", L"<blink><table><tr><td>x</td></tr></table><q foo=\"bar\" baz>y"},
        {"unknown attributes", L"<font foo=\"x\" bar>x</font><img foo=\"y\"><p what=\"1\">z"},
        {"attribute without delimiters", L"<font color=red size=7 face=Arial>x<a href=y>z</a>"},
        {"huge font size", L"<font size=\"2147483647\">x</font><font size=\"-2147483648\">y"},
        {"huge font style size", L"<font style=\"font-size:99999999pt\">x</font><body style=\"font-size:999999pt\">y"},
        {"huge picture size", L"<img src=\"red\" width=\"2147483647\" height=\"2147483647\">x"},
        {"huge picture width only", L"<img src=\"red\" width=\"99999999\">x"},
        {"negative picture size", L"<img src=\"red\" width=\"-50\" height=\"-9\">x"},
        {"huge control", L"<control type=\"edit\" id=\"e\" width=\"2147483647\" height=\"2147483647\">"},
        {"huge control button", L"<control type=\"button\" id=\"b\" value=\"v\" width=\"99999999\" height=\"-5\">"},
        {"huge indent", L"x<ind x=\"2147483647\">y<ind x=\"-2147483648\">z"},
        {"huge paragraph indent", L"<p indent=\"2147483647\">x</p><p indent=\"-2147483647\">y"},
        {"huge rotation", L"<r a=\"2147483647\">x</r><r a=\"-2147483648\">y"},
        {"nested rotations", Repeat(L"<r a=\"30\">x", 200)},
        {"deep nesting", Repeat(L"<b><i><u>", 5000) + L"x" + Repeat(L"</u></i></b>", 5000)},
        {"deep lists", Repeat(L"<ul><li>x", 3000) + Repeat(L"</ul>", 3000)},
        {"deep super", Repeat(L"<sup>", 2000) + L"x" + Repeat(L"<sub>y", 2000)},
        {"many anchors", Repeat(L"<a href=\"h\" title=\"t\">a</a> ", 3000)},
        {"malformed colours",
         L"<font color=\"#zz\">a<font color=\"#\">b<font color=\"clNoSuch\">c<font bgcolor=\"\">d"
         L"<p bgcolor=\"#1\">e<body bgcolor=\"cl\">f<span style=\"background-color:#\">g<span style>h"},
        {"malformed entities", L"& &# &#; &#99999999; &#x; &#xFFFFFFFF; &amp &&&& &nbsp &lt &gt; &euro &#0; &#xD800;"},
        {"missing pictures",
         L"<img src=\"missing\"><img src=\"idx:99\"><img src=\"idx:-1\"><img src=\"ssys:\">"
         L"<img src=\"lsys:nonexistent.zzz\"><img src=\"ssys:99999\"><img src=\"file://c:\\no\\such.png\">"
         L"<img src=\"res://NOPE\"><img src=\"http://example/x.png\"><img src=\"\"><img>"
         L"<body background=\"nothing\"><body background=\"red\">"},
        {"long system icon path", L"<img src=\"ssys:" + Repeat(L"a", 5000) + L"\">"},
        {"controls without attributes", L"<control><control type=\"\"><control width=\"\"><control width=\"x\">"},
        {"floats", L"<img src=\"red\" float=\"left\">a<p float=\"right\">b<img src=\"red\" float=\"right\">c"},
        {"long word", Repeat(L"w", 1 << 20)},
        {"long text of words", Repeat(L"word ", 200000)},
        {"long text of tags", Repeat(L"<b>x</b>", 130000)},
        {"long text of breaks", Repeat(L"<br>", 250000)},
        {"long text of references", Repeat(L"&amp;&lt;&#65;", 70000)},
        {"long error mark", L"<e>" + Repeat(L"z", 1 << 19)},
        {"long hidden text", L"<z>" + Repeat(L"h ", 1 << 19)},
    };
}

class HtmlHostile : public ::testing::Test {
protected:
    HtmlHostile()
    {
        C()->GetFont()->SetName(L"Tahoma");
        C()->GetFont()->SetSize(9);
        C()->GetFont()->SetColor(clBlack);
        C()->GetBrush()->SetColor(clWhite);
        C()->GetPen()->SetColor(clBlack);
    }
    TCanvas* C() { return Dib.Canvas(); }
    TDibSurface Dib{300, 200, clWhite};
    TSources Src;
};

}  // namespace

TEST_F(HtmlHostile, EveryModeSurvivesInBoundedTime)
{
    const int gh = C()->TextHeight(L"gh");
    for (const auto& Case : HostileInputs()) {
        for (TMode Mode : {mMeasure, mDraw, mHitTest}) {
            for (bool Wrap : {true, false}) {
                const auto Start = Clock::now();
                const TOut O = Call(C(), Case.Markup, Mode, Src, TRect{0, 0, 300, 200}, Wrap);
                const double Seconds = std::chrono::duration<double>(Clock::now() - Start).count();
                const std::string Where = std::string(Case.Name) + " mode " + std::to_string(int(Mode)) +
                                          (Wrap ? " wrapped" : " unwrapped");
                EXPECT_LT(Seconds, 8.0) << Where;
                if (Seconds > 0.2) std::printf("%s: %.2f s\n", Where.c_str(), Seconds);
                EXPECT_GE(O.YSize, 1) << Where;
                EXPECT_GE(O.XSize, 0) << Where;
                // The canvas comes back as it was.
                EXPECT_EQ(C()->GetFont()->GetName(), L"Tahoma") << Where;
                EXPECT_EQ(C()->TextHeight(L"gh"), gh) << Where;
                EXPECT_EQ(C()->GetFont()->GetColor(), clBlack) << Where;
                EXPECT_EQ(C()->GetBrush()->GetColor(), clWhite) << Where;
                EXPECT_EQ(C()->GetPen()->GetColor(), clBlack) << Where;
                LOGFONTW LF{};
                GetObjectW(GetCurrentObject(Dib.DC(), OBJ_FONT), sizeof(LF), &LF);
                EXPECT_EQ(LF.lfEscapement, 0) << Where;
            }
        }
    }
    // Sources that cannot be loaded are kept once each, not once per paint.
    const int Cached = Src.Cache.GetCount();
    for (const auto& Case : HostileInputs())
        if (std::string(Case.Name) == "missing pictures") Call(C(), Case.Markup, mDraw, Src);
    EXPECT_EQ(Src.Cache.GetCount(), Cached);
}

TEST_F(HtmlHostile, AbsurdSizesAreCapped)
{
    const auto Measure = [&](const String& S) { return Call(C(), S, mMeasure, Src); };
    // Font sizes: at most 400 points; a size that is not positive leaves the size as it was.
    const int Big = Measure(L"<font size=\"2147483647\">x</font>").YSize;
    EXPECT_EQ(Big, Measure(L"<font size=\"400\">x</font>").YSize);
    EXPECT_EQ(Measure(L"<font size=\"-9\">x</font>").YSize, Measure(L"x").YSize);
    EXPECT_EQ(Measure(L"<font style=\"font-size:0pt\">x</font>").YSize, Measure(L"x").YSize);
    // Picture and control sizes: at most 4096 pixels at 96 dpi.
    TOut O = Measure(L"<img src=\"red\" width=\"2147483647\" height=\"2147483647\">");
    EXPECT_EQ(O.XSize, 4096 + 2);
    EXPECT_EQ(O.YSize, 4096);
    O = Measure(L"<control type=\"edit\" id=\"e\" width=\"99999999\" height=\"99999999\">");
    EXPECT_EQ(O.XSize, 4096);
    EXPECT_EQ(O.YSize, 4096 - 2);
    // Indents: at most 32767 pixels.
    EXPECT_EQ(Measure(L"<ind x=\"2147483647\">").XSize, 32767);
    // Drawing them stays inside the canvas and finishes.
    Call(C(), L"<img src=\"red\" width=\"2147483647\" height=\"2147483647\">", mDraw, Src);
    EXPECT_EQ(Dib.Pixel(299, 199), clRed);
}

TEST_F(HtmlHostile, SeededRandomMarkup)
{
    static const wchar_t* const Pieces[] = {
        L"<b>", L"</b>", L"<i>", L"</i>", L"<u>", L"</u>", L"<s>", L"</s>", L"<sub>", L"</sub>", L"<sup>",
        L"</sup>", L"<br>", L"<hr>", L"<a href=\"x\" title=\"t\">", L"<a>", L"</a>",
        L"<font color=\"clRed\" size=\"4\">", L"<font face=\"Arial\" bgcolor=\"#00ff00\">",
        L"<font style=\"font-size:20pt\">", L"</font>", L"<p align=\"right\">",
        L"<p align=\"center\" bgcolor=\"clYellow\" indent=\"10\">", L"<p float=\"left\">", L"</p>", L"<ul>",
        L"</ul>", L"<ol>", L"</ol>", L"<li>", L"</li>", L"<img src=\"red\">",
        L"<img src=\"idx:0\" align=\"middle\">", L"<img src=\"red\" float=\"left\" width=\"30\">",
        L"<img src=\"red\" float=\"right\" wrap>", L"<img src=\"nothing\" alt=\"red\">",
        L"<control type=\"edit\" id=\"e\" value=\"v\" width=\"40\">",
        L"<control type=\"check\" id=\"c\" width=\"16\">", L"<control type=\"button\" id=\"b\" width=\"50\">",
        L"<control type=\"combo\" width=\"60\" height=\"30\">", L"<r a=\"45\">", L"</r>", L"<sh>", L"</sh>",
        L"<z>", L"</z>", L"<e>", L"</e>", L"<hi>", L"</hi>", L"<span style=\"background-color:#ff0000\">",
        L"</span>", L"<ind x=\"50\">", L"<bl>", L"</bl>", L"<body bgcolor=\"#eeeeee\" style=\"font-size:12pt\">",
        L"word ", L"word", L" ", L"  ", L"x", L"&amp;", L"&lt;", L"&gt;", L"&nbsp;", L"&#65;", L"&euro;",
        L"&", L"<", L">", L"\"", L"/", L"=", L"\r\n", L"\t", L"averyveryverylongwordwithoutspaces",
    };
    std::mt19937 Rng(20240611);
    std::uniform_int_distribution<size_t> Pick(0, std::size(Pieces) - 1);
    std::uniform_int_distribution<int> Len(1, 60);
    std::uniform_int_distribution<int> Width(1, 400);
    const auto Start = Clock::now();
    int Runs = 0;
    const int gh = C()->TextHeight(L"gh");
    while (Runs < 30000 && Clock::now() - Start < std::chrono::seconds(3)) {
        String S;
        const int N = Len(Rng);
        for (int i = 0; i < N; ++i) {
            String P = Pieces[Pick(Rng)];
            // Now and then a piece is cut short.
            if (P.size() > 2 && Rng() % 8 == 0) P.resize(1 + Rng() % (P.size() - 1));
            S += P;
        }
        (void)HTMLStrip(S);
        const TRect R{0, 0, Width(Rng), 10000000};
        const TOut M = Call(C(), S, mMeasure, Src, R);
        ASSERT_GE(M.YSize, gh) << "seed run " << Runs;
        // Every run of visible text is in the plain text once, whichever mode laid it out.
        const TOut H = Call(C(), S, mHitTest, Src, R);
        ASSERT_EQ(M.StripVal, H.StripVal) << "seed run " << Runs;
        ASSERT_EQ(C()->GetFont()->GetName(), L"Tahoma");
        ++Runs;
    }
    EXPECT_GT(Runs, 100);
    std::printf("random markup texts: %d\n", Runs);
}
