// AES-256 and CBC against the published known answers, and the site cipher's fixed output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aes256.h"
#include "site_cipher.h"

namespace orvia::keys {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes FromHex(const std::string& hex) {
    Bytes bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

Bytes Counting(size_t n) {
    Bytes bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<uint8_t>(i);
    return bytes;
}

// FIPS-197 appendix C.3.
TEST(AesCipher, Fips197BlockBothDirections) {
    const Aes256 aes(Counting(kAes256Key).data());
    const Bytes plain = FromHex("00112233445566778899aabbccddeeff");
    const Bytes cipher = FromHex("8ea2b7ca516745bfeafc49904b496089");
    Bytes out(kAesBlock);
    aes.EncryptBlock(plain.data(), out.data());
    EXPECT_EQ(out, cipher);
    aes.DecryptBlock(cipher.data(), out.data());
    EXPECT_EQ(out, plain);
}

// NIST SP 800-38A F.2.5 and F.2.6; deciphering also runs in place.
TEST(AesCipher, Sp80038aCbcBothDirections) {
    const Aes256 aes(
        FromHex("603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4").data());
    const Bytes iv = Counting(kAesBlock);
    const Bytes plain = FromHex(
        "6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
        "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710");
    const Bytes cipher = FromHex(
        "f58c4c04d6e5f1ba779eabfb5f7bfbd69cfc4e967edb808d679f777bc6702c7d"
        "39f23369a9d9bacfa530e26304231461b2eb05e2c39be9fcda6c19078c6a9d1b");
    Bytes out(plain.size());
    ASSERT_TRUE(CbcEncrypt(aes, iv.data(), plain.data(), out.data(), plain.size()));
    EXPECT_EQ(out, cipher);
    ASSERT_TRUE(CbcDecrypt(aes, iv.data(), out.data(), out.data(), out.size()));
    EXPECT_EQ(out, plain);
}

TEST(AesCipher, CbcRefusesPartialBlocksAndMissingBuffersLeavingTheOutput) {
    const Aes256 aes(Counting(kAes256Key).data());
    const Bytes iv(kAesBlock), in(48);
    struct Case {
        const char* what;
        const uint8_t* iv;
        const uint8_t* in;
        size_t length;
    } cases[] = {
        {"empty", iv.data(), in.data(), 0},
        {"partial block", iv.data(), in.data(), 20},
        {"no iv", nullptr, in.data(), 16},
        {"no input", iv.data(), nullptr, 16},
    };
    for (const Case& c : cases) {
        Bytes out(48, 0xEE);
        EXPECT_FALSE(CbcEncrypt(aes, c.iv, c.in, out.data(), c.length)) << c.what;
        EXPECT_FALSE(CbcDecrypt(aes, c.iv, c.in, out.data(), c.length)) << c.what;
        EXPECT_EQ(out, Bytes(48, 0xEE)) << c.what;
    }
    EXPECT_FALSE(CbcEncrypt(aes, iv.data(), in.data(), nullptr, 16));
    EXPECT_FALSE(CbcDecrypt(aes, iv.data(), in.data(), nullptr, 16));
}

// Key data files already written hold this output, so it must never change.
TEST(SiteCipher, KeepsItsFixedOutputAndRoundTrips) {
    const Bytes plain = Counting(32);
    Bytes out(plain.size());
    ASSERT_TRUE(SiteEncipher(plain.data(), out.data(), out.size()));
    EXPECT_EQ(out, FromHex("d9dc05b4906ec6a3ce951244243ee76b1dcaa377d85301e3e90d791db71b6230"));

    Bytes record(736);
    for (size_t i = 0; i < record.size(); ++i)
        record[i] = static_cast<uint8_t>(i * 7 + 3);
    Bytes enciphered(record.size()), back(record.size());
    ASSERT_TRUE(SiteEncipher(record.data(), enciphered.data(), record.size()));
    EXPECT_NE(enciphered, record);
    ASSERT_TRUE(SiteDecipher(enciphered.data(), back.data(), back.size()));
    EXPECT_EQ(back, record);
}

}  // namespace
}  // namespace orvia::keys
