#include "storage/ui/tabl_akb_form.h"

#include "data/data_module.h"
#include "lib/numbers.h"
#include "lib/prompter.h"
#include "storage/battery_table_ops.h"
#include "storage/ui/battery_drawing.h"
#include "widgets/candidate_model.h"
#include "widgets/dialog_buttons.h"
#include "widgets/drawing_pane.h"
#include "widgets/look.h"
#include "widgets/step_buttons.h"
#include "widgets/string_grid.h"
#include "widgets/wait_cursor.h"
#include "widgets/windows.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ses {

namespace {

const std::vector<FormRow>& sourceRows() {
    static const std::vector<FormRow> rows = {
        {QStringLiteral("uses"), QStringLiteral("Напряжение системы, В:")},
        {QStringLiteral("depth"), QStringLiteral("Глубина разряда АБ, %:")},
        {QStringLiteral("cras"), QStringLiteral("Расчетная емкость АБ, А*ч:")}};
    return rows;
}

const QString kTrackCaption = QStringLiteral("Отслеживать модель аккумулятора");

} // namespace

TAKBFiltF::TAKBFiltF(Prompter& prompter, QWidget* parent)
    : FilterDialog({QStringLiteral("TAKBFiltF"), QStringLiteral("Компании-производители АБ."),
                    QStringLiteral("Типы АБ."), batteryFilterFields()},
                   prompter, parent) {}

TTablAKBF::TTablAKBF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TTablAKBF"));
    m_filter = new TAKBFiltF(prompter, this);
    m_filter->setValueSource([this](int field) { return distinctValues(field); });

    auto* source = new QGroupBox(QStringLiteral(" Исходные данные "), this);
    auto* sl = new QVBoxLayout(source);
    auto* sf = new QFormLayout;
    sf->setVerticalSpacing(2);
    m_fields.add(sf, sourceRows());
    sl->addLayout(sf);
    auto* rec = new QHBoxLayout;
    rec->addWidget(new QLabel(QStringLiteral("Рекомендуемые типы АБ:"), source));
    m_recommended = new QLabel(source);
    m_recommended->setObjectName(QStringLiteral("recommended"));
    m_recommended->setWordWrap(true);
    rec->addWidget(m_recommended, 1);
    sl->addLayout(rec);
    m_match = new QCheckBox(QStringLiteral("Подбор АБ с учетом тока заряда на выходе контроллера"),
                            source);
    m_match->setObjectName(QStringLiteral("matchCharge"));
    m_match->setChecked(true);
    sl->addWidget(m_match);

    const FilterBox filter = newFilterBox(QStringLiteral(" Условия фильтрации АБ "), this);
    m_summary = filter.summary;
    m_summary->setVisibleRows(4);
    m_summary->setMaximumHeight(m_summary->minimumHeight());
    m_filterButton = filter.filter;
    m_off = filter.off;

    m_track = new QCheckBox(kTrackCaption, this);
    m_track->setObjectName(QStringLiteral("track"));
    m_track->setChecked(true);

    auto* noteBox = new QVBoxLayout;
    noteBox->addWidget(new QLabel(QStringLiteral("Примечание."), this));
    QListWidget* note = noteList(batteryTableNotes(), 4, this);
    note->setObjectName(QStringLiteral("note"));
    noteBox->addWidget(note);

    DrawingPane::ScaleRule rule;
    rule.quantity = QStringLiteral("масштаба схемы");
    rule.step = 1;
    rule.fitted = false;
    m_scheme = new DrawingPane(prompter, 70, rule, this);
    m_scheme->setObjectName(QStringLiteral("scheme"));
    m_scheme->scaleSteps()->setToolTip(QStringLiteral("Изменение значения параметра на 1"));
    m_scheme->setRefusalHook([this] { m_scheme->showMessage(QString()); });
    m_scheme->setMinimumSize(460, 200);
    auto* schemeBox = new QVBoxLayout;
    schemeBox->addWidget(new QLabel(QStringLiteral("Схема подключения АБ."), this));
    schemeBox->addWidget(m_scheme, 1);

    // Top: the source figures and the filter at the left, the scheme of the current row at the
    // right; under them the table across the whole width, then its note.
    auto* left = new QVBoxLayout;
    left->addWidget(source);
    left->addWidget(filter.box, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addLayout(schemeBox, 2);

    m_model = new CandidateModel(batteryTableTitles(), this);
    m_model->setColumnTint(kBatteryCapacityColumn, QColor(192, 220, 192));
    for (int c : kBatteryRangeColumns)
        m_model->setColumnTint(c, QColor(166, 202, 240));
    m_table = newCandidateTable(m_model, this);
    m_table->setMinimumHeight(150);

    const DialogButtons buttons = makeDialogButtons(this, info);
    m_ok = buttons.ok;

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(m_track);
    layout->addWidget(new QLabel(QStringLiteral("Таблица АБ."), this));
    layout->addWidget(m_table, 1);
    layout->addLayout(noteBox);
    layout->addLayout(buttons.layout);
    resize(1300, 690);

    connect(m_match, &QCheckBox::clicked, this, [this] { rebuild(); });
    connect(m_filterButton, &QPushButton::clicked, this, [this] { editFilter(); });
    connect(m_off, &QPushButton::clicked, this, [this] { switchFilterOff(); });
    connect(m_track, &QCheckBox::clicked, this, [this](bool on) { setTracking(on); });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!m_building)
            redrawScheme();
    });
    connect(m_table, &QAbstractItemView::doubleClicked, this, [this] {
        if (m_ok->isEnabled())
            accept();
    });
}

void TTablAKBF::prepare(const BatterySource& source, bool matchCharge, const QString& company,
                        const QString& tip, const QString& name) {
    m_source = source;
    m_tracked[0] = company;
    m_tracked[1] = tip;
    m_tracked[2] = name;
    m_track->setText(kTrackCaption + QStringLiteral(" \"") + name + QStringLiteral("\"."));
    m_fields.setText(QStringLiteral("uses"), numberToText(source.variant.uses));
    m_fields.setText(QStringLiteral("depth"), numberToText(source.depth));
    m_fields.setText(QStringLiteral("cras"), numberToText(source.variant.cras));
    m_recommended->setText(source.recommendedTypes);
    m_match->setChecked(matchCharge);
    // Without a capacity requirement only the charge current sizes the battery.
    m_match->setEnabled(!(source.variant.cras && *source.variant.cras == 0));
    rebuild();
}

bool TTablAKBF::run(const BatterySource& source, bool matchCharge, const QString& company,
                    const QString& tip, const QString& name) {
    prepare(source, matchCharge, company, tip, name);
    return exec() == QDialog::Accepted;
}

void TTablAKBF::rebuild() {
    WaitCursor wait;
    try {
        m_all = buildBatteryCandidates(m_dm, m_source, m_match->isChecked());
    } catch (const DbError& e) {
        m_all.clear();
        m_prompter.error(e.message());
    }
    showRows();
}

void TTablAKBF::showRows() {
    m_building = true;
    m_shown.clear();
    for (const BatteryCandidate& c : m_all)
        if (!m_rowFilter || m_rowFilter->admits(c.company, c.tip, batteryFilterValues(c)))
            m_shown.push_back(c);
    m_model->setRows(int(m_shown.size()), [this](int r) { return batteryTableRow(m_shown[r]); });
    const int row =
        trackedBatteryRow(m_shown, m_track->isChecked(), m_tracked[0], m_tracked[1], m_tracked[2]);
    setCurrentRow(row);
    m_building = false;
    m_ok->setEnabled(!m_shown.empty());
    redrawScheme();
}

int TTablAKBF::currentRow() const {
    return currentRowOf(m_table);
}

void TTablAKBF::setCurrentRow(int row) {
    standOnRow(m_table, row);
}

void TTablAKBF::redrawScheme() {
    const int row = currentRow();
    if (row < 0) {
        m_scheme->showMessage(m_all.empty()
                                  ? QStringLiteral("Ни одна модель аккумулятора не подходит "
                                                   "варианту: схема не построена.")
                                  : QStringLiteral("Фильтр не пропускает ни одной модели."));
        return;
    }
    const BatteryCandidate c = m_shown[row];
    if (!(c.model.l > 0) || !(c.model.s > 0)) {
        m_scheme->showMessage(
            QStringLiteral("Размеры аккумулятора не заданы: схема не построена."));
        return;
    }
    const double uses = m_source.variant.uses;
    m_scheme->setDrawing(
        [c, uses](int scale) { return batteryAssemblyDrawing(c.model, c.figures, uses, scale); });
}

void TTablAKBF::editFilter() {
    QStringList makers, types;
    for (const BatteryMaker& m : batteryMakers(m_dm)) {
        makers << m.company;
        for (const BatteryType& t : batteryTypes(m_dm, m.kod))
            if (!types.contains(t.tip))
                types << t.tip;
    }
    if (m_filter->run(makers, types))
        applyFilter();
}

void TTablAKBF::applyFilter() {
    m_rowFilter =
        batteryFilter(m_filter->tickedMakers(), m_filter->tickedTypes(), m_filter->fieldTexts());
    showFilterSummary(m_summary, m_off, m_rowFilter);
    rebuild();
}

void TTablAKBF::switchFilterOff() {
    m_rowFilter.reset();
    showFilterSummary(m_summary, m_off, m_rowFilter);
    rebuild();
}

void TTablAKBF::setTracking(bool on) {
    m_track->setChecked(on);
    if (!on)
        return;
    const int row = trackedBatteryRow(m_shown, true, m_tracked[0], m_tracked[1], m_tracked[2]);
    if (row >= 0 && m_shown[row].model.name == m_tracked[2] && m_shown[row].tip == m_tracked[1] &&
        m_shown[row].company == m_tracked[0])
        setCurrentRow(row);
}

QStringList TTablAKBF::distinctValues(int field) const {
    return distinctFieldTexts(m_all, field,
                              [](const BatteryCandidate& c) { return batteryFilterValues(c); });
}

std::optional<BatteryCandidate> TTablAKBF::chosen() const {
    const int row = currentRow();
    if (row < 0 || row >= int(m_shown.size()))
        return std::nullopt;
    return m_shown[row];
}

bool TTablAKBF::matchCharge() const {
    return m_match->isChecked();
}

} // namespace ses
