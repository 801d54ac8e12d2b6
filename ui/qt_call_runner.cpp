#include "ui/qt_call_runner.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <exception>

namespace orvia::ui {

QtCallRunner::QtCallRunner() : workerContext_(new QObject) {
    worker_.setObjectName("camera calls");
    workerContext_->moveToThread(&worker_);
    connect(&worker_, &QThread::finished, workerContext_, &QObject::deleteLater);
    worker_.start();
}

QtCallRunner::~QtCallRunner() {
    worker_.quit();
    worker_.wait();
}

int32_t QtCallRunner::run(const std::function<int32_t()>& call) {
    if (QThread::currentThread() == &worker_) return call();

    int32_t result = 0;
    std::exception_ptr failure;
    QEventLoop loop;
    ++running_;
    if (depth_++ == 0) {
        qApp->installEventFilter(this);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    QMetaObject::invokeMethod(
        workerContext_,
        [&] {
            try {
                result = call();
            } catch (...) {
                failure = std::current_exception();
            }
            QMetaObject::invokeMethod(
                &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    loop.exec();
    if (--depth_ == 0) {
        QApplication::restoreOverrideCursor();
        qApp->removeEventFilter(this);
    }
    --running_;
    if (failure) std::rethrow_exception(failure);
    return result;
}

void QtCallRunner::onCallerThread(const std::function<void()>& fn) {
    if (QThread::currentThread() == thread()) {
        fn();
        return;
    }
    QMetaObject::invokeMethod(
        this, [&fn] { fn(); }, Qt::BlockingQueuedConnection);
}

bool QtCallRunner::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Close:
            if (depth_ > 0) {
                event->ignore();
                return true;
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace orvia::ui
