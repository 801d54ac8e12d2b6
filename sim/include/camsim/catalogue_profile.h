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
// - loads (data sent with code 29) collect in a loaded-data area, which takes the load selector
//   in the diagnostic word (code 32) when its first data arrive; the commit (execute code 11)
//   keeps the area's data as the camera's data of that selector and empties the area. Data
//   loaded with the firmware selector (kSelectorFirmware) become the camera's firmware: from
//   the commit on, the version query (code 26) answers the version the file carries. Images,
//   font and NAND data and any other selector leave the version alone;
// - a firmware file is any bytes holding the text "VERSION=" followed by the version (up to a
//   zero byte, CR, LF or 31 characters); the first such text counts. Sample files start with
//   that line ("VERSION=1.03.0020\r\n") followed by the image. A file without it gives the
//   version "LOADED-" and the data's 32-bit byte sum in hexadecimal;
// - identity: the programs 33, 34, 35 and 4 store the diagnostic buffer as the vendor (8
//   characters), product (16), revision (4) and serial number (up to 30) of the identity record
//   (code 112: 28 bytes of texts, then the serial number); the serial number is also served by
//   code 25. Programs 26 and 27 store the diagnostic word as the first and second word of the MAC
//   address (code 111);
// - microcontroller memory (code 223), flash memory (222) and EEPROM (170): a data send of the
//   code writes the record's n bytes at its address (word 0 address, word 1 n, then the bytes);
//   a read is the request (address, n, one more word) sent to code 31 followed by a fetch of the
//   code, which returns the header words and the n bytes. Bytes never written read as 0xFF.
// - LCD adjustments: diag 28 points them at the LCD, diag 29 at the viewfinder; the display
//   pattern execute (code 12) shows a test pattern; the register programs (9 RGB Offset, 10
//   H_AFC, 11 Gain, 12 Tint, 13 R Bright, 14 B Bright, 19 Phase; 39-42 the first four for the
//   second LCD record) store the diagnostic word the host wrote as that register of the display
//   they point at. The LCD's registers are the words the LCD information records report (code
//   80 words 1-7, code 137 words 0-3), so a later read shows what was written;
// - initialisation: diags 6 and 5 started with the key word 0x0FEEDBEE, and the settings-only
//   initialisation (code 109), put every LCD register of both displays back to 16; diag 22 with
//   word 17 reports which of diags 6 and 5 ran with the key since the last report (unless a
//   result text was set for it).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
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
inline constexpr int kCodeDisplayPattern = 12;
inline constexpr int kCodeInitializeSetting = 109;
inline constexpr int kCodeLcdInfo = 80;
inline constexpr int kCodeSecondLcdInfo = 137;
inline constexpr int32_t kInitializeKey = 0x0FEEDBEE;

// The display the LCD adjustments point at.
enum class Display { Lcd, Viewfinder };

// The load selector that makes loaded data the camera's firmware.
inline constexpr int32_t kSelectorFirmware = 0x0FEDBEBE;

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
    // The data the last commit with load selector `selector` kept (empty: none).
    const std::vector<uint8_t>& committedData(int32_t selector) const;
    // The data of the last load: what was loaded since the last commit, or else what the last
    // commit kept (empty: nothing loaded yet).
    const std::vector<uint8_t>& lastLoad() const;

    // The camera's memories by code (223, 222, 170).
    std::vector<uint8_t> readMemory(int code, uint32_t address, size_t n) const;
    void writeMemory(int code, uint32_t address, const std::vector<uint8_t>& bytes);

    // The LCD adjustments: the display they point at, the last test pattern shown (-1: none),
    // and the register a register program (9-14, 19, 39-42) last wrote on `display`
    // (nothing: not written and, for the LCD, no such record word).
    Display selectedDisplay() const;
    int32_t displayPattern() const;
    std::optional<int32_t> displayRegister(Display display, int program) const;

    struct State;

  private:
    std::shared_ptr<State> state_;
};

// The version text a commit makes of loaded data.
std::string committedVersion(const std::vector<uint8_t>& data);

}  // namespace camsim
