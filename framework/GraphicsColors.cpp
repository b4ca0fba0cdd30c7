// Graphics: colour conversion and the colour name tables.
#include "Graphics.h"

#include <cwctype>

namespace {

struct TColorName {
    TColor Value;
    const wchar_t* Name;
};

// The standard colours, then the system colours, in the order GetColorValues lists them.
const TColorName ColorNames[] = {
    {clBlack, L"clBlack"}, {clMaroon, L"clMaroon"}, {clGreen, L"clGreen"},
    {clOlive, L"clOlive"}, {clNavy, L"clNavy"}, {clPurple, L"clPurple"},
    {clTeal, L"clTeal"}, {clGray, L"clGray"}, {clSilver, L"clSilver"},
    {clRed, L"clRed"}, {clLime, L"clLime"}, {clYellow, L"clYellow"},
    {clBlue, L"clBlue"}, {clFuchsia, L"clFuchsia"}, {clAqua, L"clAqua"},
    {clWhite, L"clWhite"}, {clMoneyGreen, L"clMoneyGreen"}, {clSkyBlue, L"clSkyBlue"},
    {clCream, L"clCream"}, {clMedGray, L"clMedGray"},
    {clActiveBorder, L"clActiveBorder"}, {clActiveCaption, L"clActiveCaption"},
    {clAppWorkSpace, L"clAppWorkSpace"}, {clBackground, L"clBackground"},
    {clBtnFace, L"clBtnFace"}, {clBtnHighlight, L"clBtnHighlight"},
    {clBtnShadow, L"clBtnShadow"}, {clBtnText, L"clBtnText"},
    {clCaptionText, L"clCaptionText"}, {clDefault, L"clDefault"},
    {clGradientActiveCaption, L"clGradientActiveCaption"},
    {clGradientInactiveCaption, L"clGradientInactiveCaption"},
    {clGrayText, L"clGrayText"}, {clHighlight, L"clHighlight"},
    {clHighlightText, L"clHighlightText"}, {clHotLight, L"clHotLight"},
    {clInactiveBorder, L"clInactiveBorder"}, {clInactiveCaption, L"clInactiveCaption"},
    {clInactiveCaptionText, L"clInactiveCaptionText"}, {clInfoBk, L"clInfoBk"},
    {clInfoText, L"clInfoText"}, {clMenu, L"clMenu"}, {clMenuBar, L"clMenuBar"},
    {clMenuHighlight, L"clMenuHighlight"}, {clMenuText, L"clMenuText"},
    {clNone, L"clNone"}, {clScrollBar, L"clScrollBar"}, {cl3DDkShadow, L"cl3DDkShadow"},
    {cl3DLight, L"cl3DLight"}, {clWindow, L"clWindow"}, {clWindowFrame, L"clWindowFrame"},
    {clWindowText, L"clWindowText"},
};

// Extra names read (never written) for the same values.
const TColorName ColorAliases[] = {
    {clLtGray, L"clLtGray"}, {clDkGray, L"clDkGray"},
};

struct TWebColor {
    const wchar_t* Name;
    TColor Value;   // 0x00BBGGRR
};

const TWebColor WebColors[] = {
    {L"aliceblue", 0xFFF8F0},
    {L"antiquewhite", 0xD7EBFA},
    {L"aqua", 0xFFFF00},
    {L"aquamarine", 0xD4FF7F},
    {L"azure", 0xFFFFF0},
    {L"beige", 0xDCF5F5},
    {L"bisque", 0xC4E4FF},
    {L"black", 0x000000},
    {L"blanchedalmond", 0xCDEBFF},
    {L"blue", 0xFF0000},
    {L"blueviolet", 0xE22B8A},
    {L"brown", 0x2A2AA5},
    {L"burlywood", 0x87B8DE},
    {L"cadetblue", 0xA09E5F},
    {L"chartreuse", 0x00FF7F},
    {L"chocolate", 0x1E69D2},
    {L"coral", 0x507FFF},
    {L"cornflowerblue", 0xED9564},
    {L"cornsilk", 0xDCF8FF},
    {L"crimson", 0x3C14DC},
    {L"cyan", 0xFFFF00},
    {L"darkblue", 0x8B0000},
    {L"darkcyan", 0x8B8B00},
    {L"darkgoldenrod", 0x0B86B8},
    {L"darkgray", 0xA9A9A9},
    {L"darkgreen", 0x006400},
    {L"darkgrey", 0xA9A9A9},
    {L"darkkhaki", 0x6BB7BD},
    {L"darkmagenta", 0x8B008B},
    {L"darkolivegreen", 0x2F6B55},
    {L"darkorange", 0x008CFF},
    {L"darkorchid", 0xCC3299},
    {L"darkred", 0x00008B},
    {L"darksalmon", 0x7A96E9},
    {L"darkseagreen", 0x8FBC8F},
    {L"darkslateblue", 0x8B3D48},
    {L"darkslategray", 0x4F4F2F},
    {L"darkslategrey", 0x4F4F2F},
    {L"darkturquoise", 0xD1CE00},
    {L"darkviolet", 0xD30094},
    {L"deeppink", 0x9314FF},
    {L"deepskyblue", 0xFFBF00},
    {L"dimgray", 0x696969},
    {L"dimgrey", 0x696969},
    {L"dodgerblue", 0xFF901E},
    {L"firebrick", 0x2222B2},
    {L"floralwhite", 0xF0FAFF},
    {L"forestgreen", 0x228B22},
    {L"fuchsia", 0xFF00FF},
    {L"gainsboro", 0xDCDCDC},
    {L"ghostwhite", 0xFFF8F8},
    {L"gold", 0x00D7FF},
    {L"goldenrod", 0x20A5DA},
    {L"gray", 0x808080},
    {L"grey", 0x808080},
    {L"green", 0x008000},
    {L"greenyellow", 0x2FFFAD},
    {L"honeydew", 0xF0FFF0},
    {L"hotpink", 0xB469FF},
    {L"indianred", 0x5C5CCD},
    {L"indigo", 0x82004B},
    {L"ivory", 0xF0FFFF},
    {L"khaki", 0x8CE6F0},
    {L"lavender", 0xFAE6E6},
    {L"lavenderblush", 0xF5F0FF},
    {L"lawngreen", 0x00FC7C},
    {L"lemonchiffon", 0xCDFAFF},
    {L"lightblue", 0xE6D8AD},
    {L"lightcoral", 0x8080F0},
    {L"lightcyan", 0xFFFFE0},
    {L"lightgoldenrodyellow", 0xD2FAFA},
    {L"lightgray", 0xD3D3D3},
    {L"lightgreen", 0x90EE90},
    {L"lightgrey", 0xD3D3D3},
    {L"lightpink", 0xC1B6FF},
    {L"lightsalmon", 0x7AA0FF},
    {L"lightseagreen", 0xAAB220},
    {L"lightskyblue", 0xFACE87},
    {L"lightslategray", 0x998877},
    {L"lightslategrey", 0x998877},
    {L"lightsteelblue", 0xDEC4B0},
    {L"lightyellow", 0xE0FFFF},
    {L"lime", 0x00FF00},
    {L"limegreen", 0x32CD32},
    {L"linen", 0xE6F0FA},
    {L"magenta", 0xFF00FF},
    {L"maroon", 0x000080},
    {L"mediumaquamarine", 0xAACD66},
    {L"mediumblue", 0xCD0000},
    {L"mediumorchid", 0xD355BA},
    {L"mediumpurple", 0xDB7093},
    {L"mediumseagreen", 0x71B33C},
    {L"mediumslateblue", 0xEE687B},
    {L"mediumspringgreen", 0x9AFA00},
    {L"mediumturquoise", 0xCCD148},
    {L"mediumvioletred", 0x8515C7},
    {L"midnightblue", 0x701919},
    {L"mintcream", 0xFAFFF5},
    {L"mistyrose", 0xE1E4FF},
    {L"moccasin", 0xB5E4FF},
    {L"navajowhite", 0xADDEFF},
    {L"navy", 0x800000},
    {L"oldlace", 0xE6F5FD},
    {L"olive", 0x008080},
    {L"olivedrab", 0x238E6B},
    {L"orange", 0x00A5FF},
    {L"orangered", 0x0045FF},
    {L"orchid", 0xD670DA},
    {L"palegoldenrod", 0xAAE8EE},
    {L"palegreen", 0x98FB98},
    {L"paleturquoise", 0xEEEEAF},
    {L"palevioletred", 0x9370DB},
    {L"papayawhip", 0xD5EFFF},
    {L"peachpuff", 0xB9DAFF},
    {L"peru", 0x3F85CD},
    {L"pink", 0xCBC0FF},
    {L"plum", 0xDDA0DD},
    {L"powderblue", 0xE6E0B0},
    {L"purple", 0x800080},
    {L"rebeccapurple", 0x993366},
    {L"red", 0x0000FF},
    {L"rosybrown", 0x8F8FBC},
    {L"royalblue", 0xE16941},
    {L"saddlebrown", 0x13458B},
    {L"salmon", 0x7280FA},
    {L"sandybrown", 0x60A4F4},
    {L"seagreen", 0x578B2E},
    {L"seashell", 0xEEF5FF},
    {L"sienna", 0x2D52A0},
    {L"silver", 0xC0C0C0},
    {L"skyblue", 0xEBCE87},
    {L"slateblue", 0xCD5A6A},
    {L"slategray", 0x908070},
    {L"slategrey", 0x908070},
    {L"snow", 0xFAFAFF},
    {L"springgreen", 0x7FFF00},
    {L"steelblue", 0xB48246},
    {L"tan", 0x8CB4D2},
    {L"teal", 0x808000},
    {L"thistle", 0xD8BFD8},
    {L"tomato", 0x4763FF},
    {L"turquoise", 0xD0E040},
    {L"violet", 0xEE82EE},
    {L"wheat", 0xB3DEF5},
    {L"white", 0xFFFFFF},
    {L"whitesmoke", 0xF5F5F5},
    {L"yellow", 0x00FFFF},
    {L"yellowgreen", 0x32CD9A},
};

// Digits of a base, all of them, into Value (up to 32 bits).
bool ParseDigits(const String& S, size_t From, unsigned Base, unsigned& Value)
{
    if (From >= S.size() || S.size() - From > (Base == 16 ? 8u : 10u)) return false;
    const TDigitRun D = ScanDigits(S, From, Base, 0xFFFFFFFFu);
    if (D.End != S.size()) return false;
    Value = unsigned(D.Value);
    return true;
}

String TrimSpaces(const String& S)
{
    size_t B = 0, E = S.size();
    while (B < E && S[B] <= L' ') ++B;
    while (E > B && S[E - 1] <= L' ') --E;
    return S.substr(B, E - B);
}

}  // namespace

TColor ColorToRGB(TColor Color)
{
    if (Color < 0) return TColor(GetSysColor(int(Color & 0xFF)));
    return Color;
}

bool ColorToIdent(TColor Color, String& Ident)
{
    for (const auto& C : ColorNames)
        if (C.Value == Color) {
            Ident = C.Name;
            return true;
        }
    return false;
}

bool IdentToColor(const String& Ident, TColor& Color)
{
    for (const auto& C : ColorNames)
        if (SameText(C.Name, Ident)) {
            Color = C.Value;
            return true;
        }
    for (const auto& C : ColorAliases)
        if (SameText(C.Name, Ident)) {
            Color = C.Value;
            return true;
        }
    return false;
}

String ColorToString(TColor Color)
{
    String S;
    if (ColorToIdent(Color, S)) return S;
    return L"$" + IntToHex(Int64(Cardinal(Color)), 8);
}

TColor StringToColor(const String& S)
{
    String T = TrimSpaces(S);
    TColor Color;
    if (IdentToColor(T, Color)) return Color;
    unsigned Value = 0;
    bool Ok = false;
    if (!T.empty() && (T[0] == L'$' || T[0] == L'#')) {
        Ok = ParseDigits(T, 1, 16, Value);
    } else if (T.size() > 2 && T[0] == L'0' && (T[1] == L'x' || T[1] == L'X')) {
        Ok = ParseDigits(T, 2, 16, Value);
    } else if (!T.empty() && T[0] == L'-') {
        Ok = ParseDigits(T, 1, 10, Value) && Value <= 0x80000000u;
        Value = 0u - Value;
    } else {
        Ok = ParseDigits(T, 0, 10, Value);
    }
    if (!Ok) throw EConvertError(L"'" + S + L"' is not a valid colour value");
    return TColor(Value);
}

void GetColorValues(const std::function<void(const String&)>& Proc)
{
    for (const auto& C : ColorNames) Proc(C.Name);
}

String ColorToWebColorName(TColor Color)
{
    String Name;
    if (Color == clNone || Color == clDefault) return Name;
    TColor RGB = ColorToRGB(Color) & 0xFFFFFF;
    for (const auto& W : WebColors)
        if (W.Value == RGB) {
            Name = W.Name;
            break;
        }
    return Name;
}

bool WebColorNameToColor(const String& Name, TColor& Color)
{
    for (const auto& W : WebColors)
        if (SameText(W.Name, Name)) {
            Color = W.Value;
            return true;
        }
    return false;
}

String ColorToWebColorStr(TColor Color)
{
    unsigned C = unsigned(ColorToRGB(Color));
    unsigned RGB = ((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF);
    return L"#" + IntToHex(Int64(RGB), 8).substr(2);
}
