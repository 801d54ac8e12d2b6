#include "service/identity.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <initializer_list>

#include "console/app_state.h"
#include "console/calendar.h"
#include "console/camera.h"
#include "console/clock.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/format.h"
#include "console/main_dialog.h"
#include "console/model_tables.h"
#include "console/operator.h"
#include "console/outcome.h"
#include "console/reporting.h"
#include "console/texts.h"

namespace orvia {

namespace {

// The identity record: vendor, product and revision texts, then the serial number.
constexpr size_t kVendorSize = 8;
constexpr size_t kProductSize = 16;
constexpr size_t kRevisionSize = 4;
constexpr size_t kVendorAt = 0;
constexpr size_t kProductAt = kVendorAt + kVendorSize;
constexpr size_t kRevisionAt = kProductAt + kProductSize;
constexpr size_t kSerialAt = kRevisionAt + kRevisionSize;

constexpr size_t kRepairSerialLength = 30;
constexpr size_t kSerial14Length = 14;
constexpr size_t kPlainSerialLength = 12;

// The repair-service serial number: the prefix edit holds characters 0-23 (product prefix,
// date, day count, site code), the digits edit the six characters after them.
constexpr size_t kProductPrefixChars = 12;
constexpr size_t kDateAt = 12;
constexpr size_t kDateChars = 6;
constexpr size_t kDayCountAt = 18;
constexpr size_t kDayCountChars = 3;
constexpr size_t kStampedChars = kDayCountAt + kDayCountChars;  // 21
constexpr size_t kSerialPrefixChars = 24;
constexpr size_t kSerialDigits = 6;
constexpr size_t kSiteCodeChars = 3;
constexpr size_t kSerialNoBuffer = 32;

// The day the repair-service day count starts from.
constexpr int kDayCountYear = 2001;
constexpr int kSecondsPerDay = 86400;

constexpr size_t kMacBytes = 8;

void appendWord(std::string& out, uint32_t v, int bytes) {
    for (int b = 0; b < bytes; ++b)
        out.push_back(static_cast<char>((v >> (8 * b)) & 0xFF));
}

// Reads the identity record with the function that serves `serialChars`; its bytes in `out`.
int32_t readIdentityRecord(Camera& camera, size_t serialChars, std::string& out) {
    out.clear();
    int32_t r = 0;
    if (serialChars == kRepairSerialLength) {
        QorlinkDiagInfo2Ext rec{};
        r = camera.get_diag_info_2_ext(&rec);
        for (int32_t w : rec.words)
            appendWord(out, static_cast<uint32_t>(w), 4);
        out.append(reinterpret_cast<const char*>(rec.bytes), sizeof rec.bytes);
        appendWord(out, rec.value, 2);
    } else if (serialChars == kSerial14Length) {
        QorlinkDiagInfo2Ext2 rec{};
        r = camera.get_diag_info_2_ext2(&rec);
        for (int32_t w : rec.words)
            appendWord(out, static_cast<uint32_t>(w), 4);
        appendWord(out, rec.value, 2);
    } else {
        int32_t words[10] = {};
        r = camera.get_diag_info_2(words);
        for (int32_t w : words)
            appendWord(out, static_cast<uint32_t>(w), 4);
    }
    return r;
}

// A fixed-length text field, up to its first zero byte.
std::string field(const std::string& record, size_t at, size_t size) {
    std::string s = record.substr(std::min(at, record.size()), size);
    return s.substr(0, s.find('\0'));
}

void placeDefaultUsbIds(MainDialog& d) {
    d.usbVid = text::kRepairVendor;
    d.usbPid = text::kRepairProduct;
    d.usbRev = text::kRepairRevision;
}

bool sameNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Selects the repair site whose code ends the serial prefix; "OTHERS" when none does.
void selectSiteFromPrefix(MainDialog& d) {
    if (d.serial1.size() <= kSiteCodeChars) return;
    const std::string_view tail = std::string_view(d.serial1).substr(d.serial1.size() - 3);
    const auto& sites = repairSites();
    d.repairSite = kOtherSite;
    for (size_t i = 0; i < sites.size(); ++i) {
        if (sameNoCase(tail, sites[i].code)) {
            d.repairSite = static_cast<int32_t>(i);
            break;
        }
    }
}

// Splits a repair-service serial number into the prefix and digits edits.
void placeRepairSerial(MainDialog& d, const std::string& serial) {
    d.serial1 = serial.substr(0, kSerialPrefixChars);
    d.serial2 = serial.size() > kSerialPrefixChars
                    ? serial.substr(kSerialPrefixChars, kSerialDigits)
                    : std::string();
    selectSiteFromPrefix(d);
}

bool printableIn(unsigned char c, unsigned char low, unsigned char high) {
    return c >= low && c <= high;
}

// Checks and writes one identity text of `size` characters, padded with spaces.
// The outcome of a write program that was started (or refused) after its text went in.
Outcome runWrite(DialogContext& ctx, int32_t diagNumber) {
    if (const int32_t r =
            executeDiagAndWait(ctx, DiagRun{diagNumber, diag::kWaitSetting}, OnFailure::Silent);
        r != 0)
        return showError(ctx, r);
    return Outcome::completed();
}

// Checks and writes one identity text of `size` characters, padded with spaces. A text that
// fails the check is refused with its box and nothing is sent.
Outcome sendText(DialogContext& ctx, std::string text, size_t size, const char* badFirst,
                 const char* badLater, int32_t diagNumber) {
    if (text.empty() || !printableIn(static_cast<unsigned char>(text[0]), 33, 126))
        return showFailure(ctx.op, badFirst);
    text.resize(size, ' ');
    for (char c : text) {
        if (!printableIn(static_cast<unsigned char>(c), 32, 126))
            return showFailure(ctx.op, badLater);
    }
    if (const int32_t r = ctx.camera.set_diag_buffer(text.data(), static_cast<int32_t>(size));
        r != 0)
        return showError(ctx, r);
    return runWrite(ctx, diagNumber);
}

Outcome sendVendor(DialogContext& ctx, MainDialog& d) {
    return sendText(ctx, d.usbVid, kVendorSize, text::kInvalidVendorId, text::kInvalidVendorId,
                    diag::kWriteVendor);
}
Outcome sendProduct(DialogContext& ctx, MainDialog& d) {
    return sendText(ctx, d.usbPid, kProductSize, text::kInvalidProductId, text::kInvalidProductId,
                    diag::kWriteProduct);
}
Outcome sendRevision(DialogContext& ctx, MainDialog& d) {
    return sendText(ctx, d.usbRev, kRevisionSize, text::kInvalidRevision,
                    text::kInvalidRevisionLabel, diag::kWriteRevision);
}

// Several writes that each run whatever the others did: the first failure among them, else
// completed.
Outcome firstFailure(std::initializer_list<Outcome> outcomes) {
    for (const Outcome& o : outcomes) {
        if (!o.passed()) return o;
    }
    return Outcome::completed();
}

// Checks and writes the serial number, right-aligned in its length with "0" on the left.
Outcome sendSerial(DialogContext& ctx, MainDialog& d) {
    const size_t n = serialLength(ctx.state);
    const std::string typed =
        ctx.state.caps.repairSiteMode == 1 ? d.serial1 + d.serial2 : d.usbSerial;
    if (typed.empty() || !printableIn(static_cast<unsigned char>(typed[0]), '0', 'z'))
        return showFailure(ctx.op, text::kInvalidSerialNo);
    const std::string serial =
        typed.size() >= n ? typed.substr(0, n) : std::string(n - typed.size(), '0') + typed;
    for (char c : serial) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return showFailure(ctx.op, text::kInvalidSerialNumber);
    }
    if (const int32_t r = ctx.camera.set_diag_buffer(serial.data(), static_cast<int32_t>(n));
        r != 0)
        return showError(ctx, r);
    Outcome outcome = runWrite(ctx, diag::kWriteSerial);
    if (outcome.passed()) outcome.note("serial", serial);
    return outcome;
}

// The serial number and the default USB identifiers in one go (repair mode).
Outcome sendRepairSerial(DialogContext& ctx, MainDialog& d) {
    if (ctx.state.caps.repairSiteMode != 1) return Outcome::completed();
    if (d.serial2.size() != kSerialDigits) return showFailure(ctx.op, text::kReinputSerial);
    if (ctx.state.caps.fullTestMenu == 0) {
        // The date and day count are re-stamped in place: a prefix that does not reach them yet
        // was never composed, and sending it would write a serial number without them.
        if (d.serial1.size() < kStampedChars)
            return showFailure(ctx.op, text::kSerialPrefixIncomplete);
        stampSerialPrefix(d.serial1, ctx.clock.wallTime());
    }
    Outcome serial = sendSerial(ctx, d);
    placeDefaultUsbIds(d);
    d.writeBack();
    Outcome vendor = sendVendor(ctx, d);
    Outcome product = sendProduct(ctx, d);
    Outcome revision = sendRevision(ctx, d);
    d.status = std::string(text::kStatusSerialUsbIdSet).substr(0, kStatusMaxChars);
    Outcome outcome = firstFailure({serial, vendor, product, revision});
    outcome.values = serial.values;
    return outcome;
}

// Takes the operator's texts from the dialog and runs `send` on them.
Outcome fromTypedText(DialogContext& ctx, MainDialog& d,
                      Outcome (*send)(DialogContext&, MainDialog&)) {
    d.readControls();
    WaitCursor busy(ctx.op);
    return send(ctx, d);
}

}  // namespace

const std::vector<RepairSite>& repairSites() {
    static const std::vector<RepairSite> sites = {
        {"SAPPORO", "130"},     {"SENDAI", "131"},    {"TOKYO", "133"},     {"NAGOYA", "134"},
        {"OSAKA", "135"},       {"HIROSHIMA", "137"}, {"FUKUOKA", "138"},   {"USA", "161"},
        {"CANADA", "162"},      {"HAWAII", "163"},    {"TAIWAN", "164"},    {"BRITAIN", "166"},
        {"GERMANY", "167"},     {"FRANCE", "168"},    {"SPAIN", "169"},     {"ITALY", "16A"},
        {"NETHERLANDS", "16B"}, {"BELGIUM", "16C"},   {"SWEDEN", "16D"},    {"SWITZERLAND", "16E"},
        {"NORWAY", "16F"},      {"FINLAND", "170"},   {"SINGAPORE", "171"}, {"CHINA", "174"},
        {"OTHERS", "17A"},
    };
    return sites;
}

std::vector<std::string> repairSiteNames() {
    std::vector<std::string> names;
    for (const RepairSite& s : repairSites())
        names.emplace_back(s.name);
    return names;
}

size_t serialLength(const AppState& state) {
    if (state.caps.repairSiteMode == 1) return kRepairSerialLength;
    if (models::Serial14Model.matches(state.cameraType)) return kSerial14Length;
    return kPlainSerialLength;
}

void stampSerialPrefix(std::string& prefix, std::time_t now) {
    const std::tm local = localParts(now);
    char date[16] = {};
    std::strftime(date, sizeof date, text::kSerialDateFormat, &local);
    std::tm start{};
    start.tm_year = kDayCountYear - 1900;
    start.tm_mday = 1;
    start.tm_isdst = -1;
    const double seconds = std::difftime(now, std::mktime(&start));
    const auto days = static_cast<unsigned>(std::max(0.0, std::floor(seconds / kSecondsPerDay)));
    prefix.replace(kDateAt, kDateChars, std::string(date).substr(0, kDateChars));
    prefix.replace(kDayCountAt, kDayCountChars,
                   format(text::kSerialDayCountFormat, days).substr(0, kDayCountChars));
}

Outcome readUsbIds(DialogContext& ctx, MainDialog& d) {
    d.readControls();
    WaitCursor busy(ctx.op);
    const size_t n = serialLength(ctx.state);
    std::string record;
    if (const int32_t r = readIdentityRecord(ctx.camera, n, record); r != 0)
        return showError(ctx, r);
    d.usbVid = field(record, kVendorAt, kVendorSize);
    d.usbPid = field(record, kProductAt, kProductSize);
    d.usbRev = field(record, kRevisionAt, kRevisionSize);
    const std::string serial = field(record, kSerialAt, n);
    if (ctx.state.caps.repairSiteMode == 1) {
        placeRepairSerial(d, serial);
    } else {
        d.usbSerial = serial;
    }
    d.writeBack();
    Outcome outcome;
    outcome.note("usb_vendor", d.usbVid).note("usb_product", d.usbPid);
    outcome.note("usb_revision", d.usbRev).note("serial", serial);
    return outcome;
}

Outcome writeAllUsbIds(DialogContext& ctx, MainDialog& d) {
    d.readControls();
    WaitCursor busy(ctx.op);
    Outcome vendor = sendVendor(ctx, d);
    Outcome product = sendProduct(ctx, d);
    Outcome revision = sendRevision(ctx, d);
    Outcome serial;
    if (ctx.state.caps.repairSiteMode == 1) {
        serial = sendRepairSerial(ctx, d);
        d.writeBack();
    } else {
        serial = sendSerial(ctx, d);
    }
    Outcome outcome = firstFailure({vendor, product, revision, serial});
    outcome.values = serial.values;
    return outcome;
}

Outcome writeVendor(DialogContext& ctx, MainDialog& d) {
    return fromTypedText(ctx, d, sendVendor);
}

Outcome writeProduct(DialogContext& ctx, MainDialog& d) {
    return fromTypedText(ctx, d, sendProduct);
}

Outcome writeRevision(DialogContext& ctx, MainDialog& d) {
    return fromTypedText(ctx, d, sendRevision);
}

Outcome writeSerial(DialogContext& ctx, MainDialog& d) {
    return fromTypedText(ctx, d, sendSerial);
}

Outcome readRepairSerial(DialogContext& ctx, MainDialog& d) {
    if (ctx.state.caps.repairSiteMode != 1) return Outcome::completed();
    d.readControls();
    WaitCursor busy(ctx.op);
    char buffer[kSerialNoBuffer + 1] = {};
    if (const int32_t r = ctx.camera.get_serial_no(buffer); r != 0) return showError(ctx, r);
    const std::string serial(buffer, strnlen(buffer, kSerialNoBuffer));
    placeRepairSerial(d, serial);
    placeDefaultUsbIds(d);
    d.writeBack();
    Outcome outcome;
    return outcome.note("serial", serial);
}

void composeSerialPrefix(DialogContext& ctx, MainDialog& d) {
    d.readControls();
    const auto& sites = repairSites();
    if (d.repairSite < 0 || d.repairSite >= static_cast<int32_t>(sites.size())) return;
    std::string prefix = d.serial1;
    if (prefix.size() < kStampedChars) {
        prefix = std::string(models::kDefaultProductPrefix) + text::kDefaultSerialStamp;
        for (const models::SerialPrefixRow& row : models::SerialPrefixModels()) {
            if (sameNoCase(row.type, ctx.state.cameraType)) {
                prefix.replace(0, kProductPrefixChars, row.prefix);
                break;
            }
        }
    }
    stampSerialPrefix(prefix, ctx.clock.wallTime());
    d.serial1 = prefix.substr(0, kStampedChars) + sites[static_cast<size_t>(d.repairSite)].code;
    placeDefaultUsbIds(d);
    d.writeBack();
}

Outcome writeRepairSerial(DialogContext& ctx, MainDialog& d) {
    if (ctx.state.caps.repairSiteMode != 1) return Outcome::completed();
    d.readControls();
    WaitCursor busy(ctx.op);
    Outcome outcome = sendRepairSerial(ctx, d);
    d.writeBack();
    return outcome;
}

Outcome readMacAddress(DialogContext& ctx, MainDialog& d) {
    d.readControls();
    WaitCursor busy(ctx.op);
    int32_t words[2] = {};
    if (const int32_t r = ctx.camera.get_mac_address(words); r != 0) return showError(ctx, r);
    std::string mac;
    for (size_t i = 0; i < kMacBytes; ++i) {
        const auto word = static_cast<uint32_t>(words[i / 4]);
        d.mac[i] = format(text::kMacByteFormat, (word >> (24 - 8 * (i % 4))) & 0xFFu);
        mac += (i > 0 ? ":" : "") + d.mac[i];
    }
    d.writeBack();
    Outcome outcome;
    return outcome.note("mac", mac);
}

Outcome writeMacAddress(DialogContext& ctx, MainDialog& d) {
    d.readControls();
    uint32_t words[2] = {};
    for (size_t i = 0; i < kMacBytes; ++i) {
        const std::string& f = d.mac[i];
        if (f.size() < 2 || !std::isxdigit(static_cast<unsigned char>(f[0])) ||
            !std::isxdigit(static_cast<unsigned char>(f[1])))
            return showFailure(ctx.op, text::kInvalidAddress);
        const auto byte = static_cast<uint32_t>(std::stoul(f.substr(0, 2), nullptr, 16));
        words[i / 4] = (words[i / 4] << 8) | byte;
    }
    WaitCursor busy(ctx.op);
    for (const DiagRun& half :
         {DiagRun{diag::kWriteMacHigh, diag::kWaitSetting, static_cast<int32_t>(words[0])},
          DiagRun{diag::kWriteMacLow, diag::kWaitSetting, static_cast<int32_t>(words[1])}}) {
        if (const int32_t r = executeDiagAndWait(ctx, half, OnFailure::Silent); r != 0)
            return showError(ctx, r);
    }
    return Outcome::completed();
}

}  // namespace orvia
