#pragma once
// "Справочник температур эксплуатации АБ.": the battery rooms (sTempAB0) and each room's
// monthly temperatures (sTempAB1), on the catalog form. Browsed from the catalog menu, or opened
// by the variant dialog to choose a room. Whichever way it closes, every room must have its
// twelve months first.

#include "refbooks/catalog_form.h"

#include <QString>

#include <optional>
#include <vector>

namespace ses {

struct RoomChoice {
    QString room;                                    // PomName
    std::vector<std::optional<double>> temperatures; // TempAB, 12, calendar order
};

// The refusal of a room that has only `count` month rows.
QString roomMonthsMessage(const QString& room, int count);

class TsTempABF : public TCatalogForm {
public:
    TsTempABF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Modal, with "Закрыть" only.
    void browse() {
        setChoosing(false);
        TCatalogForm::browse();
    }
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

    BoundGrid* roomsGrid() const { return grid(0); }
    BoundGrid* monthsGrid() const { return grid(1); }
    Navigator* roomsNavigator() const { return navigator(0); }
    Navigator* monthsNavigator() const { return navigator(1); }

    void done(int r) override; // refuses to close while a room lacks months

protected:
    bool closeCheck() override;

private:
    bool m_choosing = false;
};

} // namespace ses
