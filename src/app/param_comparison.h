#pragma once
// The parameters of several variants side by side, without the window: the table of 78 rows with
// the coded texts of the variant dialog's lists (one source for the dialog and this table), the
// monthly battery temperatures, the sunrise and sunset hours, the colour role of every cell and
// the report.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <map>
#include <optional>
#include <vector>

namespace ses {

class ReportWriter;

// One day-light row of a variant as stored.
struct VariantMonthRow {
    QString month;
    std::optional<double> sunrise, sunset, temperature; // Voshod10, Zakat10, TempAB
};

// What the comparison reads of a variant.
struct ComparedVariant {
    qint64 key = 0;
    QString name;
    std::map<QString, QVariant> columns; // project1 by column name; a missing one is null
    std::vector<VariantMonthRow> months; // in table order
};

// How a row of the parameter table shows its variant cells.
enum class ParamRowKind {
    Name,   // the variant's name
    Group,  // a group heading, no values
    Plain,  // the field's text
    Flag,   // "+" or "-"
    Coded,  // the text of the entry of the dialog's list
    Charge, // Kzar_min / Kzar_max shown in the row of its Izar_min / Izar_max basis
};

struct ParamRowDef {
    QString label;
    QString column; // empty for the name and the group headings
    ParamRowKind kind;
};
const std::vector<ParamRowDef>& paramComparisonRows();

// The colour of a cell: heading (button face), group heading (silver), the label column, a
// variant cell equal in every variant (white) or one that differs (turquoise).
enum class ParamCellRole { Heading, Group, Label, Same, Differs };

struct ShownTable {
    std::vector<QStringList> rows; // the first row holds the column titles
    std::vector<std::vector<ParamCellRole>> roles;
};

struct ParamComparison {
    ShownTable params;
    ShownTable temperature;
    ShownTable sun;
    QStringList strip; // over the sun table: " Вариант", then each variant's name
    QStringList names; // the compared variants
};

// The three tables of the variants given (the ticked ones, in table order). With none, each
// table holds its titles alone.
ParamComparison compareParams(const std::vector<ComparedVariant>& variants);

// The text of a variant's cell in a row of the parameter table.
QString paramCellText(const ParamRowDef& row, int index, const ComparedVariant& v);

// "Экспорт...": the three tables with their captions and the note naming the variant of each
// pair of sun-table columns.
void writeParamComparison(ReportWriter& w, const ParamComparison& c);
// The note's lines: the caption and one line per variant.
QStringList paramComparisonNote(const QStringList& names);

} // namespace ses
