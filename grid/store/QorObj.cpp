#include "grid/store/QorObj.h"

#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/TypInfo.h"

#include <memory>
#include <vector>

namespace {

// Every integer list takes its serial number from here.
int IntListCounter = 0;

}  // namespace

// ---- TIntList ---------------------------------------------------------------------------------

TIntList::TIntList(int Col, int Row) : FCol(Col), FRow(Row), FTag(IntListCounter++) {}

void TIntList::Changed()
{
    if (OnChange) OnChange(this, FCol, FRow);
}

void TIntList::SetInteger(int Index, int Value)
{
    Put(Index, ToItem(Value));
    Changed();
}

int TIntList::Add(int Value)
{
    int Index = TList::Add(ToItem(Value));
    Changed();
    return Index;
}

void TIntList::Delete(int Index)
{
    TList::Delete(Index);
    Changed();
}

void TIntList::Insert(int Index, int Value)
{
    TList::Insert(Index, ToItem(Value));
}

void TIntList::Insert(int Value)
{
    if (Count() == 0)
        Add(Value);
    else
        TList::Insert(SortedPosOf(Value), ToItem(Value));
}

void TIntList::DeleteValue(int Value)
{
    for (int i = 0; i < Count(); ++i)
        if (GetInteger(i) == Value) {
            Delete(i);
            return;
        }
}

bool TIntList::HasValue(int Value) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetInteger(i) == Value) return true;
    return false;
}

int TIntList::SortedIndexOf(int Value) const
{
    const int p = SortedPosOf(Value);
    return p < Count() && GetInteger(p) == Value ? p : -1;
}

int TIntList::SortedPosOf(int Value) const
{
    if (Count() == 0) return 0;
    int l = 0, r = Count() - 1, m = 0;
    while (l <= r) {
        m = l + (r - l) / 2;
        int e = GetInteger(m);
        if (Value < e)
            r = m - 1;
        else if (e < Value)
            l = m + 1;
        else
            return m;
    }
    return GetInteger(m) < Value ? m + 1 : m;
}

String TIntList::GetStrValue() const
{
    String s;
    for (int i = 0; i < Count(); ++i) {
        if (i > 0) s += L',';
        s += IntToStr(GetInteger(i));
    }
    return s;
}

void TIntList::SetStrValue(const String& Value)
{
    // Every item is converted before the list changes, so that a bad text loses nothing.
    TStringList Items;
    Items.SetCommaText(Value);
    std::vector<int> Values;
    Values.reserve(size_t(Items.Count()));
    for (int i = 0; i < Items.Count(); ++i) Values.push_back(StrToInt(Items[i]));
    Clear();
    for (int v : Values) Add(v);
}

// ---- TSortIndexList ---------------------------------------------------------------------------

void TSortIndexList::AddIndex(int ColumnIndex, bool Ascending)
{
    std::uint32_t e = std::uint32_t(ColumnIndex) & ColumnMask;
    if (!Ascending) e |= DescendingBit;
    Add(int(e));
}

int TSortIndexList::FindIndex(int ColumnIndex) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetSortColumns(i) == ColumnIndex) return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int ColumnIndex)
{
    int i = FindIndex(ColumnIndex);
    if (i >= 0) SetInteger(i, int(std::uint32_t(GetInteger(i)) ^ DescendingBit));
}

int TSortIndexList::GetSortColumns(int i) const
{
    return int(std::uint32_t(GetInteger(i)) & ColumnMask);
}

void TSortIndexList::SetSortColumns(int i, int Value)
{
    std::uint32_t e = std::uint32_t(GetInteger(i));
    SetInteger(i, int((e & DescendingBit) | (std::uint32_t(Value) & ColumnMask)));
}

bool TSortIndexList::GetSortDirections(int i) const
{
    return (std::uint32_t(GetInteger(i)) & DescendingBit) == 0;
}

void TSortIndexList::SetSortDirections(int i, bool Value)
{
    std::uint32_t e = std::uint32_t(GetInteger(i));
    SetInteger(i, int(Value ? e & ColumnMask : e | DescendingBit));
}

String TSortIndexList::SaveToString() const
{
    // The whole column is written; older texts held only its low 16 bits and still read the same.
    String s;
    for (int i = 0; i < Count(); ++i) {
        if (i > 0) s += L';';
        s += GetSortDirections(i) ? L'u' : L'd';
        s += IntToStr(GetSortColumns(i));
    }
    return s;
}

void TSortIndexList::LoadFromString(const String& s)
{
    Clear();
    size_t Start = 0;
    while (Start < s.size()) {
        size_t Sep = s.find(L';', Start);
        size_t End = Sep == String::npos ? s.size() : Sep;
        String Item = s.substr(Start, End - Start);
        Start = Sep == String::npos ? s.size() : Sep + 1;
        if (Item.size() < 2) continue;
        int Code;
        int Column = Val(Item.substr(1), Code);
        if (Column < 0) continue;   // no column has a negative index
        AddIndex(Column, Item[0] == L'u');
    }
}

// ---- TControlList -----------------------------------------------------------------------------

TControlList::~TControlList()
{
    // TList's destructor no longer reaches this class's Notify: free the items here.
    Clear();
}

void TControlList::Notify(void* Ptr, TListNotification Action)
{
    if (Action == lnDeleted && Ptr) delete static_cast<TControlItem*>(Ptr);
}

void TControlList::AddControl(int X, int Y, TControl* AObject)
{
    auto Item = std::make_unique<TControlItem>(X, Y, AObject);
    Add(Item.get());
    Item.release();
}

int TControlList::ControlIndex(int X, int Y) const
{
    for (int i = 0; i < Count(); ++i) {
        const TControlItem* Item = GetControl(i);
        if (Item->FX == X && Item->FY == Y) return i;
    }
    return -1;
}

bool TControlList::HasHandle(HWND Handle) const
{
    // A control that has no window cannot be the one asked for; asking it for a handle would
    // make a window (and fail for a control without a parent).
    if (!Handle) return false;
    for (int i = 0; i < Count(); ++i) {
        auto* Win = dyn<TWinControl>(GetControl(i)->FObject);
        if (Win && Win->HandleAllocated() && Win->GetHandle() == Handle) return true;
    }
    return false;
}

// ---- TFileStringList --------------------------------------------------------------------------

void TFileStringList::Reset()
{
    fp = 0;
    cache.clear();
}

String TFileStringList::ReadLn()
{
    String s = Get(fp);
    ++fp;
    return s;
}

void TFileStringList::WriteLn(const String& s)
{
    Add(cache + s);
    cache.clear();
}

// ---- TFilePicture -----------------------------------------------------------------------------

void TFilePicture::SetFileName(const String& Value)
{
    FFilename = Value;
    if (!FileExists(Value)) return;
    try {
        auto Picture = std::make_unique<TPicture>();
        Picture->LoadFromFile(Value);
        FWidth = Picture->GetWidth();
        FHeight = Picture->GetHeight();
    } catch (const std::exception&) {
        // Unreadable or of an unknown kind: the size stays as it was.
    }
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& r) const
{
    if (!Canvas || FFilename.empty() || !FileExists(FFilename)) return;
    auto Picture = std::make_unique<TPicture>();
    try {
        Picture->LoadFromFile(FFilename);
    } catch (const std::exception&) {
        return;
    }
    try {
        Canvas->StretchDraw(r, Picture->GetGraphic());
    } catch (const std::exception&) {
    }
}

void TFilePicture::Assign(TPersistent* Source)
{
    if (auto* Src = dyn<TFilePicture>(Source)) {
        FFilename = Src->FFilename;
        FWidth = Src->FWidth;
        FHeight = Src->FHeight;
        return;
    }
    inherited::Assign(Source);
}

void TFilePicture::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Filename", &TFilePicture::GetFileName, &TFilePicture::SetFileName);
    Table.Add(L"Width", &TFilePicture::GetWidth, &TFilePicture::SetWidth);
    Table.Add(L"Height", &TFilePicture::GetHeight, &TFilePicture::SetHeight);
}

void RegisterQorObjClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterClasses<TFilePicture>();
}
