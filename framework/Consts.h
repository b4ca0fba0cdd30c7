// Consts: the class library's own texts (error messages and captions), each written once as a
// named constant. Code raises and tests compare these constants, never a copy of the literal.
// Texts with a "%d" or "%s" are format strings for Format.
#pragma once

namespace Consts {
// Lists and string lists; followed by " (<index>)".
inline constexpr const wchar_t* SListIndexError = L"List index out of bounds";
// The base string grid.
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
