#pragma once
// The entry points every in-process server of ours shares: DllMain records the module's instance
// and turns off thread notifications, DllGetClassObject serves the module's class table and
// DllCanUnloadNow follows its objects and locks. tevaro_com_dll compiles module_entry_points.cpp
// into each DLL; the DLL itself defines only its class table and its registration.
#include <span>

#include "com_support/class_factory.h"

namespace com_support {

// Defined once in each DLL: the classes its factories create.
std::span<const ClassEntry> moduleClasses();

}  // namespace com_support
