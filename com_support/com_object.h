#pragma once
// The IUnknown of a COM object that can be aggregated.
//
// Every interface's QueryInterface, AddRef and Release delegate to the controlling unknown: the
// outer object's unknown when the object is aggregated, else the object's own inner unknown. The
// inner unknown does not delegate: it holds the one reference count, answers IUnknown with itself
// (the object's identity when it stands alone, the outer object's handle on it when aggregated) and
// every other interface through the object. So an outer object sees every AddRef and Release of
// the interfaces it hands out, and its release of the inner unknown ends the object.
//
//   class Thing final : public com_support::ComObject<Thing, IFirst, ISecond> { ... };
//
// The base order is the order of the object's interface table. An object that answers more ids
// than its direct interfaces (a base interface, IDispatch) declares its own public
// `void* findInterface(REFIID)` and falls back on ComObject's.
#include <windows.h>
#include <unknwn.h>

#include "com_support/com_module.h"

namespace com_support {

template <class Derived, class... Interfaces>
class ComObject : public Interfaces... {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return controlling_->QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return controlling_->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return controlling_->Release(); }

    // The object's non-delegating unknown, with the one reference the creator holds.
    IUnknown* innerUnknown() { return &inner_; }
    // Makes `outer` the controlling unknown; only before the object has handed out any interface.
    void aggregateInto(IUnknown* outer) { controlling_ = outer; }

    // The interface of `iid` other than IUnknown, without a reference; null when not implemented.
    void* findInterface(REFIID iid) {
        void* found = nullptr;
        (void)((iid == __uuidof(Interfaces) && (found = static_cast<Interfaces*>(static_cast<Derived*>(this)))) || ...);
        return found;
    }

    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

private:
    class InnerUnknown final : public IUnknown {
    public:
        explicit InnerUnknown(ComObject* owner) : owner_(owner) {}

        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
            if (object == nullptr) return E_POINTER;
            if (iid == IID_IUnknown) {
                *object = this;
                AddRef();
                return S_OK;
            }
            // The object is complete by the time anyone can call here, so the downcast is sound.
            auto* found = static_cast<IUnknown*>(static_cast<Derived*>(owner_)->findInterface(iid));
            *object = found;
            if (found == nullptr) return E_NOINTERFACE;
            found->AddRef();  // through the interface: the controlling unknown counts it
            return S_OK;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
        ULONG STDMETHODCALLTYPE Release() override {
            const LONG n = InterlockedDecrement(&refs_);
            if (n == 0) delete owner_;
            return static_cast<ULONG>(n);
        }

    private:
        ComObject* owner_;
        volatile LONG refs_ = 1;
    };

    ModuleReference module_;  // the module stays loaded while the object lives
    InnerUnknown inner_{this};
    IUnknown* controlling_ = &inner_;
};

}  // namespace com_support
