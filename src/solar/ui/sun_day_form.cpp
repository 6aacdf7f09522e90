#include "solar/ui/sun_day_form.h"

#include "widgets/catalog_csv_buttons.h"
#include "widgets/dialog_buttons.h"
#include "widgets/windows.h"

#include "data/data_module.h"
#include "lib/entry.h"
#include "lib/numbers.h"
#include "solar/ui/solar_parts.h"
#include "widgets/bound_grid.h"
#include "widgets/navigator.h"
#include "widgets/number_field.h"
#include "widgets/record_bar.h"
#include "widgets/step_buttons.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace ses {

namespace {

const QString kMonthName = QStringLiteral("MonthName");
const QString kStart = QStringLiteral("Voshod10");
const QString kEnd = QStringLiteral("Zakat10");
constexpr int kMonths = 12;

View& sunTable(TDataModule1& dm) {
    return dm.tbl(QStringLiteral("sSun_day_def"));
}

View& periodTable(TDataModule1& dm) {
    return dm.tbl(QStringLiteral("sSun_day"));
}

// Twelve rows under the header without a scroll bar.
int monthsHeight(const BoundGrid* grid) {
    return grid->horizontalHeader()->sizeHint().height() +
           kMonths * grid->verticalHeader()->defaultSectionSize() + 2 * grid->frameWidth() + 2;
}

} // namespace

TsSunDayF::TsSunDayF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TsSunDayF"));

    m_sunGrid = new BoundGrid(sunTable(dm),
                              {{kMonthName, QStringLiteral("Месяц"), true, 110},
                               {kStart, QStringLiteral("Восход, час."), false, 110},
                               {kEnd, QStringLiteral("Закат, час."), false}},
                              this);
    m_sunGrid->setObjectName(QStringLiteral("sunGrid"));
    m_periodGrid = new BoundGrid(periodTable(dm),
                                 {{kMonthName, QStringLiteral("Месяц"), true, 110},
                                  {kStart, QStringLiteral("Начало, час."), false, 110},
                                  {kEnd, QStringLiteral("Окончание, час."), false}},
                                 this);
    m_periodGrid->setObjectName(QStringLiteral("periodGrid"));
    // Inserting and deleting are offered so that the user hears why they are not allowed.
    const Navigator::Buttons buttons =
        Navigator::First | Navigator::Prior | Navigator::Next | Navigator::Last | kRecordButtons;
    m_sunNavigator = recordBar(m_sunGrid, m_prompter, this, buttons);
    m_periodNavigator = recordBar(m_periodGrid, m_prompter, this, buttons);
    QLabel* sunHeading =
        headingLabel(QStringLiteral("Среднемесячное время восхода и заката солнца."), this);
    QLabel* periodHeading =
        headingLabel(QStringLiteral("Среднемесячные периоды светлого времени суток."), this);
    const int width = std::max({340, m_sunNavigator->sizeHint().width(),
                                sunHeading->sizeHint().width(), periodHeading->sizeHint().width()});
    for (BoundGrid* g : {m_sunGrid, m_periodGrid}) {
        g->setPrompter(&m_prompter);
        g->setFixedSize(width, monthsHeight(g));
    }

    QLabel* note = noteLabel(
        QStringLiteral("Внимание! По умолчанию, в таблице отражены данные для г. Киев (Украина). "
                       "При необходимости, данные могут быть отредактированы для другого города "
                       "(местности). Добавление и удаление записей таблицы запрещено. "),
        this);
    note->setObjectName(QStringLiteral("note"));
    note->setFixedWidth(width);

    auto* copy = new QPushButton(QStringLiteral("Восход - закат"), this);
    copy->setObjectName(QStringLiteral("copy"));
    copy->setAutoDefault(false);
    copy->setToolTip(QStringLiteral("Периоды светлого времени суток - от восхода до заката"));
    connect(copy, &QPushButton::clicked, this, [this] { copySunriseSunset(); });

    auto* narrowing = new QGroupBox(QStringLiteral(" Сужение периода "), this);
    auto* fields = new QGridLayout(narrowing);
    fields->setHorizontalSpacing(6);
    const auto addField = [this, narrowing, fields](int row, const QString& caption) {
        auto* field = new NumberField(NumberField::Kind::Decimal, narrowing);
        field->setPrompter(&m_prompter);
        field->setAlignment(Qt::AlignRight);
        field->setFixedWidth(70);
        field->setText(QStringLiteral("1"));
        auto* label = new QLabel(caption, narrowing);
        label->setBuddy(field);
        auto* steps = new QHBoxLayout;
        steps->setSpacing(2);
        steps->addWidget(field);
        for (const double step : {1.0, 0.1, 0.01}) {
            auto* b = new StepButtons(field, step, narrowing);
            b->setDownRule(StepButtons::Mode::LowerBound, 0);
            steps->addWidget(b);
        }
        steps->addStretch(1);
        fields->addWidget(label, row, 0);
        fields->addLayout(steps, row, 1);
        return field;
    };
    m_fromStart = addField(0, QStringLiteral("от начала, час.:"));
    m_fromStart->setObjectName(QStringLiteral("fromStart"));
    m_fromEnd = addField(1, QStringLiteral("от окончания, час.:"));
    m_fromEnd->setObjectName(QStringLiteral("fromEnd"));
    auto* change = new QPushButton(QStringLiteral("Изменить"), narrowing);
    change->setObjectName(QStringLiteral("change"));
    change->setAutoDefault(false);
    connect(change, &QPushButton::clicked, this, [this] { narrowFromFields(); });
    fields->addWidget(change, 0, 2, 2, 1, Qt::AlignVCenter);
    fields->setColumnStretch(1, 1);

    auto* upper = new QVBoxLayout;
    upper->addWidget(sunHeading);
    upper->addWidget(m_sunNavigator);
    upper->addWidget(m_sunGrid);
    upper->addWidget(note);
    upper->addStretch(1);
    auto* lower = new QVBoxLayout;
    lower->addWidget(periodHeading);
    lower->addWidget(m_periodNavigator);
    lower->addWidget(m_periodGrid);
    lower->addWidget(copy, 0, Qt::AlignLeft);
    lower->addWidget(narrowing);
    lower->addStretch(1);
    auto* panels = new QHBoxLayout;
    panels->addLayout(upper);
    panels->addSpacing(18);
    panels->addLayout(lower);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panels);
    layout->addLayout(makeDialogButtons(this, info,
                                        closeRow(catalogCsvButtons(this, m_dm, m_prompter,
                                                                   QStringLiteral("TsSunDayF"),
                                                                   [this] { return saveEdits(); })))
                          .layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TsSunDayF::run() {
    m_periodGrid->setFocus();
    exec();
}

void TsSunDayF::loadForTour() {
    periodTable(m_dm).first();
    sunTable(m_dm).first();
}

bool TsSunDayF::saveEdits() {
    return saveGridEdits({m_sunGrid, m_periodGrid}, m_prompter);
}

bool TsSunDayF::changeEveryPeriod(const std::function<bool(int row)>& change) {
    if (!saveEdits())
        return false;
    View& periods = periodTable(m_dm);
    const Bookmark mark = periods.bookmark();
    bool done = false;
    try {
        // A row left in editing is cancelled and the rolled-back rows are read again as the file
        // holds them.
        Transaction tr(m_dm.store(), {&periods});
        int row = 0;
        for (; row < periods.recordCount(); ++row)
            if (!periods.moveTo(row) || !periods.edit() || !change(row) || !periods.post())
                break;
        if (row == periods.recordCount()) {
            tr.commit();
            done = true;
        }
    } catch (const DbError& e) {
        m_prompter.error(e.message());
    }
    if (mark >= 0)
        periods.gotoBookmark(mark);
    return done;
}

bool TsSunDayF::copySunriseSunset() {
    const View& sun = sunTable(m_dm);
    const TableDef& t = sun.table();
    const int month = t.columnIndex(kMonthName), start = t.columnIndex(kStart),
              end = t.columnIndex(kEnd);
    View& periods = periodTable(m_dm);
    return changeEveryPeriod([&](int) {
        const QString name = periods[kMonthName].asString();
        for (int r = 0; r < sun.recordCount(); ++r)
            if (sun.valueAt(r, month).toString() == name) {
                periods[kStart].setValue(sun.valueAt(r, start));
                periods[kEnd].setValue(sun.valueAt(r, end));
                break;
            }
        return true;
    });
}

bool TsSunDayF::narrow(double fromStart, double fromEnd) {
    View& periods = periodTable(m_dm);
    const QString pattern = QStringLiteral("0.###");
    return changeEveryPeriod([&](int) {
        const double start = periods[kStart].asFloat(), end = periods[kEnd].asFloat();
        periods[kStart].setString(formatPattern(start + fromStart, pattern));
        periods[kEnd].setString(formatPattern(end - fromEnd, pattern));
        return true;
    });
}

bool TsSunDayF::narrowFromFields() {
    const std::pair<NumberField*, QString> fields[] = {
        {m_fromStart, QStringLiteral("сужения периода от начала")},
        {m_fromEnd, QStringLiteral("сужения периода от окончания")},
    };
    double values[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        const auto& [field, quantity] = fields[i];
        std::optional<QString> error = checkNumber(field->text(), quantity);
        if (!error && *parseNumber(field->text()) < 0)
            error =
                QStringLiteral("Значение ") + quantity + QStringLiteral(" не может быть меньше 0.");
        if (error) {
            m_prompter.error(*error);
            field->setFocus();
            field->selectAll();
            return false;
        }
        values[i] = *parseNumber(field->text());
    }
    return narrow(values[0], values[1]);
}

void TsSunDayF::reject() {
    if (saveEdits())
        QDialog::reject();
}

} // namespace ses
