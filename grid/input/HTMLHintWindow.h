// HTMLHintWindow: the grid's own hint window, which draws a hint as HTML-subset text (with the
// grid's pictures) or, for a packed wide text, as one line of wide text in the grid's font. The
// grid installs it as the hint window class for markup and wide hints, and uses one for its
// scroll hints. Taking the pictures from a grid passed as the hint's data comes with the grid's
// hints.
#pragma once

#include "framework/Controls.h"
#include "framework/ImgList.h"

class TPictureContainer;

// The name of the font wide hints are measured and drawn in: the grid's font, noted by the grid
// when it fills a hint. Empty: the hint window's own font.
extern String WideHintFontName;

class THTMLHintWindow : public THintWindow {
    DECLARE_CLASS(THTMLHintWindow, THintWindow)
public:
    // No pictures.
    explicit THTMLHintWindow(TComponent* AOwner);

    // (0, 0, width, height) of the text within MaxWidth: a wide text as one line, any other as
    // HTML-subset text.
    TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override;
    // Shows AHint from Rect's top-left, sized to the text plus margins (16 x 4, a wide text 8 x 4),
    // kept on the monitor of its top-left point (2 pixels inside its right and bottom edges),
    // topmost and without activation.
    void ActivateHint(TRect Rect, const String& AHint) override;

    // The measured text of the last hint shown.
    int GetTextWidth() const { return FTextWidth; }
    int GetTextHeight() const { return FTextHeight; }
    // The decoded text of the last wide hint.
    const WideString& GetWideCaption() const { return FWideCaption; }

    void Dispatch(TMessage& Message) override;

    // Margins around the text in the window.
    static constexpr int HorzMargin = 16;
    static constexpr int WideHorzMargin = 8;
    static constexpr int VertMargin = 4;

protected:
    // The hint window's parameters without the border; a drop shadow on Windows XP and later.
    void CreateParams(TCreateParams& Params) override;
    // The window colour, a one-pixel 3-D frame, the text centred vertically.
    void Paint() override;
    // A new text repaints.
    void CMTextChanged(TMessage& Message);

private:
    // The size of AHint laid out within Width, in the font it is drawn in; Wide: decoded into
    // Decoded and measured as one line.
    TSize MeasureText(const String& AHint, int Width, bool& Wide, WideString& Decoded);
    // The window's font, with the wide-hint font name for wide text.
    void SelectTextFont(bool Wide);

    TCustomImageList* FImages = nullptr;
    TPictureContainer* FPictureContainer = nullptr;
    int FTextHeight = 0;
    int FTextWidth = 0;
    WideString FWideCaption;
};
