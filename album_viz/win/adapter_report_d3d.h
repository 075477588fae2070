#pragma once
#include <vector>

#include <windows.h>
#include <d3d8.h>

#include "album_viz/framework/device_catalog.h"

namespace tevaro::album {

// Asks Direct3D what every adapter offers, for the portable choice rules.
std::vector<AdapterReport> reportAdapters(IDirect3D8* d3d);

}  // namespace tevaro::album
