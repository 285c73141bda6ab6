#ifndef ORVANE_TOOLBUTTON_H
#define ORVANE_TOOLBUTTON_H

#include <QToolButton>

class QAction;

// A tool button that takes the keyboard focus when pressed, so an edit in
// progress elsewhere is finished before the button's action runs.
class ToolButton : public QToolButton
{
    Q_OBJECT

public:
    ToolButton(QAction* action, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

#endif
