#ifndef MODULEMENUS_H
#define MODULEMENUS_H

#include <QString>

class QAction;
class QMenu;

// What the plug-in host needs from the window's menus: menus found or made by
// title, entries placed by order number, and the list of entries that are
// disabled while the controller measures.
class ModuleMenus
{
public:
    // The menu of that title; a new one is entered under order and gets nine
    // separators numbered in multiples of step.
    virtual QMenu* menuFor(const QString& title, int order, int step = 100) = 0;
    // Numbers the entry (negative counts as 0) and places it before the first
    // action with a greater number, unless the menu already holds it.
    virtual void insertEntry(QMenu* menu, QAction* action, int order) = 0;
    virtual void addMeaInactiveAction(QAction* action) = 0;
    // Every menu refreshes its entries just before it opens.
    virtual void connectAboutToShow() = 0;

protected:
    ~ModuleMenus() = default;
};

#endif
