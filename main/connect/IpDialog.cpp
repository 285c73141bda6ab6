#include "IpDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTextCursor>
#include <QThread>
#include <QTimer>

#include "AccessControl.h"
#include "ControllerProbe.h"
#include "EndlessProgressDlg.h"
#include "FrontendInfo.h"
#include "MessageBoxes.h"
#include "PasswordGate.h"
#include "PlainText.h"
#include "TrackboxSelection.h"
#include "VersionInfo.h"
#include "ui_IpDialog.h"

static void initConnectResourcesOutsideNamespace()
{
    Q_INIT_RESOURCE(orvane_connect);
}

void initConnectResources()
{
    initConnectResourcesOutsideNamespace();
}

namespace {

constexpr int kMoveStep = 10;

const char* const kHostnameCmd = "orvane2 get system hostname";
const char* const kHostnamePrefix = "orvane2 set system hostname ";
const char* const kVersionCmd = "orvane2 get system version";
const char* const kVersionPrefix = "orvane2 set system version ";
const char* const kAccessCmd = "orvane2 get system access";
const char* const kAccessPrefix = "orvane2 set system access ";
const char* const kSerialCmd = "orvane2 get system controller_serial";
const char* const kSerialPrefix = "orvane2 set system controller_serial ";
const char* const kProtocolCmd = "orvane2 get system protocol_version";
const char* const kAccessedByCmd = "orvane2 get system accessed_by";
const char* const kAccessedByPrefix = "orvane2 set system accessed_by ";

using ControllerAddress::dotted;
using ControllerAddress::resolve;

QString firstWord(const QString& text)
{
    return text.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
}

// The protocol version of a whole "orvane2 set system protocol_version v1.12" answer.
VersionInfo protocolOfAnswer(const QString& answer)
{
    return VersionInfo::fromLettersAsBlanks(
        answer.section(QLatin1Char(' '), 4, 4, QString::SectionSkipEmpty));
}

}  // namespace

IpDialog::IpDialog(QWidget* parent, Qt::WindowFlags flags, const std::string& frontendPassword)
    : QDialog(parent, flags), ui(new Ui::IpDialog), m_frontendPassword(frontendPassword)
{
    initConnectResources();
    ui->setupUi(this);
    setFixedSize(size());
    // The splash picture shows through the progress text; only the base is set here, so the
    // text colour still follows whatever palette the window gets.
    QPalette transparent = ui->textEdit_progress->palette();
    transparent.setBrush(QPalette::Base, Qt::transparent);
    ui->textEdit_progress->setPalette(transparent);
    ui->textEdit_progress->viewport()->setAutoFillBackground(false);
    ui->pushButton_wol->hide();
    ui->pushButton_connect->setEnabled(false);
    showVersionLabel();

    trackboxSelectionDlg = new TrackboxSelection(this);
    connect(trackboxSelectionDlg, &TrackboxSelection::trackbox_changed, this,
            &IpDialog::setTrackbox, Qt::QueuedConnection);
    connect(trackboxSelectionDlg, &TrackboxSelection::trackbox_changed_port, this,
            &IpDialog::setTrackboxPort, Qt::QueuedConnection);
    connect(trackboxSelectionDlg, &TrackboxSelection::trackbox_changed_ip, this,
            &IpDialog::setTrackboxIp, Qt::QueuedConnection);
    connect(trackboxSelectionDlg, &TrackboxSelection::trackbox_changed_mac, this,
            &IpDialog::setTrackboxMac, Qt::QueuedConnection);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

IpDialog::~IpDialog()
{
    delete ui;
}

void IpDialog::showVersionLabel()
{
    ui->label_software->setText(
        QStringLiteral("v%1 - %2")
            .arg(FrontendInfo::versionNumber(), QLatin1String(FrontendInfo::kBuildDate)));
}

void IpDialog::set_last_trackbox_hostname(QString hostname)
{
    m_last.hostname = std::move(hostname);
}

void IpDialog::set_last_trackbox_ip(QString ipStr)
{
    m_last.ip = std::move(ipStr);
}

void IpDialog::set_last_trackbox_mac(QString mac)
{
    m_last.mac = std::move(mac);
}

void IpDialog::set_last_trackbox_model(const QString& model)
{
    m_last.model = model;
}

void IpDialog::setLastController(const LastController& last)
{
    m_last = last;
}

LastController IpDialog::lastController() const
{
    LastController inUse = m_last;
    inUse.ip = get_ip_str(0);
    return inUse;
}

void IpDialog::setIsCascade(bool isCascade)
{
    bIsCascade = isCascade;
}

void IpDialog::setFixHostname(const QString& hostnameOrIp)
{
    trackboxSelectionDlg->setFixHostname(hostnameOrIp);
}

void IpDialog::setFixSubnet(const QString& subnet)
{
    trackboxSelectionDlg->setFixSubnet(subnet);
}

void IpDialog::setTrackboxSelection(int selection)
{
    trackboxSelectionDlg->setTrackboxSelection(selection);
}

QString IpDialog::get_hostname() const
{
    return m_last.hostname;
}

QString IpDialog::get_ip_str(unsigned int ip) const
{
    return dotted(ip != 0 ? ip : last_trackbox_ip);
}

QString IpDialog::get_mac() const
{
    return m_last.mac;
}

unsigned short IpDialog::getPort() const
{
    return port;
}

QString IpDialog::fixHostname() const
{
    return trackboxSelectionDlg->fixHostname();
}

QString IpDialog::fixSubnet() const
{
    return trackboxSelectionDlg->fixSubnet();
}

int IpDialog::getTrackboxSelection() const
{
    return trackboxSelectionDlg->getTrackboxSelection();
}

int IpDialog::start_and_exec()
{
    QFont font = ui->label_software->font();
    font.setBold(true);
    font.setPointSize(9);
    ui->label_software->setFont(font);
    raise();
    show();
    QTimer::singleShot(10, this, [this] { try_connect(); });
    return exec();
}

bool IpDialog::isKestrelbox3() const
{
    return m_last.model == QLatin1String("21");
}

bool IpDialog::receiveTrackboxParam(ControllerProbe& probe, uint32_t ip, const char* command,
                                    const char* prefix, QString& out)
{
    probe.setController(ip, port);
    if (probe.askFor(command, prefix, &out))
        return true;
    if (probe.lastSendError() != 0)
        appendText(tr("udp send error, err %1 %2").arg(probe.lastSendError()).arg(ip));
    return false;
}

void IpDialog::appendText(const QString& text)
{
    PlainText::appendLine(ui->textEdit_progress, text);
    refresh();
}

void IpDialog::insertText(const QString& text)
{
    ui->textEdit_progress->moveCursor(QTextCursor::End);
    ui->textEdit_progress->insertPlainText(text);
    refresh();
}

void IpDialog::refresh()
{
    ui->textEdit_progress->moveCursor(QTextCursor::End);
    ui->textEdit_progress->ensureCursorVisible();
    repaint();
}

void IpDialog::pause()
{
    refresh();
    // The procedure blocks on purpose: the user reads the text before the next window opens.
    if (m_failurePauseMs > 0)
        QThread::msleep(static_cast<unsigned long>(m_failurePauseMs));
}

// The start-up search for the last controller: its address first, then its host name.
// Returns true when the host name leads to another controller (its name in foundHostname);
// otherwise last_trackbox_ip holds what is left to test.
bool IpDialog::findStartupAddress(ControllerProbe& probe, QString& foundHostname)
{
    last_trackbox_ip = resolve(m_last.ip);
    uint32_t failedIp = 0;
    QString answer;
    if (last_trackbox_ip != 0) {
        appendText(tr("testing '%1'... ").arg(dotted(last_trackbox_ip)));
        if (receiveTrackboxParam(probe, last_trackbox_ip, kHostnameCmd, kHostnamePrefix, answer)) {
            if (answer == m_last.hostname)
                insertText(tr("OK"));
            else
                last_trackbox_ip = 0;
        } else {
            insertText(tr("unsuccessful"));
            failedIp = last_trackbox_ip;
            last_trackbox_ip = 0;
        }
    }
    if (last_trackbox_ip == 0) {
        appendText(tr("resolving '%1'... ").arg(m_last.hostname));
        const uint32_t resolved = resolve(m_last.hostname);
        if (resolved == 0 || resolved == failedIp) {
            insertText(tr("unsuccessful"));
            last_trackbox_ip = failedIp;
        } else {
            insertText(tr("OK"));
            last_trackbox_ip = resolved;
            appendText(tr("resolved '%1', testing... ").arg(dotted(resolved)));
            if (!receiveTrackboxParam(probe, resolved, kHostnameCmd, kHostnamePrefix, answer)) {
                insertText(tr("unsuccessful"));
                last_trackbox_ip = 0;
            } else if (answer != m_last.hostname) {
                appendText(QStringLiteral(" "));
                foundHostname = answer;
                return true;
            } else {
                insertText(tr("OK"));
            }
        }
    }
    if (last_trackbox_ip == 0) {
        appendText(QString());
        insertText(tr("\nno default Controller found"));
        pause();
        last_trackbox_ip = failedIp;
    }
    return false;
}

void IpDialog::reportChanged(Probe& probe, const QString& found)
{
    insertText(tr("\nController has changed"));
    insertText(tr("\nexpected: '%1'").arg(m_last.hostname));
    insertText(tr("\nfound: '%1'").arg(found));
    probe.reset();
    pause();
    trackboxSelectionDlg->update_and_exec();
}

void IpDialog::reportNoAccess(Probe& probe, bool accessNone)
{
    appendText(tr("\nno connection to"));
    appendText(tr("Controller '%1'").arg(m_last.hostname));
    QString answer;
    if (accessNone && receiveTrackboxParam(*probe, last_trackbox_ip, kProtocolCmd, "", answer) &&
        protocolOfAnswer(answer).supports(ProtocolFeature::AccessHolderQuery) &&
        receiveTrackboxParam(*probe, last_trackbox_ip, kAccessedByCmd, kAccessedByPrefix, answer)) {
        const QStringList words = answer.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.value(0) == QLatin1String("ip"))
            appendText(tr("accessed by %1").arg(words.value(1)));
    }
    probe.reset();
    pause();
}

void IpDialog::showIdentity(const QString& hostname)
{
    QFont small = ui->label_vistacam->font();
    small.setPixelSize(12);
    small.setPointSize(9);
    ui->label_vistacam->setFont(small);
    ui->label_vistacam->setText(tr("Controller"));
    QFont bold = ui->label_trackbox->font();
    bold.setWeight(75);
    ui->label_trackbox->setFont(bold);
    PlainText::setLabel(ui->label_trackbox, hostname);
    QFont software = ui->label_software->font();
    software.setPointSize(9);
    ui->label_software->setFont(software);
    ui->pushButton_connect->setEnabled(true);
    ui->pushButton_connect->setFocus();
    ui->pushButton_connect->show();
    ui->pushButton_wol->hide();
    repaint();
}

int IpDialog::try_connect()
{
    Probe probe = std::make_unique<ControllerProbe>(ControllerProbe::kStartupTiming);
    if (!probe->isOpen()) {
        appendText(tr("cannot start udp socket, error %1").arg(probe->openError()));
        pause();
        return ConnectNoSocket;
    }
    appendText(QStringLiteral("\n \n \n \n \n \n \n \n"));

    if (iFirstTime == 1) {
        QString found;
        if (findStartupAddress(*probe, found)) {
            reportChanged(probe, found);
            return ConnectUnreachable;
        }
    } else {
        appendText(tr("resolving '%1'").arg(m_last.hostname));
    }

    QString version;
    if (!receiveTrackboxParam(*probe, last_trackbox_ip, kVersionCmd, kVersionPrefix, version)) {
        appendText(tr("\nno connection to"));
        appendText(tr("Controller '%1'").arg(m_last.hostname));
        probe.reset();
        pause();
        if (m_last.mac.isEmpty() || isKestrelbox3()) {
            trackboxSelectionDlg->update_and_exec();
        } else {
            ui->pushButton_connect->hide();
            ui->pushButton_wol->show();
            ui->pushButton_wol->setFocus();
        }
        return ConnectUnreachable;
    }

    QString access;
    const bool accessAnswered =
        receiveTrackboxParam(*probe, last_trackbox_ip, kAccessCmd, kAccessPrefix, access);
    if (!accessAnswered || access.trimmed() == QLatin1String("none")) {
        reportNoAccess(probe, accessAnswered);
        return ConnectUnreachable;
    }

    QString hostname;
    if (!receiveTrackboxParam(*probe, last_trackbox_ip, kHostnameCmd, kHostnamePrefix, hostname)) {
        reportChanged(probe, QString());
        return ConnectHostnameUnread;
    }
    QString serial;
    if (!receiveTrackboxParam(*probe, last_trackbox_ip, kSerialCmd, kSerialPrefix, serial))
        serial = QStringLiteral("unknown");
    insertText(tr("\n\nController: '%1'").arg(hostname));
    insertText(tr("\nSerial %1 Version %2 ").arg(serial, firstWord(version)));
    // The name that answered is the one to remember, also when the list knew none.
    m_last.hostname = hostname;

    showIdentity(hostname);
    probe.reset();
    if (bWolClicked) {
        emit sig_connect_successful();
        accept();
    }
    return ConnectIdentified;
}

int IpDialog::try_connect_2()
{
    Probe probe = std::make_unique<ControllerProbe>(ControllerProbe::kStartupTiming);
    if (!probe->isOpen())
        return SilentNoSocket;

    if (m_last.ip.isEmpty() && !m_last.hostname.isEmpty()) {
        last_trackbox_ip = resolve(m_last.hostname);
        if (last_trackbox_ip == 0) {
            probe.reset();
            return SilentHostnameUnresolved;
        }
        m_last.ip = dotted(last_trackbox_ip);
    } else {
        last_trackbox_ip = resolve(m_last.ip);
        if (last_trackbox_ip == 0) {
            probe.reset();
            return SilentAddressUnresolved;
        }
    }

    QString answer;
    if (!receiveTrackboxParam(*probe, last_trackbox_ip, kHostnameCmd, kHostnamePrefix, answer)) {
        probe.reset();
        return m_last.mac.isEmpty() ? SilentNoAnswerNoMac : SilentAsleep;
    }
    m_last.hostname = answer;
    if (!receiveTrackboxParam(*probe, last_trackbox_ip, kVersionCmd, kVersionPrefix, answer)) {
        probe.reset();
        return SilentNoVersion;
    }
    QString access;
    if (!receiveTrackboxParam(*probe, last_trackbox_ip, kAccessCmd, kAccessPrefix, access)) {
        probe.reset();
        return SilentNoAccessState;
    }
    if (access.trimmed() == QLatin1String("full")) {
        probe.reset();
        if (bWolClicked) {
            emit sig_connect_successful();
            accept();
        }
        return SilentConnected;
    }

    QString accessedBy;
    const bool answered = receiveTrackboxParam(*probe, last_trackbox_ip, kAccessedByCmd,
                                               kAccessedByPrefix, accessedBy);
    probe.reset();
    if (answered) {
        MessageBoxes::critical(this, tr("Error"),
                               tr("Unable to connect Controller %1\nController is accessed by %2")
                                   .arg(m_last.hostname, accessedBy));
        return SilentAccessedByOther;
    }
    MessageBoxes::critical(this, tr("Error"),
                           tr("Unable to connect Controller %1").arg(m_last.hostname));
    return SilentAsleep;
}

void IpDialog::accept()
{
    AccessControl accessControl(last_trackbox_ip, 0);
    switch (PasswordGate::pass(accessControl, QString::fromStdString(m_frontendPassword), this,
                               tr("Authorize with valid password"))) {
        case PasswordGate::Open:
            QDialog::done(1);
            return;
        case PasswordGate::Unanswered:
            MessageBoxes::critical(this, tr("Error"),
                                   tr("Failed to obtain authentication requirements.\n"
                                      "No connection to Controller?"));
            return;
        case PasswordGate::Cancelled:
            return;
    }
}

void IpDialog::reject()
{
    QDialog::done(0);
}

void IpDialog::setTrackbox(QString hostname)
{
    m_last.hostname = std::move(hostname);
}

void IpDialog::setTrackboxPort(unsigned int newPort)
{
    last_trackbox_port = newPort;
    port = static_cast<unsigned short>(newPort);
}

void IpDialog::setTrackboxIp(unsigned int ip)
{
    last_trackbox_ip = ip;
    iFirstTime = 0;
    // The selection reports the MAC after the address, and the test needs the chosen
    // controller's MAC to choose between waking it and asking again: queued behind the
    // reports already on their way, the test comes after the last of them.
    QMetaObject::invokeMethod(this, &IpDialog::testChosenController, Qt::QueuedConnection);
}

void IpDialog::testChosenController()
{
    // The selection dialog has checked the password already.
    if (try_connect() == ConnectIdentified)
        QDialog::done(1);
}

void IpDialog::setTrackboxMac(QString mac)
{
    m_last.mac = std::move(mac);
}

void IpDialog::on_pushButton_other_clicked()
{
    trackboxSelectionDlg->update_and_exec();
}

void IpDialog::on_pushButton_connect_clicked()
{
    accept();
}

void IpDialog::on_pushButton_exit_clicked()
{
    reject();
}

void IpDialog::on_pushButton_wol_clicked()
{
    runWakeOnLan(true);
}

void IpDialog::doWakeOnLan()
{
    runWakeOnLan(false);
}

void IpDialog::runWakeOnLan(bool interactive)
{
    bWolClicked = true;
    EndlessProgressDlg waiting(m_last.hostname, get_ip_str(last_trackbox_ip), last_trackbox_ip,
                               m_last.mac, this, bIsCascade);
    waiting.setRetryInterval(m_wakeRetryIntervalMs);
    if (interactive)
        connect(&waiting, &EndlessProgressDlg::try_to_connect, this, &IpDialog::try_connect);
    else
        connect(&waiting, &EndlessProgressDlg::try_to_connect, this, &IpDialog::try_connect_2);
    connect(this, &IpDialog::sig_connect_successful, &waiting,
            &EndlessProgressDlg::set_wake_successful);
    waiting.update_and_exec();
}

void IpDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
        case Qt::Key_4:
            move(pos() + QPoint(-kMoveStep, 0));
            return;
        case Qt::Key_6:
            move(pos() + QPoint(kMoveStep, 0));
            return;
        case Qt::Key_8:
            move(pos() + QPoint(0, -kMoveStep));
            return;
        case Qt::Key_2:
            move(pos() + QPoint(0, kMoveStep));
            return;
        case Qt::Key_Escape:
            reject();
            return;
        case Qt::Key_F5:
            accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void IpDialog::mousePressEvent(QMouseEvent* event)
{
    setToolTip(tr("Press 2, 4, 6 or 8 to move the window"));
    QDialog::mousePressEvent(event);
}
