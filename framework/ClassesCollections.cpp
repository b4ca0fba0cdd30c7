#include "Classes.h"

#include <algorithm>
#include <iterator>

// ---- TCollectionItem --------------------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* ACollection)
{
    if (ACollection) ACollection->InsertItem(this, false);
}

void TCollectionItem::AfterConstruction()
{
    TPersistent::AfterConstruction();
    if (FAddPending && FCollection) FCollection->Announce(this);
}

TCollectionItem::~TCollectionItem()
{
    if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value)
{
    if (FCollection == Value) return;
    if (FCollection) FCollection->RemoveItem(this);
    if (Value) Value->InsertItem(this);
}

int TCollectionItem::GetIndex() const
{
    if (!FCollection) return -1;
    auto& Items = FCollection->FItems;
    auto It = std::find(Items.begin(), Items.end(), this);
    return It == Items.end() ? -1 : int(It - Items.begin());
}

void TCollectionItem::SetIndex(int Value)
{
    int Cur = GetIndex();
    if (Cur < 0 || Cur == Value) return;
    auto& Items = FCollection->FItems;
    if (Value < 0 || Value >= int(Items.size()))
        throw EListError(Consts::SListIndexError, {Value});
    Items.erase(Items.begin() + Cur);
    Items.insert(Items.begin() + Value, this);
    Changed(true);
}

String TCollectionItem::GetDisplayName() const
{
    return ClassName();
}

void TCollectionItem::SetDisplayName(const String& Value)
{
    Changed(false);
}

TPersistent* TCollectionItem::GetOwner()
{
    return FCollection;
}

String TCollectionItem::GetNamePath()
{
    if (!FCollection) return ClassName();
    return FCollection->GetNamePath() + L"[" + std::to_wstring(GetIndex()) + L"]";
}

void TCollectionItem::Changed(bool AllItems)
{
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

// ---- TCollection ------------------------------------------------------------------------------

TCollection::TCollection(TCollectionItemFactory AItemFactory) : FItemFactory(std::move(AItemFactory))
{
}

TCollection::~TCollection()
{
    OnChange = nullptr;
    FUpdateCount = 1;   // no notifications while going
    while (!FItems.empty()) FItems.back()->Free();
}

TCollectionItem* TCollection::CreateItem()
{
    if (FItemFactory) return FItemFactory(this);
    return Create<TCollectionItem>(this);
}

void TCollection::InsertItem(TCollectionItem* Item, bool AnnounceNow)
{
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    Item->FAddPending = true;
    if (AnnounceNow) Announce(Item);
}

void TCollection::Announce(TCollectionItem* Item)
{
    Item->FAddPending = false;
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    if (Item->FAddPending) {
        // Never announced (its construction failed): it goes quietly.
        Item->FAddPending = false;
        FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
        Item->FCollection = nullptr;
        return;
    }
    Notify(Item, cnExtracting);
    // Searched from the end: Clear and logs that drop their newest items free from the back.
    auto It = std::find(FItems.rbegin(), FItems.rend(), Item);
    if (It != FItems.rend()) FItems.erase(std::next(It).base());
    Item->FCollection = nullptr;
    Changed();
}

TCollectionItem* TCollection::Add()
{
    TCollectionItem* Item = CreateItem();
    if (!Item) throw EListError(L"The collection's item factory made no item");
    // A factory that made the item elsewhere is put right.
    if (Item->FCollection != this) Item->SetCollection(this);
    // Made without the factory's after-construction step: announce it now.
    if (Item->FAddPending) Announce(Item);
    return Item;
}

TCollectionItem* TCollection::Insert(int Index)
{
    if (Index < 0 || Index > Count())
        throw EListError(Consts::SListIndexError, {Index});
    TCollectionItem* Item = nullptr;
    UpdateBlock(*this, [&] {
        Item = Add();
        Item->SetIndex(Index);
    });
    return Item;
}

void TCollection::Delete(int Index)
{
    TCollectionItem* Item = GetItem(Index);
    Notify(Item, cnDeleting);
    Item->Free();
}

void TCollection::Clear()
{
    if (FItems.empty()) return;
    UpdateBlock(*this, [&] {
        // The items go in the order they were added, each told first and taken out without a
        // search: the heap takes a long run of blocks back in linear time in that order (newest
        // first it slows down with the count).
        while (!FItems.empty()) {
            std::vector<TCollectionItem*> Old;
            Old.swap(FItems);
            for (TCollectionItem* Item : Old) {
                Notify(Item, cnExtracting);
                Item->FCollection = nullptr;
                Item->Free();
            }
            Changed();
        }
    });
}

TCollectionItem* TCollection::GetItem(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(Consts::SListIndexError, {Index});
    return FItems[size_t(Index)];
}

void TCollection::SetItem(int Index, TCollectionItem* Value)
{
    GetItem(Index)->Assign(Value);
}

TCollectionItem* TCollection::FindItemID(int ID) const
{
    for (TCollectionItem* Item : FItems)
        if (Item->FID == ID) return Item;
    return nullptr;
}

void TCollection::Assign(TPersistent* Source)
{
    auto* Src = dynamic_cast<TCollection*>(Source);
    if (!Src) {
        TPersistent::Assign(Source);
        return;
    }
    if (Src == this) return;
    UpdateBlock(*this, [&] {
        Clear();
        for (TCollectionItem* Item : std::vector<TCollectionItem*>(Src->FItems)) Add()->Assign(Item);
    });
}

void TCollection::BeginUpdate()
{
    ++FUpdateCount;
}

void TCollection::EndUpdate()
{
    if (FUpdateCount <= 0) return;
    --FUpdateCount;
    Changed();
}

void TCollection::Changed()
{
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Update(TCollectionItem* Item)
{
    if (OnChange) OnChange(this);
}

String TCollection::GetNamePath()
{
    TPersistent* Owner = GetOwner();
    if (!Owner) return ClassName();
    String OwnerPath = Owner->GetNamePath();
    if (OwnerPath.empty()) return ClassName();
    return OwnerPath + L"." + ClassName();
}
