// The link library's version resource as Windows reads it, and the console's reading of the
// build identity from version resources.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "console/build_identity.h"
#include "console/host.h"

namespace orvia {
namespace {

std::string besideProgram(const std::string& file) {
    return HostSystem::programDirectory() + "\\" + file;
}

// The whole version information of a file, read as a site's tools read it.
class VersionInfo {
  public:
    explicit VersionInfo(const std::string& path) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        if (size == 0) return;
        bytes_.resize(size);
        if (!GetFileVersionInfoA(path.c_str(), 0, size, bytes_.data())) bytes_.clear();
    }
    bool present() const { return !bytes_.empty(); }

    // The item at `query`, with its length as the system gives it.
    template <typename T>
    const T* item(const std::string& query, UINT* length = nullptr) {
        void* at = nullptr;
        UINT n = 0;
        if (!VerQueryValueA(bytes_.data(), query.c_str(), &at, &n)) return nullptr;
        if (length != nullptr) *length = n;
        return static_cast<const T*>(at);
    }
    std::optional<std::string> text(const std::string& query) {
        UINT length = 0;
        const char* value = item<char>(query, &length);
        if (value == nullptr) return std::nullopt;
        return std::string(value, strnlen(value, length));
    }

  private:
    std::vector<char> bytes_;
};

TEST(LinkVersionResource, CarriesTheLibrarysVersionNamesAndBuild) {
    VersionInfo info(besideProgram("Qorlink.dll"));
    ASSERT_TRUE(info.present());

    const auto* fixed = info.item<VS_FIXEDFILEINFO>("\\");
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, (1u << 16) | 6u);
    EXPECT_EQ(fixed->dwFileVersionLS, (0u << 16) | 3u);
    EXPECT_EQ(fixed->dwProductVersionMS, (1u << 16) | 6u);
    EXPECT_EQ(fixed->dwProductVersionLS, (0u << 16) | 3u);

    UINT length = 0;
    const auto* translation = info.item<uint16_t>("\\VarFileInfo\\Translation", &length);
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 4u) << "one translation";
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04B0);

    const std::pair<const char*, const char*> strings[] = {
        {"FileVersion", "1.6.0.3"},
        {"ProductVersion", "1.6.0.3"},
        {"FileDescription", "Digital Camera Communication support Library"},
        {"InternalName", "qorlink"},
        {"OriginalFilename", "Qorlink.dll"},
        {"SpecialBuild", "Release version"},
        {"PrivateBuild", ORVIA_EXPECTED_PRIVATE_BUILD},
    };
    for (const auto& [name, value] : strings) {
        EXPECT_EQ(info.text(std::string("\\StringFileInfo\\040904B0\\") + name),
                  std::optional<std::string>(value))
            << name;
    }
}

// The build is read in the table of the file's first translation, whichever that is.
TEST(LibraryBuildIdentity, ReadsThePrivateBuildOfTheFirstTranslation) {
    struct Case {
        std::string path;
        bool hasBlock;
        std::optional<std::string> build;
    };
    const Case cases[] = {
        {besideProgram("Qorlink.dll"), true, ORVIA_EXPECTED_PRIVATE_BUILD},
        {besideProgram("VersionOtherBuild.dll"), true, "DOVRA"},
        {besideProgram("VersionNoBuild.dll"), true, std::nullopt},
        {besideProgram("Ulmora.dll"), false, std::nullopt},  // no version resource
        {besideProgram("Missing.dll"), false, std::nullopt},
    };
    for (const Case& c : cases) {
        const BuildIdentity id = readLibraryBuildIdentity(c.path);
        EXPECT_EQ(id.hasBlock, c.hasBlock) << c.path;
        EXPECT_EQ(id.privateBuild(), c.build) << c.path;
    }
    EXPECT_EQ(
        readLibraryBuildIdentity(besideProgram("VersionNoBuild.dll")).values.at("FileVersion"),
        "1.0.0.0");
}

}  // namespace
}  // namespace orvia
