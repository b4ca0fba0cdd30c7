// Classes: collections of persistent items, and threads.
//
// Included at the end of Classes.h; include Classes.h rather than this file.
#pragma once

#include "Classes.h"

#include <atomic>
#include <exception>

// ---- TCollection ------------------------------------------------------------------------------

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// An item of a collection. Constructing it with a collection puts it at the end; the collection
// hears of it (Notify cnAdded, then Update) once the item is fully made, after construction, so
// that handlers see the finished item. Freeing it takes it out.
class TCollectionItem : public TPersistent {
    DECLARE_CLASS(TCollectionItem, TPersistent)
public:
    explicit TCollectionItem(TCollection* ACollection);
    ~TCollectionItem() override;
    void AfterConstruction() override;

    TCollection* GetCollection() const { return FCollection; }
    TCollection* Collection() const { return FCollection; }
    // Moves the item into another collection (or out of any with nullptr).
    virtual void SetCollection(TCollection* Value);
    int GetIndex() const;
    int Index() const { return GetIndex(); }
    // Moves the item to Value; a bad index raises EListError.
    virtual void SetIndex(int Value);
    int GetID() const { return FID; }
    int ID() const { return FID; }
    // The default is the class name.
    virtual String GetDisplayName() const;
    virtual void SetDisplayName(const String& Value);
    String DisplayName() const { return GetDisplayName(); }
    TPersistent* GetOwner() override;
    String GetNamePath() override;

protected:
    // Tells the collection (unless it is updating): Update(this), or Update(nullptr) for a
    // change that concerns all items.
    virtual void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
    bool FAddPending = false;   // in the collection, not yet announced
};

// Makes a new item inside the collection it is given.
using TCollectionItemFactory = std::function<TCollectionItem*(TCollection* Collection)>;

// An ordered set of items of one kind. The kind comes from the item factory given at
// construction, or from an override of CreateItem.
class TCollection : public TPersistent {
    DECLARE_CLASS(TCollection, TPersistent)
public:
    // Without a factory, items are plain TCollectionItem (unless CreateItem is overridden).
    explicit TCollection(TCollectionItemFactory AItemFactory = nullptr);
    ~TCollection() override;

    // The factory that makes items of class TItem.
    template <class TItem>
    static TCollectionItemFactory ItemClass()
    {
        return [](TCollection* C) -> TCollectionItem* { return Create<TItem>(C); };
    }

    TCollectionItem* Add();
    // A new item at Index (0 .. Count).
    TCollectionItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    int Count() const { return int(FItems.size()); }
    int GetCount() const { return Count(); }
    TCollectionItem* GetItem(int Index) const;
    // Assigns Value into the item at Index.
    void SetItem(int Index, TCollectionItem* Value);
    TCollectionItem* Items(int Index) const { return GetItem(Index); }
    TCollectionItem* operator[](int Index) const { return GetItem(Index); }
    TCollectionItem* FindItemID(int ID) const;
    int GetNextID() const { return FNextID; }

    // Replaces the items with copies of Source's (through each item's Assign).
    void Assign(TPersistent* Source) override;

    // Batches changes: Update(nullptr) once at the outermost EndUpdate.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    int GetUpdateCount() const { return FUpdateCount; }

    String GetNamePath() override;

    // Fired by the default Update.
    TNotifyEvent OnChange;

protected:
    // Makes an item in this collection: the factory's, else a TCollectionItem.
    virtual TCollectionItem* CreateItem();
    // Told of every change: Item changed, or nullptr for the collection as a whole. The default
    // fires OnChange.
    virtual void Update(TCollectionItem* Item);
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {}
    // Calls Update(nullptr) unless updating.
    void Changed();

    int FUpdateCount = 0;

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item, bool AnnounceNow = true);
    void Announce(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);

    std::vector<TCollectionItem*> FItems;
    TCollectionItemFactory FItemFactory;
    int FNextID = 0;
};

// A collection whose GetOwner answers the persistent object it belongs to.
class TOwnedCollection : public TCollection {
    DECLARE_CLASS(TOwnedCollection, TCollection)
public:
    explicit TOwnedCollection(TPersistent* AOwner, TCollectionItemFactory AItemFactory = nullptr)
        : TCollection(std::move(AItemFactory)), FOwner(AOwner) {}
    TPersistent* GetOwner() override { return FOwner; }

private:
    TPersistent* FOwner;
};

// ---- TThread ----------------------------------------------------------------------------------

DECLARE_EXCEPTION(EThread, Exception)

// A thread running the virtual Execute. It is created suspended and runs from Start. An
// exception leaving Execute ends the thread and is kept in FatalException. OnTerminate is called
// on the thread itself, after Execute; with FreeOnTerminate the thread object then frees itself
// (WaitFor must not be used on such a thread). Freeing a running thread sets Terminated and
// waits for Execute to return.
class TThread : public TObject {
    DECLARE_CLASS(TThread, TObject)
public:
    explicit TThread(bool CreateSuspended = true);
    ~TThread() override;
    void AfterConstruction() override;

    // Starts a suspended thread; raises EThread when it was already started.
    void Start();
    // Asks Execute to stop: it is to check Terminated now and then.
    void Terminate() { FTerminated = true; }
    bool GetTerminated() const { return FTerminated; }
    bool Terminated() const { return FTerminated; }
    bool GetFinished() const { return FFinished; }
    bool Finished() const { return FFinished; }
    bool GetStarted() const { return FStarted; }
    // Waits for the thread to end; answers ReturnValue.
    Integer WaitFor();
    bool GetFreeOnTerminate() const { return FFreeOnTerminate; }
    void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }
    HANDLE GetHandle() const { return FHandle; }
    HANDLE Handle() const { return FHandle; }
    DWORD GetThreadID() const { return FThreadID; }
    DWORD ThreadID() const { return FThreadID; }
    Integer GetReturnValue() const { return FReturnValue; }
    // The exception that ended Execute, or null. GetFatalException answers it when it is an
    // Exception (valid while the thread object lives).
    std::exception_ptr GetFatalExceptionPtr() const { return FFatalException; }
    Exception* GetFatalException() const;
    Exception* FatalException() const { return GetFatalException(); }

    static void Sleep(Cardinal Milliseconds);
    static DWORD CurrentThreadID();

    // Called on this thread after Execute (see above).
    TNotifyEvent OnTerminate;

protected:
    virtual void Execute() = 0;
    virtual void DoTerminate();
    void SetReturnValue(Integer Value) { FReturnValue = Value; }
    Integer FReturnValue = 0;

private:
    static DWORD WINAPI ThreadProc(LPVOID Parameter);
    void Run();

    HANDLE FHandle = nullptr;
    DWORD FThreadID = 0;
    bool FCreateSuspended;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::atomic<bool> FStarted{false};
    std::atomic<bool> FAbandoned{false};   // freed before it ever started
    bool FFreeOnTerminate = false;
    std::exception_ptr FFatalException;
};
