#include "load/ui/dsp_dispatcher.h"

#include "data/data_module.h"
#include "load/ui/add_sut_gr_form.h"
#include "load/ui/create_sg_form.h"
#include "load/ui/nagr_form.h"
#include "load/ui/schedule_panels.h"
#include "load/ui/sut_gr_dop_form.h"
#include "widgets/bound_grid.h"
#include "widgets/dialog_buttons.h"
#include "widgets/navigator.h"
#include "widgets/wait_cursor.h"
#include "widgets/windows.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace ses {

namespace {

const QString kCopyCaption = QStringLiteral("Копирование суточного графика.");
const QString kCopyPrompt = QStringLiteral("Наименование нового суточного графика:");
const QString kCopyNotice = QStringLiteral(
    "После создания копии суточного графика обязательно отредактируйте диапазон месяцев действия "
    "полученного суточного графика. Это необходимо во избежание пересечения диапазонов месяцев "
    "действия графика - оригинала и графика - копии.");
const QString kNoFreeMonths = QStringLiteral(
    "Все месяцы года уже входят в диапазоны месяцев имеющихся суточных графиков. Копия суточного "
    "графика должна получить свободный диапазон месяцев: сначала сократите диапазон месяцев "
    "суточного графика - оригинала или другого суточного графика.");
// A load-entry mode without a dialog (a value the variant dialog never writes).
const QString kNoDialog = QStringLiteral(
    "Для способа задания нагрузки варианта расчета нет диалога ввода суточного графика.");

constexpr int kFieldWidth = 90;
constexpr int kListRows = 4;       // rows the load and schedule lists show
constexpr int kFiguresWidth = 470; // the column of the figures and the note

QLineEdit* readOnlyField(QWidget* parent, const QString& name, int width) {
    auto* f = new QLineEdit(parent);
    f->setObjectName(name);
    f->setReadOnly(true);
    f->setFocusPolicy(Qt::NoFocus);
    f->setAlignment(Qt::AlignRight);
    f->setFixedWidth(width);
    return f;
}

// A check box that shows a flag without taking clicks or the focus.
QCheckBox* shownBox(const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

// Height of a grid showing `rows` rows under its header without a scroll bar.
int gridHeight(const BoundGrid* grid, int rows) {
    return grid->horizontalHeader()->sizeHint().height() +
           rows * grid->verticalHeader()->defaultSectionSize() + 2 * grid->frameWidth() + 2;
}

} // namespace

// The non-empty load name, checked on every save of a load row while the dispatcher is shown
// (the load list is edited only here). The rule outlives the window in the view's handler, so
// it holds no reference to it.
struct LoadDispatcher::NameRule {
    bool active = false;
    Prompter* prompter = nullptr;
};

LoadDispatcher::LoadDispatcher(TDataModule1& dm, Prompter& prompter, bool ac, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter), m_ac(ac) {
    const WindowInfo& info =
        setUpWindow(this, ac ? QStringLiteral("TDspNagrF") : QStringLiteral("TDspNagr12F"));
    m_dialogs[0] = [this](ScheduleDraft& d, const ScheduleInputs& in,
                          const std::vector<OtherSchedule>& others) {
        if (!m_nagrForm)
            m_nagrForm = new TNagrForm(m_dm, m_prompter, this);
        return m_nagrForm->run(d, in, others, m_ac);
    };
    m_dialogs[1] = [this](ScheduleDraft& d, const ScheduleInputs& in,
                          const std::vector<OtherSchedule>& others) {
        if (!m_addSutGrF)
            m_addSutGrF = new TAddSutGrF(m_dm, m_prompter, this);
        return m_addSutGrF->run(d, in, others, m_ac);
    };
    m_dialogs[2] = [this](ScheduleDraft& d, const ScheduleInputs& in,
                          const std::vector<OtherSchedule>& others) {
        if (!m_createSGF) {
            m_createSGF = m_ac ? new TCreateSGF(m_dm, m_prompter, true, this)
                               : new TCreateSG12F(m_dm, m_prompter, this);
            connectScheduleInfo(*m_createSGF, m_dm, m_prompter);
        }
        return m_createSGF->run(d, in, others);
    };

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildHeader());
    auto* middle = new QHBoxLayout;
    if (m_ac)
        middle->addWidget(buildLoads(), 3);
    middle->addWidget(buildSchedules(), 2);
    layout->addLayout(middle);
    layout->addWidget(buildFigures());

    // "Закрыть", Escape and Enter all close through the checks of reject().
    const DialogButtons buttons = makeDialogButtons(this, info, closeRow());
    buttons.cancel->setDefault(true);
    layout->addLayout(buttons.layout);

    const auto follow = [this](View& v, View::Listener l) {
        m_listeners.emplace_back(&v, v.addListener(std::move(l)));
    };
    follow(schedules(), [this](View&, View::Change) {
        updateFigures();
        updateButtons();
    });
    if (m_ac) {
        follow(m_dm.tblProj_Inv(), [this](View&, View::Change) { updateButtons(); });
        installLoadNameRule();
    }
    updateFigures();
    updateButtons();
    resize(minimumSizeHint().width() + 40, minimumSizeHint().height());
}

LoadDispatcher::~LoadDispatcher() {
    for (const auto& [view, id] : m_listeners)
        view->removeListener(id);
    if (m_nameRule)
        m_nameRule->active = false;
}

QGroupBox* LoadDispatcher::buildHeader() {
    auto* box = new QGroupBox(QStringLiteral(" Общие параметры суточного графика "), this);
    m_region = readOnlyField(box, QStringLiteral("Region"), 240);
    m_region->setAlignment(Qt::AlignLeft);
    m_dailyCycle = shownBox(QStringLiteral("Суточный цикл работы солнечной электростанции"), box);
    m_kLabel = new QLabel(
        QStringLiteral("Максимальное число последовательных \"часов без солнца\":"), box);
    m_k = readOnlyField(box, QStringLiteral("KolHourWithoutSun"), 60);
    m_from = readOnlyField(box, QStringLiteral("MonthName1"), kFieldWidth);
    m_to = readOnlyField(box, QStringLiteral("MonthName2"), kFieldWidth);
    for (QLineEdit* f : {m_from, m_to})
        f->setAlignment(Qt::AlignLeft);

    auto* range = new QHBoxLayout;
    range->addWidget(m_from);
    range->addWidget(new QLabel(QStringLiteral(" _ "), box));
    range->addWidget(m_to);
    range->addStretch(1);
    auto* k = new QHBoxLayout;
    k->addWidget(m_kLabel);
    k->addWidget(m_k);
    k->addStretch(1);

    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("Регион размещения солнечной электростанции:"), box),
                    0, 0);
    grid->addWidget(m_region, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Срок действия суточного графика (месяцы):"), box), 0,
                    3);
    grid->addLayout(range, 0, 4);
    grid->addWidget(m_dailyCycle, 1, 0, 1, 2);
    grid->addLayout(k, 1, 3, 1, 2);
    grid->setColumnMinimumWidth(2, 24);
    grid->setColumnStretch(4, 1);
    return box;
}

QGroupBox* LoadDispatcher::buildLoads() {
    auto* box = new QGroupBox(QStringLiteral("Нагрузки варианта расчета."), this);
    View& loads = m_dm.tblProj_Inv();
    m_loadsGrid = new BoundGrid(
        loads,
        {{QStringLiteral("Nagr_Name"), QStringLiteral("Наименование нагрузки"), false, 220},
         {QStringLiteral("Pnom30min"), QStringLiteral("Pном., Вт"), true, 80},
         {QStringLiteral("Pmax10min"), QStringLiteral("Pмакс., Вт"), true, 80},
         {QStringLiteral("Ppik"), QStringLiteral("Pпик., Вт"), true, 80},
         {QStringLiteral("ClearSinus"), QStringLiteral("Чистый синус"), true, 95}},
        box);
    // The name takes the room the figures leave.
    m_loadsGrid->horizontalHeader()->setStretchLastSection(false);
    m_loadsGrid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_loadsGrid->setMinimumHeight(gridHeight(m_loadsGrid, kListRows));
    m_loadsGrid->setObjectName(QStringLiteral("loads"));
    m_loadsGrid->setPrompter(&m_prompter);
    m_loadsNav = new Navigator(loads, m_loadsGrid, box);
    m_loadsNav->setVisibleButtons(Navigator::Insert | Navigator::Delete | Navigator::Edit |
                                  Navigator::Post | Navigator::Cancel);
    m_loadsNav->setConfirmDelete(false);
    m_loadsNav->setPrompter(&m_prompter);
    const std::pair<Navigator::Button, const char*> hints[] = {
        {Navigator::Insert, "Вставка записи"},      {Navigator::Delete, "Удаление записи"},
        {Navigator::Edit, "Редактирование записи"}, {Navigator::Post, "Сохранение записи"},
        {Navigator::Cancel, "Отмена изменений"},
    };
    for (const auto& [which, hint] : hints)
        m_loadsNav->button(which)->setToolTip(QString::fromUtf8(hint));
    // A deleted load takes its schedules with it: the schedule list and the figures follow.
    connect(m_loadsNav, &Navigator::clicked, this, [this] { afterCommand(); });

    auto* layout = new QVBoxLayout(box);
    layout->addWidget(m_loadsNav);
    layout->addWidget(m_loadsGrid, 1);
    return box;
}

QGroupBox* LoadDispatcher::buildSchedules() {
    auto* box = new QGroupBox(m_ac ? QStringLiteral("Суточные графики нагрузки.")
                                   : QStringLiteral("Суточные графики."),
                              this);
    m_schedulesGrid = new BoundGrid(
        schedules(),
        {{QStringLiteral("SutGrafName"), QStringLiteral("Наименование суточного графика")}}, box);
    m_schedulesGrid->setObjectName(QStringLiteral("schedules"));
    m_schedulesGrid->setReadOnly(true);
    m_schedulesGrid->setPrompter(&m_prompter);
    m_schedulesGrid->setMinimumWidth(260);
    m_schedulesGrid->setMinimumHeight(gridHeight(m_schedulesGrid, kListRows));

    const struct {
        Command id;
        const char* text;
        const char* hint;
        std::function<void()> run;
    } commands[] = {
        {Add, "Добавить...", "Добавить суточный график", [this] { addSchedule(); }},
        {Edit, "Редактировать...", "Редактировать суточный график", [this] { editSchedule(); }},
        {Delete, "Удалить", "Удалить суточный график", [this] { deleteSchedule(); }},
        {Copy, "Копировать...", "Создание копии суточного графика", [this] { copySchedule(); }},
        {Charts, "Графики...", "Просмотр суточных графиков нагрузки",
         [this] { showCharts(ChartKind::Schedules); }},
        {Diagrams, "Диаграммы...",
         "Просмотр диаграмм расчетных параметров суточных графиков нагрузки",
         [this] { showCharts(ChartKind::Diagrams); }},
    };
    auto* buttons = new QGridLayout;
    buttons->setSpacing(4);
    int n = 0;
    for (const auto& c : commands) {
        auto* b = new QPushButton(QString::fromUtf8(c.text), box);
        b->setToolTip(QString::fromUtf8(c.hint));
        b->setMinimumWidth(130);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, c.run);
        m_commands[c.id] = b;
        buttons->addWidget(b, n % 3, n / 3);
        ++n;
    }
    buttons->setRowStretch(3, 1);
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(m_schedulesGrid, 1);
    layout->addLayout(buttons);
    return box;
}

QGroupBox* LoadDispatcher::buildFigures() {
    auto* box = new QGroupBox(QStringLiteral(" Расчетные параметры суточного графика "), this);
    const char* names[] = {"Wp_sut", "Pnom30min", "Pmax10min", "Wp_pik"};
    auto* fields = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        m_figures[i] = readOnlyField(box, QString::fromLatin1(names[i]), kFieldWidth);
        m_figureLabels[i] = new QLabel(box);
        fields->addWidget(m_figureLabels[i], i, 0);
        fields->addWidget(m_figures[i], i, 1, Qt::AlignRight);
    }
    m_figureLabels[0]->setText(kDailyEnergyLabel);
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    if (m_ac) {
        // The caption is long: it wraps beside its box instead of widening the window.
        m_sine = shownBox(QString(), box);
        m_sine->setObjectName(QStringLiteral("ClearSinus"));
        auto* caption = new QLabel(QStringLiteral("Наличие потребителей, требующих форму "
                                                  "выходного сигнала инвертора \"чистый синус\""),
                                   box);
        caption->setWordWrap(true);
        auto* sine = new QHBoxLayout;
        sine->addWidget(m_sine, 0, Qt::AlignTop);
        sine->addWidget(caption, 1);
        left->addLayout(sine);
    }
    // The first six lines of the monthly note (the columns shown here), each wrapped under
    // itself.
    QString html;
    for (const QString& line : monthlyNoteLines().mid(0, 6))
        html += QStringLiteral("<p style=\"margin: 0 0 3px 14px; text-indent: -14px;\">") +
                line.toHtmlEscaped() + QStringLiteral("</p>");
    auto* note = new QLabel(html, box);
    note->setObjectName(QStringLiteral("note"));
    note->setTextFormat(Qt::RichText);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A wrapped label does not tell the layout its height: the column's width fixes it.
    note->setFixedWidth(kFiguresWidth);
    note->setMinimumHeight(note->heightForWidth(kFiguresWidth) + note->fontMetrics().height());
    left->addSpacing(8);
    left->addWidget(note);
    left->addStretch(1);

    View& monthly =
        m_dm.tbl(m_ac ? QStringLiteral("proj_gr_prm") : QStringLiteral("proj_gr12_prm"));
    const std::vector<GridColumn> columns = {
        {QStringLiteral("MonthName"), QStringLiteral("Месяц"), true, 80},
        {QStringLiteral("Period_dark"), QStringLiteral("Периоды суток, час."), true, 140},
        {QStringLiteral("Tsut_dark"), QStringLiteral("Tсут.бс, час."), true, 95},
        {QStringLiteral("Wsut_dark"), QStringLiteral("Wсут.бс, Вт*ч."), true, 105},
        {QStringLiteral("Tmax_dark"), QStringLiteral("Tмакс.бс, час."), true, 105},
        {QStringLiteral("Wmax_dark"), QStringLiteral("Wмакс.бс, Вт*ч"), true, 105}};
    int width = 0;
    for (const GridColumn& c : columns)
        width += c.width;
    m_monthlyGrid = new BoundGrid(monthly, columns, box);
    m_monthlyGrid->setObjectName(QStringLiteral("monthly"));
    m_monthlyGrid->setReadOnly(true);
    m_monthlyGrid->setPrompter(&m_prompter);
    m_monthlyGrid->horizontalHeader()->setStretchLastSection(false);
    m_monthlyGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A whole year in view, every column whole.
    m_monthlyGrid->setFixedSize(width + 2 * m_monthlyGrid->frameWidth() + 2,
                                gridHeight(m_monthlyGrid, 12));

    auto* right = new QVBoxLayout;
    right->addWidget(
        new QLabel(QStringLiteral("Параметры суточного графика \"без солнца\"."), box));
    right->addWidget(m_monthlyGrid);
    right->addStretch(1);

    auto* layout = new QHBoxLayout(box);
    layout->addLayout(left);
    layout->addSpacing(16);
    layout->addStretch(1);
    layout->addLayout(right);
    return box;
}

void LoadDispatcher::installLoadNameRule() {
    m_nameRule = std::make_shared<NameRule>();
    m_nameRule->prompter = &m_prompter;
    View& loads = m_dm.tblProj_Inv();
    loads.beforePost = [previous = loads.beforePost, rule = m_nameRule](View& v) {
        if (previous)
            previous(v);
        if (!rule->active)
            return;
        if (const auto e = loadNameRefusal(v[QStringLiteral("Nagr_Name")].asString())) {
            rule->prompter->error(*e);
            throw Abort{};
        }
    };
}

View& LoadDispatcher::schedules() const {
    return schedulesView(m_dm, m_ac);
}

int LoadDispatcher::loadMode() const {
    View& var = m_dm.tblProj1();
    return var.isEmpty() ? 0 : var[QStringLiteral("ParamNagr")].asInteger();
}

void LoadDispatcher::setScheduleDialog(int mode, ScheduleDialog dialog) {
    if (mode >= 0 && mode < 3)
        m_dialogs[mode] = std::move(dialog);
}

LoadDispatcher::ScheduleDialog LoadDispatcher::dialogFor(int mode) {
    const ScheduleDialog d = mode >= 0 && mode < 3 ? m_dialogs[mode] : ScheduleDialog{};
    if (!d)
        m_prompter.error(kNoDialog);
    return d;
}

void LoadDispatcher::setChartViewer(ChartViewer viewer) {
    m_viewer = std::move(viewer);
    updateButtons();
}

void LoadDispatcher::run() {
    m_dcChanged = false;
    exec();
}

void LoadDispatcher::prepareForTour() {
    if (m_ac) {
        View& loads = m_dm.tblProj_Inv();
        for (int r = 0; r < loads.recordCount(); ++r) {
            loads.moveTo(r);
            if (!schedules().isEmpty())
                break;
        }
    }
    schedules().first();
    m_dm.tbl(m_ac ? QStringLiteral("proj_gr_prm") : QStringLiteral("proj_gr12_prm")).first();
    refreshState();
}

void LoadDispatcher::showEvent(QShowEvent* event) {
    if (m_nameRule)
        m_nameRule->active = true;
    refreshState();
    QDialog::showEvent(event);
}

void LoadDispatcher::hideEvent(QHideEvent* event) {
    if (m_nameRule)
        m_nameRule->active = false;
    QDialog::hideEvent(event);
}

void LoadDispatcher::refreshState() {
    const ScheduleInputs in = readScheduleInputs(m_dm, m_ac);
    if (m_ac) {
        m_figureLabels[1]->setText(nominalPowerLabel(in.nomMinutes));
        m_figureLabels[2]->setText(maximumPowerLabel(in.maxMinutes));
        m_figureLabels[3]->setText(kPeakPowerLabel);
    } else {
        m_figureLabels[1]->setText(QStringLiteral("Номинальная мощность (не менее 30 минут), Вт:"));
        m_figureLabels[2]->setText(
            QStringLiteral("Максимальная мощность (не более 10 минут), Вт:"));
        m_figureLabels[3]->setText(QStringLiteral("Пиковая мощность (6 секунд), Вт:"));
    }
    m_region->setText(in.region);
    m_region->setCursorPosition(0);
    m_dailyCycle->setChecked(in.dailyCycle);
    View& var = m_dm.tblProj1();
    m_k->setText(var.isEmpty() ? QString() : var[QStringLiteral("KolHourWithoutSun")].asString());
    m_kLabel->setEnabled(!in.dailyCycle);
    m_k->setEnabled(!in.dailyCycle);
    m_schedulesGrid->fitColumns();
    m_monthlyGrid->fitColumns();
    updateFigures();
    updateButtons();
}

void LoadDispatcher::updateButtons() {
    View& s = schedules();
    View& loads = m_dm.tblProj_Inv();
    // While a new load is typed its schedules are not there yet.
    const bool inserting = m_ac && loads.state() == ViewState::Insert;
    const bool hasSchedule = !s.isEmpty() && !inserting;
    m_commands[Add]->setEnabled(!m_ac || !loads.isEmpty());
    for (const Command c : {Edit, Delete, Copy})
        m_commands[c]->setEnabled(hasSchedule);
    m_commands[Charts]->setEnabled(hasSchedule && loadMode() != 0 && bool(m_viewer));
    m_commands[Diagrams]->setEnabled(hasSchedule && bool(m_viewer));
}

void LoadDispatcher::updateFigures() {
    View& s = schedules();
    const bool any = !s.isEmpty() && !(m_ac && m_dm.tblProj_Inv().state() == ViewState::Insert);
    const auto text = [&](const char* column) {
        return any ? s[QString::fromLatin1(column)].asString() : QString();
    };
    m_figures[0]->setText(text("Wp_sut"));
    m_figures[1]->setText(text("Pnom30min"));
    m_figures[2]->setText(text("Pmax10min"));
    m_figures[3]->setText(text("Wp_pik"));
    m_from->setText(text("MonthName1"));
    m_to->setText(text("MonthName2"));
    if (m_sine)
        m_sine->setChecked(any && s[QStringLiteral("ClearSinus")].asBoolean());
}

bool LoadDispatcher::settleLoads() {
    if (!m_ac)
        return true;
    View& loads = m_dm.tblProj_Inv();
    if (!m_loadsGrid->commitEditor())
        return false;
    if (!loads.isEditing())
        return true;
    try {
        return loads.post();
    } catch (const DbError& e) {
        m_prompter.error(e.message());
        return false;
    }
}

void LoadDispatcher::afterCommand() {
    // A cancelled consumer dialog may have left its edits; the aggregates follow them.
    if (m_ac && !m_dm.tblProj_Inv().isEditing())
        refreshLoadAggregates(m_dm);
    updateFigures();
    updateButtons();
}

void LoadDispatcher::addSchedule() {
    if (!settleLoads() || !m_commands[Add]->isEnabled())
        return;
    const int mode = loadMode();
    const ScheduleDialog dialog = dialogFor(mode);
    if (!dialog)
        return;
    View& s = schedules();
    const Bookmark back = s.bookmark();
    const ScheduleInputs in = readScheduleInputs(m_dm, m_ac);
    ScheduleDraft d = newScheduleDraft(m_dm, m_ac);
    if (mode == 2) {
        // The consumers hang from the schedule row: it exists while the dialog runs, and goes
        // with them when the dialog is cancelled.
        bool stored = false;
        {
            Transaction tr(m_dm.store());
            if (ses::appendBlankSchedule(m_dm, m_ac, d) && dialog(d, in, otherSchedules(s, true)) &&
                ses::editSchedule(m_dm, m_ac, d)) {
                tr.commit();
                stored = true;
            }
        }
        if (!stored)
            s.gotoBookmark(back);
    } else if (dialog(d, in, otherSchedules(s, false))) {
        ses::addSchedule(m_dm, m_ac, d);
    }
    afterCommand();
}

void LoadDispatcher::editSchedule() {
    if (!settleLoads() || schedules().isEmpty())
        return;
    const ScheduleDialog dialog = dialogFor(loadMode());
    if (!dialog)
        return;
    View& s = schedules();
    const ScheduleInputs in = readScheduleInputs(m_dm, m_ac);
    ScheduleDraft d = loadSchedule(m_dm, s, m_ac);
    if (dialog(d, in, otherSchedules(s, true)))
        ses::editSchedule(m_dm, m_ac, d);
    afterCommand();
}

void LoadDispatcher::deleteSchedule() {
    if (!settleLoads() || schedules().isEmpty())
        return;
    if (!m_prompter.question(QStringLiteral("Удалить суточный график?")))
        return;
    ses::deleteSchedule(m_dm, m_ac);
    afterCommand();
}

void LoadDispatcher::copySchedule() {
    if (!settleLoads() || schedules().isEmpty())
        return;
    View& s = schedules();
    const auto range = freeMonthRange(scheduleSummaries(s));
    if (!range) {
        m_prompter.error(kNoFreeMonths);
        return;
    }
    const ScheduleDialog dialog = dialogFor(loadMode());
    if (!dialog)
        return;
    m_prompter.information(kCopyNotice);
    QString name = s[QStringLiteral("SutGrafName")].asString() + QStringLiteral("_1");
    for (;;) {
        const std::optional<QString> typed = m_prompter.textInput(kCopyCaption, kCopyPrompt, name);
        if (!typed)
            return;
        name = *typed;
        const auto refusal = scheduleNameRefusal(name);
        if (!refusal)
            break;
        m_prompter.error(*refusal);
    }
    // The copy gets a free range at once; its dialog then lets the user choose the range (and
    // type what a schedule by parameters needs for new months) before anything is kept.
    const Bookmark back = s.bookmark();
    bool stored = false;
    {
        Transaction tr(m_dm.store());
        std::optional<int> key;
        {
            WaitCursor wait;
            key = ses::copySchedule(m_dm, m_ac, name, range->first, range->second);
        }
        if (key) {
            const ScheduleInputs in = readScheduleInputs(m_dm, m_ac);
            ScheduleDraft d = loadSchedule(m_dm, s, m_ac);
            if (dialog(d, in, otherSchedules(s, true)) && ses::editSchedule(m_dm, m_ac, d)) {
                tr.commit();
                stored = true;
            }
        }
    }
    if (!stored)
        s.gotoBookmark(back);
    afterCommand();
}

QString LoadDispatcher::chartCaption() const {
    if (!m_ac)
        return QStringLiteral("Нагрузка постоянного напряжения АБ.");
    return QStringLiteral("Нагрузка переменного напряжения: %1.")
        .arg(m_dm.tblProj_Inv()[QStringLiteral("Nagr_Name")].asString());
}

void LoadDispatcher::showCharts(ChartKind kind) {
    if (!m_viewer || !settleLoads() || schedules().isEmpty())
        return;
    m_viewer(kind, chartCaption(), m_ac ? QStringLiteral("220") : QStringLiteral("12"));
}

bool LoadDispatcher::tryClose() {
    if (!settleLoads())
        return false;
    if (const auto refusal = closeRefusal(m_dm, m_ac)) {
        m_prompter.error(*refusal);
        return false;
    }
    if (!m_ac)
        m_dcChanged = storeDcFigures(m_dm);
    QDialog::accept();
    return true;
}

void LoadDispatcher::reject() {
    tryClose();
}

} // namespace ses
