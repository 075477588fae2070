#pragma once
// IDispatch of a dual interface described in this module's type library (TYPELIB 1): the type
// information is loaded on first use and calls are dispatched through its vtable side.
#include <windows.h>
#include <oaidl.h>

namespace com_support {

class DualDispatch {
public:
    explicit DualDispatch(const IID& dualInterface = IID_NULL) : interface_(dualInterface) {}
    ~DualDispatch();
    DualDispatch(const DualDispatch&) = delete;
    DualDispatch& operator=(const DualDispatch&) = delete;

    // Before the first call only.
    void describe(const IID& dualInterface) { interface_ = dualInterface; }

    HRESULT getTypeInfoCount(UINT* count);
    HRESULT getTypeInfo(UINT index, ITypeInfo** info);
    HRESULT getIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, DISPID* ids);
    // object: the dual interface's own pointer, whose vtable the type information describes.
    HRESULT invoke(void* object, DISPID id, REFIID iid, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                   EXCEPINFO* exception, UINT* badArgument);

private:
    HRESULT typeInfo(ITypeInfo** info);

    IID interface_;
    ITypeInfo* typeInfo_ = nullptr;
};

}  // namespace com_support
