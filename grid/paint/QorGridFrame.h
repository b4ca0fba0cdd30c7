// QorGridFrame: the text rules of the grid's balloon tool tips (QorGridFrame.cpp answers the tool
// tip's text request with them).
#pragma once

#include "framework/System.h"

namespace QorGridFrame {

// The longest balloon text and title kept whole; longer ones are cut to three less and "...".
constexpr int MaxBalloonText = 2048;
constexpr int MaxBalloonTitle = 100;

// A cell's text as a balloon shows it: tabs become blanks, leading line breaks and tabs go, a
// text longer than MaxBalloonText keeps MaxBalloonText - 3 characters and "...".
String BalloonText(const String& CellText);
// A title longer than MaxBalloonTitle keeps MaxBalloonTitle - 3 characters and "...".
String BalloonTitle(const String& Title);

}  // namespace QorGridFrame
