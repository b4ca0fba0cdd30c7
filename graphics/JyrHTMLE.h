// JyrHTMLE: the markup text engine. This header gives the whole unit: the text routines of
// JyrHTMLText.h and the renderer that lays out, draws, measures and hit-tests markup text in a
// rectangle of a canvas (HTMLDrawEx), with the small picture routines the layout uses.
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

// Draws the markup s into the rectangle fr of Canvas, or measures it (CheckHeight), or hit-tests
// the point (XPos, YPos) against it (CheckHotSpot). Outputs:
//   AnchorVal    HREF of the anchor at the point; "ctrl" when the point is on an inline control
//   StripVal     the visible text of the lines laid out, a CR for every line-break tag
//   FocusAnchor  HREF of anchor FocusLink (counted from 0), set while drawing
//   AnchorHint   TITLE of the anchor at the point
//   XSize, YSize width of the widest line, height of all lines (at least one text line)
//   HyperLinks   number of anchors in the lines laid out
//   MouseLink    number (from 1) of the anchor whose text holds the point, -1 for none
//   HoverRect    that anchor's rectangle
//   ControlRect, CID, CV, CT  rectangle, ID, value and type of the inline control at the point;
//                in hit-test mode a non-empty CID coming in names the control to report
// The result is true when the point lies on the text of an anchor (hit-test mode), on a picture
// inside an anchor, or on an inline control. The canvas gets back its font, pen and brush.
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
