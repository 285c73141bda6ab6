#include "StatusCommon.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QStyle>
#include <QWidget>

// Declared at global scope because Q_INIT_RESOURCE must not run inside a namespace.
static void initStatusResources()
{
    Q_INIT_RESOURCE(orvane_status);
}

void StatusCommon::ensureResources()
{
    static const bool done = (initStatusResources(), true);
    Q_UNUSED(done);
}

QString StatusCommon::themedIcon(const QWidget* widget, const QString& base)
{
    ensureResources();
    const QColor window = widget->palette().color(QPalette::Current, QPalette::Window);
    const bool dark = window.lightnessF() < 0.5;
    return ":/images/icons/" + base + (dark ? QString() : QStringLiteral("-brightmode")) + ".png";
}

void StatusCommon::fitLabelWidth(QLabel* label, const QString& widest)
{
    const int text = label->fontMetrics().horizontalAdvance(widest);
    const int chrome = 2 * (label->frameWidth() + label->margin());
    label->setMinimumWidth(qMax(label->minimumWidth(), text + chrome));
}

void StatusCommon::fitLineEditWidth(QLineEdit* edit, const QString& widest)
{
    // The frame on both sides and the line edit's own margin of 2 pixels each.
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    const QMargins margins = edit->textMargins();
    const int needed = edit->fontMetrics().horizontalAdvance(widest) + 2 * frame + 4 +
                       margins.left() + margins.right();
    edit->setFixedWidth(qMax(edit->width(), needed));
}
