// The plug-ins' header checks on any bytes: no read past them, and a declared
// size is only found for a head that is recognised.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "core/ImageHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A block of its own exact size, so that a read past it is seen.
    const std::vector<uint8_t> bytes(data, data + size);
    const bool known = IsKnownImageHead(bytes.data(), bytes.size());
    uint32_t width = 0;
    uint32_t height = 0;
    if (ReadDeclaredSize(bytes.data(), bytes.size(), &width, &height)) FUZZ_CHECK(known);
    // A JPEG XR container is complete or broken only when it starts like one.
    const JxrLayout layout = CheckJxrLayout(bytes.data(), bytes.size());
    if (layout != JxrLayout::NotJxr) FUZZ_CHECK(bytes.size() >= 4 && bytes[2] == 0xBC);
    return 0;
}
