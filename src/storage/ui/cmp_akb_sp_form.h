#pragma once
// "Обоснование невозможности согласования АБ и солнечной батареи.": why no assembly of the chosen
// battery model accepts the charge current of the panels and controllers: the figures as far as
// the assembly grew, its drawing, and the reasoning with what to do instead.

#include "reports/drawing.h"
#include "storage/battery.h"
#include "widgets/form_rows.h"

#include <QDialog>

#include <functional>

class QPlainTextEdit;

namespace ses {

class DrawingPane;
class Prompter;

class TCmpAKB_SPFm : public QDialog {
public:
    TCmpAKB_SPFm(Prompter& prompter, QWidget* parent = nullptr);

    // Fills the window; `drawing` lays the assembly out at a scale in pixels per metre.
    void setInput(const JustificationInput& in, const BatteryModel& m,
                  std::function<Drawing(int)> drawing);

    QString fieldText(int row) const;
    const QStringList& lines() const { return m_lines; }
    DrawingPane* pane() const { return m_pane; }

private:
    std::vector<FormRow> m_rows;
    ShownRows m_fields;
    QStringList m_lines;
    DrawingPane* m_pane;
    QPlainTextEdit* m_reasoning;
};

} // namespace ses
