#include "app/param_comparison_store.h"

#include "data/data_module.h"
#include "data/optional_number.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace ses {

ComparedVariant readComparedVariant(TDataModule1& dm, qint64 key) {
    ComparedVariant v;
    QSqlQuery q = dm.store().select(QStringLiteral("SELECT * FROM project1 WHERE Kod = ?"), {key});
    if (!q.next())
        return v;
    v.key = key;
    const QSqlRecord r = q.record();
    for (int i = 0; i < r.count(); ++i)
        v.columns.emplace(r.fieldName(i), q.value(i));
    v.name = q.value(QStringLiteral("VarName")).toString();
    QSqlQuery m = dm.store().select(
        QStringLiteral("SELECT MonthName, Voshod10, Zakat10, TempAB FROM proj_sunday "
                       "WHERE Kod0 = ? ORDER BY Kod"),
        {key});
    while (m.next())
        v.months.push_back({m.value(0).toString(), optionalNumber(m.value(1)),
                            optionalNumber(m.value(2)), optionalNumber(m.value(3))});
    return v;
}

} // namespace ses
