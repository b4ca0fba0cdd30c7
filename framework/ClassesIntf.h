// Classes: reference-counted objects with interfaces (IUnknown), and the Supports helpers.
//
// Included at the end of Classes.h; include Classes.h rather than this file.
#pragma once

#include "Classes.h"

// Puts the three IUnknown methods into a class that adds COM interfaces to a TInterfacedObject or
// TInterfacedPersistent descendant (each added interface brings its own IUnknown to override).
#define INTERFACED_IUNKNOWN                                                                  \
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override         \
    {                                                                                        \
        return inherited::QueryInterface(riid, ppvObject);                                   \
    }                                                                                        \
    ULONG STDMETHODCALLTYPE AddRef() override { return inherited::AddRef(); }                \
    ULONG STDMETHODCALLTYPE Release() override { return inherited::Release(); }

// An object whose lifetime follows COM reference counting: the count starts at 0 and the object
// frees itself when Release brings it back to 0. QueryInterface asks the virtual GetInterface,
// which a descendant extends for the interfaces it adds.
class TInterfacedObject : public TObject, public IUnknown {
    DECLARE_CLASS(TInterfacedObject, TObject)
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    LONG GetRefCount() const { return FRefCount; }
    LONG RefCount() const { return FRefCount; }

    // Answers in Obj (not reference-counted) the interface IID of this object, or false.
    // The default knows IUnknown.
    virtual bool GetInterface(REFIID IID, void** Obj);

protected:
    volatile LONG FRefCount = 0;
};

// A persistent object that answers interface queries without reference counting: its owner
// frees it as any persistent object.
class TInterfacedPersistent : public TPersistent, public IUnknown {
    DECLARE_CLASS(TInterfacedPersistent, TPersistent)
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(-1); }
    ULONG STDMETHODCALLTYPE Release() override { return ULONG(-1); }
    virtual bool GetInterface(REFIID IID, void** Obj);
};

// True when Instance answers the COM interface IID; Intf (when given) receives it, reference
// counted as QueryInterface does.
bool Supports(TObject* Instance, REFIID IID, void** Intf = nullptr);
bool Supports(TObject* Instance, REFIID IID, IUnknown** Intf);

// True when Instance implements the plain interface class I; Intf (when given) receives it.
template <class I>
bool Supports(TObject* Instance, I** Intf = nullptr)
{
    I* P = dynamic_cast<I*>(Instance);
    if (Intf) *Intf = P;
    return P != nullptr;
}
