#include "solar/solar_selection.h"

#include "lib/numbers.h"
#include "solar/sizing_store.h"

#include <algorithm>
#include <utility>

namespace ses {

namespace {

QString fmt(double x, const char* pattern) { return formatPattern(x, QString::fromLatin1(pattern)); }

} // namespace

ArrayCells emptyArrayRow()
{
    ArrayCells c;
    for (int i = 0; i < kArrayColumns; ++i)
        c << QString();
    return c;
}

std::optional<double> arrayCoefficient(const ArrayWindowInput& in, double orientation, double tilt)
{
    const double angle = deviationAngle(orientation, tilt, in.dopB.value_or(in.variantB));
    const auto k = performanceCoefficient(in.loss, angle);
    if (!k || *k <= 0)
        return std::nullopt;
    return roundPattern(*k, QStringLiteral("0.###"));
}

ArrayCalculation calculateArray(const ArrayWindowInput& in, ArrayRequest request)
{
    ArrayCalculation c;
    const auto k = arrayCoefficient(in, request.orientation, request.tilt);
    if (!k) {
        c.error = coefficientRefusal(
            deviationAngle(request.orientation, request.tilt, in.dopB.value_or(in.variantB)));
        return c;
    }
    c.k = k;
    request.k = *k;
    request.dopP = in.dopP;
    request.remaining = in.remaining;
    c.result = formArray(request, in.type.panel, in.system, in.region, in.loss);
    if (c.result.status == ArrayResult::Status::NothingToAdd)
        c.information = c.result.message;
    else if (c.result.status == ArrayResult::Status::Refused)
        c.error = c.result.message;
    else if (c.result.evaluation.error)
        c.error = c.result.evaluation.error;
    return c;
}

ArrayCells arrayRow(const ArrayRowTexts& t, Criterion criterion, double k, const ArrayResult& r,
                    const QString& bopt)
{
    ArrayCells c = emptyArrayRow();
    c[0] = t.name.trimmed();
    c[1] = bopt;
    c[2] = t.orientation.trimmed();
    c[3] = t.tilt.trimmed();
    c[4] = fmt(k, "0.###");
    c[5] = QString::number(r.series);
    c[6] = QString::number(r.strings);
    c[7] = QString::number(r.panels);
    c[8] = fmt(r.power, "0");
    c[9] = fmt(r.current, "0.##");
    c[10] = fmt(r.loss, "0");
    c[11] = QString::number(int(criterion));
    if (criterion == Criterion::GivenPower) {
        c[13] = t.givenPower.trimmed();
    } else if (criterion == Criterion::MaxCurrent) {
        c[14] = t.givenCurrent.trimmed();
    } else if (criterion == Criterion::SiteSize) {
        c[12] = QString::number(t.siteParameter);
        if (t.siteParameter == 1)
            c[13] = t.givenPower.trimmed();
        c[15] = QString::number(t.shape);
        c[16] = t.length.trimmed();
        if (t.shape == int(SiteShape::Trapezoid))
            c[17] = t.lower.trimmed();
        c[18] = t.height.trimmed();
    }
    return c;
}

void SolarSelection::load(TDataModule1& dm)
{
    m_variant = readVariantChoice(dm);
    m_region = regionYear(dm, m_variant.region);
    m_loss = lossTable(dm);
    const SolarSizing sizing = requiredSolarPower(dm);
    m_requirement = sizing.requirement.watts;
    m_sizingProblem.reset();
    if (!sizing.problems.isEmpty())
        m_sizingProblem = sizing.problems.join(QStringLiteral("\r"));
    m_rows = readArrays(dm);
    m_formedFor.assign(m_rows.size(), m_variant.tip);
    recompute();
}

void SolarSelection::recompute()
{
    std::vector<ArrayFigures> figures;
    std::vector<FormedArray> formed;
    for (const auto& r : m_rows) {
        figures.push_back(arrayFigures(r));
        formed.push_back(formedArray(r));
    }
    const double pras = m_variant.prasSp.value_or(0);
    m_totals = selectionTotals(figures, pras, m_variant.system);
    m_remaining = remainingRequirement(m_requirement, formed, m_region, m_loss);
    m_suggestedTilt.reset();
    if (m_rows.empty()) {
        m_additional = pras;
        if (pras > 0)
            m_suggestedTilt = m_variant.b;
        return;
    }
    const TiltResult t = requiredPowerAndTilt(m_remaining, m_region, m_loss);
    m_additional = std::max(0.0, t.power);
    if (t.power > 0)
        m_suggestedTilt = t.tilt;
}

ArrayWindowInput SolarSelection::arrayWindowInput(TDataModule1& dm, int row, const QString& company,
                                                  const CatalogPanel& type) const
{
    ArrayWindowInput in;
    in.company = company;
    in.type = type;
    in.system = m_variant.system;
    in.variantB = m_variant.b;
    in.region = m_region;
    in.loss = m_loss;
    in.powerChoices = givenPowerChoices(controllerArrayPowers(dm, m_variant.system),
                                        m_variant.system.uses, type.panel.unom, type.panel.power);
    if (row >= 0 && row < int(m_rows.size())) {
        // The need as it would be without the edited array.
        std::vector<FormedArray> others;
        for (int i = 0; i < int(m_rows.size()); ++i)
            if (i != row)
                others.push_back(formedArray(m_rows[i]));
        in.remaining = remainingRequirement(m_requirement, others, m_region, m_loss);
        if (others.empty()) {
            in.dopP = m_variant.prasSp.value_or(0);
            in.dopB = m_variant.b;
        } else {
            const TiltResult r = requiredPowerAndTilt(in.remaining, m_region, m_loss);
            in.dopP = std::max(0.0, r.power);
            if (r.power > 0)
                in.dopB = r.tilt;
        }
        in.row = m_rows[row];
        in.editing = true;
        return in;
    }
    in.remaining = m_remaining;
    in.dopP = m_additional;
    in.dopB = m_suggestedTilt;
    ArrayCells c = emptyArrayRow();
    c[0] = QStringLiteral("Массив %1").arg(m_rows.size() + 1);
    c[2] = QStringLiteral("180");
    c[3] = numberToText(m_suggestedTilt.value_or(m_variant.b));
    c[4] = QStringLiteral("1");
    in.row = c;
    return in;
}

void SolarSelection::insertRow(int at, const ArrayCells& row, const QString& tip)
{
    at = std::clamp(at, 0, int(m_rows.size()));
    m_rows.insert(m_rows.begin() + at, row);
    m_formedFor.insert(m_formedFor.begin() + at, tip);
    recompute();
}

void SolarSelection::replaceRow(int at, const ArrayCells& row, const QString& tip)
{
    if (at < 0 || at >= int(m_rows.size()))
        return;
    m_rows[at] = row;
    m_formedFor[at] = tip;
    recompute();
}

void SolarSelection::removeRow(int at)
{
    if (at < 0 || at >= int(m_rows.size()))
        return;
    m_rows.erase(m_rows.begin() + at);
    m_formedFor.erase(m_formedFor.begin() + at);
    recompute();
}

void SolarSelection::swapRows(int a, int b)
{
    const int n = int(m_rows.size());
    if (a < 0 || b < 0 || a >= n || b >= n)
        return;
    std::swap(m_rows[a], m_rows[b]);
    std::swap(m_formedFor[a], m_formedFor[b]);
    recompute();
}

std::optional<QString> SolarSelection::okRefusal(bool checkChargeCurrent,
                                                 const CatalogPanel* type) const
{
    SelectionOkInput in;
    in.arrays = int(m_rows.size());
    in.totalPower = m_totals.power;
    in.fullPower = m_totals.fullPower;
    in.additionalPower = m_additional;
    in.checkChargeCurrent = checkChargeCurrent;
    in.chargeCurrent = m_totals.chargeCurrent;
    in.window = batteryChargeWindow(m_variant.sizarMin, m_variant.sizarMax, m_variant.izarMin,
                                    m_variant.izarMax, m_variant.kzarMin, m_variant.kzarMax);
    in.forecastMinimum = forecastMinimumChargeCurrent(m_variant.crasAkb, m_variant.nameAkb,
                                                      m_variant.izarMin, m_variant.kzarMin);
    if (auto refusal = selectionOkRefusal(in))
        return refusal;
    if (!type)
        return QStringLiteral("Не выбран тип солнечной панели.");
    QStringList stale;
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_formedFor[i] != type->tip)
            stale << QStringLiteral("\"%1\"").arg(m_rows[i].value(0));
    if (!stale.isEmpty())
        return QStringLiteral("Массивы солнечных панелей %1 сформированы не для выбранного типа "
                              "солнечной панели \"%2\".\rСформируйте эти массивы заново (кнопка "
                              "\"Изменить параметры массива солнечных панелей\") или удалите их.")
            .arg(stale.join(QStringLiteral(", ")), type->tip);
    return std::nullopt;
}

StoredChoice SolarSelection::choice(const QString& company, const CatalogPanel& type) const
{
    StoredChoice c;
    c.company = company;
    c.type = type;
    c.panels = m_totals.panels;
    c.power = m_totals.power;
    for (const auto& r : m_rows)
        c.current += arrayFigures(r).current;
    c.current = roundHalfAway(c.current, 2);
    c.arrays = m_rows;
    return c;
}

} // namespace ses
