#ifndef ORVANE_TEXTBROWSER_H
#define ORVANE_TEXTBROWSER_H

#include <QTextBrowser>

class QAction;

// The event display's read-only text with a "Clear" entry in its context menu.
class TextBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit TextBrowser(QWidget* parent = nullptr);

    QAction* clear_action = nullptr;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
};

#endif
