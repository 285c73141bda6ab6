#ifndef MENUORDER_H
#define MENUORDER_H

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QWidget;

// The window's menus by title and by order number, and the entries that must
// not run while the controller measures.  Every action in these menus carries
// its order number as data; separators carry multiples of the menu's step.
class MenuOrder : public QObject
{
    Q_OBJECT

public:
    static constexpr int ModuleSeparatorStep = 100;
    static constexpr int SeparatorCount = 9;

    explicit MenuOrder(QObject* parent = nullptr);

    // The menu titled title; a new one is entered under orderNumber and gets
    // the nine separators of step.  menuParent owns a new menu.
    QMenu* findOrCreateMenu(const QString& title, int orderNumber, QWidget* menuParent,
                            int step = ModuleSeparatorStep);
    static void add_separator_for_menu(QMenu* menu, int step);
    // The first action whose number is greater than orderNumber; null: at the end.
    static QAction* find_insert_location(QMenu* menu, int orderNumber);
    // Numbers the entry and puts it in place, unless the menu already holds it.
    static void insertEntry(QMenu* menu, QAction* entry, int orderNumber);

    void addMeasurementInactive(QAction* entry);
    void setMeasurementInactiveEnabled(bool enabled);
    // Forgets the entries, as the window does while it shuts down.
    void clearMeasurementInactive() { mea_inactive_actions.clear(); }
    // Each menu of menu_in_order refreshes its entries before it opens.
    void connectAboutToShow();

    // The menus that hold more than their separators, in ascending order.
    QList<QMenu*> populatedMenus() const;

    QMap<QString, QMenu*> menu_map;
    QMultiMap<int, QMenu*> menu_in_order;
    QList<QAction*> mea_inactive_actions;

public slots:
    void onMenuAboutToShow_update();
    void cleanupMeaInactiveAction();
};

#endif
