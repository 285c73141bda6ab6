#ifndef ORVANE_PREFERENCES_H
#define ORVANE_PREFERENCES_H

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDomDocument>
#include <QDomElement>
#include <QDomNode>
#include <QString>

#include "LastController.h"

class QWidget;

// The per-user settings and where they live: the last controller, the
// connection dialog's search settings, display switches, the command-log
// settings, the external-command time-out and the controller's front-end
// password, read from and written to one small XML file.
class Preferences
{
    Q_DECLARE_TR_FUNCTIONS(Preferences)

public:
    // Paths from the current home directory and the program's directory, and
    // the built-in values; nothing is read yet.
    Preferences();
    virtual ~Preferences() = default;

    // Warnings open as boxes over this window (none: no parent).
    void setWarningParent(QWidget* parent) { m_warningParent = parent; }

    void initPaths();
    void initBuiltInPreferences();

    // Reads the per-user file, else the installed default; warns itself and
    // keeps the built-in values when neither can be read.
    void loadXMLSettings();
    // Returns false (after a warning) when the file could not be replaced.
    bool writeXMLSettings();

    QDomDocument createXmlTree();
    bool writeXmlTreeToFile(const QDomDocument& doc);
    QDomElement createTextEntry(QString name, QString value, QDomElement& parent,
                                QDomDocument* doc);
    void readXmlLevel1(const QDomNode& node);
    void readXmlLevel2(const QDomNode& node, QString parentTag);
    QString getXmlNodeText(QString tagName, const QDomNode& node);

    LastController lastController;
    QString sFixHostnameOrIp;
    QString sFixSubnet;
    QString sTrackBoxSelection;
    int nTrackBoxSelection = 1;
    bool m_bIsCascade = false;
    QDateTime m_lastFeUpdateDate;
    bool m_bShowDynReflexSuppr = false;
    bool m_bShowServiceMenue = false;
    bool m_bIsDarkTheme = true;
    bool m_bWriteLogFile = false;
    QString m_sCommandHistoryLogFileName;
    QString m_sResponsePrefix;
    bool m_bAutoBackup = true;
    bool m_bCheckForOldFrontendOrBackend = true;
    int external_cmd_timeout = 2000000;  // µs
    QByteArray m_frontendPassword;

    QString m_appPath;
    QString m_defaultConfigDir;
    QString m_sConfigFileName;
    QString m_sConfigDir;
    QString m_sLayoutDir;
    QString m_sEventLogDir;

protected:
    // Every warning of reading and writing goes through here.
    virtual void showPreferencesWarning(const QString& title, const QString& text);

private:
    void resetLastTrackboxSettings();
    QString readSettingsFile(const QString& fileName);
    QString readSettingsData(const QByteArray& data, const QString& fileName);
    void keepUnreadableSettingsFile();
    void readExternalCmdTimeout(const QString& text);

    QWidget* m_warningParent = nullptr;
};

#endif
