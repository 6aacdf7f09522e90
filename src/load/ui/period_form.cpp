#include "load/ui/period_form.h"

#include "lib/numbers.h"
#include "load/ui/schedule_panels.h"
#include "widgets/dialog_buttons.h"
#include "widgets/number_field.h"
#include "widgets/step_buttons.h"
#include "widgets/string_grid.h"
#include "widgets/windows.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ses {

namespace {

constexpr double kDayHours = 24;
constexpr int kFieldWidth = 80;

// A list of whole hours that also takes typed decimals.
QComboBox* hourList(int from, int to, NumberField*& field, Prompter& prompter, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    field = new NumberField(NumberField::Kind::Decimal, box);
    field->setPrompter(&prompter);
    field->setAlignment(Qt::AlignRight);
    box->setLineEdit(field);
    for (int h = from; h <= to; ++h)
        box->addItem(QString::number(h));
    box->setMaxVisibleItems(12);
    box->setFixedWidth(kFieldWidth);
    return box;
}

NumberField* numberField(const QString& text, Prompter& prompter, QWidget* parent) {
    auto* f = new NumberField(NumberField::Kind::Decimal, parent);
    f->setPrompter(&prompter);
    f->setAlignment(Qt::AlignRight);
    f->setFixedWidth(kFieldWidth);
    f->setText(text);
    return f;
}

// The field followed by one pair of step buttons per step.
QHBoxLayout* withSteps(QWidget* field, NumberField* number, std::initializer_list<double> steps,
                       std::vector<StepButtons*>& made, QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    row->addWidget(field);
    for (const double s : steps) {
        auto* b = new StepButtons(number, s, parent);
        row->addWidget(b);
        made.push_back(b);
    }
    row->addStretch(1);
    return row;
}

} // namespace

TPeriodFm::TPeriodFm(Prompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TPeriodFm"));

    m_consumer = new QLineEdit(this);
    m_consumer->setReadOnly(true);
    m_consumer->setFocusPolicy(Qt::NoFocus);
    m_pnomText = new QLineEdit(this);
    m_pnomText->setReadOnly(true);
    m_pnomText->setFocusPolicy(Qt::NoFocus);
    m_pnomText->setAlignment(Qt::AlignRight);
    m_pnomText->setFixedWidth(kFieldWidth);
    auto* consumerRow = new QHBoxLayout;
    consumerRow->addWidget(new QLabel(QStringLiteral("Электроприемник:"), this));
    consumerRow->addWidget(m_consumer, 1);
    consumerRow->addSpacing(12);
    consumerRow->addWidget(new QLabel(QStringLiteral("Pном., Вт:"), this));
    consumerRow->addWidget(m_pnomText);

    auto* basisBox =
        new QGroupBox(QStringLiteral(" Выбор расчетного параметра электроприемника  "), this);
    m_energyBasis = new QRadioButton(
        QStringLiteral("суточное потребление электроэнергии электроприемником"), basisBox);
    m_timeBasis = new QRadioButton(
        QStringLiteral("суточная продолжительность работы электроприемника"), basisBox);
    m_energyBasis->setChecked(true);
    auto* basisGroup = new QButtonGroup(this);
    basisGroup->addButton(m_energyBasis);
    basisGroup->addButton(m_timeBasis);
    auto* basisLayout = new QVBoxLayout(basisBox);
    basisLayout->addWidget(m_energyBasis);
    basisLayout->addWidget(m_timeBasis);
    connect(m_energyBasis, &QRadioButton::toggled, this, [this] { basisChanged(); });

    m_energy = numberField(QStringLiteral("1000"), m_prompter, this);
    m_energy->setObjectName(QStringLiteral("energy"));
    m_time = numberField(QStringLiteral("10"), m_prompter, this);
    m_time->setObjectName(QStringLiteral("time"));
    m_beginBox = hourList(0, 23, m_begin, m_prompter, this);
    m_endBox = hourList(1, 24, m_end, m_prompter, this);
    m_stepBox = hourList(1, 23, m_step, m_prompter, this);
    m_begin->setText(QStringLiteral("0"));
    m_end->setText(QStringLiteral("24"));
    m_step->setText(QStringLiteral("1"));

    std::vector<StepButtons*> hourSteps;
    auto* fields = new QGridLayout;
    const auto addRow = [&](int row, const QString& caption, QWidget* field, QLayout* steps) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        fields->addWidget(label, row, 0);
        fields->addLayout(steps, row, 1);
    };
    addRow(0, QStringLiteral("Суточное потребление электроэнергии, Вт*ч:"), m_energy,
           withSteps(m_energy, m_energy, {1000, 100, 10, 1}, m_energySteps, this));
    addRow(1, QStringLiteral("Суточная продолжительность работы, час.:"), m_time,
           withSteps(m_time, m_time, {1, 0.1, 0.01}, m_timeSteps, this));
    std::vector<StepButtons*> beginSteps;
    addRow(2, QStringLiteral("Начало периода работы электроприемника, час.:"), m_beginBox,
           withSteps(m_beginBox, m_begin, {1, 0.1, 0.01}, beginSteps, this));
    addRow(3, QStringLiteral("Окончание периода работы электроприемника, час.:"), m_endBox,
           withSteps(m_endBox, m_end, {1, 0.1, 0.01}, hourSteps, this));
    addRow(4, QStringLiteral("Периодичность включения электроприемника, час.:"), m_stepBox,
           withSteps(m_stepBox, m_step, {1, 0.1, 0.01}, hourSteps, this));
    for (StepButtons* b : m_timeSteps)
        b->setUpRule(StepButtons::Mode::UpperBound, kDayHours);
    for (StepButtons* b : hourSteps)
        b->setUpRule(StepButtons::Mode::UpperBound, kDayHours);
    for (StepButtons* b : beginSteps) {
        b->setUpRule(StepButtons::Mode::UpperBound, kDayHours);
        b->setDownRule(StepButtons::Mode::LowerBound, 0, QStringLiteral("0.#####"));
    }
    fields->setColumnStretch(1, 1);

    auto* splitButton = new QPushButton(QStringLiteral("Разбивка"), this);
    splitButton->setToolTip(
        QStringLiteral("Разбивка периода работы электроприемника на временные промежутки"));
    splitButton->setMinimumWidth(90);
    connect(splitButton, &QPushButton::clicked, this, [this] { split(); });
    auto* splitRow = new QHBoxLayout;
    splitRow->addStretch(1);
    splitRow->addWidget(splitButton);

    auto* left = new QVBoxLayout;
    left->addWidget(basisBox);
    left->addLayout(fields);
    left->addLayout(splitRow);
    left->addStretch(1);

    auto* tableBox = new QGroupBox(QStringLiteral("Таблица времени работы."), this);
    m_grid = new StringGrid(tableBox);
    m_grid->setObjectName(QStringLiteral("periodGrid"));
    m_grid->setFixedRow(true);
    m_grid->setColCount(2);
    m_grid->setRowCount(2);
    m_grid->setCell(0, 0, QStringLiteral("   Т1, час."));
    m_grid->setCell(1, 0, QStringLiteral("   Т2, час."));
    m_grid->setColWidth(0, 90);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setReadOnly(true);
    auto* tableLayout = new QVBoxLayout(tableBox);
    tableLayout->addWidget(m_grid);
    tableBox->setFixedWidth(230);

    auto* middle = new QHBoxLayout;
    middle->addLayout(left, 1);
    middle->addWidget(tableBox);

    const DialogButtons buttons = makeDialogButtons(this, info);
    m_ok = buttons.ok;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(consumerRow);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons.layout);

    for (NumberField* f : {m_energy, m_time, m_begin, m_end, m_step})
        connect(f, &QLineEdit::textChanged, this, [this] { clearPeriods(); });
    basisChanged();
    clearPeriods();
    resize(820, 400);
}

void TPeriodFm::prepare(const QString& consumerName, double pnom) {
    m_pnom = pnom;
    m_consumer->setText(consumerName);
    m_pnomText->setText(numberToText(pnom));
    clearPeriods();
}

std::optional<std::vector<std::pair<double, double>>> TPeriodFm::run(const QString& consumerName,
                                                                     double pnom) {
    prepare(consumerName, pnom);
    (m_energyBasis->isChecked() ? m_energy : m_time)->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_periods;
}

void TPeriodFm::loadForTour() {
    prepare(QStringLiteral("Насос скважинный погружной"), 750);
    m_energyBasis->setChecked(true);
    m_energy->setText(QStringLiteral("3000"));
    m_begin->setText(QStringLiteral("6"));
    m_end->setText(QStringLiteral("22"));
    m_step->setText(QStringLiteral("4"));
    split();
}

void TPeriodFm::basisChanged() {
    const bool energy = m_energyBasis->isChecked();
    m_energy->setEnabled(energy);
    for (StepButtons* b : m_energySteps)
        b->setEnabled(energy);
    m_time->setEnabled(!energy);
    for (StepButtons* b : m_timeSteps)
        b->setEnabled(!energy);
    clearPeriods();
}

void TPeriodFm::clearPeriods() {
    m_periods.clear();
    m_grid->setRowCount(2);
    m_grid->clearCells();
    m_ok->setEnabled(false);
}

PeriodInputs TPeriodFm::inputs() const {
    PeriodInputs in;
    in.energyBasis = m_energyBasis->isChecked();
    in.energy = m_energy->text();
    in.time = m_time->text();
    in.begin = m_begin->text();
    in.end = m_end->text();
    in.step = m_step->text();
    in.pnom = m_pnom;
    return in;
}

NumberField* TPeriodFm::fieldOf(PeriodField f) const {
    switch (f) {
    case PeriodField::Energy:
        return m_energy;
    case PeriodField::Time:
        return m_time;
    case PeriodField::Begin:
        return m_begin;
    case PeriodField::End:
        return m_end;
    case PeriodField::Step:
        return m_step;
    }
    return m_energy;
}

bool TPeriodFm::split() {
    clearPeriods();
    const PeriodResult r = generatePeriods(inputs());
    if (r.error) {
        m_prompter.error(*r.error);
        if (r.errorField) {
            NumberField* f = fieldOf(*r.errorField);
            f->setFocus();
            f->selectAll();
        }
        return false;
    }
    m_periods = r.periods;
    m_grid->setRowCount(1 + std::max<int>(1, int(m_periods.size())));
    for (int i = 0; i < int(m_periods.size()); ++i) {
        m_grid->setCell(0, i + 1, numberToText(m_periods[i].first));
        m_grid->setCell(1, i + 1, numberToText(m_periods[i].second));
    }
    m_ok->setEnabled(!m_grid->cell(0, 1).isEmpty());
    return !m_periods.empty();
}

void TPeriodFm::accept() {
    // The button is offered only with a split on screen; Enter may still arrive without one.
    if (m_periods.empty())
        return;
    QDialog::accept();
}

} // namespace ses
