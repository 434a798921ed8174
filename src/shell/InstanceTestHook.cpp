#include "InstanceTestHook.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

const char kVariable[] = "QS_INSTANCE_TEST_HOOK";

bool Enabled()
{
    return qEnvironmentVariableIsSet(kVariable);
}

class StateReporter : public QObject
{
public:
    explicit StateReporter(QWidget *window) : QObject(window), m_window(window) {}

    void report()
    {
        std::printf("STATE minimized=%d maximized=%d active=%d\n", int(m_window->isMinimized()),
                    int(m_window->isMaximized()), int(m_window->isActiveWindow()));
        std::fflush(stdout);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::WindowStateChange:
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
            report();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget *m_window;
};

} // namespace

void InstanceTestHook::Attach(QWidget *window)
{
    if (!Enabled() || !window)
        return;
    auto *reporter = new StateReporter(window);
    window->installEventFilter(reporter);
    const QByteArray state = qgetenv(kVariable);
    QTimer::singleShot(0, window, [window, reporter, state] {
        if (state == "minimized")
            window->showMinimized();
        else if (state == "maximized")
            window->showMaximized();
        // Another window takes the focus, as another program would.
        auto *other = new QWidget(window, Qt::Window);
        other->setAttribute(Qt::WA_QuitOnClose, false);
        other->show();
        other->activateWindow();
        Report("READY");
        reporter->report();
    });
}

void InstanceTestHook::Report(const char *line)
{
    if (!Enabled())
        return;
    std::printf("%s\n", line);
    std::fflush(stdout);
}
