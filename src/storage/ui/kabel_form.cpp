#include "storage/ui/kabel_form.h"

#include "data/data_module.h"
#include "lib/numbers.h"
#include "lib/prompter.h"
#include "reports/report_writer.h"
#include "storage/cable_ops.h"
#include "widgets/bound_grid.h"
#include "widgets/choice_column.h"
#include "widgets/dialog_buttons.h"
#include "widgets/look.h"
#include "widgets/number_field.h"
#include "widgets/report_export.h"
#include "widgets/windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ses {

namespace {

const QString kMinimum = QStringLiteral("Минимальное сечение жилы кабеля (провода), мм2");

// Rows shown without scrolling in each grid.
constexpr int kGridRows = 3;

int gridHeight(const BoundGrid* grid, int rows) {
    return grid->horizontalHeader()->sizeHint().height() +
           rows * grid->verticalHeader()->defaultSectionSize() + 2 * grid->frameWidth() + 2;
}

GridColumn column(const char* field, const char* title, int width = 0) {
    return {QString::fromLatin1(field), QString::fromUtf8(title), true, width};
}

// The results of a circuit, after its method and length.
std::vector<GridColumn> withResults(std::vector<GridColumn> c, const QString& suffix, bool count) {
    c.push_back(
        {QStringLiteral("Sposob_kab") + suffix, QStringLiteral("Способ прокладки"), false, 210});
    c.push_back({QStringLiteral("Lkab") + suffix, QStringLiteral("L, м"), false, 50});
    c.push_back({QStringLiteral("Skab") + suffix, QStringLiteral("S, мм2"), true, 50});
    if (count)
        c.push_back({QStringLiteral("Nkab") + suffix, QStringLiteral("N, шт."), true, 45});
    c.push_back({QStringLiteral("Ikab") + suffix, QStringLiteral("Iдоп., А"), true, 55});
    c.push_back({QStringLiteral("DUkab") + suffix, QStringLiteral("dU, % "), true, 50});
    c.push_back({QStringLiteral("DPkab") + suffix, QStringLiteral("dP, Вт"), true, 50});
    return c;
}

const std::vector<FormRow>& dcRows() {
    static const std::vector<FormRow> rows = {
        {QStringLiteral("inom"), QStringLiteral("Номинальный ток нагрузки, А:")},
        {QStringLiteral("section"), QStringLiteral("Сечение жилы провода (кабеля), мм2:")},
        {QStringLiteral("idop"), QStringLiteral("Длительно допустимый ток, А:")},
        {QStringLiteral("du"), QStringLiteral("Падение напряжения, %:")},
        {QStringLiteral("dp"), QStringLiteral("Потери мощности, Вт:")}};
    return rows;
}

const QString kCharge = QStringLiteral("charge");

} // namespace

TKabelFrm::TKabelFrm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TKabelFrm"));
    auto* top = new QVBoxLayout(this);
    top->setSpacing(4);
    View& arrays = m_dm.tblProj_Mas();
    View& loads = m_dm.tblProj_Inv();

    auto* g1 =
        new QGroupBox(QStringLiteral(" Провода (кабели) от массивов СП к контроллерам "), this);
    auto* l1 = new QVBoxLayout(g1);
    m_arrays = grid(arrays,
                    withResults({{QStringLiteral("NameMassive"),
                                  QStringLiteral("Наименование массива"), true, 150, true},
                                 column("Pmas", "Pсп, Вт", 55),
                                 column("Imas", "Iсп, А", 50),
                                 column("Tip_Ctrl", "Тип контроллера", 120),
                                 column("Skab_Ctrl", "Sмакс., мм2", 70)},
                                {}, false),
                    g1);
    m_arrays->setObjectName(QStringLiteral("arrays"));
    l1->addWidget(m_arrays);
    l1->addWidget(minimumRow(0, kMinimum + QStringLiteral(":"), g1));
    top->addWidget(g1);

    auto* g2 = new QGroupBox(QStringLiteral(" Провода (кабели) от контроллеров к АБ "), this);
    auto* l2 = new QVBoxLayout(g2);
    auto* chargeForm = new QFormLayout;
    chargeForm->setContentsMargins(0, 0, 0, 0);
    m_fields.add(chargeForm, {{kCharge, QStringLiteral("Максимальный ток заряда АБ, А:")}},
                 ShownLook{70, true});
    l2->addLayout(chargeForm);
    m_controllers = grid(arrays,
                         withResults({{QStringLiteral("Tip_Ctrl"),
                                       QStringLiteral("Тип контроллера"), true, 150, true},
                                      column("Inom_Ctrl", "Iмакс, А", 55),
                                      column("Iakb_Ctrl", "Iаб, А", 50),
                                      column("Skab_Ctrl", "Sмакс., мм2", 70)},
                                     QStringLiteral("_akb"), false),
                         g2);
    m_controllers->setObjectName(QStringLiteral("controllers"));
    l2->addWidget(m_controllers);
    l2->addWidget(minimumRow(1, kMinimum + QStringLiteral(":"), g2));
    top->addWidget(g2);

    auto* g3 = new QGroupBox(QStringLiteral(" Провода (кабели) от АБ к инверторам "), this);
    auto* l3 = new QVBoxLayout(g3);
    m_inverters = grid(loads,
                       withResults({{QStringLiteral("Nagr_Name"),
                                     QStringLiteral("Наименование нагрузки"), true, 150, true},
                                    column("Name_Inv", "Тип инвертора", 110),
                                    column("Pnom_Inv", "Pном., Вт", 60),
                                    column("Pmax_Inv", "Pмакс., Вт", 65),
                                    column("Inom_Inv", "Iном., А", 55),
                                    column("Imax_Inv", "Iмакс., А", 55)},
                                   QStringLiteral("_inv"), true),
                       g3);
    m_inverters->setObjectName(QStringLiteral("inverters"));
    l3->addWidget(m_inverters);
    l3->addWidget(
        minimumRow(2, kMinimum + QStringLiteral(" (при выборе по табл. 1.3.4 ПУЭ):"), g3));
    top->addWidget(g3);

    auto* g4 = new QGroupBox(
        QStringLiteral(" Провод (кабель) от АБ к потребителям постоянного напряжения  "), this);
    auto* l4 = new QHBoxLayout(g4);
    auto* inputs = new QFormLayout;
    inputs->setVerticalSpacing(2);
    m_fields.add(inputs, {dcRows()[0]}, ShownLook{70, true});
    m_dcMethod = new QComboBox(g4);
    m_dcMethod->setObjectName(QStringLiteral("dcMethod"));
    m_dcMethod->addItems(layingTexts());
    inputs->addRow(QStringLiteral("Способ прокладки:"), m_dcMethod);
    m_dcLength = new NumberField(NumberField::Kind::Decimal, g4);
    m_dcLength->setObjectName(QStringLiteral("dcLength"));
    m_dcLength->setPrompter(&m_prompter);
    m_dcLength->setFixedWidth(numberFieldWidth(m_dcLength));
    inputs->addRow(QStringLiteral("Длина провода (кабеля), м:"), m_dcLength);
    auto* results = new QFormLayout;
    results->setVerticalSpacing(2);
    m_fields.add(results, std::vector<FormRow>(dcRows().begin() + 1, dcRows().end()),
                 ShownLook{70, true});
    auto* dcLeft = new QVBoxLayout;
    dcLeft->addLayout(inputs);
    dcLeft->addWidget(minimumRow(3, kMinimum, g4));
    dcLeft->addStretch(1);
    l4->addLayout(dcLeft);
    l4->addSpacing(40);
    l4->addLayout(results);
    l4->addStretch(1);
    top->addWidget(g4);

    connect(m_dcMethod, &QComboBox::activated, this,
            [this] { storeDcInput(QStringLiteral("Sposob_kab_akb"), m_dcMethod->currentText()); });
    connect(m_dcLength, &QLineEdit::editingFinished, this, [this] {
        if (m_dcLength->isModified())
            storeDcInput(QStringLiteral("Lkab_akb"), m_dcLength->text());
        m_dcLength->setModified(false);
    });

    auto* chooseB = new QPushButton(QStringLiteral("Выбор"), this);
    chooseB->setObjectName(QStringLiteral("choose"));
    chooseB->setToolTip(QStringLiteral("Выбор проводов (кабелей) всех цепей системы"));
    connect(chooseB, &QPushButton::clicked, this, [this] { choose(); });
    QPushButton* exportB =
        makeExportButton(this, QStringLiteral("Экспорт отчёта в документ Microsoft Word"));
    connect(exportB, &QPushButton::clicked, this, [this] { exportReport(); });
    const DialogButtons buttons = makeDialogButtons(this, info, closeRow({chooseB, exportB}));
    top->addLayout(buttons.layout);

    m_variantListener = m_dm.tblProj1().addListener([this](View&, View::Change c) {
        if (c != View::Change::State && !m_writing)
            showVariant();
    });
    resize(1340, 690);
}

TKabelFrm::~TKabelFrm() {
    m_dm.tblProj1().removeListener(m_variantListener);
}

BoundGrid* TKabelFrm::grid(View& v, const std::vector<GridColumn>& columns, QWidget* parent) {
    auto* g = new BoundGrid(v, columns, parent);
    g->setPrompter(&m_prompter);
    g->setFixedHeight(gridHeight(g, kGridRows));
    for (int c = 0; c < int(columns.size()); ++c)
        if (columns[c].field.startsWith(QLatin1String("Sposob_kab")))
            makeChoiceColumn(g, c, layingTexts());
    // A method or a length is written as soon as the cell is left.
    connect(g->viewModel(), &QAbstractItemModel::dataChanged, this,
            [this, g](const QModelIndex& from) { gridEdited(g, from.column()); });
    return g;
}

QWidget* TKabelFrm::minimumRow(int group, const QString& caption, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* l = new QHBoxLayout(row);
    l->setContentsMargins(0, 0, 0, 0);
    Minimum& m = m_minimum[group];
    m.box = new QCheckBox(caption, row);
    m.box->setObjectName(QStringLiteral("minimum%1").arg(group + 1));
    m.list = new QComboBox(row);
    m.list->setObjectName(QStringLiteral("sections%1").arg(group + 1));
    m.list->addItems(sectionListTexts());
    const CableOptions& kept = sessionCableOptions();
    const MinimumSection* of[] = {&kept.arrays, &kept.controllers, &kept.inverters, &kept.dc};
    m.box->setChecked(of[group]->on);
    m.list->setCurrentIndex(m.list->findText(numberToText(of[group]->value)));
    connect(m.box, &QCheckBox::toggled, this, [this] { keepOptions(); });
    connect(m.list, &QComboBox::currentIndexChanged, this, [this] { keepOptions(); });
    l->addWidget(m.box);
    l->addWidget(m.list);
    l->addStretch(1);
    return row;
}

void TKabelFrm::keepOptions() {
    sessionCableOptions() = options();
}

CableOptions TKabelFrm::options() const {
    const auto of = [this](int group) {
        const Minimum& m = m_minimum[group];
        return MinimumSection{m.box->isChecked(), parseNumber(m.list->currentText()).value_or(0)};
    };
    return {of(0), of(1), of(2), of(3)};
}

void TKabelFrm::gridEdited(BoundGrid* g, int col) {
    View& v = g->view();
    if (m_writing || !v.isEditing())
        return;
    const auto& columns = g->viewModel()->columns();
    if (col < 0 || col >= int(columns.size()))
        return;
    const QString field = columns[col].field;
    const QString text = v[field].asString();
    m_writing = true;
    v.cancel();
    const auto refusal = storeCableInput(v, field, text);
    m_writing = false;
    if (refusal)
        m_prompter.error(*refusal);
}

void TKabelFrm::storeDcInput(const QString& field, const QString& text) {
    m_writing = true;
    const auto refusal = storeCableInput(m_dm.tblProj1(), field, text);
    m_writing = false;
    if (refusal)
        m_prompter.error(*refusal);
    showVariant();
}

void TKabelFrm::showVariant() {
    View& p = m_dm.tblProj1();
    const auto text = [&p](const char* c) {
        return p.isEmpty() ? QString() : p[QString::fromLatin1(c)].asString();
    };
    m_fields.setText(kCharge, text("SIzar_max_AKB"));
    m_fields.setText(QStringLiteral("inom"), text("Inom"));
    m_fields.setText(QStringLiteral("section"), text("Skab_akb"));
    m_fields.setText(QStringLiteral("idop"), text("Ikab_akb"));
    m_fields.setText(QStringLiteral("du"), text("DUkab_akb"));
    m_fields.setText(QStringLiteral("dp"), text("DPkab_akb"));
    m_dcMethod->setCurrentIndex(m_dcMethod->findText(text("Sposob_kab_akb")));
    m_dcLength->setText(text("Lkab_akb"));
    m_dcLength->setModified(false);
    // Without AC loads there is no inverter cable; the optimal-cable table has no minimum.
    m_inverters->setEnabled(m_dm.tblProj_Inv().recordCount() > 0);
    const bool catalog = p.isEmpty() || p[QStringLiteral("Sel_Tbl_AKB_Inv")].asInteger() == 0;
    m_minimum[2].box->setEnabled(catalog);
    m_minimum[2].list->setEnabled(catalog);
}

void TKabelFrm::load() {
    showVariant();
    for (BoundGrid* g : {m_arrays, m_controllers, m_inverters})
        g->fitColumns();
}

void TKabelFrm::run() {
    load();
    exec();
}

bool TKabelFrm::choose() {
    for (BoundGrid* g : {m_arrays, m_controllers, m_inverters})
        if (!g->commitEditor())
            return false;
    CableRun run;
    m_writing = true;
    try {
        run = runCableChoice(m_dm, options());
    } catch (const DbError& e) {
        m_writing = false;
        m_prompter.error(e.message() + QStringLiteral("\nРезультаты выбора не сохранены."));
        showVariant();
        return false;
    }
    m_writing = false;
    showVariant();
    for (const QStringList& message : run.messages())
        m_prompter.error(message.join(QLatin1Char('\n')));
    return true;
}

const QStringList& TKabelFrm::noteLines() {
    static const QStringList lines = {
        QStringLiteral("Pсп, Вт - мощность массива солнечных панелей, Вт."),
        QStringLiteral("Iсп, А - ток массива солнечных панелей, А."),
        QStringLiteral("Sмакс., мм2 - максимальное сечение жилы провода (кабеля), подключаемого к "
                       "контроллеру, мм2."),
        QStringLiteral("Iмакс, А - максимальный ток контроллера, А; Iаб, А - ток заряда АБ от "
                       "контроллера, А."),
        QStringLiteral("Pном., Pмакс. - номинальная и максимальная мощности инвертора, Вт; Iном., "
                       "Iмакс. - его номинальный и максимальный входные токи, А."),
        QStringLiteral("L, м - длина провода (кабеля), м; S, мм2 - сечение жилы, мм2; N, шт. - "
                       "число параллельных кабелей."),
        QStringLiteral("Iдоп., А - длительно допустимый ток провода (кабеля) при выбранном способе "
                       "прокладки, А."),
        QStringLiteral("dU, % - падение напряжения в проводе (кабеле), %; dP, Вт - потери мощности "
                       "в нем, Вт.")};
    return lines;
}

void TKabelFrm::writeReport(ReportWriter& w) const {
    w.openReport();
    w.writeTitle(QStringLiteral("Выбор проводов (кабелей) СЭ.\r\r"));
    w.writeHeading(QStringLiteral("Провода (кабели) от массивов СП к контроллерам.\r"));
    w.writeGridTable(reportTableRows(*m_arrays->model()));
    w.writeHeading(QStringLiteral("\rПровода (кабели) от контроллеров к АБ.\r"));
    w.writePairsTable({m_fields.pair(kCharge)});
    w.writeGridTable(reportTableRows(*m_controllers->model()));
    if (m_inverters->model()->rowCount() > 0) {
        w.writeHeading(QStringLiteral("\rПровода (кабели) от АБ к инверторам.\r"));
        w.writeGridTable(reportTableRows(*m_inverters->model()));
    }
    w.writeHeading(QStringLiteral("\rПровод (кабель) от АБ к потребителям постоянного "
                                  "напряжения.\r"));
    std::vector<std::pair<QString, QString>> dc = {
        m_fields.pair(QStringLiteral("inom")),
        {QStringLiteral("Способ прокладки"), m_dcMethod->currentText()},
        {QStringLiteral("Длина провода (кабеля), м"), m_dcLength->text()}};
    for (auto it = dcRows().begin() + 1; it != dcRows().end(); ++it)
        dc.push_back(m_fields.pair(it->name));
    w.writePairsTable(dc);
    QString note = QStringLiteral("\rПримечание.\r");
    for (const QString& line : noteLines())
        note += line + QStringLiteral("\r");
    w.writeText(note + QStringLiteral("\r"));
}

void TKabelFrm::exportReport() {
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

} // namespace ses
