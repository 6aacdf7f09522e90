#include "load/ui/nagr_form.h"

#include "lib/entry.h"
#include "lib/numbers.h"
#include "load/ui/schedule_panels.h"
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
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ses {

namespace {

constexpr int kWsutColumn = 3;
constexpr int kWmaxColumn = 5;

} // namespace

TNagrForm::TNagrForm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TNagrForm"));

    m_header = new ScheduleHeader(this);
    connect(m_header, &ScheduleHeader::rangeChanged, this, [this] { rebuildRows(); });

    auto* figures = new QGroupBox(QStringLiteral(" Расчетные параметры суточного графика "), this);
    const auto field = [&](const QString& name, const QString& text) {
        auto* f = new NumberField(NumberField::Kind::Decimal, figures);
        f->setObjectName(name);
        f->setPrompter(&m_prompter);
        f->setAlignment(Qt::AlignRight);
        f->setFixedWidth(90);
        f->setText(text);
        return f;
    };
    m_wpSut = field(QStringLiteral("Wp_sut"), QStringLiteral("5000"));
    m_pnom = field(QStringLiteral("Pnom30min"), QStringLiteral("1500"));
    m_pmax = field(QStringLiteral("Pmax10min"), QStringLiteral("1500"));
    m_peak = field(QStringLiteral("Wp_pik"), QStringLiteral("2500"));
    connect(m_wpSut, &QLineEdit::textChanged, this, [this] {
        if (!m_filling)
            inputsChanged();
    });
    m_pnomLabel = new QLabel(figures);
    m_pmaxLabel = new QLabel(figures);
    auto* grid = new QGridLayout(figures);
    const auto place = [&](QLabel* label, NumberField* f, int row, int column) {
        label->setBuddy(f);
        auto* box = new QHBoxLayout;
        box->setSpacing(2);
        box->addWidget(f);
        for (const double step : {1000.0, 100.0, 10.0})
            box->addWidget(new StepButtons(f, step, figures));
        grid->addWidget(label, row, column);
        grid->addLayout(box, row, column + 1);
    };
    place(new QLabel(kDailyEnergyLabel, figures), m_wpSut, 0, 0);
    place(m_pnomLabel, m_pnom, 1, 0);
    place(m_pmaxLabel, m_pmax, 0, 3);
    place(new QLabel(kPeakPowerLabel, figures), m_peak, 1, 3);
    const PureSineRow sine = makePureSineRow(figures);
    m_sine = sine.box;
    m_sineLabel = sine.label;
    grid->addLayout(sine.layout, 2, 0, 1, 5);
    grid->setColumnMinimumWidth(2, 30);
    grid->setColumnStretch(5, 1);

    auto* monthlyBox =
        new QGroupBox(QStringLiteral("Параметры суточного графика \"без солнца\"."), this);
    m_monthly = new MonthlyTable(monthlyBox);
    m_monthly->setTyped(true);
    connect(m_monthly->grid()->model(), &QAbstractItemModel::dataChanged, this, [this] {
        if (!m_filling)
            inputsChanged();
    });
    auto* notice = new QLabel(
        QStringLiteral("Справка. Столбцы таблицы \"Wсут.бс, Вт*ч\" и \"Wмакс.бс, Вт*ч\" "
                       "заполняются пользователем вручную при помощи клавиатуры (допустимы символы "
                       "\"0\"...\"9\")."),
        monthlyBox);
    notice->setWordWrap(true);
    auto* test = new QPushButton(QStringLiteral("Тестировать таблицу"), monthlyBox);
    connect(test, &QPushButton::clicked, this, [this] { testTable(); });
    auto* calc = new QPushButton(QStringLiteral("Расчет параметров"), monthlyBox);
    connect(calc, &QPushButton::clicked, this, [this] { calculate(); });
    auto* below = new QHBoxLayout;
    below->addWidget(notice, 1);
    below->addWidget(test);
    below->addWidget(calc);
    auto* monthlyLayout = new QVBoxLayout(monthlyBox);
    monthlyLayout->addWidget(m_monthly, 1);
    monthlyLayout->addLayout(below);

    QPushButton* exportButton = makeExportButton(this, kScheduleExportHint);
    connect(exportButton, &QPushButton::clicked, this, &TNagrForm::exportReport);
    const DialogButtons buttons = makeDialogButtons(this, info, {.commands = {exportButton}});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_header);
    layout->addWidget(figures);
    layout->addWidget(monthlyBox, 1);
    layout->addLayout(buttons.layout);
    setTabOrder(m_wpSut, m_pnom);
    setTabOrder(m_pnom, m_pmax);
    setTabOrder(m_pmax, m_peak);
    resize(1200, 690);
}

bool TNagrForm::run(ScheduleDraft& draft, const ScheduleInputs& in,
                    const std::vector<OtherSchedule>& others, bool ac) {
    prepare(draft, in, others, ac);
    if (exec() != QDialog::Accepted)
        return false;
    draft = m_draft;
    return true;
}

void TNagrForm::prepare(const ScheduleDraft& draft, const ScheduleInputs& in,
                        const std::vector<OtherSchedule>& others, bool ac) {
    m_in = in;
    m_others = others;
    m_ac = ac;
    m_draft = ScheduleDraft{};
    m_header->setSchedule(draft.name, draft.from, draft.to);
    m_header->setInputs(in);
    m_pnomLabel->setText(nominalPowerLabel(in.nomMinutes));
    m_pmaxLabel->setText(maximumPowerLabel(in.maxMinutes));
    const bool editing = draft.wpSut.has_value();
    m_filling = true;
    if (editing) {
        m_wpSut->setValue(draft.wpSut);
        m_pnom->setValue(draft.pnom);
        m_pmax->setValue(draft.pmax);
        m_peak->setValue(draft.peak);
    }
    m_filling = false;
    m_sine->setChecked(ac && draft.clearSinus);
    m_sine->setEnabled(ac);
    m_sineLabel->setEnabled(ac);
    rebuildRows();
    // A stored month finds its own row: the rebuilt rows follow the present day-light table, which
    // may lack months the stored rows have.
    for (const MonthlyRow& stored : draft.monthly)
        for (int r = 0; r < int(m_frame.size()); ++r)
            if (m_frame[r].month == stored.month)
                setEnergies(r, numberToText(stored.wsutDark), numberToText(stored.wmaxDark));
    if (editing)
        runCalculation(false, false);
    m_header->nameEdit()->setFocus();
}

void TNagrForm::loadForTour(const ScheduleInputs& in) {
    ScheduleDraft d;
    d.name = QStringLiteral("Дачный дом, по параметрам");
    d.from = QStringLiteral("январь");
    d.to = QStringLiteral("декабрь");
    d.clearSinus = true;
    // The figures and dark-hour energies of the tour's interval day.
    const std::vector<Interval> day = parseIntervals(tourIntervals());
    const MonthlyResult built = monthlyRows(day, d.from, d.to, in);
    d.wpSut = built.params.wpSut;
    d.pnom = built.params.pnom;
    d.pmax = built.params.pmax;
    d.peak = 2500;
    d.monthly = built.rows;
    prepare(d, in, {}, true);
}

void TNagrForm::rebuildRows() {
    m_frame = typedFrame(m_header->from(), m_header->to(), m_in);
    std::vector<QStringList> texts;
    for (const MonthlyRow& r : m_frame) {
        QStringList row = r.texts();
        for (int c = 3; c < row.size(); ++c)
            if (c != 4)
                row[c].clear();
        texts.push_back(row);
    }
    m_filling = true;
    m_monthly->setRows(texts);
    m_filling = false;
    m_rows.clear();
    m_current = false;
    m_monthly->grid()->setCurrentCell(0, kWsutColumn);
}

void TNagrForm::inputsChanged() {
    // The computed columns no longer match what is typed: empty them until the next calculation.
    m_current = false;
    const bool maxTyped = typedMaxRequired(m_in.dailyCycle, m_in.hoursWithoutSun);
    StringGrid* g = m_monthly->grid();
    m_filling = true;
    for (int r = 0; r < int(m_frame.size()); ++r) {
        if (!maxTyped)
            g->setCell(kWmaxColumn, r + 1, QString());
        for (int c = 6; c < g->colCount(); ++c)
            g->setCell(c, r + 1, QString());
    }
    m_filling = false;
}

void TNagrForm::setEnergies(int row, const QString& wsut, const QString& wmax) {
    m_filling = true;
    m_monthly->grid()->setCell(kWsutColumn, row + 1, wsut);
    m_monthly->grid()->setCell(kWmaxColumn, row + 1, wmax);
    m_filling = false;
    inputsChanged();
}

std::vector<TypedEnergies> TNagrForm::energies() const {
    std::vector<TypedEnergies> e;
    const StringGrid* g = m_monthly->grid();
    for (int r = 0; r < int(m_frame.size()); ++r)
        e.push_back({g->cell(kWsutColumn, r + 1), g->cell(kWmaxColumn, r + 1)});
    return e;
}

void TNagrForm::focusCell(int column, int row) {
    m_monthly->grid()->setCurrentCell(row, column);
    m_monthly->grid()->setFocus();
}

bool TNagrForm::testTable() {
    const TypedCheck t = checkTypedTable(m_frame, energies(), m_in.dailyCycle, m_in.hoursWithoutSun,
                                         parseNumber(m_wpSut->text()));
    if (!t.ok) {
        m_prompter.error(t.message);
        focusCell(t.column, t.row);
        return false;
    }
    m_prompter.information(QStringLiteral("Ошибки не обнаружены."));
    return true;
}

bool TNagrForm::calculate() {
    return runCalculation(true, true);
}

bool TNagrForm::runCalculation(bool tellErrors, bool tellProblems) {
    if (const auto e =
            checkNonZero(m_wpSut->text(), QStringLiteral("суточного потребления электроэнергии"))) {
        if (tellErrors) {
            m_prompter.error(*e);
            m_wpSut->setFocus();
            m_wpSut->selectAll();
        }
        return false;
    }
    const double wp = *parseNumber(m_wpSut->text());
    const std::vector<TypedEnergies> typed = energies();
    const TypedCheck t = checkTypedTable(m_frame, typed, m_in.dailyCycle, m_in.hoursWithoutSun, wp);
    if (!t.ok) {
        if (tellErrors) {
            m_prompter.error(t.message);
            focusCell(t.column, t.row);
        }
        return false;
    }
    const MonthlyResult res = typedMonthlyRows(m_frame, typed, wp, m_in);
    StringGrid* g = m_monthly->grid();
    m_filling = true;
    for (int r = 0; r < int(res.rows.size()); ++r) {
        const QStringList texts = res.rows[r].texts();
        for (int c = 4; c < texts.size(); ++c)
            if (c != kWmaxColumn || !typedMaxRequired(m_in.dailyCycle, m_in.hoursWithoutSun))
                g->setCell(c, r + 1, texts[c]);
    }
    m_filling = false;
    m_monthly->fitColumns();
    m_rows = res.rows;
    m_current = true;
    if (tellProblems && !res.problems.isEmpty())
        m_prompter.information(res.problems.join(u'\n'));
    return true;
}

ScheduleReport TNagrForm::report() {
    ScheduleReport r = scheduleReport(
        *m_header, m_in,
        {m_wpSut, m_pnom, m_pmax, m_peak, m_pnomLabel, m_pmaxLabel, m_sine, m_monthly});
    return r;
}

void TNagrForm::writeReport(ReportWriter& w) {
    writeScheduleReport(w, report());
}

void TNagrForm::exportReport() {
    const ScheduleReport r = report();
    ses::exportReport(m_prompter, [&r](ReportWriter& w) { writeScheduleReport(w, r); });
}

void TNagrForm::accept() {
    if (m_header->name().trimmed().isEmpty()) {
        m_prompter.error(kNameRequired);
        m_header->nameEdit()->setFocus();
        return;
    }
    const auto refuse = [this](const QString& message, NumberField* f) {
        m_prompter.error(message);
        f->setFocus();
        f->selectAll();
    };
    if (const auto e =
            checkNonZero(m_wpSut->text(), QStringLiteral("суточного потребления электроэнергии"))) {
        refuse(*e, m_wpSut);
        return;
    }
    const struct {
        NumberField* f;
        const char* quantity;
    } powers[] = {{m_pnom, "номинальной выходной мощности"},
                  {m_pmax, "максимальной выходной мощности"},
                  {m_peak, "пиковой выходной мощности"}};
    for (const auto& p : powers)
        if (const auto e = checkNumber(p.f->text(), QString::fromUtf8(p.quantity))) {
            refuse(*e, p.f);
            return;
        }
    const double pnom = *parseNumber(m_pnom->text());
    const double pmax = *parseNumber(m_pmax->text());
    const double peak = *parseNumber(m_peak->text());
    if (!notAbove(pnom, pmax)) {
        refuse(QStringLiteral("Значение максимальной выходной мощности не должно быть меньше "
                              "значения номинальной выходной мощности."),
               m_pmax);
        return;
    }
    if (!notAbove(pnom, peak)) {
        refuse(QStringLiteral("Значение пиковой выходной мощности не должно быть меньше значения "
                              "номинальной выходной мощности."),
               m_peak);
        return;
    }
    if (!notAbove(pmax, peak)) {
        refuse(QStringLiteral("Значение пиковой выходной мощности не должно быть меньше значения "
                              "максимальной выходной мощности."),
               m_peak);
        return;
    }
    const QString from = m_header->from(), to = m_header->to();
    if (const auto e = monthRangeConflict(from, to, m_others)) {
        m_prompter.error(*e);
        m_header->fromBox()->setFocus();
        return;
    }
    // The monthly figures handed over are those of the inputs on screen.
    if (!runCalculation(true, !m_current))
        return;
    m_draft = ScheduleDraft{};
    m_draft.name = m_header->name().trimmed();
    m_draft.from = from;
    m_draft.to = to;
    m_draft.wpSut = *parseNumber(m_wpSut->text());
    m_draft.pnom = pnom;
    m_draft.pmax = pmax;
    m_draft.peak = peak;
    m_draft.clearSinus = m_ac && m_sine->isChecked();
    m_draft.monthly = m_rows;
    QDialog::accept();
}

} // namespace ses
