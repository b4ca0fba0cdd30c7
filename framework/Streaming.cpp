// Streaming: the reader and writer that apply descriptions to live objects and make
// descriptions of them, and the ways in (resources, text, streams).
#include "Streaming.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <exception>

std::function<TComponent*(const String& Name)> FindGlobalComponentProc;

namespace {

constexpr int MaxDepth = 100;

// A short text of a value for messages.
String Describe(const TStreamValue& V)
{
    if (V.IsInteger()) return std::to_wstring(V.Int);
    if (V.IsFloat()) return FloatToInvariant(V.Float);
    if (V.IsString()) return L"'" + V.Str.substr(0, 40) + L"'";
    switch (V.Type) {
    case vaIdent: return V.Str;
    case vaTrue: return L"True";
    case vaFalse: return L"False";
    case vaNil: return L"nil";
    case vaSet: return L"(a set)";
    case vaList: return L"(a list)";
    case vaCollection: return L"(a collection)";
    case vaBinary: return L"(binary data)";
    default: return L"(a value)";
    }
}

[[noreturn]] void BadValue(const TStreamValue& V)
{
    throw EPropertyError(Consts::SInvalidPropertyValue, {Describe(V)});
}

std::vector<String> SplitPath(const String& Path)
{
    std::vector<String> R;
    size_t Start = 0;
    for (;;) {
        size_t Dot = Path.find(L'.', Start);
        R.push_back(Path.substr(Start, Dot == String::npos ? String::npos : Dot - Start));
        if (Dot == String::npos) return R;
        Start = Dot + 1;
    }
}

bool IsNested(TPropKind K)
{
    return K == TPropKind::Class || K == TPropKind::Strings || K == TPropKind::Collection;
}

Int64 IdentValue(const TPropInfo& Prop, const String& Ident)
{
    const TIdentTable* T = Prop.IdentTable();
    if (!T) throw EPropertyError(Consts::SNoIdentifiers, {Prop.Name});
    Int64 V = 0;
    if (!T->ToValue(Ident, V)) throw EPropertyError(Consts::SInvalidPropertyValue, {Ident});
    return V;
}

void ReadLines(TStrings* Lines, const TStreamValue& V)
{
    if (V.Type != vaList && V.Type != vaNil) BadValue(V);
    for (auto& E : V.List)
        if (!E.IsString()) BadValue(E);
    UpdateBlock(*Lines, [&] {
        Lines->Clear();
        for (auto& E : V.List) Lines->Add(E.Str);
    });
}

}  // namespace

// ---- TReader ----------------------------------------------------------------------------------

void TReader::Error(const String& Msg, int Line) const
{
    throw EReadError(Line > 0 ? Format(Consts::SAtLine, {Msg, Line}) : Msg);
}

void TReader::ReadRootComponent(const TStreamObject& Obj, TComponent* Root)
{
    if (!Root) throw EReadError(L"No component to read into");
    if (!SameText(Root->ClassName(), Obj.ClassName) && !Root->InheritsFromName(Obj.ClassName))
        Error(L"A description of " + Obj.ClassName + L" cannot be read into an object of class " +
                  Root->ClassName(), Obj.Line);
    FRoot = Root;
    FLoaded.clear();
    FFixups.clear();
    {
        auto Failed = ScopeFail([this] { Finish(false); });
        Root->SetLoading(true);
        Root->SetReading(true);
        FLoaded.push_back(Root);
        if (!Obj.Name.empty() && Root->GetName() != Obj.Name) Root->SetName(Obj.Name);
        for (auto& P : Obj.Props) ReadProperty(Root, P);
        ReadChildren(Obj, Root, 0);
        ResolveFixups(true);
    }
    Finish(true);
}

TComponent* TReader::ReadComponent(const TStreamObject& Obj, TComponent* Owner)
{
    TRegisteredClass* C = GetClass(Obj.ClassName);
    if (!C)
        throw EClassNotFound(Consts::SAtLine,
                             {Format(Consts::SClassNotFound, {Obj.ClassName}), Obj.Line});
    if (!C->IsComponent) Error(Format(Consts::SNotAComponent, {Obj.ClassName}), Obj.Line);
    auto* Comp = dynamic_cast<TComponent*>(C->CreateInstance(Owner));
    if (!Comp) Error(Format(Consts::SNoComponentMade, {Obj.ClassName}), Obj.Line);
    TFreePtr<TComponent> Made(Comp);
    ReadRootComponent(Obj, Comp);
    return Made.release();
}

void TReader::ReadProperties(const TStreamObject& Obj, TPersistent* Instance)
{
    auto* Comp = dynamic_cast<TComponent*>(Instance);
    FRoot = Comp && Comp->Owner() ? Comp->Owner() : Comp;
    FFixups.clear();
    for (auto& P : Obj.Props) ReadProperty(Instance, P);
    ResolveFixups(false);
}

void TReader::Finish(bool Success)
{
    std::vector<TComponent*> Loaded;
    Loaded.swap(FLoaded);
    for (TComponent* C : Loaded) C->SetReading(false);
    if (!Success) {
        for (TComponent* C : Loaded) C->SetLoading(false);
        return;
    }
    // Every component gets its Loaded even when an earlier one fails; the first failure is
    // passed on afterwards.
    std::exception_ptr First;
    for (TComponent* C : Loaded) {
        try {
            C->Loaded();
        } catch (...) {
            C->SetLoading(false);
            if (!First) First = std::current_exception();
        }
    }
    if (First) std::rethrow_exception(First);
}

void TReader::ReadChildren(const TStreamObject& Obj, TComponent* Parent, int Depth)
{
    for (auto& Child : Obj.Children) ReadChild(Child, Parent, Depth + 1);
}

void TReader::ReadChild(const TStreamObject& Obj, TComponent* Parent, int Depth)
{
    if (Depth > MaxDepth) Error(Consts::SComponentsNested, Obj.Line);
    TComponent* Child = Obj.Name.empty() ? nullptr : FRoot->FindComponent(Obj.Name);
    if (Child) {
        if (!SameText(Child->ClassName(), Obj.ClassName) && !Child->InheritsFromName(Obj.ClassName))
            Error(L"Component " + Obj.Name + L" is of class " + Child->ClassName() + L", not " + Obj.ClassName,
                  Obj.Line);
    } else {
        TRegisteredClass* C = GetClass(Obj.ClassName);
        if (!C)
            throw EClassNotFound(Consts::SAtLine,
                                 {Format(Consts::SClassNotFound, {Obj.ClassName}), Obj.Line});
        if (!C->IsComponent) Error(Format(Consts::SNotAComponent, {Obj.ClassName}), Obj.Line);
        try {
            Child = dynamic_cast<TComponent*>(C->CreateInstance(FRoot));
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& E) {
            Error(L"Cannot create " + Obj.Name + L": " + E.Message, Obj.Line);
        }
        if (!Child) Error(Format(Consts::SNoComponentMade, {Obj.ClassName}), Obj.Line);
        try {
            if (!Obj.Name.empty()) Child->SetName(Obj.Name);
        } catch (const Exception& E) {
            Child->Free();
            Error(E.Message, Obj.Line);
        }
    }
    Child->SetLoading(true);
    Child->SetReading(true);
    if (std::find(FLoaded.begin(), FLoaded.end(), Child) == FLoaded.end()) FLoaded.push_back(Child);
    if (TRegisteredClass* RootClass = ClassOf(FRoot))
        if (auto* Field = RootClass->FindField(Obj.Name)) {
            try {
                (*Field)(FRoot, Child);
            } catch (const Exception& E) {
                Error(E.Message, Obj.Line);
            }
        }
    if (TRegisteredClass* ChildClass = ClassOf(Child))
        if (auto* SetParent = ChildClass->FindSetParentProc()) (*SetParent)(Child, Parent);
    for (auto& P : Obj.Props) ReadProperty(Child, P);
    ReadChildren(Obj, Child, Depth);
}

void TReader::ReadProperty(TPersistent* Instance, const TStreamProperty& Prop)
{
    const String& Path = Prop.Name;
    int Line = Prop.Line ? Prop.Line : Prop.Value.Line;
    try {
        std::vector<String> Segs = SplitPath(Path);
        TObject* Obj = Instance;
        for (size_t I = 0; I + 1 < Segs.size(); ++I) {
            TRegisteredClass* C = ClassOf(Obj);
            const TPropInfo* P = C ? C->FindProperty(Segs[I]) : nullptr;
            if (!P && C && C->IsIgnoredProperty(Segs[I])) return;
            if (!P || !IsNested(P->Kind)) Error(Format(Consts::SUnknownProperty, {Path}), Line);
            Obj = P->Get(Obj).AsObject();
            if (!Obj) Error(Format(Consts::SUnknownPropertyUnassigned, {Path, Segs[I]}), Line);
        }
        const String& Last = Segs.back();
        if (auto* Lines = dynamic_cast<TStrings*>(Obj); Lines && SameText(Last, L"Strings")) {
            ReadLines(Lines, Prop.Value);
            return;
        }
        TRegisteredClass* C = ClassOf(Obj);
        if (const TPropInfo* P = C ? C->FindProperty(Last) : nullptr) {
            SetValue(Obj, *P, Prop.Value, Path);
            return;
        }
        if (auto* Pers = dynamic_cast<TPersistent*>(Obj); Pers && ReadDefined(Pers, Last, Prop.Value)) return;
        if (C && C->IsIgnoredProperty(Last)) return;
        Error(Format(Consts::SUnknownProperty, {Path}), Line);
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& E) {
        Error(Format(Consts::SErrorReading, {Path, E.Message}), Line);
    }
}

void TReader::SetValue(TObject* Instance, const TPropInfo& Prop, const TStreamValue& V, const String& Path)
{
    auto NeedSetter = [&] {
        if (Prop.IsReadOnly()) throw EPropertyError(Consts::SPropertyReadOnly, {Prop.Name});
    };
    switch (Prop.Kind) {
    case TPropKind::Integer:
    case TPropKind::Int64:
    case TPropKind::Cardinal: {
        Int64 I = 0;
        if (V.IsInteger()) I = V.Int;
        else if (V.Type == vaIdent && Prop.IdentTable()) I = IdentValue(Prop, V.Str);
        else BadValue(V);
        if (Prop.Kind == TPropKind::Integer && (I < INT32_MIN || I > INT32_MAX)) BadValue(V);
        if (Prop.Kind == TPropKind::Cardinal) {
            if (I < 0 && I >= INT32_MIN) I = Int64(Cardinal(I));   // a 32-bit pattern
            if (I < 0 || I > Int64(UINT32_MAX)) BadValue(V);
        }
        NeedSetter();
        Prop.Set(Instance, TPropValue(I));
        return;
    }
    case TPropKind::Boolean:
        if (V.Type != vaTrue && V.Type != vaFalse) BadValue(V);
        NeedSetter();
        Prop.Set(Instance, TPropValue(V.Type == vaTrue));
        return;
    case TPropKind::Char:
        NeedSetter();
        if (V.IsInteger() && V.Int >= 0 && V.Int <= 0xFFFF) Prop.Set(Instance, TPropValue(V.Int));
        else if (V.IsString() && V.Str.size() == 1) Prop.Set(Instance, TPropValue(Int64(V.Str[0])));
        else BadValue(V);
        return;
    case TPropKind::Float: {
        Extended F = 0;
        if (V.Type == vaCurrency) F = Extended(V.Int) / 10000;
        else if (V.IsFloat()) F = V.Float;
        else if (V.IsInteger()) F = Extended(V.Int);
        else BadValue(V);
        NeedSetter();
        Prop.Set(Instance, TPropValue(F));
        return;
    }
    case TPropKind::String:
        if (!V.IsString()) BadValue(V);
        NeedSetter();
        Prop.Set(Instance, TPropValue(V.Str));
        return;
    case TPropKind::Enumeration:
    case TPropKind::Color: {
        Int64 I = 0;
        if (V.Type == vaIdent) I = IdentValue(Prop, V.Str);
        else if (V.IsInteger()) I = V.Int;
        else BadValue(V);
        if (Prop.Kind == TPropKind::Color && (I < INT32_MIN || I > INT32_MAX)) BadValue(V);
        if (Prop.Kind == TPropKind::Enumeration && V.IsInteger()) {
            // A number must still be one of the enumeration's values.
            const TIdentTable* T = Prop.IdentTable();
            String Ident;
            if (T && !T->Entries().empty() && !T->ToIdent(I, Ident)) BadValue(V);
        }
        NeedSetter();
        Prop.Set(Instance, TPropValue(I));
        return;
    }
    case TPropKind::Set: {
        if (V.Type != vaSet) BadValue(V);
        const TIdentTable* T = Prop.IdentTable();
        if (!T) throw EPropertyError(Consts::SNoIdentifiers, {Prop.Name});
        UInt64 Bits = 0;
        for (auto& M : V.Set) {
            Int64 E = IdentValue(Prop, M);
            if (E < 0 || E > 63) throw EPropertyError(Consts::SInvalidPropertyValue, {M});
            Bits |= UInt64(1) << E;
        }
        NeedSetter();
        Prop.Set(Instance, TPropValue(Int64(Bits)));
        return;
    }
    case TPropKind::Class:
        if (V.Type == vaNil) return;
        throw EPropertyError(L"Property " + Prop.Name + L" holds an object: set its properties by path");
    case TPropKind::Strings: {
        auto* Lines = dynamic_cast<TStrings*>(Prop.Get(Instance).AsObject());
        if (!Lines) throw EPropertyError(Consts::SPropertyNotAssigned, {Prop.Name});
        ReadLines(Lines, V);
        return;
    }
    case TPropKind::Collection: {
        auto* Coll = dynamic_cast<TCollection*>(Prop.Get(Instance).AsObject());
        if (!Coll) throw EPropertyError(Consts::SPropertyNotAssigned, {Prop.Name});
        if (V.Type == vaNil) Coll->Clear();
        else if (V.Type == vaCollection) ReadCollection(Coll, V);
        else BadValue(V);
        return;
    }
    case TPropKind::Component:
        NeedSetter();
        if (V.Type == vaNil) Prop.Set(Instance, TPropValue(static_cast<TObject*>(nullptr)));
        else if (V.Type == vaIdent) FFixups.push_back({Instance, &Prop, V.Str, V.Line});
        else BadValue(V);
        return;
    case TPropKind::Method: {
        if (V.Type == vaNil) {
            Prop.AssignMethod(Instance, std::any());
            return;
        }
        if (V.Type != vaIdent) BadValue(V);
        TRegisteredClass* RootClass = FRoot ? ClassOf(FRoot) : nullptr;
        auto* Binder = RootClass ? RootClass->FindMethod(V.Str) : nullptr;
        if (!Binder) throw EPropertyError(Consts::SMethodNotFound, {V.Str});
        Prop.AssignMethod(Instance, (*Binder)(FRoot));
        return;
    }
    }
}

void TReader::ReadCollection(TCollection* Coll, const TStreamValue& V)
{
    UpdateBlock(*Coll, [&] {
        Coll->Clear();
        for (auto& Item : V.Items) {
            TCollectionItem* It = Coll->Add();
            for (auto& P : Item.Props) ReadProperty(It, P);
        }
    });
}

TComponent* TReader::FindReference(const String& Name) const
{
    if (FRoot) {
        if (SameText(FRoot->GetName(), Name)) return FRoot;
        if (TComponent* C = FRoot->FindComponent(Name)) return C;
    }
    if (!FindGlobalComponentProc) return nullptr;
    size_t Dot = Name.find(L'.');
    if (Dot == String::npos) return FindGlobalComponentProc(Name);
    TComponent* Owner = FindGlobalComponentProc(Name.substr(0, Dot));
    return Owner ? Owner->FindComponent(Name.substr(Dot + 1)) : nullptr;
}

void TReader::ResolveFixups(bool Strict)
{
    std::vector<TFixup> Fixups;
    Fixups.swap(FFixups);
    for (auto& F : Fixups) {
        TComponent* C = FindReference(F.Name);
        if (!C) {
            if (Strict) Error(Format(Consts::SErrorReadingComponent, {F.Prop->Name, F.Name}), F.Line);
            continue;
        }
        try {
            F.Prop->Set(F.Instance, TPropValue(static_cast<TObject*>(C)));
        } catch (const Exception& E) {
            Error(Format(Consts::SErrorReading, {F.Prop->Name, E.Message}), F.Line);
        }
    }
}

bool TReader::ReadDefined(TPersistent* Instance, const String& Name, const TStreamValue& Value)
{
    FPendingName = &Name;
    FPendingValue = &Value;
    FPendingHandled = false;
    FCursor.clear();
    FValueTaken = false;
    struct TReset {
        TReader* R;
        ~TReset()
        {
            R->FPendingName = nullptr;
            R->FPendingValue = nullptr;
            R->FCursor.clear();
        }
    } Reset{this};
    Instance->DefineProperties(this);
    return FPendingHandled;
}

void TReader::DefineProperty(const String& Name, std::function<void(TReader*)> ReadData,
                             std::function<void(TWriter*)>, bool)
{
    if (!FPendingName || FPendingHandled || !SameText(Name, *FPendingName)) return;
    FPendingHandled = true;
    if (ReadData) ReadData(this);
}

void TReader::DefineBinaryProperty(const String& Name, std::function<void(TStream*)> ReadData,
                                   std::function<void(TStream*)>, bool)
{
    if (!FPendingName || FPendingHandled || !SameText(Name, *FPendingName)) return;
    FPendingHandled = true;
    if (FPendingValue->Type != vaBinary) BadValue(*FPendingValue);
    if (!ReadData) return;
    TMemoryStream Stream;
    if (!FPendingValue->Binary.empty())
        Stream.WriteBuffer(FPendingValue->Binary.data(), NativeInt(FPendingValue->Binary.size()));
    Stream.SetPosition(0);
    ReadData(&Stream);
}

TValueType TReader::NextValue() const
{
    if (!FPendingValue) return vaNull;
    if (!FCursor.empty()) {
        auto& [List, Index] = FCursor.back();
        return Index < List->List.size() ? List->List[Index].Type : vaNull;
    }
    return FValueTaken ? vaNull : FPendingValue->Type;
}

const TStreamValue& TReader::ReadValue()
{
    if (!FPendingValue) throw EReadError(L"No value to read");
    if (!FCursor.empty()) {
        auto& [List, Index] = FCursor.back();
        if (Index >= List->List.size()) throw EReadError(L"Read past the end of a list");
        return List->List[Index++];
    }
    if (FValueTaken) throw EReadError(L"Read past the end of the value");
    FValueTaken = true;
    return *FPendingValue;
}

Int64 TReader::ReadInteger()
{
    const TStreamValue& V = ReadValue();
    if (!V.IsInteger()) BadValue(V);
    return V.Int;
}

bool TReader::ReadBoolean()
{
    const TStreamValue& V = ReadValue();
    if (V.Type != vaTrue && V.Type != vaFalse) BadValue(V);
    return V.Type == vaTrue;
}

Extended TReader::ReadFloat()
{
    const TStreamValue& V = ReadValue();
    if (V.Type == vaCurrency) return Extended(V.Int) / 10000;
    if (V.IsFloat()) return V.Float;
    if (V.IsInteger()) return Extended(V.Int);
    BadValue(V);
}

String TReader::ReadString()
{
    const TStreamValue& V = ReadValue();
    if (!V.IsString()) BadValue(V);
    return V.Str;
}

String TReader::ReadIdent()
{
    const TStreamValue& V = ReadValue();
    switch (V.Type) {
    case vaIdent: return V.Str;
    case vaTrue: return L"True";
    case vaFalse: return L"False";
    case vaNil: return L"nil";
    default: BadValue(V);
    }
}

void TReader::ReadListBegin()
{
    const TStreamValue& V = ReadValue();
    if (V.Type != vaList) BadValue(V);
    FCursor.emplace_back(&V, 0);
}

bool TReader::EndOfList() const
{
    return FCursor.empty() || FCursor.back().second >= FCursor.back().first->List.size();
}

void TReader::ReadListEnd()
{
    if (FCursor.empty()) throw EReadError(Consts::SNoListToEnd);
    if (!EndOfList()) throw EReadError(L"The list has more values");
    FCursor.pop_back();
}

// ---- TWriter ----------------------------------------------------------------------------------

TStreamObject TWriter::WriteRootComponent(TComponent* Root)
{
    FRoot = Root;
    return WriteComponent(Root, 0);
}

TStreamObject TWriter::WriteObject(TPersistent* Instance)
{
    auto* Comp = dynamic_cast<TComponent*>(Instance);
    FRoot = Comp && Comp->Owner() ? Comp->Owner() : Comp;
    TStreamObject Obj;
    Obj.ClassName = Instance->ClassName();
    if (Comp) Obj.Name = Comp->GetName();
    WriteProperties(Instance, String(), Obj.Props, 0);
    return Obj;
}

TStreamObject TWriter::WriteComponent(TComponent* Component, int Depth)
{
    if (Depth > MaxDepth) throw EWriteError(Consts::SComponentsNested);
    TStreamObject Obj;
    Obj.ClassName = Component->ClassName();
    Obj.Name = Component->GetName();
    WriteProperties(Component, String(), Obj.Props, 0);
    std::vector<TComponent*> Kids;
    TRegisteredClass* C = ClassOf(Component);
    if (auto* Hook = C ? C->FindGetChildrenProc() : nullptr) {
        Kids = (*Hook)(Component, FRoot);
    } else if (Component == FRoot) {
        for (int I = 0; I < Component->ComponentCount(); ++I) Kids.push_back(Component->Components(I));
    }
    for (TComponent* K : Kids) Obj.Children.push_back(WriteComponent(K, Depth + 1));
    return Obj;
}

void TWriter::WriteProperties(TPersistent* Instance, const String& Prefix, std::vector<TStreamProperty>& Out, int Depth)
{
    if (Depth > MaxDepth) throw EWriteError(Consts::SObjectsNested);
    if (TRegisteredClass* C = ClassOf(Instance)) {
        for (const TPropInfo* P : C->AllProperties()) {
            if (!P->IsStored(Instance)) continue;
            String Path = Prefix + P->Name;
            switch (P->Kind) {
            case TPropKind::Class:
                if (auto* Nested = dynamic_cast<TPersistent*>(P->Get(Instance).AsObject()))
                    WriteProperties(Nested, Path + L".", Out, Depth + 1);
                break;
            case TPropKind::Strings:
                if (auto* Lines = dynamic_cast<TStrings*>(P->Get(Instance).AsObject()); Lines && Lines->Count() > 0) {
                    TStreamValue V;
                    V.Type = vaList;
                    for (int I = 0; I < Lines->Count(); ++I) V.List.push_back(TStreamValue::OfString(Lines->Strings(I)));
                    Out.push_back({Path + L".Strings", std::move(V)});
                }
                break;
            case TPropKind::Collection:
                if (auto* Coll = dynamic_cast<TCollection*>(P->Get(Instance).AsObject()); Coll && Coll->Count() > 0) {
                    TStreamValue V;
                    V.Type = vaCollection;
                    for (int I = 0; I < Coll->Count(); ++I) {
                        TStreamItem Item;
                        WriteProperties(Coll->Items(I), String(), Item.Props, Depth + 1);
                        V.Items.push_back(std::move(Item));
                    }
                    Out.push_back({Path, std::move(V)});
                }
                break;
            default: {
                TStreamValue V;
                if (ValueOf(Instance, *P, V, Depth)) Out.push_back({Path, std::move(V)});
            }
            }
        }
    }
    TValueScope OutTo(FOut, &Out);
    TValueScope<String> PrefixOf(FPrefix, Prefix);
    Instance->DefineProperties(this);
}

bool TWriter::ValueOf(TObject* Instance, const TPropInfo& P, TStreamValue& V, int)
{
    TPropValue Val = P.Get(Instance);
    if (P.HasDefault && Val == P.Default) return false;
    switch (P.Kind) {
    case TPropKind::Integer:
    case TPropKind::Int64:
    case TPropKind::Cardinal: V = TStreamValue::Integer(Val.AsInt64()); return true;
    case TPropKind::Boolean: V = TStreamValue::Boolean(Val.AsBoolean()); return true;
    case TPropKind::Char: V = TStreamValue::OfString(String(1, wchar_t(Val.AsInt64()))); return true;
    case TPropKind::Float:
        if (!P.HasDefault && Val.AsFloat() == 0) return false;
        V = TStreamValue::Extended_(Val.AsFloat());
        return true;
    case TPropKind::String:
        if (!P.HasDefault && Val.AsString().empty()) return false;
        V = TStreamValue::OfString(Val.AsString());
        return true;
    case TPropKind::Enumeration:
    case TPropKind::Color: {
        String Ident;
        const TIdentTable* T = P.IdentTable();
        if (T && T->ToIdent(Val.AsInt64(), Ident)) V = TStreamValue::Ident(Ident);
        else V = TStreamValue::Integer(Val.AsInt64());
        return true;
    }
    case TPropKind::Set: {
        const TIdentTable* T = P.IdentTable();
        if (!T) throw EWriteError(Consts::SNoIdentifiers, {P.Name});
        V.Type = vaSet;
        UInt64 Bits = UInt64(Val.AsInt64());
        for (auto& E : T->Entries())
            if (E.Value >= 0 && E.Value < 64 && (Bits & (UInt64(1) << E.Value))) V.Set.push_back(E.Ident);
        return true;
    }
    case TPropKind::Component: {
        auto* C = dynamic_cast<TComponent*>(Val.AsObject());
        if (!C) return false;
        String Name = ReferenceName(C);
        if (Name.empty()) return false;
        V = TStreamValue::Ident(Name);
        return true;
    }
    case TPropKind::Method: {
        String Name = Val.IsEmpty() ? String() : Val.AsString();
        if (Name.empty()) return false;
        V = TStreamValue::Ident(Name);
        return true;
    }
    case TPropKind::Class:
    case TPropKind::Strings:
    case TPropKind::Collection: break;
    }
    return false;
}

String TWriter::ReferenceName(TComponent* C) const
{
    if (C == FRoot || C->Owner() == FRoot || !C->Owner()) return C->GetName();
    if (C->GetName().empty() || C->Owner()->GetName().empty()) return String();
    return C->Owner()->GetName() + L"." + C->GetName();
}

void TWriter::WriteValue(const TStreamValue& Value)
{
    if (FValueStack.empty()) throw EWriteError(Consts::SNoValueTarget);
    auto& [Target, IsList] = FValueStack.back();
    if (IsList) {
        Target->List.push_back(Value);
    } else {
        if (Target->Type != vaNull) throw EWriteError(Consts::SOneValue);
        *Target = Value;
    }
}

void TWriter::WriteListBegin()
{
    if (FValueStack.empty()) throw EWriteError(Consts::SNoValueTarget);
    auto [Target, IsList] = FValueStack.back();
    TStreamValue List;
    List.Type = vaList;
    if (IsList) {
        Target->List.push_back(List);
        FValueStack.emplace_back(&Target->List.back(), true);
    } else {
        if (Target->Type != vaNull) throw EWriteError(Consts::SOneValue);
        *Target = List;
        FValueStack.emplace_back(Target, true);
    }
}

void TWriter::WriteListEnd()
{
    if (FValueStack.size() < 2 || !FValueStack.back().second) throw EWriteError(Consts::SNoListToEnd);
    FValueStack.pop_back();
}

void TWriter::DefineProperty(const String& Name, std::function<void(TReader*)>,
                             std::function<void(TWriter*)> WriteData, bool HasData)
{
    if (!HasData || !WriteData || !FOut) return;
    TStreamValue V;
    FValueStack.assign(1, {&V, false});
    {
        auto Failed = ScopeFail([this] { FValueStack.clear(); });
        WriteData(this);
    }
    bool Open = FValueStack.size() > 1;
    FValueStack.clear();
    if (Open) throw EWriteError(L"A list of " + Name + L" was not ended");
    if (V.Type != vaNull) FOut->push_back({FPrefix + Name, std::move(V)});
}

void TWriter::DefineBinaryProperty(const String& Name, std::function<void(TStream*)>,
                                   std::function<void(TStream*)> WriteData, bool HasData)
{
    if (!HasData || !WriteData || !FOut) return;
    TMemoryStream Stream;
    WriteData(&Stream);
    TStreamValue V;
    V.Type = vaBinary;
    auto* Bytes = static_cast<const Byte*>(Stream.Memory());
    V.Binary.assign(Bytes, Bytes + Stream.Size());
    FOut->push_back({FPrefix + Name, std::move(V)});
}

// ---- Ways in and out --------------------------------------------------------------------------

void ReadComponentText(const String& Text, TComponent* Root)
{
    TReader Reader;
    Reader.ReadRootComponent(ParseObjectText(Text), Root);
}

TComponent* CreateComponentFromText(const String& Text, TComponent* Owner)
{
    TReader Reader;
    return Reader.ReadComponent(ParseObjectText(Text), Owner);
}

String WriteComponentText(TComponent* Root)
{
    TWriter Writer;
    return FormatObjectText(Writer.WriteRootComponent(Root));
}

void ReadComponentData(const Byte* Data, size_t Size, TComponent* Instance)
{
    TStreamObject Obj;
    if (Size >= 4 && std::memcmp(Data, "TPF0", 4) == 0) {
        size_t Pos = 0;
        Obj = ParseObjectBinary(Data, Size, Pos);
    } else if (Size >= 2 && Data[0] == 0xFF && Data[1] == 0xFE) {
        String Text;
        for (size_t I = 2; I + 1 < Size; I += 2) Text += wchar_t(Data[I] | (Data[I + 1] << 8));
        Obj = ParseObjectText(Text);
    } else {
        size_t Skip = Size >= 3 && Data[0] == 0xEF && Data[1] == 0xBB && Data[2] == 0xBF ? 3 : 0;
        Obj = ParseObjectText(Utf8ToUtf16(std::string(reinterpret_cast<const char*>(Data) + Skip, Size - Skip)));
    }
    TReader Reader;
    Reader.ReadRootComponent(Obj, Instance);
}

void ReadComponentRes(const String& ResName, TComponent* Instance, HMODULE Module)
{
    if (!Module) Module = GetModuleHandleW(nullptr);
    HRSRC Res = FindResourceW(Module, ResName.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL Handle = Res ? LoadResource(Module, Res) : nullptr;
    const void* Data = Handle ? LockResource(Handle) : nullptr;
    if (!Data) throw EResNotFound(Consts::SResNotFound, {ResName});
    ReadComponentData(static_cast<const Byte*>(Data), SizeofResource(Module, Res), Instance);
}

void WriteComponentToStream(TStream* Stream, TPersistent* Instance)
{
    TWriter Writer;
    TBytes Bytes = FormatObjectBinary(Writer.WriteObject(Instance));
    Stream->WriteBuffer(Bytes.data(), NativeInt(Bytes.size()));
}

void ReadComponentFromStream(TStream* Stream, TPersistent* Instance)
{
    Int64 Start = Stream->Position();
    TStreamObject Obj;
    if (auto* Mem = dynamic_cast<TCustomMemoryStream*>(Stream)) {
        size_t Pos = size_t(Start);
        Obj = ParseObjectBinary(static_cast<const Byte*>(Mem->Memory()), size_t(Mem->Size()), Pos);
        Stream->SetPosition(Int64(Pos));
    } else {
        Int64 Left = Stream->Size() - Start;
        if (Left < 0) throw EReadError(Consts::SReadPastRecord);
        TBytes Rest(static_cast<size_t>(Left));
        if (Left > 0) Stream->ReadBuffer(Rest.data(), NativeInt(Left));
        size_t Pos = 0;
        {
            auto Failed = ScopeFail([Stream, Start] { Stream->SetPosition(Start); });
            Obj = ParseObjectBinary(Rest.data(), Rest.size(), Pos);
        }
        Stream->SetPosition(Start + Int64(Pos));
    }
    TReader Reader;
    Reader.ReadProperties(Obj, Instance);
}

void ObjectTextToBinary(TStream* Input, TStream* Output)
{
    Int64 Left = Input->Size() - Input->Position();
    std::string Bytes(size_t(std::max<Int64>(Left, 0)), '\0');
    if (Left > 0) Input->ReadBuffer(Bytes.data(), NativeInt(Left));
    size_t Skip = Bytes.size() >= 3 && Bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    TBytes Out = ObjectTextToBinary(Utf8ToUtf16(Bytes.substr(Skip)));
    Output->WriteBuffer(Out.data(), NativeInt(Out.size()));
}

void ObjectBinaryToText(TStream* Input, TStream* Output)
{
    Int64 Start = Input->Position();
    Int64 Left = Input->Size() - Start;
    TBytes Rest(static_cast<size_t>(std::max<Int64>(Left, 0)));
    if (Left > 0) Input->ReadBuffer(Rest.data(), NativeInt(Left));
    size_t Pos = 0;
    TStreamObject Obj = ParseObjectBinary(Rest.data(), Rest.size(), Pos);
    Input->SetPosition(Start + Int64(Pos));
    std::string Text = Utf16ToUtf8(FormatObjectText(Obj));
    Output->WriteBuffer(Text.data(), NativeInt(Text.size()));
}
