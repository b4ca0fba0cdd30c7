// Option objects, part two: nodes, column sizes, HTML export, printing, background, grouping,
// balloons, modified marks, progress cells, filters, colours by sign and hover buttons.
#include "grid/store/QorGridOptions.h"

// ---- TCellNode ------------------------------------------------------------------------------------

TCellNode::TCellNode(TComponent* AOwner)
    : FOwner(AOwner), FExpandGlyph(Create<TBitmap>()), FContractGlyph(Create<TBitmap>())
{
}

TCellNode::~TCellNode()
{
    FExpandGlyph->Free();
    FContractGlyph->Free();
}

void TCellNode::Changed()
{
    InvalidateOptionsGrid(FOwner);
}

void TCellNode::SetNodeColumn(int Value)
{
    if (FNodeColumn == Value) return;
    IQorOptionsGrid* Grid = OptionsGridOf(FOwner);
    if (Grid && Grid->OptionsHasNodes()) throw Exception(QorGridConsts::SNodeColumnHasNodes);
    FNodeColumn = Value;
}

void TCellNode::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TCellNode*>(Source_);
    if (!Source) return;
    QOR_CELLNODE_PROPS(QOR_OPTION_COPY)
    FExpandGlyph->Assign(Source->FExpandGlyph);
    FContractGlyph->Assign(Source->FContractGlyph);
}

// ---- TColumnSize ----------------------------------------------------------------------------------

void TColumnSize::SetStretch(bool Value)
{
    FStretch = Value;
    IQorOptionsGrid* Grid = OptionsGridOf(FOwner);
    if (Grid && Grid->OptionsHasParent()) Grid->OptionsStretchColumn(FStretchColumn, -1);
}

void TColumnSize::SetStretchAll(bool Value)
{
    if (FStretchAll == Value) return;
    if (Value) FStretchColumn = -1;
    FStretchAll = Value;
    if (IQorOptionsGrid* Grid = OptionsGridOf(FOwner)) Grid->OptionsStretchColumn(-1, -1);
}

void TColumnSize::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TColumnSize*>(Source_);
    if (!Source) return;
    QOR_COLUMNSIZE_PROPS(QOR_OPTION_COPY)
}

// ---- THTMLSettings --------------------------------------------------------------------------------

THTMLSettings::THTMLSettings() : FColWidths(Create<TIntList>(0, 0)) {}

THTMLSettings::~THTMLSettings()
{
    FColWidths->Free();
}

void THTMLSettings::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<THTMLSettings*>(Source_);
    if (!Source) return;
    QOR_HTMLSETTINGS_PROPS(QOR_OPTION_COPY)
}

// ---- TPrintSettings -------------------------------------------------------------------------------

TPrintSettings::TPrintSettings(TComponent*)
    : FTitleLines(Create<TStringList>()), FFont(Create<TFont>()), FHeaderFont(Create<TFont>()),
      FFooterFont(Create<TFont>()), FFixedFont(Create<TFont>())
{
}

TPrintSettings::~TPrintSettings()
{
    FFont->Free();
    FHeaderFont->Free();
    FFooterFont->Free();
    FFixedFont->Free();
    FTitleLines->Free();
}

void TPrintSettings::SetFont(TFont* Value)
{
    if (Value) FFont->Assign(Value);
}

void TPrintSettings::SetHeaderFont(TFont* Value)
{
    if (Value) FHeaderFont->Assign(Value);
}

void TPrintSettings::SetFooterFont(TFont* Value)
{
    if (Value) FFooterFont->Assign(Value);
}

void TPrintSettings::SetFixedFont(TFont* Value)
{
    if (Value) FFixedFont->Assign(Value);
}

void TPrintSettings::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TPrintSettings*>(Source_);
    if (!Source) throw EInvalidCast(QorGridConsts::SInvalidClassTypecast);
    QOR_PRINTSETTINGS_PROPS(QOR_OPTION_COPY)
    FTitleLines->Assign(Source->FTitleLines);
    FFont->Assign(Source->FFont);
    FHeaderFont->Assign(Source->FHeaderFont);
    FFooterFont->Assign(Source->FFooterFont);
    FFixedFont->Assign(Source->FFixedFont);
}

// ---- TBackGround ----------------------------------------------------------------------------------

TBackGround::TBackGround(TComponent* AOwner) : FOwner(AOwner), FBitmap(Create<TBitmap>()) {}

TBackGround::~TBackGround()
{
    FBitmap->Free();
}

void TBackGround::Changed()
{
    InvalidateOptionsGrid(FOwner);
}

void TBackGround::SetBitmap(TBitmap* Value)
{
    FBitmap->Assign(Value);
    Changed();
}

void TBackGround::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TBackGround*>(Source_);
    if (!Source) return;
    QOR_BACKGROUND_PROPS(QOR_OPTION_COPY)
    FBitmap->Assign(Source->FBitmap);
}

// ---- TGrouping, TBalloonSettings, TShowModified ---------------------------------------------------

void TGrouping::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TGrouping*>(Source_);
    if (!Source) return;
    QOR_GROUPING_PROPS(QOR_OPTION_COPY)
}

void TBalloonSettings::SetEnable(bool Value)
{
    if (FEnable == Value) return;
    FEnable = Value;
    if (OnEnableChange) OnEnableChange(this);
}

void TBalloonSettings::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TBalloonSettings*>(Source_);
    if (!Source) return;
    QOR_BALLOONSETTINGS_PROPS(QOR_OPTION_COPY)
}

void TShowModified::Changed()
{
    if (OnChange) OnChange(this);
}

void TShowModified::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TShowModified*>(Source_);
    if (!Source) return;
    QOR_SHOWMODIFIED_PROPS(QOR_OPTION_COPY)
}

// ---- TGridProgressAppearance ----------------------------------------------------------------------

void TGridProgressAppearance::Changed()
{
    if (OnChange) OnChange(this);
}

void TGridProgressAppearance::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TGridProgressAppearance*>(Source_);
    if (!Source) return;
    QOR_PROGRESSAPPEARANCE_PROPS(QOR_OPTION_COPY)
    Changed();
}

// ---- TFilterDropDown, TFilterEdit -----------------------------------------------------------------

TFilterDropDown::TFilterDropDown()
    : FFont(Create<TFont>()), FGlyph(Create<TBitmap>()), FGlyphActive(Create<TBitmap>())
{
    FGlyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
    FGlyphActive->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
}

TFilterDropDown::~TFilterDropDown()
{
    FFont->Free();
    FGlyph->Free();
    FGlyphActive->Free();
}

void TFilterDropDown::GlyphChanged(TObject*)
{
    if (OnChange) OnChange(this);
}

void TFilterDropDown::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TFilterDropDown*>(Source_);
    if (!Source) return;
    QOR_FILTERDROPDOWN_PROPS(QOR_OPTION_COPY)
    FFont->Assign(Source->FFont);
    FGlyph->Assign(Source->FGlyph);
    FGlyphActive->Assign(Source->FGlyphActive);
}

TFilterEdit::TFilterEdit(TComponent* AOwner) : FOwner(AOwner), FTypeNames(Create<TStringList>())
{
    for (const wchar_t* Name : QorGridConsts::SFilterTypeNames) FTypeNames->Add(Name);
}

TFilterEdit::~TFilterEdit()
{
    FTypeNames->Free();
}

void TFilterEdit::Changed()
{
    InvalidateOptionsGrid(FOwner);
}

void TFilterEdit::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    Changed();
    if (IQorOptionsGrid* Grid = OptionsGridOf(FOwner)) Grid->OptionsResetFilterEdit(FRow);
}

void TFilterEdit::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TFilterEdit*>(Source_);
    if (!Source) return;
    QOR_FILTEREDIT_PROPS(QOR_OPTION_COPY)
    FTypeNames->Assign(Source->FTypeNames);
}

// ---- TColorSetting, TAutoColor --------------------------------------------------------------------

void TColorSetting::Changed()
{
    if (OnChange) OnChange(this);
}

void TColorSetting::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TColorSetting*>(Source_);
    if (!Source) return;
    QOR_COLORSETTING_PROPS(QOR_OPTION_COPY)
}

TAutoColor::TAutoColor() : FNegativeNumber(Create<TColorSetting>()), FPositiveNumber(Create<TColorSetting>())
{
    FNegativeNumber->OnChange = [this](TObject* Sender) { ValueChanged(Sender); };
    FPositiveNumber->OnChange = [this](TObject* Sender) { ValueChanged(Sender); };
}

TAutoColor::~TAutoColor()
{
    FNegativeNumber->Free();
    FPositiveNumber->Free();
}

void TAutoColor::Changed()
{
    if (OnChange) OnChange(this);
}

void TAutoColor::ValueChanged(TObject*)
{
    Changed();
}

bool TAutoColor::ColorsDefined() const
{
    for (const TColorSetting* S : {FNegativeNumber, FPositiveNumber})
        if (S->GetTextColor() != clNone || S->GetBkgColor() != clNone) return true;
    return false;
}

void TAutoColor::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TAutoColor*>(Source);
    if (!S) return;
    FNegativeNumber->Assign(S->FNegativeNumber);
    FPositiveNumber->Assign(S->FPositiveNumber);
}

// ---- hover buttons --------------------------------------------------------------------------------

THoverButtonsCollectionItem::THoverButtonsCollectionItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FPicture(Create<TPicture>())
{
}

THoverButtonsCollectionItem::~THoverButtonsCollectionItem()
{
    FPicture->Free();
}

void THoverButtonsCollectionItem::SetPicture(TPicture* Value)
{
    FPicture->Assign(Value);
    Changed();
}

void THoverButtonsCollectionItem::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<THoverButtonsCollectionItem*>(Source_);
    if (!Source) return;
    QOR_HOVERBUTTON_PROPS(QOR_OPTION_COPY)
    FPicture->Assign(Source->FPicture);
}

THoverButtonsCollection::THoverButtonsCollection(THoverButtons* AOwner)
    : TOwnedCollection(AOwner, TCollection::ItemClass<THoverButtonsCollectionItem>())
{
}

void THoverButtonsCollection::Update(TCollectionItem* Item)
{
    TOwnedCollection::Update(Item);
    FUpdated = true;
}

THoverButtons::THoverButtons(TComponent* AOwner) : FOwner(AOwner), FButtons(Create<THoverButtonsCollection>(this)) {}

THoverButtons::~THoverButtons()
{
    FButtons->Free();
}

void THoverButtons::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<THoverButtons*>(Source_);
    if (!Source) return;
    QOR_HOVERBUTTONS_PROPS(QOR_OPTION_COPY)
    FButtons->Assign(Source->FButtons);
}
