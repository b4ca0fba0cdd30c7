// Ownership, free notification and the factory's after-construction step.
#include "framework/Classes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<String> Log;

class TProbe : public TComponent {
    DECLARE_CLASS(TProbe, TComponent)
public:
    using TComponent::TComponent;
    ~TProbe() override { Log.push_back(L"free " + GetName()); }
    void AfterConstruction() override { Log.push_back(L"made " + Kind()); }
    virtual String Kind() const { return L"probe"; }
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        if (Operation == opRemove) {
            Log.push_back(GetName() + L" hears " + AComponent->GetName() + L" go");
            if (AComponent == Partner) Partner = nullptr;
        }
        TComponent::Notification(AComponent, Operation);
    }
    TComponent* Partner = nullptr;
};

class TDerivedProbe : public TProbe {
    DECLARE_CLASS(TDerivedProbe, TProbe)
public:
    using TProbe::TProbe;
    String Kind() const override { return L"derived"; }
};

TProbe* Make(TComponent* Owner, const String& Name)
{
    auto* P = Create<TProbe>(Owner);
    P->SetName(Name);
    return P;
}

}  // namespace

TEST(Components, FactoryReachesDerivedClassAfterConstruction)
{
    Log.clear();
    auto* P = Create<TDerivedProbe>(nullptr);
    EXPECT_EQ(Log.at(0), L"made derived");
    EXPECT_EQ(P->ClassName(), L"TDerivedProbe");
    EXPECT_TRUE(P->InheritsFromName(L"TComponent"));
    EXPECT_FALSE(P->InheritsFromName(L"TControl"));
    P->Free();
}

TEST(Components, OwnerFreesOwnedLastFirstAndFindsByName)
{
    auto* Owner = Make(nullptr, L"Owner");
    Make(Owner, L"A");
    Make(Owner, L"B");
    EXPECT_EQ(Owner->ComponentCount(), 2);
    EXPECT_EQ(Owner->FindComponent(L"b")->GetName(), L"B");
    EXPECT_EQ(Owner->FindComponent(L"C"), nullptr);
    Log.clear();
    Owner->Free();
    // The owner's own destructor body runs first, then the owned components go, last first.
    ASSERT_GE(Log.size(), 3u);
    EXPECT_EQ(Log[0], L"free Owner");
    EXPECT_EQ(Log.back(), L"free A");
}

TEST(Components, FreeNotificationClearsLinkBothWays)
{
    auto* A = Make(nullptr, L"A");
    auto* B = Make(nullptr, L"B");
    A->Partner = B;
    A->FreeNotification(B);
    Log.clear();
    B->Free();
    EXPECT_EQ(A->Partner, nullptr);
    EXPECT_EQ(Log[0], L"free B");
    EXPECT_EQ(Log[1], L"A hears B go");
    A->Free();  // must not touch the freed B
}

TEST(Components, AssignWithoutSupportRaisesConvertError)
{
    auto* A = Make(nullptr, L"A");
    auto* B = Make(nullptr, L"B");
    try {
        A->Assign(B);
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message, L"Cannot assign a TProbe to a TProbe");
    }
    A->Free();
    B->Free();
}
