#ifndef ORVANE_HELPCOMMANDLINE_H
#define ORVANE_HELPCOMMANDLINE_H

#include <QDialog>

#include <memory>

namespace Ui {
class HelpCommandLineClass;
}

// The fixed description of the program's command-line options.
class HelpCommandLine : public QDialog
{
    Q_OBJECT

public:
    explicit HelpCommandLine(QWidget* parent = nullptr);
    ~HelpCommandLine() override;

private slots:
    void on_pushButton_exit_clicked();

private:
    std::unique_ptr<Ui::HelpCommandLineClass> ui;
};

#endif
