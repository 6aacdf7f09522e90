#include "app/settings.h"

#include "data/view.h"
#include "lib/entry.h"

namespace ses {

namespace {

struct Column {
    const char* name;
    int ProgramSettings::*member;
};

constexpr Column kColumns[] = {
    {"SutGr_Pnom_Time", &ProgramSettings::pnomTime},
    {"SutGr_Pmax_Time", &ProgramSettings::pmaxTime},
    {"KproizTable", &ProgramSettings::kproizTable},
    {"Score_Isp", &ProgramSettings::scoreIsp},
    {"OptimUgolRejim", &ProgramSettings::optimUgolRejim},
    {"OptimUgolDay", &ProgramSettings::optimUgolDay},
};

} // namespace

ProgramSettings readSettings(View& param) {
    ProgramSettings s;
    if (param.isEmpty())
        return s;
    for (const Column& c : kColumns) {
        const Field f = param.field(QString::fromLatin1(c.name));
        if (!f.isNull())
            s.*c.member = f.asInteger();
    }
    return s;
}

bool writeSettings(View& param, const ProgramSettings& s) {
    const bool started = param.isEmpty() ? param.append() : param.first() && param.edit();
    if (!started)
        return false;
    for (const Column& c : kColumns)
        param.field(QString::fromLatin1(c.name)).setInteger(s.*c.member);
    try {
        if (param.post())
            return true;
    } catch (...) {
        param.cancel();
        throw;
    }
    // The dialog holds the values: a refused row is not left half-edited in the table.
    param.cancel();
    return false;
}

std::optional<SettingsRefusal> checkLoadWindows(const QString& pnomText, const QString& pmaxText) {
    if (auto e = checkNonZeroWhole(pnomText, QStringLiteral("длительности номинальной нагрузки")))
        return SettingsRefusal{*e, SettingsField::PnomTime};
    if (auto e = checkNonZeroWhole(pmaxText, QStringLiteral("длительности максимальной нагрузки")))
        return SettingsRefusal{*e, SettingsField::PmaxTime};
    if (*parseInteger(pnomText) < *parseInteger(pmaxText))
        return SettingsRefusal{
            QStringLiteral("Значение \"Длительность номинальной нагрузки более, мин.\" не должно "
                           "быть меньше значения параметра \"Длительность максимальной нагрузки "
                           "не более, мин.\"."),
            SettingsField::PnomTime};
    return std::nullopt;
}

bool tiltsNeedRecompute(const ProgramSettings& before, const ProgramSettings& after) {
    return after.optimUgolRejim == 0 && after.optimUgolDay != before.optimUgolDay;
}

} // namespace ses
