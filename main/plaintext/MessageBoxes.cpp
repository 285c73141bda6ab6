#include "MessageBoxes.h"

#include "PlainText.h"

#include <atomic>

namespace MessageBoxes {
namespace {

QMessageBox::Icon iconOf(int kind)
{
    switch (kind) {
        case MessageBoxProvider::Warning:
            return QMessageBox::Warning;
        case MessageBoxProvider::Critical:
            return QMessageBox::Critical;
        case MessageBoxProvider::Question:
            return QMessageBox::Question;
        default:
            return QMessageBox::Information;
    }
}

// What the user gets before the main window exists (start-up dialogs) and
// after it is gone.
class RealBoxes : public MessageBoxProvider
{
public:
    void openMessageBox(int kind, QString title, QString text) override
    {
        tell(nullptr, kind, title, text);
    }

    int askMessageBox(QWidget* parent, int kind, const QString& title, const QString& text,
                      int buttons, int defaultButton) override
    {
        return show(parent, kind, title, text, QMessageBox::StandardButtons(buttons),
                    QMessageBox::StandardButton(defaultButton));
    }
};

RealBoxes s_realBoxes;
// Read by the channel's worker threads while the user-interface thread installs.
std::atomic<MessageBoxProvider*> s_installed{nullptr};

}  // namespace

MessageBoxProvider* provider()
{
    MessageBoxProvider* installed = s_installed.load();
    return installed ? installed : &s_realBoxes;
}

void install(MessageBoxProvider* provider)
{
    s_installed.store(provider);
}

void installUnlessInstalled(MessageBoxProvider* provider)
{
    MessageBoxProvider* none = nullptr;
    s_installed.compare_exchange_strong(none, provider);
}

void uninstall(MessageBoxProvider* provider)
{
    s_installed.compare_exchange_strong(provider, nullptr);
}

ScopedProvider::ScopedProvider(MessageBoxProvider* provider) : m_previous(s_installed.load())
{
    install(provider);
}

ScopedProvider::~ScopedProvider()
{
    install(m_previous);
}

QMessageBox::StandardButton show(QWidget* parent, int kind, const QString& title,
                                 const QString& text, QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton)
{
    return PlainText::messageBox(parent, iconOf(kind), title, text, buttons, defaultButton);
}

QMessageBox::StandardButton ask(QWidget* parent, int kind, const QString& title,
                                const QString& text, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton)
{
    return QMessageBox::StandardButton(
        provider()->askMessageBox(parent, kind, title, text, int(buttons), int(defaultButton)));
}

void tell(QWidget* parent, int kind, const QString& title, const QString& text)
{
    // Nothing waits for an answer, so any other kind is information.
    const bool alarm = kind == MessageBoxProvider::Warning || kind == MessageBoxProvider::Critical;
    ask(parent, alarm ? kind : MessageBoxProvider::Information, title, text);
}

}  // namespace MessageBoxes
