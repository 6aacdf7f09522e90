#include "widgets/navigator.h"

#include "data/store.h"
#include "data/view.h"
#include "widgets/bound_grid.h"
#include "widgets/message_prompter.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace ses {

Navigator::Navigator(View& view, QWidget* parent) : Navigator(view, nullptr, parent) {}

Navigator::Navigator(View& view, BoundGrid* grid, QWidget* parent)
    : QWidget(parent), m_view(view), m_grid(grid) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    addButton(First, QStringLiteral("|◀"), QStringLiteral("Первая запись"));
    addButton(Prior, QStringLiteral("◀"), QStringLiteral("Предыдущая запись"));
    addButton(Next, QStringLiteral("▶"), QStringLiteral("Следующая запись"));
    addButton(Last, QStringLiteral("▶|"), QStringLiteral("Последняя запись"));
    addButton(Insert, QStringLiteral("+"), QStringLiteral("Вставить запись"));
    addButton(Delete, QStringLiteral("−"), QStringLiteral("Удалить запись"));
    addButton(Edit, QStringLiteral("▲"), QStringLiteral("Редактировать запись"));
    addButton(Post, QStringLiteral("✓"), QStringLiteral("Сохранить изменения"));
    addButton(Cancel, QStringLiteral("✗"), QStringLiteral("Отменить изменения"));
    addButton(Refresh, QStringLiteral("↻"), QStringLiteral("Обновить данные"));
    layout->addStretch();
    m_listener = m_view.addListener([this](View&, View::Change) { updateButtons(); });
    updateButtons();
}

Navigator::~Navigator() {
    m_view.removeListener(m_listener);
}

void Navigator::addButton(Button which, const QString& text, const QString& hint) {
    auto* b = new QToolButton(this);
    b->setText(text);
    b->setToolTip(hint);
    b->setAutoRaise(false);
    b->setMinimumWidth(26);
    // The focus stays in the grid or field the user works in.
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this, [this, which] { run(which); });
    layout()->addWidget(b);
    m_buttons[which] = b;
}

QToolButton* Navigator::button(Button which) const {
    const auto it = m_buttons.find(which);
    return it == m_buttons.end() ? nullptr : it->second;
}

void Navigator::setVisibleButtons(Buttons buttons) {
    m_visible = buttons;
    for (const auto& [which, b] : m_buttons)
        b->setVisible(buttons.testFlag(which));
}

Prompter& Navigator::prompter() {
    if (m_prompter)
        return *m_prompter;
    if (!m_ownPrompter)
        m_ownPrompter = std::make_unique<MessageBoxPrompter>(this);
    return *m_ownPrompter;
}

void Navigator::updateButtons() {
    const bool active = m_view.state() != ViewState::Inactive;
    const bool editing = m_view.isEditing();
    const bool inserting = m_view.state() == ViewState::Insert;
    const int count = m_view.recordCount();
    const int row = m_view.recNo();
    // A row being inserted stands after the last one (the grid shows it there).
    const bool canGoUp = active && count > 0 && (inserting || row > 0);
    const bool canGoDown = active && !inserting && count > 0 && row < count - 1;
    const std::pair<Button, bool> states[] = {
        {First, canGoUp},           {Prior, canGoUp},
        {Next, canGoDown},          {Last, canGoDown},
        {Insert, active},           {Delete, active && (count > 0 || inserting)},
        {Edit, active && !editing}, {Post, editing},
        {Cancel, editing},          {Refresh, active && !editing},
    };
    for (const auto& [which, enabled] : states)
        m_buttons[which]->setEnabled(enabled);
}

void Navigator::click(Button which) {
    if (QToolButton* b = button(which); b && b->isEnabled())
        run(which);
}

void Navigator::run(Button which) {
    try {
        if (m_grid) {
            if (which == Cancel || which == Delete)
                m_grid->discardEditor();
            else if (!m_grid->commitEditor()) {
                emit clicked(which);
                return;
            }
        }
        switch (which) {
        case First:
            m_view.first();
            break;
        case Prior:
            m_view.prior();
            break;
        case Next:
            m_view.next();
            break;
        case Last:
            m_view.last();
            break;
        case Insert:
            m_view.append();
            break;
        case Delete:
            if (!m_confirmDelete || prompter().question(QStringLiteral("Удалить запись?")))
                m_view.remove();
            break;
        case Edit:
            m_view.edit();
            break;
        case Post:
            m_view.post();
            break;
        case Cancel:
            m_view.cancel();
            break;
        case Refresh:
            m_view.refresh();
            break;
        case AllButtons:
            break;
        }
    } catch (const DbError& e) {
        prompter().error(e.message());
    }
    updateButtons();
    if (m_grid)
        m_grid->setFocus(Qt::OtherFocusReason);
    emit clicked(which);
}

} // namespace ses
