// What the edit controls share: environment seams, one-line rules and label placement.
#include "JyrControls.h"

#include "framework/Clipbrd.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"
#include "graphics/QorStyleIF.h"
#include "graphics/QorXPVS.h"

#include <windows.h>

#include <vector>

namespace JyrControls {

namespace {
int GBeeps = 0;
bool GBeepMuted = false;
}  // namespace

TEnvironmentOverrides& EnvironmentOverrides()
{
    static TEnvironmentOverrides Overrides;
    return Overrides;
}

void Beep()
{
    ++GBeeps;
    if (!GBeepMuted) MessageBeep(0);
}

int BeepCount() { return GBeeps; }

void SetBeepMuted(bool Muted) { GBeepMuted = Muted; }

bool IsMouseButtonDown()
{
    if (EnvironmentOverrides().MouseButtonDown) return *EnvironmentOverrides().MouseButtonDown;
    return (GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0 || (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

bool HighContrast()
{
    if (EnvironmentOverrides().HighContrast) return *EnvironmentOverrides().HighContrast;
    HIGHCONTRASTW HC{};
    HC.cbSize = sizeof(HC);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(HC), &HC, 0) && (HC.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool ThemesActive()
{
    if (EnvironmentOverrides().ThemesActive) return *EnvironmentOverrides().ThemesActive;
    return QorXPVS::IsThemeActive && QorXPVS::IsThemeActive();
}

bool IsComCtl6() { return QorStyleIF::IsThemedApp(); }

int GetFileVersion(const String& FileName)
{
    DWORD Handle = 0;
    DWORD Size = GetFileVersionInfoSizeW(FileName.c_str(), &Handle);
    if (Size == 0) return -1;
    std::vector<Byte> Info(Size);
    VS_FIXEDFILEINFO* Fixed = nullptr;
    UINT Len = 0;
    if (!GetFileVersionInfoW(FileName.c_str(), 0, Size, Info.data()) ||
        !VerQueryValueW(Info.data(), L"\\", reinterpret_cast<void**>(&Fixed), &Len) || !Fixed ||
        Len < sizeof(VS_FIXEDFILEINFO) || Fixed->dwSignature != 0xFEEF04BD)
        return -1;
    return int(Fixed->dwFileVersionMS);
}

bool IsLineBreakChar(WPARAM Ch) { return Ch == L'\r' || Ch == L'\n' || Ch == L'\t'; }

String FirstLine(const String& Text)
{
    size_t End = Text.find_first_of(L"\r\n\t");
    return End == String::npos ? Text : Text.substr(0, End);
}

void PasteOneLine(TCustomEdit* Edit)
{
    if (!Edit->HandleAllocated()) return;
    String Text = FirstLine(Clipboard()->GetAsText());
    SendMessageW(Edit->GetHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Text.c_str()));
}

// ---- TButtonHost ------------------------------------------------------------------------------

TButtonHost::TButtonHost(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
}

void TButtonHost::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    int W = AWidth, H = AHeight;
    if (!IsLoading()) AdjustSize(W, H);
    inherited::SetBounds(ALeft, ATop, W, H);
}

void TButtonHost::Relayout()
{
    int W = GetWidth(), H = GetHeight();
    if (!IsLoading()) AdjustSize(W, H);
    if (W != GetWidth() || H != GetHeight()) inherited::SetBounds(GetLeft(), GetTop(), W, H);
}

void TButtonHost::Loaded()
{
    inherited::Loaded();
    Relayout();
}

void TButtonHost::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_SIZE) {
        inherited::Dispatch(Message);
        Relayout();
        Message.Result = 0;
        return;
    }
    inherited::Dispatch(Message);
}

void TButtonHost::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TButtonHost::SetFocusControl(TWinControl* Value)
{
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TButtonHost::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"FocusControl", &TButtonHost::GetFocusControl, &TButtonHost::SetFocusControl);
}

void TButtonHost::FocusAfterPress()
{
    if (FFocusControl && FFocusControl->GetTabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (GetTabStop() && !Focused() && CanFocus())
        SetFocus();
}

// ---- TEmbeddedButtonEdit ----------------------------------------------------------------------

void TEmbeddedButtonEdit::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
}

void TEmbeddedButtonEdit::Embed(TWinControl* Child, int W, int H)
{
    Child->SetBounds(0, 0, W, H);
    Child->SetVisible(true);
    Child->SetParent(this);
}

void TEmbeddedButtonEdit::CharHeights(int& System, int& Own)
{
    TClientDC DC(nullptr);
    TEXTMETRICW M{};
    {
        TSelectObject Font(DC, GetStockObject(SYSTEM_FONT));
        GetTextMetricsW(DC, &M);
        System = M.tmHeight;
    }
    TSelectObject Font(DC, GetFont()->GetHandle());
    GetTextMetricsW(DC, &M);
    Own = M.tmHeight;
}

void TEmbeddedButtonEdit::DefaultHandler(TMessage& Message)
{
    // The window is multi-line: a line break or tab would split the value.
    if (Message.Msg == WM_CHAR && IsLineBreakChar(Message.WParam)) {
        Message.Result = 0;
        return;
    }
    inherited::DefaultHandler(Message);
}

void TEmbeddedButtonEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PASTE:
        if (FEditorEnabled && !GetReadOnly()) PasteOneLine(this);
        Message.Result = 0;
        break;
    case WM_CUT:
        if (FEditorEnabled && !GetReadOnly()) inherited::Dispatch(Message);
        else Message.Result = 0;
        break;
    default: inherited::Dispatch(Message);
    }
}

void TEmbeddedButtonEdit::RegisterProperties(TPropertyTable& T)
{
    TEdit::RegisterProperties(T);
    T.Add(L"EditorEnabled", &TEmbeddedButtonEdit::GetEditorEnabled, &TEmbeddedButtonEdit::SetEditorEnabled, true);
}

// ---- Caption labels ---------------------------------------------------------------------------

int CaptionWidth(const String& Caption, TFont* Font)
{
    TClientDC DC(nullptr);
    TSelectObject UseFont(DC, Font->GetHandle());
    RECT R{0, 0, 1000, 255};
    DrawTextW(DC, Caption.c_str(), int(Caption.size()), &R, DT_CALCRECT | DT_SINGLELINE | DT_HIDEPREFIX);
    return R.right - R.left;
}

TPoint PlaceLabel(int Position, int L, int T, int W, int H, int LH, int LW, int CW, int M, int B)
{
    const int MiddleTop = T + (H - B - LH) / 2;
    const int MiddleLeft = L + (W - LW) / 2;
    switch (Position) {
    case 0: return {L - CW - M, T};                  // left top
    case 1: return {L - CW - M, MiddleTop};          // left centre
    case 2: return {L - CW - M, T + H - LH};         // left bottom
    case 3: return {L, T - LH - M};                  // top left
    case 4: return {L, T + H + M};                   // bottom left
    case 5: return {L - M, T};                       // left top, left-aligned
    case 6: return {L - M, MiddleTop};               // left centre, left-aligned
    case 7: return {L - M, T + H - LH};              // left bottom, left-aligned
    case 8: return {MiddleLeft, T - LH - M};         // top centre
    case 9: return {MiddleLeft, T + H + M};          // bottom centre
    case 10: return {L + W + M, T};                  // right top
    case 11: return {L + W + M, MiddleTop};          // right centre
    case 12: return {L + W + M, T + H - LH};         // right bottom
    case 13: return {L + W - LW, T - LH - M};        // top right
    case 14: return {L + W - LW, T + H + M};         // bottom right
    default: return {L - CW - M, T};
    }
}

}  // namespace JyrControls
