// tovrel-ses-data: creates, checks, exports and imports the tables of a data directory.

#include "data/data_dir.h"
#include "data/store.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace ses;

namespace {

int usage(QTextStream& err)
{
    err << "Использование:\n"
           "  tovrel-ses-data init КАТАЛОГ [--bare]     создать каталог данных (--bare: без "
           "стартовых справочников)\n"
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
        if (cmd == QLatin1String("init") && (args.size() == 2 || (args.size() == 3 && args[2] == QLatin1String("--bare")))) {
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
    }
    return usage(err);
}
