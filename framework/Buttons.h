// Buttons: the speed button, a windowless button with a glyph and a caption that can stay down,
// alone or as one of a group in which one button is down at a time.
#pragma once

#include "Controls.h"

class TPropertyTable;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
using TNumGlyphs = int;   // 1..4

class TSpeedButton : public TGraphicControl {
    DECLARE_CLASS(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;

    // The glyph: NumGlyphs images side by side (up, disabled, clicked, down); the colour of its
    // bottom-left pixel is transparent.
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    TNumGlyphs GetNumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TNumGlyphs Value);
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Down stays down; only a button with a GroupIndex can be down. In a group one button is
    // down at a time, and with AllowAllUp all may be up.
    bool GetDown() const { return FDown; }
    void SetDown(bool Value);
    int GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool GetAllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    TButtonLayout GetLayout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    // Distance of the glyph (or caption) from the edge; -1 centres the pair.
    int GetMargin() const { return FMargin; }
    void SetMargin(int Value);
    // Between glyph and caption; -1 centres the caption in the space left.
    int GetSpacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TButtonState GetState() const { return FState; }

    // Where the glyph and the caption go for a client rectangle and a caption size: across the
    // layout direction both are centred; along it the glyph sits Margin from the layout side and
    // the caption Spacing beyond it. Spacing is 0 when either is missing; Margin -1 centres the
    // pair ((free - glyph - spacing - caption + 1) div 2), Spacing -1 spreads the caption into
    // what is left ((free - margin - glyph - caption) div 2), both -1 split the free space in
    // three.
    static void CalcLayout(const TRect& Client, TSize GlyphSize, TSize TextSize, TButtonLayout Layout, int Margin,
                           int Spacing, TPoint& GlyphPos, TRect& TextBounds);

    void Click() override;
    void Dispatch(TMessage& Message) override;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // The other buttons of the group (same parent, same GroupIndex) go up.
    void UpdateExclusive();
    void CMButtonPressed(TMessage& Message);

private:
    void GlyphChanged(TObject* Sender);
    TFreePtr<TBitmap> FGlyph;
    TNumGlyphs FNumGlyphs = 1;
    bool FFlat = false;
    bool FTransparent = true;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    TButtonState FState = bsUp;
    bool FTracking = false;
};

// Registers the speed button and its published properties. Runs once.
void RegisterButtons();
