// QorDateTimePicker: the picker of a date, a time or both, with its time part, label, time bounds,
// null date and check box.
#include "QorDateTimePicker.h"

#include "framework/Forms.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"
#include "graphics/QorXPVS.h"

#include <windows.h>
#include <commctrl.h>

#include <cmath>

namespace QorDateTimePicker {

namespace {

double DatePart(TDateTime V) { return std::trunc(double(V)); }
double TimePart(TDateTime V) { return std::fabs(double(V) - std::trunc(double(V))); }
// A date part with a time of day, as the framework keeps dates before 1899-12-30.
TDateTime Combine(double Date, double Time) { return Date >= 0 ? Date + Time : Date - Time; }
// Hours, minutes and seconds of a value, milliseconds dropped.
double WholeSeconds(TDateTime V)
{
    Word H = 0, M = 0, S = 0, MS = 0;
    DecodeTime(V, H, M, S, MS);
    return EncodeTime(H, M, S, 0);
}

}  // namespace

TQorDateTimePicker::TQorDateTimePicker(TComponent* AOwner) : TCustomDateTimePicker(AOwner)
{
    FBorderStyle = bsSingle;
    SetCtl3D(true);
    FLabelFont = new TFont();
    FLabelFont->OnChange = [this](TObject* Sender) { LabelFontChanged(Sender); };
    FParentFnt = GetParentFont();
}

TQorDateTimePicker::~TQorDateTimePicker()
{
    if (FLabel) {
        FLabel->SetParent(nullptr);
        FLabel->Free();
        FLabel = nullptr;
    }
    delete FLabelFont;
    FLabelFont = nullptr;
    if (FTimePicker) {
        FTimePicker->Free();
        FTimePicker = nullptr;
    }
}

void TQorDateTimePicker::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    // The time part is a child window: the picker does not paint over it.
    Params.Style |= WS_CLIPCHILDREN;
}

// ---- Time part --------------------------------------------------------------------------------

void TQorDateTimePicker::CreateTimePicker()
{
    if (FTimePicker || FKind != dkDateTime) return;
    FTimePicker = Create<TCustomDateTimePicker>(this);
    FTimePicker->SetParent(this);
    FTimePicker->SetBounds(0, 0, 90, 17);
    FTimePicker->IsTimePicker = true;
    FTimePicker->SetVisible(false);
    FTimePicker->SetEnabled(GetEnabled());
    FTimePicker->::TCustomDateTimePicker::SetKind(dtkTime);
    FTimePicker->OnChange = [this](TObject* Sender) { OnTimePickerChanged(Sender); };
    FTimePicker->OnClick = [this](TObject* Sender) { OnTimePickerClicked(Sender); };
    FTimePicker->OnKeyPress = [this](TObject* Sender, Char& Key) { TimePickerKeyPress(Sender, Key); };
    FTimePicker->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { KeyDown(Key, Shift); };
    FTimePicker->OnExit = [this](TObject*) { Invalidate(); };
    FTimePicker->SetAutoTabToNext(FAutoTabToNext);
    FTimePicker->GridTabhandling = GridTabhandling;
    // A new time part starts at the picker's time of day.
    FTimePicker->SetDateTime(Combine(DatePart(Date()), TimePart(GetDateTime())));
}

void TQorDateTimePicker::SetTimePickerEnabled(bool Value)
{
    if (FTimePicker) FTimePicker->SetEnabled(Value);
}

void TQorDateTimePicker::UpdateTimePicker()
{
    if (!FTimePicker) return;
    FTimePicker->SetParent(this);
    FTimePicker->SetColor(GetColor());
    SetTimePickerEnabled(GetEnabled() && (GetChecked() || !GetShowCheckbox()));
    const bool Shown = FKind == dkDateTime;
    FTimePicker->SetVisible(Shown);
    FTimePicker->SetDateTime(Combine(DatePart(Date()), TimePart(GetDateTimeEx())));
    FTimePicker->SetFormat(FTimeFormat);
    FTimePicker->SetFont(GetFont());
    if (!Shown && !IsLoading()) {
        TCustomDateTimePicker* Old = FTimePicker;
        FTimePicker = nullptr;
        Old->Free();
        return;
    }
    TCustomForm* Form = GetParentForm(this);
    const int P = Form ? int(std::lround(Form->GetPixelsPerInch() * 21 / 96.0)) : 21;
    String Text;
    if (FTimePicker->HandleAllocated()) Text = FTimePicker->GetText();
    if (Text.empty()) Text = TimeToStr(FTimePicker->GetTime());
    const int Q = GetTextSize(this, Text, GetFont()).cx + P + 10;
    const int W = GetWidth(), H = GetHeight();
    if (IsVista()) {
        const bool Bevel = (GetBevelInner() != bvNone || GetBevelOuter() != bvNone) && GetBevelKind() != bkNone;
        const int R = Bevel ? 4 : 0;
        if (!IsComCtl6() || !QorXPVS::IsThemeActive) FTimePicker->SetBounds(W - Q - P - R - 2, -2, Q, H - R);
        else if (!JyrControls::ThemesActive()) FTimePicker->SetBounds(W - Q - P - R, 2, Q, H - R - 4);
        else if (GetMetroStyleShowing()) FTimePicker->SetBounds(W - Q - P - R, 1, Q, H - R - 2);
        else FTimePicker->SetBounds(W - Q - P - R - 13, 1, Q, H - R - 2);
    } else {
        FTimePicker->SetBounds(W - Q - P, -2, Q, H);
    }
}

void TQorDateTimePicker::OnTimePickerChanged(TObject*)
{
    TimePickerChanged();
    if (FTimePicker && TimeBounded()) {
        const double T = TimePart(FTimePicker->GetTime());
        if (T < TimePart(FMinTime)) FTimePicker->SetTime(TimePart(FMinTime));
        else if (T > TimePart(FMaxTime)) FTimePicker->SetTime(TimePart(FMaxTime));
    }
    if (OnTimeChange) OnTimeChange(this);
}

void TQorDateTimePicker::OnTimePickerClicked(TObject*) { TimePickerClicked(); }

void TQorDateTimePicker::TimePickerChanged()
{
    if (OnChange) OnChange(this);
}

void TQorDateTimePicker::TimePickerClicked()
{
    if (OnClick) OnClick(this);
}

void TQorDateTimePicker::DoCheckClicked()
{
    if (OnCheckClick) OnCheckClick(this);
}

// ---- Kind and values --------------------------------------------------------------------------

void TQorDateTimePicker::ApplyKind()
{
    ::TCustomDateTimePicker::SetKind(FKind == dkTime ? dtkTime : dtkDate);
    if (FKind == dkTime) SetFormatEx(FTimeFormat);
    if (FKind == dkDateTime) {
        CreateTimePicker();
        SetDateTimeEx(GetDateTimeEx());
    }
    UpdateTimePicker();
}

void TQorDateTimePicker::SetKind(TQorDateTimeKind Value)
{
    if (Value < dkDate || Value > dkDateTime) Value = dkDateTime;
    if (FKind == Value) return;
    FKind = Value;
    ApplyKind();
}

TDateTime TQorDateTimePicker::GetDateTimeEx()
{
    if (FTimePicker) SetTime(FTimePicker->GetTime());
    return GetDateTime();
}

TDateTime TQorDateTimePicker::GetDateEx() { return DatePart(GetDateTimeEx()); }

TDateTime TQorDateTimePicker::GetTimeEx()
{
    if (FKind == dkDateTime && FTimePicker) return FTimePicker->GetTime();
    return GetTime();
}

void TQorDateTimePicker::SetTimeEx(TDateTime Value)
{
    // Kept also while the date part is 0 (a time-only value, the null date).
    SetTime(Value);
    if (FTimePicker) FTimePicker->SetDateTime(Combine(DatePart(Date()), TimePart(Value)));
    UpdateTimePicker();
}

void TQorDateTimePicker::SetDateEx(TDateTime Value)
{
    SetDateTimeEx(Combine(DatePart(Value), WholeSeconds(GetDateTimeEx())));
}

void TQorDateTimePicker::SetDateTimeEx(TDateTime Value)
{
    SetDateTimeInt(Value);
    FInternalChangedFlag = false;
}

void TQorDateTimePicker::SetDateTimeInt(TDateTime Value)
{
    const double T = WholeSeconds(Value);
    CreateTimePicker();
    if (GetMinDate() != 0 && Value < GetMinDate()) Value = GetMinDate();
    if (GetMaxDate() != 0 && Value > GetMaxDate()) Value = GetMaxDate();
    const double D = DatePart(Value);
    SetDateTime(D == 0 && NullDateIsToday ? Combine(DatePart(Date()), T) : Combine(D, T));
    if (FTimePicker) FTimePicker->SetDateTime(Combine(DatePart(Date()), T));
    CheckAndActivateFormat();
}

void TQorDateTimePicker::SetTimeFormat(const String& Value)
{
    if (FTimePicker) FTimePicker->SetFormat(Value);
    if (FKind == dkTime) SetFormatEx(Value);
    FTimeFormat = Value;
    UpdateTimePicker();
}

void TQorDateTimePicker::SetFormatEx(const String& Value)
{
    if (Value != FNullDateFormat) FOriginalFormat = Value;
    SetFormat(Value);
}

void TQorDateTimePicker::SetTabStopEx(bool Value)
{
    SetTabStop(Value);
    if (FTimePicker) FTimePicker->SetTabStop(Value);
}

void TQorDateTimePicker::SetAutoTab(bool Value)
{
    inherited::SetAutoTab(Value);
    if (FTimePicker) FTimePicker->SetAutoTab(FAutoTab);
}

void TQorDateTimePicker::SetAutoTabToNext(bool Value)
{
    inherited::SetAutoTabToNext(Value);
    if (FTimePicker) FTimePicker->SetAutoTabToNext(FAutoTabToNext);
}

void TQorDateTimePicker::SetBorderStyle(TBorderStyle Value)
{
    inherited::SetBorderStyle(Value);
    UpdateTimePicker();
}

bool TQorDateTimePicker::MsgSetDateTime(const SYSTEMTIME& Value)
{
    const bool Result = inherited::MsgSetDateTime(Value);
    if (GetShowCheckbox() && FTimePicker) {
        SetTimePickerEnabled(GetEnabled() && GetChecked());
        FIgnoreTimePickerCheck = FTimePicker->GetEnabled();
    }
    return Result;
}

void TQorDateTimePicker::Change()
{
    inherited::Change();
    FInternalChangedFlag = false;
    if (FKind != dkTime || !TimeBounded() || FInChange) return;
    TValueScope<bool> Busy(FInChange, true);
    const double T = TimePart(GetDateTime());
    if (T < TimePart(FMinTime)) SetDateTimeEx(FMinTime);
    else if (T > TimePart(FMaxTime)) SetDateTimeEx(FMaxTime);
}

// ---- Null date --------------------------------------------------------------------------------

void TQorDateTimePicker::SetNullDateDate(TDateTime Value)
{
    FNullDateDate = Value;
    CheckAndActivateFormat();
}

void TQorDateTimePicker::SetNullDateFormat(const String& Value)
{
    FNullDateFormat = Value;
    CheckAndActivateFormat();
}

void TQorDateTimePicker::CheckAndActivateFormat()
{
    if (GetDateTimeEx() == FNullDateDate && !FNullDateFormat.empty()) SetFormat(FNullDateFormat);
    else SetFormat(FOriginalFormat);
}

void TQorDateTimePicker::DoEnter()
{
    FInternalChangedFlag = false;
    if (GetDateTimeEx() == FNullDateDate) {
        SetDateTimeInt(Date());
        FInternalChangedFlag = true;
    }
    SetFormat(FOriginalFormat);
    inherited::DoEnter();
}

void TQorDateTimePicker::DoExit()
{
    if (FInternalChangedFlag) {
        FInternalChangedFlag = false;
        SetDateTimeInt(FNullDateDate);
    }
    CheckAndActivateFormat();
    inherited::DoExit();
}

// ---- Auto-tab ---------------------------------------------------------------------------------

void TQorDateTimePicker::KeyPress(Char& Key)
{
    if (FAutoTab && Key >= L'0' && Key <= L'9') DecodeDate(CurrentValue(), y, m, d);
    inherited::KeyPress(Key);
}

void TQorDateTimePicker::ShiftFocus()
{
    if (FKind == dkTime) {
        inherited::ShiftFocus();
        return;
    }
    if (!HandleAllocated()) return;
    Word Y = 0, M = 0, D = 0;
    DecodeDate(CurrentValue(), Y, M, D);
    const bool DayChanged = D != d, MonthChanged = M != m, YearChanged = Y != y;
    const bool Any = DayChanged || MonthChanged || YearChanged;
    auto NextField = [this] { PostMessageW(GetHandle(), WM_KEYDOWN, VK_RIGHT, 0); };
    auto ToTimePart = [this] {
        if (FTimePicker && FTimePicker->CanFocus()) FTimePicker->SetFocus();
    };
    const String& F = GetFormat();
    if (!F.empty()) {
        const Char Last = F.back();
        const bool LastChanged = ((Last == L'D' || Last == L'd') && DayChanged) ||
                                 ((Last == L'M' || Last == L'm') && MonthChanged) ||
                                 ((Last == L'Y' || Last == L'y') && YearChanged);
        if (LastChanged) ToTimePart();
        else if (Any) NextField();
        return;
    }
    if (YearChanged) {
        if (FKind == dkDateTime) ToTimePart();
        else TabToNext();
    } else if (DayChanged || MonthChanged) {
        NextField();
    }
}

// ---- Label ------------------------------------------------------------------------------------

String TQorDateTimePicker::GetLabelCaption() const { return FLabel ? FLabel->GetCaption() : String(); }

void TQorDateTimePicker::SetLabelCaption(const String& Value)
{
    if (!FLabel) {
        FLabel = Create<TLabel>(this);
        FLabel->SetParent(GetParent());
        FLabel->SetFocusControl(this);
        FLabel->OnClick = [this](TObject*) {
            if (OnLabelClick) OnLabelClick(this);
        };
        FLabel->OnDblClick = [this](TObject*) {
            if (OnLabelDblClick) OnLabelDblClick(this);
        };
    }
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TQorDateTimePicker::SetLabelPosition(TLabelPosition Value)
{
    FLabelPosition = Value >= lpLeftTop && Value <= lpBottomRight ? Value : lpLeftTop;
    UpdateLabel();
}

void TQorDateTimePicker::SetLabelMargin(int Value)
{
    FLabelMargin = Value >= 0 && Value <= MaxLabelMargin ? Value : 4;
    UpdateLabel();
}

void TQorDateTimePicker::SetLabelTransparent(bool Value)
{
    FLabelTransparent = Value;
    UpdateLabel();
}

void TQorDateTimePicker::SetLabelAlwaysEnabled(bool Value)
{
    FLabelAlwaysEnabled = Value;
    if (Value && FLabel) FLabel->SetEnabled(true);
    UpdateLabel();
}

void TQorDateTimePicker::SetFocusLabel(bool Value)
{
    FFocusLabel = Value;
    UpdateLabel();
}

void TQorDateTimePicker::LabelFontChanged(TObject*)
{
    if (!FLblUpdate) FLblFntHeight = FLabelFont->GetHeight();
    UpdateLabel();
}

void TQorDateTimePicker::UpdateLabel()
{
    if (!FLabel || !FLabel->GetParent() || IsDestroying()) return;
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->SetFont(FParentFnt ? GetFont() : FLabelFont);
    if (FFocusLabel) {
        TFontStyles S = FLabel->GetFont()->GetStyle();
        if (Focused()) S << fsBold;
        else S >> fsBold;
        FLabel->GetFont()->SetStyle(S);
    }
    if (FLabel->GetParent()->HandleAllocated()) UpdateLabelPos();
    FLabel->Invalidate();
}

void TQorDateTimePicker::UpdateLabelPos()
{
    const int W = JyrControls::CaptionWidth(FLabel->GetCaption(), FLabel->GetFont());
    const int A = int(std::lround(FLabelMargin * CalculateDPIScale(this)));
    const int B = GetBorderStyle() == bsSingle ? 2 : 0;
    const TPoint P = JyrControls::PlaceLabel(int(FLabelPosition), GetLeft(), GetTop(), GetWidth(), GetHeight(),
                                             FLabel->GetHeight(), FLabel->GetWidth(), W, A, B);
    FLabel->SetBounds(P.X, P.Y, FLabel->GetWidth(), FLabel->GetHeight());
    FLabel->SetVisible(GetVisible());
}

void TQorDateTimePicker::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (FLabel) {
        const TAlign A = GetAlign();
        const int Across = FLabel->GetWidth() + FLabelMargin;
        switch (FLabelPosition) {
        case lpLeftTop:
        case lpLeftCenter:
        case lpLeftBottom:
            if (A == alTop || A == alBottom || A == alClient) {
                ALeft += Across;
                AWidth -= Across;
            }
            break;
        case lpTopLeft:
        case lpTopCenter:
        case lpTopRight:
            if (A == alTop || A == alLeft || A == alRight || A == alClient) ATop += FLabel->GetHeight();
            break;
        case lpRightTop:
        case lpRightCenter:
        case lpRighBottom:
            if (A == alTop || A == alBottom || A == alClient) AWidth -= Across;
            break;
        default: break;
        }
    }
    inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel && FLabel->GetParent()) UpdateLabel();
}

void TQorDateTimePicker::SetParent(TWinControl* AParent)
{
    inherited::SetParent(AParent);
    if (FLabel && !IsDestroying()) {
        FLabel->SetParent(AParent);
        UpdateLabel();
    }
}

void TQorDateTimePicker::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    // The label stands on the picker's parent, which may free it first.
    if (Operation == opRemove && AComponent == FLabel) FLabel = nullptr;
    if (Operation == opRemove && AComponent == FTimePicker) FTimePicker = nullptr;
}

void TQorDateTimePicker::ChangeScale(int M, int D)
{
    inherited::ChangeScale(M, D);
    if (!IsLoading()) FLabelFont->SetSize(GetFont()->GetSize());
}

// ---- Window and loading -----------------------------------------------------------------------

void TQorDateTimePicker::CreateWnd()
{
    // The platform's kind before the window is made, so that it needs no second window.
    ::TCustomDateTimePicker::SetKind(FKind == dkTime ? dtkTime : dtkDate);
    inherited::CreateWnd();
    FOldCheck = GetChecked();
    FParentFnt = GetParentFont();
    ApplyKind();
    if (!GetParentFont() && FLabel && !FLabel->GetCaption().empty() && FLblFntHeight != 0) {
        TValueScope<bool> Updating(FLblUpdate, true);
        FLabelFont->SetHeight(int(std::lround(FLblFntHeight * CalculateDPIScale(this))));
    }
    UpdateLabel();
}

void TQorDateTimePicker::Loaded()
{
    inherited::Loaded();
    FOriginalFormat = GetFormat();
    CreateTimePicker();
    UpdateTimePicker();
    if (!GetChecked()) {
        SetChecked(false);
        SetTimePickerEnabled(false);
    }
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(GetEnabled());
    FLblFntHeight = FLabelFont->GetHeight();
    if (GetParentFont() && FLabel) FLabel->SetFont(GetFont());
    FParentFnt = GetParentFont();
    UpdateLabel();
}

// ---- Messages ---------------------------------------------------------------------------------

void TQorDateTimePicker::WndProc(TMessage& Message)
{
    inherited::WndProc(Message);
    if (Message.Msg != DTM_SETSYSTEMTIME) return;
    if (Message.WParam == GDT_NONE && GetShowCheckbox() && FTimePicker) {
        SetTimePickerEnabled(GetEnabled() && GetChecked());
        FIgnoreTimePickerCheck = FTimePicker->GetEnabled();
    }
    // A check set by code is seen: only the user's later change of it is told.
    FOldCheck = GetChecked();
}

void TQorDateTimePicker::UserString(TMessage& Message, const String& Text)
{
    auto* N = reinterpret_cast<NMDATETIMESTRINGW*>(Message.LParam);
    const TDateTime Old = GetDateTimeEx();
    TDateTime V = Old;
    const bool Converted = TryStrToDateTime(Text, V, FormatSettings);
    // Text that does not convert keeps the value the picker has.
    if (!Converted) V = Old;
    bool Valid = true;
    if (OnUserInput) {
        bool Allow = Converted;
        OnUserInput(this, Text, V, Allow);
        Valid = Allow;
    }
    N->st = DateTimeToSystemTimeValue(Valid ? V : Old);
    N->dwFlags = Valid ? GDT_VALID : GDT_ERROR;
    Message.Result = 0;
}

void TQorDateTimePicker::CNNotify(TMessage& Message)
{
    auto* Hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (Hdr->code) {
    case DTN_DATETIMECHANGE:
        if (!GetShowCheckbox()) {
            FIgnoreTimePickerCheck = false;
            inherited::Dispatch(Message);
            break;
        }
        inherited::Dispatch(Message);
        if (FTimePicker && !FIgnoreTimePickerCheck) {
            auto* N = reinterpret_cast<NMDATETIMECHANGE*>(Message.LParam);
            SetTimePickerEnabled(N->dwFlags != GDT_NONE && GetEnabled() && GetChecked());
        }
        FIgnoreTimePickerCheck = false;
        break;
    case DTN_USERSTRINGW: {
        auto* N = reinterpret_cast<NMDATETIMESTRINGW*>(Message.LParam);
        UserString(Message, N->pszUserString ? N->pszUserString : L"");
        break;
    }
    case DTN_USERSTRINGA: {
        auto* N = reinterpret_cast<NMDATETIMESTRINGA*>(Message.LParam);
        String Text;
        if (N->pszUserString) {
            int Len = MultiByteToWideChar(CP_ACP, 0, N->pszUserString, -1, nullptr, 0);
            if (Len > 1) {
                Text.resize(size_t(Len - 1));
                MultiByteToWideChar(CP_ACP, 0, N->pszUserString, -1, Text.data(), Len);
            }
        }
        UserString(Message, Text);
        break;
    }
    case DTN_DROPDOWN:
    case DTN_CLOSEUP: inherited::Dispatch(Message); break;
    default:
        FIgnoreTimePickerCheck = false;
        inherited::Dispatch(Message);
    }
    if (GetChecked() != FOldCheck) {
        FOldCheck = GetChecked();
        DoCheckClicked();
    }
}

void TQorDateTimePicker::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); break;
    case WM_PAINT:
        if (FFirstRun) {
            FFirstRun = false;
            UpdateTimePicker();
        }
        inherited::Dispatch(Message);
        break;
    case WM_SIZE:
        inherited::Dispatch(Message);
        UpdateTimePicker();
        break;
    case WM_KEYUP:
        inherited::Dispatch(Message);
        if (Message.WParam == VK_DELETE && GetKeyState(VK_CONTROL) < 0 && !FNullDateFormat.empty())
            SetDateTimeEx(0);
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        inherited::Dispatch(Message);
        if (!IsLoading()) UpdateLabel();
        break;
    case CM_COLORCHANGED:
        inherited::Dispatch(Message);
        UpdateTimePicker();
        break;
    case CM_VISIBLECHANGED:
    case CM_SHOWINGCHANGED:
        inherited::Dispatch(Message);
        if (FLabel) FLabel->SetVisible(GetVisible());
        break;
    case CM_ENABLEDCHANGED:
        inherited::Dispatch(Message);
        SetTimePickerEnabled(GetEnabled() && (GetChecked() || !GetShowCheckbox()));
        if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(GetEnabled());
        break;
    default: inherited::Dispatch(Message);
    }
}

// ---- Registration -----------------------------------------------------------------------------

void TQorDateTimePicker::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"Kind", &TQorDateTimePicker::GetKind, &TQorDateTimePicker::SetKind, dkDateTime);
    T.Add(L"Format", &TQorDateTimePicker::GetFormatEx, &TQorDateTimePicker::SetFormatEx);
    T.Add(L"TimeFormat", &TQorDateTimePicker::GetTimeFormat, &TQorDateTimePicker::SetTimeFormat);
    T.AddProc(L"Date", TPropKind::Float,
              [](TObject* O) { return TPropValue(double(static_cast<TQorDateTimePicker*>(O)->GetDateEx())); },
              [](TObject* O, const TPropValue& V) { static_cast<TQorDateTimePicker*>(O)->SetDateEx(V.AsFloat()); });
    T.AddProc(L"Time", TPropKind::Float,
              [](TObject* O) { return TPropValue(double(static_cast<TQorDateTimePicker*>(O)->GetTimeEx())); },
              [](TObject* O, const TPropValue& V) { static_cast<TQorDateTimePicker*>(O)->SetTimeEx(V.AsFloat()); });
    T.AddProc(L"DateTime", TPropKind::Float,
              [](TObject* O) { return TPropValue(double(static_cast<TQorDateTimePicker*>(O)->GetDateTimeEx())); },
              [](TObject* O, const TPropValue& V) { static_cast<TQorDateTimePicker*>(O)->SetDateTimeEx(V.AsFloat()); })
        .Stored(false);
    T.Add(L"MinTime", &TQorDateTimePicker::GetMinTime, &TQorDateTimePicker::SetMinTime, 0.0);
    T.Add(L"MaxTime", &TQorDateTimePicker::GetMaxTime, &TQorDateTimePicker::SetMaxTime, 0.0);
    T.Add(L"NullDateDate", &TQorDateTimePicker::GetNullDateDate, &TQorDateTimePicker::SetNullDateDate, 0.0);
    T.Add(L"NullDateFormat", &TQorDateTimePicker::GetNullDateFormat, &TQorDateTimePicker::SetNullDateFormat);
    T.Add(L"BorderStyle", &TFlatDateTimePicker::GetBorderStyle, &TFlatDateTimePicker::SetBorderStyle, bsSingle);
    T.Add(L"Ctl3D", &TControl::GetCtl3D, &TControl::SetCtl3D, true);
    T.Add(L"TabStop", &TQorDateTimePicker::GetTabStopEx, &TQorDateTimePicker::SetTabStopEx, true);
    T.Add(L"LabelCaption", &TQorDateTimePicker::GetLabelCaption, &TQorDateTimePicker::SetLabelCaption);
    T.Add(L"LabelPosition", &TQorDateTimePicker::GetLabelPosition, &TQorDateTimePicker::SetLabelPosition, lpLeftTop);
    T.Add(L"LabelMargin", &TQorDateTimePicker::GetLabelMargin, &TQorDateTimePicker::SetLabelMargin, 4);
    T.Add(L"LabelTransparent", &TQorDateTimePicker::GetLabelTransparent, &TQorDateTimePicker::SetLabelTransparent,
          false);
    T.Add(L"LabelAlwaysEnabled", &TQorDateTimePicker::GetLabelAlwaysEnabled,
          &TQorDateTimePicker::SetLabelAlwaysEnabled, false);
    T.Add(L"FocusLabel", &TQorDateTimePicker::GetFocusLabel, &TQorDateTimePicker::SetFocusLabel, false);
    T.Add(L"LabelFont", &TQorDateTimePicker::GetLabelFont, &TQorDateTimePicker::SetLabelFont);
    T.AddEvent(L"OnCheckClick", &TQorDateTimePicker::OnCheckClick);
    T.AddEvent(L"OnLabelClick", &TQorDateTimePicker::OnLabelClick);
    T.AddEvent(L"OnLabelDblClick", &TQorDateTimePicker::OnLabelDblClick);
}

}  // namespace QorDateTimePicker
