#include "MenuOrder.h"

#include <QAction>
#include <QMenu>

MenuOrder::MenuOrder(QObject* parent) : QObject(parent) {}

QMenu* MenuOrder::findOrCreateMenu(const QString& title, int orderNumber, QWidget* menuParent,
                                   int step)
{
    if (QMenu* menu = menu_map.value(title))
        return menu;
    auto* menu = new QMenu(title, menuParent);
    menu_map.insert(title, menu);
    menu_in_order.insert(orderNumber, menu);
    add_separator_for_menu(menu, step);
    return menu;
}

void MenuOrder::add_separator_for_menu(QMenu* menu, int step)
{
    for (int i = 1; i <= SeparatorCount; ++i)
        menu->addSeparator()->setData(i * step);
}

QAction* MenuOrder::find_insert_location(QMenu* menu, int orderNumber)
{
    for (QAction* action : menu->actions()) {
        if (action->data().toInt() > orderNumber)
            return action;
    }
    return nullptr;
}

void MenuOrder::insertEntry(QMenu* menu, QAction* entry, int orderNumber)
{
    orderNumber = qMax(orderNumber, 0);
    QAction* before = find_insert_location(menu, orderNumber);
    entry->setData(orderNumber);
    if (!menu->actions().contains(entry))
        menu->insertAction(before, entry);
}

void MenuOrder::addMeasurementInactive(QAction* entry)
{
    if (mea_inactive_actions.contains(entry))
        return;
    mea_inactive_actions.append(entry);
    connect(entry, &QObject::destroyed, this, &MenuOrder::cleanupMeaInactiveAction,
            Qt::UniqueConnection);
}

void MenuOrder::setMeasurementInactiveEnabled(bool enabled)
{
    for (QAction* action : qAsConst(mea_inactive_actions))
        action->setEnabled(enabled);
}

void MenuOrder::connectAboutToShow()
{
    for (QMenu* menu : qAsConst(menu_in_order))
        connect(menu, &QMenu::aboutToShow, this, &MenuOrder::onMenuAboutToShow_update,
                static_cast<Qt::ConnectionType>(Qt::UniqueConnection | Qt::DirectConnection));
}

QList<QMenu*> MenuOrder::populatedMenus() const
{
    QList<QMenu*> menus;
    // QMultiMap iterates ascending by key; menus sharing a number keep their order.
    for (auto it = menu_in_order.cbegin(); it != menu_in_order.cend(); ++it) {
        if (it.value()->actions().size() > SeparatorCount)
            menus.append(it.value());
    }
    return menus;
}

void MenuOrder::onMenuAboutToShow_update()
{
    auto* menu = qobject_cast<QMenu*>(sender());
    if (!menu)
        return;
    // Writing the data back makes each action announce changed(), so entries
    // that compute their state on that signal are current when the menu opens.
    for (QAction* action : menu->actions())
        action->setData(action->data());
}

void MenuOrder::cleanupMeaInactiveAction()
{
    // The action is already being destroyed: compare the address only.
    QObject* gone = sender();
    for (int i = mea_inactive_actions.size() - 1; i >= 0; --i) {
        if (static_cast<QObject*>(mea_inactive_actions.at(i)) == gone)
            mea_inactive_actions.removeAt(i);
    }
}
