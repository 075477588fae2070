#include "com_support/dual_dispatch.h"

#include <oleauto.h>

#include "com_support/com_module.h"

namespace com_support {

DualDispatch::~DualDispatch() {
    if (typeInfo_ != nullptr) typeInfo_->Release();
}

HRESULT DualDispatch::typeInfo(ITypeInfo** info) {
    if (typeInfo_ == nullptr) {
        wchar_t path[MAX_PATH];
        if (!modulePath(path, MAX_PATH)) return E_FAIL;
        ITypeLib* library = nullptr;
        HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, &library);
        if (FAILED(hr)) return hr;
        ITypeInfo* dispatch = nullptr;
        hr = library->GetTypeInfoOfGuid(interface_, &dispatch);
        library->Release();
        if (FAILED(hr)) return hr;
        // A dual interface is described twice; DispInvoke needs the vtable side.
        HREFTYPE vtable = 0;
        hr = dispatch->GetRefTypeOfImplType(-1, &vtable);
        if (SUCCEEDED(hr)) hr = dispatch->GetRefTypeInfo(vtable, &typeInfo_);
        dispatch->Release();
        if (FAILED(hr)) return hr;
    }
    *info = typeInfo_;
    return S_OK;
}

HRESULT DualDispatch::getTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT DualDispatch::getTypeInfo(UINT index, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    ITypeInfo* found = nullptr;
    const HRESULT hr = typeInfo(&found);
    if (FAILED(hr)) return hr;
    found->AddRef();
    *info = found;
    return S_OK;
}

HRESULT DualDispatch::getIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, DISPID* ids) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* info = nullptr;
    const HRESULT hr = typeInfo(&info);
    if (FAILED(hr)) return hr;
    return DispGetIDsOfNames(info, names, count, ids);
}

HRESULT DualDispatch::invoke(void* object, DISPID id, REFIID iid, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                             EXCEPINFO* exception, UINT* badArgument) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* info = nullptr;
    const HRESULT hr = typeInfo(&info);
    if (FAILED(hr)) return hr;
    return DispInvoke(object, info, id, flags, parameters, result, exception, badArgument);
}

}  // namespace com_support
