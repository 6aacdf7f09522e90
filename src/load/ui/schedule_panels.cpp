#include "load/ui/schedule_panels.h"

#include "lib/months.h"
#include "lib/numbers.h"
#include "widgets/string_grid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QVBoxLayout>

namespace ses {

QString nominalPowerLabel(int minutes) {
    return QStringLiteral("Номинальная выходная мощность (более %1 минут), Вт:").arg(minutes);
}

QString maximumPowerLabel(int minutes) {
    return QStringLiteral("Максимальная выходная мощность (не более %1 минут), Вт:").arg(minutes);
}

// ---------------------------------------------------------------- ScheduleHeader

ScheduleHeader::ScheduleHeader(QWidget* parent)
    : QGroupBox(QStringLiteral(" Общие параметры суточного графика "), parent) {
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("SutGrafName"));
    m_name->setMaxLength(kScheduleNameLength);
    m_from = new QComboBox(this);
    m_from->setObjectName(QStringLiteral("MonthName1"));
    m_to = new QComboBox(this);
    m_to->setObjectName(QStringLiteral("MonthName2"));
    for (QComboBox* box : {m_from, m_to}) {
        box->addItems(monthNames());
        box->setMinimumContentsLength(9);
        connect(box, &QComboBox::activated, this, [this] { emit rangeChanged(); });
    }
    m_region = new QLineEdit(this);
    m_region->setReadOnly(true);
    m_region->setFocusPolicy(Qt::NoFocus);
    m_dailyCycle =
        new QCheckBox(QStringLiteral("Суточный цикл работы солнечной электростанции"), this);
    // Shown, not edited: the variant dialog owns it.
    m_dailyCycle->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_dailyCycle->setFocusPolicy(Qt::NoFocus);
    m_kLabel = new QLabel(
        QStringLiteral("Максимальное число последовательных \"часов без солнца\":"), this);
    m_k = new QLineEdit(this);
    m_k->setReadOnly(true);
    m_k->setFocusPolicy(Qt::NoFocus);
    m_k->setAlignment(Qt::AlignRight);
    m_k->setFixedWidth(60);

    auto* nameLabel = new QLabel(QStringLiteral("Наименование суточного графика:"), this);
    nameLabel->setBuddy(m_name);
    auto* rangeLabel =
        new QLabel(QStringLiteral("Срок действия суточного графика (месяцы):"), this);
    rangeLabel->setBuddy(m_from);
    auto* regionLabel =
        new QLabel(QStringLiteral("Регион размещения солнечной электростанции:"), this);

    auto* range = new QHBoxLayout;
    range->addWidget(m_from);
    range->setSpacing(6);
    range->addWidget(new QLabel(QStringLiteral("-"), this));
    range->addWidget(m_to);
    range->addStretch(1);
    auto* k = new QHBoxLayout;
    k->addWidget(m_kLabel);
    k->addWidget(m_k);
    k->addStretch(1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 3);
    grid->addWidget(rangeLabel, 1, 0);
    grid->addLayout(range, 1, 1);
    grid->addWidget(regionLabel, 1, 2);
    grid->addWidget(m_region, 1, 3);
    grid->addWidget(m_dailyCycle, 2, 0, 1, 2);
    grid->addLayout(k, 2, 2, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setHorizontalSpacing(10);
}

QString ScheduleHeader::name() const {
    return m_name->text();
}

QString ScheduleHeader::from() const {
    return m_from->currentText();
}

QString ScheduleHeader::to() const {
    return m_to->currentText();
}

void ScheduleHeader::setSchedule(const QString& name, const QString& from, const QString& to) {
    m_name->setText(name);
    // A stored month that is not one of the twelve names selects nothing.
    m_from->setCurrentIndex(monthIndex(from) - 1);
    m_to->setCurrentIndex(monthIndex(to) - 1);
}

void ScheduleHeader::setInputs(const ScheduleInputs& in) {
    m_region->setText(in.region);
    m_region->setCursorPosition(0);
    m_dailyCycle->setChecked(in.dailyCycle);
    m_k->setText(numberToText(in.hoursWithoutSun));
    m_kLabel->setEnabled(!in.dailyCycle);
    m_k->setEnabled(!in.dailyCycle);
}

// ---------------------------------------------------------------- ToggleLabel

ToggleLabel::ToggleLabel(const QString& text, QCheckBox* box, QWidget* parent)
    : QLabel(text, parent), m_box(box) {}

void ToggleLabel::mousePressEvent(QMouseEvent* event) {
    if (m_box->isEnabled())
        m_box->toggle();
    QLabel::mousePressEvent(event);
}

PureSineRow makePureSineRow(QWidget* parent) {
    PureSineRow r;
    r.box = new QCheckBox(
        QStringLiteral("Наличие потребителей, требующих форму выходного сигнала инвертора "),
        parent);
    r.box->setObjectName(QStringLiteral("ClearSinus"));
    r.label = new ToggleLabel(QStringLiteral("\"чистый синус\""), r.box, parent);
    r.layout = new QHBoxLayout;
    r.layout->setSpacing(0);
    r.layout->addWidget(r.box);
    r.layout->addWidget(r.label);
    r.layout->addStretch(1);
    return r;
}

QLineEdit* resultField(QWidget* parent, const QString& name) {
    auto* f = new QLineEdit(parent);
    f->setObjectName(name);
    f->setReadOnly(true);
    f->setFocusPolicy(Qt::NoFocus);
    f->setAlignment(Qt::AlignRight);
    f->setFixedWidth(90);
    return f;
}

ScheduleResults makeScheduleResults(QWidget* parent,
                                    const std::function<QLayout*(QWidget* page)>& peakRow) {
    ScheduleResults r;
    r.page = new QWidget(parent);
    r.wpSut = resultField(r.page, QStringLiteral("Wp_sut"));
    r.pnom = resultField(r.page, QStringLiteral("Pnom30min"));
    r.pmax = resultField(r.page, QStringLiteral("Pmax10min"));
    r.nominalLabel = new QLabel(r.page);
    r.maximumLabel = new QLabel(r.page);
    r.sine = makePureSineRow(r.page);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(kDailyEnergyLabel, r.page), 0, 0);
    fields->addWidget(r.wpSut, 0, 1);
    fields->addWidget(r.nominalLabel, 1, 0);
    fields->addWidget(r.pnom, 1, 1);
    fields->addWidget(r.maximumLabel, 2, 0);
    fields->addWidget(r.pmax, 2, 1);
    r.peakLabel = new QLabel(kPeakPowerLabel, r.page);
    fields->addWidget(r.peakLabel, 0, 3);
    fields->addLayout(peakRow(r.page), 0, 4);
    fields->addLayout(r.sine.layout, 3, 0, 1, 5);
    fields->setColumnMinimumWidth(2, 24);
    fields->setColumnStretch(5, 1);

    auto* monthlyBox =
        new QGroupBox(QStringLiteral("Параметры суточного графика \"без солнца\"."), r.page);
    r.monthly = new MonthlyTable(monthlyBox);
    auto* monthlyLayout = new QVBoxLayout(monthlyBox);
    monthlyLayout->addWidget(r.monthly);
    auto* layout = new QVBoxLayout(r.page);
    layout->addLayout(fields);
    layout->addWidget(monthlyBox, 1);
    return r;
}

// ---------------------------------------------------------------- MonthlyTable

MonthlyTable::MonthlyTable(QWidget* parent) : QWidget(parent) {
    m_grid = new StringGrid(this);
    m_grid->setObjectName(QStringLiteral("monthlyGrid"));
    m_grid->setFixedRow(true);
    m_grid->setColCount(int(monthlyHeaders().size()));
    m_grid->setRowCount(2);
    for (int c = 0; c < monthlyHeaders().size(); ++c)
        m_grid->setCell(c, 0, monthlyHeaders()[c]);
    m_grid->setReadOnly(true);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->installEventFilter(this);
    // Tighter rows than the other grids: a whole year fits the window.
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 3);
    // At least half a year in view; the window's height normally shows all twelve months.
    m_grid->setMinimumHeight(m_grid->horizontalHeader()->sizeHint().height() +
                             6 * m_grid->verticalHeader()->defaultSectionSize() +
                             m_grid->horizontalScrollBar()->sizeHint().height() + 4);

    m_note = new QListWidget(this);
    m_note->setObjectName(QStringLiteral("monthlyNote"));
    m_note->addItems(monthlyNoteLines());
    m_note->setSelectionMode(QAbstractItemView::NoSelection);
    m_note->setFocusPolicy(Qt::NoFocus);
    m_note->setUniformItemSizes(true);
    // Four whole lines, the rest by scrolling.
    m_note->setFixedHeight(4 * m_note->sizeHintForRow(0) + 2 * m_note->frameWidth());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_note);
    fitColumns();
}

void MonthlyTable::setRows(const std::vector<QStringList>& rows) {
    m_grid->setRowCount(1 + std::max<int>(1, int(rows.size())));
    m_grid->clearCells();
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < rows[r].size() && c < m_grid->colCount(); ++c)
            m_grid->setCell(c, r + 1, rows[r][c]);
    paintCells();
    fitColumns();
}

void MonthlyTable::setRows(const std::vector<MonthlyRow>& rows) {
    std::vector<QStringList> texts;
    for (const MonthlyRow& r : rows)
        texts.push_back(r.texts());
    setRows(texts);
}

std::vector<QStringList> MonthlyTable::rows() const {
    std::vector<QStringList> out;
    for (int r = 1; r < m_grid->rowCount(); ++r) {
        QStringList row;
        bool empty = true;
        for (int c = 0; c < m_grid->colCount(); ++c) {
            row << m_grid->cell(c, r);
            empty = empty && row.back().isEmpty();
        }
        if (!empty)
            out.push_back(row);
    }
    return out;
}

int MonthlyTable::dataRows() const {
    return m_grid->rowCount() - 1;
}

void MonthlyTable::setTyped(bool typed) {
    m_typed = typed;
    m_grid->setReadOnly(false);
    for (int c = 0; c < m_grid->colCount(); ++c)
        m_grid->setColumnReadOnly(c, !typed || (c != 3 && c != 5));
    if (typed) {
        m_grid->setColumnKind(3, NumberField::Kind::Integer);
        m_grid->setColumnKind(5, NumberField::Kind::Integer);
        m_grid->setEditTriggers(QAbstractItemView::AnyKeyPressed |
                                QAbstractItemView::DoubleClicked |
                                QAbstractItemView::EditKeyPressed);
    }
    paintCells();
}

void MonthlyTable::paintCells() {
    if (!m_typed)
        return;
    // Cells the user types in look like entry fields; the computed ones like the window.
    const QBrush entry = palette().brush(QPalette::Base);
    const QBrush computed = palette().brush(QPalette::Button);
    for (int r = 1; r < m_grid->rowCount(); ++r)
        for (int c = 0; c < m_grid->colCount(); ++c) {
            if (!m_grid->item(r - 1, c))
                m_grid->setCell(c, r, QString());
            m_grid->item(r - 1, c)->setBackground(c == 3 || c == 5 ? entry : computed);
        }
}

void MonthlyTable::fitColumns() {
    m_grid->resizeColumnsToContents();
}

bool MonthlyTable::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_grid || event->type() != QEvent::KeyPress || !m_typed)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    const bool printable = text.size() == 1 && text[0].isPrint();
    const bool editing = printable || key->key() == Qt::Key_Backspace ||
                         key->key() == Qt::Key_Delete || key->key() == Qt::Key_F2;
    // Navigation, Tab and the window's own keys (Enter, Escape, F1, shortcuts) pass.
    if (!editing || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    // Typing starts an editor only in the two typed columns; elsewhere a key is refused.
    const int column = m_grid->currentColumn();
    if (column == 3 || column == 5)
        return false;
    QApplication::beep();
    return true;
}

// ---------------------------------------------------------------- the report

ScheduleReport scheduleReport(const ScheduleHeader& header, const ScheduleInputs& in,
                              const ScheduleFigureFields& f) {
    ScheduleReport r;
    r.name = header.name();
    r.from = header.from();
    r.to = header.to();
    r.region = in.region;
    r.dailyCycle = in.dailyCycle;
    r.hoursWithoutSun = numberToText(in.hoursWithoutSun);
    r.wpSut = f.wpSut->text();
    r.pnom = f.pnom->text();
    r.pmax = f.pmax->text();
    r.peak = f.peak->text();
    r.nominalLabel = f.nominalLabel->text();
    r.maximumLabel = f.maximumLabel->text();
    r.peakLabel = kPeakPowerLabel;
    r.clearSinus = f.sine->isChecked();
    r.monthly = f.monthly->rows();
    return r;
}

IntervalTexts tourIntervals() {
    return {{QStringLiteral("0"), QStringLiteral("6,5"), QStringLiteral("40")},
            {QStringLiteral("6,5"), QStringLiteral("8"), QStringLiteral("300")},
            {QStringLiteral("8"), QStringLiteral("8,1"), QStringLiteral("2000")},
            {QStringLiteral("8,1"), QStringLiteral("18"), QStringLiteral("150")},
            {QStringLiteral("18"), QStringLiteral("23"), QStringLiteral("600")},
            {QStringLiteral("23"), QStringLiteral("24"), QStringLiteral("40")}};
}

} // namespace ses
