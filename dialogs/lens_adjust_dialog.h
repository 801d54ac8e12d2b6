// Production lens adjustment (templates 15000 and 15014, the "QrCode" Data button): the lens
// adjustment values printed on the lens as a QR code are read by a hand-held code reader that
// types like a keyboard, or typed by hand, checked, and written into the camera. Layout A holds
// five values, each a sign letter ("A" as written, "B" negative) and three digits; layout B ten
// values, the first two plain digits and the others a sign digit ("0" as written, "1" negative)
// and three or four digits. Layout B can read the record back when the link library's build
// allows it.
//
// The code reader's text lands in the "QR code" field, whichever control has the focus; Enter
// cuts it at the layout's positions into the value fields and empties it. While code reader
// input is on, the value fields take nothing typed by hand. A successful write clears the value
// fields, so that no value is ever written twice, to a second camera, without a new code.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "console/dialog_context.h"
#include "console/dialog_model.h"
#include "console/outcome.h"

namespace orvia {

namespace lens {
inline constexpr int kTemplateA = 15000;
inline constexpr int kTemplateB = 15014;
inline constexpr int kWrite = 15000;
inline constexpr int kRead = 15021;
inline constexpr int kReaderInput = 15005;
inline constexpr int kStatus = 15008;
inline constexpr int kClose = 15006;
// The code reader's text and the Enter that ends it.
inline constexpr int kScan = 15030;
inline constexpr int kScanEnter = 15031;
// The value fields in record order.
inline constexpr std::array<int, 5> kFieldsA = {15001, 15002, 15007, 15003, 15004};
inline constexpr std::array<int, 10> kFieldsB = {15015, 15016, 15017, 15018, 15019,
                                                 15009, 15010, 15011, 15013, 15020};
inline constexpr size_t kMaxFields = kFieldsB.size();
}  // namespace lens

enum class LensLayout { A, B };

class LensAdjustDialog final : public DialogModel {
  public:
    LensAdjustDialog(DialogContext& ctx, LensLayout layout);

    LensLayout layout() const { return layout_; }

    // The value fields in record order (layout A uses the first five), the code reader's text,
    // code reader input (0 or 1) and the status text.
    std::array<std::string, lens::kMaxFields> fields;
    std::string scan;
    int32_t readerInput = 1;
    std::string status;

    // Code reader input on; the read-back button only where allowed.
    void initialise() override;

  protected:
    void exchange(DataExchange& dx) override;

  private:
    void toggleReaderInput();
    void applyEnabling();
    // Enter after a code: the code's pieces into the value fields.
    void takeScan();
    // The values written, or read back, are the outcome's "lens_adj_value_<n>" (n from 1, in
    // record order; the 7-digit form's last digit as "lens_adj_value_<n>_digit").
    Outcome write();
    Outcome readBack();
    void show(const std::string& text);

    DialogContext& ctx_;
    LensLayout layout_;
};

// The layout of the camera type's record.
LensLayout lensLayoutFor(const std::string& cameraType);

// Opens the lens adjustment dialog for the camera's type. For layout B it first reads the link
// library's build identity: a build without a PrivateBuild value offers the read-back button
// from then on. Returns the outcome of the last write or read-back.
Outcome openLensAdjustDialog(DialogContext& ctx);

}  // namespace orvia
