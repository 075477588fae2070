#pragma once
// IUnknown for a heap object that exposes exactly one interface: QueryInterface answers IUnknown
// and that interface, the count starts at 1 for the creator, and the last Release deletes it.
#include <windows.h>
#include <unknwn.h>

namespace com_support {

template <typename Interface>
class SingleInterfaceObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == __uuidof(Interface)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

    LONG references() const { return refs_; }

protected:
    SingleInterfaceObject() = default;
    virtual ~SingleInterfaceObject() = default;

private:
    volatile LONG refs_ = 1;
};

}  // namespace com_support
