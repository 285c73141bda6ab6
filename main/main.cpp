// Program entry: application object, style, icon, translations, and the
// restart loop that re-creates the main window after a lost connection.

#include "ProgramEntry.h"
#include "mainwindow.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

#include <clocale>

int main(int argc, char** argv)
{
    int result = 0;
    {
        QApplication app(argc, argv);
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        Q_INIT_RESOURCE(orvane_shell);
        QApplication::setWindowIcon(QIcon(":/images/icons/orvane_16x16.png"));
        const auto translators = installGermanTranslations(app);

        QString args = joinProgramArguments(QCoreApplication::arguments());
        do {
            auto* window = new MainWindow(args, nullptr, Qt::WindowFlags());
            std::setlocale(LC_NUMERIC, "C");
            window->show();
            result = app.exec();
            delete window;
            args = "-directstart";
        } while (result == kRestartExitCode);
    }
    return result;
}
