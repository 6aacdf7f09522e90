#include "solar/ui/spr_k_form.h"

#include "widgets/catalog_csv_buttons.h"
#include "widgets/dialog_buttons.h"
#include "widgets/windows.h"

#include "data/data_module.h"
#include "lib/numbers.h"
#include "solar/ui/solar_parts.h"
#include "widgets/bound_grid.h"
#include "widgets/navigator.h"
#include "widgets/string_grid.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace ses {

namespace {

const QString kOrient = QStringLiteral("Orient");
const QString kUgolOrient = QStringLiteral("UgolOrient");
const QString kUgolNakl = QStringLiteral("UgolNakl");
const QString kK = QStringLiteral("K");
const QString kCorner = QStringLiteral("Угол");

QStringList steps(int from, int to, int step) {
    QStringList values;
    for (int v = from; v <= to; v += step)
        values << QString::number(v);
    return values;
}

// The corner of the cross table shows its title, which the table's corner button would hide.
class CornerTitle : public QObject {
public:
    CornerTitle(QAbstractButton* corner, QString text) : QObject(corner), m_text(std::move(text)) {
        corner->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint)
            return QObject::eventFilter(watched, event);
        auto* button = static_cast<QAbstractButton*>(watched);
        QStyleOptionHeader opt;
        opt.initFrom(button);
        opt.rect = button->rect();
        opt.text = m_text;
        opt.textAlignment = Qt::AlignCenter;
        opt.position = QStyleOptionHeader::OnlyOneSection;
        QPainter painter(button);
        button->style()->drawControl(QStyle::CE_Header, &opt, &painter, button);
        return true;
    }

private:
    QString m_text;
};

struct AngleRow {
    QString orientText, tiltText;
    double orient = 0, tilt = 0, k = 0;
};

// The rows of an orientation/tilt table with all three figures.
std::vector<AngleRow> angleRows(const View& v) {
    const TableDef& t = v.table();
    const int o = t.columnIndex(kUgolOrient), n = t.columnIndex(kUgolNakl), k = t.columnIndex(kK);
    std::vector<AngleRow> rows;
    for (int i = 0; i < v.recordCount(); ++i) {
        const QVariant ov = v.valueAt(i, o), nv = v.valueAt(i, n), kv = v.valueAt(i, k);
        if (ov.isNull() || nv.isNull() || kv.isNull())
            continue;
        rows.push_back({numberToText(ov.toDouble()), numberToText(nv.toDouble()), ov.toDouble(),
                        nv.toDouble(), kv.toDouble()});
    }
    return rows;
}

QPushButton* plainButton(const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    b->setMinimumWidth(100);
    return b;
}

// Saves a row being edited in the grid; false (the message shown) when it is refused.
bool saveGrid(BoundGrid* grid, Prompter& prompter) {
    if (!grid->commitEditor())
        return false;
    View& v = grid->view();
    if (!v.isEditing())
        return true;
    try {
        if (v.post())
            return true;
    } catch (const DbError& e) {
        prompter.error(e.message());
    }
    grid->setFocus();
    return false;
}

} // namespace

// ---------------------------------------------------------------- OrientationTable

QStringList OrientationTable::orientations() const {
    return steps(orientFrom, orientTo, orientStep);
}

QStringList OrientationTable::tilts() const {
    return steps(tiltFrom, tiltTo, tiltStep);
}

const OrientationTable& OrientationTable::small() {
    static const OrientationTable t{QStringLiteral("Kproiz"),
                                    {QStringLiteral("Восток"), QStringLiteral("Юго-Восток"),
                                     QStringLiteral("Юг"), QStringLiteral("Юго-Запад"),
                                     QStringLiteral("Запад")},
                                    90,
                                    270,
                                    15,
                                    15,
                                    60,
                                    5};
    return t;
}

const OrientationTable& OrientationTable::full() {
    static const OrientationTable t{QStringLiteral("Kproiz1"),
                                    {QStringLiteral("Север"), QStringLiteral("Северо-Восток"),
                                     QStringLiteral("Восток"), QStringLiteral("Юго-Восток"),
                                     QStringLiteral("Юг"), QStringLiteral("Юго-Запад"),
                                     QStringLiteral("Запад"), QStringLiteral("Северо-Запад")},
                                    0,
                                    360,
                                    10,
                                    0,
                                    90,
                                    5};
    return t;
}

// ---------------------------------------------------------------- OrientationPage

OrientationPage::OrientationPage(TDataModule1& dm, Prompter& prompter,
                                 const OrientationTable& table, QWidget* parent)
    : QWidget(parent), m_dm(dm), m_prompter(prompter), m_table(table) {
    m_grid = new BoundGrid(view(),
                           {{kOrient, QStringLiteral("Ориентация"), false, 116},
                            {kUgolOrient, QStringLiteral("Ао, град."), false, 76},
                            {kUgolNakl, QStringLiteral("Ан, град."), false, 76},
                            {kK, QStringLiteral("К, %"), false}},
                           this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setPrompter(&m_prompter);
    makeChoiceColumn(m_grid, 0, table.compass);
    makeChoiceColumn(m_grid, 1, table.orientations());
    makeChoiceColumn(m_grid, 2, table.tilts());
    m_navigator = new Navigator(view(), m_grid, this);
    m_navigator->setPrompter(&m_prompter);

    const QString orientRange =
        QStringLiteral("Табличный диапазон угла ориентации Ао: %1 - %2 град.")
            .arg(table.orientFrom)
            .arg(table.orientTo);
    const QString tiltRange = QStringLiteral("Табличный диапазон угла наклона Ан: %1 - %2 град.")
                                  .arg(table.tiltFrom)
                                  .arg(table.tiltTo);
    QLabel* note = noteLabel(
        QStringLiteral("Ориентация - ориентация солнечных панелей по сторонам света.\n"
                       "Ао, град. - угол ориентации солнечных панелей (180 град. - юг), град.\n"
                       "Ан, град. - угол наклона солнечных панелей к горизонту, град.\n"
                       "К, % - коэффициент производительности солнечной электростанции при "
                       "данных углах ориентации и наклона солнечных панелей, %.\n\n") +
            orientRange + u'\n' + tiltRange,
        this);
    note->setObjectName(QStringLiteral("note"));
    QLabel* heading = headingLabel(QStringLiteral("Коэффициенты производительности СЭ."), this);
    // The grid, its record bar, its heading and the longest line of the note side by side.
    const int width =
        std::max({116 + 76 + 76 + 70 + m_grid->verticalScrollBar()->sizeHint().width() +
                      2 * m_grid->frameWidth(),
                  m_navigator->sizeHint().width(), heading->sizeHint().width(),
                  fontMetrics().horizontalAdvance(orientRange) + 2 * note->margin() +
                      2 * note->frameWidth() + 4});
    m_grid->setFixedWidth(width);
    note->setFixedWidth(width);

    auto* left = new QVBoxLayout;
    left->addWidget(heading);
    left->addWidget(m_navigator);
    left->addWidget(m_grid, 1);
    left->addWidget(note);

    m_subPages = new QTabWidget(this);
    m_subPages->addTab(makeCrossPage(), QStringLiteral(" Табличный просмотр "));
    m_subPages->addTab(makeChartPage(), QStringLiteral(" Графики "));

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addSpacing(10);
    layout->addWidget(m_subPages, 1);
}

View& OrientationPage::view() const {
    return m_dm.tbl(m_table.table);
}

QWidget* OrientationPage::makeCrossPage() {
    auto* page = new QWidget(this);
    m_cross = new StringGrid(page);
    m_cross->setObjectName(QStringLiteral("crossTable"));
    m_cross->setFixedRow(true);
    m_cross->setFixedCol(true);
    const QStringList orientations = m_table.orientations();
    const QStringList tilts = m_table.tilts();
    m_cross->setColCount(orientations.size() + 1);
    m_cross->setRowCount(tilts.size() + 1);
    m_cross->setCell(0, 0, kCorner);
    for (int c = 0; c < orientations.size(); ++c) {
        m_cross->setCell(c + 1, 0, orientations[c]);
        m_cross->setColWidth(c + 1, 52);
    }
    for (int r = 0; r < tilts.size(); ++r) {
        m_cross->setCell(0, r + 1, tilts[r]);
        m_cross->verticalHeaderItem(r)->setTextAlignment(Qt::AlignCenter);
    }
    m_cross->setColWidth(0, fontMetrics().horizontalAdvance(kCorner) + 24);
    m_cross->setReadOnly(true);
    m_cross->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_cross->setSelectionMode(QAbstractItemView::SingleSelection);
    m_cross->horizontalHeader()->setHighlightSections(false);
    m_cross->verticalHeader()->setHighlightSections(false);
    if (auto* corner = m_cross->findChild<QAbstractButton*>())
        new CornerTitle(corner, kCorner);

    auto* refresh = plainButton(QStringLiteral("Обновить"), page);
    refresh->setObjectName(QStringLiteral("refresh"));
    auto* find = plainButton(QStringLiteral("Найти"), page);
    find->setObjectName(QStringLiteral("find"));
    connect(refresh, &QPushButton::clicked, this, [this] { fillCrossTable(); });
    connect(find, &QPushButton::clicked, this, [this] { findCurrent(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(refresh);
    buttons->addWidget(find);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(buttons);
    layout->addWidget(m_cross, 1);
    return page;
}

QWidget* OrientationPage::makeChartPage() {
    auto* page = new QWidget(this);
    auto* fixed = new QGroupBox(QStringLiteral(" Фиксированный угол "), page);
    m_byOrientation = new QRadioButton(QStringLiteral("угол ориентации (Ао)"), fixed);
    m_byTilt = new QRadioButton(QStringLiteral("угол наклона (Ан)"), fixed);
    m_byOrientation->setChecked(true);
    auto* radios = new QVBoxLayout(fixed);
    radios->addWidget(m_byOrientation);
    radios->addWidget(m_byTilt);
    connect(m_byOrientation, &QRadioButton::toggled, this, [this] { fillValueList(); });

    m_values = new QListWidget(page);
    m_values->setObjectName(QStringLiteral("values"));
    m_draw = plainButton(QStringLiteral("Графики"), page);
    m_draw->setObjectName(QStringLiteral("draw"));
    m_auto = new QCheckBox(QStringLiteral("Автопостроение"), page);
    m_auto->setObjectName(QStringLiteral("auto"));
    connect(m_values, &QListWidget::itemChanged, this, [this] { valuesChanged(); });
    connect(m_draw, &QPushButton::clicked, this, [this] { drawCharts(); });
    connect(m_auto, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            drawCharts();
    });

    m_chart = new LineChart(page);
    m_chart->setObjectName(QStringLiteral("chart"));
    m_chart->setLegendShown(true);

    auto* side = new QVBoxLayout;
    side->addWidget(fixed);
    side->addWidget(m_values, 1);
    side->addWidget(m_draw);
    side->addWidget(m_auto);
    auto* sideBox = new QWidget(page);
    sideBox->setLayout(side);
    side->setContentsMargins(0, 0, 0, 0);
    sideBox->setFixedWidth(std::max(fixed->sizeHint().width(), 170));

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(sideBox);
    layout->addWidget(m_chart, 1);
    fillValueList();
    return page;
}

bool OrientationPage::orientationFixed() const {
    return m_byOrientation->isChecked();
}

void OrientationPage::setOrientationFixed(bool orientation) {
    (orientation ? m_byOrientation : m_byTilt)->setChecked(true);
}

void OrientationPage::fillValueList() {
    const bool byOrientation = orientationFixed();
    {
        const QSignalBlocker block(m_values);
        m_values->clear();
        for (const QString& v : byOrientation ? m_table.orientations() : m_table.tilts()) {
            auto* item = new QListWidgetItem(v, m_values);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    if (byOrientation)
        m_chart->setTitles(QStringLiteral("K = f(Aн) при Ао = const."),
                           QStringLiteral("Ан - угол наклона солнечной панели, град."),
                           QStringLiteral("К, %"));
    else
        m_chart->setTitles(QStringLiteral("K = f(Ao) при Ан = const."),
                           QStringLiteral("Ао - угол ориентации солнечной панели, град."),
                           QStringLiteral("К, %"));
    m_chart->clear();
    m_draw->setEnabled(false);
}

void OrientationPage::setChecked(const QStringList& values) {
    {
        const QSignalBlocker block(m_values);
        for (int i = 0; i < m_values->count(); ++i)
            m_values->item(i)->setCheckState(
                values.contains(m_values->item(i)->text()) ? Qt::Checked : Qt::Unchecked);
    }
    valuesChanged();
}

QStringList OrientationPage::checkedValues() const {
    QStringList checked;
    for (int i = 0; i < m_values->count(); ++i)
        if (m_values->item(i)->checkState() == Qt::Checked)
            checked << m_values->item(i)->text();
    return checked;
}

void OrientationPage::valuesChanged() {
    m_draw->setEnabled(!checkedValues().isEmpty());
    if (m_auto->isChecked())
        drawCharts();
}

void OrientationPage::drawCharts() {
    const bool byOrientation = orientationFixed();
    std::vector<AngleRow> rows = angleRows(view());
    std::stable_sort(
        rows.begin(), rows.end(), [byOrientation](const AngleRow& a, const AngleRow& b) {
            return byOrientation ? std::pair(a.orient, a.tilt) < std::pair(b.orient, b.tilt)
                                 : std::pair(a.tilt, a.orient) < std::pair(b.tilt, b.orient);
        });
    std::vector<ChartLine> lines;
    for (const QString& value : checkedValues()) {
        ChartLine line{(byOrientation ? QStringLiteral("Ао = ") : QStringLiteral("Ан = ")) + value,
                       {}};
        for (const AngleRow& r : rows)
            if ((byOrientation ? r.orientText : r.tiltText) == value)
                line.points.emplace_back(byOrientation ? r.tilt : r.orient, r.k);
        lines.push_back(std::move(line));
    }
    m_chart->draw(lines);
}

void OrientationPage::fillCrossTable() {
    m_cross->clearCells();
    const QStringList orientations = m_table.orientations();
    const QStringList tilts = m_table.tilts();
    const View& v = view();
    const int k = v.table().columnIndex(kK);
    for (int i = 0; i < v.recordCount(); ++i) {
        const AngleRow r{numberToText(v.valueAt(i, v.table().columnIndex(kUgolOrient)).toDouble()),
                         numberToText(v.valueAt(i, v.table().columnIndex(kUgolNakl)).toDouble())};
        const int c = orientations.indexOf(r.orientText);
        const int row = tilts.indexOf(r.tiltText);
        if (c >= 0 && row >= 0 && !v.valueAt(i, k).isNull()) {
            m_cross->setCell(c + 1, row + 1, numberToText(v.valueAt(i, k).toDouble()));
            m_cross->item(row, c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
}

bool OrientationPage::findCurrent() {
    View& v = view();
    int c = -1, row = -1;
    if (v.recNo() >= 0 || v.isEditing()) {
        c = m_table.orientations().indexOf(v[kUgolOrient].asString());
        row = m_table.tilts().indexOf(v[kUgolNakl].asString());
    }
    if (c < 0 || row < 0) {
        m_prompter.error(QStringLiteral("Коэффициент падения производительности СЭ не найден."));
        return false;
    }
    m_cross->setCurrentCell(row, c);
    m_cross->scrollTo(m_cross->model()->index(row, c), QAbstractItemView::PositionAtCenter);
    m_cross->setFocus();
    return true;
}

// ---------------------------------------------------------------- TSprKForm

TSprKForm::TSprKForm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TSprKForm"));

    // "Таблица 1": the loss against the deviation angle.
    View& loss = m_dm.tbl(QStringLiteral("Kproiz2"));
    m_lossGrid = new BoundGrid(loss,
                               {{QStringLiteral("Ugol"), QStringLiteral("А, град."), false, 90},
                                {kK, QStringLiteral("К, %"), false}},
                               this);
    m_lossGrid->setObjectName(QStringLiteral("lossGrid"));
    m_lossGrid->setPrompter(&m_prompter);
    auto* lossNavigator = new Navigator(loss, m_lossGrid, this);
    lossNavigator->setPrompter(&m_prompter);
    QLabel* lossHeading =
        headingLabel(QStringLiteral("Коэффициенты падения производительности СЭ."), this);
    const int leftWidth =
        std::max({300, lossNavigator->sizeHint().width(), lossHeading->sizeHint().width()});
    m_lossGrid->setFixedWidth(leftWidth);
    QLabel* lossNote = noteLabel(
        QStringLiteral("К, % - коэффициент падения производительности солнечной электростанции "
                       "из-за отклонения солнечных панелей от оптимальной ориентации, %.\n"
                       "А, град. - угол отклонения солнечных лучей от перепендикуляра к солнечной "
                       "панели, град."),
        this);
    lossNote->setFixedWidth(leftWidth);

    m_lossChart = new LineChart(this);
    m_lossChart->setObjectName(QStringLiteral("lossChart"));
    m_lossChart->setTitles(QStringLiteral("K = f(A)."), QStringLiteral("А, град."),
                           QStringLiteral("К, %"));
    auto* draw = plainButton(QStringLiteral("График"), this);
    draw->setObjectName(QStringLiteral("drawLoss"));
    m_lossAuto = new QCheckBox(QStringLiteral("Автопостроение"), this);
    m_lossAuto->setObjectName(QStringLiteral("lossAuto"));
    connect(draw, &QPushButton::clicked, this, [this] { drawLossChart(); });
    connect(m_lossAuto, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            drawLossChart();
    });
    // While drawn automatically the chart follows every saved or deleted row.
    m_lossListener = loss.addListener([this](View& v, View::Change c) {
        if (c == View::Change::Data && !v.isEditing() && m_lossAuto->isChecked())
            drawLossChart();
    });

    auto* page1 = new QWidget(this);
    auto* lossLeft = new QVBoxLayout;
    lossLeft->addWidget(lossHeading);
    lossLeft->addWidget(lossNavigator);
    lossLeft->addWidget(m_lossGrid, 1);
    lossLeft->addWidget(lossNote);
    auto* chartButtons = new QHBoxLayout;
    chartButtons->addWidget(draw);
    chartButtons->addSpacing(12);
    chartButtons->addWidget(m_lossAuto);
    chartButtons->addStretch(1);
    auto* lossRight = new QVBoxLayout;
    lossRight->addLayout(chartButtons);
    lossRight->addWidget(m_lossChart, 1);
    auto* page1Layout = new QHBoxLayout(page1);
    page1Layout->addLayout(lossLeft);
    page1Layout->addSpacing(10);
    page1Layout->addLayout(lossRight, 1);

    m_small = new OrientationPage(m_dm, m_prompter, OrientationTable::small(), this);
    m_small->setObjectName(QStringLiteral("table2"));
    m_full = new OrientationPage(m_dm, m_prompter, OrientationTable::full(), this);
    m_full->setObjectName(QStringLiteral("table3"));

    m_pages = new QTabWidget(this);
    m_pages->addTab(page1, QStringLiteral("Таблица 1"));
    m_pages->addTab(m_small, QStringLiteral(" Таблица 2 "));
    m_pages->addTab(m_full, QStringLiteral(" Таблица 3 "));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(makeDialogButtons(this, info,
                                        closeRow(catalogCsvButtons(this, m_dm, m_prompter,
                                                                   QStringLiteral("TSprKForm"),
                                                                   [this] { return saveEdits(); })))
                          .layout);
    resize(1220, 660);
}

TSprKForm::~TSprKForm() {
    m_dm.tbl(QStringLiteral("Kproiz2")).removeListener(m_lossListener);
}

void TSprKForm::drawLossChart() {
    const View& v = m_dm.tbl(QStringLiteral("Kproiz2"));
    const int angle = v.table().columnIndex(QStringLiteral("Ugol"));
    const int k = v.table().columnIndex(kK);
    ChartLine line{QStringLiteral("K = f(A)"), {}};
    for (int i = 0; i < v.recordCount(); ++i)
        if (!v.valueAt(i, angle).isNull() && !v.valueAt(i, k).isNull())
            line.points.emplace_back(v.valueAt(i, angle).toDouble(), v.valueAt(i, k).toDouble());
    m_lossChart->draw({line});
}

void TSprKForm::prepare() {
    m_pages->setCurrentIndex(0);
    for (OrientationPage* p : {m_small, m_full}) {
        p->subPages()->setCurrentIndex(0);
        if (!p->view().isEmpty())
            p->fillCrossTable();
    }
}

void TSprKForm::run() {
    prepare();
    m_lossGrid->setFocus();
    exec();
}

void TSprKForm::loadForTour() {
    prepare();
    drawLossChart();
    for (OrientationPage* p : {m_small, m_full}) {
        View& v = p->view();
        if (!v.isEmpty())
            v.moveTo(v.recordCount() / 2);
        p->findCurrent();
        const QStringList o = p->table().orientations();
        p->setOrientationFixed(true);
        p->setChecked({o[0], o[o.size() / 4], o[o.size() / 2], o[o.size() * 3 / 4], o.last()});
        p->drawCharts();
    }
}

bool TSprKForm::saveEdits() {
    for (BoundGrid* g : {m_lossGrid, m_small->grid(), m_full->grid()})
        if (!saveGrid(g, m_prompter))
            return false;
    return true;
}

void TSprKForm::reject() {
    if (saveEdits())
        QDialog::reject();
}

} // namespace ses
