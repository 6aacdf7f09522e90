#include "reports/variant_equipment.h"

#include "data/data_module.h"
#include "data/optional_number.h"
#include "lib/numbers.h"
#include "storage/wiring_store.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <set>

namespace ses {

namespace {

// The columns of one result row by name, as the list shows them.
class Row {
public:
    explicit Row(const QSqlQuery& q) : m_record(q.record()) {}
    QVariant value(const char* column) const { return m_record.value(QString::fromLatin1(column)); }
    // Numbers in the shortest form with the decimal comma, an empty field as empty text.
    QString text(const char* column) const { return storedText(value(column)); }
    std::optional<double> number(const char* column) const { return optionalNumber(value(column)); }
    int integer(const char* column) const { return value(column).toInt(); }

    SpecBreaker breaker(const char* suffix) const {
        return {named("Company_AV_", suffix), named("Tip_AV_", suffix), named("Inom_AV_", suffix),
                named("Unom_AV_", suffix)};
    }
    SpecFuse fuse(const char* suffix) const {
        return {named("Company_Pr_", suffix), named("Tip_Pr_", suffix),
                named("Tip_Pr_Derzh_", suffix), named("Inom_Pr_", suffix),
                named("Unom_Pr_", suffix)};
    }
    SpecCable cable(const char* method, const char* section, const char* length) const {
        return {text(method), number(section), number(length)};
    }

private:
    QString named(const char* stem, const char* suffix) const {
        return text((QByteArray(stem) + QByteArray(suffix)).constData());
    }
    QSqlRecord m_record;
};

// The texts of `column` of the catalog's type rows by maker and type, for the pairs asked.
std::map<MakerType, QString> lookUp(TDataModule1& dm, const QString& master, const QString& detail,
                                    const QString& typeColumn, const QString& column,
                                    const std::set<MakerType>& wanted) {
    std::map<MakerType, QString> out;
    for (const MakerType& mt : wanted) {
        QSqlQuery q = dm.store().select(
            QStringLiteral("SELECT t1.%1 FROM %2 t0 JOIN %3 t1 ON t1.Kod0 = t0.Kod "
                           "WHERE t0.Company = ? AND t1.%4 = ? ORDER BY t1.Kod LIMIT 1")
                .arg(column, master, detail, typeColumn),
            {mt.first, mt.second});
        if (q.next())
            out.emplace(mt, q.value(0).toString());
    }
    return out;
}

} // namespace

std::vector<VariantRef> currentProjectVariants(TDataModule1& dm) {
    std::vector<VariantRef> out;
    View& projects = dm.tblProj0();
    if (projects.isEmpty())
        return out;
    QSqlQuery q = dm.store().select(
        QStringLiteral("SELECT Kod, VarName FROM project1 WHERE Kod0 = ? ORDER BY Kod"),
        {projects[QStringLiteral("Kod")].value()});
    while (q.next())
        out.push_back({q.value(0).toLongLong(), q.value(1).toString()});
    return out;
}

qint64 currentVariantKey(TDataModule1& dm) {
    View& v = dm.tblProj1();
    return v.isEmpty() ? -1 : v[QStringLiteral("Kod")].asInteger();
}

VariantEquipment readVariantEquipment(TDataModule1& dm, qint64 key) {
    VariantEquipment v;
    QSqlQuery q = dm.store().select(QStringLiteral("SELECT * FROM project1 WHERE Kod = ?"), {key});
    if (!q.next())
        return v;
    const Row r(q);
    v.key = key;
    v.name = r.text("VarName");
    v.batteryName = r.text("Name_AKB");
    v.batteryType = r.text("Tip_AKB");
    v.batteryCnom = r.text("Cnom_AKB");
    v.batteryUnom = r.text("Unom_AKB");
    v.batteryCount = r.number("Kol_AKB").value_or(0);
    v.panelCompany = r.text("Company_SP");
    v.panelType = r.text("Tip_SP");
    v.panelPower = r.text("Pnom_SP");
    v.panelVoltage = r.text("Unom_SP");
    v.panelCount = r.number("KolTotal_SP").value_or(0);
    v.imp = r.number("Imp_SP");
    v.isc = r.number("Isc_SP");
    v.mppt = r.integer("UseMPPT_Ctrl") != 0;
    v.maxUnprotectedStrings = r.integer("MaxKolSborNotProt");
    v.assemblyBreaker = r.breaker("SP");
    v.assemblyFuse = r.fuse("SP");
    v.dcBreaker = r.breaker("AKB");
    v.dcFuse = r.fuse("AKB");
    v.dcCable = r.cable("Sposob_kab_akb", "Skab_akb", "Lkab_akb");
    v.batterySeries = r.integer("KolPosled_AKB");
    v.batteryStrings = r.integer("KolVetv_AKB");
    v.batteryChargeMax = r.number("Izar_max_AKB");

    QSqlQuery loads = dm.store().select(
        QStringLiteral("SELECT * FROM proj_inv WHERE Kod0 = ? ORDER BY Kod"), {key});
    while (loads.next()) {
        const Row i(loads);
        SpecLoad l;
        l.company = i.text("Company_Inv");
        l.name = i.text("Name_Inv");
        l.pnom = i.text("Pnom_Inv");
        l.pmax = i.text("Pmax_Inv");
        l.ppik = i.text("Ppik_Inv");
        l.uvh = i.text("Uvh_Inv");
        l.uvuh = i.text("Uvuh_Inv");
        l.forma = i.text("Forma_Inv");
        l.breaker = i.breaker("Inv");
        l.fuse = i.fuse("Inv");
        l.cable = i.cable("Sposob_kab_inv", "Skab_inv", "Lkab_inv");
        l.cableCount = i.number("Nkab_inv");
        v.loads.push_back(std::move(l));
    }

    QSqlQuery arrays = dm.store().select(
        QStringLiteral("SELECT * FROM proj_mas WHERE Kod0 = ? ORDER BY Kod"), {key});
    while (arrays.next()) {
        const Row m(arrays);
        SpecArray a;
        a.company = m.text("Company_Ctrl");
        a.controller = m.text("Tip_Ctrl");
        a.unom = m.text("Unom_Ctrl");
        a.inom = m.text("Inom_Ctrl");
        a.strings = m.integer("KolVetv");
        a.toControllerBreaker = m.breaker("mas");
        a.toBatteryBreaker = m.breaker("AKB");
        a.toControllerFuse = m.fuse("mas");
        a.toBatteryFuse = m.fuse("AKB");
        a.toController = m.cable("Sposob_kab", "Skab", "Lkab");
        a.toBattery = m.cable("Sposob_kab_akb", "Skab_akb", "Lkab_akb");
        v.arrays.push_back(std::move(a));
    }
    return v;
}

SpecCatalogs readSpecCatalogs(TDataModule1& dm, const std::vector<VariantEquipment>& variants) {
    std::set<MakerType> panels, controllers, breakers;
    const auto breaker = [&](const SpecBreaker& b) {
        if (!b.type.isEmpty())
            breakers.insert({b.company, b.type});
    };
    for (const VariantEquipment& v : variants) {
        if (!v.panelType.isEmpty())
            panels.insert({v.panelCompany, v.panelType});
        breaker(v.assemblyBreaker);
        breaker(v.dcBreaker);
        for (const SpecArray& a : v.arrays) {
            if (!a.controller.isEmpty())
                controllers.insert({a.company, a.controller});
            breaker(a.toControllerBreaker);
            breaker(a.toBatteryBreaker);
        }
        for (const SpecLoad& l : v.loads)
            breaker(l.breaker);
    }
    SpecCatalogs c;
    c.panelStructure = lookUp(dm, QStringLiteral("SunPanel0"), QStringLiteral("SunPanel1"),
                              QStringLiteral("Tip"), QStringLiteral("Structure"), panels);
    c.controllerMethod = lookUp(dm, QStringLiteral("Controller0"), QStringLiteral("Controller1"),
                                QStringLiteral("Tip"), QStringLiteral("Algoritm1"), controllers);
    c.breakerMounting = lookUp(dm, QStringLiteral("AV0"), QStringLiteral("AV1"),
                               QStringLiteral("Name"), QStringLiteral("Tip_krep"), breakers);
    c.connectors = connectorCatalog(dm);
    c.splitters = splitterCatalog(dm);
    QSqlQuery j = dm.store().select(
        QStringLiteral("SELECT Sech, Idop FROM perem WHERE Sech IS NOT NULL AND Idop IS NOT NULL "
                       "ORDER BY Kod"));
    while (j.next())
        c.jumpers.push_back({j.value(0).toDouble(), j.value(1).toDouble()});
    QSqlQuery p = dm.store().select(QStringLiteral("SELECT Score_Isp FROM param LIMIT 1"));
    c.currentFromIsc = p.next() && p.value(0).toInt() == 1;
    return c;
}

std::vector<SpecRow> variantSpecification(TDataModule1& dm, qint64 key, bool byMaker) {
    const VariantEquipment v = readVariantEquipment(dm, key);
    const SpecCatalogs c = readSpecCatalogs(dm, {v});
    return byMaker ? buildSpecificationByMaker(v, c) : buildSpecification(v, c);
}

} // namespace ses
