// QorGridButton: the grid's own windowless push button, used by its search panel. It behaves as the
// speed button does (the same button states, glyph-and-caption layout and group protocol: at most
// one button of a group on one parent is down) and paints itself: colour gradients per state with
// borders, an optional rounded face, a hot glyph lifted over its grey shadow, a check (toggle)
// style, a 12-pixel drop-down part at the right edge, seven colour looks and the adaptation to the
// Windows XP colour scheme. Non-flat buttons are system push buttons, themed when asked and
// available. TQorGridButtonActionLink ties the button to an action.
#pragma once

#include "framework/ActnList.h"
#include "framework/Buttons.h"
#include "controls/QorDropDown.h"

class TPropertyTable;

// A push button or a toggle: the same two kinds as the drop-down bands' buttons.
using TQorGridButtonStyle = TQorButtonStyle;

class TQorGridButton : public TGraphicControl {
    DECLARE_CLASS(TQorGridButton, TGraphicControl)
public:
    // 23 x 22, flat, face clBtnFace; the five glyph bitmaps are the button's own copies.
    explicit TQorGridButton(TComponent* AOwner);
    ~TQorGridButton() override;

    // ---- Behaviour ----
    // A button of a group (GroupIndex > 0) stays down until another button of its group on the
    // same parent goes down; with AllowAllUp it may also be clicked up. A tasButton without a
    // group never stays down; a tasCheck button toggles Down on every click (and takes no part in
    // its group's exclusivity).
    bool GetDown() const { return FDown; }
    void SetDown(bool Value);
    int GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool GetAllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    TQorGridButtonStyle GetStyle() const { return FStyle; }
    void SetStyle(TQorGridButtonStyle Value);
    TButtonState GetState() const { return FState; }
    // The 12-pixel part at the right edge: a press there fires OnDropDown and shows DropDownMenu
    // below the button, and is no click.
    bool GetDropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool Value);
    TPopupMenu* GetDropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* Value);

    // ---- Glyphs and caption ----
    // Glyph copies the bitmap; while GlyphDisabled was never given, a grey copy of each new glyph
    // becomes it, and a shaded button remakes its shadow. The others are copied as they are. The colour of a glyph's bottom-left pixel is
    // transparent.
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    TBitmap* GetGlyphHot() const { return FGlyphHot.get(); }
    void SetGlyphHot(TBitmap* Value);
    TBitmap* GetGlyphDown() const { return FGlyphDown.get(); }
    void SetGlyphDown(TBitmap* Value);
    TBitmap* GetGlyphDisabled() const { return FGlyphDisabled.get(); }
    void SetGlyphDisabled(TBitmap* Value);
    TBitmap* GetGlyphShade() const { return FGlyphShade.get(); }
    TButtonLayout GetLayout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    // Distance of the glyph (or caption) from the layout side; -1 centres. Values below -1 are
    // ignored.
    int GetMargin() const { return FMargin; }
    void SetMargin(int Value);
    int GetSpacing() const { return FSpacing; }
    void SetSpacing(int Value);
    bool GetShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    // A grey shadow under the hot glyph, which lifts by one pixel.
    bool GetShaded() const { return FShaded; }
    void SetShaded(bool Value);

    // ---- Look ----
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);
    bool GetRounded() const { return FRounded; }
    void SetRounded(bool Value);
    bool GetAutoXPStyle() const { return FAutoXPStyle; }
    void SetAutoXPStyle(bool Value) { FAutoXPStyle = Value; Invalidate(); }
    // Follows the XP colour scheme (ThemeAdapt) now and at each theme or system-font change.
    bool GetAutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    // Colour pairs run top to bottom; a second colour of clNone paints plain.
    TColor GetColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TColor GetColorHot() const { return FColorHot; }
    void SetColorHot(TColor Value);
    TColor GetColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor Value);
    TColor GetColorDown() const { return FColorDown; }
    void SetColorDown(TColor Value);
    TColor GetColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor Value);
    TColor GetColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor Value);
    TColor GetColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor Value);
    TColor GetBorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor GetBorderDownColor() const { return FBorderDownColor; }
    void SetBorderDownColor(TColor Value);
    TColor GetBorderHotColor() const { return FBorderHotColor; }
    void SetBorderHotColor(TColor Value);
    // One of the seven colour looks (0 to 6; others change nothing): look 0 is rounded, all are
    // flat and borderless.
    int GetLook() const { return FLook; }
    void SetLook(int Value);
    // The look of the XP colour scheme: blue 2, olive 3, silver 4, none 1.
    void ThemeAdapt();
    // Rebuilds the grey silhouette of Glyph drawn under the hot glyph.
    void GenerateShade();

    bool GetMouseInControl() const { return FMouseInControl; }

    void Click() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

    static void RegisterProperties(TPropertyTable& Table);

    TNotifyEvent OnDropDown;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    TControlActionLinkClass GetActionLinkClass() const override;
    // The caption, and then the group index and the checked state of a custom action.
    void ActionChange(TObject* Sender, bool CheckDefaults) override;

    // Tells the other buttons of the group on the same parent that this one went down.
    void UpdateExclusive();
    // Sets the hover flag by the control under the cursor.
    void UpdateTracking();
    // Where the glyph and the caption go inside Client, moved by Offset: the speed button's rule,
    // the glyph layouts swapped for right-to-left text.
    void CalcButtonLayout(TCanvas* Canvas, const TRect& Client, TPoint Offset, const String& Caption,
                          TButtonLayout Layout, int Margin, int Spacing, TPoint& GlyphPos, TRect& TextBounds,
                          UINT BiDiFlags);
    void DrawButton(TCanvas* Canvas, const TRect& Client, const String& Caption, TButtonLayout Layout, int Margin,
                    int Spacing, TButtonState State, bool Transparent, UINT BiDiFlags, TPoint Offset);
    void DrawButtonGlyph(TCanvas* Canvas, TPoint GlyphPos, TButtonState State, bool HasCaption);
    void DrawButtonText(TCanvas* Canvas, const String& Caption, TRect TextBounds, TButtonState State,
                        UINT BiDiFlags);

    void CMButtonPressed(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void WMLButtonDblClk(TMessage& Message);

private:
    // The pressed (mouse held) state that the hover look distinguishes from the checked one.
    bool Pressed() const { return FState == bsDown; }
    void PaintFace(TCanvas* Canvas, TRect& R);
    void PaintHotFace(TCanvas* Canvas, const TRect& R);
    // The grey copy of Glyph that stands in for a disabled glyph never given.
    void GenerateDisabledGlyph();
    void GlyphChanged(TObject* Sender);

    TFreePtr<TBitmap> FGlyph, FGlyphHot, FGlyphDown, FGlyphDisabled, FGlyphShade;
    // GlyphDisabled holds the grey copy of Glyph (made here), not a bitmap given by the user.
    bool FDisabledGenerated = false;
    TButtonState FState = bsUp;
    TQorGridButtonStyle FStyle = tasButton;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    int FGroupIndex = 0;
    int FLook = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FDragging = false;
    bool FMouseInControl = false;
    bool FTransparent = true;
    bool FIsComCtl6 = false;
    bool FFlat = false;
    bool FRounded = false;
    bool FShaded = true;
    bool FShowCaption = true;
    bool FDropDownButton = false;
    bool FAutoThemeAdapt = false;
    bool FAutoXPStyle = false;
    TPopupMenu* FDropDownMenu = nullptr;
    TColor FColorTo = clNone;
    TColor FColorHot = TColor(0xCAC7C7), FColorHotTo = clNone;
    TColor FColorDown = TColor(0xD8D3D2), FColorDownTo = clNone;
    TColor FColorChecked = TColor(0x808080), FColorCheckedTo = clNone;
    TColor FBorderColor = clNone, FBorderDownColor = clNone, FBorderHotColor = clNone;
};

// The tie of a grid button to an action: caption, checked state (as Down, for a group button that
// may be all up) and group index follow the action while the button shows the action's values.
class TQorGridButtonActionLink : public TControlActionLink {
    DECLARE_CLASS(TQorGridButtonActionLink, TControlActionLink)
public:
    explicit TQorGridButtonActionLink(TControl* AClient) : TControlActionLink(AClient) {}

    bool IsCaptionLinked() override;
    bool IsCheckedLinked() override;
    bool IsGroupIndexLinked() override;
    void SetCaption(const String& Value) override;
    void SetChecked(bool Value) override;
    void SetGroupIndex(int Value) override;

protected:
    void AssignClient(TObject* AClient) override;
    TQorGridButton* FButton = nullptr;
};

// Registers the grid button class with its published properties. Runs once.
void RegisterQorGridButtonClasses();
