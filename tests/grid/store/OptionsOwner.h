// A stand-in for the grid in the option-object tests: a component that owns one of every option
// object, publishes them as nested properties, and answers the option objects' questions to the
// grid while recording what they asked of it.
#pragma once

#include "framework/TypInfo.h"
#include "grid/store/QorGridOptions.h"

#include <utility>
#include <vector>

class TOptionsOwner : public TComponent, public IQorOptionsGrid {
    DECLARE_CLASS(TOptionsOwner, TComponent)
public:
    explicit TOptionsOwner(TComponent* AOwner)
        : TComponent(AOwner), SearchFooter(Create<TSearchFooter>(this, false)), Navigation(Create<TNavigation>()),
          MouseActions(Create<TMouseActions>(this)), SyncGrid(Create<TSyncGrid>(this)), Bands(Create<TBands>()),
          FocusHelper(Create<TFocusHelper>(this)), OfficeHint(Create<TQorHintInfo>()),
          CellNode(Create<TCellNode>(this)), SizeWhileTyping(Create<TSizeWhileTyping>()),
          ColumnSize(Create<TColumnSize>(this)), HTMLSettings(Create<THTMLSettings>()),
          PrintSettings(Create<TPrintSettings>(this)), BackGround(Create<TBackGround>(this)),
          Grouping(Create<TGrouping>()), Balloon(Create<TBalloonSettings>()), ShowModified(Create<TShowModified>()),
          ProgressAppearance(Create<TGridProgressAppearance>()), FilterDropDown(Create<TFilterDropDown>()),
          FilterEdit(Create<TFilterEdit>(this)), AutoColor(Create<TAutoColor>()),
          HoverButtons(Create<THoverButtons>(this)), SortSettings(Create<TSortSettings>(this)),
          ControlLook(Create<TControlLook>(this))
    {
    }

    ~TOptionsOwner() override
    {
        for (TPersistent* P : Options()) P->Free();
    }

    std::vector<TPersistent*> Options() const
    {
        return {SearchFooter, Navigation, MouseActions, SyncGrid, Bands, FocusHelper, OfficeHint, CellNode,
                SizeWhileTyping, ColumnSize, HTMLSettings, PrintSettings, BackGround, Grouping, Balloon,
                ShowModified, ProgressAppearance, FilterDropDown, FilterEdit, AutoColor, HoverButtons,
                SortSettings, ControlLook};
    }

    // ---- the grid's side, recorded
    void OptionsInvalidate() override { ++Invalidates; }
    void OptionsRepaintRow(int ARow) override { RepaintedRows.push_back(ARow); }
    int OptionsFixedRows() const override { return FixedRows; }
    bool OptionsHasNodes() const override { return HasNodes; }
    bool OptionsHasParent() const override { return HasParent; }
    void OptionsStretchColumn(int ACol, int NewWidth) override { Stretches.push_back({ACol, NewWidth}); }
    TSortIndexList* OptionsSortIndexList() override { return &SortIndexes; }
    void OptionsQSort() override { Sorts.push_back(SortSettings->GetColumn()); }
    void OptionsQSortIndexed() override { IndexedSorts.push_back(SortIndexes.SaveToString()); }
    void OptionsResetFilterEdit(int ARow) override { FilterEditResets.push_back(ARow); }
    void SetJOQGradFrom(TColor Value) override { GradFrom = Value; }
    void SetJOQGradTo(TColor Value) override { GradTo = Value; }
    void SetJOQGradMirrorFrom(TColor Value) override { GradMirrorFrom = Value; }
    void SetJOQGradMirrorTo(TColor Value) override { GradMirrorTo = Value; }
    void OptionsStoreJOQGrad(TJOQGradField Field, TColor Value) override { StoredGrad.push_back({Field, Value}); }

    int FixedRows = 1;
    bool HasNodes = false;
    bool HasParent = false;
    int Invalidates = 0;
    std::vector<int> RepaintedRows;
    std::vector<std::pair<int, int>> Stretches;
    TSortIndexList SortIndexes{0, 0};
    std::vector<int> Sorts;
    std::vector<String> IndexedSorts;
    std::vector<int> FilterEditResets;
    TColor GradFrom = clNone, GradTo = clNone, GradMirrorFrom = clNone, GradMirrorTo = clNone;
    std::vector<std::pair<TJOQGradField, TColor>> StoredGrad;

    void ClearRecords()
    {
        Invalidates = 0;
        RepaintedRows.clear();
        Stretches.clear();
        Sorts.clear();
        IndexedSorts.clear();
        FilterEditResets.clear();
        StoredGrad.clear();
    }

    TSearchFooter* SearchFooter;
    TNavigation* Navigation;
    TMouseActions* MouseActions;
    TSyncGrid* SyncGrid;
    TBands* Bands;
    TFocusHelper* FocusHelper;
    TQorHintInfo* OfficeHint;
    TCellNode* CellNode;
    TSizeWhileTyping* SizeWhileTyping;
    TColumnSize* ColumnSize;
    THTMLSettings* HTMLSettings;
    TPrintSettings* PrintSettings;
    TBackGround* BackGround;
    TGrouping* Grouping;
    TBalloonSettings* Balloon;
    TShowModified* ShowModified;
    TGridProgressAppearance* ProgressAppearance;
    TFilterDropDown* FilterDropDown;
    TFilterEdit* FilterEdit;
    TAutoColor* AutoColor;
    THoverButtons* HoverButtons;
    TSortSettings* SortSettings;
    TControlLook* ControlLook;

    // Published as nested properties, as the grid publishes them.
    static void RegisterProperties(TPropertyTable& Table)
    {
        Table.AddField(L"SearchFooter", &TOptionsOwner::SearchFooter);
        Table.AddField(L"Navigation", &TOptionsOwner::Navigation);
        Table.AddField(L"MouseActions", &TOptionsOwner::MouseActions);
        Table.AddField(L"SyncGrid", &TOptionsOwner::SyncGrid);
        Table.AddField(L"Bands", &TOptionsOwner::Bands);
        Table.AddField(L"FocusHelper", &TOptionsOwner::FocusHelper);
        Table.AddField(L"OfficeHint", &TOptionsOwner::OfficeHint);
        Table.AddField(L"CellNode", &TOptionsOwner::CellNode);
        Table.AddField(L"SizeWhileTyping", &TOptionsOwner::SizeWhileTyping);
        Table.AddField(L"ColumnSize", &TOptionsOwner::ColumnSize);
        Table.AddField(L"HTMLSettings", &TOptionsOwner::HTMLSettings);
        Table.AddField(L"PrintSettings", &TOptionsOwner::PrintSettings);
        Table.AddField(L"BackGround", &TOptionsOwner::BackGround);
        Table.AddField(L"Grouping", &TOptionsOwner::Grouping);
        Table.AddField(L"Balloon", &TOptionsOwner::Balloon);
        Table.AddField(L"ShowModified", &TOptionsOwner::ShowModified);
        Table.AddField(L"ProgressAppearance", &TOptionsOwner::ProgressAppearance);
        Table.AddField(L"FilterDropDown", &TOptionsOwner::FilterDropDown);
        Table.AddField(L"FilterEdit", &TOptionsOwner::FilterEdit);
        Table.AddField(L"AutoColor", &TOptionsOwner::AutoColor);
        Table.AddField(L"HoverButtons", &TOptionsOwner::HoverButtons);
        Table.AddField(L"SortSettings", &TOptionsOwner::SortSettings);
        Table.AddField(L"ControlLook", &TOptionsOwner::ControlLook);
    }

    static void Register()
    {
        RegisterQorGridOptionClasses();
        RegisterClass<TOptionsOwner>();
    }
};
