// ExtCtrls: the panel, timer and image in the class registry.
#include "ExtCtrls.h"
#include "TypInfo.h"

void TPanel::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"Alignment", &TCustomPanel::GetAlignment, &TCustomPanel::SetAlignment, taCenter);
    T.Add(L"BevelInner", &TCustomPanel::GetBevelInner, &TCustomPanel::SetBevelInner, bvNone);
    T.Add(L"BevelOuter", &TCustomPanel::GetBevelOuter, &TCustomPanel::SetBevelOuter, bvRaised);
    T.Add(L"BevelWidth", &TCustomPanel::GetBevelWidth, &TCustomPanel::SetBevelWidth, 1);
    T.Add(L"BorderStyle", &TCustomPanel::GetBorderStyle, &TCustomPanel::SetBorderStyle, bsNone);
    T.Add(L"BorderWidth", &TWinControl::GetBorderWidth, &TWinControl::SetBorderWidth, 0);
    T.Add(L"Caption", &TControl::GetCaption, &TControl::SetCaption);
    T.Add(L"FullRepaint", &TCustomPanel::GetFullRepaint, &TCustomPanel::SetFullRepaint, true);
    T.Add(L"ShowCaption", &TCustomPanel::GetShowCaption, &TCustomPanel::SetShowCaption, true);
}

void TTimer::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"Enabled", &TTimer::GetEnabled, &TTimer::SetEnabled, true);
    T.Add(L"Interval", &TTimer::GetInterval, &TTimer::SetInterval, 1000u);
    T.AddEvent(L"OnTimer", &TTimer::OnTimer);
}

void TImage::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"AutoSize", &TImage::GetAutoSize, &TImage::SetAutoSize, false);
    T.Add(L"Center", &TImage::GetCenter, &TImage::SetCenter, false);
    T.Add(L"Picture", &TImage::GetPicture, &TImage::SetPicture);
    T.Add(L"Proportional", &TImage::GetProportional, &TImage::SetProportional, false);
    T.Add(L"Stretch", &TImage::GetStretch, &TImage::SetStretch, false);
    T.Add(L"Transparent", &TImage::GetTransparent, &TImage::SetTransparent, false);
}

void RegisterExtCtrls()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterStdCtrls();
    if (!IdentTableOf(typeid(TBevelCut)))
        RegisterEnumIdents<TBevelCut>(L"TBevelCut", {{bvNone, L"bvNone"}, {bvLowered, L"bvLowered"},
                                                     {bvRaised, L"bvRaised"}, {bvSpace, L"bvSpace"}});
    RegisterClassesQuietly<TPanel, TTimer, TImage>();
}
