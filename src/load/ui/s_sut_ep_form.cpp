#include "load/ui/s_sut_ep_form.h"

#include "load/ui/consumer_commands.h"

#include "data/book_figures.h"
#include "data/data_module.h"
#include "lib/months.h"
#include "lib/numbers.h"
#include "load/load_totals.h"
#include "load/ui/create_sg_form.h"
#include "load/ui/ep_chooser.h"
#include "load/ui/period_form.h"
#include "load/ui/step_chart.h"
#include "load/ui/sut_gr_dop_form.h"
#include "widgets/bound_grid.h"
#include "widgets/catalog_csv_buttons.h"
#include "widgets/choice_column.h"
#include "widgets/dialog_buttons.h"
#include "widgets/navigator.h"
#include "widgets/record_bar.h"
#include "widgets/string_grid.h"
#include "widgets/windows.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>

namespace ses {

namespace {

const QString kUnom = QStringLiteral("Unom");
const QString kNoSchedule = QStringLiteral("Перед выполнением операции добавьте хотя бы одну "
                                           "запись в таблицу \"Суточные графики раздела\".");
const QString kScheduleEdited = QStringLiteral(
    "Перед выполнением операции завершите работу с таблицей \"Суточные графики раздела\", "
    "сохранив или отменив в ней изменения (кнопка \"V\" или кнопка \"Х\" навигатора).");

QGroupBox* framed(const QString& caption, QWidget* content, QWidget* parent,
                  QWidget* above = nullptr) {
    auto* box = new QGroupBox(caption, parent);
    auto* layout = new QVBoxLayout(box);
    if (above)
        layout->addWidget(above);
    layout->addWidget(content);
    return box;
}

// The windows of the nominal and maximum powers from the settings, as the book's build uses them.
std::pair<int, int> loadWindows(TDataModule1& dm) {
    int nom = 30, max = 10;
    QSqlQuery q =
        dm.store().select(QStringLiteral("SELECT SutGr_Pnom_Time, SutGr_Pmax_Time FROM param"));
    if (q.next()) {
        if (!q.value(0).isNull())
            nom = q.value(0).toInt();
        if (!q.value(1).isNull())
            max = q.value(1).toInt();
    }
    return {nom, max};
}

} // namespace

TsSutEPF::TsSutEPF(TDataModule1& dm, Prompter& prompter, bool ac, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter), m_ac(ac) {
    const WindowInfo& info =
        setUpWindow(this, ac ? QStringLiteral("TsSutEPF") : QStringLiteral("TsSutEP12F"));

    // Sections and schedules; the figures are the build's, never typed.
    m_sectionGrid = new BoundGrid(
        sections(), {{QStringLiteral("Razdel"), QStringLiteral("Раздел"), false}}, this);
    std::vector<GridColumn> scheduleColumns = {
        {QStringLiteral("Name"), QStringLiteral("Наименование"), false}};
    if (!ac)
        scheduleColumns.push_back({kUnom, QStringLiteral("Uном., В"), false});
    scheduleColumns.insert(scheduleColumns.end(),
                           {{QStringLiteral("Wp_sut"), QStringLiteral("Wp.сут., Вт*ч")},
                            {QStringLiteral("Pnom30min"), QStringLiteral("Рном., Вт")},
                            {QStringLiteral("Pmax10min"), QStringLiteral("Pмакс., Вт")},
                            {QStringLiteral("Ppik"), QStringLiteral("Pпик., Вт")}});
    if (ac)
        scheduleColumns.push_back({QStringLiteral("ClearSinus"), QStringLiteral("Чистый синус")});
    m_scheduleGrid = new BoundGrid(schedules(), scheduleColumns, this);
    m_scheduleGrid->setObjectName(QStringLiteral("scheduleGrid"));
    if (!ac)
        makeOpenListColumn(m_scheduleGrid, 1,
                           {QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("36"),
                            QStringLiteral("48"), QStringLiteral("60"), QStringLiteral("96")});
    for (BoundGrid* g : {m_sectionGrid, m_scheduleGrid}) {
        g->setPrompter(&m_prompter);
        g->fitColumns();
        g->horizontalHeader()->setStretchLastSection(true);
    }
    m_sectionGrid->setMinimumWidth(240);
    m_scheduleGrid->setColumnWidth(0, 280);
    const Navigator::Buttons moves =
        Navigator::First | Navigator::Prior | Navigator::Next | Navigator::Last;
    m_sectionBar = recordBar(m_sectionGrid, m_prompter, this, moves | kRecordButtons);
    m_scheduleBar = recordBar(m_scheduleGrid, m_prompter, this, moves | kRecordButtons);
    connect(m_sectionGrid, &BoundGrid::currentRowChanged, this, [this] { applyFilter(); });
    connect(m_scheduleGrid, &QAbstractItemView::doubleClicked, this, [this] {
        if (!m_browsing)
            accept();
    });

    m_pages = new QTabWidget(this);

    // Page "Электроприемники": the commands, the consumers and the periods of the current one.
    auto* consumerPage = new QWidget(m_pages);
    const struct {
        Command id;
        const char* text;
        const char* hint;
        void (TsSutEPF::*run)();
    } commands[] = {
        {Add, "Добавить...", "Добавить электроприемник в таблицу", &TsSutEPF::addConsumer},
        {Replace, "Заменить...", "Заменить электроприемник в таблице", &TsSutEPF::replaceConsumer},
        {Delete, "Удалить", "Удалить электроприемник из таблицы", &TsSutEPF::deleteConsumer},
        {Periods, "Время работы...", "Периоды времени работы электроприемника",
         &TsSutEPF::editPeriods},
        {Test, "Тестировать", "Тестировать временные промежутки работы электроприемников", nullptr},
        {Copy, "Копировать", "Копирование электроприемников и времени их работы",
         &TsSutEPF::copyConsumers},
        {Paste, "Вставить", "Вставка электроприемников и времени их работы",
         &TsSutEPF::pasteConsumers},
        {Build, "Сформировать", "Формирование суточного графика и расчет его параметров", nullptr},
        {Info, "Информация...", "Просмотр дополнительной информации о суточном графике", nullptr},
    };
    m_toolbar = new QWidget(consumerPage);
    auto* toolbar = new QHBoxLayout(m_toolbar);
    toolbar->setContentsMargins(0, 0, 0, 0);
    toolbar->setSpacing(4);
    for (const auto& c : commands) {
        auto* b = new QPushButton(QString::fromUtf8(c.text), m_toolbar);
        b->setToolTip(QString::fromUtf8(c.hint));
        b->setAutoDefault(false);
        m_commands[c.id] = b;
        if (c.run)
            connect(b, &QPushButton::clicked, this, c.run);
        toolbar->addWidget(b);
        if (c.id == Periods || c.id == Paste)
            toolbar->addSpacing(12);
    }
    toolbar->addStretch(1);
    connect(m_commands[Test], &QPushButton::clicked, this, [this] { testPeriods(); });
    connect(m_commands[Build], &QPushButton::clicked, this, [this] { build(); });
    connect(m_commands[Info], &QPushButton::clicked, this, [this] { showInfo(); });

    QGroupBox* periodBox = fillConsumerLists(consumers(), periods(), ac, m_prompter, consumerPage,
                                             m_consumerGrid, m_periodGrid, m_periodBar);

    m_askDelete =
        new QCheckBox(QStringLiteral("Запрос перед удалением электроприемника"), consumerPage);
    m_askDelete->setChecked(true);
    // The book's lists change only under a saved schedule; the DC book offers the consumers of
    // the schedule's voltage.
    m_lists = std::make_unique<ConsumerCommands>(
        m_dm, m_prompter,
        ConsumerCommands::Setup{.ac = m_ac,
                                .place = ConsumerPlace::Book,
                                .owner = this,
                                .consumerGrid = m_consumerGrid,
                                .periodGrid = m_periodGrid,
                                .askDelete = m_askDelete,
                                .ready = [this] { return scheduleReady(); },
                                .voltage =
                                    [this] {
                                        std::optional<double> voltage;
                                        if (!m_ac && !schedules()[kUnom].isNull())
                                            voltage = schedules()[kUnom].asFloat();
                                        return voltage;
                                    },
                                .copied = [this] { updateButtons(); }});
    auto* note = new QLabel(
        QStringLiteral("<b>Внимание!</b> После добавления электроприемников и временных "
                       "интервалов их работы выполните формирование суточного графика и расчет "
                       "его параметров (кнопка со всплывающей подсказкой \"Формирование суточного "
                       "графика и расчет его параметров\")."),
        consumerPage);
    note->setObjectName(QStringLiteral("attention"));
    note->setWordWrap(true);

    auto* lists = new QHBoxLayout;
    lists->addWidget(framed(QStringLiteral("Электроприемники."), m_consumerGrid, consumerPage), 1);
    lists->addWidget(periodBox);
    auto* consumerLayout = new QVBoxLayout(consumerPage);
    consumerLayout->addWidget(m_toolbar);
    consumerLayout->addLayout(lists, 1);
    consumerLayout->addWidget(m_askDelete);
    consumerLayout->addWidget(note);
    m_pages->addTab(consumerPage, QStringLiteral("Электроприемники"));

    // Page "Суточный график": the interval table of the built schedule and its chart.
    auto* schedulePage = new QWidget(m_pages);
    fillIntervalPage(schedulePage, m_intervals, m_chart);
    m_pages->addTab(schedulePage, QStringLiteral("Суточный график"));

    m_filterLabel = new QLabel(this);
    m_filterLabel->setObjectName(QStringLiteral("filterLabel"));
    m_filterLabel->hide();
    m_csv =
        catalogCsvButtons(this, m_dm, m_prompter, info.className, [this] { return saveEdits(); });
    const DialogButtons buttons = makeDialogButtons(this, info, {.commands = m_csv});
    m_ok = buttons.ok;
    m_cancel = buttons.cancel;
    buttons.layout->insertWidget(0, m_filterLabel);

    auto* top = new QHBoxLayout;
    top->addWidget(framed(QStringLiteral("Разделы"), m_sectionGrid, this, m_sectionBar), 2);
    top->addWidget(
        framed(QStringLiteral("Суточные графики раздела"), m_scheduleGrid, this, m_scheduleBar), 5);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 2);
    layout->addWidget(m_pages, 3);
    layout->addLayout(buttons.layout);
    resize(1300, 690);

    m_scheduleListener = schedules().addListener([this](View&, View::Change) {
        showSchedule();
        updateButtons();
    });
    m_consumerListener = consumers().addListener([this](View&, View::Change) { updateButtons(); });
    setBrowsing(false);
    showSchedule();
}

TsSutEPF::~TsSutEPF() {
    schedules().removeListener(m_scheduleListener);
    consumers().removeListener(m_consumerListener);
}

View& TsSutEPF::sections() const {
    return m_dm.tbl(bookSectionsTable(m_ac));
}

View& TsSutEPF::schedules() const {
    return m_dm.tbl(bookConsumerTables(m_ac).schedules);
}

View& TsSutEPF::consumers() const {
    return m_dm.tbl(bookConsumerTables(m_ac).consumers);
}

View& TsSutEPF::periods() const {
    return m_dm.tbl(bookConsumerTables(m_ac).periods);
}

const ConsumerClipboard& TsSutEPF::clipboard() const {
    return m_lists->clipboard();
}

std::vector<Consumer> TsSutEPF::currentConsumers() const {
    return ses::currentConsumers(m_dm, m_ac, ConsumerPlace::Book);
}

// ---------------------------------------------------------------- layouts

void TsSutEPF::setBrowsing(bool browsing) {
    m_browsing = browsing;
    // Choosing reads the book; browsing edits it.
    for (QWidget* w : std::initializer_list<QWidget*>{m_sectionBar, m_scheduleBar, m_toolbar,
                                                      m_periodBar, m_askDelete})
        w->setVisible(browsing);
    for (QPushButton* b : m_csv)
        b->setVisible(browsing);
    m_sectionGrid->setReadOnly(!browsing);
    m_scheduleGrid->setReadOnly(!browsing);
    m_periodGrid->setReadOnly(!browsing);
    m_ok->setVisible(!browsing);
    m_cancel->setText(browsing ? QStringLiteral("Закрыть") : QStringLiteral("Отмена"));
    updateButtons();
}

void TsSutEPF::browse() {
    finish();
    setBrowsing(true);
    showSchedule();
    m_pages->setCurrentIndex(0);
    m_scheduleGrid->setFocus();
    exec();
    setBrowsing(false);
}

bool TsSutEPF::isShown(int row) const {
    if (!m_filter)
        return true;
    const View& v = schedules();
    const QVariant u = v.valueAt(row, v.table().columnIndex(kUnom));
    return !u.isNull() && sameValue(u.toDouble(), *m_filter);
}

bool TsSutEPF::anyShown() const {
    for (int r = 0; r < schedules().recordCount(); ++r)
        if (isShown(r))
            return true;
    return false;
}

void TsSutEPF::applyFilter() {
    View& v = schedules();
    for (int r = 0; r < v.recordCount(); ++r)
        m_scheduleGrid->setRowHidden(r, !isShown(r));
    if (!v.isEmpty() && !isShown(v.recNo()))
        for (int r = 0; r < v.recordCount(); ++r)
            if (isShown(r)) {
                v.moveTo(r);
                break;
            }
    // A section without a schedule of the voltage shows no consumers either.
    const bool shown = !v.isEmpty() && isShown(v.recNo());
    for (int r = 0; r < consumers().recordCount(); ++r)
        m_consumerGrid->setRowHidden(r, !shown);
    for (int r = 0; r < periods().recordCount(); ++r)
        m_periodGrid->setRowHidden(r, !shown);
    showSchedule();
}

void TsSutEPF::prepare(std::optional<double> dcVoltageFilter) {
    setBrowsing(false);
    m_chosen.reset();
    m_filter = m_ac ? std::nullopt : dcVoltageFilter;
    m_filterLabel->setVisible(m_filter.has_value());
    if (m_filter)
        m_filterLabel->setText(
            QStringLiteral("Фильтрация записей: Uном.=%1 В").arg(numberToText(*m_filter)));
    // Start in a section that has a schedule to offer.
    if (!anyShown())
        for (int r = 0; r < sections().recordCount(); ++r) {
            if (!sections().moveTo(r))
                break;
            if (anyShown())
                break;
        }
    applyFilter();
    m_pages->setCurrentIndex(0);
}

void TsSutEPF::finish() {
    m_filter.reset();
    m_filterLabel->hide();
    applyFilter(); // every schedule shown again
}

std::optional<std::vector<ConsumerRecord>> TsSutEPF::choose(std::optional<double> dcVoltageFilter) {
    prepare(dcVoltageFilter);
    m_scheduleGrid->setFocus();
    const bool ok = exec() == QDialog::Accepted;
    finish();
    return ok ? m_chosen : std::nullopt;
}

void TsSutEPF::loadForTour(int page) {
    setBrowsing(true);
    // The first schedule with consumers, built.
    for (int s = 0; s < sections().recordCount(); ++s) {
        sections().moveTo(s);
        for (int r = 0; r < schedules().recordCount(); ++r) {
            schedules().moveTo(r);
            if (!consumers().isEmpty() && !schedules()[QStringLiteral("Wp_sut")].isNull()) {
                showSchedule();
                m_pages->setCurrentIndex(page);
                return;
            }
        }
    }
    m_pages->setCurrentIndex(page);
}

// ---------------------------------------------------------------- state

void TsSutEPF::showIntervals(const IntervalTexts& rows) {
    m_intervals->setRowCount(1 + std::max<int>(1, int(rows.size())));
    m_intervals->clearCells();
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < 3; ++c)
            m_intervals->setCell(c, r + 1, rows[r][c]);
}

void TsSutEPF::showSchedule() {
    View& v = schedules();
    IntervalTexts rows;
    if (!v.isEmpty() && v.state() != ViewState::Insert && isShown(v.recNo())) {
        std::array<std::optional<double>, 4> figures;
        const QString names[] = {QStringLiteral("Wp_sut"), QStringLiteral("Pnom30min"),
                                 QStringLiteral("Pmax10min"), QStringLiteral("Ppik")};
        for (int i = 0; i < 4; ++i)
            if (!v[names[i]].isNull())
                figures[i] = v[names[i]].asFloat();
        // Read by key through the store: the book's own views may be in the middle of a change.
        rows = shownBookIntervals(figures, readBookConsumers(m_dm.store(), m_ac, v.currentKey()));
    }
    showIntervals(rows);
    if (!rows.empty() && testIntervals(rows).ok)
        m_chart->draw(rows);
    else
        m_chart->clear();
}

void TsSutEPF::updateButtons() {
    const bool any = !consumers().isEmpty();
    for (Command c : {Replace, Delete, Periods, Test, Copy, Build, Info})
        m_commands[c]->setEnabled(any);
    m_commands[Paste]->setEnabled(!m_lists->clipboard().empty());
}

bool TsSutEPF::scheduleReady() {
    View& v = schedules();
    if (v.isEmpty() || v.state() == ViewState::Insert || !isShown(v.recNo())) {
        m_prompter.error(kNoSchedule);
        m_scheduleGrid->setFocus();
        return false;
    }
    if (!m_scheduleGrid->commitEditor())
        return false;
    if (v.isEditing()) {
        m_prompter.error(kScheduleEdited);
        m_scheduleGrid->setFocus();
        return false;
    }
    return true;
}

bool TsSutEPF::finishPeriodEdit() {
    return m_lists->finishPeriodEdit();
}

// ---------------------------------------------------------------- commands

void TsSutEPF::addConsumer() {
    m_lists->add();
}

bool TsSutEPF::addFromCatalog(const CatalogConsumer& c, int quantity) {
    return m_lists->addFromCatalog(c, quantity);
}

void TsSutEPF::replaceConsumer() {
    m_lists->replace();
}

bool TsSutEPF::replaceFromCatalog(const CatalogConsumer& c, int quantity) {
    return m_lists->replaceFromCatalog(c, quantity);
}

void TsSutEPF::deleteConsumer() {
    m_lists->remove();
}

void TsSutEPF::editPeriods() {
    m_lists->editPeriods();
}

bool TsSutEPF::setPeriods(const std::vector<std::pair<double, double>>& list) {
    return m_lists->setPeriods(list);
}

bool TsSutEPF::testPeriods() {
    return m_lists->test();
}

void TsSutEPF::copyConsumers() {
    m_lists->copy();
}

void TsSutEPF::pasteConsumers() {
    m_lists->paste();
}

bool TsSutEPF::build() {
    if (!finishPeriodEdit() || !scheduleReady() || !m_lists->runTest(false))
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto [nom, max] = loadWindows(m_dm);
    const BookScheduleBuild b = buildBookSchedule(currentConsumers(), nom, max);
    const bool written = writeBookFigures(m_dm, m_ac, b);
    QApplication::restoreOverrideCursor();
    showSchedule();
    if (b.intervalError) {
        // The table the consumers make is shown all the same, to see what the test refused.
        showIntervals(b.intervals);
        m_prompter.error(*b.intervalError);
        return false;
    }
    return written && b.ok();
}

std::optional<ScheduleInfoRequest> TsSutEPF::infoRequest() {
    if (!build())
        return std::nullopt;
    const std::vector<Consumer> list = currentConsumers();
    const auto [nom, max] = loadWindows(m_dm);
    const BookScheduleBuild b = buildBookSchedule(list, nom, max);
    ScheduleInfoRequest r;
    r.intervals = b.intervals;
    r.months = monthNames();
    r.pnom = b.params.pnom;
    r.pmax = b.params.pmax;
    r.ac = m_ac;
    r.load = m_ac ? sections()[QStringLiteral("Razdel")].asString() : kDcLoadName;
    r.schedule = schedules()[QStringLiteral("Name")].asString();
    r.consumers = list;
    r.origin = kInfoFromBook;
    return r;
}

void TsSutEPF::showInfo() {
    const auto request = infoRequest();
    if (!request)
        return;
    auto* window = findChild<TSutGrDopF*>();
    if (!window)
        window = new TSutGrDopF(m_dm, m_prompter, this);
    window->open(*request);
}

// ---------------------------------------------------------------- closing

bool TsSutEPF::saveEdits() {
    if (!finishPeriodEdit())
        return false;
    return saveGridEdits({m_sectionGrid, m_scheduleGrid}, m_prompter);
}

void TsSutEPF::done(int r) {
    // A row still being edited is saved on closing; a refused one keeps the window open.
    if (m_browsing && !saveEdits())
        return;
    QDialog::done(r);
}

void TsSutEPF::accept() {
    View& v = schedules();
    if (v.isEmpty() || !isShown(v.recNo())) {
        m_prompter.error(
            QStringLiteral("Выберите суточный график в таблице \"Суточные графики раздела\"."));
        m_scheduleGrid->setFocus();
        return;
    }
    std::vector<ConsumerRecord> records = currentConsumerRecords(m_dm, m_ac, ConsumerPlace::Book);
    if (records.empty()) {
        m_prompter.error(QStringLiteral("Суточный график \"%1\" справочника не содержит ни одного "
                                        "электроприемника. Выберите другой суточный график.")
                             .arg(v[QStringLiteral("Name")].asString()));
        m_scheduleGrid->setFocus();
        return;
    }
    if (!m_lists->runTest(false))
        return;
    // The interval table as the caller will read it.
    showIntervals(buildFromConsumers(currentConsumers()));
    m_chosen = std::move(records);
    QDialog::accept();
}

} // namespace ses
