#pragma once
// A read-only panel of a view's current-row fields: a caption and a value box per field, the
// texts side by side across the width, the figures in a grid of columns, following the view as
// it moves or changes.

#include "data/view.h"

#include <QLineEdit>
#include <QWidget>
#include <utility>
#include <vector>

class QGridLayout;

namespace ses {

struct PanelField {
    QString field;
    QString caption;
};

class FieldPanel : public QWidget {
public:
    FieldPanel(View& view, std::vector<PanelField> fields, int columns, QWidget* parent = nullptr);
    ~FieldPanel() override;
    void reload();

private:
    View& m_view;
    std::vector<PanelField> m_fields;
    std::vector<QLineEdit*> m_boxes;                // in the order of the fields
    QGridLayout* m_textGrid = nullptr;              // the row(s) of texts, when there are any
    std::vector<std::pair<int, int>> m_textColumns; // field, grid column of its box
    int m_listener = 0;
};

} // namespace ses
