#ifndef ORVANE_TESTS_SERVICETESTCONTROLLER_H
#define ORVANE_TESTS_SERVICETESTCONTROLLER_H

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "TestController.h"

// A simulated controller of one profile, changed by control lines, and the
// main window's kind of channel to it; each on the next address of the
// service tests' loopback block. Test programs that run side by side use
// their own part of the block (firstHost 1, 100, ...).
class ServiceTestController : public TestController
{
public:
    explicit ServiceTestController(int firstHost) : m_firstHost(firstHost) {}

    bool start(const QString& profile, const QStringList& controls)
    {
        static int started = 0;
        const QString address = QStringLiteral("127.0.14.%1").arg(m_firstHost + started++ % 90);
        Options options;
        options.args = QStringList{"--profile", profile};
        options.controls = controls;
        return TestController::start(address, options);
    }

private:
    int m_firstHost;
};

// Runs a dialog's modal update_and_exec() the way a user meets it: once it is
// up, `whileOpen` looks at it, then the user presses its OK button.
template <typename Dialog>
int execWhileOpen(Dialog& dialog, const std::function<void()>& whileOpen)
{
    QTimer::singleShot(0, &dialog, [&dialog, whileOpen] {
        if (whileOpen)
            whileOpen();
        if (auto* ok = dialog.template findChild<QPushButton*>("pushButton_ok"))
            ok->click();
        else
            dialog.reject();
    });
    return dialog.update_and_exec();
}

#endif
