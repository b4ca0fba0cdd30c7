#include "Classes.h"

// ---- TInterfacedObject ------------------------------------------------------------------------

bool TInterfacedObject::GetInterface(REFIID IID, void** Obj)
{
    if (IsEqualIID(IID, IID_IUnknown)) {
        *Obj = static_cast<IUnknown*>(this);
        return true;
    }
    return false;
}

HRESULT STDMETHODCALLTYPE TInterfacedObject::QueryInterface(REFIID riid, void** ppvObject)
{
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (!GetInterface(riid, ppvObject) || !*ppvObject) {
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE TInterfacedObject::AddRef()
{
    return ULONG(InterlockedIncrement(&FRefCount));
}

ULONG STDMETHODCALLTYPE TInterfacedObject::Release()
{
    LONG Count = InterlockedDecrement(&FRefCount);
    if (Count == 0) Free();
    return ULONG(Count);
}

// ---- TInterfacedPersistent --------------------------------------------------------------------

bool TInterfacedPersistent::GetInterface(REFIID IID, void** Obj)
{
    if (IsEqualIID(IID, IID_IUnknown)) {
        *Obj = static_cast<IUnknown*>(this);
        return true;
    }
    return false;
}

HRESULT STDMETHODCALLTYPE TInterfacedPersistent::QueryInterface(REFIID riid, void** ppvObject)
{
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (!GetInterface(riid, ppvObject) || !*ppvObject) {
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    return S_OK;
}

// ---- Supports ---------------------------------------------------------------------------------

bool Supports(TObject* Instance, REFIID IID, void** Intf)
{
    if (Intf) *Intf = nullptr;
    if (!Instance) return false;
    void* P = nullptr;
    if (auto* O = dynamic_cast<TInterfacedObject*>(Instance)) {
        if (Intf) return SUCCEEDED(O->QueryInterface(IID, Intf));
        return O->GetInterface(IID, &P) && P;
    }
    if (auto* O = dynamic_cast<TInterfacedPersistent*>(Instance)) {
        if (Intf) return SUCCEEDED(O->QueryInterface(IID, Intf));
        return O->GetInterface(IID, &P) && P;
    }
    return false;
}

bool Supports(TObject* Instance, REFIID IID, IUnknown** Intf)
{
    return Supports(Instance, IID, reinterpret_cast<void**>(Intf));
}
