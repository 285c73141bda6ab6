#ifndef ORVANE_MAINWINDOW_H
#define ORVANE_MAINWINDOW_H

#include <QByteArray>
#include <QDateTime>
#include <QDomDocument>
#include <QDomElement>
#include <QDomNode>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include "MessageBoxProvider.h"

class QTextEdit;

// The application's one top-level window. Its constructor runs the whole
// start-up: per-user paths, preferences, command line, then the connection.
class MainWindow : public QMainWindow, public MessageBoxProvider
{
    Q_OBJECT

public:
    // Called where the start-up decides that the process must end (help shown,
    // no controller reached). The program exits; a test program installs its
    // own handler, after which the constructor returns early instead.
    using ProcessEndHandler = void (*)(int exitCode);
    static void setProcessEndHandler(ProcessEndHandler handler);

    MainWindow(QString args, QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~MainWindow() override;

    // True once the start-up asked for the process to end.
    bool isEndingProcess() const { return m_bEndingProcess; }

    // Message boxes requested from any thread open on the GUI thread.
    void openMessageBox(int kind, QString title, QString text) override;

signals:
    void sendOpenMessageBox(int kind, QString title, QString text);

public slots:
    void displayMessageBox(int kind, QString title, QString text);

protected:
    // Preferences warnings go through here so that they can be observed.
    virtual void showPreferencesWarning(const QString& title, const QString& text);

private:
    friend class MainWindowProbe;

    // Start-up steps, in the order the constructor runs them.
    void connectMessageBoxProvider();
    void initPaths();
    void initBuiltInPreferences();
    void setupCentralWidget();
    void setMainWindowTitle();
    void endProcess(int exitCode);

    // Command line (mainwindow_cmdline.cpp).
    void parseCmdParameters(const QString& args);
    void sortCmdParameters(QStringList& words);
    void showCommandLineHelp();
    static bool isMacAddress(const QString& word);

    // Preferences file (mainwindow_preferences.cpp).
    void loadXMLSettings();
    void writeXMLSettings();
    QDomDocument createXmlTree();
    bool writeXmlTreeToFile(const QDomDocument& doc);
    QDomElement createTextEntry(QString name, QString value, QDomElement& parent,
                                QDomDocument* doc);
    void readXmlLevel1(const QDomNode& node);
    void readXmlLevel2(const QDomNode& node, QString parentTag);
    QString getXmlNodeText(QString tagName, const QDomNode& node);
    void resetLastTrackboxSettings();
    QString readSettingsFile(const QString& fileName);
    QString readSettingsData(const QByteArray& data, const QString& fileName);
    void keepUnreadableSettingsFile();
    void readExternalCmdTimeout(const QString& text);

    QString last_trackbox_ip;
    QString last_trackbox_hostname;
    QString last_trackbox_mac;
    QString last_trackbox_model;
    int external_cmd_timeout = 2000000;
    QString sTmp;
    QString sFixHostnameOrIp;
    QString sFixSubnet;
    int nTrackBoxSelection = 1;
    QString sTrackBoxSelection;
    QTextEdit* center = nullptr;
    bool m_bShowServiceMenue = false;
    bool m_bIsCascade = false;
    bool m_bCheckForOldFrontendOrBackend = true;
    QByteArray m_frontendPassword;
    bool m_bShowDynReflexSuppr = false;
    QString m_appPath;
    QString m_defaultConfigDir;
    QString m_sConfigFileName;
    QString m_sConfigDir;
    QString m_sLayoutDir;
    QString m_sEventLogDir;
    bool m_bWriteLogFile = false;
    QString m_sCommandHistoryLogFileName;
    QString m_sResponsePrefix;
    bool m_bDirectStart = false;
    bool m_bHostname = false;
    bool m_bStartMea = false;
    bool m_bWakeUp = false;
    QString m_sDirectStart_hostname;
    QString m_sWakeUpMAC;
    QDateTime m_lastFeUpdateDate;
    bool m_bIsDarkTheme = true;
    bool m_bAutoBackup = true;

    bool m_bEndingProcess = false;
};

#endif
