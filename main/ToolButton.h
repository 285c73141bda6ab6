#ifndef TOOLBUTTON_H
#define TOOLBUTTON_H

#include <QToolButton>

class QAction;

// A tool button for one action that takes the keyboard focus when pressed, so
// an edit field that still has the focus finishes its input first.
class ToolButton : public QToolButton
{
    Q_OBJECT

public:
    ToolButton(QAction* action, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

#endif
