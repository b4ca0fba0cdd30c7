// TypInfo: the class registry, published-property tables and identifier tables.
//
// Every class whose objects are read or written by name (form descriptions, the visual-properties
// file, component records) registers once, with its parent and its published properties:
//
//     void TButton::RegisterProperties(TPropertyTable& Table)
//     {
//         Table.Add(L"Caption", &TButton::GetCaption, &TButton::SetCaption);
//         Table.Add(L"Default", &TButton::GetDefault, &TButton::SetDefault, false);
//         Table.AddEvent(L"OnClick", &TButton::OnClick);
//     }
//     RegisterClass<TButton>();        // also registers TButton's ancestors
//
// RegisterProperties must be public (a hidden one is not found). A class inherits the properties
// of its ancestors; they come first in the property list, and a redeclared name keeps its place.
// A form registers the handlers its description names (Table.Methods.Add(L"Button1Click",
// &TForm1::Button1Click)) and the fields that receive its components (Table.Fields.Add(L"Memo1",
// &TForm1::Memo1)).
//
// Names of classes, properties, methods and identifiers are compared without regard to case.
#pragma once

#include "Classes.h"

#include <any>
#include <map>
#include <cwchar>
#include <memory>
#include <typeindex>
#include <variant>
#include <vector>

// ---- Identifier tables ------------------------------------------------------------------------

// Values of an enumeration (or named values of an integer type such as colours) and their
// identifiers. Lookup by identifier ignores case. Mappers extend a table with computed names.
class TIdentTable {
public:
    struct TEntry {
        Int64 Value;
        String Ident;
    };
    TIdentTable() = default;
    TIdentTable(std::initializer_list<TEntry> Entries) : FEntries(Entries) {}

    void Add(Int64 Value, const String& Ident) { FEntries.push_back({Value, Ident}); }
    // The first identifier of Value; false when it has none.
    bool ToIdent(Int64 Value, String& Ident) const;
    bool ToValue(const String& Ident, Int64& Value) const;
    const std::vector<TEntry>& Entries() const { return FEntries; }

    // Optional: consulted when the entries do not answer.
    std::function<bool(Int64 Value, String& Ident)> ValueToIdentProc;
    std::function<bool(const String& Ident, Int64& Value)> IdentToValueProc;

private:
    std::vector<TEntry> FEntries;
};

// Registers (or replaces) the identifier table of the type called TypeName ("TAlignment",
// "TColor", "TFontStyle"). Answers the stored table.
TIdentTable& RegisterIdentTable(const String& TypeName, TIdentTable Table);
const TIdentTable* FindIdentTable(const String& TypeName);

// Links a C++ enumeration type with its table, so that properties of that type find it.
void LinkIdentTable(std::type_index Type, const String& TypeName);
const TIdentTable* IdentTableOf(std::type_index Type);
String IdentTableNameOf(std::type_index Type);

// Only for enumeration types: a colour (an int) uses AddColor and the "TColor" table instead.
template <class E>
TIdentTable& RegisterEnumIdents(const String& TypeName,
                                std::initializer_list<std::pair<E, const wchar_t*>> Values)
{
    static_assert(std::is_enum_v<E>, "identifier tables by type are for enumerations");
    TIdentTable T;
    for (auto& [V, Name] : Values) T.Add(static_cast<Int64>(V), Name);
    LinkIdentTable(typeid(E), TypeName);
    return RegisterIdentTable(TypeName, std::move(T));
}

// Identifier of an enumeration value; raises EPropertyError when the table has none.
String EnumToIdent(const TIdentTable& Table, Int64 Value);
// Value of an identifier; raises EPropertyError "Invalid property value Foo".
Int64 IdentToEnum(const TIdentTable& Table, const String& Ident);

// "[fsBold,fsItalic]" (members in table order; Brackets false drops the brackets).
String SetToString(const TIdentTable& Table, UInt64 Bits, bool Brackets = true);
// Accepts "[a, b]", "a,b" or "" (blanks ignored); an unknown member raises EPropertyError.
UInt64 StringToSet(const TIdentTable& Table, const String& Text);

template <class E>
String EnumName(E Value)
{
    const TIdentTable* T = IdentTableOf(typeid(E));
    if (!T) throw EPropertyError(L"No identifiers registered for this enumeration");
    return EnumToIdent(*T, static_cast<Int64>(Value));
}

// ---- Property values --------------------------------------------------------------------------

// The kinds of published property.
enum class TPropKind {
    Integer, Int64, Cardinal, Boolean, Char, Float, String,
    Enumeration,   // ordinal value, identifiers from the type's table
    Set,           // bit set of an enumeration's ordinals
    Color,         // 32-bit colour; identifiers from the "TColor" table when registered
    Class,         // nested persistent object: its own properties are set by path (Font.Name)
    Strings,       // nested TStrings: the pseudo-property Strings holds its lines
    Collection,    // nested TCollection: <item ... end>
    Component,     // reference to another component, by name
    Method         // event: handler name, bound through the root's method table
};

// A property's value in transit: an integer (ordinals, enumerations, sets, colours, chars), a
// float, a Boolean, a string (strings and handler names) or an object.
class TPropValue {
public:
    TPropValue() = default;
    template <class I>
        requires(std::is_integral_v<I> && !std::is_same_v<I, bool>)
    TPropValue(I V) : FValue(Int64(V)) {}
    TPropValue(Extended V) : FValue(V) {}
    TPropValue(double V) : FValue(Extended(V)) {}
    TPropValue(bool V) : FValue(V) {}
    TPropValue(const String& V) : FValue(V) {}
    TPropValue(const wchar_t* V) : FValue(String(V)) {}
    TPropValue(TObject* V) : FValue(V) {}
    TPropValue(std::nullptr_t) : FValue(static_cast<TObject*>(nullptr)) {}

    bool IsEmpty() const { return FValue.index() == 0; }
    bool IsInt() const { return FValue.index() == 1; }
    bool IsFloat() const { return FValue.index() == 2; }
    bool IsBool() const { return FValue.index() == 3; }
    bool IsString() const { return FValue.index() == 4; }
    bool IsObject() const { return FValue.index() == 5; }

    // Conversions between the numeric forms; anything else raises EPropertyError.
    Int64 AsInt64() const;
    Extended AsFloat() const;
    bool AsBoolean() const;
    const String& AsString() const;
    TObject* AsObject() const;

    friend bool operator==(const TPropValue& A, const TPropValue& B) { return A.FValue == B.FValue; }

private:
    std::variant<std::monostate, Int64, Extended, bool, String, TObject*> FValue;
};

// A method bound to an instance, remembering its name so that writers can store it.
template <class Sig>
struct TNamedMethod;
template <class R, class... A>
struct TNamedMethod<R(A...)> {
    String Name;
    std::function<R(A...)> Fn;
    R operator()(A... Args) const { return Fn(std::forward<A>(Args)...); }
};

// Name of the handler in an event, when it was bound by name; "" otherwise.
template <class R, class... A>
String MethodNameOf(const std::function<R(A...)>& Event)
{
    if (auto* M = Event.template target<TNamedMethod<R(A...)>>()) return M->Name;
    return String();
}

// ---- Property descriptions --------------------------------------------------------------------

class TPropInfo {
public:
    String Name;
    TPropKind Kind = TPropKind::Integer;
    // Type name: the enumeration or set element type's table name, or the nested class's name.
    String TypeName;
    std::function<TPropValue(TObject*)> Get;
    std::function<void(TObject*, const TPropValue&)> Set;   // empty: read-only
    bool HasDefault = false;
    TPropValue Default;
    std::function<bool(TObject*)> StoredProc;                // empty: stored
    std::function<const TIdentTable*()> Idents;              // enumerations, sets, colours
    // Events: assigns a handler made by a method binder (an std::any holding the event's
    // std::function type); an empty any clears the event.
    std::function<void(TObject*, const std::any&)> AssignMethod;

    bool IsReadOnly() const { return !Set; }
    const TIdentTable* IdentTable() const { return Idents ? Idents() : nullptr; }
    bool IsStored(TObject* Instance) const { return !StoredProc || StoredProc(Instance); }

    // Chainable adjustments after Add.
    TPropInfo& SetDefault(const TPropValue& Value) { HasDefault = true; Default = Value; return *this; }
    TPropInfo& NoDefault() { HasDefault = false; Default = TPropValue(); return *this; }
    TPropInfo& Stored(bool Value)
    {
        StoredProc = [Value](TObject*) { return Value; };
        return *this;
    }
    template <class C>
    TPropInfo& Stored(bool (C::*Fn)() const);
};

namespace TypInfoDetail {

[[noreturn]] void WrongClass(const String& Prop, const wchar_t* Expected, TObject* Got);

template <class C>
C* Cast(TObject* Obj, const String& Prop)
{
    C* P = dynamic_cast<C*>(Obj);
    if (!P) WrongClass(Prop, C::StaticClassName(), Obj);
    return P;
}

template <class P>
bool ChainHas(const wchar_t* N)
{
    if (std::wcscmp(P::StaticClassName(), N) == 0) return true;
    if constexpr (std::is_same_v<P, TObject>) return false;
    else return ChainHas<typename P::inherited>(N);
}

template <class T> struct IsTSet : std::false_type {};
template <class E> struct IsTSet<TSet<E>> : std::true_type { using Elem = E; };

template <class V>
constexpr bool IsPlainInteger = std::is_integral_v<V> && !std::is_same_v<V, bool> &&
                                !std::is_same_v<V, wchar_t>;

// What a C++ value type stores as.
template <class V>
TPropKind KindOf()
{
    if constexpr (std::is_same_v<V, bool>) return TPropKind::Boolean;
    else if constexpr (std::is_same_v<V, wchar_t>) return TPropKind::Char;
    else if constexpr (IsPlainInteger<V> && sizeof(V) == 8) return TPropKind::Int64;
    else if constexpr (IsPlainInteger<V> && std::is_unsigned_v<V> && sizeof(V) == 4)
        return TPropKind::Cardinal;
    else if constexpr (IsPlainInteger<V>) return TPropKind::Integer;
    else if constexpr (std::is_floating_point_v<V>) return TPropKind::Float;
    else if constexpr (std::is_same_v<V, String>) return TPropKind::String;
    else if constexpr (std::is_enum_v<V>) return TPropKind::Enumeration;
    else if constexpr (IsTSet<V>::value) return TPropKind::Set;
    else if constexpr (std::is_pointer_v<V>) {
        using P = std::remove_cv_t<std::remove_pointer_t<V>>;
        static_assert(std::is_base_of_v<TPersistent, P>, "object properties hold TPersistent");
        if (ChainHas<P>(L"TComponent")) return TPropKind::Component;
        if (ChainHas<P>(L"TStrings")) return TPropKind::Strings;
        if (ChainHas<P>(L"TCollection")) return TPropKind::Collection;
        return TPropKind::Class;
    } else {
        static_assert(sizeof(V) == 0, "this type cannot be a published property");
    }
}

template <class V>
TPropValue ToValue(const V& Value)
{
    if constexpr (std::is_same_v<V, bool>) return TPropValue(Value);
    else if constexpr (std::is_integral_v<V>) return TPropValue(Int64(Value));
    else if constexpr (std::is_floating_point_v<V>) return TPropValue(Extended(Value));
    else if constexpr (std::is_same_v<V, String>) return TPropValue(Value);
    else if constexpr (std::is_enum_v<V>) return TPropValue(Int64(Value));
    else if constexpr (IsTSet<V>::value) return TPropValue(Int64(Value.Bits()));
    else return TPropValue(static_cast<TObject*>(const_cast<std::remove_const_t<std::remove_pointer_t<V>>*>(Value)));
}

template <class V>
V FromValue(const TPropValue& Value, const String& Prop)
{
    if constexpr (std::is_same_v<V, bool>) return Value.AsBoolean();
    else if constexpr (std::is_integral_v<V>) return static_cast<V>(Value.AsInt64());
    else if constexpr (std::is_floating_point_v<V>) return static_cast<V>(Value.AsFloat());
    else if constexpr (std::is_same_v<V, String>) return Value.AsString();
    else if constexpr (std::is_enum_v<V>) return static_cast<V>(Value.AsInt64());
    else if constexpr (IsTSet<V>::value) return V::FromBits(UInt64(Value.AsInt64()));
    else {
        using P = std::remove_pointer_t<V>;
        TObject* O = Value.AsObject();
        if (!O) return nullptr;
        return Cast<P>(O, Prop);
    }
}

template <class M> struct Getter;
template <class C, class R> struct Getter<R (C::*)() const> { using Class = C; using Value = std::remove_cvref_t<R>; };
template <class C, class R> struct Getter<R (C::*)() const noexcept> { using Class = C; using Value = std::remove_cvref_t<R>; };
template <class C, class R> struct Getter<R (C::*)()> { using Class = C; using Value = std::remove_cvref_t<R>; };
template <class C, class R> struct Getter<R (C::*)() noexcept> { using Class = C; using Value = std::remove_cvref_t<R>; };

template <class M> struct Setter;
template <class C, class R, class A> struct Setter<R (C::*)(A)> { using Class = C; using Value = std::remove_cvref_t<A>; };
template <class C, class R, class A> struct Setter<R (C::*)(A) noexcept> { using Class = C; using Value = std::remove_cvref_t<A>; };

template <class V>
std::function<const TIdentTable*()> IdentsOf()
{
    if constexpr (std::is_enum_v<V>) return [] { return IdentTableOf(typeid(V)); };
    else if constexpr (IsTSet<V>::value) {
        using E = typename IsTSet<V>::Elem;
        return [] { return IdentTableOf(typeid(E)); };
    } else return nullptr;
}

template <class V>
String TypeNameOf()
{
    if constexpr (std::is_pointer_v<V>) return std::remove_cv_t<std::remove_pointer_t<V>>::StaticClassName();
    else return String();
}

}  // namespace TypInfoDetail

template <class C>
TPropInfo& TPropInfo::Stored(bool (C::*Fn)() const)
{
    StoredProc = [Fn, Name = this->Name](TObject* O) { return (TypInfoDetail::Cast<C>(O, Name)->*Fn)(); };
    return *this;
}

// Handlers a root object (a form) offers to the events of its description, by name.
class TMethodTable {
public:
    // Makes, for a root instance, the event value (an std::any holding std::function<Sig>).
    using TBinder = std::function<std::any(TObject* Root)>;

    template <class C, class R, class... A>
    void Add(const String& Name, R (C::*Method)(A...) const)
    {
        AddBinder(Name, [Name, Method](TObject* Root) -> std::any {
            const C* Self = TypInfoDetail::Cast<C>(Root, Name);
            return std::function<R(A...)>(TNamedMethod<R(A...)>{
                Name, [Self, Method](A... Args) -> R { return (Self->*Method)(std::forward<A>(Args)...); }});
        });
    }
    template <class C, class R, class... A>
    void Add(const String& Name, R (C::*Method)(A...))
    {
        AddBinder(Name, [Name, Method](TObject* Root) -> std::any {
            C* Self = TypInfoDetail::Cast<C>(Root, Name);
            return std::function<R(A...)>(TNamedMethod<R(A...)>{
                Name, [Self, Method](A... Args) -> R { return (Self->*Method)(std::forward<A>(Args)...); }});
        });
    }
    void AddBinder(const String& Name, TBinder Binder);
    const TBinder* Find(const String& Name) const;
    const std::vector<std::pair<String, TBinder>>& Entries() const { return FEntries; }

private:
    std::vector<std::pair<String, TBinder>> FEntries;
};

// Fields of a root object that receive the components read for it, by component name.
class TFieldTable {
public:
    using TSetter = std::function<void(TObject* Root, TComponent* Component)>;

    template <class C, class P>
    void Add(const String& Name, P* C::*Field)
    {
        static_assert(std::is_base_of_v<TComponent, P>, "fields hold components");
        FEntries.emplace_back(Name, [Name, Field](TObject* Root, TComponent* Component) {
            C* Self = TypInfoDetail::Cast<C>(Root, Name);
            Self->*Field = Component ? TypInfoDetail::Cast<P>(Component, Name) : nullptr;
        });
    }
    const TSetter* Find(const String& Name) const;

private:
    std::vector<std::pair<String, TSetter>> FEntries;
};

// The published properties a class adds to those of its ancestors, in declaration order.
class TPropertyTable {
public:
    // Getter and setter member functions (the setter may be null: read-only).
    template <class G, class S>
        requires std::is_member_function_pointer_v<G>
    TPropInfo& Add(const String& Name, G Get, S Set)
    {
        using C = typename TypInfoDetail::Getter<G>::Class;
        using V = typename TypInfoDetail::Getter<G>::Value;
        TPropInfo& P = NewProp(Name, TypInfoDetail::KindOf<V>());
        P.TypeName = TypInfoDetail::TypeNameOf<V>();
        P.Idents = TypInfoDetail::IdentsOf<V>();
        P.Get = [Get, Name](TObject* O) {
            return TypInfoDetail::ToValue<V>((TypInfoDetail::Cast<C>(O, Name)->*Get)());
        };
        if constexpr (!std::is_same_v<S, std::nullptr_t>) {
            using SC = typename TypInfoDetail::Setter<S>::Class;
            using SV = typename TypInfoDetail::Setter<S>::Value;
            P.Set = [Set, Name](TObject* O, const TPropValue& Value) {
                (TypInfoDetail::Cast<SC>(O, Name)->*Set)(TypInfoDetail::FromValue<SV>(Value, Name));
            };
        }
        return P;
    }
    template <class G, class S, class D>
        requires std::is_member_function_pointer_v<G>
    TPropInfo& Add(const String& Name, G Get, S Set, const D& Default)
    {
        using V = typename TypInfoDetail::Getter<G>::Value;
        return Add(Name, Get, Set).SetDefault(TypInfoDetail::ToValue<V>(V(Default)));
    }
    // A read-only property: nested objects (Font, Lines) whose contents are set by path.
    template <class G>
        requires std::is_member_function_pointer_v<G>
    TPropInfo& Add(const String& Name, G Get)
    {
        return Add(Name, Get, nullptr);
    }

    // A data member, read and written directly (record classes).
    template <class C, class V>
        requires(!std::is_member_function_pointer_v<V C::*>)
    TPropInfo& AddField(const String& Name, V C::*Field)
    {
        TPropInfo& P = NewProp(Name, TypInfoDetail::KindOf<V>());
        P.TypeName = TypInfoDetail::TypeNameOf<V>();
        P.Idents = TypInfoDetail::IdentsOf<V>();
        P.Get = [Field, Name](TObject* O) { return TypInfoDetail::ToValue<V>(TypInfoDetail::Cast<C>(O, Name)->*Field); };
        if constexpr (!std::is_pointer_v<V>)
            P.Set = [Field, Name](TObject* O, const TPropValue& Value) {
                TypInfoDetail::Cast<C>(O, Name)->*Field = TypInfoDetail::FromValue<V>(Value, Name);
            };
        return P;
    }
    template <class C, class V, class D>
    TPropInfo& AddField(const String& Name, V C::*Field, const D& Default)
    {
        return AddField(Name, Field).SetDefault(TypInfoDetail::ToValue<V>(V(Default)));
    }

    // An integer property written with identifiers from the named table (cursors, colours).
    template <class G, class S>
    TPropInfo& AddEnum(const String& Name, G Get, S Set, const String& TableName)
    {
        TPropInfo& P = Add(Name, Get, Set);
        P.Kind = TPropKind::Enumeration;
        P.TypeName = TableName;
        P.Idents = [TableName] { return FindIdentTable(TableName); };
        return P;
    }
    // A colour: an integer written by name when the "TColor" table names it.
    template <class G, class S>
    TPropInfo& AddColor(const String& Name, G Get, S Set)
    {
        TPropInfo& P = Add(Name, Get, Set);
        P.Kind = TPropKind::Color;
        P.TypeName = L"TColor";
        P.Idents = [] { return FindIdentTable(L"TColor"); };
        return P;
    }
    template <class G, class S, class D>
    TPropInfo& AddColor(const String& Name, G Get, S Set, const D& Default)
    {
        return AddColor(Name, Get, Set).SetDefault(TPropValue(Int64(Default)));
    }

    // A property reached through functions of the caller's own (computed values, lists kept as
    // text). Get answers and Set takes the TPropValue form of Kind.
    TPropInfo& AddProc(const String& Name, TPropKind Kind, std::function<TPropValue(TObject*)> Get,
                       std::function<void(TObject*, const TPropValue&)> Set)
    {
        TPropInfo& P = NewProp(Name, Kind);
        P.Get = std::move(Get);
        P.Set = std::move(Set);
        return P;
    }

    // An event: an std::function member, stored as the name of its handler.
    template <class C, class R, class... A>
    TPropInfo& AddEvent(const String& Name, std::function<R(A...)> C::*Event)
    {
        using F = std::function<R(A...)>;
        TPropInfo& P = NewProp(Name, TPropKind::Method);
        P.Get = [Event, Name](TObject* O) {
            return TPropValue(MethodNameOf(TypInfoDetail::Cast<C>(O, Name)->*Event));
        };
        P.AssignMethod = [Event, Name](TObject* O, const std::any& Handler) {
            C* Self = TypInfoDetail::Cast<C>(O, Name);
            if (!Handler.has_value()) {
                Self->*Event = nullptr;
                return;
            }
            const F* Fn = std::any_cast<F>(&Handler);
            if (!Fn) throw EPropertyError(L"The handler does not fit the event " + Name);
            Self->*Event = *Fn;
        };
        return P;
    }

    // A name that descriptions may carry but this class does not keep (values of another
    // environment, such as PixelsPerInch): read and dropped, never written.
    void AddIgnored(const String& Name) { FIgnored.push_back(Name); }
    bool IsIgnored(const String& Name) const;

    const std::vector<std::unique_ptr<TPropInfo>>& Props() const { return FProps; }
    const TPropInfo* Find(const String& Name) const;

    TMethodTable Methods;
    TFieldTable Fields;

private:
    TPropInfo& NewProp(const String& Name, TPropKind Kind);
    std::vector<std::unique_ptr<TPropInfo>> FProps;
    std::vector<String> FIgnored;
};

// ---- The class registry -----------------------------------------------------------------------

class TRegisteredClass {
public:
    String Name;
    String ParentName;                 // "" for the roots of the registry
    bool IsComponent = false;
    std::type_index Type = typeid(void);
    // Makes an instance (components get their owner; other classes ignore it). Empty for
    // classes that cannot be made (abstract ones).
    std::function<TPersistent*(TComponent* Owner)> Factory;
    TPropertyTable Properties;
    // Hooks of the control layer: make Child a child of Parent while reading; list the
    // components written inside Component (Root: the component being written).
    std::function<void(TComponent* Child, TComponent* Parent)> SetParentProc;
    std::function<std::vector<TComponent*>(TComponent* Component, TComponent* Root)> GetChildrenProc;

    TRegisteredClass* Parent() const;
    bool InheritsFrom(const String& AncestorName) const;
    // Properties of the whole chain, ancestors first.
    const std::vector<const TPropInfo*>& AllProperties() const;
    // Case-insensitive; null when neither the class nor an ancestor declares it.
    const TPropInfo* FindProperty(const String& PropName) const;
    const TMethodTable::TBinder* FindMethod(const String& MethodName) const;
    const TFieldTable::TSetter* FindField(const String& FieldName) const;
    bool IsIgnoredProperty(const String& PropName) const;
    // Hooks found along the chain.
    const std::function<void(TComponent*, TComponent*)>* FindSetParentProc() const;
    const std::function<std::vector<TComponent*>(TComponent*, TComponent*)>* FindGetChildrenProc() const;

    TPersistent* CreateInstance(TComponent* Owner) const;

private:
    friend TRegisteredClass& RegisterClassEntry(const String&, const String&, std::type_index);
    mutable std::vector<const TPropInfo*> FAll;
    mutable std::map<String, const TPropInfo*> FIndex;   // by upper-case name
    mutable unsigned FAllGeneration = 0;
};

// Adds (or answers) the entry of a class. A different C++ type under a registered name raises
// EComponentError "A class named X already exists".
TRegisteredClass& RegisterClassEntry(const String& Name, const String& ParentName, std::type_index Type);

// Answers the entry; raises EClassNotFound "Class X not found".
TRegisteredClass* FindClass(const String& Name);
// Answers the entry or null.
TRegisteredClass* GetClass(const String& Name);
// The entry of an object's class, or of its nearest registered ancestor; null when none.
TRegisteredClass* ClassOf(const TObject* Instance);
bool ClassInheritsFrom(const String& ClassName, const String& AncestorName);

namespace TypInfoDetail {
template <class T>
constexpr bool IsRegistryRoot = std::is_same_v<T, TObject> || std::is_same_v<T, TPersistent> ||
                                std::is_same_v<T, TComponent>;
template <class T>
constexpr bool DeclaresOwnProperties()
{
    if constexpr (!requires(TPropertyTable& Table) { T::RegisterProperties(Table); }) return false;
    else if constexpr (IsRegistryRoot<typename T::inherited>) return true;
    else if constexpr (!requires(TPropertyTable& Table) { T::inherited::RegisterProperties(Table); }) return true;
    else return &T::RegisterProperties != &T::inherited::RegisterProperties;
}
void FillBuiltins();
}  // namespace TypInfoDetail

// Registers T with its ancestors and its own properties (T::RegisterProperties, when T declares
// one). Registering again answers the existing entry.
template <class T>
TRegisteredClass& RegisterClass()
{
    static_assert(std::is_base_of_v<TPersistent, T>, "only persistent classes are registered");
    if constexpr (TypInfoDetail::IsRegistryRoot<T>) {
        TypInfoDetail::FillBuiltins();
        return *FindClass(T::StaticClassName());
    } else {
        if (TRegisteredClass* Existing = GetClass(T::StaticClassName()); Existing && Existing->Type == typeid(T))
            return *Existing;
        RegisterClass<typename T::inherited>();
        TRegisteredClass& R = RegisterClassEntry(T::StaticClassName(),
                                                 T::inherited::StaticClassName(), typeid(T));
        R.IsComponent = std::is_base_of_v<TComponent, T>;
        if constexpr (!std::is_abstract_v<T>) {
            if constexpr (std::is_base_of_v<TComponent, T> && std::is_constructible_v<T, TComponent*>)
                R.Factory = [](TComponent* Owner) -> TPersistent* { return Create<T>(Owner); };
            else if constexpr (!std::is_base_of_v<TComponent, T> && std::is_default_constructible_v<T>)
                R.Factory = [](TComponent*) -> TPersistent* { return Create<T>(); };
        }
        if constexpr (TypInfoDetail::DeclaresOwnProperties<T>()) T::RegisterProperties(R.Properties);
        return R;
    }
}

template <class... T>
void RegisterClasses()
{
    (RegisterClass<T>(), ...);
}

// Registers each class; a failure (a name taken by another class) is passed over. Answers how
// many were registered.
template <class... T>
int RegisterClassesQuietly()
{
    int Count = 0;
    auto One = [&Count](auto Reg) {
        try {
            Reg();
            ++Count;
        } catch (const Exception&) {
        }
    };
    (One([] { RegisterClass<T>(); }), ...);
    return Count;
}

// Hooks for the control layer, attached to a registered class and found by its descendants.
void RegisterParentSetter(const String& ClassName, std::function<void(TComponent* Child, TComponent* Parent)> Proc);
void RegisterChildrenGetter(const String& ClassName,
                            std::function<std::vector<TComponent*>(TComponent* Component, TComponent* Root)> Proc);

// ---- Access by name ---------------------------------------------------------------------------

// Property names here may be paths through nested objects ("Font.Name").
// Answers the property, with Instance moved to the object that owns it; null when missing.
const TPropInfo* FindPropInfo(TObject*& Instance, const String& Path);
// As FindPropInfo, raising EPropertyError "Property Foo does not exist".
const TPropInfo* GetPropInfo(TObject*& Instance, const String& Path);
bool IsPublishedProp(TObject* Instance, const String& Path);
// Property names of an object's class, ancestors first.
std::vector<String> GetPropNames(TObject* Instance);
std::vector<String> GetPropNames(const String& ClassName);

TPropValue GetPropTagged(TObject* Instance, const String& Path);
void SetPropTagged(TObject* Instance, const String& Path, const TPropValue& Value);

// Text forms, as a property file keeps them: numbers in invariant notation ("." decimals),
// Booleans "True"/"False", enumerations and named colours by identifier, sets "[a,b]", strings as
// they are, events by handler name, components by name, nested objects by class name.
String GetPropValue(TObject* Instance, const String& Path);
void SetPropValue(TObject* Instance, const String& Path, const String& Text);

// Typed shortcuts.
Int64 GetOrdProp(TObject* Instance, const String& Path);
void SetOrdProp(TObject* Instance, const String& Path, Int64 Value);
String GetStrProp(TObject* Instance, const String& Path);
void SetStrProp(TObject* Instance, const String& Path, const String& Value);
Extended GetFloatProp(TObject* Instance, const String& Path);
void SetFloatProp(TObject* Instance, const String& Path, Extended Value);
String GetEnumProp(TObject* Instance, const String& Path);
void SetEnumProp(TObject* Instance, const String& Path, const String& Ident);
TObject* GetObjectProp(TObject* Instance, const String& Path);

// Puts every published property of Instance back to its declared default; without one, strings
// become empty, floats 0 and references nil (ordinals without a default keep their value).
// Nested objects are reset likewise; string lists and collections are emptied.
void ResetProperties(TPersistent* Instance);

// Text of a value of the given property (see GetPropValue) and back.
String PropValueToText(const TPropInfo& Prop, const TPropValue& Value);
TPropValue TextToPropValue(const TPropInfo& Prop, const String& Text);

// Numbers in invariant notation, always with a point or an exponent: the shortest form that
// reads back to the same double when a double holds the value exactly, else to the same extended.
String FloatToInvariant(Extended Value);
bool TryInvariantToFloat(const String& Text, Extended& Value);
bool TryTextToInt64(const String& Text, Int64& Value);   // decimal, "$hex", "0x hex", sign
