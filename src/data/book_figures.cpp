#include "data/book_figures.h"

#include "data/store.h"
#include "lib/numbers.h"
#include "load/consumers.h"

#include <QSqlQuery>

namespace ses {

namespace {

std::pair<int, int> loadWindows(Store& store) {
    int nom = 30, max = 10;
    QSqlQuery q =
        store.select(QStringLiteral("SELECT SutGr_Pnom_Time, SutGr_Pmax_Time FROM param"));
    if (q.next()) {
        if (!q.value(0).isNull())
            nom = q.value(0).toInt();
        if (!q.value(1).isNull())
            max = q.value(1).toInt();
    }
    return {nom, max};
}

QVariantList keys(Store& store, const QString& table) {
    QVariantList out;
    QSqlQuery q = store.select(QStringLiteral("SELECT Kod FROM \"%1\" ORDER BY Kod").arg(table));
    while (q.next())
        out << q.value(0);
    return out;
}

} // namespace

std::vector<Consumer> readBookConsumers(Store& store, bool ac, const QVariant& scheduleKey) {
    const QString consumers = ac ? QStringLiteral("sSutEP1") : QStringLiteral("sSutEP12_1");
    const QString periods = ac ? QStringLiteral("sSutEP2") : QStringLiteral("sSutEP12_2");
    std::vector<Consumer> out;
    QSqlQuery q = store.select(
        QStringLiteral("SELECT Kod, Name, SPnom, SPpik, %1, Rejim FROM \"%2\" WHERE Kod0=? "
                       "ORDER BY Kod")
            .arg(ac ? QStringLiteral("ClearSinus") : QStringLiteral("0"), consumers),
        {scheduleKey});
    while (q.next()) {
        Consumer c;
        c.name = q.value(1).toString();
        c.spnom = q.value(2).toDouble();
        c.sppik = q.value(3).toDouble();
        c.clearSinus = q.value(4).toBool();
        c.rejim = q.value(5).toString();
        QSqlQuery p = store.select(
            QStringLiteral("SELECT T1, T2 FROM \"%1\" WHERE Kod0=? ORDER BY Kod").arg(periods),
            {q.value(0)});
        while (p.next()) {
            ConsumerPeriod period;
            period.t1 = p.value(0).toDouble();
            period.t2 = p.value(1).toDouble();
            period.t1Text = numberToText(period.t1);
            period.t2Text = numberToText(period.t2);
            c.periods.push_back(period);
        }
        out.push_back(std::move(c));
    }
    return out;
}

void buildBookFigures(Store& store, const QStringList& scheduleTables) {
    const auto [nom, max] = loadWindows(store);
    const auto wanted = [&](const QString& table) {
        return scheduleTables.isEmpty() || scheduleTables.contains(table);
    };
    const auto write = [&store](const QString& table, const QVariant& key,
                                std::optional<ScheduleParams> f, double peak,
                                std::optional<bool> clearSinus) {
        const auto value = [&f](double v) { return f ? QVariant(v) : QVariant(); };
        QVariantList binds = {value(f ? f->wpSut : 0), value(f ? f->pnom : 0),
                              value(f ? f->pmax : 0)};
        QString sql =
            QStringLiteral("UPDATE \"%1\" SET Wp_sut=?, Pnom30min=?, Pmax10min=?").arg(table);
        if (table != QLatin1String("sSut0")) {
            sql += QStringLiteral(", Ppik=?");
            binds << value(peak);
        }
        if (clearSinus) {
            sql += QStringLiteral(", ClearSinus=?");
            binds << QVariant(f && *clearSinus ? 1 : 0);
        }
        store.exec(sql + QStringLiteral(" WHERE Kod=?"), binds << key);
    };
    for (const bool ac : {true, false}) {
        const QString table = ac ? QStringLiteral("sSutEP0") : QStringLiteral("sSutEP12_0");
        if (!wanted(table))
            continue;
        for (const QVariant& key : keys(store, table)) {
            const std::vector<Consumer> consumers = readBookConsumers(store, ac, key);
            const BookScheduleBuild b = buildBookSchedule(consumers, nom, max);
            const bool ok = !consumers.empty() && b.ok();
            write(table, key, ok ? std::optional(b.params) : std::nullopt, b.peak,
                  ac ? std::optional(b.clearSinus) : std::nullopt);
        }
    }
    if (!wanted(QStringLiteral("sSut0")))
        return;
    for (const QVariant& key : keys(store, QStringLiteral("sSut0"))) {
        IntervalTexts rows;
        QSqlQuery q = store.select(
            QStringLiteral("SELECT T1, T2, P FROM sSut1 WHERE Kod0=? ORDER BY Kod"), {key});
        while (q.next())
            rows.push_back({numberToText(q.value(0).toDouble()),
                            numberToText(q.value(1).toDouble()),
                            numberToText(q.value(2).toDouble())});
        const bool ok = !rows.empty() && testIntervals(rows).ok;
        write(QStringLiteral("sSut0"), key,
              ok ? std::optional(scheduleParameters(parseIntervals(rows), nom, max)) : std::nullopt,
              0, std::nullopt);
    }
}

} // namespace ses
