#include "storage/ui/akb_form.h"

#include "data/data_module.h"
#include "lib/months.h"
#include "lib/numbers.h"
#include "lib/prompter.h"
#include "reports/report_writer.h"
#include "storage/ui/battery_drawing.h"
#include "storage/ui/cmp_akb_sp_form.h"
#include "storage/ui/tabl_akb_form.h"
#include "widgets/chart_view.h"
#include "widgets/dialog_buttons.h"
#include "widgets/drawing_pane.h"
#include "widgets/look.h"
#include "widgets/report_export.h"
#include "widgets/string_grid.h"
#include "widgets/wait_cursor.h"
#include "widgets/windows.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace ses {

namespace {

QString num(double x) {
    return numberToText(x);
}

QString num(std::optional<double> x) {
    return numberToText(x);
}

// The " АБ " fields after the three lists: the model's, then the assembly's.
const int kModelFieldCount = 8;

} // namespace

TAKBForm::TAKBForm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TAKBForm"));

    // Left: the source data and the battery.
    auto* source = new QGroupBox(QStringLiteral(" Исходные данные "), this);
    auto* sl = new QVBoxLayout(source);
    auto* sf = new QFormLayout;
    sf->setVerticalSpacing(2);
    m_sourceFields.add(sf, sourceRows());
    sl->addLayout(sf);
    sl->addWidget(new QLabel(QStringLiteral("Рекомендуемые типы АБ:"), source));
    m_recommended = new QLabel(source);
    m_recommended->setObjectName(QStringLiteral("recommended"));
    m_recommended->setWordWrap(true);
    sl->addWidget(m_recommended);
    m_match = new QCheckBox(QStringLiteral("Подбор АБ с учетом тока заряда на выходе контроллера"),
                            source);
    m_match->setObjectName(QStringLiteral("matchCharge"));
    m_match->setChecked(true);
    sl->addWidget(m_match);

    auto* battery = new QGroupBox(QStringLiteral(" АБ "), this);
    auto* bl = new QVBoxLayout(battery);
    auto* lists = new QFormLayout;
    auto* bf = new QFormLayout;
    bf->setVerticalSpacing(2);
    bl->addLayout(lists);
    bl->addLayout(bf);
    m_maker = new QComboBox(battery);
    m_maker->setObjectName(QStringLiteral("maker"));
    m_type = new QComboBox(battery);
    m_type->setObjectName(QStringLiteral("type"));
    m_model = new QComboBox(battery);
    m_model->setObjectName(QStringLiteral("model"));
    for (QComboBox* box : {m_maker, m_type, m_model}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(18);
    }
    lists->addRow(QStringLiteral("Компания-производитель:"), m_maker);
    lists->addRow(QStringLiteral("Тип аккумулятора:"), m_type);
    lists->addRow(QStringLiteral("Наименование аккумулятора:"), m_model);
    m_fields.add(bf, batteryRows());

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setWordWrap(true);
    showShortfall(m_message, {});

    auto* left = new QVBoxLayout;
    left->addWidget(source);
    left->addWidget(battery);
    left->addWidget(m_message);
    left->addStretch(1);

    // Right: the discharge and the scheme, the buttons under them.
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(buildDischargeTab(), QStringLiteral("Разряд АБ"));
    m_tabs->addTab(buildSchemeTab(), QStringLiteral("Схема подключения"));

    m_tableButton = new QPushButton(QStringLiteral("Таблица..."), this);
    m_tableButton->setObjectName(QStringLiteral("table"));
    m_tableButton->setToolTip(QStringLiteral("Табличный выбор АБ"));
    connect(m_tableButton, &QPushButton::clicked, this, [this] { openTable(); });
    QPushButton* exportButton = makeExportButton(
        this, QStringLiteral("Экспорт порядка выбора АБ в Microsoft Word (вывод данных разряда АБ "
                             "только для выбранного месяца года)"));
    connect(exportButton, &QPushButton::clicked, this, [this] { exportReport(); });
    const DialogButtons buttons =
        makeDialogButtons(this, info, {.commands = {m_tableButton, exportButton}});
    m_ok = buttons.ok;

    auto* right = new QVBoxLayout;
    right->addWidget(m_tabs, 1);
    right->addLayout(buttons.layout);

    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(right, 1);

    connect(m_maker, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            fillTypes();
    });
    connect(m_type, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            fillModels();
    });
    connect(m_model, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            showModel();
    });
    connect(m_match, &QCheckBox::clicked, this, [this] { showModel(); });
    resize(1336, 690);
}

const std::vector<FormRow>& TAKBForm::sourceRows() {
    static const std::vector<FormRow> rows = {
        {QStringLiteral("uses"), QStringLiteral("Напряжение системы, В:")},
        {QStringLiteral("cras"), QStringLiteral("Расчетная емкость АБ, А*ч:")},
        {QStringLiteral("depth"), QStringLiteral("Глубина разряда АБ, %:")}};
    return rows;
}

const std::vector<FormRow>& TAKBForm::batteryRows() {
    static const std::vector<FormRow> rows = {
        {QStringLiteral("u"), QStringLiteral("Напряжение отдельного аккумулятора, В:")},
        {QStringLiteral("c"), QStringLiteral("Емкость отдельного аккумулятора, А*ч:")},
        {QStringLiteral("izarMin"), QStringLiteral("Минимальный ток заряда аккумулятора, А:")},
        {QStringLiteral("izarMax"), QStringLiteral("Максимальный ток заряда аккумулятора, А:")},
        {QStringLiteral("irazrMax"), QStringLiteral("Максимальный ток разряда аккумулятора, А:")},
        {QStringLiteral("l"), QStringLiteral("Длина отдельного аккумулятора, мм:")},
        {QStringLiteral("s"), QStringLiteral("Ширина отдельного аккумулятора, мм:")},
        {QStringLiteral("h"), QStringLiteral("Высота отдельного аккумулятора, мм:")},
        {QStringLiteral("ns"),
         QStringLiteral("Количество последовательно соединенных аккумуляторов в сборке АБ, шт.:")},
        {QStringLiteral("np"),
         QStringLiteral("Количество параллельных сборок аккумуляторов в АБ, шт.:")},
        {QStringLiteral("kol"), QStringLiteral("Количество аккумуляторов в АБ, шт.:")},
        {QStringLiteral("cf"), QStringLiteral("Ёмкость АБ, А*ч:")},
        {QStringLiteral("izmin"), QStringLiteral("Минимальный ток заряда АБ (по паспорту), А:")},
        {QStringLiteral("izmax"), QStringLiteral("Максимальный ток заряда АБ (по паспорту), А:")},
        {QStringLiteral("irmax"), QStringLiteral("Максимальный ток разряда АБ, А:")},
        {QStringLiteral("imin"),
         QStringLiteral("Минимальный ток заряда АБ (с учетом настроек), А:")},
        {QStringLiteral("imax"),
         QStringLiteral("Максимальный ток заряда АБ (с учетом настроек), А:")},
        {QStringLiteral("charge"),
         QStringLiteral("Общий ток заряда АБ (на выходе контроллеров), А:")}};
    return rows;
}

QWidget* TAKBForm::buildDischargeTab() {
    auto* tab = new QWidget(this);
    auto* l = new QVBoxLayout(tab);

    auto* lists = new QHBoxLayout;
    auto* monthsBox = new QVBoxLayout;
    monthsBox->addWidget(new QLabel(QStringLiteral("Месяцы года:"), tab));
    m_months = new QListWidget(tab);
    m_months->setObjectName(QStringLiteral("months"));
    m_months->setFixedWidth(120);
    m_months->setFixedHeight(110);
    monthsBox->addWidget(m_months);
    lists->addLayout(monthsBox);
    auto* loadsBox = new QVBoxLayout;
    loadsBox->addWidget(new QLabel(QStringLiteral("Нагрузки - суточные графики:"), tab));
    m_loads = new StringGrid(tab);
    m_loads->setObjectName(QStringLiteral("loads"));
    m_loads->setRowList({QStringLiteral(" Нагрузка"), QStringLiteral(" Суточный график")});
    m_loads->horizontalHeader()->setStretchLastSection(true);
    m_loads->setFixedHeight(110);
    loadsBox->addWidget(m_loads);
    lists->addLayout(loadsBox, 1);
    l->addLayout(lists);

    auto* figures = new QFormLayout;
    figures->setVerticalSpacing(2);
    m_dischargeFields.add(
        figures,
        {{QStringLiteral("periods"), QStringLiteral("Периоды разряда АБ, час.:")},
         {QStringLiteral("kt"), QStringLiteral("Температурный коэффициент эксплуатации АБ:")}});
    l->addLayout(figures);
    // The periods are a text of several windows: left-aligned and as wide as they need.
    QLabel* periods = m_dischargeFields.field(QStringLiteral("periods"));
    periods->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    periods->setMinimumWidth(260);
    periods->setMaximumWidth(QWIDGETSIZE_MAX);
    m_dischargeError = new QLabel(tab);
    m_dischargeError->setObjectName(QStringLiteral("dischargeError"));
    m_dischargeError->setWordWrap(true);
    showShortfall(m_dischargeError, {});
    l->addWidget(m_dischargeError);

    auto* tableAndChart = new QHBoxLayout;
    auto* tableBox = new QVBoxLayout;
    tableBox->addWidget(new QLabel(QStringLiteral("Таблица разряда АБ."), tab));
    m_table = new StringGrid(tab);
    m_table->setObjectName(QStringLiteral("dischargeTable"));
    m_table->setRowList(dischargeTitles());
    m_table->setFixedWidth(340);
    tableBox->addWidget(m_table, 1);
    tableAndChart->addLayout(tableBox);

    m_chart = newChartView(tab, QSize(280, 240), false);
    tableAndChart->addWidget(m_chart, 1);
    l->addLayout(tableAndChart, 1);

    QListWidget* note = noteList(dischargeNoteLines(), 4, tab);
    note->setObjectName(QStringLiteral("note"));
    l->addWidget(note);

    auto* controls = new QHBoxLayout;
    m_dischargeAuto = new QCheckBox(QStringLiteral("Автообновление"), tab);
    m_dischargeAuto->setObjectName(QStringLiteral("dischargeAuto"));
    m_dischargeAuto->setChecked(true);
    m_dischargeUpdate = new QPushButton(QStringLiteral("Обновить"), tab);
    m_dischargeUpdate->setObjectName(QStringLiteral("dischargeUpdate"));
    m_dischargeUpdate->setToolTip(
        QStringLiteral("Обновить данные разряда АБ для выбранного месяца года"));
    m_dischargeUpdate->setAutoDefault(false);
    controls->addWidget(m_dischargeAuto);
    controls->addWidget(m_dischargeUpdate);
    controls->addStretch(1);
    l->addLayout(controls);

    connect(m_months, &QListWidget::currentRowChanged, this, [this] {
        if (!m_filling && m_dischargeAuto->isChecked() && m_shown)
            rebuildDischarge();
    });
    connect(m_dischargeAuto, &QCheckBox::clicked, this, [this](bool on) {
        if (on && m_shown)
            rebuildDischarge();
    });
    connect(m_dischargeUpdate, &QPushButton::clicked, this, [this] { rebuildDischarge(); });
    return tab;
}

QWidget* TAKBForm::buildSchemeTab() {
    auto* tab = new QWidget(this);
    auto* l = new QVBoxLayout(tab);
    DrawingPane::ScaleRule rule;
    rule.quantity = QStringLiteral("масштаба схемы");
    rule.step = 1;
    rule.fitted = false;
    m_scheme = new DrawingPane(m_prompter, 70, rule, tab);
    m_scheme->setObjectName(QStringLiteral("scheme"));
    m_scheme->setRefusalHook([this] { m_scheme->showMessage(QString()); });
    m_schemeAuto = new QCheckBox(QStringLiteral("Автообновление"), tab);
    m_schemeAuto->setObjectName(QStringLiteral("schemeAuto"));
    m_schemeAuto->setChecked(true);
    m_schemeUpdate = new QPushButton(QStringLiteral("Обновить"), tab);
    m_schemeUpdate->setObjectName(QStringLiteral("schemeUpdate"));
    m_schemeUpdate->setAutoDefault(false);
    m_scheme->controls()->addWidget(m_schemeAuto);
    m_scheme->controls()->addWidget(m_schemeUpdate);
    m_scheme->controls()->addStretch(1);
    l->addWidget(new QLabel(QStringLiteral("Схема подключения АБ."), tab));
    l->addWidget(m_scheme, 1);
    connect(m_schemeAuto, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            redrawScheme();
        else
            m_scheme->showMessage(QString());
    });
    connect(m_schemeUpdate, &QPushButton::clicked, this, [this] { redrawScheme(); });
    return tab;
}

TCmpAKB_SPFm& TAKBForm::justificationWindow() {
    if (!m_justification)
        m_justification = new TCmpAKB_SPFm(m_prompter, this);
    return *m_justification;
}

bool TAKBForm::run() {
    load();
    return exec() == QDialog::Accepted;
}

void TAKBForm::load() {
    WaitCursor wait;
    m_filling = true;
    m_source = readBatterySource(m_dm);
    m_remembered[0] = m_source.company;
    m_remembered[1] = m_source.tip;
    m_remembered[2] = m_source.name;
    // Without a capacity requirement the battery is sized by the charge current alone.
    const bool noCapacity = m_source.variant.cras && *m_source.variant.cras == 0;
    if (noCapacity)
        m_match->setChecked(true);
    m_match->setEnabled(!noCapacity);

    m_sourceFields.setText(QStringLiteral("uses"), num(m_source.variant.uses));
    m_sourceFields.setText(QStringLiteral("cras"), num(m_source.variant.cras));
    m_sourceFields.setText(QStringLiteral("depth"), num(m_source.depth));
    m_recommended->setText(m_source.recommendedTypes);

    m_months->clear();
    m_monthNumbers.clear();
    clearDischarge();
    const bool byIntervals = m_source.loadMode == 1 || m_source.loadMode == 2;
    if (byIntervals) {
        m_dischargeSource = dischargeSource(m_dm);
        m_monthNumbers = dischargeMonths(m_dischargeSource.schedules);
        for (int m : m_monthNumbers)
            m_months->addItem(monthNames()[m - 1]);
        if (m_months->count() > 0)
            m_months->setCurrentRow(0);
    }
    m_tabs->widget(0)->setEnabled(byIntervals);

    m_makers = batteryMakers(m_dm);
    m_maker->clear();
    int makerRow = 0;
    for (int i = 0; i < int(m_makers.size()); ++i) {
        m_maker->addItem(m_makers[i].company);
        if (m_makers[i].company == m_remembered[0])
            makerRow = i;
    }
    m_maker->setCurrentIndex(m_makers.empty() ? -1 : makerRow);
    m_filling = false;
    fillTypes();
}

void TAKBForm::fillTypes() {
    m_filling = true;
    const int row = m_maker->currentIndex();
    m_types = row >= 0 ? batteryTypes(m_dm, m_makers[row].kod) : std::vector<BatteryType>{};
    m_type->clear();
    int typeRow = 0;
    for (int i = 0; i < int(m_types.size()); ++i) {
        m_type->addItem(m_types[i].tip);
        if (m_types[i].tip == m_remembered[1])
            typeRow = i;
    }
    m_type->setCurrentIndex(m_types.empty() ? -1 : typeRow);
    m_filling = false;
    fillModels();
}

void TAKBForm::fillModels() {
    m_filling = true;
    const int row = m_type->currentIndex();
    m_models = row >= 0
                   ? offeredModels(batteryModels(m_dm, m_types[row].kod), m_source.variant.uses)
                   : std::vector<BatteryModel>{};
    m_model->clear();
    int modelRow = 0;
    for (int i = 0; i < int(m_models.size()); ++i) {
        m_model->addItem(m_models[i].name);
        if (m_models[i].name == m_remembered[2])
            modelRow = i;
    }
    m_model->setCurrentIndex(m_models.empty() ? -1 : modelRow);
    m_filling = false;
    showModel();
}

bool TAKBForm::select(const QString& company, const QString& tip, const QString& name) {
    m_remembered[0] = company;
    m_remembered[1] = tip;
    m_remembered[2] = name;
    const int maker = m_maker->findText(company);
    if (maker < 0)
        return false;
    if (m_maker->currentIndex() != maker)
        m_maker->setCurrentIndex(maker); // fills the types and the models
    else
        fillTypes();
    return m_type->currentText() == tip && m_model->currentText() == name;
}

TTablAKBF& TAKBForm::tableWindow() {
    if (!m_tableWindow)
        m_tableWindow = new TTablAKBF(m_dm, m_prompter, this);
    return *m_tableWindow;
}

void TAKBForm::prepareTable() {
    tableWindow().prepare(m_source, m_match->isChecked(), m_maker->currentText(),
                          m_type->currentText(), m_model->currentText());
}

void TAKBForm::takeTableChoice() {
    const auto row = tableWindow().chosen();
    if (!row)
        return;
    // The check box first, so that the chosen model is assembled once, with it.
    if (m_match->isEnabled())
        m_match->setChecked(tableWindow().matchCharge());
    select(row->company, row->tip, row->model.name); // recomputes the assembly
}

void TAKBForm::openTable() {
    prepareTable();
    if (tableWindow().exec() == QDialog::Accepted)
        takeTableChoice();
}

void TAKBForm::setMatchCharge(bool on) {
    if (!m_match->isEnabled())
        return;
    m_match->setChecked(on);
    showModel();
}

const BatteryModel* TAKBForm::currentModel() const {
    const int row = m_model->currentIndex();
    return row >= 0 && row < int(m_models.size()) ? &m_models[row] : nullptr;
}

void TAKBForm::clearFigures() {
    for (size_t i = kModelFieldCount; i < batteryRows().size(); ++i)
        m_fields.setText(batteryRows()[i].name, QString());
    m_shown = false;
}

void TAKBForm::showModel() {
    const BatteryModel* m = currentModel();
    m_result = {};
    m_fields.clear();
    m_shown = false;
    if (!m) {
        m_result.error = m_type->count() == 0
                             ? QStringLiteral("Выберите производителя с типами аккумуляторов.")
                             : QStringLiteral("Ни один аккумулятор типа \"%1\" не подходит для "
                                              "напряжения системы %2 В.")
                                   .arg(m_type->currentText(), num(m_source.variant.uses));
    } else {
        for (const auto& [name, value] :
             {std::pair{"u", m->u}, std::pair{"c", m->c}, std::pair{"izarMin", m->izarMin},
              std::pair{"izarMax", m->izarMax}, std::pair{"irazrMax", m->irazrMax},
              std::pair{"l", m->l}, std::pair{"s", m->s}, std::pair{"h", m->h}})
            m_fields.setText(QString::fromLatin1(name), num(value));
        QString chargeError;
        const std::optional<double> charge =
            chargeCurrentFor(m_dm, m_source, m_type->currentText(), &chargeError);
        m_result = assemble(*m, m_source.variant, charge, m_match->isChecked());
        if (!chargeError.isEmpty() && m_match->isChecked()) {
            m_result.outcome = AssemblyOutcome::Refused;
            m_result.error = chargeError;
        }
        const AssemblyFigures& f = m_result.figures;
        if (m_result.outcome != AssemblyOutcome::Refused) {
            for (const auto& [name, text] :
                 {std::pair{"ns", num(double(f.ns))}, std::pair{"np", num(double(f.np))},
                  std::pair{"kol", num(double(f.kol))}, std::pair{"cf", num(f.cf)},
                  std::pair{"izmin", num(f.izmin)}, std::pair{"izmax", num(f.izmax)},
                  std::pair{"irmax", num(f.irmax)}, std::pair{"imin", num(f.imin)},
                  std::pair{"imax", num(f.imax)}, std::pair{"charge", num(f.charge)}})
                m_fields.setText(QString::fromLatin1(name), text);
            m_shown = true;
        }
        if (m_result.outcome == AssemblyOutcome::Failed) {
            // The assembly as far as it grew explains the failure; then it is no choice.
            JustificationInput in;
            in.model = m->name;
            in.cras = m_source.variant.cras.value_or(0);
            in.uses = m_source.variant.uses;
            in.figures = f;
            in.variant = m_source.variant;
            in.neverMatches = m_result.neverMatches;
            TCmpAKB_SPFm& w = justificationWindow();
            w.setInput(in, *m, [this, in, model = *m](int scale) {
                return batteryAssemblyDrawing(model, in.figures, in.uses, scale);
            });
            if (justificationRunner)
                justificationRunner(w);
            else
                w.exec();
            clearFigures();
        }
    }
    updateStates();
    if (m_tabs->widget(0)->isEnabled() && m_dischargeAuto->isChecked() && m_shown)
        rebuildDischarge();
    else
        clearDischarge();
    if (m_schemeAuto->isChecked())
        redrawScheme();
    else
        m_scheme->showMessage(QString());
}

void TAKBForm::updateStates() {
    const std::optional<QString> refusal = storeRefusal(m_result, m_source.variant);
    m_ok->setEnabled(!refusal);
    QString line;
    if (m_result.outcome == AssemblyOutcome::Failed)
        line = QStringLiteral("Общий ток заряда АБ %1 А не согласуется с допустимыми токами "
                              "заряда АБ из аккумуляторов \"%2\": см. обоснование; выберите "
                              "другой аккумулятор или сбросьте флажок подбора по току заряда.")
                   .arg(num(m_result.figures.charge), m_model->currentText());
    else if (refusal)
        line = *refusal;
    showShortfall(m_message, line);
    const bool discharge = m_tabs->widget(0)->isEnabled() && m_shown;
    m_dischargeAuto->setEnabled(discharge);
    m_dischargeUpdate->setEnabled(discharge);
    m_schemeAuto->setEnabled(m_shown);
    m_schemeUpdate->setEnabled(m_shown);
}

void TAKBForm::selectMonth(int row) {
    m_months->setCurrentRow(row);
}

void TAKBForm::clearDischarge() {
    m_discharge = {};
    m_loads->setRowCount(2);
    m_loads->clearCells();
    m_table->setRowCount(2);
    m_table->clearCells();
    m_dischargeFields.clear();
    showShortfall(m_dischargeError, {});
    m_chart->chart()->removeAllSeries();
    for (QAbstractAxis* axis : m_chart->chart()->axes())
        m_chart->chart()->removeAxis(axis);
}

void TAKBForm::rebuildDischarge() {
    clearDischarge();
    const int row = m_months->currentRow();
    if (!m_shown || row < 0 || row >= int(m_monthNumbers.size()))
        return;
    DischargeInputs in;
    in.source = m_dischargeSource;
    in.coefficients = temperatureCoefficients(m_dm, m_type->currentText());
    in.month = m_monthNumbers[row];
    in.cf = m_result.figures.cf;
    m_discharge = dischargeTable(in);
    if (m_discharge.error) {
        showShortfall(m_dischargeError, *m_discharge.error);
        return;
    }
    m_loads->setRowCount(std::max<int>(1, int(m_discharge.loads.size())) + 1);
    for (int r = 0; r < int(m_discharge.loads.size()); ++r)
        for (int c = 0; c < 2; ++c)
            m_loads->setCell(c, r + 1, m_discharge.loads[r][c]);
    m_loads->resizeColumnToContents(0);
    m_dischargeFields.setText(QStringLiteral("periods"), m_discharge.periods);
    m_dischargeFields.setText(QStringLiteral("kt"), num(m_discharge.kt));
    m_table->setRowCount(int(m_discharge.rows.size()) + 1);
    for (int r = 0; r < int(m_discharge.rows.size()); ++r)
        for (int c = 0; c < 4; ++c)
            m_table->setCell(c, r + 1, m_discharge.rows[r][c]);
    m_table->resizeColumnsToContents();

    auto* series = new QLineSeries;
    series->setPen(QPen(Qt::blue, 2));
    double top = 0, right = 0;
    for (const DischargePoint& p : m_discharge.points) {
        series->append(p.tp, p.c);
        top = std::max(top, p.c);
        right = std::max(right, p.tp);
    }
    QChart* chart = m_chart->chart();
    chart->addSeries(series);
    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("tр, час."));
    x->setRange(0, std::max(right, 1.0));
    x->setLabelFormat(QStringLiteral("%.0f"));
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("C, А*ч"));
    y->setRange(0, std::max(top, 1.0));
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}

bool TAKBForm::schemeDrawable() const {
    const BatteryModel* m = currentModel();
    return m_shown && m && m->l > 0 && m->s > 0 && m_result.figures.ns >= 1 &&
           m_result.figures.np >= 1;
}

Drawing TAKBForm::assemblyDrawing(int scale) const {
    return batteryAssemblyDrawing(*currentModel(), m_result.figures, m_source.variant.uses, scale);
}

void TAKBForm::redrawScheme() {
    if (!schemeDrawable()) {
        m_scheme->showMessage(m_shown ? QStringLiteral("Размеры аккумулятора не заданы: схема не "
                                                       "построена.")
                                      : QString());
        return;
    }
    m_scheme->setDrawing([this](int scale) { return assemblyDrawing(scale); });
}

QString TAKBForm::fieldText(const QString& name) const {
    if (const QLabel* f = m_fields.field(name))
        return f->text();
    return m_sourceFields.text(name);
}

bool TAKBForm::ok() {
    if (const auto refusal = storeRefusal(m_result, m_source.variant)) {
        m_prompter.error(*refusal);
        return false;
    }
    QDialog::accept();
    return true;
}

void TAKBForm::accept() {
    ok();
}

BatteryChoice TAKBForm::choice() const {
    BatteryChoice c;
    c.company = m_maker->currentText();
    c.tip = m_type->currentText();
    if (const BatteryModel* m = currentModel())
        c.model = *m;
    c.figures = m_result.figures;
    return c;
}

void TAKBForm::writeReport(ReportWriter& w) const {
    w.openReport();
    w.writeTitle(QStringLiteral("Выбор аккумуляторной батареи.\r\r"));
    w.writeHeading(QStringLiteral("Исходные данные.\r"));
    std::vector<std::pair<QString, QString>> source;
    for (const FormRow& r : sourceRows())
        source.push_back(m_sourceFields.pair(r.name));
    source.push_back({QStringLiteral("Рекомендуемые типы АБ"), m_recommended->text()});
    source.push_back({reportLabel(m_match->text()),
                      m_match->isChecked() ? QStringLiteral("Да") : QStringLiteral("Нет")});
    w.writePairsTable(source);
    w.writeHeading(QStringLiteral("\rАБ.\r"));
    std::vector<std::pair<QString, QString>> battery = {
        {QStringLiteral("Компания-производитель"), m_maker->currentText()},
        {QStringLiteral("Тип аккумулятора"), m_type->currentText()},
        {QStringLiteral("Наименование аккумулятора"), m_model->currentText()}};
    for (const FormRow& r : batteryRows())
        battery.push_back(m_fields.pair(r.name));
    w.writePairsTable(battery);
    if (!m_message->text().isEmpty() && m_message->isVisible())
        w.writeText(m_message->text() + QStringLiteral("\r"));
    if (m_tabs->widget(0)->isEnabled() && !m_discharge.rows.empty()) {
        w.writeHeading(QStringLiteral("\rРазряд АБ (%1).\r").arg(m_months->currentItem()->text()));
        w.writePairsTable({m_dischargeFields.pair(QStringLiteral("periods")),
                           m_dischargeFields.pair(QStringLiteral("kt"))});
        w.writeHeading(QStringLiteral("\rТаблица разряда АБ.\r"));
        std::vector<QStringList> rows{dischargeTitles()};
        rows.insert(rows.end(), m_discharge.rows.begin(), m_discharge.rows.end());
        w.writeGridTable(rows);
        w.insertPicture(m_chart->grab().toImage());
        w.writeText(dischargeNoteLines().join(QLatin1Char('\r')) + QStringLiteral("\r"));
    }
    if (schemeDrawable()) {
        w.writeHeading(QStringLiteral("\rСхема подключения АБ.\r"));
        w.insertPicture(ses::render(assemblyDrawing(m_scheme->scale())));
    }
}

void TAKBForm::exportReport() {
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

} // namespace ses
