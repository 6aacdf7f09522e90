#include "reports/scheme_store.h"

#include "data/data_module.h"
#include "data/optional_number.h"
#include "lib/numbers.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace ses {

namespace {

// The columns of one row by name.
class Row {
public:
    explicit Row(const QSqlQuery& q) : m_record(q.record()) {}
    QString text(const char* column) const { return storedText(value(column)); }
    double number(const char* column) const { return value(column).toDouble(); }
    int integer(const char* column) const { return value(column).toInt(); }
    bool flag(const char* column) const { return value(column).toInt() != 0; }

private:
    QVariant value(const char* column) const { return m_record.value(QString::fromLatin1(column)); }
    QSqlRecord m_record;
};

SchemeCircuit circuit(const Row& r, const char* breakerType, const char* breakerCurrent,
                      const char* fuseType, const char* fuseCurrent, const char* section,
                      const char* length, const char* current, const char* drop) {
    SchemeCircuit c;
    c.breakerType = r.text(breakerType);
    c.breakerCurrent = r.text(breakerCurrent);
    c.fuseType = r.text(fuseType);
    c.fuseCurrent = r.text(fuseCurrent);
    c.section = r.text(section);
    c.length = r.text(length);
    c.current = r.text(current);
    c.drop = r.text(drop);
    return c;
}

} // namespace

std::optional<SchemeVariant> schemeVariant(TDataModule1& dm, qint64 kod) {
    Store& store = dm.store();
    QSqlQuery q = store.select(QStringLiteral("SELECT * FROM project1 WHERE Kod = ?"), {kod});
    if (!q.next())
        return std::nullopt;
    const Row r(q);
    SchemeVariant v;
    v.panelType = r.text("Tip_SP");
    v.panelPower = r.text("Pnom_SP");
    v.panelVoltage = r.text("Unom_SP");
    v.panelWidthMm = r.number("S_SP");
    v.panelHeightMm = r.number("H_SP");
    v.panelImp = r.number("Imp_SP");
    v.panelIsc = r.number("Isc_SP");
    v.mppt = r.flag("UseMPPT_Ctrl");
    v.mpptVoltage = r.text("Umppt");
    v.systemVoltage = r.text("Uses");
    v.stringBreakerType = r.text("Tip_AV_SP");
    v.stringBreakerCurrent = r.text("Inom_AV_SP");
    v.stringFuseType = r.text("Tip_Pr_SP");
    v.stringFuseCurrent = r.text("Inom_Pr_SP");
    v.maxUnprotectedStrings = r.integer("MaxKolSborNotProt");
    v.batteryStrings = r.integer("KolVetv_AKB");
    v.batterySeries = r.integer("KolPosled_AKB");
    v.batteryLengthMm = r.number("L_AKB");
    v.batteryWidthMm = r.number("S_AKB");
    v.batteryModel = r.text("Name_AKB");
    v.batteryVoltage = r.text("Unom_AKB");
    v.batteryCapacity = r.text("Cnom_AKB");
    v.batteryCount = r.text("Kol_AKB");
    v.batteryActualCapacity = r.text("Cfakt_AKB");
    v.chargeCurrent = r.text("SIzar_AKB");
    v.dcCircuit = circuit(r, "Tip_AV_AKB", "Inom_AV_AKB", "Tip_Pr_AKB", "Inom_Pr_AKB", "Skab_akb",
                          "Lkab_akb", "Ikab_akb", "DUkab_akb");
    v.dcNominal = r.text("Pnom30min");
    v.dcMaximum = r.text("Pmax10min");
    v.dcPeak = r.text("Wp_pik");

    QSqlQuery arrays =
        store.select(QStringLiteral("SELECT * FROM proj_mas WHERE Kod0 = ? ORDER BY Kod"), {kod});
    while (arrays.next()) {
        const Row m(arrays);
        SchemeArray a;
        a.name = m.text("NameMassive");
        a.strings = m.integer("KolVetv");
        a.series = m.integer("KolPosled");
        a.panelCount = m.integer("KolMas");
        a.power = m.text("Pmas");
        a.current = m.text("Imas");
        a.controllerType = m.text("Tip_Ctrl");
        a.controllerVoltage = m.text("Unom_Ctrl");
        a.controllerCurrent = m.text("Inom_Ctrl");
        a.controllerOutput = m.text("Iakb_Ctrl");
        a.toController = circuit(m, "Tip_AV_mas", "Inom_AV_mas", "Tip_Pr_mas", "Inom_Pr_mas",
                                 "Skab", "Lkab", "Ikab", "DUkab");
        a.toBattery = circuit(m, "Tip_AV_AKB", "Inom_AV_AKB", "Tip_Pr_AKB", "Inom_Pr_AKB",
                              "Skab_akb", "Lkab_akb", "Ikab_akb", "DUkab_akb");
        v.arrays.push_back(a);
    }

    QSqlQuery inverters =
        store.select(QStringLiteral("SELECT * FROM proj_inv WHERE Kod0 = ? ORDER BY Kod"), {kod});
    while (inverters.next()) {
        const Row i(inverters);
        SchemeInverter inv;
        inv.name = i.text("Name_Inv");
        inv.nominal = i.text("Pnom_Inv");
        inv.maximum = i.text("Pmax_Inv");
        inv.peak = i.text("Ppik_Inv");
        inv.inputVoltage = i.text("Uvh_Inv");
        inv.outputVoltage = i.text("Uvuh_Inv");
        inv.feed = circuit(i, "Tip_AV_Inv", "Inom_AV_Inv", "Tip_Pr_Inv", "Inom_Pr_Inv", "Skab_inv",
                           "Lkab_inv", "Ikab_inv", "DUkab_inv");
        inv.feed.cableCount = i.text("Nkab_inv");
        inv.loadNominal = i.text("Pnom30min");
        inv.loadMaximum = i.text("Pmax10min");
        inv.loadPeak = i.text("Ppik");
        v.inverters.push_back(inv);
    }

    QSqlQuery dc =
        store.select(QStringLiteral("SELECT COUNT(*) FROM proj_graf12_0 WHERE Kod0 = ?"), {kod});
    v.hasDcConsumers = dc.next() && dc.value(0).toInt() > 0;
    return v;
}

SchemeFacts schemeFacts(TDataModule1& dm, qint64 kod) {
    SchemeFacts f;
    QSqlQuery q = dm.store().select(
        QStringLiteral(
            "SELECT Tip_SP IS NOT NULL, Tip_AKB IS NOT NULL, Name_AKB IS NOT NULL, "
            "EXISTS (SELECT 1 FROM proj_mas WHERE Kod0 = p.Kod), "
            "EXISTS (SELECT 1 FROM proj_inv WHERE Kod0 = p.Kod AND Nagr_Name IS NOT NULL), "
            "EXISTS (SELECT 1 FROM proj_graf12_0 WHERE Kod0 = p.Kod AND SutGrafName IS NOT NULL) "
            "FROM project1 p WHERE p.Kod = ?"),
        {kod});
    if (!q.next())
        return f;
    f.exists = true;
    f.panelType = q.value(0).toBool();
    f.batteryType = q.value(1).toBool();
    f.batteryName = q.value(2).toBool();
    f.arrays = q.value(3).toBool();
    f.namedAcLoad = q.value(4).toBool();
    f.namedDcSchedule = q.value(5).toBool();
    return f;
}

bool paneCanDraw(const SchemeFacts& f) {
    return f.exists && f.panelType && f.arrays && f.batteryType && f.batteryName;
}

bool comparisonCanDraw(const SchemeFacts& f) {
    return f.exists && f.panelType && f.arrays && f.batteryType &&
           (f.namedAcLoad || f.namedDcSchedule);
}

} // namespace ses
