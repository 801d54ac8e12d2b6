// A program on the station PC: through Qorlink.dll it opens a session with the camera on COM1,
// prints what it reads, and loads a file into the camera.
//
//   link_over_com1 FILE
//
// Prints "port:", "firmware:", "type:", "lcd:", "load:" and "close:" lines; exit status 0 when
// every step succeeded.
#include <windows.h>

#include <cstdio>

#include "qorlink.h"

namespace {

constexpr int32_t kComOne = 1;
constexpr int32_t kSpeedIndex = 5;
// A load selector that is neither firmware nor any other data the camera acts on.
constexpr int32_t kScratchSelector = 0x0FEA5C7A;

// Loads the file at `path` into the camera; the result code, or -1 when it cannot be opened.
int32_t loadFile(const char* path) {
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    const int32_t r = Cam_load_file_data(reinterpret_cast<intptr_t>(file), kScratchSelector);
    CloseHandle(file);
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: link_over_com1 FILE\n");
        return 2;
    }
    Cam_reset_dll();
    Cam_set_speed(kSpeedIndex);
    const int32_t port = Cam_set_port(kComOne);
    std::printf("port: %d\n", port);
    if (port != kComOne || Cam_session_enabled(1) != 0) return 1;

    char version[64] = {};
    char type[64] = {};
    const bool read = Cam_get_version(version) == 0 && Cam_get_cam_type(type) == 0;
    std::printf("firmware: %s\ntype: %s\nlcd: %d\n", version, type, Cam_get_lcd_type());
    const int32_t load = loadFile(argv[1]);
    std::printf("load: %d\n", load);
    const int32_t close = Cam_session_enabled(0);
    std::printf("close: %d\n", close);
    return read && load == 0 && close == 0 ? 0 : 1;
}
