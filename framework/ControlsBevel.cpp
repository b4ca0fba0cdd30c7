// TWinControl: bevels in the non-client area. With a bevel kind other than bkNone, the window's
// client area gives up BevelWidth pixels per present bevel line on each edge of BevelEdges, and
// the bevel lines are drawn there after the window's own frame.
#include "Controls.h"

#include "WinScope.h"

int TWinControl::BevelEdgeSize() const
{
    if (FBevelKind == bkNone) return 0;
    return (FBevelInner != bvNone ? FBevelWidth : 0) + (FBevelOuter != bvNone ? FBevelWidth : 0);
}

void TWinControl::BevelsChanged()
{
    if (FHandle)
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

void TWinControl::SetBevelEdges(TBevelEdges Value)
{
    if (FBevelEdges == Value) return;
    FBevelEdges = Value;
    BevelsChanged();
}

void TWinControl::SetBevelInner(TBevelCut Value)
{
    if (FBevelInner == Value) return;
    FBevelInner = Value;
    BevelsChanged();
}

void TWinControl::SetBevelOuter(TBevelCut Value)
{
    if (FBevelOuter == Value) return;
    FBevelOuter = Value;
    BevelsChanged();
}

void TWinControl::SetBevelKind(TBevelKind Value)
{
    if (FBevelKind == Value) return;
    FBevelKind = Value;
    BevelsChanged();
}

void TWinControl::SetBevelWidth(TBevelWidth Value)
{
    if (Value < 1) Value = 1;
    if (FBevelWidth == Value) return;
    FBevelWidth = Value;
    BevelsChanged();
}

void TWinControl::WMNCCalcSize(TMessage& Message)
{
    DefaultHandler(Message);
    const int Size = BevelEdgeSize();
    if (Size == 0) return;
    // The first rectangle is the client area's, in both forms of the message.
    auto* R = reinterpret_cast<RECT*>(Message.LParam);
    if (FBevelEdges.Contains(beLeft)) R->left += Size;
    if (FBevelEdges.Contains(beTop)) R->top += Size;
    if (FBevelEdges.Contains(beRight)) R->right -= Size;
    if (FBevelEdges.Contains(beBottom)) R->bottom -= Size;
    if (R->right < R->left) R->right = R->left;
    if (R->bottom < R->top) R->bottom = R->top;
}

void TWinControl::WMNCPaint(TMessage& Message)
{
    DefaultHandler(Message);
    const int Size = BevelEdgeSize();
    if (Size == 0 || !FHandle) return;
    // The bevels ring the client area, in window coordinates.
    RECT W, C;
    GetWindowRect(FHandle, &W);
    ::GetClientRect(FHandle, &C);
    MapWindowPoints(FHandle, nullptr, reinterpret_cast<POINT*>(&C), 2);
    OffsetRect(&C, -W.left, -W.top);
    if (FBevelEdges.Contains(beLeft)) C.left -= Size;
    if (FBevelEdges.Contains(beTop)) C.top -= Size;
    if (FBevelEdges.Contains(beRight)) C.right += Size;
    if (FBevelEdges.Contains(beBottom)) C.bottom += Size;
    static const UINT Inner[] = {0, BDR_SUNKENINNER, BDR_RAISEDINNER, 0};
    static const UINT Outer[] = {0, BDR_SUNKENOUTER, BDR_RAISEDOUTER, 0};
    static const UINT Kind[] = {0, 0, BF_SOFT, BF_FLAT};
    UINT Edges = (FBevelEdges.Contains(beLeft) ? BF_LEFT : 0) | (FBevelEdges.Contains(beTop) ? BF_TOP : 0) |
                 (FBevelEdges.Contains(beRight) ? BF_RIGHT : 0) | (FBevelEdges.Contains(beBottom) ? BF_BOTTOM : 0);
    TClientDC DC(FHandle, true);
    DrawEdge(DC, &C, Inner[FBevelInner] | Outer[FBevelOuter], Edges | Kind[FBevelKind] | (FCtl3D ? 0 : BF_MONO));
}
