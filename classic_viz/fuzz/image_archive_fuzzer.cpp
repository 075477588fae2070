// libFuzzer harness of the image-archive decoder: any byte string must decode or be refused
// without reading or writing outside its buffers, and every picture it yields must be complete.
#include <cstddef>
#include <cstdint>

#include "classic_viz/framework/image_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tevaro::viz::ImageArchive archive;
    if (!archive.decode(data, size)) return 0;
    std::uint32_t sum = 0;
    for (int n = 0; n <= archive.count() + 1; ++n) {
        const tevaro::viz::ImageView v = archive.image(n);
        if (!v) continue;
        // Touch every pixel so the sanitizer sees any short picture.
        for (int i = 0; i < v.pixelCount(); ++i) sum += v.pixels[i];
        sum += static_cast<std::uint32_t>(*v.stamp);
    }
    return sum == 0xFFFFFFFFu ? 0 : 0;
}
