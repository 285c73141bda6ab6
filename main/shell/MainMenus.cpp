#include "MainMenus.h"

#include "BackendVersions.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QWhatsThis>

MainMenus::MainMenus(QMainWindow* window) : QObject(window), m_window(window) {}

void MainMenus::add_separator_for_menu(QMenu* menu, int step)
{
    for (int i = 1; i <= 9; ++i)
        menu->addSeparator()->setData(i * step);
}

QAction* MainMenus::find_insert_location(QMenu* menu, int order)
{
    for (QAction* action : menu->actions()) {
        if (action->data().toInt() > order)
            return action;
    }
    return nullptr;
}

QMenu* MainMenus::menuFor(const QString& title, int order, int step)
{
    if (QMenu* existing = menu_map.value(title, nullptr))
        return existing;
    auto* menu = new QMenu(title, m_window);
    menu_map.insert(title, menu);
    menu_in_order.insert(order, menu);
    add_separator_for_menu(menu, step);
    return menu;
}

void MainMenus::insertEntry(QMenu* menu, QAction* action, int order)
{
    order = qMax(order, 0);
    QAction* before = find_insert_location(menu, order);
    action->setData(order);
    if (!menu->actions().contains(action))
        menu->insertAction(before, action);
}

QAction* MainMenus::addEntry(QMenu* menu, int order, const QString& text, const QString& tip)
{
    auto* action = new QAction(text, m_window);
    action->setStatusTip(tip);
    action->setWhatsThis(tip);
    insertEntry(menu, action, order);
    return action;
}

void MainMenus::addMeaInactiveAction(QAction* action)
{
    if (mea_inactive_actions.contains(action))
        return;
    mea_inactive_actions.append(action);
    connect(action, &QObject::destroyed, this, &MainMenus::cleanupMeaInactiveAction,
            Qt::UniqueConnection);
}

void MainMenus::cleanupMeaInactiveAction(QObject* action)
{
    // The action is already being destroyed, so it must not be cast down to
    // QAction; the entries are compared as the QObjects they also are.
    for (int i = mea_inactive_actions.size() - 1; i >= 0; --i) {
        const QObject* entry = mea_inactive_actions.at(i);
        if (entry == action)
            mea_inactive_actions.removeAt(i);
    }
}

void MainMenus::setMeaInactiveEnabled(bool enabled)
{
    for (QAction* action : qAsConst(mea_inactive_actions))
        action->setEnabled(enabled);
}

void MainMenus::forgetMeaInactiveActions()
{
    for (QAction* action : qAsConst(mea_inactive_actions))
        disconnect(action, &QObject::destroyed, this, &MainMenus::cleanupMeaInactiveAction);
    mea_inactive_actions.clear();
}

void MainMenus::setupMenuBar(const BackendVersions& bv, QAction* eventsToggle, bool withPassword)
{
    m_orvane3 = menuFor(tr("&ORVANE3"), 100);
    m_settings = menuFor(tr("H&ardware"), 200);
    m_calibration = menuFor(tr("&Tracking"), 300);
    m_display = menuFor(tr("&View"), 400, 1000);
    m_about = menuFor(tr("&Help"), 700);

    setupOrvane3Menu(bv, withPassword);

    const bool kestrelbox = bv.zecModel() == "KESTRELBOX";
    if (bv.protocol().supports(ProtocolFeature::HardwareSearch) && !kestrelbox) {
        QAction* search = addEntry(m_settings, 10, tr("Search &hardware"),
                                   tr("Search hardware like new camera or new radio controller"));
        search->setShortcut(QKeySequence(Qt::Key_F2));
        connect(search, &QAction::triggered, this, &MainMenus::hardwareSearchRequested);
        addMeaInactiveAction(search);
    }

    QAction* defaults =
        addEntry(m_display, 20, tr("&Set to default"), tr("Set to default display"));
    connect(defaults, &QAction::triggered, this, &MainMenus::defaultLayoutRequested);
    if (eventsToggle) {
        eventsToggle->setText(tr("&Events"));
        eventsToggle->setStatusTip(tr("Show Controller messages"));
        eventsToggle->setWhatsThis(tr("Show Controller messages"));
        insertEntry(m_display, eventsToggle, 300);
    }
    setupHelpMenu();
}

void MainMenus::setupOrvane3Menu(const BackendVersions& bv, bool withPassword)
{
    if (withPassword) {
        QAction* password =
            addEntry(m_orvane3, 17, tr("&Password"),
                     tr("Set or clear password to protect access to this controller"));
        password->setWhatsThis(tr("Set or clear password"));
        connect(password, &QAction::triggered, this, &MainMenus::passwordRequested);
        addMeaInactiveAction(password);
    }

    m_toggleMea = addEntry(m_orvane3, 110, tr("&Start"), tr("Start or stop measurement"));
    m_toggleMea->setShortcut(QKeySequence(tr("M")));
    connect(m_toggleMea, &QAction::triggered, this, &MainMenus::measurementToggleRequested);

    const bool compact = bv.zecModel() == "KESTRELBOX3";
    QAction* standby =
        addEntry(m_orvane3, 210, compact ? tr("C&ontroller shut down") : tr("C&ontroller standby"),
                 tr("Shut down the Controller to standby mode"));
    connect(standby, &QAction::triggered, this, &MainMenus::shutdownRequested);

    if (bv.zecModel() != "KESTRELBOX") {
        QAction* reboot =
            addEntry(m_orvane3, 220, tr("Controller &reboot"), tr("Reboot the Controller"));
        connect(reboot, &QAction::triggered, this, &MainMenus::rebootRequested);
    }

    QAction* quit = addEntry(m_orvane3, 310, tr("&Quit"), tr("Quit ORVANE3"));
    quit->setShortcut(QKeySequence(tr("Q")));
    connect(quit, &QAction::triggered, this, &MainMenus::quitRequested);
}

// The service and about entries (100 and 110) join this menu with their dialogs.
void MainMenus::setupHelpMenu()
{
    QAction* whatsThis = QWhatsThis::createAction(m_window);
    whatsThis->setWhatsThis(tr("You've just found out what this is!"));
    insertEntry(m_about, whatsThis, 10);

    QAction* aboutQt = new QAction(tr("About &Qt"), m_window);
    aboutQt->setToolTip(tr("Show the detailed information of the Qt licence (LGPL)"));
    connect(aboutQt, &QAction::triggered, qApp, &QApplication::aboutQt);
    insertEntry(m_about, aboutQt, 120);
}

void MainMenus::populate(QMenuBar* bar)
{
    for (auto it = menu_in_order.cbegin(); it != menu_in_order.cend(); ++it) {
        if (it.value()->actions().size() > 9)
            bar->addMenu(it.value());
    }
}

void MainMenus::connectAboutToShow()
{
    for (QMenu* menu : qAsConst(menu_in_order)) {
        connect(menu, &QMenu::aboutToShow, this, &MainMenus::onMenuAboutToShow_update,
                static_cast<Qt::ConnectionType>(Qt::DirectConnection | Qt::UniqueConnection));
    }
}

// Re-assigning the data makes every action announce changed(), which lets
// module entries refresh their state just before the menu opens. QAction
// ignores an equal value, so the data is cleared for a moment first.
void MainMenus::onMenuAboutToShow_update()
{
    auto* menu = qobject_cast<QMenu*>(sender());
    if (!menu)
        return;
    for (QAction* action : menu->actions()) {
        const QVariant data = action->data();
        action->setData(QVariant());
        action->setData(data);
    }
}
