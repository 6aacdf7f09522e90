#pragma once
// The charge controllers of the current variant's arrays, read and stored through the data
// module: the window's rows and source data, the catalog query of one row, the controllers'
// charge voltages (cached) and the storing of the choice in one transaction.

#include "solar/controllers.h"

#include <QHash>

#include <optional>
#include <vector>

namespace ses {

class TDataModule1;

ControllerVariant readControllerVariant(TDataModule1& dm);
// TK_Vos of a catalog panel; nullopt when the maker or the type is not in the catalog or the
// value is empty.
std::optional<double> panelTkVos(TDataModule1& dm, const QString& company, const QString& tip);

// What the controller window starts from: the variant, its Kt and the arrays by position, in
// proj_mas order, with their stored controller fields.
struct ControllerSource {
    ControllerVariant variant;
    double kt = kDefaultTemperatureFactor;
    std::vector<ControllerArray> rows;
};
ControllerSource readControllerSource(TDataModule1& dm);

// The controller catalog as the window and the battery windows use it. The charge voltage of a
// controller is looked up once per controller, system voltage and battery type and then kept:
// create one for each filling of a window, as the catalog may change between them.
class ControllerCatalog {
public:
    explicit ControllerCatalog(TDataModule1& dm) : m_dm(dm) {}

    // Upodzar of the controller's rating for the system voltage and the battery type. An empty
    // maker or type looks nothing up (the default voltage applies).
    const ChargeVoltageLookup& chargeVoltage(const QString& company, const QString& tip,
                                             double uses, const QString& batteryType);
    // The output current of P watts through the controller (empty maker: none chosen) for the
    // variant's battery type.
    Amperes outputCurrent(const ControllerVariant& v, double power, const QString& company,
                          const QString& tip);
    // Іаб of a row with the controller it holds.
    Amperes rowCurrent(const ControllerVariant& v, const ControllerArray& a);

    // The query parameters of a row: the MPPT charge current with its present controller.
    QueryOrRefusal rowQuery(const ControllerSource& s, const ControllerArray& a);
    // Runs the fixed query qryController1.
    std::vector<ControllerCandidate> query(const ControllerQuery& q);

    // Іаб of every row that holds a controller, computed as storing computes it (a row whose
    // current cannot be computed keeps its stored one).
    void refreshCurrents(ControllerSource& s);

private:
    TDataModule1& m_dm;
    QHash<QString, ChargeVoltageLookup> m_voltages;
};

// Stores the rows into the variant's arrays by position: the eight controller fields and
// Iakb_Ctrl computed by the one rule of the window, then SIzar_AKB. Arrays whose controller or
// charge current changed lose their cable results and their controller-to-battery breaker and
// fuse. Everything in one transaction: a refusal (returned) or a store failure (DbError thrown)
// leaves the tables as they were.
std::optional<QString> storeControllers(TDataModule1& dm, const std::vector<ControllerArray>& rows);

} // namespace ses
