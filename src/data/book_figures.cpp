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

void buildBookFigures(Store& store) {
    const auto [nom, max] = loadWindows(store);
    for (const bool ac : {true, false}) {
        const QString table = ac ? QStringLiteral("sSutEP0") : QStringLiteral("sSutEP12_0");
        for (const QVariant& key : keys(store, table)) {
            const std::vector<Consumer> consumers = readBookConsumers(store, ac, key);
            if (consumers.empty())
                continue;
            const BookScheduleBuild b = buildBookSchedule(consumers, nom, max);
            if (!b.ok())
                continue;
            QVariantList binds = {QVariant(b.params.wpSut), QVariant(b.params.pnom),
                                  QVariant(b.params.pmax), QVariant(b.peak)};
            QString sql = QStringLiteral("UPDATE \"%1\" SET Wp_sut=?, Pnom30min=?, Pmax10min=?, "
                                         "Ppik=?")
                              .arg(table);
            if (ac) {
                sql += QStringLiteral(", ClearSinus=?");
                binds << QVariant(b.clearSinus ? 1 : 0);
            }
            store.exec(sql + QStringLiteral(" WHERE Kod=?"), binds << key);
        }
    }
    for (const QVariant& key : keys(store, QStringLiteral("sSut0"))) {
        IntervalTexts rows;
        QSqlQuery q = store.select(
            QStringLiteral("SELECT T1, T2, P FROM sSut1 WHERE Kod0=? ORDER BY Kod"), {key});
        while (q.next())
            rows.push_back({numberToText(q.value(0).toDouble()),
                            numberToText(q.value(1).toDouble()),
                            numberToText(q.value(2).toDouble())});
        if (rows.empty() || !testIntervals(rows).ok)
            continue;
        const ScheduleParams f = scheduleParameters(parseIntervals(rows), nom, max);
        store.exec(
            QStringLiteral("UPDATE sSut0 SET Wp_sut=?, Pnom30min=?, Pmax10min=? WHERE Kod=?"),
            {QVariant(f.wpSut), QVariant(f.pnom), QVariant(f.pmax), key});
    }
}

} // namespace ses
