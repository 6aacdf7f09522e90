#include "load/ui/ep_chooser.h"

#include "data/data_module.h"
#include "lib/entry.h"
#include "lib/numbers.h"
#include "load/consumer_store.h"
#include "load/ui/schedule_panels.h"
#include "widgets/bound_grid.h"
#include "widgets/choice_column.h"
#include "widgets/dialog_buttons.h"
#include "widgets/navigator.h"
#include "widgets/number_field.h"
#include "widgets/record_bar.h"
#include "widgets/step_buttons.h"
#include "widgets/windows.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ses {

namespace {

const QString kName = QStringLiteral("Name");
const QString kPnom = QStringLiteral("Pnom");
const QString kUnom = QStringLiteral("Unom");

std::vector<GridColumn> catalogColumns(bool ac) {
    const GridColumn name{kName, QStringLiteral("Наименование")};
    const GridColumn pnom{kPnom, QStringLiteral("Pном., Вт")};
    const GridColumn ratio{QStringLiteral("Ip_In"), QStringLiteral("Iпуск./Iном.")};
    const GridColumn rejim{QStringLiteral("Rejim"), QStringLiteral("Режим")};
    if (ac)
        return {name,
                pnom,
                ratio,
                {QStringLiteral("ClearSinus"), QStringLiteral("Чистый синус")},
                rejim};
    return {name, {kUnom, QStringLiteral("Uном., В")}, pnom, ratio, rejim};
}

} // namespace

TsEPForm::TsEPForm(TDataModule1& dm, Prompter& prompter, bool ac, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter), m_ac(ac) {
    const WindowInfo& info =
        setUpWindow(this, ac ? QStringLiteral("TsEPForm") : QStringLiteral("TsEP12Frm"));

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setMaxLength(50);
    auto* searchLabel = new QLabel(QStringLiteral("Поиск электроприемника:"), this);
    searchLabel->setBuddy(m_search);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(new QLabel(QStringLiteral("(ввод символов в нижнем регистре)"), this));
    connect(m_search, &QLineEdit::textEdited, this, [this](const QString& t) { search(t); });

    m_grid = new BoundGrid(catalog(), catalogColumns(ac), this);
    m_grid->setObjectName(QStringLiteral("catalogGrid"));
    m_grid->setReadOnly(true);
    m_grid->setPrompter(&m_prompter);
    m_grid->fitColumns();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] {
        if (!m_browsing)
            accept();
    });
    // The pick lists take their values from the list only; the DC voltages offer theirs.
    const QStringList modes = {QStringLiteral("ручной"), QStringLiteral("автоматический")};
    if (ac) {
        makeChoiceColumn(m_grid, 3, {QStringLiteral("+"), QStringLiteral("-")});
        makeChoiceColumn(m_grid, 4, modes);
    } else {
        makeOpenListColumn(m_grid, 1,
                           {QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("48"),
                            QStringLiteral("60"), QStringLiteral("96")});
        makeChoiceColumn(m_grid, 4, modes);
    }
    m_recordBar = recordBar(m_grid, m_prompter, this);
    m_recordBar->setObjectName(QStringLiteral("recordBar"));
    searchRow->addSpacing(12);
    searchRow->addWidget(m_recordBar);
    // A reset of the rows (the catalog reread) shows every row again.
    connect(m_grid->viewModel(), &QAbstractItemModel::modelReset, this, [this] { applyFilter(); });

    m_quantity = new NumberField(NumberField::Kind::Integer, this);
    m_quantity->setObjectName(QStringLiteral("quantity"));
    m_quantity->setPrompter(&m_prompter);
    m_quantity->setAlignment(Qt::AlignRight);
    m_quantity->setFixedWidth(70);
    m_quantity->setText(QStringLiteral("1"));
    auto* quantityLabel = new QLabel(QStringLiteral("Количество, шт.:"), this);
    quantityLabel->setBuddy(m_quantity);
    m_filterLabel = new QLabel(this);
    m_filterLabel->setObjectName(QStringLiteral("filterLabel"));
    m_quantityBox = new QWidget(this);
    auto* quantityRow = new QHBoxLayout(m_quantityBox);
    quantityRow->setContentsMargins(0, 0, 0, 0);
    quantityRow->setSpacing(2);
    quantityRow->addWidget(quantityLabel);
    quantityRow->addSpacing(4);
    quantityRow->addWidget(m_quantity);
    quantityRow->addWidget(new StepButtons(m_quantity, 1, this));
    quantityRow->addSpacing(24);
    quantityRow->addWidget(m_filterLabel);
    quantityRow->addStretch(1);

    const DialogButtons buttons = makeDialogButtons(this, info);
    m_ok = buttons.ok;
    m_cancel = buttons.cancel;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_quantityBox);
    layout->addLayout(buttons.layout);
    m_filterLabel->hide();
    setBrowsing(false);
    resize(ac ? 760 : 720, 520);
}

View& TsEPForm::catalog() const {
    return m_dm.tbl(m_ac ? QStringLiteral("sEP") : QStringLiteral("sEP12"));
}

bool TsEPForm::isShown(int row) const {
    if (!m_filter)
        return true;
    const View& v = catalog();
    const QVariant u = v.valueAt(row, v.table().columnIndex(kUnom));
    return !u.isNull() && sameValue(u.toDouble(), *m_filter);
}

int TsEPForm::firstShown() const {
    for (int r = 0; r < catalog().recordCount(); ++r)
        if (isShown(r))
            return r;
    return -1;
}

void TsEPForm::applyFilter() {
    for (int r = 0; r < catalog().recordCount(); ++r)
        m_grid->setRowHidden(r, !isShown(r));
}

void TsEPForm::moveTo(int row) {
    View& v = catalog();
    if (row >= 0 && row != v.recNo())
        v.moveTo(row);
}

void TsEPForm::search(const QString& text) {
    const View& v = catalog();
    const int name = v.table().columnIndex(kName);
    std::vector<int> rows;
    QStringList names;
    for (int r = 0; r < v.recordCount(); ++r)
        if (isShown(r)) {
            rows.push_back(r);
            names << v.valueAt(r, name).toString();
        }
    const int found = firstNameMatch(names, text);
    if (found >= 0)
        moveTo(rows[found]);
}

void TsEPForm::prepare(std::optional<double> dcVoltageFilter, const QString& positionOnName,
                       std::optional<double> positionOnPnom, int quantity) {
    m_chosen.reset();
    m_filter = m_ac ? std::nullopt : dcVoltageFilter;
    m_filterLabel->setVisible(m_filter.has_value());
    if (m_filter)
        m_filterLabel->setText(
            QStringLiteral("Фильтрация записей: Uном.=%1 В").arg(numberToText(*m_filter)));
    applyFilter();
    const View& v = catalog();
    const int name = v.table().columnIndex(kName), pnom = v.table().columnIndex(kPnom);
    int target = -1;
    if (!positionOnName.isEmpty())
        for (int r = 0; r < v.recordCount() && target < 0; ++r)
            if (isShown(r) && v.valueAt(r, name).toString() == positionOnName &&
                (!positionOnPnom || sameValue(v.valueAt(r, pnom).toDouble(), *positionOnPnom)))
                target = r;
    if (target < 0 && (v.recNo() < 0 || !isShown(v.recNo())))
        target = firstShown();
    moveTo(target);
    m_search->clear();
    m_quantity->setText(QString::number(std::max(1, quantity)));
}

void TsEPForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Only now does the grid know how many rows it shows.
    m_grid->scrollTo(m_grid->currentIndex(), QAbstractItemView::PositionAtCenter);
}

void TsEPForm::finish() {
    m_filter.reset();
    m_filterLabel->hide();
    applyFilter();
}

std::optional<std::pair<CatalogConsumer, int>>
TsEPForm::choose(std::optional<double> dcVoltageFilter, const QString& positionOnName,
                 std::optional<double> positionOnPnom, int quantity) {
    prepare(dcVoltageFilter, positionOnName, positionOnPnom, quantity);
    m_search->setFocus();
    const bool ok = exec() == QDialog::Accepted;
    finish();
    return ok ? m_chosen : std::nullopt;
}

void TsEPForm::loadForTour() {
    const View& v = catalog();
    const int name = v.table().columnIndex(kName);
    const int middle = v.recordCount() / 2;
    const QString around =
        middle < v.recordCount() ? v.valueAt(middle, name).toString() : QString();
    prepare(m_ac ? std::nullopt : std::optional<double>(24), around, std::nullopt, 2);
    if (!m_ac)
        search(QStringLiteral("хол"));
}

std::optional<CatalogConsumer> TsEPForm::current() const {
    View& v = catalog();
    if (v.isEmpty() || !isShown(v.recNo()))
        return std::nullopt;
    CatalogConsumer c;
    c.name = v[kName].asString();
    c.pnom = v[kPnom].asFloat();
    c.ipIn = v[QStringLiteral("Ip_In")].asFloat();
    c.rejim = v[QStringLiteral("Rejim")].asString();
    if (m_ac)
        c.clearSinus = v[QStringLiteral("ClearSinus")].asBoolean();
    else if (!v[kUnom].isNull())
        c.unom = v[kUnom].asFloat();
    return c;
}

void TsEPForm::setBrowsing(bool browsing) {
    m_browsing = browsing;
    m_recordBar->setVisible(browsing);
    m_quantityBox->setVisible(!browsing);
    m_ok->setVisible(!browsing);
    m_cancel->setText(browsing ? QStringLiteral("Закрыть") : QStringLiteral("Отмена"));
    m_grid->setReadOnly(!browsing);
}

void TsEPForm::browse() {
    finish();
    setBrowsing(true);
    m_search->clear();
    m_grid->setFocus();
    exec();
    setBrowsing(false);
}

bool TsEPForm::saveEdit() {
    if (!m_grid->commitEditor())
        return false;
    View& v = catalog();
    if (!v.isEditing())
        return true;
    try {
        if (v.post())
            return true;
    } catch (const DbError& e) {
        m_prompter.error(e.message());
    }
    m_grid->setFocus();
    return false;
}

void TsEPForm::done(int r) {
    // A consumer still being edited is saved on closing; a refused one keeps the window open.
    if (m_browsing && !saveEdit())
        return;
    QDialog::done(r);
}

void TsEPForm::accept() {
    const std::optional<CatalogConsumer> c = current();
    if (!c) {
        m_prompter.error(m_filter
                             ? QStringLiteral("В справочнике нет электроприемников с номинальным "
                                              "напряжением %1 В. Добавьте их в справочник "
                                              "электроприемников постоянного напряжения.")
                                   .arg(numberToText(*m_filter))
                             : QStringLiteral("Справочник не содержит ни одного электроприемника. "
                                              "Добавьте электроприемники в справочник."));
        return;
    }
    const QString quantity = QStringLiteral("количества электроприемников");
    std::optional<QString> error = checkNonZeroWhole(m_quantity->text(), quantity);
    if (!error && *parseInteger(m_quantity->text()) < 0)
        error = checkNonZeroWhole(QStringLiteral("0"), quantity); // "... больше 0."
    if (error) {
        m_prompter.error(*error);
        m_quantity->setFocus();
        m_quantity->selectAll();
        return;
    }
    m_chosen = std::pair{*c, *parseInteger(m_quantity->text())};
    QDialog::accept();
}

} // namespace ses
