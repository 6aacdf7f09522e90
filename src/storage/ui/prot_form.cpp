#include "storage/ui/prot_form.h"

#include "data/data_module.h"
#include "lib/numbers.h"
#include "lib/prompter.h"
#include "reports/report_writer.h"
#include "storage/protection_ops.h"
#include "storage/ui/sel_prot_form.h"
#include "widgets/bound_grid.h"
#include "widgets/dialog_buttons.h"
#include "widgets/report_export.h"
#include "widgets/windows.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ses {

namespace {

const char* const kTabNames[kCircuitCount] = {"sp", "mas", "akb", "inv", "dc"};

QString rowName(Circuit c, const char* what) {
    return QString::fromLatin1(kTabNames[int(c)]) + QLatin1Char('.') + QLatin1String(what);
}

bool single(Circuit c) {
    return c == Circuit::Assembly || c == Circuit::BatteryDc;
}

const std::vector<FormRow>& assemblyRows() {
    static const std::vector<FormRow> rows = {
        {QStringLiteral("tipSp"), QStringLiteral("Тип СП:")},
        {QStringLiteral("pnomSp"), QStringLiteral("Номинальная мощность СП, Вт:")},
        {QStringLiteral("kolPosled"), QStringLiteral("Количество СП в сборке, шт.:")},
        {QStringLiteral("imp"), QStringLiteral("Ток в рабочей точке СП сборки, А:")},
        {QStringLiteral("isc"), QStringLiteral("Ток к.з. СП сборки, А:")},
        {QStringLiteral("uxx"), QStringLiteral("Напряжение х.х. сборки СП, В:")},
        {QStringLiteral("wire"),
         QStringLiteral("Сечение жилы провода (кабеля) в сборке СП, мм2:")}};
    return rows;
}

const std::vector<FormRow>& dcRows() {
    static const std::vector<FormRow> rows = {
        {QStringLiteral("uses"), QStringLiteral("Номинальное напряжение, В:")},
        {QStringLiteral("pnom"), QStringLiteral("Номинальная мощность нагрузки, Вт:")},
        {QStringLiteral("pmax"), QStringLiteral("Максимальная мощность нагрузки, Вт:")},
        {QStringLiteral("ppik"), QStringLiteral("Пиковая мощность нагрузки, Вт:")},
        {QStringLiteral("loadInom"), QStringLiteral("Номинальный ток нагрузки, А:")},
        {QStringLiteral("imax"), QStringLiteral("Максимальный ток нагрузки, А:")},
        {QStringLiteral("ipik"), QStringLiteral("Пиковый ток нагрузки, А:")},
        {QStringLiteral("skab"),
         QStringLiteral("Сечение жилы провода (кабеля) на выходе АБ, мм2:")}};
    return rows;
}

} // namespace

TProtForm::TProtForm(DeviceKind kind, TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_dm(dm), m_prompter(prompter) {
    const bool breaker = kind == DeviceKind::Breaker;
    const WindowInfo& info =
        setUpWindow(this, breaker ? QStringLiteral("TAVForm") : QStringLiteral("TPrForm"));
    auto* top = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    top->addWidget(m_tabs, 1);

    const QString one =
        breaker ? QStringLiteral("Автоматический выключатель") : QStringLiteral("Предохранитель");
    const QString many =
        breaker ? QStringLiteral("Автоматические выключатели") : QStringLiteral("Предохранители");
    const QString typeTitle =
        breaker ? QStringLiteral("Тип АВ") : QStringLiteral("Тип предохранителя");
    const auto deviceColumns = [&](Circuit c, const QString& company, QStringList titles) {
        const QStringList f = deviceFields(kind, c);
        titles << company << typeTitle;
        if (!breaker)
            titles << QStringLiteral("Тип держателя");
        titles << QStringLiteral("Iном., А") << QStringLiteral("Uном., В");
        return std::make_pair(std::vector<QString>(f.begin(), f.end()), titles);
    };
    const QString companyTitle = breaker ? QStringLiteral("Компания-производитель АВ")
                                         : QStringLiteral("Компания-производитель");
    const QString bulkText =
        breaker ? QStringLiteral("Выбирать сразу выключатели для всех контуров")
                : QStringLiteral("Выбирать сразу предохранители для всех контуров");

    m_tabs->addTab(
        devicePage(Circuit::Assembly, QStringLiteral(" %1 в сборке СП ").arg(one), assemblyRows()),
        QStringLiteral(" Сборка массива СП "));
    {
        auto [fields, titles] =
            deviceColumns(Circuit::ArrayController, companyTitle,
                          {QStringLiteral("Наименование массива"), QStringLiteral("Iсп, А"),
                           QStringLiteral("Uсп, В"), QStringLiteral("Тип контроллера"),
                           QStringLiteral("Sкаб., мм2")});
        fields.insert(fields.begin(), {QStringLiteral("NameMassive"), QStringLiteral("Imas"),
                                       QStringLiteral("SumUxx"), QStringLiteral("Tip_Ctrl"),
                                       QStringLiteral("Skab")});
        m_tabs->addTab(
            gridPage(Circuit::ArrayController,
                     QStringLiteral("%1 в контурах \"Массив СП - контроллер\".").arg(many), fields,
                     titles,
                     bulkText + QStringLiteral(" \"Массив СП - контроллер\" с одинаковыми токами "
                                               "массивов")),
            QStringLiteral(" Массив СП - контроллер "));
    }
    {
        auto [fields, titles] =
            deviceColumns(Circuit::ControllerBattery, companyTitle,
                          {QStringLiteral("Тип контроллера"), QStringLiteral("Iмакс., А"),
                           QStringLiteral("Iаб, А"), QStringLiteral("Sкаб., мм2")});
        fields.insert(fields.begin(), {QStringLiteral("Tip_Ctrl"), QStringLiteral("Inom_Ctrl"),
                                       QStringLiteral("Iakb_Ctrl"), QStringLiteral("Skab_akb")});
        m_tabs->addTab(gridPage(Circuit::ControllerBattery,
                                QStringLiteral("%1 в контурах \"Контроллер - АБ\".").arg(many),
                                fields, titles,
                                bulkText + QStringLiteral(" \"Контроллер - АБ\" с одинаковыми "
                                                          "токами заряда АБ")),
                       QStringLiteral(" Контроллер - АБ "));
    }
    {
        auto [fields, titles] =
            deviceColumns(Circuit::BatteryInverter, QStringLiteral("Компания"),
                          {QStringLiteral("Тип инвертора"), QStringLiteral("Рном., Вт"),
                           QStringLiteral("Рмакс., Вт"), QStringLiteral("Рпик., Вт"),
                           QStringLiteral("Iном., А"), QStringLiteral("Iмакс., А"),
                           QStringLiteral("Iпик., А"), QStringLiteral("Sкаб., мм2")});
        fields.insert(fields.begin(), {QStringLiteral("Name_Inv"), QStringLiteral("Pnom_Inv"),
                                       QStringLiteral("Pmax_Inv"), QStringLiteral("Ppik_Inv"),
                                       QStringLiteral("Inom_Inv"), QStringLiteral("Imax_Inv"),
                                       QStringLiteral("Ipik_Inv"), QStringLiteral("Skab_inv")});
        m_tabs->addTab(gridPage(Circuit::BatteryInverter,
                                QStringLiteral("%1 в контурах \"АБ - инвертор\".").arg(many),
                                fields, titles, QString()),
                       QStringLiteral(" АБ - инвертор "));
    }
    m_tabs->addTab(
        devicePage(
            Circuit::BatteryDc,
            QStringLiteral(" %1 в контуре \"АБ - потребители постоянного напряжения\" ").arg(one),
            dcRows()),
        QStringLiteral(" АБ - потребители "));

    QPushButton* exportB = makeExportButton(this, QStringLiteral("Экспорт отчёта"));
    connect(exportB, &QPushButton::clicked, this, [this] { exportReport(); });
    const DialogButtons b = makeDialogButtons(this, info, closeRow({exportB}));
    top->addLayout(b.layout);

    View* views[3] = {&m_dm.tblProj1(), &m_dm.tblProj_Mas(), &m_dm.tblProj_Inv()};
    for (int i = 0; i < 3; ++i)
        m_listeners[i] = views[i]->addListener([this](View&, View::Change c) {
            if (c != View::Change::State)
                showVariant();
        });
    resize(1240, 560);
}

TProtForm::~TProtForm() {
    View* views[3] = {&m_dm.tblProj1(), &m_dm.tblProj_Mas(), &m_dm.tblProj_Inv()};
    for (int i = 0; i < 3; ++i)
        views[i]->removeListener(m_listeners[i]);
}

QWidget* TProtForm::buttons(Circuit c, bool withAll, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* l = new QHBoxLayout(row);
    l->setContentsMargins(0, 0, 0, 0);
    Tab& t = m_tab[int(c)];
    const QString tag = QString::fromLatin1(kTabNames[int(c)]);
    t.choose = new QPushButton(QStringLiteral("Выбор..."), row);
    t.choose->setObjectName(QStringLiteral("choose.") + tag);
    t.remove = new QPushButton(QStringLiteral("Удалить"), row);
    t.remove->setObjectName(QStringLiteral("delete.") + tag);
    l->addWidget(t.choose);
    l->addWidget(t.remove);
    if (withAll) {
        t.removeAll = new QPushButton(QStringLiteral("Удалить все"), row);
        t.removeAll->setObjectName(QStringLiteral("deleteAll.") + tag);
        l->addWidget(t.removeAll);
        connect(t.removeAll, &QPushButton::clicked, this, [this, c] { remove(c, true); });
    }
    l->addStretch(1);
    connect(t.choose, &QPushButton::clicked, this, [this, c] { choose(c); });
    connect(t.remove, &QPushButton::clicked, this, [this, c] { remove(c, false); });
    return row;
}

QWidget* TProtForm::devicePage(Circuit c, const QString& group,
                               const std::vector<FormRow>& params) {
    const bool breaker = m_kind == DeviceKind::Breaker;
    auto* page = new QWidget(m_tabs);
    auto* l = new QVBoxLayout(page);
    auto* g = new QGroupBox(group, page);
    auto* gl = new QVBoxLayout(g);
    auto* device = new QGroupBox(breaker ? QStringLiteral(" Параметры автоматического выключателя "
                                                          "(АВ) ")
                                         : QStringLiteral(" Параметры предохранителя "),
                                 g);
    auto* df = new QFormLayout(device);
    df->setVerticalSpacing(2);
    std::vector<FormRow> rows;
    if (breaker)
        rows = {{rowName(c, "company"), QStringLiteral("Компания-производитель АВ:")},
                {rowName(c, "type"), QStringLiteral("Тип АВ:")},
                {rowName(c, "inom"), QStringLiteral("Номинальный ток АВ, А:")},
                {rowName(c, "unom"), QStringLiteral("Номинальное напряжение АВ, В:")}};
    else
        rows = {{rowName(c, "company"), QStringLiteral("Компания-производитель:")},
                {rowName(c, "type"), QStringLiteral("Тип предохранителя:")},
                {rowName(c, "holder"), QStringLiteral("Тип держателя:")},
                {rowName(c, "inom"), QStringLiteral("Номинальный ток вставки, А:")},
                {rowName(c, "unom"), QStringLiteral("Номинальное напряжение, В:")}};
    m_fields.add(df, rows, ShownLook{260, true});
    // Names read from the left, as every text does.
    for (const char* n : {"company", "type", "holder"})
        if (QLabel* f = m_fields.field(rowName(c, n)))
            f->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    gl->addWidget(device);
    gl->addWidget(buttons(c, false, g));
    l->addWidget(g);

    auto* p = new QGroupBox(c == Circuit::Assembly
                                ? QStringLiteral(" Параметры сборки солнечных панелей (СП) ")
                                : QStringLiteral(" Параметры потребителей постоянного напряжения "),
                            page);
    auto* pf = new QFormLayout(p);
    pf->setVerticalSpacing(2);
    std::vector<FormRow> named;
    for (const FormRow& r : params)
        named.push_back({rowName(c, r.name.toLatin1().constData()), r.caption});
    m_fields.add(pf, named, ShownLook{90, true});
    if (QLabel* f = m_fields.field(rowName(c, "tipSp")))
        f->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->addWidget(p);
    l->addStretch(1);
    return page;
}

QWidget* TProtForm::gridPage(Circuit c, const QString& caption, const std::vector<QString>& fields,
                             const QStringList& titles, const QString& bulkText) {
    auto* page = new QWidget(m_tabs);
    auto* l = new QVBoxLayout(page);
    l->addWidget(new QLabel(caption, page));
    std::vector<GridColumn> columns;
    for (int i = 0; i < int(fields.size()); ++i)
        columns.push_back({fields[i], titles[i], true, 0, i == 0});
    auto* g = new BoundGrid(circuitView(m_dm, c), columns, page);
    g->setObjectName(QString::fromLatin1(kTabNames[int(c)]));
    g->setPrompter(&m_prompter);
    g->setReadOnly(true);
    m_tab[int(c)].grid = g;
    l->addWidget(g, 1);
    l->addWidget(buttons(c, true, page));
    if (!bulkText.isEmpty()) {
        auto* box = new QCheckBox(bulkText, page);
        box->setObjectName(QStringLiteral("bulk.") + QString::fromLatin1(kTabNames[int(c)]));
        m_tab[int(c)].bulk = box;
        l->addWidget(box);
    }
    connect(g, &BoundGrid::currentRowChanged, this, [this] { updateState(); });
    return page;
}

int TProtForm::record(Circuit c) const {
    return single(c) ? 0 : circuitView(m_dm, c).recNo();
}

TSelProtFrm& TProtForm::choiceDialog() {
    if (!m_dialog)
        m_dialog = m_kind == DeviceKind::Breaker
                       ? static_cast<TSelProtFrm*>(new TSelAVFrm(m_prompter, this))
                       : static_cast<TSelProtFrm*>(new TSelPrFrm(m_prompter, this));
    return *m_dialog;
}

void TProtForm::showVariant() {
    const ProtectionInputs in = readProtectionInputs(m_dm);
    for (const Circuit c : {Circuit::Assembly, Circuit::BatteryDc}) {
        const StoredDevice d = storedDevice(m_dm, m_kind, c, 0);
        m_fields.setText(rowName(c, "company"), d.company);
        m_fields.setText(rowName(c, "type"), d.name);
        m_fields.setText(rowName(c, "holder"), d.holder);
        m_fields.setText(rowName(c, "inom"), numberToText(d.inom));
        m_fields.setText(rowName(c, "unom"), numberToText(d.unom));
    }
    const ProtectionVariant& v = in.variant;
    const auto sp = [&](const char* n, const QString& t) {
        m_fields.setText(rowName(Circuit::Assembly, n), t);
    };
    View& arrays = m_dm.tblProj_Mas();
    sp("tipSp", v.tipSp);
    sp("pnomSp", numberToText(v.pnomSp));
    sp("kolPosled", arrays.isEmpty() ? QString() : arrays[QStringLiteral("KolPosled")].asString());
    sp("imp", numberToText(v.impSp));
    sp("isc", numberToText(v.iscSp));
    sp("uxx", numberToText(assemblyVoltage(in.arrays)));
    sp("wire", v.iscSp ? numberToText(stringCableSection(in.wires, *v.iscSp, in.minimumSection))
                       : QString());
    const auto dc = [&](const char* n, std::optional<double> x) {
        m_fields.setText(rowName(Circuit::BatteryDc, n), numberToText(x));
    };
    dc("uses", v.uses);
    dc("pnom", v.pnom);
    dc("pmax", v.pmax);
    dc("ppik", v.ppik);
    dc("loadInom", v.inom);
    dc("imax", v.imax);
    dc("ipik", v.ipik);
    dc("skab", v.skabAkb);
    updateState();
}

void TProtForm::updateState() {
    const int arrays = m_dm.tblProj_Mas().recordCount();
    const ProtectionVariant& v = readProtectionInputs(m_dm).variant;
    for (int i = 0; i < kCircuitCount; ++i) {
        const Circuit c = Circuit(i);
        Tab& t = m_tab[i];
        View& view = circuitView(m_dm, c);
        bool any = !view.isEmpty();
        if (c == Circuit::BatteryDc)
            any = any && v.hasDcSchedule;
        t.choose->setEnabled(any);
        const bool has = any && !storedDevice(m_dm, m_kind, c, record(c)).company.isEmpty();
        t.remove->setEnabled(has);
        if (t.removeAll)
            t.removeAll->setEnabled(has);
        if (t.bulk)
            t.bulk->setEnabled(bulkAvailable(c, arrays));
    }
}

void TProtForm::load() {
    showVariant();
    for (const Tab& t : m_tab)
        if (t.grid)
            t.grid->fitColumns();
}

void TProtForm::run() {
    load();
    exec();
}

bool TProtForm::prepareChoice(Circuit c) {
    const ProtectionInputs in = readProtectionInputs(m_dm);
    const Requirement r = requirementOf(m_kind, c, in, record(c));
    if (!r.missing.isEmpty()) {
        m_prompter.error(r.missingText());
        return false;
    }
    const auto candidates = candidatesFor(readCandidateDevices(m_dm, m_kind, r), r);
    const int at = presentRow(candidates, storedDevice(m_dm, m_kind, c, record(c)));
    choiceDialog().setInput(r, candidates, at);
    return true;
}

bool TProtForm::applyChoice(Circuit c, const Candidate& device) {
    const Tab& t = m_tab[int(c)];
    const bool bulk = t.bulk && t.bulk->isEnabled() && t.bulk->isChecked();
    try {
        const BulkTargets done = storeDeviceChoice(m_dm, m_kind, c, record(c), device, bulk);
        if (const QString skipped = done.skippedText(m_kind); !skipped.isEmpty())
            m_prompter.information(skipped);
    } catch (const DbError& e) {
        m_prompter.error(e.message() + QStringLiteral("\nВыбор не сохранен."));
        showVariant();
        return false;
    }
    showVariant();
    return true;
}

void TProtForm::choose(Circuit c) {
    if (!prepareChoice(c))
        return;
    if (choiceDialog().run())
        applyChoice(c, *choiceDialog().chosen());
}

bool TProtForm::remove(Circuit c, bool all) {
    try {
        deleteDevices(m_dm, m_kind, c, record(c), all);
    } catch (const DbError& e) {
        m_prompter.error(e.message());
        showVariant();
        return false;
    }
    showVariant();
    return true;
}

void TProtForm::writeReport(ReportWriter& w) const {
    const bool breaker = m_kind == DeviceKind::Breaker;
    w.openReport();
    w.writeTitle((breaker ? QStringLiteral("Выбор автоматических выключателей СЭ.")
                          : QStringLiteral("Выбор предохранителей СЭ.")) +
                 QStringLiteral("\r\r"));
    const auto pairsOf = [this](Circuit c, const std::vector<FormRow>& params) {
        QStringList names;
        for (const char* n : {"company", "type", "holder", "inom", "unom"})
            if (m_fields.field(rowName(c, n)))
                names << rowName(c, n);
        for (const FormRow& r : params)
            names << rowName(c, r.name.toLatin1().constData());
        return m_fields.pairs(names);
    };
    for (int i = 0; i < kCircuitCount; ++i) {
        const Circuit c = Circuit(i);
        w.writeHeading((i ? QStringLiteral("\r") : QString()) + m_tabs->tabText(i).trimmed() +
                       QStringLiteral(".\r"));
        if (c == Circuit::Assembly)
            w.writePairsTable(pairsOf(c, assemblyRows()));
        else if (c == Circuit::BatteryDc)
            w.writePairsTable(pairsOf(c, dcRows()));
        else if (m_tab[i].grid->model()->rowCount() > 0)
            w.writeGridTable(reportTableRows(*m_tab[i].grid->model()));
    }
    w.writeText(QStringLiteral("\r"));
}

void TProtForm::exportReport() {
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

} // namespace ses
