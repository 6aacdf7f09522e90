#pragma once
// The catalogs the user keeps, by the class name of the window that edits each: its tables from
// master to detail (independent tables in window order) and, for the equipment catalogs, the
// table whose rows are copied and pasted with the detail tables that travel with them. The
// editor windows, the CSV export and import and the data tool all read this one list.

#include <QString>
#include <QStringList>
#include <vector>

namespace ses {

struct CatalogDef {
    QString className;       // "TsInvForm" ...
    QStringList tables;      // masters before their details
    QString copyTable;       // empty: no copy and paste
    QStringList copyDetails; // detail tables copied along, each the detail of the one before
};

const std::vector<CatalogDef>& catalogDefs();
// nullptr when no catalog has that class name.
const CatalogDef* findCatalog(const QString& className);

} // namespace ses
