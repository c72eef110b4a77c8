#include "app/startupprobe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

class FirstPaintProbe : public QObject {
public:
    FirstPaintProbe(QWidget *window, const QElapsedTimer &started) : window_(window), started_(started) {}

    // Paints seen before arming belong to the window without its document.
    void arm()
    {
        armed_ = true;
        if (window_)
            window_->update(); // one paint is sure to come
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (armed_ && !done_ && e->type() == QEvent::Paint && window_) {
            auto *w = qobject_cast<QWidget *>(o);
            if (w && w->window() == window_) {
                done_ = true;
                // Once this paint is done and on the screen.
                QTimer::singleShot(0, [this] { report(); });
            }
        }
        return false;
    }

private:
    void report()
    {
        std::printf("first paint after %.1f ms\n", started_.nsecsElapsed() / 1e6);
        std::fflush(stdout);
        std::_Exit(0); // nothing is saved: the probe leaves no trace
    }

    QPointer<QWidget> window_;
    const QElapsedTimer &started_;
    bool armed_ = false, done_ = false;
};

} // namespace

void InstallStartupProbe(QWidget *mainWindow, const QElapsedTimer &started)
{
    if (qEnvironmentVariableIsEmpty("VELLORAN_STARTUP_PROBE"))
        return;
    auto *probe = new FirstPaintProbe(mainWindow, started);
    probe->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(probe);
    // The window's first show queued the opening of the command-line
    // document; this comes after it.
    QTimer::singleShot(0, probe, [probe] { probe->arm(); });
}
