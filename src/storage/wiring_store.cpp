#include "storage/wiring_store.h"

#include "data/data_module.h"
#include "data/store.h"

#include <QSqlQuery>

namespace ses {

namespace {

std::vector<ConnectorRating> ratings(TDataModule1& dm, const QString& table) {
    std::vector<ConnectorRating> rows;
    QSqlQuery q = dm.store().select(
        QStringLiteral("SELECT Tip, I FROM %1 WHERE I IS NOT NULL ORDER BY Kod").arg(table));
    while (q.next())
        rows.push_back({q.value(0).toString(), q.value(1).toDouble()});
    return rows;
}

} // namespace

std::vector<WireRating> wireCatalog(TDataModule1& dm) {
    std::vector<WireRating> rows;
    QSqlQuery q = dm.store().select(QStringLiteral(
        "SELECT Sech, Idop FROM kl WHERE Sech IS NOT NULL AND Idop IS NOT NULL ORDER BY Kod"));
    while (q.next())
        rows.push_back({q.value(0).toDouble(), q.value(1).toDouble()});
    return rows;
}

std::vector<ConnectorRating> connectorCatalog(TDataModule1& dm) {
    return ratings(dm, QStringLiteral("mc"));
}

std::vector<ConnectorRating> splitterCatalog(TDataModule1& dm) {
    return ratings(dm, QStringLiteral("mc_y"));
}

} // namespace ses
