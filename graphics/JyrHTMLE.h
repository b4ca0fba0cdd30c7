// JyrHTMLE: the markup text engine. This header gives the whole unit: the text routines of
// JyrHTMLText.h and the renderer that lays out, draws, measures and hit-tests markup text in a
// rectangle of a canvas (HTMLDraw over a request and a result record; HTMLDrawEx with one
// parameter for each of their fields), with the small picture routines the layout uses.
#pragma once

#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/ImgList.h"
#include "graphics/JyrHTMLText.h"

class THTMLPictureCache;
class TPictureContainer;

namespace JyrHTMLE {

// True on Windows XP or later (major version above 5, or 5 with a minor version above 0); set
// once at start-up by SetWinXP. Inline controls are drawn with visual styles only when it is
// true and a theme is active.
extern bool IsWinXP;
void SetWinXP();

// ---- the drawing call --------------------------------------------------------------------------

// What one drawing call reads: where and how to draw, measure or hit-test a markup text. One
// request serves many texts (the cells of a grid column); the text is passed beside it.
struct THTMLDrawRequest {
    TCanvas* Canvas = nullptr;
    TRect fr;                             // the rectangle the text is laid out in
    TCustomImageList* Images = nullptr;   // the pictures of <IMG SRC="IDX:n">
    int XPos = -1, YPos = -1;             // the point to hit-test (client coordinates)
    int FocusLink = -1;                   // the anchor (from 0) drawn with a focus rectangle
    int HoverLink = -1;                   // the anchor (from 1) drawn in the hover colours
    int ShadowOffset = 0;
    bool CheckHotSpot = false;            // hit-test mode: nothing is drawn
    bool CheckHeight = false;             // measuring mode: nothing is drawn
    bool Print = false;                   // drawing on a printer: pictures as stretched DIBs
    bool Selected = false;                // selected text: the markup's colours are not applied
    bool Blink = false;                   // the "on" phase of blinking text
    bool HoverStyle = false;              // only anchor HoverLink is underlined in the hover colours (else all)
    bool WordWrap = false;
    bool Down = false;                    // the inline control DownID is pressed
    String DownID;
    double ResFactor = 1.0;               // the scale of pictures drawn for printing (taken as at least 1)
    TColor URLColor = clBlue;
    TColor HoverColor = clNone;
    TColor HoverFontColor = clNone;
    TColor ShadowColor = clGray;
    String CID;                           // hit-test mode: the inline control to report (empty: any)
    THTMLPictureCache* PictureCache = nullptr;       // pictures named by URL
    TPictureContainer* PictureContainer = nullptr;   // pictures named by name
    HWND WinHandle = nullptr;             // the window whose theme draws inline controls
    TBiDiMode BidiMode = bdLeftToRight;
};

// What one drawing call finds. Every field is set by the call, but HoverRect, which keeps what
// it held unless the point is on an anchor.
struct THTMLDrawResult {
    String AnchorVal;     // HREF of the anchor at the point; "ctrl" when the point is on an inline control
    String StripVal;      // the visible text of the lines laid out, a CR for every line-break tag
    String FocusAnchor;   // HREF of anchor FocusLink, set while drawing
    String AnchorHint;    // TITLE of the anchor at the point
    int XSize = 0;        // width of the widest line
    int YSize = 0;        // height of all lines (at least one text line)
    int HyperLinks = 0;   // number of anchors in the lines laid out
    int MouseLink = -1;   // number (from 1) of the anchor whose text holds the point, -1 for none
    TRect HoverRect;      // that anchor's rectangle
    TRect ControlRect;    // rectangle, ID, value and type of the inline control at the point
    String CID, CV, CT;
};

// Draws the markup s into Request.fr of Request.Canvas, or measures it (CheckHeight), or
// hit-tests the point (XPos, YPos) against it (CheckHotSpot), and fills Result. True when the
// point lies on the text of an anchor (hit-test mode), on a picture inside an anchor, or on an
// inline control. The canvas gets back its font, pen and brush. Nothing is done without a canvas.
bool HTMLDraw(const String& s, const THTMLDrawRequest& Request, THTMLDrawResult& Result);

// HTMLDraw with every field of the request and the result as a parameter of its own (the
// fields' comments above say what each is); CID comes in as the control to report and goes out
// as the control found. On an exception the outputs keep what they held.
bool HTMLDrawEx(TCanvas* Canvas, const String& s, const TRect& fr, TCustomImageList* FImages,
                int XPos, int YPos, int FocusLink, int HoverLink, int ShadowOffset,
                bool CheckHotSpot, bool CheckHeight, bool Print, bool Selected, bool Blink,
                bool HoverStyle, bool WordWrap, bool Down, const String& DownID,
                double ResFactor, TColor URLColor, TColor HoverColor, TColor HoverFontColor,
                TColor ShadowColor, String& AnchorVal, String& StripVal, String& FocusAnchor,
                String& AnchorHint, int& XSize, int& YSize, int& HyperLinks, int& MouseLink,
                TRect& HoverRect, TRect& ControlRect, String& CID, String& CV, String& CT,
                THTMLPictureCache* ic, TPictureContainer* pc, HWND WinHandle,
                TBiDiMode BidiMode);

// ---- reading order and pictures ----------------------------------------------------------------

// The text-drawing flags for a reading order: in a right-to-left (Middle East) locale,
// bdRightToLeft mirrors the horizontal alignment (DT_RIGHT removed, or added when neither
// DT_RIGHT nor DT_CENTER is set), and any mode but bdLeftToRight adds DT_RTLREADING.
UINT DrawTextBidimodeFlags(UINT DrawStyle, TBiDiMode BidiMode);
// The same for a given answer to "is the locale right-to-left".
UINT DrawTextBidimodeFlags(UINT DrawStyle, TBiDiMode BidiMode, bool MiddleEast);

// The size of a system icon of APath (a file or folder name, an extension such as ".txt", or a
// system image list index written as a number), drawn at (x, y) when draw is set; when printing,
// drawn through a device-independent bitmap stretched by resfactor.
TPoint SysImage(TCanvas* Canvas, int x, int y, const String& APath, bool large, bool draw,
                bool print, double resfactor);
// Copies Bitmap as a device-independent bitmap stretched into DestRect (works on printers).
void PrintBitmap(TCanvas* Canvas, const TRect& DestRect, TBitmap* Bitmap);

}  // namespace JyrHTMLE
