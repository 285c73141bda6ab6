#pragma once

#include "ChaosMix.h"

#include <QByteArray>
#include <QHash>
#include <QString>

namespace orvane::sim {

// The named ways the simulated controller misbehaves on purpose. Everything
// here acts on answers after the installation model produced them, so the
// protocol code stays unaware of faults.
class FaultList
{
public:
    enum class ParamFault
    {
        None,
        Error,
        Raw
    };

    int delayMs = 0;      // every answer
    int dropNext = 0;     // answers to swallow
    bool silent = false;  // no answer at all, commands ignored
    int closeAfter = -1;  // TCP answers left before the connection is closed; -1 = off
    bool oversizeNext = false;
    bool garbageNext = false;
    ChaosMix chaos;  // a random mix of the faults below for every answer

    void setParamError(const QString& normalizedKey);
    void setParamRaw(const QString& normalizedKey, const QString& text);
    // Answers for writes of a parameter, and for other commands ("tracking
    // start", "getmsg"), given by their words after "orvane2".
    void setSetRaw(const QString& normalizedKey, const QString& text);
    void setCommandRaw(const QString& normalizedWords, const QString& text);
    bool setRaw(const QString& normalizedKey, QString* text) const;
    bool commandRaw(const QString& normalizedWords, QString* text) const;
    bool clearParam(const QString& normalizedKey);
    ParamFault paramFault(const QString& normalizedKey, QString* raw) const;

    // Applies the one-shot answer faults (oversize, garbage) to an answer.
    QByteArray shapeAnswer(const QByteArray& answer);

    static QByteArray oversized(const QByteArray& answer);
    static QByteArray garbage(QRandomGenerator* rng = QRandomGenerator::global());

    void reset();

private:
    struct Rule
    {
        ParamFault kind = ParamFault::None;
        QString raw;
    };
    QHash<QString, Rule> m_params;
    QHash<QString, QString> m_setRaw;
    QHash<QString, QString> m_commandRaw;
};

}  // namespace orvane::sim
