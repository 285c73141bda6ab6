#ifndef MODULEHOST_H
#define MODULEHOST_H

#include <QDateTime>
#include <QDir>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class BackendVersions;
class IOManager;
class ModuleMenus;
class ModuleInterface;
class QDockWidget;
class QMainWindow;
#include <QToolBar>

// Loads the feature modules from the plug-in folder and places what they
// contribute into the main window: tool bars, menu entries and docks.
class ModuleHost : public QObject
{
    Q_OBJECT

public:
    // What every module receives right after loading.
    struct SharedObjects
    {
        IOManager* channel = nullptr;
        QWidget* moduleParent = nullptr;
        BackendVersions* versions = nullptr;
        bool observerMode = false;
    };

    // The preferences the start-up messages report.
    struct StartupSettings
    {
        bool autoBackup = true;
        bool showDynReflexSuppr = false;
        bool checkForOldFrontendOrBackend = true;
        bool darkTheme = true;
        QDateTime lastFeUpdateDate;
    };

    static constexpr const char* InertialToolBarTitle = "QOR InertialSensor Status";
    static constexpr const char* ServiceModuleMarker = "GUI Service";
    static constexpr const char* ModuleSender = "Orvane2";

    ModuleHost(QMainWindow* window, ModuleMenus* menus, QObject* parent = nullptr);

    // Registers the pointer types that set_param hands over in a QVariant.
    static void registerMetaTypes();

    // Loads every module of dir (files only, by name ignoring case).  Modules
    // whose name contains "GUI Service" are left out unless showServiceModules.
    void loadPlugins(const QDir& dir, const SharedObjects& shared, bool showServiceModules);

    // Modules that contributed at least one element, in load order.
    const QList<ModuleInterface*>& modules() const { return m_modules; }
    bool is_module_available(const QString& name) const;
    // The tool bar titled "QOR InertialSensor Status", if a module gave one.
    QToolBar* inertialToolBar() const { return m_inertialToolBar; }

    // The front-end's version and release date, then "name;version" of each
    // listed module, separated by "|".
    QString versionFeAndModules() const;

    // Start-up messages to the modules; emits the two signals after the third.
    void sendMessagesToModules(IOManager* channel, const StartupSettings& settings);
    // Tells the body administration which calibration modules are loaded.
    void announceBodyCalibration(IOManager* channel);

    void aboutToExitModules();
    void exitModules();

    static QString frontendVersionText();
    // The front-end's part of versionFeAndModules(): version and release date.
    static QString frontendVersionLine();

signals:
    void sendLastFeUpdateDate(QDateTime date);
    void sendVersionFeAndModules(QString text);

private:
    ModuleInterface* instantiate(const QString& path);
    void placeElements(ModuleInterface* module);
    void placeToolBar(QToolBar* toolBar);
    void placeMenuEntry(struct _GuiElement* element);
    bool dockNameTaken(const QDockWidget* dock) const;
    void refuseDock(QDockWidget* dock);

    QMainWindow* m_window;
    ModuleMenus* m_menus;
    IOManager* m_channel = nullptr;
    QList<ModuleInterface*> m_modules;
    QPointer<QToolBar> m_inertialToolBar;
    QString m_sVersionFeAndModules;
};

#endif
