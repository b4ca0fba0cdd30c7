// QorObj: the small containers the grid keeps its bookkeeping in. Integer lists with a change
// event, a comma text form and a sorted search; the multi-column sort list with its "u"/"d" text
// form; the list of controls placed in cells; a string list read and written line by line; and a
// picture named by a file, loaded only while it is measured or drawn. None of them knows the grid.
// The unit also holds the string grid the grid base stands on.
#pragma once

#include "framework/Classes.h"
#include "framework/Grids.h"

#include <cstdint>
#include <functional>

class TCanvas;
class TControl;
class TPropertyTable;

// Fired by an integer list after it changed: the list, and the cell it was made for.
using TImageChangeEvent = std::function<void(TObject* Sender, int Col, int Row)>;

// ---- TIntList ---------------------------------------------------------------------------------

// A list of signed 32-bit integers. Add, Delete and SetInteger fire OnChange (when set) with the
// column and row given at construction; the positional Insert and Clear fire nothing. A bad index
// raises EListError.
class TIntList : public TList {
    DECLARE_CLASS(TIntList, TList)
public:
    TIntList(int Col, int Row);

    int GetInteger(int Index) const { return FromItem(Get(Index)); }
    void SetInteger(int Index, int Value);
    int Items(int Index) const { return GetInteger(Index); }
    int operator[](int Index) const { return GetInteger(Index); }

    int Add(int Value);
    void Delete(int Index);
    // Before position Index; no change event.
    void Insert(int Index, int Value);
    // Into an ascending list, at SortedPosOf(Value). Only an insert into an empty list (which goes
    // through Add) fires the change event.
    void Insert(int Value);
    // Deletes the first entry equal to Value (the change event fires); nothing when absent.
    void DeleteValue(int Value);
    bool HasValue(int Value) const;

    // Binary searches of an ascending list: the position of Value or -1; the position at which
    // Value is or would be inserted.
    int SortedIndexOf(int Value) const;
    int SortedPosOf(int Value) const;

    // "3,-1,12": the entries in order, comma separated, no blanks; "" for an empty list.
    String GetStrValue() const;
    // Replaces the entries by the items of a comma text (commas or blanks separate, double quotes
    // enclose), each added through Add. A text with an item that is no integer raises
    // EConvertError and leaves the list as it was.
    void SetStrValue(const String& Value);
    String StrValue() const { return GetStrValue(); }

    int GetCol() const { return FCol; }
    int GetRow() const { return FRow; }
    // The serial number of the list: how many lists were made before it.
    int GetTag() const { return FTag; }

    TImageChangeEvent OnChange;

protected:
    static void* ToItem(int Value) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(Value)); }
    static int FromItem(void* Item) { return static_cast<int>(reinterpret_cast<std::intptr_t>(Item)); }
    void Changed();

private:
    int FCol;
    int FRow;
    int FTag;
};

// ---- TSortIndexList ---------------------------------------------------------------------------

// The columns of a multi-column sort, primary first. Bits 0 to 30 of an entry hold the column,
// bit 31 is set when that column sorts descending.
class TSortIndexList : public TIntList {
    DECLARE_CLASS(TSortIndexList, TIntList)
public:
    static constexpr std::uint32_t DescendingBit = 0x80000000u;
    static constexpr std::uint32_t ColumnMask = 0x7FFFFFFFu;

    using TIntList::TIntList;

    // Appends the column (its bits 0 to 30) with its direction, through Add.
    void AddIndex(int ColumnIndex, bool Ascending);
    // The first position sorting on ColumnIndex, whatever its direction; -1 when none.
    int FindIndex(int ColumnIndex) const;
    // Flips the direction of the first entry for ColumnIndex; nothing when there is none.
    void ToggleIndex(int ColumnIndex);

    int GetSortColumns(int i) const;
    void SetSortColumns(int i, int Value);
    // True when entry i sorts ascending.
    bool GetSortDirections(int i) const;
    void SetSortDirections(int i, bool Value);

    // "u2;d5": per entry "u" (ascending) or "d" (descending) and the column; "" when empty.
    String SaveToString() const;
    // Replaces the entries from that text form. Items shorter than two characters, and items
    // whose column reads as negative, are skipped; a lower-case "u" means ascending, any other
    // first character descending; the column is read leniently. Never fails.
    void LoadFromString(const String& s);
};

// ---- TControlItem, TControlList ---------------------------------------------------------------

// A control placed in cell (FX, FY). The item refers to the control; it does not own it.
class TControlItem : public TObject {
    DECLARE_CLASS(TControlItem, TObject)
public:
    TControlItem(int X, int Y, TControl* AObject) : FX(X), FY(Y), FObject(AObject) {}

    int FX;
    int FY;
    TControl* FObject;
};

// The controls placed in cells. The list owns its items, never their controls: deleting or
// clearing entries (also through the inherited operations) frees the items only.
class TControlList : public TList {
    DECLARE_CLASS(TControlList, TList)
public:
    TControlList() = default;
    ~TControlList() override;

    void AddControl(int X, int Y, TControl* AObject);
    TControlItem* GetControl(int i) const { return static_cast<TControlItem*>(Get(i)); }
    // The first item for cell (X, Y), or -1.
    int ControlIndex(int X, int Y) const;
    // True when some item's control is a windowed control whose window is Handle. Controls
    // without a window are passed over; none is given one by this question.
    bool HasHandle(HWND Handle) const;
    void RemoveControl(int i) { Delete(i); }
    void ClearControls() { Clear(); }

protected:
    void Notify(void* Ptr, TListNotification Action) override;
};

// ---- TFileStringList --------------------------------------------------------------------------

// A string list read line by line (Reset, ReadLn, GetEOF) and written in pieces (Write, WriteLn);
// its lines are filled and saved with the inherited file operations.
class TFileStringList : public TStringList {
    DECLARE_CLASS(TFileStringList, TStringList)
public:
    TFileStringList() = default;

    // Read position 0, pending text emptied.
    void Reset();
    // True when the read position is at or past the last line.
    bool GetEOF() const { return fp >= Count(); }
    bool Eof() const { return GetEOF(); }
    // The line at the read position, which then advances; past the end raises EStringListError.
    String ReadLn();
    // Adds s to the pending text of the line being written.
    void Write(const String& s) { cache += s; }
    // Adds one line: the pending text followed by s; the pending text is emptied.
    void WriteLn(const String& s);

private:
    int fp = 0;
    String cache;
};

// ---- TFilePicture -----------------------------------------------------------------------------

// A picture named by a file. It holds only the name and the size found when the name was set: the
// file is read again for every measuring and drawing, and no decoded picture is kept between calls.
class TFilePicture : public TPersistent {
    DECLARE_CLASS(TFilePicture, TPersistent)
public:
    TFilePicture() = default;

    const String& GetFileName() const { return FFilename; }
    // Stores the name; when the file exists and loads, Width and Height become its size.
    // A missing or unreadable file leaves them as they were.
    void SetFileName(const String& Value);
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }

    // Loads the file and draws it stretched into r. A missing, unreadable or unsupported file
    // draws nothing; nothing is reported.
    void DrawPicture(TCanvas* Canvas, const TRect& r) const;

    // Copies name and size from another TFilePicture without loading anything; any other source
    // raises EConvertError.
    void Assign(TPersistent* Source) override;

    static void RegisterProperties(TPropertyTable& Table);

private:
    String FFilename;
    int FWidth = 0;
    int FHeight = 0;
};

// ---- TObjStringGrid ---------------------------------------------------------------------------

// The framework's string grid under the grid base (grid/BaseGrid.h); it adds nothing.
class TObjStringGrid : public TStringGrid {
    DECLARE_CLASS(TObjStringGrid, TStringGrid)
public:
    explicit TObjStringGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
};

// Registers the unit's persistent classes for streaming by name (once).
void RegisterQorObjClasses();
