#pragma once
// A row of buttons working a view: move to the first, prior, next and last row, insert, delete
// (after asking), edit, save, cancel and reread. Each button is enabled only where its
// action can do something in the view's present state; the buttons follow every change of
// the view. With a grid attached, an open cell editor is saved before the action (or dropped
// by cancel) and the grid gets the focus afterwards.

#include <QFlags>
#include <QWidget>

#include <map>
#include <memory>

class QToolButton;

namespace ses {

class BoundGrid;
class MessageBoxPrompter;
class Prompter;
class View;

class Navigator : public QWidget {
    Q_OBJECT
public:
    enum Button {
        First = 0x001,
        Prior = 0x002,
        Next = 0x004,
        Last = 0x008,
        Insert = 0x010,
        Delete = 0x020,
        Edit = 0x040,
        Post = 0x080,
        Cancel = 0x100,
        Refresh = 0x200,
        AllButtons = 0x3ff,
    };
    Q_DECLARE_FLAGS(Buttons, Button)

    explicit Navigator(View& view, QWidget* parent = nullptr);
    Navigator(View& view, BoundGrid* grid, QWidget* parent = nullptr);
    ~Navigator() override;

    View& view() const { return m_view; }
    void setGrid(BoundGrid* grid) { m_grid = grid; }

    void setVisibleButtons(Buttons buttons);
    Buttons visibleButtons() const { return m_visible; }
    QToolButton* button(Button which) const;

    // "Удалить запись?" before deleting; on by default.
    void setConfirmDelete(bool on) { m_confirmDelete = on; }
    // The delete question and the messages of refused actions (not owned; null: message boxes).
    void setPrompter(Prompter* prompter) { m_prompter = prompter; }
    Prompter& prompter();

    // The same as a click on the button (when it is enabled).
    void click(Button which);
    void updateButtons();

signals:
    // After the action of a button has run (whether or not the view accepted it).
    void clicked(ses::Navigator::Button which);

private:
    void addButton(Button which, const QString& text, const QString& hint);
    void run(Button which);

    View& m_view;
    BoundGrid* m_grid = nullptr;
    std::map<Button, QToolButton*> m_buttons;
    Buttons m_visible = AllButtons;
    bool m_confirmDelete = true;
    int m_listener = 0;
    Prompter* m_prompter = nullptr;
    std::unique_ptr<MessageBoxPrompter> m_ownPrompter;
};

} // namespace ses

Q_DECLARE_OPERATORS_FOR_FLAGS(ses::Navigator::Buttons)
