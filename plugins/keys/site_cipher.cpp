#include "site_cipher.h"

#include "aes256.h"

namespace orvia::keys {
namespace {

const unsigned char kSiteKey[] = "ORVIA-CIFREL-STANDIN-SITEKEY-V01";
const unsigned char kSiteIv[] = "ORVIA-CIFREL-IV1";
static_assert(sizeof kSiteKey == kAes256Key + 1 && sizeof kSiteIv == kAesBlock + 1);

const Aes256& SiteAes() {
    static const Aes256 aes(kSiteKey);
    return aes;
}

}  // namespace

bool SiteEncipher(const uint8_t* in, uint8_t* out, size_t length) {
    return CbcEncrypt(SiteAes(), kSiteIv, in, out, length);
}

bool SiteDecipher(const uint8_t* in, uint8_t* out, size_t length) {
    return CbcDecrypt(SiteAes(), kSiteIv, in, out, length);
}

}  // namespace orvia::keys
