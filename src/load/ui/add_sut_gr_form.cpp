#include "load/ui/add_sut_gr_form.h"

#include "data/data_module.h"
#include "lib/entry.h"
#include "lib/numbers.h"
#include "load/consumer_store.h"
#include "load/ui/create_sg_form.h"
#include "load/ui/s_sut_ep_form.h"
#include "load/ui/s_sut_form.h"
#include "load/ui/schedule_panels.h"
#include "load/ui/step_chart.h"
#include "widgets/dialog_buttons.h"
#include "widgets/number_field.h"
#include "widgets/report_export.h"
#include "widgets/step_buttons.h"
#include "widgets/string_grid.h"
#include "widgets/windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ses {

namespace {

constexpr int kResultsPage = 1;

} // namespace

TAddSutGrF::TAddSutGrF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    setUp(QStringLiteral("TAddSutGrF"));
}

TAddSutGrF::TAddSutGrF(TDataModule1& dm, Prompter& prompter, BookEditor, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter), m_bookEditor(true) {
    setUp(QStringLiteral("TsSutFrm1"));
}

void TAddSutGrF::setUp(const QString& className) {
    const WindowInfo& info = setUpWindow(this, className);

    m_header = new ScheduleHeader(this);
    connect(m_header, &ScheduleHeader::rangeChanged, this, &TAddSutGrF::rangeChanged);

    // Left: the interval table and its commands.
    auto* tableBox = new QGroupBox(QStringLiteral("Таблица суточного графика нагрузки."), this);
    m_grid = new StringGrid(tableBox);
    m_grid->setObjectName(QStringLiteral("intervalGrid"));
    m_grid->setFixedRow(true);
    m_grid->setColCount(3);
    m_grid->setRowCount(2);
    const QStringList titles = {QStringLiteral("   Т1, час."), QStringLiteral("   Т2, час."),
                                QStringLiteral("   P, Вт")};
    for (int c = 0; c < 3; ++c) {
        m_grid->setCell(c, 0, titles[c]);
        m_grid->setColumnKind(c, NumberField::Kind::Decimal);
        m_grid->setColWidth(c, 82);
    }
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                            QAbstractItemView::EditKeyPressed);
    connect(m_grid->model(), &QAbstractItemModel::dataChanged, this, [this] {
        if (!m_filling)
            tableEdited();
    });
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this] { updateButtons(); });

    const struct {
        Command id;
        const char* text;
        const char* hint;
        void (TAddSutGrF::*run)();
    } commands[] = {
        {Add, "Добавить строку", "Добавить строку в таблицу", &TAddSutGrF::addRow},
        {Insert, "Вставить строку", "Вставить строку в таблицу", &TAddSutGrF::insertRow},
        {Delete, "Удалить строку", "Удалить строку таблицы", &TAddSutGrF::deleteRow},
        {Clear, "Очистить", "Очистить таблицу суточного графика", &TAddSutGrF::clearTable},
        {Test, "Тестировать", "Тестировать таблицу суточного графика", nullptr},
        {Build, "Построить", "Построение суточного графика и расчет его параметров", nullptr},
        {Load, "Из справочника...", "Загрузка таблицы суточного графика нагрузки из справочника",
         &TAddSutGrF::loadFromBook},
        {Save, "В справочник...", "Сохранение таблицы суточного графика нагрузки в справочнике",
         &TAddSutGrF::saveToBook},
        {ImportAc, "Из справочника ~U...",
         "Вставка таблицы из справочника суточных графиков с детализацией по электроприемникам "
         "переменного напряжения",
         nullptr},
        {ImportDc, "Из справочника =U...",
         "Вставка таблицы из справочника суточных графиков с детализацией по электроприемникам "
         "постоянного напряжения",
         nullptr},
    };
    auto* commandGrid = new QGridLayout;
    int n = 0;
    for (const auto& c : commands) {
        auto* b = new QPushButton(QString::fromUtf8(c.text), tableBox);
        b->setToolTip(QString::fromUtf8(c.hint));
        m_commands[c.id] = b;
        commandGrid->addWidget(b, n / 2, n % 2);
        ++n;
        if (c.run)
            connect(b, &QPushButton::clicked, this, c.run);
    }
    connect(m_commands[Test], &QPushButton::clicked, this, [this] { testTable(); });
    connect(m_commands[Build], &QPushButton::clicked, this, [this] { build(); });
    connect(m_commands[ImportAc], &QPushButton::clicked, this,
            [this] { importFromConsumerBook(true); });
    connect(m_commands[ImportDc], &QPushButton::clicked, this,
            [this] { importFromConsumerBook(false); });
    for (Command c : {Load, Save, ImportAc, ImportDc})
        m_commands[c]->setVisible(m_bookEditor == (c == ImportAc || c == ImportDc));
    auto* tableLayout = new QVBoxLayout(tableBox);
    tableLayout->addWidget(m_grid, 1);
    tableLayout->addLayout(commandGrid);
    tableBox->setFixedWidth(300);

    // Right: the chart and the computed parameters.
    m_pages = new QTabWidget(this);
    m_chart = new StepChart(m_pages);
    m_pages->addTab(m_chart, QStringLiteral("Суточный график"));

    m_results = makeScheduleResults(m_pages, [this](QWidget* page) {
        m_peak = new NumberField(NumberField::Kind::Decimal, page);
        m_peak->setObjectName(QStringLiteral("Wp_pik"));
        m_peak->setPrompter(&m_prompter);
        m_peak->setAlignment(Qt::AlignRight);
        m_peak->setFixedWidth(90);
        m_peak->setText(QStringLiteral("2500"));
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        row->addWidget(m_peak);
        for (const double step : {1000.0, 100.0, 10.0})
            row->addWidget(new StepButtons(m_peak, step, page));
        row->addStretch(1);
        return row;
    });
    connect(m_peak, &QLineEdit::textChanged, this, [this] { updateButtons(); });
    m_results.peakLabel->setBuddy(m_peak);
    m_pages->addTab(m_results.page, QStringLiteral("Расчетные параметры"));

    auto* middle = new QHBoxLayout;
    middle->addWidget(tableBox);
    middle->addWidget(m_pages, 1);

    QPushButton* exportButton = makeExportButton(this, kScheduleExportHint);
    connect(exportButton, &QPushButton::clicked, this, &TAddSutGrF::exportReport);
    const DialogButtons buttons = makeDialogButtons(this, info, {.commands = {exportButton}});
    m_ok = buttons.ok;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_header);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons.layout);
    resize(1340, 690);
    if (m_bookEditor) {
        // A book schedule has no name, months or peak of its own here: only the table and the
        // three figures the book keeps.
        for (QWidget* w : std::initializer_list<QWidget*>{
                 m_header, m_peak, m_results.peakLabel, m_results.sine.box, m_results.sine.label,
                 m_results.monthly->parentWidget(), exportButton})
            w->hide();
        for (QWidget* w : m_results.page->findChildren<StepButtons*>())
            w->hide();
        resize(1000, 600);
    }
    clearResults();
    updateButtons();
}

void TAddSutGrF::prepareBook() {
    // The figures' windows come from the settings, like the labels.
    m_in = ScheduleInputs{};
    QSqlQuery q =
        m_dm.store().select(QStringLiteral("SELECT SutGr_Pnom_Time, SutGr_Pmax_Time FROM param"));
    if (q.next()) {
        if (!q.value(0).isNull())
            m_in.nomMinutes = q.value(0).toInt();
        if (!q.value(1).isNull())
            m_in.maxMinutes = q.value(1).toInt();
    }
    m_results.nominalLabel->setText(nominalPowerLabel(m_in.nomMinutes));
    m_results.maximumLabel->setText(maximumPowerLabel(m_in.maxMinutes));
    const IntervalTexts rows = bookIntervals(m_dm);
    setIntervals(rows);
    clearResults();
    if (!rows.empty())
        runBuild(false, false);
    m_pages->setCurrentIndex(0);
    m_grid->setCurrentCell(1, 0);
    updateButtons();
    m_grid->setFocus();
}

void TAddSutGrF::importFromConsumerBook(bool ac) {
    TsSutEPF*& chooser = m_consumerBooks[ac ? 0 : 1];
    if (!chooser)
        chooser = ac ? new TsSutEPF(m_dm, m_prompter, true, this)
                     : static_cast<TsSutEPF*>(new TsSutEP12F(m_dm, m_prompter, this));
    const auto records = chooser->choose(std::nullopt);
    if (!records)
        return;
    const ConsumerTables t = bookConsumerTables(ac);
    const BookScheduleBuild b = buildBookSchedule(toConsumers(*records, *findTable(t.consumers)),
                                                  m_in.nomMinutes, m_in.maxMinutes);
    setIntervals(b.intervals);
    tableEdited();
    if (testTable())
        build();
}

bool TAddSutGrF::run(ScheduleDraft& draft, const ScheduleInputs& in,
                     const std::vector<OtherSchedule>& others, bool ac) {
    prepare(draft, in, others, ac);
    if (exec() != QDialog::Accepted)
        return false;
    draft = m_draft;
    return true;
}

void TAddSutGrF::prepare(const ScheduleDraft& draft, const ScheduleInputs& in,
                         const std::vector<OtherSchedule>& others, bool ac) {
    m_in = in;
    m_others = others;
    m_ac = ac;
    m_draft = ScheduleDraft{};
    m_header->setSchedule(draft.name, draft.from, draft.to);
    m_header->setInputs(in);
    m_results.nominalLabel->setText(nominalPowerLabel(in.nomMinutes));
    m_results.maximumLabel->setText(maximumPowerLabel(in.maxMinutes));
    // The peak keeps what was typed last unless the schedule brings its own.
    if (draft.peak)
        m_peak->setValue(draft.peak);
    m_results.sine.box->setChecked(ac && draft.clearSinus);
    m_results.sine.box->setEnabled(ac);
    m_results.sine.label->setEnabled(ac);
    setIntervals(draft.intervals);
    clearResults();
    if (!draft.intervals.empty())
        runBuild(false, false);
    m_pages->setCurrentIndex(0);
    m_grid->setCurrentCell(0, 0);
    updateButtons();
    m_header->nameEdit()->setFocus();
}

void TAddSutGrF::loadForTour(const ScheduleInputs& in) {
    ScheduleDraft d;
    d.name = QStringLiteral("Дачный дом, круглый год");
    d.from = QStringLiteral("январь");
    d.to = QStringLiteral("декабрь");
    d.peak = 2500;
    d.clearSinus = true;
    d.intervals = tourIntervals();
    prepare(d, in, {}, true);
}

IntervalTexts TAddSutGrF::intervals() const {
    IntervalTexts rows;
    for (int r = 1; r < m_grid->rowCount(); ++r)
        rows.push_back({m_grid->cell(0, r), m_grid->cell(1, r), m_grid->cell(2, r)});
    return rows;
}

void TAddSutGrF::setIntervals(const IntervalTexts& rows) {
    m_filling = true;
    m_grid->setRowCount(1 + std::max<int>(1, int(rows.size())));
    m_grid->clearCells();
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < 3; ++c)
            m_grid->setCell(c, r + 1, rows[r][c]);
    m_filling = false;
}

void TAddSutGrF::tableEdited() {
    clearResults();
    updateButtons();
}

void TAddSutGrF::clearResults() {
    m_chart->clear();
    m_results.wpSut->clear();
    m_results.pnom->clear();
    m_results.pmax->clear();
    m_results.monthly->setRows(std::vector<QStringList>{});
    m_params = ScheduleParams{};
}

bool TAddSutGrF::isBuilt() const {
    return !m_results.wpSut->text().isEmpty();
}

void TAddSutGrF::updateButtons() {
    const IntervalTexts rows = intervals();
    const bool singleEmpty =
        rows.size() == 1 && rows[0][0].isEmpty() && rows[0][1].isEmpty() && rows[0][2].isEmpty();
    const bool started = !rows.empty() && !rows[0][0].isEmpty();
    m_commands[Delete]->setEnabled(!singleEmpty);
    for (Command c : {Test, Build, Clear})
        m_commands[c]->setEnabled(started);
    // The book editor's "ОК" tells what is missing itself.
    m_ok->setEnabled(m_bookEditor ||
                     (!m_results.wpSut->text().isEmpty() && !m_peak->text().isEmpty()));
}

void TAddSutGrF::focusCell(int column, int row) {
    m_grid->setCurrentCell(row, column);
    m_grid->setFocus();
}

void TAddSutGrF::addRow() {
    const int row = m_grid->rowCount() - 1;
    m_grid->QTableWidget::insertRow(row);
    tableEdited();
    focusCell(0, row);
}

void TAddSutGrF::insertRow() {
    const int row = std::max(0, m_grid->currentRow());
    m_grid->QTableWidget::insertRow(row);
    tableEdited();
    focusCell(0, row);
}

void TAddSutGrF::deleteRow() {
    const int row = std::max(0, m_grid->currentRow());
    if (m_grid->rowCount() <= 2) {
        m_filling = true;
        for (int c = 0; c < 3; ++c)
            m_grid->setCell(c, 1, QString());
        m_filling = false;
    } else {
        m_grid->removeRow(row);
    }
    tableEdited();
    focusCell(0, std::min(row, m_grid->rowCount() - 2));
}

void TAddSutGrF::clearTable() {
    if (!m_prompter.question(QStringLiteral("Очистить таблицу суточного графика?")))
        return;
    m_filling = true;
    m_grid->clearCells();
    m_filling = false;
    tableEdited();
    focusCell(0, 0);
}

bool TAddSutGrF::testTable() {
    const IntervalTestResult t = testIntervals(intervals());
    if (!t.ok) {
        m_prompter.error(t.message);
        m_chart->clear();
        focusCell(t.column, t.row);
        return false;
    }
    m_prompter.information(QStringLiteral("Ошибки не найдены."));
    m_grid->setFocus();
    return true;
}

bool TAddSutGrF::build() {
    return runBuild(true, true);
}

bool TAddSutGrF::runBuild(bool tellProblems, bool tellErrors) {
    const IntervalTexts rows = intervals();
    const IntervalTestResult t = testIntervals(rows);
    if (!t.ok) {
        m_chart->clear();
        if (tellErrors) {
            m_prompter.error(t.message);
            focusCell(t.column, t.row);
        }
        return false;
    }
    m_chart->draw(rows);
    if (m_bookEditor) {
        m_params = scheduleParameters(parseIntervals(rows), m_in.nomMinutes, m_in.maxMinutes);
        m_results.wpSut->setText(numberToText(m_params.wpSut));
        m_results.pnom->setText(numberToText(m_params.pnom));
        m_results.pmax->setText(numberToText(m_params.pmax));
        updateButtons();
        return true;
    }
    const MonthlyResult res =
        monthlyRows(parseIntervals(rows), m_header->from(), m_header->to(), m_in);
    m_params = res.params;
    m_results.wpSut->setText(numberToText(res.params.wpSut));
    m_results.pnom->setText(numberToText(res.params.pnom));
    m_results.pmax->setText(numberToText(res.params.pmax));
    m_results.monthly->setRows(res.rows);
    updateButtons();
    if (tellProblems && !res.problems.isEmpty())
        m_prompter.information(res.problems.join(u'\n'));
    return true;
}

void TAddSutGrF::rangeChanged() {
    // The figures on screen always belong to the range on screen: a built schedule is rebuilt
    // for the new months (its table has not changed since, or the figures would be empty).
    if (isBuilt())
        runBuild(true, false);
}

void TAddSutGrF::loadFromBook() {
    if (!m_book)
        m_book = new TsSutForm(m_dm, m_prompter, this);
    if (!m_book->run())
        return;
    setIntervals(bookIntervals(m_dm));
    tableEdited();
    build();
}

void TAddSutGrF::saveToBook() {
    const IntervalTexts rows = intervals();
    const IntervalTestResult t = testIntervals(rows);
    if (!t.ok) {
        m_prompter.error(t.message);
        focusCell(t.column, t.row);
        return;
    }
    if (!m_section)
        m_section = new TsRazdGrF(m_prompter, this);
    if (!m_section->run(bookSections(m_dm), m_header->name().trimmed()))
        return;
    // The book keeps the figures of the table saved, built or not.
    const ScheduleParams figures =
        scheduleParameters(parseIntervals(rows), m_in.nomMinutes, m_in.maxMinutes);
    if (ses::saveToBook(m_dm, m_section->section(), m_section->name(), rows, figures))
        m_prompter.information(QStringLiteral("Суточный график \"%1\" сохранен в справочнике, "
                                              "раздел \"%2\".")
                                   .arg(m_section->name(), m_section->section()));
}

ScheduleReport TAddSutGrF::report() {
    ScheduleReport r = scheduleReport(*m_header, m_in,
                                      {m_results.wpSut, m_results.pnom, m_results.pmax, m_peak,
                                       m_results.nominalLabel, m_results.maximumLabel,
                                       m_results.sine.box, m_results.monthly});
    r.withIntervals = true;
    r.intervals = intervals();
    r.chart = m_chart->picture();
    return r;
}

void TAddSutGrF::writeReport(ReportWriter& w) {
    writeScheduleReport(w, report());
}

void TAddSutGrF::exportReport() {
    const ScheduleReport r = report();
    ses::exportReport(m_prompter, [&r](ReportWriter& w) { writeScheduleReport(w, r); });
}

void TAddSutGrF::accept() {
    if (!isBuilt()) {
        m_prompter.error(QStringLiteral("Выполните расчет параметров суточного графика."));
        return;
    }
    if (m_bookEditor) {
        // The figures on screen belong to the table on screen (every edit empties them).
        if (!replaceBookSchedule(m_dm, intervals(), m_params))
            return;
        QDialog::accept();
        return;
    }
    if (m_header->name().trimmed().isEmpty()) {
        m_prompter.error(kNameRequired);
        m_header->nameEdit()->setFocus();
        return;
    }
    const auto toPeak = [this] {
        m_pages->setCurrentIndex(kResultsPage);
        m_peak->setFocus();
        m_peak->selectAll();
    };
    if (const auto e = checkNonZero(m_peak->text(), QStringLiteral("пиковой выходной мощности"))) {
        m_prompter.error(*e);
        toPeak();
        return;
    }
    const double peak = *parseNumber(m_peak->text());
    if (!notAbove(m_params.pnom, peak) || !notAbove(m_params.pmax, peak)) {
        m_prompter.error(QStringLiteral(
            "Значение пиковой выходной мощности не должно быть меньше значений номинальной и "
            "максимальной выходной мощностей (страница \"Расчетные параметры\" двухстраничной "
            "панели)."));
        toPeak();
        return;
    }
    const QString from = m_header->from(), to = m_header->to();
    if (const auto e = monthRangeConflict(from, to, m_others)) {
        m_prompter.error(*e);
        m_header->fromBox()->setFocus();
        return;
    }
    const IntervalTexts rows = intervals();
    const IntervalTestResult t = testIntervals(rows);
    if (!t.ok) {
        m_prompter.error(t.message);
        focusCell(t.column, t.row);
        return;
    }
    // Everything stored is computed here from the table and the range on screen.
    const MonthlyResult res = monthlyRows(parseIntervals(rows), from, to, m_in);
    m_draft = ScheduleDraft{};
    m_draft.name = m_header->name().trimmed();
    m_draft.from = from;
    m_draft.to = to;
    m_draft.wpSut = res.params.wpSut;
    m_draft.pnom = res.params.pnom;
    m_draft.pmax = res.params.pmax;
    m_draft.peak = peak;
    m_draft.clearSinus = m_ac && m_results.sine.box->isChecked();
    m_draft.intervals = rows;
    m_draft.monthly = res.rows;
    QDialog::accept();
}

} // namespace ses
