#include "solar/solar_selection.h"

#include "lib/numbers.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ses {

namespace {

FormedArray formedArray(const ArrayRow& row) {
    return {row.orientation, row.tilt, row.power};
}

} // namespace

// ---------------------------------------------------------------- stored arrays

std::vector<int> matchArrays(const std::vector<StoredArray>& stored,
                             const std::vector<ArrayRow>& rows) {
    std::vector<int> match(rows.size(), -1);
    std::vector<bool> used(stored.size(), false);
    for (size_t i = 0; i < rows.size(); ++i)
        for (size_t j = 0; j < stored.size(); ++j)
            if (!used[j] && sameArray(stored[j].row, rows[i])) {
                used[j] = true;
                match[i] = int(j);
                break;
            }
    return match;
}

QStringList arraysLosingChoices(const std::vector<StoredArray>& stored,
                                const std::vector<ArrayRow>& rows) {
    std::vector<bool> kept(stored.size(), false);
    for (int m : matchArrays(stored, rows))
        if (m >= 0)
            kept[m] = true;
    QStringList names;
    for (size_t j = 0; j < stored.size(); ++j)
        if (!kept[j] && stored[j].hasChoices)
            names << stored[j].row.name;
    return names;
}

// ---------------------------------------------------------------- the array window

std::optional<double> arrayCoefficient(const ArrayWindowInput& in, double orientation,
                                       double tilt) {
    const double angle = deviationAngle(orientation, tilt, in.dopB.value_or(in.variantB));
    const auto k = performanceCoefficient(in.loss, angle);
    if (!k || *k <= 0)
        return std::nullopt;
    return roundPattern(*k, QStringLiteral("0.###"));
}

std::optional<double> initialGivenPower(const ArrayWindowInput& in) {
    if (in.row.givenPower)
        return in.row.givenPower;
    // The usual controller sizes of the three system voltages.
    switch (int(std::lround(in.system.uses))) {
    case 12:
        return 800;
    case 24:
        return 1600;
    case 48:
        return 3200;
    default:
        break;
    }
    if (in.powerChoices.empty())
        return std::nullopt;
    return in.powerChoices.back();
}

ArrayCalculation calculateArray(const ArrayWindowInput& in, ArrayRequest request) {
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

// ---------------------------------------------------------------- the selection

void SolarSelection::load(SelectionSource source) {
    m_source = std::move(source);
    m_company.clear();
    m_type.reset();
    m_rows.clear();
    for (const StoredArray& a : m_source.arrays)
        m_rows.push_back(a.row);
    m_formedFor.assign(m_rows.size(), m_source.variant.tip);
    m_current = m_rows.empty() ? -1 : 0;
    recompute();
}

std::optional<QString> SolarSelection::chooseType(const QString& company,
                                                  const CatalogPanel* type) {
    const QString was = m_type ? m_type->tip : QString();
    m_company = company;
    m_type = type ? std::optional<CatalogPanel>(*type) : std::nullopt;
    const QString now = type ? type->tip : QString();
    if (m_rows.empty() || now == was)
        return std::nullopt;
    return QStringLiteral("Изменен тип солнечной панели (с \"%1\" на \"%2\") при наличии в таблице "
                          "\"Параметры массивов\" ранее сформированных массивов.\rРекомендуется "
                          "удалить массивы солнечных панелей и сформировать их заново или "
                          "отредактировать параметры имеющихся массивов.")
        .arg(was, now);
}

void SolarSelection::setCurrent(int row) {
    if (row >= 0 && row < int(m_rows.size()))
        m_current = row;
}

void SolarSelection::put(int at, const ArrayRow& row) {
    m_rows.insert(m_rows.begin() + at, row);
    m_formedFor.insert(m_formedFor.begin() + at, m_type ? m_type->tip : QString());
    m_current = at;
    recompute();
}

void SolarSelection::add(const ArrayRow& row) {
    put(int(m_rows.size()), row);
}

void SolarSelection::insert(const ArrayRow& row) {
    put(m_current < 0 ? int(m_rows.size()) : m_current, row);
}

void SolarSelection::replace(const ArrayRow& row) {
    if (m_current < 0)
        return;
    m_rows[m_current] = row;
    m_formedFor[m_current] = m_type ? m_type->tip : QString();
    recompute();
}

void SolarSelection::remove() {
    if (m_current < 0)
        return;
    m_rows.erase(m_rows.begin() + m_current);
    m_formedFor.erase(m_formedFor.begin() + m_current);
    m_current = std::min(m_current, int(m_rows.size()) - 1);
    recompute();
}

void SolarSelection::moveUp() {
    if (m_current <= 0)
        return;
    std::swap(m_rows[m_current], m_rows[m_current - 1]);
    std::swap(m_formedFor[m_current], m_formedFor[m_current - 1]);
    --m_current;
    recompute();
}

void SolarSelection::moveDown() {
    if (m_current < 0 || m_current + 1 >= int(m_rows.size()))
        return;
    std::swap(m_rows[m_current], m_rows[m_current + 1]);
    std::swap(m_formedFor[m_current], m_formedFor[m_current + 1]);
    ++m_current;
    recompute();
}

SolarSelection::Commands SolarSelection::commands() const {
    const bool type = m_type.has_value();
    const int n = int(m_rows.size());
    Commands c;
    c.add = type;
    c.insert = c.edit = c.remove = type && n > 0;
    c.up = n >= 2 && m_current > 0;
    c.down = n >= 2 && m_current >= 0 && m_current < n - 1;
    c.ok = n > 0;
    return c;
}

void SolarSelection::recompute() {
    std::vector<ArrayFigures> figures;
    std::vector<FormedArray> formed;
    for (const ArrayRow& r : m_rows) {
        figures.push_back(arrayFigures(r));
        formed.push_back(formedArray(r));
    }
    const VariantChoice& v = m_source.variant;
    const double pras = v.prasSp.value_or(0);
    m_totals = selectionTotals(figures, pras, v.system);
    m_remaining =
        remainingRequirement(m_source.requirement, formed, m_source.region, m_source.loss);
    m_suggestedTilt.reset();
    if (m_rows.empty()) {
        m_additional = pras;
        if (pras > 0)
            m_suggestedTilt = v.b;
        return;
    }
    const TiltResult t = requiredPowerAndTilt(m_remaining, m_source.region, m_source.loss);
    m_additional = std::max(0.0, t.power);
    if (t.power > 0)
        m_suggestedTilt = t.tilt;
}

std::optional<int> SolarSelection::boptForNewRow() const {
    if (!m_suggestedTilt)
        return std::nullopt;
    return int(roundHalfAway(*m_suggestedTilt, 0));
}

std::optional<double> SolarSelection::forecastMinimum() const {
    const VariantChoice& v = m_source.variant;
    return forecastMinimumChargeCurrent(v.crasAkb, v.nameAkb, v.izarMin, v.kzarMin);
}

std::optional<ChargeWindow> SolarSelection::chargeWindow() const {
    const VariantChoice& v = m_source.variant;
    return batteryChargeWindow(v.sizarMin, v.sizarMax, v.izarMin, v.izarMax, v.kzarMin, v.kzarMax);
}

ArrayWindowInput SolarSelection::arrayWindowInput(int row) const {
    ArrayWindowInput in;
    if (!m_type)
        return in;
    const VariantChoice& v = m_source.variant;
    in.company = m_company;
    in.type = *m_type;
    in.system = v.system;
    in.variantB = v.b;
    in.region = m_source.region;
    in.loss = m_source.loss;
    in.powerChoices = givenPowerChoices(m_source.controllerPowers, v.system.uses,
                                        m_type->panel.unom, m_type->panel.power);
    if (row >= 0 && row < int(m_rows.size())) {
        // The need as it would be without the edited array.
        std::vector<FormedArray> others;
        for (int i = 0; i < int(m_rows.size()); ++i)
            if (i != row)
                others.push_back(formedArray(m_rows[i]));
        in.remaining =
            remainingRequirement(m_source.requirement, others, m_source.region, m_source.loss);
        if (others.empty()) {
            in.dopP = v.prasSp.value_or(0);
            in.dopB = v.b;
        } else {
            const TiltResult r = requiredPowerAndTilt(in.remaining, m_source.region, m_source.loss);
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
    in.row.name = QStringLiteral("Массив %1").arg(m_rows.size() + 1);
    in.row.orientation = 180;
    in.row.tilt = m_suggestedTilt.value_or(v.b);
    in.row.k = 1;
    return in;
}

std::optional<QString> SolarSelection::okRefusal(bool checkChargeCurrent) const {
    SelectionOkInput in;
    in.arrays = int(m_rows.size());
    in.totalPower = m_totals.power;
    in.fullPower = m_totals.fullPower;
    in.additionalPower = m_additional;
    in.checkChargeCurrent = checkChargeCurrent;
    in.chargeCurrent = m_totals.chargeCurrent;
    in.window = chargeWindow();
    in.forecastMinimum = forecastMinimum();
    if (auto refusal = selectionOkRefusal(in))
        return refusal;
    if (!m_type)
        return QStringLiteral("Не выбран тип солнечной панели.");
    QStringList stale;
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_formedFor[i] != m_type->tip)
            stale << QStringLiteral("\"%1\"").arg(m_rows[i].name);
    if (!stale.isEmpty())
        return QStringLiteral("Массивы солнечных панелей %1 сформированы не для выбранного типа "
                              "солнечной панели \"%2\".\rСформируйте эти массивы заново (кнопка "
                              "\"Изменить параметры массива солнечных панелей\") или удалите их.")
            .arg(stale.join(QStringLiteral(", ")), m_type->tip);
    return std::nullopt;
}

std::optional<QString> SolarSelection::losingChoicesQuestion() const {
    const QStringList losing = arraysLosingChoices(m_source.arrays, m_rows);
    if (losing.isEmpty())
        return std::nullopt;
    QStringList quoted;
    for (const QString& n : losing)
        quoted << QStringLiteral("\"%1\"").arg(n);
    return QStringLiteral("Для измененных или удаленных массивов солнечных панелей %1 будут "
                          "сброшены выбранные контроллеры заряда, кабели и защитные "
                          "аппараты.\rПродолжить?")
        .arg(quoted.join(QStringLiteral(", ")));
}

StoredChoice SolarSelection::storedChoice() const {
    StoredChoice c;
    c.company = m_company;
    if (m_type)
        c.type = *m_type;
    c.panels = m_totals.panels;
    c.power = m_totals.power;
    for (const ArrayRow& r : m_rows)
        c.current += r.current;
    c.current = roundHalfAway(c.current, 2);
    c.arrays = m_rows;
    return c;
}

} // namespace ses
