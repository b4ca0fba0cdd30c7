// StdCtrls: the standard controls and their published properties in the class registry, and the
// properties every control publishes (added to TControl and TWinControl when nobody did yet).
#include "StdCtrls.h"
#include "TypInfo.h"

namespace {

template <class E>
void Idents(const String& Name, std::initializer_list<std::pair<E, const wchar_t*>> Values)
{
    if (!IdentTableOf(typeid(E))) RegisterEnumIdents<E>(Name, Values);
}

void RegisterControlIdents()
{
    Idents<TAlign>(L"TAlign", {{alNone, L"alNone"}, {alTop, L"alTop"}, {alBottom, L"alBottom"},
                               {alLeft, L"alLeft"}, {alRight, L"alRight"}, {alClient, L"alClient"},
                               {alCustom, L"alCustom"}});
    Idents<TAnchorKind>(L"TAnchorKind", {{akLeft, L"akLeft"}, {akTop, L"akTop"}, {akRight, L"akRight"},
                                         {akBottom, L"akBottom"}});
    Idents<TFormBorderStyle>(L"TFormBorderStyle",
                             {{bsNone, L"bsNone"}, {bsSingle, L"bsSingle"}, {bsSizeable, L"bsSizeable"},
                              {bsDialog, L"bsDialog"}, {bsToolWindow, L"bsToolWindow"},
                              {bsSizeToolWin, L"bsSizeToolWin"}});
    Idents<TBiDiMode>(L"TBiDiMode", {{bdLeftToRight, L"bdLeftToRight"}, {bdRightToLeft, L"bdRightToLeft"},
                                     {bdRightToLeftNoAlign, L"bdRightToLeftNoAlign"},
                                     {bdRightToLeftReadingOnly, L"bdRightToLeftReadingOnly"}});
    Idents<TScrollStyle>(L"TScrollStyle", {{TScrollStyle::ssNone, L"ssNone"},
                                           {TScrollStyle::ssHorizontal, L"ssHorizontal"},
                                           {TScrollStyle::ssVertical, L"ssVertical"},
                                           {TScrollStyle::ssBoth, L"ssBoth"}});
    Idents<TEditCharCase>(L"TEditCharCase", {{ecNormal, L"ecNormal"}, {ecUpperCase, L"ecUpperCase"},
                                             {ecLowerCase, L"ecLowerCase"}});
    Idents<TCheckBoxState>(L"TCheckBoxState", {{cbUnchecked, L"cbUnchecked"}, {cbChecked, L"cbChecked"},
                                               {cbGrayed, L"cbGrayed"}});
    Idents<TTextLayout>(L"TTextLayout", {{tlTop, L"tlTop"}, {tlCenter, L"tlCenter"}, {tlBottom, L"tlBottom"}});
    Idents<TComboBoxStyle>(L"TComboBoxStyle", {{csDropDown, L"csDropDown"}, {csSimple, L"csSimple"},
                                               {csDropDownList, L"csDropDownList"},
                                               {csOwnerDrawFixed, L"csOwnerDrawFixed"},
                                               {csOwnerDrawVariable, L"csOwnerDrawVariable"}});
    Idents<TListBoxStyle>(L"TListBoxStyle", {{lbStandard, L"lbStandard"}, {lbOwnerDrawFixed, L"lbOwnerDrawFixed"},
                                             {lbOwnerDrawVariable, L"lbOwnerDrawVariable"},
                                             {lbVirtual, L"lbVirtual"}, {lbVirtualOwnerDraw, L"lbVirtualOwnerDraw"}});
    Idents<TScrollBarKind>(L"TScrollBarKind", {{sbHorizontal, L"sbHorizontal"}, {sbVertical, L"sbVertical"}});
    Idents<TBevelCut>(L"TBevelCut", {{bvNone, L"bvNone"}, {bvLowered, L"bvLowered"}, {bvRaised, L"bvRaised"},
                                     {bvSpace, L"bvSpace"}});
    Idents<TBevelKind>(L"TBevelKind", {{bkNone, L"bkNone"}, {bkTile, L"bkTile"}, {bkSoft, L"bkSoft"}, {bkFlat, L"bkFlat"}});
    Idents<TBevelEdge>(L"TBevelEdge", {{beLeft, L"beLeft"}, {beTop, L"beTop"}, {beRight, L"beRight"},
                                       {beBottom, L"beBottom"}});
}

// What every control publishes, unless the control layer registered it already.
void RegisterControlProperties()
{
    TRegisteredClass& C = RegisterClass<TControl>();
    if (!C.FindProperty(L"Left")) {
        TPropertyTable& T = C.Properties;
        T.Add(L"Left", &TControl::GetLeft, &TControl::SetLeft, 0);
        T.Add(L"Top", &TControl::GetTop, &TControl::SetTop, 0);
        T.Add(L"Width", &TControl::GetWidth, &TControl::SetWidth);
        T.Add(L"Height", &TControl::GetHeight, &TControl::SetHeight);
        T.Add(L"Align", &TControl::GetAlign, &TControl::SetAlign, alNone);
        T.Add(L"Anchors", &TControl::GetAnchors, &TControl::SetAnchors, TAnchors{akLeft, akTop});
        T.Add(L"Constraints", &TControl::GetConstraints);
        T.Add(L"BiDiMode", &TControl::GetBiDiMode, &TControl::SetBiDiMode, bdLeftToRight);
        // The colour is stored when the control does not take its parent's.
        T.AddColor(L"Color", &TControl::GetColor, &TControl::SetColor).StoredProc = [](TObject* O) {
            auto* Ctl = dynamic_cast<TControl*>(O);
            return !Ctl || !Ctl->GetParentColor();
        };
        T.Add(L"Ctl3D", &TControl::GetCtl3D, &TControl::SetCtl3D, true);
        T.Add(L"Cursor", &TControl::GetCursor, &TControl::SetCursor, crDefault);
        T.Add(L"Enabled", &TControl::GetEnabled, &TControl::SetEnabled, true);
        T.Add(L"Font", &TControl::GetFont, &TControl::SetFont);
        T.Add(L"Hint", &TControl::GetHint, &TControl::SetHint);
        T.Add(L"ParentColor", &TControl::GetParentColor, &TControl::SetParentColor);
        T.Add(L"ParentCtl3D", &TControl::GetParentCtl3D, &TControl::SetParentCtl3D, true);
        T.Add(L"ParentFont", &TControl::GetParentFont, &TControl::SetParentFont, true);
        T.Add(L"ParentShowHint", &TControl::GetParentShowHint, &TControl::SetParentShowHint, true);
        T.Add(L"ShowHint", &TControl::GetShowHint, &TControl::SetShowHint, false);
        T.Add(L"Visible", &TControl::GetVisible, &TControl::SetVisible, true);
        T.Add(L"HelpContext", &TControl::GetHelpContext, &TControl::SetHelpContext, 0);
        T.AddEvent(L"OnClick", &TControl::OnClick);
        T.AddEvent(L"OnDblClick", &TControl::OnDblClick);
        T.AddEvent(L"OnMouseDown", &TControl::OnMouseDown);
        T.AddEvent(L"OnMouseMove", &TControl::OnMouseMove);
        T.AddEvent(L"OnMouseUp", &TControl::OnMouseUp);
        T.AddEvent(L"OnMouseEnter", &TControl::OnMouseEnter);
        T.AddEvent(L"OnMouseLeave", &TControl::OnMouseLeave);
        T.AddEvent(L"OnResize", &TControl::OnResize);
    }
    TRegisteredClass& W = RegisterClass<TWinControl>();
    if (!W.FindProperty(L"TabOrder")) {
        TPropertyTable& T = W.Properties;
        T.Add(L"TabOrder", &TWinControl::GetTabOrder, &TWinControl::SetTabOrder);
        T.Add(L"TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop);
        T.Add(L"DoubleBuffered", &TWinControl::GetDoubleBuffered, &TWinControl::SetDoubleBuffered, false);
        T.Add(L"BevelEdges", &TWinControl::GetBevelEdges, &TWinControl::SetBevelEdges,
              TBevelEdges{beLeft, beTop, beRight, beBottom});
        T.Add(L"BevelInner", &TWinControl::GetBevelInner, &TWinControl::SetBevelInner, bvRaised);
        T.Add(L"BevelOuter", &TWinControl::GetBevelOuter, &TWinControl::SetBevelOuter, bvLowered);
        T.Add(L"BevelKind", &TWinControl::GetBevelKind, &TWinControl::SetBevelKind, bkNone);
        T.Add(L"BevelWidth", &TWinControl::GetBevelWidth, &TWinControl::SetBevelWidth, 1);
        T.AddEvent(L"OnEnter", &TWinControl::OnEnter);
        T.AddEvent(L"OnExit", &TWinControl::OnExit);
        T.AddEvent(L"OnKeyDown", &TWinControl::OnKeyDown);
        T.AddEvent(L"OnKeyPress", &TWinControl::OnKeyPress);
        T.AddEvent(L"OnKeyUp", &TWinControl::OnKeyUp);
    }
    // A control read from a description stands on the control it is written in.
    if (!C.FindSetParentProc()) {
        RegisterParentSetter(L"TControl", [](TComponent* Child, TComponent* Parent) {
            auto* Ctl = dynamic_cast<TControl*>(Child);
            auto* Win = dynamic_cast<TWinControl*>(Parent);
            if (Ctl && Win) Ctl->SetParent(Win);
        });
    }
    if (!C.FindGetChildrenProc()) {
        RegisterChildrenGetter(L"TWinControl", [](TComponent* Component, TComponent* Root) {
            std::vector<TComponent*> List;
            auto* Win = dynamic_cast<TWinControl*>(Component);
            if (!Win) return List;
            for (int I = 0; I < Win->ControlCount(); ++I)
                if (TControl* Ctl = Win->Controls(I); Ctl->GetOwner() == Root) List.push_back(Ctl);
            return List;
        });
    }
}

}  // namespace

// ---- Published properties of the standard controls ---------------------------------------------

void TEdit::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"Alignment", &TCustomEdit::GetAlignment, &TCustomEdit::SetAlignment, taLeftJustify);
    T.Add(L"AutoSelect", &TCustomEdit::GetAutoSelect, &TCustomEdit::SetAutoSelect, true);
    T.Add(L"AutoSize", &TCustomEdit::GetAutoSize, &TCustomEdit::SetAutoSize, true);
    T.Add(L"BorderStyle", &TCustomEdit::GetBorderStyle, &TCustomEdit::SetBorderStyle, bsSingle);
    T.Add(L"CharCase", &TCustomEdit::GetCharCase, &TCustomEdit::SetCharCase, ecNormal);
    T.Add(L"HideSelection", &TCustomEdit::GetHideSelection, &TCustomEdit::SetHideSelection, true);
    T.Add(L"MaxLength", &TCustomEdit::GetMaxLength, &TCustomEdit::SetMaxLength, 0);
    T.Add(L"PasswordChar", &TCustomEdit::GetPasswordChar, &TCustomEdit::SetPasswordChar, Char(0));
    T.Add(L"ReadOnly", &TCustomEdit::GetReadOnly, &TCustomEdit::SetReadOnly, false);
    T.Add(L"Text", &TCustomEdit::GetText, &TCustomEdit::SetText);
    T.AddEvent(L"OnChange", &TCustomEdit::OnChange);
}

void TMemo::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"Alignment", &TCustomEdit::GetAlignment, &TCustomEdit::SetAlignment, taLeftJustify);
    T.Add(L"BorderStyle", &TCustomEdit::GetBorderStyle, &TCustomEdit::SetBorderStyle, bsSingle);
    T.Add(L"HideSelection", &TCustomEdit::GetHideSelection, &TCustomEdit::SetHideSelection, true);
    T.Add(L"Lines", &TCustomMemo::GetLines);
    T.Add(L"MaxLength", &TCustomEdit::GetMaxLength, &TCustomEdit::SetMaxLength, 0);
    T.Add(L"ReadOnly", &TCustomEdit::GetReadOnly, &TCustomEdit::SetReadOnly, false);
    T.Add(L"ScrollBars", &TCustomMemo::GetScrollBars, &TCustomMemo::SetScrollBars, TScrollStyle::ssNone);
    T.Add(L"WantReturns", &TCustomMemo::GetWantReturns, &TCustomMemo::SetWantReturns, true);
    T.Add(L"WantTabs", &TCustomMemo::GetWantTabs, &TCustomMemo::SetWantTabs, false);
    T.Add(L"WordWrap", &TCustomMemo::GetWordWrap, &TCustomMemo::SetWordWrap, true);
    T.AddEvent(L"OnChange", &TCustomEdit::OnChange);
}

void TButton::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"Caption", &TControl::GetCaption, &TControl::SetCaption);
    T.Add(L"Cancel", &TButton::GetCancel, &TButton::SetCancel, false);
    T.Add(L"Default", &TButton::GetDefault, &TButton::SetDefault, false);
    T.Add(L"ModalResult", &TButton::GetModalResult, &TButton::SetModalResult, mrNone);
    T.Add(L"WordWrap", &TButtonControl::GetWordWrap, &TButtonControl::SetWordWrap, false);
}

void TCheckBox::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"Caption", &TControl::GetCaption, &TControl::SetCaption);
    T.Add(L"Alignment", &TCustomCheckBox::GetAlignment, &TCustomCheckBox::SetAlignment, lrRight);
    T.Add(L"AllowGrayed", &TCustomCheckBox::GetAllowGrayed, &TCustomCheckBox::SetAllowGrayed, false);
    T.Add(L"Checked", &TCustomCheckBox::GetChecked, &TCustomCheckBox::SetChecked, false).Stored(false);
    T.Add(L"State", &TCustomCheckBox::GetState, &TCustomCheckBox::SetState, cbUnchecked);
    T.Add(L"WordWrap", &TButtonControl::GetWordWrap, &TButtonControl::SetWordWrap, false);
}

void TRadioButton::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"Caption", &TControl::GetCaption, &TControl::SetCaption);
    T.Add(L"Alignment", &TRadioButton::GetAlignment, &TRadioButton::SetAlignment, lrRight);
    T.Add(L"Checked", &TRadioButton::GetChecked, &TRadioButton::SetChecked, false);
    T.Add(L"WordWrap", &TButtonControl::GetWordWrap, &TButtonControl::SetWordWrap, false);
}

void TLabel::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"Caption", &TControl::GetCaption, &TControl::SetCaption);
    T.Add(L"Alignment", &TCustomLabel::GetAlignment, &TCustomLabel::SetAlignment, taLeftJustify);
    T.Add(L"AutoSize", &TCustomLabel::GetAutoSize, &TCustomLabel::SetAutoSize, true);
    T.Add(L"FocusControl", &TCustomLabel::GetFocusControl, &TCustomLabel::SetFocusControl);
    T.Add(L"Layout", &TCustomLabel::GetLayout, &TCustomLabel::SetLayout, tlTop);
    T.Add(L"ShowAccelChar", &TCustomLabel::GetShowAccelChar, &TCustomLabel::SetShowAccelChar, true);
    T.Add(L"Transparent", &TCustomLabel::GetTransparent, &TCustomLabel::SetTransparent, false);
    T.Add(L"WordWrap", &TCustomLabel::GetWordWrap, &TCustomLabel::SetWordWrap, false);
}

void TGroupBox::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"Caption", &TControl::GetCaption, &TControl::SetCaption);
}

void TComboBox::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"Style", &TCustomComboBox::GetStyle, &TCustomComboBox::SetStyle, csDropDown);
    T.Add(L"AutoComplete", &TCustomComboBox::GetAutoComplete, &TCustomComboBox::SetAutoComplete, true);
    T.Add(L"CharCase", &TCustomComboBox::GetCharCase, &TCustomComboBox::SetCharCase, ecNormal);
    T.Add(L"DropDownCount", &TCustomComboBox::GetDropDownCount, &TCustomComboBox::SetDropDownCount, 8);
    T.Add(L"ItemHeight", &TCustomComboBox::GetItemHeight, &TCustomComboBox::SetItemHeight);
    T.Add(L"MaxLength", &TCustomComboBox::GetMaxLength, &TCustomComboBox::SetMaxLength, 0);
    T.Add(L"Sorted", &TCustomComboBox::GetSorted, &TCustomComboBox::SetSorted, false);
    // The items before the choice among them.
    T.Add(L"Items", &TCustomComboBox::GetItems);
    T.Add(L"ItemIndex", &TCustomComboBox::GetItemIndex, &TCustomComboBox::SetItemIndex, -1);
    T.Add(L"Text", &TCustomComboBox::GetText, &TCustomComboBox::SetText);
    T.AddEvent(L"OnChange", &TCustomComboBox::OnChange);
    T.AddEvent(L"OnSelect", &TCustomComboBox::OnSelect);
    T.AddEvent(L"OnDropDown", &TCustomComboBox::OnDropDown);
    T.AddEvent(L"OnCloseUp", &TCustomComboBox::OnCloseUp);
}

void TListBox::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"BorderStyle", &TCustomListBox::GetBorderStyle, &TCustomListBox::SetBorderStyle, bsSingle);
    T.Add(L"ExtendedSelect", &TCustomListBox::GetExtendedSelect, &TCustomListBox::SetExtendedSelect, true);
    T.Add(L"ItemHeight", &TCustomListBox::GetItemHeight, &TCustomListBox::SetItemHeight);
    T.Add(L"MultiSelect", &TCustomListBox::GetMultiSelect, &TCustomListBox::SetMultiSelect, false);
    T.Add(L"Sorted", &TCustomListBox::GetSorted, &TCustomListBox::SetSorted, false);
    T.Add(L"Style", &TCustomListBox::GetStyle, &TCustomListBox::SetStyle, lbStandard);
    T.Add(L"Items", &TCustomListBox::GetItems);
}

void TScrollBar::RegisterProperties(TPropertyTable& T)
{
    T.Add(L"Kind", &TScrollBar::GetKind, &TScrollBar::SetKind, sbHorizontal);
    // The upper end first, so that any lower end read next fits.
    T.Add(L"Max", &TScrollBar::GetMax, &TScrollBar::SetMax, 100);
    T.Add(L"Min", &TScrollBar::GetMin, &TScrollBar::SetMin, 0);
    T.Add(L"PageSize", &TScrollBar::GetPageSize, &TScrollBar::SetPageSize, 0);
    T.Add(L"Position", &TScrollBar::GetPosition, &TScrollBar::SetPosition, 0);
    T.Add(L"SmallChange", &TScrollBar::GetSmallChange, &TScrollBar::SetSmallChange, 1);
    T.Add(L"LargeChange", &TScrollBar::GetLargeChange, &TScrollBar::SetLargeChange, 1);
    T.AddEvent(L"OnChange", &TScrollBar::OnChange);
    T.AddEvent(L"OnScroll", &TScrollBar::OnScroll);
}

void RegisterStdCtrls()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterGraphicsClasses();
    RegisterControlIdents();
    RegisterControlProperties();
    RegisterClassesQuietly<TEdit, TMemo, TButton, TCheckBox, TRadioButton, TLabel, TGroupBox, TComboBox,
                           TListBox, TScrollBar>();
}
