// LineEdit: an edit window class of the library's own for one line of text. It keeps its text,
// measures it once per change (one extent call gives every character's position) and draws the
// visible line with one text-out call, where the platform's edit window lays the line out again
// through its text engine on every change and selection.
//
// The window answers the edit window messages as the platform's edit window answers them for a
// line of text: text (WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH), selection (EM_GETSEL, EM_SETSEL,
// EM_REPLACESEL), limit (EM_LIMITTEXT, EM_GETLIMITTEXT, EN_MAXTEXT), undo (EM_UNDO, WM_UNDO,
// EM_CANUNDO, EM_EMPTYUNDOBUFFER), the modified flag, read-only, margins and the formatting
// rectangle (EM_SETRECT, EM_SETRECTNP, EM_GETRECT: honoured, as by the platform's window, only
// with ES_MULTILINE), positions (EM_POSFROMCHAR, EM_CHARFROMPOS), the line messages as a window
// of one line answers them, the clipboard messages, fonts, ES_LEFT/ES_CENTER/ES_RIGHT, the
// parent's colours (WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC), the notifications EN_CHANGE, EN_UPDATE,
// EN_SETFOCUS, EN_KILLFOCUS and EN_MAXTEXT, the keyboard (characters, Backspace, Delete, arrows,
// Home, End, with Shift and Ctrl; Ctrl+A/C/V/X/Z, Shift+Insert, Shift+Delete, Ctrl+Insert) and
// the mouse (click, drag, double click, Shift+click).
//
// ES_MULTILINE changes what the platform's window changes for it (the formatting rectangle,
// WM_SETTEXT's notifications, the dialog code, the text limit's range), but the text stays one
// line: line breaks and tabs typed are ignored and a pasted text stops at its first line break.
// Not kept: the context menu, the cue banner, text in right-to-left scripts laid out visually.
#pragma once

#include <windows.h>

namespace LineEdit {
// The class's name; the first call registers the class for the process.
const wchar_t* ClassName();
// True when Proc is the class's window procedure (a control subclassing a window of the class
// finds its own windows by it).
bool IsClassProc(WNDPROC Proc);
}   // namespace LineEdit
