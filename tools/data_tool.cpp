// tovrel-ses-data: creates, checks, exports and imports the tables of a data directory.

#include "app/demo.h"
#include "app/recalc.h"
#include "app/shell.h"
#include "data/data_dir.h"
#include "data/data_module.h"
#include "data/store.h"
#include "lib/numbers.h"
#include "load/rebuild.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

using namespace ses;

namespace {

int usage(QTextStream& err)
{
    err << "Использование:\n"
           "  tovrel-ses-data init КАТАЛОГ [--bare]     создать каталог данных (--bare: без "
           "стартовых справочников)\n"
           "  tovrel-ses-data init --demo КАТАЛОГ      то же с демонстрационным проектом\n"
           "  tovrel-ses-data recalc КАТАЛОГ [--variant КОД]  пересчитать расчетную мощность СБ, угол "
           "наклона и емкость АБ вариантов\n"
           "  tovrel-ses-data check КАТАЛОГ            проверить базу и вывести число записей "
           "каждой таблицы\n"
           "  tovrel-ses-data export КАТАЛОГ ТАБЛИЦА ФАЙЛ   выгрузить таблицу в CSV\n"
           "  tovrel-ses-data import КАТАЛОГ ТАБЛИЦА ФАЙЛ   загрузить CSV в таблицу (все строки "
           "или ни одной)\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage(err);
    const QString cmd = args[0];
    try {
        if (cmd == QLatin1String("init") && args.size() == 3 && args[1] == QLatin1String("--demo")) {
            if (QFileInfo::exists(Store::databasePath(args[2])) || !createDataDirectoryWithExample(args[2])) {
                err << "В каталоге " << args[2] << " уже есть база данных; она не изменена.\n";
                return 1;
            }
            out << "Каталог данных с демонстрационным проектом создан: " << args[2] << "\n";
            return 0;
        }
        if (cmd == QLatin1String("recalc") && (args.size() == 2 || (args.size() == 4 && args[2] == QLatin1String("--variant")))) {
            auto store = Store::open(args[1]);
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
                    if (args.size() == 4 && variants.currentKey().toString() != args[3])
                        continue;
                    found = true;
                    if (!rebuildMonthlyRows(dm))
                        out << "  Помесячные параметры суточных графиков не пересчитаны.\n";
                    const ChainResult r = runRecalcChain(dm);
                    out << "Вариант " << variants.currentKey().toString() << " \"" << variants["VarName"].asString()
                        << "\" (проект \"" << projects["Name"].asString() << "\"): Pras_SP = " << figure(r.pras)
                        << " Вт, B = " << figure(r.tilt) << " град., Cras_AKB = " << figure(r.capacity)
                        << " А*ч\n";
                    for (const QString& p : r.problems)
                        out << "  " << p << "\n";
                    complete = complete && r.problems.isEmpty();
                }
            }
            if (!found) {
                err << (args.size() == 4 ? QStringLiteral("Вариант с кодом %1 не найден.\n").arg(args[3])
                                         : QStringLiteral("В базе нет вариантов расчета.\n"));
                return 1;
            }
            return complete ? 0 : 1;
        }
        if (cmd == QLatin1String("init")
            && (args.size() == 2 || (args.size() == 3 && args[2] == QLatin1String("--bare")))
            && !args[1].startsWith(QLatin1String("--"))) {
            initDataDirectory(args[1], args.size() == 3 ? InitContent::Bare : InitContent::StarterCatalogs);
            out << "Каталог данных создан: " << args[1] << "\n";
            return 0;
        }
        if (cmd == QLatin1String("check") && args.size() == 2) {
            const CheckReport r = checkDataDirectory(args[1]);
            for (const QString& l : r.lines)
                out << l << "\n";
            for (const QString& p : r.problems)
                err << p << "\n";
            out << (r.ok ? "Проверка пройдена.\n" : "Проверка не пройдена.\n");
            return r.ok ? 0 : 1;
        }
        if (cmd == QLatin1String("export") && args.size() == 4) {
            exportTable(args[1], args[2], args[3]);
            out << "Таблица " << args[2] << " выгружена в " << args[3] << "\n";
            return 0;
        }
        if (cmd == QLatin1String("import") && args.size() == 4) {
            const ImportReport r = importTable(args[1], args[2], args[3]);
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
    } catch (const DbError& e) {
        err << e.message() << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << QString::fromStdString(e.what()) << "\n";
        return 1;
    }
    return usage(err);
}
