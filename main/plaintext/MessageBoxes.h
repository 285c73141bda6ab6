#ifndef ORVANE_MESSAGEBOXES_H
#define ORVANE_MESSAGEBOXES_H

#include <QMessageBox>
#include <QString>

#include "MessageBoxProvider.h"

// Every box the front-end asks the user goes through one provider, so a test
// can answer it and notice a box it did not expect.  The main window installs
// itself; until someone does, boxes are real plain-text message boxes.  Texts
// are always shown as plain text: many of them carry a controller's or a
// file's words.
namespace MessageBoxes {

// The installed provider, or the one that shows real boxes.
MessageBoxProvider* provider();

// Makes provider the one every box goes to; nullptr restores real boxes.
void install(MessageBoxProvider* provider);

// The main window's way in: installs provider unless one is installed already
// (a test's), and takes it out again only while it is still the one installed.
void installUnlessInstalled(MessageBoxProvider* provider);
void uninstall(MessageBoxProvider* provider);

// Installs a provider for its own lifetime and restores the previous one.
class ScopedProvider
{
public:
    explicit ScopedProvider(MessageBoxProvider* provider);
    ~ScopedProvider();
    ScopedProvider(const ScopedProvider&) = delete;
    ScopedProvider& operator=(const ScopedProvider&) = delete;

private:
    MessageBoxProvider* m_previous;
};

// A real, modal, plain-text box: what the user sees when nothing else is
// installed, and what the main window shows.
QMessageBox::StandardButton show(QWidget* parent, int kind, const QString& title,
                                 const QString& text, QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton);

// Asks the current provider; the same buttons and result as the QMessageBox
// function of the same kind.
QMessageBox::StandardButton ask(QWidget* parent, int kind, const QString& title,
                                const QString& text,
                                QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// A box nobody waits for, as openMessageBox shows it: Warning and Critical as
// such, any other kind as information.
void tell(QWidget* parent, int kind, const QString& title, const QString& text);

inline QMessageBox::StandardButton warning(
    QWidget* parent, const QString& title, const QString& text,
    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    return ask(parent, MessageBoxProvider::Warning, title, text, buttons, defaultButton);
}

inline QMessageBox::StandardButton critical(
    QWidget* parent, const QString& title, const QString& text,
    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    return ask(parent, MessageBoxProvider::Critical, title, text, buttons, defaultButton);
}

inline QMessageBox::StandardButton information(
    QWidget* parent, const QString& title, const QString& text,
    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    return ask(parent, MessageBoxProvider::Information, title, text, buttons, defaultButton);
}

inline QMessageBox::StandardButton question(
    QWidget* parent, const QString& title, const QString& text,
    QMessageBox::StandardButtons buttons = QMessageBox::StandardButtons(QMessageBox::Yes |
                                                                        QMessageBox::No),
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    return ask(parent, MessageBoxProvider::Question, title, text, buttons, defaultButton);
}

}  // namespace MessageBoxes

#endif
