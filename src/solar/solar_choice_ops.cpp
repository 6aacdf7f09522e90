#include "solar/solar_choice_ops.h"

#include "data/data_module.h"
#include "data/optional_number.h"
#include "data/queries.h"
#include "lib/numbers.h"
#include "solar/sizing_store.h"

#include <QSqlQuery>

#include <algorithm>
#include <cmath>

namespace ses {

namespace {

std::optional<int> optInt(const QVariant& v) {
    const auto d = optionalNumber(v);
    return d ? std::optional<int>(int(std::lround(*d))) : std::nullopt;
}

QVariant value(std::optional<double> x) {
    return x ? QVariant(*x) : QVariant();
}

QVariant value(std::optional<int> x) {
    return x ? QVariant(*x) : QVariant();
}

// The array fields of proj_mas, NameMassive to Hpl, in the order of the table's columns.
const QStringList& arrayFieldNames() {
    static const QStringList names = {
        QStringLiteral("NameMassive"), QStringLiteral("Bopt"),   QStringLiteral("Ugol_Orient"),
        QStringLiteral("Ugol_Nakl"),   QStringLiteral("Kproiz"), QStringLiteral("KolPosled"),
        QStringLiteral("KolVetv"),     QStringLiteral("KolMas"), QStringLiteral("Pmas"),
        QStringLiteral("Imas"),        QStringLiteral("DPmas"),  QStringLiteral("TipScore"),
        QStringLiteral("ParamPriv"),   QStringLiteral("Pzad"),   QStringLiteral("Izad"),
        QStringLiteral("FormaPl"),     QStringLiteral("Lpl"),    QStringLiteral("Spl"),
        QStringLiteral("Hpl")};
    return names;
}

// One stored array row; an empty number reads as 0 where the row needs one.
ArrayRow arrayAt(const View& v, int r) {
    const auto at = [&](const char* column) {
        return v.valueAt(r, v.table().columnIndex(QString::fromLatin1(column)));
    };
    ArrayRow a;
    a.name = at("NameMassive").toString();
    a.bopt = optInt(at("Bopt"));
    a.orientation = optionalNumber(at("Ugol_Orient")).value_or(0);
    a.tilt = optionalNumber(at("Ugol_Nakl")).value_or(0);
    a.k = optionalNumber(at("Kproiz")).value_or(0);
    a.series = optInt(at("KolPosled")).value_or(0);
    a.strings = optInt(at("KolVetv")).value_or(0);
    a.panels = optInt(at("KolMas")).value_or(0);
    a.power = optionalNumber(at("Pmas")).value_or(0);
    a.current = optionalNumber(at("Imas")).value_or(0);
    a.loss = optionalNumber(at("DPmas")).value_or(0);
    a.criterion = Criterion(std::clamp(optInt(at("TipScore")).value_or(0), 0, 3));
    a.siteParameter = optInt(at("ParamPriv"));
    a.givenPower = optionalNumber(at("Pzad"));
    a.givenCurrent = optionalNumber(at("Izad"));
    // The site's shape is kept as the text of its number: "0" rectangle, "1" trapezoid, "2"
    // triangle.
    if (const auto shape = optInt(at("FormaPl")))
        a.shape = SiteShape(std::clamp(*shape, 0, 2));
    a.length = optionalNumber(at("Lpl"));
    a.lower = optionalNumber(at("Spl"));
    a.height = optionalNumber(at("Hpl"));
    return a;
}

void writeArray(View& m, const ArrayRow& a) {
    m[QStringLiteral("NameMassive")].setString(a.name.trimmed());
    m[QStringLiteral("Bopt")].setValue(value(a.bopt));
    m[QStringLiteral("Ugol_Orient")].setFloat(a.orientation);
    m[QStringLiteral("Ugol_Nakl")].setFloat(a.tilt);
    m[QStringLiteral("Kproiz")].setFloat(a.k);
    m[QStringLiteral("KolPosled")].setInteger(a.series);
    m[QStringLiteral("KolVetv")].setInteger(a.strings);
    m[QStringLiteral("KolMas")].setInteger(a.panels);
    m[QStringLiteral("Pmas")].setFloat(a.power);
    m[QStringLiteral("Imas")].setFloat(a.current);
    m[QStringLiteral("DPmas")].setFloat(a.loss);
    m[QStringLiteral("TipScore")].setInteger(int(a.criterion));
    m[QStringLiteral("ParamPriv")].setValue(value(a.siteParameter));
    m[QStringLiteral("Pzad")].setValue(value(a.givenPower));
    m[QStringLiteral("Izad")].setValue(value(a.givenCurrent));
    m[QStringLiteral("FormaPl")].setString(a.shape ? QString::number(int(*a.shape)) : QString());
    m[QStringLiteral("Lpl")].setValue(value(a.length));
    m[QStringLiteral("Spl")].setValue(value(a.lower));
    m[QStringLiteral("Hpl")].setValue(value(a.height));
}

// The columns that a stored row carries besides its key, its master link and the 19 array
// fields: the choices made later for that array.
QStringList downstreamColumns(View& v) {
    QStringList cols;
    for (int i = 0; i < v.fieldCount(); ++i) {
        Field f = v.field(i);
        const QString& n = f.name();
        if (f.isCalculated() || n == QLatin1String("Kod") || n == QLatin1String("Kod0") ||
            arrayFieldNames().contains(n))
            continue;
        cols << n;
    }
    return cols;
}

// The cable ways and lengths take the variant's defaults on every post, so they alone do not
// make a choice worth a warning.
bool isDefaulted(const QString& column) {
    return column == QLatin1String("Sposob_kab") || column == QLatin1String("Lkab") ||
           column == QLatin1String("Sposob_kab_akb") || column == QLatin1String("Lkab_akb");
}

// The later choices of every stored row, in the order of downstreamColumns.
std::vector<std::vector<QVariant>> downstreamValues(View& v, const QStringList& columns) {
    std::vector<std::vector<QVariant>> rows;
    for (int r = 0; r < v.recordCount(); ++r) {
        std::vector<QVariant> row;
        for (const QString& n : columns)
            row.push_back(v.valueAt(r, v.field(n).index()));
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

std::vector<PanelCompany> panelCompanies(TDataModule1& dm) {
    View& v = dm.tbl(QStringLiteral("SunPanel0"));
    std::vector<PanelCompany> out;
    const int kod = v.field(QStringLiteral("Kod")).index();
    const int company = v.field(QStringLiteral("Company")).index();
    const int use = v.field(QStringLiteral("UseSP")).index();
    for (int r = 0; r < v.recordCount(); ++r)
        if (v.valueAt(r, use).toBool())
            out.push_back({v.valueAt(r, kod).toInt(), v.valueAt(r, company).toString()});
    return out;
}

std::vector<CatalogPanel> panelTypes(TDataModule1& dm, int companyKod, const SystemSettings& s) {
    FixedQuery q(dm.store(), QStringLiteral("qrySunPanel1"));
    q.setParam(QStringLiteral("Kod"), companyKod);
    const QueryResult res = q.run();
    std::vector<CatalogPanel> out;
    for (int r = 0; r < int(res.rows.size()); ++r) {
        CatalogPanel p;
        p.tip = res.value(r, QStringLiteral("Tip")).toString();
        p.power = optionalNumber(res.value(r, QStringLiteral("P")));
        p.unom = optionalNumber(res.value(r, QStringLiteral("Unom")));
        p.voc = optionalNumber(res.value(r, QStringLiteral("Voc")));
        p.isc = optionalNumber(res.value(r, QStringLiteral("Isc")));
        p.vmp = optionalNumber(res.value(r, QStringLiteral("Vmp")));
        p.imp = optionalNumber(res.value(r, QStringLiteral("Imp")));
        p.height = optionalNumber(res.value(r, QStringLiteral("H")));
        p.width = optionalNumber(res.value(r, QStringLiteral("S")));
        p.panel = {p.power.value_or(0), p.unom.value_or(0),   p.isc.value_or(0),  p.vmp.value_or(0),
                   p.imp.value_or(0),   p.height.value_or(0), p.width.value_or(0)};
        if (typeFitsSystem(s, p.panel.unom))
            out.push_back(std::move(p));
    }
    return out;
}

std::vector<double> controllerArrayPowers(TDataModule1& dm, const SystemSettings& s) {
    QSqlQuery q = dm.store().select(
        QStringLiteral("SELECT c2.Psp FROM Controller2 c2 JOIN Controller1 c1 ON c1.Kod = c2.Kod0 "
                       "WHERE c1.Algoritm1 = ? AND c2.Uses = ? AND c2.Psp IS NOT NULL"),
        {s.mppt ? QStringLiteral("MPPT") : QStringLiteral("PWM"), s.uses});
    std::vector<double> out;
    while (q.next())
        out.push_back(q.value(0).toDouble());
    return out;
}

SystemSettings systemSettings(TDataModule1& dm) {
    View& p = dm.tblProj1();
    SystemSettings s;
    s.mppt = p[QStringLiteral("UseMPPT_Ctrl")].asBoolean();
    s.umppt = p[QStringLiteral("Umppt")].asFloat();
    s.uses = p[QStringLiteral("Uses")].asFloat();
    s.controllerLosses = p[QStringLiteral("Poteri_Ctrl")].asFloat();
    s.chargeVoltage = p[QStringLiteral("DefUzar_Ctrl")].asFloat();
    View& param = dm.tblParam();
    s.currentFromIsc = !param.isEmpty() && param[QStringLiteral("Score_Isp")].asInteger() == 1;
    return s;
}

VariantChoice readVariantChoice(TDataModule1& dm) {
    View& p = dm.tblProj1();
    VariantChoice v;
    v.company = p[QStringLiteral("Company_SP")].asString();
    v.tip = p[QStringLiteral("Tip_SP")].asString();
    v.prasSp = optionalNumber(p[QStringLiteral("Pras_SP")]);
    v.b = p[QStringLiteral("B")].asFloat();
    v.system = systemSettings(dm);
    v.crasAkb = optionalNumber(p[QStringLiteral("Cras_AKB")]);
    v.nameAkb = p[QStringLiteral("Name_AKB")].asString();
    v.izarMin = p[QStringLiteral("Izar_min")].asString();
    v.izarMax = p[QStringLiteral("Izar_max")].asString();
    v.kzarMin = p[QStringLiteral("Kzar_min")].asFloat();
    v.kzarMax = p[QStringLiteral("Kzar_max")].asFloat();
    v.sizarMin = optionalNumber(p[QStringLiteral("SIzar_min_AKB")]);
    v.sizarMax = optionalNumber(p[QStringLiteral("SIzar_max_AKB")]);
    v.region = p[QStringLiteral("Region")].asString();
    return v;
}

std::vector<StoredArray> readStoredArrays(TDataModule1& dm) {
    View& v = dm.tblProj_Mas();
    const QStringList down = downstreamColumns(v);
    const auto values = downstreamValues(v, down);
    std::vector<StoredArray> out;
    for (int r = 0; r < v.recordCount(); ++r) {
        StoredArray a{arrayAt(v, r), false};
        for (int d = 0; d < down.size(); ++d) {
            const QVariant& val = values[r][d];
            if (!isDefaulted(down[d]) && !val.isNull() && !val.toString().isEmpty())
                a.hasChoices = true;
        }
        out.push_back(std::move(a));
    }
    return out;
}

std::vector<ArrayRow> readArrays(TDataModule1& dm) {
    std::vector<ArrayRow> out;
    for (StoredArray& a : readStoredArrays(dm))
        out.push_back(std::move(a.row));
    return out;
}

SelectionSource readSelectionSource(TDataModule1& dm) {
    SelectionSource s;
    s.variant = readVariantChoice(dm);
    s.region = regionYear(dm, s.variant.region);
    s.loss = lossTable(dm);
    const SolarSizing sizing = requiredSolarPower(dm);
    s.requirement = sizing.requirement.watts;
    if (!sizing.problems.isEmpty())
        s.sizingProblem = sizing.problems.join(QStringLiteral("\r"));
    s.arrays = readStoredArrays(dm);
    s.controllerPowers = controllerArrayPowers(dm, s.variant.system);
    return s;
}

bool arraysChanged(TDataModule1& dm, const std::vector<ArrayRow>& arrays) {
    const std::vector<ArrayRow> stored = readArrays(dm);
    if (stored.size() != arrays.size())
        return true;
    for (size_t i = 0; i < arrays.size(); ++i)
        if (!sameArray(stored[i], arrays[i]))
            return true;
    return false;
}

void storeChoice(TDataModule1& dm, const StoredChoice& c) {
    View& p = dm.tblProj1();
    View& m = dm.tblProj_Mas();
    const bool rewrite = arraysChanged(dm, c.arrays);
    const QStringList down = downstreamColumns(m);
    const auto stored = rewrite ? readStoredArrays(dm) : std::vector<StoredArray>{};
    const auto kept = rewrite ? downstreamValues(m, down) : std::vector<std::vector<QVariant>>{};
    const auto match = matchArrays(stored, c.arrays);

    Transaction t(dm.store(), {&p, &m});
    if (!p.edit())
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Вариант проекта не может быть изменен."));
    const bool any = !c.arrays.empty();
    p[QStringLiteral("Company_SP")].setString(any ? c.company : QString());
    p[QStringLiteral("Tip_SP")].setString(any ? c.type.tip : QString());
    const std::pair<const char*, std::optional<double>> figures[] = {
        {"Pnom_SP", c.type.power}, {"Unom_SP", c.type.unom}, {"Voc_SP", c.type.voc},
        {"Isc_SP", c.type.isc},    {"Vmp_SP", c.type.vmp},   {"Imp_SP", c.type.imp},
        {"H_SP", c.type.height},   {"S_SP", c.type.width}};
    for (const auto& [name, value] : figures)
        p[QString::fromLatin1(name)].setValue(any && value ? QVariant(*value) : QVariant());
    p[QStringLiteral("KolTotal_SP")].setValue(any ? QVariant(c.panels) : QVariant());
    p[QStringLiteral("PTotal_SP")].setValue(any ? QVariant(c.power) : QVariant());
    p[QStringLiteral("ITotal_SP")].setValue(any ? QVariant(c.current) : QVariant());
    for (const char* name :
         {"SIzar_AKB", "Company_AV_SP", "Tip_AV_SP", "Inom_AV_SP", "Unom_AV_SP", "Company_Pr_SP",
          "Tip_Pr_SP", "Tip_Pr_Derzh_SP", "Inom_Pr_SP", "Unom_Pr_SP"})
        p[QString::fromLatin1(name)].clear();
    p.post();

    if (rewrite) {
        if (!m.removeAll())
            throw DbError(DbError::Kind::General,
                          QStringLiteral("Массив солнечных панелей не может быть удален."));
        for (size_t i = 0; i < c.arrays.size(); ++i) {
            if (!m.append())
                throw DbError(DbError::Kind::General,
                              QStringLiteral("Массив солнечных панелей не может быть добавлен."));
            writeArray(m, c.arrays[i]);
            if (match[i] >= 0)
                for (int d = 0; d < down.size(); ++d)
                    m[down[d]].setValue(kept[match[i]][d]);
            m.post();
        }
    }
    t.commit();
}

} // namespace ses
