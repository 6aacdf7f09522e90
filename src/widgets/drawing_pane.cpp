#include "widgets/drawing_pane.h"

#include "lib/entry.h"
#include "lib/prompter.h"
#include "widgets/number_field.h"
#include "widgets/step_buttons.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace ses {

namespace {

// The scale a fitted drawing keeps to at least, however small the pane: panels of about a metre
// are still told apart at it, and a larger drawing scrolls.
constexpr int kLowestFittedScale = 10;
// Pixels of the longer side of the largest picture drawn; a large site at a large scale would
// take more memory than a picture is worth.
constexpr int kLargestSide = 8000;

} // namespace

DrawingPane::DrawingPane(Prompter& prompter, int initialScale, QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_scale(initialScale) {
    auto* layout = new QVBoxLayout(this);
    m_controls = new QHBoxLayout;
    m_controls->addWidget(new QLabel(QStringLiteral("Масштаб, пиксель/м:"), this));
    m_field = new NumberField(NumberField::Kind::Integer, this);
    m_field->setPrompter(&m_prompter);
    m_field->setValue(m_scale);
    m_field->setMaximumWidth(60);
    m_field->setToolTip(QStringLiteral("Масштаб рисунка, пиксель/м: от %1 до %2")
                            .arg(kLowestScale)
                            .arg(kHighestScale));
    m_controls->addWidget(m_field);
    m_steps = new StepButtons(m_field, kScaleStep, this);
    m_steps->setUpRule(StepButtons::Mode::UpperBound, kHighestScale);
    m_steps->setDownRule(StepButtons::Mode::LowerBound, kLowestScale, QStringLiteral("0"));
    m_controls->addWidget(m_steps);
    m_fit = new QCheckBox(QStringLiteral("По размеру окна"), this);
    m_fit->setToolTip(
        QStringLiteral("Масштаб подбирается так, чтобы рисунок целиком помещался в окне"));
    m_fit->setChecked(true);
    m_controls->addSpacing(6);
    m_controls->addWidget(m_fit);
    m_controls->addSpacing(12);
    layout->addLayout(m_controls);

    m_area = new QScrollArea(this);
    m_view = new QLabel(m_area);
    m_view->setAlignment(Qt::AlignCenter);
    m_view->setWordWrap(true);
    m_view->setMargin(8);
    m_area->setWidget(m_view);
    m_area->setWidgetResizable(true);
    m_area->installEventFilter(this);
    layout->addWidget(m_area, 1);

    connect(m_field, &QLineEdit::editingFinished, this, [this] { scaleEntered(); });
    connect(m_steps, &StepButtons::stepped, this, [this] { scaleEntered(); });
    connect(m_fit, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            redraw();
    });
}

void DrawingPane::setDrawing(Layout layout) {
    m_layout = std::move(layout);
    redraw();
}

void DrawingPane::showMessage(const QString& text) {
    m_layout = nullptr;
    m_view->setText(text);
}

bool DrawingPane::fitsPane() const {
    return m_fit->isChecked();
}

QPixmap DrawingPane::picture() const {
    return m_view->pixmap();
}

QString DrawingPane::message() const {
    return m_view->text();
}

QSize DrawingPane::room() const {
    const int margin = 2 * m_view->margin();
    return m_area->maximumViewportSize().shrunkBy(QMargins(margin, margin, 0, 0));
}

bool DrawingPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_area && event->type() == QEvent::Resize && m_fit->isChecked() && m_layout)
        redraw();
    return QWidget::eventFilter(watched, event);
}

void DrawingPane::setScale(int scale) {
    m_scale = scale;
    m_field->setValue(scale);
}

void DrawingPane::redraw() {
    if (!m_layout)
        return;
    if (m_fit->isChecked()) {
        setScale(fittingScale([this](int scale) { return m_layout(scale).size; }, room(),
                              kLowestFittedScale, kHighestScale));
    }
    const Drawing drawing = m_layout(m_scale);
    if (std::max(drawing.size.width(), drawing.size.height()) > kLargestSide) {
        m_view->setText(QStringLiteral("Рисунок в масштабе %1 пиксель/м слишком велик (%2 x %3 "
                                       "пикселей). Уменьшите масштаб или отметьте «По размеру "
                                       "окна».")
                            .arg(m_scale)
                            .arg(drawing.size.width())
                            .arg(drawing.size.height()));
        return;
    }
    m_view->setPixmap(QPixmap::fromImage(ses::render(drawing)));
}

void DrawingPane::scaleEntered() {
    const QString text = m_field->text();
    const QString quantity = QStringLiteral("масштаба рисунка");
    std::optional<QString> error = checkNonZeroWhole(text, quantity);
    const std::optional<int> value = parseInteger(text);
    if (!error && value && (*value < kLowestScale || *value > kHighestScale))
        error = QStringLiteral("Значение масштаба рисунка должно быть от %1 до %2 пиксель/м.")
                    .arg(kLowestScale)
                    .arg(kHighestScale);
    if (error) {
        m_prompter.error(*error);
        m_field->setValue(m_scale);
        return;
    }
    if (*value == m_scale)
        return;
    m_fit->setChecked(false);
    m_scale = *value;
    redraw();
}

} // namespace ses
