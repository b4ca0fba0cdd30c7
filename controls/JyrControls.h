// What the edit controls share: the environment they ask (beeps, mouse buttons, high contrast,
// visual styles, the common-controls version), each behind a seam that tests set; the one-line
// rules of the multi-line edits that serve only their formatting rectangle; and the placement of
// an attached caption label.
#pragma once

#include "JyrFlatLook.h"
#include "framework/Controls.h"
#include "framework/Mask.h"
#include "framework/StdCtrls.h"

#include <optional>

namespace JyrControls {

// ---- Environment, with seams ------------------------------------------------------------------

// MessageBeep(0), counted. While muted (tests) the count still grows and nothing sounds.
void Beep();
int BeepCount();
void SetBeepMuted(bool Muted);

// True while the right or the left mouse button is physically down (asynchronous key state, right
// button tested first).
bool IsMouseButtonDown();
// High contrast on (SPI_GETHIGHCONTRAST).
bool HighContrast();
// Visual styles active: the drawing layer's binding has IsThemeActive and it answers true.
bool ThemesActive();
// COMCTL32.DLL's major version above 5 (through the style unit's detection, so that its overrides
// inject version 6 where the platform reports 5.81).
bool IsComCtl6();
// The most significant 32 bits of a file's version (major in the high word), or -1 when the file
// has no version information with the standard fixed-file-information signature.
int GetFileVersion(const String& FileName);

// Test seams: set a value in place of asking the system; nullopt asks again.
struct TEnvironmentOverrides {
    std::optional<bool> MouseButtonDown;
    std::optional<bool> HighContrast;
    std::optional<bool> ThemesActive;
};
TEnvironmentOverrides& EnvironmentOverrides();

// ---- One line ---------------------------------------------------------------------------------

// The edits are multi-line windows only so that their formatting rectangle can be set: a typed
// line break or tab would split the value, so those characters never reach the window.
bool IsLineBreakChar(WPARAM Ch);
// The text up to its first line break (or tab).
String FirstLine(const String& Text);
// Replaces the edit's selection with the first line of the clipboard's text.
void PasteOneLine(TCustomEdit* Edit);

// ---- Button hosts -----------------------------------------------------------------------------

// The small window that carries an edit's buttons (graphic controls): it lays them out for every
// size it takes (AdjustSize, which may also change the size), sends the focus to its focus control
// after a press, and carries the buttons' flat colours.
class TButtonHost : public TWinControl, public JyrFlatLook::TButtonColors {
    DECLARE_CLASS(TButtonHost, TWinControl)
public:
    explicit TButtonHost(TComponent* AOwner);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

    // The control that gets the focus when a button is pressed; cleared when it goes.
    TWinControl* GetFocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    static void RegisterProperties(TPropertyTable& Table);

protected:
    // The buttons' places for a size (skipped while loading); the size may be raised.
    virtual void AdjustSize(int& W, int& H) {}
    // After a press: the focus goes to the focus control when it is a tab stop that can take it and
    // does not have it, else to the host when it is such a tab stop.
    void FocusAfterPress();

private:
    void Relayout();
    TWinControl* FFocusControl = nullptr;
};

// ---- Edits with an embedded button --------------------------------------------------------------

// A masked edit that holds a button control as a child window and keeps its text clear of it
// through the formatting rectangle: multi-line for that rectangle only, so that typed line
// breaks and tabs never reach the window and a paste keeps the first line; with the editor off
// nothing is pasted or cut. The spin edit and the edit with a button stand on it.
class TEmbeddedButtonEdit : public TMaskEdit {
    DECLARE_CLASS(TEmbeddedButtonEdit, TMaskEdit)
public:
    explicit TEmbeddedButtonEdit(TComponent* AOwner) : TMaskEdit(AOwner) {}

    // Typing, pasting and cutting allowed.
    bool GetEditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }

    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    // The edit's published properties and EditorEnabled.
    static void RegisterProperties(TPropertyTable& Table);

protected:
    void CreateParams(TCreateParams& Params) override;
    // Makes Child the edit's own: W x H, shown, on the edit.
    void Embed(TWinControl* Child, int W, int H);
    // The character heights of the system font and of the edit's font.
    void CharHeights(int& System, int& Own);

    bool FEditorEnabled = true;
};

// ---- Caption labels ---------------------------------------------------------------------------

// The width of a caption drawn on one line with its accelerator prefixes hidden, measured in a
// 1000 x 255 box in Font.
int CaptionWidth(const String& Caption, TFont* Font);

// Where an attached label stands. Position is the ordinal of the label positions the controls
// share: the thirteen around a control (left top .. right bottom), then top right and bottom right.
// L, T, W, H: the control; LH, LW: the label's height and width; CW: the measured caption width;
// M: the margin; B: what the vertical centring leaves out of the control's height.
TPoint PlaceLabel(int Position, int L, int T, int W, int H, int LH, int LW, int CW, int M, int B = 0);

}  // namespace JyrControls
