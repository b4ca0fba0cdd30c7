// Actions and their links to controls.
#include "ActnList.h"

#include "TypInfo.h"

#include <algorithm>

// ---- TBasicAction ------------------------------------------------------------------------------

TBasicAction::~TBasicAction()
{
    for (TBasicActionLink* Link : FClients) Link->FAction = nullptr;
    FClients.clear();
}

bool TBasicAction::Execute()
{
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link)
{
    if (std::find(FClients.begin(), FClients.end(), Link) == FClients.end()) FClients.push_back(Link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link)
{
    std::erase(FClients, Link);
}

// ---- TCustomAction -----------------------------------------------------------------------------

namespace {

// Offers a new value to every link of the action; a link may unlink itself meanwhile, so the
// links are walked over a copy.
template <class F>
void OfferToLinks(const std::vector<TBasicActionLink*>& Clients, F Offer)
{
    const std::vector<TBasicActionLink*> Links = Clients;
    for (TBasicActionLink* Link : Links)
        if (auto* L = dynamic_cast<TActionLink*>(Link)) Offer(L);
}

}  // namespace

void TCustomAction::SetCaption(const String& Value)
{
    if (FCaption == Value) return;
    OfferToLinks(FClients, [&](TActionLink* L) { L->SetCaption(Value); });
    FCaption = Value;
}

void TCustomAction::SetChecked(bool Value)
{
    if (FChecked == Value) return;
    OfferToLinks(FClients, [&](TActionLink* L) { L->SetChecked(Value); });
    FChecked = Value;
}

void TCustomAction::SetGroupIndex(int Value)
{
    if (FGroupIndex == Value) return;
    OfferToLinks(FClients, [&](TActionLink* L) { L->SetGroupIndex(Value); });
    FGroupIndex = Value;
}

void TCustomAction::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Caption", &TCustomAction::GetCaption, &TCustomAction::SetCaption);
    Table.Add(L"Checked", &TCustomAction::GetChecked, &TCustomAction::SetChecked, false);
    Table.Add(L"GroupIndex", &TCustomAction::GetGroupIndex, &TCustomAction::SetGroupIndex, 0);
    Table.AddEvent(L"OnExecute", &TCustomAction::OnExecute);
}

// ---- Links -------------------------------------------------------------------------------------

TBasicActionLink::~TBasicActionLink()
{
    if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value)
{
    if (FAction == Value) return;
    if (FAction) FAction->UnRegisterChanges(this);
    FAction = Value;
    if (FAction) FAction->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent*)
{
    return FAction && FAction->Execute();
}

TCustomAction* TActionLink::CustomAction() const
{
    return dynamic_cast<TCustomAction*>(FAction);
}

bool TActionLink::IsCaptionLinked()
{
    return CustomAction() != nullptr;
}

bool TActionLink::IsCheckedLinked()
{
    return CustomAction() != nullptr;
}

bool TActionLink::IsGroupIndexLinked()
{
    return CustomAction() != nullptr;
}

void TControlActionLink::AssignClient(TObject* AClient)
{
    FClient = dynamic_cast<TControl*>(AClient);
}

bool TControlActionLink::IsCaptionLinked()
{
    return inherited::IsCaptionLinked() && FClient && FClient->GetCaption() == CustomAction()->GetCaption();
}

void TControlActionLink::SetCaption(const String& Value)
{
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}

// ---- Registration ------------------------------------------------------------------------------

void RegisterActnList()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterClass<TAction>();
}
