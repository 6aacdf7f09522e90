// tovrel-ses-data: creates, checks, exports and imports the tables of a data directory.

#include "app/demo.h"
#include "app/recalc.h"
#include "app/shell.h"
#include "data/catalog_csv.h"
#include "data/data_dir.h"
#include "data/data_module.h"
#include "data/store.h"
#include "lib/file_read.h"
#include "lib/numbers.h"
#include "load/rebuild.h"
#include "reports/energy_balance_store.h"
#include "reports/variant_snapshot.h"
#include "solar/region_import.h"
#include "solar/station_set.h"

#include <QCoreApplication>
#include <QFile>
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
           "  tovrel-ses-data test КАТАЛОГ [--variant КОД]    протестировать варианты (только "
           "чтение)\n"
           "  tovrel-ses-data check КАТАЛОГ            проверить базу и вывести число записей "
           "каждой таблицы\n"
           "  tovrel-ses-data export КАТАЛОГ ТАБЛИЦА ФАЙЛ   выгрузить таблицу в CSV\n"
           "  tovrel-ses-data import КАТАЛОГ ТАБЛИЦА ФАЙЛ   загрузить CSV в таблицу (все строки "
           "или ни одной)\n"
           "  tovrel-ses-data export-catalog КАТАЛОГ КЛАСС ПАПКА   выгрузить справочник окна "
           "КЛАСС в CSV, по файлу на таблицу\n"
           "  tovrel-ses-data import-catalog КАТАЛОГ КЛАСС ПАПКА [--replace]   загрузить "
           "справочник из CSV (добавить строки или с --replace заменить справочник; все строки "
           "или ни одной)\n"
           "  tovrel-ses-data import-climate КАТАЛОГ ФАЙЛ [--name РЕГИОН] [--lat ШИРОТА] "
           "[--replace]   регион из файла погоды (EPW, PVGIS CSV/JSON, NASA POWER CSV); --lat, "
           "когда в файле нет широты; --replace заменяет регион с тем же названием\n"
           "  tovrel-ses-data station-region КАТАЛОГ (--name ТЕКСТ | --lat X [--lon Y]) [--pick N] "
           "[--region РЕГИОН] [--replace]   ближайшие станции справочника; с --pick N - регион "
           "из N-й станции списка (оценка радиации по солнечному сиянию)\n";
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
        } else if (w.options.contains(a)) {
            w.problem = QStringLiteral("Параметр %1 задан дважды.").arg(a);
            return w;
        } else if (flags.contains(a)) {
            w.options.insert(a, QString());
        } else if (valued.contains(a) && i + 1 < args.size() &&
                   !args[i + 1].startsWith(QLatin1String("--"))) {
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
        w.problem = QStringLiteral("Неверное число аргументов: нужно %1, задано %2.")
                        .arg(count)
                        .arg(w.plain.size());
    for (const QString& p : w.plain)
        if (w.problem.isEmpty() && p.trimmed().isEmpty())
            w.problem = QStringLiteral("Пустой аргумент: укажите каталог, таблицу или файл.");
    return w;
}

// The key of --variant: a whole positive number, else nullopt with the reason in problem.
std::optional<QString> variantOption(const Words& w, QString& problem) {
    if (!w.options.contains(QStringLiteral("--variant")))
        return std::nullopt;
    const QString text = w.options.value(QStringLiteral("--variant"));
    bool ok = false;
    const qlonglong kod = text.toLongLong(&ok);
    if (!ok || kod <= 0 || text.trimmed() != text)
        problem = QStringLiteral("\"%1\" - некорректное значение для --variant: нужен код "
                                 "варианта, целое число больше 0.")
                      .arg(text);
    return QString::number(kod);
}

int recalc(const QString& dir, const std::optional<QString>& variant, QTextStream& out,
           QTextStream& err) {
    DataDirLock lock(dir);
    bool found = false, complete = true;
    const auto figure = [](const std::optional<double>& v) {
        return v ? numberToText(*v) : QStringLiteral("не рассчитано");
    };
    // Every variant or none: one transaction for the whole run, and the figures told only once
    // they are written.
    QString report;
    QTextStream told(&report);
    try {
        auto store = Store::open(dir);
        RecordingPrompter prompter;
        TDataModule1 dm(*store, prompter);
        View& projects = dm.tblProj0();
        View& variants = dm.tblProj1();
        Transaction tr(*store);
        for (projects.first(); !projects.eof(); projects.next()) {
            for (variants.first(); !variants.eof(); variants.next()) {
                if (variant && variants.currentKey().toString() != *variant)
                    continue;
                found = true;
                if (!rebuildMonthlyRows(dm))
                    told << "  Помесячные параметры суточных графиков не пересчитаны.\n";
                const ChainResult r = runRecalcChain(dm);
                told << "Вариант " << variants.currentKey().toString() << " \""
                     << variants["VarName"].asString() << "\" (проект \""
                     << projects["Name"].asString() << "\"): Pras_SP = " << figure(r.pras)
                     << " Вт, B = " << figure(r.tilt) << " град., Cras_AKB = " << figure(r.capacity)
                     << " А*ч\n";
                for (const QString& p : r.problems)
                    told << "  " << p << "\n";
                complete = complete && r.problems.isEmpty();
            }
        }
        tr.commit();
    } catch (const DbError& e) {
        err << e.message() << "\n"
            << "Пересчет отменен: ни один вариант не изменен, база данных осталась прежней.\n";
        return 1;
    }
    told.flush();
    out << report;
    if (!found) {
        err << (variant ? QStringLiteral("Вариант с кодом %1 не найден.\n").arg(*variant)
                        : QStringLiteral("В базе нет вариантов расчета.\n"));
        return 1;
    }
    return complete ? 0 : 1;
}

// The variant test of each variant (or of one), as its window shows the sections. Reads only.
int testVariants(const QString& dir, const std::optional<QString>& variant, QTextStream& out,
                 QTextStream& err) {
    auto store = Store::openReadOnly(dir);
    RecordingPrompter prompter;
    TDataModule1 dm(*store, prompter);
    bool found = false;
    View& projects = dm.tblProj0();
    View& variants = dm.tblProj1();
    for (projects.first(); !projects.eof(); projects.next()) {
        for (variants.first(); !variants.eof(); variants.next()) {
            if (variant && variants.currentKey().toString() != *variant)
                continue;
            found = true;
            out << "Вариант " << variants.currentKey().toString() << " \""
                << variants["VarName"].asString() << "\" (проект \"" << projects["Name"].asString()
                << "\"):\n";
            const auto lines = shownTestLines(
                testVariant(variantSnapshot(dm, variants.currentKey().toLongLong())));
            for (int s = 0; s < kTestSectionCount; ++s) {
                out << "  " << testSectionLabel(TestSection(s)) << "\n";
                for (const QString& l : lines[s])
                    out << "    " << l << "\n";
            }
            out << "  Баланс энергии за год.\n";
            const BalanceReading b = yearBalance(dm, variants.currentKey().toLongLong());
            for (const QString& l : b.balance ? b.balance->summary() : QStringList{b.reason})
                out << "    " << l << "\n";
        }
    }
    if (!found) {
        err << (variant ? QStringLiteral("Вариант с кодом %1 не найден.\n").arg(*variant)
                        : QStringLiteral("В базе нет вариантов расчета.\n"));
        return 1;
    }
    return 0;
}

// The twelve months as they will be stored, then the outcome of writing them.
int writeRegion(const QString& dir, const QString& name, const ClimateYear& c,
                const QStringList& summary, bool replace, QTextStream& out, QTextStream& err) {
    for (const QString& l : summary)
        out << l << "\n";
    for (const QString& w : c.warnings)
        out << "Внимание: " << w << "\n";
    DataDirLock lock(dir);
    auto store = Store::open(dir);
    RecordingPrompter prompter;
    TDataModule1 dm(*store, prompter);
    out << "Месяц\tГориз., кВт*ч/(м2*день)\tЕ, кВт*ч/(м2*день)\tTср., град.\tB, град.\n";
    for (const RegionMonthRow& r : regionMonthRows(c, dm.optimUgolDay()))
        out << r.month << "\t" << numberToText(r.radiation) << "\t" << numberToText(r.plane) << "\t"
            << numberToText(r.temperature) << "\t" << numberToText(r.tilt) << "\n";
    if (replace)
        prompter.answer(true);
    switch (writeClimateRegion(dm, prompter, name, c)) {
    case RegionWrite::Written:
        out << "Регион \"" << name.trimmed() << "\" записан в справочник регионов.\n";
        return 0;
    case RegionWrite::Declined:
        err << "Регион \"" << name.trimmed()
            << "\" уже есть в справочнике; он не изменен. Чтобы заменить его, добавьте "
               "--replace.\n";
        return 1;
    case RegionWrite::Refused:
        break;
    }
    for (const auto& e : prompter.entries())
        if (e.kind == RecordingPrompter::Kind::Error)
            err << e.text << "\n";
    err << "Регион не записан.\n";
    return 1;
}

// The value of a numeric option within [lo, hi]; nullopt, with the reason said, otherwise.
std::optional<double> numberOption(const Words& w, const QString& option, double lo, double hi,
                                   QTextStream& err) {
    const auto v = parseNumber(w.options.value(option));
    if (v && *v >= lo && *v <= hi)
        return v;
    err << "\"" << w.options.value(option) << "\" - некорректное значение для " << option << " (от "
        << numberToText(lo) << " до " << numberToText(hi) << ").\n";
    return std::nullopt;
}

int importClimate(const Words& w, QTextStream& out, QTextStream& err) {
    const QString path = w.plain[1];
    const FileBytes bytes = readFileBytes(path);
    if (!bytes.bytes) {
        err << bytes.error << "\nРегион не записан.\n";
        return 1;
    }
    const QString fileName = QFileInfo(path).fileName();
    ClimateRead r = readClimateFile(*bytes.bytes, fileName);
    if (!r.data) {
        err << r.error << "\nРегион не записан.\n";
        return 1;
    }
    if (w.options.contains(QStringLiteral("--lat"))) {
        const auto lat = numberOption(w, QStringLiteral("--lat"), -90, 90, err);
        if (!lat)
            return 2;
        r.data->latitude = lat;
    }
    QString name = w.options.value(QStringLiteral("--name"));
    if (name.isEmpty())
        name =
            (r.data->site.isEmpty() ? QFileInfo(path).completeBaseName() : r.data->site).left(30);
    return writeRegion(w.plain[0], name, *r.data, climateSummary(*r.data, fileName),
                       w.options.contains(QStringLiteral("--replace")), out, err);
}

int stationRegion(const Words& w, QTextStream& out, QTextStream& err) {
    const bool byName = w.options.contains(QStringLiteral("--name"));
    const bool byLat = w.options.contains(QStringLiteral("--lat"));
    if (byName == byLat)
        return usage(err, QStringLiteral("Укажите --name или --lat (с --lon)."));
    const std::vector<Station>& stations = bundledStations();
    std::vector<StationMatch> found;
    if (byName) {
        found = stationsByName(stations, w.options.value(QStringLiteral("--name")), 20);
    } else {
        const auto lat = numberOption(w, QStringLiteral("--lat"), -90, 90, err);
        if (!lat)
            return 2;
        if (w.options.contains(QStringLiteral("--lon"))) {
            if (!numberOption(w, QStringLiteral("--lon"), -180, 180, err))
                return 2;
            out << "В справочнике станций нет долгот: станции подобраны по широте, а расстояние "
                   "измерено по меридиану; действительное расстояние может быть больше.\n";
        }
        found = stationsNearLatitude(stations, *lat, 10);
    }
    if (found.empty()) {
        err << "Станции с названием, содержащим \"" << w.options.value(QStringLiteral("--name"))
            << "\", не найдены. Названия станций - латиницей, как в списке ISD (например, "
               "MOSKVA).\n";
        return 1;
    }
    for (size_t i = 0; i < found.size(); ++i) {
        const Station& s = stations[found[i].index];
        out << i + 1 << ". " << s.city << " (" << s.country << ", " << s.id << "), широта "
            << numberToText(s.latitude);
        if (found[i].distanceKm)
            out << ", по меридиану " << numberToText(roundHalfEven(*found[i].distanceKm, 0))
                << " км";
        out << "\n";
    }
    if (!w.options.contains(QStringLiteral("--pick")))
        return 0;
    const QString pickText = w.options.value(QStringLiteral("--pick"));
    bool whole = false;
    const int pick = pickText.toInt(&whole);
    if (!whole || pick < 1 || pick > int(found.size())) {
        err << "\"" << pickText << "\" - нет станции с таким номером в списке (1 - " << found.size()
            << ").\n";
        return 2;
    }
    const Station& s = stations[found[pick - 1].index];
    const ClimateYear c = stationClimate(s);
    const QString name = w.options.value(QStringLiteral("--region"), stationRegionName(s));
    return writeRegion(
        w.plain[0], name.isEmpty() ? stationRegionName(s) : name, c,
        climateSummary(c, s.city + QStringLiteral(" (") + s.id + QStringLiteral(")")),
        w.options.contains(QStringLiteral("--replace")), out, err);
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
        QString problem = w.problem;
        const std::optional<QString> variant = variantOption(w, problem);
        if (!problem.isEmpty())
            return usage(err, problem);
        return recalc(w.plain[0], variant, out, err);
    }
    if (cmd == QLatin1String("test")) {
        const Words w = split(rest, {}, {QStringLiteral("--variant")}, 1);
        QString problem = w.problem;
        const std::optional<QString> variant = variantOption(w, problem);
        if (!problem.isEmpty())
            return usage(err, problem);
        return testVariants(w.plain[0], variant, out, err);
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
    if (cmd == QLatin1String("import-climate")) {
        const Words w = split(rest, {QStringLiteral("--replace")},
                              {QStringLiteral("--name"), QStringLiteral("--lat")}, 2);
        if (!w.problem.isEmpty())
            return usage(err, w.problem);
        return importClimate(w, out, err);
    }
    if (cmd == QLatin1String("station-region")) {
        const Words w =
            split(rest, {QStringLiteral("--replace")},
                  {QStringLiteral("--name"), QStringLiteral("--lat"), QStringLiteral("--lon"),
                   QStringLiteral("--pick"), QStringLiteral("--region")},
                  1);
        if (!w.problem.isEmpty())
            return usage(err, w.problem);
        return stationRegion(w, out, err);
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
