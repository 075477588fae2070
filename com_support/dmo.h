#pragma once
// The DMO headers as this project uses them. mingw's dmort.h declares the Mo* media-type helpers
// without extern "C", so C++ callers would look for mangled names that msdmo.dll does not export.
#include <windows.h>
#include <mmreg.h>
#include <mediaobj.h>
#include <mediaerr.h>
#include <dmoreg.h>
extern "C" {
#include <dmort.h>
}
#include <uuids.h>

namespace com_support {

// mediaerr.h spells the DMO codes as bare unsigned literals; these compare cleanly with HRESULT.
inline constexpr HRESULT DmoInvalidStreamIndex = static_cast<HRESULT>(DMO_E_INVALIDSTREAMINDEX);
inline constexpr HRESULT DmoTypeNotSet = static_cast<HRESULT>(DMO_E_TYPE_NOT_SET);
inline constexpr HRESULT DmoTypeNotAccepted = static_cast<HRESULT>(DMO_E_TYPE_NOT_ACCEPTED);
inline constexpr HRESULT DmoNoMoreItems = static_cast<HRESULT>(DMO_E_NO_MORE_ITEMS);

}  // namespace com_support
