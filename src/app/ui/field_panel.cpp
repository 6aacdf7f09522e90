#include "app/ui/field_panel.h"

#include "widgets/look.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

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
    // The texts (maker, type, name, way of laying) come first, side by side across the whole
    // width, each box sharing what is left; the figures follow in a grid of compact,
    // right-aligned boxes, column by column. A name in a narrow column of figures would be cut.
    std::vector<int> texts, figures;
    for (int i = 0; i < int(m_fields.size()); ++i) {
        const ColType type = m_view[m_fields[i].field].def().type;
        (type == ColType::Text || type == ColType::Memo ? texts : figures).push_back(i);
    }
    m_boxes.resize(m_fields.size());
    const auto caption = [&](int i, QLineEdit* box) {
        auto* label = new QLabel(twoLinesIfLong(m_fields[i].caption), this);
        box->setObjectName(m_fields[i].field);
        label->setBuddy(box);
        m_boxes[size_t(i)] = box;
        return label;
    };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    if (!texts.empty()) {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(4);
        const int across = std::min<int>(columns, int(texts.size()));
        for (int k = 0; k < int(texts.size()); ++k) {
            const int i = texts[size_t(k)], row = k / across, col = (k % across) * 3;
            auto* box = new QLineEdit(this);
            box->setReadOnly(true);
            box->setFocusPolicy(Qt::ClickFocus);
            box->setMinimumWidth(numberFieldWidth(box));
            grid->addWidget(caption(i, box), row, col, Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(box, row, col + 1);
            m_textColumns.push_back({i, col + 1});
            if (col > 0)
                grid->setColumnMinimumWidth(col - 1, 16);
        }
        layout->addLayout(grid);
        m_textGrid = grid;
    }

    if (!figures.empty()) {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(4);
        const int rows = (int(figures.size()) + columns - 1) / columns;
        for (int k = 0; k < int(figures.size()); ++k) {
            const int i = figures[size_t(k)], col = (k / rows) * 3, row = k % rows;
            QLineEdit* box = valueField(this);
            grid->addWidget(caption(i, box), row, col, Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(box, row, col + 1, Qt::AlignLeft);
            if (col > 0)
                grid->setColumnMinimumWidth(col - 1, 16);
        }
        // The width beyond the figures is shared by the gaps between their columns.
        for (int c = 0; c + 1 < columns; ++c)
            grid->setColumnStretch(c * 3 + 2, 1);
        if (columns == 1)
            grid->setColumnStretch(2, 1);
        layout->addLayout(grid);
    }
    layout->addStretch(1);
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
    // The text boxes share the width as their texts need it: a long maker's name takes more
    // than a short type. (Counting the widest text of a column when they stand in rows.)
    if (m_textGrid) {
        std::map<int, int> need;
        for (const auto& [i, col] : m_textColumns) {
            const QLineEdit* box = m_boxes[size_t(i)];
            need[col] =
                std::max({need[col], 60, box->fontMetrics().horizontalAdvance(box->text()) + 12});
        }
        for (const auto& [col, width] : need)
            m_textGrid->setColumnStretch(col, width);
    }
}

} // namespace ses
