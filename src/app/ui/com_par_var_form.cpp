#include "app/ui/com_par_var_form.h"

#include "app/param_comparison_store.h"
#include "reports/report_writer.h"
#include "reports/variant_equipment.h"
#include "widgets/dialog_buttons.h"
#include "widgets/frozen_table.h"
#include "widgets/report_export.h"
#include "widgets/shown_table.h"
#include "widgets/string_grid.h"
#include "widgets/wait_cursor.h"
#include "widgets/windows.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ses {

namespace {

QColor colourOf(ParamCellRole role, const QColor& face) {
    switch (role) {
    case ParamCellRole::Heading:
        return face;
    case ParamCellRole::Group:
        return kSilver;
    case ParamCellRole::Differs:
        return kTurquoise;
    case ParamCellRole::Label:
    case ParamCellRole::Same:
        break;
    }
    return Qt::white;
}

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

} // namespace

TComParVarF::TComParVarF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TComParVarF"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("variants"));
    m_list->setMaximumWidth(215);
    m_params = makeTableGrid(QStringLiteral("params"), this);
    m_temperature = makeTableGrid(QStringLiteral("temperature"), this);
    m_temperature->setFrozenCols(1);
    m_sun = makeTableGrid(QStringLiteral("sun"), this);
    // The strip naming each variant over its two columns is a row of group titles above the
    // column titles: it follows their widths and the sideways scroll by itself.
    m_strip = new GroupHeader(m_sun);
    m_strip->setObjectName(QStringLiteral("strip"));
    m_strip->setHighlightSections(false);
    m_sun->setHorizontalHeader(m_strip);
    m_sun->setFrozenCols(1);

    const GridOptions options =
        makeGridOptions(m_params, QStringLiteral("Фиксация первого столбца таблицы"),
                        QStringLiteral("fixFirst"), 1, this, [this] { paintParams(); });
    m_fixFirst = options.fix;
    m_moveColumns = options.moveColumns;
    m_moveRows = options.moveRows;

    auto* formatButton = new QPushButton(QStringLiteral("Формат"), this);
    formatButton->setObjectName(QStringLiteral("format"));
    formatButton->setToolTip(QStringLiteral("Автоматическое форматирование столбцов таблицы"));
    formatButton->setAutoDefault(false);
    connect(formatButton, &QPushButton::clicked, this, [this] { format(); });
    auto* update = new QPushButton(QStringLiteral("Обновить"), this);
    update->setObjectName(QStringLiteral("update"));
    update->setAutoDefault(false);
    connect(update, &QPushButton::clicked, this, [this] { refresh(); });
    m_export = makeExportButton(
        this,
        QStringLiteral("Экспорт полного отчёта по суточному графику в документ Microsoft Word"));
    connect(m_export, &QPushButton::clicked, this,
            [this] { exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); }); });
    const DialogButtons buttons =
        makeDialogButtons(this, info, closeRow({formatButton, update, m_export}));

    auto* grid = new QGridLayout;
    grid->addWidget(caption(QStringLiteral("Варианты расчета."), m_list, this), 0, 0);
    grid->addWidget(m_list, 1, 0, 3, 1);
    grid->addWidget(
        caption(QStringLiteral("Сравнительная таблица параметров вариантов."), m_params, this), 0,
        1, 1, 2);
    grid->addWidget(m_params, 1, 1, 1, 2);
    grid->addWidget(caption(QStringLiteral("Температура эксплуатации АБ."), m_temperature, this), 2,
                    1);
    grid->addWidget(
        caption(QStringLiteral("Среднемесячное время восхода и заката солнца."), m_sun, this), 2,
        2);
    grid->addWidget(m_temperature, 3, 1);
    grid->addWidget(m_sun, 3, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 3);
    grid->setRowStretch(3, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(options.row);
    layout->addLayout(buttons.layout);
    resize(1340, 690);
}

int TComParVarF::run() {
    return exec();
}

void TComParVarF::showEvent(QShowEvent* event) {
    prepare();
    QDialog::showEvent(event);
}

void TComParVarF::prepare() {
    const std::vector<VariantRef> variants = currentProjectVariants(m_dm);
    m_keys.clear();
    {
        const QSignalBlocker quiet(m_list);
        m_list->clear();
        for (const VariantRef& v : variants) {
            m_keys.push_back(v.key);
            auto* item = new QListWidgetItem(v.name, m_list);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
    }
    refresh();
}

void TComParVarF::refresh() {
    const WaitCursor wait;
    std::vector<ComparedVariant> chosen;
    // Items stand for the variants by their place in the list: names may repeat.
    for (int i = 0; i < m_list->count() && i < int(m_keys.size()); ++i)
        if (m_list->item(i)->checkState() == Qt::Checked)
            chosen.push_back(readComparedVariant(m_dm, m_keys[i]));
    m_comparison = compareParams(chosen);

    const QColor face = palette().color(QPalette::Button);
    const bool moving = m_moveRows->isChecked();
    if (moving)
        setRowsMovable(m_params, false);
    fillTableGrid(m_params, m_comparison.params.rows, {});
    paintParams();
    if (moving)
        setRowsMovable(m_params, true);
    const auto painter = [face](const ShownTable& t) {
        return [&t, face](int col, int row) { return colourOf(t.roles[row][col], face); };
    };
    fillTableGrid(m_temperature, m_comparison.temperature.rows, painter(m_comparison.temperature));
    fillTableGrid(m_sun, m_comparison.sun.rows, painter(m_comparison.sun));
    std::vector<GroupHeader::Group> groups{{m_comparison.strip.value(0), 0, 1}};
    for (int k = 1; k < m_comparison.strip.size(); ++k)
        groups.push_back({m_comparison.strip[k], 2 * k - 1, 2});
    m_strip->setGroups(groups);
    format();
    m_export->setEnabled(!chosen.empty());
}

void TComParVarF::paintParams() {
    const QColor face = palette().color(QPalette::Button);
    const bool fixed = m_fixFirst->isChecked();
    const ShownTable& t = m_comparison.params;
    for (int r = 1; r < int(t.roles.size()) && r < m_params->rowCount(); ++r)
        for (int c = 0; c < int(t.roles[r].size()) && c < m_params->colCount(); ++c) {
            const ParamCellRole role = t.roles[r][c];
            // The labels take the button face while they stay in place, as titles do.
            m_params->setCellBackground(
                c, r, role == ParamCellRole::Label && fixed ? face : colourOf(role, face));
        }
}

void TComParVarF::format() {
    for (StringGrid* g : {m_params, m_temperature, m_sun})
        fitGridColumns(g);
    // The longest labels would push every variant out of view: they wrap into a second line
    // instead, whole.
    // So do the longest coded texts of a variant (the load's parameters, the controller's
    // choice): two variants side by side fit the window's default size.
    constexpr int kLabelWidth = 470;
    constexpr int kValueWidth = 300;
    bool wrapped = false;
    for (int c = 0; c < m_params->colCount(); ++c) {
        const int most = c == 0 ? kLabelWidth : kValueWidth;
        if (m_params->columnWidth(c) > most) {
            m_params->setColWidth(c, most);
            wrapped = true;
        }
    }
    if (wrapped) {
        m_params->setWordWrap(true);
        m_params->resizeRowsToContents();
    }
    // Every variant name fits over its two columns.
    const QFontMetrics metrics(m_strip->font());
    for (const GroupHeader::Group& g : m_strip->groups()) {
        const int last = g.first + g.count - 1;
        if (last >= m_sun->colCount())
            continue;
        int width = 0;
        for (int c = g.first; c <= last; ++c)
            width += m_sun->columnWidth(c);
        const int needed = metrics.horizontalAdvance(g.title) + 16;
        if (needed > width)
            m_sun->setColWidth(last, m_sun->columnWidth(last) + needed - width);
    }
}

void TComParVarF::writeReport(ReportWriter& w) const {
    w.openReport();
    writeParamComparison(w, m_comparison);
}

} // namespace ses
