#pragma once

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>

#include <array>

namespace orvane::sim {

// A controller that cannot be relied on from one answer to the next: each
// answer is, at random from a seeded generator, the real one or one of the
// named faults (error, garbage, oversize, delayed, late, dropped). The same
// seed draws the same sequence, so a session that went wrong can be run again.
class ChaosMix
{
public:
    enum class Answer
    {
        Valid,
        Error,
        Garbage,
        Oversize,
        Delayed,  // within the front-end's answer time-out
        Late,     // past it
        Dropped,
        Count
    };
    struct Draw
    {
        Answer answer = Answer::Valid;
        int delayMs = 0;
    };

    static constexpr int DefaultRatePercent = 25;
    // The front-end gives up on an answer after two seconds.
    static constexpr int AnswerTimeoutMs = 2000;

    void start(quint32 seed);
    void setRate(int percent) { m_rate = qBound(0, percent, 100); }
    void stop() { m_on = false; }
    bool isOn() const { return m_on; }

    Draw draw();
    // Applies the next draw to an answer; false when the answer is to be dropped.
    bool shape(QByteArray* answer, int* delayMs);
    // "seed=S rate=R valid=N error=N ..."
    QString summary() const;

    static const char* name(Answer a);

private:
    QRandomGenerator m_rng;
    quint32 m_seed = 0;
    int m_rate = DefaultRatePercent;
    bool m_on = false;
    std::array<quint64, size_t(Answer::Count)> m_counts{};
};

}  // namespace orvane::sim
