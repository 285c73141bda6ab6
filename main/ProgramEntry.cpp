#include "ProgramEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>

#include "mainwindow.h"

#include <clocale>

QString joinProgramArguments(const QStringList& arguments)
{
    QString args;
    if (arguments.size() > 1)
        args = arguments[1];
    for (int i = 2; i < arguments.size() && i <= 5; ++i)
        args += ' ' + arguments[i];
    return args;
}

std::vector<std::unique_ptr<QTranslator>> installGermanTranslations(QCoreApplication& app)
{
    std::vector<std::unique_ptr<QTranslator>> translators;
    const QStringList entries = QDir("lang").entryList(QDir::Files);
    for (const QString& fileName : entries) {
        if (!fileName.endsWith("_de.qm"))
            continue;
        auto translator = std::make_unique<QTranslator>();
        // A file that does not load leaves its texts untranslated.
        if (translator->load("lang/" + fileName.left(fileName.size() - 3))) {
            app.installTranslator(translator.get());
            translators.push_back(std::move(translator));
        }
    }
    return translators;
}

int runMainWindows(QString args)
{
    int result = 0;
    do {
        auto* window = new MainWindow(args, nullptr, Qt::WindowFlags());
        // Only where a test replaced the process end does a start come back ended.
        if (window->isEndingProcess()) {
            result = window->endingExitCode();
            delete window;
            break;
        }
        const int pending = window->pendingExitCode();
        if (pending >= 0) {
            // The exit that ended the start-up's boxes also left Qt's loops
            // ended; running the loop once to take the code resets that, so the
            // next window's dialogs wait for their user again.
            QTimer::singleShot(0, [pending] { QCoreApplication::exit(pending); });
        } else {
            std::setlocale(LC_NUMERIC, "C");
            window->show();
        }
        result = QCoreApplication::exec();
        delete window;
        args = "-directstart";
    } while (result == kRestartExitCode);
    return result;
}
