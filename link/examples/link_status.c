/* link_status: connects to a camera through libqorlink and prints what the link sees.
 *
 *   link_status [PORT]     PORT as for Cam_set_port (default 0: search USB, then COM1-COM2)
 *
 * Exit status 0 when a session opened and the camera reported readiness. */
#include <stdio.h>
#include <stdlib.h>

#include "qorlink.h"

int main(int argc, char** argv) {
    const int32_t wanted = argc > 1 ? (int32_t)strtol(argv[1], NULL, 0) : 0;
    Cam_reset_dll();
    Cam_set_speed(5);
    const int32_t port = Cam_set_port(wanted);
    if (port < 0) {
        printf("no camera found\n");
        return 1;
    }
    printf("port: %d\n", port);
    int32_t opened = -1;
    int32_t speed;
    for (speed = 5; speed >= 1 && opened != 0; --speed) {
        Cam_set_speed(speed);
        opened = Cam_session_enabled(1);
    }
    if (opened != 0) {
        printf("session: failed (%d)\n", opened);
        return 1;
    }
    printf("session: open at speed %d\n", speed + 1);
    const int32_t ready = Cam_ready();
    printf("ready: %d\n", ready);
    printf("connection state: %d\n", Cam_connection_state());
    printf("close: %d\n", Cam_session_enabled(0));
    return ready == 1 ? 0 : 1;
}
