#include "solar/climate_files.h"

#include "lib/months.h"
#include "lib/numbers.h"
#include "lib/ranges.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QVarLengthArray>

#include <algorithm>
#include <bitset>
#include <tuple>

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

void checkRange(double v, const PhysicalRange& r, const QString& where) {
    if (!r.admits(v))
        refuse(where + rangeRefusal(v, r));
}

void checkDaily(double p, const QString& where) {
    checkRange(p, kDailyRadiationRange, where);
}
void checkTemperature(double t, const QString& where) {
    checkRange(t, kAirTemperatureRange, where);
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
    if (const qsizetype zero = text.indexOf(QChar(0)); zero >= 0)
        refuse(at(file, int(QStringView(text).left(zero).count(u'\n')) + 1) +
               QStringLiteral("в тексте символ с кодом 0 (файл не текстовый или поврежден)."));
    return text;
}

QList<QStringView> linesOf(const QString& text) {
    QList<QStringView> lines = QStringView(text).split(u'\n');
    for (QStringView& l : lines)
        if (l.endsWith(u'\r'))
            l.chop(1);
    return lines;
}

// The fields of a line split at one separator. Tabs pad the PVGIS monthly table (double tabs), so
// empty fields are dropped there; with a comma or a semicolon every field counts.
QList<QStringView> tokens(QStringView line, QChar separator) {
    QList<QStringView> out;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == separator) {
            const QStringView t = line.mid(start, i - start).trimmed();
            if (!t.isEmpty() || separator != u'\t')
                out << t;
            start = i + 1;
        }
    }
    return out;
}

// The separator of a table's header line: a tab where there is one, else a semicolon, else a
// comma.
QChar separatorOf(QStringView header) {
    if (header.contains(u'\t'))
        return u'\t';
    if (header.contains(u';'))
        return u';';
    return u',';
}

bool hasMonthlyHeader(QStringView line) {
    return tokens(line, separatorOf(line)).contains(u"H(h)_m");
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
    std::array<double, 12> ghi{}, tAll{}, dhi{};
    bool diffuseKnown = true; // every hour gave its diffuse horizontal radiation
    std::array<int, 12> rows{};
    // Each hour of the year once: (month, day, hour) seen, so that a duplicated line never
    // stands in for a lost one.
    std::array<std::array<std::bitset<24>, 31>, 12> seen{};

    // month 1..12, day 1..31, hour 0..23; where() names the line when the hour repeats.
    template <typename Where>
    void add(int m, int day, int hour, double g, double t, std::optional<double> d,
             const Where& where) {
        auto&& slot = seen[m - 1][day - 1][hour];
        if (slot)
            refuse(where() + QStringLiteral("час %1 дня %2 месяца %3 уже был в файле.")
                                 .arg(hour)
                                 .arg(day)
                                 .arg(monthText(m)));
        slot = true;
        if (d)
            dhi[m - 1] += std::min(*d, g); // never more diffuse than global
        else
            diffuseKnown = false;
        ghi[m - 1] += g;
        tAll[m - 1] += t;
        ++rows[m - 1];
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
        for (int m = 1; m <= 12; ++m) {
            const int i = m - 1;
            const double days = rows[i] / 24.0;
            c.months[i].radiation = ghi[i] / days / 1000;
            checkDaily(
                c.months[i].radiation,
                fileRef(file) +
                    QStringLiteral(", месяц %1: средняя дневная радиация: ").arg(monthText(m)));
            // The mean of all the month's hours: the kind of Tsred the monthly files and the
            // starter catalogs give.
            c.months[i].temperature = tAll[i] / rows[i];
            if (diffuseKnown && ghi[i] > 0)
                c.months[i].diffuse = dhi[i] / ghi[i];
        }
    }
};

// A whole number of a file within [lo, hi]; the message names the field.
template <typename Where>
int wholeNumber(QStringView text, int lo, int hi, const Where& where, const QString& what) {
    const double v = number(text, where);
    if (v < lo || v > hi || v != std::floor(v))
        refuse(where() + QStringLiteral("\"%1\" - не %2 (от %3 до %4).")
                             .arg(text.trimmed().toString(), what)
                             .arg(lo)
                             .arg(hi));
    return int(v);
}

// EnergyPlus weather: header records (LOCATION, DESIGN CONDITIONS ... DATA PERIODS), then one
// record per hour: year, month, day, hour (1..24), minute, flags, dry-bulb temperature (field 7,
// C, missing 99.9) ... global horizontal radiation (field 14, W*h/m2, missing 9999).
ClimateYear readEpw(const QList<QStringView>& lines, const QString& file,
                    const ClimateReadOptions& o) {
    ClimateYear c;
    c.format = ClimateFormat::Epw;
    Hourly h;
    const QString fMonth = QStringLiteral("Month");
    const QString fDay = QStringLiteral("Day");
    const QString fHour = QStringLiteral("Hour");
    const QString fTemp = QStringLiteral("Dry Bulb Temperature");
    const QString fGhi = QStringLiteral("Global Horizontal Radiation");
    bool records = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QStringView l = lines[i];
        const int n = i + 1;
        if (l.trimmed().isEmpty())
            continue;
        if (!startsWithDigit(l)) {
            if (records)
                refuse(at(file, n) + QStringLiteral("среди часовых записей строка, которая не "
                                                    "начинается с года."));
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
                checkRange(*c.latitude, kLatitudeRange, at(file, n, QStringLiteral("Latitude")));
                checkRange(*c.longitude, kLongitudeRange, at(file, n, QStringLiteral("Longitude")));
            }
            continue;
        }
        records = true;
        const auto f = firstFields(l, 16);
        if (f.size() < 14)
            refuse(at(file, n) +
                   QStringLiteral("полей %1, в часовой записи EPW их не меньше 14.").arg(f.size()));
        const auto whereMonth = [&] { return at(file, n, fMonth); };
        const auto whereDay = [&] { return at(file, n, fDay); };
        const auto whereHour = [&] { return at(file, n, fHour); };
        const auto whereTemp = [&] { return at(file, n, fTemp); };
        const auto whereGhi = [&] { return at(file, n, fGhi); };
        const int month = wholeNumber(f[1], 1, 12, whereMonth, QStringLiteral("номер месяца"));
        const int day =
            wholeNumber(f[2], 1, daysOf(month, true), whereDay, QStringLiteral("день месяца"));
        const int hour = wholeNumber(f[3], 1, 24, whereHour, QStringLiteral("час"));
        const double t = number(f[6], whereTemp);
        if (t >= 99.9)
            refuse(whereTemp() +
                   QStringLiteral("значение отсутствует (%1).").arg(f[6].trimmed().toString()));
        if (!kAirTemperatureRange.admits(t))
            checkTemperature(t, whereTemp());
        const double g = number(f[13], whereGhi);
        if (g >= 9999)
            refuse(whereGhi() +
                   QStringLiteral("значение отсутствует (%1).").arg(f[13].trimmed().toString()));
        if (!kHourlyRadiationRange.admits(g))
            checkRange(g, kHourlyRadiationRange, whereGhi());
        // Field 16, the diffuse horizontal radiation, where the file has it (9999 missing).
        std::optional<double> d;
        if (f.size() >= 16) {
            bool ok = false;
            const double v = f[15].trimmed().toDouble(&ok);
            if (ok && std::isfinite(v) && v >= 0 && v < 9999)
                d = v;
        }
        h.add(month, day, hour - 1, g, t, d, whereHour);
    }
    h.finish(c, file, o);
    return c;
}

// The header line of an hourly table of PVGIS: "time(UTC),T2m,RH,G(h),...".
bool isPvgisHourlyHeader(QStringView line) {
    return line.startsWith(u"time(") || line.startsWith(u"time,");
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
    int tCol = -1, gCol = -1, dCol = -1;
    QStringList header;
    for (; i < lines.size(); ++i) {
        const QStringView l = lines[i];
        if (auto v = headerValue(l, u"Latitude", file, i + 1))
            c.latitude = v;
        else if (auto w = headerValue(l, u"Longitude", file, i + 1))
            c.longitude = w;
        if (isPvgisHourlyHeader(l)) {
            for (const QStringView f : l.split(u','))
                header << f.trimmed().toString();
            tCol = int(header.indexOf(QStringLiteral("T2m")));
            gCol = int(header.indexOf(QStringLiteral("G(h)")));
            dCol = int(header.indexOf(QStringLiteral("Gd(h)")));
            break;
        }
    }
    if (header.isEmpty())
        refuse(fileRef(file) + QStringLiteral(": нет строки заголовка часовой таблицы "
                                              "\"time(UTC),...\"."));
    if (tCol < 0 || gCol < 0) {
        const bool inclined = std::any_of(header.begin(), header.end(), [](const QString& h) {
            return h.endsWith(QLatin1String("(i)"));
        });
        refuse(at(file, i + 1) +
               QStringLiteral("в заголовке часовой таблицы PVGIS нужны столбцы \"T2m\" "
                              "(температура воздуха) и \"G(h)\" (радиация на горизонтальную "
                              "площадку), а в файле столбцы: %1.")
                   .arg(header.join(QStringLiteral(", "))) +
               (inclined ? QStringLiteral(" Это радиация на наклонную площадку: для региона "
                                          "нужен типичный год (TMY) PVGIS или часовой ряд на "
                                          "горизонтальную площадку.")
                         : QString()));
    }
    for (++i; i < lines.size(); ++i) {
        const QStringView l = lines[i];
        const int n = i + 1;
        if (!startsWithDigit(l))
            break; // the legend
        const QList<QStringView> f = l.split(u',');
        if (f.size() != header.size())
            refuse(at(file, n) +
                   QStringLiteral("полей %1, а в заголовке %2.").arg(f.size()).arg(header.size()));
        const QStringView time = f[0].trimmed();
        const auto whereTime = [&] { return at(file, n, header[0]); };
        // "ГГГГММДД:ЧЧММ", every character in place.
        bool shaped = time.size() == 13 && time[8] == u':';
        for (int k = 0; shaped && k < 13; ++k)
            shaped = k == 8 || time[k].isDigit();
        const int month = shaped ? time.mid(4, 2).toInt() : 0;
        const int day = shaped ? time.mid(6, 2).toInt() : 0;
        const int hour = shaped ? time.mid(9, 2).toInt() : -1;
        if (month < 1 || month > 12 || day < 1 || day > daysOf(month, true) || hour < 0 ||
            hour > 23 || time.mid(11, 2).toInt() > 59)
            refuse(whereTime() +
                   QStringLiteral("\"%1\" - не время вида ГГГГММДД:ЧЧММ.").arg(time.toString()));
        const double t = number(f[tCol], at(file, n, QStringLiteral("T2m")));
        checkTemperature(t, at(file, n, QStringLiteral("T2m")));
        const double g = number(f[gCol], at(file, n, QStringLiteral("G(h)")));
        checkRange(g, kHourlyRadiationRange, at(file, n, QStringLiteral("G(h)")));
        std::optional<double> d;
        if (dCol >= 0) {
            d = number(f[dCol], at(file, n, QStringLiteral("Gd(h)")));
            checkRange(*d, kHourlyRadiationRange, at(file, n, QStringLiteral("Gd(h)")));
        }
        h.add(month, day, hour, g, t, d, whereTime); // W/m2 over one hour = W*h/m2
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
    QSet<int> seen; // year * 100 + month: each month of each year once

    void add(int year, int month, double sumKwh, double t, const QString& whereH,
             const QString& whereT) {
        if (seen.contains(year * 100 + month))
            refuse(whereH + QStringLiteral("месяц %1 года %2 уже был в файле.")
                                .arg(monthText(month))
                                .arg(year));
        seen.insert(year * 100 + month);
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
            c.months[m - 1] = {daily[m - 1] / count[m - 1], temp[m - 1] / count[m - 1],
                               std::nullopt};
        }
        c.years = int(years.size());
    }
};

// The years a monthly file may hold.
constexpr int kFirstYear = 1800, kLastYear = 2200;

// "Jan" or "January" (any case); 0 for anything else.
int englishMonth(QStringView t) {
    static const char* names[] = {"january",   "february", "march",    "april",
                                  "may",       "june",     "july",     "august",
                                  "september", "october",  "november", "december"};
    for (int m = 0; m < 12; ++m) {
        const QLatin1String full(names[m]);
        if (t.compare(full, Qt::CaseInsensitive) == 0 ||
            t.compare(full.left(3), Qt::CaseInsensitive) == 0)
            return m + 1;
    }
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
    QChar separator = u'\t';
    qsizetype columns = 0;
    for (; i < lines.size(); ++i) {
        const QStringView l = lines[i];
        if (auto v = headerValue(l, u"Latitude", file, i + 1))
            c.latitude = v;
        else if (auto w = headerValue(l, u"Longitude", file, i + 1))
            c.longitude = w;
        if (hasMonthlyHeader(l)) {
            separator = separatorOf(l);
            const QList<QStringView> t = tokens(l, separator);
            columns = t.size();
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
    if (yCol < 0 || mCol < 0 || hCol < 0 || tCol < 0)
        refuse(at(file, i + 1) +
               QStringLiteral("в заголовке таблицы нужны столбцы \"year\", \"month\", \"H(h)_m\" и "
                              "\"T2m\" (радиация и температура)."));
    for (++i; i < lines.size(); ++i) {
        const QList<QStringView> t = tokens(lines[i], separator);
        const int n = i + 1;
        if (t.isEmpty() || (t.size() == 1 && t[0].isEmpty()) || !startsWithDigit(t[0]))
            break;
        // A decimal comma in a comma-separated table, or a stray field, shows as a count that
        // differs from the header's; a decimal comma between tabs fails as a number.
        if (t.size() != columns)
            refuse(at(file, n) +
                   QStringLiteral("значений %1, а в заголовке %2.").arg(t.size()).arg(columns));
        const auto whereYear = [&] { return at(file, n, QStringLiteral("year")); };
        const int year =
            wholeNumber(t[yCol], kFirstYear, kLastYear, whereYear, QStringLiteral("год"));
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
    for (const auto& [key, range, slot] :
         {std::tuple{"latitude", &kLatitudeRange, &c.latitude},
          std::tuple{"longitude", &kLongitudeRange, &c.longitude}}) {
        if (!loc.contains(QLatin1String(key)))
            continue;
        const QString where =
            fileRef(file) + QStringLiteral(", раздел inputs.location, поле \"%1\": ").arg(key);
        const QJsonValue v = loc[QLatin1String(key)];
        if (!v.isDouble())
            refuse(where + QStringLiteral("не число."));
        checkRange(v.toDouble(), *range, where);
        *slot = v.toDouble();
    }
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
        if (year < kFirstYear || year > kLastYear || year != std::floor(year))
            refuse(where(QStringLiteral("year")) + QStringLiteral("%1 - не год (от %2 до %3).")
                                                       .arg(numberToText(year))
                                                       .arg(kFirstYear)
                                                       .arg(kLastYear));
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
    qsizetype columns = 0;
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
            columns = f.size();
            continue;
        }
        if (!header || f.size() < 2)
            continue;
        const QStringView param = f[0].trimmed();
        const bool isRad = param == u"ALLSKY_SFC_SW_DWN";
        if (!isRad && param != u"T2M")
            continue;
        if (f.size() != columns)
            refuse(at(file, n) +
                   QStringLiteral("значений %1, а в заголовке %2.").arg(f.size()).arg(columns));
        if (isRad ? rad.has_value() : temp.has_value())
            refuse(at(file, n) +
                   QStringLiteral("строка %1 уже была в файле.").arg(param.toString()));
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
        c.months[m] = {(*rad)[m], (*temp)[m], std::nullopt};
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
        if (isPvgisHourlyHeader(t))
            return ClimateFormat::PvgisTmyCsv;
        if (hasMonthlyHeader(t))
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
    s << QStringLiteral("Tср. - среднемесячная температура воздуха (среднее за все часы месяца).");
    if (c.years > 0)
        s << QStringLiteral("Среднее за лет: %1.").arg(c.years);
    return s;
}

} // namespace ses
