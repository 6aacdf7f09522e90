#include "solar/ui/sel_sp_form.h"

#include "data/data_module.h"
#include "lib/numbers.h"
#include "lib/prompter.h"
#include "reports/array_scheme.h"
#include "reports/drawing.h"
#include "reports/report_writer.h"
#include "solar/sizing_store.h"
#include "solar/solar_choice_ops.h"
#include "solar/ui/mas_sp_form.h"
#include "solar/ui/tabl_sp_form.h"
#include "widgets/dialog_buttons.h"
#include "widgets/look.h"
#include "widgets/report_export.h"
#include "widgets/string_grid.h"
#include "widgets/windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ses {

namespace {

QString fmt(double x, const char* pattern) {
    return formatPattern(x, QString::fromLatin1(pattern));
}
QString fmt(std::optional<double> x, const char* pattern) {
    return x ? fmt(*x, pattern) : QString();
}
QString text(std::optional<double> x) {
    return x ? numberToText(*x) : QString();
}
QString text(std::optional<int> x) {
    return x ? QString::number(*x) : QString();
}

// The window's figures: the variant's, the chosen panel's and the totals of the arrays.
const std::vector<FormRow> kInputRows = {
    {QStringLiteral("B"), QStringLiteral("Оптимальный угол наклона солнечных панелей, град.:")},
    {QStringLiteral("Pras"), QStringLiteral("Расчетная мощность солнечной батареи, Вт:")},
    {QStringLiteral("forecastMin"),
     QStringLiteral("Прогнозируемый требуемый минимальный ток заряда АБ, А:")},
    {QStringLiteral("windowMin"),
     QStringLiteral("Минимальный ток заряда имеющейся АБ (с учетом настроек), А:")},
    {QStringLiteral("windowMax"),
     QStringLiteral("Максимальный ток заряда имеющейся АБ (с учетом настроек), А:")}};
const std::vector<FormRow> kPanelRows = {
    {QStringLiteral("P"), QStringLiteral("Мощность отдельной солнечной панели, Вт:")},
    {QStringLiteral("Unom"), QStringLiteral("Номинальное напряжение солнечной панели, В:")},
    {QStringLiteral("Voc"), QStringLiteral("Напряжение холостого хода солнечной панели, В:")},
    {QStringLiteral("Isc"), QStringLiteral("Ток короткого замыкания солнечной панели, А:")},
    {QStringLiteral("Vmp"), QStringLiteral("Напряжение в рабочей точке солнечной панели, В:")},
    {QStringLiteral("Imp"), QStringLiteral("Ток в рабочей точке солнечной панели, А:")},
    {QStringLiteral("H"), QStringLiteral("Высота отдельной солнечной панели, мм:")},
    {QStringLiteral("S"), QStringLiteral("Ширина отдельной солнечной панели, мм:")}};
const std::vector<FormRow> kTotalRows = {
    {QStringLiteral("losses"),
     QStringLiteral("Потери мощности из-за ориентации панелей батареи, Вт:")},
    {QStringLiteral("full"), QStringLiteral("Полная расчетная мощность солнечной батареи, Вт:")},
    {QStringLiteral("count"), QStringLiteral("Общее количество панелей солнечной батареи, шт:")},
    {QStringLiteral("power"), QStringLiteral("Общая мощность панелей солнечной батареи, Вт:")},
    {QStringLiteral("charge"),
     QStringLiteral("Прогнозируемый ток заряда АБ (на выходе контроллеров), А:")},
    {QStringLiteral("additional"),
     QStringLiteral("Требуемая дополнительная мощность батареи, Вт:")},
    {QStringLiteral("tilt"), QStringLiteral("Оптимальный угол наклона солнечных панелей, град.:")}};

} // namespace

TSelSPFrm::TSelSPFrm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TSelSPFrm"));
    auto* top = new QVBoxLayout(this);
    const ShownLook look{70, true};

    auto* upper = new QHBoxLayout;
    auto* need = new QGroupBox(QStringLiteral("Исходные данные"), this);
    auto* nf = new QFormLayout(need);
    nf->setVerticalSpacing(2);
    m_fields.add(nf, kInputRows, look);
    // Why the required power is what it is: the month that governs it and its radiation.
    m_governs = new QLabel(need);
    m_governs->setObjectName(QStringLiteral("governs"));
    nf->insertRow(2, QStringLiteral("Определяющий месяц:"), m_governs);
    m_checkCharge = new QCheckBox(
        QStringLiteral("Подбор СБ с учетом тока заряда АБ на выходе контроллера"), need);
    m_checkCharge->setChecked(true);
    nf->addRow(m_checkCharge);
    upper->addWidget(need);

    auto* panel = new QGroupBox(QStringLiteral("Параметры солнечных панелей"), this);
    auto* pf = new QFormLayout(panel);
    pf->setVerticalSpacing(2);
    m_company = new QComboBox(panel);
    m_type = new QComboBox(panel);
    pf->addRow(QStringLiteral("Компания-производитель:"), m_company);
    pf->addRow(QStringLiteral("Тип солнечной панели:"), m_type);
    m_fields.add(pf, kPanelRows, look);
    upper->addWidget(panel);
    top->addLayout(upper);

    auto* arrays = new QGroupBox(QStringLiteral("Параметры массивов"), this);
    auto* al = new QVBoxLayout(arrays);
    auto* commands = new QHBoxLayout;
    const std::tuple<const char*, const char*, const char*, bool (TSelSPFrm::*)()> cmds[] = {
        {"add", "Добавить", "Добавить массив солнечных панелей", &TSelSPFrm::addArray},
        {"insert", "Вставить", "Вставить массив солнечных панелей", &TSelSPFrm::insertArray},
        {"edit", "Изменить", "Изменить параметры массива солнечных панелей", &TSelSPFrm::editArray},
        {"delete", "Удалить", "Удалить массив солнечных панелей", &TSelSPFrm::deleteArray},
        {"up", "Вверх", "Переместить на строку вверх", &TSelSPFrm::moveUp},
        {"down", "Вниз", "Переместить на строку вниз", &TSelSPFrm::moveDown}};
    for (const auto& [key, text, hint, run] : cmds) {
        auto* b = new QPushButton(QString::fromUtf8(text), arrays);
        b->setToolTip(QString::fromUtf8(hint));
        m_buttons.insert(QString::fromLatin1(key), b);
        commands->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, run = run] { (this->*run)(); });
    }
    commands->addStretch();
    al->addLayout(commands);
    m_grid = new StringGrid(arrays);
    // Titles on two lines, broken after the comma, so that the columns are as narrow as their
    // figures allow and all nineteen fit the window.
    QStringList titles;
    for (const QString& t : columnTitles())
        titles << t.trimmed().replace(QStringLiteral(", "), QStringLiteral(",\n"));
    m_grid->setRowList(titles);
    m_grid->setRowCount(2);
    m_grid->setVisibleRows(5); // room for five arrays without scrolling
    al->addWidget(m_grid, 1);
    // The column notes scroll by whole lines: three of them in view.
    QListWidget* note = noteList(noteLines(), 3, arrays);
    note->setObjectName(QStringLiteral("note"));
    al->addWidget(note);
    top->addWidget(arrays, 1);

    // The totals in two columns of compact figures.
    auto* totals = new QGroupBox(QStringLiteral("Расчетные данные массивов"), this);
    auto* tl = new QHBoxLayout(totals);
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    left->setVerticalSpacing(2);
    right->setVerticalSpacing(2);
    tl->addLayout(left);
    tl->addSpacing(24);
    tl->addLayout(right);
    tl->addStretch(1);
    m_fields.add(left, std::vector<FormRow>(kTotalRows.begin(), kTotalRows.begin() + 4), look);
    m_fields.add(right, std::vector<FormRow>(kTotalRows.begin() + 4, kTotalRows.end()), look);
    top->addWidget(totals);

    QPushButton* exportB = makeExportButton(
        this, QStringLiteral("Экспорт отчета о выборе солнечной батареи в текстовый документ"));
    connect(exportB, &QPushButton::clicked, this, [this] { exportReport(); });
    auto* tableB = new QPushButton(QStringLiteral("Таблица..."), this);
    tableB->setObjectName(QStringLiteral("table"));
    tableB->setToolTip(QStringLiteral("Выбор солнечной батареи из таблицы"));
    m_buttons.insert(QStringLiteral("table"), tableB);
    connect(tableB, &QPushButton::clicked, this, [this] { openTable(); });
    const DialogButtons buttons = makeDialogButtons(this, info, {.commands = {tableB, exportB}});
    m_buttons.insert(QStringLiteral("ok"), buttons.ok);
    top->addLayout(buttons.layout);

    connect(m_company, &QComboBox::currentIndexChanged, this, [this] { companyChanged(); });
    connect(m_type, &QComboBox::currentIndexChanged, this, [this] { typeChanged(); });
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (!m_filling && row >= 0 && row < int(m_sel.rows().size())) {
            m_sel.setCurrent(row);
            updateCommands();
        }
    });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { editArray(); });
    resize(1270, 680);
}

void TSelSPFrm::load() {
    m_filling = true;
    m_sel.load(readSelectionSource(m_dm));
    const VariantChoice& v = m_sel.variant();
    m_fields.setText(QStringLiteral("B"), numberToText(v.b));
    m_fields.setText(QStringLiteral("Pras"), fmt(v.prasSp, "0.##"));
    m_governs->setText(requiredSolarPower(m_dm).governingText());
    m_fields.setText(QStringLiteral("forecastMin"), fmt(m_sel.forecastMinimum(), "0"));
    const auto window = m_sel.chargeWindow();
    m_fields.setText(QStringLiteral("windowMin"),
                     window ? fmt(window->minimum, "0.##") : QString());
    m_fields.setText(QStringLiteral("windowMax"),
                     window ? fmt(window->maximum, "0.##") : QString());

    m_companies = panelCompanies(m_dm);
    m_company->clear();
    int sel = 0;
    for (size_t i = 0; i < m_companies.size(); ++i) {
        m_company->addItem(m_companies[i].company);
        if (m_companies[i].company == v.company)
            sel = int(i);
    }
    if (!m_companies.empty())
        m_company->setCurrentIndex(sel);
    companyChanged();
    m_filling = false;
    tableChanged();
}

void TSelSPFrm::loadForTour() {
    load();
    setCurrentArray(0);
}

bool TSelSPFrm::run() {
    load();
    if (m_sel.sizingProblem())
        m_prompter.error(*m_sel.sizingProblem());
    return exec() == QDialog::Accepted;
}

void TSelSPFrm::companyChanged() {
    const int ci = m_company->currentIndex();
    const bool wasFilling = m_filling;
    m_filling = true;
    m_type->clear();
    m_types.clear();
    if (ci >= 0 && ci < int(m_companies.size()))
        m_types = panelTypes(m_dm, m_companies[ci].kod, m_sel.variant().system);
    int sel = 0;
    for (size_t i = 0; i < m_types.size(); ++i) {
        m_type->addItem(m_types[i].tip);
        if (m_types[i].tip == m_sel.variant().tip)
            sel = int(i);
    }
    if (!m_types.empty())
        m_type->setCurrentIndex(sel);
    m_filling = wasFilling;
    typeChanged();
}

void TSelSPFrm::typeChanged() {
    const int ti = m_type->currentIndex();
    const CatalogPanel* t = ti >= 0 && ti < int(m_types.size()) ? &m_types[ti] : nullptr;
    const std::pair<const char*, std::optional<double>> figures[] = {
        {"P", t ? t->power : std::nullopt},  {"Unom", t ? t->unom : std::nullopt},
        {"Voc", t ? t->voc : std::nullopt},  {"Isc", t ? t->isc : std::nullopt},
        {"Vmp", t ? t->vmp : std::nullopt},  {"Imp", t ? t->imp : std::nullopt},
        {"H", t ? t->height : std::nullopt}, {"S", t ? t->width : std::nullopt}};
    for (const auto& [key, value] : figures)
        m_fields.setText(QString::fromLatin1(key), text(value));
    const auto notice = m_sel.chooseType(m_company->currentText(), t);
    if (notice && !m_filling)
        m_prompter.information(*notice);
    updateCommands();
}

void TSelSPFrm::showGrid() {
    const bool was = m_filling;
    m_filling = true;
    const auto& rows = m_sel.rows();
    m_grid->setRowCount(std::max<int>(1, int(rows.size())) + 1);
    m_grid->clearCells();
    for (size_t r = 0; r < rows.size(); ++r) {
        const QStringList texts = rowTexts(rows[r]);
        for (int c = 0; c < texts.size(); ++c)
            m_grid->setCell(c, int(r) + 1, texts[c]);
    }
    if (m_sel.current() >= 0)
        m_grid->setCurrentCell(m_sel.current(), 0);
    m_grid->resizeColumnsToContents();
    m_filling = was;
}

void TSelSPFrm::tableChanged() {
    showGrid();
    const SelectionTotals& t = m_sel.totals();
    m_fields.setText(QStringLiteral("count"), QString::number(t.panels));
    m_fields.setText(QStringLiteral("power"), fmt(t.power, "0.##"));
    m_fields.setText(QStringLiteral("losses"), fmt(t.losses, "0.##"));
    m_fields.setText(QStringLiteral("full"), fmt(t.fullPower, "0.##"));
    m_fields.setText(QStringLiteral("charge"), fmt(t.chargeCurrent, "0.##"));
    m_fields.setText(QStringLiteral("additional"), fmt(m_sel.additionalPower(), "0.##"));
    m_fields.setText(QStringLiteral("tilt"),
                     fmt(m_sel.rows().empty() ? std::nullopt : m_sel.suggestedTilt(), "0"));
    updateCommands();
}

void TSelSPFrm::updateCommands() {
    const SolarSelection::Commands c = m_sel.commands();
    const std::pair<const char*, bool> states[] = {
        {"add", c.add}, {"insert", c.insert}, {"edit", c.edit}, {"delete", c.remove},
        {"up", c.up},   {"down", c.down},     {"ok", c.ok}};
    for (const auto& [key, on] : states)
        m_buttons[QString::fromLatin1(key)]->setEnabled(on);
}

void TSelSPFrm::setCurrentArray(int row) {
    if (row < 0 || row >= int(m_sel.rows().size()))
        return;
    m_sel.setCurrent(row);
    const bool was = m_filling;
    m_filling = true;
    m_grid->setCurrentCell(row, 0);
    m_filling = was;
    updateCommands();
}

bool TSelSPFrm::runArrayWindow(int row, ArrayRow& out) {
    if (!m_sel.type())
        return false;
    TMasSPFrm w(m_prompter, this);
    w.setInput(m_sel.arrayWindowInput(row));
    const bool accepted = arrayWindowRunner ? arrayWindowRunner(w) : w.run();
    if (!accepted || !w.isCalculated())
        return false;
    out = w.resultRow(m_sel.boptForNewRow());
    return true;
}

bool TSelSPFrm::addArray() {
    ArrayRow row;
    if (!runArrayWindow(-1, row))
        return false;
    m_sel.add(row);
    tableChanged();
    return true;
}

bool TSelSPFrm::insertArray() {
    ArrayRow row;
    if (!runArrayWindow(-1, row))
        return false;
    m_sel.insert(row);
    tableChanged();
    return true;
}

bool TSelSPFrm::editArray() {
    if (m_sel.current() < 0)
        return false;
    ArrayRow row;
    if (!runArrayWindow(m_sel.current(), row))
        return false;
    m_sel.replace(row);
    tableChanged();
    return true;
}

bool TSelSPFrm::deleteArray() {
    if (m_sel.current() < 0)
        return false;
    m_sel.remove();
    tableChanged();
    return true;
}

bool TSelSPFrm::moveUp() {
    if (!m_sel.commands().up)
        return false;
    m_sel.moveUp();
    tableChanged();
    return true;
}

bool TSelSPFrm::moveDown() {
    if (!m_sel.commands().down)
        return false;
    m_sel.moveDown();
    tableChanged();
    return true;
}

bool TSelSPFrm::ok() {
    if (auto refusal = m_sel.okRefusal(m_checkCharge->isChecked())) {
        m_prompter.error(*refusal);
        return false;
    }
    if (const auto question = m_sel.losingChoicesQuestion())
        if (!m_prompter.question(*question))
            return false;
    try {
        storeChoice(m_dm, m_sel.storedChoice());
    } catch (const DbError& e) {
        m_prompter.error(e.message());
        return false;
    }
    QDialog::accept();
    return true;
}

void TSelSPFrm::accept() {
    ok();
}

const QStringList& TSelSPFrm::columnTitles() {
    static const QStringList titles = {QStringLiteral(" Наименование массива"),
                                       QStringLiteral(" Bопт., град."),
                                       QStringLiteral(" Ориентация, град."),
                                       QStringLiteral(" Угол наклона, град."),
                                       QStringLiteral(" К, отн. ед."),
                                       QStringLiteral(" Nпосл., шт."),
                                       QStringLiteral(" Nпарал., шт."),
                                       QStringLiteral(" Nсп, шт."),
                                       QStringLiteral(" Рсп, Вт"),
                                       QStringLiteral(" Iсп, А"),
                                       QStringLiteral(" dPсп, Вт"),
                                       QStringLiteral(" Режим"),
                                       QStringLiteral(" Параметр"),
                                       QStringLiteral(" Рмас., Вт"),
                                       QStringLiteral(" Iмас., А"),
                                       QStringLiteral(" Форма пл."),
                                       QStringLiteral(" Lпл., м"),
                                       QStringLiteral(" Sпл., м"),
                                       QStringLiteral(" Нпл., м")};
    return titles;
}

QStringList TSelSPFrm::rowTexts(const ArrayRow& a) {
    return {a.name,
            text(a.bopt),
            numberToText(a.orientation),
            numberToText(a.tilt),
            numberToText(a.k),
            QString::number(a.series),
            QString::number(a.strings),
            QString::number(a.panels),
            numberToText(a.power),
            numberToText(a.current),
            numberToText(a.loss),
            QString::number(int(a.criterion)),
            text(a.siteParameter),
            text(a.givenPower),
            text(a.givenCurrent),
            a.shape ? QString::number(int(*a.shape)) : QString(),
            text(a.length),
            text(a.lower),
            text(a.height)};
}

QString TSelSPFrm::governingText() const {
    return m_governs->text();
}

const QStringList& TSelSPFrm::noteLines() {
    static const QStringList lines = {
        QStringLiteral("Наименование массива - наименование массива солнечных панелей."),
        QStringLiteral("Bопт., град. - оптимальный угол наклона солнечных панелей при формировании "
                       "массива, град."),
        QStringLiteral("Ориентация, град. - угол ориентации солнечных панелей массива (180 град. - "
                       "юг), град."),
        QStringLiteral(
            "Угол наклона, град. - угол наклона солнечных панелей массива к горизонту, град."),
        QStringLiteral("К, отн. ед. - коэффициент производительности солнечных панелей массива."),
        QStringLiteral(
            "Nпосл., шт. - количество последовательно соединенных панелей в сборке массива, шт."),
        QStringLiteral("Nпарал., шт. - количество параллельных сборок массива, шт."),
        QStringLiteral("Nсп, шт. - количество солнечных панелей массива, шт."),
        QStringLiteral("Рсп, Вт - суммарная мощность солнечных панелей массива, Вт."),
        QStringLiteral("Iсп, А - ток солнечных панелей массива, А."),
        QStringLiteral(
            "dPсп, Вт - потери мощности массива из-за отклонения от оптимальной ориентации, Вт.")};
    return lines;
}

void TSelSPFrm::writeReport(ReportWriter& w) const {
    w.openReport();
    w.writeTitle(QStringLiteral("Выбор солнечных панелей и формирование массивов.\r\r"));
    w.writeHeading(QStringLiteral("Исходные данные для выбора солнечных панелей и массивов.\r"));
    w.writePairsTable(m_fields.pairs({"B", "Pras", "windowMin", "windowMax"}));
    w.writeText(QStringLiteral("\r"));
    w.writeHeading(QStringLiteral("Параметры солнечных панелей.\r"));
    auto panel = m_fields.pairs({"P", "Unom", "Isc", "Vmp", "Imp", "H", "S"});
    panel.insert(panel.begin(),
                 {{QStringLiteral("Компания-производитель"), m_company->currentText()},
                  {QStringLiteral("Тип солнечной панели"), m_type->currentText()}});
    w.writePairsTable(panel);
    w.writeText(QStringLiteral("\r"));
    w.writeHeading(QStringLiteral("Таблица массивов солнечных панелей.\r"));
    // The first eleven columns: the name to dPсп.
    std::vector<QStringList> rows = {columnTitles().mid(0, 11)};
    for (const ArrayRow& row : m_sel.rows())
        rows.push_back(rowTexts(row).mid(0, 11));
    w.writeGridTable(rows);
    QString note = QStringLiteral("Примечание.\r");
    for (const QString& line : noteLines())
        note += line + QStringLiteral("\r");
    w.writeText(note + QStringLiteral("\r"));
    w.writeHeading(QStringLiteral("Схемы массивов солнечных панелей.\r"));
    if (const CatalogPanel* type = m_sel.type()) {
        const SystemSettings& system = m_sel.variant().system;
        for (const ArrayRow& row : m_sel.rows()) {
            ArraySchemeInput in;
            in.arrayName = row.name;
            in.panelType = type->tip;
            in.panelsPerString = row.series;
            in.strings = row.strings;
            in.panelCount = row.panels;
            in.arrayPower = numberToText(row.power);
            in.arrayVoltage = numberToText(system.mppt ? system.umppt : system.uses);
            in.panelPower = numberToText(type->panel.power);
            in.panelVoltage = numberToText(type->panel.unom);
            in.panelWidthMm = type->panel.width;
            in.panelHeightMm = type->panel.height;
            in.scale = 30;
            w.insertPicture(ses::render(arrayScheme(in, fontTextMeasure()).drawing));
        }
    }
    w.writeText(QStringLiteral("\r"));
    w.writeHeading(QStringLiteral("Расчетные данные массивов.\r"));
    auto totals = m_fields.pairs({"losses", "full", "count", "power", "charge"});
    // The report writes the unit of the count with its period; the window's caption has none.
    totals[2].first = QStringLiteral("Общее количество панелей солнечной батареи, шт.");
    w.writePairsTable(totals);
    w.writeText(QStringLiteral("\r"));
}

void TSelSPFrm::exportReport() {
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

TTablSPFm& TSelSPFrm::tableWindow() {
    if (!m_tableWindow)
        m_tableWindow = new TTablSPFm(m_dm, m_prompter, this);
    return *m_tableWindow;
}

PanelTableHandOver TSelSPFrm::tableHandOver() const {
    PanelTableHandOver in;
    in.company = m_company->currentText();
    in.tip = m_type->currentText();
    in.matchCharge = m_checkCharge->isChecked();
    in.forecastMinimum = m_fields.text(QStringLiteral("forecastMin"));
    in.batteryMinimum = m_fields.text(QStringLiteral("windowMin"));
    in.batteryMaximum = m_fields.text(QStringLiteral("windowMax"));
    const auto& rows = m_sel.rows();
    in.orientation = rows.empty() ? 180 : rows.front().orientation;
    in.tilt = rows.empty() ? m_sel.variant().b : rows.front().tilt;
    in.fixedPower =
        !rows.empty() && rows.front().criterion == Criterion::GivenPower && rows.front().givenPower
            ? *rows.front().givenPower
            : -1;
    return in;
}

void TSelSPFrm::openTable() {
    if (tableWindow().run(tableHandOver()))
        takeTableChoice();
}

bool TSelSPFrm::takeTableChoice() {
    const auto row = tableWindow().chosen();
    if (!row)
        return false;
    const std::vector<ArrayRow> arrays = handBackRows(*row, tableWindow().handBack());
    if (arrays.empty())
        return false;
    // The new type comes with its own arrays: no warning about the old ones.
    const bool was = m_filling;
    m_filling = true;
    const int company = m_company->findText(row->row.company);
    if (company >= 0 && company != m_company->currentIndex())
        m_company->setCurrentIndex(company);
    const int type = m_type->findText(row->row.tip);
    if (type >= 0 && type != m_type->currentIndex())
        m_type->setCurrentIndex(type);
    m_filling = was;
    if (m_type->currentText() != row->row.tip)
        return false;
    m_checkCharge->setChecked(tableWindow().matchCharge());
    while (!m_sel.rows().empty()) {
        m_sel.setCurrent(0);
        m_sel.remove();
    }
    for (const ArrayRow& a : arrays)
        m_sel.add(a);
    m_sel.setCurrent(0);
    tableChanged();
    return true;
}

} // namespace ses
