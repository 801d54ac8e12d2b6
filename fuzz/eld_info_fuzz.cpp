// Fuzz target: the organic-EL panel's ELD Info record as both panel dialogs read it. The size
// the camera announces decides how much of the record is fetched: never more than the dialogs'
// 48-byte block, and a block sent back never claims more. Every level shows as one or two
// hexadecimal digits (its low byte) whatever the camera sent.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "dialogs/oel_dialogs.h"
#include "fuzz_console.h"

namespace {

using orvia::fuzz::Check;

// A camera whose ELD Info record is the fuzzer's bytes, behind the size it announces.
class EldCamera final : public orvia::fuzz::QuietCamera {
  public:
    EldCamera(int32_t size, int32_t result, std::span<const uint8_t> record)
        : size_(size), result_(result), record_(record) {}

    int32_t get_diag_eld_info_size() override { return size_; }
    // As the library does: at most the size the caller put into word 0.
    int32_t get_diag_eld_info(void* buf) override {
        int32_t asked = 0;
        std::memcpy(&asked, buf, sizeof asked);
        Check(asked <= orvia::kEldInfoBytes);
        if (asked < 0) return 1;
        const size_t n = std::min(record_.size(), static_cast<size_t>(asked));
        if (n > 0) std::memcpy(buf, record_.data(), n);
        return result_;
    }
    int32_t set_diag_eld_info(const void* buf) override {
        int32_t length = 0;
        std::memcpy(&length, buf, sizeof length);
        Check(length >= 0 && length <= orvia::kEldInfoBytes);
        return 0;
    }

  private:
    int32_t size_;
    int32_t result_;
    std::span<const uint8_t> record_;
};

// One or two upper-case hexadecimal digits: the level's low byte.
bool IsLevelText(const std::string& s) {
    return !s.empty() && s.size() <= 2 && std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The announced size, a result code, then the record.
    orvia::fuzz::Bytes bytes(data, size);
    const int32_t announced = bytes.word();
    const int32_t result = bytes.byte() % 3 == 0 ? 0 : 1;
    EldCamera camera(announced, result, bytes.rest());
    orvia::fuzz::Bench bench(camera);

    orvia::OelCalDialog levels(bench.context);
    levels.initialise();
    for (const std::string& t : levels.levelTexts)
        Check(t.empty() || IsLevelText(t));

    orvia::OelAclDialog acl(bench.context, &levels.block());
    acl.initialise();
    for (const std::string& t : acl.levelTexts)
        Check(t.empty() || IsLevelText(t));
    acl.command(orvia::idc::oel::kAcl);

    orvia::OelAclDialog own(bench.context);
    own.initialise();
    return 0;
}
