#ifndef ORVANE_TESTS_MODALWATCHER_H
#define ORVANE_TESTS_MODALWATCHER_H

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the modal windows a test provokes, the way a user would: message
// boxes are recorded and closed with their OK button, any other modal dialog
// is handed to the test's handler. Without a handler such a dialog is rejected,
// so a test can never hang on a window it did not expect.
class ModalWatcher : public QObject
{
public:
    struct Box
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };

    explicit ModalWatcher(std::function<void(QWidget*)> dialogHandler = {})
        : m_dialogHandler(std::move(dialogHandler))
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::poll);
        m_timer.start(5);
    }

    // Picks the button a box is answered with (nullptr: its OK button, or reject).
    void answerBoxesWith(std::function<QAbstractButton*(QMessageBox*)> answer)
    {
        m_boxAnswer = std::move(answer);
    }

    const QList<Box>& boxes() const { return m_boxes; }
    int dialogsSeen() const { return m_dialogsSeen; }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            // A dialog opened again later is answered again.
            m_lastHandled = nullptr;
            return;
        }
        if (modal == m_lastHandled)
            return;
        m_lastHandled = modal;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            m_boxes.append({box->windowTitle(), box->text(), box->icon()});
            QAbstractButton* chosen = m_boxAnswer ? m_boxAnswer(box) : nullptr;
            if (chosen) {
                chosen->click();
                return;
            }
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            if (ok)
                ok->click();
            else
                box->reject();
            return;
        }
        ++m_dialogsSeen;
        if (m_dialogHandler)
            m_dialogHandler(modal);
        else if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        // A dialog answered at once and opened again later is answered again.
        if (m_lastHandled && !m_lastHandled->isVisible())
            m_lastHandled = nullptr;
    }

    std::function<void(QWidget*)> m_dialogHandler;
    std::function<QAbstractButton*(QMessageBox*)> m_boxAnswer;
    QTimer m_timer;
    QPointer<QWidget> m_lastHandled;
    QList<Box> m_boxes;
    int m_dialogsSeen = 0;
};

#endif
