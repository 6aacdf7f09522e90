#include "storage/ui/sel_inv_form.h"

#include "lib/numbers.h"
#include "lib/prompter.h"
#include "storage/ui/inverter_panels.h"
#include "storage/ui/inverter_reports.h"
#include "storage/ui/tab_inv_form.h"
#include "widgets/dialog_buttons.h"
#include "widgets/form_rows.h"
#include "widgets/report_export.h"
#include "widgets/windows.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ses {

namespace {

enum DataField { Pnom, Pmax, Ppik, Uvh, Uvuh, Kpd, Forma, DataCount };

} // namespace

TSelInvFm::TSelInvFm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TSelInvFm"));

    m_inputs = new InverterInputsBox(false, this);

    auto* group = new QGroupBox(QStringLiteral(" Инвертор "), this);
    m_maker = new QComboBox(group);
    m_maker->setObjectName(QStringLiteral("Company"));
    m_type = new QComboBox(group);
    m_type->setObjectName(QStringLiteral("Name"));
    m_type->setPlaceholderText(QStringLiteral("нет инверторов, подходящих для нагрузки"));
    for (QComboBox* box : {m_maker, m_type}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(24);
    }
    connect(m_maker, &QComboBox::activated, this, [this](int i) { selectMaker(i); });
    connect(m_type, &QComboBox::activated, this, [this](int i) { selectType(i); });
    auto* makerLabel = new QLabel(QStringLiteral("Компания-производитель:"), group);
    makerLabel->setBuddy(m_maker);
    auto* typeLabel = new QLabel(QStringLiteral("Тип инвертора:"), group);
    typeLabel->setBuddy(m_type);

    auto* grid = new QGridLayout(group);
    grid->addWidget(makerLabel, 0, 0, 1, 2);
    grid->addWidget(m_maker, 1, 0, 1, 2);
    grid->addWidget(typeLabel, 2, 0, 1, 2);
    grid->addWidget(m_type, 3, 0, 1, 2);
    grid->setRowMinimumHeight(4, 6);
    const QStringList captions = {QStringLiteral("Номинальная мощность инвертора, Вт:"),
                                  QStringLiteral("Максимальная мощность инвертора, Вт:"),
                                  QStringLiteral("Пиковая мощность инвертора, Вт:"),
                                  QStringLiteral("Входное напряжение инвертора, В:"),
                                  QStringLiteral("Выходное напряжение инвертора, В:"),
                                  QStringLiteral("Коэффициент полезного действия инвертора:"),
                                  QStringLiteral("Форма выходного напряжения инвертора:")};
    static const char* const names[] = {"Pnom", "Pmax", "Ppik", "Uvh", "Uvuh", "Kpd", "Forma"};
    for (int i = 0; i < DataCount; ++i) {
        auto* label = new QLabel(captions[i], group);
        // One width for all, so that the waveform's text lines up with the figures above it.
        QLineEdit* field = makeShownField(group, 130);
        field->setObjectName(QString::fromLatin1(names[i]));
        if (i == Forma)
            field->setAlignment(Qt::AlignLeft);
        label->setBuddy(field);
        grid->addWidget(label, 5 + i, 0);
        grid->addWidget(field, 5 + i, 1, Qt::AlignRight);
        m_dataLabels.push_back(label);
        m_data.push_back(field);
    }
    m_userKpdNote = new QLabel(group);
    m_userKpdNote->setObjectName(QStringLiteral("userKpdNote"));
    grid->addWidget(m_userKpdNote, 5 + DataCount, 0, 1, 2);
    grid->setRowStretch(6 + DataCount, 1);
    grid->setColumnStretch(0, 1);

    auto* tableButton = new QPushButton(QStringLiteral("Таблица..."), this);
    tableButton->setObjectName(QStringLiteral("table"));
    tableButton->setAutoDefault(false);
    connect(tableButton, &QPushButton::clicked, this, [this] { showTable(); });
    QPushButton* exportButton = makeExportButton(
        this, QStringLiteral("Экспорт полного отчёта по суточному графику в документ Microsoft "
                             "Word"));
    connect(exportButton, &QPushButton::clicked, this, [this] { exportReport(); });
    const DialogButtons buttons =
        makeDialogButtons(this, info, {.commands = {tableButton, exportButton}});
    m_ok = buttons.ok;

    auto* groups = new QHBoxLayout;
    groups->addWidget(m_inputs, 3);
    groups->addWidget(group, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups, 1);
    layout->addLayout(buttons.layout);
    showType();
}

void TSelInvFm::prepare(const InverterVariant& variant, const InverterLoad& load,
                        const LoadWindows& windows, const QString& company, const QString& type) {
    m_variant = variant;
    m_load = load;
    m_windows = windows;
    m_req = inverterRequirement(load, variant);
    m_inputs->setInputs(variant, load, windows);
    m_catalog = readInverterCatalog(m_dm);
    m_maker->clear();
    for (const CatalogMaker& m : m_catalog)
        m_maker->addItem(m.company);
    m_maker->setCurrentIndex(std::max(0, m_maker->findText(company)));
    fillTypes();
    const int remembered = m_type->findText(type);
    if (remembered >= 0)
        m_type->setCurrentIndex(remembered);
    showType();
    if (variant.useUserKpd)
        m_userKpdNote->setText(QStringLiteral("В расчетах принимается КПД инвертора, заданный\n"
                                              "в параметрах варианта расчета: %1.")
                                   .arg(numberToText(variant.userKpd)));
    m_userKpdNote->setVisible(variant.useUserKpd);
}

void TSelInvFm::loadForTour() {
    const std::vector<InverterLoad> loads = readInverterLoads(m_dm);
    const InverterLoad load = loads.empty() ? InverterLoad{} : loads.front();
    prepare(readInverterVariant(m_dm), load, readLoadWindows(m_dm), load.stored.company,
            load.stored.name);
}

void TSelInvFm::fillTypes() {
    m_types.clear();
    m_type->clear();
    const int maker = m_maker->currentIndex();
    if (maker >= 0 && maker < int(m_catalog.size()))
        m_types = typeList(m_catalog[maker].types, m_req);
    for (const CatalogInverter& t : m_types)
        m_type->addItem(t.model.name);
    m_type->setCurrentIndex(m_types.empty() ? -1 : 0);
}

void TSelInvFm::selectMaker(int index) {
    m_maker->setCurrentIndex(index);
    fillTypes();
    showType();
}

void TSelInvFm::selectType(int index) {
    m_type->setCurrentIndex(index);
    showType();
}

void TSelInvFm::showType() {
    const int i = m_type->currentIndex();
    const bool found = i >= 0 && i < int(m_types.size());
    if (found) {
        const CatalogInverter& t = m_types[i];
        const QStringList values = {numberToText(t.model.pnom),
                                    numberToText(t.model.pmax),
                                    numberToText(t.model.ppik),
                                    numberToText(t.uvh),
                                    numberToText(t.uvuh),
                                    numberToText(t.model.kpd),
                                    t.model.forma};
        for (int f = 0; f < DataCount; ++f)
            m_data[f]->setText(values[f]);
    } else {
        for (QLineEdit* f : m_data)
            f->clear();
    }
    m_ok->setEnabled(!m_type->currentText().isEmpty());
}

std::optional<InverterChoice> TSelInvFm::choice() const {
    const int i = m_type->currentIndex();
    if (i < 0 || i >= int(m_types.size()))
        return std::nullopt;
    return m_types[i].model;
}

TTabInvFm& TSelInvFm::tableDialog() {
    if (!m_table)
        m_table = new TTabInvFm(m_dm, this);
    return *m_table;
}

void TSelInvFm::showTable() {
    TTabInvFm& table = tableDialog();
    table.prepare(m_variant, m_load, m_windows, m_maker->currentText(), m_type->currentText());
    if (table.exec() != QDialog::Accepted)
        return;
    if (const auto chosen = table.chosen())
        applyTableChoice(chosen->model.company, chosen->model.name);
}

void TSelInvFm::applyTableChoice(const QString& company, const QString& type) {
    const int maker = m_maker->findText(company);
    if (maker < 0)
        return;
    selectMaker(maker);
    const int t = m_type->findText(type);
    if (t >= 0)
        selectType(t);
}

void TSelInvFm::accept() {
    const std::optional<InverterChoice> c = choice();
    if (!c)
        return;
    if (const auto refusal = efficiencyRefusal(*c)) {
        m_prompter.error(*refusal);
        return;
    }
    QDialog::accept();
}

void TSelInvFm::writeReport(ReportWriter& w) const {
    Pairs inverter = {{QStringLiteral("Компания-производитель"), m_maker->currentText()},
                      {QStringLiteral("Тип инвертора"), m_type->currentText()}};
    for (int f = 0; f < DataCount; ++f)
        inverter.emplace_back(reportLabel(m_dataLabels[f]->text()), m_data[f]->text());
    writeSelInvReport(w, m_inputs->pairs(), inverter);
}

void TSelInvFm::exportReport() {
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

} // namespace ses
