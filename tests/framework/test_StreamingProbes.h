// Small persistent classes with one published property of each kind, shared by the property
// registry and streaming tests.
#pragma once

#include "framework/Streaming.h"

#include <vector>

namespace probes {

enum TProbeAlign { paNone, paTop, paClient };
enum TProbeStyle { psBold, psItalic, psUnderline };
using TProbeStyles = TSet<TProbeStyle>;

inline std::vector<String>& Log()
{
    static std::vector<String> L;
    return L;
}

inline void RegisterProbeIdents()
{
    RegisterEnumIdents<TProbeAlign>(L"TProbeAlign", {{paNone, L"paNone"}, {paTop, L"paTop"}, {paClient, L"paClient"}});
    RegisterEnumIdents<TProbeStyle>(L"TProbeStyle",
                                    {{psBold, L"psBold"}, {psItalic, L"psItalic"}, {psUnderline, L"psUnderline"}});
    if (!FindIdentTable(L"TColor"))
        RegisterIdentTable(L"TColor", TIdentTable{{0x000000, L"clBlack"}, {0x0000FF, L"clRed"}, {0xFFFFFF, L"clWhite"}});
}

class TProbeFont : public TPersistent {
    DECLARE_CLASS(TProbeFont, TPersistent)
public:
    const String& GetName() const { return FName; }
    void SetName(const String& V) { FName = V; }
    int GetHeight() const { return FHeight; }
    void SetHeight(int V) { FHeight = V; }
    TProbeStyles GetStyle() const { return FStyle; }
    void SetStyle(TProbeStyles V) { FStyle = V; }
    int GetColor() const { return FColor; }
    void SetColor(int V) { FColor = V; }

    static void RegisterProperties(TPropertyTable& T)
    {
        T.Add(L"Name", &TProbeFont::GetName, &TProbeFont::SetName, String(L"Tahoma"));
        T.Add(L"Height", &TProbeFont::GetHeight, &TProbeFont::SetHeight, -11);
        T.Add(L"Style", &TProbeFont::GetStyle, &TProbeFont::SetStyle, TProbeStyles{});
        T.AddColor(L"Color", &TProbeFont::GetColor, &TProbeFont::SetColor, 0);
    }

private:
    String FName = L"Tahoma";
    int FHeight = -11;
    TProbeStyles FStyle;
    int FColor = 0;
};

class TProbeItem : public TCollectionItem {
    DECLARE_CLASS(TProbeItem, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;
    String Caption;
    int Value = 0;
    static void RegisterProperties(TPropertyTable& T)
    {
        T.AddField(L"Caption", &TProbeItem::Caption);
        T.AddField(L"Value", &TProbeItem::Value, 0);
    }
};

// A component with one property of each kind, a defined integer ("Extra") and defined binary
// data ("Data").
class TProbe : public TComponent {
    DECLARE_CLASS(TProbe, TComponent)
public:
    explicit TProbe(TComponent* AOwner) : TComponent(AOwner)
    {
        FFont = Create<TProbeFont>();
        FLines = Create<TStringList>();
        FItems = Create<TCollection>(TCollection::ItemClass<TProbeItem>());
    }
    ~TProbe() override
    {
        FFont->Free();
        FLines->Free();
        FItems->Free();
    }

    const String& GetCaption() const { return FCaption; }
    void SetCaption(const String& V) { FCaption = V; }
    int GetWidth() const { return FWidth; }
    void SetWidth(int V) { FWidth = V; }
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool V) { FEnabled = V; }
    double GetRatio() const { return FRatio; }
    void SetRatio(double V) { FRatio = V; }
    Extended GetPrecise() const { return FPrecise; }
    void SetPrecise(Extended V) { FPrecise = V; }
    TProbeAlign GetAlign() const { return FAlign; }
    void SetAlign(TProbeAlign V) { FAlign = V; }
    wchar_t GetLetter() const { return FLetter; }
    void SetLetter(wchar_t V) { FLetter = V; }
    Int64 GetBig() const { return FBig; }
    void SetBig(Int64 V) { FBig = V; }
    Cardinal GetMask() const { return FMask; }
    void SetMask(Cardinal V) { FMask = V; }
    int GetColor() const { return FColor; }
    void SetColor(int V) { FColor = V; }
    TProbeFont* GetFont() const { return FFont; }
    void SetFont(TProbeFont* V) { FFont->SetName(V->GetName()); }
    TStrings* GetLines() const { return FLines; }
    TCollection* GetItems() const { return FItems; }
    TComponent* GetBuddy() const { return FBuddy; }
    void SetBuddy(TComponent* V) { FBuddy = V; }

    TNotifyEvent OnClick;
    std::function<void(TObject* Sender, wchar_t& Key)> OnKeyPress;

    int Extra = 0;
    TBytes Data;
    String BuddyAtLoaded;

    void Loaded() override
    {
        TComponent::Loaded();
        BuddyAtLoaded = FBuddy ? FBuddy->GetName() : L"-";
        Log().push_back(L"Loaded " + GetName());
    }

    static void RegisterProperties(TPropertyTable& T)
    {
        T.Add(L"Caption", &TProbe::GetCaption, &TProbe::SetCaption);
        T.Add(L"Width", &TProbe::GetWidth, &TProbe::SetWidth, 0);
        T.Add(L"Enabled", &TProbe::GetEnabled, &TProbe::SetEnabled, true);
        T.Add(L"Ratio", &TProbe::GetRatio, &TProbe::SetRatio);
        T.Add(L"Precise", &TProbe::GetPrecise, &TProbe::SetPrecise);
        T.Add(L"Align", &TProbe::GetAlign, &TProbe::SetAlign, paNone);
        T.Add(L"Letter", &TProbe::GetLetter, &TProbe::SetLetter, L'a');
        T.Add(L"Big", &TProbe::GetBig, &TProbe::SetBig, 0);
        T.Add(L"Mask", &TProbe::GetMask, &TProbe::SetMask, 0u);
        T.AddColor(L"Color", &TProbe::GetColor, &TProbe::SetColor, 0xFFFFFF);
        T.Add(L"Font", &TProbe::GetFont, &TProbe::SetFont);
        T.Add(L"Lines", &TProbe::GetLines);
        T.Add(L"Items", &TProbe::GetItems);
        T.Add(L"Buddy", &TProbe::GetBuddy, &TProbe::SetBuddy);
        T.AddEvent(L"OnClick", &TProbe::OnClick);
        T.AddEvent(L"OnKeyPress", &TProbe::OnKeyPress);
    }

protected:
    void DefineProperties(TFiler* Filer) override
    {
        Filer->DefineProperty(
            L"Extra", [this](TReader* R) { Extra = int(R->ReadInteger()); },
            [this](TWriter* W) { W->WriteInteger(Extra); }, Extra != 0);
        Filer->DefineBinaryProperty(
            L"Data",
            [this](TStream* S) {
                Data.resize(size_t(S->Size()));
                if (!Data.empty()) S->ReadBuffer(Data.data(), NativeInt(Data.size()));
            },
            [this](TStream* S) { S->WriteBuffer(Data.data(), NativeInt(Data.size())); }, !Data.empty());
    }

private:
    String FCaption;
    int FWidth = 0;
    bool FEnabled = true;
    double FRatio = 0;
    Extended FPrecise = 0;
    TProbeAlign FAlign = paNone;
    wchar_t FLetter = L'a';
    Int64 FBig = 0;
    Cardinal FMask = 0;
    int FColor = 0xFFFFFF;
    TProbeFont* FFont = nullptr;
    TStringList* FLines = nullptr;
    TCollection* FItems = nullptr;
    TComponent* FBuddy = nullptr;
};

// Inherits every property of TProbe and adds one.
class TProbeEx : public TProbe {
    DECLARE_CLASS(TProbeEx, TProbe)
public:
    using TProbe::TProbe;
    int GetLevel() const { return FLevel; }
    void SetLevel(int V) { FLevel = V; }
    static void RegisterProperties(TPropertyTable& T) { T.Add(L"Level", &TProbeEx::GetLevel, &TProbeEx::SetLevel, 1); }

private:
    int FLevel = 1;
};

// A root ("form") with handlers and fields for its components.
class TProbeForm : public TComponent {
    DECLARE_CLASS(TProbeForm, TComponent)
public:
    using TComponent::TComponent;
    TProbe* Probe1 = nullptr;
    TProbeEx* Probe2 = nullptr;
    int Clicks = 0;
    String Keys;

    const String& GetCaption() const { return FCaption; }
    void SetCaption(const String& V) { FCaption = V; }
    void Probe1Click(TObject*) { ++Clicks; }
    void MemoKeyPress(TObject*, wchar_t& Key)
    {
        Keys += Key;
        Key = 0;
    }
    void Loaded() override
    {
        TComponent::Loaded();
        Log().push_back(L"Loaded " + GetName());
    }

    static void RegisterProperties(TPropertyTable& T)
    {
        T.Add(L"Caption", &TProbeForm::GetCaption, &TProbeForm::SetCaption);
        T.AddIgnored(L"PixelsPerInch");
        T.AddIgnored(L"Constraints");
        T.Methods.Add(L"Probe1Click", &TProbeForm::Probe1Click);
        T.Methods.Add(L"MemoKeyPress", &TProbeForm::MemoKeyPress);
        T.Fields.Add(L"Probe1", &TProbeForm::Probe1);
        T.Fields.Add(L"Probe2", &TProbeForm::Probe2);
    }

private:
    String FCaption;
};

inline void RegisterProbes()
{
    RegisterProbeIdents();
    RegisterClasses<TProbeFont, TProbeItem, TProbe, TProbeEx, TProbeForm>();
}

}  // namespace probes
