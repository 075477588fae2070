#include "album_viz/win/adapter_report_d3d.h"

#include <algorithm>

namespace tevaro::album {
namespace {

constexpr D3DFORMAT depthFormats[] = {D3DFMT_D16, D3DFMT_D15S1, D3DFMT_D24X8, D3DFMT_D24S8, D3DFMT_D24X4S4, D3DFMT_D32};

// The portable rules compare Direct3D's own numbers.
static_assert(d3dfmt::X8R8G8B8 == D3DFMT_X8R8G8B8 && d3dfmt::R5G6B5 == D3DFMT_R5G6B5 &&
              d3dfmt::X1R5G5B5 == D3DFMT_X1R5G5B5 && d3dfmt::A1R5G5B5 == D3DFMT_A1R5G5B5 &&
              d3dfmt::A8R8G8B8 == D3DFMT_A8R8G8B8 && d3dfmt::R8G8B8 == D3DFMT_R8G8B8);
static_assert(d3dfmt::D16 == D3DFMT_D16 && d3dfmt::D15S1 == D3DFMT_D15S1 && d3dfmt::D24X8 == D3DFMT_D24X8 &&
              d3dfmt::D24S8 == D3DFMT_D24S8 && d3dfmt::D24X4S4 == D3DFMT_D24X4S4 && d3dfmt::D32 == D3DFMT_D32);
static_assert(std::uint32_t(DeviceType::Hal) == D3DDEVTYPE_HAL && std::uint32_t(DeviceType::Ref) == D3DDEVTYPE_REF);
static_assert(d3dcreate::PureDevice == D3DCREATE_PUREDEVICE &&
              d3dcreate::HardwareVertexProcessing == D3DCREATE_HARDWARE_VERTEXPROCESSING &&
              d3dcreate::MixedVertexProcessing == D3DCREATE_MIXED_VERTEXPROCESSING &&
              d3dcreate::SoftwareVertexProcessing == D3DCREATE_SOFTWARE_VERTEXPROCESSING &&
              d3dcreate::FpuPreserve == D3DCREATE_FPU_PRESERVE);

DeviceReport reportDevice(IDirect3D8* d3d, UINT adapter, D3DDEVTYPE type, const std::vector<std::uint32_t>& formats) {
    DeviceReport r;
    r.type = DeviceType(type);
    D3DCAPS8 caps{};
    if (FAILED(d3d->GetDeviceCaps(adapter, type, &caps))) return r;
    r.present = true;
    r.canRenderWindowed = caps.Caps2 & D3DCAPS2_CANRENDERWINDOWED;
    r.hardwareTransform = caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT;
    r.pureDevice = caps.DevCaps & D3DDEVCAPS_PUREDEVICE;
    for (std::uint32_t f : formats) {
        const D3DFORMAT format = D3DFORMAT(f);
        if (SUCCEEDED(d3d->CheckDeviceType(adapter, type, format, format, FALSE))) r.renderFormats.push_back(f);
        for (D3DFORMAT ds : depthFormats)
            if (SUCCEEDED(d3d->CheckDeviceFormat(adapter, type, format, D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, ds)) &&
                SUCCEEDED(d3d->CheckDepthStencilMatch(adapter, type, format, format, ds)))
                r.depthFormats.push_back({f, std::uint32_t(ds)});
    }
    return r;
}

}  // namespace

std::vector<AdapterReport> reportAdapters(IDirect3D8* d3d) {
    std::vector<AdapterReport> out;
    const UINT count = std::min<UINT>(d3d->GetAdapterCount(), DeviceCatalog::MaxAdapters);
    for (UINT a = 0; a < count; ++a) {
        AdapterReport r;
        D3DADAPTER_IDENTIFIER8 id{};
        if (SUCCEEDED(d3d->GetAdapterIdentifier(a, D3DENUM_NO_WHQL_LEVEL, &id))) r.description = id.Description;
        D3DDISPLAYMODE desktop{};
        if (FAILED(d3d->GetAdapterDisplayMode(a, &desktop))) continue;
        r.desktop = {desktop.Width, desktop.Height, std::uint32_t(desktop.Format)};
        std::vector<std::uint32_t> formats{r.desktop.format};
        const UINT modes = d3d->GetAdapterModeCount(a);
        for (UINT m = 0; m < modes; ++m) {
            D3DDISPLAYMODE mode{};
            if (FAILED(d3d->EnumAdapterModes(a, m, &mode))) continue;
            r.modes.push_back({mode.Width, mode.Height, std::uint32_t(mode.Format)});
            if (std::find(formats.begin(), formats.end(), std::uint32_t(mode.Format)) == formats.end())
                formats.push_back(std::uint32_t(mode.Format));
        }
        r.devices[0] = reportDevice(d3d, a, D3DDEVTYPE_HAL, formats);
        r.devices[1] = reportDevice(d3d, a, D3DDEVTYPE_REF, formats);
        out.push_back(std::move(r));
    }
    return out;
}

}  // namespace tevaro::album
