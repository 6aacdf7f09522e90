// tovrel-ses-data: creates, checks, exports and imports the tables of a data directory.

#include "app/demo.h"
#include "app/recalc.h"
#include "app/shell.h"
#include "data/catalog_csv.h"
#include "data/data_dir.h"
#include "data/data_module.h"
#include "data/store.h"
#include "lib/numbers.h"
#include "load/rebuild.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <csignal>

using namespace ses;

namespace {

int usage(QTextStream& err, const QString& why = QString()) {
    if (!why.isEmpty())
        err << why << "\n";
    err << "Использование:\n"
           "  tovrel-ses-data init КАТАЛОГ [--bare]     создать каталог данных (--bare: без "
           "стартовых справочников)\n"
           "  tovrel-ses-data init --demo КАТАЛОГ      то же с демонстрационным проектом\n"
           "  tovrel-ses-data recalc КАТАЛОГ [--variant КОД]  пересчитать расчетную мощность СБ, "
           "угол "
           "наклона и емкость АБ вариантов\n"
           "  tovrel-ses-data check КАТАЛОГ            проверить базу и вывести число записей "
           "каждой таблицы\n"
           "  tovrel-ses-data export КАТАЛОГ ТАБЛИЦА ФАЙЛ   выгрузить таблицу в CSV\n"
           "  tovrel-ses-data import КАТАЛОГ ТАБЛИЦА ФАЙЛ   загрузить CSV в таблицу (все строки "
           "или ни одной)\n"
           "  tovrel-ses-data export-catalog КАТАЛОГ КЛАСС ПАПКА   выгрузить справочник окна "
           "КЛАСС в CSV, по файлу на таблицу\n"
           "  tovrel-ses-data import-catalog КАТАЛОГ КЛАСС ПАПКА [--replace]   загрузить "
           "справочник из CSV (добавить строки или с --replace заменить справочник; все строки "
           "или ни одной)\n";
    return 2;
}

// The words of a command line: its options (each allowed one, with a value where it takes one)
// and its plain arguments. An unknown option, a missing value or a wrong count of arguments is
// said in words.
struct Words {
    QStringList plain;
    QMap<QString, QString> options;
    QString problem;
};

Words split(const QStringList& args, const QStringList& flags, const QStringList& valued,
            int count) {
    Words w;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!a.startsWith(QLatin1String("--"))) {
            w.plain << a;
        } else if (flags.contains(a)) {
            w.options.insert(a, QString());
        } else if (valued.contains(a) && i + 1 < args.size()) {
            w.options.insert(a, args[++i]);
        } else if (valued.contains(a)) {
            w.problem = QStringLiteral("Параметру %1 не задано значение.").arg(a);
            return w;
        } else {
            w.problem = QStringLiteral("Неизвестный параметр %1.").arg(a);
            return w;
        }
    }
    if (w.plain.size() != count)
        w.problem = QStringLiteral("Неверное число аргументов.");
    return w;
}

int recalc(const QString& dir, const std::optional<QString>& variant, QTextStream& out,
           QTextStream& err) {
    DataDirLock lock(dir);
    auto store = Store::open(dir);
    RecordingPrompter prompter;
    TDataModule1 dm(*store, prompter);
    bool found = false, complete = true;
    View& projects = dm.tblProj0();
    View& variants = dm.tblProj1();
    const auto figure = [](const std::optional<double>& v) {
        return v ? numberToText(*v) : QStringLiteral("не рассчитано");
    };
    for (projects.first(); !projects.eof(); projects.next()) {
        for (variants.first(); !variants.eof(); variants.next()) {
            if (variant && variants.currentKey().toString() != *variant)
                continue;
            found = true;
            // Each variant whole or not at all.
            Transaction tr(*store);
            if (!rebuildMonthlyRows(dm))
                out << "  Помесячные параметры суточных графиков не пересчитаны.\n";
            const ChainResult r = runRecalcChain(dm);
            tr.commit();
            out << "Вариант " << variants.currentKey().toString() << " \""
                << variants["VarName"].asString() << "\" (проект \"" << projects["Name"].asString()
                << "\"): Pras_SP = " << figure(r.pras) << " Вт, B = " << figure(r.tilt)
                << " град., Cras_AKB = " << figure(r.capacity) << " А*ч\n";
            for (const QString& p : r.problems)
                out << "  " << p << "\n";
            complete = complete && r.problems.isEmpty();
        }
    }
    if (!found) {
        err << (variant ? QStringLiteral("Вариант с кодом %1 не найден.\n").arg(*variant)
                        : QStringLiteral("В базе нет вариантов расчета.\n"));
        return 1;
    }
    return complete ? 0 : 1;
}

int run(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.isEmpty())
        return usage(err);
    const QString cmd = args[0];
    const QStringList rest = args.mid(1);
    if (cmd == QLatin1String("init")) {
        const Words w = split(rest, {QStringLiteral("--bare"), QStringLiteral("--demo")}, {}, 1);
        if (!w.problem.isEmpty())
            return usage(err, w.problem);
        if (w.options.contains(QStringLiteral("--bare")) &&
            w.options.contains(QStringLiteral("--demo")))
            return usage(err, QStringLiteral("Параметры --bare и --demo несовместимы."));
        const QString dir = w.plain[0];
        if (w.options.contains(QStringLiteral("--demo"))) {
            if (!createDataDirectoryWithExample(dir)) {
                err << "В каталоге " << dir << " уже есть база данных; она не изменена.\n";
                return 1;
            }
            out << "Каталог данных с демонстрационным проектом создан: " << dir << "\n";
            return 0;
        }
        initDataDirectory(dir, w.options.contains(QStringLiteral("--bare"))
                                   ? InitContent::Bare
                                   : InitContent::StarterCatalogs);
        out << "Каталог данных создан: " << dir << "\n";
        return 0;
    }
    if (cmd == QLatin1String("recalc")) {
        const Words w = split(rest, {}, {QStringLiteral("--variant")}, 1);
        if (!w.problem.isEmpty())
            return usage(err, w.problem);
        std::optional<QString> variant;
        if (w.options.contains(QStringLiteral("--variant")))
            variant = w.options.value(QStringLiteral("--variant"));
        return recalc(w.plain[0], variant, out, err);
    }
    if (cmd == QLatin1String("check")) {
        const Words w = split(rest, {}, {}, 1);
        if (!w.problem.isEmpty())
            return usage(err, w.problem);
        const CheckReport r = checkDataDirectory(w.plain[0]);
        for (const QString& l : r.lines)
            out << l << "\n";
        for (const QString& p : r.problems)
            err << p << "\n";
        out << (r.ok ? "Проверка пройдена.\n" : "Проверка не пройдена.\n");
        return r.ok ? 0 : 1;
    }
    if (cmd == QLatin1String("export")) {
        const Words w = split(rest, {}, {}, 3);
        if (!w.problem.isEmpty())
            return usage(err, w.problem);
        exportTable(w.plain[0], w.plain[1], w.plain[2]);
        out << "Таблица " << w.plain[1] << " выгружена в " << w.plain[2] << "\n";
        return 0;
    }
    if (cmd == QLatin1String("import")) {
        const Words w = split(rest, {}, {}, 3);
        if (!w.problem.isEmpty())
            return usage(err, w.problem);
        DataDirLock lock(w.plain[0]);
        const ImportReport r = importTable(w.plain[0], w.plain[1], w.plain[2]);
        if (!r.ok()) {
            for (const QString& l : r.refusals)
                err << l << "\n";
            err << "Импорт отменен: отклонено строк: " << r.refusals.size()
                << "; таблица не изменена.\n";
            return 1;
        }
        out << "Загружено записей: " << r.imported << "\n";
        return 0;
    }
    if (cmd == QLatin1String("export-catalog") || cmd == QLatin1String("import-catalog")) {
        const bool importing = cmd == QLatin1String("import-catalog");
        const Words w = split(
            rest, importing ? QStringList{QStringLiteral("--replace")} : QStringList{}, {}, 3);
        if (!w.problem.isEmpty())
            return usage(err, w.problem);
        const CatalogDef* def = findCatalog(w.plain[1]);
        if (!def) {
            err << "Нет справочника с окном " << w.plain[1] << ". Справочники:";
            for (const CatalogDef& d : catalogDefs())
                err << " " << d.className;
            err << "\n";
            return 2;
        }
        std::optional<DataDirLock> lock;
        if (importing)
            lock.emplace(w.plain[0]);
        auto store = Store::open(w.plain[0]);
        RecordingPrompter prompter;
        TDataModule1 dm(*store, prompter);
        if (!importing) {
            exportCatalog(dm, *def, w.plain[2]);
            out << "Справочник " << def->className << " выгружен в " << w.plain[2] << "\n";
            return 0;
        }
        const CatalogImportReport r =
            importCatalog(dm, *def, w.plain[2],
                          w.options.contains(QStringLiteral("--replace")) ? ImportMode::Replace
                                                                          : ImportMode::Add);
        if (!r.ok()) {
            for (const QString& l : r.refusals)
                err << l << "\n";
            err << "Импорт отменен: отклонено строк: " << r.refusals.size()
                << "; справочник не изменен.\n";
            return 1;
        }
        out << "Загружено записей: " << r.imported << "\n";
        return 0;
    }
    return usage(err, QStringLiteral("Неизвестная команда %1.").arg(cmd));
}

} // namespace

int main(int argc, char** argv) {
    // A file that may not grow further is a full disk to the tool, not a reason to die.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    // Every failure ends here, told in words, with a non-zero exit: nothing is left half-written.
    try {
        return run(app.arguments().mid(1), out, err);
    } catch (const DbError& e) {
        err << e.message() << "\n";
    } catch (const std::exception& e) {
        err << QString::fromStdString(e.what()) << "\n";
    }
    return 1;
}
