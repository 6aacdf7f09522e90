#include "refbooks/temp_ab_form.h"

#include "data/data_module.h"
#include "lib/months.h"
#include "widgets/bound_grid.h"

#include <QPushButton>

namespace ses {

namespace {

const QString kPomName = QStringLiteral("PomName");
const QString kMonthName = QStringLiteral("MonthName");
const QString kTempAB = QStringLiteral("TempAB");
constexpr int kMonthsPerRoom = 12;

} // namespace

QString roomMonthsMessage(const QString& room, int count) {
    return QStringLiteral("Таблица \"Температура эксплуатации АБ\" должна содержать по 12 записей "
                          "для каждого помещения размещения АБ - по 1 записи для каждого месяца "
                          "года. Для помещения \"") +
           room + QStringLiteral("\" таких записей только ") + QString::number(count) +
           QStringLiteral(". ") + QStringLiteral("Введите записи для недостающих месяцев.");
}

TsTempABF::TsTempABF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : TCatalogForm(dm, prompter, QStringLiteral("TsTempABF"), parent) {}

void TsTempABF::setChoosing(bool choosing) {
    m_choosing = choosing;
    setChoosingLayout(choosing);
}

std::optional<RoomChoice> TsTempABF::choose(const QString& currentRoom) {
    setChoosing(true);
    if (!currentRoom.isEmpty())
        locateRoom(currentRoom);
    roomsGrid()->setFocus();
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
                roomsGrid()->setFocus();
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

bool TsTempABF::closeCheck() {
    return checkMonths();
}

void TsTempABF::done(int r) {
    if (r == QDialog::Accepted && m_choosing && !selectedRoom()) {
        m_prompter.error(
            QStringLiteral("Справочник не содержит ни одного помещения размещения АБ."));
        return;
    }
    TCatalogForm::done(r);
}

} // namespace ses
