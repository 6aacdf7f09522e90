#include "storage/ui/inverter_reports.h"

#include "lib/numbers.h"
#include "reports/report_text.h"
#include "reports/report_writer.h"

namespace ses {

const QStringList& invFormTitles() {
    static const QStringList titles = {QStringLiteral("Наименование нагрузки"),
                                       QStringLiteral("Рном., Вт"),
                                       QStringLiteral("Рмакс., Вт"),
                                       QStringLiteral("Рпик., Вт"),
                                       QStringLiteral("Чистый синус"),
                                       QStringLiteral("Тип инвертора"),
                                       QStringLiteral("Рном.и, Вт"),
                                       QStringLiteral("Рмакс.и, Вт"),
                                       QStringLiteral("Рпик.и, Вт"),
                                       QStringLiteral("Форма сигнала"),
                                       QStringLiteral("КПД, о.е."),
                                       QStringLiteral("Компания")};
    return titles;
}

const QStringList& invFormNotes() {
    static const QStringList notes = {
        QStringLiteral("Наименование нагрузки - наименование нагрузки, подключаемой к инвертору."),
        QStringLiteral("Рном., Вт - номинальная мощность нагрузки, Вт."),
        QStringLiteral("Рмакс., Вт - максимальная мощность нагрузки, Вт."),
        QStringLiteral("Рпик., Вт - пиковая мощность нагрузки, Вт."),
        QStringLiteral("Чистый синус - наличие в нагрузке потребителей, требующих форму "
                       "выходного сигнала \"чистый синус\" ('+' - есть, \"-\" - нет)."),
        QStringLiteral("Тип инвертора - тип инвертора, подключаемого к нагрузке."),
        QStringLiteral("Рном.и, Вт - номинальная мощность инвертора, Вт."),
        QStringLiteral("Рмакс.и, Вт - максимальная мощность инвертора, Вт."),
        QStringLiteral("Рпик.и, Вт - пиковая мощность инвертора, Вт."),
        QStringLiteral("Форма сигнала - форма выходного сигнала инвертора."),
        QStringLiteral("КПД, о.е. - коэффициент полезного действия инвертора, о.е."),
        QStringLiteral("Компания - компания-производитель инвертора.")};
    return notes;
}

QStringList invFormRow(const InverterLoad& load, const InverterChoice& choice) {
    return {load.name,
            numberToText(load.pnom),
            numberToText(load.pmax),
            numberToText(load.ppik),
            plusMinus(load.clearSinus),
            choice.name,
            numberToText(choice.pnom),
            numberToText(choice.pmax),
            numberToText(choice.ppik),
            choice.forma,
            numberToText(choice.kpd),
            choice.company};
}

const QStringList& tabInvTitles() {
    // The power columns are headed with a Latin P, as in the catalog editor.
    static const QStringList titles = {QStringLiteral("Компания-производитель"),
                                       QStringLiteral("Тип"),
                                       QStringLiteral("Pном., Вт"),
                                       QStringLiteral("Pмакс., Вт"),
                                       QStringLiteral("Pпик., Вт"),
                                       QStringLiteral("Uвых., В"),
                                       QStringLiteral("Uвх., В"),
                                       QStringLiteral("Форма сигнала"),
                                       QStringLiteral("КПД, о.е.")};
    return titles;
}

const QStringList& tabInvNotes() {
    static const QStringList notes = {
        QStringLiteral("Компания-производитель - компания-производитель инвертора."),
        QStringLiteral("Тип - тип инвертора."),
        QStringLiteral("Рном., Вт - номинальная мощность инвертора, Вт."),
        QStringLiteral("Рмакс., Вт - максимальная мощность инвертора (до 10 минут), Вт."),
        QStringLiteral("Рпик., Вт - пиковая мощность инвертора (6 секунд), Вт."),
        QStringLiteral("Uвых., В - выходное напряжение переменного тока инвертора, В."),
        QStringLiteral("Uвх., В - входное напряжение постоянного тока инвертора, В."),
        QStringLiteral("Форма сигнала - форма выходного сигнала инвертора."),
        QStringLiteral("КПД, о.е. - коэффициент полезного действия инвертора, о.е.")};
    return notes;
}

QStringList tabInvRow(const CatalogInverter& i) {
    return {i.model.company,
            i.model.name,
            numberToText(i.model.pnom),
            numberToText(i.model.pmax),
            numberToText(i.model.ppik),
            numberToText(i.uvuh),
            numberToText(i.uvh),
            i.model.forma,
            numberToText(i.model.kpd)};
}

const QStringList& analysisNotes() {
    static const QStringList notes = {
        QStringLiteral("Параметры нагрузок и суточных графиков, определяющие выбор инверторов."),
        QStringLiteral("В ячейках столбцов \"значение\" содержатся расчетные значения "
                       "параметров, используемые для выбора инверторов (ячейки выделены "
                       "бирюзовым цветом).")};
    return notes;
}

void writeInvFormReport(ReportWriter& w, const InverterVariant& variant,
                        const std::vector<QStringList>& rows) {
    const auto intText = [](std::optional<int> x) { return x ? QString::number(*x) : QString(); };
    w.openReport();
    w.writeTitle(QStringLiteral("Инверторы.\r\r"));
    w.writePairsTable({{QStringLiteral("Напряжение системы, В"), intText(variant.uses)},
                       {QStringLiteral("Выходное напряжение переменного тока (50 Гц), В"),
                        intText(variant.uvuh)}});
    w.writeHeading(QStringLiteral("\rПараметры нагрузок и инверторов.\r"));
    std::vector<QStringList> table = {invFormTitles()};
    table.insert(table.end(), rows.begin(), rows.end());
    w.writeGridTable(table);
    w.writeText(QStringLiteral("Примечание.\r"));
    for (const QString& line : invFormNotes())
        w.writeText(line + QStringLiteral("\r"));
}

void writeSelInvReport(ReportWriter& w, const Pairs& inputs, const Pairs& inverter) {
    w.openReport();
    w.writeTitle(QStringLiteral("Выбор инвертора.\r\r"));
    w.writeHeading(QStringLiteral("Исходные данные.\r"));
    w.writePairsTable(inputs);
    w.writeHeading(QStringLiteral("\rИнвертор.\r"));
    w.writePairsTable(inverter);
}

void writeAnalysisReport(ReportWriter& w, const QStringList& rowTitles,
                         const std::vector<AnalysisBlock>& blocks) {
    w.openReport();
    w.writeTitle(QStringLiteral("Анализ выбора инверторов.\r\r"));
    w.writeHeading(analysisNotes().front() + QStringLiteral("\r"));
    for (const AnalysisBlock& b : blocks) {
        w.writeText(QStringLiteral("\rНаименование нагрузки: ") + b.load + QStringLiteral("\r"));
        std::vector<QStringList> rows;
        for (int r = 0; r < int(rowTitles.size()); ++r) {
            QStringList row = {rowTitles[r]};
            for (const QStringList& column : b.columns)
                row << column.value(r);
            rows.push_back(row);
        }
        w.writeGridTable(rows);
    }
}

} // namespace ses
