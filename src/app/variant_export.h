#pragma once
// The report of the variant dialog ("Экспорт..."): its current values in eight sections of label
// and value, leaving out the rows whose fields the dialog disables.

#include "app/variant_params.h"
#include "reports/report_writer.h"

namespace ses {

inline const QString kVariantReportTitle = QStringLiteral("Параметры варианта расчета.");

// Opens the report and writes its blocks; closing it is the caller's.
void writeVariantReport(ReportWriter& w, const VariantParams& p);
// Writes the whole report, from openReport to closeReport; returns closeReport's path.
QString exportVariantReport(ReportWriter& w, const VariantParams& p);

} // namespace ses
