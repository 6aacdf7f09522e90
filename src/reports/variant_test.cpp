#include "reports/variant_test.h"

#include "lib/numbers.h"
#include "solar/controllers.h"

#include <cmath>
#include <map>

namespace ses {

// ---------------------------------------------------------------- rows

SnapshotRow::SnapshotRow(std::initializer_list<std::pair<const char*, QVariant>> values) {
    for (const auto& [column, value] : values)
        set(QString::fromLatin1(column), value);
}

void SnapshotRow::set(const QString& column, const QVariant& value) {
    m_values.insert(column, value);
}

bool SnapshotRow::isNull(const char* column) const {
    const QVariant v = m_values.value(QString::fromLatin1(column));
    return !v.isValid() || v.isNull() ||
           (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

std::optional<double> SnapshotRow::number(const char* column) const {
    if (isNull(column))
        return std::nullopt;
    bool ok = false;
    const double d = m_values.value(QString::fromLatin1(column)).toDouble(&ok);
    return ok && std::isfinite(d) ? std::optional<double>(d) : std::nullopt;
}

QString SnapshotRow::text(const char* column) const {
    if (isNull(column))
        return {};
    const QVariant v = m_values.value(QString::fromLatin1(column));
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return numberToText(v.toDouble());
    default:
        return v.toString();
    }
}

std::optional<bool> SnapshotRow::flag(const char* column) const {
    if (isNull(column))
        return std::nullopt;
    return m_values.value(QString::fromLatin1(column)).toDouble() != 0;
}

namespace {

// ---------------------------------------------------------------- texts

// A remark text with its <name> places filled from `values`; an unknown name stays as written.
QString fill(const QString& pattern, const std::map<QString, QString>& values) {
    QString out;
    out.reserve(pattern.size() + 64);
    int i = 0;
    while (i < pattern.size()) {
        const int open = pattern.indexOf(QLatin1Char('<'), i);
        if (open < 0)
            break;
        const int close = pattern.indexOf(QLatin1Char('>'), open);
        if (close < 0)
            break;
        out += QStringView(pattern).mid(i, open - i);
        const auto it = values.find(pattern.mid(open + 1, close - open - 1));
        if (it == values.end())
            out += QStringView(pattern).mid(open, close - open + 1);
        else
            out += it->second;
        i = close + 1;
    }
    out += QStringView(pattern).mid(i);
    return out;
}

QString two(double x) {
    return formatPattern(x, QStringLiteral("0.##"));
}

// ---------------------------------------------------------------- the run

// The values a check needs: all there, or the check is skipped (and, where the section is
// flagged by it, left incomplete).
bool present(std::initializer_list<bool> has) {
    for (bool h : has)
        if (!h)
            return false;
    return true;
}

class Run {
public:
    explicit Run(const VariantSnapshot& s) : m_s(s), m_v(s.variant) {}

    VariantTestResult result;

    void all() {
        m_allControllers = !m_v.isNull("Uses") && !m_s.arrays.empty();
        for (const SnapshotRow& a : m_s.arrays)
            if (a.isNull("Tip_Ctrl"))
                m_allControllers = false;
        loadsAndInverters();
        solarBattery();
        controllers();
        battery();
        cables();
        protection();
    }

private:
    SectionRemarks& section(TestSection s) { return result.sections[int(s)]; }
    void add(TestSection s, const QString& text) { section(s).remarks << text; }
    void incomplete(TestSection s) { section(s).complete = false; }
    // Whether the values are there; when not, the section is left incomplete.
    bool need(TestSection s, std::initializer_list<bool> has) {
        if (present(has))
            return true;
        incomplete(s);
        return false;
    }

    // ---------------------------------------------- loads and inverters

    void loadsAndInverters() {
        const TestSection L = TestSection::Loads;
        if (m_s.loads.empty() && m_s.dc.empty())
            add(L, QStringLiteral(
                       "Полностью отсутствуют нагрузки солнечной электростанции. Добавьте хотя бы "
                       "одну нагрузку - или постоянного, или переменного напряжения."));
        const auto uses = m_v.number("Uses");
        for (const SnapshotDcSchedule& g : m_s.dc)
            for (const SnapshotRow& c : g.consumers) {
                const auto unom = c.number("Unom");
                if (!unom || !uses || sameValue(roundHalfEven(*unom, 0), *uses))
                    continue;
                add(L, fill(QStringLiteral(
                                "Суточный график \"<SutGrafName>\" нагрузки постоянного напряжения "
                                "АБ. Номинальное напряжение электроприемника \"<Name>\" (<Unom> B) "
                                "не соответствует номинальному напряжению аккумуляторной батареи "
                                "(<Uses> B). Удалите указанный электроприемник или замените его на "
                                "электроприемник с номинальным напряжением <Uses> B."),
                            {{QStringLiteral("SutGrafName"), g.row.text("SutGrafName")},
                             {QStringLiteral("Name"), c.text("Name")},
                             {QStringLiteral("Unom"), c.text("Unom")},
                             {QStringLiteral("Uses"), m_v.text("Uses")}}));
            }
        const auto mode = m_v.number("ParamNagr");
        for (const SnapshotRow& l : m_s.loads) {
            const std::map<QString, QString> name{
                {QStringLiteral("Nagr_Name"), l.text("Nagr_Name")}};
            if (l.isNull("Pnom30min") && l.isNull("Pmax10min") && mode) {
                if (*mode == 0)
                    add(L, fill(QStringLiteral("Отсутствуют параметры нагрузки \"<Nagr_Name>\"."),
                                name));
                else if (*mode == 1 || *mode == 2)
                    add(L, fill(QStringLiteral("Добавьте один или несколько суточных графиков "
                                               "нагрузки \"<Nagr_Name>\"."),
                                name));
            }
            inverterChecks(l);
        }
    }

    // 2.2 to 2.4: the load's power with the margin against the inverter's.
    void powerMargin(const SnapshotRow& l, const char* power, const char* margin,
                     const char* rating, const QString& pattern) {
        const TestSection I = TestSection::Inverters;
        const auto p = l.number(power), zap = m_v.number(margin), r = l.number(rating);
        if (!need(I, {bool(p), bool(zap), bool(r)}))
            return;
        const double k = 1 + *zap / 100, product = *p * k;
        if (atLeast(*r, product))
            return;
        add(I, fill(pattern, {{QStringLiteral("Nagr_Name"), l.text("Nagr_Name")},
                              {QStringLiteral("K"), two(k)},
                              {QString::fromLatin1(power), l.text(power)},
                              {QStringLiteral("product"), two(product)},
                              {QString::fromLatin1(rating), l.text(rating)}}));
    }

    void inverterChecks(const SnapshotRow& l) {
        const TestSection I = TestSection::Inverters;
        const QString load = l.text("Nagr_Name");
        if (!l.isNull("Pnom30min") && !l.isNull("Pmax10min") && !l.isNull("Ppik") &&
            l.isNull("Name_Inv"))
            add(I, fill(QStringLiteral("Выберите инвертор нагрузки \"<Nagr_Name>\"."),
                        {{QStringLiteral("Nagr_Name"), load}}));
        powerMargin(
            l, "Pnom30min", "ZapPnom_Inv", "Pnom_Inv",
            QStringLiteral(
                "Номинальная мощность нагрузки \"<Nagr_Name>\" с учетом коэффициента запаса при "
                "выборе инвертора (<K>*<Pnom30min> = <product> Bт) превышает номинальную мощность "
                "инвертора (<Pnom_Inv> Вт). Необходимо пересмотреть нагрузку \"<Nagr_Name>\" или "
                "выбрать инвертор с другой номинальной мощностью."));
        powerMargin(
            l, "Pmax10min", "ZapPmax_Inv", "Pmax_Inv",
            QStringLiteral(
                "Максимальная мощность нагрузки \"<Nagr_Name>\" с учетом коэффициента запаса при "
                "выборе инвертора (<K>*<Pmax10min> = <product> Bт) превышает максимальную мощность "
                "инвертора (<Pmax_Inv> Вт). Необходимо пересмотреть нагрузку \"<Nagr_Name>\" или "
                "выбрать инвертор с другой максимальной мощностью."));
        if (m_v.flag("UsePpik_Inv").value_or(false))
            powerMargin(
                l, "Ppik", "ZapPpik_Inv", "Ppik_Inv",
                QStringLiteral(
                    "Пиковая мощность нагрузки \"<Nagr_Name>\" с учетом коэффициента запаса при "
                    "выборе инвертора (<K>*<Ppik> = <product> Bт) превышает пиковую мощность "
                    "инвертора (<Ppik_Inv> Вт). Необходимо пересмотреть нагрузку \"<Nagr_Name>\" "
                    "или выбрать инвертор с другой пиковой мощностью."));
        const auto uses = m_v.number("Uses"), uvh = l.number("Uvh_Inv");
        if (need(I, {bool(uses), bool(uvh)}) && !sameValue(*uvh, *uses))
            add(I, fill(QStringLiteral(
                            "Входное напряжению инвертора нагрузки \"<Nagr_Name>\" (<Uvh_Inv> B) "
                            "не соответствует напряжению солнечной электростанции (<Uses> В). "
                            "Необходимо выбрать другое напряжение солнечной электростанции или "
                            "инвертор с другим входным напряжением."),
                        {{QStringLiteral("Nagr_Name"), load},
                         {QStringLiteral("Uvh_Inv"), l.text("Uvh_Inv")},
                         {QStringLiteral("Uses"), m_v.text("Uses")}}));
        const auto uvuh = m_v.number("Uvuh"), uvuhInv = l.number("Uvuh_Inv");
        if (need(I, {bool(uvuh), bool(uvuhInv)}) && !sameValue(*uvuhInv, *uvuh))
            add(I, fill(QStringLiteral(
                            "Выходное напряжение инвертора нагрузки \"<Nagr_Name>\" (<Uvuh_Inv> B) "
                            "не соответствует выходному напряжению солнечной электростанции "
                            "(<Uvuh> В). Необходимо выбрать другое выходное напряжение солнечной "
                            "электростанции или инвертор с другим выходным напряжением."),
                        {{QStringLiteral("Nagr_Name"), load},
                         {QStringLiteral("Uvuh_Inv"), l.text("Uvuh_Inv")},
                         {QStringLiteral("Uvuh"), m_v.text("Uvuh")}}));
        const auto sinus = l.flag("ClearSinus");
        if (need(I, {bool(sinus), !l.isNull("Forma_Inv")}) && *sinus &&
            l.text("Forma_Inv") != QStringLiteral("чистый синус"))
            add(I,
                fill(QStringLiteral(
                         "Форма выходного сигнала инвертора нагрузки \"<Nagr_Name>\" "
                         "(\"<Forma_Inv>\") не соответствует форме выходного напряжения нагрузки "
                         "(\"чистый синус\"). Необходимо выбрать другую форму выходного напряжения "
                         "нагрузки или инвертор c другой формой выходного сигнала."),
                     {{QStringLiteral("Nagr_Name"), load},
                      {QStringLiteral("Forma_Inv"), l.text("Forma_Inv")}}));
    }

    // ---------------------------------------------- solar battery

    // The bound of the battery's charge current and its shown form: "<factor>*<base> = " before
    // the bound unless the factor is 1.
    struct ChargeBound {
        double value = 0;
        QString prefix;
    };
    std::optional<ChargeBound> chargeBound(const char* factorColumn, const char* basisColumn) {
        const auto factor = m_v.number(factorColumn);
        if (!factor)
            return std::nullopt;
        const bool fromMin = m_v.text(basisColumn) == QStringLiteral("Iз.мин.");
        const char* baseColumn = fromMin ? "SIzar_min_AKB" : "SIzar_max_AKB";
        const double base = *m_v.number(baseColumn);
        ChargeBound b{*factor * base, {}};
        if (!sameValue(*factor, 1))
            b.prefix = m_v.text(factorColumn) + QStringLiteral("*") + m_v.text(baseColumn) +
                       QStringLiteral(" = ");
        return b;
    }

    void solarBattery() {
        const TestSection S = TestSection::SolarBattery;
        if (!m_v.isNull("Pras_SP") && m_s.arrays.empty())
            add(S, QStringLiteral("Сформируйте солнечную батарею солнечной электростанции."));
        // The string voltage of the array selected in the main window: 0 without one.
        const auto unomSp = m_v.number("Unom_SP");
        std::optional<double> p = 0;
        if (m_s.selectedArray >= 0 && m_s.selectedArray < int(m_s.arrays.size())) {
            const auto posled = m_s.arrays[m_s.selectedArray].number("KolPosled");
            p = posled && unomSp ? std::optional<double>(*unomSp * *posled) : std::nullopt;
        }
        const auto mppt = m_v.flag("UseMPPT_Ctrl");
        if (need(S, {bool(mppt)})) {
            // With an MPPT controller the strings match its input voltage, without one the
            // station's voltage.
            const char* against = *mppt ? "Umppt" : "Uses";
            const auto u = m_v.number(against);
            const QString multiple =
                *mppt ? QStringLiteral(
                            "Напряжение на входе MPPT-контроллера (<Umppt> B) некратно "
                            "номинальному напряжению солнечных панелей (<Unom_SP> В). Необходимо "
                            "выбрать другое напряжение на входе MPPT-контроллера или солнечные "
                            "панели с другим номинальным напряжением.")
                      : QStringLiteral(
                            "Напряжение солнечной электростанции (<Uses> B) некратно номинальному "
                            "напряжению солнечных панелей (<Unom_SP> В). Необходимо выбрать другое "
                            "напряжение солнечной электростанции или солнечные панели с другим "
                            "номинальным напряжением.");
            const QString equal =
                *mppt ? QStringLiteral(
                            "Напряжение на входе MPPT-контроллера (<Umppt> B) неравно номинальному "
                            "напряжению сборок солнечных панелей (<P> В). Необходимо выбрать "
                            "другое напряжение на входе МРРТ-контроллера или сформировать массивы "
                            "солнечных панелей с другим номинальным напряжением сборок панелей.")
                      : QStringLiteral(
                            "Напряжение солнечной электростанции (<Uses> B) неравно номинальному "
                            "напряжению сборок солнечных панелей (<P> В). Необходимо выбрать "
                            "другое напряжение солнечной электростанции или сформировать массивы "
                            "солнечных панелей с другим номинальным напряжением сборок панелей.");
            const std::map<QString, QString> values{
                {QString::fromLatin1(against), m_v.text(against)},
                {QStringLiteral("Unom_SP"), m_v.text("Unom_SP")},
                {QStringLiteral("P"), p ? two(*p) : QString()}};
            // A panel voltage of 0 divides nothing: the check cannot be made.
            if (need(S, {bool(u), unomSp && *unomSp != 0}) && !sameValue(std::fmod(*u, *unomSp), 0))
                add(S, fill(multiple, values));
            if (need(S, {bool(u), bool(unomSp), bool(p)}) && !sameValue(*p, *u))
                add(S, fill(equal, values));
        }
        const auto pras = m_v.number("Pras_SP"), total = m_v.number("PTotal_SP");
        if (need(S, {bool(pras), bool(total)}) && !notAbove(*pras, *total))
            add(S, fill(QStringLiteral(
                            "Обшая мощность солнечной батареи (<PTotal_SP> Bт) меньше ее расчетной "
                            "мощности (<Pras_SP> Вт). Необходимо пересмотреть нагрузки солнечной "
                            "электростанции или сформировать солнечную батарею большей мощности."),
                        {{QStringLiteral("PTotal_SP"), m_v.text("PTotal_SP")},
                         {QStringLiteral("Pras_SP"), m_v.text("Pras_SP")}}));
        const auto sizar = m_v.number("SIzar_AKB");
        if (m_v.isNull("SIzar_min_AKB") || m_v.isNull("SIzar_max_AKB") || !sizar)
            return;
        const auto low = chargeBound("Kzar_min", "Izar_min");
        if (need(S, {bool(low)}) && !atLeast(*sizar, low->value))
            add(S,
                fill(QStringLiteral("Суммарный ток заряда АБ, обеспечиваемый солнечной батареей и "
                                    "контроллерами (<SIzar_AKB> А), меньше минимально допустимого "
                                    "зарядного тока АБ (<prefix><Lmin> А). Рекомендуется увеличить "
                                    "суммарную мощность солнечной батареи или, если это возможно, "
                                    "уменьшить суммарную емкость АБ."),
                     {{QStringLiteral("SIzar_AKB"), m_v.text("SIzar_AKB")},
                      {QStringLiteral("prefix"), low->prefix},
                      {QStringLiteral("Lmin"), numberToText(low->value)}}));
        const auto high = chargeBound("Kzar_max", "Izar_max");
        if (need(S, {bool(high)}) && !notAbove(*sizar, high->value))
            add(S,
                fill(QStringLiteral(
                         "Суммарный ток заряда АБ, обеспечиваемый солнечной батареей и "
                         "контроллерами (<SIzar_AKB> А), больше максимально допустимого зарядного "
                         "тока АБ (<prefix><Lmax> А). Рекомендуется увеличить суммарную емкость АБ "
                         "или, если это возможно, уменьшить суммарную мощность солнечной батареи."),
                     {{QStringLiteral("SIzar_AKB"), m_v.text("SIzar_AKB")},
                      {QStringLiteral("prefix"), high->prefix},
                      {QStringLiteral("Lmax"), numberToText(high->value)}}));
    }

    // ---------------------------------------------- controllers

    void controllers() {
        const TestSection C = TestSection::Controllers;
        const auto uses = m_v.number("Uses");
        if (!need(C, {bool(uses), !m_s.arrays.empty()}))
            return;
        const auto mppt = m_v.flag("UseMPPT_Ctrl");
        // The panels' temperature factor: from the catalog panel, else the usual 1,115.
        std::optional<double> kt = kDefaultTemperatureFactor;
        if (m_s.panelFound) {
            const auto tmin = m_v.number("Tmin_SP");
            kt = m_s.panelTkVos && !tmin
                     ? std::nullopt
                     : std::optional<double>(temperatureFactor(m_s.panelTkVos, tmin.value_or(0)));
        }
        for (int i = 0; i < int(m_s.arrays.size()); ++i) {
            const SnapshotRow& a = m_s.arrays[i];
            const QString name = a.text("NameMassive"), tip = a.text("Tip_Ctrl");
            if (a.isNull("Tip_Ctrl"))
                add(C, fill(QStringLiteral("Выберите контроллер для работы с массивом солнечных "
                                           "панелей \"<NameMassive>\"."),
                            {{QStringLiteral("NameMassive"), name}}));
            const auto unom = a.number("Unom_Ctrl");
            if (need(C, {bool(unom)}) && !sameValue(*unom, *uses))
                add(C, fill(QStringLiteral(
                                "Номинальное напряжение контроллера (<Unom_Ctrl> B) не "
                                "соответствует напряжению солнечной электростанции (<Uses> В). "
                                "Необходимо выбрать другое напряжение солнечной электростанции или "
                                "контроллер с другим номинальным напряжением."),
                            {{QStringLiteral("Unom_Ctrl"), a.text("Unom_Ctrl")},
                             {QStringLiteral("Uses"), m_v.text("Uses")}}));
            if (need(C, {!a.isNull("Tip_Ctrl"), !m_v.isNull("Tip_AKB")}) &&
                i < int(m_s.controllerBatteryTypes.size()) && m_s.controllerBatteryTypes[i] &&
                !m_s.controllerBatteryTypes[i]->contains(m_v.text("Tip_AKB")))
                add(C,
                    fill(QStringLiteral("Тип аккумуляторной батареи \"<Name_AKB>\" (<Tip_AKB>) не "
                                        "входит в перечень допустимых типов аккумуляторных батарей "
                                        "для контроллера \"<Tip_Ctrl>\". Необходимо выбрать другой "
                                        "тип контроллера или другой тип аккумуляторной батареи."),
                         {{QStringLiteral("Name_AKB"), m_v.text("Name_AKB")},
                          {QStringLiteral("Tip_AKB"), m_v.text("Tip_AKB")},
                          {QStringLiteral("Tip_Ctrl"), tip}}));
            if (need(C, {bool(mppt)}) && *mppt) {
                const auto zap = m_v.number("Uxx_zap_Ctrl"), sum = a.number("SumUxx"),
                           uxx = a.number("Uxx_Ctrl");
                if (need(C, {bool(zap), bool(sum), bool(uxx), bool(kt)})) {
                    const double kz = *zap / 100 + 1, v = *sum * kz * *kt;
                    if (!notAbove(v, *uxx))
                        add(C, fill(QStringLiteral(
                                        "Напряжение холостого хода массива \"<NameMassive>\" с "
                                        "учетом коэффициента запаса и температурного коэффициента "
                                        "(<SumUxx>*<Kz>*<Kt> = <V> В) превышает максимально "
                                        "допустимое напряжение холостого хода МРРТ-контроллера "
                                        "\"<Tip_Ctrl>\" (<Uxx_Ctrl> В). Необходимо выбрать "
                                        "контроллер c большим максимально допустимым напряжением "
                                        "холостого хода массива СП или сформировать солнечную "
                                        "батарею с меньшим напряжением холостого хода массива СП."),
                                    {{QStringLiteral("NameMassive"), name},
                                     {QStringLiteral("SumUxx"), a.text("SumUxx")},
                                     {QStringLiteral("Kz"), two(kz)},
                                     {QStringLiteral("Kt"), numberToText(*kt)},
                                     {QStringLiteral("V"), two(v)},
                                     {QStringLiteral("Tip_Ctrl"), tip},
                                     {QStringLiteral("Uxx_Ctrl"), a.text("Uxx_Ctrl")}}));
                }
            }
            const auto inom = a.number("Inom_Ctrl"), imas = a.number("Imas");
            if (need(C, {bool(inom), bool(imas)}) && !notAbove(*imas, *inom))
                add(C, fill(QStringLiteral(
                                "Номинальный ток контроллера (<Inom_Ctrl> А) меньше номинального "
                                "тока солнечных панелей массива \"<NameMassive>\" (<Imas> А). "
                                "Необходимо выбрать другой тип контроллера или сформировать другой "
                                "массив солнечных панелей."),
                            {{QStringLiteral("Inom_Ctrl"), a.text("Inom_Ctrl")},
                             {QStringLiteral("NameMassive"), name},
                             {QStringLiteral("Imas"), a.text("Imas")}}));
        }
    }

    // ---------------------------------------------- storage battery

    void battery() {
        const TestSection B = TestSection::Battery;
        if (!m_v.isNull("Tip_SP") && m_allControllers && !m_v.isNull("Cras_AKB") &&
            m_v.isNull("Tip_AKB"))
            add(B, QStringLiteral("Сформируйте аккумуляторную батарею солнечной электростанции."));
        const auto uses = m_v.number("Uses"), unom = m_v.number("Unom_AKB"),
                   posled = m_v.number("KolPosled_AKB");
        if (need(B, {bool(uses), bool(unom), bool(posled)}) && !sameValue(*posled * *unom, *uses))
            add(B,
                fill(QStringLiteral("Напряжение солнечной электростанции (<Uses> B) не "
                                    "соответствует номинальному напряжению АБ (<KolPosled_AKB * "
                                    "Unom_AKB> В). Необходимо выбрать другое напряжение солнечной "
                                    "электростанции или АБ с другим номинальным напряжением."),
                     {{QStringLiteral("Uses"), m_v.text("Uses")},
                      {QStringLiteral("KolPosled_AKB * Unom_AKB"), two(*posled * *unom)}}));
        const auto cras = m_v.number("Cras_AKB"), cfakt = m_v.number("Cfakt_AKB");
        if (need(B, {bool(cras), bool(cfakt)}) && !notAbove(*cras, *cfakt))
            add(B, fill(QStringLiteral("Обшая емкость АБ (<Cfakt_AKB> А*ч) меньше ее расчетной "
                                       "емкости (<Cras_AKB> А*ч). Необходимо пересмотреть нагрузки "
                                       "солнечной электростанции или выбрать другую АБ."),
                        {{QStringLiteral("Cfakt_AKB"), m_v.text("Cfakt_AKB")},
                         {QStringLiteral("Cras_AKB"), m_v.text("Cras_AKB")}}));
        discharge(
            "Inom", "Krazr_nom",
            QStringLiteral(
                "Номинальный ток нагрузки c учетом расчетного коэффициента (<Krazr_nom>*<Inom> = "
                "<product> А) превышает суммарную емкость АБ (<Cfakt_AKB> А*ч). Рекомендуется "
                "увеличить суммарную емкость АБ (не менее <product> А*ч)."));
        discharge(
            "Imax", "Krazr_max",
            QStringLiteral(
                "Максимальный ток нагрузки c учетом расчетного коэффициента (<Krazr_max>*<Imax> = "
                "<product> А) превышает суммарную емкость АБ (<Cfakt_AKB> А*ч). Рекомендуется "
                "увеличить суммарную емкость АБ (не менее <product> А*ч)."));
        discharge("Ipik", "Krazr_pik",
                  QStringLiteral(
                      "Пиковый ток нагрузки c учетом расчетного коэффициента (<Krazr_pik>*<Ipik> = "
                      "<product> А) превышает суммарную емкость АБ (<Cfakt_AKB> А*ч). "
                      "Рекомендуется увеличить суммарную емкость АБ (не менее <product> А*ч)."));
    }

    void discharge(const char* current, const char* factor, const QString& pattern) {
        const TestSection B = TestSection::Battery;
        const auto cfakt = m_v.number("Cfakt_AKB"), i = m_v.number(current), k = m_v.number(factor);
        if (!need(B, {bool(cfakt), bool(i), bool(k)}) || atLeast(*cfakt, *k * *i))
            return;
        add(B, fill(pattern, {{QString::fromLatin1(factor), m_v.text(factor)},
                              {QString::fromLatin1(current), m_v.text(current)},
                              {QStringLiteral("product"), two(*k * *i)},
                              {QStringLiteral("Cfakt_AKB"), m_v.text("Cfakt_AKB")}}));
    }

    // ---------------------------------------------- cables

    // A voltage drop against its allowed value (both needed).
    void drop(const SnapshotRow& row, const char* dropColumn, const char* allowedColumn,
              std::map<QString, QString> values, const QString& pattern) {
        const TestSection K = TestSection::Cables;
        const auto du = row.number(dropColumn), allowed = m_v.number(allowedColumn);
        if (!need(K, {bool(du), bool(allowed)}) || atLeast(*allowed, *du))
            return;
        values[QString::fromLatin1(dropColumn)] = row.text(dropColumn);
        values[QString::fromLatin1(allowedColumn)] = m_v.text(allowedColumn);
        add(K, fill(pattern, values));
    }

    void cables() {
        const TestSection K = TestSection::Cables;
        const bool tipAkb = !m_v.isNull("Tip_AKB"), cfakt = !m_v.isNull("Cfakt_AKB");
        if (!m_s.arrays.empty() && !m_allControllers)
            incomplete(K);
        if (m_allControllers)
            for (const SnapshotRow& a : m_s.arrays) {
                const std::map<QString, QString> names{
                    {QStringLiteral("NameMassive"), a.text("NameMassive")},
                    {QStringLiteral("Tip_Ctrl"), a.text("Tip_Ctrl")}};
                const bool named = !a.isNull("NameMassive");
                if (need(K, {named}) && a.isNull("Skab"))
                    add(K, fill(QStringLiteral(
                                    "Не выбран кабель (провод) для присоединения массива солнечных "
                                    "панелей \"<NameMassive>\" к контроллеру \"<Tip_Ctrl>\"."),
                                names));
                if (need(K, {tipAkb}) && a.isNull("Skab_akb"))
                    add(K, fill(QStringLiteral("Не выбран кабель (провод) для присоединения "
                                               "контроллера \"<Tip_Ctrl>\" к АБ."),
                                names));
                if (need(K, {named}))
                    drop(a, "DUkab", "DU_KL_Mas_Ctrl", names,
                         QStringLiteral(
                             "Падение напряжения в кабеле (проводе) для присоединения массива "
                             "солнечных панелей \"<NameMassive>\" к контроллеру \"<Tip_Ctrl>\" "
                             "(<DUkab> %) превышает допустимое значение (<DU_KL_Mas_Ctrl> %). "
                             "Выберите кабель (провод) с большим сечением жил."));
                if (need(K, {cfakt}))
                    drop(a, "DUkab_akb", "DU_KL_Ctrl_AKB", names,
                         QStringLiteral("Падение напряжения в кабеле (проводе) для присоединения "
                                        "контроллера \"<Tip_Ctrl>\" к АБ (<DUkab_akb> %) превышает "
                                        "допустимое значение (<DU_KL_Ctrl_AKB> %). Выберите кабель "
                                        "(провод) с большим сечением жил."));
            }
        for (const SnapshotRow& l : m_s.loads) {
            const std::map<QString, QString> names{
                {QStringLiteral("Name_Inv"), l.text("Name_Inv")}};
            const bool inverter = !l.isNull("Name_Inv");
            if (need(K, {inverter, tipAkb}) && l.isNull("Skab_inv"))
                add(K, fill(QStringLiteral("Не выбран кабель (провод) для присоединения АБ к "
                                           "инвертору \"<Name_Inv>\"."),
                            names));
            if (need(K, {inverter, cfakt}))
                drop(l, "DUkab_inv", "DU_KL_AKB_Inv", names,
                     QStringLiteral(
                         "Падение напряжения в кабеле (проводе) для присоединения АБ к инвертору "
                         "\"<Name_Inv>\" (<DUkab_inv> %) превышает допустимое значение "
                         "(<DU_KL_AKB_Inv> %). Выберите кабель (провод) с большим сечением жил."));
        }
        if (m_s.dc.empty())
            return;
        if (need(K, {tipAkb}) && m_v.isNull("Skab_akb"))
            add(K, QStringLiteral("Не выбран кабель (провод) для присоединения потребителей "
                                  "постоянного напряжения к АБ."));
        if (need(K, {tipAkb}))
            drop(m_v, "DUkab_akb", "DU_KL_AKB_Output", {},
                 QStringLiteral("Падение напряжения в кабеле (проводе) для присоединения к АБ "
                                "электроприемников постоянного напряжения (<DUkab_akb> %) "
                                "превышает допустимое значение (<DU_KL_AKB_Output> %). Выберите "
                                "кабель (провод) с большим сечением жил."));
    }

    // ---------------------------------------------- protection

    // One rating check: required = round2(base * factor) as the device choice requires it;
    // the remark when the rating is below it.
    struct Rating {
        DeviceKind kind = DeviceKind::Breaker;
        bool voltage = false;
        bool stringDevice = false;
        QString head, type;
        const SnapshotRow* row = nullptr; // where the rating and the type are stored
        const char* ratingColumn = "";
        const char* factorColumn = ""; // on the variant
        std::optional<double> base;
        QString baseText;
        double required = 0;
    };

    void rating(const Rating& r) {
        const TestSection P = TestSection::Protection;
        const auto value = r.row->number(r.ratingColumn), factor = m_v.number(r.factorColumn);
        if (!need(P, {bool(r.base), bool(value), bool(factor)}) || atLeast(*value, r.required))
            return;
        const bool breaker = r.kind == DeviceKind::Breaker;
        const QString product = two(*r.base * *factor);
        const QString of = breaker ? QStringLiteral("автоматического выключателя")
                                   : QStringLiteral("предохранителя");
        const QString device = breaker ? QStringLiteral("автоматический выключатель")
                                       : QStringLiteral("предохранитель");
        // The fuse's current is its link's ("вставки"), except in the string devices' texts.
        const QString link =
            !breaker && !r.voltage && !r.stringDevice ? QStringLiteral(" вставки") : QString();
        const QString what = r.voltage ? QStringLiteral("номинальное напряжение")
                                       : QStringLiteral("номинальный ток") + link;
        const QString with = r.voltage ? QStringLiteral("с номинальным напряжением")
                                       : QStringLiteral("с номинальным током") + link;
        // The letters as the texts have them: the first "В" Cyrillic, the others Latin.
        const QString unit = r.voltage ? QStringLiteral("В") : QStringLiteral("А");
        const QString ratedUnit = r.voltage ? QStringLiteral("B") : QStringLiteral("А");
        add(P, r.head + m_v.text(r.factorColumn) + QStringLiteral("*") + r.baseText +
                   QStringLiteral(" = ") + product + QStringLiteral(" ") + unit +
                   QStringLiteral(") превышает ") + what + QStringLiteral(" (") +
                   r.row->text(r.ratingColumn) + QStringLiteral(" ") + ratedUnit +
                   QStringLiteral(") ") + of + QStringLiteral(" \"") + r.type +
                   QStringLiteral("\"") +
                   (r.stringDevice ? QStringLiteral(" отдельной сборки СП массива") : QString()) +
                   QStringLiteral(". Рекомендуется выбрать ") + device + QStringLiteral(" ") +
                   with + QStringLiteral(" не менее ") + product + QStringLiteral(" ") + ratedUnit +
                   QStringLiteral("."));
    }

    // The current and voltage checks of one device from the choice's requirement.
    void deviceChecks(DeviceKind kind, Circuit circuit, int record, const SnapshotRow& row,
                      const char* type, const char* current, const char* voltage,
                      const char* currentFactor, const char* voltageFactor,
                      const QString& currentHead, const QString& voltageHead, bool checkCurrent,
                      bool computedCurrentBase = false) {
        const Requirement req = requirementOf(kind, circuit, m_inputs, record);
        const bool string = circuit == Circuit::Assembly;
        if (checkCurrent) {
            Rating c{kind,    false,         string,          currentHead, row.text(type), &row,
                     current, currentFactor, req.currentBase, {},          req.current};
            if (c.base)
                c.baseText = computedCurrentBase ? two(*c.base) : numberToText(*c.base);
            rating(c);
        }
        Rating u{kind,    true,          string,          voltageHead, row.text(type), &row,
                 voltage, voltageFactor, req.voltageBase, {},          req.voltage};
        if (u.base)
            u.baseText = numberToText(*u.base);
        rating(u);
    }

    void protection() {
        const TestSection P = TestSection::Protection;
        m_inputs = protectionInputsOf(m_s);
        // Devices in the panel strings.
        if (need(P, {!m_v.isNull("Tip_SP"), !m_s.arrays.empty()})) {
            const auto allowed = m_v.number("MaxKolSborNotProt");
            bool over = false, known = bool(allowed);
            for (const SnapshotRow& a : m_s.arrays) {
                const auto strings = a.number("KolVetv");
                known = known && strings;
                if (strings && allowed && *strings > *allowed)
                    over = true;
            }
            const bool none = m_v.isNull("Tip_AV_SP") && m_v.isNull("Tip_Pr_SP");
            if (need(P, {known}) && over && none)
                add(P, QStringLiteral("Не выбраны автоматические выключатели (предохранители) на "
                                      "отдельные сборки массивов солнечных панелей."));
            const QString currentHead = QStringLiteral("Номинальный ток отдельной сборки массива "
                                                       "СП c учетом коэффициента запаса по току ("),
                          voltageHead =
                              QStringLiteral("Напряжение холостого хода отдельной сборки массива "
                                             "СП c учетом коэффициента запаса по напряжению (");
            if (!m_v.isNull("Tip_AV_SP"))
                deviceChecks(DeviceKind::Breaker, Circuit::Assembly, 0, m_v, "Tip_AV_SP",
                             "Inom_AV_SP", "Unom_AV_SP", "Kzap_AV_Vetv_I", "Kzap_AV_Vetv_U",
                             currentHead, voltageHead, true);
            if (!m_v.isNull("Tip_Pr_SP"))
                deviceChecks(DeviceKind::Fuse, Circuit::Assembly, 0, m_v, "Tip_Pr_SP", "Inom_Pr_SP",
                             "Unom_Pr_SP", "Kzap_Pr_Vetv_I", "Kzap_Pr_Vetv_U", currentHead,
                             voltageHead, true);
        }
        // Each array's circuits to its controller and from the controller to the battery.
        if (need(P, {m_allControllers}))
            for (int i = 0; i < int(m_s.arrays.size()); ++i)
                arrayDevices(i);
        for (int i = 0; i < int(m_s.loads.size()); ++i)
            if (need(P, {!m_v.isNull("Tip_AKB")}))
                inverterDevices(i);
        if (!m_s.dc.empty() && need(P, {!m_v.isNull("Tip_AKB")}))
            dcDevices();
    }

    void arrayDevices(int i) {
        const TestSection P = TestSection::Protection;
        const SnapshotRow& a = m_s.arrays[i];
        const std::map<QString, QString> names{
            {QStringLiteral("NameMassive"), a.text("NameMassive")},
            {QStringLiteral("Tip_Ctrl"), a.text("Tip_Ctrl")}};
        if (need(P, {!a.isNull("NameMassive")})) {
            if (a.isNull("Tip_AV_mas") && a.isNull("Tip_Pr_mas"))
                add(P,
                    fill(QStringLiteral(
                             "Не выбран автоматический выключатель (предохранитель) на кабельный "
                             "контур от массива \"<NameMassive>\" к контроллеру \"<Tip_Ctrl>\"."),
                         names));
            const QString
                currentHead =
                    fill(QStringLiteral(
                             "Суммарный ток солнечных панелей массива \"<NameMassive>\" к "
                             "контроллеру \"<Tip_Ctrl>\" c учетом коэффициента запаса по току ("),
                         names),
                voltageHead =
                    fill(QStringLiteral(
                             "Суммарное напряжение холостого хода солнечных панелей массива "
                             "\"<NameMassive>\" c учетом коэффициента запаса по напряжению ("),
                         names);
            if (!a.isNull("Tip_AV_mas"))
                deviceChecks(DeviceKind::Breaker, Circuit::ArrayController, i, a, "Tip_AV_mas",
                             "Inom_AV_mas", "Unom_AV_mas", "Kzap_AV_Mas_I", "Kzap_AV_Mas_U",
                             currentHead, voltageHead, true, true);
            if (!a.isNull("Tip_Pr_mas"))
                deviceChecks(DeviceKind::Fuse, Circuit::ArrayController, i, a, "Tip_Pr_mas",
                             "Inom_Pr_mas", "Unom_Pr_mas", "Kzap_Pr_Mas_I", "Kzap_Pr_Mas_U",
                             currentHead, voltageHead, true, true);
        }
        if (!need(P, {!m_v.isNull("Tip_AKB")}))
            return;
        if (a.isNull("Tip_AV_AKB") && a.isNull("Tip_Pr_AKB"))
            add(P, fill(QStringLiteral("Не выбран автоматический выключатель (предохранитель) на "
                                       "кабельный контур от контроллера \"<Tip_Ctrl>\" к АБ."),
                        names));
        const QString voltageHead =
            fill(QStringLiteral("Напряжение на выходе контроллера \"<Tip_Ctrl>\" (напряжение АБ) c "
                                "учетом коэффициента запаса по напряжению ("),
                 names);
        const bool one = m_s.arrays.size() == 1;
        const auto currentHead = [&](DeviceKind kind) {
            if (one)
                return QString(QStringLiteral(
                    "Максимально допустимый ток заряда АБ c учетом коэффициента запаса по току ("));
            if (m_inputs.variant.settings(kind).ctrlBattery == 1)
                return fill(kind == DeviceKind::Breaker
                                ? QStringLiteral("Ток заряда АБ от контроллера \"<Tip_Ctrl>\" c "
                                                 "учетом коэффициента запаса по току (")
                                : QStringLiteral("Ток заряда АБ от контроллера  \"<Tip_Ctrl>\" c "
                                                 "учетом коэффициента запаса по току ("),
                            names);
            return fill(QStringLiteral("Максимально допустимый ток контроллера \"<Tip_Ctrl>\" c "
                                       "учетом коэффициента запаса по току ("),
                        names);
        };
        if (!a.isNull("Tip_AV_AKB"))
            deviceChecks(DeviceKind::Breaker, Circuit::ControllerBattery, i, a, "Tip_AV_AKB",
                         "Inom_AV_AKB", "Unom_AV_AKB", "Kzap_AV_AKB_I", "Kzap_AV_AKB_U",
                         currentHead(DeviceKind::Breaker), voltageHead, true);
        if (!a.isNull("Tip_Pr_AKB"))
            deviceChecks(DeviceKind::Fuse, Circuit::ControllerBattery, i, a, "Tip_Pr_AKB",
                         "Inom_Pr_AKB", "Unom_Pr_AKB", "Kzap_Pr_AKB_I", "Kzap_Pr_AKB_U",
                         currentHead(DeviceKind::Fuse), voltageHead, true);
    }

    void inverterDevices(int i) {
        const TestSection P = TestSection::Protection;
        const SnapshotRow& l = m_s.loads[i];
        const std::map<QString, QString> names{{QStringLiteral("Name_Inv"), l.text("Name_Inv")}};
        if (l.isNull("Tip_AV_Inv") && l.isNull("Tip_Pr_Inv"))
            add(P, fill(QStringLiteral("Не выбран автоматический выключатель (предохранитель) на "
                                       "кабельный контур от АБ  к инвертору \"<Name_Inv>\"."),
                        names));
        if (l.isNull("Name_Inv"))
            return;
        const QString heads[] = {
            fill(QStringLiteral("Номинальный ток инвертора \"<Name_Inv>\" c учетом коэффициента "
                                "запаса по току ("),
                 names),
            fill(QStringLiteral("Максимальный ток инвертора \"<Name_Inv>\" c учетом коэффициента "
                                "запаса по току ("),
                 names),
            fill(QStringLiteral(
                     "Пиковый ток инвертора \"<Name_Inv>\" c учетом коэффициента запаса по току ("),
                 names)};
        const QString voltageHead =
            fill(QStringLiteral("Напряжение на входе инвертора \"<Name_Inv>\" (напряжение АБ) c "
                                "учетом коэффициента запаса по напряжению ("),
                 names);
        for (DeviceKind kind : {DeviceKind::Breaker, DeviceKind::Fuse}) {
            const bool breaker = kind == DeviceKind::Breaker;
            const char* type = breaker ? "Tip_AV_Inv" : "Tip_Pr_Inv";
            if (l.isNull(type))
                continue;
            const int basis = m_inputs.variant.settings(kind).inverter;
            if (basis == 0)
                powerCheck(kind, i);
            const bool byCurrent = basis >= 1 && basis <= 3;
            deviceChecks(kind, Circuit::BatteryInverter, i, l, type,
                         breaker ? "Inom_AV_Inv" : "Inom_Pr_Inv",
                         breaker ? "Unom_AV_Inv" : "Unom_Pr_Inv",
                         breaker ? "Kzap_AV_Inv_I" : "Kzap_Pr_Inv_I",
                         breaker ? "Kzap_AV_Inv_U" : "Kzap_Pr_Inv_U",
                         byCurrent ? heads[basis - 1] : QString(), voltageHead, byCurrent);
        }
    }

    // The inverter's powers against what the device allows at the variant's voltage; silent
    // when the device's catalog rating is not found.
    void powerCheck(DeviceKind kind, int i) {
        const TestSection P = TestSection::Protection;
        const SnapshotRow& l = m_s.loads[i];
        const bool breaker = kind == DeviceKind::Breaker;
        const auto& ratings = breaker ? m_s.breakerRatings : m_s.fuseRatings;
        if (i >= int(ratings.size()) || !ratings[i])
            return;
        const DevicePowerRating& r = *ratings[i];
        const auto pnom = l.number("Pnom_Inv"), ppik = l.number("Ppik_Inv");
        const std::map<QString, QString> values{
            {QStringLiteral("Tip_AV_Inv"), l.text("Tip_AV_Inv")},
            {QStringLiteral("Tip_Pr_Inv"), l.text("Tip_Pr_Inv")},
            {QStringLiteral("Uses"), m_v.text("Uses")},
            {QStringLiteral("Pinv_nom"), numberToText(r.pinvNom)},
            {QStringLiteral("Pinv_pik"), numberToText(r.pinvPik)},
            {QStringLiteral("Name_Inv"), l.text("Name_Inv")},
            {QStringLiteral("Pnom_Inv"), l.text("Pnom_Inv")},
            {QStringLiteral("Ppik_Inv"), l.text("Ppik_Inv")}};
        if (breaker) {
            if (need(P, {bool(pnom), bool(ppik), bool(r.pinvNom), bool(r.pinvPik)}) &&
                (!notAbove(*pnom, *r.pinvNom) || !notAbove(*ppik, *r.pinvPik)))
                add(P,
                    fill(QStringLiteral("Максимально допустимые номинальная и пиковая мощности "
                                        "инвертора, подключаемого к автоматическому выключателю "
                                        "\"<Tip_AV_Inv>\" при напряжении <Uses> B, составляют "
                                        "соответственно <Pinv_nom> и <Pinv_pik> Вт. Рекомендуется "
                                        "выбрать другой автоматический выключатель, позволяющий "
                                        "подключить инвертор \"<Name_Inv>\" номинальной мощностью "
                                        "<Pnom_Inv> Вт и пиковой мощностью <Ppik_Inv> Вт."),
                         values));
        } else if (need(P, {bool(pnom), bool(r.pinvNom)}) && !notAbove(*pnom, *r.pinvNom)) {
            add(P,
                fill(QStringLiteral(
                         "Максимально допустимая номинальная мощность инвертора, подключаемого к "
                         "предохранителю \"<Tip_Pr_Inv>\" при напряжении <Uses> B, составляет "
                         "<Pinv_nom> Вт. Рекомендуется выбрать другой предохранитель, позволяющий "
                         "подключить инвертор \"<Name_Inv>\" номинальной мощностью <Pnom_Inv> Вт."),
                     values));
        }
    }

    void dcDevices() {
        const TestSection P = TestSection::Protection;
        if (m_v.isNull("Tip_AV_AKB") && m_v.isNull("Tip_Pr_AKB"))
            add(P, QStringLiteral("Не выбран автоматический выключатель (предохранитель) на "
                                  "кабельный контур от АБ к потребителям постоянного напряжения."));
        const QString heads[] = {QStringLiteral("Номинальный ток нагрузки постоянного напряжения "
                                                "АБ c учетом коэффициента запаса по току ("),
                                 QStringLiteral("Максимальный ток нагрузки постоянного напряжения "
                                                "АБ c учетом коэффициента запаса по току ("),
                                 QStringLiteral("Пиковый ток нагрузки постоянного напряжения АБ c "
                                                "учетом коэффициента запаса по току (")};
        for (DeviceKind kind : {DeviceKind::Breaker, DeviceKind::Fuse}) {
            const bool breaker = kind == DeviceKind::Breaker;
            const char* type = breaker ? "Tip_AV_AKB" : "Tip_Pr_AKB";
            if (m_v.isNull(type))
                continue;
            const int basis = m_inputs.variant.settings(kind).output;
            const bool byCurrent = basis >= 0 && basis <= 2;
            deviceChecks(
                kind, Circuit::BatteryDc, 0, m_v, type, breaker ? "Inom_AV_AKB" : "Inom_Pr_AKB",
                breaker ? "Unom_AV_AKB" : "Unom_Pr_AKB",
                breaker ? "Kzap_AV_AKB_Output_I" : "Kzap_Pr_AKB_Output_I",
                breaker ? "Kzap_AV_AKB_Output_U" : "Kzap_Pr_AKB_Output_U",
                byCurrent ? heads[basis] : QString(),
                QStringLiteral("Напряжение АБ c учетом коэффициента запаса по напряжению ("),
                byCurrent);
        }
    }

    const VariantSnapshot& m_s;
    const SnapshotRow& m_v;
    bool m_allControllers = false;
    ProtectionInputs m_inputs;
};

// The reserve factors and options of one device kind as the choice reads them: an empty factor
// counts 1 (the test itself skips a check whose factor is empty).
KindSettings settingsOf(const SnapshotRow& v, DeviceKind k) {
    const QString tag = k == DeviceKind::Breaker ? QStringLiteral("AV") : QStringLiteral("Pr");
    static const char* const names[kCircuitCount] = {"Vetv", "Mas", "AKB", "Inv", "AKB_Output"};
    KindSettings s;
    for (int c = 0; c < kCircuitCount; ++c) {
        const QString base = QStringLiteral("Kzap_%1_%2_").arg(tag, QLatin1String(names[c]));
        const auto factor = [&v](const QString& name) {
            return v.number(name.toLatin1().constData()).value_or(1.0);
        };
        s.margins[c] = {factor(base + QLatin1Char('I')), factor(base + QLatin1Char('U'))};
    }
    const auto option = [&](const char* pattern) {
        return int(
            v.number(QString::fromLatin1(pattern).arg(tag).toLatin1().constData()).value_or(0));
    };
    s.ctrlBattery = option("Par_%1_Ctrl_AKB");
    s.inverter = option("Par_%1_AKB_Inv");
    s.output = option("Par_%1_AKB_Output");
    return s;
}

} // namespace

ProtectionInputs protectionInputsOf(const VariantSnapshot& s) {
    ProtectionInputs in;
    const SnapshotRow& p = s.variant;
    ProtectionVariant& v = in.variant;
    v.tipSp = p.text("Tip_SP");
    v.pnomSp = p.number("Pnom_SP");
    v.impSp = p.number("Imp_SP");
    v.iscSp = p.number("Isc_SP");
    v.uses = p.number("Uses");
    v.tipAkb = p.text("Tip_AKB");
    v.sizarMin = p.number("SIzar_min_AKB");
    v.sizarMax = p.number("SIzar_max_AKB");
    v.pnom = p.number("Pnom30min");
    v.pmax = p.number("Pmax10min");
    v.ppik = p.number("Wp_pik");
    v.inom = p.number("Inom");
    v.imax = p.number("Imax");
    v.ipik = p.number("Ipik");
    v.skabAkb = p.number("Skab_akb");
    v.hasDcSchedule = !s.dc.empty();
    v.breaker = settingsOf(p, DeviceKind::Breaker);
    v.fuse = settingsOf(p, DeviceKind::Fuse);
    for (const SnapshotRow& a : s.arrays)
        in.arrays.push_back({a.text("NameMassive"), a.text("Tip_Ctrl"), a.number("KolPosled"),
                             a.number("KolVetv"), a.number("SumUxx"), a.number("Imas"),
                             a.number("Inom_Ctrl"), a.number("Iakb_Ctrl"), a.number("Skab"),
                             a.number("Skab_akb")});
    for (const SnapshotRow& l : s.loads)
        in.loads.push_back({l.text("Nagr_Name"), l.text("Name_Inv"), l.number("Pnom_Inv"),
                            l.number("Pmax_Inv"), l.number("Ppik_Inv"), l.number("Inom_Inv"),
                            l.number("Imax_Inv"), l.number("Ipik_Inv"), l.number("Uvh_Inv"),
                            l.number("Skab_inv")});
    return in;
}

VariantTestResult testVariant(const VariantSnapshot& snapshot) {
    if (!snapshot.exists) {
        VariantTestResult empty;
        for (SectionRemarks& s : empty.sections)
            s.complete = false;
        return empty;
    }
    Run run(snapshot);
    run.all();
    return run.result;
}

QString testSectionLabel(TestSection s) {
    static const char* const labels[kTestSectionCount] = {"Нагрузки.",
                                                          "Инверторы.",
                                                          "Солнечная батарея.",
                                                          "Контроллеры.",
                                                          "Аккумуляторная батарея.",
                                                          "Кабели (провода).",
                                                          "Аппараты защиты."};
    return QString::fromUtf8(labels[int(s)]);
}

std::array<QStringList, kTestSectionCount> shownTestLines(const VariantTestResult& result) {
    std::array<QStringList, kTestSectionCount> lines;
    const auto show = [&](TestSection s) {
        const SectionRemarks& r = result[s];
        QStringList& out = lines[int(s)];
        for (int i = 0; i < r.remarks.size(); ++i)
            out << QString::number(i + 1) + QStringLiteral(". ") + r.remarks[i];
        if (r.remarks.isEmpty() && r.complete)
            out << QStringLiteral("Замечаний нет.");
    };
    const auto empty = [&](TestSection s) { return result[s].remarks.isEmpty(); };
    show(TestSection::Loads);
    if (!empty(TestSection::Loads))
        return lines;
    show(TestSection::Inverters);
    if (!empty(TestSection::Inverters))
        return lines;
    show(TestSection::SolarBattery);
    if (!empty(TestSection::SolarBattery))
        return lines;
    show(TestSection::Controllers);
    if (!empty(TestSection::Controllers))
        return lines;
    show(TestSection::Battery);
    if (!empty(TestSection::Battery))
        return lines;
    show(TestSection::Cables);
    show(TestSection::Protection);
    return lines;
}

} // namespace ses
