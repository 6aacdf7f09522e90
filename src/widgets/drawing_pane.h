#pragma once
// A drawing laid out at a scale in pixels per metre, shown in a scrolling pane under a row with
// "Масштаб, пиксель/м:", its step buttons and "По размеру окна". While that box is checked, as it
// is when the pane opens, the scale is the largest at which the whole drawing fits the visible
// pane, found again whenever the pane is resized, and the field shows it. A scale typed or stepped
// in the field unchecks the box and holds until the box is checked again. Where there is nothing
// to draw the pane says why in place of the drawing. A drawing measured otherwise (the interval
// picture in pixels per 5 minutes) brings its own ScaleRule.

#include "reports/drawing.h"

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QScrollArea;

namespace ses {

class NumberField;
class Prompter;
class StepButtons;

class DrawingPane : public QWidget {
public:
    // The drawing at a scale in pixels per metre.
    using Layout = std::function<Drawing(int scale)>;

    // Scales a user may set, in pixels per metre; a fitted scale stays within them too.
    static constexpr int kLowestScale = 1;
    static constexpr int kHighestScale = 300;
    static constexpr int kScaleStep = 5;

    // How the scale is named, bounded and stepped.
    struct ScaleRule {
        QString caption = QStringLiteral("Масштаб, пиксель/м:");
        QString quantity = QStringLiteral("масштаба рисунка"); // in the refusals
        QString unit = QStringLiteral("пиксель/м");
        int lowest = kLowestScale;
        int highest = kHighestScale;
        int step = kScaleStep;
        // The least scale fitting may choose; a larger drawing scrolls.
        int lowestFitted = 10;
        bool fitted = true; // "По размеру окна" ticked when the pane opens
    };

    // prompter (not owned) tells of a scale out of range.
    DrawingPane(Prompter& prompter, int initialScale, QWidget* parent = nullptr);
    DrawingPane(Prompter& prompter, int initialScale, const ScaleRule& rule,
                QWidget* parent = nullptr);

    // The row of the scale controls; a drawing's own controls go after them.
    QHBoxLayout* controls() const { return m_controls; }

    // Shows the drawing at the pane's scale, fitted or set, and again at each change of it.
    void setDrawing(Layout layout);
    // No drawing: the text in its place.
    void showMessage(const QString& text);

    int scale() const { return m_scale; }
    bool fitsPane() const;
    bool hasDrawing() const { return bool(m_layout); }
    // The picture shown; null while a message is, as when the drawing at a scale set by hand
    // would be too large to draw.
    QPixmap picture() const;
    QString message() const;
    // The room a fitted drawing must keep within: the visible pane without scroll bars.
    QSize room() const;

    NumberField* scaleField() const { return m_field; }
    StepButtons* scaleSteps() const { return m_steps; }
    QCheckBox* fitBox() const { return m_fit; }

    // Called with the point of the picture (its own pixels) under the mouse as it moves.
    void setPointerHook(std::function<void(QPointF)> hook);
    // Called when a typed scale is refused.
    void setRefusalHook(std::function<void()> hook) { m_refused = std::move(hook); }
    // The point of the picture under a point of the pane's view; nullopt without a picture.
    std::optional<QPointF> picturePoint(const QPoint& viewPoint) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void redraw();
    void scaleEntered();
    void setScale(int scale);

    Prompter& m_prompter;
    ScaleRule m_rule;
    Layout m_layout;
    std::function<void(QPointF)> m_pointer;
    std::function<void()> m_refused;
    int m_scale;
    QHBoxLayout* m_controls;
    NumberField* m_field;
    StepButtons* m_steps;
    QCheckBox* m_fit;
    QScrollArea* m_area;
    QLabel* m_view;
};

} // namespace ses
