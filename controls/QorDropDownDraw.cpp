// QorDropDown: the unit's drawing and number routines, the popup placement, the band buttons'
// colours and the checked list.
#include "controls/JyrControlsConsts.h"
#include "controls/QorDropDown.h"

#include "framework/Math.h"
#include "framework/SysUtils.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"
#include "graphics/JyrHTMLE.h"

#include <algorithm>
#include <climits>

namespace QorDropDown {

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R, bool Direction)
{
    if (!Canvas) return;
    if (Steps <= 0) Steps = 1;
    const TColor F = ColorToRGB(FromColor), T = ColorToRGB(ToColor);
    const double DR = (int(GetRValue(T)) - int(GetRValue(F))) / double(Steps);
    const double DG = (int(GetGValue(T)) - int(GetGValue(F))) / double(Steps);
    const double DB = (int(GetBValue(T)) - int(GetBValue(F))) / double(Steps);
    const double S = Direction ? double(R.Right - 1 - R.Left) / Steps : double(R.Bottom - 1 - R.Top) / Steps;
    for (int I = 0; I < Steps; ++I) {
        const TColor C = TColor(RGB(Byte(GetRValue(F) + Round(I * DR)), Byte(GetGValue(F) + Round(I * DG)),
                                    Byte(GetBValue(F) + Round(I * DB))));
        Canvas->GetPen()->SetColor(C);
        Canvas->GetBrush()->SetColor(C);
        const int O = SmallInt(Round(I * S));
        const int Band = int(Round(S)) + 1;
        if (Direction) Canvas->Rectangle(R.Left + O, R.Top, R.Left + O + Band, R.Bottom);
        else Canvas->Rectangle(R.Left, R.Top + O, R.Right, R.Top + O + Band);
    }
}

void DrawGradientBackGround(TCanvas* Canvas, TRect R, TColor Clr, TColor ClrTo, TColor BrClr, int BrWidth,
                           TGradientDirection Grad)
{
    if (!Canvas) return;
    if (ClrTo != clNone) {
        DrawGradient(Canvas, Clr, ClrTo, 80, R, Grad == gdHorizontal);
    } else if (Clr != clNone) {
        Canvas->GetBrush()->SetColor(Clr);
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->FillRect(R);
    }
    if (BrClr != clNone && BrWidth > 0) {
        Canvas->GetBrush()->SetStyle(bsClear);
        Canvas->GetPen()->SetWidth(BrWidth);
        Canvas->GetPen()->SetColor(BrClr);
        Canvas->Rectangle(R);
        Canvas->GetPen()->SetWidth(1);
        Canvas->GetBrush()->SetStyle(bsSolid);
    }
}

TColor BlendColor(TColor Col1, TColor Col2, int BlendFactor)
{
    if (BlendFactor >= 100) return Col1;
    if (BlendFactor <= 0) return Col2;
    const double F = BlendFactor / 100.0;
    const TColor A = ColorToRGB(Col1), B = ColorToRGB(Col2);
    auto Mix = [F](int X, int Y) { return Byte(Round(F * X + (1 - F) * Y)); };
    return TColor(RGB(Mix(GetRValue(A), GetRValue(B)), Mix(GetGValue(A), GetGValue(B)), Mix(GetBValue(A), GetBValue(B))));
}

void DrawButtonContent(TCanvas* Canvas, TRect R, const String& Caption, TCustomImageList* Images, int ImageIndex)
{
    if (!Canvas) return;
    TRect TR = R;
    const bool HasImage = Images && ImageIndex >= 0;
    if (HasImage) {
        Images->Draw(Canvas, R.Left + 4, R.Top + (R.Height() - Images->GetHeight()) / 2, ImageIndex, true);
        TR.Left = R.Left + Images->GetWidth() + 8;
    }
    if (Caption.empty()) return;
    UINT Flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (!HasImage) Flags |= DT_CENTER;
    RECT W{TR.Left, TR.Top, TR.Right, TR.Bottom};
    SetBkMode(Canvas->GetHandle(), TRANSPARENT);
    DrawTextW(Canvas->GetHandle(), Caption.c_str(), int(Caption.size()), &W, Flags);
}

void DrawBitmapTransp(TCanvas* Canvas, TBitmap* bmp, TColor bkcolor, const TRect& r)
{
    if (!Canvas || !bmp || bmp->GetEmpty()) return;
    TBitmap Tmp;
    Tmp.SetWidth(bmp->GetWidth());
    Tmp.SetHeight(bmp->GetHeight());
    Tmp.GetCanvas()->GetBrush()->SetColor(bkcolor);
    const TRect Whole(0, 0, bmp->GetWidth(), bmp->GetHeight());
    Tmp.GetCanvas()->BrushCopy(Whole, bmp, Whole, bmp->GetCanvas()->GetPixels(0, 0));
    Canvas->CopyRect(r, Tmp.GetCanvas(), TRect(0, 0, r.Width(), r.Height()));
}

String GetTextOfSize(TCanvas* Canvas, const String& Text, int cx, bool AddEllipsis)
{
    if (!Canvas || GetTextSize(Canvas, Text).cx <= cx) return Text;
    const int N = int(Text.size());
    for (int I = 1; I <= N; ++I) {
        String S = Text.substr(0, size_t(N - I));
        if (AddEllipsis) S += L"...";
        if (GetTextSize(Canvas, S).cx < cx) return S;
    }
    return Text;
}

TSize DrawHTMLEX(TCanvas* Canvas, const String& s, TRect R, TCustomImageList* Images, bool RealDraw, HWND WinHandle)
{
    if (s.empty() || !Canvas) return {0, 0};
    JyrHTMLE::THTMLDrawRequest Q;
    Q.Canvas = Canvas;
    Q.fr = R;
    Q.Images = Images;
    Q.XPos = 0;
    Q.YPos = 0;
    Q.FocusLink = -1;
    Q.HoverLink = -1;
    Q.ShadowOffset = 1;
    Q.CheckHeight = !RealDraw;
    Q.Selected = true;
    Q.Blink = true;
    Q.URLColor = TColor(0xFF0000);
    Q.ShadowColor = TColor(0x808080);
    Q.WinHandle = WinHandle;
    JyrHTMLE::THTMLDrawResult A;
    JyrHTMLE::HTMLDraw(s, Q, A);
    return {A.XSize, A.YSize};
}

// ---- number texts ---------------------------------------------------------------------------------

int IsType(const String& s)
{
    bool IsInt = !s.empty(), IsFloat = !s.empty(), IsHex = !s.empty();
    const Char T = ThousandSeparator(), D = DecimalSeparator();
    int LastT = -1, Decimals = 0, Minus = 0;
    for (size_t K = 0; K < s.size(); ++K) {
        const Char C = s[K];
        const int I = int(K) + 1;
        const bool Digit = C >= L'0' && C <= L'9';
        if (!(C == L'-' || Digit)) IsInt = false;
        if (!(C == L',' || C == L'-' || C == L'.' || Digit)) IsFloat = false;
        if (!(C == L'-' || Digit || (C >= L'A' && C <= L'F') || (C >= L'a' && C <= L'f'))) IsHex = false;
        if (C == T) {
            if (I - LastT < 3) IsFloat = false;
            LastT = I;
        }
        if (C == D) ++Decimals;
        if (C == L'-') ++Minus;
    }
    int Kind = 2;
    if (IsHex && !IsInt) Kind = 5;
    if (IsInt) Kind = 0;
    else if (IsFloat) Kind = 1;
    if (Minus > 1 || Decimals > 1) Kind = 2;
    return Kind;
}

String StripThousandSep(const String& s)
{
    String R;
    const Char T = ThousandSeparator();
    for (Char C : s)
        if (C != T) R += C;
    return R;
}

int CharVal(Char c)
{
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return 0;
}

bool TryHexToInt(const String& s, Int64& Value)
{
    size_t K = 0;
    const bool Negative = !s.empty() && s[0] == L'-';
    if (Negative) K = 1;
    if (K >= s.size()) return false;
    UInt64 V = 0;
    for (; K < s.size(); ++K) {
        const Char C = s[K];
        const bool Hex = (C >= L'0' && C <= L'9') || (C >= L'A' && C <= L'F') || (C >= L'a' && C <= L'f');
        if (!Hex || V > (~UInt64(0) >> 4)) return false;
        V = V * 16 + UInt64(CharVal(C));
    }
    // A negative value may reach -2^63; a positive one takes the 64-bit pattern (FFFF... is -1).
    if (Negative) {
        if (V > UInt64(INT64_MAX) + 1) return false;
        Value = V == UInt64(INT64_MAX) + 1 ? INT64_MIN : -Int64(V);
    } else {
        Value = Int64(V);
    }
    return true;
}

Int64 HexToInt(const String& s)
{
    Int64 V = 0;
    return TryHexToInt(s, V) ? V : 0;
}

bool CheckSeparator(Char ch)
{
    return ch == L',' || ch == L'-' || ch == L';';
}

String upstr(const String& s, bool docase)
{
    return docase ? s : UpperCase(s);
}

void GetUnmanistedVersion(DWORD& majv, DWORD& minv)
{
    using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    const HMODULE Ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!Ntdll) return;
    auto Fn = reinterpret_cast<TRtlGetVersion>(reinterpret_cast<void*>(GetProcAddress(Ntdll, "RtlGetVersion")));
    if (!Fn) return;
    OSVERSIONINFOW V{};
    V.dwOSVersionInfoSize = sizeof(V);
    if (Fn(&V) != 0) return;
    majv = V.dwMajorVersion;
    minv = V.dwMinorVersion;
}

bool IsWin10()
{
    DWORD Maj = 0, Min = 0;
    GetUnmanistedVersion(Maj, Min);
    return Maj == 10;
}

bool IsWin7()
{
    DWORD Maj = 0, Min = 0;
    GetUnmanistedVersion(Maj, Min);
    return Maj == 6;
}

// ---- placement ------------------------------------------------------------------------------------

TPoint PlaceDropDown(const TDropPlacement& P)
{
    const int D = P.Borderless ? 1 : 0;
    const int Below = P.EditOrigin.Y + P.EditHeight + D - 1;
    const int Above = P.EditOrigin.Y + D - P.Height;
    TRect WA = P.WorkArea;
    if (WA.IsEmpty()) WA = TRect(INT_MIN / 4, 0, INT_MAX / 4, P.ScreenHeight);
    TPoint R{P.EditOrigin.X - D, Below};
    switch (P.Position) {
    case dpDown: R.Y = Below; break;
    case dpUp: R.Y = Above; break;
    case dpAuto: {
        const int RoomBelow = WA.Bottom - Below, RoomAbove = Above + P.Height - WA.Top;
        if (P.Height <= RoomBelow) R.Y = Below;
        else if (P.Height <= RoomAbove) R.Y = Above;
        else R.Y = RoomBelow >= RoomAbove ? Below : Above;
        break;
    }
    }
    // Into the work area: the right and bottom edges first, so that a popup larger than the area
    // keeps its top-left corner visible.
    R.X = std::max(std::min(R.X, WA.Right - P.Width), WA.Left);
    R.Y = std::max(std::min(R.Y, WA.Bottom - P.Height), WA.Top);
    return R;
}

}  // namespace QorDropDown

// ---- button colours -----------------------------------------------------------------------------

TQorButtonAppearance::TQorButtonAppearance() : FFont(Create<TFont>())
{
    FColorChecked = BrightnessColor(TColor(0xF5F0E1), -10, -10, 0);
    FColorCheckedTo = BrightnessColor(TColor(0xF9D2B2), -10, -10, 0);
    FFont->SetName(L"Tahoma");
}

TQorButtonAppearance::~TQorButtonAppearance()
{
    FFont->Free();
}

void TQorButtonAppearance::Store(TColor& Field, TColor Value)
{
    if (Field == Value) return;
    Field = Value;
    if (OnChange) OnChange(this);
}

void TQorButtonAppearance::SetGradient(TGradientDirection Value)
{
    if (FGradient == Value) return;
    FGradient = Value;
    if (OnChange) OnChange(this);
}

void TQorButtonAppearance::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TQorButtonAppearance*>(Source);
    if (!S) {
        inherited::Assign(Source);
        return;
    }
    SetColor(S->FColor);
    SetColorTo(S->FColorTo);
    SetColorHot(S->FColorHot);
    SetColorHotTo(S->FColorHotTo);
    SetColorDown(S->FColorDown);
    SetColorDownTo(S->FColorDownTo);
    SetColorChecked(S->FColorChecked);
    SetColorCheckedTo(S->FColorCheckedTo);
    SetColorDisabled(S->FColorDisabled);
    SetColorDisabledTo(S->FColorDisabledTo);
    SetBorderColor(S->FBorderColor);
    SetBorderColorHot(S->FBorderColorHot);
    SetBorderColorDown(S->FBorderColorDown);
    SetBorderColorChecked(S->FBorderColorChecked);
    SetBorderColorDisabled(S->FBorderColorDisabled);
    SetGradient(S->FGradient);
}

void TQorButtonAppearance::RegisterProperties(TPropertyTable& Table)
{
    using T = TQorButtonAppearance;
    Table.AddColor(L"Color", &T::GetColor, &T::SetColor, clNone);
    Table.AddColor(L"ColorTo", &T::GetColorTo, &T::SetColorTo, clNone);
    Table.AddColor(L"ColorHot", &T::GetColorHot, &T::SetColorHot, TColor(0xF5F0E1));
    Table.AddColor(L"ColorHotTo", &T::GetColorHotTo, &T::SetColorHotTo, TColor(0xF9D2B2));
    Table.AddColor(L"ColorDown", &T::GetColorDown, &T::SetColorDown, TColor(0xF5D8CA));
    Table.AddColor(L"ColorDownTo", &T::GetColorDownTo, &T::SetColorDownTo, TColor(0xF9BDA0));
    Table.AddColor(L"ColorDisabled", &T::GetColorDisabled, &T::SetColorDisabled, TColor(0xF2F2F2));
    Table.AddColor(L"ColorDisabledTo", &T::GetColorDisabledTo, &T::SetColorDisabledTo, clNone);
    Table.AddColor(L"BorderColor", &T::GetBorderColor, &T::SetBorderColor, clNone);
    Table.AddColor(L"BorderColorHot", &T::GetBorderColorHot, &T::SetBorderColorHot, clGray);
    Table.AddColor(L"BorderColorDown", &T::GetBorderColorDown, &T::SetBorderColorDown, clNavy);
    Table.AddColor(L"BorderColorDisabled", &T::GetBorderColorDisabled, &T::SetBorderColorDisabled, clGray);
    Table.Add(L"Gradient", &T::GetGradient, &T::SetGradient, gdVertical);
    Table.Add(L"Font", &T::GetFont, &T::SetFont);
}

// ---- the checked list -----------------------------------------------------------------------------

void* TDbgList::GetItemsEx(int Index) const
{
    if (Index >= Count()) throw Exception(JyrControlsConsts::SListReadIndexError);
    return Get(Index);
}

void TDbgList::SetItemsEx(int Index, void* Value)
{
    if (Index >= Count()) throw Exception(JyrControlsConsts::SListWriteIndexError);
    Put(Index, Value);
}

void TDbgList::AssignList(TList* ListA)
{
    Clear();
    if (!ListA) return;
    for (int I = 0; I < ListA->Count(); ++I) Add(ListA->Get(I));
}
