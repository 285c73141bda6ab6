#include "WindowLayout.h"

#include "MessageBoxes.h"
#include "SavedWindowState.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QMessageBox>
#include <QPalette>
#include <QSaveFile>
#include <QScreen>
#include <QToolBar>

#include <algorithm>

namespace {

constexpr int kStateVersion = 0;
constexpr int kMaxGeometrySize = 255;  // the length must fit the first byte

// No window of ours, floating dock or tool bar is larger than all screens
// together; the default size counts as well for a machine with a small one.
QSize largestWindowSize()
{
    QSize largest(WindowLayout::DefaultWidth, WindowLayout::DefaultHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        largest = largest.expandedTo(screen->virtualGeometry().size());
    return largest;
}

int orderNumber(const QDockWidget* dock)
{
    return dock->toggleViewAction()->data().toInt();
}

}  // namespace

WindowLayout::WindowLayout(QMainWindow* window, const QString& layoutDir, QObject* parent)
    : QObject(parent), m_window(window), m_layoutDir(layoutDir)
{
}

QString WindowLayout::filePath() const
{
    return m_layoutDir + "/" + FileName;
}

void WindowLayout::warn(const QString& title, const QString& text)
{
    if (m_warn)
        m_warn(title, text);
    else
        MessageBoxes::warning(m_window, title, text);
}

bool WindowLayout::saveLayout()
{
    if (m_layoutDir.isEmpty())
        return true;
    QDir().mkpath(m_layoutDir);
    const QString path = filePath();
    QSaveFile file(path);
    // Unbuffered: a buffered short write at commit time goes unnoticed by
    // QSaveFile, which would then replace the old file with a truncated one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        warn(tr("Error"), tr("Unsuccessful to open %1\n%2").arg(path, file.errorString()));
        return false;
    }
    const QByteArray geometry = m_window->saveGeometry();
    const QByteArray state = m_window->saveState(kStateVersion);
    const char length = static_cast<char>(geometry.size());
    const bool written = geometry.size() <= kMaxGeometrySize && file.write(&length, 1) == 1 &&
                         file.write(geometry) == geometry.size() &&
                         file.write(state) == state.size();
    if (!written || !file.commit()) {
        const QString error = file.errorString();
        file.cancelWriting();
        warn(tr("Error"), tr("Error writing to %1\n%2").arg(path, error));
        return false;
    }
    return true;
}

bool WindowLayout::loadLayout(bool useDefault)
{
    if (!useDefault && restoreFromFile())
        return true;
    setDefaultLayout();
    return false;
}

bool WindowLayout::restoreFromFile()
{
    QFile file(filePath());
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return false;
    return restoreFromBytes(file.readAll());
}

bool WindowLayout::restoreFromBytes(const QByteArray& content)
{
    if (content.isEmpty())
        return false;
    const int geometrySize = static_cast<unsigned char>(content.at(0));
    if (content.size() < 1 + geometrySize)
        return false;
    const QByteArray geometry = content.mid(1, geometrySize);
    const QByteArray state = content.mid(1 + geometrySize);
    const QSize largest = largestWindowSize();
    if (!SavedWindowState::isWellFormed(state, kStateVersion, largest))
        return false;
    const QRect before = m_window->geometry();
    const Qt::WindowStates stateBefore = m_window->windowState();
    if (!m_window->restoreGeometry(geometry))
        return false;
    const QSize restored = m_window->geometry().size();
    if (restored.width() > largest.width() || restored.height() > largest.height()) {
        // Qt takes a damaged size as it stands, and the window would ask for
        // gigabytes once shown; the default arrangement starts where it was.
        m_window->setWindowState(stateBefore);
        m_window->setGeometry(before);
        return false;
    }
    m_window->show();
    if (!m_window->restoreState(state, kStateVersion))
        return false;
    // Once shown, the window may have been placed anew; the second pass puts
    // geometry and docks where they were.
    m_window->restoreGeometry(geometry);
    m_window->restoreState(state, kStateVersion);
    return true;
}

void WindowLayout::setDefaultLayout()
{
    if (m_window->windowState() &
        (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        m_window->setWindowState(Qt::WindowNoState);
    showDefaultDockWindows();
    const QPoint topLeft = m_window->geometry().topLeft();
    m_window->setGeometry(topLeft.x(), topLeft.y(), DefaultWidth, DefaultHeight);
}

QString WindowLayout::defaultDockKey(const QString& objectName, int dockCount, int* counter)
{
    const QString name = objectName.toLower();
    if (name.contains("displaytab 01"))
        return "01";
    if (name.contains("data"))
        return "02";
    if (name.contains("wavewand"))
        return "03";
    if (name.contains("event"))
        return QString("%1").arg(dockCount, 2, 10, QLatin1Char('0'));
    return QString("%1").arg((*counter)++, 2, 10, QLatin1Char('0'));
}

void WindowLayout::showDefaultDockWindows()
{
    const QList<QDockWidget*> docks = m_window->findChildren<QDockWidget*>();
    // Docks that share a key are all kept, in the order found; dropping one
    // would leave it outside every dock area where no menu can bring it back.
    QMultiMap<QString, QDockWidget*> byKey;
    int counter = 4;
    for (QDockWidget* dock : docks) {
        dock->hide();
        m_window->removeDockWidget(dock);
        byKey.insert(defaultDockKey(dock->objectName(), docks.size(), &counter), dock);
    }
    for (const QString& key : byKey.uniqueKeys()) {
        QList<QDockWidget*> same = byKey.values(key);
        std::reverse(same.begin(), same.end());  // values() lists the newest first
        for (QDockWidget* dock : same) {
            m_window->addDockWidget(Qt::RightDockWidgetArea, dock);
            const QString name = dock->objectName().toLower();
            dock->setVisible(name.contains("displaytab 01") || name.contains("data") ||
                             name.contains("event"));
        }
    }
}

QMenu* WindowLayout::createPopupMenu(QWidget* parent) const
{
    auto* menu = new QMenu(parent);
    QList<QDockWidget*> docks =
        m_window->findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly);
    std::stable_sort(docks.begin(), docks.end(), [](QDockWidget* a, QDockWidget* b) {
        return orderNumber(a) < orderNumber(b);
    });
    bool grouped = false;
    for (QDockWidget* dock : qAsConst(docks)) {
        if (!grouped && orderNumber(dock) > ContextMenuGroupLimit) {
            menu->addSeparator();
            grouped = true;
        }
        menu->addAction(dock->toggleViewAction());
    }
    menu->addSeparator();
    const QList<QToolBar*> toolBars =
        m_window->findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly);
    for (QToolBar* toolBar : toolBars)
        menu->addAction(toolBar->toggleViewAction());
    return menu;
}

namespace AppTheme {

void loadDarkFusionPalette(bool dark)
{
    if (!dark)
        return;
    const QColor window(53, 53, 53);
    const QColor disabledText(127, 127, 127);
    QPalette p;
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::Button, window);
    for (QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText}) {
        p.setColor(role, Qt::white);
        p.setColor(QPalette::Disabled, role, disabledText);
    }
    p.setColor(QPalette::ToolTipBase, Qt::white);
    p.setColor(QPalette::Base, QColor(25, 25, 25));
    p.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
    p.setColor(QPalette::ToolTipText, window);
    p.setColor(QPalette::Dark, QColor(35, 35, 35));
    p.setColor(QPalette::Shadow, QColor(20, 20, 20));
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Link, QColor(42, 130, 218));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(80, 80, 80));
    QApplication::setPalette(p);
    qApp->setStyleSheet(
        "QToolTip { color: #000000; background-color: #ffffff; border: 1px solid white; }");
}

}  // namespace AppTheme
