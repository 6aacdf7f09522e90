#include "solar/coefficients_view.h"

#include "data/data_module.h"
#include "lib/months.h"
#include "lib/numbers.h"

#include <QSqlQuery>

#include <algorithm>

namespace ses {

namespace {

QString numberText(std::optional<double> x) {
    return x ? numberToText(*x) : QString();
}

std::optional<double> number(const QVariant& v) {
    if (v.isNull())
        return std::nullopt;
    return v.toDouble();
}

} // namespace

int CoefficientTable::columnCount() const {
    return kFixedColumns + kColumnsPerArray * int(arrays.size()) + 1;
}

QStringList CoefficientTable::headings() const {
    QStringList h{QStringLiteral("Месяц"), QStringLiteral("Аопт., град."),
                  QStringLiteral("Вопт., град.")};
    for (size_t i = 0; i < arrays.size(); ++i)
        h << QStringLiteral("  А, град.") << QStringLiteral("  В, град.")
          << QStringLiteral("  С, град.") << QStringLiteral("  Кпроиз.");
    h << QStringLiteral("  Кпр.сб");
    return h;
}

QString CoefficientTable::text(int row, int column) const {
    if (row < 0 || row >= int(months.size()) || column < 0 || column >= columnCount())
        return {};
    const CoefficientMonth& m = months[row];
    switch (column) {
    case 0:
        return m.month;
    case 1:
        return numberToText(kOptimalOrientation);
    case 2:
        return numberText(m.optimalTilt);
    default:
        break;
    }
    if (column == columnCount() - 1) {
        const bool refused = std::any_of(m.arrays.begin(), m.arrays.end(),
                                         [](const ArrayMonth& a) { return a.refused(); });
        return refused ? kRefusedCell : numberText(m.battery);
    }
    const int a = (column - kFixedColumns) / kColumnsPerArray;
    const ArrayMonth& am = m.arrays[a];
    switch ((column - kFixedColumns) % kColumnsPerArray) {
    case 0:
        return numberText(arrays[a].orientation);
    case 1:
        return numberText(arrays[a].tilt);
    case 2:
        return numberText(am.angle);
    default:
        return am.refused() ? kRefusedCell : numberText(am.coefficient);
    }
}

QString CoefficientTable::refusal(int row, int column) const {
    if (row < 0 || row >= int(months.size()) || column < kFixedColumns ||
        column >= columnCount() - 1 || (column - kFixedColumns) % kColumnsPerArray != 3)
        return {};
    const ArrayMonth& am = months[row].arrays[(column - kFixedColumns) / kColumnsPerArray];
    return am.refused() ? coefficientRefusal(*am.angle) : QString();
}

std::vector<double> CoefficientTable::refusedAngles() const {
    std::vector<double> angles;
    for (const CoefficientMonth& m : months)
        for (const ArrayMonth& a : m.arrays)
            if (a.refused() && std::find(angles.begin(), angles.end(), *a.angle) == angles.end())
                angles.push_back(*a.angle);
    return angles;
}

QStringList CoefficientTable::entries() const {
    QStringList e;
    for (const CoefficientArray& a : arrays)
        e << a.name;
    e << QStringLiteral("СБ");
    return e;
}

std::optional<double> CoefficientTable::value(int row, int entry) const {
    if (row < 0 || row >= int(months.size()) || entry < 0 || entry > int(arrays.size()))
        return std::nullopt;
    const CoefficientMonth& m = months[row];
    return entry == int(arrays.size()) ? m.battery : m.arrays[entry].coefficient;
}

CoefficientTable coefficientTable(const std::vector<RegionMonthTilt>& regionMonths,
                                  const std::vector<MonthRange>& ranges,
                                  const std::vector<CoefficientArray>& arrays,
                                  const std::vector<LossRow>& loss,
                                  std::optional<double> totalPower) {
    CoefficientTable t;
    t.arrays = arrays;
    for (const RegionMonthTilt& rm : regionMonths) {
        const bool used = std::any_of(ranges.begin(), ranges.end(), [&rm](const MonthRange& r) {
            return monthInRange(rm.month, r.first, r.last);
        });
        if (!used)
            continue;
        CoefficientMonth m{rm.month, rm.tilt, {}, std::nullopt};
        std::vector<ArrayShare> shares;
        bool complete = true;
        for (const CoefficientArray& a : arrays) {
            ArrayMonth am;
            if (a.orientation && a.tilt && rm.tilt) {
                am.angle = deviationAngle(*a.orientation, *a.tilt, *rm.tilt);
                am.coefficient = performanceCoefficient(loss, *am.angle);
            }
            if (am.coefficient)
                shares.push_back({a.power, *am.coefficient});
            else
                complete = false;
            m.arrays.push_back(am);
        }
        if (complete && totalPower)
            m.battery = batteryCoefficient(shares, *totalPower);
        t.months.push_back(std::move(m));
    }
    return t;
}

CoefficientTable variantCoefficients(TDataModule1& dm) {
    View& variant = dm.tblProj1();
    if (variant.isEmpty() || variant.recNo() < 0)
        return {};
    const QVariant kod = variant.currentKey();

    std::vector<MonthRange> ranges;
    QSqlQuery r =
        dm.store().select(QStringLiteral("SELECT g.MonthName1, g.MonthName2 FROM proj_graf0 g "
                                         "JOIN proj_inv i ON g.Kod0 = i.Kod WHERE i.Kod0 = ? "
                                         "UNION ALL SELECT MonthName1, MonthName2 "
                                         "FROM proj_graf12_0 WHERE Kod0 = ?"),
                          {kod, kod});
    while (r.next())
        ranges.push_back({r.value(0).toString(), r.value(1).toString()});

    std::vector<RegionMonthTilt> months;
    QSqlQuery m = dm.store().select(QStringLiteral("SELECT r1.MonthName, r1.B FROM region0 r0 "
                                                   "JOIN region1 r1 ON r1.Kod0 = r0.Kod "
                                                   "WHERE r0.Region = ? ORDER BY r1.Kod"),
                                    {variant[QStringLiteral("Region")].asString()});
    while (m.next())
        months.push_back({m.value(0).toString(), number(m.value(1))});

    std::vector<CoefficientArray> arrays;
    const View& mas = dm.tblProj_Mas();
    const TableDef& md = mas.table();
    const int name = md.columnIndex(QStringLiteral("NameMassive"));
    const int orientation = md.columnIndex(QStringLiteral("Ugol_Orient"));
    const int tilt = md.columnIndex(QStringLiteral("Ugol_Nakl"));
    const int power = md.columnIndex(QStringLiteral("Pmas"));
    for (int i = 0; i < mas.recordCount(); ++i)
        arrays.push_back({mas.valueAt(i, name).toString(), number(mas.valueAt(i, orientation)),
                          number(mas.valueAt(i, tilt)), mas.valueAt(i, power).toDouble()});

    // The loss table's view walks its rows in ascending angle.
    std::vector<LossRow> loss;
    const View& k = dm.tbl(QStringLiteral("Kproiz2"));
    const int angle = k.table().columnIndex(QStringLiteral("Ugol"));
    const int percent = k.table().columnIndex(QStringLiteral("K"));
    for (int i = 0; i < k.recordCount(); ++i)
        if (!k.valueAt(i, angle).isNull() && !k.valueAt(i, percent).isNull())
            loss.push_back({k.valueAt(i, angle).toDouble(), k.valueAt(i, percent).toDouble()});

    return coefficientTable(months, ranges, arrays, loss,
                            number(variant[QStringLiteral("PTotal_SP")].value()));
}

} // namespace ses
