#include "fresh_effect.h"

#include <algorithm>
#include <cstring>

namespace tevaro::viz::test {

FreshEffect::FreshEffect(const EffectRow& row) {
    CoFreeUnusedLibrariesEx(0, 0);
    EXPECT_EQ(GetModuleHandleW(row.dll), nullptr) << "an earlier load would carry its random state over";
    module_ = LoadLibraryW(row.dll);
    if (module_ == nullptr) return;
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    IClassFactory* factory = nullptr;
    if (get == nullptr || FAILED(get(row.clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) return;
    factory->CreateInstance(nullptr, __uuidof(IWMPEffects), reinterpret_cast<void**>(&effect_));
    factory->Release();
}

FreshEffect::~FreshEffect() {
    if (effect_ != nullptr) {
        EXPECT_EQ(effect_->Release(), 0u);
    }
    if (module_ != nullptr) FreeLibrary(module_);
}

std::span<const std::uint8_t> FreshEffect::resource(const wchar_t* name) const {
    HRSRC found = FindResourceW(module_, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found != nullptr ? LoadResource(module_, found) : nullptr;
    const auto* bytes = static_cast<const std::uint8_t*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (bytes == nullptr) return {};
    return {bytes, SizeofResource(module_, found)};
}

ReferenceEngine::ReferenceEngine(const EngineRow& row, std::span<const std::uint8_t> archive, int screenWidth,
                                 int screenHeight)
    : description_(row.describe(archive.data(), archive.size())),
      script_(row.makeScript()),
      core_(std::make_unique<EffectCore>(description_, *script_, random_)),
      width_(screenWidth),
      height_(screenHeight),
      screen_(static_cast<std::size_t>(screenWidth) * static_cast<std::size_t>(screenHeight), 0) {}

void ReferenceEngine::render(const TimedLevel& levels, const RECT& rect, int depth) {
    std::uint8_t frequency[1024];
    std::memcpy(frequency, levels.frequency[0], sizeof frequency);
    drew_ = core_->render(frequency, RenderRect{rect.left, rect.top, rect.right, rect.bottom}, depth, image_);
    if (!drew_ || image_.bitCount != 32) return;
    for (int y = 0; y < image_.height; ++y) {
        const int sy = image_.originY + y;
        if (sy < 0 || sy >= height_) continue;
        for (int x = 0; x < image_.width; ++x) {
            const int sx = image_.originX + x;
            if (sx < 0 || sx >= width_) continue;
            std::uint32_t p;
            std::memcpy(&p, image_.bits.data() + static_cast<std::size_t>(y) * image_.stride() + 4 * x, 4);
            screen_[static_cast<std::size_t>(sy) * width_ + sx] = p & 0xFFFFFF;
        }
    }
}

void syntheticLevels(int frame, TimedLevel& levels) {
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < 1024; ++i) {
            const int peak = (frame * 37 + c * 100) % 1024;
            const int distance = std::abs(i - peak);
            const int value = std::max(0, 230 - distance) + (i * 7 + frame * 13) % 40;
            levels.frequency[c][i] = static_cast<std::uint8_t>(std::min(255, value));
            levels.waveform[c][i] = static_cast<std::uint8_t>((i + frame) % 256);
        }
    }
    levels.state = 2;
    levels.timeStamp = static_cast<LONGLONG>(frame) * 333333;
}

}  // namespace tevaro::viz::test
