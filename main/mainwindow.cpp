#include "mainwindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QTextEdit>

#include <cstdlib>

// Declared at global scope because Q_INIT_RESOURCE must not run inside a namespace.
static void initShellResources()
{
    Q_INIT_RESOURCE(orvane_shell);
}

namespace {

// The front-end's own version, part of every per-user path.
constexpr int kFrontendVersionMajor = 3;
constexpr int kFrontendVersionMinor = 3;
constexpr int kFrontendVersionPatch = 1;

constexpr int kDefaultExternalCmdTimeoutUs = 2000000;

void exitProcess(int exitCode)
{
    std::exit(exitCode);
}

MainWindow::ProcessEndHandler g_processEndHandler = &exitProcess;

}  // namespace

void MainWindow::setProcessEndHandler(ProcessEndHandler handler)
{
    g_processEndHandler = handler ? handler : &exitProcess;
}

MainWindow::MainWindow(QString args, QWidget* parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    setObjectName("MainWindow");
    connectMessageBoxProvider();

    initShellResources();
    external_cmd_timeout = kDefaultExternalCmdTimeoutUs;
    setWindowIcon(QIcon(":/images/icons/orvane_16x16.png"));

    initPaths();
    initBuiltInPreferences();
    loadXMLSettings();

    m_sDirectStart_hostname = last_trackbox_hostname;
    parseCmdParameters(args);
    if (m_bEndingProcess)
        return;

    setupCentralWidget();
    setMainWindowTitle();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectMessageBoxProvider()
{
    connect(this, &MainWindow::sendOpenMessageBox, this, &MainWindow::displayMessageBox,
            Qt::QueuedConnection);
}

void MainWindow::initPaths()
{
    const QString baseDir = QDir::homePath() + "/.QOR/ORVANE3/v" +
                            QString("%1.%2.%3")
                                .arg(kFrontendVersionMajor)
                                .arg(kFrontendVersionMinor)
                                .arg(kFrontendVersionPatch);
    m_appPath = QCoreApplication::applicationDirPath();
    m_defaultConfigDir = m_appPath + "/config";
    m_sConfigDir = baseDir + "/config";
    m_sLayoutDir = m_sConfigDir;
    m_sConfigFileName = m_sConfigDir + "/current-preferences.xml";
    m_sEventLogDir = baseDir + "/logs";
}

void MainWindow::initBuiltInPreferences()
{
    resetLastTrackboxSettings();
    sTrackBoxSelection.clear();
    m_bIsCascade = false;
    m_lastFeUpdateDate = QDateTime();
    m_bShowDynReflexSuppr = false;
    m_bShowServiceMenue = false;
    m_bIsDarkTheme = true;
    m_bWriteLogFile = false;
    m_sCommandHistoryLogFileName.clear();
    m_sResponsePrefix.clear();
    m_bAutoBackup = true;
    m_bCheckForOldFrontendOrBackend = true;
    external_cmd_timeout = kDefaultExternalCmdTimeoutUs;
    m_frontendPassword.clear();
}

void MainWindow::setupCentralWidget()
{
    // The docks carry all content; the central widget only has to exist.
    center = new QTextEdit(this);
    center->setObjectName("center");
    center->setFixedSize(1, 1);
    center->hide();
    setCentralWidget(center);
    resize(1024, 640);
}

void MainWindow::setMainWindowTitle()
{
    setWindowTitle(tr("ORVANE3 basic"));
}

void MainWindow::endProcess(int exitCode)
{
    m_bEndingProcess = true;
    g_processEndHandler(exitCode);
}

void MainWindow::openMessageBox(int kind, QString title, QString text)
{
    emit sendOpenMessageBox(kind, title, text);
}

void MainWindow::displayMessageBox(int kind, QString title, QString text)
{
    switch (kind) {
        case MessageBoxProvider::Warning:
            QMessageBox::warning(this, title, text, QMessageBox::Ok);
            break;
        case MessageBoxProvider::Critical:
            QMessageBox::critical(this, title, text, QMessageBox::Ok);
            break;
        default:
            QMessageBox::information(this, title, text, QMessageBox::Ok);
            break;
    }
}

void MainWindow::showPreferencesWarning(const QString& title, const QString& text)
{
    QMessageBox::warning(this, title, text, QMessageBox::Ok);
}
