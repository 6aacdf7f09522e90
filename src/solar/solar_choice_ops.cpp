#include "solar/solar_choice_ops.h"

#include "data/data_module.h"
#include "data/queries.h"
#include "lib/numbers.h"

#include <QSqlQuery>

#include <algorithm>

namespace ses {

namespace {

std::optional<double> opt(Field f)
{
    if (f.isNull())
        return std::nullopt;
    return f.asFloat();
}

std::optional<double> opt(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return std::nullopt;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

double cellNumber(const ArrayCells& row, int col)
{
    if (col >= row.size())
        return 0;
    return parseNumber(row[col]).value_or(0);
}

// The columns that a stored row carries besides its key, its master link and the 19 array
// fields: the choices made later for that array.
QStringList downstreamColumns(View& v)
{
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
bool isDefaulted(const QString& column)
{
    return column == QLatin1String("Sposob_kab") || column == QLatin1String("Lkab") ||
           column == QLatin1String("Sposob_kab_akb") || column == QLatin1String("Lkab_akb");
}

struct StoredRow {
    ArrayCells cells;
    std::vector<QVariant> downstream;
    bool hasChoices = false;
};

std::vector<StoredRow> storedRows(TDataModule1& dm)
{
    View& v = dm.tblProj_Mas();
    const QStringList down = downstreamColumns(v);
    std::vector<StoredRow> rows;
    for (int r = 0; r < v.recordCount(); ++r) {
        StoredRow row;
        for (const QString& n : arrayFieldNames()) {
            const QVariant val = v.valueAt(r, v.field(n).index());
            if (val.isNull())
                row.cells << QString();
            else if (val.typeId() == QMetaType::QString)
                row.cells << val.toString();
            else
                row.cells << numberToText(val.toDouble());
        }
        for (const QString& n : down) {
            const QVariant val = v.valueAt(r, v.field(n).index());
            row.downstream.push_back(val);
            if (!isDefaulted(n) && !val.isNull() && !val.toString().isEmpty())
                row.hasChoices = true;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

// Cells compared as the store would keep them: numbers by value, texts trimmed.
bool sameCells(const ArrayCells& a, const ArrayCells& b)
{
    for (int c = 0; c < kArrayColumns; ++c) {
        const QString x = c < a.size() ? a[c].trimmed() : QString();
        const QString y = c < b.size() ? b[c].trimmed() : QString();
        if (x == y)
            continue;
        const auto nx = parseNumber(x), ny = parseNumber(y);
        if (!nx || !ny || !sameValue(*nx, *ny))
            return false;
    }
    return true;
}

// For every new row, the stored row it keeps unchanged (-1 for none); each stored row serves once.
std::vector<int> matchRows(const std::vector<StoredRow>& stored, const std::vector<ArrayCells>& rows)
{
    std::vector<int> match(rows.size(), -1);
    std::vector<bool> used(stored.size(), false);
    for (size_t i = 0; i < rows.size(); ++i)
        for (size_t j = 0; j < stored.size(); ++j)
            if (!used[j] && sameCells(stored[j].cells, rows[i])) {
                used[j] = true;
                match[i] = int(j);
                break;
            }
    return match;
}

} // namespace

const QStringList& arrayFieldNames()
{
    static const QStringList names = {
        QStringLiteral("NameMassive"), QStringLiteral("Bopt"),     QStringLiteral("Ugol_Orient"),
        QStringLiteral("Ugol_Nakl"),   QStringLiteral("Kproiz"),   QStringLiteral("KolPosled"),
        QStringLiteral("KolVetv"),     QStringLiteral("KolMas"),   QStringLiteral("Pmas"),
        QStringLiteral("Imas"),        QStringLiteral("DPmas"),    QStringLiteral("TipScore"),
        QStringLiteral("ParamPriv"),   QStringLiteral("Pzad"),     QStringLiteral("Izad"),
        QStringLiteral("FormaPl"),     QStringLiteral("Lpl"),      QStringLiteral("Spl"),
        QStringLiteral("Hpl")};
    return names;
}

const QStringList& arrayColumnTitles()
{
    static const QStringList titles = {
        QStringLiteral(" Наименование массива"), QStringLiteral(" Bопт., град."),
        QStringLiteral(" Ориентация, град."),    QStringLiteral(" Угол наклона, град."),
        QStringLiteral(" К, отн. ед."),          QStringLiteral(" Nпосл., шт."),
        QStringLiteral(" Nпарал., шт."),         QStringLiteral(" Nсп, шт."),
        QStringLiteral(" Рсп, Вт"),              QStringLiteral(" Iсп, А"),
        QStringLiteral(" dPсп, Вт"),             QStringLiteral(" Режим"),
        QStringLiteral(" Параметр"),             QStringLiteral(" Рмас., Вт"),
        QStringLiteral(" Iмас., А"),             QStringLiteral(" Форма пл."),
        QStringLiteral(" Lпл., м"),              QStringLiteral(" Sпл., м"),
        QStringLiteral(" Нпл., м")};
    return titles;
}

std::vector<PanelCompany> panelCompanies(TDataModule1& dm)
{
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

std::vector<CatalogPanel> panelTypes(TDataModule1& dm, int companyKod, const SystemSettings& s)
{
    FixedQuery q(dm.store(), QStringLiteral("qrySunPanel1"));
    q.setParam(QStringLiteral("Kod"), companyKod);
    const QueryResult res = q.run();
    std::vector<CatalogPanel> out;
    for (int r = 0; r < int(res.rows.size()); ++r) {
        CatalogPanel p;
        p.tip = res.value(r, QStringLiteral("Tip")).toString();
        p.power = opt(res.value(r, QStringLiteral("P")));
        p.unom = opt(res.value(r, QStringLiteral("Unom")));
        p.voc = opt(res.value(r, QStringLiteral("Voc")));
        p.isc = opt(res.value(r, QStringLiteral("Isc")));
        p.vmp = opt(res.value(r, QStringLiteral("Vmp")));
        p.imp = opt(res.value(r, QStringLiteral("Imp")));
        p.height = opt(res.value(r, QStringLiteral("H")));
        p.width = opt(res.value(r, QStringLiteral("S")));
        p.panel = {p.power.value_or(0), p.unom.value_or(0), p.isc.value_or(0), p.vmp.value_or(0),
                   p.imp.value_or(0), p.height.value_or(0), p.width.value_or(0)};
        if (typeFitsSystem(s, p.panel.unom))
            out.push_back(std::move(p));
    }
    return out;
}

std::vector<double> controllerArrayPowers(TDataModule1& dm, const SystemSettings& s)
{
    QSqlQuery q = dm.store().select(
        QStringLiteral("SELECT c2.Psp FROM Controller2 c2 JOIN Controller1 c1 ON c1.Kod = c2.Kod0 "
                       "WHERE c1.Algoritm1 = ? AND c2.Uses = ? AND c2.Psp IS NOT NULL"),
        {s.mppt ? QStringLiteral("MPPT") : QStringLiteral("PWM"), s.uses});
    std::vector<double> out;
    while (q.next())
        out.push_back(q.value(0).toDouble());
    return out;
}

SystemSettings systemSettings(TDataModule1& dm)
{
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

VariantChoice readVariantChoice(TDataModule1& dm)
{
    View& p = dm.tblProj1();
    VariantChoice v;
    v.company = p[QStringLiteral("Company_SP")].asString();
    v.tip = p[QStringLiteral("Tip_SP")].asString();
    v.prasSp = opt(p[QStringLiteral("Pras_SP")]);
    v.b = p[QStringLiteral("B")].asFloat();
    v.system = systemSettings(dm);
    v.crasAkb = opt(p[QStringLiteral("Cras_AKB")]);
    v.nameAkb = p[QStringLiteral("Name_AKB")].asString();
    v.izarMin = p[QStringLiteral("Izar_min")].asString();
    v.izarMax = p[QStringLiteral("Izar_max")].asString();
    v.kzarMin = p[QStringLiteral("Kzar_min")].asFloat();
    v.kzarMax = p[QStringLiteral("Kzar_max")].asFloat();
    v.sizarMin = opt(p[QStringLiteral("SIzar_min_AKB")]);
    v.sizarMax = opt(p[QStringLiteral("SIzar_max_AKB")]);
    v.region = p[QStringLiteral("Region")].asString();
    return v;
}

std::vector<ArrayCells> readArrays(TDataModule1& dm)
{
    std::vector<ArrayCells> out;
    for (auto& r : storedRows(dm))
        out.push_back(std::move(r.cells));
    return out;
}

ArrayFigures arrayFigures(const ArrayCells& row)
{
    return {int(cellNumber(row, 7)), cellNumber(row, 8), cellNumber(row, 9), cellNumber(row, 10)};
}

FormedArray formedArray(const ArrayCells& row)
{
    return {cellNumber(row, 2), cellNumber(row, 3), cellNumber(row, 8)};
}

bool arraysChanged(TDataModule1& dm, const std::vector<ArrayCells>& arrays)
{
    const auto stored = storedRows(dm);
    if (stored.size() != arrays.size())
        return true;
    for (size_t i = 0; i < arrays.size(); ++i)
        if (!sameCells(stored[i].cells, arrays[i]))
            return true;
    return false;
}

QStringList arraysLosingChoices(TDataModule1& dm, const std::vector<ArrayCells>& arrays)
{
    const auto stored = storedRows(dm);
    const auto match = matchRows(stored, arrays);
    std::vector<bool> kept(stored.size(), false);
    for (int m : match)
        if (m >= 0)
            kept[m] = true;
    QStringList names;
    for (size_t j = 0; j < stored.size(); ++j)
        if (!kept[j] && stored[j].hasChoices)
            names << stored[j].cells.value(0);
    return names;
}

void storeChoice(TDataModule1& dm, const StoredChoice& c)
{
    const bool rewrite = arraysChanged(dm, c.arrays);
    const auto stored = rewrite ? storedRows(dm) : std::vector<StoredRow>{};
    const auto match = matchRows(stored, c.arrays);

    View& p = dm.tblProj1();
    View& m = dm.tblProj_Mas();
    Transaction t(dm.store(), {&p, &m});
    if (!p.edit())
        throw DbError(DbError::Kind::General, QStringLiteral("Вариант проекта не может быть изменен."));
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
    for (const char* name : {"SIzar_AKB", "Company_AV_SP", "Tip_AV_SP", "Inom_AV_SP", "Unom_AV_SP",
                             "Company_Pr_SP", "Tip_Pr_SP", "Tip_Pr_Derzh_SP", "Inom_Pr_SP",
                             "Unom_Pr_SP"})
        p[QString::fromLatin1(name)].clear();
    p.post();

    if (rewrite) {
        const QStringList down = downstreamColumns(m);
        if (!m.removeAll())
            throw DbError(DbError::Kind::General,
                          QStringLiteral("Массив солнечных панелей не может быть удален."));
        for (size_t i = 0; i < c.arrays.size(); ++i) {
            if (!m.append())
                throw DbError(DbError::Kind::General,
                              QStringLiteral("Массив солнечных панелей не может быть добавлен."));
            for (int col = 0; col < kArrayColumns; ++col)
                m[arrayFieldNames()[col]].setString(c.arrays[i].value(col));
            if (match[i] >= 0)
                for (int d = 0; d < down.size(); ++d)
                    m[down[d]].setValue(stored[match[i]].downstream[d]);
            m.post();
        }
    }
    t.commit();
}

} // namespace ses
