#include "refbooks/climate_dialogs.h"

#include "lib/numbers.h"
#include "lib/prompter.h"
#include "solar/region_import.h"
#include "widgets/dialog_buttons.h"
#include "widgets/look.h"
#include "widgets/windows.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ses {

namespace {

// Both dialogs belong to the region reference and open its help page.
constexpr int kRegionTopic = 15;

QLabel* textBlock(const QStringList& lines, QWidget* parent, int width) {
    auto* l = new QLabel(lines.join(QLatin1Char('\n')), parent);
    l->setWordWrap(true);
    l->setFixedWidth(width);
    return l;
}

QTableWidget* table(const QStringList& titles, QWidget* parent) {
    auto* t = new QTableWidget(0, int(titles.size()), parent);
    t->setHorizontalHeaderLabels(titles);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    return t;
}

void fitColumns(QTableWidget* t) {
    t->resizeColumnsToContents();
    int width = 2 * t->frameWidth() + t->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < t->columnCount(); ++c)
        width += t->columnWidth(c);
    t->setFixedWidth(width);
}

} // namespace

TClimatePreview::TClimatePreview(const ClimateYear& c, const QStringList& summary,
                                 const QString& name, int tiltDay, Prompter& prompter,
                                 QWidget* parent)
    : QDialog(parent), m_climate(c), m_day(tiltDay), m_prompter(prompter) {
    const WindowInfo info{QStringLiteral("TClimatePreview"), QStringLiteral("Импорт климата."),
                          kRegionTopic};
    setWindowTitle(info.caption);
    setObjectName(info.className);
    auto* layout = new QVBoxLayout(this);
    constexpr int textWidth = 560;
    layout->addWidget(textBlock(summary, this, textWidth));
    if (!c.warnings.isEmpty()) {
        QStringList w;
        for (const QString& s : c.warnings)
            w << QStringLiteral("Внимание: ") + s;
        QLabel* warnings = textBlock(w, this, textWidth);
        warnings->setObjectName(QStringLiteral("warnings"));
        warnings->setStyleSheet(QStringLiteral("color: #a00000"));
        layout->addWidget(warnings);
    }
    auto* form = new QFormLayout;
    m_name = new QLineEdit(name.left(30), this);
    m_name->setObjectName(QStringLiteral("regionName"));
    m_name->setMaxLength(30);
    m_name->setMinimumWidth(m_name->fontMetrics().horizontalAdvance(QString(30, u'Ш')) / 2 + 40);
    form->addRow(QStringLiteral("Регион:"), m_name);
    if (!c.latitude) {
        m_latitude = new QLineEdit(this);
        m_latitude->setObjectName(QStringLiteral("latitude"));
        m_latitude->setAlignment(Qt::AlignRight);
        m_latitude->setFixedWidth(numberFieldWidth(this));
        form->addRow(QStringLiteral("f, град.:"), m_latitude);
        connect(m_latitude, &QLineEdit::textChanged, this, [this] { fillMonths(); });
    }
    layout->addLayout(form);
    m_months = table({QStringLiteral("Месяц"), QStringLiteral("H, кВт*ч/(м2*день)"),
                      QStringLiteral("Е, кВт*ч/(м2*день)"), QStringLiteral("Tср., град."),
                      QStringLiteral("B, град.")},
                     this);
    m_months->setObjectName(QStringLiteral("months"));
    m_months->setSelectionMode(QAbstractItemView::NoSelection);
    m_months->setFocusPolicy(Qt::NoFocus);
    fillMonths();
    fitColumns(m_months);
    m_months->setFixedHeight(m_months->horizontalHeader()->sizeHint().height() +
                             12 * m_months->verticalHeader()->defaultSectionSize() +
                             2 * m_months->frameWidth());
    layout->addWidget(m_months);
    layout->addWidget(textBlock({QStringLiteral("H - радиация на горизонтальную площадку, как "
                                                "в файле; она сохраняется как источник региона."),
                                 QStringLiteral("Е - радиация на плоскость панелей, обращенных на "
                                                "юг под углом B месяца, рассчитанная по H."),
                                 QStringLiteral("B - оптимальный угол наклона по широте и дню "
                                                "месяца из параметров программы.")},
                                this, textWidth));
    const DialogButtons buttons = makeDialogButtons(
        this, info, {.ok = QStringLiteral("Записать"), .cancel = QStringLiteral("Отмена")});
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TClimatePreview::regionName() const {
    return m_name->text().trimmed();
}

ClimateYear TClimatePreview::climate() const {
    ClimateYear c = m_climate;
    if (m_latitude) {
        const auto v = parseNumber(m_latitude->text());
        c.latitude = v && *v >= -90 && *v <= 90 ? v : std::nullopt;
    }
    return c;
}

void TClimatePreview::fillMonths() {
    const std::vector<RegionMonthRow> rows = regionMonthRows(climate(), m_day);
    m_months->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const QStringList cells = {rows[r].month, numberToText(rows[r].radiation),
                                   numberToText(rows[r].plane), numberToText(rows[r].temperature),
                                   numberToText(rows[r].tilt)};
        for (int c = 0; c < int(cells.size()); ++c)
            m_months->setItem(r, c, cellItem(cells[c]));
    }
}

void TClimatePreview::accept() {
    if (m_latitude) {
        const QString text = m_latitude->text().trimmed();
        const auto v = parseNumber(text);
        if (text.isEmpty() || !v || *v < -90 || *v > 90) {
            m_prompter.error(text.isEmpty()
                                 ? QStringLiteral("Введите значение широты места.")
                                 : QStringLiteral("\"%1\" - некорректное значение для широты места "
                                                  "(от -90 до 90 град.).")
                                       .arg(text));
            m_latitude->setFocus();
            return;
        }
    }
    QDialog::accept();
}

TStationPicker::TStationPicker(const std::vector<Station>& stations, Prompter& prompter,
                               QWidget* parent)
    : QDialog(parent), m_stations(stations), m_prompter(prompter) {
    const WindowInfo info{QStringLiteral("TStationPicker"),
                          QStringLiteral("Регион из справочника станций."), kRegionTopic};
    setWindowTitle(info.caption);
    setObjectName(info.className);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto* byName = new QHBoxLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("stationName"));
    auto* findName = new QPushButton(QStringLiteral("Найти"), this);
    findName->setObjectName(QStringLiteral("findName"));
    byName->addWidget(m_name, 1);
    byName->addWidget(findName);
    form->addRow(QStringLiteral("Название станции (латиницей):"), byName);
    auto* byLat = new QHBoxLayout;
    m_latitude = new QLineEdit(this);
    m_latitude->setObjectName(QStringLiteral("stationLatitude"));
    m_latitude->setAlignment(Qt::AlignRight);
    m_latitude->setFixedWidth(numberFieldWidth(this));
    auto* findLat = new QPushButton(QStringLiteral("Ближайшие по широте"), this);
    findLat->setObjectName(QStringLiteral("findLatitude"));
    byLat->addWidget(m_latitude);
    byLat->addWidget(findLat);
    byLat->addStretch();
    form->addRow(QStringLiteral("Широта места, град.:"), byLat);
    layout->addLayout(form);
    m_list = table({QStringLiteral("Станция"), QStringLiteral("Страна"), QStringLiteral("Код ISD"),
                    QStringLiteral("f, град."), QStringLiteral("По меридиану, км")},
                   this);
    m_list->setObjectName(QStringLiteral("stations"));
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(620, 300);
    m_list->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_list);
    layout->addWidget(textBlock(
        {QStringLiteral("Справочник: 3025 метеостанций бывшего СССР, среднемесячные температура и "
                        "продолжительность солнечного сияния за 1961 - 1990 гг. Радиация региона "
                        "оценивается по солнечному сиянию (Ангстрем - Прескотт) и помечается в "
                        "названии словом \"оценка\"."),
         QStringLiteral("Долгот в справочнике нет: по широте подбираются станции, ближайшие по "
                        "меридиану; действительное расстояние может быть больше.")},
        this, 620));
    const DialogButtons buttons = makeDialogButtons(
        this, info, {.ok = QStringLiteral("Выбрать"), .cancel = QStringLiteral("Отмена")});
    buttons.ok->setDefault(false);
    buttons.ok->setAutoDefault(false);
    layout->addLayout(buttons.layout);
    connect(findName, &QPushButton::clicked, this, [this] { findByName(m_name->text()); });
    connect(findLat, &QPushButton::clicked, this, [this] { findByLatitude(m_latitude->text()); });
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });
}

bool TStationPicker::findByName(const QString& text) {
    m_name->setText(text);
    if (text.trimmed().isEmpty()) {
        m_prompter.error(QStringLiteral("Введите название станции или его часть."));
        return false;
    }
    const auto found = stationsByName(m_stations, text, 200);
    if (found.empty()) {
        m_prompter.error(QStringLiteral("Станции с названием, содержащим \"%1\", не найдены. "
                                        "Названия станций - латиницей, как в списке ISD "
                                        "(например, MOSKVA).")
                             .arg(text.trimmed()));
        return false;
    }
    show(found);
    return true;
}

bool TStationPicker::findByLatitude(const QString& text) {
    m_latitude->setText(text);
    const auto v = parseNumber(text);
    if (!v || *v < -90 || *v > 90) {
        m_prompter.error(text.trimmed().isEmpty()
                             ? QStringLiteral("Введите значение широты места.")
                             : QStringLiteral("\"%1\" - некорректное значение для широты места "
                                              "(от -90 до 90 град.).")
                                   .arg(text.trimmed()));
        return false;
    }
    show(stationsNearLatitude(m_stations, *v, 20));
    return true;
}

void TStationPicker::show(const std::vector<StationMatch>& found) {
    m_found = found;
    m_list->setRowCount(int(found.size()));
    for (int r = 0; r < int(found.size()); ++r) {
        const Station& s = m_stations[found[r].index];
        const QStringList cells = {
            s.city, s.country, s.id, numberToText(s.latitude),
            found[r].distanceKm ? numberToText(roundHalfEven(*found[r].distanceKm, 0)) : QString()};
        for (int c = 0; c < int(cells.size()); ++c)
            m_list->setItem(r, c, cellItem(cells[c]));
    }
    m_list->resizeColumnsToContents();
    if (!found.empty())
        m_list->selectRow(0);
}

std::optional<int> TStationPicker::chosen() const {
    const int r = m_list->currentRow();
    if (r < 0 || r >= int(m_found.size()) || m_list->selectedItems().isEmpty())
        return std::nullopt;
    return m_found[r].index;
}

void TStationPicker::accept() {
    if (!chosen()) {
        m_prompter.error(QStringLiteral("Выберите станцию в списке."));
        return;
    }
    QDialog::accept();
}

} // namespace ses
