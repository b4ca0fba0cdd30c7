// BalloonText: what a cell's balloon tip shows, shared by the grid's balloon and the floating
// footer's: the cell text made fit for a tool tip, and the title cut to the tip's length.
#pragma once

#include "framework/System.h"

namespace QorGridBalloon {

// The longest text and title a balloon tip shows; longer ones end in "..." within that length.
inline constexpr int MaxTextLength = 2048;
inline constexpr int MaxTitleLength = 100;

// Text as a tip shows it: tabs become blanks, leading carriage returns and line feeds are
// dropped, and a text longer than 2048 characters is cut to 2045 characters plus "...".
String TipText(const String& Text);
// A title longer than 100 characters cut to 97 plus "..."; shorter titles as they are.
String TipTitle(const String& Title);

} // namespace QorGridBalloon
