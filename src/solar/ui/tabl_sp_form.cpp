#include "solar/ui/tabl_sp_form.h"

#include "data/data_module.h"
#include "lib/numbers.h"
#include "lib/prompter.h"
#include "reports/array_scheme.h"
#include "solar/solar_choice_ops.h"
#include "widgets/candidate_model.h"
#include "widgets/dialog_buttons.h"
#include "widgets/drawing_pane.h"
#include "widgets/look.h"
#include "widgets/number_field.h"
#include "widgets/step_buttons.h"
#include "widgets/string_grid.h"
#include "widgets/wait_cursor.h"
#include "widgets/windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace ses {

namespace {

const std::vector<FormRow>& sourceRows() {
    static const std::vector<FormRow> rows = {
        {QStringLiteral("Pras"), QStringLiteral("Расчетная мощность солнечной батареи, Вт:")},
        {QStringLiteral("B"), QStringLiteral("Оптимальный угол наклона солнечных панелей, град.:")},
        {QStringLiteral("forecastMin"),
         QStringLiteral("Прогнозируемый требуемый минимальный ток заряда АБ, А:")},
        {QStringLiteral("windowMin"),
         QStringLiteral("Минимальный ток заряда имеющейся АБ (с учетом настроек), А:")},
        {QStringLiteral("windowMax"),
         QStringLiteral("Максимальный ток заряда имеющейся АБ (с учетом настроек), А:")}};
    return rows;
}

const QString kTrackCaption = QStringLiteral("Отслеживать тип СП");

// A number field with its step buttons, one pair per step, in a row.
QHBoxLayout* steppedField(NumberField* field, std::initializer_list<double> steps,
                          std::vector<StepButtons*>& out, QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    row->addWidget(field);
    for (double step : steps) {
        auto* b = new StepButtons(field, step, parent);
        b->setDownRule(StepButtons::Mode::Free);
        row->addWidget(b);
        out.push_back(b);
    }
    row->addStretch(1);
    return row;
}

} // namespace

TSPFiltF::TSPFiltF(Prompter& prompter, QWidget* parent)
    : FilterDialog({QStringLiteral("TSPFiltF"),
                    QStringLiteral("Компании-производители СП."),
                    {},
                    panelFilterFields()},
                   prompter, parent) {}

TTablSPFm::TTablSPFm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TTablSPFm"));
    m_filter = new TSPFiltF(prompter, this);
    m_filter->setValueSource([this](int field) { return distinctValues(field); });

    // The source figures.
    auto* source = new QGroupBox(QStringLiteral(" Исходные данные "), this);
    auto* sf = new QFormLayout(source);
    sf->setVerticalSpacing(2);
    m_fields.add(sf, sourceRows());

    // The criteria of the arrays.
    auto* criteria = new QGroupBox(QStringLiteral(" Критерии формирования массивов "), this);
    auto* cf = new QFormLayout(criteria);
    cf->setVerticalSpacing(2);
    std::vector<StepButtons*> steppers;
    m_orientation = new NumberField(criteria);
    m_orientation->setObjectName(QStringLiteral("orientation"));
    m_orientation->setPrompter(&prompter);
    m_orientation->setFixedWidth(numberFieldWidth(m_orientation));
    m_tilt = new NumberField(criteria);
    m_tilt->setObjectName(QStringLiteral("tilt"));
    m_tilt->setPrompter(&prompter);
    m_tilt->setFixedWidth(numberFieldWidth(m_tilt));
    cf->addRow(QStringLiteral("Угол ориентации солнечных панелей массивов, град.:"),
               steppedField(m_orientation, {10, 1, 0.1}, steppers, criteria));
    cf->addRow(QStringLiteral("Угол наклона солнечных панелей массивов, град.:"),
               steppedField(m_tilt, {10, 1, 0.1}, steppers, criteria));
    m_pkLabel = new QLabel(QStringLiteral("Расчетная мощность солнечной батареи, Вт:"), criteria);
    m_pk = new QLabel(criteria);
    m_pk->setObjectName(QStringLiteral("requirement"));
    m_pk->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pk->setFrameShape(QFrame::StyledPanel);
    m_pk->setFixedWidth(numberFieldWidth(m_pk));
    cf->addRow(m_pkLabel, m_pk);
    m_name = new QLineEdit(QStringLiteral("Массив"), criteria);
    m_name->setObjectName(QStringLiteral("baseName"));
    cf->addRow(QStringLiteral("Наименование массивов солнечных панелей:"), m_name);
    m_power = new QComboBox(criteria);
    m_power->setObjectName(QStringLiteral("arrayPower"));
    m_power->setEditable(true);
    auto* powerEdit = new NumberField(m_power);
    powerEdit->setPrompter(&prompter);
    m_power->setLineEdit(powerEdit);
    m_power->setInsertPolicy(QComboBox::NoInsert);
    m_power->setFixedWidth(numberFieldWidth(m_power) + 24);
    auto* powerRow = new QHBoxLayout;
    powerRow->setSpacing(2);
    powerRow->addWidget(m_power);
    for (double step : {100.0, 10.0, 1.0}) {
        auto* b = new StepButtons(powerEdit, step, criteria);
        powerRow->addWidget(b);
        steppers.push_back(b);
    }
    powerRow->addStretch(1);
    cf->addRow(QStringLiteral("Мощность СП одиночного массива не более, Вт:"), powerRow);
    m_match = new QCheckBox(
        QStringLiteral("Подбор СБ с учетом тока заряда АБ на выходе контроллера"), criteria);
    m_match->setObjectName(QStringLiteral("matchCharge"));
    m_match->setChecked(true);
    cf->addRow(m_match);

    auto* top = new QHBoxLayout;
    top->addWidget(source);
    top->addWidget(criteria, 1);

    // The table and its note.
    m_model = new CandidateModel(panelTableTitles(), this);
    m_table = newCandidateTable(m_model, this);
    m_table->setMinimumHeight(110);
    QListWidget* note = noteList(panelTableNotes(), 2, this);
    note->setObjectName(QStringLiteral("note"));

    // The filter and the schemes.
    const FilterBox filter = newFilterBox(QStringLiteral(" Условия фильтрации СБ "), this);
    m_summary = filter.summary;
    m_off = filter.off;

    auto* schemes = new QVBoxLayout;
    schemes->addWidget(new QLabel(QStringLiteral("Схемы массивов."), this));
    DrawingPane::ScaleRule rule;
    rule.quantity = QStringLiteral("масштаба схемы");
    rule.step = 1;
    rule.fitted = false;
    m_scheme = new DrawingPane(prompter, 40, rule, this);
    m_scheme->setObjectName(QStringLiteral("scheme"));
    m_scheme->setRefusalHook([this] { m_scheme->showMessage(QString()); });
    m_oneArray = new QCheckBox(QStringLiteral("Отображать схему одним массивом"), this);
    m_oneArray->setObjectName(QStringLiteral("oneArray"));
    m_scheme->controls()->addWidget(m_oneArray);
    m_scheme->controls()->addStretch(1);
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("schemeCaption"));
    schemes->addWidget(m_caption);
    schemes->addWidget(m_scheme, 1);
    m_scheme->setMinimumHeight(250);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(filter.box, 2);
    bottom->addLayout(schemes, 3);

    m_track = new QCheckBox(kTrackCaption, this);
    m_track->setObjectName(QStringLiteral("track"));
    m_track->setChecked(true);
    m_auto = new QCheckBox(QStringLiteral("Автообновление таблицы"), this);
    m_auto->setObjectName(QStringLiteral("autoRefresh"));
    m_auto->setChecked(true);
    auto* update = new QPushButton(QStringLiteral("Обновить"), this);
    update->setObjectName(QStringLiteral("refresh"));
    update->setAutoDefault(false);
    const DialogButtons buttons = makeDialogButtons(this, info, {.commands = {update}});
    m_ok = buttons.ok;
    buttons.layout->insertWidget(0, m_track);
    buttons.layout->insertWidget(1, m_auto);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(new QLabel(QStringLiteral("Таблица выбора СБ."), this));
    layout->addWidget(m_table, 2);
    layout->addWidget(new QLabel(QStringLiteral("Примечание."), this));
    layout->addWidget(note);
    layout->addLayout(bottom, 3);
    layout->addLayout(buttons.layout);
    resize(1330, 690);

    // A value is committed by a step button, a choice in the list or a pause in typing; only then
    // is the requirement recomputed and, with "Автообновление таблицы", the table refreshed.
    m_typing = new QTimer(this);
    m_typing->setSingleShot(true);
    m_typing->setInterval(700);
    connect(m_typing, &QTimer::timeout, this, [this] { committed(); });
    for (QLineEdit* edit : {static_cast<QLineEdit*>(m_orientation), static_cast<QLineEdit*>(m_tilt),
                            m_power->lineEdit()})
        connect(edit, &QLineEdit::textEdited, this, [this] { m_typing->start(); });
    for (StepButtons* b : steppers)
        connect(b, &StepButtons::stepped, this, [this] { committed(); });
    connect(m_power, &QComboBox::activated, this, [this] { committed(); });
    connect(m_match, &QCheckBox::clicked, this, [this] {
        if (m_auto->isChecked())
            refresh();
    });
    connect(update, &QPushButton::clicked, this, [this] { refresh(); });
    connect(filter.filter, &QPushButton::clicked, this, [this] { editFilter(); });
    connect(m_off, &QPushButton::clicked, this, [this] { switchFilterOff(); });
    connect(m_track, &QCheckBox::clicked, this, [this](bool on) { setTracking(on); });
    connect(m_oneArray, &QCheckBox::toggled, this, [this] { redrawScheme(); });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!m_building)
            redrawScheme();
    });
    connect(m_table, &QAbstractItemView::doubleClicked, this, [this] {
        if (m_ok->isEnabled())
            accept();
    });
}

void TTablSPFm::prepare(const PanelTableHandOver& in) {
    m_preparing = true;
    m_in = in;
    m_source = readPanelTableSource(m_dm);
    const VariantChoice& v = m_source.variant;
    m_fields.setText(QStringLiteral("Pras"), numberToText(v.prasSp));
    m_fields.setText(QStringLiteral("B"), numberToText(v.b));
    m_fields.setText(QStringLiteral("forecastMin"), in.forecastMinimum);
    m_fields.setText(QStringLiteral("windowMin"), in.batteryMinimum);
    m_fields.setText(QStringLiteral("windowMax"), in.batteryMaximum);
    m_track->setText(kTrackCaption + QStringLiteral(" \"") + in.tip + QStringLiteral("\"."));
    m_match->setChecked(in.matchCharge);
    m_orientation->setValue(in.orientation);
    m_tilt->setValue(in.tilt);
    m_power->clear();
    for (double p : m_source.arrayPowers)
        m_power->addItem(numberToText(p));
    const auto pm = initialArrayPower(in.fixedPower, v.system.uses, m_source.arrayPowers);
    m_power->setEditText(pm ? numberToText(*pm) : QString());
    m_preparing = false;
    computeRequirement();
    refresh();
}

bool TTablSPFm::run(const PanelTableHandOver& in) {
    prepare(in);
    return exec() == QDialog::Accepted;
}

void TTablSPFm::computeRequirement() {
    const auto orientation = m_orientation->value();
    const auto tilt = m_tilt->value();
    if (!orientation || !tilt)
        return;
    m_requirement = orientedRequirement(m_source.schedules, m_source.region, m_source.sizing,
                                        m_source.loss, *orientation, *tilt);
    m_pkLabel->setText(orientedRequirementLabel(m_requirement));
    m_pk->setText(m_requirement.error ? QString() : numberToText(m_requirement.power));
}

void TTablSPFm::committed() {
    if (m_preparing)
        return;
    computeRequirement();
    if (m_auto->isChecked() && isVisible())
        refresh();
}

std::optional<int> TTablSPFm::arrayPower() const {
    const auto pm = parseNumber(m_power->currentText());
    if (!pm || !(*pm > 0) || *pm > 1e9)
        return std::nullopt;
    // The split counts whole watts: a typed fraction is cut off.
    const int whole = int(std::trunc(*pm));
    return whole > 0 ? std::optional<int>(whole) : std::nullopt;
}

void TTablSPFm::refresh() {
    const auto pm = arrayPower();
    if (!pm || !m_orientation->value() || !m_tilt->value())
        return;
    WaitCursor wait;
    PanelTableInput in;
    in.system = m_source.variant.system;
    in.requiredPower = m_requirement.error ? 0 : m_requirement.power;
    in.arrayPower = *pm;
    in.charge = panelChargeRange(m_source.variant, m_match->isChecked());
    m_all = panelCandidates(panelCatalogInUse(m_dm), in);
    try {
        writePanelCandidates(m_dm, m_all);
    } catch (const DbError& e) {
        m_all.clear();
        m_prompter.error(e.message());
    }
    showRows();
    const VariantChoice& v = m_source.variant;
    if (m_shown.empty() && in.requiredPower > 0 && v.sizarMin && v.sizarMax)
        m_prompter.information(
            QStringLiteral("Создать схему солнечной батареи для АБ \"") + v.nameAkb +
            QStringLiteral("\" (допустимый зарядный ток АБ - ") + m_in.batteryMinimum +
            QStringLiteral(" .. ") + m_in.batteryMaximum +
            QStringLiteral(" A), невозможно. Рекомендуется выбрать АБ большей емкости "
                           "(увеличить число сборок аккумуляторов в АБ)."));
}

void TTablSPFm::showRows() {
    m_building = true;
    m_shown.clear();
    for (const PanelCandidate& c : m_all)
        if (!m_rowFilter || m_rowFilter->admits(c.row.company, c.row.tip, panelFilterValues(c)))
            m_shown.push_back(c);
    m_model->setRows(int(m_shown.size()), [this](int r) { return panelTableRow(m_shown[r]); });
    int row = m_shown.empty() ? -1 : 0;
    if (m_track->isChecked()) {
        const int tracked = trackedPanelRow(m_shown, m_in.company, m_in.tip);
        if (tracked >= 0)
            row = tracked;
    }
    setCurrentRow(row);
    m_building = false;
    redrawScheme();
}

int TTablSPFm::currentRow() const {
    return currentRowOf(m_table);
}

void TTablSPFm::setCurrentRow(int row) {
    standOnRow(m_table, row);
}

void TTablSPFm::redrawScheme() {
    const int row = currentRow();
    m_ok->setEnabled(false);
    m_caption->clear();
    if (row < 0) {
        QString why;
        if (m_requirement.error)
            why = *m_requirement.error;
        else if (!(m_requirement.power > 0))
            why = QStringLiteral("Расчетная мощность солнечной батареи равна 0 (нет нагрузок или "
                                 "данных региона): солнечная батарея не требуется.");
        else if (!m_all.empty())
            why = QStringLiteral("Фильтр не пропускает ни одной солнечной батареи.");
        else
            why = QStringLiteral("Ни одна солнечная панель не подходит варианту.");
        m_scheme->showMessage(why);
        return;
    }
    const PanelCandidate c = m_shown[row];
    const ArrayDrawingPlan plan = arrayDrawingPlan(c, m_oneArray->isChecked());
    m_caption->setText(plan.caption);
    const SystemSettings& s = m_source.variant.system;
    const QString voltage = numberToText(s.mppt ? s.umppt : s.uses);
    m_scheme->setDrawing([c, plan, voltage](int scale) {
        const auto input = [&](int strings, int panels, double power) {
            ArraySchemeInput in;
            in.panelType = c.row.tip;
            in.strings = strings;
            in.panelsPerString = c.ns;
            in.panelCount = panels;
            in.arrayPower = numberToText(power);
            in.arrayVoltage = voltage;
            in.panelPower = numberToText(c.row.panel.power);
            in.panelVoltage = numberToText(c.row.panel.unom);
            in.panelWidthMm = c.row.panel.width;
            in.panelHeightMm = c.row.panel.height;
            in.scale = scale;
            return in;
        };
        const TextMeasure measure = cachedTextMeasure(fontTextMeasure());
        Drawing d;
        QSize size;
        // The full array and the remainder under it, both from the left edge.
        const auto add = [&](const ArraySchemeInput& in) {
            const ArraySchemePlacement p =
                appendArrayScheme(d, QPointF(0, size.height()), in, measure);
            size = QSize(std::max(size.width(), p.size.width()), size.height() + p.size.height());
        };
        if (plan.whole)
            add(input(c.np, c.n, c.ptot));
        if (plan.full)
            add(input(c.split.strings, c.split.panels, c.split.power));
        if (plan.rest)
            add(input(c.split.restStrings, c.split.restPanels, c.split.restPower));
        d.size = size;
        return d;
    });
    m_ok->setEnabled(true);
}

void TTablSPFm::editFilter() {
    QStringList makers;
    for (const PanelCompany& m : panelCompanies(m_dm))
        makers << m.company;
    if (m_filter->run(makers))
        applyFilter();
}

void TTablSPFm::applyFilter() {
    m_rowFilter = panelFilter(m_filter->tickedMakers(), m_filter->fieldTexts());
    showFilterSummary(m_summary, m_off, m_rowFilter);
    refresh();
}

void TTablSPFm::switchFilterOff() {
    m_rowFilter.reset();
    showFilterSummary(m_summary, m_off, m_rowFilter);
    refresh();
}

void TTablSPFm::setTracking(bool on) {
    m_track->setChecked(on);
    if (!on)
        return;
    const int row = trackedPanelRow(m_shown, m_in.company, m_in.tip);
    if (row >= 0)
        setCurrentRow(row);
}

QStringList TTablSPFm::distinctValues(int field) const {
    return distinctFieldTexts(m_all, field,
                              [](const PanelCandidate& c) { return panelFilterValues(c); });
}

std::optional<PanelCandidate> TTablSPFm::chosen() const {
    const int row = currentRow();
    if (row < 0 || row >= int(m_shown.size()))
        return std::nullopt;
    return m_shown[row];
}

PanelHandBack TTablSPFm::handBack() const {
    PanelHandBack h;
    h.orientation = m_orientation->value().value_or(180);
    h.tilt = m_tilt->value().value_or(0);
    h.requiredPower = m_requirement.error ? 0 : m_requirement.power;
    h.prasSp = m_source.variant.prasSp.value_or(0);
    h.b = int(std::lround(m_source.variant.b));
    h.baseName = m_name->text().trimmed().isEmpty() ? QStringLiteral("Массив") : m_name->text();
    h.arrayPower = arrayPower().value_or(0);
    return h;
}

bool TTablSPFm::matchCharge() const {
    return m_match->isChecked();
}

} // namespace ses
