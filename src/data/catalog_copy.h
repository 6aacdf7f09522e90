#pragma once
// Copy and paste of an equipment record in the catalog editors: the copied row as the texts the
// grids show (the name with "_" appended, so that the copy never meets its original), with its
// detail rows (a controller's ratings with their battery types, a breaker's or fuse's inverter
// rows). A paste writes the row and all its details in one transaction: all of it or nothing.

#include "data/catalogs.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace ses {

class TDataModule1;

struct CopiedRecord {
    QStringList texts;                 // the columns from the third on, in column order
    std::vector<CopiedRecord> details; // the rows of the next copied detail table, in key order
};

// The current row of def.copyTable with its details; nullopt when the table has no current row.
// The detail tables return to the rows they stood on.
std::optional<CopiedRecord> copyCatalogRecord(TDataModule1& dm, const CatalogDef& def);

enum class PasteInto {
    NewRow,    // a new row under the current master (a row being inserted takes the values)
    EditedRow, // the row being edited is overwritten and its details replaced
};

// Which row the data refused; the data module has already said why.
struct PasteRefusal {
    QString table;  // the copied table or one of its detail tables
    int level = 0;  // 0: the copied row; 1, 2: a detail row
    int number = 0; // 1-based number of the refused row among the pasted rows of its table
    QString text;   // the first copied text of that row
};

// Pastes rec into def.copyTable. On a refusal nothing stays written; a refused copied row stays
// in editing with the pasted values so that the user can correct it, a refused detail row
// undoes the whole paste. Throws DbError when the store fails.
std::optional<PasteRefusal> pasteCatalogRecord(TDataModule1& dm, const CatalogDef& def,
                                               const CopiedRecord& rec, PasteInto into);

} // namespace ses
