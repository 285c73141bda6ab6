#ifndef ORVANE_HELPMENUENTRIES_H
#define ORVANE_HELPMENUENTRIES_H

#include <QObject>

class ModuleMenus;
class QAction;
class QMenu;
class QWidget;

// The Help menu's entries for the service dialog and the about dialog,
// placed by their order numbers between the menu's separators.
class HelpMenuEntries : public QObject
{
    Q_OBJECT

public:
    static constexpr int ServiceOrder = 100;
    static constexpr int AboutOrder = 110;

    // The actions belong to window; the service entry is disabled while the
    // controller measures.
    HelpMenuEntries(ModuleMenus* menus, QMenu* helpMenu, QWidget* window);

    QAction* serviceAction() const { return m_service; }
    QAction* aboutAction() const { return m_about; }

signals:
    void serviceRequested();
    void aboutRequested();

private:
    QAction* m_service = nullptr;
    QAction* m_about = nullptr;
};

#endif
