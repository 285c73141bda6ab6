#ifndef ORVANE_TESTS_MAINWINDOWPROBE_H
#define ORVANE_TESTS_MAINWINDOWPROBE_H

#include "mainwindow.h"

// A main window whose settings, command-line results and start-up steps the
// tests can reach directly.
class MainWindowProbe : public MainWindow
{
public:
    using MainWindow::MainWindow;

    using MainWindow::initBuiltInPreferences;
    using MainWindow::loadXMLSettings;
    using MainWindow::parseCmdParameters;
    using MainWindow::sortCmdParameters;
    using MainWindow::writeXMLSettings;

    using MainWindow::external_cmd_timeout;
    using MainWindow::last_trackbox_hostname;
    using MainWindow::last_trackbox_ip;
    using MainWindow::last_trackbox_mac;
    using MainWindow::last_trackbox_model;
    using MainWindow::m_bAutoBackup;
    using MainWindow::m_bCheckForOldFrontendOrBackend;
    using MainWindow::m_bDirectStart;
    using MainWindow::m_bHostname;
    using MainWindow::m_bIsCascade;
    using MainWindow::m_bIsDarkTheme;
    using MainWindow::m_bShowDynReflexSuppr;
    using MainWindow::m_bShowServiceMenue;
    using MainWindow::m_bStartMea;
    using MainWindow::m_bWakeUp;
    using MainWindow::m_bWriteLogFile;
    using MainWindow::m_defaultConfigDir;
    using MainWindow::m_frontendPassword;
    using MainWindow::m_lastFeUpdateDate;
    using MainWindow::m_sCommandHistoryLogFileName;
    using MainWindow::m_sConfigDir;
    using MainWindow::m_sConfigFileName;
    using MainWindow::m_sDirectStart_hostname;
    using MainWindow::m_sEventLogDir;
    using MainWindow::m_sLayoutDir;
    using MainWindow::m_sResponsePrefix;
    using MainWindow::m_sWakeUpMAC;
    using MainWindow::nTrackBoxSelection;
    using MainWindow::sFixHostnameOrIp;
    using MainWindow::sFixSubnet;
    using MainWindow::sTrackBoxSelection;
};

#endif
