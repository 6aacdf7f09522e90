#include "app/param_comparison.h"

#include "app/variant_params.h"
#include "reports/recording_report_writer.h"

#include <gtest/gtest.h>

#include "lib/qt_print.h"

using namespace ses;

namespace {

// A variant with every parameter at the dialog's factory value, as the store holds them.
ComparedVariant variant(const QString& name) {
    ComparedVariant v;
    v.name = name;
    const VariantParams p = factoryParams();
    for (const auto& [column, value] : paramColumns(p, ParamTable::Variant))
        v.columns[column] = value;
    v.columns["VarName"] = name;
    const QStringList months = {"январь", "февраль", "март"};
    for (int m = 0; m < months.size(); ++m)
        v.months.push_back({months[m], 8.0 + m, 17.0 + m, 15.0});
    return v;
}

int rowOf(const QString& column) {
    const auto& rows = paramComparisonRows();
    for (int r = 0; r < int(rows.size()); ++r)
        if (rows[r].column == column)
            return r;
    return -1;
}

// The rows whose variant cells are turquoise.
std::vector<int> differing(const ShownTable& t) {
    std::vector<int> out;
    for (int r = 0; r < int(t.roles.size()); ++r)
        if (t.roles[r].size() > 1 && t.roles[r][1] == ParamCellRole::Differs)
            out.push_back(r);
    return out;
}

} // namespace

TEST(ParamComparison, RowsLabelsAndRoles) {
    const auto& rows = paramComparisonRows();
    ASSERT_EQ(rows.size(), 78u);
    EXPECT_EQ(rows[0].label, "Параметры варианта расчета.");
    EXPECT_EQ(rows[38].label, "Способ прокладки кабельного контура \"массив СП - контроллер\"");
    EXPECT_EQ(rows[77].column, "Kzap_Pr_AKB_Output_U");
    const ParamComparison c = compareParams({variant("А"), variant("Б")});
    ASSERT_EQ(c.params.rows.size(), 78u);
    EXPECT_EQ(c.params.rows[0], QStringList({"Параметры варианта расчета.", "А", "Б"}));
    for (int r : {1, 4, 6, 13, 19, 25, 37, 52}) {
        EXPECT_EQ(c.params.rows[r].mid(1), QStringList({"", ""})) << r;
        EXPECT_EQ(c.params.roles[r], std::vector<ParamCellRole>(3, ParamCellRole::Group)) << r;
    }
    EXPECT_EQ(c.params.roles[0], std::vector<ParamCellRole>(3, ParamCellRole::Heading));
    EXPECT_EQ(c.params.roles[2],
              std::vector<ParamCellRole>(
                  {ParamCellRole::Label, ParamCellRole::Same, ParamCellRole::Same}));
    // Equal settings differ only in the name row, which is a heading.
    EXPECT_TRUE(differing(c.params).empty());
}

TEST(ParamComparison, OneChangedReserveFactorAndChargeBasis) {
    ComparedVariant a = variant("А");
    ComparedVariant b = variant("Б");
    b.columns["Kzap_AV_Inv_I"] = 1.5;
    b.columns["Izar_min"] = kIzarMax; // Kzar_min moves from row 29 to row 30
    const ParamComparison c = compareParams({a, b});
    EXPECT_EQ(differing(c.params), std::vector<int>({29, 30, rowOf("Kzap_AV_Inv_I")}));
    EXPECT_EQ(c.params.rows[62], QStringList({c.params.rows[62][0], "1,2", "1,5"}));
    // The factory basis: Kzar_min in row 29 and Kzar_max in row 32, rows 30 and 31 empty.
    EXPECT_EQ(c.params.rows[29].mid(1), QStringList({"1", ""}));
    EXPECT_EQ(c.params.rows[30].mid(1), QStringList({"", "1"}));
    EXPECT_EQ(c.params.rows[31].mid(1), QStringList({"", ""}));
    EXPECT_EQ(c.params.rows[32].mid(1), QStringList({"1", "1"}));
}

TEST(ParamComparison, CodedTextsFlagsAndEmptyFields) {
    ComparedVariant v = variant("А");
    v.columns["Par_AV_AKB_Inv"] = 3;
    v.columns["Par_Pr_Ctrl_AKB"] = 1;
    v.columns["ParamNagr"] = 2;
    v.columns["Sel_Tbl_AKB_Inv"] = 1;
    v.columns["UsePpik_Inv"] = 1;
    v.columns["Region"] = QVariant();
    const ParamComparison c = compareParams({v});
    const auto cell = [&](int row) { return c.params.rows[row][1]; };
    EXPECT_EQ(cell(5), "известны параметры электроприемников и время их работы");
    EXPECT_EQ(cell(50), "оптимальных сечений кабелей \"АБ-инвертор\"");
    EXPECT_EQ(cell(51), "по номинальному току инвертора");
    EXPECT_EQ(cell(60), "по максимальному току контроллера");
    EXPECT_EQ(cell(61), "по пиковому току инвертора");
    EXPECT_EQ(cell(72), "по току заряда АБ от контроллера");
    EXPECT_EQ(cell(73), "по номинальной мощности инвертора");
    EXPECT_EQ(cell(10), "+");
    EXPECT_EQ(cell(11), "-");
    EXPECT_EQ(cell(14), "");
    EXPECT_EQ(cell(2), "24");
    EXPECT_EQ(cell(12), "0,9");
    // One variant: nothing is turquoise.
    EXPECT_TRUE(differing(c.params).empty());
}

TEST(ParamComparison, MonthsAlignByNameAndSunRowsColourByEitherHour) {
    ComparedVariant a = variant("А");
    ComparedVariant b = variant("А"); // the same name: still two columns
    // b lacks February and lists March first; its January sunset is later.
    b.months = {{"март", 10.0, 19.0, 15.0}, {"январь", 8.0, 18.0, 15.0}};
    const ParamComparison c = compareParams({a, b});
    EXPECT_EQ(c.temperature.rows[0], QStringList({" Месяц", "А", "А"}));
    EXPECT_EQ(c.sun.rows[0], QStringList({" Месяц", "Восход, час.", "Закат, час.", "Восход, час.",
                                          "Закат, час."}));
    EXPECT_EQ(c.strip, QStringList({" Вариант", "А", "А"}));
    const std::vector<QStringList> sun = {
        {" Месяц", "Восход, час.", "Закат, час.", "Восход, час.", "Закат, час."},
        {"январь", "8", "17", "8", "18"},
        {"февраль", "9", "18", "", ""},
        {"март", "10", "19", "10", "19"},
    };
    EXPECT_EQ(c.sun.rows, sun);
    EXPECT_EQ(differing(c.sun), std::vector<int>({1, 2}));
    EXPECT_EQ(c.temperature.rows[2], QStringList({"февраль", "15", ""}));
    EXPECT_EQ(differing(c.temperature), std::vector<int>({2}));
    EXPECT_EQ(c.sun.roles[1][0], ParamCellRole::Heading);
}

TEST(ParamComparison, NothingTickedLeavesTitlesOnly) {
    const ParamComparison c = compareParams({});
    ASSERT_EQ(c.params.rows.size(), 78u);
    EXPECT_EQ(c.params.rows[0].size(), 1);
    EXPECT_EQ(c.temperature.rows, std::vector<QStringList>({{" Месяц"}}));
    EXPECT_EQ(c.sun.rows, std::vector<QStringList>({{" Месяц"}}));
    EXPECT_EQ(c.strip, QStringList({" Вариант"}));
}

TEST(ParamComparison, ReportInOrderWithTheNote) {
    RecordingReportWriter w;
    writeParamComparison(w, compareParams({variant("А"), variant("Б"), variant("В")}));
    const QStringList expected = {
        "text: Сравнительная таблица параметров вариантов.\r\r",
        "grid 78x4",
        "text: \rТемпература эксплуатации АБ.\r\r",
        "grid 4x4",
        "text: \rСреднемесячное время восхода и заката солнца.\r\r",
        "grid 4x7",
        "text: Примечание (номер столбца таблицы - принадлежность данных столбца варианту "
        "расчета).\r",
        "text: 2, 3 - А;\r",
        "text: 4, 5 - Б;\r",
        "text: 6, 7 - В.\r",
    };
    EXPECT_EQ(w.summary(), expected);
}
