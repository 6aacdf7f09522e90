#include "load/ui/s_sut_form.h"

#include "data/data_module.h"
#include "load/ui/schedule_panels.h"
#include "widgets/bound_grid.h"
#include "widgets/dialog_buttons.h"
#include "widgets/windows.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ses {

namespace {

QGroupBox* framed(const QString& caption, QWidget* content, QWidget* parent) {
    auto* box = new QGroupBox(caption, parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

} // namespace

TsSutForm::TsSutForm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TsSutForm"));
    m_sections = new BoundGrid(dm.tbl(QStringLiteral("sSut")),
                               {{QStringLiteral("Razdel"), QStringLiteral("Раздел")}}, this);
    m_schedules = new BoundGrid(dm.tbl(QStringLiteral("sSut0")),
                                {{QStringLiteral("Name"), QStringLiteral("Наименование")},
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

    auto* tables = new QHBoxLayout;
    tables->addWidget(framed(QStringLiteral("Разделы"), m_sections, this), 2);
    tables->addWidget(framed(QStringLiteral("Суточные графики раздела"), m_schedules, this), 4);
    tables->addWidget(framed(QStringLiteral("Таблица суточного графика"), m_intervals, this), 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tables, 1);
    layout->addLayout(makeDialogButtons(this, info).layout);
    resize(960, 480);
}

bool TsSutForm::run() {
    m_schedules->setFocus();
    return exec() == QDialog::Accepted;
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
