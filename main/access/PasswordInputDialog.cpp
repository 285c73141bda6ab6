#include "PasswordInputDialog.h"

#include <QMessageBox>

#include "AccessControl.h"
#include "MessageBoxes.h"
#include "ui_PasswordInputDialog.h"

PasswordInputDialog::PasswordInputDialog(AccessControl* accessControl, QWidget* parent)
    : QDialog(parent), ui(new Ui::PasswordInputDialog), pAccCtrl(accessControl)
{
    ui->setupUi(this);
}

PasswordInputDialog::~PasswordInputDialog()
{
    delete ui;
}

int PasswordInputDialog::update_and_exec(const QString& text)
{
    sInput.clear();
    ui->label_Mission->setText(text);
    ui->lineEdit_Password->clear();
    ui->lineEdit_Password->setFocus();
    return exec();
}

void PasswordInputDialog::on_pushButton_Ok_clicked()
{
    const QString text = ui->lineEdit_Password->text();
    if (text.isEmpty()) {
        MessageBoxes::warning(this, tr("Warning"),
                              tr("Please enter the password for this controller."));
        return;
    }
    int err = 0;
    if (pAccCtrl && pAccCtrl->verifyPassword(text, &err)) {
        sInput = text;
        ui->lineEdit_Password->clear();
        accept();
        return;
    }
    // A password that breaks the character rule cannot be the controller's either.
    rejectEntry(err == AccessControl::ErrWrongPassword || err == AccessControl::ErrPasswordRule
                    ? tr("The password is incorrect.")
                    : tr("Failed to verify password."));
}

void PasswordInputDialog::on_pushButton_Cancel_clicked()
{
    sInput.clear();
    ui->lineEdit_Password->clear();
    reject();
}

void PasswordInputDialog::rejectEntry(const QString& message)
{
    MessageBoxes::warning(this, tr("Warning"), message);
    ui->lineEdit_Password->clear();
    ui->lineEdit_Password->setFocus();
}
