#pragma once
// The catalog editors described as data: per window its grids from master to detail (heading,
// table, columns with their captions and drop-down lists, place in the window), its note, and
// the hints of its copy and paste buttons. One form (catalog_form.h) builds every editor from
// its description.

#include <QString>
#include <QStringList>
#include <vector>

namespace ses {

enum class ListKind {
    None,
    Choice,          // picked from the list only; typing and editing keys beep
    ChoiceTypedOnly, // picked from the list only; typed characters beep, other keys pass
    Open,            // offers the list, accepts typed values too
};

struct ColumnDesc {
    QString field;
    QString title;
    ListKind list = ListKind::None;
    QStringList values;
    int width = 0; // the least width in pixels; 0: fitted to the texts
};

struct GridDesc {
    QString table;
    QString heading;    // bold, over the grid
    QString subheading; // a second line of the heading, or empty
    QString noteUnder;  // a note under the grid, or empty
    int row = 0;        // band of the window (each band: headings, then grids)
    int column = 0;
    int columnSpan = 1;
    int visibleRows = 10; // rows shown without scrolling
    int minWidth = 0;
    std::vector<ColumnDesc> columns;
};

struct CatalogDesc {
    QString className;
    QString topLine; // a line over the grids, or empty
    std::vector<GridDesc> grids;
    QStringList note;      // under "Примечание.", a line each
    QStringList helpLines; // under "Справка.", beside the note, or empty
    int noteRow = -1;      // band and column of the note; -1: under every grid
    int noteColumn = 0;
    bool independentGrids = false; // grids over unrelated tables (no master and detail)
    QString copyHint;              // empty: no copy and paste
    QString pasteHint;
};

const std::vector<CatalogDesc>& catalogDescs();
// Throws std::logic_error for a class without a description.
const CatalogDesc& catalogDesc(const QString& className);

} // namespace ses
