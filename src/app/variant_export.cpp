#include "app/variant_export.h"

#include "reports/report_text.h"

namespace ses {

namespace {

using Pairs = std::vector<std::pair<QString, QString>>;

class Section {
public:
    explicit Section(const VariantParams& p) : m_p(p) {}

    void value(const QString& label, const QString& value) { m_rows.emplace_back(label, value); }
    void text(const QString& label, const QString& column, bool shown = true) {
        if (shown)
            m_rows.emplace_back(label, m_p.text(column));
    }
    void check(const QString& label, const QString& column) {
        m_rows.emplace_back(label, plusMinus(m_p.isOn(column)));
    }
    // The chosen entry's text of an index list or of the options.
    void entry(const QString& label, const QString& column, bool shown = true) {
        if (shown)
            m_rows.emplace_back(label, paramDef(column).entries.value(m_p.index(column)));
    }
    const Pairs& rows() const { return m_rows; }

private:
    const VariantParams& m_p;
    Pairs m_rows;
};

void write(ReportWriter& w, const QString& heading, const Section& s) {
    w.writeHeading(QStringLiteral("\r") + heading + QStringLiteral("\r"));
    w.writePairsTable(s.rows());
}

// The margin and basis rows of breakers or fuses (`prefix` AV or Pr): `devices` and `one` name
// them in the genitive plural and singular.
void protection(Section& s, const VariantParams& p, const QString& prefix, const QString& devices,
                const QString& one) {
    const struct {
        const char* circuit;
        QString where;
    } circuits[] = {
        {"Vetv", QStringLiteral("в отдельных сборках солнечных панелей")},
        {"Mas", QStringLiteral("в контурах \"Массив СП - контроллер\"")},
        {"AKB", QStringLiteral("в контурах \"Контроллер - АБ\"")},
        {"Inv", QStringLiteral("в контуре \"АБ - инвертор\"")},
    };
    for (const auto& c : circuits) {
        const QString column = QStringLiteral("Kzap_") + prefix + u'_' + QLatin1String(c.circuit);
        const bool shown = paramEnabled(p, column + QStringLiteral("_I"));
        s.text(QStringLiteral("Коэффициент запаса по току при выборе ") + devices + u' ' + c.where,
               column + QStringLiteral("_I"), shown);
        s.text(QStringLiteral("Коэффициент запаса по напряжению при выборе ") + devices + u' ' +
                   c.where,
               column + QStringLiteral("_U"), shown);
    }
    s.entry(QStringLiteral("При наличии более 1 контроллера выбор ") + devices +
                QStringLiteral(" в контурах \"Контроллер - АБ\" выполнять"),
            QStringLiteral("Par_") + prefix + QStringLiteral("_Ctrl_AKB"));
    s.entry(QStringLiteral("Выбор ") + one +
                QStringLiteral(" в контуре \"АБ - инвертор\" выполнять"),
            QStringLiteral("Par_") + prefix + QStringLiteral("_AKB_Inv"));
}

QString chargeBound(const VariantParams& p, const QString& list, const QString& bound) {
    return QStringLiteral("Отношение тока заряда АБ (от контроллера) к ") +
           (p.text(list) == kIzarMin ? QStringLiteral("минимальному")
                                     : QStringLiteral("максимальному")) +
           QStringLiteral(" паспортному току заряда АБ, ") + bound;
}

} // namespace

void writeVariantReport(ReportWriter& w, const VariantParams& p) {
    w.openReport();
    w.writeTitle(kVariantReportTitle + QStringLiteral("\r"));

    Section general(p);
    general.value(QStringLiteral("Наименование варианта расчета"), p.name);
    general.text(QStringLiteral("Напряжение системы, В"), QStringLiteral("Uses"));
    general.text(QStringLiteral("Выходное напряжение переменного тока (50 Гц), В"),
                 QStringLiteral("Uvuh"));
    write(w, QStringLiteral("Общие параметры."), general);

    Section load(p);
    load.entry(QStringLiteral("Параметры нагрузки электроустановки"), QStringLiteral("ParamNagr"));
    write(w, QStringLiteral("Нагрузка."), load);

    Section inverter(p);
    inverter.text(QStringLiteral("Запас номинальной мощности при выборе инвертора, %"),
                  QStringLiteral("ZapPnom_Inv"));
    inverter.text(QStringLiteral("Запас максимальной мощности при выборе инвертора, %"),
                  QStringLiteral("ZapPmax_Inv"));
    inverter.text(QStringLiteral("Запас пиковой мощности при выборе инвертора, %"),
                  QStringLiteral("ZapPpik_Inv"));
    inverter.check(QStringLiteral("При выборе инвертора учитывать пиковые мощности нагрузки"),
                   QStringLiteral("UsePpik_Inv"));
    inverter.check(QStringLiteral("При расчетах принимать значение КПД инвертора, заданное "
                                  "пользователем"),
                   QStringLiteral("UseUserKpd_Inv"));
    inverter.text(QStringLiteral("Значение КПД инвертора, заданное пользователем"),
                  QStringLiteral("UserKpd_Inv"), p.isOn(QStringLiteral("UseUserKpd_Inv")));
    write(w, QStringLiteral("Инвертор."), inverter);

    Section panels(p);
    panels.text(QStringLiteral("Регион размещения солнечной электростанции"),
                QStringLiteral("Region"));
    panels.check(QStringLiteral("Учитывать изменение мощности СП при изменении температуры"),
                 QStringLiteral("UchetKdifP_SP"));
    panels.text(QStringLiteral("Коэффициент изменения мощности СП, %/град. С"),
                QStringLiteral("KdifP_SP"), p.isOn(QStringLiteral("UchetKdifP_SP")));
    panels.text(QStringLiteral("Поправочный сезонный коэффициент (летний период)"),
                QStringLiteral("Ksp_summer"));
    panels.text(QStringLiteral("Поправочный сезонный коэффициент (зимний период)"),
                QStringLiteral("Ksp_winter"));
    write(w, QStringLiteral("Солнечные панели (СП)."), panels);

    Section controller(p);
    controller.check(QStringLiteral("Использовать МРРТ - контроллер"),
                     QStringLiteral("UseMPPT_Ctrl"));
    controller.text(QStringLiteral("Напряжение массивов солнечных панелей, В"),
                    QStringLiteral("Umppt"), paramEnabled(p, QStringLiteral("Umppt")));
    controller.text(QStringLiteral("Потери в контроллере, %"), QStringLiteral("Poteri_Ctrl"));
    write(w, QStringLiteral("Контроллер."), controller);

    Section battery(p);
    battery.text(QStringLiteral("Потери на заряд-разряд АБ, %"), QStringLiteral("Poteri_AKB"));
    battery.text(QStringLiteral("Глубина разряда АБ, %"), QStringLiteral("GlubRazryad_AKB"));
    battery.text(chargeBound(p, QStringLiteral("Izar_min"), QStringLiteral("не менее")),
                 QStringLiteral("Kzar_min"));
    battery.text(chargeBound(p, QStringLiteral("Izar_max"), QStringLiteral("не более")),
                 QStringLiteral("Kzar_max"));
    battery.text(QStringLiteral("Отношение емкости АБ к номинальному току нагрузки, не менее"),
                 QStringLiteral("Krazr_nom"));
    battery.text(QStringLiteral("Отношение емкости АБ к максимальному току нагрузки, не менее"),
                 QStringLiteral("Krazr_max"));
    battery.text(QStringLiteral("Отношение емкости АБ к пиковому току нагрузки, не менее"),
                 QStringLiteral("Krazr_pik"));
    write(w, QStringLiteral("Аккумуляторная батарея (АБ)."), battery);

    Section cables(p);
    const struct {
        const char* suffix;
        QString name;
    } circuits[] = {{"Mas_Ctrl", QStringLiteral("\"массив СП - контроллер\"")},
                    {"Ctrl_AKB", QStringLiteral("\"контроллер - АБ\"")},
                    {"AKB_Inv", QStringLiteral("\"АБ - инвертор\"")}};
    for (const auto& c : circuits) {
        cables.text(QStringLiteral("Способ прокладки кабельного контура ") + c.name,
                    QStringLiteral("Spos_KL_") + QLatin1String(c.suffix));
        cables.text(QStringLiteral("Длина кабельного контура ") + c.name + QStringLiteral(", м"),
                    QStringLiteral("L_KL_") + QLatin1String(c.suffix));
    }
    for (const auto& c : circuits)
        cables.text(QStringLiteral("Допустимое падение напряжения в кабельном контуре ") + c.name +
                        QStringLiteral(", %"),
                    QStringLiteral("DU_KL_") + QLatin1String(c.suffix));
    cables.entry(QStringLiteral("Выбор кабеля для контура \"АБ - инвертор\" по таблице"),
                 QStringLiteral("Sel_Tbl_AKB_Inv"));
    cables.entry(QStringLiteral("Выбор кабеля для контура \"АБ - инвертор\" по значению тока"),
                 QStringLiteral("Sel_KL_AKB_Inv"),
                 paramEnabled(p, QStringLiteral("Sel_KL_AKB_Inv")));
    write(w, QStringLiteral("Кабели (провода)."), cables);

    Section devices(p);
    devices.text(
        QStringLiteral("Устанавливать аппараты защиты в цепях сборок солнечных панелей при "
                       "количестве сборок в массиве более, шт."),
        QStringLiteral("MaxKolSborNotProt"));
    protection(devices, p, QStringLiteral("AV"), QStringLiteral("автоматических выключателей"),
               QStringLiteral("автоматического выключателя"));
    protection(devices, p, QStringLiteral("Pr"), QStringLiteral("предохранителей"),
               QStringLiteral("предохранителя"));
    write(w, QStringLiteral("Аппараты защиты."), devices);
}

} // namespace ses
