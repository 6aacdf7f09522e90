#include "solar/ui/sel_sp_form.h"

#include "reports/array_scheme.h"
#include "reports/document_report_writer.h"
#include "reports/drawing.h"
#include "reports/report_error.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPlainTextEdit>
#include <QUrl>

#include "data/data_module.h"
#include "lib/numbers.h"
#include "lib/prompter.h"
#include "solar/sizing_store.h"
#include "solar/ui/mas_sp_form.h"
#include "widgets/help_viewer.h"
#include "widgets/string_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ses {

namespace {

QString fmt(double x, const char* pattern) { return formatPattern(x, QString::fromLatin1(pattern)); }
QString fmt(std::optional<double> x, const char* pattern)
{
    return x ? fmt(*x, pattern) : QString();
}

} // namespace

TSelSPFrm::TSelSPFrm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter)
{
    setWindowTitle(QStringLiteral("Выбор солнечной батареи."));
    auto* top = new QVBoxLayout(this);
    auto label = [this](QWidget* parent, const char* key) {
        auto* l = new QLabel(parent);
        l->setMinimumWidth(70);
        l->setFrameShape(QFrame::StyledPanel);
        m_fields.insert(QString::fromLatin1(key), l);
        return l;
    };

    auto* upper = new QHBoxLayout;
    auto* need = new QGroupBox(QStringLiteral("Исходные данные"), this);
    auto* nf = new QFormLayout(need);
    nf->addRow(QStringLiteral("Оптимальный угол наклона солнечных панелей, град.:"), label(need, "B"));
    nf->addRow(QStringLiteral("Расчетная мощность солнечной батареи, Вт:"), label(need, "Pras"));
    nf->addRow(QStringLiteral("Прогнозируемый требуемый минимальный ток заряда АБ, А:"),
               label(need, "forecastMin"));
    nf->addRow(QStringLiteral("Минимальный ток заряда имеющейся АБ (с учетом настроек), А:"),
               label(need, "windowMin"));
    nf->addRow(QStringLiteral("Максимальный ток заряда имеющейся АБ (с учетом настроек), А:"),
               label(need, "windowMax"));
    m_checkCharge = new QCheckBox(
        QStringLiteral("Подбор СБ с учетом тока заряда АБ на выходе контроллера"), need);
    m_checkCharge->setChecked(true);
    nf->addRow(m_checkCharge);
    upper->addWidget(need);

    auto* panel = new QGroupBox(QStringLiteral("Параметры солнечных панелей"), this);
    auto* pf = new QFormLayout(panel);
    m_company = new QComboBox(panel);
    m_type = new QComboBox(panel);
    pf->addRow(QStringLiteral("Компания-производитель:"), m_company);
    pf->addRow(QStringLiteral("Тип солнечной панели:"), m_type);
    pf->addRow(QStringLiteral("Мощность отдельной солнечной панели, Вт:"), label(panel, "P"));
    pf->addRow(QStringLiteral("Номинальное напряжение солнечной панели, В:"), label(panel, "Unom"));
    pf->addRow(QStringLiteral("Напряжение холостого хода солнечной панели, В:"), label(panel, "Voc"));
    pf->addRow(QStringLiteral("Ток короткого замыкания солнечной панели, А:"), label(panel, "Isc"));
    pf->addRow(QStringLiteral("Напряжение в рабочей точке солнечной панели, В:"), label(panel, "Vmp"));
    pf->addRow(QStringLiteral("Ток в рабочей точке солнечной панели, А:"), label(panel, "Imp"));
    pf->addRow(QStringLiteral("Высота отдельной солнечной панели, мм:"), label(panel, "H"));
    pf->addRow(QStringLiteral("Ширина отдельной солнечной панели, мм:"), label(panel, "S"));
    upper->addWidget(panel);
    top->addLayout(upper);

    auto* arrays = new QGroupBox(QStringLiteral("Параметры массивов"), this);
    auto* al = new QVBoxLayout(arrays);
    auto* commands = new QHBoxLayout;
    const std::pair<const char*, const char*> cmds[] = {
        {"add", "Добавить"}, {"insert", "Вставить"}, {"edit", "Изменить"},
        {"delete", "Удалить"}, {"up", "Вверх"},     {"down", "Вниз"}};
    const std::pair<const char*, const char*> hints[] = {
        {"add", "Добавить массив солнечных панелей"},
        {"insert", "Вставить массив солнечных панелей"},
        {"edit", "Изменить параметры массива солнечных панелей"},
        {"delete", "Удалить массив солнечных панелей"},
        {"up", "Переместить на строку вверх"},
        {"down", "Переместить на строку вниз"}};
    for (size_t i = 0; i < std::size(cmds); ++i) {
        auto* b = new QPushButton(QString::fromUtf8(cmds[i].second), arrays);
        b->setToolTip(QString::fromUtf8(hints[i].second));
        m_buttons.insert(QString::fromLatin1(cmds[i].first), b);
        commands->addWidget(b);
    }
    commands->addStretch();
    al->addLayout(commands);
    m_grid = new StringGrid(arrays);
    m_grid->setFixedRow(true);
    m_grid->setColCount(kArrayColumns);
    m_grid->setRowCount(2);
    for (int c = 0; c < kArrayColumns; ++c)
        m_grid->setCell(c, 0, arrayColumnTitles()[c]);
    m_grid->setReadOnly(true);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setMinimumHeight(100);
    al->addWidget(m_grid);
    auto* note = new QPlainTextEdit(noteLines().join(QLatin1Char('\n')), arrays);
    note->setReadOnly(true);
    note->setMaximumHeight(52);
    al->addWidget(note);
    top->addWidget(arrays);

    auto* totals = new QGroupBox(QStringLiteral("Расчетные данные массивов"), this);
    auto* tf = new QFormLayout(totals);
    tf->addRow(QStringLiteral("Потери мощности из-за ориентации панелей батареи, Вт:"),
               label(totals, "losses"));
    tf->addRow(QStringLiteral("Полная расчетная мощность солнечной батареи, Вт:"),
               label(totals, "full"));
    tf->addRow(QStringLiteral("Общее количество панелей солнечной батареи, шт:"),
               label(totals, "count"));
    tf->addRow(QStringLiteral("Общая мощность панелей солнечной батареи, Вт:"),
               label(totals, "power"));
    tf->addRow(QStringLiteral("Прогнозируемый ток заряда АБ (на выходе контроллеров), А:"),
               label(totals, "charge"));
    tf->addRow(QStringLiteral("Требуемая дополнительная мощность батареи, Вт:"),
               label(totals, "additional"));
    tf->addRow(QStringLiteral("Оптимальный угол наклона солнечных панелей, град.:"),
               label(totals, "tilt"));
    top->addWidget(totals);

    auto* bottom = new QHBoxLayout;
    auto* exportB = new QPushButton(QStringLiteral("Экспорт..."), this);
    exportB->setToolTip(QStringLiteral("Экспорт отчета о выборе солнечной батареи в текстовый документ"));
    connect(exportB, &QPushButton::clicked, this, [this] { exportReport(); });
    bottom->addWidget(exportB);
    bottom->addStretch();
    auto* okB = new QPushButton(QStringLiteral("ОК"), this);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    auto* help = new QPushButton(QStringLiteral("Справка..."), this);
    m_buttons.insert(QStringLiteral("ok"), okB);
    bottom->addWidget(okB);
    bottom->addWidget(cancel);
    bottom->addWidget(help);
    top->addLayout(bottom);
    installHelpKey(this, kHelpTopic);

    connect(m_company, &QComboBox::currentIndexChanged, this, [this] { companyChanged(); });
    connect(m_type, &QComboBox::currentIndexChanged, this, [this] { typeChanged(); });
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (!m_filling && row >= 0 && row < int(m_sel.rows().size())) {
            m_current = row;
            updateCommands();
        }
    });
    connect(m_buttons[QStringLiteral("add")], &QPushButton::clicked, this, [this] { addArray(); });
    connect(m_buttons[QStringLiteral("insert")], &QPushButton::clicked, this, [this] { insertArray(); });
    connect(m_buttons[QStringLiteral("edit")], &QPushButton::clicked, this, [this] { editArray(); });
    connect(m_buttons[QStringLiteral("delete")], &QPushButton::clicked, this, [this] { deleteArray(); });
    connect(m_buttons[QStringLiteral("up")], &QPushButton::clicked, this, [this] { moveUp(); });
    connect(m_buttons[QStringLiteral("down")], &QPushButton::clicked, this, [this] { moveDown(); });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { editArray(); });
    connect(okB, &QPushButton::clicked, this, [this] { ok(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { HelpViewer::showTopic(this, kHelpTopic); });
    resize(980, 720);
}

QString TSelSPFrm::fieldText(const QString& key) const
{
    const QLabel* l = m_fields.value(key);
    return l ? l->text() : QString();
}

void TSelSPFrm::setField(const QString& key, const QString& text)
{
    if (QLabel* l = m_fields.value(key))
        l->setText(text);
}

void TSelSPFrm::load()
{
    m_filling = true;
    m_sel.load(m_dm);
    const VariantChoice& v = m_sel.variant();
    setField(QStringLiteral("B"), numberToText(v.b));
    setField(QStringLiteral("Pras"), fmt(v.prasSp, "0.##"));
    setField(QStringLiteral("forecastMin"),
             fmt(forecastMinimumChargeCurrent(v.crasAkb, v.nameAkb,
                                              v.izarMin, v.kzarMin),
                 "0"));
    const auto window = batteryChargeWindow(v.sizarMin, v.sizarMax,
                                            v.izarMin, v.izarMax,
                                            v.kzarMin, v.kzarMax);
    setField(QStringLiteral("windowMin"), window ? fmt(window->minimum, "0.##") : QString());
    setField(QStringLiteral("windowMax"), window ? fmt(window->maximum, "0.##") : QString());

    m_companies = panelCompanies(m_dm);
    m_company->clear();
    int sel = 0;
    for (size_t i = 0; i < m_companies.size(); ++i) {
        m_company->addItem(m_companies[i].company);
        if (m_companies[i].company == m_sel.variant().company)
            sel = int(i);
    }
    m_current = m_sel.rows().empty() ? -1 : 0;
    m_lastType.clear();
    if (!m_companies.empty())
        m_company->setCurrentIndex(sel);
    companyChanged();
    m_filling = false;
    tableChanged();
}

void TSelSPFrm::loadForTour()
{
    load();
    if (!m_sel.rows().empty())
        setCurrentArray(0);
}

bool TSelSPFrm::run()
{
    load();
    if (m_sel.sizingProblem())
        m_prompter.error(*m_sel.sizingProblem());
    return exec() == QDialog::Accepted;
}

void TSelSPFrm::companyChanged()
{
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

const CatalogPanel* TSelSPFrm::currentType() const
{
    const int ti = m_type->currentIndex();
    return ti >= 0 && ti < int(m_types.size()) ? &m_types[ti] : nullptr;
}

void TSelSPFrm::typeChanged()
{
    const CatalogPanel* t = currentType();
    setField(QStringLiteral("P"), t ? numberToText(t->power) : QString());
    setField(QStringLiteral("Unom"), t ? numberToText(t->unom) : QString());
    setField(QStringLiteral("Voc"), t ? numberToText(t->voc) : QString());
    setField(QStringLiteral("Isc"), t ? numberToText(t->isc) : QString());
    setField(QStringLiteral("Vmp"), t ? numberToText(t->vmp) : QString());
    setField(QStringLiteral("Imp"), t ? numberToText(t->imp) : QString());
    setField(QStringLiteral("H"), t ? numberToText(t->height) : QString());
    setField(QStringLiteral("S"), t ? numberToText(t->width) : QString());
    const QString now = t ? t->tip : QString();
    if (!m_filling && !m_sel.rows().empty() && now != m_lastType)
        m_prompter.information(
            QStringLiteral("Изменен тип солнечной панели (с \"%1\" на \"%2\") при наличии в таблице "
                           "\"Параметры массивов\" ранее сформированных массивов.\rРекомендуется "
                           "удалить массивы солнечных панелей и сформировать их заново или "
                           "отредактировать параметры имеющихся массивов.")
                .arg(m_lastType, now));
    m_lastType = now;
    updateCommands();
}

void TSelSPFrm::showGrid()
{
    const bool was = m_filling;
    m_filling = true;
    const int rows = std::max<int>(1, int(m_sel.rows().size()));
    m_grid->setRowCount(rows + 1);
    m_grid->clearCells();
    for (size_t r = 0; r < m_sel.rows().size(); ++r)
        for (int c = 0; c < kArrayColumns; ++c)
            m_grid->setCell(c, int(r) + 1, m_sel.rows()[r].value(c));
    if (m_current >= 0)
        m_grid->setCurrentCell(m_current, 0);
    m_grid->resizeColumnsToContents();
    m_filling = was;
}

void TSelSPFrm::tableChanged()
{
    showGrid();
    const SelectionTotals& t = m_sel.totals();
    setField(QStringLiteral("count"), QString::number(t.panels));
    setField(QStringLiteral("power"), fmt(t.power, "0.##"));
    setField(QStringLiteral("losses"), fmt(t.losses, "0.##"));
    setField(QStringLiteral("full"), fmt(t.fullPower, "0.##"));
    setField(QStringLiteral("charge"), fmt(t.chargeCurrent, "0.##"));
    setField(QStringLiteral("additional"), fmt(m_sel.additionalPower(), "0.##"));
    setField(QStringLiteral("tilt"),
             fmt(m_sel.rows().empty() ? std::nullopt : m_sel.suggestedTilt(), "0"));
    updateCommands();
}

void TSelSPFrm::updateCommands()
{
    const bool type = currentType() != nullptr;
    const int n = int(m_sel.rows().size());
    m_buttons[QStringLiteral("add")]->setEnabled(type);
    m_buttons[QStringLiteral("edit")]->setEnabled(type && n > 0);
    m_buttons[QStringLiteral("delete")]->setEnabled(type && n > 0);
    m_buttons[QStringLiteral("insert")]->setEnabled(type && n > 0);
    m_buttons[QStringLiteral("up")]->setEnabled(n >= 2 && m_current > 0);
    m_buttons[QStringLiteral("down")]->setEnabled(n >= 2 && m_current >= 0 && m_current < n - 1);
    m_buttons[QStringLiteral("ok")]->setEnabled(n > 0);
}

void TSelSPFrm::setCurrentArray(int row)
{
    if (row < 0 || row >= int(m_sel.rows().size()))
        return;
    m_current = row;
    const bool was = m_filling;
    m_filling = true;
    m_grid->setCurrentCell(row, 0);
    m_filling = was;
    updateCommands();
}

ArrayWindowInput TSelSPFrm::arrayWindowInput(int row) const
{
    const CatalogPanel* t = currentType();
    return t ? m_sel.arrayWindowInput(m_dm, row, m_company->currentText(), *t) : ArrayWindowInput{};
}

bool TSelSPFrm::runArrayWindow(int row, bool editing, ArrayCells& out)
{
    if (!currentType())
        return false;
    TMasSPFrm w(m_prompter, this);
    w.setInput(arrayWindowInput(editing ? row : -1));
    const bool accepted = arrayWindowRunner ? arrayWindowRunner(w) : w.run();
    if (!accepted || !w.isCalculated())
        return false;
    out = w.resultRow(fmt(m_sel.suggestedTilt(), "0"));
    return true;
}

bool TSelSPFrm::addArray()
{
    ArrayCells row;
    if (!runArrayWindow(-1, false, row))
        return false;
    m_sel.insertRow(int(m_sel.rows().size()), row, m_lastType);
    m_current = int(m_sel.rows().size()) - 1;
    tableChanged();
    return true;
}

bool TSelSPFrm::insertArray()
{
    if (m_current < 0 || m_current >= int(m_sel.rows().size()))
        return addArray();
    ArrayCells row;
    if (!runArrayWindow(-1, false, row))
        return false;
    m_sel.insertRow(m_current, row, m_lastType);
    tableChanged();
    return true;
}

bool TSelSPFrm::editArray()
{
    if (m_current < 0 || m_current >= int(m_sel.rows().size()))
        return false;
    ArrayCells row;
    if (!runArrayWindow(m_current, true, row))
        return false;
    m_sel.replaceRow(m_current, row, m_lastType);
    tableChanged();
    return true;
}

bool TSelSPFrm::deleteArray()
{
    if (m_current < 0 || m_current >= int(m_sel.rows().size()))
        return false;
    m_sel.removeRow(m_current);
    if (m_current >= int(m_sel.rows().size()))
        m_current = int(m_sel.rows().size()) - 1;
    tableChanged();
    return true;
}

bool TSelSPFrm::moveUp()
{
    if (m_current <= 0 || m_current >= int(m_sel.rows().size()))
        return false;
    m_sel.swapRows(m_current, m_current - 1);
    --m_current;
    tableChanged();
    return true;
}

bool TSelSPFrm::moveDown()
{
    if (m_current < 0 || m_current + 1 >= int(m_sel.rows().size()))
        return false;
    m_sel.swapRows(m_current, m_current + 1);
    ++m_current;
    tableChanged();
    return true;
}

bool TSelSPFrm::ok()
{
    const CatalogPanel* t = currentType();
    if (auto refusal = m_sel.okRefusal(m_checkCharge->isChecked(), t)) {
        m_prompter.error(*refusal);
        return false;
    }
    const QStringList losing = arraysLosingChoices(m_dm, m_sel.rows());
    if (!losing.isEmpty()) {
        QStringList quoted;
        for (const QString& n : losing)
            quoted << QStringLiteral("\"%1\"").arg(n);
        if (!m_prompter.question(
                QStringLiteral("Для измененных или удаленных массивов солнечных панелей %1 будут "
                               "сброшены выбранные контроллеры заряда, кабели и защитные "
                               "аппараты.\rПродолжить?")
                    .arg(quoted.join(QStringLiteral(", ")))))
            return false;
    }
    const StoredChoice c = m_sel.choice(m_company->currentText(), *t);
    try {
        storeChoice(m_dm, c);
    } catch (const DbError& e) {
        m_prompter.error(e.message());
        return false;
    }
    accept();
    return true;
}

const QStringList& TSelSPFrm::noteLines()
{
    static const QStringList lines = {
        QStringLiteral("Наименование массива - наименование массива солнечных панелей."),
        QStringLiteral("Bопт., град. - оптимальный угол наклона солнечных панелей при формировании массива, град."),
        QStringLiteral("Ориентация, град. - угол ориентации солнечных панелей массива (180 град. - юг), град."),
        QStringLiteral("Угол наклона, град. - угол наклона солнечных панелей массива к горизонту, град."),
        QStringLiteral("К, отн. ед. - коэффициент производительности солнечных панелей массива."),
        QStringLiteral("Nпосл., шт. - количество последовательно соединенных панелей в сборке массива, шт."),
        QStringLiteral("Nпарал., шт. - количество параллельных сборок массива, шт."),
        QStringLiteral("Nсп, шт. - количество солнечных панелей массива, шт."),
        QStringLiteral("Рсп, Вт - суммарная мощность солнечных панелей массива, Вт."),
        QStringLiteral("Iсп, А - ток солнечных панелей массива, А."),
        QStringLiteral("dPсп, Вт - потери мощности массива из-за отклонения от оптимальной ориентации, Вт.")};
    return lines;
}

void TSelSPFrm::writeReport(ReportWriter& w) const
{
    const auto f = [this](const char* key) { return fieldText(QString::fromLatin1(key)); };
    w.openReport();
    w.writeTitle(QStringLiteral("Выбор солнечных панелей и формирование массивов.\r\r"));
    w.writeHeading(QStringLiteral("Исходные данные для выбора солнечных панелей и массивов.\r"));
    w.writePairsTable({{QStringLiteral("Оптимальный угол наклона солнечных панелей, град."), f("B")},
                       {QStringLiteral("Расчетная мощность солнечной батареи, Вт"), f("Pras")},
                       {QStringLiteral("Минимальный ток заряда имеющейся АБ (с учетом настроек), А"), f("windowMin")},
                       {QStringLiteral("Максимальный ток заряда имеющейся АБ (с учетом настроек), А"), f("windowMax")}});
    w.writeText(QStringLiteral("\r"));
    w.writeHeading(QStringLiteral("Параметры солнечных панелей.\r"));
    w.writePairsTable({{QStringLiteral("Компания-производитель"), m_company->currentText()},
                       {QStringLiteral("Тип солнечной панели"), m_type->currentText()},
                       {QStringLiteral("Мощность отдельной солнечной панели, Вт"), f("P")},
                       {QStringLiteral("Номинальное напряжение солнечной панели, В"), f("Unom")},
                       {QStringLiteral("Ток короткого замыкания солнечной панели, А"), f("Isc")},
                       {QStringLiteral("Напряжение в рабочей точке солнечной панели, В"), f("Vmp")},
                       {QStringLiteral("Ток в рабочей точке солнечной панели, А"), f("Imp")},
                       {QStringLiteral("Высота отдельной солнечной панели, мм"), f("H")},
                       {QStringLiteral("Ширина отдельной солнечной панели, мм"), f("S")}});
    w.writeText(QStringLiteral("\r"));
    w.writeHeading(QStringLiteral("Таблица массивов солнечных панелей.\r"));
    std::vector<QStringList> rows;
    rows.push_back(arrayColumnTitles().mid(0, 11));
    for (const ArrayCells& row : m_sel.rows())
        rows.push_back(row.mid(0, 11));
    w.writeGridTable(rows);
    QString note = QStringLiteral("Примечание.\r");
    for (const QString& line : noteLines())
        note += line + QStringLiteral("\r");
    w.writeText(note + QStringLiteral("\r"));
    w.writeHeading(QStringLiteral("Схемы массивов солнечных панелей.\r"));
    const CatalogPanel* type = currentType();
    for (const ArrayCells& row : m_sel.rows()) {
        if (!type)
            break;
        ArraySchemeInput in;
        in.arrayName = row.value(0);
        in.panelType = type->tip;
        in.panelsPerString = row.value(5).toInt();
        in.strings = row.value(6).toInt();
        in.panelCount = row.value(7).toInt();
        in.arrayPower = row.value(8);
        const SystemSettings& system = m_sel.variant().system;
        in.arrayVoltage = numberToText(system.mppt ? system.umppt : system.uses);
        in.panelPower = numberToText(type->panel.power);
        in.panelVoltage = numberToText(type->panel.unom);
        in.panelWidthMm = type->panel.width;
        in.panelHeightMm = type->panel.height;
        in.scale = 30;
        w.insertPicture(ses::render(arrayScheme(in, fontTextMeasure()).drawing));
    }
    w.writeText(QStringLiteral("\r"));
    w.writeHeading(QStringLiteral("Расчетные данные массивов.\r"));
    w.writePairsTable({{QStringLiteral("Потери мощности из-за ориентации панелей батареи, Вт"), f("losses")},
                       {QStringLiteral("Полная расчетная мощность солнечной батареи, Вт"), f("full")},
                       {QStringLiteral("Общее количество панелей солнечной батареи, шт."), f("count")},
                       {QStringLiteral("Общая мощность панелей солнечной батареи, Вт"), f("power")},
                       {QStringLiteral("Прогнозируемый ток заряда АБ (на выходе контроллеров), А"), f("charge")}});
    w.writeText(QStringLiteral("\r"));
}

void TSelSPFrm::exportReport()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        DocumentReportWriter w;
        writeReport(w);
        const QString path = w.closeReport();
        QApplication::restoreOverrideCursor();
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        m_prompter.information(QStringLiteral("Отчет сохранен в файле:\n") + path);
    } catch (const ReportError& e) {
        QApplication::restoreOverrideCursor();
        m_prompter.error(e.message());
    }
}

} // namespace ses
