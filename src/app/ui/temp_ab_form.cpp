#include "app/ui/temp_ab_form.h"

#include "widgets/choice_column.h"

#include "data/data_module.h"
#include "lib/months.h"
#include "widgets/bound_grid.h"
#include "widgets/dialog_buttons.h"
#include "widgets/navigator.h"
#include "widgets/windows.h"

#include <QApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace ses {

namespace {

const QString kPomName = QStringLiteral("PomName");
const QString kMonthName = QStringLiteral("MonthName");
const QString kTempAB = QStringLiteral("TempAB");
constexpr int kMonthColumn = 0; // of the temperature grid
constexpr int kMonthsPerRoom = 12;

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

// The record bar over a catalog grid: insert, delete, edit, save, cancel; no delete question.
Navigator* recordBar(BoundGrid* grid, Prompter& prompter, QWidget* parent) {
    auto* nav = new Navigator(grid->view(), grid, parent);
    nav->setVisibleButtons(Navigator::Insert | Navigator::Delete | Navigator::Edit |
                           Navigator::Post | Navigator::Cancel);
    nav->setConfirmDelete(false);
    nav->setPrompter(&prompter);
    const std::pair<Navigator::Button, const char*> hints[] = {
        {Navigator::Insert, "Вставка записи"},      {Navigator::Delete, "Удаление записи"},
        {Navigator::Edit, "Редактирование записи"}, {Navigator::Post, "Сохранение записи"},
        {Navigator::Cancel, "Отмена изменений"},
    };
    for (const auto& [which, hint] : hints)
        nav->button(which)->setToolTip(QString::fromUtf8(hint));
    return nav;
}

// Height of a grid showing `rows` rows under its header without a scroll bar.
int gridHeight(const BoundGrid* grid, int rows) {
    return grid->horizontalHeader()->sizeHint().height() +
           rows * grid->verticalHeader()->defaultSectionSize() + 2 * grid->frameWidth() + 2;
}

} // namespace

QString roomMonthsMessage(const QString& room, int count) {
    return QStringLiteral("Таблица \"Температура эксплуатации АБ\" должна содержать по 12 записей "
                          "для каждого помещения размещения АБ - по 1 записи для каждого месяца "
                          "года. Для помещения \"") +
           room + QStringLiteral("\" таких записей только ") + QString::number(count) +
           QStringLiteral(". ") + QStringLiteral("Введите записи для недостающих месяцев.");
}

TsTempABF::TsTempABF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TsTempABF"));

    View& rooms = m_dm.tbl(QStringLiteral("sTempAB0"));
    View& months = m_dm.tbl(QStringLiteral("sTempAB1"));
    m_roomsGrid =
        new BoundGrid(rooms, {{kPomName, QStringLiteral("Помещение размещения АБ"), false}}, this);
    m_roomsGrid->setObjectName(QStringLiteral("rooms"));
    m_monthsGrid = new BoundGrid(months,
                                 {{kMonthName, QStringLiteral("Месяц"), false, 110},
                                  {kTempAB, QStringLiteral("T, град."), false}},
                                 this);
    m_monthsGrid->setObjectName(QStringLiteral("months"));
    makeChoiceColumn(m_monthsGrid, kMonthColumn, monthNames());
    for (BoundGrid* g : {m_roomsGrid, m_monthsGrid})
        g->setPrompter(&m_prompter);
    m_roomsNav = recordBar(m_roomsGrid, m_prompter, this);
    m_monthsNav = recordBar(m_monthsGrid, m_prompter, this);

    auto* grids = new QGridLayout;
    grids->setHorizontalSpacing(16);
    constexpr int titleGap = 12;
    const auto addGrid = [grids](int column, QLabel* title, Navigator* nav, BoundGrid* grid) {
        auto* top = new QHBoxLayout;
        top->setSpacing(titleGap);
        top->addWidget(title);
        top->addStretch(1);
        top->addWidget(nav);
        grids->addLayout(top, 0, column);
        grids->addWidget(grid, 1, column);
        // The grid is at least as wide as its heading with the record bar.
        return title->sizeHint().width() + titleGap + nav->sizeHint().width();
    };
    const int roomsTop =
        addGrid(0, heading(QStringLiteral("Помещения."), this), m_roomsNav, m_roomsGrid);
    const int monthsTop = addGrid(1, heading(QStringLiteral("Температура эксплуатации АБ."), this),
                                  m_monthsNav, m_monthsGrid);

    // Twelve months fit without scrolling; the rooms grid takes the same height.
    const int height = gridHeight(m_monthsGrid, kMonthsPerRoom);
    m_monthsGrid->setFixedSize(std::max(monthsTop, 240), height);
    m_roomsGrid->setFixedSize(std::max(roomsTop, 380), height);

    auto* note = new QLabel(
        QStringLiteral("Помещение размещения АБ - помещение, в котором размещается и "
                       "эксплуатируется АБ.\n"
                       "Месяц - наименование месяца года.\n"
                       "Т, град. - температура помещения (температура хранения и эксплуатации "
                       "АБ), град."),
        this);
    note->setObjectName(QStringLiteral("note"));
    note->setFrameShape(QFrame::StyledPanel);
    note->setMargin(6);
    note->setWordWrap(true);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);

    const DialogButtons buttons = makeDialogButtons(
        this, info, {.ok = QStringLiteral("OK"), .cancel = QStringLiteral("Закрыть")});
    m_ok = buttons.ok;
    m_close = buttons.cancel;
    // Enter in a grid cell must not close the window.
    for (QPushButton* b : {buttons.ok, buttons.cancel, buttons.help}) {
        b->setDefault(false);
        b->setAutoDefault(false);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grids);
    layout->addWidget(heading(QStringLiteral("Примечание."), this));
    layout->addWidget(note);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setChoosing(false);
}

void TsTempABF::setChoosing(bool choosing) {
    m_choosing = choosing;
    m_ok->setVisible(choosing);
    m_close->setText(choosing ? QStringLiteral("Отмена") : QStringLiteral("Закрыть"));
}

void TsTempABF::browse() {
    setChoosing(false);
    m_roomsGrid->setFocus();
    exec();
}

std::optional<RoomChoice> TsTempABF::choose(const QString& currentRoom) {
    setChoosing(true);
    if (!currentRoom.isEmpty())
        locateRoom(currentRoom);
    m_roomsGrid->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return selectedRoom();
}

bool TsTempABF::locateRoom(const QString& room) {
    try {
        return m_dm.tbl(QStringLiteral("sTempAB0")).locate(kPomName, room);
    } catch (const DbError& e) {
        m_prompter.error(e.message());
        return false;
    }
}

std::optional<RoomChoice> TsTempABF::selectedRoom() {
    View& rooms = m_dm.tbl(QStringLiteral("sTempAB0"));
    View& months = m_dm.tbl(QStringLiteral("sTempAB1"));
    if (rooms.isEmpty() || rooms.recNo() < 0)
        return std::nullopt;
    RoomChoice choice{rooms[kPomName].asString(),
                      std::vector<std::optional<double>>(kMonthsPerRoom)};
    const int monthField = months.field(kMonthName).index();
    const int tempField = months.field(kTempAB).index();
    for (int row = 0; row < months.recordCount(); ++row) {
        const int month = monthIndex(months.valueAt(row, monthField).toString());
        const QVariant temp = months.valueAt(row, tempField);
        if (month > 0 && !temp.isNull())
            choice.temperatures[month - 1] = temp.toDouble();
    }
    return choice;
}

bool TsTempABF::saveEdits() {
    if (!m_monthsGrid->commitEditor() || !m_roomsGrid->commitEditor())
        return false;
    // Details first: moving the rooms would drop a temperature row being edited.
    for (BoundGrid* grid : {m_monthsGrid, m_roomsGrid}) {
        View& v = grid->view();
        if (!v.isEditing())
            continue;
        try {
            if (!v.post()) {
                grid->setFocus();
                return false;
            }
        } catch (const DbError& e) {
            m_prompter.error(e.message());
            grid->setFocus();
            return false;
        }
    }
    return true;
}

bool TsTempABF::checkMonths() {
    if (!saveEdits())
        return false;
    View& rooms = m_dm.tbl(QStringLiteral("sTempAB0"));
    View& months = m_dm.tbl(QStringLiteral("sTempAB1"));
    const Bookmark mark = rooms.bookmark();
    try {
        for (int row = 0; row < rooms.recordCount(); ++row) {
            if (!rooms.moveTo(row))
                return false;
            if (months.recordCount() < kMonthsPerRoom) {
                m_prompter.error(
                    roomMonthsMessage(rooms[kPomName].asString(), months.recordCount()));
                m_roomsGrid->setFocus();
                return false;
            }
        }
        if (mark >= 0)
            rooms.gotoBookmark(mark);
    } catch (const DbError& e) {
        m_prompter.error(e.message());
        return false;
    }
    return true;
}

void TsTempABF::done(int r) {
    if (!checkMonths())
        return;
    if (r == QDialog::Accepted && m_choosing && !selectedRoom()) {
        m_prompter.error(
            QStringLiteral("Справочник не содержит ни одного помещения размещения АБ."));
        return;
    }
    QDialog::done(r);
}

} // namespace ses
