#ifndef ORVANE_TESTS_RECORDINGBOXES_H
#define ORVANE_TESTS_RECORDINGBOXES_H

#include <QList>
#include <QString>
#include <QStringList>

#include <mutex>

#include "MessageBoxProvider.h"

struct RecordedBox
{
    int kind;
    QString title;
    QString text;
    int buttons;        // QMessageBox::StandardButtons; 0 for a box nobody waits for
    int defaultButton;  // QMessageBox::StandardButton
    bool expected;
};

// The user in front of every message box a test provokes: each box is
// recorded, a box the test announced with expect() is answered as told, and a
// box nobody announced or looked at is counted, so cleanup() can fail a test
// on a box it did not see coming. Boxes may arrive from any thread.
class RecordingBoxes : public MessageBoxProvider
{
public:
    // The next box is expected and, if it asks, answered with answer (a
    // QMessageBox::StandardButton). Announced boxes are answered in order.
    void expect(int answer = 0x00000400 /* QMessageBox::Ok */)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_answers.append(answer);
    }

    void openMessageBox(int kind, QString title, QString text) override
    {
        record(kind, title, text, 0, 0);
    }

    // A box nobody announced is closed with its default button.
    int askMessageBox(QWidget*, int kind, const QString& title, const QString& text, int buttons,
                      int defaultButton) override
    {
        return record(kind, title, text, buttons, defaultButton);
    }

    // The boxes so far; the test has seen them, so none of them counts as missed.
    QList<RecordedBox> take()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        QList<RecordedBox> out;
        out.swap(m_boxes);
        m_missed.clear();
        return out;
    }

    // The boxes so far, left in place.
    QList<RecordedBox> boxes() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_boxes;
    }

    int count() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_boxes.size();
    }

    // Forgets boxes and announcements, as between two test functions.
    void reset()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_boxes.clear();
        m_missed.clear();
        m_answers.clear();
    }

    // Empty when every box was announced or taken and every announced box
    // came; otherwise what went wrong, for the test's failure message.
    QString unsettled() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        QStringList problems;
        for (const QString& box : m_missed)
            problems << QStringLiteral("box nobody expected: %1").arg(box);
        if (!m_answers.isEmpty())
            problems << QStringLiteral("%1 expected box(es) never shown").arg(m_answers.size());
        return problems.join(QLatin1Char('\n'));
    }

private:
    int record(int kind, const QString& title, const QString& text, int buttons, int defaultButton)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const bool expected = !m_answers.isEmpty();
        const int answer = expected ? m_answers.takeFirst() : defaultButton;
        m_boxes.append({kind, title, text, buttons, defaultButton, expected});
        if (!expected)
            m_missed << QStringLiteral("\"%1\": %2").arg(title, text);
        return answer;
    }

    mutable std::mutex m_mutex;
    QList<RecordedBox> m_boxes;
    QStringList m_missed;
    QList<int> m_answers;
};

#endif
