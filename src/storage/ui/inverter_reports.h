#pragma once
// The texts of the inverter windows' grids and their "Экспорт..." reports. Each report is
// written through a ReportWriter, so tests read it block by block from a recording writer.

#include "storage/inverter_ops.h"
#include "storage/ui/inverter_panels.h"

#include <QStringList>

namespace ses {

class ReportWriter;

// The inverters window: column titles, note lines and one load's row of twelve texts.
const QStringList& invFormTitles();
const QStringList& invFormNotes();
QStringList invFormRow(const InverterLoad& load, const InverterChoice& choice);
// The columns of the choice in a row: type, powers, waveform, efficiency, maker.
inline constexpr int kFirstChoiceColumn = 5;

// The tabular choice: column titles and note lines, and one candidate's row of nine texts.
const QStringList& tabInvTitles();
const QStringList& tabInvNotes();
QStringList tabInvRow(const CatalogInverter& inverter);

// The analysis window's note lines.
const QStringList& analysisNotes();

void writeInvFormReport(ReportWriter& w, const InverterVariant& variant,
                        const std::vector<QStringList>& rows);
void writeSelInvReport(ReportWriter& w, const Pairs& inputs, const Pairs& inverter);
void writeAnalysisReport(ReportWriter& w, const QStringList& rowTitles,
                         const std::vector<AnalysisBlock>& blocks);

} // namespace ses
