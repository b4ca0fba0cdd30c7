// jyrxlsfmt: the spreadsheet number-format engine.
#include "jyrxlsfmt.h"

#include <cmath>
#include <memory>

namespace jyrxlsfmt {

namespace {

constexpr int MaxSections = 4;
constexpr double Days1904Offset = 1462;

// ---- Cached settings ---------------------------------------------------------------------------

std::unique_ptr<TFormatSettings> CachedRegionalCulture;
std::unique_ptr<TFormatSettings> RegionalSet;
LCID RegionalSetCode = 0;

// The settings for a [$-xxxx] locale code; null when the locale cannot be built.
TFormatSettings* BuildRegionalSet(LCID Code)
{
    if (RegionalSet && RegionalSetCode == Code) return RegionalSet.get();
    try {
        auto FS = std::make_unique<TFormatSettings>(TFormatSettings::Create(Code));
        if (FS->DecimalSeparator == 0) return nullptr;
        RegionalSet = std::move(FS);
        RegionalSetCode = Code;
        return RegionalSet.get();
    } catch (const std::exception&) {
        return nullptr;
    }
}

// ---- Character classes -------------------------------------------------------------------------

bool IsLiteralChar(Char c)
{
    switch (c) {
    case L' ': case L'!': case L'$': case L'&': case L'\'': case L'(': case L')': case L'<':
    case L'=': case L'>': case L'^': case L'{': case L'}': case L'~': case 0x00B4:
        return true;
    default:
        return false;
    }
}

bool IsDateChar(Char c)
{
    switch (UpCase(c)) {
    case L'.': case L'/': case L':': case L'A': case L'C': case L'D': case L'H': case L'M':
    case L'N': case L'P': case L'Q': case L'S': case L'T': case L'W': case L'Y': case L'\\':
        return true;
    default:
        return false;
    }
}

bool IsNumberChar(Char c)
{
    switch (c) {
    case L' ': case L'"': case L'#': case L'%': case L'*': case L'+': case L',': case L'-':
    case L'.': case L'0': case L'?': case L'E': case L'\\': case L'e':
        return true;
    default:
        return false;
    }
}

struct TNamedColor {
    const wchar_t* Name;
    Integer Value;
};
constexpr TNamedColor ColorNames[] = {
    {L"Black", 0x000000}, {L"Cyan", 0xFFFF00},    {L"Blue", 0xFF0000},  {L"Green", 0x008000},
    {L"Magenta", 0xFF00FF}, {L"Red", 0x0000FF}, {L"White", 0xFFFFFF}, {L"Yellow", 0x00FFFF}};

// ---- Sections and conditions -------------------------------------------------------------------

using View = std::wstring_view;

struct TSections {
    View Section[MaxSections];   // views into the format string
    TResultCondition Cond[MaxSections];
    int Count = 0;
    int Targeted = -1;   // the first section whose condition holds
};

bool TryStrToFloatInvariant(const String& s, double& Value)
{
    return TryStrToFloat(s, Value, TFormatSettings::Invariant());
}

// The number after the operator at Start, up to the next "]".
bool GetconditionNumber(const String& f, size_t Start, double& n)
{
    size_t Close = f.find(L']', Start);
    if (Close == String::npos) return false;
    return TryStrToFloatInvariant(f.substr(Start, Close - Start), n);
}

// The condition in the bracket at f[Open]; false when the bracket holds none.
bool EvalCondition(const String& f, size_t Open, double x, bool& Holds, bool& Flag1, bool& Flag2)
{
    const Char op = f[Open + 1];
    const Char op2 = Open + 2 < f.size() ? f[Open + 2] : 0;
    double n = 0;
    if (op == L'=') {
        if (!GetconditionNumber(f, Open + 2, n)) return false;
        Holds = x == n;
        Flag1 = true;
        Flag2 = false;
    } else if (op == L'<') {
        const bool Le = op2 == L'=', Ne = op2 == L'>';
        if (!GetconditionNumber(f, Open + (Le || Ne ? 3 : 2), n)) return false;
        Holds = Ne ? x != n : Le ? x <= n : x < n;
        Flag1 = Ne ? false : n <= 0;
        Flag2 = true;
    } else if (op == L'>') {
        const bool Ge = op2 == L'=';
        if (!GetconditionNumber(f, Open + (Ge ? 3 : 2), n)) return false;
        Holds = Ge ? x >= n : x > n;
        Flag1 = false;
        Flag2 = n <= 0;
    } else {
        return false;
    }
    return true;
}

TSections GetSections(const String& f, double x)
{
    TSections S;
    const size_t n = f.size();
    size_t Start = 0, i = 0;
    bool Quoted = false;
    while (i < n) {
        const Char c = f[i];
        if (Quoted) {
            if (c == L'"') Quoted = false;
            ++i;
        } else if (c == L'"') {
            Quoted = true;
            ++i;
        } else if (c == L'\\') {
            i += 2;
        } else if (c == L'[' && i + 2 < n) {
            bool Holds = false, F1 = false, F2 = false;
            if (EvalCondition(f, i, x, Holds, F1, F2)) {
                S.Cond[S.Count] = GetResultCondition(F1, F2, !Holds, true);
                if (Holds && S.Targeted < 0) S.Targeted = S.Count;
            }
            size_t Close = f.find(L']', i);
            i = Close == String::npos ? n : Close + 1;
        } else if (c == L';') {
            S.Section[S.Count++] = View(f).substr(Start, i - Start);
            Start = ++i;
            if (S.Count == MaxSections) return S;
        } else {
            ++i;
        }
    }
    S.Section[S.Count++] = View(f).substr(std::min(Start, n));
    return S;
}

// The section that formats x, and whether the sign of a negative x is dropped; -1 when none.
int GetNegativeSign(const TSections& S, double x, bool& Negate)
{
    int Target;
    Negate = false;
    if (S.Targeted >= 0) {
        Target = S.Targeted;
        Negate = S.Cond[Target].SupressNeg;
    } else if (!S.Cond[0].Assigned && (x > 0 || S.Count < 2 || (x == 0 && S.Count <= 2))) {
        Target = 0;
    } else if (!S.Cond[1].Assigned && (x < 0 || S.Count <= 2)) {
        Target = 1;
        Negate = (S.Count == 2 && S.Cond[0].Assigned) ? S.Cond[0].SupressNegComp : true;
    } else {
        Target = S.Cond[2].Assigned ? 3 : 2;
    }
    return Target < S.Count ? Target : -1;
}

const View* GetSection(const TSections& S, double x, bool& Negate)
{
    int t = GetNegativeSign(S, x, Negate);
    return t < 0 ? nullptr : &S.Section[t];
}

// Whether s contains Code (upper case ASCII), a to z folded.
bool ContainsCode(View s, View Code)
{
    if (Code.size() > s.size()) return false;
    for (size_t i = 0; i + Code.size() <= s.size(); ++i) {
        size_t k = 0;
        while (k < Code.size() && UpCase(s[i + k]) == Code[k]) ++k;
        if (k == Code.size()) return true;
    }
    return false;
}

void EnsureAMPM(TFormatSettings& FS)
{
    if (FS.TimeAMString.empty()) FS.TimeAMString = L"AM";
    if (FS.TimePMString.empty()) FS.TimePMString = L"PM";
}

bool TryFormatDateTime1904(const String& Pattern, double Value, bool Dates1904,
                           const TFormatSettings& FS, String& Result)
{
    try {
        Result = FormatDateTime(Pattern, Dates1904 ? Value + Days1904Offset : Value, FS);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// ---- Number sections ---------------------------------------------------------------------------

// One pass of formatting over a section; each Check step consumes what it understands at P.
struct TNumberFormatter {
    View Sec;
    const Variant& V;
    double Value;
    bool Negate;
    bool Dates1904;
    Integer& Color;
    bool& HasDate;
    bool& HasTime;
    size_t P = 0;
    String Out;
    TFormatSettings* DateSettings = nullptr;   // the cached record the date letters use
    bool HourMark = false;

    size_t n() const { return Sec.size(); }

    void CheckColor()
    {
        if (Sec.empty() || Sec[0] != L'[') return;
        size_t Close = Sec.find(L']');
        if (Close == String::npos) return;
        const View Name = Sec.substr(1, Close - 1);
        for (const auto& c : ColorNames) {
            if (Name == View(c.Name)) {
                Color = c.Value;
                P = Close + 1;
                return;
            }
        }
    }

    void CheckRegionalSettings()
    {
        if (n() - P < 4 || Sec[P] != L'[' || Sec[P + 1] != L'$') return;
        size_t q = P + 2;
        while (q < n() && Sec[q] != L'-' && Sec[q] != L']') ++q;
        Out.append(Sec, P + 2, q - (P + 2));
        if (q >= n()) {
            P = n();
            return;
        }
        if (Sec[q] == L']') {
            P = q + 1;
            return;
        }
        size_t Close = Sec.find(L']', q);
        if (Close == String::npos) {
            P = n();
            return;
        }
        const View Code = Sec.substr(q + 1, Close - q - 1);
        const View Hex = Code.size() > 4 ? Code.substr(Code.size() - 4) : Code;
        LCID Id = 0;
        bool Valid = !Hex.empty();
        for (Char c : Hex) {
            const int d = HexDigit(c);
            if (d >= 0)
                Id = Id * 16 + LCID(d);
            else
                Valid = false;
        }
        if (Valid)
            if (TFormatSettings* FS = BuildRegionalSet(Id)) DateSettings = FS;
        P = Close + 1;
    }

    void CheckEllapsedTime()
    {
        if (P >= n() || Sec[P] != L'[') return;
        size_t q = P + 1;
        const Char Kind = q < n() ? UpCase(Sec[q]) : 0;
        if (Kind != L'H' && Kind != L'M' && Kind != L'S') return;
        while (q < n() && UpCase(Sec[q]) == Kind) ++q;
        if (q >= n() || Sec[q] != L']') return;
        const int Letters = int(q - P - 1);
        const double Factor = Kind == L'H' ? 24 : Kind == L'M' ? 1440 : 86400;
        const double Whole = std::trunc(Value * Factor) + 0.0;   // + 0.0 turns -0 into 0
        Out += FormatFloat(String(size_t(std::min(Letters, 64)), L'0'), Whole);
        HasTime = true;
        if (Kind == L'H') HourMark = true;
        P = q + 1;
    }

    void CheckOptional()
    {
        if (P >= n() || Sec[P] != L'[') return;
        size_t Close = Sec.find(L']', P);
        if (Close == String::npos) return;
        if (P + 1 < n() && Sec[P + 1] == L'$') {
            size_t q = P + 2;
            while (q < Close && Sec[q] != L'-') ++q;
            Out.append(Sec, P + 2, q - (P + 2));
        }
        P = Close + 1;
    }

    void CheckLiteral()
    {
        if (P >= n()) return;
        const Char c = Sec[P];
        if (IsLiteralChar(c)) {
            Out += c;
            ++P;
        } else if (c == L'\\' || c == L'*') {
            if (P + 1 < n()) Out += Sec[P + 1];
            P = std::min(P + 2, n());
        } else if (c == L'_') {
            Out += L' ';
            P = std::min(P + 2, n());
        } else if (c == L'"') {
            size_t Close = Sec.find(L'"', P + 1);
            if (Close == String::npos) Close = n();
            Out.append(Sec, P + 1, Close - P - 1);
            P = std::min(Close + 1, n());
        }
    }

    void CheckDate()
    {
        String Pattern;
        while (P < n() && IsDateChar(Sec[P])) {
            const Char c = Sec[P], u = UpCase(c);
            if (c == L'\\') {
                if (P + 1 >= n()) {   // a final backslash: nothing more to show
                    P = n();
                    return;
                }
                Pattern += Sec[P + 1];
                P += 2;
                continue;
            }
            if (u == L'A' && P + 5 <= n() && SameText(Sec.substr(P, 5), L"AM/PM")) {
                Pattern += L"AMPM";
                P += 5;
                continue;
            }
            if (u == L'M' && HourMark) {
                while (P < n() && UpCase(Sec[P]) == L'M') {
                    Pattern += L'n';
                    ++P;
                }
                HourMark = false;
                HasTime = true;
                continue;
            }
            if (u == L'C' || u == L'D' || u == L'Y' || u == L'M') HasDate = true;
            if (u == L'H' || u == L'N' || u == L'S') HasTime = true;
            if (u == L'H') HourMark = true;
            Pattern += c;
            ++P;
        }
        if (Pattern.empty()) return;
        EnsureAMPM(*DateSettings);
        String Text;
        Out += TryFormatDateTime1904(Pattern, Value, Dates1904, *DateSettings, Text) ? Text : String(L"##");
    }

    void CheckNumber()
    {
        String Pattern;
        double Run = Value;
        const size_t RunStart = P;
        while (P < n() && IsNumberChar(Sec[P])) {
            const Char c = Sec[P];
            if (c == L'"') {
                if (P == RunStart) {
                    Pattern += c;
                    ++P;
                    continue;
                }
                size_t q = P + 1;
                while (q < n() && Sec[q] != L'"') {
                    if (Sec[q] != L'\\') Pattern += Sec[q];
                    ++q;
                }
                P = std::min(q + 1, n());
                continue;
            }
            if (c == L'%') {
                Run *= 100;
                Pattern += c;
            } else if (c == L'\\' || c == L'*') {
                if (P + 1 < n()) Pattern += Sec[P + 1];
                ++P;
            } else if (c == L'?') {
                Pattern += L'#';
            } else {
                Pattern += c;
            }
            ++P;
        }
        if (Negate && Run < 0) Run = -Run;
        if (!Pattern.empty()) Out += FormatFloat(Pattern, Run);
    }

    String PlainText() const
    {
        if (Negate && Value < 0) return FloatToStr(-Value);
        return VarToStr(V);
    }

    String Run()
    {
        CheckColor();
        while (P < n()) {
            const size_t Start = P;
            HourMark = false;
            CheckRegionalSettings();
            CheckEllapsedTime();
            CheckOptional();
            CheckLiteral();
            CheckDate();
            CheckNumber();
            if (P == Start) return PlainText();
        }
        return Out;
    }
};

String FormatNumber(const Variant& V, double Value, bool Negate, View Section, bool Dates1904,
                    Integer& Color, bool& HasDate, bool& HasTime)
{
    TNumberFormatter F{Section, V, Value, Negate, Dates1904, Color, HasDate, HasTime};
    F.DateSettings = &GetDefaultLocaleFormatSettings();
    return F.Run();
}

// ---- Text ----------------------------------------------------------------------------------------

String FormatText(const Variant& V, const String& Format, Integer& Color)
{
    const TSections S = GetSections(Format, 0);
    const String Text = VarToStr(V);
    const View Sec = S.Count == MaxSections ? S.Section[3] : S.Section[0];
    // The colour bracket at the start, as CheckColor reads it.
    size_t Start = 0;
    Integer SecColor = 0;
    bool Named = false;
    if (!Sec.empty() && Sec[0] == L'[') {
        size_t Close = Sec.find(L']');
        if (Close != String::npos) {
            const View Name = Sec.substr(1, Close - 1);
            for (const auto& c : ColorNames)
                if (Name == View(c.Name)) {
                    SecColor = c.Value;
                    Named = true;
                    Start = Close + 1;
                }
        }
    }
    if (S.Count != MaxSections && Sec.find(L'@') == String::npos) {
        if (Named) {
            const View Rest = Sec.substr(Start);
            if (Rest.empty() || SameText(Rest, L"GENERAL")) Color = SecColor;
        }
        return Text;
    }
    if (Named) Color = SecColor;
    String Out;
    size_t P = Start;
    while (P < Sec.size()) {
        const size_t PassStart = P;
        // CheckOptional
        if (Sec[P] == L'[') {
            size_t Close = Sec.find(L']', P);
            if (Close != String::npos) {
                if (P + 1 < Sec.size() && Sec[P + 1] == L'$') {
                    size_t q = P + 2;
                    while (q < Close && Sec[q] != L'-') ++q;
                    Out.append(Sec, P + 2, q - (P + 2));
                }
                P = Close + 1;
            }
        }
        // CheckLiteral
        if (P < Sec.size()) {
            const Char c = Sec[P];
            if (IsLiteralChar(c)) {
                Out += c;
                ++P;
            } else if (c == L'\\' || c == L'*') {
                if (P + 1 < Sec.size()) Out += Sec[P + 1];
                P = std::min(P + 2, Sec.size());
            } else if (c == L'_') {
                Out += L' ';
                P = std::min(P + 2, Sec.size());
            } else if (c == L'"') {
                size_t Close = Sec.find(L'"', P + 1);
                if (Close == String::npos) Close = Sec.size();
                Out.append(Sec, P + 1, Close - P - 1);
                P = std::min(Close + 1, Sec.size());
            }
        }
        // CheckText
        if (P < Sec.size() && Sec[P] == L'@') {
            Out += Text;
            ++P;
        }
        if (P == PassStart) return Text;
    }
    return Out;
}

bool IsNumericKind(TVarType t)
{
    switch (t) {
    case varSmallint: case varInteger: case varSingle: case varDouble: case varCurrency:
    case varByte: case varInt64:
    // The other integer kinds are numbers too and take the format the same way.
    case varShortInt: case varWord: case varLongWord: case varUInt64:
        return true;
    default:
        return false;
    }
}

bool IsTextKind(TVarType t)
{
    return t == varOleStr || t == varString || t == varUString || t == varStrArg;
}

String FormatValue(const Variant& V, const String& Format, bool Dates1904, Integer& Color,
                   bool& HasDate, bool& HasTime, const TFormatSettings& FS)
{
    const TVarType t = VarType(V);
    if (t == varEmpty || t == varNull) return String();
    if (Format.empty()) return VarToStr(V);
    if (IsNumericKind(t) || t == varDate) {
        const double x = t == varDate ? V.RawDate() : V.AsDouble();
        const TSections S = GetSections(Format, x);
        bool Negate = false;
        const View* Sec = GetSection(S, x, Negate);
        if (!Sec) return NoSectionText;
        String Text;
        if (ContainsCode(*Sec, L"[$-F800]")) {
            HasDate = true;
            return TryFormatDateTime1904(FS.LongDateFormat, x, Dates1904, FormatSettings, Text) ? Text : L"##";
        }
        if (ContainsCode(*Sec, L"[$-F400]")) {
            HasTime = true;
            return TryFormatDateTime1904(FS.LongTimeFormat, x, Dates1904, FormatSettings, Text) ? Text : L"##";
        }
        if (t == varDate && x < 0) return NoSectionText;
        return FormatNumber(V, x, Negate, *Sec, Dates1904, Color, HasDate, HasTime);
    }
    if (IsTextKind(t)) return FormatText(V, Format, Color);
    if (t == varBoolean) return V.AsBoolean() ? L"TRUE" : L"FALSE";
    return VarToStr(V);
}

}  // namespace

// ---- Public routines ---------------------------------------------------------------------------

TResultCondition GetResultCondition(bool SupressNeg, bool SupressNegComp, bool Complement, bool Assigned)
{
    TResultCondition r;
    r.SupressNeg = SupressNeg;
    r.SupressNegComp = SupressNegComp;
    r.Complement = Complement;
    r.Assigned = Assigned;
    return r;
}

TFormatSettings& GetDefaultLocaleFormatSettings()
{
    if (!CachedRegionalCulture || CachedRegionalCulture->DecimalSeparator == 0)
        CachedRegionalCulture = std::make_unique<TFormatSettings>(TFormatSettings::Create());
    return *CachedRegionalCulture;
}

String XlsFormat(const Variant& V, const String& Format)
{
    Integer Color = 0;
    return XlsFormatValue1904(V, Format, false, Color, nullptr);
}

String XlsFormatValue1904(const Variant& V, const String& Format, bool Dates1904, Integer& Color,
                          const TFormatSettings* FormatSettings)
{
    bool HasDate = false, HasTime = false;
    return XlsFormatValueEx(V, Format, Dates1904, Color, HasDate, HasTime, FormatSettings);
}

String XlsFormatValueEx(const Variant& V, const String& Format, bool Dates1904, Integer& Color,
                        bool& HasDate, bool& HasTime, const TFormatSettings* FormatSettings)
{
    HasDate = false;
    HasTime = false;
    const TFormatSettings& FS = FormatSettings ? *FormatSettings : GetDefaultLocaleFormatSettings();
    try {
        return FormatValue(V, Format, Dates1904, Color, HasDate, HasTime, FS);
    } catch (const std::exception&) {
        // A value that has no text form (an array, an interface) or a pattern the run-time
        // formatter rejects: the plain text when there is one, else nothing.
        try {
            return VarToStr(V);
        } catch (const std::exception&) {
            return L"";
        }
    }
}

int FindFrom(Char wc, const String& w, int p)
{
    if (p < 1 || size_t(p) > w.size()) return 0;
    size_t q = w.find(wc, size_t(p - 1));
    return q == String::npos ? 0 : int(q - size_t(p - 1)) + 1;
}

}  // namespace jyrxlsfmt
