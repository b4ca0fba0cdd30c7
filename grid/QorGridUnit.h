// QorGridUnit: the grid unit's process-wide state and routines. The unit starts before any grid
// exists (a counted start-up; the first call does the work) and shuts down in reverse order after
// the last: OLE, a call-window-procedure hook on the starting thread that keeps a grid's focus frame
// on its cell while windows move, the classes registered for streaming by name, the common-controls
// check, and the clipboard format and window messages the grid and its editors exchange.
#pragma once

#include "framework/Controls.h"
#include "framework/Graphics.h"

#include <array>
#include <vector>

class TCustomForm;
class TIcon;
class TQorStringGrid;

// Registered clipboard format and window messages, kept as 16-bit values (0xC000 to 0xFFFF); 0
// before the unit started.
extern Word CF_GRIDCELLS;          // "TQorStringGrid Cells"
extern Word WM_GRIDEDITDONE;       // "GridEditDone"
extern Word WM_GRIDEDITSHOW;       // "GridEditShow"
extern Word WM_GRIDEDITINVALID;    // "GridEditInvalid"
extern Word WM_EDITPROP;           // "GridEditProp"
extern Word WM_DTPSHIFTFOCUS;      // "DTPShiftFocus"
extern Word WM_FILTEREDITUPDATE;   // "FilterEditUpdate"
// The hook of the thread that started the unit; null before start-up and after shut-down.
extern HHOOK MsgHook;
// The grid whose focus frame window is shown, or null. The focus frame code sets and clears it;
// a grid being destroyed clears it when it names that grid.
extern TQorStringGrid* FocusGrid;
// The common-controls library is version 4.70 or later.
extern bool ComCtrlOk;
// The cursor over links: the framework's hand point (-21), set by every grid constructor.
extern TCursor crURLcursor;
// Link prefixes recognised in cell text, in this order.
extern const std::array<const wchar_t*, 7> HyperlinkIdentifiers;
// Separators the CSV import tries, in this order.
extern const std::array<Char, 10> CSVSeparators;

namespace QorGridUnit {

// The counted start-up: the first call (and the first after a complete shut-down) initialises OLE,
// clears FocusGrid, installs the hook, registers the classes for streaming, checks the common
// controls and registers the clipboard format and the messages; later calls only count.
void Initialization();
// The counted shut-down: the call that brings the count back to 0 uninitialises OLE and removes
// the hook.
void Finalization();
// How many start-ups are outstanding.
int InitCount();
// The names of the 28 classes the start-up registers for streaming, in order; a class whose area
// has not joined the library yet is listed but not registered.
const std::vector<const wchar_t*>& StreamingClassNames();
// How many of them the last start-up registered.
int RegisteredStreamingClasses();

// The hook procedure: on WM_WINDOWPOSCHANGING and WM_WINDOWPOSCHANGED of any window of the thread it
// has FocusGrid move its focus frame; the message always goes on.
LRESULT CALLBACK MsgHookProc(int Code, WPARAM wParam, LPARAM lParam);

// Natural ("logical") order of two strings: negative, 0 or positive.
int StrCmpLogical(const String& s1, const String& s2);
// The locale's separators and formats (the process's current settings).
Char TimeSeparator();
Char DateSeparator();
Char ThousandSeparator();
Char DecimalSeparator();
String ShortDateFormat();
String ShortTimeFormat();
String LongTimeFormat();
String CurrencyString();
// Adds WS_EX_TRANSPARENT to a window's extended style.
void SetTranspWindow(HWND hwnd);
// The most significant half of a file's version (major in the high 16 bits, minor in the low),
// -1 when the file has no version resource or its fixed information is not valid. Names of any
// length.
int GetFileVersion(const String& AFileName);
// Loads an icon resource by name into Icon; false (Icon unchanged) when the resource is missing.
bool LoadIconFromRes(TIcon* Icon, HINSTANCE Instance, const String& ResName);
// The nine filter-type icons of the program's resources, in the order of the filter types (null
// where a resource is missing): loaded once, when the first grid asks, and shared by every grid,
// whose image list copies them; freed when the unit shuts down.
const std::vector<HICON>& FilterIcons();
// The nearest form among the control and its parents, or null.
TCustomForm* GetParentForm(TControl* AControl);

} // namespace QorGridUnit
