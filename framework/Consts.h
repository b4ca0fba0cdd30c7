// Consts: the class library's own texts (error messages and captions), each written once as a
// named constant. Code raises and tests compare these constants, never a copy of the literal.
// Texts with a "%d" or "%s" are format strings for Format (an exception takes them with its
// arguments: EListError(Consts::SListIndexError, {Index})); a "%s" shown as 'quoted' is given
// the text already quoted by QuotedStr unless the constant has the quotes itself.
//
// A text lives here when the library raises or shows it from more than one place, when it is one
// of the library's general texts that callers and other layers raise or compare (conversions,
// lists, streams, properties, classes, resources, system errors), or when it is a caption the
// user reads. A message raised from one place only, about one unit's own detail, stays where it
// is raised. tools/lint.sh reports any copy of a text that is here.
#pragma once

namespace Consts {

// ---- System and SysUtils ----------------------------------------------------------------------
inline constexpr const wchar_t* SOperationAborted = L"Operation aborted";
inline constexpr const wchar_t* SAssertionFailed = L"Assertion failed";
// The assertion's message, the source file and the line.
inline constexpr const wchar_t* SAssertError = L"%s (%s, line %d)";
inline constexpr const wchar_t* STextTooLong = L"Text too long to convert";
// The text quoted by QuotedStr.
inline constexpr const wchar_t* SInvalidInteger = L"%s is not a valid integer value";
inline constexpr const wchar_t* SInvalidFloat = L"%s is not a valid floating point value";
inline constexpr const wchar_t* SInvalidBoolean = L"%s is not a valid boolean value";
inline constexpr const wchar_t* SInvalidDate = L"%s is not a valid date";
inline constexpr const wchar_t* SInvalidTime = L"%s is not a valid time";
inline constexpr const wchar_t* SInvalidDateTime = L"%s is not a valid date and time";
inline constexpr const wchar_t* SDateEncodeError = L"Invalid argument to date encode";
inline constexpr const wchar_t* STimeEncodeError = L"Invalid argument to time encode";
// The format string.
inline constexpr const wchar_t* SInvalidFormat = L"Format '%s' invalid or incompatible with argument";
inline constexpr const wchar_t* SArgumentMissing = L"No argument for format '%s'";
// The error code and the system's text for it.
inline constexpr const wchar_t* SOSError = L"System Error.  Code: %d.\r\n%s";
inline constexpr const wchar_t* SUnkOSError = L"A call to an OS function failed";
inline constexpr const wchar_t* SCannotCreateDir = L"Unable to create directory";

// ---- Math and variants ------------------------------------------------------------------------
inline constexpr const wchar_t* SDivByZero = L"Division by zero";
inline constexpr const wchar_t* SIntOverflow = L"Integer overflow";
inline constexpr const wchar_t* SInvalidOp = L"Invalid floating point operation";
inline constexpr const wchar_t* SVarOverflow = L"Arithmetic overflow occurred";
inline constexpr const wchar_t* SVarArrayCreate = L"Error creating variant or safe array";
// The two type names.
inline constexpr const wchar_t* SVarTypeCastError =
    L"Could not convert variant of type (%s) into type (%s)";
inline constexpr const wchar_t* SVarNotArray = L"Variant is not an array";
inline constexpr const wchar_t* SVarArrayBounds = L"Variant or safe array index out of bounds";

// ---- Classes: lists, string lists, persistent objects -----------------------------------------
// Lists, string lists and the other indexed lists of the library; the bad index.
inline constexpr const wchar_t* SListIndexError = L"List index out of bounds (%d)";
inline constexpr const wchar_t* SListCountError = L"List count out of bounds (%d)";
inline constexpr const wchar_t* SListCapacityError = L"List capacity out of bounds (%d)";
inline constexpr const wchar_t* SDuplicateString = L"String list does not allow duplicates";
inline constexpr const wchar_t* SSortedListError = L"Operation not allowed on sorted list";
// The source's and the destination's class names ("nil" for none).
inline constexpr const wchar_t* SAssignError = L"Cannot assign a %s to a %s";

// ---- Classes: streams and resources -----------------------------------------------------------
inline constexpr const wchar_t* SReadError = L"Stream read error";
inline constexpr const wchar_t* SWriteError = L"Stream write error";
inline constexpr const wchar_t* SReadPastRecord = L"Stream read error: the record ends early";
inline constexpr const wchar_t* SMemoryStreamError = L"Out of memory while expanding memory stream";
// The file name and the system's text for the error.
inline constexpr const wchar_t* SFCreateError = L"Cannot create file \"%s\". %s";
inline constexpr const wchar_t* SFOpenError = L"Cannot open file \"%s\". %s";
// The resource's name or number.
inline constexpr const wchar_t* SResNotFound = L"Resource %s not found";

// ---- Classes and properties by name, component streaming -------------------------------------
// A message and the line of the description it is about.
inline constexpr const wchar_t* SAtLine = L"%s (line %d)";
inline constexpr const wchar_t* SClassNotFound = L"Class %s not found";
inline constexpr const wchar_t* SNotAComponent = L"Class %s is not a component";
inline constexpr const wchar_t* SNoComponentMade = L"Class %s did not make a component";
inline constexpr const wchar_t* SUnknownProperty = L"Property %s does not exist";
// The property's path and the part of it that holds no object.
inline constexpr const wchar_t* SUnknownPropertyUnassigned =
    L"Property %s does not exist: %s is not assigned";
inline constexpr const wchar_t* SPropertyReadOnly = L"Property %s is read-only";
inline constexpr const wchar_t* SPropertyNotAssigned = L"Property %s is not assigned";
inline constexpr const wchar_t* SInvalidPropertyValue = L"Invalid property value %s";
inline constexpr const wchar_t* SNoIdentifiers = L"No identifiers are registered for %s";
inline constexpr const wchar_t* SNoSetIdentifiers = L"No identifiers for the set %s";
inline constexpr const wchar_t* SMethodNotFound = L"Method %s not found";
// The property and what went wrong.
inline constexpr const wchar_t* SErrorReading = L"Error reading %s: %s";
// The property and the component it names.
inline constexpr const wchar_t* SErrorReadingComponent = L"Error reading %s: component %s not found";
inline constexpr const wchar_t* SComponentsNested = L"Components nested too deeply";
inline constexpr const wchar_t* SObjectsNested = L"Objects nested too deeply";
inline constexpr const wchar_t* SNoValueTarget = L"No property to write a value to";
inline constexpr const wchar_t* SOneValue = L"A property takes one value";
inline constexpr const wchar_t* SNoListToEnd = L"No list to end";
// The value type's number.
inline constexpr const wchar_t* SWriteValueType = L"Cannot write a value of type %d";
// The text read as a number.
inline constexpr const wchar_t* SInvalidNumber = L"Invalid number %s";

// ---- Graphics and pictures --------------------------------------------------------------------
inline constexpr const wchar_t* SOutOfResources = L"Out of system resources";
inline constexpr const wchar_t* SUnknownClipboardFormat = L"Unsupported clipboard format";
inline constexpr const wchar_t* SNoClipboardData = L"No clipboard data";
// What is wrong with the image's data.
inline constexpr const wchar_t* SInvalidBitmap = L"Bitmap image is not valid: %s";
inline constexpr const wchar_t* SInvalidIcon = L"Icon image is not valid: %s";
inline constexpr const wchar_t* SInvalidPng = L"PNG image is not valid: %s";
inline constexpr const wchar_t* SInvalidJpeg = L"JPEG image is not valid: %s";
// Reasons given with those.
inline constexpr const wchar_t* SImageTooLarge = L"too large";
inline constexpr const wchar_t* SImageBadSize = L"bad size";
inline constexpr const wchar_t* SBitmapTruncatedHeader = L"truncated header";
inline constexpr const wchar_t* SIconNotIco = L"not an ICO file";
inline constexpr const wchar_t* SIconTruncatedFile = L"truncated file";
inline constexpr const wchar_t* SIconBadGroup = L"bad icon group";
inline constexpr const wchar_t* SPngNoSignature = L"no PNG signature";
inline constexpr const wchar_t* SPngTruncatedChunk = L"truncated chunk";
inline constexpr const wchar_t* SJpegTooLarge = L"JPEG image is too large";
inline constexpr const wchar_t* SJpegFixedSize = L"Cannot change the size of a JPEG image";
inline constexpr const wchar_t* SImageListInsert = L"Unable to insert an image";
inline constexpr const wchar_t* SImageListReplace = L"Unable to replace the image";
// The file open and save dialogs' filter: every picture's masks, twice.
inline constexpr const wchar_t* SPictureFilterAll = L"All (%s)|%s";
inline constexpr const wchar_t* SPictureBitmaps = L"Bitmaps";
inline constexpr const wchar_t* SPictureIcons = L"Icons";
inline constexpr const wchar_t* SPicturePng = L"Portable Network Graphics";
inline constexpr const wchar_t* SPictureJpeg = L"JPEG Image File";

// ---- Controls, forms, menus, the clipboard ----------------------------------------------------
// The control's name.
inline constexpr const wchar_t* SParentRequired = L"Control '%s' has no parent window";
inline constexpr const wchar_t* SControlParentOfParent =
    L"A control cannot be the parent of one of its parents";
inline constexpr const wchar_t* SCannotFocus = L"Cannot focus a disabled or invisible window";
inline constexpr const wchar_t* SScrollBarRange = L"Scroll bar property out of range";
inline constexpr const wchar_t* SNoTimers = L"Not enough timers available";
inline constexpr const wchar_t* SListAddFailed = L"Cannot add an item to the list";
inline constexpr const wchar_t* SMenuIndexError = L"Menu index out of range (%d)";
inline constexpr const wchar_t* SOutOfClipboardMemory = L"Out of memory for the clipboard";
// Shown for an exception that is not one of the library's.
inline constexpr const wchar_t* SUnknownError = L"An unknown error occurred";

// ---- Settings files and the registry ----------------------------------------------------------
// The file's name.
inline constexpr const wchar_t* SIniFileWriteError = L"Unable to write to %s";
// The key's path.
inline constexpr const wchar_t* SRegCreateFailed = L"Failed to create key %s";

// ---- Message boxes: the captions of MessageDlg by its message type ---------------------------
inline constexpr const wchar_t* SMsgDlgWarning = L"Warning";
inline constexpr const wchar_t* SMsgDlgError = L"Error";
inline constexpr const wchar_t* SMsgDlgInformation = L"Information";
inline constexpr const wchar_t* SMsgDlgConfirm = L"Confirm";

// ---- The base string grid ---------------------------------------------------------------------
inline constexpr const wchar_t* SGridIndexOutOfRange = L"Grid index out of range";

// ---- Printers ---------------------------------------------------------------------------------
// No printer to print on.
inline constexpr const wchar_t* SNoDefaultPrinter = L"No printer is installed, or none is chosen as the default printer";
// The default printer exists by name but cannot be used; "%s" is its name.
inline constexpr const wchar_t* SPrinterUnavailable = L"The printer \"%s\" cannot be used";
// Printer settings changed or a document begun while a document is open.
inline constexpr const wchar_t* SPrinting = L"Printing is in progress";
// A page or the end of a document asked for while no document is open.
inline constexpr const wchar_t* SNotPrinting = L"Printing is not in progress";
// The spooler refused to start the document.
inline constexpr const wchar_t* SPrintStartFailed = L"The print job could not be started";
// The printer failed between two pages; the document was cancelled.
inline constexpr const wchar_t* SPrintPageFailed = L"The printer could not start a new page; the print job was cancelled";
// The last page or the document could not be finished: the job did not print.
inline constexpr const wchar_t* SPrintEndFailed = L"The print job could not be completed";
} // namespace Consts
