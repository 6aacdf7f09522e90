#include "widgets/record_bar.h"

#include "widgets/bound_grid.h"

#include <QToolButton>

namespace ses {

Navigator* recordBar(BoundGrid* grid, Prompter& prompter, QWidget* parent,
                     Navigator::Buttons buttons) {
    auto* nav = new Navigator(grid->view(), grid, parent);
    nav->setVisibleButtons(buttons);
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

} // namespace ses
