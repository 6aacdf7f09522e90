#include "solar/climate_files.h"

#include "lib/months.h"
#include "lib/numbers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QVarLengthArray>

#include <cmath>
#include <type_traits>

namespace ses {

namespace {

// A refusal of the whole file, caught once in readClimateFile.
struct Refusal {
    QString text;
};

[[noreturn]] void refuse(const QString& text) {
    throw Refusal{text};
}

QString fileRef(const QString& file) {
    return QStringLiteral("Файл \"%1\"").arg(file);
}

QString at(const QString& file, int line, const QString& field = QString()) {
    QString s = fileRef(file) + QStringLiteral(", строка %1").arg(line);
    if (!field.isEmpty())
        s += QStringLiteral(", поле \"%1\"").arg(field);
    return s + QStringLiteral(": ");
}

QString monthText(int m) {
    return QStringLiteral("\"") + monthNames()[m - 1] + QStringLiteral("\"");
}

bool isLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysOf(int month, bool leap) {
    return month == 2 && leap ? 29 : daysInMonth(month);
}

// A number of a file: decimal point, optional sign and exponent; never inf or NaN. The message
// is built only on a refusal (a typical year has 17 520 figures to read).
template <typename Where> double number(QStringView text, const Where& where) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v)) {
        if constexpr (std::is_invocable_v<Where>)
            refuse(where() + QStringLiteral("\"%1\" - не число.").arg(text.trimmed().toString()));
        else
            refuse(where + QStringLiteral("\"%1\" - не число.").arg(text.trimmed().toString()));
    }
    return v == 0 ? 0.0 : v; // "-0.00" is 0
}

// The first `count` comma-separated fields of a line (fewer when the line has fewer).
QVarLengthArray<QStringView, 16> firstFields(QStringView line, int count) {
    QVarLengthArray<QStringView, 16> f;
    qsizetype start = 0;
    while (f.size() < count) {
        const qsizetype comma = line.indexOf(u',', start);
        f.append(line.mid(start, comma < 0 ? line.size() - start : comma - start));
        if (comma < 0)
            break;
        start = comma + 1;
    }
    return f;
}

void checkRange(double v, double lo, double hi, const QString& unit, const QString& where) {
    if (v < lo || v > hi)
        refuse(where + QStringLiteral("значение %1 вне допустимого диапазона от %2 до %3 %4.")
                           .arg(numberToText(v), numberToText(lo), numberToText(hi), unit));
}

const QString kRadUnit = QStringLiteral("кВт*ч/(м2*день)");
const QString kHourUnit = QStringLiteral("Вт*ч/м2");
const QString kTempUnit = QStringLiteral("град.");

void checkDaily(double p, const QString& where) {
    checkRange(p, 0, kMaxDailyRadiation, kRadUnit, where);
}
void checkTemperature(double t, const QString& where) {
    checkRange(t, kMinTemperature, kMaxTemperature, kTempUnit, where);
}

// The text of the file, refused when it is not UTF-8 (a BOM is dropped).
QString decode(const QByteArray& bytes, const QString& file) {
    QStringDecoder whole(QStringConverter::Utf8);
    QString text = whole.decode(bytes);
    if (whole.hasError()) {
        int line = 1;
        for (const QByteArray& l : bytes.split('\n')) {
            QStringDecoder one(QStringConverter::Utf8);
            const QString decoded = one.decode(l);
            (void)decoded;
            if (one.hasError())
                break;
            ++line;
        }
        refuse(at(file, line) + QStringLiteral("текст не в кодировке UTF-8."));
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QList<QStringView> linesOf(const QString& text) {
    QList<QStringView> lines = QStringView(text).split(u'\n');
    for (QStringView& l : lines)
        if (l.endsWith(u'\r'))
            l.chop(1);
    return lines;
}

// Tokens of a line split at tabs, commas or semicolons, empty ones dropped (the PVGIS monthly
// table pads its columns with double tabs).
QList<QStringView> tokens(QStringView line) {
    QList<QStringView> out;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == u'\t' || line[i] == u',' || line[i] == u';') {
            const QStringView t = line.mid(start, i - start).trimmed();
            if (!t.isEmpty())
                out << t;
            start = i + 1;
        }
    }
    return out;
}

bool startsWithDigit(QStringView l) {
    return !l.isEmpty() && l[0].isDigit();
}

// "Latitude (decimal degrees): 45.000": the number after the colon.
std::optional<double> headerValue(QStringView line, QStringView key, const QString& file, int n) {
    if (!line.startsWith(key, Qt::CaseInsensitive))
        return std::nullopt;
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0)
        return std::nullopt;
    return number(line.mid(colon + 1), at(file, n, key.toString()));
}

// ------------------------------------------------------------------ hourly files

struct Hourly {
    std::array<double, 12> ghi{}, tAll{}, tSun{};
    std::array<int, 12> rows{}, sunRows{};

    void add(int m, double g, double t) {
        ghi[m - 1] += g;
        tAll[m - 1] += t;
        ++rows[m - 1];
        if (g > 0) {
            tSun[m - 1] += t;
            ++sunRows[m - 1];
        }
    }

    void finish(ClimateYear& c, const QString& file, const ClimateReadOptions& o) const {
        int total = 0;
        for (int m = 1; m <= 12; ++m) {
            if (rows[m - 1] == 0)
                refuse(fileRef(file) +
                       QStringLiteral(": нет ни одной строки за месяц %1.").arg(monthText(m)));
            total += rows[m - 1];
        }
        if (o.wholeYear) {
            if (total != 8760 && total != 8784)
                refuse(fileRef(file) + QStringLiteral(": неполный год: часовых строк %1, нужно "
                                                      "8760 (8784 в високосный год).")
                                           .arg(total));
            const bool leap = total == 8784;
            for (int m = 1; m <= 12; ++m)
                if (rows[m - 1] != daysOf(m, leap) * 24)
                    refuse(fileRef(file) +
                           QStringLiteral(": за месяц %1 часовых строк %2, нужно %3.")
                               .arg(monthText(m))
                               .arg(rows[m - 1])
                               .arg(daysOf(m, leap) * 24));
        }
        c.sunHoursTemperature = true;
        for (int m = 1; m <= 12; ++m) {
            const int i = m - 1;
            const double days = rows[i] / 24.0;
            c.months[i].radiation = ghi[i] / days / 1000;
            checkDaily(
                c.months[i].radiation,
                fileRef(file) +
                    QStringLiteral(", месяц %1: средняя дневная радиация: ").arg(monthText(m)));
            if (sunRows[i] > 0) {
                c.months[i].temperature = tSun[i] / sunRows[i];
            } else {
                c.months[i].temperature = tAll[i] / rows[i];
                c.warnings << QStringLiteral("Месяц %1: нет ни одного часа с солнцем; Tср. - "
                                             "средняя температура всего месяца.")
                                  .arg(monthText(m));
            }
        }
    }
};

// EnergyPlus weather: header records (LOCATION, DESIGN CONDITIONS ... DATA PERIODS), then one
// record per hour: year, month, day, hour, minute, flags, dry-bulb temperature (field 7, C,
// missing 99.9) ... global horizontal radiation (field 14, W*h/m2, missing 9999).
ClimateYear readEpw(const QList<QStringView>& lines, const QString& file,
                    const ClimateReadOptions& o) {
    ClimateYear c;
    c.format = ClimateFormat::Epw;
    Hourly h;
    const QString fMonth = QStringLiteral("Month");
    const QString fTemp = QStringLiteral("Dry Bulb Temperature");
    const QString fGhi = QStringLiteral("Global Horizontal Radiation");
    for (int i = 0; i < lines.size(); ++i) {
        const QStringView l = lines[i];
        const int n = i + 1;
        if (l.trimmed().isEmpty())
            continue;
        if (!startsWithDigit(l)) {
            if (l.startsWith(u"LOCATION,")) {
                const QList<QStringView> f = l.split(u',');
                if (f.size() < 8)
                    refuse(at(file, n) + QStringLiteral("в записи LOCATION меньше 8 полей."));
                const QString city = f[1].trimmed().toString();
                if (!city.isEmpty() && city != QLatin1String("-") &&
                    city.compare(QLatin1String("unknown"), Qt::CaseInsensitive) != 0)
                    c.site = city;
                c.latitude = number(f[6], at(file, n, QStringLiteral("Latitude")));
                c.longitude = number(f[7], at(file, n, QStringLiteral("Longitude")));
                checkRange(*c.latitude, -90, 90, kTempUnit,
                           at(file, n, QStringLiteral("Latitude")));
            }
            continue;
        }
        const auto f = firstFields(l, 14);
        if (f.size() < 14)
            refuse(at(file, n) +
                   QStringLiteral("полей %1, в часовой записи EPW их не меньше 14.").arg(f.size()));
        const auto whereMonth = [&] { return at(file, n, fMonth); };
        const auto whereTemp = [&] { return at(file, n, fTemp); };
        const auto whereGhi = [&] { return at(file, n, fGhi); };
        const double month = number(f[1], whereMonth);
        if (month < 1 || month > 12 || month != std::floor(month))
            refuse(whereMonth() + QStringLiteral("\"%1\" - не номер месяца.").arg(f[1].toString()));
        const double t = number(f[6], whereTemp);
        if (t >= 99.9)
            refuse(whereTemp() +
                   QStringLiteral("значение отсутствует (%1).").arg(f[6].trimmed().toString()));
        if (t < kMinTemperature || t > kMaxTemperature)
            checkTemperature(t, whereTemp());
        const double g = number(f[13], whereGhi);
        if (g >= 9999)
            refuse(whereGhi() +
                   QStringLiteral("значение отсутствует (%1).").arg(f[13].trimmed().toString()));
        if (g < 0 || g > kMaxHourlyRadiation)
            checkRange(g, 0, kMaxHourlyRadiation, kHourUnit, whereGhi());
        h.add(int(month), g, t);
    }
    h.finish(c, file, o);
    return c;
}

// PVGIS typical year as CSV: an optional block of "Latitude (decimal degrees): ..." lines, the
// months selected, then "time(UTC),T2m,RH,G(h),..." and one row per hour ("20180101:0000"), then
// a legend after an empty line.
ClimateYear readPvgisTmy(const QList<QStringView>& lines, const QString& file,
                         const ClimateReadOptions& o) {
    ClimateYear c;
    c.format = ClimateFormat::PvgisTmyCsv;
    Hourly h;
    int i = 0;
    int tCol = -1, gCol = -1;
    for (; i < lines.size(); ++i) {
        const QStringView l = lines[i];
        if (auto v = headerValue(l, u"Latitude", file, i + 1))
            c.latitude = v;
        else if (auto w = headerValue(l, u"Longitude", file, i + 1))
            c.longitude = w;
        if (l.startsWith(u"time") && l.contains(u"G(h)")) {
            const QList<QStringView> f = l.split(u',');
            for (int k = 0; k < f.size(); ++k) {
                if (f[k].trimmed() == u"T2m")
                    tCol = k;
                if (f[k].trimmed() == u"G(h)")
                    gCol = k;
            }
            break;
        }
    }
    if (tCol < 0)
        refuse(at(file, i + 1) + QStringLiteral("нет столбца \"T2m\"."));
    const int need = std::max(tCol, gCol) + 1;
    for (++i; i < lines.size(); ++i) {
        const QStringView l = lines[i];
        const int n = i + 1;
        if (!startsWithDigit(l))
            break; // the legend
        const QList<QStringView> f = l.split(u',');
        if (f.size() < need)
            refuse(at(file, n) +
                   QStringLiteral("полей %1, нужно не меньше %2.").arg(f.size()).arg(need));
        const QStringView time = f[0].trimmed();
        const int month = time.size() >= 8 ? time.mid(4, 2).toInt() : 0;
        if (month < 1 || month > 12)
            refuse(at(file, n, QStringLiteral("time(UTC)")) +
                   QStringLiteral("\"%1\" - не время вида ГГГГММДД:ЧЧММ.").arg(time.toString()));
        const double t = number(f[tCol], at(file, n, QStringLiteral("T2m")));
        checkTemperature(t, at(file, n, QStringLiteral("T2m")));
        const double g = number(f[gCol], at(file, n, QStringLiteral("G(h)")));
        checkRange(g, 0, kMaxHourlyRadiation, kHourUnit, at(file, n, QStringLiteral("G(h)")));
        h.add(month, g, t); // W/m2 over one hour = W*h/m2
    }
    h.finish(c, file, o);
    return c;
}

// ------------------------------------------------------------------ monthly files

// Monthly sums of several years averaged month by month as daily means.
struct Monthly {
    std::array<double, 12> daily{}, temp{};
    std::array<int, 12> count{};
    QSet<int> years;

    void add(int year, int month, double sumKwh, double t, const QString& whereH,
             const QString& whereT) {
        const double p = sumKwh / daysOf(month, isLeap(year));
        checkDaily(p, whereH);
        checkTemperature(t, whereT);
        daily[month - 1] += p;
        temp[month - 1] += t;
        ++count[month - 1];
        years.insert(year);
    }

    void finish(ClimateYear& c, const QString& file) const {
        for (int m = 1; m <= 12; ++m) {
            if (count[m - 1] == 0)
                refuse(fileRef(file) +
                       QStringLiteral(": нет ни одной строки за месяц %1.").arg(monthText(m)));
            c.months[m - 1] = {daily[m - 1] / count[m - 1], temp[m - 1] / count[m - 1]};
        }
        c.years = int(years.size());
    }
};

int englishMonth(QStringView t) {
    static const char* names[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                  "jul", "aug", "sep", "oct", "nov", "dec"};
    for (int m = 0; m < 12; ++m)
        if (t.left(3).compare(QLatin1String(names[m]), Qt::CaseInsensitive) == 0)
            return m + 1;
    return 0;
}

// PVGIS monthly radiation as CSV: a block of "Latitude (decimal degrees): ..." lines, then a
// table "year month H(h)_m T2m" (tab-padded) of monthly sums in kW*h/m2, then a legend.
ClimateYear readPvgisMonthlyCsv(const QList<QStringView>& lines, const QString& file) {
    ClimateYear c;
    c.format = ClimateFormat::PvgisMonthlyCsv;
    Monthly acc;
    int i = 0;
    int yCol = -1, mCol = -1, hCol = -1, tCol = -1;
    for (; i < lines.size(); ++i) {
        const QStringView l = lines[i];
        if (auto v = headerValue(l, u"Latitude", file, i + 1))
            c.latitude = v;
        else if (auto w = headerValue(l, u"Longitude", file, i + 1))
            c.longitude = w;
        const QList<QStringView> t = tokens(l);
        if (t.contains(u"H(h)_m")) {
            for (int k = 0; k < t.size(); ++k) {
                if (t[k] == u"year")
                    yCol = k;
                else if (t[k] == u"month")
                    mCol = k;
                else if (t[k] == u"H(h)_m")
                    hCol = k;
                else if (t[k] == u"T2m")
                    tCol = k;
            }
            break;
        }
    }
    if (yCol < 0 || mCol < 0 || tCol < 0)
        refuse(at(file, i + 1) +
               QStringLiteral("в заголовке таблицы нужны столбцы \"year\", \"month\", \"H(h)_m\" и "
                              "\"T2m\" (радиация и температура)."));
    const int need = std::max({yCol, mCol, hCol, tCol}) + 1;
    for (++i; i < lines.size(); ++i) {
        const QList<QStringView> t = tokens(lines[i]);
        const int n = i + 1;
        if (t.isEmpty() || !startsWithDigit(t[0]))
            break;
        if (t.size() < need)
            refuse(at(file, n) + QStringLiteral("значений %1, нужно %2.").arg(t.size()).arg(need));
        const int year = int(number(t[yCol], at(file, n, QStringLiteral("year"))));
        int month = englishMonth(t[mCol]);
        if (month == 0) {
            const double v = number(t[mCol], at(file, n, QStringLiteral("month")));
            month = v >= 1 && v <= 12 && v == std::floor(v) ? int(v) : 0;
        }
        if (month == 0)
            refuse(at(file, n, QStringLiteral("month")) +
                   QStringLiteral("\"%1\" - не месяц.").arg(t[mCol].toString()));
        const double sum = number(t[hCol], at(file, n, QStringLiteral("H(h)_m")));
        const double temp = number(t[tCol], at(file, n, QStringLiteral("T2m")));
        acc.add(year, month, sum, temp,
                at(file, n, QStringLiteral("H(h)_m")) +
                    QStringLiteral("средняя дневная радиация: "),
                at(file, n, QStringLiteral("T2m")));
    }
    acc.finish(c, file);
    return c;
}

// PVGIS monthly radiation as JSON: inputs.location.{latitude, longitude} and outputs.monthly, a
// list of {year, month, "H(h)_m", T2m}.
ClimateYear readPvgisMonthlyJson(const QString& text, const QString& file) {
    ClimateYear c;
    c.format = ClimateFormat::PvgisMonthlyJson;
    QJsonParseError e;
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &e);
    if (e.error != QJsonParseError::NoError) {
        const int line = int(text.left(e.offset).count(u'\n')) + 1;
        refuse(at(file, line) + QStringLiteral("ошибка JSON: %1.").arg(e.errorString()));
    }
    const QJsonObject root = doc.object();
    const QJsonObject loc = root[QLatin1String("inputs")][QLatin1String("location")].toObject();
    if (loc.contains(QLatin1String("latitude")))
        c.latitude = loc[QLatin1String("latitude")].toDouble();
    if (loc.contains(QLatin1String("longitude")))
        c.longitude = loc[QLatin1String("longitude")].toDouble();
    const QJsonValue monthly = root[QLatin1String("outputs")][QLatin1String("monthly")];
    if (!monthly.isArray())
        refuse(fileRef(file) + QStringLiteral(": нет раздела outputs.monthly."));
    Monthly acc;
    const QJsonArray rows = monthly.toArray();
    for (int k = 0; k < rows.size(); ++k) {
        const QJsonObject r = rows[k].toObject();
        const auto where = [&](const QString& field) {
            return fileRef(file) +
                   QStringLiteral(", запись %1 раздела outputs.monthly, поле \"%2\": ")
                       .arg(k + 1)
                       .arg(field);
        };
        const auto value = [&](const char* key) {
            const QJsonValue v = r[QLatin1String(key)];
            if (!v.isDouble())
                refuse(where(QLatin1String(key)) + QStringLiteral("значения нет."));
            return v.toDouble();
        };
        const double year = value("year");
        const double month = value("month");
        if (month < 1 || month > 12 || month != std::floor(month))
            refuse(where(QStringLiteral("month")) +
                   QStringLiteral("%1 - не номер месяца.").arg(numberToText(month)));
        const double sum = value("H(h)_m");
        const double t = value("T2m");
        acc.add(int(year), int(month), sum, t,
                where(QStringLiteral("H(h)_m")) + QStringLiteral("средняя дневная радиация: "),
                where(QStringLiteral("T2m")));
    }
    acc.finish(c, file);
    return c;
}

// NASA POWER climatology as CSV: a "-BEGIN HEADER-" ... "-END HEADER-" block (the coordinates on
// its "Location:" line, the parameters with their units), then
// "PARAMETER,JAN,...,DEC,ANN" and a row per parameter; -999 marks a value the source lacks.
ClimateYear readNasaPower(const QList<QStringView>& lines, const QString& file) {
    ClimateYear c;
    c.format = ClimateFormat::NasaPowerCsv;
    static const QRegularExpression location(
        QStringLiteral("Latitude\\s+(-?[0-9.]+)\\s+Longitude\\s+(-?[0-9.]+)"));
    double radiationFactor = 1; // the RE community gives kW*h/(m2*day), others MJ/(m2*day)
    std::array<int, 12> col;
    col.fill(-1);
    std::optional<std::array<double, 12>> rad, temp;
    bool header = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QStringView l = lines[i].trimmed();
        const int n = i + 1;
        if (l.startsWith(u"Location:")) {
            const auto m = location.match(l.toString());
            if (m.hasMatch()) {
                c.latitude = number(m.capturedView(1), at(file, n, QStringLiteral("Latitude")));
                c.longitude = number(m.capturedView(2), at(file, n, QStringLiteral("Longitude")));
            }
            continue;
        }
        if (l.startsWith(u"ALLSKY_SFC_SW_DWN") && !header && l.contains(u"MJ/m^2/day"))
            radiationFactor = 1 / 3.6;
        const QList<QStringView> f = l.split(u',');
        if (f.size() > 1 && f[0].trimmed() == u"PARAMETER") {
            static const char* names[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                          "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
            for (int k = 0; k < f.size(); ++k)
                for (int m = 0; m < 12; ++m)
                    if (f[k].trimmed() == QLatin1String(names[m]))
                        col[m] = k;
            for (int m = 0; m < 12; ++m)
                if (col[m] < 0)
                    refuse(at(file, n) +
                           QStringLiteral("нет столбца \"%1\".").arg(QLatin1String(names[m])));
            header = true;
            continue;
        }
        if (!header || f.size() < 2)
            continue;
        const QStringView param = f[0].trimmed();
        const bool isRad = param == u"ALLSKY_SFC_SW_DWN";
        if (!isRad && param != u"T2M")
            continue;
        std::array<double, 12> v{};
        for (int m = 0; m < 12; ++m) {
            const QString field = param.toString() + QStringLiteral(" ") + monthNames()[m];
            if (col[m] >= f.size())
                refuse(at(file, n, field) + QStringLiteral("значения нет."));
            const double x = number(f[col[m]], at(file, n, field));
            if (x == -999)
                refuse(at(file, n, field) + QStringLiteral("значение отсутствует (-999)."));
            v[m] = isRad ? x * radiationFactor : x;
            if (isRad)
                checkDaily(v[m], at(file, n, field));
            else
                checkTemperature(v[m], at(file, n, field));
        }
        (isRad ? rad : temp) = v;
    }
    if (!header)
        refuse(fileRef(file) + QStringLiteral(": нет строки заголовка \"PARAMETER,JAN,...\"."));
    if (!rad || !temp)
        refuse(fileRef(file) +
               QStringLiteral(": нет строки %1.")
                   .arg(rad ? QStringLiteral("T2M") : QStringLiteral("ALLSKY_SFC_SW_DWN")));
    for (int m = 0; m < 12; ++m)
        c.months[m] = {(*rad)[m], (*temp)[m]};
    return c;
}

std::optional<ClimateFormat> detect(const QString& text, const QList<QStringView>& lines) {
    if (QStringView(text).trimmed().startsWith(u'{'))
        return ClimateFormat::PvgisMonthlyJson;
    for (const QStringView l : lines) {
        const QStringView t = l.trimmed();
        if (t.isEmpty())
            continue;
        if (t.startsWith(u"LOCATION,"))
            return ClimateFormat::Epw;
        if (t.startsWith(u"-BEGIN HEADER-") || t.startsWith(u"PARAMETER,"))
            return ClimateFormat::NasaPowerCsv;
        if (t.startsWith(u"time") && t.contains(u"G(h)"))
            return ClimateFormat::PvgisTmyCsv;
        if (tokens(t).contains(u"H(h)_m"))
            return ClimateFormat::PvgisMonthlyCsv;
    }
    return std::nullopt;
}

} // namespace

QString climateFormatName(ClimateFormat f) {
    switch (f) {
    case ClimateFormat::Epw:
        return QStringLiteral("EPW (EnergyPlus), типичный год");
    case ClimateFormat::PvgisTmyCsv:
        return QStringLiteral("PVGIS, типичный год (CSV)");
    case ClimateFormat::PvgisMonthlyCsv:
        return QStringLiteral("PVGIS, месячная радиация (CSV)");
    case ClimateFormat::PvgisMonthlyJson:
        return QStringLiteral("PVGIS, месячная радиация (JSON)");
    case ClimateFormat::NasaPowerCsv:
        return QStringLiteral("NASA POWER, климатология (CSV)");
    case ClimateFormat::StationEstimate:
        return QStringLiteral("справочник станций, оценка радиации по продолжительности "
                              "солнечного сияния (Ангстрем - Прескотт)");
    }
    return QString();
}

ClimateRead readClimateFile(const QByteArray& bytes, const QString& fileName,
                            const ClimateReadOptions& options) {
    ClimateRead r;
    try {
        const QString text = decode(bytes, fileName);
        const QList<QStringView> lines = linesOf(text);
        const auto format = detect(text, lines);
        if (!format)
            refuse(fileRef(fileName) +
                   QStringLiteral(": формат не распознан. Читаются файлы EPW, PVGIS (типичный год "
                                  "CSV, месячная радиация CSV и JSON) и климатология NASA POWER "
                                  "(CSV)."));
        switch (*format) {
        case ClimateFormat::Epw:
            r.data = readEpw(lines, fileName, options);
            break;
        case ClimateFormat::PvgisTmyCsv:
            r.data = readPvgisTmy(lines, fileName, options);
            break;
        case ClimateFormat::PvgisMonthlyCsv:
            r.data = readPvgisMonthlyCsv(lines, fileName);
            break;
        case ClimateFormat::PvgisMonthlyJson:
            r.data = readPvgisMonthlyJson(text, fileName);
            break;
        case ClimateFormat::NasaPowerCsv:
            r.data = readNasaPower(lines, fileName);
            break;
        case ClimateFormat::StationEstimate: // never told from a file's content
            refuse(fileRef(fileName) + QStringLiteral(": формат не распознан."));
        }
        if (r.data->latitude) {
            const double fi = *r.data->latitude;
            if (fi < -90 || fi > 90)
                refuse(fileRef(fileName) +
                       QStringLiteral(": широта %1 вне диапазона от -90 до 90 град.")
                           .arg(numberToText(fi)));
            if (fi < 0)
                r.data->warnings
                    << QStringLiteral(
                           "Место в южном полушарии (широта %1 град.): правило оптимального угла "
                           "наклона B рассчитано на северное полушарие; проверьте углы B.")
                           .arg(numberToText(fi));
        }
    } catch (const Refusal& e) {
        r.data.reset();
        r.error = e.text;
    }
    return r;
}

QStringList climateSummary(const ClimateYear& c, const QString& fileName) {
    QStringList s;
    if (c.format == ClimateFormat::StationEstimate)
        s << QStringLiteral("Источник: %1; станция %2.").arg(climateFormatName(c.format), fileName);
    else
        s << QStringLiteral("Источник: %1, файл \"%2\".")
                 .arg(climateFormatName(c.format), fileName);
    if (!c.site.isEmpty())
        s << QStringLiteral("Место: %1.").arg(c.site);
    if (c.latitude)
        s << QStringLiteral("Широта: %1 град.").arg(numberToText(roundHalfEven(*c.latitude, 3))) +
                 (c.longitude ? QStringLiteral("; долгота: %1 град.")
                                    .arg(numberToText(roundHalfEven(*c.longitude, 3)))
                              : QString());
    else
        s << QStringLiteral("Широта в файле не указана.");
    s << (c.sunHoursTemperature
              ? QStringLiteral("Tср. - средняя температура часов с солнцем (G(h) > 0).")
              : QStringLiteral("Tср. - среднемесячная температура."));
    if (c.years > 0)
        s << QStringLiteral("Среднее за лет: %1.").arg(c.years);
    return s;
}

} // namespace ses
