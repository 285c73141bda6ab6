#include "StatusCommon.h"

#include <QPalette>
#include <QWidget>

QString StatusCommon::themedIcon(const QWidget* widget, const QString& base)
{
    const QColor window = widget->palette().color(QPalette::Current, QPalette::Window);
    const bool dark = window.lightnessF() < 0.5;
    return ":/images/icons/" + base + (dark ? QString() : QStringLiteral("-brightmode")) + ".png";
}
