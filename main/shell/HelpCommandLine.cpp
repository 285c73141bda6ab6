#include "HelpCommandLine.h"

#include "ui_HelpCommandLine.h"

HelpCommandLine::HelpCommandLine(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::HelpCommandLineClass>())
{
    ui->setupUi(this);
}

HelpCommandLine::~HelpCommandLine() = default;

void HelpCommandLine::on_pushButton_exit_clicked()
{
    close();
}
