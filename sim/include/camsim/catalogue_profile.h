// The camera's records and behaviour behind the link library's command catalogue.
//
// addCatalogueRecords fills a profile with the records and values the catalogue's commands
// read: identity, diagnostic information blocks, display, Hall, battery, lens, organic-EL
// information and key records, each of the size the commands expect.
//
// CatalogueModel adds the behaviour around them to one camera:
// - diagnostic programs (execute code 6 with parameter n) leave a result text in the diagnostic
//   buffer (code 31) and a result word in the diagnostic word (code 32);
// - the version text of code 110 follows the selector written to the diagnostic word, and the
//   battery information of code 167 the kind written there;
// - loads (data sent with code 29) collect in a loaded-data area; the commit (execute code 11)
//   makes that data the camera's firmware: the new version text is what follows "VERSION=" in
//   the data (up to a zero byte, CR, LF or 31 characters), or "LOADED-" and the data's 32-bit
//   byte sum in hexadecimal when there is no such text; the area is then empty;
// - identity: the programs 33, 34, 35 and 4 store the diagnostic buffer as the vendor (8
//   characters), product (16), revision (4) and serial number (up to 30) of the identity record
//   (code 112: 28 bytes of texts, then the serial number); the serial number is also served by
//   code 25. Programs 26 and 27 store the diagnostic word as the first and second word of the MAC
//   address (code 111);
// - microcontroller memory (code 223), flash memory (222) and EEPROM (170): a data send of the
//   code writes the record's n bytes at its address (word 0 address, word 1 n, then the bytes);
//   a read is the request (address, n, one more word) sent to code 31 followed by a fetch of the
//   code, which returns the header words and the n bytes. Bytes never written read as 0xFF.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "camsim/camera.h"
#include "camsim/profile.h"

namespace camsim {

// Command codes of the catalogue that the model gives a meaning to.
inline constexpr int kCodeDiagBuffer = 31;
inline constexpr int kCodeDiagWord = 32;
inline constexpr int kCodeExecuteDiag = 6;
inline constexpr int kCodeLoadData = 29;
inline constexpr int kCodeCommitLoad = 11;
inline constexpr int kCodeSelectedVersion = 110;
inline constexpr int kCodeBatteryInfo = 167;
inline constexpr int kCodeMcuMemory = 223;
inline constexpr int kCodeFlashMemory = 222;
inline constexpr int kCodeEeprom = 170;

// Adds the catalogue's records and values to `profile`, keeping those it already holds.
void addCatalogueRecords(Profile& profile);

// A camera of one factory code family of the console's region lists (0: none, 1 to 5), with its
// factory code, language counts and video mode.
Profile regionProfile(int family);

class CatalogueModel {
  public:
    // Installs the behaviour on `camera`, calling any hooks already installed as well. The
    // behaviour stays with the camera when this object goes away.
    explicit CatalogueModel(Camera& camera);
    ~CatalogueModel();

    // Result text and word of diagnostic program n. Programs without an entry report
    // "Diag <n> : OK" and word 0.
    void setResult(int program, const std::string& text, int32_t word = 0);
    // Version text served by code 110 after the selector was written.
    void setVersionText(int32_t selector, const std::string& text);

    // The data loaded since the last commit, and the number of commits.
    const std::vector<uint8_t>& loadedData() const;
    int commits() const;

    // The camera's memories by code (223, 222, 170).
    std::vector<uint8_t> readMemory(int code, uint32_t address, size_t n) const;
    void writeMemory(int code, uint32_t address, const std::vector<uint8_t>& bytes);

    struct State;

  private:
    std::shared_ptr<State> state_;
};

// The version text a commit makes of loaded data.
std::string committedVersion(const std::vector<uint8_t>& data);

}  // namespace camsim
