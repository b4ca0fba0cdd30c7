// Actions and their control links: a linked control takes the action's caption, follows later
// captions only while it still shows the action's, executes the action on a click without an
// OnClick of its own, and outlives its action (and the action it).
#include "framework/ActnList.h"
#include "framework/StdCtrls.h"

#include <gtest/gtest.h>

namespace {

struct Fixture {
    TFreePtr<TAction> Action{Create<TAction>(nullptr)};
    TFreePtr<TLabel> Label{Create<TLabel>(nullptr)};
};

TEST(ActionLink, TheCaptionFollowsTheActionWhileTheControlShowsIt)
{
    Fixture F;
    F.Action->SetCaption(L"Gem");
    F.Label->SetAction(F.Action.get());
    EXPECT_EQ(F.Label->GetAction(), F.Action.get());
    EXPECT_EQ(F.Label->GetCaption(), L"Gem");
    F.Action->SetCaption(L"Gem som");
    EXPECT_EQ(F.Label->GetCaption(), L"Gem som");
    F.Label->SetCaption(L"Own");
    F.Action->SetCaption(L"Gem igen");
    EXPECT_EQ(F.Label->GetCaption(), L"Own");
}

TEST(ActionLink, AClickWithoutOnClickExecutesTheAction)
{
    Fixture F;
    int Executed = 0, Clicked = 0;
    F.Action->OnExecute = [&](TObject* Sender) { Executed += Sender == F.Action.get(); };
    F.Label->SetAction(F.Action.get());
    F.Label->Click();
    EXPECT_EQ(Executed, 1);
    F.Label->OnClick = [&](TObject*) { ++Clicked; };
    F.Label->Click();
    EXPECT_EQ(Executed, 1);
    EXPECT_EQ(Clicked, 1);
}

TEST(ActionLink, EitherSideMayGoFirst)
{
    Fixture F;
    F.Label->SetAction(F.Action.get());
    F.Action.reset();
    EXPECT_EQ(F.Label->GetAction(), nullptr);
    F.Label->Click();   // nothing to execute

    Fixture G;
    G.Label->SetAction(G.Action.get());
    G.Label.reset();
    G.Action->SetCaption(L"Ingen");   // no link left to offer it to
    EXPECT_EQ(G.Action->GetCaption(), L"Ingen");

    Fixture H;
    H.Label->SetAction(H.Action.get());
    H.Label->SetAction(nullptr);
    H.Action->SetCaption(L"Fri");
    EXPECT_EQ(H.Label->GetCaption(), L"");
}

} // namespace
