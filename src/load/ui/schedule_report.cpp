#include "load/ui/schedule_report.h"

#include "reports/report_text.h"
#include "reports/report_writer.h"
#include "widgets/form_rows.h"

namespace ses {

void writeScheduleReport(ReportWriter& w, const ScheduleReport& r) {
    const QString q = QStringLiteral("\"");
    w.openReport();
    w.writeTitle(QStringLiteral("Суточный график ") + q + r.name + q + QStringLiteral(".\r\r"));

    w.writeHeading(QStringLiteral("Общие параметры суточного графика.\r"));
    std::vector<std::pair<QString, QString>> general = {
        {QStringLiteral("Наименование суточного графика"), r.name},
        {QStringLiteral("Срок действия суточного графика (месяцы)"),
         r.from + QStringLiteral(" - ") + r.to},
        {QStringLiteral("Регион размещения солнечной электростанции"), r.region}};
    if (r.dailyCycle)
        general.emplace_back(QStringLiteral("Суточный цикл работы солнечной электростанции"),
                             plusMinus(true));
    else
        general.emplace_back(
            QStringLiteral("Максимальное число последовательных \"часов без солнца\", час."),
            r.hoursWithoutSun);
    w.writePairsTable(general);

    if (r.withIntervals) {
        w.writeHeading(QStringLiteral("Таблица суточного графика нагрузки.\r"));
        std::vector<QStringList> rows = {
            {QStringLiteral("Т1, час."), QStringLiteral("Т2, час."), QStringLiteral("P, Вт")}};
        for (const auto& i : r.intervals)
            rows.push_back({i[0], i[1], i[2]});
        w.writeGridTable(rows);
        w.writeText(QStringLiteral("Примечание.\r"));
        w.writeText(QStringLiteral("Т1, час. - время начала периода времени, час.\r"));
        w.writeText(QStringLiteral("Т2, час. - время окончания периода времени, час.\r"));
        w.writeText(
            QStringLiteral("P, Вт - активная мощность электроустановки в период времени, Вт.\r"));
        w.writeHeading(QStringLiteral("Суточный график нагрузки.\r"));
        w.insertPicture(r.chart);
    }

    w.writeHeading(QStringLiteral("Расчетные параметры суточного графика.\r"));
    w.writePairsTable(
        {{QStringLiteral("Суточное потребление электроэнергии, Вт*ч"), r.wpSut},
         {reportLabel(r.nominalLabel), r.pnom},
         {reportLabel(r.maximumLabel), r.pmax},
         {reportLabel(r.peakLabel), r.peak},
         {QStringLiteral("Наличие потребителей, требующих форму выходного  сигнала инвертора "
                         "\"чистый синус\""),
          plusMinus(r.clearSinus)}});

    w.writeHeading(QStringLiteral("Параметры суточного графика \"без солнца\".\r"));
    std::vector<QStringList> monthly = {monthlyHeaders()};
    for (const QStringList& row : r.monthly)
        monthly.push_back(row);
    w.writeGridTable(monthly);
    w.writeText(QStringLiteral("Примечание.\r"));
    for (const QString& line : monthlyNoteLines())
        w.writeText(line + QStringLiteral("\r"));
}

} // namespace ses
