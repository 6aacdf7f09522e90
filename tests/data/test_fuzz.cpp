// Mutated copies of real files (truncated, bytes flipped, lines duplicated, columns swapped) fed
// to the readers for a few seconds each: no crash, no figure outside its physical range, and a
// catalog import either takes the file exactly as it stands or leaves every table as it was.

#include "fixture.h"

#include "data/catalog_csv.h"
#include "data/csv.h"
#include "lib/numbers.h"
#include "lib/ranges.h"
#include "solar/climate_files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

#include <random>

using namespace ses;
using namespace ses::test;

namespace {

// How long each reader is fed, ms, and the most copies it is fed.
constexpr int kBudgetMs = 1500;
constexpr int kMostCopies = 400;

class Mutator {
public:
    explicit Mutator(unsigned seed) : m_random(seed) {}

    QByteArray operator()(QByteArray b) {
        if (b.isEmpty())
            return b;
        switch (pick(4)) {
        case 0: // truncated anywhere
            b.truncate(pick(int(b.size())));
            break;
        case 1: // a few bytes flipped
            for (int n = 1 + pick(4); n > 0; --n)
                b[pick(int(b.size()))] = char(pick(256));
            break;
        case 2: { // a line duplicated, in place or elsewhere
            QList<QByteArray> lines = b.split('\n');
            const QByteArray line = lines[pick(int(lines.size()))];
            lines.insert(pick(int(lines.size())), line);
            b = lines.join('\n');
            break;
        }
        default: { // two columns swapped in one line, or in every line
            QList<QByteArray> lines = b.split('\n');
            const bool all = pick(2) == 0;
            const int only = pick(int(lines.size()));
            const int a = pick(6), c = pick(20);
            for (int i = 0; i < lines.size(); ++i) {
                if (!all && i != only)
                    continue;
                QList<QByteArray> f = lines[i].split(',');
                if (a < f.size() && c < f.size())
                    std::swap(f[a], f[c]);
                lines[i] = f.join(',');
            }
            b = lines.join('\n');
        }
        }
        return b;
    }

private:
    int pick(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    std::mt19937 m_random;
};

QByteArray readFile(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

// Feeds copies of `original` to the climate reader; an accepted copy has twelve months within
// the physical ranges.
void fuzzClimate(const QByteArray& original, unsigned seed) {
    ASSERT_TRUE(readClimateFile(original, QStringLiteral("orig")).data);
    Mutator mutate(seed);
    QElapsedTimer clock;
    clock.start();
    int copies = 0, taken = 0;
    for (; copies < kMostCopies && clock.elapsed() < kBudgetMs; ++copies) {
        const ClimateRead r = readClimateFile(mutate(original), QStringLiteral("copy"));
        ASSERT_EQ(bool(r.data), r.error.isEmpty());
        if (!r.data) {
            EXPECT_TRUE(r.error.startsWith(QStringLiteral("Файл \"copy\"")))
                << r.error.toStdString();
            continue;
        }
        ++taken;
        for (const ClimateMonth& m : r.data->months) {
            EXPECT_TRUE(kDailyRadiationRange.admits(m.radiation)) << m.radiation;
            EXPECT_TRUE(kAirTemperatureRange.admits(m.temperature)) << m.temperature;
        }
    }
    EXPECT_GT(copies, 20);
    EXPECT_LT(taken, copies); // most damage is refused
}

// The real typical year written as the PVGIS typical-year CSV (its hours, temperature, GHI).
QByteArray pvgisFromEpw(const QByteArray& epw) {
    QByteArray out = "Latitude (decimal degrees): 45.000\nLongitude (decimal degrees): 8.000\n"
                     "time(UTC),T2m,RH,G(h),Gb(n),Gd(h),IR(h),WS10m,WD10m,SP\n";
    for (const QByteArray& line : epw.split('\n')) {
        const QList<QByteArray> v = line.split(',');
        if (v.size() < 14 || !std::isdigit(static_cast<unsigned char>(v[0][0])))
            continue;
        out += QByteArray::number(2018) + QByteArray::number(v[1].toInt()).rightJustified(2, '0') +
               QByteArray::number(v[2].toInt()).rightJustified(2, '0') + ":" +
               QByteArray::number(v[3].toInt() - 1).rightJustified(2, '0') + "00," + v[6] + ",80," +
               v[13] + ",0,0,300,1,180,98000\n";
    }
    return out + "\nT2m: 2-m air temperature (degree Celsius)\n";
}

TEST(Fuzz, WeatherFilesNeverCrashTheReaderNorGiveAnUnphysicalFigure) {
    const QByteArray epw =
        readFile(QStringLiteral(CLIMATE_SAMPLES "/tmy_45.000_8.000_2005_2023.epw"));
    fuzzClimate(epw, 1);
    fuzzClimate(pvgisFromEpw(epw), 2);
}

// A logical or whole-number text as the store keeps it.
QString logicalText(const QString& v) {
    const QString l = v.toLower();
    return l == QLatin1String("+") || l == QLatin1String("1") || l == QLatin1String("true")
               ? QStringLiteral("1")
               : QStringLiteral("0");
}

// The rows of a catalog file without its keys, as the store keeps them: numbers as numbers,
// empty as null, sorted.
std::vector<QStringList> fileForm(const TableDef& t, const CsvTable& csv) {
    std::vector<QStringList> rows;
    for (const QStringList& r : csv.rows) {
        QStringList out;
        for (int c = 0; c < csv.header.size(); ++c) {
            const QString& name = csv.header[c];
            if (name == QLatin1String("Kod") || name == QLatin1String("Kod0"))
                continue;
            const ColType type = t.column(name)->type;
            const QString v =
                type == ColType::Text || type == ColType::Memo ? r[c] : r[c].trimmed();
            if (v.isEmpty())
                out << QStringLiteral("<null>");
            else if (type == ColType::Number)
                out << numberToText(*parseNumber(v));
            else if (type == ColType::Logical)
                out << logicalText(v);
            else if (type == ColType::Integer)
                out << QString::number(v.toInt());
            else
                out << v;
        }
        rows.push_back(out);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

// The same of a table, in the column order of its file's header.
std::vector<QStringList> storeForm(Store& store, const TableDef& t, const QStringList& header) {
    std::vector<QStringList> rows;
    QSqlQuery q = store.select(QStringLiteral("SELECT * FROM \"%1\"").arg(t.name));
    while (q.next()) {
        QStringList out;
        for (const QString& name : header) {
            if (name == QLatin1String("Kod") || name == QLatin1String("Kod0"))
                continue;
            const int c = t.columnIndex(name);
            const ColType type = t.columns[size_t(c)].type;
            if (q.isNull(c))
                out << QStringLiteral("<null>");
            else if (type == ColType::Number)
                out << numberToText(q.value(c).toDouble());
            else
                out << q.value(c).toString();
        }
        rows.push_back(out);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

class CatalogFuzz : public DbTest {};

TEST_F(CatalogFuzz, AnImportTakesTheFileExactlyOrChangesNothing) {
    // A bare database: the panel catalog is filled from the starter files.
    const CatalogDef& def = *findCatalog(QStringLiteral("TsSunPanF"));
    const QString folder = m_tmp.path() + QStringLiteral("/panels");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString starter = QStringLiteral(STARTER_DATA);
    for (const QString& table : def.tables)
        ASSERT_TRUE(QFile::copy(starter + '/' + table + ".csv", folder + '/' + table + ".csv"));
    ASSERT_TRUE(importCatalog(*dm, def, folder, ImportMode::Replace).ok());
    const QString target = folder + QStringLiteral("/SunPanel1.csv");
    const QByteArray original = readFile(target);
    const TableDef& panels = *findTable(QStringLiteral("SunPanel1"));

    Mutator mutate(3);
    QElapsedTimer clock;
    clock.start();
    int copies = 0, taken = 0;
    for (; copies < kMostCopies && clock.elapsed() < kBudgetMs; ++copies) {
        const QStringList before = dumpTables(*store);
        const QByteArray copy = mutate(original);
        {
            QFile f(target);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(copy);
        }
        const CatalogImportReport r = importCatalog(*dm, def, folder, ImportMode::Replace);
        if (!r.ok()) {
            ASSERT_EQ(dumpTables(*store), before) << copies;
            continue;
        }
        ++taken;
        // Taken: the table holds the file's rows, every field as the file gives it.
        QString error;
        const auto csv = readCsvFile(target, &error);
        ASSERT_TRUE(csv) << error.toStdString();
        EXPECT_EQ(storeForm(*store, panels, csv->header), fileForm(panels, *csv)) << copies;
    }
    EXPECT_GT(copies, 20);
    EXPECT_LT(taken, copies);
}

} // namespace
