// Fuzz target: the judgement stand-in on any result text, in the 1024-byte buffer the console
// hands it (a text that fills the buffer has no terminating zero). It reads nothing beyond the
// buffer, never writes it, and judges by its rule: a focus text by its first focus error, an AWB
// text by every gain line.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

extern "C" int32_t fnJudvane(const char* cameraType, int32_t kind, char* text);

namespace {

constexpr size_t kBufferBytes = 1024;

void Check(bool ok) {
    if (!ok) std::abort();
}

// Judges `text` in a buffer of exactly 1024 bytes, checking the buffer is left as it was.
int32_t Judge(int32_t kind, std::string_view text) {
    const auto buffer = std::make_unique<char[]>(kBufferBytes);
    const size_t n = std::min(text.size(), kBufferBytes);
    std::memcpy(buffer.get(), text.data(), n);
    const int32_t verdict = fnJudvane("ZR510", kind, buffer.get());
    Check(std::memcmp(buffer.get(), text.data(), n) == 0);
    Check(verdict == 0 || verdict == 1);
    return verdict;
}

// A line "<name> : ..." whose name ends in "Gain".
bool HasGainLine(std::string_view text) {
    for (size_t start = 0; start < text.size();) {
        const size_t eol = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, eol - start);
        const size_t colon = line.find(':');
        if (colon != std::string_view::npos) {
            std::string_view name = line.substr(0, colon);
            while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
                name.remove_suffix(1);
            if (name.ends_with("Gain")) return true;
        }
        start = eol + 1;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int32_t kind = data[0] % 4;
    const std::string_view raw(reinterpret_cast<const char*>(data + 1), size - 1);
    const int32_t verdict = Judge(kind, raw);
    // What the stand-in reads: up to the first zero, within the buffer.
    const std::string_view text = raw.substr(0, std::min(raw.find('\0'), kBufferBytes));

    if (kind != 1 && kind != 2) Check(verdict == 0);
    if (kind == 1) {
        if (verdict == 1) Check(text.find("AF_DIFF = ") != std::string_view::npos);
        // The first focus error decides.
        const std::string t(text.substr(0, kBufferBytes - 64));
        Check(Judge(1, "AF_DIFF = -10\r\n" + t + '\0') == 1);
        Check(Judge(1, "AF_DIFF = 11\r\n" + t + '\0') == 0);
    }
    if (kind == 2) {
        if (verdict == 1) Check(HasGainLine(text));
        // One gain out of tolerance fails the text.
        const std::string t(text.substr(0, kBufferBytes - 64));
        Check(Judge(2, t + "\nR Gain : 1.051\n" + '\0') == 0);
    }
    return 0;
}
