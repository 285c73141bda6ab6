// Shows the connection dialogs in the states an operator meets, against simulated
// controllers in a lab network, and photographs the X screen in each: the program behind
// scripts/screenshots/connect-dialogs.
#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QTableWidget>
#include <QThread>
#include <QTimer>

#include <cstdio>

#include "ConnectLab.h"
#include "EndlessProgressDlg.h"
#include "IpDialog.h"
#include "TrackboxSelection.h"

namespace {

QString g_outDir;
const QString kMac = QStringLiteral("02:00:5E:10:00:01");

void settle(int ms = 300)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void shoot(const QString& name)
{
    settle();
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                 g_outDir + "/" + name + ".png"});
    std::printf("%s/%s.png\n", qPrintable(g_outDir), qPrintable(name));
}

// A photograph taken by another process while the GUI thread is busy testing.
void shootLater(const QString& name, int delayMs)
{
    QProcess::startDetached(
        QStringLiteral("sh"),
        {QStringLiteral("-c"), QStringLiteral("sleep %1; import -window root '%2/%3.png'")
                                   .arg(delayMs / 1000.0)
                                   .arg(g_outDir, name)});
    std::printf("%s/%s.png\n", qPrintable(g_outDir), qPrintable(name));
}

void applyTheme(QWidget& w, bool dark)
{
    QPalette p = QApplication::style()->standardPalette();
    if (dark) {
        p.setColor(QPalette::WindowText, QColor(0xe6, 0xec, 0xf1));
        p.setColor(QPalette::Text, QColor(0xe6, 0xec, 0xf1));
        p.setColor(QPalette::Button, QColor(0x2b, 0x36, 0x42));
        p.setColor(QPalette::ButtonText, QColor(0xe6, 0xec, 0xf1));
        p.setColor(QPalette::Base, QColor(0x1b, 0x23, 0x2c));
    }
    const QPixmap picture(dark ? ":/images/splash-dark.png" : ":/images/splash-bright.png");
    p.setBrush(QPalette::All, QPalette::Window, QBrush(picture));
    w.setPalette(p);
}

std::unique_ptr<IpDialog> connectionDialog(const QString& ip, const QString& host, bool dark)
{
    auto d = std::make_unique<IpDialog>(nullptr, Qt::FramelessWindowHint, std::string());
    applyTheme(*d, dark);
    d->set_last_trackbox_ip(ip);
    d->set_last_trackbox_hostname(host);
    d->set_last_trackbox_mac(kMac);
    d->set_last_trackbox_model(QStringLiteral("20"));
    d->setFailurePauseMs(0);
    d->show();
    settle();
    return d;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    g_outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(g_outDir);
    initConnectResources();

    ConnectLab lab(QStringLiteral("shots"));
    if (!lab.ok) {
        std::fprintf(stderr, "connect_screens: cannot build the lab network (root needed)\n");
        return 1;
    }
    SimProcess* slow = lab.subnetSim(QStringLiteral("192.0.2.21"),
                                     {"set system hostname = trackbox-hall2", "delay 300"});
    lab.subnetSim(QStringLiteral("192.0.2.22"),
                  {"set system hostname = trackbox-cave-s1", "set system slave = yes",
                   "access 10.0.0.7", "set system controller_serial = 30511"});
    lab.subnetSim(QStringLiteral("192.0.2.23"),
                  {"set system hostname = trackbox-lab", "set system controller_serial = 30877"});
    if (!slow)
        return 1;

    {
        auto d =
            connectionDialog(QStringLiteral("192.0.2.21"), QStringLiteral("trackbox-hall2"), false);
        shootLater(QStringLiteral("ipdialog-testing"), 900);
        d->try_connect();
        settle(600);
        shoot(QStringLiteral("ipdialog-identified-bright"));
    }
    slow->control(QStringLiteral("delay 0"));
    {
        auto d =
            connectionDialog(QStringLiteral("192.0.2.21"), QStringLiteral("trackbox-hall2"), true);
        d->try_connect();
        shoot(QStringLiteral("ipdialog-identified-dark"));
    }
    {
        auto d =
            connectionDialog(QStringLiteral("192.0.2.29"), QStringLiteral("trackbox-gone"), true);
        d->try_connect();
        shoot(QStringLiteral("ipdialog-wake-on-lan"));
    }
    {
        TrackboxSelection s;
        s.resize(720, 360);
        s.show();
        settle();
        s.findChild<QRadioButton*>(QStringLiteral("rb_scan"))->setChecked(true);
        s.setFixSubnet(QString());
        s.updateTableContent();
        QTableWidget* t = s.findChild<QTableWidget*>(QStringLiteral("tableWidget"));
        t->setCurrentCell(2, 0);
        shoot(QStringLiteral("selection-scan"));
    }
    {
        EndlessProgressDlg w(QStringLiteral("trackbox-hall2"), QStringLiteral("192.0.2.21"),
                             QHostAddress(QStringLiteral("192.0.2.21")).toIPv4Address(), kMac,
                             nullptr, true);
        QTimer::singleShot(800, [&] {
            shoot(QStringLiteral("waiting-wake-on-lan"));
            w.findChild<QPushButton*>(QStringLiteral("pushButton_cancel"))->click();
        });
        w.update_and_exec();
    }
    return 0;
}
