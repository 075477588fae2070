#pragma once
// Registration from a REGISTRY resource of this module (the script language is described in
// registry_script.h). %MODULE% is this module's path.
#include <windows.h>

#include "com_support/registry_script.h"

namespace com_support {

// install: create keys and values (ForceRemove keys are deleted first, so they are replaced whole);
// uninstall: delete every key not marked NoRemove, with everything below it. codePage is the
// encoding of the resource text (UTF-8 unless a script was written in another code page).
HRESULT runRegistryScript(UINT resourceId, bool install, const ScriptVariables& variables = {},
                          UINT codePage = CP_UTF8);
HRESULT applyRegistryScript(const RegistryScript& script, bool install);

}  // namespace com_support
