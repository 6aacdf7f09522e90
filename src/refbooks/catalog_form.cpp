#include "refbooks/catalog_form.h"

#include "refbooks/temp_ab_form.h"

#include "data/data_module.h"
#include "lib/file_read.h"
#include "refbooks/climate_dialogs.h"
#include "solar/region_import.h"
#include "solar/station_set.h"
#include "widgets/bound_grid.h"
#include "widgets/catalog_csv_buttons.h"
#include "widgets/choice_column.h"
#include "widgets/dialog_buttons.h"
#include "widgets/navigator.h"
#include "widgets/record_bar.h"
#include "widgets/windows.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSqlQuery>
#include <QToolButton>
#include <QVBoxLayout>

namespace ses {

namespace {

QLabel* boldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

// The note lines, whole, in a read-only frame: one column, or two side by side when the note
// is long (the second column starts at a line of its own).
QFrame* noteFrame(const QStringList& lines, int columns, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("note"));
    frame->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(6, 4, 6, 4);
    row->setSpacing(24);
    const int perColumn = (int(lines.size()) + columns - 1) / columns;
    for (int c = 0; c < columns; ++c) {
        const QStringList part = lines.mid(c * perColumn, perColumn);
        if (part.isEmpty())
            break;
        auto* label = new QLabel(part.join(QLatin1Char('\n')), frame);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        row->addWidget(label, 1);
    }
    return frame;
}

// Height of a grid that shows `rows` rows under its header without scrolling.
int gridHeight(const BoundGrid* grid, int rows) {
    return grid->horizontalHeader()->sizeHint().height() +
           rows * grid->verticalHeader()->defaultSectionSize() + 2 * grid->frameWidth() + 2;
}

// Width of a grid whose columns show their texts whole, with room for a scroll bar.
int gridWidth(BoundGrid* grid) {
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width() + 2;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        width += grid->columnWidth(c);
    return width;
}

// The grid's columns; a text first column (the name) takes the width the others leave.
std::vector<GridColumn> gridColumns(View& view, const GridDesc& g) {
    std::vector<GridColumn> columns;
    for (const ColumnDesc& c : g.columns)
        columns.push_back({c.field, c.title, false, c.width});
    if (!columns.empty() && view.table().column(columns[0].field)->type == ColType::Text)
        columns[0].stretch = true;
    return columns;
}

ChoiceKeys keysOf(ListKind kind) {
    return kind == ListKind::ChoiceTypedOnly ? ChoiceKeys::CharactersOnly : ChoiceKeys::Strict;
}

} // namespace

TCatalogForm::TCatalogForm(TDataModule1& dm, Prompter& prompter, const QString& className,
                           QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter), m_desc(catalogDesc(className)) {
    const WindowInfo& info = setUpWindow(this, className);

    auto* layout = new QVBoxLayout(this);
    if (!m_desc.topLine.isEmpty()) {
        auto* top = new QLabel(m_desc.topLine, this);
        top->setObjectName(QStringLiteral("topLine"));
        top->setWordWrap(true);
        layout->addWidget(top);
    }
    auto* grids = new QGridLayout;
    grids->setHorizontalSpacing(16);
    grids->setVerticalSpacing(4);
    int bands = 0;
    buildGrids(grids, bands);

    // The note: under "Примечание." (and "Справка." beside it where the catalog has one).
    auto* notePart = new QVBoxLayout;
    notePart->setSpacing(2);
    const bool noteInGrid = m_desc.noteRow >= 0;
    constexpr int longNote = 8; // lines; a longer note takes two columns
    const int noteColumns = !noteInGrid && m_desc.note.size() > longNote ? 2 : 1;
    auto* noteRow = new QHBoxLayout;
    auto* noteColumn = new QVBoxLayout;
    noteColumn->setSpacing(2);
    noteColumn->addWidget(boldLabel(QStringLiteral("Примечание."), this));
    noteColumn->addWidget(noteFrame(m_desc.note, noteColumns, this));
    noteRow->addLayout(noteColumn, 1);
    if (!m_desc.helpLines.isEmpty()) {
        auto* helpColumn = new QVBoxLayout;
        helpColumn->setSpacing(2);
        helpColumn->addWidget(boldLabel(QStringLiteral("Справка."), this));
        auto* help = new QLabel(m_desc.helpLines.join(QLatin1Char('\n')), this);
        help->setObjectName(QStringLiteral("helpLines"));
        help->setFrameShape(QFrame::StyledPanel);
        help->setMargin(6);
        help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        helpColumn->addWidget(help);
        noteRow->addLayout(helpColumn);
    }
    notePart->addLayout(noteRow);
    if (noteInGrid) {
        auto* box = new QWidget(this);
        box->setLayout(notePart);
        notePart->setContentsMargins(0, 0, 0, 0);
        grids->addWidget(box, 3 * m_desc.noteRow, m_desc.noteColumn, 3, 1, Qt::AlignTop);
    }
    layout->addLayout(grids);
    if (!noteInGrid)
        layout->addLayout(notePart);

    const std::vector<QPushButton*> csv =
        catalogCsvButtons(this, m_dm, m_prompter, className, [this] { return saveEdits(); });
    m_export = csv[0];
    m_import = csv[1];
    const DialogButtons buttons = makeDialogButtons(this, info,
                                                    {.ok = QStringLiteral("OK"),
                                                     .cancel = QStringLiteral("Закрыть"),
                                                     .commands = {m_export, m_import}});
    m_ok = buttons.ok;
    m_close = buttons.cancel;
    m_buttonRow = buttons.layout;
    // Enter in a grid cell must not close the window.
    for (QPushButton* b : {buttons.ok, buttons.cancel, buttons.help, m_export, m_import})
        if (b) {
            b->setDefault(false);
            b->setAutoDefault(false);
        }
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setChoosingLayout(false);
    updateCopyButtons();
}

TCatalogForm::~TCatalogForm() {
    for (const auto& [view, id] : m_listeners)
        view->removeListener(id);
}

int TCatalogForm::widthOf(const GridDesc& g) {
    // The width a grid of that description takes alone: a probe grid over the same view.
    BoundGrid probe(m_dm.tbl(g.table), gridColumns(m_dm.tbl(g.table), g));
    QLabel heading(g.heading);
    QFont f = heading.font();
    f.setBold(true);
    heading.setFont(f);
    Navigator nav(probe.view(), &probe);
    nav.setVisibleButtons(kRecordButtons);
    return std::max(
        {gridWidth(&probe), heading.sizeHint().width() + 12 + nav.sizeHint().width(), g.minWidth});
}

void TCatalogForm::buildGrids(QGridLayout* layout, int& bands) {
    const CatalogDef* def = findCatalog(m_desc.className);
    for (const GridDesc& g : m_desc.grids) {
        View& view = m_dm.tbl(g.table);
        auto* grid = new BoundGrid(view, gridColumns(view, g), this);
        grid->setObjectName(g.table);
        grid->setPrompter(&m_prompter);
        for (int i = 0; i < int(g.columns.size()); ++i) {
            const ColumnDesc& c = g.columns[i];
            if (c.list == ListKind::Open)
                makeOpenListColumn(grid, i, c.values);
            else if (c.list != ListKind::None)
                makeChoiceColumn(grid, i, c.values, keysOf(c.list));
        }
        Navigator* nav = recordBar(grid, m_prompter, this);
        nav->setObjectName(g.table + QStringLiteral("Bar"));

        auto* title = new QVBoxLayout;
        title->setSpacing(0);
        QLabel* heading = boldLabel(g.heading, this);
        title->addWidget(heading);
        if (!g.subheading.isEmpty())
            title->addWidget(boldLabel(g.subheading, this));
        auto* top = new QHBoxLayout;
        top->setSpacing(12);
        top->addLayout(title);
        top->addStretch(1);
        top->addWidget(nav, 0, Qt::AlignBottom);
        int topWidth = heading->sizeHint().width() + 12 + nav->sizeHint().width();
        if (def && def->copyTable == g.table && !m_desc.copyHint.isEmpty()) {
            m_copy = new QToolButton(this);
            m_copy->setObjectName(QStringLiteral("copy"));
            m_copy->setText(QStringLiteral("Копировать"));
            m_copy->setToolTip(m_desc.copyHint);
            m_paste = new QToolButton(this);
            m_paste->setObjectName(QStringLiteral("paste"));
            m_paste->setText(QStringLiteral("Вставить"));
            m_paste->setToolTip(m_desc.pasteHint);
            connect(m_copy, &QToolButton::clicked, this, [this] { copyRecord(); });
            connect(m_paste, &QToolButton::clicked, this, [this] { pasteRecord(); });
            top->addSpacing(8);
            top->addWidget(m_copy, 0, Qt::AlignBottom);
            top->addWidget(m_paste, 0, Qt::AlignBottom);
            topWidth += 8 + m_copy->sizeHint().width() + m_paste->sizeHint().width() + 12;
            m_listeners.emplace_back(
                &view, view.addListener([this](View&, View::Change) { updateCopyButtons(); }));
        }

        grid->setFixedHeight(gridHeight(grid, g.visibleRows));
        int width = std::max({gridWidth(grid), topWidth, g.minWidth});
        // Grids one over another in a column of the window take the same width.
        for (const GridDesc& other : m_desc.grids)
            if (&other != &g && other.column == g.column && other.columnSpan == 1 &&
                g.columnSpan == 1)
                width = std::max(width, widthOf(other));
        if (g.columnSpan == 1)
            grid->setFixedWidth(width);
        else
            grid->setMinimumWidth(width);

        // Each band of the window: headings, grids, the notes under grids.
        layout->addLayout(top, 3 * g.row, g.column, 1, g.columnSpan);
        layout->addWidget(grid, 3 * g.row + 1, g.column, 1, g.columnSpan, Qt::AlignTop);
        if (!g.noteUnder.isEmpty()) {
            auto* under = new QLabel(g.noteUnder, this);
            under->setObjectName(g.table + QStringLiteral("Note"));
            under->setWordWrap(true);
            under->setFixedWidth(width);
            under->setFixedHeight(under->heightForWidth(width));
            layout->addWidget(under, 3 * g.row + 2, g.column, 1, g.columnSpan, Qt::AlignTop);
        }
        bands = std::max(bands, g.row + 1);
        m_grids.push_back(grid);
        m_navigators.push_back(nav);
    }
}

BoundGrid* TCatalogForm::grid(const QString& table) const {
    for (BoundGrid* g : m_grids)
        if (g->view().name().compare(table, Qt::CaseInsensitive) == 0)
            return g;
    return nullptr;
}

QString TCatalogForm::headingOf(const QString& table) const {
    for (const GridDesc& g : m_desc.grids)
        if (g.table.compare(table, Qt::CaseInsensitive) == 0)
            return QString(g.heading).remove(QRegularExpression(QStringLiteral("\\.$")));
    return table;
}

void TCatalogForm::setChoosingLayout(bool choosing) {
    m_ok->setVisible(choosing);
    m_close->setText(choosing ? QStringLiteral("Отмена") : QStringLiteral("Закрыть"));
}

void TCatalogForm::browse() {
    setChoosingLayout(false);
    if (!m_grids.empty())
        m_grids.front()->setFocus();
    exec();
}

void TCatalogForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    updateCopyButtons();
}

void TCatalogForm::updateCopyButtons() {
    if (!m_copy)
        return;
    const CatalogDef* def = findCatalog(m_desc.className);
    const View& copied = m_dm.tbl(def->copyTable);
    m_copy->setEnabled(!copied.isEmpty() && copied.recNo() >= 0);
    m_paste->setEnabled(m_buffer.has_value());
}

bool TCatalogForm::saveEdits() {
    for (BoundGrid* g : m_grids)
        if (!g->commitEditor())
            return false;
    // Details first: moving a master drops a detail row still being edited.
    for (auto it = m_grids.rbegin(); it != m_grids.rend(); ++it) {
        View& v = (*it)->view();
        if (!v.isEditing())
            continue;
        try {
            if (!v.post()) {
                (*it)->setFocus();
                return false;
            }
        } catch (const DbError& e) {
            m_prompter.error(e.message());
            (*it)->setFocus();
            return false;
        }
    }
    return true;
}

bool TCatalogForm::copyRecord() {
    const CatalogDef* def = findCatalog(m_desc.className);
    if (!def || def->copyTable.isEmpty())
        return false;
    BoundGrid* copied = grid(def->copyTable);
    if (copied && !copied->commitEditor())
        return false;
    try {
        auto rec = copyCatalogRecord(m_dm, *def);
        if (!rec)
            return false;
        m_buffer = std::move(rec);
    } catch (const DbError& e) {
        m_prompter.error(e.message());
        return false;
    }
    updateCopyButtons();
    return true;
}

bool TCatalogForm::pasteRecord() {
    const CatalogDef* def = findCatalog(m_desc.className);
    if (!def || !m_buffer)
        return false;
    BoundGrid* copiedGrid = grid(def->copyTable);
    if (copiedGrid && !copiedGrid->commitEditor())
        return false;
    View& copied = m_dm.tbl(def->copyTable);
    // The masters over the copied table keep no row in editing: the new row hangs from them.
    for (BoundGrid* g : m_grids) {
        if (g == copiedGrid)
            break;
        if (g->view().isEditing()) {
            try {
                if (!g->view().post())
                    return false;
            } catch (const DbError& e) {
                m_prompter.error(e.message());
                return false;
            }
        }
    }
    PasteInto into = PasteInto::NewRow;
    if (copied.state() == ViewState::Edit) {
        const QString current =
            copied.valueAt(copied.recNo(), copied.table().columns.size() > 2 ? 2 : 0).toString();
        QString question = QStringLiteral("Запись \"") + current +
                           QStringLiteral("\" редактируется. Заменить ее данные данными "
                                          "скопированной записи \"") +
                           m_buffer->texts.value(0) + QStringLiteral("\"?");
        if (!def->copyDetails.isEmpty())
            question += QStringLiteral(" Строки таблицы \"") + headingOf(def->copyDetails.front()) +
                        QStringLiteral("\" этой записи будут заменены скопированными.");
        question += QStringLiteral(" (\"Нет\" - вставить скопированную запись как новую.)");
        if (m_prompter.question(question))
            into = PasteInto::EditedRow;
    }
    std::optional<PasteRefusal> refusal;
    try {
        refusal = pasteCatalogRecord(m_dm, *def, *m_buffer, into);
    } catch (const DbError& e) {
        m_prompter.error(e.message() + QStringLiteral("\nЗапись не вставлена."));
        return false;
    }
    if (refusal && refusal->level > 0)
        m_prompter.error(QStringLiteral("Вставка записи \"") + m_buffer->texts.value(0) +
                         QStringLiteral("\" отменена: не сохранена запись ") +
                         QString::number(refusal->number) + QStringLiteral(" (\"") + refusal->text +
                         QStringLiteral("\") таблицы \"") + headingOf(refusal->table) +
                         QStringLiteral("\". Ни одна запись не изменена."));
    if (copiedGrid)
        copiedGrid->setFocus();
    return !refusal;
}

bool TCatalogForm::exportCsv(const QString& folder) {
    return exportCatalogCsv(m_dm, m_prompter, m_desc.className, folder,
                            [this] { return saveEdits(); });
}

bool TCatalogForm::importCsv(const QString& folder, ImportMode mode) {
    return importCatalogCsv(m_dm, m_prompter, m_desc.className, folder, mode,
                            [this] { return saveEdits(); });
}

void TCatalogForm::done(int r) {
    if (!saveEdits() || !closeCheck())
        return;
    QDialog::done(r);
}

void TCatalogForm::addCommand(QPushButton* b) {
    b->setDefault(false);
    b->setAutoDefault(false);
    const int at = m_export ? m_buttonRow->indexOf(m_export) : 0;
    m_buttonRow->insertWidget(std::max(0, at), b);
}

TsRegForm::TsRegForm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : TCatalogForm(dm, prompter, QStringLiteral("TsRegForm"), parent) {
    m_climate = new QPushButton(QStringLiteral("Импорт климата..."), this);
    m_climate->setObjectName(QStringLiteral("importClimate"));
    m_station = new QPushButton(QStringLiteral("Из справочника станций..."), this);
    m_station->setObjectName(QStringLiteral("stationRegion"));
    addCommand(m_climate);
    addCommand(m_station);
    connect(m_climate, &QPushButton::clicked, this, [this] { importClimate(); });
    connect(m_station, &QPushButton::clicked, this, [this] { regionFromStation(); });
    // Under the note: whether the current region's E is the program's or the user's.
    m_source = new QLabel(this);
    m_source->setObjectName(QStringLiteral("regionSource"));
    m_source->setWordWrap(true);
    auto* box = static_cast<QVBoxLayout*>(layout());
    box->insertWidget(box->count() - 1, m_source);
    m_sourceListener = m_dm.tbl(QStringLiteral("region0")).addListener([this](View&, View::Change) {
        m_source->setText(sourceText());
    });
    m_source->setText(sourceText());
}

TsRegForm::~TsRegForm() {
    m_dm.tbl(QStringLiteral("region0")).removeListener(m_sourceListener);
}

QString TsRegForm::sourceText() const {
    View& regions = m_dm.tbl(QStringLiteral("region0"));
    if (regions.isEmpty() || regions.isEditing())
        return QString();
    QSqlQuery q = m_dm.store().select(
        QStringLiteral("SELECT COUNT(*), MIN(Source) FROM region2 WHERE Kod0 = ?"),
        {regions.currentKey()});
    const QString name = regions[QStringLiteral("Region")].asString();
    if (q.next() && q.value(0).toInt() > 0)
        return QStringLiteral("Регион \"%1\": Е рассчитана программой по радиации на "
                              "горизонтальную площадку (источник: %2) для панелей, обращенных на "
                              "юг под углом B месяца.")
            .arg(name, q.value(1).toString());
    return QStringLiteral("Регион \"%1\": Е введена вручную (радиации на горизонтальную площадку "
                          "нет), программа ее не пересчитывает.")
        .arg(name);
}

std::unique_ptr<TClimatePreview> TsRegForm::climatePreview(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const FileBytes bytes = readFileBytes(path);
    if (!bytes.bytes) {
        m_prompter.error(bytes.error);
        return nullptr;
    }
    const ClimateRead r = readClimateFile(*bytes.bytes, name);
    if (!r.data) {
        m_prompter.error(r.error);
        return nullptr;
    }
    const QString region =
        r.data->site.isEmpty() ? QFileInfo(path).completeBaseName() : r.data->site;
    return std::make_unique<TClimatePreview>(*r.data, climateSummary(*r.data, name), region,
                                             m_dm.optimUgolDay(), m_prompter, this);
}

bool TsRegForm::writePreview(const TClimatePreview& preview) {
    if (!saveEdits())
        return false;
    return writeClimateRegion(m_dm, m_prompter, preview.regionName(), preview.climate()) ==
           RegionWrite::Written;
}

bool TsRegForm::importClimate() {
    if (!saveEdits())
        return false;
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Импорт климата"), QString(),
        QStringLiteral("Файлы погоды (*.epw *.csv *.json);;Все файлы (*)"));
    if (path.isEmpty())
        return false;
    const std::unique_ptr<TClimatePreview> preview = climatePreview(path);
    return preview && preview->exec() == QDialog::Accepted && writePreview(*preview);
}

bool TsRegForm::regionFromStation() {
    if (!saveEdits())
        return false;
    const std::vector<Station>& stations = bundledStations();
    TStationPicker picker(stations, m_prompter, this);
    if (picker.exec() != QDialog::Accepted || !picker.chosen())
        return false;
    const Station& s = stations[*picker.chosen()];
    const ClimateYear c = stationClimate(s);
    TClimatePreview preview(
        c, climateSummary(c, s.city + QStringLiteral(" (") + s.id + QStringLiteral(")")),
        stationRegionName(s), m_dm.optimUgolDay(), m_prompter, this);
    return preview.exec() == QDialog::Accepted && writePreview(preview);
}

bool TsRegForm::tiltIsComputed() {
    return m_dm.optimUgolRejim() == 0;
}

void TsRegForm::showEvent(QShowEvent* event) {
    // The tilt column follows the setting as it is when the window opens.
    if (BoundGrid* months = grid(QStringLiteral("region1"))) {
        for (int c = 0; c < months->viewModel()->columnCount(); ++c)
            if (months->viewModel()->columns()[c].field == QStringLiteral("B"))
                months->viewModel()->setColumnReadOnly(c, tiltIsComputed());
    }
    TCatalogForm::showEvent(event);
}

TCatalogForm* makeCatalogForm(const QString& className, TDataModule1& dm, Prompter& prompter,
                              QWidget* parent) {
    if (className == QStringLiteral("TsRegForm"))
        return new TsRegForm(dm, prompter, parent);
    if (className == QStringLiteral("TsTempABF"))
        return new TsTempABF(dm, prompter, parent);
    return new TCatalogForm(dm, prompter, className, parent);
}

} // namespace ses
