#include "solar/ui/control_form.h"

#include "data/data_module.h"
#include "lib/prompter.h"
#include "reports/report_writer.h"
#include "solar/ui/sel_ctrl_form.h"
#include "widgets/dialog_buttons.h"
#include "widgets/look.h"
#include "widgets/report_export.h"
#include "widgets/string_grid.h"
#include "widgets/windows.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ses {

TControlF::TControlF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TControlF"));
    auto* top = new QVBoxLayout(this);

    auto* source = new QGroupBox(QStringLiteral(" Исходные данные "), this);
    auto* sl = new QHBoxLayout(source);
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    left->setVerticalSpacing(2);
    right->setVerticalSpacing(2);
    const ShownLook look{70, true};
    m_fields.add(left, std::vector<FormRow>(sourceRows().begin(), sourceRows().begin() + 5), look);
    m_fields.add(right, std::vector<FormRow>(sourceRows().begin() + 5, sourceRows().end()), look);
    sl->addLayout(left);
    sl->addSpacing(24);
    sl->addLayout(right);
    sl->addStretch(1);
    top->addWidget(source);

    auto* arrays = new QGroupBox(QStringLiteral(" Контроллеры заряда массивов "), this);
    auto* al = new QVBoxLayout(arrays);
    m_grid = new StringGrid(arrays);
    m_grid->setRowList(columnTitles());
    m_grid->setRowCount(2);
    // The array, its power and current stay in sight beside the controller's figures.
    m_grid->setFrozenCols(3);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setVisibleRows(5); // room for five arrays without scrolling
    al->addWidget(m_grid, 1);
    QListWidget* note = noteList(noteLines(), 4, arrays);
    note->setObjectName(QStringLiteral("note"));
    al->addWidget(note);
    m_all = new QCheckBox(
        QStringLiteral("Выбирать контроллеры сразу для всех массивов одинаковой мощности"), arrays);
    m_all->setChecked(true);
    al->addWidget(m_all);
    top->addWidget(arrays, 1);

    auto* chooseB = new QPushButton(QStringLiteral("Выбор..."), this);
    chooseB->setObjectName(QStringLiteral("choose"));
    chooseB->setToolTip(QStringLiteral("Выбор контроллера заряда для текущего массива"));
    connect(chooseB, &QPushButton::clicked, this, [this] { choose(); });
    QPushButton* exportB =
        makeExportButton(this, QStringLiteral("Экспорт отчёта в документ Microsoft Word"));
    connect(exportB, &QPushButton::clicked, this, [this] { exportReport(); });
    const DialogButtons buttons = makeDialogButtons(this, info, {.commands = {chooseB, exportB}});
    top->addLayout(buttons.layout);

    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (!m_filling && row >= 0 && row < int(m_source.rows.size())) {
            m_current = row;
            showSource();
        }
    });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { choose(); });
    // Wide enough for every column with the makers' names whole.
    resize(1340, 560);
}

const std::vector<FormRow>& TControlF::sourceRows() {
    static const std::vector<FormRow> rows = {
        {QStringLiteral("uses"), QStringLiteral("Напряжение системы, В:")},
        {QStringLiteral("battery"), QStringLiteral("Тип аккумуляторов АБ:")},
        {QStringLiteral("algorithm"), QStringLiteral("Алгоритм заряда АБ:")},
        {QStringLiteral("voltage"), QStringLiteral("Номинальное напряжение массива СП, В:")},
        {QStringLiteral("operating"), QStringLiteral("Напряжение в рабочей точке массива СП, В:")},
        {QStringLiteral("sumUxx"), QStringLiteral("Напряжение х.х. массива СП, В:")},
        {QStringLiteral("margin"), QStringLiteral("Запас по напряжению х.х. массива СП, %:")},
        {QStringLiteral("kt"), QStringLiteral("Температурный коэффициент СП, %/град.:")},
        {QStringLiteral("required"),
         QStringLiteral("Напряжение х.х. массива СП с учетом запаса и температурного "
                        "коэффициента, В:")}};
    return rows;
}

const QStringList& TControlF::columnTitles() {
    static const QStringList titles = {QStringLiteral(" Наименование массива"),
                                       QStringLiteral("   Рсп, Вт"),
                                       QStringLiteral("   Ісп, А"),
                                       QStringLiteral("    Тип контроллера"),
                                       QStringLiteral(" Uном., В"),
                                       QStringLiteral(" Імакс., А"),
                                       QStringLiteral(" Umppt.мин., B"),
                                       QStringLiteral(" Umppt.макс., B"),
                                       QStringLiteral(" Uxx.сп, B"),
                                       QStringLiteral("  Іаб, А"),
                                       QStringLiteral(" Sмакс., мм2"),
                                       QStringLiteral(" Компания-производитель")};
    return titles;
}

const QStringList& TControlF::noteLines() {
    static const QStringList lines = {
        QStringLiteral("Наименование массива - наименование массива солнечных панелей."),
        QStringLiteral("Рсп, Вт - суммарная мощность солнечных панелей массива, Вт."),
        QStringLiteral("Ісп, А - ток солнечных панелей массива, А."),
        QStringLiteral("Тип контроллера - тип контроллера заряда, к которому подключен массив."),
        QStringLiteral("Uном., В - номинальное напряжение системы, на которое рассчитан "
                       "контроллер, В."),
        QStringLiteral("Імакс., А - максимальный ток контроллера, А."),
        QStringLiteral("Umppt.мин., В - минимальное напряжение массива СП в режиме МРРТ, В."),
        QStringLiteral("Umppt.макс., В - максимальное напряжение массива СП в режиме МРРТ, В."),
        QStringLiteral("Uxx.сп, В - максимальное напряжение холостого хода подключаемого массива "
                       "СП, В."),
        QStringLiteral("Iаб, А - фактический ток заряда АБ, питающейся от контроллера, А."),
        QStringLiteral("Sмакс., мм2 - максимальное сечение жилы провода (кабеля), подключаемого к "
                       "контроллеру, мм2."),
        QStringLiteral("Компания-производитель - компания-производитель контроллера.")};
    return lines;
}

bool TControlF::load() {
    m_source = readControllerSource(m_dm);
    m_stored = m_source.rows;
    if (const auto problem = panelProblem(m_source.variant)) {
        m_prompter.error(*problem);
        return false;
    }
    // Іаб as storing will compute it, so that what is shown is what is stored.
    ControllerCatalog(m_dm).refreshCurrents(m_source);
    m_current = m_source.rows.empty() ? -1 : 0;
    showGrid();
    showSource();
    return true;
}

bool TControlF::run() {
    if (!load())
        return false;
    return exec() == QDialog::Accepted;
}

void TControlF::showGrid() {
    const bool was = m_filling;
    m_filling = true;
    const auto& rows = m_source.rows;
    m_grid->setRowCount(std::max<int>(1, int(rows.size())) + 1);
    m_grid->clearCells();
    for (size_t r = 0; r < rows.size(); ++r) {
        const QStringList texts = controllerRowTexts(rows[r]);
        for (int c = 0; c < texts.size(); ++c)
            m_grid->setCell(c, int(r) + 1, texts[c]);
    }
    if (m_current >= 0)
        m_grid->setCurrentCell(m_current, 0);
    m_grid->resizeColumnsToContents();
    m_filling = was;
}

void TControlF::showSource() {
    const ControllerArray* row = m_current >= 0 ? &m_source.rows[m_current] : nullptr;
    const QStringList texts = sourceTexts(m_source.variant, m_source.kt, row);
    for (size_t i = 0; i < sourceRows().size(); ++i)
        m_fields.setText(sourceRows()[i].name, texts[int(i)]);
}

void TControlF::setCurrentRow(int row) {
    if (row < 0 || row >= int(m_source.rows.size()))
        return;
    m_current = row;
    const bool was = m_filling;
    m_filling = true;
    m_grid->setCurrentCell(row, 0);
    m_filling = was;
    showSource();
}

TSelCtrlF& TControlF::choiceWindow() {
    if (!m_choice)
        m_choice = new TSelCtrlF(m_prompter, this);
    return *m_choice;
}

bool TControlF::choose() {
    if (m_current < 0)
        return false;
    ControllerCatalog catalog(m_dm);
    const ControllerArray& row = m_source.rows[m_current];
    const QueryOrRefusal q = catalog.rowQuery(m_source, row);
    if (!q.query) {
        m_prompter.error(q.error);
        return false;
    }
    TSelCtrlF& w = choiceWindow();
    w.setInput(sourceTexts(m_source.variant, m_source.kt, &row), row, catalog.query(*q.query));
    const bool accepted = choiceRunner ? choiceRunner(w) : w.run();
    const auto chosen = w.chosen();
    if (!accepted || !chosen)
        return false;
    const ChoiceResult r =
        applyChoice(m_source.rows, m_current, *chosen, m_all->isChecked(), m_source.variant,
                    catalog.chargeVoltage(chosen->company, chosen->tip, m_source.variant.uses,
                                          chargedBatteryType(m_source.variant)));
    if (!r.error.isEmpty()) {
        m_prompter.error(r.error);
        return false;
    }
    showGrid();
    showSource();
    return true;
}

bool TControlF::ok() {
    if (const auto refusal = controllersOkRefusal(m_source.rows, m_source.variant.mppt)) {
        m_prompter.error(*refusal);
        return false;
    }
    if (const auto question = losingCablesQuestion(arraysLosingCables(m_stored, m_source.rows)))
        if (!m_prompter.question(*question))
            return false;
    try {
        if (const auto refusal = storeControllers(m_dm, m_source.rows)) {
            m_prompter.error(*refusal);
            return false;
        }
    } catch (const DbError& e) {
        m_prompter.error(e.message());
        return false;
    }
    QDialog::accept();
    return true;
}

void TControlF::accept() {
    ok();
}

void TControlF::writeReport(ReportWriter& w) const {
    w.openReport();
    w.writeTitle(QStringLiteral("Выбор контроллеров заряда СЭ.\r\r"));
    w.writeHeading(QStringLiteral("Исходные данные.\r"));
    QStringList keys;
    for (const FormRow& r : sourceRows())
        keys << r.name;
    w.writePairsTable(m_fields.pairs(keys));
    w.writeHeading(QStringLiteral("\rКонтроллеры.\r"));
    std::vector<QStringList> rows = {columnTitles()};
    for (int r = 1; r < m_grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m_grid->colCount(); ++c)
            cells << m_grid->cell(c, r);
        rows.push_back(cells);
    }
    w.writeGridTable(rows);
    QString note = QStringLiteral("Примечание.\r");
    for (const QString& line : noteLines())
        note += line + QStringLiteral("\r");
    w.writeText(note + QStringLiteral("\r"));
}

void TControlF::exportReport() {
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

} // namespace ses
