#pragma once
// The pixel size a dialog template will have once created, without creating it: dialog units
// converted with the base units of the template's font, as the dialog manager does.
#include <windows.h>

namespace tevaro::plugin {

// false when the resource is missing or is not an extended template.
bool dialogTemplatePixelSize(HINSTANCE module, UINT templateId, SIZE& size);

}  // namespace tevaro::plugin
