#include "console/upload.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include "console/app_state.h"
#include "console/camera.h"
#include "console/clock.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/format.h"
#include "console/model_tables.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/texts.h"
#include "console/upload_file.h"
#include "dialogs/key_dialog.h"
#include "dialogs/lens_adjust_dialog.h"

namespace orvia {

namespace {

// Size of the firmware version text the camera answers.
constexpr size_t kVersionBytes = 32;

constexpr std::string_view kImageExtension = ".JPG";
constexpr std::string_view kBinaryExtension = ".BIN";

void setProgress(DialogContext& ctx, int percent) {
    if (ctx.statusLine != nullptr) ctx.statusLine->setProgress(percent);
}

// The camera's firmware version text; nothing when the camera did not answer.
std::optional<std::string> readVersion(Camera& camera) {
    std::array<char, kVersionBytes + 1> text{};
    if (camera.get_version(text.data()) != 0) return std::nullopt;
    return std::string(text.data(), strnlen(text.data(), kVersionBytes));
}

// Waits until `seconds` whole seconds have passed, without talking to the camera. The sleeps are
// short so the window keeps painting; the progress bar shows how much of the wait has passed.
void restartWait(DialogContext& ctx, uint32_t seconds) {
    const uint32_t start = ctx.clock.tickMs() / 1000;
    for (;;) {
        const uint32_t passed = ctx.clock.tickMs() / 1000 - start;
        if (passed >= seconds) break;
        setProgress(ctx, static_cast<int>(passed * 100 / seconds));
        ctx.clock.sleepMs(diag::kRestartStepMs);
    }
    setProgress(ctx, 0);
}

// Size checks shared by every upload: a file whose size cannot be told, an empty file and one
// above `limit` end the procedure with a box. Returns the size, or nothing after the box.
std::optional<uint64_t> checkedSize(DialogContext& ctx, const UploadFile& file,
                                    const std::string& path, uint32_t limit) {
    const std::optional<uint64_t> size = file.size();
    if (!size) {
        ctx.op.message(text::kGetFileSizeFailed);
    } else if (*size == 0) {
        ctx.op.message(text::kZeroBytesRead);
    } else if (*size > limit) {
        ctx.op.message(format(text::kFileTooLarge, unsigned{limit}, path.c_str()));
    } else {
        return size;
    }
    return std::nullopt;
}

// Bytes for an upload; empty after the "malloc failed!" box.
std::unique_ptr<uint8_t[]> allocate(DialogContext& ctx, size_t n) {
    std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[n]);
    if (!bytes) ctx.op.message(text::kMallocFailed);
    return bytes;
}

void sendImage(DialogContext& ctx, UploadFile& file, const std::string& path, size_t length) {
    const std::unique_ptr<uint8_t[]> bytes = allocate(ctx, length);
    if (!bytes) return;
    const size_t got = file.readStart(bytes.get(), length);
    file.close();
    if (got == 0) {
        ctx.op.message(text::kZeroBytesRead);
        return;
    }
    if (got < length) {  // the file shrank since its size was read: never send half a picture
        ctx.op.message(format(text::kFileReadFailed, path.c_str()));
        return;
    }
    int32_t r = 0;
    {
        ProgressScope progress(ctx);
        setStatus(ctx, text::kStatusUploading);
        r = ctx.camera.load_picture_data(bytes.get(), static_cast<int32_t>(length));
        setStatus(ctx, text::kStatusIdle);
        setProgress(ctx, 0);
        if (r != 0) showError(ctx, r);
    }
    if (r != 0) return;
    ctx.camera.write_loaded_data();
    waitReady(ctx.camera, ctx.clock, diag::kWaitImageWrite);
}

// Font or NAND data: the link library reads the file itself; here only its first bytes are read
// to make sure there is something to send.
void sendDataFile(DialogContext& ctx, UploadFile& file, int32_t selector,
                  const char* writingStatus) {
    const size_t probe = diag::kFontProbeBytes;
    const std::unique_ptr<uint8_t[]> bytes = allocate(ctx, probe);
    if (!bytes) return;
    if (file.readStart(bytes.get(), probe) == 0) {
        ctx.op.message(text::kZeroBytesRead);
        return;
    }
    int32_t r = 0;
    {
        ProgressScope progress(ctx);
        r = ctx.camera.load_file_data(file.handle(), selector);
        file.close();
    }
    setProgress(ctx, 0);
    if (r != 0) {
        endWithError(ctx, r);
        return;
    }
    setStatus(ctx, writingStatus);
    if (r = ctx.camera.write_loaded_data(); r != 0) {
        endWithError(ctx, r);
        return;
    }
    waitReady(ctx.camera, ctx.clock, diag::kWaitDataWrite);
    setStatus(ctx, text::kStatusUploadCompleted);
}

// True when `extension` is `upper` in any letter case.
bool sameExtension(std::string_view extension, std::string_view upper) {
    return extension.size() == upper.size() &&
           std::equal(extension.begin(), extension.end(), upper.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) == b;
           });
}

}  // namespace

std::optional<DataKind> dataKindOf(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return std::nullopt;
    const std::string_view extension = std::string_view(path).substr(dot);
    if (sameExtension(extension, kImageExtension)) return DataKind::Image;
    if (!sameExtension(extension, kBinaryExtension)) return std::nullopt;
    // The marker is looked for in the bytes the file holds, zero bytes and all; a file that
    // cannot be read counts as NAND data.
    std::array<uint8_t, diag::kFontProbeBytes> start{};
    UploadFile file(path);
    const size_t got = file.isOpen() ? file.readStart(start.data(), start.size()) : 0;
    const std::string_view marker = diag::kFontMarker;
    const auto end = start.begin() + static_cast<std::ptrdiff_t>(got);
    return std::search(start.begin(), end, marker.begin(), marker.end()) != end
               ? DataKind::FontData
               : DataKind::NandData;
}

void uploadFirmware(DialogContext& ctx) {
    const std::optional<std::string> path =
        ctx.op.chooseFile(text::kFirmwareFilter, text::kFirmwareExtension);
    if (!path) return;
    std::string version;
    if (ctx.state.startMode != kStartUpload) version = readVersion(ctx.camera).value_or("");
    WaitCursor busy(ctx.op);
    if (!confirm(ctx.op, format(text::kAskUpdateFirmware, path->c_str()))) return;

    UploadFile file(*path);
    if (!file.isOpen()) {
        ctx.op.message(format(text::kCannotOpenFile, path->c_str()));
        return;
    }
    if (!checkedSize(ctx, file, *path, diag::kMaxLoadFileBytes)) return;
    {
        ProgressScope progress(ctx);
        setStatus(ctx, text::kStatusUploading);
        const int32_t r = ctx.camera.load_file_data(file.handle(), diag::kSelectorFirmware);
        file.close();
        if (r != 0) {
            setStatus(ctx, text::kStatusIdle);
            setProgress(ctx, 0);
            showError(ctx, r);
            return;
        }
        ctx.camera.write_loaded_data();  // a failed write shows as the version read afterwards
    }
    setProgress(ctx, 0);
    setStatus(ctx, text::kStatusWritingFirmware);

    if (models::QuickRestartModels.matches(ctx.state.cameraType)) {
        restartWait(ctx, diag::kWaitQuickRestart);
        ctx.state.firmwareUpdated = 1;
    } else {
        restartWait(ctx, diag::kWaitRestart);
        if (models::SlowRestartModel.matches(ctx.state.cameraType)) {
            restartWait(ctx, diag::kWaitSlowRestartMore);
        }
        for (int attempt = 0; attempt < diag::kVersionTries; ++attempt) {
            if (std::optional<std::string> read = readVersion(ctx.camera)) {
                version = *read;
                break;
            }
            ctx.clock.sleepMs(diag::kVersionRetryMs);
        }
    }
    ctx.op.message(format(text::kFirmwareCompleted, version.c_str()));
    setStatus(ctx, format(text::kFirmwareVersion, version.c_str()));
}

void uploadData(DialogContext& ctx) {
    // For these models the button ("RsaKey", "QrCode") opens the key provisioning and the
    // production lens adjustment dialogs instead.
    const std::string& type = ctx.state.cameraType;
    if (models::RsaKeyModel.matches(type)) {
        openKeyDialog(ctx);
        return;
    }
    if (models::QrCodeModels.matches(type)) {
        openLensAdjustDialog(ctx);
        return;
    }

    const std::optional<std::string> path = ctx.op.chooseFile(text::kDataFilter, "");
    if (!path) return;
    const std::optional<DataKind> kind = dataKindOf(*path);
    if (!kind) {
        ctx.op.message(text::kFileFormatError);
        return;
    }
    const char* question = *kind == DataKind::Image      ? text::kAskUploadImage
                           : *kind == DataKind::FontData ? text::kAskUploadFont
                                                         : text::kAskUploadNand;
    WaitCursor busy(ctx.op);
    if (!confirm(ctx.op, format(question, path->c_str()))) return;

    UploadFile file(*path);
    if (!file.isOpen()) {
        ctx.op.message(format(text::kFileOpenFailed, path->c_str()));
        return;
    }
    const uint32_t limit =
        *kind == DataKind::Image ? diag::kMaxImageBytes : diag::kMaxLoadFileBytes;
    const std::optional<uint64_t> size = checkedSize(ctx, file, *path, limit);
    if (!size) return;
    switch (*kind) {
        case DataKind::Image:
            sendImage(ctx, file, *path, static_cast<size_t>(*size));
            break;
        case DataKind::FontData:
            sendDataFile(ctx, file, diag::kSelectorFontData, text::kStatusWritingFont);
            break;
        case DataKind::NandData:
            sendDataFile(ctx, file, diag::kSelectorNandData, text::kStatusWritingNand);
            break;
    }
}

}  // namespace orvia
