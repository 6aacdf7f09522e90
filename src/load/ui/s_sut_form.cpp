#include "load/ui/s_sut_form.h"

#include "data/data_module.h"
#include "data/store.h"
#include "load/schedule_store.h"
#include "load/ui/schedule_panels.h"
#include "load/ui/step_chart.h"
#include "widgets/bound_grid.h"
#include "widgets/catalog_csv_buttons.h"
#include "widgets/dialog_buttons.h"
#include "widgets/record_bar.h"
#include "widgets/windows.h"

#include <QEvent>
#include <QPushButton>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ses {

TsSutForm::TsSutForm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TsSutForm"));
    m_sections = new BoundGrid(dm.tbl(QStringLiteral("sSut")),
                               {{QStringLiteral("Razdel"), QStringLiteral("Раздел"), false}}, this);
    // The figures are the build's: the editor writes them, never the grid.
    m_schedules = new BoundGrid(dm.tbl(QStringLiteral("sSut0")),
                                {{QStringLiteral("Name"), QStringLiteral("Наименование"), false},
                                 {QStringLiteral("Wp_sut"), QStringLiteral("Wp.сут., Вт*ч")},
                                 {QStringLiteral("Pnom30min"), QStringLiteral("Рном., Вт")},
                                 {QStringLiteral("Pmax10min"), QStringLiteral("Pмакс., Вт")}},
                                this);
    m_intervals = new BoundGrid(dm.tbl(QStringLiteral("sSut1")),
                                {{QStringLiteral("T1"), QStringLiteral("Т1, час.")},
                                 {QStringLiteral("T2"), QStringLiteral("Т2, час.")},
                                 {QStringLiteral("P"), QStringLiteral("P, Вт")}},
                                this);
    for (BoundGrid* g : {m_sections, m_schedules, m_intervals}) {
        g->setReadOnly(true);
        g->setPrompter(&m_prompter);
        g->fitColumns();
        g->horizontalHeader()->setStretchLastSection(true);
    }
    m_sections->setMinimumWidth(200);
    m_schedules->setMinimumWidth(420);
    m_intervals->setMinimumWidth(230);
    connect(m_schedules, &BoundGrid::currentRowChanged, this, [this] { redraw(); });
    connect(m_sections, &BoundGrid::currentRowChanged, this, [this] { redraw(); });

    const Navigator::Buttons moves =
        Navigator::First | Navigator::Prior | Navigator::Next | Navigator::Last;
    m_sectionBar = recordBar(m_sections, m_prompter, this, moves | kRecordButtons);
    m_scheduleBar = recordBar(m_schedules, m_prompter, this, moves | kRecordButtons);
    m_change = new QPushButton(QStringLiteral("Изменить..."), this);
    m_change->setObjectName(QStringLiteral("change"));
    m_change->setToolTip(QStringLiteral("Редактирование таблицы суточного графика"));
    connect(m_change, &QPushButton::clicked, this, &TsSutForm::change);

    m_chart = new StepChart(this);
    m_chart->chart()->setTitle(QStringLiteral("Суточный график P = f(T)."));
    m_chart->setMinimumHeight(260);

    const auto column = [this](const QString& caption, QWidget* grid, QWidget* bar) {
        auto* box = new QGroupBox(caption, this);
        auto* layout = new QVBoxLayout(box);
        if (bar)
            layout->addWidget(bar);
        layout->addWidget(grid);
        return box;
    };
    auto* intervalBox = new QGroupBox(QStringLiteral("Таблица суточного графика"), this);
    auto* intervalLayout = new QVBoxLayout(intervalBox);
    intervalLayout->addWidget(m_change);
    intervalLayout->addWidget(m_intervals);

    auto* tables = new QHBoxLayout;
    tables->addWidget(column(QStringLiteral("Разделы"), m_sections, m_sectionBar), 2);
    tables->addWidget(
        column(QStringLiteral("Суточные графики раздела"), m_schedules, m_scheduleBar), 4);
    tables->addWidget(intervalBox, 2);
    m_csv =
        catalogCsvButtons(this, m_dm, m_prompter, info.className, [this] { return saveEdits(); });
    const DialogButtons buttons = makeDialogButtons(this, info, {.commands = m_csv});
    m_ok = buttons.ok;
    m_cancel = buttons.cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tables, 3);
    layout->addWidget(m_chart, 2);
    layout->addLayout(buttons.layout);
    setBrowsing(false);
    resize(1100, 680);
}

void TsSutForm::setBrowsing(bool browsing) {
    m_browsing = browsing;
    for (QWidget* w : std::initializer_list<QWidget*>{m_sectionBar, m_scheduleBar, m_change})
        w->setVisible(browsing);
    for (QPushButton* b : m_csv)
        b->setVisible(browsing);
    m_ok->setVisible(!browsing);
    m_cancel->setText(browsing ? QStringLiteral("Закрыть") : QStringLiteral("Отмена"));
    m_sections->setReadOnly(!browsing);
    m_schedules->setReadOnly(!browsing);
}

void TsSutForm::browse() {
    setBrowsing(true);
    redraw();
    m_schedules->setFocus();
    exec();
    setBrowsing(false);
}

bool TsSutForm::run() {
    setBrowsing(false);
    redraw();
    m_schedules->setFocus();
    return exec() == QDialog::Accepted;
}

void TsSutForm::redraw() {
    // Even a single interval (a constant load over the whole day) is a line worth drawing.
    const IntervalTexts rows = bookIntervals(m_dm);
    if (rows.empty() || m_dm.tbl(QStringLiteral("sSut0")).isEmpty())
        m_chart->clear();
    else
        m_chart->draw(rows);
}

void TsSutForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        redraw();
}

TsSutFrm1& TsSutForm::editor() {
    if (!m_editor)
        m_editor = new TsSutFrm1(m_dm, m_prompter, this);
    return *m_editor;
}

void TsSutForm::change() {
    View& schedules = m_dm.tbl(QStringLiteral("sSut0"));
    if (schedules.isEmpty() || schedules.state() == ViewState::Insert) {
        m_prompter.error(QStringLiteral("Перед выполнением операции добавьте хотя бы одну запись "
                                        "в таблицу \"Суточные графики раздела\"."));
        m_schedules->setFocus();
        return;
    }
    if (schedules.isEditing()) {
        m_prompter.error(QStringLiteral(
            "Перед выполнением операции завершите работу с таблицей \"Суточные графики "
            "раздела\", сохранив или отменив в ней изменения (кнопка \"V\" или кнопка \"Х\" "
            "навигатора)."));
        m_schedules->setFocus();
        return;
    }
    if (editor().run())
        m_dm.tbl(QStringLiteral("sSut0")).refresh();
    redraw();
}

bool TsSutForm::saveEdits() {
    return saveGridEdits({m_sections, m_schedules}, m_prompter);
}

void TsSutForm::done(int r) {
    // A row still being edited is saved on closing; a refused one keeps the window open.
    if (m_browsing && !saveEdits())
        return;
    QDialog::done(r);
}

void TsSutForm::accept() {
    View& schedules = m_dm.tbl(QStringLiteral("sSut0"));
    if (schedules.isEmpty()) {
        m_prompter.error(QStringLiteral("Выберите суточный график в таблице \"Суточные графики "
                                        "раздела\"."));
        m_schedules->setFocus();
        return;
    }
    if (m_dm.tbl(QStringLiteral("sSut1")).isEmpty()) {
        m_prompter.error(QStringLiteral("Суточный график \"%1\" справочника не содержит ни одного "
                                        "периода. Выберите другой суточный график.")
                             .arg(schedules[QStringLiteral("Name")].asString()));
        m_schedules->setFocus();
        return;
    }
    QDialog::accept();
}

bool TsSutFrm1::run() {
    prepareBook();
    return exec() == QDialog::Accepted;
}

// ---------------------------------------------------------------- TsRazdGrF

TsRazdGrF::TsRazdGrF(Prompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TsRazdGrF"));
    m_section = new QComboBox(this);
    m_section->setEditable(true);
    m_section->setInsertPolicy(QComboBox::NoInsert);
    m_section->lineEdit()->setMaxLength(255);
    m_name = new QLineEdit(this);
    m_name->setMaxLength(255);
    auto* sectionLabel = new QLabel(QStringLiteral("Раздел суточных графиков:"), this);
    sectionLabel->setBuddy(m_section);
    auto* nameLabel = new QLabel(QStringLiteral("Наименование суточного графика:"), this);
    nameLabel->setBuddy(m_name);
    auto* fields = new QGridLayout;
    fields->addWidget(sectionLabel, 0, 0);
    fields->addWidget(m_section, 0, 1);
    fields->addWidget(nameLabel, 1, 0);
    fields->addWidget(m_name, 1, 1);
    fields->setColumnMinimumWidth(1, 340);
    fields->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(makeDialogButtons(this, info).layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TsRazdGrF::prepare(const QStringList& sections, const QString& name) {
    const QString typed = m_section->currentText();
    m_section->clear();
    m_section->addItems(sections);
    m_section->setEditText(typed.isEmpty() && !sections.isEmpty() ? sections.first() : typed);
    m_name->setText(name);
}

bool TsRazdGrF::run(const QStringList& sections, const QString& name) {
    prepare(sections, name);
    m_name->setFocus();
    m_name->selectAll();
    return exec() == QDialog::Accepted;
}

QString TsRazdGrF::section() const {
    return m_section->currentText().trimmed();
}

QString TsRazdGrF::name() const {
    return m_name->text().trimmed();
}

void TsRazdGrF::accept() {
    if (section().isEmpty() || name().isEmpty()) {
        m_prompter.error(QStringLiteral("Заполнение полей \"Раздел суточных графиков\" и "
                                        "\"Наименование суточного графика\" обязательно."));
        (section().isEmpty() ? static_cast<QWidget*>(m_section) : m_name)->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace ses
