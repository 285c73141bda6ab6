#include "ToolButton.h"

#include <QAction>

ToolButton::ToolButton(QAction* action, QWidget* parent) : QToolButton(parent)
{
    setDefaultAction(action);
}

void ToolButton::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::OtherFocusReason);
    QToolButton::mousePressEvent(event);
}
