// Key provisioning (template 11000): compares the camera's two key records with those of a key
// data folder, and writes the folder's records into the camera. The records come from the key
// source and decipher libraries through the link library; the console holds no key of its own,
// and every copy of a record it holds is wiped as soon as it is no longer needed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "console/dialog_context.h"
#include "console/dialog_model.h"
#include "console/outcome.h"

namespace orvia {

// Status texts for the key source's failures -1, -2 and -3.
struct KeySourceTexts {
    const char* memory;
    const char* keyData;
    const char* dataFile;
};

namespace keys {
inline constexpr int kTemplate = 11000;
inline constexpr int kFolder = 11005;
inline constexpr int kIdentifier = 11001;
inline constexpr int kStatus = 11004;
inline constexpr int kCompare = 3;
inline constexpr int kWrite = 4;
// Lengths the folder and the identifier are read with.
inline constexpr size_t kFolderChars = 259;
inline constexpr size_t kIdentifierChars = 127;
}  // namespace keys

class KeyDialog final : public DialogModel {
  public:
    explicit KeyDialog(DialogContext& ctx);

    std::string folder;
    std::string identifier;  // names key set 1 in the key data
    std::string status;

    void initialise() override;

  protected:
    void exchange(DataExchange& dx) override;

  private:
    // Reads both key sets from the folder and from the camera and tells which differ: the
    // outcome is judged pass when both are the same.
    Outcome compare();
    // Writes both key sets of the folder into the camera.
    Outcome write();
    // Shows `text` in the status line at once.
    void show(const std::string& text);
    // Nothing for a key read from the key data (result 0); otherwise the failure, after its
    // text.
    std::optional<Outcome> keyRead(int32_t r, const KeySourceTexts& texts);
    // Nothing for a camera call that succeeded (result 0); otherwise the failure, after the
    // error.
    std::optional<Outcome> cameraDone(int32_t r);

    DialogContext& ctx_;
};

// Opens the key dialog (the Data button of the key provisioning type, "RsaKey"); returns the
// outcome of the last comparison or write.
Outcome openKeyDialog(DialogContext& ctx);

}  // namespace orvia
