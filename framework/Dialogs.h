// Dialogs: message boxes. Every box is modal, centred on the screen (the work area of the
// monitor the pointer is on), and goes through Application->MessageBox, whose MessageBoxProc is
// the seam tests use to record and answer boxes without a person.
#pragma once

#include "Forms.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
                        mbYesToAll, mbHelp, mbClose };
using enum TMsgDlgBtn;
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

inline const TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// The text and an OK button; the caption is the application's title (or the program's name).
void ShowMessage(const String& Msg);
// A box of the given kind with the buttons the platform box offers closest to Buttons (Yes/No/
// Cancel, Yes/No, Abort/Retry/Ignore, Retry/Cancel, OK/Cancel, else OK); answers the modal result
// of the button pressed (mrYes, mrNo, mrOk, ...). The caption names the kind.
int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
// The platform's box with MB_* flags, centred on the screen; answers IDOK, IDYES, ...
int MessageBox(const String& Text, const String& Caption, UINT Flags = MB_OK);

// The MB_* flags MessageDlg uses for a kind and a set of buttons.
UINT MessageDlgFlags(TMsgDlgType DlgType, TMsgDlgButtons Buttons);
// The caption MessageDlg uses for a kind ("" for mtCustom, which takes the application's title).
String MessageDlgCaption(TMsgDlgType DlgType);
