// Key sets read from a site's key data through two outside libraries: the key source, which
// delivers an enciphered record for a key identifier, and the decipher library. Both are loaded
// by name for each call and unloaded before it returns; the library itself holds no key
// material, and the work buffers are wiped before they are released.
#include <cstring>
#include <memory>

#include "call_guard.h"
#include "connection.h"
#include "link_constants.h"
#include "platform.h"
#include "qorlink.h"
#include "secure_wipe.h"

#if defined(_WIN32)
#define QORLINK_CDECL __cdecl
#else
#define QORLINK_CDECL
#endif

namespace qorlink {
namespace {

using KeySourceFn = int(QORLINK_CDECL*)(const char* source, const char* name, unsigned char* buf);
using DecipherFn = int(QORLINK_CDECL*)(const unsigned char* in, unsigned char* out, int length);

constexpr const char* kKeySourceLibrary = "Ravik.dll";
constexpr const char* kDecipherLibrary = "Cifrel.dll";
constexpr const char* kKeySourceEntry1 = "RKA_GetKey";
constexpr const char* kKeySourceEntry2 = "RKA2_GetKey";
constexpr const char* kDecipherEntry = "AES_Dec";
constexpr const char* kKey2Tag = "RSA2";

constexpr size_t kWorkBuffer = 1024;
constexpr int kMissingKeySource = -2;
constexpr int kDecipherFailed = -1;

struct KeyKind {
    const char* entry;
    int decipherLength;   // bytes the decipher step is asked for
    size_t recordLength;  // bytes of it that are the record
};
constexpr KeyKind kKey1{kKeySourceEntry1, 736, 724};
constexpr KeyKind kKey2{kKeySourceEntry2, 144, 136};

// Two work buffers that are wiped however the call ends.
struct WorkBuffers {
    unsigned char in[kWorkBuffer] = {};
    unsigned char out[kWorkBuffer] = {};
    ~WorkBuffers() {
        SecureWipe(in, sizeof in);
        SecureWipe(out, sizeof out);
    }
};

int ReadKey(const KeyKind& kind, const char* source, const char* name, void* out) {
    if (out == nullptr) return kDecipherFailed;
    Platform& platform = currentPlatform();
    std::unique_ptr<LoadedLibrary> keySource = platform.loadLibrary(kKeySourceLibrary);
    if (!keySource) return kMissingKeySource;
    auto getKey = reinterpret_cast<KeySourceFn>(keySource->symbol(kind.entry));
    if (getKey == nullptr) return kMissingKeySource;

    auto work = std::make_unique<WorkBuffers>();
    if (const int r = getKey(source, name, work->in); r != 0) return r;

    std::unique_ptr<LoadedLibrary> decipherLibrary = platform.loadLibrary(kDecipherLibrary);
    if (!decipherLibrary) return kDecipherFailed;
    auto decipher = reinterpret_cast<DecipherFn>(decipherLibrary->symbol(kDecipherEntry));
    if (decipher == nullptr) return kDecipherFailed;
    if (decipher(work->in, work->out, kind.decipherLength) == -1) return kDecipherFailed;

    std::memcpy(out, work->out, kind.recordLength);
    return 0;
}

}  // namespace
}  // namespace qorlink

using namespace qorlink;

// Like every export, the key exports run one at a time with the other calls and answer 22
// while no connection object exists, although they do not talk to the camera.
int32_t QORLINK_CALL Cam_get_rsa_key(const char* source, const char* name, void* out) {
    CallGuard call;
    if (call.connection() == nullptr) return call.refusal();
    return ReadKey(kKey1, source, name, out);
}

int32_t QORLINK_CALL Cam_get_rsa_key2(const char* source, void* out) {
    CallGuard call;
    if (call.connection() == nullptr) return call.refusal();
    return ReadKey(kKey2, source, kKey2Tag, out);
}
