#include "console/upload.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>
#include <variant>

#include "console/app_state.h"
#include "console/camera.h"
#include "console/clock.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/format.h"
#include "console/model_tables.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/sha256.h"
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
// The size when the file can be sent, else the outcome of the box that said why not.
std::variant<uint64_t, Outcome> checkedSize(DialogContext& ctx, const UploadFile& file,
                                            const std::string& path, uint32_t limit) {
    const std::optional<uint64_t> size = file.size();
    if (!size) return showFileUnusable(ctx.op, text::kGetFileSizeFailed);
    if (*size == 0) return showFileUnusable(ctx.op, text::kZeroBytesRead);
    if (*size > limit)
        return showFileUnusable(ctx.op, format(text::kFileTooLarge, unsigned{limit}, path.c_str()));
    return *size;
}

// Bytes for an upload; empty when they could not be had.
std::unique_ptr<uint8_t[]> allocate(size_t n) {
    return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[n]);
}

// What an upload of `path` that went through adds to its outcome: the file's digest.
Outcome& addDigest(Outcome& outcome, const std::string& path) {
    if (const std::optional<std::string> digest = fileSha256(path))
        outcome.note("file_sha256", *digest);
    return outcome;
}

Outcome sendImage(DialogContext& ctx, UploadFile& file, const std::string& path, size_t length) {
    const std::unique_ptr<uint8_t[]> bytes = allocate(length);
    if (!bytes) return showFailure(ctx.op, text::kMallocFailed);
    const size_t got = file.readStart(bytes.get(), length);
    file.close();
    if (got == 0) return showFileUnusable(ctx.op, text::kZeroBytesRead);
    if (got < length)  // the file shrank since its size was read: never send half a picture
        return showFileUnusable(ctx.op, format(text::kFileReadFailed, path.c_str()));
    {
        ProgressScope progress(ctx);
        setStatus(ctx, text::kStatusUploading);
        const int32_t r = ctx.camera.load_picture_data(bytes.get(), static_cast<int32_t>(length));
        setStatus(ctx, text::kStatusIdle);
        setProgress(ctx, 0);
        if (r != 0) return showError(ctx, r);
    }
    // A picture the camera did not commit is not in the camera.
    if (const int32_t r = ctx.camera.write_loaded_data(); r != 0) return showError(ctx, r);
    waitReady(ctx.camera, ctx.clock, diag::kWaitImageWrite);
    Outcome outcome;
    return addDigest(outcome, path);
}

// Font or NAND data: the link library reads the file itself; here only its first bytes are read
// to make sure there is something to send.
Outcome sendDataFile(DialogContext& ctx, UploadFile& file, const std::string& path,
                     int32_t selector, const char* writingStatus) {
    const size_t probe = diag::kFontProbeBytes;
    const std::unique_ptr<uint8_t[]> bytes = allocate(probe);
    if (!bytes) return showFailure(ctx.op, text::kMallocFailed);
    if (file.readStart(bytes.get(), probe) == 0)
        return showFileUnusable(ctx.op, text::kZeroBytesRead);
    int32_t r = 0;
    {
        ProgressScope progress(ctx);
        r = ctx.camera.load_file_data(file.handle(), selector);
        file.close();
    }
    setProgress(ctx, 0);
    if (r != 0) return endWithError(ctx, r);
    setStatus(ctx, writingStatus);
    if (r = ctx.camera.write_loaded_data(); r != 0) return endWithError(ctx, r);
    waitReady(ctx.camera, ctx.clock, diag::kWaitDataWrite);
    setStatus(ctx, text::kStatusUploadCompleted);
    Outcome outcome;
    return addDigest(outcome, path);
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

namespace {

// Names the file in an upload's outcome, first, whatever the upload came to.
Outcome naming(const std::string& path, Outcome outcome) {
    outcome.values.insert(outcome.values.begin(), Measurement{"file", std::nullopt, path, {}});
    return outcome;
}

// The firmware upload of the chosen file.
Outcome sendFirmware(DialogContext& ctx, const std::optional<std::string>& path) {
    std::optional<std::string> before;
    if (ctx.state.startMode != kStartUpload) before = readVersion(ctx.camera);
    WaitCursor busy(ctx.op);
    const std::string question = format(text::kAskUpdateFirmware, path->c_str());
    if (!confirm(ctx.op, question)) return answeredNo(question);

    UploadFile file(*path);
    if (!file.isOpen())
        return showFileUnusable(ctx.op, format(text::kCannotOpenFile, path->c_str()));
    if (auto size = checkedSize(ctx, file, *path, diag::kMaxLoadFileBytes);
        std::holds_alternative<Outcome>(size))
        return std::get<Outcome>(std::move(size));
    Outcome outcome;
    addDigest(outcome, *path);
    if (before) outcome.note("firmware_before", *before);
    {
        ProgressScope progress(ctx);
        setStatus(ctx, text::kStatusUploading);
        int32_t r = ctx.camera.load_file_data(file.handle(), diag::kSelectorFirmware);
        file.close();
        // A firmware the camera did not commit is not in the camera: no restart to wait for.
        if (r == 0) r = ctx.camera.write_loaded_data();
        if (r != 0) {
            setStatus(ctx, text::kStatusIdle);
            setProgress(ctx, 0);
            Outcome failure = showError(ctx, r);
            failure.values = std::move(outcome.values);
            return failure;
        }
    }
    setProgress(ctx, 0);
    setStatus(ctx, text::kStatusWritingFirmware);

    if (models::QuickRestartModels.matches(ctx.state.cameraType)) {
        // These cameras end the session when they restart; their version is read at the next
        // start, so the version read before the upload is never shown as the new one.
        restartWait(ctx, diag::kWaitQuickRestart);
        ctx.state.firmwareUpdated = 1;
        ctx.op.message(text::kFirmwareCompletedNotRead);
        setStatus(ctx, format(text::kFirmwareVersion, text::kVersionNotRead));
        return outcome;
    }
    restartWait(ctx, diag::kWaitRestart);
    if (models::SlowRestartModel.matches(ctx.state.cameraType))
        restartWait(ctx, diag::kWaitSlowRestartMore);
    int32_t lastRead = 0;
    for (int attempt = 0; attempt < diag::kVersionTries; ++attempt) {
        std::array<char, kVersionBytes + 1> text{};
        lastRead = ctx.camera.get_version(text.data());
        if (lastRead == 0) {
            const std::string after(text.data(), strnlen(text.data(), kVersionBytes));
            outcome.note("firmware_after", after);
            ctx.op.message(format(text::kFirmwareCompleted, after.c_str()));
            setStatus(ctx, format(text::kFirmwareVersion, after.c_str()));
            return outcome;
        }
        ctx.clock.sleepMs(diag::kVersionRetryMs);
    }
    // The camera did not come back: what it runs now is unknown.
    setStatus(ctx, format(text::kFirmwareVersion, text::kVersionNotRead));
    Outcome failure =
        showFailure(ctx.op, text::kFirmwareVersionUnread, MessageKind::Error, lastRead);
    failure.values = std::move(outcome.values);
    return failure;
}

// The data upload of the chosen file.
Outcome sendData(DialogContext& ctx, const std::optional<std::string>& path) {
    const std::optional<DataKind> kind = dataKindOf(*path);
    if (!kind) return showFileUnusable(ctx.op, text::kFileFormatError);
    const char* ask = *kind == DataKind::Image      ? text::kAskUploadImage
                      : *kind == DataKind::FontData ? text::kAskUploadFont
                                                    : text::kAskUploadNand;
    WaitCursor busy(ctx.op);
    const std::string question = format(ask, path->c_str());
    if (!confirm(ctx.op, question)) return answeredNo(question);

    UploadFile file(*path);
    if (!file.isOpen())
        return showFileUnusable(ctx.op, format(text::kFileOpenFailed, path->c_str()));
    const uint32_t limit =
        *kind == DataKind::Image ? diag::kMaxImageBytes : diag::kMaxLoadFileBytes;
    auto size = checkedSize(ctx, file, *path, limit);
    if (std::holds_alternative<Outcome>(size)) return std::get<Outcome>(std::move(size));
    switch (*kind) {
        case DataKind::Image:
            return sendImage(ctx, file, *path, static_cast<size_t>(std::get<uint64_t>(size)));
        case DataKind::FontData:
            return sendDataFile(ctx, file, *path, diag::kSelectorFontData,
                                text::kStatusWritingFont);
        case DataKind::NandData:
            break;
    }
    return sendDataFile(ctx, file, *path, diag::kSelectorNandData, text::kStatusWritingNand);
}

}  // namespace

Outcome uploadFirmware(DialogContext& ctx) {
    const std::optional<std::string> path =
        ctx.op.chooseFile(text::kFirmwareFilter, text::kFirmwareExtension);
    if (!path) return Outcome::declined(text::kNoFileChosen);
    return naming(*path, sendFirmware(ctx, path));
}

Outcome uploadData(DialogContext& ctx) {
    // For these models the button ("RsaKey", "QrCode") opens the key provisioning and the
    // production lens adjustment dialogs instead.
    const std::string& type = ctx.state.cameraType;
    if (models::RsaKeyModel.matches(type)) return openKeyDialog(ctx);
    if (models::QrCodeModels.matches(type)) return openLensAdjustDialog(ctx);

    const std::optional<std::string> path = ctx.op.chooseFile(text::kDataFilter, "");
    if (!path) return Outcome::declined(text::kNoFileChosen);
    return naming(*path, sendData(ctx, path));
}

}  // namespace orvia
