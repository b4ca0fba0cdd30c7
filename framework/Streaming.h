// Streaming: component descriptions in the readable text form and the binary record form, and
// the reader and writer that move them in and out of live objects through the property tables
// of TypInfo.
//
// Both forms parse into one tree (TStreamObject): a class name, a component name, properties as
// (path, tagged value) pairs in order, and child objects. The text form:
//
//     object Form1: TForm1
//       Caption = 'Title'#13#10'second line'
//       Font.Name = 'Tahoma'
//       Position = poScreenCenter
//       Font.Style = [fsBold]
//       Lines.Strings = (
//         'first'
//         'second')
//       OnShow = FormShow
//       object Memo1: TMemo
//         Align = alClient
//       end
//     end
//
// The binary form starts with "TPF0"; values carry the tags below. Errors in either form raise
// EReadError (EClassNotFound for classes) naming what failed and, for text, the line. A binary
// record is parsed whole before anything is applied, so a damaged record changes nothing.
//
// How the layers above take part:
// - every class a description names is registered (RegisterClass<T>), with its properties;
// - a form registers its handlers (Table.Methods) and component fields (Table.Fields), and reads
//   its description with ReadComponentRes(ResName, this) once constructed;
// - the control layer registers a parent setter (RegisterParentSetter(L"TControl", ...)): the
//   reader calls it for each component with the object it is nested in, before the component's
//   properties; and a children getter (RegisterChildrenGetter) so that the writer nests controls
//   in their parents (without one, a root writes the components it owns, in order);
// - the forms layer may set FindGlobalComponentProc for references to other forms.
#pragma once

#include "TypInfo.h"

#include <vector>

class TReader;
class TWriter;

enum TValueType : Byte {
    vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaExtended = 5, vaString = 6,
    vaIdent = 7, vaFalse = 8, vaTrue = 9, vaBinary = 10, vaSet = 11, vaLString = 12, vaNil = 13,
    vaCollection = 14, vaSingle = 15, vaCurrency = 16, vaDate = 17, vaWString = 18, vaInt64 = 19,
    vaUTF8String = 20, vaDouble = 21
};

enum TFilerFlag { ffInherited = 0, ffChildPos = 1, ffInline = 2 };
using TFilerFlags = TSet<TFilerFlag>;

struct TStreamProperty;

// One item of a collection value: its properties.
struct TStreamItem {
    std::vector<TStreamProperty> Props;
    bool HasIndex = false;   // the binary form may carry an order value before the item
    Int64 Index = 0;
    int Line = 0;
};

// A tagged value.
struct TStreamValue {
    TValueType Type = vaNull;
    Int64 Int = 0;                       // integers; currency in units of 1/10000
    Extended Float = 0;                  // extended, double, single, date
    String Str;                          // strings and identifiers
    std::vector<String> Set;             // set members
    std::vector<TStreamValue> List;      // list elements
    std::vector<TStreamItem> Items;      // collection items
    TBytes Binary;                       // binary data
    int Line = 0;

    bool IsInteger() const { return Type == vaInt8 || Type == vaInt16 || Type == vaInt32 || Type == vaInt64; }
    bool IsFloat() const
    {
        return Type == vaExtended || Type == vaDouble || Type == vaSingle || Type == vaDate || Type == vaCurrency;
    }
    bool IsString() const
    {
        return Type == vaString || Type == vaLString || Type == vaWString || Type == vaUTF8String;
    }

    static TStreamValue Integer(Int64 V);     // the smallest integer tag that holds V
    static TStreamValue OfString(const String& S);   // the string tag the text calls for
    static TStreamValue Ident(const String& S);
    static TStreamValue Boolean(bool V);
    static TStreamValue Extended_(Extended V);
};

struct TStreamProperty {
    String Name;       // a path: "Font.Name", "Lines.Strings"
    TStreamValue Value;
    int Line = 0;
};

struct TStreamObject {
    String ClassName;
    String Name;
    TFilerFlags Flags;
    Int64 ChildPos = 0;
    std::vector<TStreamProperty> Props;
    std::vector<TStreamObject> Children;
    int Line = 0;
};

// ---- The two forms ----------------------------------------------------------------------------

// Parses one object description; anything after its final "end" but blanks is an error.
TStreamObject ParseObjectText(const String& Text);
String FormatObjectText(const TStreamObject& Obj);

// One record: "TPF0", the object, its end markers.
TBytes FormatObjectBinary(const TStreamObject& Obj);
// Reads one record from Data starting at Pos, which moves past it. A short, truncated or
// malformed record raises EReadError.
TStreamObject ParseObjectBinary(const Byte* Data, size_t Size, size_t& Pos);
TStreamObject ParseObjectBinary(const TBytes& Data);

TBytes ObjectTextToBinary(const String& Text);
String ObjectBinaryToText(const TBytes& Data);
void ObjectTextToBinary(TStream* Input, TStream* Output);   // UTF-8 text in, one record out
void ObjectBinaryToText(TStream* Input, TStream* Output);   // one record in, UTF-8 text out

// ---- Filers -----------------------------------------------------------------------------------

// What DefineProperties sees: a reader or a writer, for values that are not published
// properties. A reader calls ReadData when the description holds the named value; a writer calls
// WriteData when HasData.
class TFiler : public TObject {
    DECLARE_CLASS(TFiler, TObject)
public:
    virtual void DefineProperty(const String& Name, std::function<void(TReader* Reader)> ReadData,
                                std::function<void(TWriter* Writer)> WriteData, bool HasData) = 0;
    // Binary data: the reader hands a stream holding the bytes; the writer collects what is
    // written into the stream it hands.
    virtual void DefineBinaryProperty(const String& Name, std::function<void(TStream* Stream)> ReadData,
                                      std::function<void(TStream* Stream)> WriteData, bool HasData) = 0;
    TComponent* GetRoot() const { return FRoot; }
    TComponent* Root() const { return GetRoot(); }

protected:
    TComponent* FRoot = nullptr;
};

// Applies descriptions to objects: creates components through the class registry (owned by the
// root), sets csLoading and csReading, sets properties in order, binds events through the root's
// method table, resolves component references once the whole tree is read, then calls Loaded on
// every component read (the root first).
class TReader : public TFiler {
    DECLARE_CLASS(TReader, TFiler)
public:
    // Reads Obj into the existing Root (a form): its name unless empty, its properties, its
    // components (found by name among those Root owns, else created).
    void ReadRootComponent(const TStreamObject& Obj, TComponent* Root);
    // Creates the component Obj describes, owned by Owner, and reads it as a root.
    TComponent* ReadComponent(const TStreamObject& Obj, TComponent* Owner);
    // Reads only the properties of Obj into Instance (records): no class check, no children,
    // no Loaded.
    void ReadProperties(const TStreamObject& Obj, TPersistent* Instance);

    // For DefineProperty readers: the value, or with lists one element after another.
    TValueType NextValue() const;
    const TStreamValue& ReadValue();
    Int64 ReadInteger();
    Int64 ReadInt64() { return ReadInteger(); }
    bool ReadBoolean();
    Extended ReadFloat();
    String ReadString();
    String ReadIdent();
    void ReadListBegin();
    bool EndOfList() const;
    void ReadListEnd();

    void DefineProperty(const String& Name, std::function<void(TReader*)> ReadData,
                        std::function<void(TWriter*)> WriteData, bool HasData) override;
    void DefineBinaryProperty(const String& Name, std::function<void(TStream*)> ReadData,
                              std::function<void(TStream*)> WriteData, bool HasData) override;

private:
    struct TFixup {
        TObject* Instance;
        const TPropInfo* Prop;
        String Name;
        int Line;
    };
    void ReadChildren(const TStreamObject& Obj, TComponent* Parent, int Depth);
    void ReadChild(const TStreamObject& Obj, TComponent* Parent, int Depth);
    void ReadProperty(TPersistent* Instance, const TStreamProperty& Prop);
    void SetValue(TObject* Instance, const TPropInfo& Prop, const TStreamValue& Value, const String& Path);
    void ReadCollection(TCollection* Collection, const TStreamValue& Value);
    bool ReadDefined(TPersistent* Instance, const String& Name, const TStreamValue& Value);
    void ResolveFixups(bool Strict);
    TComponent* FindReference(const String& Name) const;
    void Finish(bool Success);
    [[noreturn]] void Error(const String& Msg, int Line) const;

    std::vector<TComponent*> FLoaded;
    std::vector<TFixup> FFixups;
    // The defined property being looked for, and the cursor of its value.
    const String* FPendingName = nullptr;
    const TStreamValue* FPendingValue = nullptr;
    bool FPendingHandled = false;
    std::vector<std::pair<const TStreamValue*, size_t>> FCursor;
    bool FValueTaken = false;
};

// Turns objects into descriptions: published properties that differ from their declared
// default (or, without one, strings that are not empty, floats that are not 0 and every ordinal),
// nested objects by path, defined values, then the children.
class TWriter : public TFiler {
    DECLARE_CLASS(TWriter, TFiler)
public:
    // Root and the components it lists (by default those it owns; the control layer's children
    // hook decides for controls).
    TStreamObject WriteRootComponent(TComponent* Root);
    // Properties only, under the object's class name and (for components) its name.
    TStreamObject WriteObject(TPersistent* Instance);

    // For DefineProperty writers.
    void WriteValue(const TStreamValue& Value);
    void WriteInteger(Int64 Value) { WriteValue(TStreamValue::Integer(Value)); }
    void WriteBoolean(bool Value) { WriteValue(TStreamValue::Boolean(Value)); }
    void WriteFloat(Extended Value) { WriteValue(TStreamValue::Extended_(Value)); }
    void WriteString(const String& Value) { WriteValue(TStreamValue::OfString(Value)); }
    void WriteIdent(const String& Value) { WriteValue(TStreamValue::Ident(Value)); }
    void WriteListBegin();
    void WriteListEnd();

    void DefineProperty(const String& Name, std::function<void(TReader*)> ReadData,
                        std::function<void(TWriter*)> WriteData, bool HasData) override;
    void DefineBinaryProperty(const String& Name, std::function<void(TStream*)> ReadData,
                              std::function<void(TStream*)> WriteData, bool HasData) override;

private:
    TStreamObject WriteComponent(TComponent* Component, int Depth);
    void WriteProperties(TPersistent* Instance, const String& Prefix, std::vector<TStreamProperty>& Out, int Depth);
    bool ValueOf(TObject* Instance, const TPropInfo& Prop, TStreamValue& Value, int Depth);
    String ReferenceName(TComponent* Component) const;

    std::vector<TStreamProperty>* FOut = nullptr;
    String FPrefix;
    // Where WriteValue puts a value: the defined property's slot, then open lists.
    std::vector<std::pair<TStreamValue*, bool>> FValueStack;
};

// Finds components that references name but the root does not own (other forms, "Form2.Memo1"
// asks for "Form2"). Set by the forms layer; empty by default.
extern std::function<TComponent*(const String& Name)> FindGlobalComponentProc;

// ---- Convenience ------------------------------------------------------------------------------

// Reads a text (or binary) description into an existing root.
void ReadComponentText(const String& Text, TComponent* Root);
// Creates the component a text description names, owned by Owner.
TComponent* CreateComponentFromText(const String& Text, TComponent* Owner);
String WriteComponentText(TComponent* Root);

// Reads the description stored as an RCDATA resource ResName of the program (or of Module) into
// Instance: UTF-8 text with or without a byte-order mark, UTF-16 text with one, or a binary
// record. A missing resource raises EResNotFound.
void ReadComponentRes(const String& ResName, TComponent* Instance, HMODULE Module = nullptr);
// Reads a description held in memory the way ReadComponentRes reads a resource.
void ReadComponentData(const Byte* Data, size_t Size, TComponent* Instance);

// Binary records on a stream: one record per call. Reading applies the record's properties to
// Instance without checking its class (properties absent from the record keep their values) and
// leaves the stream just past the record.
void WriteComponentToStream(TStream* Stream, TPersistent* Instance);
void ReadComponentFromStream(TStream* Stream, TPersistent* Instance);
