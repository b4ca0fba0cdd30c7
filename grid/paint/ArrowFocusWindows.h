// ArrowFocusWindows: two small windows the grid owns outside its own window. TArrowWindow marks
// the drop position while a column or row is dragged (four of them, one per direction), shaped as
// an arrow by its window region; TGridFocusWindow is the popup that carries the translucent focus
// frame around the current cell. The grid creates them in its constructor and moves, shapes and
// shows them while dragging and while its focus frame is on.
#pragma once

#include "framework/ExtCtrls.h"
#include "grid/QorGridDefs.h"

#include <array>

// The outline of an arrow window's region: seven points in window pixels (the window is 11 x 11
// or smaller). arrUp has its tip at the top and arrDown at the bottom; arrLeft has its tip at the
// right and arrRight at the left.
using TArrowOutline = std::array<TPoint, 7>;
const TArrowOutline& ArrowOutline(TArrowDirection Direction);

class TArrowWindow : public TPanel {
    DECLARE_CLASS(TArrowWindow, TPanel)
public:
    // Init: stores the direction and its outline, colour 0x00FF00, parent AOwner when AOwner is a
    // windowed control, hidden.
    TArrowWindow(TComponent* AOwner, TArrowDirection Direction);

    TArrowDirection Dir;
    // The outline of the window region.
    TArrowOutline Arrow;

protected:
    // Style exactly WS_POPUP: a top-level window placed in screen coordinates.
    void CreateParams(TCreateParams& Params) override;
    // Creates the window, then cuts it to the arrow (polygon, winding fill, redrawn).
    void CreateWnd() override;
    // Fills the client area in the window colour; the region leaves the arrow.
    void Paint() override;
};

class TGridFocusWindow : public TCustomControl {
    DECLARE_CLASS(TGridFocusWindow, TCustomControl)
public:
    // 0 x 0, colour 0x0000FF.
    explicit TGridFocusWindow(TComponent* AOwner);

protected:
    // A disabled, topmost tool popup: it never takes the focus nor shows on the task bar.
    void CreateParams(TCreateParams& Params) override;
};
