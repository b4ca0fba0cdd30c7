// test-needs: desktop
// The track-bar drop-down through real messages: key steps within the range, Alt+arrows opening
// the popup, horizontal drags across the edit (a page size of 0 included), the value's round trip
// through the edit with typed numbers pulled into range or ignored, and the track bar's changes.
#include "pickers/QorTrackBarDropDown.h"

#include "DropDownKit.h"

namespace {

using TTestTrack = dropdownkit::TTyping<TQorTrackBarDropDown>;

class TrackBarDropDown : public dropdownkit::DropDownTest<TTestTrack> {
protected:
    TrackBarDropDown() : DropDownTest(160, RegisterQorTrackBarDropDownClasses) {}
    void Prepare() override { Track->OnTrackChange = [this](TObject*) { ++Changes; }; }

    TTestTrack*& Track = Drop;
    int Changes = 0;
};

}  // namespace

TEST_F(TrackBarDropDown, StartsWithItsDefaults)
{
    EXPECT_EQ(Track->GetMin(), 0);
    EXPECT_EQ(Track->GetMax(), 10);
    EXPECT_EQ(Track->GetPosition(), 0);
    EXPECT_EQ(Track->GetPageSize(), 2);
    EXPECT_EQ(Track->GetFrequency(), 1);
    EXPECT_FALSE(Track->GetEditorEnabled());
    EXPECT_EQ(Track->GetEditType(), etNumeric);
    EXPECT_TRUE(Track->GetForceShadow());
    EXPECT_EQ(Track->GetMinValue(), 0);
    ASSERT_NE(Track->GetTrackBar(), nullptr);
}

TEST_F(TrackBarDropDown, UpAndDownStepByFrequencyWithinTheRange)
{
    struct Case { int Frequency, Position; Word Key; int Expected; };
    for (const Case C : {Case{1, 10, VK_DOWN, 10}, Case{1, 0, VK_UP, 0}, Case{3, 8, VK_DOWN, 8},
                         Case{1, 5, VK_DOWN, 6}, Case{3, 5, VK_UP, 2}, Case{0, 5, VK_DOWN, 5}}) {
        Track->SetFrequency(C.Frequency);
        Track->SetPosition(C.Position);
        const int Before = Changes;
        Press(C.Key);
        EXPECT_EQ(Track->GetPosition(), C.Expected) << C.Frequency << " " << C.Position;
        EXPECT_EQ(Track->GetText(), IntToStr(C.Expected));
        EXPECT_EQ(Changes - Before, C.Expected != C.Position ? 1 : 0);
    }
    // Alt+Down opens the popup without stepping; Up and Down in the open track bar step once.
    Track->SetFrequency(1);
    Track->SetPosition(4);
    Press(VK_DOWN, {ssAlt});
    ASSERT_TRUE(Open());
    EXPECT_EQ(Track->GetPosition(), 4);
    EXPECT_EQ(Focused(), Track->GetTrackBar()->GetHandle());
    Press(VK_DOWN);
    EXPECT_EQ(Track->GetPosition(), 5);
    EXPECT_EQ(Track->GetText(), L"5");
    Press(VK_RETURN);
    EXPECT_FALSE(Open());
}

TEST_F(TrackBarDropDown, ADragAcrossTheEditStepsByPageSize)
{
    Track->SetPosition(5);
    ui::MouseDown(Track, mbLeft, 50, 8);
    EXPECT_TRUE(Track->GetMouseDraging());
    ui::MouseMove(Track, 55, 8, {ssLeft});
    EXPECT_EQ(Track->GetPosition(), 7);   // 5 pixels div 2
    ui::MouseMove(Track, 52, 8, {ssLeft});
    EXPECT_EQ(Track->GetPosition(), 6);   // -3 div 2
    ui::MouseMove(Track, 53, 8, {ssLeft});
    EXPECT_EQ(Track->GetPosition(), 6);   // one pixel: no step, the remainder forgotten
    // A page size of 0 does not step (and does not divide by zero).
    Track->SetPageSize(0);
    ui::MouseMove(Track, 90, 8, {ssLeft});
    EXPECT_EQ(Track->GetPosition(), 6);
    ui::MouseUp(Track, mbLeft, 90, 8);
    EXPECT_FALSE(Track->GetMouseDraging());
    Track->SetPageSize(2);
    ui::MouseMove(Track, 120, 8);
    EXPECT_EQ(Track->GetPosition(), 6);
}

TEST_F(TrackBarDropDown, TypedNumbersArePulledIntoRangeAndOthersIgnored)
{
    Track->SetEditorEnabled(true);
    Track->SetPosition(3);
    Track->SetSelStart(0);
    Track->SetSelLength(5);
    TypeKey(L'2');
    TypeKey(L'5');
    EXPECT_EQ(Track->GetPosition(), 10);
    EXPECT_EQ(Track->GetText(), L"10");
    // Letters are refused; an emptied text is Min.
    Track->SetMin(2);
    Track->SetSelStart(2);
    TypeKey(L'x');
    EXPECT_EQ(Track->GetText(), L"10");
    // "1" is below Min 2: pulled up to 2; the emptied text is Min.
    TypeKey(VK_BACK);
    EXPECT_EQ(Track->GetPosition(), 2);
    EXPECT_EQ(Track->GetText(), L"2");
    Track->SetSelStart(1);
    TypeKey(VK_BACK);
    EXPECT_EQ(Track->GetText(), L"");
    EXPECT_EQ(Track->GetPosition(), 2);
    // A text that is no integer leaves the position (and raises nothing).
    Track->SetPosition(4);
    for (const wchar_t* Bad : {L"99999999999", L"abc", L"1e3", L"-"}) {
        EXPECT_NO_THROW(Track->Type(Bad)) << Bad;
        EXPECT_EQ(Track->GetPosition(), 4) << Bad;
    }
}

TEST_F(TrackBarDropDown, TheTrackBarKeepsTheRangeAndItsChangesReachTheEdit)
{
    OpenByF4();
    EXPECT_EQ(Track->GetDropDownForm()->GetWidth(), Track->GetWidth());
    Track->GetTrackBar()->SetPosition(7);
    EXPECT_EQ(Track->GetPosition(), 7);
    EXPECT_EQ(Track->GetText(), L"7");
    EXPECT_EQ(Changes, 1);
    Press(VK_ESCAPE);
    // Min above Max moves Max along; a Position outside is pulled to the bound.
    Track->SetMin(20);
    EXPECT_EQ(Track->GetMax(), 20);
    EXPECT_EQ(Track->GetPosition(), 20);
    Track->SetMax(-5);
    EXPECT_EQ(Track->GetMin(), -5);
    EXPECT_EQ(Track->GetPosition(), -5);
    Track->SetPosition(1000);
    EXPECT_EQ(Track->GetPosition(), -5);
}
