#pragma once
// The plug-in's own interface: one stored value that hosts may get and put; the processing
// never reads it.
#include <windows.h>
#include <unknwn.h>

MIDL_INTERFACE("532A1EDA-E5B9-479A-8810-B32204917998")
IDspScaleControl : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE GetScale(double* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE PutScale(double value) = 0;
};
__CRT_UUID_DECL(IDspScaleControl, 0x532a1eda, 0xe5b9, 0x479a, 0x88, 0x10, 0xb3, 0x22, 0x04, 0x91, 0x79, 0x98)
