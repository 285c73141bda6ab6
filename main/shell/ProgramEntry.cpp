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

namespace {

// Existing folders only, each once: started in its own folder, the program
// finds the same "lang" both ways.
QStringList langFolders(const QString& programDir)
{
    QStringList folders;
    const QString candidates[] = {QDir::current().absoluteFilePath("lang"),
                                  QDir(programDir).absoluteFilePath("lang")};
    for (const QString& candidate : candidates) {
        const QString canonical = QDir(candidate).canonicalPath();
        if (!canonical.isEmpty() && !folders.contains(canonical))
            folders << canonical;
    }
    return folders;
}

}  // namespace

std::vector<std::unique_ptr<QTranslator>> installGermanTranslations(QCoreApplication& app,
                                                                    const QString& programDir)
{
    std::vector<std::unique_ptr<QTranslator>> translators;
    QStringList installed;
    const QString beside =
        programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir;
    for (const QString& folder : langFolders(beside)) {
        for (const QString& fileName : QDir(folder).entryList(QDir::Files)) {
            if (!fileName.endsWith("_de.qm") || installed.contains(fileName))
                continue;
            auto translator = std::make_unique<QTranslator>();
            // A file that does not load leaves its texts untranslated.
            if (translator->load(folder + '/' + fileName.left(fileName.size() - 3))) {
                app.installTranslator(translator.get());
                translators.push_back(std::move(translator));
                installed << fileName;
            }
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
