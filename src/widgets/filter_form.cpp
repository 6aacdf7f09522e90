#include "widgets/filter_form.h"

#include "lib/prompter.h"
#include "widgets/dialog_buttons.h"
#include "widgets/look.h"
#include "widgets/string_grid.h"
#include "widgets/windows.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ses {

TFilterFm::TFilterFm(Prompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TFilterFm"));

    m_parameter = new QLineEdit(this);
    m_parameter->setObjectName(QStringLiteral("parameter"));
    m_parameter->setReadOnly(true);
    m_parameter->setMinimumWidth(420);

    auto* kind = new QGroupBox(QStringLiteral(" Тип значения параметра фильтрации "), this);
    auto* kl = new QHBoxLayout(kind);
    m_range = new QRadioButton(QStringLiteral("диапазон значений"), kind);
    m_range->setObjectName(QStringLiteral("range"));
    m_values = new QRadioButton(QStringLiteral("отдельные значения"), kind);
    m_values->setObjectName(QStringLiteral("values"));
    m_range->setChecked(true);
    kl->addWidget(m_range);
    kl->addWidget(m_values);
    kl->addStretch(1);

    m_from = new QComboBox(this);
    m_from->setObjectName(QStringLiteral("from"));
    m_to = new QComboBox(this);
    m_to->setObjectName(QStringLiteral("to"));
    for (QComboBox* box : {m_from, m_to})
        box->setMinimumWidth(120);
    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel(QStringLiteral("Диапазон значений: от"), this));
    range->addWidget(m_from);
    range->addWidget(new QLabel(QStringLiteral("до"), this));
    range->addWidget(m_to);
    range->addStretch(1);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("valueList"));
    m_list->setMinimumHeight(160);
    // Narrow, so that each right-aligned value stays beside its tick.
    m_list->setFixedWidth(220);

    const DialogButtons buttons = makeDialogButtons(this, info);

    auto* layout = new QVBoxLayout(this);
    auto* p = new QFormLayout;
    p->addRow(QStringLiteral("Параметр фильтрации: "), m_parameter);
    layout->addLayout(p);
    layout->addWidget(kind);
    layout->addLayout(range);
    layout->addWidget(new QLabel(QStringLiteral("Отдельные значения:"), this));
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_list);
    listRow->addStretch(1);
    layout->addLayout(listRow, 1);
    layout->addLayout(buttons.layout);

    connect(m_range, &QRadioButton::toggled, this, [this] { updateStates(); });
    updateStates();
}

void TFilterFm::updateStates() {
    const bool range = m_range->isChecked();
    m_from->setEnabled(range);
    m_to->setEnabled(range);
    m_list->setEnabled(!range);
}

void TFilterFm::prepare(const QString& parameter, const QStringList& values) {
    m_parameter->setText(parameter);
    m_from->clear();
    m_to->clear();
    m_from->addItems(values);
    m_to->addItems(values);
    m_list->clear();
    for (const QString& v : values) {
        auto* item = new QListWidgetItem(v, m_list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setTextAlignment(alignmentFor(v));
    }
    updateStates();
}

std::optional<QString> TFilterFm::ask(const QString& parameter, const QStringList& values) {
    prepare(parameter, values);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_condition;
}

bool TFilterFm::ok() {
    if (m_range->isChecked()) {
        const QString from = m_from->currentText(), to = m_to->currentText();
        if (from.isEmpty() || to.isEmpty()) {
            m_condition.clear();
            return true;
        }
        if (const auto error = reversedRangeError(from, to)) {
            m_prompter.error(*error);
            return false;
        }
        m_condition = from + kFilterRangeSeparator + to;
        return true;
    }
    QStringList ticked;
    for (int i = 0; i < m_list->count(); ++i)
        if (m_list->item(i)->checkState() == Qt::Checked)
            ticked << m_list->item(i)->text();
    m_condition = ticked.join(kFilterListSeparator);
    return true;
}

void TFilterFm::accept() {
    if (ok())
        QDialog::accept();
}

// ---------------------------------------------------------------- the filter dialog

FilterDialog::FilterDialog(const Spec& spec, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_spec(spec) {
    const WindowInfo& info = setUpWindow(this, spec.windowClass);
    m_valueDialog = new TFilterFm(prompter, this);

    auto* lists = new QHBoxLayout;
    const auto listColumn = [&](const QString& caption, const char* name) {
        auto* column = new QVBoxLayout;
        auto* list = new QListWidget(this);
        list->setObjectName(QString::fromLatin1(name));
        list->setMinimumHeight(110);
        column->addWidget(new QLabel(caption, this));
        column->addWidget(list, 1);
        lists->addLayout(column, 1);
        return list;
    };
    m_makerList = listColumn(spec.makersLabel, "makers");
    if (!spec.typesLabel.isEmpty())
        m_typeList = listColumn(spec.typesLabel, "types");

    auto* values = new QGroupBox(QStringLiteral(" Числовые значения параметров "), this);
    auto* grid = new QGridLayout(values);
    grid->setVerticalSpacing(3);
    for (int i = 0; i < int(spec.fields.size()); ++i) {
        auto* label = new QLabel(spec.fields[i].label, values);
        auto* field = new QLineEdit(values);
        field->setObjectName(QStringLiteral("field%1").arg(i));
        field->setReadOnly(true);
        field->setMinimumWidth(180);
        auto* choose = new QPushButton(QStringLiteral("..."), values);
        choose->setObjectName(QStringLiteral("choose%1").arg(i));
        choose->setAutoDefault(false);
        choose->setFixedWidth(32);
        auto* clear = new QPushButton(QStringLiteral("X"), values);
        clear->setObjectName(QStringLiteral("clear%1").arg(i));
        clear->setAutoDefault(false);
        clear->setFixedWidth(32);
        grid->addWidget(label, i, 0);
        grid->addWidget(field, i, 1);
        grid->addWidget(choose, i, 2);
        grid->addWidget(clear, i, 3);
        m_fields.push_back(field);
        connect(choose, &QPushButton::clicked, this, [this, i] { chooseValue(i); });
        connect(clear, &QPushButton::clicked, this, [this, i] { clearField(i); });
    }
    grid->setColumnStretch(1, 1);

    const DialogButtons buttons = makeDialogButtons(this, info);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(values);
    layout->addLayout(buttons.layout);
}

void FilterDialog::fill(QListWidget* list, const QStringList& items, const QStringList& ticked) {
    list->clear();
    for (const QString& text : items) {
        auto* item = new QListWidgetItem(text, list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(ticked.isEmpty() || ticked.contains(text) ? Qt::Checked
                                                                      : Qt::Unchecked);
    }
}

QStringList FilterDialog::ticked(const QListWidget* list) {
    QStringList out;
    if (!list)
        return out;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            out << list->item(i)->text();
    return out;
}

void FilterDialog::prepare(const QStringList& makers, const QStringList& types) {
    fill(m_makerList, makers, m_makers);
    if (m_typeList)
        fill(m_typeList, types, m_types);
    m_openedWith = fieldTexts();
}

bool FilterDialog::run(const QStringList& makers, const QStringList& types) {
    prepare(makers, types);
    return exec() == QDialog::Accepted;
}

void FilterDialog::accept() {
    m_makers = ticked(m_makerList);
    m_types = ticked(m_typeList);
    m_openedWith = fieldTexts();
    QDialog::accept();
}

void FilterDialog::reject() {
    for (int i = 0; i < int(m_fields.size()) && i < m_openedWith.size(); ++i)
        m_fields[i]->setText(m_openedWith[i]);
    QDialog::reject();
}

void FilterDialog::chooseValue(int field) {
    const QStringList values = m_valuesOf ? m_valuesOf(field) : QStringList{};
    if (const auto condition = m_valueDialog->ask(m_spec.fields[field].name, values))
        m_fields[field]->setText(*condition);
}

void FilterDialog::clearField(int field) {
    m_fields[field]->clear();
}

QStringList FilterDialog::fieldTexts() const {
    QStringList out;
    for (const QLineEdit* f : m_fields)
        out << f->text();
    return out;
}

FilterBox newFilterBox(const QString& title, QWidget* parent) {
    FilterBox b;
    b.box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(b.box);
    b.summary = new StringGrid(b.box);
    b.summary->setObjectName(QStringLiteral("summary"));
    b.summary->setRowList(
        {QStringLiteral("Параметр фильтрации"), QStringLiteral("Значение параметра")});
    b.summary->setRowCount(2);
    b.summary->setWordWrap(true);
    // The rows follow the width the columns get.
    StringGrid* summary = b.summary;
    QObject::connect(summary->horizontalHeader(), &QHeaderView::sectionResized, summary,
                     [summary] { summary->resizeRowsToContents(); });
    b.summary->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(b.summary, 1);
    b.filter = new QPushButton(QStringLiteral("Фильтр..."), b.box);
    b.filter->setObjectName(QStringLiteral("filter"));
    b.filter->setAutoDefault(false);
    b.off = new QPushButton(QStringLiteral("Отключить"), b.box);
    b.off->setObjectName(QStringLiteral("filterOff"));
    b.off->setAutoDefault(false);
    b.off->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(b.filter);
    buttons->addWidget(b.off);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return b;
}

void showFilterSummary(StringGrid* summary, QPushButton* off,
                       const std::optional<RowFilter>& filter) {
    off->setEnabled(filter.has_value());
    const auto rows = filter ? filter->summary() : std::vector<std::pair<QString, QString>>{};
    summary->setRowCount(std::max<int>(1, int(rows.size())) + 1);
    summary->clearCells();
    for (int r = 0; r < int(rows.size()); ++r) {
        summary->setCell(0, r + 1, rows[r].first);
        summary->setCell(1, r + 1, rows[r].second);
    }
    summary->resizeColumnToContents(0);
    summary->resizeRowsToContents();
}

} // namespace ses
