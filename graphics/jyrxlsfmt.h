// jyrxlsfmt: the spreadsheet number-format engine. Turns a value and a custom number format (up to
// four ";" sections, [conditions], [Colour] names, [$currency-locale] codes, [h]/[mm]/[ss]
// elapsed time, quoted literals, date and time letters, digit placeholders, "@" for text) into
// display text, and reports the colour the format names and whether it showed a date or a time.
//
// Portable: numbers are rendered with the process-wide FormatSettings of framework/SysUtils, dates
// and times with the default-locale record below (or a record built for a [$-xxxx] locale code).
// User interface thread only: the two cached settings records are not synchronised.
#pragma once

#include "framework/SysUtils.h"
#include "framework/Variants.h"

namespace jyrxlsfmt {

// The outcome of a section's [condition].
struct TResultCondition {
    bool SupressNeg = false;       // the sign of a negative value is dropped in this section
    bool SupressNegComp = false;   // ... in the section that takes the values the condition does not
    bool Complement = false;       // the condition was false
    bool Assigned = false;         // the section has a condition
};

TResultCondition GetResultCondition(bool SupressNeg, bool SupressNegComp, bool Complement,
                                    bool Assigned);

// The format settings of the user's default locale, made at first use and kept (the record the
// date and time letters use). Writable, so that tests can fix it.
TFormatSettings& GetDefaultLocaleFormatSettings();

// The text of V under Format (1900 date system, the colour dropped).
String XlsFormat(const Variant& V, const String& Format);
// Color (a TColor value, 0x00BBGGRR) is written only when the format names a colour.
// FormatSettings may be null: the default-locale record serves; it is used only for the long date
// and long time patterns of the [$-F800] and [$-F400] codes.
String XlsFormatValue1904(const Variant& V, const String& Format, bool Dates1904, Integer& Color,
                          const TFormatSettings* FormatSettings = nullptr);
String XlsFormatValueEx(const Variant& V, const String& Format, bool Dates1904, Integer& Color,
                        bool& HasDate, bool& HasTime, const TFormatSettings* FormatSettings = nullptr);

// Position of wc in w from position p on, counted from p (1 when it is at p); 0 when absent.
int FindFrom(Char wc, const String& w, int p);

// The result when no section applies, and for a negative date.
inline const wchar_t* const NoSectionText = L"###################";

}  // namespace jyrxlsfmt
