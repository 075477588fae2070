#include "album_viz/framework/device_catalog.h"

#include <algorithm>
#include <tuple>

namespace tevaro::album {
namespace {

bool contains(const std::vector<std::uint32_t>& list, std::uint32_t v) {
    return std::find(list.begin(), list.end(), v) != list.end();
}

bool isSixteenBit(std::uint32_t f) { return f == d3dfmt::R5G6B5 || f == d3dfmt::X1R5G5B5 || f == d3dfmt::A1R5G5B5; }

// First confirmed vertex-processing choice for a format, or 0 when the scene refuses them all.
std::uint32_t chooseBehavior(const DeviceReport& device, std::uint32_t format, AcceptDevice accept) {
    using namespace d3dcreate;
    if (device.hardwareTransform) {
        if (device.pureDevice && accept(device, PureDevice | HardwareVertexProcessing, format))
            return PureDevice | HardwareVertexProcessing;
        if (accept(device, HardwareVertexProcessing, format)) return HardwareVertexProcessing;
        if (accept(device, MixedVertexProcessing, format)) return MixedVertexProcessing;
    }
    return accept(device, SoftwareVertexProcessing, format) ? SoftwareVertexProcessing : 0;
}

struct Survivor {
    std::uint32_t format, behavior, depthStencil;
};

}  // namespace

const DeviceRecord* DeviceCatalog::current() const {
    if (currentAdapter < 0 || currentAdapter >= int(adapters.size())) return nullptr;
    const AdapterRecord& a = adapters[currentAdapter];
    if (a.currentDevice < 0 || a.currentDevice >= int(a.devices.size())) return nullptr;
    return &a.devices[a.currentDevice];
}

bool acceptEveryDevice(const DeviceReport&, std::uint32_t, std::uint32_t) { return true; }

std::uint32_t chooseDepthStencil(const DeviceReport& device, std::uint32_t adapterFormat, const DepthRequest& depth) {
    struct Candidate {
        std::uint32_t format;
        int depthBits, stencilBits;
    };
    constexpr Candidate order[] = {{d3dfmt::D16, 16, 0},   {d3dfmt::D15S1, 15, 1},   {d3dfmt::D24X8, 24, 0},
                                   {d3dfmt::D24S8, 24, 8}, {d3dfmt::D24X4S4, 24, 4}, {d3dfmt::D32, 32, 0}};
    for (const Candidate& c : order) {
        if (depth.minDepthBits > c.depthBits) continue;
        // Formats without stencil bits only serve a request for none.
        if (c.stencilBits == 0 ? depth.minStencilBits != 0 : depth.minStencilBits > c.stencilBits) continue;
        const auto pair = std::make_pair(adapterFormat, c.format);
        if (std::find(device.depthFormats.begin(), device.depthFormats.end(), pair) != device.depthFormats.end())
            return c.format;
    }
    return 0;
}

bool enumerateDevices(const std::vector<AdapterReport>& adapters, const DepthRequest& depth, AcceptDevice accept,
                      DeviceCatalog& out) {
    out = DeviceCatalog{};
    if (accept == nullptr) accept = acceptEveryDevice;
    const std::size_t adapterCount = std::min(adapters.size(), DeviceCatalog::MaxAdapters);
    for (std::size_t ai = 0; ai < adapterCount; ++ai) {
        const AdapterReport& report = adapters[ai];
        std::vector<std::uint32_t> formats{report.desktop.format};
        std::vector<DisplayMode> modes;
        for (const DisplayMode& m : report.modes) {
            if (m.width < 640 || m.height < 400) continue;
            const bool seen = std::any_of(modes.begin(), modes.end(), [&](const DisplayMode& k) {
                return k.width == m.width && k.height == m.height && k.format == m.format;
            });
            if (seen || modes.size() >= DeviceCatalog::MaxDistinctModes) continue;
            modes.push_back(m);
            if (!contains(formats, m.format) && formats.size() < DeviceCatalog::MaxFormats) formats.push_back(m.format);
        }
        std::sort(modes.begin(), modes.end(), [](const DisplayMode& a, const DisplayMode& b) {
            return std::make_tuple(b.format, a.width, a.height) < std::make_tuple(a.format, b.width, b.height);
        });

        AdapterRecord adapter{report.description, report.desktop, {}, 0};
        for (const DeviceReport& device : report.devices) {
            if (!device.present || adapter.devices.size() >= DeviceCatalog::MaxDevices) continue;
            std::vector<Survivor> survivors;
            for (std::uint32_t f : formats) {
                if (!contains(device.renderFormats, f)) continue;
                const std::uint32_t behavior = chooseBehavior(device, f, accept);
                if (behavior == 0) continue;
                std::uint32_t ds = 0;
                if (depth.useDepthBuffer && (ds = chooseDepthStencil(device, f, depth)) == 0) continue;
                survivors.push_back({f, behavior, ds});
            }
            DeviceRecord record;
            record.type = device.type;
            record.description = device.type == DeviceType::Hal ? "HAL" : "REF";
            record.canRenderWindowed = device.canRenderWindowed;
            int lastVga = -1, firstVga16 = -1;
            for (const DisplayMode& m : modes) {
                const auto s = std::find_if(survivors.begin(), survivors.end(),
                                            [&](const Survivor& v) { return v.format == m.format; });
                if (s == survivors.end() || record.modes.size() >= DeviceCatalog::MaxModes) continue;
                if (m.width == 640 && m.height == 480) {
                    lastVga = int(record.modes.size());
                    if (firstVga16 < 0 && isSixteenBit(m.format)) firstVga16 = lastVga;
                }
                record.modes.push_back({m.width, m.height, m.format, s->behavior, s->depthStencil});
            }
            record.currentMode = firstVga16 >= 0 ? firstVga16 : std::max(lastVga, 0);
            const auto desktop = std::find_if(survivors.begin(), survivors.end(),
                                              [&](const Survivor& v) { return v.format == report.desktop.format; });
            if (desktop != survivors.end() && device.canRenderWindowed) {
                record.windowed = true;
                record.desktopBehavior = desktop->behavior;
                record.desktopDepthStencil = desktop->depthStencil;
            }
            if (!record.modes.empty()) adapter.devices.push_back(std::move(record));
        }
        if (!adapter.devices.empty()) out.adapters.push_back(std::move(adapter));
    }
    for (std::size_t ai = 0; ai < out.adapters.size(); ++ai)
        for (std::size_t di = 0; di < out.adapters[ai].devices.size(); ++di)
            if (out.adapters[ai].devices[di].windowed) {
                out.currentAdapter = int(ai);
                out.adapters[ai].currentDevice = int(di);
                out.windowed = true;
                return true;
            }
    return false;
}

bool selectReferenceFallback(DeviceCatalog& catalog) {
    const DeviceRecord* failed = catalog.current();
    if (failed == nullptr || failed->type != DeviceType::Hal || catalog.adapters.empty()) return false;
    AdapterRecord& first = catalog.adapters[0];
    for (std::size_t di = 0; di < first.devices.size(); ++di)
        if (first.devices[di].type == DeviceType::Ref) {
            catalog.currentAdapter = 0;
            first.currentDevice = int(di);
            catalog.windowed = first.devices[di].windowed;
            return true;
        }
    return false;
}

}  // namespace tevaro::album
