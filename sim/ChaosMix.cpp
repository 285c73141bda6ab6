#include "ChaosMix.h"

#include "CommandEngine.h"
#include "FaultList.h"

namespace orvane::sim {

namespace {

// How often each fault comes among the answers that are not valid, in parts.
struct Weight
{
    ChaosMix::Answer answer;
    int parts;
};
constexpr Weight kWeights[] = {
    {ChaosMix::Answer::Error, 25},    {ChaosMix::Answer::Garbage, 15},
    {ChaosMix::Answer::Oversize, 15}, {ChaosMix::Answer::Delayed, 20},
    {ChaosMix::Answer::Late, 10},     {ChaosMix::Answer::Dropped, 15},
};

}  // namespace

void ChaosMix::start(quint32 seed)
{
    m_seed = seed;
    m_rng.seed(seed);
    m_counts.fill(0);
    m_on = true;
}

ChaosMix::Draw ChaosMix::draw()
{
    Draw d;
    if (int(m_rng.bounded(100)) < m_rate) {
        int total = 0;
        for (const Weight& w : kWeights)
            total += w.parts;
        int pick = int(m_rng.bounded(total));
        for (const Weight& w : kWeights) {
            if (pick < w.parts) {
                d.answer = w.answer;
                break;
            }
            pick -= w.parts;
        }
    }
    if (d.answer == Answer::Delayed)
        d.delayMs = 50 + int(m_rng.bounded(AnswerTimeoutMs * 3 / 4));
    else if (d.answer == Answer::Late)
        d.delayMs = AnswerTimeoutMs + 100 + int(m_rng.bounded(AnswerTimeoutMs / 2));
    ++m_counts[size_t(d.answer)];
    return d;
}

bool ChaosMix::shape(QByteArray* answer, int* delayMs)
{
    const Draw d = draw();
    *delayMs += d.delayMs;
    switch (d.answer) {
        case Answer::Error:
            *answer = errorAnswer(ErrorKind::Injected);
            break;
        case Answer::Garbage:
            *answer = FaultList::garbage(&m_rng);
            break;
        case Answer::Oversize:
            *answer = FaultList::oversized(*answer);
            break;
        case Answer::Dropped:
            return false;
        default:
            break;
    }
    return true;
}

const char* ChaosMix::name(Answer a)
{
    static const char* const names[] = {"valid",   "error", "garbage", "oversize",
                                        "delayed", "late",  "dropped"};
    return names[size_t(a)];
}

QString ChaosMix::summary() const
{
    QString text = QStringLiteral("seed=%1 rate=%2").arg(m_seed).arg(m_rate);
    for (size_t i = 0; i < m_counts.size(); ++i)
        text += QStringLiteral(" %1=%2").arg(QLatin1String(name(Answer(i)))).arg(m_counts[i]);
    return text;
}

}  // namespace orvane::sim
