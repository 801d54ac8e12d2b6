// The key set exports with the stand-in key source and decipher libraries.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "keydata.h"
#include "library_file.h"
#include "platform.h"
#ifndef _WIN32
#include "posix/library_posix.h"
#endif
#include "qorlink.h"

namespace qorlink::test {
namespace {

namespace fs = std::filesystem;

const std::string kPluginDir = ORVIA_PLUGIN_DIR;
const std::string kRavik = LibraryFileIn(kPluginDir, "Ravik.dll");
const std::string kCifrel = LibraryFileIn(kPluginDir, "Cifrel.dll");

// The host platform, except that outside libraries come from the files chosen by the test
// (an empty path: the library is missing).
class PluginPlatform : public Platform {
  public:
    std::map<std::string, std::string> files = {{"Ravik.dll", kRavik}, {"Cifrel.dll", kCifrel}};

    std::unique_ptr<SerialPort> openSerial(int n) override { return host().openSerial(n); }
    std::vector<std::string> listRemovableScsi() override { return {}; }
    std::unique_ptr<ScsiDevice> openScsi(const std::string&) override { return nullptr; }
    uint32_t tickMs() override { return host().tickMs(); }
    void sleepMs(uint32_t) override {}
    std::unique_ptr<LoadedLibrary> loadLibrary(const std::string& name) override {
        ++loads;
        const std::string& file = files[name];
        if (file.empty()) return nullptr;
        return LoadLibraryFile(file);
    }
    FileRead readOpenFile(intptr_t file, std::vector<uint8_t>* bytes) override {
        return host().readOpenFile(file, bytes);
    }
    int loads = 0;

  private:
    static Platform& host() { return hostPlatform(); }
};

std::vector<uint8_t> Record(size_t n, uint8_t seed) {
    std::vector<uint8_t> r(n);
    for (size_t i = 0; i < n; ++i)
        r[i] = static_cast<uint8_t>(seed ^ (i * 31));
    return r;
}

class KeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        installPlatform(&platform_);
        Cam_reset_dll();
        ASSERT_EQ(Cam_set_speed(5), 0);  // the key exports work on an existing connection object
        folder_ = fs::path(::testing::TempDir()) / ("keys-" + std::to_string(getpid()));
        fs::create_directories(folder_);
        orvia::keys::KeyEntry one, two;
        ASSERT_TRUE(orvia::keys::MakeKeyEntry("CAM-0001", key1_, &one));
        ASSERT_TRUE(orvia::keys::MakeKeyEntry("RSA2", key2_, &two));
        ASSERT_EQ(one.enciphered.size(), 736u);
        ASSERT_EQ(two.enciphered.size(), 144u);
        ASSERT_NE(one.enciphered, std::vector<uint8_t>(key1_.begin(), key1_.end()));
        ASSERT_TRUE(orvia::keys::WriteKeyData(folder_.string(), {one, two}));
    }
    void TearDown() override {
        Cam_reset_dll();
        installPlatform(nullptr);
        fs::remove_all(folder_);
    }

    PluginPlatform platform_;
    fs::path folder_;
    std::vector<uint8_t> key1_ = Record(724, 0x5A);
    std::vector<uint8_t> key2_ = Record(136, 0xC3);
};

TEST_F(KeysTest, WithoutAConnectionObjectTheKeyExportsAnswer22) {
    Cam_reset_dll();
    std::vector<uint8_t> out(724, 0xAA);
    EXPECT_EQ(Cam_get_rsa_key(folder_.string().c_str(), "CAM-0001", out.data()), 22);
    EXPECT_EQ(Cam_get_rsa_key2(folder_.string().c_str(), out.data()), 22);
    EXPECT_EQ(out, std::vector<uint8_t>(724, 0xAA));
}

TEST_F(KeysTest, KeySetsAreReadDecipheredAndTheLibrariesUnloaded) {
    std::vector<uint8_t> out(724 + 32, 0xAA);
    ASSERT_EQ(Cam_get_rsa_key(folder_.string().c_str(), "CAM-0001", out.data()), 0);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 724), key1_);
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 724, out.end()), std::vector<uint8_t>(32, 0xAA));

    std::vector<uint8_t> out2(136 + 32, 0xAA);
    ASSERT_EQ(Cam_get_rsa_key2(folder_.string().c_str(), out2.data()), 0);
    EXPECT_EQ(std::vector<uint8_t>(out2.begin(), out2.begin() + 136), key2_);
    EXPECT_EQ(out2[136], 0xAA);

    EXPECT_EQ(platform_.loads, 4) << "both libraries are loaded for each call";
    EXPECT_FALSE(LibraryFileLoaded(kRavik));
    EXPECT_FALSE(LibraryFileLoaded(kCifrel));
}

TEST_F(KeysTest, FailuresLeaveTheOutputUntouched) {
    struct Case {
        const char* what;
        std::string ravik, cifrel, identifier;
        bool dataFile;
        int32_t result;
    };
    const Case cases[] = {
        {"key source missing", "", kCifrel, "CAM-0001", true, -2},
        {"key source entry missing", kCifrel, kCifrel, "CAM-0001", true, -2},
        {"decipher missing", kRavik, "", "CAM-0001", true, -1},
        {"decipher entry missing", kRavik, kRavik, "CAM-0001", true, -1},
        {"identifier not in the key data", kRavik, kCifrel, "CAM-9999", true, -2},
        {"no key data file", kRavik, kCifrel, "CAM-0001", false, -3},
    };
    for (const Case& k : cases) {
        platform_.files = {{"Ravik.dll", k.ravik}, {"Cifrel.dll", k.cifrel}};
        const fs::path source = k.dataFile ? folder_ : folder_ / "empty";
        fs::create_directories(source);
        std::vector<uint8_t> out(724, 0xAA);
        EXPECT_EQ(Cam_get_rsa_key(source.string().c_str(), k.identifier.c_str(), out.data()),
                  k.result)
            << k.what;
        EXPECT_EQ(out, std::vector<uint8_t>(724, 0xAA)) << k.what;
        if (k.identifier == "CAM-0001") {
            std::vector<uint8_t> out2(136, 0xAA);
            EXPECT_EQ(Cam_get_rsa_key2(source.string().c_str(), out2.data()), k.result) << k.what;
            EXPECT_EQ(out2, std::vector<uint8_t>(136, 0xAA)) << k.what;
        }
        EXPECT_FALSE(LibraryFileLoaded(kRavik)) << k.what;
        EXPECT_FALSE(LibraryFileLoaded(kCifrel)) << k.what;
    }
}

TEST(KeyDecipher, StandInRejectsLengthsThatAreNotWholeBlocks) {
    const auto cifrel = LoadLibraryFile(kCifrel);
    ASSERT_NE(cifrel, nullptr);
    using Fn = int (*)(const unsigned char*, unsigned char*, int);
    auto decipher = reinterpret_cast<Fn>(cifrel->symbol("AES_Dec"));
    ASSERT_NE(decipher, nullptr);
    unsigned char in[32] = {}, out[32];
    EXPECT_EQ(decipher(in, out, 32), 0);
    EXPECT_EQ(decipher(in, out, 20), -1);
    EXPECT_EQ(decipher(in, out, 0), -1);
    EXPECT_EQ(decipher(nullptr, out, 16), -1);
}

#ifndef _WIN32
// Key libraries come from the program's own folder first, and never from the working directory,
// whatever the loader path variable holds.
TEST(KeyLibrarySearch, ProgramFolderFirstAndNeverTheWorkingDirectory) {
    const std::vector<std::string> named = {"/opt/st/bin/libravik.so", "/usr/lib/orvia/libravik.so",
                                            "/usr/lib/orvia/orvia/libravik.so"};
    const auto plus = [&](std::vector<std::string> more) {
        more.insert(more.begin(), named.begin(), named.end());
        return more;
    };
    struct Case {
        const char* ldLibraryPath;
        std::vector<std::string> paths;
        bool loaderSearch;
    };
    const Case cases[] = {
        {nullptr, named, true},
        {"/site/lib:/usr/local/lib", named, true},
        {"", named, false},
        {"/site/lib:", plus({"/site/lib/libravik.so"}), false},
        {":/site/lib", plus({"/site/lib/libravik.so"}), false},
        {"/a::/b", plus({"/a/libravik.so", "/b/libravik.so"}), false},
        {"lib;/b", plus({"/b/libravik.so"}), false},
        {".", named, false},
    };
    for (const Case& k : cases) {
        const std::string shown = k.ldLibraryPath ? k.ldLibraryPath : "(unset)";
        const posix::LibrarySearch search =
            posix::librarySearch("libravik.so", "/opt/st/bin", "/usr/lib/orvia", k.ldLibraryPath);
        EXPECT_EQ(search.paths, k.paths) << shown;
        EXPECT_EQ(search.loaderSearch, k.loaderSearch) << shown;
    }
    // A relative directory for the program or the link library is no place to look either.
    EXPECT_EQ(posix::librarySearch("libravik.so", "bin", "", nullptr).paths,
              std::vector<std::string>{});
}
#endif

}  // namespace
}  // namespace qorlink::test
