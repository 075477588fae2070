#pragma once
// One class factory per creatable class, and the creator of objects built on ComObject, which can
// all be aggregated.
#include <windows.h>
#include <unknwn.h>

#include <cstddef>
#include <new>
#include <span>

#include "com_support/com_module.h"
#include "com_support/com_object.h"
#include "com_support/single_interface_object.h"

namespace com_support {

using Creator = HRESULT (*)(IUnknown* outer, REFIID iid, void** object);

class ClassFactory final : public SingleInterfaceObject<IClassFactory> {
public:
    explicit ClassFactory(Creator creator) : creator_(creator) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        return creator_(outer, iid, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            moduleAddRef();
        else
            moduleRelease();
        return S_OK;
    }

private:
    ModuleReference module_;
    Creator creator_;
};

struct ClassEntry {
    const CLSID* clsid;
    Creator creator;
};

// DllGetClassObject over a table of classes.
inline HRESULT getClassObject(std::span<const ClassEntry> classes, REFCLSID clsid, REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    for (const ClassEntry& entry : classes) {
        if (*entry.clsid != clsid) continue;
        ClassFactory* factory = new (std::nothrow) ClassFactory(entry.creator);
        if (factory == nullptr) return E_OUTOFMEMORY;
        const HRESULT hr = factory->QueryInterface(iid, object);
        factory->Release();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

// Creates T (a ComObject) with new(nothrow) and hands out the asked-for interface. An aggregating
// caller must ask for IUnknown: the inner unknown is its only handle on the object's lifetime.
template <class T>
HRESULT createInstance(IUnknown* outer, REFIID iid, void** object) {
    if (outer != nullptr && iid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
    T* instance = new (std::nothrow) T();
    if (instance == nullptr) return E_OUTOFMEMORY;
    if (outer != nullptr) instance->aggregateInto(outer);
    IUnknown* inner = instance->innerUnknown();
    const HRESULT hr = inner->QueryInterface(iid, object);
    inner->Release();
    return hr;
}

}  // namespace com_support
