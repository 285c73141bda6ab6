#ifndef ORVANE_CONTROLLERSETUP_H
#define ORVANE_CONTROLLERSETUP_H

#include <QCoreApplication>
#include <QString>

class BackendVersions;
class IOManager;

// What the front-end asks and tells the connected controller about itself:
// the initialisation for this PC, the version record, the MAC address, the
// window title, the notice about an older front-end, and the values that a
// configuration change or a shutdown refreshes.
class ControllerSetup
{
    Q_DECLARE_TR_FUNCTIONS(ControllerSetup)

public:
    explicit ControllerSetup(IOManager* iom) : m_iom(iom) {}

    // "orvane2 init" with a 10 s answer time-out; the channel's result.
    int initController();
    // Routes the monitoring output "chmon" to displayPort on this PC and
    // switches on its time stamps, 3-D, 6-D and 2-D monitor lines.
    void setupMonitorOutput(unsigned short displayPort);

    // Fills bv from the version queries, each gated by the versions known so
    // far; the model code (when read) goes to modelCode.
    void fillBackendVersions(BackendVersions* bv, QString* modelCode);
    // Model name of a model code: "0" ZEC, "2" ZEC_M, "20" KESTRELBOX,
    // "21" KESTRELBOX3, else the code itself.
    static QString modelName(const QString& code);

    // The MAC address, or empty (after a notice) when it cannot be read.
    QString readMacAddress(const BackendVersions& bv);
    QString windowTitle(const BackendVersions& bv);
    // Warns when the controller is newer than this front-end.
    void checkForOldFrontend(const BackendVersions& bv, QWidget* parent);
    // The notice for a "system version" answer newer than the front-end,
    // or empty.
    static QString olderFrontendNotice(const QString& versionAnswer);

    // Whether the controller leads a cascade with slaves; current when it cannot tell.
    bool readCascade(const BackendVersions& bv, bool current);
    // The controller's host name ("system hostname") and address (second word
    // of "system net"); each stays as it was when its read fails.
    void readHostAndAddress(QString* hostname, QString* ip);

private:
    IOManager* m_iom;
};

#endif
