#include "app/variant_params.h"

#include "data/schema.h"
#include "lib/months.h"
#include "lib/numbers.h"

#include <stdexcept>

namespace ses {

namespace {

using When = Enabler::When;

const QString kMppt = QStringLiteral("UseMPPT_Ctrl");

std::vector<StepRule> freeDownToZero(std::initializer_list<double> steps) {
    std::vector<StepRule> r;
    for (double s : steps)
        r.push_back({s, std::nullopt, 0.0});
    return r;
}

std::vector<StepRule> positive(std::initializer_list<double> steps,
                               std::optional<double> upper = std::nullopt) {
    std::vector<StepRule> r;
    for (double s : steps)
        r.push_back({s, upper, std::nullopt});
    return r;
}

std::vector<StepRule> bounded(std::initializer_list<double> steps, double lower, double upper) {
    std::vector<StepRule> r;
    for (double s : steps)
        r.push_back({s, upper, lower});
    return r;
}

ParamDef number(const char* column, const char* factory, std::vector<StepRule> steps,
                std::optional<Enabler> enabler = std::nullopt) {
    return {QString::fromLatin1(column),
            ParamKind::Number,
            QString::fromUtf8(factory),
            {},
            std::move(steps),
            std::move(enabler)};
}

ParamDef check(const char* column, bool on) {
    return {QString::fromLatin1(column),
            ParamKind::Check,
            on ? QStringLiteral("1") : QStringLiteral("0"),
            {},
            {},
            std::nullopt};
}

ParamDef textList(const char* column, const QString& factory, QStringList entries) {
    return {QString::fromLatin1(column),
            ParamKind::TextList,
            factory,
            std::move(entries),
            {},
            std::nullopt};
}

ParamDef indexList(const char* column, QStringList entries,
                   std::optional<Enabler> enabler = std::nullopt) {
    return {QString::fromLatin1(column),
            ParamKind::IndexList,
            QStringLiteral("0"),
            std::move(entries),
            {},
            std::move(enabler)};
}

// The margin factors of a protection circuit: "1,2" for breakers, "1,5" for the current of fuses.
void margins(std::vector<ParamDef>& t, const char* current, const char* voltage,
             const char* iFactory, std::optional<Enabler> enabler = std::nullopt) {
    t.push_back(number(current, iFactory, positive({0.1, 0.01}), enabler));
    t.push_back(number(voltage, "1,2", positive({0.1, 0.01}), enabler));
}

std::vector<ParamDef> buildTable() {
    const QStringList ctrlBasis = {QStringLiteral("по максимальному току контроллера"),
                                   QStringLiteral("по току заряда АБ от контроллера")};
    const QStringList invBasis = {QStringLiteral("по номинальной мощности инвертора"),
                                  QStringLiteral("по номинальному току инвертора"),
                                  QStringLiteral("по максимальному току инвертора"),
                                  QStringLiteral("по пиковому току инвертора")};
    const QStringList outputBasis = {QStringLiteral("по номинальному току нагрузки"),
                                     QStringLiteral("по максимальному току нагрузки"),
                                     QStringLiteral("по пиковому току нагрузки")};
    const Enabler avInv{QStringLiteral("Par_AV_AKB_Inv"), When::NotAtZero};
    const Enabler prInv{QStringLiteral("Par_Pr_AKB_Inv"), When::NotAtZero};
    const QString twoInPipe = QStringLiteral("два 1-жильных провода в трубе");
    const QString open = QStringLiteral("открыто");

    std::vector<ParamDef> t;
    // Above the tabs.
    t.push_back(textList("Uses", QStringLiteral("24"),
                         {QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("36"),
                          QStringLiteral("48"), QStringLiteral("60"), QStringLiteral("96")}));
    t.push_back(
        textList("Uvuh", QStringLiteral("220"), {QStringLiteral("220"), QStringLiteral("380")}));
    // "Нагрузка".
    t.push_back({QStringLiteral("ParamNagr"),
                 ParamKind::Options,
                 QStringLiteral("0"),
                 {QStringLiteral("известны нагрузочные параметры электроустановки"),
                  QStringLiteral("известны параметры суточного графика нагрузки электроустановки"),
                  QStringLiteral("известны параметры электроприемников и время их работы")},
                 {},
                 std::nullopt});
    // "Инвертор".
    t.push_back(number("ZapPnom_Inv", "0", freeDownToZero({1, 10})));
    t.push_back(number("ZapPmax_Inv", "0", freeDownToZero({1, 10})));
    t.push_back(check("UsePpik_Inv", false));
    t.push_back(number("ZapPpik_Inv", "30", freeDownToZero({1, 10})));
    t.push_back(check("UseUserKpd_Inv", false));
    t.push_back(number("UserKpd_Inv", "0,9", positive({0.1, 0.01}, 1.0)));
    // " СБ".
    t.push_back(textList("Region", QString(), {}));
    t.push_back(number("Ksp_summer", "0,5", positive({0.1, 0.01}, 1.0)));
    t.push_back(number("Ksp_winter", "0,7", positive({0.1, 0.01}, 1.0)));
    t.push_back(check("UchetKdifP_SP", false));
    t.push_back(number("KdifP_SP", "-0,47", bounded({0.1, 0.01}, -1, 0)));
    t.push_back(number("Tmin_SP", "-25", bounded({1, 0.1}, -100, 100)));
    // "Контроллер".
    t.push_back(number("Poteri_Ctrl", "10", freeDownToZero({1, 10})));
    t.push_back(number("Uxx_zap_Ctrl", "10", freeDownToZero({1, 10})));
    t.push_back(check("UseMPPT_Ctrl", false));
    {
        ParamDef umppt = textList("Umppt", QString(), {});
        umppt.enabler = Enabler{kMppt, When::On};
        t.push_back(umppt);
    }
    t.push_back(
        number("DefUzar_Ctrl", "14,2", bounded({1, 0.1}, 11, 17), Enabler{kMppt, When::On}));
    // " АБ".
    t.push_back(number("Poteri_AKB", "20", positive({1, 10})));
    t.push_back(number("GlubRazryad_AKB", "30", positive({1, 10}, 100.0)));
    t.push_back({QStringLiteral("Pom_AKB"), ParamKind::Text, QString(), {}, {}, std::nullopt});
    t.push_back(check("SutCikl", true));
    t.push_back(number("KolHourWithoutSun", "24", positive({10, 1, 0.1}),
                       Enabler{QStringLiteral("SutCikl"), When::Off}));
    t.push_back(textList("DefTipAKB_Ctrl", QStringLiteral("GEL"),
                         {QStringLiteral("AGM"), QStringLiteral("GEL"), QStringLiteral("Flooded"),
                          QStringLiteral("LiFePo4")}));
    t.push_back(number("Kzar_min", "1", positive({0.1, 0.01})));
    t.push_back(textList("Izar_min", kIzarMin, {kIzarMin, kIzarMax}));
    t.push_back(number("Kzar_max", "1", positive({0.1, 0.01})));
    t.push_back(textList("Izar_max", kIzarMax, {kIzarMin, kIzarMax}));
    t.push_back(number("Krazr_pik", "1", positive({1, 0.1})));
    t.push_back(number("Krazr_nom", "10", positive({1, 0.1})));
    t.push_back(number("Krazr_max", "5", positive({1, 0.1})));
    // "Кабели".
    t.push_back(number("DU_KL_Mas_Ctrl", "5", freeDownToZero({1})));
    t.push_back(number("DU_KL_Ctrl_AKB", "2", freeDownToZero({1})));
    t.push_back(number("DU_KL_AKB_Inv", "2", freeDownToZero({1})));
    t.push_back(number("DU_KL_AKB_Output", "2", freeDownToZero({1})));
    t.push_back(indexList("Sel_Tbl_AKB_Inv",
                          {QStringLiteral("данных проводов и кабелей (ПУЭ, табл. 1.3.4)"),
                           QStringLiteral("оптимальных сечений кабелей \"АБ-инвертор\"")}));
    t.push_back(indexList("Sel_KL_AKB_Inv",
                          {QStringLiteral("по номинальному току инвертора"),
                           QStringLiteral("по максимальному току инвертора")},
                          Enabler{QStringLiteral("Sel_Tbl_AKB_Inv"), When::AtZero}));
    t.push_back(textList("Spos_KL_Mas_Ctrl", twoInPipe, layingMethods()));
    t.push_back(number("L_KL_Mas_Ctrl", "10", positive({1, 0.1})));
    t.push_back(textList("Spos_KL_Ctrl_AKB", twoInPipe, layingMethods()));
    t.push_back(number("L_KL_Ctrl_AKB", "3", positive({1, 0.1})));
    t.push_back(textList("Spos_KL_AKB_Inv", open, layingMethods()));
    t.push_back(number("L_KL_AKB_Inv", "2", positive({1, 0.1})));
    t.push_back(textList("Spos_KL_AKB_Output", open, layingMethods()));
    t.push_back(number("L_KL_AKB_Output", "2", positive({1, 0.1})));
    // "Защита".
    t.push_back({QStringLiteral("MaxKolSborNotProt"),
                 ParamKind::Whole,
                 QStringLiteral("2"),
                 {},
                 freeDownToZero({1}),
                 std::nullopt});
    margins(t, "Kzap_AV_Vetv_I", "Kzap_AV_Vetv_U", "1,2");
    margins(t, "Kzap_AV_Mas_I", "Kzap_AV_Mas_U", "1,2");
    margins(t, "Kzap_AV_AKB_I", "Kzap_AV_AKB_U", "1,2");
    t.push_back(indexList("Par_AV_Ctrl_AKB", ctrlBasis));
    t.push_back(indexList("Par_AV_AKB_Inv", invBasis));
    margins(t, "Kzap_AV_Inv_I", "Kzap_AV_Inv_U", "1,2", avInv);
    t.push_back(indexList("Par_AV_AKB_Output", outputBasis));
    margins(t, "Kzap_AV_AKB_Output_I", "Kzap_AV_AKB_Output_U", "1,2");
    margins(t, "Kzap_Pr_Vetv_I", "Kzap_Pr_Vetv_U", "1,5");
    margins(t, "Kzap_Pr_Mas_I", "Kzap_Pr_Mas_U", "1,5");
    margins(t, "Kzap_Pr_AKB_I", "Kzap_Pr_AKB_U", "1,5");
    t.push_back(indexList("Par_Pr_Ctrl_AKB", ctrlBasis));
    t.push_back(indexList("Par_Pr_AKB_Inv", invBasis));
    margins(t, "Kzap_Pr_Inv_I", "Kzap_Pr_Inv_U", "1,5", prInv);
    t.push_back(indexList("Par_Pr_AKB_Output", outputBasis));
    margins(t, "Kzap_Pr_AKB_Output_I", "Kzap_Pr_AKB_Output_U", "1,5");
    return t;
}

using K = NumberCheckDef::Kind;

std::vector<NumberCheckDef> buildChecks() {
    const QString factor = QStringLiteral("числового коэффициента");
    const QString length = QStringLiteral("длины кабеля");
    const QString drop = QStringLiteral("допустимого падения напряжения");
    const QString margin = QStringLiteral("коэффициента запаса");
    std::vector<NumberCheckDef> c = {
        {QStringLiteral("ZapPnom_Inv"), K::Any,
         QStringLiteral("запаса номинальной мощности инвертора")},
        {QStringLiteral("ZapPmax_Inv"), K::Any,
         QStringLiteral("запаса максимальной мощности инвертора")},
        {QStringLiteral("ZapPpik_Inv"), K::Any,
         QStringLiteral("запаса пиковой мощности инвертора")},
        {QStringLiteral("UserKpd_Inv"), K::NonZero,
         QStringLiteral("коэффициента полезного действия инвертора")},
        {QStringLiteral("KolHourWithoutSun"), K::NonZero,
         QStringLiteral("максимального числа последовательных \"часов без солнца\"")},
        {QStringLiteral("Poteri_AKB"), K::NonZero, QStringLiteral("потерь на заряд-разряд АБ")},
        {QStringLiteral("GlubRazryad_AKB"), K::NonZero, QStringLiteral("глубины разряда")},
        {QStringLiteral("Kzar_min"), K::NonZero, factor},
        {QStringLiteral("Kzar_max"), K::NonZero, factor},
        {QStringLiteral("Krazr_pik"), K::NonZero, factor},
        // Checked like their sibling, so that no malformed factor is stored.
        {QStringLiteral("Krazr_nom"), K::NonZero, factor},
        {QStringLiteral("Krazr_max"), K::NonZero, factor},
        {QStringLiteral("KdifP_SP"), K::NonZero,
         QStringLiteral("коэффициента изменения мощности солнечных панелей"), true},
        {QStringLiteral("Tmin_SP"), K::Any,
         QStringLiteral("коэффициента изменения напряжения холостого хода солнечных панелей"),
         true},
        {QStringLiteral("Ksp_summer"), K::NonZero,
         QStringLiteral(
             "поправочного коэффициента (лето) для определения мощности солнечных панелей")},
        {QStringLiteral("Ksp_winter"), K::NonZero,
         QStringLiteral(
             "поправочного коэффициента (зима) для определения мощности солнечных панелей")},
        {QStringLiteral("Poteri_Ctrl"), K::Any, QStringLiteral("потерь в контроллере на заряд АБ")},
        {QStringLiteral("Uxx_zap_Ctrl"), K::Any,
         QStringLiteral("запаса по напряжению холостого хода СБ при выборе контроллера")},
        {QStringLiteral("DefUzar_Ctrl"), K::NonZero,
         QStringLiteral("напряжения ускоренного заряда АБ")},
        {QStringLiteral("L_KL_Mas_Ctrl"), K::NonZero, length},
        {QStringLiteral("L_KL_Ctrl_AKB"), K::NonZero, length},
        {QStringLiteral("L_KL_AKB_Inv"), K::NonZero, length},
        {QStringLiteral("L_KL_AKB_Output"), K::NonZero, length},
        {QStringLiteral("DU_KL_Mas_Ctrl"), K::NonZero, drop},
        {QStringLiteral("DU_KL_Ctrl_AKB"), K::NonZero, drop},
        {QStringLiteral("DU_KL_AKB_Inv"), K::NonZero, drop},
        {QStringLiteral("DU_KL_AKB_Output"), K::NonZero, drop},
        {QStringLiteral("MaxKolSborNotProt"), K::NonZeroWhole,
         QStringLiteral("количества сборок солнечных панелей")},
    };
    for (const char* m : {"Kzap_AV_Vetv_I",       "Kzap_AV_Vetv_U",      "Kzap_AV_Mas_I",
                          "Kzap_AV_Mas_U",        "Kzap_AV_AKB_I",       "Kzap_AV_AKB_U",
                          "Kzap_AV_Inv_I",        "Kzap_AV_Inv_U",       "Kzap_AV_AKB_Output_I",
                          "Kzap_AV_AKB_Output_U", "Kzap_Pr_Vetv_I",      "Kzap_Pr_Vetv_U",
                          "Kzap_Pr_Mas_I",        "Kzap_Pr_Mas_U",       "Kzap_Pr_AKB_I",
                          "Kzap_Pr_AKB_U",        "Kzap_Pr_Inv_I",       "Kzap_Pr_Inv_U",
                          "Kzap_Pr_AKB_Output_I", "Kzap_Pr_AKB_Output_U"})
        c.push_back({QString::fromLatin1(m), K::NonZero, margin});
    return c;
}

std::optional<QString> runCheck(const NumberCheckDef& c, const QString& text) {
    switch (c.kind) {
    case K::Any:
        return checkNumber(text, c.quantity);
    case K::NonZero:
        return checkNonZero(text, c.quantity);
    case K::NonZeroWhole:
        return checkNonZeroWhole(text, c.quantity);
    }
    return std::nullopt;
}

ParamError fieldError(const QString& message, const QString& column) {
    return {message, column, -1, -1, -1};
}

ParamError cellError(const QString& message, int grid, int row, int col) {
    return {message, QString(), grid, row, col};
}

const QString kFillAll = QStringLiteral("Заполнение всех ячеек таблицы обязательно.");

// The cells of one grid's number columns, by (row, grid column).
using CellText = std::function<QString(int row, int col)>;

std::optional<ParamError> checkCells(int grid, const std::vector<int>& cols, const CellText& cell) {
    for (int r = 0; r < 12; ++r)
        for (int c : cols)
            if (cell(r, c).trimmed().isEmpty())
                return cellError(kFillAll, grid, r, c);
    for (int r = 0; r < 12; ++r)
        for (int c : cols)
            if (!parseNumber(cell(r, c)))
                return cellError(kBadDecimalMessage, grid, r, c);
    return std::nullopt;
}

std::optional<ParamError> checkDayLight(const VariantParams& p) {
    const CellText cell = [&p](int r, int c) {
        return c == 1 ? p.months[r].sunrise : p.months[r].sunset;
    };
    if (auto e = checkCells(0, {1, 2}, cell))
        return e;
    for (int r = 0; r < 12; ++r) {
        const double rise = *parseNumber(p.months[r].sunrise);
        const double set = *parseNumber(p.months[r].sunset);
        if (!(set > rise))
            return cellError(QStringLiteral("Время заката солнца должно быть больше времени его "
                                            "восхода."),
                             0, r, 2);
        // The dark hours of a day are counted from these two; beyond one day they mean nothing.
        if (rise < 0 || set > 24)
            return cellError(QStringLiteral("Время восхода и заката солнца должно быть в пределах "
                                            "от 0 до 24 час."),
                             0, r, rise < 0 ? 1 : 2);
    }
    return std::nullopt;
}

QVariant storedValue(const ParamDef& d, const QString& text, const ColumnDef& c) {
    switch (d.kind) {
    case ParamKind::Check:
        return text == QLatin1String("1");
    case ParamKind::IndexList:
    case ParamKind::Options: {
        const int i = text.toInt();
        return i >= 0 && !text.isEmpty() ? QVariant(i) : QVariant();
    }
    default:
        break;
    }
    if (text.trimmed().isEmpty())
        return {};
    switch (c.type) {
    case ColType::Integer: {
        const auto i = parseInteger(text);
        return i ? QVariant(*i) : QVariant();
    }
    case ColType::Number: {
        const auto x = parseNumber(text);
        return x ? QVariant(*x) : QVariant();
    }
    default:
        return text;
    }
}

QString shownText(const ParamDef& d, const QVariant& v, const ColumnDef& c) {
    switch (d.kind) {
    case ParamKind::Check:
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case ParamKind::IndexList:
    case ParamKind::Options:
        return v.isNull() ? QStringLiteral("-1") : QString::number(v.toInt());
    default:
        break;
    }
    if (v.isNull())
        return {};
    switch (c.type) {
    case ColType::Integer:
        return QString::number(v.toInt());
    case ColType::Number:
        return numberToText(v.toDouble());
    default:
        return v.toString();
    }
}

const TableDef& tableDef(ParamTable table) {
    return *findTable(table == ParamTable::Variant ? QStringLiteral("project1")
                                                   : QStringLiteral("ParVarDef"));
}

} // namespace

const std::vector<ParamDef>& variantParamTable() {
    static const std::vector<ParamDef> table = buildTable();
    return table;
}

const ParamDef& paramDef(const QString& column) {
    for (const ParamDef& d : variantParamTable())
        if (d.column == column)
            return d;
    throw std::out_of_range("unknown variant parameter " + column.toStdString());
}

const QStringList& layingMethods() {
    static const QStringList methods = {QStringLiteral("открыто"),
                                        QStringLiteral("два 1-жильных провода в трубе"),
                                        QStringLiteral("один 2-жильный провод в трубе")};
    return methods;
}

QString VariantParams::text(const QString& column) const {
    const auto it = values.find(column);
    return it == values.end() ? QString() : it->second;
}

int VariantParams::index(const QString& column) const {
    bool ok = false;
    const int i = text(column).toInt(&ok);
    return ok ? i : -1;
}

VariantParams factoryParams() {
    VariantParams p;
    for (const ParamDef& d : variantParamTable())
        p.set(d.column, d.factory);
    for (int m = 0; m < 12; ++m)
        p.months[m].month = monthNames()[m];
    return p;
}

bool paramEnabled(const VariantParams& p, const QString& column) {
    const ParamDef& d = paramDef(column);
    if (!d.enabler)
        return true;
    switch (d.enabler->when) {
    case When::On:
        return p.isOn(d.enabler->column);
    case When::Off:
        return !p.isOn(d.enabler->column);
    case When::AtZero:
        return p.index(d.enabler->column) == 0;
    case When::NotAtZero:
        return p.index(d.enabler->column) != 0;
    }
    return true;
}

QStringList umpptEntries(int uses) {
    QStringList r;
    if (uses <= 0)
        return r;
    for (int u = uses + 12; u <= 1000; u += 12)
        r << QString::number(u);
    return r;
}

StepResult applyStep(const StepRule& rule, bool up, const QString& text) {
    if (up)
        return rule.upper ? tryStepUpBounded(text, rule.step, *rule.upper)
                          : tryStepUp(text, rule.step);
    return rule.lower ? tryStepDownBounded(text, rule.step, *rule.lower)
                      : tryStepDownPositive(text, rule.step);
}

const std::vector<NumberCheckDef>& numberChecks() {
    static const std::vector<NumberCheckDef> checks = buildChecks();
    return checks;
}

std::optional<ParamError> checkParams(const VariantParams& p, const CheckContext& context) {
    // 1. The name.
    if (context.checkName && p.name.trimmed().isEmpty())
        return fieldError(QStringLiteral("Поле \"Наименование варианта расчета\" должно быть "
                                         "заполнено."),
                          QStringLiteral("VarName"));
    // 2. The numbers.
    for (const NumberCheckDef& c : numberChecks()) {
        const QString text = p.text(c.column);
        if (auto e = runCheck(c, text))
            return fieldError(*e, c.column);
        // A minus sign can be typed, but only the panels' temperature figures may be negative.
        const double value = *parseNumber(text);
        if (value < 0 && !c.mayBeNegative)
            return fieldError(QStringLiteral("Значение ") + c.quantity +
                                  (c.kind == K::Any ? QStringLiteral(" не должно быть меньше 0.")
                                                    : QStringLiteral(" должно быть больше 0.")),
                              c.column);
        // Losses of 100 % or more would leave no energy to store: every required capacity
        // computed later would be infinite or negative.
        if (c.column == QLatin1String("Poteri_AKB") && !(value < 100))
            return fieldError(QStringLiteral("Значение ") + c.quantity +
                                  QStringLiteral(" должно быть меньше 100."),
                              c.column);
    }
    // Lists that show no entry when the stored text is not one of theirs.
    if (p.text(QStringLiteral("Uses")).isEmpty())
        return fieldError(QStringLiteral("Поле \"Напряжение системы, В\" должно быть заполнено."),
                          QStringLiteral("Uses"));
    if (p.text(QStringLiteral("Uvuh")).isEmpty())
        return fieldError(QStringLiteral("Поле \"Выходное напряжение переменного тока (50 Гц), В\" "
                                         "должно быть заполнено."),
                          QStringLiteral("Uvuh"));
    if (p.isOn(kMppt) && p.text(QStringLiteral("Umppt")).isEmpty())
        return fieldError(QStringLiteral("Выберите напряжение массивов СП при использовании МРРТ - "
                                         "контроллера."),
                          QStringLiteral("Umppt"));
    // 3. The system voltage against the chosen battery cells.
    const QString uses = p.text(QStringLiteral("Uses"));
    if (context.batteryUnom && *context.batteryUnom > 0) {
        const auto u = parseInteger(uses);
        if (!u || *u % *context.batteryUnom != 0)
            return fieldError(QStringLiteral("Напряжение системы (") + uses +
                                  QStringLiteral(" B) некратно номинальному напряжению АБ (") +
                                  QString::number(*context.batteryUnom) +
                                  QStringLiteral(" В). Необходимо выбрать другое напряжение "
                                                 "системы."),
                              QStringLiteral("Uses"));
    }
    // 4. The charge-current window.
    if (p.text(QStringLiteral("Izar_min")) == p.text(QStringLiteral("Izar_max")) &&
        !atLeast(*parseNumber(p.text(QStringLiteral("Kzar_max"))),
                 *parseNumber(p.text(QStringLiteral("Kzar_min")))))
        return fieldError(QStringLiteral("В панели \"Соотношение между током заряда АБ (от "
                                         "контроллера) и допустимыми токами её заряда\" значение "
                                         "коэффициента левой границы диапазона (\"от\") должно "
                                         "быть меньше коэффициента правой границы диапазона "
                                         "(\"до\")."),
                          QStringLiteral("Kzar_min"));
    // 5. The day-light grid; 6. the temperature grid.
    if (auto e = checkDayLight(p))
        return e;
    return checkCells(1, {1}, [&p](int r, int) { return p.months[r].temperature; });
}

std::optional<QString> dcVoltageNotice(const QString& uses, const QStringList& consumerVoltages) {
    for (const QString& u : consumerVoltages) {
        if (u.isEmpty() || u == uses)
            continue;
        return QStringLiteral("Нагрузка АБ содержит электроприемники, имеющие номинальное "
                              "постоянное напряжение ") +
               u + QStringLiteral(" В. ") +
               QStringLiteral("Удалите эти электроприемники или замените их на ") +
               QStringLiteral("электроприемники, имеющие номинальное напряжение ") + uses +
               QStringLiteral(" В.");
    }
    return std::nullopt;
}

QString storedColumn(const QString& column, ParamTable table) {
    if (table == ParamTable::Default && column == QLatin1String("Pom_AKB"))
        return QStringLiteral("PomName");
    return column;
}

std::vector<std::pair<QString, QVariant>> paramColumns(const VariantParams& p, ParamTable table) {
    const TableDef& def = tableDef(table);
    std::vector<std::pair<QString, QVariant>> r;
    if (table == ParamTable::Variant)
        r.emplace_back(QStringLiteral("VarName"), p.name.isEmpty() ? QVariant() : QVariant(p.name));
    for (const ParamDef& d : variantParamTable()) {
        const QString column = storedColumn(d.column, table);
        QVariant v = storedValue(d, p.text(d.column), *def.column(column));
        // The array voltage means nothing with PWM controllers.
        if (d.column == QLatin1String("Umppt") && !p.isOn(kMppt))
            v = QVariant();
        r.emplace_back(column, v);
    }
    return r;
}

VariantParams paramsFromColumns(const std::function<QVariant(const QString&)>& column,
                                ParamTable table) {
    const TableDef& def = tableDef(table);
    VariantParams p = factoryParams();
    if (table == ParamTable::Variant)
        p.name = column(QStringLiteral("VarName")).toString();
    for (const ParamDef& d : variantParamTable()) {
        const QString stored = storedColumn(d.column, table);
        p.set(d.column, shownText(d, column(stored), *def.column(stored)));
    }
    return p;
}

} // namespace ses
