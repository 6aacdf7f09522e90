#include "app/param_comparison.h"

#include "app/variant_params.h"
#include "lib/months.h"
#include "lib/numbers.h"
#include "reports/report_writer.h"

#include <algorithm>

namespace ses {

const std::vector<ParamRowDef>& paramComparisonRows() {
    using K = ParamRowKind;
    static const std::vector<ParamRowDef> rows = {
        {"Параметры варианта расчета.", "", K::Name},                                         // 0
        {"Общие параметры.", "", K::Group},                                                   // 1
        {"Напряжение системы, В", "Uses", K::Plain},                                          // 2
        {"Выходное напряжение переменного тока (50 Гц), В", "Uvuh", K::Plain},                // 3
        {"Нагрузка.", "", K::Group},                                                          // 4
        {"Параметры нагрузки электроустановки", "ParamNagr", K::Coded},                       // 5
        {"Инвертор.", "", K::Group},                                                          // 6
        {"Запас номинальной мощности при выборе инвертора, %", "ZapPnom_Inv", K::Plain},      // 7
        {"Запас максимальной мощности при выборе инвертора, %", "ZapPmax_Inv", K::Plain},     // 8
        {"Запас пиковой мощности при выборе инвертора, %", "ZapPpik_Inv", K::Plain},          // 9
        {"При выборе инвертора учитывать пиковые мощности нагрузки", "UsePpik_Inv", K::Flag}, // 10
        {"При расчетах принимать значение КПД инвертора, заданное пользователем", "UseUserKpd_Inv",
         K::Flag},                                                                   // 11
        {"Значение КПД инвертора, заданное пользователем", "UserKpd_Inv", K::Plain}, // 12
        {"Солнечные панели (СП).", "", K::Group},                                    // 13
        {"Регион размещения солнечной электростанции", "Region", K::Plain},          // 14
        {"Учитывать изменение мощности СП при изменении температуры", "UchetKdifP_SP",
         K::Flag},                                                                    // 15
        {"Коэффициент изменения мощности СП, %/град. С", "KdifP_SP", K::Plain},       // 16
        {"Поправочный сезонный коэффициент (летний период)", "Ksp_summer", K::Plain}, // 17
        {"Поправочный сезонный коэффициент (зимний период)", "Ksp_winter", K::Plain}, // 18
        {"Контроллер.", "", K::Group},                                                // 19
        {"Потери в контроллере, %", "Poteri_Ctrl", K::Plain},                         // 20
        {"Использовать МРРТ - контроллер", "UseMPPT_Ctrl", K::Flag},                  // 21
        {"Напряжение массивов солнечных панелей, В", "Umppt", K::Plain},              // 22
        {"Запас напряжения холостого хода массива СП при выборе контроллера, %", "Uxx_zap_Ctrl",
         K::Plain}, // 23
        {"Напряжение ускоренного заряда АБ при первоначальном выборе контроллера, В",
         "DefUzar_Ctrl", K::Plain},                                        // 24
        {"Аккумуляторная батарея (АБ).", "", K::Group},                    // 25
        {"Тип аккумуляторов АБ по умолчанию", "DefTipAKB_Ctrl", K::Plain}, // 26
        {"Потери на заряд-разряд АБ, %", "Poteri_AKB", K::Plain},          // 27
        {"Глубина разряда АБ, %", "GlubRazryad_AKB", K::Plain},            // 28
        {"Отношение тока заряда АБ (от контроллера) к минимальному паспортному току заряда АБ, не "
         "менее",
         "Kzar_min", K::Charge}, // 29
        {"Отношение тока заряда АБ (от контроллера) к максимальному паспортному току заряда АБ, не "
         "менее",
         "Kzar_min", K::Charge}, // 30
        {"Отношение тока заряда АБ (от контроллера) к минимальному паспортному току заряда АБ, не "
         "более",
         "Kzar_max", K::Charge}, // 31
        {"Отношение тока заряда АБ (от контроллера) к максимальному паспортному току заряда АБ, не "
         "более",
         "Kzar_max", K::Charge}, // 32
        {"Отношение емкости АБ к номинальному току нагрузки, не менее", "Krazr_nom",
         K::Plain}, // 33
        {"Отношение емкости АБ к максимальному току нагрузки, не менее", "Krazr_max",
         K::Plain},                                                                         // 34
        {"Отношение емкости АБ к пиковому току нагрузки, не менее", "Krazr_pik", K::Plain}, // 35
        {"Помещение размещения АБ", "Pom_AKB", K::Plain},                                   // 36
        {"Кабели (провода).", "", K::Group},                                                // 37
        {"Способ прокладки кабельного контура \"массив СП - контроллер\"", "Spos_KL_Mas_Ctrl",
         K::Plain},                                                                            // 38
        {"Длина кабельного контура \"массив СП - контроллер\", м", "L_KL_Mas_Ctrl", K::Plain}, // 39
        {"Способ прокладки кабельного контура \"контроллер - АБ\"", "Spos_KL_Ctrl_AKB",
         K::Plain},                                                                     // 40
        {"Длина кабельного контура \"контроллер - АБ\", м", "L_KL_Ctrl_AKB", K::Plain}, // 41
        {"Способ прокладки кабельного контура \"АБ - инвертор\"", "Spos_KL_AKB_Inv",
         K::Plain},                                                                  // 42
        {"Длина кабельного контура \"АБ - инвертор\", м", "L_KL_AKB_Inv", K::Plain}, // 43
        {"Способ прокладки кабельного контура \"АБ - потребители постоянного напряжения\"",
         "Spos_KL_AKB_Output", K::Plain}, // 44
        {"Длина кабельного контура \"АБ - потребители постоянного напряжения\", м",
         "L_KL_AKB_Output", K::Plain}, // 45
        {"Допустимое падение напряжения в кабельном контуре \"массив СП - контроллер\", %",
         "DU_KL_Mas_Ctrl", K::Plain}, // 46
        {"Допустимое падение напряжения в кабельном контуре \"контроллер - АБ\", %",
         "DU_KL_Ctrl_AKB", K::Plain}, // 47
        {"Допустимое падение напряжения в кабельном контуре \"АБ - инвертор\", %", "DU_KL_AKB_Inv",
         K::Plain}, // 48
        {"Допустимое падение напряжения в кабельном контуре \"АБ - потребители постоянного "
         "напряжения\", %",
         "DU_KL_AKB_Output", K::Plain}, // 49
        {"Выбор кабеля для контура \"АБ - инвертор\" по таблице", "Sel_Tbl_AKB_Inv",
         K::Coded}, // 50
        {"Выбор кабеля для контура \"АБ - инвертор\" по значению тока", "Sel_KL_AKB_Inv",
         K::Coded},                         // 51
        {"Аппараты защиты.", "", K::Group}, // 52
        {"Устанавливать аппараты защиты в цепях сборок солнечных панелей при количестве сборок в "
         "массиве более, шт.",
         "MaxKolSborNotProt", K::Plain}, // 53
        {"Коэффициент запаса по току при выборе автоматических выключателей в отдельных сборках "
         "солнечных панелей",
         "Kzap_AV_Vetv_I", K::Plain}, // 54
        {"Коэффициент запаса по напряжению при выборе автоматических выключателей в отдельных "
         "сборках солнечных панелей",
         "Kzap_AV_Vetv_U", K::Plain}, // 55
        {"Коэффициент запаса по току при выборе автоматических выключателей в контурах \"Массив СП "
         "- контроллер\"",
         "Kzap_AV_Mas_I", K::Plain}, // 56
        {"Коэффициент запаса по напряжению при выборе автоматических выключателей в контурах "
         "\"Массив СП - контроллер\"",
         "Kzap_AV_Mas_U", K::Plain}, // 57
        {"Коэффициент запаса по току при выборе автоматических выключателей в контурах "
         "\"Контроллер - АБ\"",
         "Kzap_AV_AKB_I", K::Plain}, // 58
        {"Коэффициент запаса по напряжению при выборе автоматических выключателей в контурах "
         "\"Контроллер - АБ\"",
         "Kzap_AV_AKB_U", K::Plain}, // 59
        {"При наличии более 1 контроллера выбор автоматических выключателей в контурах "
         "\"Контроллер - АБ\" выполнять",
         "Par_AV_Ctrl_AKB", K::Coded}, // 60
        {"Выбор автоматического выключателя в контуре \"АБ - инвертор\" выполнять",
         "Par_AV_AKB_Inv", K::Coded}, // 61
        {"Коэффициент запаса по току при выборе автоматических выключателей в контуре \"АБ - "
         "инвертор\"",
         "Kzap_AV_Inv_I", K::Plain}, // 62
        {"Коэффициент запаса по напряжению при выборе автоматических выключателей в контуре \"АБ - "
         "инвертор\"",
         "Kzap_AV_Inv_U", K::Plain}, // 63
        {"Коэффициент запаса по току при выборе автоматических выключателей в контуре \"АБ - "
         "потребители постоянного напряжения\"",
         "Kzap_AV_AKB_Output_I", K::Plain}, // 64
        {"Коэффициент запаса по напряжению при выборе автоматических выключателей в контуре \"АБ - "
         "потребители постоянного напряжения\"",
         "Kzap_AV_AKB_Output_U", K::Plain}, // 65
        {"Коэффициент запаса по току при выборе предохранителей в отдельных сборках солнечных "
         "панелей",
         "Kzap_Pr_Vetv_I", K::Plain}, // 66
        {"Коэффициент запаса по напряжению при выборе предохранителей в отдельных сборках "
         "солнечных панелей",
         "Kzap_Pr_Vetv_U", K::Plain}, // 67
        {"Коэффициент запаса по току при выборе предохранителей в контурах \"Массив СП - "
         "контроллер\"",
         "Kzap_Pr_Mas_I", K::Plain}, // 68
        {"Коэффициент запаса по напряжению при выборе предохранителей в контурах \"Массив СП - "
         "контроллер\"",
         "Kzap_Pr_Mas_U", K::Plain}, // 69
        {"Коэффициент запаса по току при выборе предохранителей в контурах \"Контроллер - АБ\"",
         "Kzap_Pr_AKB_I", K::Plain}, // 70
        {"Коэффициент запаса по напряжению при выборе предохранителей в контурах \"Контроллер - "
         "АБ\"",
         "Kzap_Pr_AKB_U", K::Plain}, // 71
        {"При наличии более 1 контроллера выбор предохранителей в контурах \"Контроллер - АБ\" "
         "выполнять",
         "Par_Pr_Ctrl_AKB", K::Coded}, // 72
        {"Выбор предохранителя в контуре \"АБ - инвертор\" выполнять", "Par_Pr_AKB_Inv",
         K::Coded}, // 73
        {"Коэффициент запаса по току при выборе предохранителей в контуре \"АБ - инвертор\"",
         "Kzap_Pr_Inv_I", K::Plain}, // 74
        {"Коэффициент запаса по напряжению при выборе предохранителей в контуре \"АБ - инвертор\"",
         "Kzap_Pr_Inv_U", K::Plain}, // 75
        {"Коэффициент запаса по току при выборе предохранителей в контуре \"АБ - потребители "
         "постоянного напряжения\"",
         "Kzap_Pr_AKB_Output_I", K::Plain}, // 76
        {"Коэффициент запаса по напряжению при выборе предохранителей в контуре \"АБ - потребители "
         "постоянного напряжения\"",
         "Kzap_Pr_AKB_Output_U", K::Plain}, // 77
    };
    return rows;
}

namespace {

QVariant columnOf(const ComparedVariant& v, const QString& column) {
    const auto it = v.columns.find(column);
    return it == v.columns.end() ? QVariant() : it->second;
}

// A stored value as the table shows it: numbers in the shortest form with the decimal comma, an
// empty field as an empty cell.
QString shown(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return numberToText(value.toDouble());
    default:
        return value.toString();
    }
}

QString shown(std::optional<double> x) {
    return numberToText(x);
}

// The twelve months in calendar order as far as any variant has them, then any other text met.
QStringList monthsOf(const std::vector<ComparedVariant>& variants) {
    QStringList other;
    std::vector<bool> has(13, false);
    for (const ComparedVariant& v : variants)
        for (const VariantMonthRow& r : v.months) {
            const int m = monthIndex(r.month);
            if (m > 0)
                has[m] = true;
            else if (!other.contains(r.month))
                other << r.month;
        }
    QStringList out;
    for (int m = 1; m <= 12; ++m)
        if (has[m])
            out << monthNames()[m - 1];
    return out + other;
}

const VariantMonthRow* rowOf(const ComparedVariant& v, const QString& month) {
    const auto it = std::find_if(v.months.begin(), v.months.end(),
                                 [&](const VariantMonthRow& r) { return r.month == month; });
    return it == v.months.end() ? nullptr : &*it;
}

std::vector<ParamCellRole> headingRoles(int columns) {
    return std::vector<ParamCellRole>(columns, ParamCellRole::Heading);
}

} // namespace

QString paramCellText(const ParamRowDef& row, int index, const ComparedVariant& v) {
    switch (row.kind) {
    case ParamRowKind::Name:
        return v.name;
    case ParamRowKind::Group:
        return {};
    case ParamRowKind::Plain:
        return shown(columnOf(v, row.column));
    case ParamRowKind::Flag: {
        const QVariant f = columnOf(v, row.column);
        return !f.isNull() && f.toInt() != 0 ? QStringLiteral("+") : QStringLiteral("-");
    }
    case ParamRowKind::Coded: {
        // The variant dialog's list of this column gives the texts (the fuse rows share the
        // breaker rows' lists).
        const QVariant f = columnOf(v, row.column);
        const QStringList& entries = paramDef(row.column).entries;
        bool ok = false;
        const int i = f.toInt(&ok);
        return !f.isNull() && ok && i >= 0 && i < entries.size() ? entries[i] : QString();
    }
    case ParamRowKind::Charge: {
        // Rows 29 and 30 show Kzar_min by its basis Izar_min, rows 31 and 32 Kzar_max by
        // Izar_max; the first of each pair is the minimum passport current.
        const bool min = row.column == QLatin1String("Kzar_min");
        const QString basis =
            columnOf(v, min ? QStringLiteral("Izar_min") : QStringLiteral("Izar_max")).toString();
        const bool firstOfPair = (index - (min ? 29 : 31)) == 0;
        return basis == (firstOfPair ? kIzarMin : kIzarMax) ? shown(columnOf(v, row.column))
                                                            : QString();
    }
    }
    return {};
}

ParamComparison compareParams(const std::vector<ComparedVariant>& variants) {
    ParamComparison c;
    const int n = int(variants.size());
    for (const ComparedVariant& v : variants)
        c.names << v.name;

    const auto& defs = paramComparisonRows();
    for (int r = 0; r < int(defs.size()); ++r) {
        const ParamRowDef& d = defs[r];
        QStringList line{d.label};
        for (const ComparedVariant& v : variants)
            line << paramCellText(d, r, v);
        std::vector<ParamCellRole> roles;
        if (d.kind == ParamRowKind::Name) {
            roles = headingRoles(n + 1);
        } else if (d.kind == ParamRowKind::Group) {
            roles.assign(n + 1, ParamCellRole::Group);
        } else {
            const bool differs = std::any_of(line.begin() + 1, line.end(),
                                             [&](const QString& t) { return t != line[1]; });
            roles.assign(n + 1, differs ? ParamCellRole::Differs : ParamCellRole::Same);
            roles[0] = ParamCellRole::Label;
        }
        c.params.rows.push_back(line);
        c.params.roles.push_back(roles);
    }

    const QStringList months = monthsOf(variants);
    QStringList tHead{QStringLiteral(" Месяц")};
    QStringList sHead{QStringLiteral(" Месяц")};
    c.strip << QStringLiteral(" Вариант");
    for (const ComparedVariant& v : variants) {
        tHead << v.name;
        sHead << QStringLiteral("Восход, час.") << QStringLiteral("Закат, час.");
        c.strip << v.name;
    }
    c.temperature.rows.push_back(tHead);
    c.temperature.roles.push_back(headingRoles(n + 1));
    c.sun.rows.push_back(sHead);
    c.sun.roles.push_back(headingRoles(2 * n + 1));
    for (const QString& month : months) {
        QStringList t{month}, s{month};
        for (const ComparedVariant& v : variants) {
            const VariantMonthRow* row = rowOf(v, month);
            t << (row ? shown(row->temperature) : QString());
            s << (row ? shown(row->sunrise) : QString()) << (row ? shown(row->sunset) : QString());
        }
        bool tDiffers = false, sDiffers = false;
        for (int k = 1; k < n; ++k) {
            tDiffers = tDiffers || t[1 + k] != t[1];
            sDiffers = sDiffers || s[1 + 2 * k] != s[1] || s[2 + 2 * k] != s[2];
        }
        std::vector<ParamCellRole> tRoles(n + 1,
                                          tDiffers ? ParamCellRole::Differs : ParamCellRole::Same);
        std::vector<ParamCellRole> sRoles(2 * n + 1,
                                          sDiffers ? ParamCellRole::Differs : ParamCellRole::Same);
        tRoles[0] = sRoles[0] = ParamCellRole::Heading; // the month column is always fixed
        c.temperature.rows.push_back(t);
        c.temperature.roles.push_back(tRoles);
        c.sun.rows.push_back(s);
        c.sun.roles.push_back(sRoles);
    }
    return c;
}

QStringList paramComparisonNote(const QStringList& names) {
    QStringList out{
        QStringLiteral("Примечание (номер столбца таблицы - принадлежность данных столбца варианту "
                       "расчета).")};
    for (int k = 1; k <= names.size(); ++k)
        out << QStringLiteral("%1, %2 - %3%4")
                   .arg(2 * k)
                   .arg(2 * k + 1)
                   .arg(names[k - 1],
                        k == names.size() ? QStringLiteral(".") : QStringLiteral(";"));
    return out;
}

void writeParamComparison(ReportWriter& w, const ParamComparison& c) {
    const QString br = QStringLiteral("\r");
    w.writeText(QStringLiteral("Сравнительная таблица параметров вариантов.") + br + br);
    w.writeGridTable(c.params.rows);
    w.writeText(br + QStringLiteral("Температура эксплуатации АБ.") + br + br);
    w.writeGridTable(c.temperature.rows);
    w.writeText(br + QStringLiteral("Среднемесячное время восхода и заката солнца.") + br + br);
    w.writeGridTable(c.sun.rows);
    for (const QString& line : paramComparisonNote(c.names))
        w.writeText(line + br);
}

} // namespace ses
