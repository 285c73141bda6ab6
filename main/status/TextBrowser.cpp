#include "TextBrowser.h"

#include "PlainText.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

#include <memory>

TextBrowser::TextBrowser(QWidget* parent) : QTextBrowser(parent)
{
    PlainText::disableLinks(this);
    clear_action = new QAction(tr("Clear"), this);
    connect(clear_action, &QAction::triggered, this, &QTextBrowser::clear);
}

void TextBrowser::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    menu->addSeparator();
    clear_action->setEnabled(!document()->isEmpty());
    menu->addAction(clear_action);
    menu->exec(event->globalPos());
}
