#include "FaultList.h"

#include <QRandomGenerator>

namespace orvane::sim {

void FaultList::setParamError(const QString& normalizedKey)
{
    m_params.insert(normalizedKey, Rule{ParamFault::Error, QString()});
}

void FaultList::setParamRaw(const QString& normalizedKey, const QString& text)
{
    m_params.insert(normalizedKey, Rule{ParamFault::Raw, text});
}

void FaultList::setSetRaw(const QString& normalizedKey, const QString& text)
{
    m_setRaw.insert(normalizedKey, text);
}

void FaultList::setCommandRaw(const QString& normalizedWords, const QString& text)
{
    m_commandRaw.insert(normalizedWords, text);
}

bool FaultList::setRaw(const QString& normalizedKey, QString* text) const
{
    const auto it = m_setRaw.constFind(normalizedKey);
    if (it == m_setRaw.constEnd())
        return false;
    *text = it.value();
    return true;
}

bool FaultList::commandRaw(const QString& normalizedWords, QString* text) const
{
    const auto it = m_commandRaw.constFind(normalizedWords);
    if (it == m_commandRaw.constEnd())
        return false;
    *text = it.value();
    return true;
}

bool FaultList::clearParam(const QString& normalizedKey)
{
    const int removed = m_params.remove(normalizedKey) + m_setRaw.remove(normalizedKey) +
                        m_commandRaw.remove(normalizedKey);
    return removed > 0;
}

FaultList::ParamFault FaultList::paramFault(const QString& normalizedKey, QString* raw) const
{
    const auto it = m_params.constFind(normalizedKey);
    if (it == m_params.constEnd())
        return ParamFault::None;
    if (raw)
        *raw = it->raw;
    return it->kind;
}

QByteArray FaultList::shapeAnswer(const QByteArray& answer)
{
    if (garbageNext) {
        garbageNext = false;
        return garbage();
    }
    if (oversizeNext) {
        oversizeNext = false;
        return oversized(answer);
    }
    return answer;
}

QByteArray FaultList::oversized(const QByteArray& answer)
{
    QByteArray out = answer;
    out += ' ';
    while (out.size() < 260)
        out += "0123456789";
    return out;
}

QByteArray FaultList::garbage(QRandomGenerator* rng)
{
    // Printable and binary bytes but never a zero, which would end the answer early,
    // and never the word a client looks for first.
    const int n = 24 + int(rng->bounded(64));
    QByteArray out(n, '\0');
    for (int i = 0; i < n; ++i)
        out[i] = char(1 + rng->bounded(255));
    out[0] = '\x7f';
    return out;
}

void FaultList::reset()
{
    *this = FaultList();
}

}  // namespace orvane::sim
