// QorPrintCells: bitmaps onto a printer's (or any) canvas, and the start point of turned text. The
// printed cells themselves are routines of the page layout run (grid/print/BuildPages.h), written
// in print/QorPrintCells.cpp.
#pragma once

#include "framework/Graphics.h"

// Stretches Bitmap's device-independent form into DestRect of Canvas (logical units of its mapping
// mode) with SRCCOPY, resp. the raster operation Rop. Nothing for a missing or empty bitmap or an
// empty rectangle; the work memory is released on every path.
void JyrPrintBitmap(TCanvas* Canvas, TRect DestRect, TBitmap* Bitmap);
void PrintBitmapRop(TCanvas* Canvas, TRect DestRect, TBitmap* Bitmap, DWORD Rop);
