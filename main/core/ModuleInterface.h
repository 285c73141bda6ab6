#ifndef MODULEINTERFACE_H
#define MODULEINTERFACE_H

#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <QtPlugin>

class QAction;
class QWidget;
class IOManager;
class BackendVersions;

// One contribution of a module to the main window.  The module keeps
// ownership of the element; the window takes over the widgets it places.
struct _GuiElement
{
    QAction* menu_entry = nullptr;
    // Position inside the menu; a negative number counts as 0.  Multiples of
    // 100 are the menu's separators, so 150 sits between 100 and 200.
    int menu_entry_order_number = 0;
    QString menu_name;
    // Position of the menu in the menu bar; menus may share a number.
    int menu_order_number = 0;
    // A QDockWidget, a QToolBar, or any other widget (then only the entry counts).
    QWidget* content = nullptr;
    // 0: the entry is disabled while the controller measures.
    int action_active_during_measurement = 1;
};

// A feature module: a shared library in the "plugins" folder next to the
// program, whose root object derives from QObject and from this interface.
//
// Modules are compiled apart from the front-end, so the order of the virtual
// operations below is part of the binary interface and must not change:
// destructor (two slots), about_to_exit_module, exit_module, get_module_name,
// get_module_version, get_gui_elements, set_param.
class ModuleInterface
{
public:
    virtual ~ModuleInterface() {}

    // The application prepares to shut down; the channel still works.
    virtual void about_to_exit_module() = 0;
    // Called from the main window's destructor.
    virtual void exit_module() = 0;
    virtual QString get_module_name() = 0;
    virtual QString get_module_version() = 0;
    virtual QList<_GuiElement*> get_gui_elements() = 0;
    // Right after loading, in this order: "CommandManager" (IOManager*),
    // "ModuleParent" (QWidget*), "BackendVersions" (BackendVersions*),
    // "ObserverMode" (bool).
    virtual void set_param(QString name, QVariant value) = 0;
};

// The interface id: our reverse-domain prefix and the interface's own name and
// version.  Front-end and modules must agree on it exactly.
#define ORVANE_MODULE_INTERFACE_IID "de.qor-tracking.orvane2.gui.Module/0.2.0"

Q_DECLARE_INTERFACE(ModuleInterface, ORVANE_MODULE_INTERFACE_IID)

// Pointer types handed over in set_param's QVariant, registered by the front-end
// under the names "IOManager*", "BackendVersions*" and "QWidget*".  Opaque, so
// a module needs neither class's full declaration to receive them.
Q_DECLARE_OPAQUE_POINTER(IOManager*)
Q_DECLARE_OPAQUE_POINTER(BackendVersions*)
Q_DECLARE_METATYPE(IOManager*)
Q_DECLARE_METATYPE(BackendVersions*)

#endif
