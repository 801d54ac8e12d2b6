/* firmware_version: opens a session with the camera on port 1 and prints its firmware version,
 * or the link library's text for the failure. */
#include <stdio.h>

#include "qorlink.h"

int main(void) {
    char version[33] = {0};
    Cam_reset_dll();
    Cam_set_speed(5);
    if (Cam_set_port(1) < 0) {
        printf("no camera\n");
        return 1;
    }
    int32_t r = Cam_session_enabled(1);
    if (r == QORLINK_OK) r = Cam_get_version(version);
    if (r != QORLINK_OK) {
        printf("%s\n", qorlink_result_text(r));
        return 1;
    }
    printf("firmware: %s\n", version);
    Cam_session_enabled(0);
    return 0;
}
