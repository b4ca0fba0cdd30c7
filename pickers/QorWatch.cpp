// QorTimePickerDropDown: the clock face's geometry, time, mouse and key input, timers and hand
// animation.
#include "pickers/QorTimePickerDropDown.h"

#include "controls/QorDropDown.h"

#include "framework/Math.h"
#include "framework/SysUtils.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"

#include <cmath>

namespace {

constexpr const wchar_t* SInvalidTime = L"Invalid time";
constexpr int WatchTimerInterval = 100;
constexpr int AnimationTimerInterval = 1;
constexpr int DefaultSide = 180;
// Room left around an automatically sized dial.
constexpr int DialMargin = 20;
constexpr int MaxResolution = 30;
// The version's four bytes, most significant first: 1.2.1.0.
constexpr int VersionNr = (1 << 24) | (2 << 16) | (1 << 8) | 0;

struct TTimeParts {
    Word H = 0, M = 0, S = 0, MS = 0;
};

TTimeParts Decode(TDateTime T)
{
    TTimeParts P;
    DecodeTime(T, P.H, P.M, P.S, P.MS);
    return P;
}

// T with its time of day replaced and its date kept.
TDateTime WithTime(TDateTime T, const TTimeParts& P)
{
    return ReplaceTime(T, EncodeTime(P.H, P.M, P.S, P.MS));
}

}  // namespace

// ---- unit routines ------------------------------------------------------------------------------

namespace {

// Arrived when Start lies strictly within Margin of Stop (Start := Stop); otherwise the step to take.
bool Arrived(Byte& Start, Byte Stop, Byte& Delta, Byte Margin)
{
    if (int(Stop) - int(Margin) < int(Start) && int(Start) < int(Stop) + int(Margin)) {
        Start = Stop;
        return true;
    }
    Delta = Max(Delta, Margin);
    return false;
}

}  // namespace

bool AnimateDouble(Byte& Start, Byte& Stop, Byte Delta, Byte Margin)
{
    if (Arrived(Start, Stop, Delta, Margin)) return false;
    Start = Start < Stop ? Byte(Start + Delta) : Byte(Start - Delta);
    return true;
}

bool AnimateMinute(Byte& Start, Byte& Stop, Byte Delta, Byte Margin)
{
    if (Arrived(Start, Stop, Delta, Margin)) return false;
    if (Start < Stop || (Stop == 0 && Start > 30)) Start = Byte(Start + Delta);
    else Start = Byte(Start - Delta);
    if (Start >= 60) Start = 0;
    return true;
}

bool PtInEllipse(const TPoint& P, int x1, int y1, int x2, int y2)
{
    TGdiObject<HRGN> Rgn(CreateEllipticRgn(x1, y1, x2, y2));
    return Rgn.Get() && PtInRegion(Rgn.Get(), P.X, P.Y);
}

// ---- construction -------------------------------------------------------------------------------

TQorWatch::TQorWatch(TComponent* AOwner)
    : TCustomControl(AOwner),
      FAppearance(std::make_unique<TWatchAppearance>()),
      FSettings(std::make_unique<TWatchSettings>()),
      FBKGCache(std::make_unique<TBitmap>()),
      FWatchTimer(Create<TTimer>(nullptr)),
      FAnimationTimer(Create<TTimer>(nullptr)),
      FFrame(std::make_unique<TBitmap>())
{
    FAppearance->OnChange = [this](TObject* Sender) { OnAppearanceChanged(Sender); };
    FSettings->OnChange = [this](TObject* Sender) { OnSettingsChanged(Sender); };
    FWatchTimer->SetEnabled(false);
    FWatchTimer->SetInterval(WatchTimerInterval);
    FWatchTimer->SetEnabled(FSettings->GetAuto());
    FWatchTimer->OnTimer = [this](TObject* Sender) { OnWatchTimerTime(Sender); };
    FAnimationTimer->SetEnabled(false);
    FAnimationTimer->SetInterval(AnimationTimerInterval);
    FAnimationTimer->OnTimer = [this](TObject* Sender) { OnAnimationTimerTime(Sender); };
    SetBounds(FLeft, FTop, DefaultSide, DefaultSide);
    FBKGCache->SetSize(DefaultSide, DefaultSide);
}

TQorWatch::~TQorWatch()
{
    // The timers stop before the objects their ticks use go.
    FAnimationTimer.reset();
    FWatchTimer.reset();
}

String TQorWatch::GetVersion() const
{
    const int V = GetVersionNr();
    return IntToStr((V >> 24) & 0xFF) + L"." + IntToStr((V >> 16) & 0xFF) + L"." + IntToStr((V >> 8) & 0xFF) +
           L"." + IntToStr(V & 0xFF);
}

int TQorWatch::GetVersionNr() const { return VersionNr; }

// Loading or designing: changes apply at once, without animation.
bool TQorWatch::Quiet() const
{
    return GetComponentState().Contains(csLoading) || GetComponentState().Contains(csDesigning);
}

void TQorWatch::Changed()
{
    if (OnChange) OnChange(this);
}

// ---- geometry -----------------------------------------------------------------------------------

TRect TQorWatch::GetWatchRect()
{
    const TRect C = GetClientRect();
    const int W = C.Width(), H = C.Height();
    const int Size = FAppearance->GetSize();
    int S = Size > 0 ? Min(Size, Min(H, W)) : Min(H, W) - DialMargin;
    // A face smaller than its margin has no dial at all, rather than one of negative size.
    S = Max(S, 0);
    const int L = C.Left + (W - S) / 2, T = C.Top + (H - S) / 2;
    return TRect(L, T, L + S, T + S);
}

TPoint TQorWatch::GetCenterPoint()
{
    const TRect R = GetWatchRect();
    return TPoint(R.Left + (R.Right - R.Left) / 2, R.Top + (R.Bottom - R.Top) / 2);
}

double TQorWatch::GetRadius()
{
    const TRect R = GetWatchRect();
    return double((R.Right - R.Left) / 2);
}

TCanvas* TQorWatch::MeasureCanvas()
{
    if (!FMeasure) FMeasure = std::make_unique<TBitmap>(1, 1);
    return FMeasure->GetCanvas();
}

TRect TQorWatch::GetAMPMRect()
{
    if (!FShowAMPM) return TRect(-1, -1, -1, -1);
    TCanvas* C = MeasureCanvas();
    C->SetFont(FAppearance->GetAMPMFont());
    const TSize T = GetTextSize(C, L"AM");
    const TPoint Center = GetCenterPoint();
    const double R = GetRadius();
    const int Left = Center.X - (T.cx + 8) / 2;
    const int Top = Center.Y + int(Round((R - T.cy) / 3));
    return TRect(Left, Top, Left + T.cx + 8, Top + T.cy);
}

// ---- time ---------------------------------------------------------------------------------------

void TQorWatch::SetTime(TDateTime Value)
{
    if (Value == FTime) return;
    SetTimeDirect(Value);
    RepaintTime();
}

void TQorWatch::SetTimeDirect(TDateTime Value)
{
    if (Value == FTime) return;
    FTime = Value;
    TValueScope<bool> Internal(FInternalSet, true);
    SetAM(Decode(Value).H < 12);
}

TDateTime TQorWatch::GetDisplayTime() const
{
    if (FSettings->GetAuto()) return Now() + FSettings->GetTimeOffset() / 1440.0;
    return FTime;
}

void TQorWatch::SetHour(Byte Value)
{
    // An hour of 24 or more would be aimed at by an animation that can never arrive.
    if (Value >= 24) throw Exception(SInvalidTime);
    TTimeParts P = Decode(GetDisplayTime());
    if (Value == P.H) return;
    if (FAnimation && !FInternalCall && !Quiet()) {
        FCurrentHourTo = Value;
        FHourAnimating = true;
        FAnimationTimer->SetEnabled(true);
        return;
    }
    if (!FInternalCall) FCurrentHourTo = Value;
    P.H = Value;
    SetTimeDirect(WithTime(FTime, P));
    RepaintTime();
    if (Value == FCurrentHourTo) Changed();
}

void TQorWatch::SetMinute(Byte Value)
{
    TTimeParts P = Decode(GetDisplayTime());
    if (Value >= 60) throw Exception(SInvalidTime);
    if (Value == P.M) return;
    if (FAnimation && !FInternalCall && !Quiet()) {
        FCurrentMinuteTo = Value;
        FHourAnimating = false;
        FMinuteFrom = Byte(P.M);
        FAnimationTimer->SetEnabled(true);
        return;
    }
    if (!FAnimation) FMinuteFrom = Byte(P.M);
    if (!FInternalCall) FCurrentMinuteTo = Value;
    P.M = Value;
    if (Value == 0 && FMinuteFrom > 30) {
        P.H = Word((P.H + 1) % 24);
        FMinuteFrom = 0;
    }
    SetTimeDirect(WithTime(FTime, P));
    RepaintTime();
    if (Value == FCurrentMinuteTo) Changed();
}

void TQorWatch::SetResolution(int Value)
{
    if (Value <= MaxResolution) FResolution = Value;
}

void TQorWatch::SetShowAMPM(bool Value)
{
    if (FShowAMPM == Value) return;
    FShowAMPM = Value;
    InvalidateWatch();
}

void TQorWatch::SetShowNumbers(bool Value)
{
    if (FShowNumbers == Value) return;
    FShowNumbers = Value;
    InvalidateWatch();
}

void TQorWatch::SetComponentStyle(QorStyleIF::TJOQStyle AStyle) { FAppearance->ApplyComponentStyle(AStyle); }

// ---- the AM/PM state ------------------------------------------------------------------------------

void TQorWatch::SetAM(bool Value)
{
    if (FAM == Value) return;
    FAM = Value;
    if (FAnimation && FShowAMPM && FAppearance->GetAMPMColor() != clNone && !FInternalSet) SlideAMPM(Value);
    UpdateCache();
}

// In automatic mode the box shows the half of the day of the displayed hour.
void TQorWatch::FollowDisplayedHalf()
{
    if (!FSettings->GetAuto()) return;
    TValueScope<bool> Internal(FInternalSet, true);
    SetAM(Decode(GetDisplayTime()).H < 12);
}

// ---- input --------------------------------------------------------------------------------------

int TQorWatch::XYToMinute(int X, int Y)
{
    const TPoint C = GetCenterPoint();
    int A = std::abs(C.Y - Y), B = std::abs(C.X - X);
    if (A == 0) A = 1;
    if (B == 0) B = 1;
    // In extended precision, as the class library computes: a 45 degree angle is 7.5 sixths exactly.
    const int V = int(Round(std::atan(static_cast<Extended>(A) / B) * 180 / Pi / 6));
    int Result;
    if (X >= C.X && Y >= C.Y) Result = 15 + V;
    else if (X <= C.X && Y >= C.Y) Result = 45 - V;
    else if (X <= C.X && Y <= C.Y) Result = 45 + V;
    else Result = 15 - V;
    if (Result < 0 || Result >= 60) Result = 0;
    if (FResolution > 1) {
        Result = int(Round(double(Result) / FResolution)) * FResolution;
        if (Result >= 60) Result = 0;
    }
    return Result;
}

int TQorWatch::XYToHour(int X, int Y)
{
    int K = int(Round(XYToMinute(X, Y) / 5.0));
    if (K == 12) K = 0;
    if (K == 0) return FAM ? 0 : 12;
    return FAM ? K : K + 12;
}

void TQorWatch::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FReadOnly || FSettings->GetAuto()) return;
    const TRect W = GetWatchRect();
    if (!PtInEllipse(TPoint(X, Y), W.Left, W.Top, W.Right, W.Bottom)) {
        SetMinute(Byte(XYToMinute(X, Y)));
        return;
    }
    const TRect B = GetAMPMRect();
    if (X >= B.Left && X < B.Right && Y >= B.Top && Y < B.Bottom) {
        if (FAnimation) SetAM(!FAM);
        const Word H = Decode(FTime).H;
        FCurrentHourTo = Byte(H < 12 ? H + 12 : H - 12);
        TValueScope<bool> Internal(FInternalCall, true);
        SetHour(FCurrentHourTo);
        return;
    }
    SetHour(Byte(XYToHour(X, Y)));
}

void TQorWatch::HandleKey(Word Key)
{
    if (FSettings->GetAuto()) return;
    const TTimeParts P = Decode(GetDisplayTime());
    // An hour set at once, recorded as the target so that it counts as the finished change.
    auto HourAtOnce = [this](Byte H) {
        FCurrentHourTo = H;
        TValueScope<bool> Internal(FInternalCall, true);
        SetHour(H);
    };
    switch (Key) {
    case 'A':
        if (P.H >= 12) SetHour(Byte(P.H - 12));
        break;
    case 'P':
        if (P.H < 12) SetHour(Byte(P.H + 12));
        break;
    case VK_PRIOR:
        if (P.H == 23) HourAtOnce(0);
        else SetHour(Byte(P.H + 1));
        break;
    case VK_NEXT:
        if (P.H == 0) HourAtOnce(23);
        else SetHour(Byte(P.H - 1));
        break;
    case VK_HOME:
        HourAtOnce(12);
        break;
    case VK_END:
        SetMinute(0);
        break;
    case VK_LEFT:
        if (P.M == 0) {
            TTimeParts Q = P;
            Q.H = Word(P.H == 0 ? 23 : P.H - 1);
            Q.M = 59;
            SetTimeDirect(WithTime(FTime, Q));
            RepaintTime();
            Changed();
        } else {
            SetMinute(Byte(P.M - 1));
        }
        break;
    case VK_RIGHT:
        SetMinute(P.M == 59 ? 0 : Byte(P.M + 1));
        break;
    default:
        break;
    }
}

// ---- timers and animation -------------------------------------------------------------------------

void TQorWatch::OnAnimationTimerTime(TObject*)
{
    if (!FAnimation || Quiet()) return;
    const TTimeParts P = Decode(GetDisplayTime());
    // A factor below 1 would divide by zero or step backwards: it steps as 1.
    const int Factor = Max(FAnimationFactor, 1);
    TValueScope<bool> Internal(FInternalCall, true);
    if (FHourAnimating) {
        Byte Pos = Byte(P.H);
        const Byte D = Byte(Min<Int64, Int64>(Round(std::abs(int(FCurrentHourTo) - int(P.H)) / double(Factor)), 255));
        if (AnimateDouble(Pos, FCurrentHourTo, D, 1)) {
            SetHour(Pos);
        } else {
            SetHour(FCurrentHourTo);
            FAnimationTimer->SetEnabled(false);
        }
        return;
    }
    const int Distance = FCurrentMinuteTo == 0 && P.M > 30 ? 60 - int(P.M) : std::abs(int(FCurrentMinuteTo) - int(P.M));
    const Byte D = Byte(Min<Int64, Int64>(Round(Distance / double(Factor)), 255));
    Byte Pos = Byte(P.M);
    if (AnimateMinute(Pos, FCurrentMinuteTo, D, 1)) {
        SetMinute(Pos);
    } else {
        SetMinute(FCurrentMinuteTo);
        FAnimationTimer->SetEnabled(false);
    }
}

void TQorWatch::OnWatchTimerTime(TObject*) { RepaintTime(); }

void TQorWatch::OnSettingsChanged(TObject*)
{
    const bool Auto = FSettings->GetAuto();
    FWatchTimer->SetEnabled(Auto);
    if (Auto) {
        SetTime(Now());
        TValueScope<bool> Internal(FInternalSet, true);
        SetAM(Decode(Now()).H < 12);
    }
    InvalidateWatch();
}

void TQorWatch::OnAppearanceChanged(TObject*) { InvalidateWatch(); }

// ---- messages -----------------------------------------------------------------------------------

void TQorWatch::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case WM_SETCURSOR: WMSetCursor(Message); break;
    default: TCustomControl::Dispatch(Message);
    }
}

void TQorWatch::WMGetDlgCode(TMessage& Message)
{
    Message.Result = GetTabStop() ? DLGC_WANTARROWS | DLGC_WANTALLKEYS : 0;
}

void TQorWatch::WMSetCursor(TMessage& Message)
{
    TCustomControl::Dispatch(Message);
    if (GetComponentState().Contains(csDesigning)) return;
    POINT P;
    GetCursorPos(&P);
    const TPoint C = ScreenToClient(TPoint(P.x, P.y));
    const TRect B = GetAMPMRect();
    const bool OverBox = C.X >= B.Left && C.X < B.Right && C.Y >= B.Top && C.Y < B.Bottom;
    SetCursor(OverBox ? crHandPoint : crDefault);
}

// ---- registration -------------------------------------------------------------------------------

void TQorWatch::RegisterProperties(TPropertyTable& Table)
{
    using T = TQorWatch;
    Table.Add(L"Appearance", &T::GetAppearance, &T::SetAppearance);
    Table.Add(L"Settings", &T::GetSettings, &T::SetSettings);
    Table.Add(L"Time", &T::GetTime, &T::SetTime, 0.0);
    Table.Add(L"Animation", &T::GetAnimation, &T::SetAnimation, true);
    Table.Add(L"AnimationFactor", &T::GetAnimationFactor, &T::SetAnimationFactor, 10);
    Table.Add(L"ShowAMPM", &T::GetShowAMPM, &T::SetShowAMPM, true);
    Table.Add(L"ShowNumbers", &T::GetShowNumbers, &T::SetShowNumbers, true);
    Table.Add(L"Style", &T::GetStyle, &T::SetStyle, wsClassic);
    Table.Add(L"ReadOnly", &T::GetReadOnly, &T::SetReadOnly, false);
    Table.Add(L"Resolution", &T::GetResolution, &T::SetResolution, 1);
    Table.Add(L"Version", &T::GetVersion, &T::SetVersion);
    Table.AddEvent(L"OnChange", &T::OnChange);
}
