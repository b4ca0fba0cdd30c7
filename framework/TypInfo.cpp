// TypInfo: identifier tables, property values, the class registry and access by name.
#include "TypInfo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <map>

namespace {

std::map<String, TIdentTable>& IdentTables()
{
    static std::map<String, TIdentTable> Tables;
    return Tables;
}

std::map<std::type_index, String>& IdentTypeNames()
{
    static std::map<std::type_index, String> Names;
    return Names;
}

struct TRegistry {
    std::map<String, std::unique_ptr<TRegisteredClass>> Classes;   // by upper-case name
    std::map<String, TRegisteredClass*> ClassOfCache;
    unsigned Generation = 1;
};

TRegistry& Registry()
{
    static TRegistry R;
    return R;
}

[[noreturn]] void InvalidValue(const String& Text)
{
    throw EPropertyError(Consts::SInvalidPropertyValue, {Text});
}

}  // namespace

// ---- Identifier tables ------------------------------------------------------------------------

bool TIdentTable::ToIdent(Int64 Value, String& Ident) const
{
    for (auto& E : FEntries)
        if (E.Value == Value) {
            Ident = E.Ident;
            return true;
        }
    return ValueToIdentProc && ValueToIdentProc(Value, Ident);
}

bool TIdentTable::ToValue(const String& Ident, Int64& Value) const
{
    for (auto& E : FEntries)
        if (SameText(E.Ident, Ident)) {
            Value = E.Value;
            return true;
        }
    return IdentToValueProc && IdentToValueProc(Ident, Value);
}

TIdentTable& RegisterIdentTable(const String& TypeName, TIdentTable Table)
{
    return IdentTables()[UpperCase(TypeName)] = std::move(Table);
}

const TIdentTable* FindIdentTable(const String& TypeName)
{
    TypInfoDetail::FillBuiltins();
    auto& T = IdentTables();
    auto It = T.find(UpperCase(TypeName));
    return It == T.end() ? nullptr : &It->second;
}

void LinkIdentTable(std::type_index Type, const String& TypeName)
{
    IdentTypeNames()[Type] = TypeName;
}

String IdentTableNameOf(std::type_index Type)
{
    TypInfoDetail::FillBuiltins();
    auto It = IdentTypeNames().find(Type);
    return It == IdentTypeNames().end() ? String() : It->second;
}

const TIdentTable* IdentTableOf(std::type_index Type)
{
    String Name = IdentTableNameOf(Type);
    return Name.empty() ? nullptr : FindIdentTable(Name);
}

String EnumToIdent(const TIdentTable& Table, Int64 Value)
{
    String Ident;
    if (!Table.ToIdent(Value, Ident)) InvalidValue(std::to_wstring(Value));
    return Ident;
}

Int64 IdentToEnum(const TIdentTable& Table, const String& Ident)
{
    Int64 Value = 0;
    if (!Table.ToValue(Ident, Value)) InvalidValue(Ident);
    return Value;
}

String SetToString(const TIdentTable& Table, UInt64 Bits, bool Brackets)
{
    String R;
    for (auto& E : Table.Entries()) {
        if (E.Value < 0 || E.Value > 63 || !(Bits & (UInt64(1) << E.Value))) continue;
        if (!R.empty()) R += L',';
        R += E.Ident;
    }
    return Brackets ? L"[" + R + L"]" : R;
}

UInt64 StringToSet(const TIdentTable& Table, const String& Text)
{
    String S = Text;
    size_t B = S.find_first_not_of(L" \t");
    size_t E = S.find_last_not_of(L" \t");
    S = B == String::npos ? String() : S.substr(B, E - B + 1);
    if (!S.empty() && S.front() == L'[') {
        if (S.back() != L']') InvalidValue(Text);
        S = S.substr(1, S.size() - 2);
    }
    UInt64 Bits = 0;
    size_t Start = 0;
    while (Start <= S.size()) {
        size_t Comma = S.find(L',', Start);
        if (Comma == String::npos) Comma = S.size();
        String Item = S.substr(Start, Comma - Start);
        size_t IB = Item.find_first_not_of(L" \t");
        size_t IE = Item.find_last_not_of(L" \t");
        Item = IB == String::npos ? String() : Item.substr(IB, IE - IB + 1);
        if (Item.empty()) {
            if (Comma < S.size()) InvalidValue(Text);   // "a,,b"
        } else {
            Int64 V = IdentToEnum(Table, Item);
            if (V < 0 || V > 63) InvalidValue(Item);
            Bits |= UInt64(1) << V;
        }
        Start = Comma + 1;
    }
    return Bits;
}

// ---- Values -----------------------------------------------------------------------------------

Int64 TPropValue::AsInt64() const
{
    if (auto* I = std::get_if<Int64>(&FValue)) return *I;
    if (auto* B = std::get_if<bool>(&FValue)) return *B ? 1 : 0;
    if (auto* F = std::get_if<Extended>(&FValue)) {
        if (std::isfinite(*F) && *F == std::trunc(*F) && std::fabs(*F) < 9.2e18L) return Int64(*F);
        InvalidValue(FloatToInvariant(*F));
    }
    if (auto* S = std::get_if<String>(&FValue)) InvalidValue(*S);
    InvalidValue(L"(not a number)");
}

Extended TPropValue::AsFloat() const
{
    if (auto* F = std::get_if<Extended>(&FValue)) return *F;
    if (auto* I = std::get_if<Int64>(&FValue)) return Extended(*I);
    if (auto* S = std::get_if<String>(&FValue)) InvalidValue(*S);
    InvalidValue(L"(not a number)");
}

bool TPropValue::AsBoolean() const
{
    if (auto* B = std::get_if<bool>(&FValue)) return *B;
    if (auto* I = std::get_if<Int64>(&FValue)) {
        if (*I == 0 || *I == 1) return *I != 0;
        InvalidValue(std::to_wstring(*I));
    }
    if (auto* S = std::get_if<String>(&FValue)) InvalidValue(*S);
    InvalidValue(L"(not a Boolean)");
}

const String& TPropValue::AsString() const
{
    if (auto* S = std::get_if<String>(&FValue)) return *S;
    InvalidValue(L"(not a string)");
}

TObject* TPropValue::AsObject() const
{
    if (auto* O = std::get_if<TObject*>(&FValue)) return *O;
    if (IsEmpty()) return nullptr;
    InvalidValue(L"(not an object)");
}

void TypInfoDetail::WrongClass(const String& Prop, const wchar_t* Expected, TObject* Got)
{
    throw EPropertyError(L"Property " + Prop + L" needs an object of class " + Expected + L", not " +
                         (Got ? Got->ClassName() : String(L"nil")));
}

// ---- Tables -----------------------------------------------------------------------------------

void TMethodTable::AddBinder(const String& Name, TBinder Binder)
{
    for (auto& E : FEntries)
        if (SameText(E.first, Name)) {
            E.second = std::move(Binder);
            return;
        }
    FEntries.emplace_back(Name, std::move(Binder));
}

const TMethodTable::TBinder* TMethodTable::Find(const String& Name) const
{
    for (auto& E : FEntries)
        if (SameText(E.first, Name)) return &E.second;
    return nullptr;
}

const TFieldTable::TSetter* TFieldTable::Find(const String& Name) const
{
    for (auto& E : FEntries)
        if (SameText(E.first, Name)) return &E.second;
    return nullptr;
}

TPropInfo& TPropertyTable::NewProp(const String& Name, TPropKind Kind)
{
    auto P = std::make_unique<TPropInfo>();
    P->Name = Name;
    P->Kind = Kind;
    for (auto& Existing : FProps)
        if (SameText(Existing->Name, Name)) {
            Existing = std::move(P);
            ++Registry().Generation;
            return *Existing;
        }
    FProps.push_back(std::move(P));
    ++Registry().Generation;
    return *FProps.back();
}

bool TPropertyTable::IsIgnored(const String& Name) const
{
    for (auto& N : FIgnored)
        if (SameText(N, Name)) return true;
    return false;
}

const TPropInfo* TPropertyTable::Find(const String& Name) const
{
    for (auto& P : FProps)
        if (SameText(P->Name, Name)) return P.get();
    return nullptr;
}

// ---- Registry ---------------------------------------------------------------------------------

TRegisteredClass& RegisterClassEntry(const String& Name, const String& ParentName, std::type_index Type)
{
    auto& R = Registry();
    auto& Slot = R.Classes[UpperCase(Name)];
    if (Slot) {
        if (Slot->Type != Type) throw EComponentError(L"A class named " + Name + L" already exists");
        return *Slot;
    }
    Slot = std::make_unique<TRegisteredClass>();
    Slot->Name = Name;
    Slot->ParentName = ParentName;
    Slot->Type = Type;
    ++R.Generation;
    R.ClassOfCache.clear();
    return *Slot;
}

void TypInfoDetail::FillBuiltins()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterEnumIdents<TAlignment>(L"TAlignment",
                                   {{taLeftJustify, L"taLeftJustify"},
                                    {taRightJustify, L"taRightJustify"},
                                    {taCenter, L"taCenter"}});
    RegisterEnumIdents<TLeftRight>(L"TLeftRight", {{lrLeft, L"taLeftJustify"}, {lrRight, L"taRightJustify"}});
    RegisterEnumIdents<TShiftStateFlag>(L"TShiftStateFlag",
                                        {{ssShift, L"ssShift"}, {ssAlt, L"ssAlt"}, {ssCtrl, L"ssCtrl"},
                                         {ssLeft, L"ssLeft"}, {ssRight, L"ssRight"}, {ssMiddle, L"ssMiddle"},
                                         {ssDouble, L"ssDouble"}, {ssTouch, L"ssTouch"}, {ssPen, L"ssPen"},
                                         {ssCommand, L"ssCommand"}, {ssHorizontal, L"ssHorizontal"}});

    RegisterClassEntry(L"TPersistent", L"", typeid(TPersistent));
    TRegisteredClass& Comp = RegisterClassEntry(L"TComponent", L"TPersistent", typeid(TComponent));
    Comp.IsComponent = true;
    Comp.Factory = [](TComponent* Owner) -> TPersistent* { return Create<TComponent>(Owner); };
    // Name travels in the object header, never as a property.
    Comp.Properties.Add(L"Name", &TComponent::GetName, &TComponent::SetName).Stored(false);
    Comp.Properties.Add(L"Tag", &TComponent::GetTag, &TComponent::SetTag, 0);
    TRegisteredClass& Strings = RegisterClassEntry(L"TStrings", L"TPersistent", typeid(TStrings));
    (void)Strings;
    TRegisteredClass& List = RegisterClassEntry(L"TStringList", L"TStrings", typeid(TStringList));
    List.Factory = [](TComponent*) -> TPersistent* { return Create<TStringList>(); };
}

TRegisteredClass* GetClass(const String& Name)
{
    TypInfoDetail::FillBuiltins();
    auto& C = Registry().Classes;
    auto It = C.find(UpperCase(Name));
    return It == C.end() ? nullptr : It->second.get();
}

TRegisteredClass* FindClass(const String& Name)
{
    TRegisteredClass* R = GetClass(Name);
    if (!R) throw EClassNotFound(Consts::SClassNotFound, {Name});
    return R;
}

bool ClassInheritsFrom(const String& ClassName, const String& AncestorName)
{
    TRegisteredClass* R = GetClass(ClassName);
    return R ? R->InheritsFrom(AncestorName) : SameText(ClassName, AncestorName);
}

TRegisteredClass* ClassOf(const TObject* Instance)
{
    if (!Instance) return nullptr;
    String Name = Instance->ClassName();
    if (TRegisteredClass* R = GetClass(Name)) return R;
    auto& Reg = Registry();
    auto Cached = Reg.ClassOfCache.find(Name);
    if (Cached != Reg.ClassOfCache.end()) return Cached->second;
    // An unregistered class: its nearest registered ancestor (the deepest one it inherits).
    TRegisteredClass* Best = nullptr;
    int BestDepth = -1;
    for (auto& [Key, Entry] : Reg.Classes) {
        if (!Instance->InheritsFromName(Entry->Name)) continue;
        int Depth = 0;
        for (TRegisteredClass* P = Entry.get(); P; P = P->Parent()) ++Depth;
        if (Depth > BestDepth) {
            Best = Entry.get();
            BestDepth = Depth;
        }
    }
    Reg.ClassOfCache[Name] = Best;
    return Best;
}

TRegisteredClass* TRegisteredClass::Parent() const
{
    return ParentName.empty() ? nullptr : GetClass(ParentName);
}

bool TRegisteredClass::InheritsFrom(const String& AncestorName) const
{
    int Guard = 0;
    for (const TRegisteredClass* P = this; P && ++Guard < 256; P = P->Parent())
        if (SameText(P->Name, AncestorName)) return true;
    return false;
}

const std::vector<const TPropInfo*>& TRegisteredClass::AllProperties() const
{
    if (FAllGeneration == Registry().Generation) return FAll;
    std::vector<const TRegisteredClass*> Chain;
    for (const TRegisteredClass* P = this; P && Chain.size() < 256; P = P->Parent()) Chain.push_back(P);
    FAll.clear();
    for (auto It = Chain.rbegin(); It != Chain.rend(); ++It)
        for (auto& Prop : (*It)->Properties.Props()) {
            auto Same = std::find_if(FAll.begin(), FAll.end(),
                                     [&](const TPropInfo* P) { return SameText(P->Name, Prop->Name); });
            if (Same != FAll.end()) *Same = Prop.get();   // a redeclaration keeps its place
            else FAll.push_back(Prop.get());
        }
    FIndex.clear();
    for (const TPropInfo* P : FAll) FIndex[UpperCase(P->Name)] = P;
    FAllGeneration = Registry().Generation;
    return FAll;
}

const TPropInfo* TRegisteredClass::FindProperty(const String& PropName) const
{
    AllProperties();
    auto It = FIndex.find(UpperCase(PropName));
    return It == FIndex.end() ? nullptr : It->second;
}

const TMethodTable::TBinder* TRegisteredClass::FindMethod(const String& MethodName) const
{
    int Guard = 0;
    for (const TRegisteredClass* P = this; P && ++Guard < 256; P = P->Parent())
        if (auto* B = P->Properties.Methods.Find(MethodName)) return B;
    return nullptr;
}

const TFieldTable::TSetter* TRegisteredClass::FindField(const String& FieldName) const
{
    int Guard = 0;
    for (const TRegisteredClass* P = this; P && ++Guard < 256; P = P->Parent())
        if (auto* S = P->Properties.Fields.Find(FieldName)) return S;
    return nullptr;
}

bool TRegisteredClass::IsIgnoredProperty(const String& PropName) const
{
    int Guard = 0;
    for (const TRegisteredClass* P = this; P && ++Guard < 256; P = P->Parent())
        if (P->Properties.IsIgnored(PropName)) return true;
    return false;
}

const std::function<void(TComponent*, TComponent*)>* TRegisteredClass::FindSetParentProc() const
{
    int Guard = 0;
    for (const TRegisteredClass* P = this; P && ++Guard < 256; P = P->Parent())
        if (P->SetParentProc) return &P->SetParentProc;
    return nullptr;
}

const std::function<std::vector<TComponent*>(TComponent*, TComponent*)>*
TRegisteredClass::FindGetChildrenProc() const
{
    int Guard = 0;
    for (const TRegisteredClass* P = this; P && ++Guard < 256; P = P->Parent())
        if (P->GetChildrenProc) return &P->GetChildrenProc;
    return nullptr;
}

TPersistent* TRegisteredClass::CreateInstance(TComponent* Owner) const
{
    if (!Factory) throw EClassNotFound(L"Cannot create an instance of class " + Name);
    return Factory(Owner);
}

void RegisterParentSetter(const String& ClassName, std::function<void(TComponent*, TComponent*)> Proc)
{
    FindClass(ClassName)->SetParentProc = std::move(Proc);
}

void RegisterChildrenGetter(const String& ClassName,
                            std::function<std::vector<TComponent*>(TComponent*, TComponent*)> Proc)
{
    FindClass(ClassName)->GetChildrenProc = std::move(Proc);
}

// ---- Numbers ----------------------------------------------------------------------------------

String FloatToInvariant(Extended Value)
{
    if (std::isnan(Value)) return L"NAN";
    if (std::isinf(Value)) return Value < 0 ? L"-INF" : L"INF";
    // A value that a double holds exactly (every double property's value) gets the fewest
    // digits that read back to that double; others the fewest that read back as extended.
    char Buf[64];
    double D = double(Value);
    if (Extended(D) == Value) {
        for (int Prec = 1; Prec <= 17; ++Prec) {
            std::snprintf(Buf, sizeof Buf, "%.*g", Prec, D);
            if (std::strtod(Buf, nullptr) == D) break;
        }
    } else {
        for (int Prec = 1; Prec <= 21; ++Prec) {
            std::snprintf(Buf, sizeof Buf, "%.*Lg", Prec, Value);
            if (std::strtold(Buf, nullptr) == Value) break;
        }
    }
    String R;
    for (const char* P = Buf; *P; ++P) R += wchar_t(*P == 'e' ? 'E' : *P);
    if (R.find_first_of(L".E") == String::npos) R += L".0";
    return R;
}

namespace {

// The text without the blanks and tabs around it.
std::wstring_view TrimBlanksTabs(const String& Text)
{
    const size_t B = Text.find_first_not_of(L" \t");
    if (B == String::npos) return {};
    return std::wstring_view(Text.data() + B, Text.find_last_not_of(L" \t") + 1 - B);
}

}  // namespace

bool TryInvariantToFloat(const String& Text, Extended& Value)
{
    const std::wstring_view S = TrimBlanksTabs(Text);
    if (S.empty()) return false;
    if (S == L"NAN" || S == L"INF" || S == L"-INF" || S == L"+INF") {
        Value = S == L"NAN" ? NAN : (S[0] == L'-' ? -INFINITY : INFINITY);
        return true;
    }
    // Digits, one point, an exponent: nothing read as hex or words.
    const TFloatSyntax Syntax;
    const TFloatScan N = ScanFloat(S, 0, Syntax);
    if (!N.Found() || N.End != S.size()) return false;
    // Beyond the range reads as infinity; below it as a zero of the number's sign.
    if (ScannedValue(S, N, Syntax, Value) == TScanRange::Underflow && N.Negative) Value = -Value;
    return true;
}

bool TryTextToInt64(const String& Text, Int64& Value)
{
    const std::wstring_view S = TrimBlanksTabs(Text);
    if (S.empty()) return false;
    const TIntPrefix P = ScanIntPrefix(S, 0);
    if (P.End >= S.size()) return false;
    const TDigitRun D = ScanDigits(S, P.End, P.Hex ? 16 : 10);
    if (D.End != S.size()) return false;   // a bad character, or beyond 64 bits
    const UInt64 Acc = D.Value;
    if (!P.Hex && (P.Negative ? Acc > UInt64(INT64_MAX) + 1 : Acc > UInt64(INT64_MAX))) return false;
    // Hex digits are a bit pattern: $FFFFFFFF is -1 only for 32-bit properties' callers.
    Value = P.Negative ? Int64(0 - Acc) : Int64(Acc);
    return true;
}

// ---- Access by name ---------------------------------------------------------------------------

const TPropInfo* FindPropInfo(TObject*& Instance, const String& Path)
{
    size_t Start = 0;
    while (Instance) {
        size_t Dot = Path.find(L'.', Start);
        String Seg = Path.substr(Start, Dot == String::npos ? String::npos : Dot - Start);
        TRegisteredClass* C = ClassOf(Instance);
        const TPropInfo* P = C ? C->FindProperty(Seg) : nullptr;
        if (!P || Dot == String::npos) return P;
        if (P->Kind != TPropKind::Class && P->Kind != TPropKind::Strings && P->Kind != TPropKind::Collection)
            return nullptr;
        Instance = P->Get(Instance).AsObject();
        Start = Dot + 1;
    }
    return nullptr;
}

const TPropInfo* GetPropInfo(TObject*& Instance, const String& Path)
{
    if (!Instance) throw EPropertyError(L"Property " + Path + L" of a nil object");
    const TPropInfo* P = FindPropInfo(Instance, Path);
    if (!P) throw EPropertyError(Consts::SUnknownProperty, {Path});
    return P;
}

bool IsPublishedProp(TObject* Instance, const String& Path)
{
    return FindPropInfo(Instance, Path) != nullptr;
}

std::vector<String> GetPropNames(const String& ClassName)
{
    std::vector<String> R;
    if (TRegisteredClass* C = GetClass(ClassName))
        for (const TPropInfo* P : C->AllProperties()) R.push_back(P->Name);
    return R;
}

std::vector<String> GetPropNames(TObject* Instance)
{
    std::vector<String> R;
    if (TRegisteredClass* C = ClassOf(Instance))
        for (const TPropInfo* P : C->AllProperties()) R.push_back(P->Name);
    return R;
}

namespace {

// A component named Name near Instance: Instance's owners (nearest first) and their components.
TComponent* FindNearComponent(TObject* Instance, const String& Name)
{
    auto* C = dynamic_cast<TComponent*>(Instance);
    for (TComponent* O = C; O; O = O->Owner()) {
        if (SameText(O->GetName(), Name)) return O;
        if (TComponent* Found = O->FindComponent(Name)) return Found;
    }
    return nullptr;
}

// The handler Name from the method table of Instance's nearest owner that has one.
std::any BindNearMethod(TObject* Instance, const String& Name)
{
    auto* C = dynamic_cast<TComponent*>(Instance);
    for (TComponent* O = C; O; O = O->Owner())
        if (TRegisteredClass* R = ClassOf(O))
            if (auto* B = R->FindMethod(Name)) return (*B)(O);
    throw EPropertyError(Consts::SMethodNotFound, {Name});
}

}  // namespace

TPropValue GetPropTagged(TObject* Instance, const String& Path)
{
    const TPropInfo* P = GetPropInfo(Instance, Path);
    return P->Get(Instance);
}

void SetPropTagged(TObject* Instance, const String& Path, const TPropValue& Value)
{
    const TPropInfo* P = GetPropInfo(Instance, Path);
    if (P->Kind == TPropKind::Method) {
        const String& Name = Value.IsEmpty() ? String() : Value.AsString();
        P->AssignMethod(Instance, Name.empty() ? std::any() : BindNearMethod(Instance, Name));
        return;
    }
    if (P->Kind == TPropKind::Strings && Value.IsString()) {
        auto* S = dynamic_cast<TStrings*>(P->Get(Instance).AsObject());
        if (!S) throw EPropertyError(L"Property " + Path + L" has no list");
        S->SetText(Value.AsString());
        return;
    }
    if (P->IsReadOnly()) throw EPropertyError(Consts::SPropertyReadOnly, {Path});
    if (P->Kind == TPropKind::Component && Value.IsString()) {
        TComponent* C = Value.AsString().empty() ? nullptr : FindNearComponent(Instance, Value.AsString());
        if (!C && !Value.AsString().empty()) InvalidValue(Value.AsString());
        P->Set(Instance, TPropValue(static_cast<TObject*>(C)));
        return;
    }
    P->Set(Instance, Value);
}

String PropValueToText(const TPropInfo& Prop, const TPropValue& Value)
{
    switch (Prop.Kind) {
    case TPropKind::Integer:
    case TPropKind::Int64:
    case TPropKind::Cardinal: return std::to_wstring(Value.AsInt64());
    case TPropKind::Boolean: return Value.AsBoolean() ? L"True" : L"False";
    case TPropKind::Char: return String(1, wchar_t(Value.AsInt64()));
    case TPropKind::Float: return FloatToInvariant(Value.AsFloat());
    case TPropKind::String:
    case TPropKind::Method: return Value.IsEmpty() ? String() : Value.AsString();
    case TPropKind::Enumeration:
    case TPropKind::Color: {
        String Ident;
        const TIdentTable* T = Prop.IdentTable();
        if (T && T->ToIdent(Value.AsInt64(), Ident)) return Ident;
        if (Prop.Kind == TPropKind::Color) {
            wchar_t Buf[16];
            std::swprintf(Buf, 16, L"$%08X", unsigned(Value.AsInt64() & 0xFFFFFFFF));
            return Buf;
        }
        return std::to_wstring(Value.AsInt64());
    }
    case TPropKind::Set: {
        const TIdentTable* T = Prop.IdentTable();
        if (!T) throw EPropertyError(Consts::SNoSetIdentifiers, {Prop.Name});
        return SetToString(*T, UInt64(Value.AsInt64()));
    }
    case TPropKind::Strings:
        if (auto* S = dynamic_cast<TStrings*>(Value.AsObject())) return S->GetText();
        return String();
    case TPropKind::Component:
        if (auto* C = dynamic_cast<TComponent*>(Value.AsObject())) return C->GetName();
        return String();
    case TPropKind::Class:
    case TPropKind::Collection:
        if (TObject* O = Value.AsObject()) return L"(" + O->ClassName() + L")";
        return String();
    }
    return String();
}

TPropValue TextToPropValue(const TPropInfo& Prop, const String& Text)
{
    Int64 I = 0;
    switch (Prop.Kind) {
    case TPropKind::Integer:
    case TPropKind::Int64:
    case TPropKind::Cardinal:
        if (!TryTextToInt64(Text, I)) InvalidValue(Text);
        if (Prop.Kind == TPropKind::Integer && (I < INT32_MIN || I > INT32_MAX)) {
            // Hex digits may spell a 32-bit pattern ($FFFFFFFF is -1); decimals must fit.
            if (Text.find_first_of(L"$xX") != String::npos && I > INT32_MAX && I <= Int64(UINT32_MAX))
                I = Int64(Integer(Cardinal(I)));
            else InvalidValue(Text);
        }
        if (Prop.Kind == TPropKind::Cardinal && (I < 0 || I > Int64(UINT32_MAX))) InvalidValue(Text);
        return TPropValue(I);
    case TPropKind::Boolean:
        if (SameText(Text, L"True")) return TPropValue(true);
        if (SameText(Text, L"False")) return TPropValue(false);
        InvalidValue(Text);
    case TPropKind::Char:
        if (Text.size() == 1) return TPropValue(Int64(Text[0]));
        if (Text.size() > 1 && Text[0] == L'#' && TryTextToInt64(Text.substr(1), I) && I >= 0 && I <= 0xFFFF)
            return TPropValue(I);
        InvalidValue(Text);
    case TPropKind::Float: {
        Extended F = 0;
        if (!TryInvariantToFloat(Text, F)) InvalidValue(Text);
        return TPropValue(F);
    }
    case TPropKind::String:
    case TPropKind::Method:
    case TPropKind::Strings:
    case TPropKind::Component: return TPropValue(Text);
    case TPropKind::Enumeration:
    case TPropKind::Color: {
        const TIdentTable* T = Prop.IdentTable();
        if (T && T->ToValue(Text, I)) return TPropValue(I);
        if (TryTextToInt64(Text, I)) {
            if (Prop.Kind == TPropKind::Color && I > INT32_MAX && I <= Int64(UINT32_MAX))
                I = Int64(Integer(Cardinal(I)));
            if (Prop.Kind == TPropKind::Enumeration && T && !T->Entries().empty()) {
                String Ident;
                if (!T->ToIdent(I, Ident)) InvalidValue(Text);
            }
            return TPropValue(I);
        }
        InvalidValue(Text);
    }
    case TPropKind::Set: {
        const TIdentTable* T = Prop.IdentTable();
        if (!T) throw EPropertyError(Consts::SNoSetIdentifiers, {Prop.Name});
        return TPropValue(Int64(StringToSet(*T, Text)));
    }
    case TPropKind::Class:
    case TPropKind::Collection: break;
    }
    throw EPropertyError(L"Property " + Prop.Name + L" cannot be set from text");
}

String GetPropValue(TObject* Instance, const String& Path)
{
    const TPropInfo* P = GetPropInfo(Instance, Path);
    return PropValueToText(*P, P->Get(Instance));
}

void SetPropValue(TObject* Instance, const String& Path, const String& Text)
{
    TObject* Owner = Instance;
    const TPropInfo* P = GetPropInfo(Owner, Path);
    SetPropTagged(Instance, Path, TextToPropValue(*P, Text));
}

Int64 GetOrdProp(TObject* Instance, const String& Path) { return GetPropTagged(Instance, Path).AsInt64(); }
void SetOrdProp(TObject* Instance, const String& Path, Int64 Value) { SetPropTagged(Instance, Path, TPropValue(Value)); }
String GetStrProp(TObject* Instance, const String& Path) { return GetPropTagged(Instance, Path).AsString(); }
void SetStrProp(TObject* Instance, const String& Path, const String& Value) { SetPropTagged(Instance, Path, TPropValue(Value)); }
Extended GetFloatProp(TObject* Instance, const String& Path) { return GetPropTagged(Instance, Path).AsFloat(); }
void SetFloatProp(TObject* Instance, const String& Path, Extended Value) { SetPropTagged(Instance, Path, TPropValue(Value)); }
TObject* GetObjectProp(TObject* Instance, const String& Path) { return GetPropTagged(Instance, Path).AsObject(); }

String GetEnumProp(TObject* Instance, const String& Path)
{
    const TPropInfo* P = GetPropInfo(Instance, Path);
    return PropValueToText(*P, P->Get(Instance));
}

void SetEnumProp(TObject* Instance, const String& Path, const String& Ident)
{
    SetPropValue(Instance, Path, Ident);
}

namespace {

void ResetObject(TObject* Instance, int Depth)
{
    TRegisteredClass* C = ClassOf(Instance);
    if (!C || Depth > 100) return;
    for (const TPropInfo* P : C->AllProperties()) {
        switch (P->Kind) {
        case TPropKind::Class:
            if (TObject* Nested = P->Get(Instance).AsObject()) ResetObject(Nested, Depth + 1);
            continue;
        case TPropKind::Strings:
            if (auto* S = dynamic_cast<TStrings*>(P->Get(Instance).AsObject())) S->Clear();
            continue;
        case TPropKind::Collection:
            if (auto* L = dynamic_cast<TCollection*>(P->Get(Instance).AsObject())) L->Clear();
            continue;
        case TPropKind::Method:
            if (P->AssignMethod) P->AssignMethod(Instance, std::any());
            continue;
        default: break;
        }
        if (P->IsReadOnly() || !P->IsStored(Instance)) continue;
        if (P->HasDefault) P->Set(Instance, P->Default);
        else if (P->Kind == TPropKind::String) P->Set(Instance, TPropValue(String()));
        else if (P->Kind == TPropKind::Float) P->Set(Instance, TPropValue(Extended(0)));
        else if (P->Kind == TPropKind::Component) P->Set(Instance, TPropValue(nullptr));
    }
}

}  // namespace

void ResetProperties(TPersistent* Instance)
{
    ResetObject(Instance, 0);
}
