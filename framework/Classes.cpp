#include "Classes.h"

#include <algorithm>

// ---- TPersistent ------------------------------------------------------------------------------

void TPersistent::Assign(TPersistent* Source)
{
    if (!Source) throw EConvertError(Consts::SAssignError, {L"nil", ClassName()});
    Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    String SourceName = ClassName();
    String DestName = Dest ? Dest->ClassName() : String(L"nil");
    throw EConvertError(Consts::SAssignError, {SourceName, DestName});
}

String TPersistent::GetNamePath()
{
    return ClassName();
}

// ---- TComponent -------------------------------------------------------------------------------

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Tell everyone who asked that this component goes.
    while (!FFreeNotifies.empty()) {
        TComponent* Other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        // The other side's list may hold this component too.
        auto& theirs = Other->FFreeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        Other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::BeforeDestruction()
{
    Destroying();
}

void TComponent::Destroying()
{
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState.Include(csDestroying);
    for (TComponent* C : FComponents) C->Destroying();
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* Instance = FComponents.back();
        Remove(Instance);
        Instance->Free();
    }
}

void TComponent::SetName(const String& NewName)
{
    FName = NewName;
}

TComponent* TComponent::Components(int Index) const
{
    if (Index < 0 || Index >= int(FComponents.size()))
        throw EListError(Consts::SListIndexError, {Index});
    return FComponents[size_t(Index)];
}

int TComponent::GetComponentIndex() const
{
    if (!FOwner) return -1;
    auto& v = FOwner->FComponents;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : int(it - v.begin());
}

TComponent* TComponent::FindComponent(const String& AName) const
{
    if (AName.empty()) return nullptr;
    for (TComponent* C : FComponents)
        if (SameText(C->FName, AName)) return C;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (!AComponent) return;
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    if (!AComponent || AComponent->FOwner != this) return;
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent)
{
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent)
{
    auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (it != FComponents.end()) FComponents.erase(it);
    AComponent->FOwner = nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this) return;
    if (FOwner == AComponent || AComponent->FOwner == this) return;  // ownership already tells
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    auto& theirs = AComponent->FFreeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
    FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveNotification(TComponent* AComponent)
{
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent),
                        FFreeNotifies.end());
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (!AComponent) return;
    RemoveNotification(AComponent);
    AComponent->RemoveNotification(this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    if (AComponent == this) return;
    // Pass the news on to the owned components (copy: a handler may change the list).
    std::vector<TComponent*> Owned = FComponents;
    for (TComponent* C : Owned)
        if (C != AComponent) C->Notification(AComponent, Operation);
}

void TComponent::Loaded()
{
    FComponentState.Exclude(csLoading);
}

void TComponent::SetLoading(bool Value)
{
    if (Value) FComponentState.Include(csLoading); else FComponentState.Exclude(csLoading);
}

void TComponent::SetReading(bool Value)
{
    if (Value) FComponentState.Include(csReading); else FComponentState.Exclude(csReading);
}
