#ifndef ORVANE_MAINMENUS_H
#define ORVANE_MAINMENUS_H

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

#include "ModuleMenus.h"

class BackendVersions;
class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;

// The window's menus: menus by title and by order number, entries placed by
// their order numbers between nine fixed separators, and the list of entries
// that must not run while the controller measures. The window's own entries
// report through the signals; module entries are placed with insertEntry().
class MainMenus : public QObject, public ModuleMenus
{
    Q_OBJECT

public:
    explicit MainMenus(QMainWindow* window);

    // The window's own menus and entries. eventsToggle becomes the "&Events"
    // entry; the access control entry exists only when withPassword is set.
    void setupMenuBar(const BackendVersions& bv, QAction* eventsToggle, bool withPassword);

    // The menu of that title, made with its nine separators (multiples of step)
    // and registered under order when it does not exist yet.
    QMenu* menuFor(const QString& title, int order, int step = 100) override;
    QMenu* menuNamed(const QString& title) const { return menu_map.value(title, nullptr); }
    // Every registered menu by ascending order number, whether it holds entries or not.
    QList<QMenu*> menusInOrder() const { return menu_in_order.values(); }
    QList<QMenu*> menusAtOrder(int order) const { return menu_in_order.values(order); }
    // Places action by order (negative counts as 0) unless the menu holds it.
    void insertEntry(QMenu* menu, QAction* action, int order) override;
    // Disabled while the controller measures; forgotten when it is destroyed.
    void addMeaInactiveAction(QAction* action) override;
    void setMeaInactiveEnabled(bool enabled);
    void forgetMeaInactiveActions();
    const QList<QAction*>& meaInactiveActions() const { return mea_inactive_actions; }

    // Puts every menu that holds an entry into the bar, by ascending order.
    void populate(QMenuBar* bar);
    // Every menu refreshes its entries just before it opens.
    void connectAboutToShow() override;

    static void add_separator_for_menu(QMenu* menu, int step);
    static QAction* find_insert_location(QMenu* menu, int order);

    QAction* toggleMeasurementAction() const { return m_toggleMea; }
    QMenu* orvane3Menu() const { return m_orvane3; }
    QMenu* settingsMenu() const { return m_settings; }
    QMenu* calibrationMenu() const { return m_calibration; }
    QMenu* displayMenu() const { return m_display; }
    QMenu* aboutMenu() const { return m_about; }

signals:
    void passwordRequested();
    void measurementToggleRequested();
    void shutdownRequested();
    void rebootRequested();
    void quitRequested();
    void hardwareSearchRequested();
    void defaultLayoutRequested();

public slots:
    void onMenuAboutToShow_update();

private slots:
    void cleanupMeaInactiveAction(QObject* action);

private:
    QAction* addEntry(QMenu* menu, int order, const QString& text, const QString& tip);
    void setupOrvane3Menu(const BackendVersions& bv, bool withPassword);
    void setupHelpMenu();

    QMainWindow* m_window;
    QMap<QString, QMenu*> menu_map;
    QMultiMap<int, QMenu*> menu_in_order;
    QList<QAction*> mea_inactive_actions;
    QAction* m_toggleMea = nullptr;
    QMenu* m_orvane3 = nullptr;
    QMenu* m_settings = nullptr;
    QMenu* m_calibration = nullptr;
    QMenu* m_display = nullptr;
    QMenu* m_about = nullptr;
};

#endif
