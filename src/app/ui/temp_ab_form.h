#pragma once
// "Справочник температур эксплуатации АБ.": the battery rooms (sTempAB0) and each room's
// monthly temperatures (sTempAB1), edited in place. Browsed from the catalog menu, or opened by
// the variant dialog to choose a room. Whichever way it closes, every room must have its twelve
// months first.

#include <QDialog>
#include <QString>

#include <optional>
#include <vector>

class QPushButton;

namespace ses {

class BoundGrid;
class Navigator;
class Prompter;
class TDataModule1;

struct RoomChoice {
    QString room;                                    // PomName
    std::vector<std::optional<double>> temperatures; // TempAB, 12, calendar order
};

// The refusal of a room that has only `count` month rows.
QString roomMonthsMessage(const QString& room, int count);

class TsTempABF : public QDialog {
public:
    TsTempABF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Modal, with "Закрыть" only.
    void browse();
    // Modal, with "OK" and "Отмена", on the named room when it exists. The room chosen with
    // "OK"; nullopt when cancelled.
    std::optional<RoomChoice> choose(const QString& currentRoom);

    // Browsing ("Закрыть") or choosing ("OK", "Отмена") layout.
    void setChoosing(bool choosing);
    bool isChoosing() const { return m_choosing; }
    // Moves the rooms to the named room; false (staying put) when there is none.
    bool locateRoom(const QString& room);
    // The current room with its temperatures; nullopt when there are no rooms.
    std::optional<RoomChoice> selectedRoom();

    // Saves the rows being edited, then walks the rooms: the first with fewer than twelve months
    // is reported and stays current. True when every room is complete (the rooms then stand
    // where they stood).
    bool checkMonths();

    BoundGrid* roomsGrid() const { return m_roomsGrid; }
    BoundGrid* monthsGrid() const { return m_monthsGrid; }
    Navigator* roomsNavigator() const { return m_roomsNav; }
    Navigator* monthsNavigator() const { return m_monthsNav; }

    void done(int r) override; // refuses to close while a room lacks months

private:
    bool saveEdits();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    bool m_choosing = false;
    BoundGrid* m_roomsGrid;
    BoundGrid* m_monthsGrid;
    Navigator* m_roomsNav;
    Navigator* m_monthsNav;
    QPushButton* m_ok;
    QPushButton* m_close;
};

} // namespace ses
