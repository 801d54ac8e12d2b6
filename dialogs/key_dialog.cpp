#include "dialogs/key_dialog.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <new>

#include "console/camera.h"
#include "console/diags.h"
#include "console/format.h"
#include "console/key_memory.h"
#include "console/operator.h"
#include "console/result_text.h"
#include "console/texts.h"

namespace orvia {

namespace {

// A key record, in pages of its own that stay out of core dumps and are wiped when it goes, so no
// key stays behind in freed memory or in a dump.
template <size_t N>
class KeyRecord {
  public:
    KeyRecord() : memory_(N) {
        if (memory_.data() == nullptr) throw std::bad_alloc();
    }

    uint8_t* data() { return memory_.data(); }
    bool sameAs(const KeyRecord& other) const {
        return std::memcmp(memory_.data(), other.memory_.data(), N) == 0;
    }

  private:
    KeyMemory memory_;
};
using Key1 = KeyRecord<diag::kKey1Bytes>;
using Key2 = KeyRecord<diag::kKey2Bytes>;

constexpr KeySourceTexts kCompareKey1 = {text::kRsaKeyMemoryError, text::kRsaKeyKeydataNotFound,
                                         text::kRsaKeyDatafileNotFound};
constexpr KeySourceTexts kKey1 = {text::kRsaKey1MemoryError, text::kRsaKey1KeydataNotFound,
                                  text::kRsaKey1DatafileNotFound};
constexpr KeySourceTexts kKey2 = {text::kRsaKey2MemoryError, text::kRsaKey2KeydataNotFound,
                                  text::kRsaKey2DatafileNotFound};

// The text for a failed read of the key data; null for a result without one.
const char* keySourceText(int32_t r, const KeySourceTexts& texts) {
    switch (r) {
        case diag::kKeyMemoryError:
            return texts.memory;
        case diag::kKeyDataNotFound:
            return texts.keyData;
        case diag::kKeyFileNotFound:
            return texts.dataFile;
        default:
            return nullptr;
    }
}

std::vector<ControlDef> keyTable() {
    using namespace controls;
    using namespace keys;
    return {
        edit(kFolder, static_cast<int>(kFolderChars)).labelled(text::kKeyFolder).at(0, 0, 4),
        edit(kIdentifier, static_cast<int>(kIdentifierChars))
            .labelled(text::kKeyIdentifier)
            .at(1, 0, 4),
        label(kStatus).statusLine(50).at(2, 0, 4),
        button(kCompare, text::kKeyCompare).at(3, 0),
        button(kWrite, text::kKeyWrite).at(3, 1),
        defaultButton(kIdOk, text::kOk).at(3, 2),
        button(kIdCancel, text::kCancel).at(3, 3),
    };
}

}  // namespace

KeyDialog::KeyDialog(DialogContext& ctx)
    : DialogModel(keys::kTemplate, text::kKeyTitle, keyTable()), ctx_(ctx) {
    setProcedure(keys::kCompare, ctx_.op, [this] { return compare(); });
    setProcedure(keys::kWrite, ctx_.op, [this] { return write(); });
}

void KeyDialog::exchange(DataExchange& dx) {
    dx.text(keys::kFolder, folder, keys::kFolderChars);
    dx.text(keys::kIdentifier, identifier, keys::kIdentifierChars);
    dx.text(keys::kStatus, status);
}

void KeyDialog::initialise() {
    folder = text::kKeyFolderDefault;
    writeBack();
}

void KeyDialog::show(const std::string& text) {
    status = text;
    writeBack();
    ctx_.op.refresh(*this);
}

std::optional<Outcome> KeyDialog::keyRead(int32_t r, const KeySourceTexts& texts) {
    if (r == 0) return std::nullopt;
    // A result the key source gives no text for ends the press with the status empty.
    const char* t = keySourceText(r, texts);
    if (t != nullptr) show(t);
    return Outcome::failed(r, t != nullptr ? t : "");
}

std::optional<Outcome> KeyDialog::cameraDone(int32_t r) {
    if (r == 0) return std::nullopt;
    std::string shown = format(text::kStatusError, ctx_.texts.text(r).c_str());
    show(shown);
    return Outcome::failed(r, std::move(shown));
}

Outcome KeyDialog::compare() {
    WaitCursor busy(ctx_.op);
    // The edits take no more than their limits, so a refused read has nothing to tell.
    if (!readControls()) return Outcome::failed(0, {});
    // A status from an earlier press must not stand for this one.
    show({});
    Camera& camera = ctx_.camera;

    Key1 file1, camera1;
    if (auto failure = keyRead(camera.get_rsa_key(folder.c_str(), identifier.c_str(), file1.data()),
                               kCompareKey1))
        return *failure;
    if (auto failure = cameraDone(camera.get_rsa1_key(camera1.data()))) return *failure;
    show(text::kGetRsa1Completed);
    const bool same1 = file1.sameAs(camera1);
    show(same1 ? text::kKey1Same : text::kKey1Different);

    Key2 file2, camera2;
    if (auto failure = keyRead(camera.get_rsa_key2(folder.c_str(), file2.data()), kKey2))
        return *failure;
    if (auto failure = cameraDone(camera.get_rsa2_key(camera2.data()))) return *failure;
    show(text::kGetRsa2Completed);
    const bool same2 = file2.sameAs(camera2);
    show(same2 ? text::kKey2Same : text::kKey2Different);

    if (same1 && same2) {
        show(text::kKeysSame);
    } else {
        const char* which = !same1 && !same2 ? text::kKeys12 : !same1 ? text::kKeys1 : text::kKeys2;
        show(format(text::kKeysDifferent, which));
    }
    Outcome outcome;
    outcome.note("key1", same1 ? "same" : "different").note("key2", same2 ? "same" : "different");
    return outcome.judged(same1 && same2);
}

Outcome KeyDialog::write() {
    WaitCursor busy(ctx_.op);
    if (!readControls()) return Outcome::failed(0, {});
    show({});
    Camera& camera = ctx_.camera;
    {
        Key1 key;
        if (auto failure =
                keyRead(camera.get_rsa_key(folder.c_str(), identifier.c_str(), key.data()), kKey1))
            return *failure;
        if (auto failure = cameraDone(camera.set_rsa1_key(key.data()))) return *failure;
    }
    show(text::kSetRsaCompleted);
    Key2 key;
    if (auto failure = keyRead(camera.get_rsa_key2(folder.c_str(), key.data()), kKey2))
        return *failure;
    if (auto failure = cameraDone(camera.set_rsa2_key(key.data()))) return *failure;
    show(text::kSetRsaCompleted);
    return Outcome::completed();
}

Outcome openKeyDialog(DialogContext& ctx) {
    KeyDialog dialog(ctx);
    return runDialog(ctx.op, dialog);
}

}  // namespace orvia
