#include "site_cipher.h"

#include <openssl/evp.h>

#include <climits>
#include <memory>

namespace orvia::keys {
namespace {

const unsigned char kSiteKey[] = "ORVIA-CIFREL-STANDIN-SITEKEY-V01";
const unsigned char kSiteIv[] = "ORVIA-CIFREL-IV1";
static_assert(sizeof kSiteKey == 32 + 1 && sizeof kSiteIv == 16 + 1);

struct ContextDeleter {
    void operator()(EVP_CIPHER_CTX* ctx) const { EVP_CIPHER_CTX_free(ctx); }
};

bool Run(bool encipher, const uint8_t* in, uint8_t* out, size_t length) {
    if (in == nullptr || out == nullptr || length == 0 || length % kCipherBlock != 0 ||
        length > INT_MAX)
        return false;
    std::unique_ptr<EVP_CIPHER_CTX, ContextDeleter> ctx(EVP_CIPHER_CTX_new());
    if (!ctx) return false;
    if (EVP_CipherInit_ex(ctx.get(), EVP_aes_256_cbc(), nullptr, kSiteKey, kSiteIv,
                          encipher ? 1 : 0) != 1)
        return false;
    EVP_CIPHER_CTX_set_padding(ctx.get(), 0);
    int produced = 0, last = 0;
    if (EVP_CipherUpdate(ctx.get(), out, &produced, in, static_cast<int>(length)) != 1)
        return false;
    if (EVP_CipherFinal_ex(ctx.get(), out + produced, &last) != 1) return false;
    return static_cast<size_t>(produced + last) == length;
}

}  // namespace

bool SiteEncipher(const uint8_t* in, uint8_t* out, size_t length) {
    return Run(true, in, out, length);
}

bool SiteDecipher(const uint8_t* in, uint8_t* out, size_t length) {
    return Run(false, in, out, length);
}

}  // namespace orvia::keys
