// Reading the program's own image resources as stored, and a contact sheet that lays drawn images
// out at their own size and enlarged, for a person to look at.
#pragma once

#include "Pixels.h"

#include <cstdint>
#include <functional>
#include <vector>

// The colour depth a resource of the executable is stored with: a bitmap's (RT_BITMAP), or that of
// the first image of an icon or cursor group (RT_GROUP_ICON, RT_GROUP_CURSOR); 0 when it is
// missing.
int ResourceBitCount(LPCWSTR Name, LPCWSTR Type);

// A cursor's hot spot ({-1, -1} for no cursor).
TPoint CursorHotSpot(HCURSOR Cursor);

class TContactSheet {
public:
    explicit TContactSheet(int Factor = 4, int Columns = 6) : FFactor(Factor), FColumns(Columns) {}
    // Keeps a copy of R of the surface.
    void Add(const TDibSurface& Image, const TRect& R);
    // Keeps a row of three drawings of an image of Width x Height: on a cell's white, on the
    // classic button face and on the selection colour. Draw paints it at (X, Y) over Back.
    using TDrawAt = std::function<void(TDibSurface& Surface, int X, int Y, TColor Back)>;
    void AddOnBackgrounds(int Width, int Height, const TDrawAt& Draw);
    // Writes the sheet as the snapshot Name (a .png file); false when it cannot.
    bool Save(const String& Name) const;

private:
    struct TEntry {
        int Width, Height;
        std::vector<std::uint32_t> Pixels;   // top-down rows
    };
    int FFactor, FColumns;
    std::vector<TEntry> FEntries;
};
