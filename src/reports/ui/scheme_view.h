#pragma once
// The structural scheme as the windows show it: a picture in a scrolling area, cleared (50 x 50
// pixels of the window colour) where there is nothing to draw; the scale fields every host shows
// with their check; and the drawing of one variant by its key, which moves no view.

#include "reports/structural_scheme.h"

#include <QImage>
#include <QScrollArea>

#include <optional>

class QGridLayout;
class QLabel;

namespace ses {

class NumberField;
class Prompter;
class StepButtons;
class TDataModule1;

class SchemeView : public QScrollArea {
public:
    explicit SchemeView(QWidget* parent = nullptr);

    void clear();
    bool isCleared() const { return m_cleared; }
    // The picture shown: the drawn scheme, or the cleared picture.
    const QImage& image() const { return m_image; }

    // Lays out and paints the variant with key kod under the wait cursor. A picture too large to
    // paint is refused with a message naming the scale to lower, and the picture shown stays;
    // false then, and when there is no such variant (the view is cleared).
    bool draw(TDataModule1& dm, Prompter& prompter, qint64 kod, const SchemeOptions& options);

private:
    void show(const QImage& image, bool cleared);

    QLabel* m_label;
    QImage m_image;
    bool m_cleared = true;
};

// A scale field of a scheme host: whole numbers, with step buttons of 1 that go no lower than 10.
struct SchemeScaleField {
    NumberField* field = nullptr;
    StepButtons* steps = nullptr;
};
// Adds "caption", the field and its buttons to row of grid.
SchemeScaleField addSchemeScale(QGridLayout* grid, int row, const QString& caption, int initial,
                                Prompter& prompter, QWidget* parent);

// The scales as "Обновить" checks them: each a whole number other than 0 (the messages name
// "масштаба отображения солнечных панелей" and "масштаба отображения АБ"); the first field that
// fails gets the focus and nullopt is returned.
std::optional<SchemeOptions> checkedSchemeScales(Prompter& prompter, NumberField* panels,
                                                 NumberField* battery, bool currents);

} // namespace ses
