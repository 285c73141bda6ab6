// Program entry: application object, style, icon, translations, and the
// restart loop that re-creates the main window after a lost connection.

#include "ProgramEntry.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

int main(int argc, char** argv)
{
    int result = 0;
    {
        QApplication app(argc, argv);
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        Q_INIT_RESOURCE(orvane_shell);
        QApplication::setWindowIcon(QIcon(":/images/icons/orvane_16x16.png"));
        const auto translators = installGermanTranslations(app);

        result = runMainWindows(joinProgramArguments(QCoreApplication::arguments()));
    }
    return result;
}
