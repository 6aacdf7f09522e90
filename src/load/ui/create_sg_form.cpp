#include "load/ui/create_sg_form.h"

#include "load/ui/consumer_commands.h"

#include "data/data_module.h"
#include "lib/numbers.h"
#include "load/ui/ep_chooser.h"
#include "load/ui/period_form.h"
#include "load/ui/s_sut_ep_form.h"
#include "load/ui/s_sut_form.h"
#include "load/ui/schedule_panels.h"
#include "load/ui/step_chart.h"
#include "reports/report_writer.h"
#include "widgets/bound_grid.h"
#include "widgets/dialog_buttons.h"
#include "widgets/navigator.h"
#include "widgets/number_field.h"
#include "widgets/report_export.h"
#include "widgets/string_grid.h"
#include "widgets/windows.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ses {

namespace {

constexpr int kSchedulePage = 1;

QString quoted(const QString& s) {
    return QStringLiteral("\"") + s + QStringLiteral("\"");
}

} // namespace

std::vector<GridColumn> consumerColumns(bool ac) {
    std::vector<GridColumn> c = {{QStringLiteral("Name"), QStringLiteral("Наименование")}};
    if (!ac)
        c.push_back({QStringLiteral("Unom"), QStringLiteral("Uном., В")});
    c.insert(c.end(), {{QStringLiteral("Pnom"), QStringLiteral("Pном., Вт")},
                       {QStringLiteral("Ppik"), QStringLiteral("Pпик., Вт")},
                       {QStringLiteral("Kol_vo"), QStringLiteral("Кол-во, шт.")},
                       {QStringLiteral("SPnom"), QStringLiteral("ЕPном., Вт")},
                       {QStringLiteral("SPpik"), QStringLiteral("ЕPпик., Вт")}});
    if (ac)
        c.push_back({QStringLiteral("ClearSinus"), QStringLiteral("Чистый синус")});
    c.push_back({QStringLiteral("Rejim"), QStringLiteral("Режим")});
    return c;
}

// What the columns of the consumer list mean (the page's note and the report's).
QStringList consumerNote(bool ac) {
    QStringList n = {QStringLiteral("Наименование - наименование электроприемника.")};
    if (!ac)
        n << QStringLiteral("Uном., В - номинальное напряжение электроприемника, В.");
    n << QStringLiteral("Pном., Вт - номинальная мощность одного электроприемника, Вт.")
      << QStringLiteral("Pпик., Вт - пиковая (пусковая) мощность одного электроприемника, Вт.")
      << QStringLiteral("Кол-во, шт. - количество одинаковых электроприемников, шт.")
      << QStringLiteral("ЕPном., Вт - суммарная номинальная мощность электроприемников, Вт.")
      << QStringLiteral("ЕPпик., Вт - суммарная пиковая мощность электроприемников, Вт.");
    if (ac)
        n << QStringLiteral("Чистый синус - электроприемнику требуется форма выходного сигнала "
                            "инвертора \"чистый синус\" (+) или нет (-).");
    n << QStringLiteral("Режим - режим работы электроприемника (ручной или автоматический).");
    return n;
}

namespace {

QGroupBox* framed(const QString& caption, QWidget* content, QWidget* parent) {
    auto* box = new QGroupBox(caption, parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

} // namespace

QGroupBox* fillConsumerLists(View& consumers, View& periods, bool ac, Prompter& prompter,
                             QWidget* page, BoundGrid*& consumerGrid, BoundGrid*& periodGrid,
                             Navigator*& periodBar) {
    consumerGrid = new BoundGrid(consumers, consumerColumns(ac), page);
    consumerGrid->setObjectName(QStringLiteral("consumerGrid"));
    consumerGrid->setReadOnly(true);
    consumerGrid->setPrompter(&prompter);
    consumerGrid->fitColumns();
    consumerGrid->setColumnWidth(0, 260);
    consumerGrid->horizontalHeader()->setStretchLastSection(true);

    auto* periodBox = new QGroupBox(QStringLiteral("Время работы."), page);
    periodGrid = new BoundGrid(periods,
                               {{QStringLiteral("T1"), QStringLiteral("T1, час."), false, 90},
                                {QStringLiteral("T2"), QStringLiteral("T2, час."), false, 90}},
                               periodBox);
    periodGrid->setObjectName(QStringLiteral("periodGrid"));
    periodGrid->setPrompter(&prompter);
    pickHoursInPeriodGrid(periodGrid);
    periodBar = new Navigator(periods, periodGrid, periodBox);
    periodBar->setVisibleButtons(Navigator::Insert | Navigator::Delete | Navigator::Edit |
                                 Navigator::Post | Navigator::Cancel);
    periodBar->setConfirmDelete(false);
    periodBar->setPrompter(&prompter);
    auto* periodLayout = new QVBoxLayout(periodBox);
    periodLayout->addWidget(periodBar);
    periodLayout->addWidget(periodGrid, 1);
    periodBox->setFixedWidth(230);
    return periodBox;
}

void fillIntervalPage(QWidget* page, StringGrid*& intervals, StepChart*& chart) {
    intervals = new StringGrid(page);
    intervals->setObjectName(QStringLiteral("intervalGrid"));
    intervals->setFixedRow(true);
    intervals->setColCount(3);
    intervals->setRowCount(2);
    const QStringList titles = {QStringLiteral("   Т1, час."), QStringLiteral("   Т2, час."),
                                QStringLiteral("   P, Вт")};
    for (int c = 0; c < 3; ++c) {
        intervals->setCell(c, 0, titles[c]);
        intervals->setColWidth(c, 82);
    }
    intervals->horizontalHeader()->setStretchLastSection(true);
    intervals->setReadOnly(true);
    auto* intervalBox =
        framed(QStringLiteral("Таблица суточного графика нагрузки."), intervals, page);
    intervalBox->setFixedWidth(300);
    chart = new StepChart(page);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(intervalBox);
    layout->addWidget(chart, 1);
}

namespace {

// Hours of a period picked from the list 0 .. 24 or typed.
class HourPickDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        auto* field = new NumberField(NumberField::Kind::Decimal, combo);
        field->setLeaveCheck(false); // the grid reports a bad value when the row is saved
        combo->setLineEdit(field);
        for (int h = 0; h <= 24; ++h)
            combo->addItem(QString::number(h));
        combo->setMaxVisibleItems(13);
        auto* self = const_cast<HourPickDelegate*>(this);
        connect(combo, &QComboBox::activated, combo, [self, combo] {
            emit self->commitData(combo);
            emit self->closeEditor(combo, QAbstractItemDelegate::NoHint);
        });
        return combo;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* combo = static_cast<QComboBox*>(editor);
        combo->setEditText(index.data(Qt::EditRole).toString());
        combo->lineEdit()->selectAll();
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        const QString text = static_cast<QComboBox*>(editor)->currentText().trimmed();
        if (text != index.data(Qt::EditRole).toString())
            model->setData(index, text, Qt::EditRole);
    }
};

// Writes the interval report with the consumer table after the general parameters and the
// interval note in the words of a schedule of consumers.
class ConsumerReportWriter : public ReportWriter {
public:
    ConsumerReportWriter(ReportWriter& w, const ConsumerListReport& c) : m_w(w), m_c(c) {}

    void openReport() override { m_w.openReport(); }
    void writeTitle(const QString& text) override { m_w.writeTitle(text); }
    void writeHeading(const QString& text) override { m_w.writeHeading(text); }
    void writeText(const QString& text) override {
        static const std::pair<QString, QString> words[] = {
            {QStringLiteral("Т1, час. - время начала периода времени, час.\r"),
             QStringLiteral("Т1, час. - начало периода времени, час.\r")},
            {QStringLiteral("Т2, час. - время окончания периода времени, час.\r"),
             QStringLiteral("Т2, час. - окончание периода времени, час.\r")},
        };
        for (const auto& [from, to] : words)
            if (text == from) {
                m_w.writeText(to);
                return;
            }
        m_w.writeText(text);
    }
    void writeGridTable(const std::vector<QStringList>& rows) override { m_w.writeGridTable(rows); }
    void writePairsTable(const std::vector<std::pair<QString, QString>>& pairs) override {
        m_w.writePairsTable(pairs);
        if (m_consumersDone)
            return;
        // The first pairs table holds the general parameters.
        m_consumersDone = true;
        m_w.writeHeading(QStringLiteral("Таблица электроприемников и времени их работы.\r"));
        std::vector<QStringList> rows = {m_c.header};
        rows.insert(rows.end(), m_c.rows.begin(), m_c.rows.end());
        m_w.writeGridTable(rows);
        m_w.writeText(QStringLiteral("Примечание.\r"));
        for (const QString& line : m_c.note)
            m_w.writeText(line + QStringLiteral("\r"));
        m_w.writeText(QStringLiteral(
            "Время работы, час. - интервалы времени работы электроприемника, час.\r"));
    }
    void insertPicture(const QImage& picture) override { m_w.insertPicture(picture); }
    QString closeReport() override { return m_w.closeReport(); }

private:
    ReportWriter& m_w;
    const ConsumerListReport& m_c;
    bool m_consumersDone = false;
};

} // namespace

void pickHoursInPeriodGrid(BoundGrid* grid) {
    for (int c = 0; c < 2; ++c)
        grid->setItemDelegateForColumn(c, new HourPickDelegate(grid));
}

void writeConsumerScheduleReport(ReportWriter& w, const ScheduleReport& r,
                                 const ConsumerListReport& consumers) {
    ConsumerReportWriter cw(w, consumers);
    writeScheduleReport(cw, r);
}

// ---------------------------------------------------------------- TCreateSGF

TCreateSGF::TCreateSGF(TDataModule1& dm, Prompter& prompter, bool ac, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter), m_ac(ac) {
    const WindowInfo& info =
        setUpWindow(this, ac ? QStringLiteral("TCreateSGF") : QStringLiteral("TCreateSG12F"));

    m_header = new ScheduleHeader(this);
    connect(m_header, &ScheduleHeader::rangeChanged, this, [this] {
        // The figures on screen belong to the months on screen.
        if (m_built)
            runBuild(false, true);
    });

    m_pages = new QTabWidget(this);

    // Page "Электроприемники": the commands, the consumers and the periods of the current one.
    auto* consumerPage = new QWidget(m_pages);
    const struct {
        Command id;
        const char* text;
        const char* hint;
        void (TCreateSGF::*run)();
    } commands[] = {
        {Add, "Добавить...", "Добавить электроприемник в таблицу", &TCreateSGF::addConsumer},
        {Replace, "Заменить...", "Заменить электроприемник в таблице",
         &TCreateSGF::replaceConsumer},
        {Delete, "Удалить", "Удалить электроприемник из таблицы", &TCreateSGF::deleteConsumer},
        {Periods, "Время работы...", "Периоды времени работы электроприемника",
         &TCreateSGF::editPeriods},
        {Test, "Тестировать", "Тестировать временные промежутки работы электроприемников", nullptr},
        {Copy, "Копировать", "Копирование электроприемников и времени их работы",
         &TCreateSGF::copyConsumers},
        {Paste, "Вставить", "Вставка электроприемников и времени их работы",
         &TCreateSGF::pasteConsumers},
        {Build, "Сформировать", "Формирование суточного графика и расчет его параметров", nullptr},
        {Save, "В справочник...",
         "Сохранение таблиц электроприемников и времени их работы в справочнике",
         &TCreateSGF::saveToBook},
        {Load, "Из справочника...",
         "Загрузка таблиц электроприемников и времени их работы из справочника",
         &TCreateSGF::loadFromBook},
        {Info, "Информация...", "Просмотр дополнительной информации о суточном графике",
         &TCreateSGF::showInfo},
        {Export, nullptr, nullptr, &TCreateSGF::exportReport},
    };
    auto* toolbar = new QHBoxLayout;
    toolbar->setSpacing(4);
    for (const auto& c : commands) {
        QPushButton* b = nullptr;
        if (c.id == Export) {
            b = makeExportButton(this, kScheduleExportHint);
        } else {
            b = new QPushButton(QString::fromUtf8(c.text), consumerPage);
            b->setToolTip(QString::fromUtf8(c.hint));
            b->setAutoDefault(false);
        }
        m_commands[c.id] = b;
        if (c.run)
            connect(b, &QPushButton::clicked, this, c.run);
        if (c.id != Export)
            toolbar->addWidget(b);
        // Groups: the consumer, the checks and the clipboard, the schedule, the book.
        if (c.id == Periods || c.id == Paste || c.id == Build)
            toolbar->addSpacing(12);
    }
    toolbar->addStretch(1);
    connect(m_commands[Test], &QPushButton::clicked, this, [this] { testPeriods(); });
    connect(m_commands[Build], &QPushButton::clicked, this, [this] { build(); });

    QGroupBox* periodBox = fillConsumerLists(consumers(), periods(), ac, m_prompter, consumerPage,
                                             m_consumerGrid, m_periodGrid, m_navigator);

    m_askDelete =
        new QCheckBox(QStringLiteral("Запрос перед удалением электроприемника"), consumerPage);
    m_askDelete->setChecked(true);
    m_lists = std::make_unique<ConsumerCommands>(
        m_dm, m_prompter,
        ConsumerCommands::Setup{.ac = m_ac,
                                .owner = this,
                                .consumerGrid = m_consumerGrid,
                                .periodGrid = m_periodGrid,
                                .askDelete = m_askDelete,
                                .voltage = [this] { return dcFilter(); },
                                .copied = [this] { updateButtons(); }});
    auto* note = new QLabel(consumerNote(ac).join(u'\n'), consumerPage);
    note->setObjectName(QStringLiteral("consumerNote"));
    note->setWordWrap(true);

    auto* lists = new QHBoxLayout;
    lists->addWidget(framed(QStringLiteral("Электроприемники."), m_consumerGrid, consumerPage), 1);
    lists->addWidget(periodBox);
    auto* consumerLayout = new QVBoxLayout(consumerPage);
    consumerLayout->addLayout(toolbar);
    consumerLayout->addLayout(lists, 1);
    consumerLayout->addWidget(m_askDelete);
    consumerLayout->addWidget(note);
    m_pages->addTab(consumerPage, QStringLiteral("Электроприемники"));

    // Page "Суточный график": the interval table made from the consumers and its chart.
    auto* schedulePage = new QWidget(m_pages);
    fillIntervalPage(schedulePage, m_intervals, m_chart);
    m_pages->addTab(schedulePage, QStringLiteral("Суточный график"));

    // Page "Расчетные параметры": the figures of the last build.
    m_results = makeScheduleResults(m_pages, [this](QWidget* page) {
        m_peak = resultField(page, QStringLiteral("Wp_pik"));
        auto* row = new QHBoxLayout;
        row->addWidget(m_peak);
        return row;
    });
    // Shown, not edited: the consumers decide it.
    for (QWidget* w :
         {static_cast<QWidget*>(m_results.sine.box), static_cast<QWidget*>(m_results.sine.label)})
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_results.sine.box->setFocusPolicy(Qt::NoFocus);
    m_results.sine.box->setEnabled(ac);
    m_results.sine.label->setEnabled(ac);
    m_pages->addTab(m_results.page, QStringLiteral("Расчетные параметры"));
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int page) { pageChanged(page); });

    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 3);
    m_progress->setTextVisible(false);
    m_progress->setFixedWidth(200);
    m_progress->hide();
    const DialogButtons buttons = makeDialogButtons(this, info, {.commands = {m_commands[Export]}});
    m_ok = buttons.ok;
    buttons.layout->insertWidget(1, m_progress);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_header);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons.layout);
    resize(1340, 690);

    m_consumerListener = consumers().addListener([this](View&, View::Change c) {
        if (c == View::Change::Data)
            dataChanged();
        else
            updateButtons();
    });
    // The period view also rereads its rows when another consumer becomes current: only a
    // change under the same consumer is an edit.
    m_periodOwner = consumers().currentKey();
    m_periodListener = periods().addListener([this](View&, View::Change c) {
        if (c != View::Change::Data)
            return;
        const QVariant owner = consumers().currentKey();
        if (owner == m_periodOwner)
            dataChanged();
        m_periodOwner = owner;
    });
    clearResults();
    updateButtons();
}

TCreateSGF::~TCreateSGF() {
    consumers().removeListener(m_consumerListener);
    periods().removeListener(m_periodListener);
}

View& TCreateSGF::schedules() const {
    return m_dm.tbl(projectConsumerTables(m_ac).schedules);
}

View& TCreateSGF::consumers() const {
    return m_dm.tbl(projectConsumerTables(m_ac).consumers);
}

View& TCreateSGF::periods() const {
    return m_dm.tbl(projectConsumerTables(m_ac).periods);
}

const ConsumerClipboard& TCreateSGF::clipboard() const {
    return m_lists->clipboard();
}

std::vector<Consumer> TCreateSGF::currentConsumers() const {
    return ses::currentConsumers(m_dm, m_ac);
}

std::optional<double> TCreateSGF::dcFilter() const {
    return m_ac ? std::nullopt : std::optional<double>(m_in.uses);
}

void TCreateSGF::setInfoHook(std::function<void(const ScheduleInfoRequest&)> hook) {
    m_infoHook = std::move(hook);
    updateButtons();
}

bool TCreateSGF::run(ScheduleDraft& draft, const ScheduleInputs& in,
                     const std::vector<OtherSchedule>& others) {
    prepare(draft, in, others);
    if (exec() != QDialog::Accepted)
        return false;
    draft = m_draft;
    return true;
}

void TCreateSGF::prepare(const ScheduleDraft& draft, const ScheduleInputs& in,
                         const std::vector<OtherSchedule>& others) {
    m_in = in;
    m_others = others;
    m_draft = ScheduleDraft{};
    m_header->setSchedule(draft.name, draft.from, draft.to);
    m_header->setInputs(in);
    m_results.nominalLabel->setText(nominalPowerLabel(in.nomMinutes));
    m_results.maximumLabel->setText(maximumPowerLabel(in.maxMinutes));
    m_snapshot = snapshotConsumers(m_dm, m_ac);
    if (!consumers().isEmpty())
        consumers().first();
    m_periodOwner = consumers().currentKey();
    clearResults();
    if (!consumers().isEmpty())
        runBuild(false, false);
    m_pages->setCurrentIndex(0);
    updateButtons();
    m_header->nameEdit()->setFocus();
}

void TCreateSGF::loadForTour(const ScheduleInputs& in) {
    View& s = schedules();
    if (s.isEmpty() && s.master() && !s.master()->isEmpty()) {
        s.append();
        s[QStringLiteral("SutGrafName")].setString(QStringLiteral("Суточный график 1"));
        s[QStringLiteral("MonthName1")].setString(QStringLiteral("январь"));
        s[QStringLiteral("MonthName2")].setString(QStringLiteral("декабрь"));
        if (!s.post())
            s.cancel();
    }
    if (!s.isEmpty() && consumers().isEmpty()) {
        // A house: catalog consumers with the hours they work (AC), or the DC catalog's
        // consumers of the system voltage with a day's pattern of hours.
        using Hours = std::vector<std::pair<double, double>>;
        const struct {
            const char* name;
            int quantity;
            Hours hours;
        } house[] = {
            {"Холодильник бытовой", 1, {{0, 1}, {4, 5}, {8, 9}, {12, 13}, {16, 17}, {20, 21}}},
            {"Освещение светодиодное (лампа)", 6, {{6, 8}, {18, 23}}},
            {"Телевизор светодиодный", 1, {{19, 23}}},
            {"Насос скважинный погружной", 1, {{7, 8}, {19, 20}}},
            {"Роутер Wi-Fi", 1, {{0, 24}}},
            {"Ноутбук", 1, {{9, 13}, {14, 18}}},
            {"Чайник электрический", 1, {{7, 7.1}, {19, 19.1}}},
        };
        const Hours pattern[] = {{{18, 23}},
                                 {{0, 2}, {6, 8}, {12, 14}, {18, 20}},
                                 {{7, 8}, {19, 20}},
                                 {{10, 17}},
                                 {{8, 20}}};
        View& catalog = m_dm.tbl(m_ac ? QStringLiteral("sEP") : QStringLiteral("sEP12"));
        const auto column = [&catalog](const char* c) {
            return catalog.table().columnIndex(QString::fromLatin1(c));
        };
        const auto catalogConsumer = [&](int r) {
            CatalogConsumer c;
            c.name = catalog.valueAt(r, column("Name")).toString();
            c.pnom = catalog.valueAt(r, column("Pnom")).toDouble();
            c.ipIn = catalog.valueAt(r, column("Ip_In")).toDouble();
            c.rejim = catalog.valueAt(r, column("Rejim")).toString();
            if (m_ac)
                c.clearSinus = catalog.valueAt(r, column("ClearSinus")).toBool();
            else
                c.unom = catalog.valueAt(r, column("Unom")).toDouble();
            return c;
        };
        int used = 0;
        for (int r = 0; r < catalog.recordCount() && used < 5; ++r) {
            const CatalogConsumer c = catalogConsumer(r);
            if (m_ac) {
                for (const auto& h : house)
                    if (c.name == QString::fromUtf8(h.name) &&
                        appendConsumer(m_dm, true, consumerFromCatalog(c, h.quantity)))
                        replacePeriods(m_dm, true, h.hours);
            } else if (c.unom && sameValue(*c.unom, in.uses) &&
                       appendConsumer(m_dm, false, consumerFromCatalog(c, 1))) {
                replacePeriods(m_dm, false, pattern[used++]);
            }
        }
    }
    // The current schedule as the dispatcher's "Изменить" opens it, its own months included.
    ScheduleDraft d;
    d.name = s.isEmpty() ? QStringLiteral("Дачный дом, круглый год")
                         : s[QStringLiteral("SutGrafName")].asString();
    d.from = s.isEmpty() ? QStringLiteral("январь") : s[QStringLiteral("MonthName1")].asString();
    d.to = s.isEmpty() ? QStringLiteral("декабрь") : s[QStringLiteral("MonthName2")].asString();
    prepare(d, in, {});
}

// ---------------------------------------------------------------- state

void TCreateSGF::clearResults() {
    m_built = false;
    m_resultsShown = false;
    m_result = MonthlyResult{};
    m_intervals->setRowCount(2);
    m_intervals->clearCells();
    m_chart->clear();
    for (QLineEdit* f : {m_results.wpSut, m_results.pnom, m_results.pmax, m_peak})
        f->clear();
    m_results.sine.box->setChecked(false);
    m_results.monthly->setRows(std::vector<QStringList>{});
}

void TCreateSGF::dataChanged() {
    // A write of many rows tells every row: clear once.
    if (m_resultsShown)
        clearResults();
    updateButtons();
}

void TCreateSGF::pageChanged(int page) {
    if (page != kSchedulePage || m_built)
        return;
    const IntervalTexts rows = buildFromConsumers(currentConsumers());
    showIntervals(rows);
    if (!rows.empty() && testIntervals(rows).ok)
        m_chart->draw(rows);
    else
        m_chart->clear();
}

void TCreateSGF::showIntervals(const IntervalTexts& rows) {
    m_resultsShown = m_resultsShown || !rows.empty();
    m_intervals->setRowCount(1 + std::max<int>(1, int(rows.size())));
    m_intervals->clearCells();
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < 3; ++c)
            m_intervals->setCell(c, r + 1, rows[r][c]);
}

void TCreateSGF::updateButtons() {
    const bool any = !consumers().isEmpty();
    for (Command c : {Replace, Delete, Periods, Test, Copy, Build, Save})
        m_commands[c]->setEnabled(any);
    m_commands[Info]->setEnabled(any && m_infoHook);
    m_commands[Paste]->setEnabled(!m_lists->clipboard().empty());
    m_ok->setEnabled(any);
}

bool TCreateSGF::finishPeriodEdit() {
    return m_lists->finishPeriodEdit();
}

// ---------------------------------------------------------------- commands

void TCreateSGF::addConsumer() {
    m_lists->add();
}

bool TCreateSGF::addFromCatalog(const CatalogConsumer& c, int quantity) {
    return m_lists->addFromCatalog(c, quantity);
}

void TCreateSGF::replaceConsumer() {
    m_lists->replace();
}

bool TCreateSGF::replaceFromCatalog(const CatalogConsumer& c, int quantity) {
    return m_lists->replaceFromCatalog(c, quantity);
}

void TCreateSGF::deleteConsumer() {
    m_lists->remove();
}

void TCreateSGF::editPeriods() {
    m_lists->editPeriods();
}

bool TCreateSGF::setPeriods(const std::vector<std::pair<double, double>>& periods) {
    return m_lists->setPeriods(periods);
}

bool TCreateSGF::testPeriods() {
    return m_lists->test();
}

void TCreateSGF::copyConsumers() {
    m_lists->copy();
}

void TCreateSGF::pasteConsumers() {
    m_lists->paste();
}

bool TCreateSGF::build() {
    return finishPeriodEdit() && m_lists->runTest(false) && runBuild(true, true);
}

bool TCreateSGF::runBuild(bool tellErrors, bool tellProblems) {
    const std::vector<Consumer> list = currentConsumers();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_progress->setValue(0);
    m_progress->show();
    const auto done = [this] {
        m_progress->hide();
        QApplication::restoreOverrideCursor();
    };
    clearResults();
    const ConsumerFigures f = consumerFigures(list, m_in.nomMinutes, m_in.maxMinutes);
    if (f.intervals.empty() || f.intervalError) {
        done();
        if (f.intervalError && tellErrors)
            m_prompter.error(*f.intervalError);
        return false;
    }
    showIntervals(f.intervals);
    m_progress->setValue(1);
    m_chart->draw(f.intervals);
    m_progress->setValue(2);
    m_result = monthlyRows(parseIntervals(f.intervals), m_header->from(), m_header->to(), m_in);
    m_results.wpSut->setText(numberToText(m_result.params.wpSut));
    m_results.pnom->setText(numberToText(m_result.params.pnom));
    m_results.pmax->setText(numberToText(m_result.params.pmax));
    m_peak->setText(numberToText(f.peak));
    m_results.sine.box->setChecked(m_ac && f.clearSinus);
    m_results.monthly->setRows(m_result.rows);
    m_progress->setValue(3);
    m_built = true;
    done();
    if (tellProblems && !m_result.problems.isEmpty())
        m_prompter.information(m_result.problems.join(u'\n'));
    return true;
}

void TCreateSGF::saveToBook() {
    if (!finishPeriodEdit() || !m_lists->runTest(false))
        return;
    if (!m_section)
        m_section = new TsRazdGrF(m_prompter, this);
    if (m_section->run(consumerBookSections(m_dm, m_ac), m_header->name().trimmed()))
        saveToBookAs(m_section->section(), m_section->name());
}

bool TCreateSGF::saveToBookAs(const QString& section, const QString& name) {
    const ConsumerTables t = projectConsumerTables(m_ac);
    const std::vector<ConsumerRecord> records = readConsumerRecords(m_dm, t);
    const ConsumerFigures figures = consumerFigures(toConsumers(records, *findTable(t.consumers)),
                                                    m_in.nomMinutes, m_in.maxMinutes);
    if (figures.intervalError) {
        m_prompter.error(*figures.intervalError);
        return false;
    }
    // A DC book schedule is kept under its voltage: the system voltage of the variant.
    const std::optional<double> unom =
        m_ac || m_in.uses <= 0 ? std::nullopt : std::optional<double>(m_in.uses);
    if (!saveToConsumerBook(m_dm, m_ac, section, name, records, figures, unom))
        return false;
    m_prompter.information(QStringLiteral("Суточный график %1 сохранен в справочнике, раздел %2.")
                               .arg(quoted(name), quoted(section)));
    return true;
}

void TCreateSGF::loadFromBook() {
    if (!finishPeriodEdit())
        return;
    if (!m_book)
        m_book = m_ac ? new TsSutEPF(m_dm, m_prompter, true, this)
                      : static_cast<TsSutEPF*>(new TsSutEP12F(m_dm, m_prompter, this));
    if (const auto records = m_book->choose(dcFilter()))
        loadRecords(*records);
}

bool TCreateSGF::loadRecords(const std::vector<ConsumerRecord>& records) {
    if (!replaceConsumers(m_dm, m_ac, records))
        return false;
    m_consumerGrid->setFocus();
    return build();
}

void TCreateSGF::showInfo() {
    if (!m_infoHook || !build())
        return;
    m_infoHook(infoRequest());
}

ScheduleInfoRequest TCreateSGF::infoRequest() {
    ScheduleInfoRequest r;
    const std::vector<Consumer> list = currentConsumers();
    r.intervals = buildFromConsumers(list);
    for (const MonthlyRow& row : m_result.rows)
        r.months << row.month;
    r.pnom = m_result.params.pnom;
    r.pmax = m_result.params.pmax;
    r.ac = m_ac;
    r.load = m_ac ? m_dm.tblProj_Inv()[QStringLiteral("Nagr_Name")].asString() : kDcLoadName;
    r.schedule = m_header->name();
    r.consumers = list;
    r.origin = kInfoFromVariant;
    return r;
}

ScheduleReport TCreateSGF::report() {
    ScheduleReport r = scheduleReport(*m_header, m_in,
                                      {m_results.wpSut, m_results.pnom, m_results.pmax, m_peak,
                                       m_results.nominalLabel, m_results.maximumLabel,
                                       m_results.sine.box, m_results.monthly});
    r.withIntervals = true;
    for (int row = 1; row < m_intervals->rowCount(); ++row)
        if (!m_intervals->cell(0, row).isEmpty())
            r.intervals.push_back(
                {m_intervals->cell(0, row), m_intervals->cell(1, row), m_intervals->cell(2, row)});
    r.chart = m_chart->picture();
    return r;
}

ConsumerListReport TCreateSGF::consumerReport() {
    ConsumerListReport c;
    for (const GridColumn& col : consumerColumns(m_ac))
        c.header << col.title;
    c.header << QStringLiteral("Время работы, час.");
    const ConsumerTables t = projectConsumerTables(m_ac);
    const TableDef& def = *findTable(t.consumers);
    for (const ConsumerRecord& r : readConsumerRecords(m_dm, t)) {
        QStringList row;
        for (size_t i = 0; i < r.fields.size(); ++i) {
            const QString text = displayText(def.columns[i + 2], r.fields[i]);
            row << (text.isEmpty() ? QStringLiteral("-") : text);
        }
        QStringList hours;
        for (const auto& [t1, t2] : r.periods)
            hours << numberToText(t1.toDouble()) + QStringLiteral("-") +
                         numberToText(t2.toDouble());
        row << hours.join(QStringLiteral("; "));
        c.rows.push_back(row);
    }
    c.note = consumerNote(m_ac);
    return c;
}

void TCreateSGF::writeReport(ReportWriter& w) {
    writeConsumerScheduleReport(w, report(), consumerReport());
}

void TCreateSGF::exportReport() {
    if (!finishPeriodEdit())
        return;
    // The report shows the figures: build them first when the consumers changed since.
    if (!m_built && !consumers().isEmpty() && !build())
        return;
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

// ---------------------------------------------------------------- closing

void TCreateSGF::accept() {
    if (!finishPeriodEdit())
        return;
    if (m_header->name().trimmed().isEmpty()) {
        m_prompter.error(kNameRequired);
        m_header->nameEdit()->setFocus();
        return;
    }
    const QString from = m_header->from(), to = m_header->to();
    if (const auto e = monthRangeConflict(from, to, m_others)) {
        m_prompter.error(*e);
        m_header->fromBox()->setFocus();
        return;
    }
    if (consumers().isEmpty() || !m_lists->runTest(false) || !runBuild(true, false))
        return;
    m_draft = ScheduleDraft{};
    m_draft.name = m_header->name().trimmed();
    m_draft.from = from;
    m_draft.to = to;
    m_draft.wpSut = m_result.params.wpSut;
    m_draft.pnom = m_result.params.pnom;
    m_draft.pmax = m_result.params.pmax;
    m_draft.peak = parseNumber(m_peak->text());
    m_draft.clearSinus = m_ac && m_results.sine.box->isChecked();
    for (int row = 1; row < m_intervals->rowCount(); ++row)
        m_draft.intervals.push_back(
            {m_intervals->cell(0, row), m_intervals->cell(1, row), m_intervals->cell(2, row)});
    m_draft.monthly = m_result.rows;
    QDialog::accept();
}

void TCreateSGF::reject() {
    m_periodGrid->discardEditor();
    periods().cancel();
    consumers().cancel();
    restoreConsumers(m_dm, m_ac, m_snapshot);
    QDialog::reject();
}

} // namespace ses
