// Streaming: the binary record form ("TPF0", tagged values), read into and written from the
// description tree. Integers are little-endian; extended values are the 10 bytes of the 80-bit
// format.
#include "Streaming.h"

#include <cstring>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64, "Extended must be the 80-bit format");

namespace {

constexpr int MaxDepth = 100;
const Byte Signature[4] = {'T', 'P', 'F', '0'};

bool AllAscii(const String& S)
{
    for (wchar_t C : S)
        if (C >= 128) return false;
    return true;
}

// Strict UTF-8 to UTF-16; false on any malformed sequence.
bool DecodeUtf8(const Byte* P, size_t N, String& Out)
{
    Out.clear();
    for (size_t I = 0; I < N;) {
        Byte B = P[I];
        Cardinal Code;
        int More;
        if (B < 0x80) { Code = B; More = 0; }
        else if ((B & 0xE0) == 0xC0) { Code = B & 0x1F; More = 1; }
        else if ((B & 0xF0) == 0xE0) { Code = B & 0x0F; More = 2; }
        else if ((B & 0xF8) == 0xF0) { Code = B & 0x07; More = 3; }
        else return false;
        if (More && I + size_t(More) >= N) return false;
        for (int K = 1; K <= More; ++K) {
            Byte C = P[I + K];
            if ((C & 0xC0) != 0x80) return false;
            Code = (Code << 6) | (C & 0x3F);
        }
        static const Cardinal Min[] = {0, 0x80, 0x800, 0x10000};
        if (Code < Min[More] || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)) return false;
        if (Code >= 0x10000) {
            Code -= 0x10000;
            Out += wchar_t(0xD800 + (Code >> 10));
            Out += wchar_t(0xDC00 + (Code & 0x3FF));
        } else {
            Out += wchar_t(Code);
        }
        I += size_t(More) + 1;
    }
    return true;
}

// Bytes of a short or long string: ASCII as it is; otherwise UTF-8 when the bytes are valid
// UTF-8, else Windows-1252 (what older writers stored there), so that no byte is lost.
String DecodeBytes(const Byte* P, size_t N)
{
    String R;
    if (DecodeUtf8(P, N, R)) return R;
    return Win1252ToUnicode(RawByteString(reinterpret_cast<const char*>(P), N));
}

class TBinReader {
public:
    TBinReader(const Byte* AData, size_t ASize, size_t& APos) : D(AData), N(ASize), P(APos) {}

    TStreamObject ReadRecord()
    {
        Need(4);
        if (std::memcmp(D + P, Signature, 4) != 0) Fail(L"Invalid stream format");
        P += 4;
        return ReadObject(0);
    }

private:
    [[noreturn]] void Fail(const String& Msg) const { throw EReadError(Msg); }
    void Need(size_t K) const
    {
        if (K > N - P) Fail(Consts::SReadPastRecord);
    }
    Byte ReadByte()
    {
        Need(1);
        return D[P++];
    }
    Byte PeekByte() const
    {
        Need(1);
        return D[P];
    }
    template <class T>
    T ReadRaw()
    {
        Need(sizeof(T));
        T V;
        std::memcpy(&V, D + P, sizeof(T));
        P += sizeof(T);
        return V;
    }
    String ReadShortString()
    {
        Byte Len = ReadByte();
        Need(Len);
        String R = DecodeBytes(D + P, Len);
        P += Len;
        return R;
    }
    size_t ReadLength()
    {
        Cardinal Len = ReadRaw<Cardinal>();
        Need(Len);
        return Len;
    }

    TStreamObject ReadObject(int Depth);
    TStreamValue ReadValue(int Depth);
    void ReadProps(std::vector<TStreamProperty>& Props, int Depth)
    {
        while (PeekByte() != 0) {
            TStreamProperty Prop;
            Prop.Name = ReadShortString();
            if (Prop.Name.empty()) Fail(L"Invalid stream format: empty property name");
            Prop.Value = ReadValue(Depth + 1);
            Props.push_back(std::move(Prop));
        }
        ++P;
    }

    const Byte* D;
    size_t N;
    size_t& P;
};

TStreamObject TBinReader::ReadObject(int Depth)
{
    if (Depth > MaxDepth) Fail(L"Invalid stream format: objects nested too deeply");
    TStreamObject Obj;
    Byte Prefix = PeekByte();
    if ((Prefix & 0xF0) == 0xF0) {
        ++P;
        if (Prefix & 1) Obj.Flags << ffInherited;
        if (Prefix & 4) Obj.Flags << ffInline;
        if (Prefix & 2) {
            Obj.Flags << ffChildPos;
            TStreamValue Pos = ReadValue(Depth + 1);
            if (!Pos.IsInteger()) Fail(L"Invalid stream format: child position");
            Obj.ChildPos = Pos.Int;
        }
    }
    Obj.ClassName = ReadShortString();
    if (Obj.ClassName.empty()) Fail(L"Invalid stream format: empty class name");
    Obj.Name = ReadShortString();
    ReadProps(Obj.Props, Depth);
    while (PeekByte() != 0) Obj.Children.push_back(ReadObject(Depth + 1));
    ++P;
    return Obj;
}

TStreamValue TBinReader::ReadValue(int Depth)
{
    if (Depth > MaxDepth) Fail(L"Invalid stream format: values nested too deeply");
    TStreamValue V;
    V.Type = TValueType(ReadByte());
    switch (V.Type) {
    case vaInt8: V.Int = ReadRaw<std::int8_t>(); break;
    case vaInt16: V.Int = ReadRaw<std::int16_t>(); break;
    case vaInt32: V.Int = ReadRaw<std::int32_t>(); break;
    case vaInt64: V.Int = ReadRaw<std::int64_t>(); break;
    case vaCurrency: V.Int = ReadRaw<std::int64_t>(); break;
    case vaExtended: {
        Need(10);
        long double X = 0;
        std::memset(&X, 0, sizeof X);
        std::memcpy(&X, D + P, 10);
        P += 10;
        V.Float = X;
        break;
    }
    case vaDouble:
    case vaDate: V.Float = ReadRaw<double>(); break;
    case vaSingle: V.Float = ReadRaw<float>(); break;
    case vaString:
    case vaIdent: V.Str = ReadShortString(); break;
    case vaLString:
    case vaUTF8String: {
        size_t Len = ReadLength();
        if (V.Type == vaUTF8String) {
            if (!DecodeUtf8(D + P, Len, V.Str)) Fail(L"Invalid stream format: bad UTF-8 text");
        } else {
            V.Str = DecodeBytes(D + P, Len);
        }
        P += Len;
        break;
    }
    case vaWString: {
        Cardinal Count = ReadRaw<Cardinal>();
        if (Count > (N - P) / 2) Fail(Consts::SReadPastRecord);
        V.Str.resize(Count);
        for (Cardinal I = 0; I < Count; ++I) V.Str[I] = wchar_t(D[P + 2 * I] | (D[P + 2 * I + 1] << 8));
        P += size_t(Count) * 2;
        break;
    }
    case vaFalse:
    case vaTrue:
    case vaNil: break;
    case vaBinary: {
        size_t Len = ReadLength();
        V.Binary.assign(D + P, D + P + Len);
        P += Len;
        break;
    }
    case vaSet:
        for (;;) {
            String Member = ReadShortString();
            if (Member.empty()) break;
            V.Set.push_back(Member);
        }
        break;
    case vaList:
        while (PeekByte() != vaNull) V.List.push_back(ReadValue(Depth + 1));
        ++P;
        break;
    case vaCollection:
        while (PeekByte() != vaNull) {
            TStreamItem Item;
            Byte T = PeekByte();
            if (T == vaInt8 || T == vaInt16 || T == vaInt32) {
                Item.HasIndex = true;
                Item.Index = ReadValue(Depth + 1).Int;
            }
            if (ReadByte() != vaList) Fail(L"Invalid stream format: collection item expected");
            ReadProps(Item.Props, Depth + 1);
            V.Items.push_back(std::move(Item));
        }
        ++P;
        break;
    default: Fail(L"Invalid stream format: unknown value type " + std::to_wstring(int(V.Type)));
    }
    return V;
}

class TBinWriter {
public:
    TBytes Out;

    void Raw(const void* Data, size_t Len)
    {
        auto* B = static_cast<const Byte*>(Data);
        Out.insert(Out.end(), B, B + Len);
    }
    template <class T>
    void Put(T V) { Raw(&V, sizeof V); }
    void Tag(TValueType T) { Out.push_back(Byte(T)); }
    void ShortString(const String& S)
    {
        std::string U = Utf16ToUtf8(S);
        if (U.size() > 255) throw EWriteError(L"Name too long for the stream: " + S.substr(0, 40));
        Out.push_back(Byte(U.size()));
        Raw(U.data(), U.size());
    }
    void Length(size_t Len)
    {
        if (Len > 0xFFFFFFFFu) throw EWriteError(L"Value too large for the stream");
        Put<Cardinal>(Cardinal(Len));
    }

    void Object(const TStreamObject& Obj)
    {
        if (!Obj.Flags.Empty()) {
            Byte Prefix = 0xF0 | (Obj.Flags.Contains(ffInherited) ? 1 : 0) |
                          (Obj.Flags.Contains(ffChildPos) ? 2 : 0) | (Obj.Flags.Contains(ffInline) ? 4 : 0);
            Out.push_back(Prefix);
            if (Obj.Flags.Contains(ffChildPos)) Value(TStreamValue::Integer(Obj.ChildPos));
        }
        ShortString(Obj.ClassName);
        ShortString(Obj.Name);
        Props(Obj.Props);
        for (auto& C : Obj.Children) Object(C);
        Out.push_back(0);
    }
    void Props(const std::vector<TStreamProperty>& Ps)
    {
        for (auto& P : Ps) {
            ShortString(P.Name);
            Value(P.Value);
        }
        Out.push_back(0);
    }
    void Value(const TStreamValue& V);
};

void TBinWriter::Value(const TStreamValue& V)
{
    switch (V.Type) {
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64: {
        // The smallest tag that holds the value, whatever the tree says.
        Int64 I = V.Int;
        if (I >= -128 && I <= 127) { Tag(vaInt8); Put<std::int8_t>(std::int8_t(I)); }
        else if (I >= -32768 && I <= 32767) { Tag(vaInt16); Put<std::int16_t>(std::int16_t(I)); }
        else if (I >= INT32_MIN && I <= INT32_MAX) { Tag(vaInt32); Put<std::int32_t>(std::int32_t(I)); }
        else { Tag(vaInt64); Put<std::int64_t>(I); }
        return;
    }
    case vaExtended: {
        Tag(vaExtended);
        long double X = V.Float;
        Raw(&X, 10);
        return;
    }
    case vaDouble:
    case vaDate: Tag(V.Type); Put<double>(double(V.Float)); return;
    case vaSingle: Tag(vaSingle); Put<float>(float(V.Float)); return;
    case vaCurrency: Tag(vaCurrency); Put<std::int64_t>(V.Int); return;
    case vaString:
    case vaLString:
    case vaWString:
    case vaUTF8String: {
        // The tag the text calls for: ASCII short or long; otherwise wide when UTF-8 would take
        // at least twice the UTF-16 units, else UTF-8.
        if (AllAscii(V.Str)) {
            if (V.Str.size() <= 255) { Tag(vaString); Out.push_back(Byte(V.Str.size())); }
            else { Tag(vaLString); Length(V.Str.size()); }
            for (wchar_t C : V.Str) Out.push_back(Byte(C));
            return;
        }
        std::string U = Utf16ToUtf8(V.Str);
        if (U.size() >= 2 * V.Str.size()) {
            Tag(vaWString);
            Length(V.Str.size());
            for (wchar_t C : V.Str) { Out.push_back(Byte(C & 0xFF)); Out.push_back(Byte(C >> 8)); }
        } else {
            Tag(vaUTF8String);
            Length(U.size());
            Raw(U.data(), U.size());
        }
        return;
    }
    case vaIdent: Tag(vaIdent); ShortString(V.Str); return;
    case vaFalse:
    case vaTrue:
    case vaNil: Tag(V.Type); return;
    case vaBinary: Tag(vaBinary); Length(V.Binary.size()); Raw(V.Binary.data(), V.Binary.size()); return;
    case vaSet:
        Tag(vaSet);
        for (auto& M : V.Set) ShortString(M);
        Out.push_back(0);
        return;
    case vaList:
        Tag(vaList);
        for (auto& E : V.List) Value(E);
        Out.push_back(0);
        return;
    case vaCollection:
        Tag(vaCollection);
        for (auto& Item : V.Items) {
            if (Item.HasIndex) Value(TStreamValue::Integer(Item.Index));
            Tag(vaList);
            Props(Item.Props);
        }
        Out.push_back(0);
        return;
    case vaNull: break;
    }
    throw EWriteError(Consts::SWriteValueType, {int(V.Type)});
}

}  // namespace

// ---- Values -----------------------------------------------------------------------------------

TStreamValue TStreamValue::Integer(Int64 V)
{
    TStreamValue R;
    R.Int = V;
    R.Type = V >= -128 && V <= 127 ? vaInt8 : V >= -32768 && V <= 32767 ? vaInt16
           : V >= INT32_MIN && V <= INT32_MAX ? vaInt32 : vaInt64;
    return R;
}

TStreamValue TStreamValue::OfString(const String& S)
{
    TStreamValue R;
    R.Str = S;
    if (AllAscii(S)) R.Type = S.size() <= 255 ? vaString : vaLString;
    else R.Type = Utf16ToUtf8(S).size() >= 2 * S.size() ? vaWString : vaUTF8String;
    return R;
}

TStreamValue TStreamValue::Ident(const String& S)
{
    TStreamValue R;
    R.Type = vaIdent;
    R.Str = S;
    return R;
}

TStreamValue TStreamValue::Boolean(bool V)
{
    TStreamValue R;
    R.Type = V ? vaTrue : vaFalse;
    return R;
}

TStreamValue TStreamValue::Extended_(Extended V)
{
    TStreamValue R;
    R.Type = vaExtended;
    R.Float = V;
    return R;
}

// ---- Records ----------------------------------------------------------------------------------

TBytes FormatObjectBinary(const TStreamObject& Obj)
{
    TBinWriter W;
    W.Out.reserve(256);
    W.Out.assign(Signature, Signature + 4);
    W.Object(Obj);
    return std::move(W.Out);
}

TStreamObject ParseObjectBinary(const Byte* Data, size_t Size, size_t& Pos)
{
    if (Pos > Size) throw EReadError(Consts::SReadPastRecord);
    size_t P = Pos;
    TBinReader R(Data, Size, P);
    TStreamObject Obj = R.ReadRecord();
    Pos = P;
    return Obj;
}

TStreamObject ParseObjectBinary(const TBytes& Data)
{
    size_t Pos = 0;
    return ParseObjectBinary(Data.data(), Data.size(), Pos);
}

TBytes ObjectTextToBinary(const String& Text)
{
    return FormatObjectBinary(ParseObjectText(Text));
}

String ObjectBinaryToText(const TBytes& Data)
{
    return FormatObjectText(ParseObjectBinary(Data));
}
