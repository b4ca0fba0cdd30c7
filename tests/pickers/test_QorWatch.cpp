// The clock face's geometry, mouse and key input, Resolution, hand animation, the AM/PM box and
// automatic mode, driven by real messages: clicks sent to the face's window, WM_TIMER sent to the
// windows of its timers, an injected clock and an injected wait for the AM/PM slide.
#include "WatchKit.h"

#include "framework/Math.h"

#include <algorithm>
#include <random>

using namespace watchkit;

namespace {

TEST_F(WatchTest, GeometryOfTheDialAndItsAMPMBox)
{
    EXPECT_EQ(Watch->GetWidth(), 180);
    EXPECT_EQ(Watch->GetHeight(), 180);
    EXPECT_EQ(Watch->GetWatchRect(), TRect(10, 10, 170, 170));
    EXPECT_EQ(Watch->GetCenterPoint(), TPoint(90, 90));
    EXPECT_EQ(Watch->GetRadius(), 80.0);
    EXPECT_EQ(Watch->GetVersion(), L"1.2.1.0");

    // The box: "AM" measured in the AM/PM font, 8 pixels wider, a third of the way down the radius.
    TDibSurface S(10, 10);
    S.Canvas()->SetFont(Watch->GetAppearance()->GetAMPMFont());
    SIZE Ext{};
    GetTextExtentPoint32W(S.Canvas()->GetHandle(), L"AM", 2, &Ext);
    const TRect B = Watch->GetAMPMRect();
    EXPECT_EQ(B.Width(), Ext.cx + 8);
    EXPECT_EQ(B.Height(), Ext.cy);
    EXPECT_EQ(B.Left, 90 - (Ext.cx + 8) / 2);
    EXPECT_EQ(B.Top, 90 + int(Round((80 - Ext.cy) / 3.0)));
    Watch->SetShowAMPM(false);
    EXPECT_EQ(Watch->GetAMPMRect(), TRect(-1, -1, -1, -1));

    // A set size is used as it is; none (0 or negative) leaves a margin of 20.
    Watch->GetAppearance()->SetSize(100);
    EXPECT_EQ(Watch->GetWatchRect(), TRect(40, 40, 140, 140));
    Watch->GetAppearance()->SetSize(-7);
    EXPECT_EQ(Watch->GetWatchRect(), TRect(10, 10, 170, 170));
    Watch->GetAppearance()->SetSize(400);   // never more than the client area
    EXPECT_EQ(Watch->GetWatchRect(), TRect(0, 0, 180, 180));
}

// Faces smaller than the margin have a dial of size 0 rather than a negative one; they paint and
// take clicks without harm.
TEST_F(WatchTest, TinyAndEmptyFacesHaveNoDialAndStillWork)
{
    Watch->SetAnimation(false);
    for (int Side : {15, 0}) {
        Watch->SetBounds(10, 10, Side, Side);
        EXPECT_EQ(Watch->GetWatchRect(), TRect(Side / 2, Side / 2, Side / 2, Side / 2)) << Side;
        EXPECT_EQ(Watch->GetRadius(), 0.0);
        Watch->Repaint();
        Watch->UpdateCache();
        Watch->RepaintTime();
        // No dial: every click is outside it and picks a minute.
        const int Minute = Watch->XYToMinute(Side + 5, Side);
        Click(Side + 5, Side);
        Word H, M, S, MS;
        DecodeTime(Watch->GetTime(), H, M, S, MS);
        EXPECT_EQ(M, Minute) << Side;
        ui::Pump();
    }
    EXPECT_EQ(Changes, 2);
}

struct ClickCase {
    int X, Y;
    const char* FromAM;   // the time after the click from 01:20 (AM)
    const char* FromPM;   // ... from 13:20 (PM)
};

class WatchClicks : public WatchTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(WatchClicks, InsideSetTheHourOutsideTheMinute)
{
    const ClickCase& C = GetParam();
    Watch->SetAnimation(false);
    for (bool AM : {true, false}) {
        Watch->SetTime(HMS(AM ? 1 : 13, 20));
        Changes = 0;
        Click(C.X, C.Y);
        EXPECT_EQ(Clock(Watch->GetTime()), AM ? C.FromAM : C.FromPM) << C.X << ", " << C.Y;
        EXPECT_EQ(Changes, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Points, WatchClicks, ::testing::Values(
    ClickCase{130, 90, "03:20:00", "15:20:00"},   // inside, right of the centre
    ClickCase{90, 40, "00:20:00", "12:20:00"},    // straight above the centre
    ClickCase{86, 40, "00:20:00", "12:20:00"},    // just left of 12 o'clock
    ClickCase{90, 150, "06:20:00", "18:20:00"},
    ClickCase{40, 60, "10:20:00", "22:20:00"},
    ClickCase{175, 90, "01:15:00", "13:15:00"},   // outside the dial
    ClickCase{90, 175, "01:30:00", "13:30:00"},
    ClickCase{5, 90, "01:45:00", "13:45:00"},
    ClickCase{90, 5, "01:00:00", "13:00:00"},     // from minute 20: no carry
    ClickCase{2, 2, "01:53:00", "13:53:00"}));    // a corner outside the dial (7.5 rounds to 8)

TEST_F(WatchTest, MinuteZeroFromTheSecondHalfCarriesIntoTheNextHour)
{
    Watch->SetAnimation(false);
    Watch->SetTime(HMS(23, 45));
    Click(90, 5);
    EXPECT_EQ(Clock(Watch->GetTime()), "00:00:00");
    EXPECT_TRUE(Watch->GetAM());
    EXPECT_EQ(Changes, 1);
}

struct ResolutionCase {
    int Resolution;
    int Effective;   // the value kept from 1
    int X, Y;        // a click
    const char* Expected;   // from 01:40
};

class WatchResolution : public WatchTest, public ::testing::WithParamInterface<ResolutionCase> {};

TEST_P(WatchResolution, SnapsMinutePicksAndIgnoresValuesAbove30)
{
    const ResolutionCase& C = GetParam();
    Watch->SetAnimation(false);
    Watch->SetResolution(C.Resolution);
    EXPECT_EQ(Watch->GetResolution(), C.Effective);
    Watch->SetTime(HMS(1, 40));
    Click(C.X, C.Y);
    EXPECT_EQ(Clock(Watch->GetTime()), C.Expected);
}

// Outside the dial: the 58-minute position (75, 2), the 13-minute one (176, 72), the 20-minute one
// (166, 134).
INSTANTIATE_TEST_SUITE_P(Values, WatchResolution, ::testing::Values(
    ResolutionCase{1, 1, 75, 2, "01:58:00"},
    ResolutionCase{0, 0, 75, 2, "01:58:00"},
    ResolutionCase{-5, -5, 75, 2, "01:58:00"},    // no lower bound: no snapping
    ResolutionCase{31, 1, 75, 2, "01:58:00"},     // ignored
    ResolutionCase{5, 5, 75, 2, "02:00:00"},      // snaps to 0, carrying from minute 40
    ResolutionCase{5, 5, 176, 72, "01:15:00"},
    ResolutionCase{30, 30, 166, 134, "01:30:00"},
    ResolutionCase{15, 15, 130, 110, "03:40:00"}, // hours snap too
    ResolutionCase{15, 15, 125, 125, "06:40:00"},
    ResolutionCase{15, 15, 110, 60, "00:40:00"}));

TEST_F(WatchTest, ResolutionFifteenGivesOnlyQuarterHoursInsideTheDial)
{
    Watch->SetAnimation(false);
    Watch->SetResolution(15);
    std::vector<int> Hours;
    for (int A = 0; A < 360; A += 7) {
        const int X = 90 + int(std::lround(std::sin(A * Pi / 180) * 50)), Y = 90 - int(std::lround(std::cos(A * Pi / 180) * 50));
        Watch->SetTime(HMS(1, 0));
        Click(X, Y);
        Word H, M, S, MS;
        DecodeTime(Watch->GetTime(), H, M, S, MS);
        if (std::find(Hours.begin(), Hours.end(), H) == Hours.end()) Hours.push_back(H);
    }
    std::sort(Hours.begin(), Hours.end());
    EXPECT_EQ(Hours, (std::vector<int>{0, 3, 6, 9}));
}

struct KeyCase {
    const char* From;
    Word Key;
    const char* Expected;
    int Changes;
};

class WatchKeys : public WatchTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(WatchKeys, StepHoursAndMinutes)
{
    const KeyCase& C = GetParam();
    Watch->SetAnimation(false);
    Watch->SetTime(At(C.From));
    Watch->HandleKey(C.Key);
    EXPECT_EQ(Clock(Watch->GetTime()), C.Expected);
    EXPECT_EQ(Changes, C.Changes);
}

INSTANTIATE_TEST_SUITE_P(Keys, WatchKeys, ::testing::Values(
    KeyCase{"10:00:00", VK_LEFT, "09:59:00", 1},
    KeyCase{"00:00:30", VK_LEFT, "23:59:30", 1},
    KeyCase{"10:59:00", VK_RIGHT, "11:00:00", 1},
    KeyCase{"23:59:00", VK_RIGHT, "00:00:00", 1},
    KeyCase{"10:45:00", VK_END, "11:00:00", 1},
    KeyCase{"10:20:00", VK_END, "10:00:00", 1},
    KeyCase{"10:00:00", VK_END, "10:00:00", 0},
    KeyCase{"15:10:00", 'A', "03:10:00", 1},
    KeyCase{"03:10:00", 'P', "15:10:00", 1},
    KeyCase{"03:10:00", 'A', "03:10:00", 0},
    KeyCase{"15:10:00", 'P', "15:10:00", 0},
    KeyCase{"22:10:00", VK_PRIOR, "23:10:00", 1},
    KeyCase{"23:10:00", VK_PRIOR, "00:10:00", 1},
    KeyCase{"01:10:00", VK_NEXT, "00:10:00", 1},
    KeyCase{"00:10:00", VK_NEXT, "23:10:00", 1},
    KeyCase{"08:10:00", VK_HOME, "12:10:00", 1},
    KeyCase{"08:10:00", VK_UP, "08:10:00", 0},
    KeyCase{"08:10:00", VK_DOWN, "08:10:00", 0},
    KeyCase{"08:10:00", VK_SPACE, "08:10:00", 0}));

TEST_F(WatchTest, ReadOnlyBlocksClicksNotKeysAndAutomaticModeBlocksBoth)
{
    Watch->SetAnimation(false);
    Watch->SetTime(HMS(8, 10));
    Watch->SetReadOnly(true);
    Click(130, 90);
    Click(175, 90);
    EXPECT_EQ(Clock(Watch->GetTime()), "08:10:00");
    Watch->HandleKey(VK_RIGHT);
    EXPECT_EQ(Clock(Watch->GetTime()), "08:11:00");
    EXPECT_EQ(Changes, 1);

    Watch->SetReadOnly(false);
    NowScope Now(HMS(10, 8, 30));
    Watch->GetSettings()->SetAuto(true);
    const TDateTime Before = Watch->GetTime();
    Click(130, 90);
    Click(175, 90);
    for (Word K : {Word(VK_RIGHT), Word(VK_END), Word(VK_PRIOR), Word('P')}) Watch->HandleKey(K);
    EXPECT_EQ(Watch->GetTime(), Before);
    EXPECT_EQ(Changes, 1);
}

TEST_F(WatchTest, OutOfRangeHoursAndMinutesRaise)
{
    for (bool Animation : {false, true}) {
        Watch->SetAnimation(Animation);
        EXPECT_THROW(Watch->SetMinute(60), Exception);
        EXPECT_THROW(Watch->SetHour(24), Exception);
        EXPECT_FALSE(Watch->Animating());
    }
    try {
        Watch->SetMinute(75);
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, L"Invalid time");
    }
    EXPECT_EQ(Watch->GetTime(), 0.0);
}

// ---- animation ----------------------------------------------------------------------------------

struct AnimationCase {
    const char* From;
    int X, Y;          // a click, or
    Word Key;          // a key when X is -1
    int Factor;
    const char* Expected;
    int MinTicks, MaxTicks;   // ticks until the timer stops (the last one finds the hand arrived)
};

class WatchAnimation : public WatchTest, public ::testing::WithParamInterface<AnimationCase> {};

TEST_P(WatchAnimation, MovesInStepsAndReportsOnceAtTheEnd)
{
    const AnimationCase& C = GetParam();
    Watch->SetAnimationFactor(C.Factor);
    Watch->SetTime(At(C.From));
    if (C.X >= 0) Click(C.X, C.Y);
    else Watch->HandleKey(C.Key);
    EXPECT_TRUE(Watch->Animating());
    EXPECT_EQ(Clock(Watch->GetTime()), C.From);   // nothing moves before the first tick
    std::vector<std::string> Steps;
    int Ticks = 0;
    while (Watch->Animating() && Ticks < 200) {
        Tick(Watch->GetAnimationTimer());
        ++Ticks;
        if (Steps.empty() || Steps.back() != Clock(Watch->GetTime())) Steps.push_back(Clock(Watch->GetTime()));
        if (Watch->Animating()) {
            EXPECT_EQ(Changes, Steps.back() == C.Expected ? 1 : 0) << Steps.back();
        }
    }
    EXPECT_FALSE(Watch->Animating());
    EXPECT_EQ(Clock(Watch->GetTime()), C.Expected);
    EXPECT_GE(Ticks, C.MinTicks);
    EXPECT_LE(Ticks, C.MaxTicks);
    EXPECT_EQ(Changes, 1);
    Tick(Watch->GetAnimationTimer());   // a late tick of a stopped timer does nothing
    EXPECT_EQ(Changes, 1);
}

INSTANTIATE_TEST_SUITE_P(Moves, WatchAnimation, ::testing::Values(
    // Hours step by a tenth of the distance, at least one: 0 -> 1 -> 2 -> 3.
    AnimationCase{"00:10:00", 130, 90, 0, 10, "03:10:00", 4, 4},
    // 0 -> 30 minutes: steps of 3, 3, 2, ... then 1s; slows down as it arrives.
    AnimationCase{"05:00:00", 90, 175, 0, 10, "05:30:00", 22, 22},
    // From minute 50 to 0 the hand runs forward through 12 o'clock and carries the hour.
    AnimationCase{"05:50:00", 90, 5, 0, 10, "06:00:00", 11, 11},
    AnimationCase{"22:10:00", -1, -1, VK_PRIOR, 10, "23:10:00", 2, 2},
    AnimationCase{"08:10:00", -1, -1, VK_RIGHT, 10, "08:11:00", 2, 2},
    // A factor of 1 arrives in one step; 0 and below step as 1 instead of dividing by zero.
    AnimationCase{"05:00:00", 90, 175, 0, 1, "05:30:00", 2, 2},
    AnimationCase{"05:00:00", 90, 175, 0, 0, "05:30:00", 2, 2},
    AnimationCase{"05:00:00", 90, 175, 0, -3, "05:30:00", 2, 2},
    AnimationCase{"00:10:00", 130, 90, 0, 0, "03:10:00", 2, 2}));

TEST_F(WatchTest, AnimationStepsSlowDownAsTheHandArrivesAndTheMinuteRunsForwardThroughTwelve)
{
    Watch->SetTime(HMS(5, 0));
    Click(90, 175);   // minute 30
    std::vector<int> Minutes;
    while (Watch->Animating()) {
        Tick(Watch->GetAnimationTimer());
        Word H, M, S, MS;
        DecodeTime(Watch->GetTime(), H, M, S, MS);
        if (Minutes.empty() || Minutes.back() != M) Minutes.push_back(M);
    }
    EXPECT_EQ(Minutes, (std::vector<int>{3, 6, 8, 10, 12, 14, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}));

    Watch->SetTime(HMS(5, 45));
    Click(90, 5);   // minute 0
    Minutes.clear();
    while (Watch->Animating()) {
        Tick(Watch->GetAnimationTimer());
        Word H, M, S, MS;
        DecodeTime(Watch->GetTime(), H, M, S, MS);
        if (Minutes.empty() || Minutes.back() != M) Minutes.push_back(M);
    }
    EXPECT_EQ(Minutes, (std::vector<int>{47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 0}));
    EXPECT_EQ(Clock(Watch->GetTime()), "06:00:00");
}

TEST_F(WatchTest, ANewRequestReplacesTheRunningAnimationAndPgUpAt23IsImmediate)
{
    Watch->SetTime(HMS(1, 0));
    Click(130, 90);   // hour 3
    Tick(Watch->GetAnimationTimer());
    EXPECT_EQ(Clock(Watch->GetTime()), "02:00:00");
    Click(90, 175);   // minute 30 replaces it: the hour stays where it got to
    EXPECT_EQ(RunAnimation(), 22);
    EXPECT_EQ(Clock(Watch->GetTime()), "02:30:00");
    EXPECT_EQ(Changes, 1);

    Watch->SetTime(HMS(23, 30));
    Changes = 0;
    Watch->HandleKey(VK_PRIOR);
    EXPECT_FALSE(Watch->Animating());
    EXPECT_EQ(Clock(Watch->GetTime()), "00:30:00");
    EXPECT_EQ(Changes, 1);
    Watch->HandleKey(VK_HOME);
    EXPECT_EQ(Clock(Watch->GetTime()), "12:30:00");
    EXPECT_EQ(Changes, 2);
}

TEST_F(WatchTest, AnimationOffSuspendsARunThatGoesOnWhenItIsTurnedBackOn)
{
    Watch->SetTime(HMS(1, 0));
    Click(130, 90);
    Tick(Watch->GetAnimationTimer());
    Watch->SetAnimation(false);
    for (int I = 0; I < 5; ++I) Tick(Watch->GetAnimationTimer());
    EXPECT_TRUE(Watch->Animating());
    EXPECT_EQ(Clock(Watch->GetTime()), "02:00:00");
    Watch->SetAnimation(true);
    EXPECT_EQ(RunAnimation(), 2);
    EXPECT_EQ(Clock(Watch->GetTime()), "03:00:00");
    EXPECT_EQ(Changes, 1);
}

// ---- the AM/PM box ------------------------------------------------------------------------------

TEST_F(WatchTest, AMPMBoxSwitchesTheHalfOfTheDayAtOnceWithoutAnimation)
{
    SleepScope Sleeps;
    Watch->SetAnimation(false);
    Watch->SetTime(HMS(3, 10));
    const TRect B = Watch->GetAMPMRect();
    Click(B.Left, B.Top);   // left and top edges belong to the box
    EXPECT_EQ(Clock(Watch->GetTime()), "15:10:00");
    EXPECT_FALSE(Watch->GetAM());
    Click(B.Right - 1, B.Bottom - 1);
    EXPECT_EQ(Clock(Watch->GetTime()), "03:10:00");
    EXPECT_TRUE(Watch->GetAM());
    EXPECT_EQ(Changes, 2);
    EXPECT_TRUE(Sleeps.Waits.empty());
    Click(B.Right, B.Top + 2);   // right of the box: an hour pick
    EXPECT_EQ(Changes, 3);
    EXPECT_NE(Clock(Watch->GetTime()), "15:10:00");
}

TEST_F(WatchTest, AMPMBoxSlidesFromOneWordToTheOtherThenSetsTheHour)
{
    SleepScope Sleeps;
    Watch->SetTime(HMS(3, 10));
    Watch->Repaint();
    const TRect B = Watch->GetAMPMRect();
    Click(B.Left + 2, B.Top + 2);
    // One 10 ms wait per pixel row of the box's inside; the hour follows at once, without a run.
    EXPECT_EQ(Sleeps.Waits, std::vector<unsigned>(B.Height() - 2, 10));
    EXPECT_FALSE(Watch->Animating());
    EXPECT_EQ(Clock(Watch->GetTime()), "15:10:00");
    EXPECT_FALSE(Watch->GetAM());
    EXPECT_EQ(Changes, 1);

    // Without a box colour, or with the box hidden, there is nothing to slide.
    Sleeps.Waits.clear();
    Watch->GetAppearance()->SetAMPMColor(clNone);
    Click(B.Left + 2, B.Top + 2);
    EXPECT_TRUE(Sleeps.Waits.empty());
    EXPECT_EQ(Clock(Watch->GetTime()), "03:10:00");
}

// ---- automatic mode -----------------------------------------------------------------------------

TEST_F(WatchTest, AutomaticModeRunsOnTheClockTimerAndFollowsNoon)
{
    NowScope Now(HMS(10, 8, 30));
    EXPECT_FALSE(Watch->GetWatchTimer()->GetEnabled());
    Watch->GetSettings()->SetAuto(true);
    EXPECT_TRUE(Watch->GetWatchTimer()->GetEnabled());
    EXPECT_EQ(Watch->GetWatchTimer()->GetInterval(), 100u);
    EXPECT_EQ(Clock(Watch->GetTime()), "10:08:30");   // the time taken when switching on
    EXPECT_EQ(Clock(Watch->GetDisplayTime()), "10:08:30");
    Watch->GetSettings()->SetTimeOffset(90);
    EXPECT_EQ(Clock(Watch->GetDisplayTime()), "11:38:30");
    EXPECT_TRUE(Watch->GetAM());
    Watch->Repaint();

    // Each tick redraws the hands of the current time; the box changes by itself at noon.
    const auto Before = Shown();
    Now.Set(HMS(10, 29, 59));
    Tick(Watch->GetWatchTimer());
    EXPECT_TRUE(Watch->GetAM());
    EXPECT_GT(Shown()->DiffCount(*Before), 50);
    Now.Set(HMS(10, 30, 1));
    Tick(Watch->GetWatchTimer());
    EXPECT_FALSE(Watch->GetAM());
    EXPECT_EQ(Changes, 0);

    Watch->GetSettings()->SetAuto(false);
    EXPECT_FALSE(Watch->GetWatchTimer()->GetEnabled());
    EXPECT_EQ(Clock(Watch->GetDisplayTime()), "10:08:30");
}

TEST_F(WatchTest, WantsArrowKeysOnlyAsATabStopAndSuchKeysReachAHandlerThatStepsTheFace)
{
    EXPECT_EQ(SendMessageW(Watch->GetHandle(), WM_GETDLGCODE, 0, 0), 0);
    Watch->SetTabStop(true);
    EXPECT_EQ(SendMessageW(Watch->GetHandle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTALLKEYS);

    // The face has no key handler of its own: a host passes keys on to HandleKey.
    Watch->SetAnimation(false);
    Watch->SetTime(HMS(9, 30));
    Watch->OnKeyDown = [this](TObject*, Word& Key, TShiftState) { Watch->HandleKey(Key); };
    ui::PressKey(VK_RIGHT, {}, Watch->GetHandle());
    ui::PressKey(VK_PRIOR, {}, Watch->GetHandle());
    EXPECT_EQ(Clock(Watch->GetTime()), "10:31:00");
    EXPECT_EQ(Changes, 2);
}

// ---- random input -------------------------------------------------------------------------------

TEST_F(WatchTest, RandomClicksAndKeysKeepAValidTimeAndEndEveryAnimation)
{
    SleepScope Sleeps;
    std::mt19937 Rng(20240611);
    const Word Keys[] = {'A', 'P', VK_PRIOR, VK_NEXT, VK_HOME, VK_END, VK_LEFT, VK_RIGHT, VK_UP, 'X'};
    Watch->SetTime(HMS(11, 59, 59));
    for (int Step = 0; Step < 600; ++Step) {
        const int Kind = int(Rng() % 10);
        if (Kind < 5) Click(int(Rng() % 200) - 10, int(Rng() % 200) - 10);
        else if (Kind < 8) Watch->HandleKey(Keys[Rng() % std::size(Keys)]);
        else if (Kind == 8) Watch->SetAnimationFactor(int(Rng() % 14) - 2);
        else Watch->SetResolution(int(Rng() % 40) - 5);
        // Some ticks now and then; a new request may arrive while a run goes on.
        for (int T = int(Rng() % 4); T > 0 && Watch->Animating(); --T) Tick(Watch->GetAnimationTimer());
        const TDateTime Time = Watch->GetTime();
        ASSERT_GE(Time, 0.0);
        ASSERT_LT(Time, 1.0) << Step;   // a time of day, no date crept in
        Word H, M, S, MS;
        DecodeTime(Time, H, M, S, MS);
        ASSERT_EQ(Watch->GetAM(), H < 12) << Step;
        if (Step % 50 == 49) {
            ASSERT_GE(RunAnimation(), 0) << Step;
        }
    }
    ASSERT_GE(RunAnimation(), 0);
    EXPECT_FALSE(Watch->Animating());
    EXPECT_GT(Changes, 100);
}

}  // namespace
