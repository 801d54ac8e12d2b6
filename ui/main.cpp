// orvia: the calibration console.
//
// The command line after the program name, taken whole, chooses the OEM mode; Bootmode.txt or
// Upmode.txt in the working directory choose the start mode. The program starts the camera
// session, shows the main dialog, and closes the session when the dialog closes. With
// $ORVIA_STATION_LOG naming a file, every procedure run appends a record to that station log.
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "console/app.h"
#include "console/clock.h"
#include "console/host.h"
#include "console/link_camera.h"
#include "console/main_dialog.h"
#include "console/station_log.h"
#include "ui/icon.h"
#include "ui/qt_call_runner.h"
#include "ui/qt_operator.h"

namespace {

constexpr char kUsage[] =
    "usage: orvia [OEM]\n"
    "The calibration console. It looks for a camera on the serial ports and the USB drives, and\n"
    "shows the main window once one answers. OEM: a digit 1-7, -O, or an OEM option, as the\n"
    "site's instructions give it. Bootmode.txt or Upmode.txt in the working directory choose the\n"
    "boot or upload start mode; $ORVIA_STATION_LOG names a station log.\n"
    "  --help      this text\n"
    "  --version   the program's version\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered before anything else, and before any camera is looked for.
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("orvia %s\n", orvia::toolVersion());
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("Orvia");
    QApplication::setWindowIcon(orvia::ui::applicationIcon());

    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }

    orvia::ui::QtCallRunner runner;
    orvia::LinkCamera camera(runner);
    orvia::SystemClock clock(runner);
    orvia::ui::QtOperator screen;
    orvia::StationLog log(orvia::StationLog::chooseFile(std::nullopt),
                          [&screen](const std::string& warning) {
                              screen.message(orvia::MessageKind::Warning, warning);
                          });
    orvia::HostSystem host;
    orvia::CalibrationApp app(camera, clock, screen, host);
    if (!app.startUp(commandLine)) return 1;
    if (log.enabled()) {
        orvia::logMainDialogProcedures(*app.mainWindow(), log,
                                       {"orvia", orvia::toolVersion(), orvia::stationHostName()});
    }
    app.runMainDialog();
    app.shutDown();
    return 0;
}
