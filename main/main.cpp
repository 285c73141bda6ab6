// Program entry: application object, style, icon, translations, and the
// restart loop that re-creates the main window after a lost connection.

#include "mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QList>
#include <QStyleFactory>
#include <QTranslator>

#include <clocale>
#include <memory>
#include <vector>

namespace {

// Exit code by which a main window asks to be replaced by one that reconnects.
constexpr int kRestartExitCode = 42;

std::vector<std::unique_ptr<QTranslator>> installGermanTranslations(QApplication& app)
{
    std::vector<std::unique_ptr<QTranslator>> translators;
    const QStringList entries = QDir("lang").entryList(QDir::Files);
    for (const QString& fileName : entries) {
        if (!fileName.endsWith("_de.qm"))
            continue;
        auto translator = std::make_unique<QTranslator>();
        if (translator->load("lang/" + fileName.left(fileName.size() - 3))) {
            app.installTranslator(translator.get());
            translators.push_back(std::move(translator));
        }
    }
    return translators;
}

QString joinFirstArguments(int argc, char** argv)
{
    QString args;
    if (argc > 1)
        args = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc && i <= 5; ++i)
        args += ' ' + QString::fromLocal8Bit(argv[i]);
    return args;
}

}  // namespace

int main(int argc, char** argv)
{
    int result = 0;
    {
        QApplication app(argc, argv);
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        Q_INIT_RESOURCE(orvane_shell);
        QApplication::setWindowIcon(QIcon(":/images/icons/orvane_16x16.png"));
        const auto translators = installGermanTranslations(app);

        QString args = joinFirstArguments(argc, argv);
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
