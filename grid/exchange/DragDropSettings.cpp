// The grid's drag-and-drop settings and drag-scroll options.
#include "grid/exchange/DragDropSettings.h"

#include "grid/detail/QorGridOwner.h"
#include "grid/exchange/jyrdd.h"

// ---- TDragDropSettings ----------------------------------------------------------------------------

TDragDropSettings::TDragDropSettings(TComponent* AOwner) : FGrid(QorGridDetail::GridOfOwner(AOwner)) {}

void TDragDropSettings::SetOleDropRTF(bool Value)
{
    FOleDropRTF = Value;
    jyrdd::SetRTFAware(Value);
}

void TDragDropSettings::SetOleDropTarget(bool Value)
{
    if (FOleDropTarget == Value) return;
    FOleDropTarget = Value;
    // Registering (on) or revoking (off) the grid's window as an OLE drop target comes with the
    // grid's drag and drop, which the grid's handle creation also calls to register each new window.
}

void TDragDropSettings::SetShowCells(bool Value)
{
    FShowCells = Value;
}

void TDragDropSettings::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TDragDropSettings*>(Source_);
    if (!Source) return;
    QOR_DRAGDROPSETTINGS_PROPS(QOR_OPTION_COPY)
    SetOleDropTarget(Source->FOleDropTarget);
}

void TDragDropSettings::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TDragDropSettings;
    QOR_DRAGDROPSETTINGS_PROPS(QOR_OPTION_REGISTER)
}

// ---- TDragScrollDelays, TDragScrollMargins -------------------------------------------------------

void TDragScrollDelays::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TDragScrollDelays*>(Source_);
    if (!Source) return;
    QOR_DRAGSCROLLDELAYS_PROPS(QOR_OPTION_COPY)
}

void TDragScrollDelays::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TDragScrollDelays;
    QOR_DRAGSCROLLDELAYS_PROPS(QOR_OPTION_REGISTER)
}

void TDragScrollMargins::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TDragScrollMargins*>(Source_);
    if (!Source) return;
    QOR_DRAGSCROLLMARGINS_PROPS(QOR_OPTION_COPY)
}

void TDragScrollMargins::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TDragScrollMargins;
    QOR_DRAGSCROLLMARGINS_PROPS(QOR_OPTION_REGISTER)
}

// ---- TDragScrollOptions ---------------------------------------------------------------------------

TDragScrollOptions::TDragScrollOptions()
    : FDelays(Create<TDragScrollDelays>()), FMargins(Create<TDragScrollMargins>())
{
}

TDragScrollOptions::~TDragScrollOptions()
{
    FMargins->Free();
    FDelays->Free();
}

void TDragScrollOptions::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TDragScrollOptions*>(Source_);
    if (!Source) return;
    FMargins->Assign(Source->FMargins);
    FDelays->Assign(Source->FDelays);
    FActive = Source->FActive;
}

void TDragScrollOptions::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TDragScrollOptions;
    Table.Add(L"Active", &TSelf::GetActive, &TSelf::SetActive, false);
    Table.Add(L"Delays", &TSelf::GetDelays, &TSelf::SetDelays);
    Table.Add(L"Margins", &TSelf::GetMargins, &TSelf::SetMargins);
}
