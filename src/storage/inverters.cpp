#include "storage/inverters.h"

#include "lib/numbers.h"

namespace ses {

namespace {

double withReserve(std::optional<double> power, double reservePercent) {
    return power.value_or(0) * (reservePercent / 100 + 1);
}

bool ratingFits(std::optional<double> rating, double required) {
    return rating && atLeast(*rating, required);
}

bool voltageFits(std::optional<double> rating, std::optional<int> required) {
    return rating && required && sameValue(*rating, *required);
}

bool sameNumber(std::optional<double> a, std::optional<double> b) {
    if (!a || !b)
        return a.has_value() == b.has_value();
    return sameValue(*a, *b);
}

QString plusMinusText(bool on) {
    return on ? QStringLiteral("+") : QStringLiteral("-");
}

QStringList figureColumn(const QString& heading, std::optional<double> pnom,
                         std::optional<double> pmax, std::optional<double> peak, bool pureSine) {
    return {heading, numberToText(pnom), numberToText(pmax), numberToText(peak),
            plusMinusText(pureSine)};
}

} // namespace

InverterRequirement inverterRequirement(const InverterLoad& load, const InverterVariant& variant) {
    InverterRequirement r;
    r.pnom = withReserve(load.pnom, variant.zapPnom);
    r.pmax = withReserve(load.pmax, variant.zapPmax);
    r.ppik = withReserve(load.ppik, variant.zapPpik);
    r.usePeak = variant.usePeak;
    r.uvh = variant.uses;
    r.uvuh = variant.uvuh;
    r.pureSine = load.clearSinus;
    return r;
}

bool fitsTypeList(const CatalogInverter& inverter, const InverterRequirement& req) {
    const InverterChoice& m = inverter.model;
    return ratingFits(m.pnom, req.pnom) && ratingFits(m.pmax, req.pmax) &&
           (!req.usePeak || ratingFits(m.ppik, req.ppik)) && voltageFits(inverter.uvh, req.uvh) &&
           voltageFits(inverter.uvuh, req.uvuh) && (!req.pureSine || m.forma == kPureSine);
}

std::vector<CatalogInverter> typeList(const std::vector<CatalogInverter>& makerTypes,
                                      const InverterRequirement& req) {
    std::vector<CatalogInverter> out;
    for (const CatalogInverter& c : makerTypes)
        if (fitsTypeList(c, req))
            out.push_back(c);
    return out;
}

bool usableEfficiency(std::optional<double> kpd) {
    return kpd && *kpd > 0 && notAbove(*kpd, 1);
}

std::optional<QString> efficiencyRefusal(const InverterChoice& inverter) {
    if (usableEfficiency(inverter.kpd))
        return std::nullopt;
    return QStringLiteral("КПД инвертора \"%1\" компании \"%2\" в справочнике инверторов не задан "
                          "или задан неверно (допускается значение больше 0 и не больше 1). "
                          "Задайте КПД инвертора в справочнике инверторов или выберите другой "
                          "инвертор.")
        .arg(inverter.name, inverter.company);
}

bool choiceComplete(const InverterChoice& c) {
    return !c.company.isEmpty() && !c.name.isEmpty() && c.pnom && c.pmax && c.ppik &&
           !c.forma.isEmpty() && c.kpd;
}

bool inverterChanged(const InverterChoice& stored, std::optional<int> storedUvh,
                     const InverterChoice& chosen, std::optional<int> uses) {
    return stored.company != chosen.company || stored.name != chosen.name ||
           !sameNumber(stored.pnom, chosen.pnom) || !sameNumber(stored.pmax, chosen.pmax) ||
           !sameNumber(stored.ppik, chosen.ppik) || storedUvh != uses;
}

QStringList analysisRowTitles(int nomMinutes, int maxMinutes) {
    return {
        QStringLiteral("Наименование параметра"),
        QStringLiteral("Номинальная выходная мощность (более %1 минут), Вт").arg(nomMinutes),
        QStringLiteral("Максимальная выходная мощность (не более %1 минут), Вт").arg(maxMinutes),
        QStringLiteral("Пиковая выходная мощность (6 секунд), Вт"),
        QStringLiteral("Наличие потребителей, требующих сигнал инвертора \"чистый синус\"")};
}

std::vector<AnalysisBlock> inverterAnalysis(const std::vector<AcLoadSummary>& loads) {
    std::vector<AnalysisBlock> out;
    for (const AcLoadSummary& load : loads) {
        AnalysisBlock b{load.name, {}};
        for (const ScheduleSummary& s : load.schedules)
            b.columns.push_back(figureColumn(s.name, s.pnom, s.pmax, s.peak, s.clearSinus));
        const LoadAggregates a = loadAggregates(load.schedules);
        b.columns.push_back(
            figureColumn(QStringLiteral("значение"), a.pnom, a.pmax, a.ppik, a.clearSinus));
        out.push_back(std::move(b));
    }
    return out;
}

} // namespace ses
