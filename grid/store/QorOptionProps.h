// QorOptionProps: the property lists of the grid's option classes, written once and expanded three
// ways: into the class (getter, setter and field), into its property table (published name and
// default), and into its Assign (which fields a copy takes).
//
// A class lists its simple properties as rows of an X macro:
//
//     #define QOR_BANDS_PROPS(X)                                    (line continuations)
//         X(Differs, Add,      Copy, bool,   Active,       false)
//         X(Field,   AddColor, Copy, TColor, PrimaryColor, clInfoBk)
//
// Columns:
//   Kind    Field    Set<Name> only stores (nobody is told)
//           Always   Set<Name> stores, then calls the class's Changed()
//           Differs  Set<Name> stores and calls Changed() only when the value differs
//           Setter   Set<Name> is written by the class in its .cpp
//   Reg     Add / AddColor: published under <Name> with Init as its default; Public: not published
//   Copy    Copy: Assign takes the field from the source directly; Keep: Assign leaves it
//   Type, Name, Init: the value type, the property's name, its initial value
//
// Inside the class: QOR_BANDS_PROPS(QOR_OPTION_DECLARE) (it leaves the access at protected);
// in RegisterProperties, with `using TSelf = TBands;`: QOR_BANDS_PROPS(QOR_OPTION_REGISTER);
// in Assign, with `const TBands* Source`: QOR_BANDS_PROPS(QOR_OPTION_COPY); and where a class
// puts values back to their initial ones: QOR_BANDS_PROPS(QOR_OPTION_RESET).
//
// Properties with objects (fonts, bitmaps, lists) and those with unusual accessors are written out
// by hand beside the list.
#pragma once

#include "framework/TypInfo.h"

#include <type_traits>

// Setters take strings by reference, everything else by value.
template <class T>
using TOptionArg = std::conditional_t<std::is_class_v<T>, const T&, T>;

#define QOR_OPTION_DECLARE(Kind, Reg, Copy, Type, Name, Init) QOR_OPTION_DECLARE_##Kind(Type, Name, Init)

#define QOR_OPTION_GETTER_AND_FIELD_(Type, Name, Init)            \
public:                                                         \
    TOptionArg<Type> Get##Name() const { return F##Name; }      \
                                                                \
protected:                                                      \
    Type F##Name = Init;

#define QOR_OPTION_DECLARE_Field(Type, Name, Init)                \
public:                                                         \
    void Set##Name(TOptionArg<Type> Value) { F##Name = Value; } \
    QOR_OPTION_GETTER_AND_FIELD_(Type, Name, Init)

#define QOR_OPTION_DECLARE_Always(Type, Name, Init) \
public:                                           \
    void Set##Name(TOptionArg<Type> Value)        \
    {                                             \
        F##Name = Value;                          \
        Changed();                                \
    }                                             \
    QOR_OPTION_GETTER_AND_FIELD_(Type, Name, Init)

#define QOR_OPTION_DECLARE_Differs(Type, Name, Init) \
public:                                            \
    void Set##Name(TOptionArg<Type> Value)         \
    {                                              \
        if (F##Name == Value) return;              \
        F##Name = Value;                           \
        Changed();                                 \
    }                                              \
    QOR_OPTION_GETTER_AND_FIELD_(Type, Name, Init)

#define QOR_OPTION_DECLARE_Setter(Type, Name, Init) \
public:                                           \
    void Set##Name(TOptionArg<Type> Value);       \
    QOR_OPTION_GETTER_AND_FIELD_(Type, Name, Init)

#define QOR_OPTION_REGISTER(Kind, Reg, Copy, Type, Name, Init) QOR_OPTION_REGISTER_##Reg(Type, Name, Init)
#define QOR_OPTION_REGISTER_Add(Type, Name, Init) Table.Add(L## #Name, &TSelf::Get##Name, &TSelf::Set##Name, Type(Init));
#define QOR_OPTION_REGISTER_AddColor(Type, Name, Init) \
    Table.AddColor(L## #Name, &TSelf::Get##Name, &TSelf::Set##Name, Type(Init));
#define QOR_OPTION_REGISTER_Public(Type, Name, Init)

#define QOR_OPTION_COPY(Kind, Reg, Copy, Type, Name, Init) QOR_OPTION_COPY_##Copy(Name)
#define QOR_OPTION_COPY_Copy(Name) F##Name = Source->F##Name;
#define QOR_OPTION_COPY_Keep(Name)

#define QOR_OPTION_RESET(Kind, Reg, Copy, Type, Name, Init) F##Name = Type(Init);
