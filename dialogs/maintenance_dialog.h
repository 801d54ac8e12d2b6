// "Maintenance Dialog": the camera's error history (diagnostic information 4: the last three
// error statuses with the release count of each) and usage counters (diagnostic information 5),
// shown, edited and written back. Reports only in its status line; a failed read or write is the
// failure of its procedure, with that status text as the reason.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "console/dialog_context.h"
#include "console/dialog_model.h"
#include "console/outcome.h"

namespace orvia {

inline constexpr int kMaintenanceTemplate = 138;

namespace idc::maint {
inline constexpr int kStatus = 1087;
inline constexpr int kApply = 3;
inline constexpr int kReload = 4;
}  // namespace idc::maint

// One of the two records: the camera's bytes, as large as the camera said, and the fields
// changed since the last write.
struct InfoRecord {
    std::vector<uint8_t> block;  // empty: none held
    bool held = false;
    uint32_t dirty = 0;

    int32_t word(size_t i) const;
    void setWord(size_t i, int32_t v);
    // The record holds its seven words and its size word passes the record's size test.
    bool valid(int32_t entryBytes, int32_t entries) const;
};

class MaintenanceDialog final : public DialogModel {
  public:
    explicit MaintenanceDialog(DialogContext& ctx);
    void initialise() override;

    // The twelve edits' texts: info 4 statuses and release numbers, then info 5's counters.
    std::array<std::string, 12> fields;
    const InfoRecord& info4() const { return records_[0]; }
    const InfoRecord& info5() const { return records_[1]; }

  protected:
    void exchange(DataExchange& dx) override;

  private:
    // Reads both records. The read counts as done when the counters were read: the error history
    // is shown when the camera has it. The values read are the outcome's ("release_count", ...,
    // "error_status_1", "error_release_1", ...).
    Outcome readAll();
    Outcome read(size_t which);
    void fieldChanged(size_t field);
    Outcome apply();
    void status(const char* text);

    DialogContext& ctx_;
    std::array<InfoRecord, 2> records_;
};

// The main dialog's "Maint&enance" button. Returns the outcome of the last reload or apply.
Outcome openMaintenanceDialog(DialogContext& ctx);

}  // namespace orvia
