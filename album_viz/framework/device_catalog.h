#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tevaro::album {

// Direct3D 8's numbers for the formats, device types and creation flags the rules compare.
namespace d3dfmt {
constexpr std::uint32_t R8G8B8 = 20, A8R8G8B8 = 21, X8R8G8B8 = 22, R5G6B5 = 23, X1R5G5B5 = 24, A1R5G5B5 = 25;
constexpr std::uint32_t D32 = 71, D15S1 = 73, D24S8 = 75, D24X8 = 77, D24X4S4 = 79, D16 = 80;
}  // namespace d3dfmt
enum class DeviceType : std::uint32_t { Hal = 1, Ref = 2 };
namespace d3dcreate {
constexpr std::uint32_t FpuPreserve = 0x02, PureDevice = 0x10, SoftwareVertexProcessing = 0x20,
                        HardwareVertexProcessing = 0x40, MixedVertexProcessing = 0x80;
}

struct DisplayMode {
    std::uint32_t width = 0, height = 0, format = 0;
};

// What the Direct3D side reports for one device type of one adapter.
struct DeviceReport {
    DeviceType type = DeviceType::Hal;
    bool present = false;                      // GetDeviceCaps succeeded
    bool canRenderWindowed = false;            // D3DCAPS2_CANRENDERWINDOWED
    bool hardwareTransform = false;            // D3DDEVCAPS_HWTRANSFORMANDLIGHT
    bool pureDevice = false;                   // D3DDEVCAPS_PUREDEVICE
    std::vector<std::uint32_t> renderFormats;  // formats for which CheckDeviceType(f, f, full screen) succeeds
    // (adapter format, depth format) pairs for which CheckDeviceFormat(depth-stencil surface) and
    // CheckDepthStencilMatch both succeed.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> depthFormats;
};

struct AdapterReport {
    std::string description;
    DisplayMode desktop;
    std::vector<DisplayMode> modes;  // as EnumAdapterModes lists them, refresh rates dropped
    DeviceReport devices[2];         // HAL, then REF
};

struct ModeRecord {
    std::uint32_t width = 0, height = 0, format = 0, behavior = 0, depthStencil = 0;
};

struct DeviceRecord {
    DeviceType type = DeviceType::Hal;
    std::string description;  // "HAL" or "REF"
    bool canRenderWindowed = false;
    bool windowed = false;
    std::uint32_t desktopBehavior = 0;  // behaviour and depth format chosen for the desktop format
    std::uint32_t desktopDepthStencil = 0;
    std::vector<ModeRecord> modes;
    int currentMode = 0;
};

struct AdapterRecord {
    std::string description;
    DisplayMode desktop;
    std::vector<DeviceRecord> devices;
    int currentDevice = 0;
};

struct DeviceCatalog {
    static constexpr std::size_t MaxAdapters = 10, MaxDevices = 5, MaxModes = 150, MaxDistinctModes = 100,
                                 MaxFormats = 20;
    std::vector<AdapterRecord> adapters;
    int currentAdapter = 0;
    bool windowed = false;

    const DeviceRecord* current() const;
};

// The scene's veto over a device and behaviour (the framework's AcceptDevice hook).
using AcceptDevice = bool (*)(const DeviceReport& device, std::uint32_t behavior, std::uint32_t format);
bool acceptEveryDevice(const DeviceReport&, std::uint32_t, std::uint32_t);

struct DepthRequest {
    bool useDepthBuffer = true;
    int minDepthBits = 16;
    int minStencilBits = 0;
};

// The depth-stencil format for a device and adapter format, tried D16, D15S1, D24X8, D24S8,
// D24X4S4, D32 as the minimum bits allow; 0 when none qualifies.
std::uint32_t chooseDepthStencil(const DeviceReport& device, std::uint32_t adapterFormat, const DepthRequest& depth);

// Builds the catalogue from what the adapters report and makes the first windowed-capable device
// current (adapters in order, HAL before REF). False when no adapter has a device or no device
// can render into a window; the catalogue then holds whatever was counted.
bool enumerateDevices(const std::vector<AdapterReport>& adapters, const DepthRequest& depth, AcceptDevice accept,
                      DeviceCatalog& out);

// After the HAL device failed to start: makes adapter 0's reference device current. False when
// the failed device was not a HAL device or adapter 0 has no reference device.
bool selectReferenceFallback(DeviceCatalog& catalog);

}  // namespace tevaro::album
