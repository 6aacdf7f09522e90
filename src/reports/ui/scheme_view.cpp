#include "reports/ui/scheme_view.h"

#include "lib/entry.h"
#include "lib/prompter.h"
#include "reports/scheme_store.h"
#include "widgets/number_field.h"
#include "widgets/step_buttons.h"
#include "widgets/wait_cursor.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

#include <memory>

namespace ses {

SchemeView::SchemeView(QWidget* parent) : QScrollArea(parent) {
    m_label = new QLabel(this);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWidget(m_label);
    setWidgetResizable(true);
    setBackgroundRole(QPalette::Window);
    clear();
}

void SchemeView::show(const QImage& image, bool cleared) {
    m_image = image;
    m_cleared = cleared;
    m_label->setPixmap(QPixmap::fromImage(m_image));
}

void SchemeView::clear() {
    QImage cleared(50, 50, QImage::Format_RGB32);
    cleared.fill(palette().color(QPalette::Window));
    show(cleared, true);
}

bool SchemeView::draw(TDataModule1& dm, Prompter& prompter, qint64 kod,
                      const SchemeOptions& options) {
    std::optional<QString> refusal;
    {
        WaitCursor wait;
        const std::optional<SchemeVariant> variant = schemeVariant(dm, kod);
        if (!variant) {
            clear();
            return false;
        }
        SchemeOptions o = options;
        o.window = palette().color(QPalette::Base);
        const TextMeasure measure = fontTextMeasure();
        const SchemeLayout layout = structuralScheme(*variant, o, measure);
        if (fitsPainter(layout.drawing.size))
            show(ses::render(layout.drawing), false);
        else
            refusal = schemeSizeRefusal(*variant, o, measure);
    }
    if (refusal) {
        prompter.error(*refusal);
        return false;
    }
    return true;
}

SchemeScaleField addSchemeScale(QGridLayout* grid, int row, const QString& caption, int initial,
                                Prompter& prompter, QWidget* parent) {
    SchemeScaleField s;
    s.field = new NumberField(NumberField::Kind::Integer, parent);
    s.field->setPrompter(&prompter);
    s.field->setValue(initial);
    s.field->setMaximumWidth(70);
    s.steps = new StepButtons(s.field, 1, parent);
    s.steps->setDownRule(StepButtons::Mode::LowerBound, 10, QStringLiteral("0"));
    grid->addWidget(new QLabel(caption, parent), row, 0, Qt::AlignRight);
    grid->addWidget(s.field, row, 1);
    grid->addWidget(s.steps, row, 2);
    return s;
}

std::optional<SchemeOptions> checkedSchemeScales(Prompter& prompter, NumberField* panels,
                                                 NumberField* battery, bool currents) {
    for (const auto& [field, quantity] :
         {std::pair{panels, QStringLiteral("масштаба отображения солнечных панелей")},
          std::pair{battery, QStringLiteral("масштаба отображения АБ")}}) {
        std::optional<QString> error = checkNonZeroWhole(field->text(), quantity);
        // A negative scale cannot be typed, but one handed over from elsewhere is refused the
        // same way as 0.
        if (!error && *parseInteger(field->text()) < 0)
            error = QStringLiteral("Значение %1 должно быть больше 0.").arg(quantity);
        if (error) {
            prompter.error(*error);
            field->setFocus();
            return std::nullopt;
        }
    }
    SchemeOptions o;
    o.panelScale = *parseInteger(panels->text());
    o.batteryScale = *parseInteger(battery->text());
    o.currents = currents;
    return o;
}

} // namespace ses
