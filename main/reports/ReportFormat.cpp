#include "ReportFormat.h"

namespace reportformat {

QByteArray utf8(const QString& text)
{
    return text.toUtf8();
}

QString countText(const ReportValue<int>& count)
{
    return count.ok() ? QString::number(count.value) : errorText(count.rc);
}

void tableHead(ReportWriter& out, const QString& title, int titleRule, const QString& header,
               const QString& headerRule)
{
    out.line(title);
    out.line(rule(titleRule));
    out.line(header);
    out.line(headerRule);
}

QString cut(const QString& text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '), true);
}

QString rule(int length)
{
    return QString(length, QLatin1Char('-'));
}

QString general(double value)
{
    return QString::number(value, 'g', 6);
}

QString errorText(int rc)
{
    return QStringLiteral("Error ") + QString::number(rc);
}

QString cameraName(int n)
{
    return QLatin1Char('c') + ReportWriter::twoDigits(n);
}

QString cameraCell(int n)
{
    return cameraName(n).leftJustified(9) + QLatin1Char('|');
}

bool isCompactCameraType(const QString& type)
{
    const QString t = type.toLower();
    return t.startsWith(QLatin1String("0x0b")) || t.startsWith(QLatin1String("0x0d"));
}

QString yesNoText(const ReportValue<bool>& answer)
{
    if (!answer.ok())
        return errorText(answer.rc);
    return answer.value ? QStringLiteral("yes") : QStringLiteral("no");
}

QString pairText(const ReportText& value, const ReportText& maximum)
{
    if (!value.ok())
        return value.orError();
    if (!maximum.ok())
        return maximum.orError();
    return value.value + QStringLiteral(" / ") + maximum.value;
}

QString withInertialState(const QString& status, bool handEye)
{
    return status + (handEye ? QStringLiteral(", Full") : QStringLiteral(", Optical"));
}

bool DeviceId::parse(const QString& text)
{
    const QStringList parts = ReportWriter::words(text);
    if (parts.size() != 3)
        return false;
    vendor = parts.at(0).toUtf8();
    model = parts.at(1).toUtf8();
    serial = parts.at(2).toUtf8();
    return true;
}

QString describedId(const ReportText& description, const QByteArray& id)
{
    if (!description.ok())
        return description.orError();
    return description.unquoted() + QStringLiteral(" (") + QString::fromUtf8(id) + QLatin1Char(')');
}

}  // namespace reportformat
