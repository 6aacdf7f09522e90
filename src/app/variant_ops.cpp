#include "app/variant_ops.h"

#include "data/data_module.h"
#include "lib/months.h"
#include "lib/numbers.h"

namespace ses {

namespace {

QString numberText(const QVariant& v) {
    return v.isNull() ? QString() : numberToText(v.toDouble());
}

// The month rows of a view (all of its rows: a detail shows those of its master's current row),
// each put in the row of its month.
void readMonths(View& v, VariantParams& p, bool hours, bool temperature) {
    const int month = v.table().columnIndex(QStringLiteral("MonthName"));
    const int rise = v.table().columnIndex(QStringLiteral("Voshod10"));
    const int set = v.table().columnIndex(QStringLiteral("Zakat10"));
    const int temp = v.table().columnIndex(QStringLiteral("TempAB"));
    for (int r = 0; r < v.recordCount(); ++r) {
        const int m = monthIndex(v.valueAt(r, month).toString());
        if (m == 0)
            continue;
        MonthRow& row = p.months[m - 1];
        if (hours) {
            row.sunrise = numberText(v.valueAt(r, rise));
            row.sunset = numberText(v.valueAt(r, set));
        }
        if (temperature)
            row.temperature = numberText(v.valueAt(r, temp));
    }
}

VariantParams readRow(View& v, ParamTable table) {
    return paramsFromColumns(
        [&v](const QString& column) {
            const int i = v.table().columnIndex(column);
            return i < 0 || v.isEmpty() ? QVariant() : v.currentValue(i);
        },
        table);
}

void writeColumns(View& v, const std::vector<std::pair<QString, QVariant>>& columns) {
    for (const auto& [column, value] : columns)
        v[column].setValue(value);
}

// Appends the twelve month rows under the master's current row.
bool appendMonths(View& months, const VariantParams& p) {
    for (const MonthRow& m : p.months) {
        if (!months.append())
            return false;
        months[QStringLiteral("MonthName")].setString(m.month);
        months[QStringLiteral("Voshod10")].setValue(parseNumber(m.sunrise).value_or(0));
        months[QStringLiteral("Zakat10")].setValue(parseNumber(m.sunset).value_or(0));
        months[QStringLiteral("TempAB")].setValue(parseNumber(m.temperature).value_or(0));
        if (!months.post())
            return false;
    }
    return true;
}

// Runs body in one transaction. A refusal (body returns false after the rule has told the user)
// or a store error cancels the editing of `views` and rolls everything back; `anchor` is then
// put back on the row it stood on.
bool inTransaction(TDataModule1& dm, View& anchor, std::initializer_list<View*> views,
                   const std::function<bool()>& body) {
    const Bookmark mark = anchor.bookmark();
    bool done = false;
    {
        Transaction tr(dm.store(), views);
        try {
            done = body();
        } catch (const DbError& e) {
            dm.prompter().error(e.message());
        }
        if (done) {
            tr.commit();
            return true;
        }
    }
    anchor.gotoBookmark(mark);
    return false;
}

} // namespace

void fillDayLight(TDataModule1& dm, VariantParams& p) {
    readMonths(dm.tbl(QStringLiteral("sSun_day")), p, true, false);
}

void fillFirstRoom(TDataModule1& dm, VariantParams& p) {
    View& rooms = dm.tbl(QStringLiteral("sTempAB0"));
    if (rooms.isEmpty())
        return;
    const QVariant kod = rooms.valueAt(0, rooms.table().columnIndex(QStringLiteral("Kod")));
    p.set(QStringLiteral("Pom_AKB"),
          rooms.valueAt(0, rooms.table().columnIndex(QStringLiteral("PomName"))).toString());
    // The room catalog's current row may stand elsewhere: read the first room's months apart.
    View all(dm.store(), QStringLiteral("sTempAB1"), QStringLiteral("Kod0"));
    const int owner = all.table().columnIndex(QStringLiteral("Kod0"));
    const int month = all.table().columnIndex(QStringLiteral("MonthName"));
    const int temp = all.table().columnIndex(QStringLiteral("TempAB"));
    for (int r = 0; r < all.recordCount(); ++r) {
        if (all.valueAt(r, owner) != kod)
            continue;
        const int m = monthIndex(all.valueAt(r, month).toString());
        if (m > 0)
            p.months[m - 1].temperature = numberText(all.valueAt(r, temp));
    }
}

VariantParams factoryFill(TDataModule1& dm) {
    VariantParams p = factoryParams();
    fillDayLight(dm, p);
    fillFirstRoom(dm, p);
    return p;
}

bool hasDefaultVariant(TDataModule1& dm) {
    return !dm.tbl(QStringLiteral("ParVarDef")).isEmpty();
}

VariantParams defaultVariantParams(TDataModule1& dm) {
    if (!hasDefaultVariant(dm))
        return factoryFill(dm);
    VariantParams p = readRow(dm.tbl(QStringLiteral("ParVarDef")), ParamTable::Default);
    readMonths(dm.tbl(QStringLiteral("ParVarDef1")), p, true, true);
    return p;
}

VariantParams currentVariantParams(TDataModule1& dm) {
    VariantParams p = readRow(dm.tblProj1(), ParamTable::Variant);
    readMonths(dm.tbl(QStringLiteral("proj_sunday")), p, true, true);
    return p;
}

std::optional<int> chosenBatteryUnom(TDataModule1& dm) {
    View& v = dm.tblProj1();
    if (v.isEmpty() || v[QStringLiteral("Unom_AKB")].isNull())
        return std::nullopt;
    return v[QStringLiteral("Unom_AKB")].asInteger();
}

QStringList dcConsumerVoltages(TDataModule1& dm) {
    QStringList r;
    View& schedules = dm.tbl(QStringLiteral("proj_graf12_0"));
    if (schedules.isEmpty())
        return r;
    View consumers(dm.store(), QStringLiteral("proj_ep12_0"), QStringLiteral("Kod0"));
    const int kod = schedules.table().columnIndex(QStringLiteral("Kod"));
    const int owner = consumers.table().columnIndex(QStringLiteral("Kod0"));
    const int unom = consumers.table().columnIndex(QStringLiteral("Unom"));
    for (int s = 0; s < schedules.recordCount(); ++s) {
        const QVariant schedule = schedules.valueAt(s, kod);
        for (int c = 0; c < consumers.recordCount(); ++c)
            if (consumers.valueAt(c, owner) == schedule)
                r << numberText(consumers.valueAt(c, unom));
    }
    return r;
}

bool addVariant(TDataModule1& dm, const VariantParams& p) {
    View& variants = dm.tblProj1();
    View& months = dm.tbl(QStringLiteral("proj_sunday"));
    return inTransaction(dm, variants, {&months, &variants}, [&] {
        if (!variants.append())
            return false;
        writeColumns(variants, paramColumns(p, ParamTable::Variant));
        return variants.post() && appendMonths(months, p);
    });
}

bool editVariant(TDataModule1& dm, const VariantParams& p) {
    View& variants = dm.tblProj1();
    View& months = dm.tbl(QStringLiteral("proj_sunday"));
    if (variants.isEmpty())
        return false;
    return inTransaction(dm, variants, {&months, &variants}, [&] {
        if (!variants.edit())
            return false;
        writeColumns(variants, paramColumns(p, ParamTable::Variant));
        return variants.post() && months.removeAll() && appendMonths(months, p);
    });
}

bool saveDefaultVariant(TDataModule1& dm, const VariantParams& p) {
    View& def = dm.tbl(QStringLiteral("ParVarDef"));
    View& months = dm.tbl(QStringLiteral("ParVarDef1"));
    return inTransaction(dm, def, {&months, &def}, [&] {
        // The table holds one row; a first save appends it.
        def.first();
        if (!def.edit())
            return false;
        writeColumns(def, paramColumns(p, ParamTable::Default));
        return def.post() && months.removeAll() && appendMonths(months, p);
    });
}

} // namespace ses
