// Device enumeration and choice on hand-made adapter descriptions.
#include <gtest/gtest.h>

#include "album_viz/framework/device_catalog.h"

namespace tevaro::album {
namespace {

using namespace d3dfmt;

// Every format renders and every depth format matches every adapter format, unless a case says otherwise.
DeviceReport device(DeviceType type, bool windowed, std::vector<std::uint32_t> depths = {D16, D24X8, D24S8, D32}) {
    DeviceReport d;
    d.type = type;
    d.present = true;
    d.canRenderWindowed = windowed;
    d.renderFormats = {X8R8G8B8, R5G6B5, X1R5G5B5};
    for (std::uint32_t f : d.renderFormats)
        for (std::uint32_t ds : depths) d.depthFormats.push_back({f, ds});
    return d;
}

// A device whose caps allow a window but that cannot render the desktop's format.
DeviceReport withoutDesktopFormat(DeviceReport d) {
    d.renderFormats = {R5G6B5};
    return d;
}

AdapterReport adapter(std::vector<DisplayMode> modes, DeviceReport hal, DeviceReport ref) {
    AdapterReport a;
    a.description = "test adapter";
    a.desktop = {1024, 768, X8R8G8B8};
    a.modes = std::move(modes);
    a.devices[0] = std::move(hal);
    a.devices[1] = std::move(ref);
    return a;
}

const std::vector<DisplayMode> xvfbModes = {{1024, 768, X8R8G8B8}, {1024, 768, R5G6B5}};

TEST(DeviceCatalog, ChoosesTheDeviceByTheWindowingRules) {
    struct Case {
        const char* name;
        std::vector<AdapterReport> adapters;
        bool found;
        int adapter;
        DeviceType type;
    };
    const Case cases[] = {
        {"HAL windowable",
         {adapter(xvfbModes, device(DeviceType::Hal, true), device(DeviceType::Ref, true))},
         true,
         0,
         DeviceType::Hal},
        {"only REF windowable",
         {adapter(xvfbModes, device(DeviceType::Hal, false), device(DeviceType::Ref, true))},
         true,
         0,
         DeviceType::Ref},
        {"REF windowable but not in the desktop format",
         {adapter(xvfbModes, device(DeviceType::Hal, false), withoutDesktopFormat(device(DeviceType::Ref, true)))},
         false,
         0,
         DeviceType::Hal},
        {"HAL not in the desktop format leaves the windowable REF",
         {adapter(xvfbModes, withoutDesktopFormat(device(DeviceType::Hal, true)), device(DeviceType::Ref, true))},
         true,
         0,
         DeviceType::Ref},
        {"nothing windowable",
         {adapter(xvfbModes, device(DeviceType::Hal, false), device(DeviceType::Ref, false))},
         false,
         0,
         DeviceType::Hal},
        {"only modes below 640 x 400",
         {adapter({{320, 240, X8R8G8B8}, {639, 480, X8R8G8B8}, {800, 399, R5G6B5}}, device(DeviceType::Hal, true),
                  device(DeviceType::Ref, true))},
         false,
         0,
         DeviceType::Hal},
        {"second adapter's HAL after the first's nothing",
         {adapter({{320, 200, X8R8G8B8}}, device(DeviceType::Hal, true), device(DeviceType::Ref, true)),
          adapter(xvfbModes, device(DeviceType::Hal, true), device(DeviceType::Ref, true))},
         true,
         0,
         DeviceType::Hal},
        {"no adapter", {}, false, 0, DeviceType::Hal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceCatalog catalog;
        EXPECT_EQ(enumerateDevices(c.adapters, DepthRequest{}, acceptEveryDevice, catalog), c.found);
        if (!c.found) continue;
        EXPECT_TRUE(catalog.windowed);
        EXPECT_EQ(catalog.currentAdapter, c.adapter);
        ASSERT_NE(catalog.current(), nullptr);
        EXPECT_EQ(catalog.current()->type, c.type);
        EXPECT_EQ(catalog.current()->description, c.type == DeviceType::Hal ? "HAL" : "REF");
    }
}

TEST(DeviceCatalog, AnAdapterWithOnlySmallModesIsNotCounted) {
    DeviceCatalog catalog;
    const std::vector<AdapterReport> adapters = {
        adapter({{320, 200, X8R8G8B8}}, device(DeviceType::Hal, true), device(DeviceType::Ref, true)),
        adapter(xvfbModes, device(DeviceType::Hal, true), device(DeviceType::Ref, true))};
    ASSERT_TRUE(enumerateDevices(adapters, DepthRequest{}, acceptEveryDevice, catalog));
    EXPECT_EQ(catalog.adapters.size(), 1u);
}

TEST(DeviceCatalog, DepthFormatsAreTriedInOrderWithinTheMinimumBits) {
    struct Case {
        const char* name;
        std::vector<std::uint32_t> supported;
        int depthBits, stencilBits;
        std::uint32_t chosen;
    };
    const Case cases[] = {
        {"everything: D16 first", {D32, D24X4S4, D24S8, D24X8, D15S1, D16}, 16, 0, D16},
        {"only D24S8", {D24S8}, 16, 0, D24S8},
        {"D15S1 is never taken for 16 bits", {D15S1, D32}, 16, 0, D32},
        {"D15S1 for 15 bits and one stencil bit", {D15S1, D24S8}, 15, 1, D15S1},
        {"stencil rules out the formats without", {D16, D24X8, D32, D24X4S4, D24S8}, 16, 4, D24S8},
        {"eight stencil bits", {D24X4S4, D24S8}, 24, 8, D24S8},
        {"32 depth bits", {D16, D24X8, D24S8, D32}, 32, 0, D32},
        {"nothing fits", {D16}, 24, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DeviceReport d = device(DeviceType::Hal, true, c.supported);
        EXPECT_EQ(chooseDepthStencil(d, X8R8G8B8, DepthRequest{true, c.depthBits, c.stencilBits}), c.chosen);
    }
    // A depth format that matches another adapter format only does not count.
    DeviceReport d = device(DeviceType::Hal, true, {});
    d.depthFormats = {{R5G6B5, D16}, {X8R8G8B8, D24S8}};
    EXPECT_EQ(chooseDepthStencil(d, X8R8G8B8, DepthRequest{}), D24S8);
}

TEST(DeviceCatalog, DeviceWithOnlyD24S8GetsIt) {
    DeviceCatalog catalog;
    ASSERT_TRUE(enumerateDevices({adapter(xvfbModes, device(DeviceType::Hal, true, {D24S8}), DeviceReport{})},
                                 DepthRequest{}, acceptEveryDevice, catalog));
    for (const ModeRecord& m : catalog.current()->modes) EXPECT_EQ(m.depthStencil, D24S8);
    EXPECT_EQ(catalog.current()->desktopDepthStencil, D24S8);
}

TEST(DeviceCatalog, FormatsWithoutDepthOrRenderingAreDropped) {
    DeviceReport hal = device(DeviceType::Hal, true, {});
    hal.depthFormats = {{X8R8G8B8, D16}};  // R5G6B5 has none
    DeviceCatalog catalog;
    ASSERT_TRUE(
        enumerateDevices({adapter(xvfbModes, hal, DeviceReport{})}, DepthRequest{}, acceptEveryDevice, catalog));
    ASSERT_EQ(catalog.current()->modes.size(), 1u);
    EXPECT_EQ(catalog.current()->modes[0].format, X8R8G8B8);
    // Without a depth buffer the R5G6B5 modes stay.
    ASSERT_TRUE(enumerateDevices({adapter(xvfbModes, hal, DeviceReport{})}, DepthRequest{false, 16, 0},
                                 acceptEveryDevice, catalog));
    EXPECT_EQ(catalog.current()->modes.size(), 2u);
    // A device that cannot render the desktop format is not windowed-capable.
    hal.renderFormats = {R5G6B5};
    EXPECT_FALSE(enumerateDevices({adapter(xvfbModes, hal, DeviceReport{})}, DepthRequest{false, 16, 0},
                                  acceptEveryDevice, catalog));
}

TEST(DeviceCatalog, ModesAreDistinctSortedAndThe640By480OneIsCurrent) {
    const std::vector<DisplayMode> modes = {{800, 600, X8R8G8B8}, {640, 480, X8R8G8B8}, {640, 480, X8R8G8B8},
                                            {1024, 768, R5G6B5},  {640, 480, R5G6B5},   {640, 480, X1R5G5B5},
                                            {800, 480, R5G6B5}};
    DeviceCatalog catalog;
    ASSERT_TRUE(enumerateDevices({adapter(modes, device(DeviceType::Hal, true), DeviceReport{})}, DepthRequest{},
                                 acceptEveryDevice, catalog));
    const DeviceRecord& d = *catalog.current();
    // Format descending (X1R5G5B5 24, R5G6B5 23, X8R8G8B8 22), then width, then height.
    const std::vector<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>> expected = {
        {640, 480, X1R5G5B5}, {640, 480, R5G6B5},   {800, 480, R5G6B5},
        {1024, 768, R5G6B5},  {640, 480, X8R8G8B8}, {800, 600, X8R8G8B8}};
    ASSERT_EQ(d.modes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::make_tuple(d.modes[i].width, d.modes[i].height, d.modes[i].format), expected[i]);
    }
    EXPECT_EQ(d.currentMode, 0);  // the first 16-bit 640 x 480
    DeviceReport wide = device(DeviceType::Hal, true);
    wide.renderFormats.push_back(A8R8G8B8);
    DeviceCatalog only32;
    ASSERT_TRUE(enumerateDevices(
        {adapter({{640, 480, A8R8G8B8}, {800, 600, X8R8G8B8}, {640, 480, X8R8G8B8}}, wide, DeviceReport{})},
        DepthRequest{false, 16, 0}, acceptEveryDevice, only32));
    // No 16-bit one: the last 640 x 480 in sorted order, A8R8G8B8 (21) after X8R8G8B8 (22) and 800 x 600.
    ASSERT_EQ(only32.current()->modes.size(), 3u);
    EXPECT_EQ(only32.current()->currentMode, 2);
    EXPECT_EQ(only32.current()->modes[2].format, A8R8G8B8);
}

TEST(DeviceCatalog, BehaviourFlagsAreTheFirstTheSceneConfirms) {
    using namespace d3dcreate;
    struct Case {
        const char* name;
        bool hwtl, pure;
        AcceptDevice accept;
        std::uint32_t behavior;
    };
    static AcceptDevice noPure = [](const DeviceReport&, std::uint32_t b, std::uint32_t) { return !(b & PureDevice); };
    static AcceptDevice softOnly = [](const DeviceReport&, std::uint32_t b, std::uint32_t) {
        return b == SoftwareVertexProcessing;
    };
    static AcceptDevice mixedUp = [](const DeviceReport&, std::uint32_t b, std::uint32_t) {
        return b == MixedVertexProcessing;
    };
    const Case cases[] = {
        {"pure hardware", true, true, acceptEveryDevice, PureDevice | HardwareVertexProcessing},
        {"hardware without pure caps", true, false, acceptEveryDevice, HardwareVertexProcessing},
        {"pure refused", true, true, noPure, HardwareVertexProcessing},
        {"mixed", true, true, mixedUp, MixedVertexProcessing},
        {"no transform caps", false, true, acceptEveryDevice, SoftwareVertexProcessing},
        {"hardware refused", true, true, softOnly, SoftwareVertexProcessing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceReport hal = device(DeviceType::Hal, true);
        hal.hardwareTransform = c.hwtl;
        hal.pureDevice = c.pure;
        DeviceCatalog catalog;
        ASSERT_TRUE(enumerateDevices({adapter(xvfbModes, hal, DeviceReport{})}, DepthRequest{}, c.accept, catalog));
        EXPECT_EQ(catalog.current()->desktopBehavior, c.behavior);
    }
    DeviceCatalog none;
    EXPECT_FALSE(enumerateDevices(
        {adapter(xvfbModes, device(DeviceType::Hal, true), DeviceReport{})}, DepthRequest{},
        [](const DeviceReport&, std::uint32_t, std::uint32_t) { return false; }, none));
}

TEST(DeviceCatalog, ReferenceFallbackTakesAdapterZerosReferenceDevice) {
    DeviceCatalog catalog;
    ASSERT_TRUE(enumerateDevices({adapter(xvfbModes, device(DeviceType::Hal, true), device(DeviceType::Ref, true))},
                                 DepthRequest{}, acceptEveryDevice, catalog));
    ASSERT_EQ(catalog.current()->type, DeviceType::Hal);
    ASSERT_TRUE(selectReferenceFallback(catalog));
    EXPECT_EQ(catalog.current()->type, DeviceType::Ref);
    EXPECT_TRUE(catalog.windowed);
    EXPECT_FALSE(selectReferenceFallback(catalog));  // a failed REF has no further fallback
    DeviceCatalog halOnly;
    ASSERT_TRUE(enumerateDevices({adapter(xvfbModes, device(DeviceType::Hal, true), DeviceReport{})}, DepthRequest{},
                                 acceptEveryDevice, halOnly));
    EXPECT_FALSE(selectReferenceFallback(halOnly));
}

}  // namespace
}  // namespace tevaro::album
