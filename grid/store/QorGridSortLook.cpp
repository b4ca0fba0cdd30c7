// Option objects: the sort settings with the sort settings string, and the control look.
#include "grid/store/QorGridOptions.h"

#include <climits>

// ---- TSortSettings --------------------------------------------------------------------------------

TSortSettings::TSortSettings(TComponent* AOwner)
    : FGrid(AOwner), FUpGlyph(Create<TBitmap>()), FDownGlyph(Create<TBitmap>()), FIndexUpGlyph(Create<TBitmap>()),
      FIndexDownGlyph(Create<TBitmap>())
{
}

TSortSettings::~TSortSettings()
{
    FUpGlyph->Free();
    FDownGlyph->Free();
    FIndexUpGlyph->Free();
    FIndexDownGlyph->Free();
}

void TSortSettings::SetShow(bool Value)
{
    if (FShow == Value) return;
    FShow = Value;
    InvalidateOptionsGrid(FGrid);
}

void TSortSettings::SetSortRow(int Value)
{
    IQorOptionsGrid* Grid = OptionsGridOf(FGrid);
    int FixedRows = Grid ? Grid->OptionsFixedRows() : 0;
    if (Value >= FixedRows) throw Exception(QorGridConsts::SSortRowNotFixed);
    FRow = Value;
}

void TSortSettings::RepaintLastFixedRow()
{
    IQorOptionsGrid* Grid = OptionsGridOf(FGrid);
    if (Grid && Grid->OptionsFixedRows() > 0) Grid->OptionsRepaintRow(Grid->OptionsFixedRows() - 1);
}

void TSortSettings::SetHeaderColorField(TColor& Field, TColor Value)
{
    if (Field == Value) return;
    Field = Value;
    RepaintLastFixedRow();
}

void TSortSettings::SetHeaderColor(TColor Value)
{
    SetHeaderColorField(FHeaderColor, Value);
}

void TSortSettings::SetHeaderColorTo(TColor Value)
{
    SetHeaderColorField(FHeaderColorTo, Value);
}

void TSortSettings::SetHeaderMirrorColor(TColor Value)
{
    SetHeaderColorField(FHeaderMirrorColor, Value);
}

void TSortSettings::SetHeaderMirrorColorTo(TColor Value)
{
    SetHeaderColorField(FHeaderMirrorColorTo, Value);
}

void TSortSettings::Remove()
{
    FColumn = -1;
    if (IQorOptionsGrid* Grid = OptionsGridOf(FGrid)) Grid->OptionsSortIndexList()->Clear();
    RepaintLastFixedRow();
}

void TSortSettings::ToggleDirection()
{
    FDirection = FDirection == sdAscending ? sdDescending : sdAscending;
}

void TSortSettings::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TSortSettings*>(Source_);
    if (!Source) return;
    QOR_SORTSETTINGS_PROPS(QOR_OPTION_COPY)
    FRow = Source->FRow;
    FUpGlyph->Assign(Source->FUpGlyph);
    FDownGlyph->Assign(Source->FDownGlyph);
    FIndexUpGlyph->Assign(Source->FIndexUpGlyph);
    FIndexDownGlyph->Assign(Source->FIndexDownGlyph);
}

namespace {

constexpr const wchar_t* IndexPrefix = L"i;";

// Decimal digits, with a leading minus when Signed, within 32 bits.
bool ParseDecimal(const String& Text, bool Signed, int& Value)
{
    size_t i = 0;
    bool Negative = Signed && !Text.empty() && Text[0] == L'-';
    if (Negative) ++i;
    if (i == Text.size()) return false;
    Int64 V = 0;
    for (; i < Text.size(); ++i) {
        if (Text[i] < L'0' || Text[i] > L'9') return false;
        V = V * 10 + (Text[i] - L'0');
        if (V > Int64(INT_MAX) + 1) return false;
    }
    if (Negative) V = -V;
    if (V > INT_MAX) return false;
    Value = int(V);
    return true;
}

// "u" or "d" followed by a column, as the index list writes its items.
bool IsIndexItem(const String& Item)
{
    int Column = 0;
    return Item.size() >= 2 && (Item[0] == L'u' || Item[0] == L'd') &&
           ParseDecimal(Item.substr(1), false, Column);
}

// The index list's text: items separated by ";", or nothing.
bool IsIndexText(const String& Text)
{
    size_t Start = 0;
    while (Start < Text.size()) {
        size_t End = Text.find(L';', Start);
        if (End == String::npos) End = Text.size();
        if (!IsIndexItem(Text.substr(Start, End - Start))) return false;
        if (End == Text.size()) return true;
        Start = End + 1;
        if (Start == Text.size()) return false;   // a trailing separator
    }
    return true;
}

} // namespace

String TSortSettings::SaveToString() const
{
    if (FIndexShow) {
        IQorOptionsGrid* Grid = OptionsGridOf(FGrid);
        return IndexPrefix + (Grid ? Grid->OptionsSortIndexList()->SaveToString() : String());
    }
    return (FDirection == sdDescending ? L"d" : L"u") + std::to_wstring(FColumn);
}

void TSortSettings::LoadFromString(const String& Value)
{
    if (Value.empty()) return;
    // Validate the whole line before anything changes.
    bool Indexed = Value.compare(0, 2, IndexPrefix) == 0;
    String Rest = Value.size() >= 2 ? Value.substr(Indexed ? 2 : 1) : String();
    int NewColumn = -1;
    bool Valid = Value.size() >= 2 &&
                 (Indexed ? IsIndexText(Rest)
                          : (Value[0] == L'u' || Value[0] == L'd') && ParseDecimal(Rest, true, NewColumn));
    if (!Valid) throw Exception(QorGridConsts::SInvalidSortSettings);

    SetShow(true);
    IQorOptionsGrid* Grid = OptionsGridOf(FGrid);
    if (Indexed) {
        FIndexShow = true;
        if (!Rest.empty() && Grid) {
            Grid->OptionsSortIndexList()->LoadFromString(Rest);
            Grid->OptionsQSortIndexed();
        }
        return;
    }
    FIndexShow = false;
    FDirection = Value[0] == L'u' ? sdAscending : sdDescending;
    FColumn = NewColumn;
    if (Grid) Grid->OptionsQSort();
}

// ---- TControlLook ---------------------------------------------------------------------------------

TControlLook::TControlLook(TComponent* AOwner)
    : FGrid(AOwner), FCheckedGlyph(Create<TBitmap>()), FUnCheckedGlyph(Create<TBitmap>()),
      FRadioOnGlyph(Create<TBitmap>()), FRadioOffGlyph(Create<TBitmap>())
{
    Init();
    FDropDownHeader = Create<THeaderAppearance>(AOwner);
    FDropDownFooter = Create<TFooterAppearance>(AOwner);
}

TControlLook::~TControlLook()
{
    FDropDownHeader->Free();
    FDropDownFooter->Free();
    FCheckedGlyph->Free();
    FUnCheckedGlyph->Free();
    FRadioOnGlyph->Free();
    FRadioOffGlyph->Free();
}

void TControlLook::Init()
{
    QOR_CONTROLLOOK_INIT_PROPS(QOR_OPTION_RESET)
    SetFixedGradientHoverMirrorFrom(FFixedGradientHoverMirrorFrom);
    SetFixedGradientHoverMirrorTo(FFixedGradientHoverMirrorTo);
    SetFixedGradientDownMirrorFrom(FFixedGradientDownMirrorFrom);
    SetFixedGradientDownMirrorTo(FFixedGradientDownMirrorTo);
}

void TControlLook::Changed()
{
    InvalidateOptionsGrid(FGrid);
}

int TControlLook::GetCheckBoxSize() const
{
    return FControlStyle == csJOQ ? 16 : FCheckSize;
}

void TControlLook::SetCheckBoxSize(int Value)
{
    FCheckSize = Value;
    Changed();
}

void TControlLook::SetProgressHeight(int Value)
{
    if (Value < 0) return;
    FProgressHeight = Value;
    Changed();
}

void TControlLook::SetGlyph(TBitmap* Glyph, TBitmap* Value)
{
    Glyph->Assign(Value);
    Changed();
}

void TControlLook::SetCheckedGlyph(TBitmap* Value)
{
    SetGlyph(FCheckedGlyph, Value);
}

void TControlLook::SetUnCheckedGlyph(TBitmap* Value)
{
    SetGlyph(FUnCheckedGlyph, Value);
}

void TControlLook::SetRadioOnGlyph(TBitmap* Value)
{
    SetGlyph(FRadioOnGlyph, Value);
}

void TControlLook::SetRadioOffGlyph(TBitmap* Value)
{
    SetGlyph(FRadioOffGlyph, Value);
}

template <class F>
void TControlLook::SetGradient(TColor& Field, TColor Value, bool UnlessNone, F Pass)
{
    Field = Value;
    if (UnlessNone && Value == clNone) return;
    if (IQorOptionsGrid* Grid = OptionsGridOf(FGrid)) Pass(*Grid, Value);
}

namespace {
// Passes a hover or pressed colour into the grid's field.
auto StoreIn(TJOQGradField Field)
{
    return [Field](IQorOptionsGrid& Grid, TColor Value) { Grid.OptionsStoreJOQGrad(Field, Value); };
}
} // namespace

void TControlLook::SetFixedGradientFrom(TColor Value)
{
    SetGradient(FFixedGradientFrom, Value, true, [](IQorOptionsGrid& G, TColor C) { G.SetJOQGradFrom(C); });
}

void TControlLook::SetFixedGradientTo(TColor Value)
{
    SetGradient(FFixedGradientTo, Value, true, [](IQorOptionsGrid& G, TColor C) { G.SetJOQGradTo(C); });
}

void TControlLook::SetFixedGradientMirrorFrom(TColor Value)
{
    SetGradient(FFixedGradientMirrorFrom, Value, false,
                [](IQorOptionsGrid& G, TColor C) { G.SetJOQGradMirrorFrom(C); });
}

void TControlLook::SetFixedGradientMirrorTo(TColor Value)
{
    SetGradient(FFixedGradientMirrorTo, Value, false, [](IQorOptionsGrid& G, TColor C) { G.SetJOQGradMirrorTo(C); });
}

void TControlLook::SetFixedGradientHoverFrom(TColor Value)
{
    SetGradient(FFixedGradientHoverFrom, Value, true, StoreIn(TJOQGradField::HoverFrom));
}

void TControlLook::SetFixedGradientHoverTo(TColor Value)
{
    SetGradient(FFixedGradientHoverTo, Value, true, StoreIn(TJOQGradField::HoverTo));
}

void TControlLook::SetFixedGradientHoverMirrorFrom(TColor Value)
{
    SetGradient(FFixedGradientHoverMirrorFrom, Value, false, StoreIn(TJOQGradField::HoverMirrorFrom));
}

void TControlLook::SetFixedGradientHoverMirrorTo(TColor Value)
{
    SetGradient(FFixedGradientHoverMirrorTo, Value, false, StoreIn(TJOQGradField::HoverMirrorTo));
}

void TControlLook::SetFixedGradientHoverBorder(TColor Value)
{
    SetGradient(FFixedGradientHoverBorder, Value, true, StoreIn(TJOQGradField::HoverBorder));
}

void TControlLook::SetFixedGradientDownFrom(TColor Value)
{
    SetGradient(FFixedGradientDownFrom, Value, true, StoreIn(TJOQGradField::DownFrom));
}

void TControlLook::SetFixedGradientDownTo(TColor Value)
{
    SetGradient(FFixedGradientDownTo, Value, true, StoreIn(TJOQGradField::DownTo));
}

void TControlLook::SetFixedGradientDownMirrorFrom(TColor Value)
{
    SetGradient(FFixedGradientDownMirrorFrom, Value, false, StoreIn(TJOQGradField::DownMirrorFrom));
}

void TControlLook::SetFixedGradientDownMirrorTo(TColor Value)
{
    SetGradient(FFixedGradientDownMirrorTo, Value, false, StoreIn(TJOQGradField::DownMirrorTo));
}

void TControlLook::SetFixedGradientDownBorder(TColor Value)
{
    SetGradient(FFixedGradientDownBorder, Value, true, StoreIn(TJOQGradField::DownBorder));
}

void TControlLook::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TControlLook*>(Source_);
    if (!Source) return;
    QOR_CONTROLLOOK_PROPS(QOR_OPTION_COPY)
    QOR_CONTROLLOOK_INIT_PROPS(QOR_OPTION_COPY)
    FCheckSize = Source->GetCheckBoxSize();
    FCheckedGlyph->Assign(Source->FCheckedGlyph);
    FUnCheckedGlyph->Assign(Source->FUnCheckedGlyph);
    FRadioOnGlyph->Assign(Source->FRadioOnGlyph);
    FRadioOffGlyph->Assign(Source->FRadioOffGlyph);
    FDropDownFooter->Assign(Source->FDropDownFooter);
    FDropDownHeader->Assign(Source->FDropDownHeader);
}
