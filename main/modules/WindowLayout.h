#ifndef WINDOWLAYOUT_H
#define WINDOWLAYOUT_H

#include <QObject>
#include <QString>

#include <functional>

class QDockWidget;
class QMainWindow;
class QMenu;

// Keeps the arrangement of the main window's docks and tool bars between runs
// in "orvane.layout": one length byte N, N bytes of window geometry, then the
// dock and tool bar state (version 0).  Also builds the default arrangement
// and the window's context menu of docks and tool bars.
class WindowLayout : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* FileName = "orvane.layout";
    static constexpr int DefaultWidth = 1000;
    static constexpr int DefaultHeight = 600;
    // Docks whose order number is above this follow a separator in the context menu.
    static constexpr int ContextMenuGroupLimit = 1000;

    using WarningHandler = std::function<void(const QString& title, const QString& text)>;

    WindowLayout(QMainWindow* window, const QString& layoutDir, QObject* parent = nullptr);

    QString filePath() const;
    // Failures to write are shown through this; the default opens a warning box.
    void setWarningHandler(WarningHandler handler) { m_warn = std::move(handler); }

    // Writes a new file beside the old one and replaces it only when complete,
    // so a failed save keeps the previous layout.  False after a failure.
    bool saveLayout();
    // Restores the file, or the default arrangement when useDefault is set or
    // the file is missing, short or not accepted.  True when the file was used.
    bool loadLayout(bool useDefault);

    // Applies the content of a layout file; false when it is short or not accepted.
    bool restoreFromBytes(const QByteArray& content);

    void setDefaultLayout();
    void showDefaultDockWindows();
    // A new menu (owned by the caller): the window's docks by order number,
    // then its tool bars.
    QMenu* createPopupMenu(QWidget* parent) const;

    // The key that orders a dock in the default arrangement.
    static QString defaultDockKey(const QString& objectName, int dockCount, int* counter);

private:
    bool restoreFromFile();
    void warn(const QString& title, const QString& text);

    QMainWindow* m_window;
    QString m_layoutDir;
    WarningHandler m_warn;
};

// The application's colours: the dark palette with its tool-tip style, or the
// Fusion style's own light palette.
namespace AppTheme {
void loadDarkFusionPalette(bool dark);
}

#endif
