#include "app/ui/field_panel.h"

#include "widgets/look.h"

#include <QGridLayout>
#include <QLabel>

namespace ses {

namespace {

// A long caption on two lines, broken at the space nearest its middle, so that one caption does
// not widen its whole column of the panel.
QString twoLinesIfLong(const QString& caption) {
    constexpr int kLongCaption = 36;
    if (caption.size() <= kLongCaption)
        return caption;
    const int middle = int(caption.size()) / 2;
    int best = -1;
    for (int i = 0; i < caption.size(); ++i)
        if (caption[i] == u' ' && (best < 0 || std::abs(i - middle) < std::abs(best - middle)))
            best = i;
    if (best < 0)
        return caption;
    QString out = caption;
    out[best] = u'\n';
    return out;
}

} // namespace

FieldPanel::FieldPanel(View& view, std::vector<PanelField> fields, int columns, QWidget* parent)
    : QWidget(parent), m_view(view), m_fields(std::move(fields)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    const int rows = (int(m_fields.size()) + columns - 1) / columns;
    std::vector<bool> hasText(columns, false);
    for (int i = 0; i < int(m_fields.size()); ++i) {
        const int column = i / rows, col = column * 3, row = i % rows;
        auto* label = new QLabel(twoLinesIfLong(m_fields[i].caption), this);
        // A figure is compact and right-aligned; a text (maker, type, name, way of laying) takes
        // what is left of its column.
        const ColType type = m_view[m_fields[i].field].def().type;
        const bool text = type == ColType::Text || type == ColType::Memo;
        QLineEdit* box = nullptr;
        if (text) {
            box = new QLineEdit(this);
            box->setReadOnly(true);
            box->setFocusPolicy(Qt::ClickFocus);
            box->setMinimumWidth(numberFieldWidth(box));
            hasText[column] = true;
        } else {
            box = valueField(this);
        }
        box->setObjectName(m_fields[i].field);
        label->setBuddy(box);
        grid->addWidget(label, row, col, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(box, row, col + 1, text ? Qt::Alignment() : Qt::AlignLeft);
        if (col > 0)
            grid->setColumnMinimumWidth(col - 1, 16);
        m_boxes.push_back(box);
    }
    // The columns holding texts share the width left; without any, it goes after the last.
    bool anyText = false;
    for (int c = 0; c < columns; ++c) {
        grid->setColumnStretch(c * 3 + 1, hasText[c] ? 1 : 0);
        anyText = anyText || hasText[c];
    }
    if (!anyText)
        grid->setColumnStretch(columns * 3, 1);
    grid->setRowStretch(rows, 1);
    m_listener = m_view.addListener([this](View&, View::Change) { reload(); });
    reload();
}

FieldPanel::~FieldPanel() {
    m_view.removeListener(m_listener);
}

void FieldPanel::reload() {
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const QString text = m_view.isEmpty() && !m_view.isEditing()
                                 ? QString()
                                 : m_view[m_fields[i].field].asString();
        m_boxes[i]->setText(text);
        m_boxes[i]->setToolTip(text);
        m_boxes[i]->setCursorPosition(0);
    }
}

} // namespace ses
