#include "widgets/drawing_pane.h"

#include "lib/entry.h"
#include "lib/prompter.h"
#include "widgets/number_field.h"
#include "widgets/step_buttons.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace ses {

namespace {

// Pixels of the longer side of the largest picture drawn; a large site at a large scale would
// take more memory than a picture is worth.
constexpr int kLargestSide = 8000;

} // namespace

// The default rule: a fitted drawing keeps to 10 pixels per metre at least, however small the
// pane, so that panels of about a metre are still told apart, and a larger drawing scrolls.
DrawingPane::DrawingPane(Prompter& prompter, int initialScale, QWidget* parent)
    : DrawingPane(prompter, initialScale, ScaleRule{}, parent) {}

DrawingPane::DrawingPane(Prompter& prompter, int initialScale, const ScaleRule& rule,
                         QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_rule(rule), m_scale(initialScale) {
    auto* layout = new QVBoxLayout(this);
    m_controls = new QHBoxLayout;
    m_controls->addWidget(new QLabel(m_rule.caption, this));
    m_field = new NumberField(NumberField::Kind::Integer, this);
    m_field->setPrompter(&m_prompter);
    m_field->setValue(m_scale);
    m_field->setMaximumWidth(60);
    m_field->setToolTip(QStringLiteral("Масштаб рисунка, %1: от %2 до %3")
                            .arg(m_rule.unit)
                            .arg(m_rule.lowest)
                            .arg(m_rule.highest));
    m_controls->addWidget(m_field);
    m_steps = new StepButtons(m_field, m_rule.step, this);
    m_steps->setUpRule(StepButtons::Mode::UpperBound, m_rule.highest);
    m_steps->setDownRule(StepButtons::Mode::LowerBound, m_rule.lowest, QStringLiteral("0"));
    m_controls->addWidget(m_steps);
    m_fit = new QCheckBox(QStringLiteral("По размеру окна"), this);
    m_fit->setToolTip(
        QStringLiteral("Масштаб подбирается так, чтобы рисунок целиком помещался в окне"));
    m_fit->setChecked(m_rule.fitted);
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
    m_view->installEventFilter(this);
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
    // A label keeps its picture when given the text it already holds (an empty one over a
    // picture): clear it first.
    m_view->clear();
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

void DrawingPane::setPointerHook(std::function<void(QPointF)> hook) {
    m_pointer = std::move(hook);
    m_view->setMouseTracking(bool(m_pointer));
}

std::optional<QPointF> DrawingPane::picturePoint(const QPoint& viewPoint) const {
    const QPixmap shown = m_view->pixmap();
    if (shown.isNull())
        return std::nullopt;
    const int m = m_view->margin();
    const QRect room = m_view->contentsRect().adjusted(m, m, -m, -m);
    const QRect placed = QStyle::alignedRect(m_view->layoutDirection(), m_view->alignment(),
                                             shown.deviceIndependentSize().toSize(), room);
    return QPointF(viewPoint - placed.topLeft());
}

bool DrawingPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view && event->type() == QEvent::MouseMove && m_pointer) {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (const auto at = picturePoint(move->position().toPoint()))
            m_pointer(*at);
    }
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
                              m_rule.lowestFitted, m_rule.highest));
    }
    const Drawing drawing = m_layout(m_scale);
    if (std::max(drawing.size.width(), drawing.size.height()) > kLargestSide ||
        !fitsPainter(drawing.size)) {
        // The largest scale whose picture is drawn, when the least one is.
        const auto sizeAt = [this](int scale) { return m_layout(scale).size; };
        const QSize safe(kLargestSide, kLargestSide);
        const int largest =
            fittingScale(sizeAt, safe, m_rule.lowest, std::max(m_rule.lowest, m_scale - 1));
        const QSize least = sizeAt(largest);
        const bool anyFits =
            least.width() <= kLargestSide && least.height() <= kLargestSide && fitsPainter(least);
        m_view->setText(
            QStringLiteral("Рисунок в масштабе %1 %4 слишком велик (%2 x %3 пикселей). ")
                .arg(m_scale)
                .arg(drawing.size.width())
                .arg(drawing.size.height())
                .arg(m_rule.unit) +
            (anyFits ? QStringLiteral("Наибольший масштаб, при котором рисунок строится: %1 %2. ")
                           .arg(largest)
                           .arg(m_rule.unit)
                     : QString()) +
            QStringLiteral("Уменьшите масштаб или отметьте «По размеру окна»."));
        return;
    }
    m_view->setPixmap(QPixmap::fromImage(ses::render(drawing)));
}

void DrawingPane::scaleEntered() {
    const QString text = m_field->text();
    std::optional<QString> error = checkNonZeroWhole(text, m_rule.quantity);
    const std::optional<int> value = parseInteger(text);
    if (!error && value && (*value < m_rule.lowest || *value > m_rule.highest))
        // A unit ending in an abbreviation's point ends the sentence too.
        error = QStringLiteral("Значение %1 должно быть от %2 до %3 %4")
                    .arg(m_rule.quantity)
                    .arg(m_rule.lowest)
                    .arg(m_rule.highest)
                    .arg(m_rule.unit.endsWith(u'.') ? m_rule.unit : m_rule.unit + u'.');
    if (error) {
        m_prompter.error(*error);
        m_field->setValue(m_scale);
        if (m_refused)
            m_refused();
        return;
    }
    if (*value == m_scale)
        return;
    m_fit->setChecked(false);
    m_scale = *value;
    redraw();
}

} // namespace ses
