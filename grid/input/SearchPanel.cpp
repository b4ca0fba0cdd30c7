// The search panel and its Return-reporting edit.
#include "grid/input/SearchPanel.h"

#include "framework/Math.h"
#include "framework/WinScope.h"
#include "grid/QorGrid.h"
#include "grid/detail/QorGridOwner.h"

// ---- TRetEdit -------------------------------------------------------------------------------------

void TRetEdit::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style |= ES_MULTILINE;
}

void TRetEdit::WMKeyDown(TMessage& Message)
{
    if (Message.WParam != VK_RETURN) {
        inherited::Dispatch(Message);
        return;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        if (OnCtrlReturn) OnCtrlReturn(this);
    } else if (OnReturn) {
        OnReturn(this);
    }
}

void TRetEdit::WMChar(TMessage& Message)
{
    if (Message.WParam != L'\n' && Message.WParam != L'\r') {
        inherited::Dispatch(Message);
        return;
    }
    Char Key = Char(Message.WParam);
    if (OnKeyPress) OnKeyPress(this, Key);
    Message.Result = 0;
}

void TRetEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN: WMKeyDown(Message); break;
    case WM_CHAR: WMChar(Message); break;
    default: inherited::Dispatch(Message);
    }
}

// ---- TSearchPanel ---------------------------------------------------------------------------------

namespace {

// Gives a button one of its glyphs from the program's bitmap resources; a program built without
// them shows the button without that glyph.
void LoadGlyph(TSearchPanelButton* Button, void (TSearchPanelButton::*Set)(TBitmap*), const wchar_t* ResName)
{
    HINSTANCE Inst = GetModuleHandleW(nullptr);
    if (!FindResourceW(Inst, ResName, MAKEINTRESOURCEW(2) /*RT_BITMAP*/)) return;
    TFreePtr<TBitmap> Bmp(Create<TBitmap>());
    Bmp->LoadFromResourceName(Inst, ResName);
    (Button->*Set)(Bmp.get());
}

}  // namespace

TSearchPanel::TSearchPanel(TComponent* AOwner)
    : TPanel(AOwner), FGrid(QorGridDetail::GridOfOwner(AOwner)), FEdit(Create<TRetEdit>(this)),
      FExitButton(Create<TSearchPanelButton>(this)), FForwardButton(Create<TSearchPanelButton>(this)),
      FBackwardButton(Create<TSearchPanelButton>(this)), FHiliteButton(Create<TSearchPanelButton>(this)),
      FMatchCase(nullptr), FResultLabel(Create<TLabel>(this))
{
    FMatchCase = Create<TSearchPanelCheckBox>(this);
}

double TSearchPanel::DPIScale() const
{
    return FGrid ? FGrid->GetDPIScale() : 1.0;
}

int TSearchPanel::Scaled(int X) const
{
    return int(Round(X * DPIScale()));
}

void TSearchPanel::Mirror(TControl* Control)
{
    if (UseRightToLeftAlignment()) Control->SetLeft(GetWidth() - Control->GetWidth() - Control->GetLeft());
}

void TSearchPanel::SetColorTo(TColor Value)
{
    FColorTo = Value;
    Invalidate();
}

void TSearchPanel::CreateWnd()
{
    inherited::CreateWnd();
    CreateChildControls();
}

void TSearchPanel::CreateChildControls()
{
    FEdit->SetParent(this);
    FEdit->SetTop(Scaled(6));
    FEdit->SetWidth(Scaled(110));
    FEdit->SetLeft(Scaled(25));
    FEdit->SetParentFont(true);
    FEdit->OnChange = [this](TObject* Sender) { EditChange(Sender); };
    FEdit->OnReturn = [this](TObject* Sender) { EditReturn(Sender); };
    FEdit->OnCtrlReturn = [this](TObject* Sender) { EditCtrlReturn(Sender); };
    Mirror(FEdit);

    auto PlaceButton = [this](TSearchPanelButton* B, int Left, int Top, int Width, int Height) {
        B->SetParent(this);
        B->SetBounds(Left, Top, Width, Height);
    };
    auto SetHintOf = [](TSearchPanelButton* B, const String& Hint) {
        B->SetHint(Hint);
        B->SetShowHint(!Hint.empty());
    };

    PlaceButton(FForwardButton, Scaled(140), Scaled(5), Scaled(90), Scaled(23));
    SetHintOf(FForwardButton, FHintFindNext);
    FForwardButton->SetCaption(FFindNextCaption);
    FForwardButton->OnClick = [this](TObject* Sender) { ForwardClick(Sender); };
    LoadGlyph(FForwardButton, &TSearchPanelButton::SetGlyph, L"JYRARDOWN");
    LoadGlyph(FForwardButton, &TSearchPanelButton::SetGlyphDisabled, L"JYRARDOWND");
    FForwardButton->SetEnabled(false);
    FForwardButton->SetParentFont(true);
    Mirror(FForwardButton);

    PlaceButton(FBackwardButton, Scaled(235), Scaled(5), Scaled(90), Scaled(23));
    FBackwardButton->GetFont()->SetHeight(Scaled(GetFont()->GetHeight()));
    SetHintOf(FBackwardButton, FHintFindPrev);
    FBackwardButton->SetCaption(FFindPrevCaption);
    FBackwardButton->OnClick = [this](TObject* Sender) { BackwardClick(Sender); };
    LoadGlyph(FBackwardButton, &TSearchPanelButton::SetGlyph, L"JYRARUP");
    LoadGlyph(FBackwardButton, &TSearchPanelButton::SetGlyphDisabled, L"JYRARUPD");
    FBackwardButton->SetEnabled(false);
    FBackwardButton->SetParentFont(true);
    Mirror(FBackwardButton);

    // The close button's top is not scaled.
    PlaceButton(FExitButton, Scaled(5), 7, Scaled(14), Scaled(14));
    SetHintOf(FExitButton, FHintClose);
    LoadGlyph(FExitButton, &TSearchPanelButton::SetGlyph, L"JYRCLOSE");
    LoadGlyph(FExitButton, &TSearchPanelButton::SetGlyphHot, L"JYRCLOSEH");
    LoadGlyph(FExitButton, &TSearchPanelButton::SetGlyphDown, L"JYRCLOSED");
    FExitButton->OnClick = [this](TObject* Sender) { ExitClick(Sender); };
    FExitButton->SetParentFont(true);
    FExitButton->SetCaption(L"");
    Mirror(FExitButton);

    PlaceButton(FHiliteButton, Scaled(330), Scaled(5), Scaled(90), Scaled(23));
    SetHintOf(FHiliteButton, FHintHighlight);
    FHiliteButton->GetFont()->SetStyle({});
    FHiliteButton->SetEnabled(false);
    FHiliteButton->SetCaption(FHighLightCaption);
    FHiliteButton->SetParentFont(true);
    // A toggle that stays down until clicked again.
    FHiliteButton->SetStyle(tasCheck);
    FHiliteButton->OnClick = [this](TObject* Sender) { HighlightClick(Sender); };
    LoadGlyph(FHiliteButton, &TSearchPanelButton::SetGlyph, L"JYRHI");
    LoadGlyph(FHiliteButton, &TSearchPanelButton::SetGlyphDisabled, L"JYRHID");
    Mirror(FHiliteButton);

    FMatchCase->SetParent(this);
    FMatchCase->SetTop(Scaled(6));
    FMatchCase->SetLeft(FHiliteButton->GetVisible() ? Scaled(425) : Scaled(330));
    {
        TClientDC DC(nullptr);
        TSelectObject Font(DC, FMatchCase->GetFont()->GetHandle());
        SIZE Size{};
        GetTextExtentPoint32W(DC, FMatchCaseCaption.c_str(), int(FMatchCaseCaption.size()), &Size);
        FMatchCase->SetWidth(Size.cx + Scaled(18));
    }
    FMatchCase->SetCaption(FMatchCaseCaption);
    FMatchCase->OnClick = [this](TObject* Sender) { MatchCaseClick(Sender); };

    FResultLabel->SetParent(this);
    FResultLabel->SetCaption(L"");
    FResultLabel->SetLeft(Scaled(8) + FMatchCase->GetLeft() + FMatchCase->GetWidth());
    // The label's top is not scaled.
    FResultLabel->SetTop(10);
    FResultLabel->SetHeight(FMatchCase->GetHeight());
    FResultLabel->SetAutoSize(true);
    FResultLabel->SetLayout(tlCenter);

    // The grid applies its SearchFooter settings to the new controls and tells its user.
    if (!FGrid) return;
    FGrid->SearchChanged(this);
    if (FGrid->OnCreatedSearchFooter) FGrid->OnCreatedSearchFooter(FGrid);
}

void TSearchPanel::ForwardClick(TObject*)
{
    if (OnForwardClick) OnForwardClick(this);
}

void TSearchPanel::BackwardClick(TObject*)
{
    if (OnBackwardClick) OnBackwardClick(this);
}

void TSearchPanel::ExitClick(TObject*)
{
    if (OnExitClick) OnExitClick(this);
}

void TSearchPanel::HighlightClick(TObject*)
{
    if (OnHighLightClick) OnHighLightClick(this);
}

void TSearchPanel::MatchCaseClick(TObject*)
{
    if (OnMatchCaseClick) OnMatchCaseClick(this);
}

void TSearchPanel::EditChange(TObject*)
{
    bool HasText = !FEdit->GetText().empty();
    FForwardButton->SetEnabled(HasText);
    FBackwardButton->SetEnabled(HasText);
    FHiliteButton->SetEnabled(HasText);
    if (OnEditChange) OnEditChange(this);
}

void TSearchPanel::Paint()
{
    inherited::Paint();
    TCanvas* C = GetCanvas();
    // With ColorTo the drop-down unit's banded gradient from Color to ColorTo (32 bands, top to
    // bottom) paints here once that routine is in the library; until then the plain fill stands.
    C->GetPen()->SetColor(GetColor());
    C->GetBrush()->SetColor(GetColor());
    C->Rectangle(GetClientRect());
    // The line across the top edge in the grid's grid-line colour.
    if (!FGrid) return;
    C->GetPen()->SetColor(FGrid->GetGridLineColor());
    C->MoveTo(0, 0);
    C->LineTo(GetClientWidth(), 0);
}
