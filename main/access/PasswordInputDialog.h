#ifndef PASSWORDINPUTDIALOG_H
#define PASSWORDINPUTDIALOG_H

#include <QDialog>
#include <QString>

class AccessControl;

namespace Ui {
class PasswordInputDialog;
}

// Modal prompt for the controller's front-end password.  It closes with an accepted
// password only after the controller confirmed it; the text is kept for the caller alone.
class PasswordInputDialog : public QDialog
{
    Q_OBJECT

public:
    PasswordInputDialog(AccessControl* accessControl, QWidget* parent = nullptr);
    ~PasswordInputDialog() override;

    // Shows text as the prompt and runs the dialog; the result is the dialog's.
    int update_and_exec(const QString& text);
    // True once the controller accepted the entered password.
    bool accepted() const { return !sInput.isEmpty(); }
    QString input() const { return sInput; }

private slots:
    void on_pushButton_Ok_clicked();
    void on_pushButton_Cancel_clicked();

private:
    void rejectEntry(const QString& message);

    Ui::PasswordInputDialog* ui;
    AccessControl* pAccCtrl;
    QString sInput;
};

#endif
