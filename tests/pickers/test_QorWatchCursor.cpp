// test-needs: desktop
// The face shows the hand cursor over its AM/PM box and the default arrow elsewhere (the real
// mouse pointer is moved, so the test has the desktop to itself).
#include "WatchKit.h"

#include "framework/WinScope.h"

using namespace watchkit;

namespace {

TEST_F(WatchTest, HandCursorOverTheAMPMBoxOnly)
{
    POINT Saved;
    GetCursorPos(&Saved);
    auto Restore = ScopeExit([Saved] { SetCursorPos(Saved.x, Saved.y); });   // as other tests left it
    const TRect B = Watch->GetAMPMRect();
    auto PointAt = [this](int X, int Y) {
        const TPoint P = Watch->ClientToScreen(TPoint(X, Y));
        SetCursorPos(P.X, P.Y);
        SendMessageW(Watch->GetHandle(), WM_SETCURSOR, WPARAM(Watch->GetHandle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    PointAt(B.Left + 2, B.Top + 2);
    EXPECT_EQ(Watch->GetCursor(), crHandPoint);
    EXPECT_EQ(GetCursor(), CursorHandle(crHandPoint));
    PointAt(40, 90);
    EXPECT_EQ(Watch->GetCursor(), crDefault);
    Watch->SetShowAMPM(false);
    PointAt(B.Left + 2, B.Top + 2);
    EXPECT_EQ(Watch->GetCursor(), crDefault);
}

}  // namespace
