// JyrHTMLE, text side: the markup language's tables (colour names, character references), colour
// parsing, escaping and unescaping, the preparation of a text before layout, the decoding of one
// visible run, plain-text extraction, search-hit marking, and reading and writing inline controls.
//
// Portable: no window or device context; file attributes are reached through framework/SysUtils.
// Positions are 1-based (0 = not found) unless a routine says otherwise. Letters are compared with
// ASCII case folding (a to z against A to Z) unless a routine says otherwise.
#pragma once

#include "framework/SysUtils.h"
#include "framework/System.h"

// 0x00BBGGRR; system colours carry a high byte (the same alias as framework/Graphics.h, which
// pulls in the platform's headers and so is not included here).
using TColor = Integer;

namespace JyrHTMLE {

// ---- Unit settings ----------------------------------------------------------------------------

extern wchar_t JYR_ATTR_DELIM;          // delimiter around attribute values: '"'
extern bool JYR_KEEP_LINEBREAKS;        // carriage returns become line breaks: true
extern TColor HTMLHighlightColor;       // background of highlighted text: 0xFF00000D
extern TColor HTMLHighlightTextColor;   // text of highlighted text: 0xFF00000E

// ---- Tables -----------------------------------------------------------------------------------

struct TColorTableEntry {
    const wchar_t* Name;
    TColor Color;
};
// Sorted by name (ordinal), for the binary search of Text2Color.
extern const TColorTableEntry colorTable[40];

constexpr int HTMLEntityCount = 70;
// 1-based, 1..HTMLEntityCount: the entity's name ("&eacute;") and its character (already widened
// from code page 1252). An index outside the range gives an empty string.
const String& HTMLSpecialChar(int i);
const String& HTMLEncodedChar(int i);

// ---- Colours ----------------------------------------------------------------------------------

// "#rrggbb" or "cl" + a colour name (the caller lower-cases); anything else is black.
TColor Text2Color(const String& s);
// The hexadecimal pair at 1-based ndx, ndx + 1; 0 when a digit is not 0..F or ndx is not below
// the length of src.
int Str2hexbyte(const String& src, int ndx);
// The first two characters as a hexadecimal pair; 0 when s is shorter.
int HexVal(const String& s);
// "#RRGGBB" (characters 2..7) as 0x00BBGGRR.
TColor Hex2Color(const String& s);

// ---- Escaping and preparation -----------------------------------------------------------------

// Plain text made safe for markup: "&", '"', "<", ">" escaped; with SpecialChars also every
// character of the entity table written as its name. Any text comes back unchanged through the
// drawing's decoding.
String FixMarkup(const String& su, bool SpecialChars = true);
// "&quot;" and (with SpecialChars) the entity table's names turned back into characters.
// "&amp;", "&lt;", "&gt;", "&nbsp;" and numeric references are left for the renderer. A name is
// matched with its exact letter case; one that differs only in case is decoded only when the
// exact name occurs after it (the table's replacement rule). "&Otilde" without its semicolon,
// as older text holds it, is "Õ" too.
String UnFixMarkup(const String& su, bool SpecialChars = true);
// "&#" + 1 to 4 characters that read as a whole number + ";" becomes that UTF-16 code unit (its
// low 16 bits); any other "&#" stays.
String UnicodeTagStrip(const String& s);
// Every "<#" field tag unwrapped: "<#NAME>" becomes "#NAME".
String DBTagStrip(const String& s);
// LF removed; CR becomes "<BR>" (Break) or a space (not Break; removed between ">" and "<").
String CRLFStrip(const String& s, bool Break);
// Preparation steps 1-4 in order, as the drawing call does on its own copy: entity names and
// "&quot;" decoded and each "&amp;" (any case) turned into "&&" (only when the text holds "&"),
// field tags unwrapped, numeric references decoded, line ends converted by JYR_KEEP_LINEBREAKS.
// From step 3 on, "&&" is a literal ampersand and starts no reference, so escaped text such as
// "&amp;#65;" or "&amp;lt;" draws as written.
String PrepareMarkup(const String& s);
// Decoding of one visible text run (nbsp, lt, gt, then the entity table); "&&" stays a literal
// ampersand (it is not the start of a reference).
String DecodeRun(const String& run);

// ---- Small string routines --------------------------------------------------------------------

// Position of su in s, both ASCII case-folded; 0 when absent or su is empty.
int IPos(const String& su, const String& s);
// Position of su in s (exact); also stored in Res.
int VarPos(const String& su, const String& s, int& Res);
// Position of su (given upper-cased) in the ASCII upper-cased s; also stored in Res.
int VarIPos(const String& su, const String& s, int& Res);
// Replaces the first occurrence of Srch in Dest (found with IPos) by Repl; true when replaced.
bool TagReplaceString(const String& Srch, const String& Repl, String& Dest);
// First position in s of any character of sub; -1 when none.
int FirstChar(const String& sub, const String& s);
// The whole number at the start of s: leading blanks, a sign, decimal digits or hexadecimal after
// "$", "x", "X", "0x", "0X"; reading stops at the first character that does not fit.
int IStrToInt(const String& s);
// True when s reads as a whole number without error (nothing after the number).
bool TryIStrToInt(const String& s, int& Value);
// True when the file attributes of Name can be read and have the directory bit.
bool DirExists(const String& Name);

// ---- Plain text, highlighting -----------------------------------------------------------------

// The visible text: "<BR>" and "<HR>" become CR LF, tags are dropped; a "<" without ">" keeps the
// rest as it stands. References are not decoded.
String HTMLStrip(const String& s);
// Tags dropped without line-break conversion; the scan ends (keeping the rest) at the first "<"
// whose first ">" lies before it or is missing.
String HTMLStripAll(const String& s);
// Marks every occurrence of h in the visible text of s with "<TAG>" ... "</TAG>" (tag
// upper-cased); unless DoCase, letters compare by the user locale's upper case. Old marks of the
// same tag are removed first (as UnHiLight does). s is markup when it holds "</": its visible text
// is what the drawing shows (tags show nothing, a reference such as "&amp;", "&eacute;" or "&#65;"
// one character), and a mark never splits a tag or a reference; nothing is marked after a "<"
// without ">". Plain text is escaped with FixMarkup when marked. FullText marks s as a whole when
// h equals its whole visible text.
String HiLight(const String& s, const String& h, const String& tag, bool DoCase, bool FullText);
// Removes every mark of tag; when the text held "</" before and none after (it was plain text),
// every escape that HiLight wrote is undone, so marking and unmarking give back the original.
String UnHiLight(const String& s, const String& tag);
void SetHighLightColors(TColor AColor, TColor ATextColor);
// Every space becomes "&nbsp;".
String FixNonBreaking(const String& su);
// One "*" per character.
String ConvertToPassword(const String& s);

// ---- Inline controls --------------------------------------------------------------------------

// Reads the attributes TYPE, ID, VALUE, WIDTH, HEIGHT, PROP and MAXLEN of a control tag's text
// (outputs cleared first), left to right: a name counts where an attribute starts, never inside a
// delimited value; the first occurrence wins; NAME=, then the value between delimiters (a value
// without delimiters reads as empty). ControlType comes upper-cased; ControlValue and ControlProp
// are unescaped as FixMarkup escaped them.
void ParseControl(const String& Tag, String& ControlType, String& ControlID, String& ControlValue,
                  String& ControlWidth, String& ControlHeight, String& ControlProp,
                  String& ControlLen);
bool HasHTMLControl(const String& HTML);
// The ID of the first edit, password, mask or combo control after the control ControlID (or the
// first of the text when ControlID is empty); "" when none.
String GetNextControlID(const String& HTML, const String& ControlID);
// Every RADIO control set to "FALSE".
String ClearRadioControls(const String& HTML);
bool GetControlValue(const String& HTML, const String& ControlID, String& ControlValue);
String GetControlProp(const String& HTML, const String& ControlID);
int GetControlMaxLen(const String& HTML, const String& ControlID);
// Rewrites the tag of the first control ControlID with the new value: ID, VALUE, WIDTH, HEIGHT (when
// present), TYPE, PROP and MAXLEN (when present) in that order, then the old tag's other
// attributes as written. False (HTML unchanged) when no control has that ID.
bool SetControlValue(String& HTML, const String& ControlID, const String& ControlValue);

}  // namespace JyrHTMLE
