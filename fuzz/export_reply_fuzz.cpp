// Fuzz target: the camera's bytes against the exports that take them apart beyond a plain
// fetch: word records (MAC address, LCD, diagnostic and camera information, the identity texts,
// focal length), size-first fetches and sends, key records, memory, ELD and battery reads, the
// handshakes of set-value, execute and send-data frames, and the completion byte of an
// execute. Every call must end, write nothing past the caller's record and leave the library
// usable for the next call.
//
// The first input byte chooses the export; the rest is what the camera sends, all of it waiting
// on the line once the session is open.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "connection.h"
#include "fuzz_session.h"
#include "qorlink.h"
#include "scripted_line.h"

using namespace qorlink;
using qorlink::fuzz::Check;
using qorlink::test::IdleCamera;
using qorlink::test::ScriptedLine;

namespace {

constexpr size_t kRecord = 2048 + 16;  // the largest record any of these exports writes
constexpr size_t kSlack = 64;
constexpr uint8_t kGuard = 0xEE;

// Runs export `which` on `out`; returns how many bytes of `out` it may write.
size_t RunExport(uint8_t which, uint8_t* out) {
    int32_t* words = reinterpret_cast<int32_t*>(out);
    switch (which % 24) {
        case 0:
            Cam_get_mac_address(words);
            return 8;
        case 1:
            Cam_get_diag_lcd_info(words);
            return 32;
        case 2:
            Cam_get_diag_info(words);
            return 48;
        case 3:
            Cam_get_diag_camera_info(words);
            return 32;
        case 4:
            Cam_get_diag_info_2(words);
            return 40;
        case 5:
            Cam_get_diag_info_2_ext(reinterpret_cast<QorlinkDiagInfo2Ext*>(out));
            return sizeof(QorlinkDiagInfo2Ext);
        case 6:
            Cam_get_diag_info_2_ext2(reinterpret_cast<QorlinkDiagInfo2Ext2*>(out));
            return sizeof(QorlinkDiagInfo2Ext2);
        case 7:
            Cam_get_focal_length(words);
            return 8;
        case 8:
            Cam_get_serial_no(out);
            return 32;
        case 9:
            Cam_get_cam_type(out);
            return 64;
        case 10:
            Cam_get_selsrc_version(out, 1);
            return 64;
        case 11:
            Cam_get_lens_adj_param(out);
            return 2048;
        case 12: {
            std::memset(out, 0x5A, 2048);
            Cam_set_lens_adj_param(out);
            return 2048;
        }
        case 13:
            Cam_get_bt_test_setting(out);
            return 2048;
        case 14:
            Cam_get_rsa1_key(out);
            return 724;
        case 15:
            Cam_get_rsa2_key(out);
            return 136;
        case 16: {
            const int32_t header[2] = {0x1000, 200};
            std::memcpy(out, header, sizeof header);
            Cam_get_mcumem(out);
            return 208;
        }
        case 17:
            words[0] = 1000;
            Cam_get_diag_eld_info(out);
            return 1000;
        case 18:
            Cam_get_battery_info(out, 1 + (which / 24) % 2);
            return 22;
        case 19:
            Cam_set_factory_code(which);
            return 0;
        case 20:
            Cam_execute_diag(which);
            for (int i = 0; i < 4; ++i)
                Cam_ready();
            return 0;
        case 21: {
            std::memset(out, 0x33, 136);
            Cam_set_rsa2_key(out);
            return 136;
        }
        case 22: {
            std::vector<uint8_t> image(5000, 0x42);
            Cam_load_picture_data(image.data(), static_cast<int32_t>(image.size()));
            return 0;
        }
        default:
            Cam_get_diag_info4(out, 300);
            return 300;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    ScriptedLine line(IdleCamera);
    if (fuzz::OpenSessionServing(line, data + 1, size - 1)) {
        std::vector<uint8_t> out(kRecord + kSlack, kGuard);
        const size_t may = RunExport(data[0], out.data());
        for (size_t i = may; i < out.size(); ++i)
            Check(out[i] == kGuard);
        // The library answers the next call whatever came before.
        Cam_get_lcd_type();
    }
    Cam_reset_dll();
    installPlatform(nullptr);
    return 0;
}
