#ifndef ORVANE_SERVICEDIALOG_H
#define ORVANE_SERVICEDIALOG_H

#include <QDateTime>
#include <QDialog>
#include <QString>

#include <functional>

class BackendVersions;
class IOManager;

namespace Ui {
class ServiceDialog;
}

// What the maker's support needs to identify the installation: the service
// id, the controller's firmware, the support page for that id, the installed
// guides, a copy of it all for an e-mail, and the system information export.
class ServiceDialog : public QDialog
{
    Q_OBJECT

public:
    // The sync card type whose presence makes the bare serial the service id.
    static constexpr const char* SyncCard3Type = "0x0401";
    static constexpr const char* TechnicalSupportUrl =
        "https://www.qor-systems.example/technical-support/?supportID=";

    // Runs the system information export for this dialog, with the channel,
    // the versions, the last front-end update date and the version text
    // (by default the export dialog, run modally and destroyed afterwards).
    using ExportRunner =
        std::function<void(QWidget* parent, IOManager* iom, BackendVersions* beVers,
                           const QDateTime& lastUpdate, const QString& versionFeAndModules)>;

    ServiceDialog(IOManager* iom, QWidget* parent, BackendVersions* beVers);
    ~ServiceDialog() override;

    // The service id for a controller model and serial (see udpateServiceIdInfo).
    static QString serviceIdFor(int model, const QString& serial, bool hasSynccard3);

    void setExportRunner(ExportRunner runner) { m_exportRunner = std::move(runner); }
    QString serviceId() const { return m_sSerial; }

    // Queries the controller, fills the form and runs the dialog modally.
    int update_and_exec();

    // The identification as it goes to the clipboard.
    QString identificationText() const;

public slots:
    void setLastFeUpdateDate(QDateTime date);
    void setVersionFeAndModules(QString text);

private slots:
    void on_pushButton_ok_clicked();
    void on_pushButton_copy_clicked();
    void on_pushButton_export_clicked();
    void processLink(const QString& link);

private:
    void udpateServiceIdInfo();
    void updateVersionInfo();
    void updateWebLinkTechnicalSupport();
    bool hasSynccard3();

    Ui::ServiceDialog* ui = nullptr;
    IOManager* iom = nullptr;
    BackendVersions* beVers = nullptr;
    QDateTime m_lastFeUpdateDate;
    QString m_sVersionFeAndModules;
    QString m_sSerial = QStringLiteral("00000");
    ExportRunner m_exportRunner;
};

#endif
