#include "app/demo.h"

#include "app/battery_choice.h"
#include "app/recalc.h"
#include "app/shell.h"
#include "app/variant_ops.h"
#include "data/data_dir.h"
#include "data/data_module.h"
#include "data/store.h"
#include "lib/numbers.h"
#include "lib/prompter.h"
#include "load/consumer_store.h"
#include "load/consumers.h"
#include "load/dispatch_ops.h"
#include "load/schedule_store.h"
#include "solar/controller_ops.h"
#include "solar/solar_choice_ops.h"
#include "storage/cable_ops.h"
#include "storage/inverter_ops.h"
#include "storage/protection_ops.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <array>
#include <stdexcept>

namespace ses {

namespace {

[[noreturn]] void refused(const QString& what, TDataModule1& dm) {
    // The data module's prompter holds the rule's own message when a table refused the write.
    QString why;
    if (auto* recording = dynamic_cast<RecordingPrompter*>(&dm.prompter());
        recording && !recording->entries().empty())
        why = QStringLiteral(": ") + recording->entries().back().text;
    throw std::runtime_error(
        QStringLiteral("Демонстрационный проект не построен: %1%2").arg(what, why).toStdString());
}

// An AC load as the dispatcher's grid appends it: only its name.
void addAcLoad(TDataModule1& dm, const char* name) {
    View& loads = dm.tblProj_Inv();
    if (!loads.append())
        refused(QStringLiteral("нагрузка не добавлена"), dm);
    loads[QStringLiteral("Nagr_Name")].setString(QString::fromUtf8(name));
    if (!loads.post())
        refused(QStringLiteral("нагрузка не сохранена"), dm);
}

// A schedule entered by intervals (W over hours), stored as the schedule dialog stores it.
void intervalSchedule(TDataModule1& dm, bool ac, const char* name, const char* from, const char* to,
                      std::initializer_list<std::array<const char*, 3>> intervals, double peak) {
    ScheduleDraft d;
    d.name = QString::fromUtf8(name);
    d.from = QString::fromUtf8(from);
    d.to = QString::fromUtf8(to);
    for (const auto& i : intervals)
        d.intervals.push_back(
            {QString::fromUtf8(i[0]), QString::fromUtf8(i[1]), QString::fromUtf8(i[2])});
    const MonthlyResult r =
        monthlyRows(parseIntervals(d.intervals), d.from, d.to, readScheduleInputs(dm, ac));
    d.wpSut = r.params.wpSut;
    d.pnom = r.params.pnom;
    d.pmax = r.params.pmax;
    d.peak = peak;
    d.clearSinus = ac;
    d.monthly = r.rows;
    if (!addSchedule(dm, ac, d))
        refused(QStringLiteral("график \"%1\" не сохранен").arg(d.name), dm);
}

// A consumer of a consumer-built schedule: its catalog row, how many, and either its own
// operating periods (hours) or the periodic generator's inputs.
struct DemoConsumer {
    CatalogConsumer catalog;
    int quantity = 1;
    std::vector<std::pair<double, double>> periods;
    std::optional<PeriodInputs> generator;
};

// A schedule built from consumers as the consumer dialog builds it: a blank schedule, its
// consumers with their periods, then the intervals, figures and monthly rows they make.
void consumerSchedule(TDataModule1& dm, bool ac, const char* name, const char* from, const char* to,
                      const std::vector<DemoConsumer>& consumers) {
    ScheduleDraft d;
    d.name = QString::fromUtf8(name);
    d.from = QString::fromUtf8(from);
    d.to = QString::fromUtf8(to);
    if (!appendBlankSchedule(dm, ac, d))
        refused(QStringLiteral("график \"%1\" не добавлен").arg(d.name), dm);
    for (const DemoConsumer& c : consumers) {
        std::vector<std::pair<double, double>> periods = c.periods;
        if (c.generator) {
            PeriodInputs in = *c.generator;
            in.pnom = c.catalog.pnom;
            const PeriodResult made = generatePeriods(in);
            if (made.error)
                refused(*made.error, dm);
            periods = made.periods;
        }
        if (!appendConsumer(dm, ac, consumerFromCatalog(c.catalog, c.quantity)) ||
            !replacePeriods(dm, ac, periods))
            refused(QStringLiteral("электроприемник \"%1\" не добавлен").arg(c.catalog.name), dm);
    }
    const ScheduleInputs in = readScheduleInputs(dm, ac);
    const std::vector<Consumer> list = currentConsumers(dm, ac);
    if (const auto e = testConsumerPeriods(list))
        refused(*e, dm);
    const ConsumerFigures made = consumerFigures(list, in.nomMinutes, in.maxMinutes);
    if (made.intervalError)
        refused(*made.intervalError, dm);
    fillFromConsumers(d, made, in);
    if (!editSchedule(dm, ac, d))
        refused(QStringLiteral("график \"%1\" не сохранен").arg(d.name), dm);
}

// What the dispatchers do on closing: the DC figures, then the chain.
void closeDispatchers(TDataModule1& dm) {
    storeDcFigures(dm);
    const ChainResult r = runRecalcChain(dm);
    if (!r.problems.isEmpty())
        refused(r.problems.join(QStringLiteral(" ")), dm);
}

// The inverter window's choice: for every AC load the smallest catalog inverter that meets its
// requirement (the first row of the candidate table), confirmed with "ОК"; the chain follows.
void chooseInverters(TDataModule1& dm) {
    runWithChain(dm, ChainTrigger::InvertersChosen, [&] {
        const InverterVariant variant = readInverterVariant(dm);
        std::vector<InverterChoice> choices;
        for (const InverterLoad& load : readInverterLoads(dm)) {
            const std::vector<CatalogInverter> candidates =
                candidateTable(dm, inverterRequirement(load, variant));
            if (candidates.empty())
                refused(QStringLiteral("нет инвертора для нагрузки \"%1\"").arg(load.name), dm);
            choices.push_back(candidates.front().model);
        }
        if (!storeInverterChoice(dm, choices))
            refused(QStringLiteral("выбор инверторов не сохранен"), dm);
        return true;
    });
}

// The solar battery selection: the maker's panel type, its arrays formed one after another
// against what the earlier ones leave, as the array window forms them (facing south at the
// suggested tilt): an array of the largest power one controller takes while more than that is
// still to cover, then one by the required power; the window's "ОК" checks, the choice stored.
void chooseSolarBattery(TDataModule1& dm, const QString& tip, double largestArray) {
    SolarSelection sel;
    sel.load(readSelectionSource(dm));
    for (const PanelCompany& c : panelCompanies(dm))
        for (const CatalogPanel& t : panelTypes(dm, c.kod, sel.variant().system))
            if (t.tip == tip)
                sel.chooseType(c.company, &t);
    if (!sel.type())
        refused(QStringLiteral("нет солнечной панели \"%1\"").arg(tip), dm);
    for (int arrays = 0; arrays < 16; ++arrays) {
        const ArrayWindowInput in = sel.arrayWindowInput(-1);
        if (in.dopP <= 0)
            break;
        ArrayRequest rq;
        rq.criterion = in.dopP > largestArray ? Criterion::GivenPower : Criterion::RequiredPower;
        rq.givenPower = in.dopP > largestArray ? largestArray : 0;
        rq.orientation = in.row.orientation;
        rq.tilt = in.row.tilt;
        const ArrayCalculation c = calculateArray(in, rq);
        if (!c.ok())
            refused(c.error ? *c.error : *c.information, dm);
        sel.add(arrayRow(in.row.name, rq, *c.k, c.result, sel.boptForNewRow()));
    }
    if (const auto refusal = sel.okRefusal(true))
        refused(*refusal, dm);
    storeChoice(dm, sel.storedChoice());
}

// The controller window's choice: for every array the first (smallest) catalog controller that
// suits it, written with the all-arrays option into the arrays of equal power, confirmed with
// "ОК".
void chooseControllers(TDataModule1& dm) {
    ControllerSource s = readControllerSource(dm);
    if (const auto problem = panelProblem(s.variant))
        refused(*problem, dm);
    ControllerCatalog catalog(dm);
    for (size_t i = 0; i < s.rows.size(); ++i) {
        if (!s.rows[i].controller.tip.isEmpty())
            continue; // written with an array of equal power
        const QueryOrRefusal q = catalog.rowQuery(s, s.rows[i]);
        if (!q.query)
            refused(q.error, dm);
        const std::vector<ControllerCandidate> found = catalog.query(*q.query);
        if (found.empty())
            refused(QStringLiteral("нет контроллера для массива \"%1\"").arg(s.rows[i].name), dm);
        const ControllerCandidate& c = found.front();
        const ChoiceResult r = applyChoice(
            s.rows, int(i), c, true, s.variant,
            catalog.chargeVoltage(c.company, c.tip, s.variant.uses, chargedBatteryType(s.variant)));
        if (!r.error.isEmpty())
            refused(r.error, dm);
    }
    if (const auto refusal = controllersOkRefusal(s.rows, s.variant.mppt))
        refused(*refusal, dm);
    if (const auto refusal = storeControllers(dm, s.rows))
        refused(*refusal, dm);
}

// The battery window's choice: of the type's models offered for the system voltage, the one whose
// assembly, matched to the controllers' charge current, takes the fewest batteries (the first of
// equals), confirmed with "ОК".
void chooseBattery(TDataModule1& dm, const QString& tip) {
    const BatterySource s = readBatterySource(dm);
    std::optional<BatteryChoice> best;
    for (const BatteryMaker& maker : batteryMakers(dm))
        for (const BatteryType& type : batteryTypes(dm, maker.kod)) {
            if (type.tip != tip)
                continue;
            QString error;
            const std::optional<double> charge = chargeCurrentFor(dm, s, tip, &error);
            if (!error.isEmpty())
                refused(error, dm);
            for (const BatteryModel& m :
                 offeredModels(batteryModels(dm, type.kod), s.variant.uses)) {
                const AssemblyResult r = assemble(m, s.variant, charge, true);
                if (assemblyStorable(r, s.variant) && (!best || r.figures.kol < best->figures.kol))
                    best = BatteryChoice{maker.company, tip, m, r.figures};
            }
        }
    if (!best)
        refused(QStringLiteral("нет аккумуляторной батареи типа \"%1\"").arg(tip), dm);
    const BatteryChoiceOutcome out = storeBatteryChoice(dm, *best);
    if (out.outOfRange)
        refused(*out.outOfRange, dm);
    if (out.shortfall)
        refused(*out.shortfall, dm);
    if (out.chain && !out.chain->problems.isEmpty())
        refused(out.chain->problems.join(QStringLiteral(" ")), dm);
}

// The cable window's "Выбор" with the minimum sections it offers at first: every circuit of the
// variant must get its conductor without a message.
void chooseDemoCables(TDataModule1& dm) {
    const CableRun run = runCableChoice(dm, CableOptions{});
    if (const auto messages = run.messages(); !messages.empty())
        refused(messages.front().join(QStringLiteral(" ")), dm);
}

// The protection windows' choice with the first device offered (the smallest rating): every
// circuit of the variant gets the kind given for it, and a circuit nothing is offered for stops
// the demo.
void chooseDemoProtection(TDataModule1& dm, const std::array<DeviceKind, kCircuitCount>& kinds) {
    for (int c = 0; c < kCircuitCount; ++c) {
        const Circuit circuit = Circuit(c);
        const DeviceKind kind = kinds[c];
        const DeviceCatalog catalog = readDeviceCatalog(dm, kind);
        const bool single = circuit == Circuit::Assembly || circuit == Circuit::BatteryDc;
        const int records = single ? 1 : circuitView(dm, circuit).recordCount();
        for (int r = 0; r < records; ++r) {
            const Requirement req = requirementOf(kind, circuit, readProtectionInputs(dm), r);
            const auto offered = candidatesFor(catalog, req);
            if (offered.empty())
                refused(req.caption + QLatin1Char(' ') +
                            (req.missing.isEmpty() ? noCandidateText(kind) : req.missingText()),
                        dm);
            storeDeviceChoice(dm, kind, circuit, r, offered.front(), false);
        }
    }
}

// A variant through the variant dialog's own save, from the default parameters.
void addDemoVariant(TDataModule1& dm, const char* name, const char* region, const char* mode,
                    const char* uses, bool peakForInverters) {
    VariantParams params = factoryFill(dm);
    params.setOn(QStringLiteral("UsePpik_Inv"), peakForInverters);
    params.name = QString::fromUtf8(name);
    params.set(QStringLiteral("Region"), QString::fromUtf8(region));
    params.set(QStringLiteral("ParamNagr"), QString::fromLatin1(mode));
    params.set(QStringLiteral("Uses"), QString::fromLatin1(uses));
    if (!addVariant(dm, params))
        refused(QStringLiteral("вариант \"%1\" не добавлен").arg(params.name), dm);
}

CatalogConsumer ac(const char* name, double pnom, double ipIn, bool pureSine, const char* mode) {
    return {QString::fromUtf8(name), pnom, ipIn, pureSine, std::nullopt, QString::fromUtf8(mode)};
}

CatalogConsumer dc(const char* name, double pnom, double ipIn, double unom, const char* mode) {
    return {QString::fromUtf8(name), pnom, ipIn, false, unom, QString::fromUtf8(mode)};
}

PeriodInputs byEnergy(const char* wattHours, const char* step) {
    PeriodInputs in;
    in.energyBasis = true;
    in.energy = QString::fromLatin1(wattHours);
    in.begin = QStringLiteral("0");
    in.end = QStringLiteral("24");
    in.step = QString::fromLatin1(step);
    return in;
}

// A summer house near Moscow lived in from April to September: lighting, a fridge, a TV and a
// router on one inverter, a borehole pump run at midday (from the sun, not the battery) with its
// starting current on another, and a 24 V security alarm. Loads given by consumers and their
// working hours.
void buildDacha(TDataModule1& dm) {
    // The pump starts at four times its rated current: the inverters must take the peak.
    addDemoVariant(dm, "Дача (апрель - сентябрь)", "Москва", "2", "24", true);
    addAcLoad(dm, "Дом: освещение и быт");
    consumerSchedule(
        dm, true, "Летний сезон", "апрель", "сентябрь",
        {{ac("Холодильник бытовой", 150, 5, true, "автоматический"), 1, {}, byEnergy("900", "1")},
         {ac("Освещение светодиодное (лампа)", 10, 1, false, "ручной"), 6, {{6, 7}, {20, 23}}, {}},
         {ac("Телевизор светодиодный", 100, 1.5, false, "ручной"), 1, {{19, 22}}, {}},
         {ac("Роутер Wi-Fi", 10, 1, false, "автоматический"), 1, {{0, 24}}, {}}});
    addAcLoad(dm, "Скважинный насос");
    consumerSchedule(
        dm, true, "Летний сезон", "апрель", "сентябрь",
        {{ac("Насос скважинный погружной", 750, 4, true, "автоматический"), 1, {{12, 13}}, {}}});
    dm.tblProj_Inv().first();
    consumerSchedule(
        dm, false, "Охранная сигнализация", "апрель", "сентябрь",
        {{dc("Охранная сигнализация 24 В", 12, 1, 24, "автоматический"), 1, {{0, 24}}, {}}});
    closeDispatchers(dm);
    chooseInverters(dm);
    // The largest PWM controller for 24 V takes 1600 W of panels.
    chooseSolarBattery(dm, QStringLiteral("СП-М-300-24"), 1600);
    chooseControllers(dm);
    chooseBattery(dm, QStringLiteral("AGM"));
    chooseDemoCables(dm);
    const DeviceKind B = DeviceKind::Breaker, F = DeviceKind::Fuse;
    chooseDemoProtection(dm, {B, B, F, B, F});
}

// An automatic weather station near Astrakhan working all year: sensors, a data logger and a
// cellular modem on 12 V, sensor heating at night, and a laptop of the visiting observer on a
// small inverter. Loads given by schedules of intervals.
void buildStation(TDataModule1& dm) {
    addDemoVariant(dm, "Метеостанция (круглый год)", "Астрахань", "1", "12", false);
    addAcLoad(dm, "Ноутбук наблюдателя");
    intervalSchedule(dm, true, "Круглый год", "январь", "декабрь",
                     {{"0", "9", "0"},
                      {"9", "11", "60"},
                      {"11", "17", "0"},
                      {"17", "18", "60"},
                      {"18", "24", "0"}},
                     90);
    dm.tblProj_Inv().first();
    intervalSchedule(dm, false, "Датчики, регистратор, связь", "январь", "декабрь",
                     {{"0", "7", "27"}, {"7", "19", "15"}, {"19", "24", "27"}}, 30);
    closeDispatchers(dm);
    chooseInverters(dm);
    // The largest PWM controller for 12 V takes 800 W.
    chooseSolarBattery(dm, QStringLiteral("СП-М-150-12"), 800);
    chooseControllers(dm);
    chooseBattery(dm, QStringLiteral("GEL"));
    chooseDemoCables(dm);
    const DeviceKind B = DeviceKind::Breaker, F = DeviceKind::Fuse;
    chooseDemoProtection(dm, {F, F, B, F, B});
}

} // namespace

void buildDemoProject(Shell& shell) {
    TDataModule1& dm = shell.dm();
    Transaction tr(dm.store());
    ProjectFields f = shell.newProjectFields();
    f.name = kDemoProjectName;
    f.owner = QStringLiteral("Иванов И. И.");
    f.memo =
        QStringLiteral("Пример, рассчитанный программой: дача под Москвой (апрель - сентябрь) и "
                       "автоматическая метеостанция под Астраханью (круглый год).\n"
                       "Проект можно изменять и удалять, как любой другой.");
    if (!shell.createProject(f))
        refused(QStringLiteral("проект не создан"), dm);
    buildDacha(dm);
    buildStation(dm);
    tr.commit();
    dm.tblProj1().first();
    dm.tblProj_Inv().first();
    dm.tblProj_Mas().first();
}

bool createDataDirectoryWithExample(const QString& dir) {
    return createDataDirectory(dir, [](const QString& work) {
        fillDataDirectory(work, InitContent::StarterCatalogs);
        auto store = Store::open(work);
        RecordingPrompter prompter;
        TDataModule1 dm(*store, prompter);
        Shell shell(dm, prompter);
        buildDemoProject(shell);
    });
}

} // namespace ses
