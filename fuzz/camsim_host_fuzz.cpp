// Fuzz target: the software camera's parser of host bytes. Whatever a host sends, in whatever
// pieces and at whatever times, the camera must keep going and answer the next well-formed
// request.
//
// The input is a sequence of pieces: a control byte (low 4 bits: piece length - 1; high bits:
// the gap before it in steps of 100 ms), then the piece's bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "camsim/camera.h"
#include "camsim/catalogue_profile.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    camsim::Profile profile = camsim::defaultProfile();
    camsim::addCatalogueRecords(profile);
    profile.checkLineSpeed = false;  // every byte counts, whatever speed the session chose
    camsim::Camera camera(profile);
    camsim::CatalogueModel model(camera);
    uint64_t now = 0;
    uint8_t sink[4096];
    size_t pos = 0;
    while (pos < size) {
        const uint8_t control = data[pos++];
        const size_t n = std::min<size_t>((control & 0x0F) + 1, size - pos);
        now += uint64_t(control >> 4) * 100'000;
        camera.receive(data + pos, n, now);
        pos += n;
        now += 20'000;
        camera.read(sink, sizeof sink, now);
    }
    // Past any frame the input left open, a probe is answered with NAK.
    now += 1'000'000;
    camera.read(sink, sizeof sink, now);
    const uint8_t probe = 0;
    camera.receive(&probe, 1, now);
    now += 1'000'000;
    const size_t got = camera.read(sink, sizeof sink, now);
    Check(std::find(sink, sink + got, uint8_t{0x15}) != sink + got);
    return 0;
}
