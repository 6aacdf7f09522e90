#include "app/ui/param_form.h"

#include "data/data_module.h"
#include "lib/entry.h"
#include "widgets/dialog_buttons.h"
#include "widgets/number_field.h"
#include "widgets/step_buttons.h"
#include "widgets/windows.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ses {

namespace {

// A group of option buttons, one per text, with the option's number as its id.
QButtonGroup* addOptions(QWidget* box, QVBoxLayout* layout, const QStringList& texts) {
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < texts.size(); ++i) {
        auto* b = new QRadioButton(texts[i], box);
        group->addButton(b, i);
        layout->addWidget(b);
    }
    return group;
}

void checkOption(QButtonGroup* group, int id) {
    if (QAbstractButton* b = group->button(id))
        b->setChecked(true);
    else
        group->button(0)->setChecked(true);
}

} // namespace

TParamFrm::TParamFrm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TParamFrm"));

    // Load windows: whole minutes, +1 / +10 up to an hour, down never to 0.
    auto* loadBox = new QGroupBox(QStringLiteral(" Суточный график нагрузки "), this);
    auto* loadGrid = new QGridLayout(loadBox);
    const auto addWindow = [&](int row, const QString& caption, const QString& name) {
        auto* field = new NumberField(NumberField::Kind::Integer, loadBox);
        field->setObjectName(name);
        field->setPrompter(&m_prompter);
        field->setAlignment(Qt::AlignRight);
        field->setFixedWidth(60);
        auto* label = new QLabel(caption, loadBox);
        label->setBuddy(field);
        loadGrid->addWidget(label, row, 0);
        loadGrid->addWidget(field, row, 1);
        int column = 2;
        for (const int step : {1, 10}) {
            auto* steps = new StepButtons(field, step, loadBox);
            steps->setUpRule(StepButtons::Mode::UpperBound, kLoadWindowStepLimit);
            steps->setDownRule(StepButtons::Mode::Positive);
            loadGrid->addWidget(steps, row, column++);
            // Two pairs serve one field: each says its step.
            loadGrid->addWidget(new QLabel(QStringLiteral("±%1").arg(step), loadBox), row,
                                column++);
        }
        return field;
    };
    m_pnom = addWindow(0, QStringLiteral("Длительность номинальной нагрузки более, мин.:"),
                       QStringLiteral("SutGr_Pnom_Time"));
    m_pmax = addWindow(1, QStringLiteral("Длительность максимальной нагрузки не более, мин.:"),
                       QStringLiteral("SutGr_Pmax_Time"));
    loadGrid->setColumnStretch(6, 1);

    auto* kproizBox = new QGroupBox(
        QStringLiteral(" Извлечение коэффициента падения производительности СЭ "), this);
    auto* kproizLayout = new QVBoxLayout(kproizBox);
    m_kproiz = addOptions(
        kproizBox, kproizLayout,
        {QStringLiteral("таблица 1 (угол ориентации солнечных панелей: 90 - 270 град., угол их "
                        "наклона: 15 - 60 град.)"),
         QStringLiteral("таблица 2 (угол ориентации солнечных панелей: 0 - 360 град., угол их "
                        "наклона:  0 - 90 град.)")});

    auto* currentBox = new QGroupBox(
        QStringLiteral(" Расчет суммарного тока массива СП при подключении к PWM-контроллеру "),
        this);
    auto* currentLayout = new QVBoxLayout(currentBox);
    m_scoreIsp = addOptions(currentBox, currentLayout,
                            {QStringLiteral("по току в рабочей точке солнечной панели"),
                             QStringLiteral("по току короткого замыкания солнечной панели")});

    auto* tiltBox =
        new QGroupBox(QStringLiteral(" Оптимальный угол наклона солнечных панелей  "), this);
    auto* modeBox = new QGroupBox(QStringLiteral(" Определение значения угла наклона "), tiltBox);
    auto* modeLayout = new QVBoxLayout(modeBox);
    m_tiltMode =
        addOptions(modeBox, modeLayout,
                   {QStringLiteral("автоматический расчет"), QStringLiteral("ручной ввод")});
    m_day = new QComboBox(tiltBox);
    m_day->setObjectName(QStringLiteral("OptimUgolDay"));
    for (int d = kFirstTiltDay; d <= kLastTiltDay; ++d)
        m_day->addItem(QString::number(d), d);
    m_dayLabel =
        new QLabel(QStringLiteral("Число дня месяца для автоматического расчета:"), tiltBox);
    m_dayLabel->setBuddy(m_day);
    auto* dayRow = new QHBoxLayout;
    dayRow->addWidget(m_dayLabel);
    dayRow->addWidget(m_day);
    dayRow->addStretch(1);
    auto* tiltLayout = new QVBoxLayout(tiltBox);
    tiltLayout->addWidget(modeBox);
    tiltLayout->addLayout(dayRow);
    connect(m_tiltMode, &QButtonGroup::idToggled, this, [this] { updateDayEnabled(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(loadBox);
    layout->addWidget(kproizBox);
    layout->addWidget(currentBox);
    layout->addWidget(tiltBox);
    layout->addStretch(1);
    layout->addLayout(makeDialogButtons(this, info).layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setValues(ProgramSettings{});
}

void TParamFrm::updateDayEnabled() {
    const bool automatic = m_tiltMode->checkedId() == 0;
    m_day->setEnabled(automatic);
    m_dayLabel->setEnabled(automatic);
}

void TParamFrm::setValues(const ProgramSettings& s) {
    m_pnom->setText(QString::number(s.pnomTime));
    m_pmax->setText(QString::number(s.pmaxTime));
    checkOption(m_kproiz, s.kproizTable);
    checkOption(m_scoreIsp, s.scoreIsp);
    checkOption(m_tiltMode, s.optimUgolRejim);
    const int day = m_day->findData(s.optimUgolDay);
    m_day->setCurrentIndex(day >= 0 ? day : m_day->findData(ProgramSettings{}.optimUgolDay));
    updateDayEnabled();
}

ProgramSettings TParamFrm::values() const {
    ProgramSettings s;
    s.pnomTime = parseInteger(m_pnom->text()).value_or(0);
    s.pmaxTime = parseInteger(m_pmax->text()).value_or(0);
    s.kproizTable = m_kproiz->checkedId();
    s.scoreIsp = m_scoreIsp->checkedId();
    s.optimUgolRejim = m_tiltMode->checkedId();
    s.optimUgolDay = m_day->currentData().toInt();
    return s;
}

void TParamFrm::load() {
    m_loaded = readSettings(m_dm.tblParam());
    setValues(m_loaded);
}

bool TParamFrm::run() {
    load();
    m_pnom->setFocus();
    m_pnom->selectAll();
    return exec() == QDialog::Accepted;
}

void TParamFrm::accept() {
    if (const auto refusal = checkLoadWindows(m_pnom->text(), m_pmax->text())) {
        m_prompter.error(refusal->message);
        NumberField* field = refusal->field == SettingsField::PnomTime ? m_pnom : m_pmax;
        field->setFocus();
        field->selectAll();
        return;
    }
    const ProgramSettings s = values();
    try {
        if (!writeSettings(m_dm.tblParam(), s))
            return;
    } catch (const DbError& e) {
        m_prompter.error(e.message());
        return;
    }
    const ProgramSettings before = m_loaded;
    m_loaded = s;
    QDialog::accept();
    // The settings are saved whatever happens to the tilts; a failed recomputation rolls back
    // as a whole and is reported.
    if (tiltsNeedRecompute(before, s)) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            m_dm.recomputeRegionTilts(s.optimUgolDay);
            QApplication::restoreOverrideCursor();
        } catch (const DbError& e) {
            QApplication::restoreOverrideCursor();
            m_prompter.error(e.message());
        }
    }
}

} // namespace ses
