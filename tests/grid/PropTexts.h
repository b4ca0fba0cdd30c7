// Published properties as text, for tests of option objects and other registered classes: every
// scalar property by path, a different value for each, and the names printed by gtest.
#pragma once

#include "framework/Graphics.h"
#include "framework/TypInfo.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace PropTexts {

using TTexts = std::map<String, String>;

inline String Clr(TColor C)
{
    return ColorToString(C);
}

inline bool IsNestedKind(TPropKind K)
{
    return K == TPropKind::Class;
}

inline bool IsScalarKind(TPropKind K)
{
    return K != TPropKind::Class && K != TPropKind::Strings && K != TPropKind::Collection &&
           K != TPropKind::Component && K != TPropKind::Method;
}

// Every published scalar property of Obj by path, as text; with Deep, also those of nested objects
// (fonts, glyphs, colour settings, drop-down appearances).
inline void CollectTexts(TObject* Obj, const String& Prefix, bool Deep, TTexts& Out)
{
    TRegisteredClass* C = ClassOf(Obj);
    if (!C) return;
    for (const TPropInfo* P : C->AllProperties()) {
        if (IsScalarKind(P->Kind)) {
            Out[Prefix + P->Name] = PropValueToText(*P, P->Get(Obj));
        } else if (Deep && IsNestedKind(P->Kind)) {
            if (TObject* Nested = P->Get(Obj).AsObject()) CollectTexts(Nested, Prefix + P->Name + L".", Deep, Out);
        }
    }
}

inline TTexts Texts(TObject* Obj, bool Deep = false)
{
    TTexts T;
    CollectTexts(Obj, L"", Deep, T);
    return T;
}

// A different value for every published scalar property (nested ones too), set through the
// registry as a description would set it.
inline void ChangeEverything(TObject* Obj, const String& Prefix = L"")
{
    TRegisteredClass* C = ClassOf(Obj);
    for (const TPropInfo* P : C->AllProperties()) {
        if (IsNestedKind(P->Kind)) {
            if (TObject* Nested = P->Get(Obj).AsObject()) ChangeEverything(Nested, Prefix + P->Name + L".");
            continue;
        }
        if (!IsScalarKind(P->Kind) || P->IsReadOnly()) continue;
        TPropValue V = P->Get(Obj);
        switch (P->Kind) {
        case TPropKind::Boolean: P->Set(Obj, TPropValue(!V.AsBoolean())); break;
        case TPropKind::String: P->Set(Obj, TPropValue(V.AsString() + L"x")); break;
        case TPropKind::Color:
            P->Set(Obj, TPropValue(Int64(V.AsInt64() == 0x00123456 ? 0x00654321 : 0x00123456)));
            break;
        case TPropKind::Enumeration: {
            const auto& E = P->IdentTable()->Entries();
            size_t I = 0;
            while (I < E.size() && E[I].Value != V.AsInt64()) ++I;
            P->Set(Obj, TPropValue(E[(I + 1) % E.size()].Value));
            break;
        }
        default: P->Set(Obj, TPropValue(V.AsInt64() + 3)); break;
        }
    }
}

inline std::string Narrow(const String& S)
{
    return std::string(S.begin(), S.end());
}

// Changes every property of Source, then Target->Assign(Source): each published path of Target
// holds Source's value, but those in NotCopied, which keep Target's.
inline void ExpectAssignCopies(TPersistent* Source, TPersistent* Target, const std::set<String>& NotCopied)
{
    ChangeEverything(Source);
    TTexts Before = Texts(Target, true);
    TTexts Changed = Texts(Source, true);
    Target->Assign(Source);
    for (auto& [Path, Value] : Texts(Target, true)) {
        bool Kept = NotCopied.count(Path) > 0;
        EXPECT_EQ(Value, Kept ? Before[Path] : Changed[Path]) << Narrow(Path) << (Kept ? " is not copied" : " is copied");
    }
}

// Target, every property changed, stays as it is when assigned another class or nothing.
inline void ExpectAssignIgnoresOthers(TPersistent* Target)
{
    ChangeEverything(Target);
    TTexts Before = Texts(Target, true);
    TStringList Other;
    Target->Assign(&Other);
    Target->Assign(nullptr);
    EXPECT_EQ(Texts(Target, true), Before);
}

} // namespace PropTexts
