// Runs camera calls on a worker thread while the interface thread keeps processing events:
// windows repaint, timers run, the wait cursor shows, and mouse and keyboard input is held off
// until the call has finished.
#pragma once

#include <QObject>
#include <QThread>

#include "console/call_runner.h"

namespace orvia::ui {

class QtCallRunner final : public QObject, public CallRunner {
  public:
    QtCallRunner();
    ~QtCallRunner() override;

    int32_t run(const std::function<int32_t()>& call) override;
    void onCallerThread(const std::function<void()>& fn) override;

    // True while a call is running.
    bool busy() const { return depth_ > 0; }
    // True while any runner's call is running: no control may start a handler then, whatever
    // asked for it (input is held off, but an assistive technology's press is not input).
    static bool anyCallRunning() { return running_ > 0; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QThread worker_;
    QObject* workerContext_;
    int depth_ = 0;
    static inline int running_ = 0;  // calls running, on the interface thread's count
};

}  // namespace orvia::ui
