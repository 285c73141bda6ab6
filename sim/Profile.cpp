#include "Profile.h"

#include "Tokens.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QtMath>

static void initSimResources()
{
    Q_INIT_RESOURCE(profiles);
}

namespace orvane::sim {

namespace {

// Evaluates "i", "n", "j", "m", "c" (count) optionally followed by integer
// operations applied left to right: "i*37%100+5".
bool evalExpression(const QString& expr, int i, int j, int count, long long* out, bool* twoDigit)
{
    static const QRegularExpression re(QStringLiteral("^([injmc])((?:[-+*/%]\\d+)*)$"));
    const QRegularExpressionMatch m = re.match(expr);
    if (!m.hasMatch())
        return false;
    const QChar var = m.captured(1).at(0);
    long long v = (var == 'i' || var == 'n') ? i : (var == 'c') ? count : j;
    *twoDigit = var == 'n' || var == 'm';
    static const QRegularExpression op(QStringLiteral("([-+*/%])(\\d+)"));
    auto it = op.globalMatch(m.captured(2));
    while (it.hasNext()) {
        const QRegularExpressionMatch o = it.next();
        const long long k = o.captured(2).toLongLong();
        switch (o.captured(1).at(0).toLatin1()) {
            case '+':
                v += k;
                break;
            case '-':
                v -= k;
                break;
            case '*':
                v *= k;
                break;
            case '/':
                v = k ? v / k : 0;
                break;
            case '%':
                v = k ? v % k : 0;
                break;
        }
    }
    *out = v;
    return true;
}

// A camera pose on a ring around the tracking volume, looking at its centre:
// "x y z r0 .. r8" in mm, rotation rows.
QString ringPose(int i, int count)
{
    const double a = 2.0 * M_PI * (i - 1) / qMax(1, count);
    const double radius = 3000.0 + 400.0 * ((i - 1) % 2);
    const double x = radius * qCos(a), y = radius * qSin(a), z = 2400.0 + 150.0 * (i % 3);
    // Columns: right, down, forward towards the centre, tilted 25 degrees down.
    const double tilt = qDegreesToRadians(25.0);
    const double fx = -qCos(a) * qCos(tilt), fy = -qSin(a) * qCos(tilt), fz = -qSin(tilt);
    const double rx = -qSin(a), ry = qCos(a), rz = 0.0;
    const double dx = ry * fz - rz * fy, dy = rz * fx - rx * fz, dz = rx * fy - ry * fx;
    const double r[9] = {rx, dx, fx, ry, dy, fy, rz, dz, fz};
    QString s = QString::asprintf("%.3f %.3f %.3f", x, y, z);
    for (double v : r)
        s += QString::asprintf(" %.6f", v);
    return s;
}

QString expandOne(const QString& inner, int i, int j, int count)
{
    if (inner.startsWith(QLatin1String("pick:"))) {
        const QStringList choices = inner.mid(5).split(QLatin1Char('|'));
        return choices.at((qMax(1, i) - 1) % choices.size());
    }
    if (inner.startsWith(QLatin1String("pickj:"))) {
        const QStringList choices = inner.mid(6).split(QLatin1Char('|'));
        return choices.at((qMax(1, j) - 1) % choices.size());
    }
    if (inner == QLatin1String("pose"))
        return ringPose(i, count);
    long long v = 0;
    bool twoDigit = false;
    if (evalExpression(inner, i, j, count, &v, &twoDigit))
        return twoDigit ? QString::asprintf("%02lld", v) : QString::number(v);
    return QLatin1Char('{') + inner + QLatin1Char('}');
}

void applyParameters(const QJsonObject& params, ParameterModel* model, int i, int j, int count,
                     bool expand)
{
    for (auto it = params.begin(); it != params.end(); ++it) {
        const QString key = expand ? expandTemplate(it.key(), i, j, count) : it.key();
        QString value;
        if (it.value().isString())
            value = it.value().toString();
        else if (it.value().isBool())
            value = it.value().toBool() ? QStringLiteral("yes") : QStringLiteral("no");
        else if (it.value().isDouble())
            value = QString::number(it.value().toDouble());
        else
            continue;
        model->insert(key, expand ? expandTemplate(value, i, j, count) : value);
    }
}

void applyRepeat(const QJsonObject& rep, ParameterModel* model, int outer)
{
    const int count = rep.value(QStringLiteral("count")).toInt();
    const int from = rep.value(QStringLiteral("from")).toInt(1);
    for (int k = from; k < from + count; ++k) {
        const int i = outer > 0 ? outer : k;
        const int j = outer > 0 ? k : 0;
        applyParameters(rep.value(QStringLiteral("parameters")).toObject(), model, i, j, count,
                        true);
        if (outer == 0) {
            for (const QJsonValue& inner : rep.value(QStringLiteral("repeat")).toArray())
                applyRepeat(inner.toObject(), model, k);
        }
    }
}

bool readJson(const QString& nameOrPath, QJsonObject* out, QString* error)
{
    QString path = nameOrPath;
    if (!nameOrPath.contains(QLatin1Char('/')) && !nameOrPath.endsWith(QLatin1String(".json")))
        path = QStringLiteral(":/orvane-sim/profiles/%1.json").arg(nameOrPath);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open profile %1").arg(nameOrPath);
        return false;
    }
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &pe);
    if (!doc.isObject()) {
        *error = QStringLiteral("profile %1: %2 at offset %3")
                     .arg(nameOrPath, pe.errorString())
                     .arg(pe.offset);
        return false;
    }
    *out = doc.object();
    return true;
}

void applySettings(const QJsonObject& s, ProfileSettings* settings)
{
    if (s.contains(QStringLiteral("frontend_password")))
        settings->frontendPassword = s.value(QStringLiteral("frontend_password")).toString();
    if (s.contains(QStringLiteral("access_holder")))
        settings->accessHolder = s.value(QStringLiteral("access_holder")).toString();
    settings->frequencyHz = s.value(QStringLiteral("frequency_hz")).toDouble(settings->frequencyHz);
    settings->bootTimeMs = s.value(QStringLiteral("boot_time_ms")).toInt(settings->bootTimeMs);
    settings->rebootTimeMs =
        s.value(QStringLiteral("reboot_time_ms")).toInt(settings->rebootTimeMs);
    settings->reinitTimeMs =
        s.value(QStringLiteral("reinit_time_ms")).toInt(settings->reinitTimeMs);
    settings->calTimeMs = s.value(QStringLiteral("cal_time_ms")).toInt(settings->calTimeMs);
    settings->initTimeMs = s.value(QStringLiteral("init_time_ms")).toInt(settings->initTimeMs);
}

bool loadInto(const QString& nameOrPath, Profile* profile, QString* error, int depth)
{
    if (depth > 8) {
        *error = QStringLiteral("profile %1: base chain too deep").arg(nameOrPath);
        return false;
    }
    QJsonObject root;
    if (!readJson(nameOrPath, &root, error))
        return false;
    const QString base = root.value(QStringLiteral("base")).toString();
    if (!base.isEmpty() && !loadInto(base, profile, error, depth + 1))
        return false;
    profile->settings.name = root.value(QStringLiteral("name")).toString(nameOrPath);
    applySettings(root.value(QStringLiteral("settings")).toObject(), &profile->settings);
    for (const QJsonValue& p : root.value(QStringLiteral("remove")).toArray()) {
        profile->model.removeMatching(p.toString());
        profile->model.addAbsentPattern(p.toString());
    }
    for (const QJsonValue& p : root.value(QStringLiteral("readonly")).toArray())
        profile->model.addReadOnlyPattern(p.toString());
    for (const QJsonValue& p : root.value(QStringLiteral("writable")).toArray())
        profile->model.addWritablePattern(p.toString());
    // "sections" only groups parameters for the reader of the file.
    const QJsonObject sections = root.value(QStringLiteral("sections")).toObject();
    for (auto it = sections.begin(); it != sections.end(); ++it)
        applyParameters(it.value().toObject(), &profile->model, 0, 0, 0, false);
    applyParameters(root.value(QStringLiteral("parameters")).toObject(), &profile->model, 0, 0, 0,
                    false);
    for (const QJsonValue& r : root.value(QStringLiteral("repeat")).toArray())
        applyRepeat(r.toObject(), &profile->model, 0);
    const QJsonObject pinned = root.value(QStringLiteral("pinned")).toObject();
    for (auto it = pinned.begin(); it != pinned.end(); ++it)
        profile->pins.insert(normalizeKey(it.key()), it.value().toVariant().toString());
    for (const QJsonValue& m : root.value(QStringLiteral("messages")).toArray())
        profile->messages << m.toString();
    return true;
}

}  // namespace

QString expandTemplate(const QString& text, int i, int j, int count)
{
    if (!text.contains(QLatin1Char('{')))
        return text;
    QString out;
    int pos = 0;
    while (pos < text.size()) {
        const int open = text.indexOf(QLatin1Char('{'), pos);
        int close = -1;
        for (int k = open + 1, depth = 1; open >= 0 && k < text.size(); ++k) {
            if (text.at(k) == QLatin1Char('{'))
                ++depth;
            else if (text.at(k) == QLatin1Char('}') && --depth == 0) {
                close = k;
                break;
            }
        }
        if (open < 0 || close < 0) {
            out += text.mid(pos);
            break;
        }
        out += text.mid(pos, open - pos);
        // Inner placeholders first, so "{pick:a|{i}}" works.
        const QString inner = expandTemplate(text.mid(open + 1, close - open - 1), i, j, count);
        out += expandOne(inner, i, j, count);
        pos = close + 1;
    }
    return out;
}

bool loadProfile(const QString& nameOrPath, Profile* profile, QString* error)
{
    initSimResources();
    profile->model.clear();
    profile->settings = ProfileSettings();
    profile->pins.clear();
    profile->messages.clear();
    QString dummy;
    return loadInto(nameOrPath, profile, error ? error : &dummy, 0);
}

QStringList builtInProfileNames()
{
    initSimResources();
    QStringList names;
    for (const QString& f : QDir(QStringLiteral(":/orvane-sim/profiles")).entryList({"*.json"}))
        names << QFileInfo(f).completeBaseName();
    return names;
}

}  // namespace orvane::sim
