#ifndef ORVANE_ABOUTDLG2G_H
#define ORVANE_ABOUTDLG2G_H

#include <QDialog>
#include <QList>
#include <QString>

#include "FrontendVersion.h"

class BackendVersions;
class IOManager;
class ModuleInterface;
class QKeyEvent;

namespace Ui {
class AboutDlg2g;
}

// Versions of everything that runs: this front-end, the controller, the
// loaded front-end modules and the slaves of a cascaded system.
class AboutDlg2g : public QDialog
{
    Q_OBJECT

public:
    // Controllers from this protocol version on can run a cascade.

    struct ModuleVersion
    {
        QString name;
        QString version;
    };

    AboutDlg2g(IOManager* iom, QWidget* parent, BackendVersions* beVers, bool darkTheme);
    ~AboutDlg2g() override;

    // The loaded front-end modules, in load order.
    void setModules(const QList<ModuleInterface*>& modules);
    void setModuleVersions(const QList<ModuleVersion>& modules);
    // The front-end version shown; the running program's unless set.
    void setFrontendVersion(const FrontendVersion& version) { m_frontendVersion = version; }

    // Queries the controller, fills the dialog and runs it modally.
    int update_and_exec();

    // The same without running it, for callers that show it themselves.
    void updateContents();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void on_pushButton_ok_clicked();
    void on_pushButton_details_clicked();
    void processLink(const QString& link);

private:
    void updateFrontendLabel();
    void updateControllerLabel();
    void updateModuleTable();
    void addTabCascade();
    void removeTabCascade();
    void setDetailsVisible(bool visible);

    Ui::AboutDlg2g* ui = nullptr;
    IOManager* iom = nullptr;
    BackendVersions* beVers = nullptr;
    QList<ModuleVersion> modules;
    FrontendVersion m_frontendVersion = FrontendVersion::current();
    QWidget* m_cascadeTab = nullptr;
};

#endif
