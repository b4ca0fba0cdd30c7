// SearchPanel: the search bar across the bottom of the grid's window while SearchFooter.Visible
// is on: a search edit (TRetEdit), find next, find previous, highlight and close buttons, a
// match-case box and a result label. The panel carries the controls and reports their use
// through its events; the grid, which creates the panel and wires the events to its search
// handlers, does the searching and applies its SearchFooter settings to the panel.
#pragma once

#include "framework/ExtCtrls.h"
#include "grid/QorGridDefs.h"
#include "grid/paint/QorCheckBox.h"
#include "grid/paint/QorGridButton.h"

// The panel's buttons and box are the grid's own button and check box controls.
using TSearchPanelButton = TQorGridButton;
using TSearchPanelCheckBox = TQorCheckBox;

// An edit that reports Return instead of inserting it, and never beeps for it.
class TRetEdit : public TEdit {
    DECLARE_CLASS(TRetEdit, TEdit)
public:
    explicit TRetEdit(TComponent* AOwner) : TEdit(AOwner) {}
    void Dispatch(TMessage& Message) override;

    // Return, and Return with Ctrl held.
    TNotifyEvent OnReturn;
    TNotifyEvent OnCtrlReturn;

protected:
    // A multi-line edit window, so that Return reaches the edit rather than the form.
    void CreateParams(TCreateParams& Params) override;
    // Return fires OnCtrlReturn (Ctrl down) or OnReturn and goes no further; other keys as usual.
    void WMKeyDown(TMessage& Message);
    // Line feed and carriage return reach OnKeyPress only: not inserted, no beep.
    void WMChar(TMessage& Message);
};

class TSearchPanel : public TPanel {
    DECLARE_CLASS(TSearchPanel, TPanel)
public:
    // AOwner: the grid. Creates the edit, the four buttons, the result label and the box, owned
    // by the panel; no gradient.
    explicit TSearchPanel(TComponent* AOwner);

    TQorStringGrid* GetGrid() const { return FGrid; }
    TRetEdit* GetEdit() const { return FEdit; }
    TSearchPanelButton* GetExitButton() const { return FExitButton; }
    TSearchPanelButton* GetForwardButton() const { return FForwardButton; }
    TSearchPanelButton* GetBackwardButton() const { return FBackwardButton; }
    TSearchPanelButton* GetHiliteButton() const { return FHiliteButton; }
    TSearchPanelCheckBox* GetMatchCase() const { return FMatchCase; }
    TLabel* GetResultLabel() const { return FResultLabel; }

    // The end colour of the background gradient from Color, top to bottom; clNone: plain.
    TColor GetColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);

    // The texts the grid copies in from its SearchFooter, used when the controls are laid out.
    const String& GetFindNextCaption() const { return FFindNextCaption; }
    void SetFindNextCaption(const String& Value) { FFindNextCaption = Value; }
    const String& GetFindPrevCaption() const { return FFindPrevCaption; }
    void SetFindPrevCaption(const String& Value) { FFindPrevCaption = Value; }
    const String& GetMatchCaseCaption() const { return FMatchCaseCaption; }
    void SetMatchCaseCaption(const String& Value) { FMatchCaseCaption = Value; }
    const String& GetHighLightCaption() const { return FHighLightCaption; }
    void SetHighLightCaption(const String& Value) { FHighLightCaption = Value; }
    const String& GetHintFindPrev() const { return FHintFindPrev; }
    void SetHintFindPrev(const String& Value) { FHintFindPrev = Value; }
    const String& GetHintClose() const { return FHintClose; }
    void SetHintClose(const String& Value) { FHintClose = Value; }
    const String& GetHintFindNext() const { return FHintFindNext; }
    void SetHintFindNext(const String& Value) { FHintFindNext = Value; }
    const String& GetHintHighlight() const { return FHintHighlight; }
    void SetHintHighlight(const String& Value) { FHintHighlight = Value; }

    // Click forwarders: each fires the panel event of its name (sender the panel).
    void ForwardClick(TObject* Sender);
    void BackwardClick(TObject* Sender);
    void ExitClick(TObject* Sender);
    void HighlightClick(TObject* Sender);
    void MatchCaseClick(TObject* Sender);
    // Return in the edit finds forward, Ctrl+Return backward.
    void EditReturn(TObject* Sender) { ForwardClick(Sender); }
    void EditCtrlReturn(TObject* Sender) { BackwardClick(Sender); }
    // The find and highlight buttons are enabled exactly while the edit holds text; then
    // OnEditChange.
    void EditChange(TObject* Sender);

protected:
    // Creates the window, then lays out the child controls.
    void CreateWnd() override;
    // Places and sets up the child controls at the grid's scale, mirrored for a right-to-left
    // panel. Then the grid applies its SearchFooter settings (SearchChanged) and fires its
    // OnCreatedSearchFooter.
    virtual void CreateChildControls();
    // The grid's DPI factor that the layout scales by; 1 without a grid.
    virtual double DPIScale() const;
    // The panel, then a plain fill in Color (or the gradient to ColorTo), then the top border
    // line in the grid's grid-line colour.
    void Paint() override;

private:
    // x scaled and rounded.
    int Scaled(int X) const;
    // Left := panel width - control width - Left, on a right-to-left panel.
    void Mirror(TControl* Control);

    TQorStringGrid* FGrid;
    TRetEdit* FEdit;
    TSearchPanelButton* FExitButton;
    TSearchPanelButton* FForwardButton;
    TSearchPanelButton* FBackwardButton;
    TSearchPanelButton* FHiliteButton;
    TSearchPanelCheckBox* FMatchCase;
    TLabel* FResultLabel;

public:
    TNotifyEvent OnForwardClick;
    TNotifyEvent OnBackwardClick;
    TNotifyEvent OnEditChange;
    TNotifyEvent OnExitClick;
    TNotifyEvent OnHighLightClick;
    TNotifyEvent OnMatchCaseClick;

private:
    TColor FColorTo = clNone;
    String FFindNextCaption, FFindPrevCaption, FMatchCaseCaption, FHintFindPrev, FHintClose, FHintFindNext,
        FHintHighlight, FHighLightCaption;
};
