#include "ModuleHost.h"

#include <QAction>
#include <QDockWidget>
#include <QJsonObject>
#include <QMainWindow>
#include <QMenu>
#include <QPluginLoader>
#include <QToolBar>

#include "BackendVersions.h"
#include "FrontendInfo.h"
#include "IOManager.h"
#include "ModuleInterface.h"
#include "ModuleMenus.h"
#include "ModuleVersionText.h"
#include "ShellMessages.h"

namespace {

constexpr int kFrontendMajor = FrontendInfo::kVersionMajor;
constexpr int kFrontendMinor = FrontendInfo::kVersionMinor;
constexpr int kFrontendPatch = FrontendInfo::kVersionPatch;
constexpr int kToolBarMinimumHeight = 25;
constexpr int kMessageType = 1;

void sendToClass(IOManager* channel, const char* destination, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    channel->transmit_message(destination, ModuleHost::ModuleSender, kMessageType,
                              bytes.constData());
}

}  // namespace

ModuleHost::ModuleHost(QMainWindow* window, ModuleMenus* menus, QObject* parent)
    : QObject(parent), m_window(window), m_menus(menus)
{
}

void ModuleHost::registerMetaTypes()
{
    qRegisterMetaType<IOManager*>("IOManager*");
    qRegisterMetaType<BackendVersions*>("BackendVersions*");
    qRegisterMetaType<QWidget*>("QWidget*");
}

void ModuleHost::loadPlugins(const QDir& dir, const SharedObjects& shared, bool showServiceModules)
{
    registerMetaTypes();
    m_channel = shared.channel;
    const QFileInfoList files = dir.entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files) {
        ModuleInterface* module = instantiate(file.absoluteFilePath());
        if (!module)
            continue;
        if (!showServiceModules && module->get_module_name().contains(ServiceModuleMarker))
            continue;
        module->set_param("CommandManager", QVariant::fromValue(shared.channel));
        module->set_param("ModuleParent", QVariant::fromValue(shared.moduleParent));
        module->set_param("BackendVersions", QVariant::fromValue(shared.versions));
        module->set_param("ObserverMode", QVariant(shared.observerMode));
        placeElements(module);
    }
    m_menus->connectAboutToShow();
}

ModuleInterface* ModuleHost::instantiate(const QString& path)
{
    QPluginLoader loader(path);
    // The metadata is read from the file without loading it, so a library
    // built for another interface never runs any of its code here.
    if (loader.metaData().value("IID").toString() != QLatin1String(ORVANE_MODULE_INTERFACE_IID))
        return nullptr;
    QObject* instance = loader.instance();
    if (!instance)
        return nullptr;
    auto* module = qobject_cast<ModuleInterface*>(instance);
    if (!module) {
        delete instance;
        return nullptr;
    }
    return module;
}

void ModuleHost::placeElements(ModuleInterface* module)
{
    const QList<_GuiElement*> elements = module->get_gui_elements();
    if (elements.isEmpty())
        return;
    m_modules.append(module);
    for (_GuiElement* element : elements) {
        if (!element)
            continue;
        if (auto* toolBar = qobject_cast<QToolBar*>(element->content))
            placeToolBar(toolBar);
        else
            placeMenuEntry(element);
    }
}

void ModuleHost::placeToolBar(QToolBar* toolBar)
{
    if (toolBar->windowTitle() == QLatin1String(InertialToolBarTitle))
        m_inertialToolBar = toolBar;
    toolBar->setParent(m_window);
    toolBar->setMinimumHeight(kToolBarMinimumHeight);
    m_window->addToolBar(toolBar);
}

void ModuleHost::placeMenuEntry(_GuiElement* element)
{
    QMenu* menu = m_menus->menuFor(element->menu_name, element->menu_order_number);
    QAction* entry = element->menu_entry;
    if (auto* dock = qobject_cast<QDockWidget*>(element->content)) {
        dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                          QDockWidget::DockWidgetFloatable);
        // The layout file finds docks by object name; a stable one built from
        // the menu keeps an unnamed dock's place between runs.
        if (dock->objectName().isEmpty())
            dock->setObjectName(element->menu_name + (entry ? entry->text() : QString()));
        // Two docks of one name would share one place in the layout file, and
        // restoring it would move the wrong one: the later dock stays out.
        if (dockNameTaken(dock)) {
            refuseDock(dock);
            return;
        }
        m_window->addDockWidget(Qt::RightDockWidgetArea, dock);
        dock->hide();
    }
    if (!entry)
        return;
    m_menus->insertEntry(menu, entry, element->menu_entry_order_number);
    if (element->action_active_during_measurement == 0)
        m_menus->addMeaInactiveAction(entry);
}

bool ModuleHost::dockNameTaken(const QDockWidget* dock) const
{
    const QList<QDockWidget*> docks = m_window->findChildren<QDockWidget*>();
    for (const QDockWidget* other : docks) {
        if (other != dock && other->objectName() == dock->objectName())
            return true;
    }
    return false;
}

void ModuleHost::refuseDock(QDockWidget* dock)
{
    const QString text =
        tr("A window named \"%1\" exists already; the module's window of that name is not shown.")
            .arg(dock->objectName());
    qWarning("%s", qPrintable(text));
    // A notice for the record, shown and logged like the shell's own.
    ShellMessages::sendStandard(m_channel, text);
    // Kept out of the window's children, where the layout would find it, but
    // still gone with the window like every other widget a module hands over.
    dock->hide();
    dock->setParent(nullptr);
    connect(m_window, &QObject::destroyed, dock, [dock] { delete dock; });
}

bool ModuleHost::is_module_available(const QString& name) const
{
    for (ModuleInterface* module : m_modules) {
        if (module->get_module_name() == name)
            return true;
    }
    return false;
}

QString ModuleHost::frontendVersionText()
{
    return QString("v%1.%2.%3").arg(kFrontendMajor).arg(kFrontendMinor).arg(kFrontendPatch);
}

QString ModuleHost::frontendVersionLine()
{
    return QString("v%1.%2.%3 %4 %5")
        .arg(QString::number(kFrontendMajor), QString::number(kFrontendMinor),
             QString::number(kFrontendPatch), QString(), QLatin1String(FrontendInfo::kReleaseDate));
}

QString ModuleHost::versionFeAndModules() const
{
    QString text = frontendVersionLine();
    QList<ModuleVersionRecord> records;
    for (ModuleInterface* module : m_modules)
        records.append({module->get_module_name(), module->get_module_version()});
    return composeModuleVersionText(text, records);
}

void ModuleHost::sendMessagesToModules(IOManager* channel, const StartupSettings& settings)
{
    const QString version = frontendVersionText();
    sendToClass(channel, "ServiceModule", version);
    sendToClass(channel, "UpdateModule", version);
    sendToClass(channel, "ConfigurationsModule", settings.autoBackup ? version : "no_auto_backup");

    m_sVersionFeAndModules = versionFeAndModules();
    emit sendLastFeUpdateDate(settings.lastFeUpdateDate);
    emit sendVersionFeAndModules(m_sVersionFeAndModules);

    sendToClass(channel, "CameraSettingsModule",
                settings.showDynReflexSuppr ? "ShowDynReflexSuppr" : "HideDynReflexSuppr");
    sendToClass(channel, "UpdateModule",
                settings.checkForOldFrontendOrBackend ? "CheckForOldFrontendOrBackend"
                                                      : "NotCheckForOldFrontendOrBackend");
    sendToClass(channel, "UpdateModule",
                settings.darkTheme ? "DarkThemeEnabled" : "DarkThemeDisabled");
}

void ModuleHost::announceBodyCalibration(IOManager* channel)
{
    if (is_module_available("GUI Body Calibration"))
        sendToClass(channel, "BodyAdministrationModule", "bodycalibration available");
    if (is_module_available("GUI Body Adjustment"))
        sendToClass(channel, "BodyAdministrationModule", "bodyadjustment available");
}

void ModuleHost::aboutToExitModules()
{
    for (ModuleInterface* module : qAsConst(m_modules))
        module->about_to_exit_module();
}

void ModuleHost::exitModules()
{
    for (ModuleInterface* module : qAsConst(m_modules))
        module->exit_module();
}
