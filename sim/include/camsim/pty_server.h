// Serves one camera on a pseudo-terminal in real time.
//
// The camera's timeline is the monotonic clock (microseconds since the server was created). The
// host opens the slave side like any serial device; the line speed it sets there is the speed
// the camera hears it at. While no host has the slave open, whatever the camera sends is lost,
// and a host may close and reopen the slave as often as it likes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "camsim/camera.h"

namespace camsim {

class PtyServer {
  public:
    // Opens the pseudo-terminal (raw mode); check ok().
    explicit PtyServer(Camera& camera);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    bool ok() const { return master_ >= 0; }
    // What went wrong when !ok().
    const std::string& error() const { return error_; }
    // The device a host opens, for example /dev/pts/4.
    const std::string& slavePath() const { return slavePath_; }

    // Serves until stop() is called or `keepGoing` returns false (asked at least every 20 ms).
    // The camera must not be touched by other threads meanwhile.
    void run(const std::function<bool()>& keepGoing = {});
    // Ends run(); safe from any thread and from signal handlers.
    void stop();
    // The camera's current time.
    uint64_t nowUs() const;

  private:
    bool pollOnce(const std::function<bool()>& keepGoing);
    void sendDue();
    void takeInput();
    int hostBaud() const;

    Camera& camera_;
    int master_ = -1;
    int wake_[2] = {-1, -1};
    bool connected_ = false;
    uint64_t startUs_ = 0;
    std::string slavePath_;
    std::string error_;
};

}  // namespace camsim
