#pragma once
// The report of the variant dialog ("Экспорт..."): its current values in eight sections of label
// and value, leaving out the rows whose fields the dialog disables.

#include "app/variant_params.h"
#include "reports/report_writer.h"

namespace ses {

inline const QString kVariantReportTitle = QStringLiteral("Параметры варианта расчета.");

// Writes the whole report from openReport on; closing it is the caller's.
void writeVariantReport(ReportWriter& w, const VariantParams& p);

} // namespace ses
