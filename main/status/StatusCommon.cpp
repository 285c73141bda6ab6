#include "StatusCommon.h"

#include <QPalette>
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
