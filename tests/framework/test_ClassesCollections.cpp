// Collections and their notifications, interfaced objects, threads.
#include "framework/Classes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

std::vector<String> Log;

class TColourItem : public TCollectionItem {
    DECLARE_CLASS(TColourItem, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;
    void Assign(TPersistent* Source) override
    {
        if (auto* S = dynamic_cast<TColourItem*>(Source)) {
            Name = S->Name;
            Changed(false);
            return;
        }
        TCollectionItem::Assign(Source);
    }
    String GetDisplayName() const override { return Name; }
    int Width = 64;   // set by this class's own construction
    void SetName(const String& Value)
    {
        Name = Value;
        Changed(false);
    }
    String Name;
};

class TLoggedCollection : public TOwnedCollection {
    DECLARE_CLASS(TLoggedCollection, TOwnedCollection)
public:
    explicit TLoggedCollection(TPersistent* AOwner = nullptr)
        : TOwnedCollection(AOwner, ItemClass<TColourItem>()) {}
    TColourItem* Item(int i) const { return static_cast<TColourItem*>(GetItem(i)); }

protected:
    void Update(TCollectionItem* Item) override
    {
        Log.push_back(L"update " + (Item ? Item->GetDisplayName() : String(L"all")));
        TOwnedCollection::Update(Item);
    }
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override
    {
        static const wchar_t* Names[] = {L"added", L"extracting", L"deleting"};
        // A new item is announced only once it is fully made.
        if (Action == cnAdded) {
            auto* Colour = dynamic_cast<TColourItem*>(Item);
            EXPECT_TRUE(Colour && Colour->Width == 64);
        }
        Log.push_back(String(Names[Action]) + L" " + std::to_wstring(Item->GetID()));
    }
};

std::vector<String> Names(const TLoggedCollection& C)
{
    std::vector<String> R;
    for (int i = 0; i < C.Count(); ++i) R.push_back(C.Item(i)->Name);
    return R;
}

TColourItem* AddNamed(TLoggedCollection& C, const String& Name)
{
    auto* Item = static_cast<TColourItem*>(C.Add());
    Item->Name = Name;
    return Item;
}

}  // namespace

TEST(ClassesCollections, NotificationOrder)
{
    TLoggedCollection C;
    int Changes = 0;
    C.OnChange = [&](TObject* Sender) { EXPECT_EQ(Sender, &C); ++Changes; };
    Log.clear();
    auto* Red = AddNamed(C, L"red");
    EXPECT_EQ(Log, (std::vector<String>{L"added 0", L"update all"}));
    EXPECT_EQ(Changes, 1);

    Log.clear();
    Red->SetName(L"crimson");
    EXPECT_EQ(Log, (std::vector<String>{L"update crimson"}));

    Log.clear();
    C.BeginUpdate();
    AddNamed(C, L"green");
    C.Item(1)->SetName(L"lime");
    C.BeginUpdate();
    C.EndUpdate();
    EXPECT_EQ(Log, (std::vector<String>{L"added 1"}));
    C.EndUpdate();
    EXPECT_EQ(Log, (std::vector<String>{L"added 1", L"update all"}));

    Log.clear();
    C.Delete(0);
    EXPECT_EQ(Log, (std::vector<String>{L"deleting 0", L"extracting 0", L"update all"}));
    EXPECT_EQ(Names(C), (std::vector<String>{L"lime"}));

    Log.clear();
    AddNamed(C, L"a");
    AddNamed(C, L"b");
    Log.clear();
    C.Clear();
    EXPECT_EQ(C.Count(), 0);
    EXPECT_EQ(Log.back(), L"update all");
    EXPECT_EQ(std::count(Log.begin(), Log.end(), String(L"update all")), 1);
}

TEST(ClassesCollections, InsertIndexIdAndBadIndex)
{
    TLoggedCollection C;
    AddNamed(C, L"a");
    AddNamed(C, L"c");
    auto* B = static_cast<TColourItem*>(C.Insert(1));
    B->Name = L"b";
    EXPECT_EQ(Names(C), (std::vector<String>{L"a", L"b", L"c"}));
    EXPECT_EQ(B->GetIndex(), 1);
    EXPECT_EQ(B->GetID(), 2);            // IDs count up and never repeat
    EXPECT_EQ(C.FindItemID(2), B);
    EXPECT_EQ(C.FindItemID(7), nullptr);

    Log.clear();
    B->SetIndex(2);
    EXPECT_EQ(Names(C), (std::vector<String>{L"a", L"c", L"b"}));
    EXPECT_EQ(Log, (std::vector<String>{L"update all"}));
    EXPECT_THROW(B->SetIndex(3), EListError);
    EXPECT_THROW(C.Insert(4), EListError);
    EXPECT_THROW(C.GetItem(-1), EListError);
    EXPECT_EQ(C.Count(), 3);

    // An item freed directly leaves its collection.
    B->Free();
    EXPECT_EQ(Names(C), (std::vector<String>{L"a", L"c"}));
    auto* D = AddNamed(C, L"d");
    EXPECT_EQ(D->GetID(), 3);
}

TEST(ClassesCollections, AssignCopiesThroughItemsAndOwnerIsKnown)
{
    TPersistent Owner;
    TLoggedCollection Source(&Owner);
    AddNamed(Source, L"x");
    AddNamed(Source, L"y");
    EXPECT_EQ(Source.GetOwner(), &Owner);
    EXPECT_EQ(Source.Item(0)->GetOwner(), &Source);

    TLoggedCollection Dest;
    AddNamed(Dest, L"old");
    Log.clear();
    Dest.Assign(&Source);
    EXPECT_EQ(Names(Dest), (std::vector<String>{L"x", L"y"}));
    EXPECT_EQ(Log.back(), L"update all");
    EXPECT_EQ(std::count(Log.begin(), Log.end(), String(L"update all")), 1);

    Dest.SetItem(0, Source.Item(1));   // setting an item assigns into it
    EXPECT_EQ(Dest.Item(0)->Name, L"y");
    EXPECT_NE(Dest.Item(0), Source.Item(1));

    TStringList NotACollection;
    EXPECT_THROW(Dest.Assign(&NotACollection), EConvertError);

    // Without a factory the items are plain.
    TCollection Plain;
    EXPECT_EQ(Plain.Add()->ClassName(), L"TCollectionItem");
}

// ---- interfaced objects -----------------------------------------------------------------------

namespace {

struct IShape {
    virtual int Corners() const = 0;
    virtual ~IShape() = default;
};

class TSquare : public TInterfacedObject, public IShape {
    DECLARE_CLASS(TSquare, TInterfacedObject)
public:
    explicit TSquare(bool* AFreed) : Freed(AFreed) {}
    ~TSquare() override { *Freed = true; }
    int Corners() const override { return 4; }
    bool* Freed;
};

}  // namespace

TEST(ClassesInterfaces, ReferenceCountingAndSupports)
{
    bool Freed = false;
    auto* Sq = new TSquare(&Freed);
    EXPECT_EQ(Sq->GetRefCount(), 0);
    IUnknown* U = nullptr;
    ASSERT_TRUE(Supports(Sq, IID_IUnknown, &U));
    EXPECT_EQ(Sq->GetRefCount(), 1);
    void* None = reinterpret_cast<void*>(1);
    EXPECT_EQ(U->QueryInterface(IID_IStream, &None), E_NOINTERFACE);
    EXPECT_EQ(None, nullptr);

    IShape* Shape = nullptr;
    EXPECT_TRUE(Supports<IShape>(Sq, &Shape));
    EXPECT_EQ(Shape->Corners(), 4);
    TStringList Other;
    EXPECT_FALSE(Supports<IShape>(&Other));
    EXPECT_FALSE(Supports(&Other, IID_IUnknown));

    EXPECT_FALSE(Freed);
    U->Release();
    EXPECT_TRUE(Freed);
}

// ---- threads ----------------------------------------------------------------------------------

namespace {

class TCounter : public TThread {
    DECLARE_CLASS(TCounter, TThread)
public:
    TCounter(std::atomic<int>* ARuns, bool* AFreed = nullptr) : TThread(true), Runs(ARuns), Freed(AFreed) {}
    ~TCounter() override
    {
        if (Freed) *Freed = true;
    }
    bool Fail = false;
    HANDLE Done = nullptr;

protected:
    void Execute() override
    {
        ++*Runs;
        if (Fail) throw EConvertError(L"bad value in the thread");
        int Loops = 0;
        while (!Terminated()) {
            ++Loops;
            Sleep(1);
        }
        SetReturnValue(Loops > 0 ? 7 : 0);
    }
    void DoTerminate() override
    {
        TThread::DoTerminate();
        if (Done) SetEvent(Done);
    }

private:
    std::atomic<int>* Runs;
    bool* Freed;
};

// Starts itself once made, does nothing and frees itself.
class TFireAndForget : public TThread {
    DECLARE_CLASS(TFireAndForget, TThread)
public:
    explicit TFireAndForget(HANDLE AGone) : TThread(false), Gone(AGone) { SetFreeOnTerminate(true); }
    ~TFireAndForget() override { SetEvent(Gone); }

protected:
    void Execute() override {}

private:
    HANDLE Gone;
};

}  // namespace

TEST(ClassesThread, NotSuspendedStartsAfterConstructionAndFreesItself)
{
    HANDLE Gone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    Create<TFireAndForget>(Gone);
    EXPECT_EQ(WaitForSingleObject(Gone, 5000), WAIT_OBJECT_0);
    CloseHandle(Gone);
}

TEST(ClassesThread, RunsFromStartAndEndsOnTerminate)
{
    std::atomic<int> Runs{0};
    auto* T = Create<TCounter>(&Runs);
    DWORD CalledOn = 0;
    T->OnTerminate = [&](TObject*) { CalledOn = GetCurrentThreadId(); };
    Sleep(30);
    EXPECT_EQ(Runs, 0);   // created suspended
    T->Start();
    EXPECT_THROW(T->Start(), EThread);
    while (Runs == 0) Sleep(1);
    EXPECT_FALSE(T->GetFinished());
    T->Terminate();
    EXPECT_EQ(T->WaitFor(), 7);
    EXPECT_TRUE(T->GetFinished());
    EXPECT_EQ(CalledOn, T->GetThreadID());   // OnTerminate runs on the thread
    EXPECT_EQ(T->GetFatalException(), nullptr);
    T->Free();
}

TEST(ClassesThread, ExceptionEndsTheThreadAndIsKept)
{
    std::atomic<int> Runs{0};
    auto* T = Create<TCounter>(&Runs);
    T->Fail = true;
    T->Start();
    T->WaitFor();
    ASSERT_NE(T->GetFatalException(), nullptr);
    EXPECT_EQ(T->GetFatalException()->Message, L"bad value in the thread");
    EXPECT_NE(dynamic_cast<EConvertError*>(T->GetFatalException()), nullptr);
    T->Free();
}

TEST(ClassesThread, FreeOnTerminateAndFreeingUnstarted)
{
    std::atomic<int> Runs{0};
    bool Freed = false;
    auto* T = Create<TCounter>(&Runs, &Freed);
    HANDLE Done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    T->Done = Done;
    T->SetFreeOnTerminate(true);
    T->Start();
    T->Terminate();
    ASSERT_EQ(WaitForSingleObject(Done, 5000), WAIT_OBJECT_0);
    for (int i = 0; i < 500 && !Freed; ++i) Sleep(2);
    EXPECT_TRUE(Freed);
    CloseHandle(Done);

    // A thread freed before it started ends without running Execute.
    bool Freed2 = false;
    auto* Never = Create<TCounter>(&Runs, &Freed2);
    Never->Free();
    EXPECT_TRUE(Freed2);
    EXPECT_EQ(Runs, 1);

    // Freeing a running thread asks it to stop and waits.
    auto* Running = Create<TCounter>(&Runs);
    Running->Start();
    while (Runs < 2) Sleep(1);
    Running->Free();
    EXPECT_EQ(Runs, 2);
}
