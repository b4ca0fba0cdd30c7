// Option objects, part one: search bar, navigation, mouse, synchronised grid, bands, focus helper.
#include "grid/store/QorGridOptions.h"

#include "framework/Grids.h"

IQorOptionsGrid* OptionsGridOf(TComponent* Owner)
{
    return dynamic_cast<IQorOptionsGrid*>(Owner);
}

void InvalidateOptionsGrid(TComponent* Owner)
{
    if (IQorOptionsGrid* Grid = OptionsGridOf(Owner)) Grid->OptionsInvalidate();
}

// ---- TSearchFooter --------------------------------------------------------------------------------

TSearchFooter::TSearchFooter(TComponent*, bool InitDesign) : FFont(Create<TFont>())
{
    FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    if (!InitDesign) return;
    using namespace QorGridConsts;
    FFindNextCaption = SSearchFindNext;
    FFindPrevCaption = SSearchFindPrev;
    FMatchCaseCaption = SSearchMatchCase;
    FHighLightCaption = SSearchHighlight;
    FHintClose = SSearchHintClose;
    FHintFindNext = SSearchHintFindNext;
    FHintFindPrev = SSearchHintFindPrev;
    FHintHighlight = SSearchHintHighlight;
}

TSearchFooter::~TSearchFooter()
{
    FFont->Free();
}

void TSearchFooter::Changed()
{
    if (OnChange) OnChange(this);
}

void TSearchFooter::FontChanged(TObject*)
{
    Changed();
}

void TSearchFooter::SetFont(TFont* Value)
{
    FFont->Assign(Value);
    Changed();
}

void TSearchFooter::SetAutoThemeAdapt(bool Value)
{
    FAutoThemeAdapt = Value;
    Changed();
}

void TSearchFooter::SetAutoSearch(bool Value)
{
    FAutoSearch = Value;
    FLastSearch.clear();
}

void TSearchFooter::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TSearchFooter*>(Source_);
    if (!Source) return;
    QOR_SEARCHFOOTER_PROPS(QOR_OPTION_COPY)
    FFont->Assign(Source->FFont);
}

// ---- TNavigation ----------------------------------------------------------------------------------

void TNavigation::Changed()
{
    if (OnChange) OnChange(this);
}

void TNavigation::SetAdvanceAuto(bool Value)
{
    if (FAdvanceAuto == Value) return;
    FAdvanceAuto = Value;
    if (Value) FAdvanceOnEnter = true;
}

void TNavigation::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TNavigation*>(Source_);
    if (!Source) return;
    QOR_NAVIGATION_PROPS(QOR_OPTION_COPY)
    FAutoGotoWhenSorted = Source->FAutoGotoWhenSorted;
}

// ---- TMouseActions --------------------------------------------------------------------------------

TMouseActions::TMouseActions(TComponent*) : FFixedComboValues(Create<TStringList>()) {}

TMouseActions::~TMouseActions()
{
    FFixedComboValues->Free();
}

void TMouseActions::Changed()
{
    if (OnChange) OnChange(this);
}

bool TMouseActions::IsDesigning()
{
    bool Designing = false;
    if (OnIsDesigning) OnIsDesigning(this, Designing);
    return Designing;
}

void TMouseActions::SetHotmailRowSelect(bool Value)
{
    FHotmailRowSelect = Value;
    if (Value) {
        FDisjunctRowSelect = true;
        FCheckAllCheck = true;
    }
    if (OnInvalidate) OnInvalidate(this);
}

void TMouseActions::SetEditOnDblClickOnly(bool Value)
{
    FEditOnDblClickOnly = Value;
    if (Value && OnDisableEdit) OnDisableEdit(this);
}

void TMouseActions::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TMouseActions*>(Source_);
    if (!Source) return;
    QOR_MOUSEACTIONS_PROPS(QOR_OPTION_COPY)
}

// ---- TSyncGrid ------------------------------------------------------------------------------------

// Hears of the partner grid's freeing and drops the link, so that no stale partner is kept.
class TSyncGrid::TPartnerWatch : public TComponent {
public:
    explicit TPartnerWatch(TSyncGrid* AOwner) : TComponent(nullptr), FSync(AOwner) {}

    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == FSync->FGrid) FSync->FGrid = nullptr;
    }

private:
    TSyncGrid* FSync;
};

TSyncGrid::TSyncGrid(TComponent* AOwner) : FOwner(AOwner), FWatch(Create<TPartnerWatch>(this)) {}

TSyncGrid::~TSyncGrid()
{
    FWatch->Free();
}

void TSyncGrid::SetGrid(TStringGrid* Value)
{
    if (Value && static_cast<TComponent*>(Value) == FOwner) return;
    if (Value == FGrid) return;
    if (FGrid) FWatch->RemoveFreeNotification(FGrid);
    FGrid = Value;
    if (FGrid) FWatch->FreeNotification(FGrid);
}

void TSyncGrid::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TSyncGrid*>(Source_);
    if (!Source) return;
    SetGrid(Source->FGrid);
    QOR_SYNCGRID_PROPS(QOR_OPTION_COPY)
}

// ---- TBands ---------------------------------------------------------------------------------------

void TBands::Changed()
{
    if (OnChange) OnChange(this);
}

namespace {
// Stores a changed value; answers whether it changed.
template <class V>
bool StoreBandValue(V& Field, V Value)
{
    if (Field == Value) return false;
    Field = Value;
    return true;
}
} // namespace

void TBands::SetPrimaryColor(TColor Value)
{
    if (StoreBandValue(FPrimaryColor, Value) && FActive) Changed();
}

void TBands::SetSecondaryColor(TColor Value)
{
    if (StoreBandValue(FSecondaryColor, Value) && FActive) Changed();
}

void TBands::SetPrimaryLength(int Value)
{
    if (!StoreBandValue(FPrimaryLength, Value)) return;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    if (FActive) Changed();
}

void TBands::SetSecondaryLength(int Value)
{
    if (!StoreBandValue(FSecondaryLength, Value)) return;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    if (FActive) Changed();
}

void TBands::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TBands*>(Source_);
    if (!Source) return;
    QOR_BANDS_PROPS(QOR_OPTION_COPY)
    FTotalLength = FPrimaryLength + FSecondaryLength;
}

// ---- TFocusHelper ---------------------------------------------------------------------------------

void TFocusHelper::Assign(TPersistent* Source)
{
    if (auto* S = dynamic_cast<TFocusHelper*>(Source)) FEnabled = S->FEnabled;
}
