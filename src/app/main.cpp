// Start-up: splash, application title, data directory, data module, main window.

#include "app/application.h"
#include "app/demo.h"
#include "app/ui/main_form.h"
#include "data/data_dir.h"
#include "widgets/message_prompter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>
#include <QVBoxLayout>

#include <csignal>

using namespace ses;

namespace {

// The splash window, painted at once while the tables open.
QWidget* showSplash() {
    auto* splash = new QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
    splash->setWindowTitle(QStringLiteral("Tovrel SES 1.1."));
    auto* l = new QVBoxLayout(splash);
    l->setContentsMargins(40, 30, 40, 30);
    auto* title = new QLabel(QStringLiteral("Tovrel SES 1.1"), splash);
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 10);
    f.setBold(true);
    title->setFont(f);
    for (QLabel* label : {title, new QLabel(QStringLiteral("Версия 1.1"), splash),
                          new QLabel(QStringLiteral("Пожалуйста, подождите..."), splash)}) {
        label->setAlignment(Qt::AlignCenter);
        l->addWidget(label);
    }
    splash->setStyleSheet(
        QStringLiteral("QWidget { background: #f4f7fb; } QLabel { color: #1d3b5e; }"));
    splash->adjustSize();
    splash->show();
    splash->repaint();
    QApplication::processEvents();
    return splash;
}

} // namespace

int main(int argc, char** argv) {
    // A file that may not grow further is a full disk to the program, not a reason to die.
    std::signal(SIGXFSZ, SIG_IGN);
    QElapsedTimer clock;
    clock.start();
    Application app(argc, argv);
    // The only option is --smoke; anything else is refused before a window opens, rather than
    // quietly ignored (the toolkit has taken its own options, such as -platform, already).
    const QStringList args = app.arguments().mid(1);
    const bool smoke = args == QStringList{QStringLiteral("--smoke")};
    if (!args.isEmpty() && !smoke) {
        QTextStream(stderr) << QStringLiteral(
                                   "Неизвестные параметры: %1. Программа запускается без "
                                   "параметров; --smoke - проверка запуска (главное окно "
                                   "показывается и закрывается).\n")
                                   .arg(args.join(QLatin1Char(' ')));
        return 2;
    }
    QWidget* splash = showSplash();

    // The data directory lives beside the program; a missing one is created with the catalogs and
    // the worked example, which is then the project opened.
    const QString dataDir =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Data"));
    MessageBoxPrompter prompter(nullptr);
    const auto fail = [&](const QString& message) {
        delete splash;
        splash = nullptr;
        // A smoke run has nobody to close a message box: the message goes to the error stream.
        if (smoke)
            QTextStream(stderr) << message << "\n";
        else
            QMessageBox::critical(nullptr, app.applicationName(), message);
        return 1;
    };
    int code = 0;
    try {
        // One program at a time on a data directory: a second one is told which process has it.
        if (!QFileInfo(dataDir).isDir() && !QFileInfo::exists(dataDir) && !QDir().mkpath(dataDir))
            return fail(QStringLiteral("Не удалось создать каталог данных \"%1\": нет прав на "
                                       "запись в каталог программы или нет места на диске.")
                            .arg(QDir::toNativeSeparators(dataDir)));
        DataDirLock lock(dataDir);
        if (!QFileInfo::exists(Store::databasePath(dataDir)))
            createDataDirectoryWithExample(dataDir);
        auto store = Store::open(dataDir);
        TDataModule1 dm(*store, prompter);
        TMainForm main(dm, prompter);
        delete splash;
        splash = nullptr;
        main.showMaximized();
        if (smoke) {
            QTimer::singleShot(0, &app, [&] {
                QTextStream(stdout) << "main window shown after " << clock.elapsed() << " ms\n";
                app.quit();
            });
        }
        code = app.exec();
    } catch (const DbError& e) {
        return fail(e.message());
    } catch (const std::exception& e) {
        return fail(QString::fromStdString(e.what()));
    }
    return code;
}
