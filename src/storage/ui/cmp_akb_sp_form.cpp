#include "storage/ui/cmp_akb_sp_form.h"

#include "widgets/dialog_buttons.h"
#include "widgets/drawing_pane.h"
#include "widgets/look.h"
#include "widgets/windows.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace ses {

TCmpAKB_SPFm::TCmpAKB_SPFm(Prompter& prompter, QWidget* parent) : QDialog(parent) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TCmpAKB_SPFm"));
    // The captions are fixed; the figures come with each filling.
    const JustificationInput none;
    int i = 0;
    for (const auto& [caption, value] : justificationFigures(none, BatteryModel{}))
        m_rows.push_back({QStringLiteral("f%1").arg(i++), caption});
    auto* figures = new QGroupBox(this);
    auto* fl = new QHBoxLayout(figures);
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    left->setVerticalSpacing(2);
    right->setVerticalSpacing(2);
    // The variant and the model on the left, the assembly on the right.
    m_fields.add(left, std::vector<FormRow>(m_rows.begin(), m_rows.begin() + 6));
    m_fields.add(right, std::vector<FormRow>(m_rows.begin() + 6, m_rows.end()));
    QLabel* name = m_fields.field(m_rows[2].name);
    name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    name->setFixedWidth(160);
    fl->addLayout(left);
    fl->addSpacing(20);
    fl->addLayout(right);
    fl->addStretch(1);

    DrawingPane::ScaleRule rule;
    rule.quantity = QStringLiteral("масштаба схемы");
    rule.step = 1;
    m_pane = new DrawingPane(prompter, 70, rule, this);
    m_pane->setObjectName(QStringLiteral("scheme"));
    auto* drawingBox = new QVBoxLayout;
    drawingBox->addWidget(new QLabel(QStringLiteral("Схема подключения АБ."), this));
    drawingBox->addWidget(m_pane, 1);

    auto* reasoningBox = new QVBoxLayout;
    reasoningBox->addWidget(new QLabel(QStringLiteral("Обоснование."), this));
    m_reasoning = new QPlainTextEdit(this);
    m_reasoning->setObjectName(QStringLiteral("reasoning"));
    m_reasoning->setReadOnly(true);
    reasoningBox->addWidget(m_reasoning, 1);

    auto* lower = new QHBoxLayout;
    lower->addLayout(drawingBox, 2);
    lower->addLayout(reasoningBox, 3);

    const DialogButtons buttons = makeDialogButtons(this, info, closeRow());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(figures);
    layout->addLayout(lower, 1);
    layout->addLayout(buttons.layout);
    resize(1300, 660);
}

void TCmpAKB_SPFm::setInput(const JustificationInput& in, const BatteryModel& m,
                            std::function<Drawing(int)> drawing) {
    const auto values = justificationFigures(in, m);
    for (size_t i = 0; i < values.size(); ++i)
        m_fields.setText(m_rows[i].name, values[i].second);
    m_lines = justificationLines(in);
    m_reasoning->setPlainText(m_lines.join(QLatin1Char('\n')));
    if (in.figures.ns >= 1 && in.figures.np >= 1 && m.l > 0 && m.s > 0)
        m_pane->setDrawing(std::move(drawing));
    else
        m_pane->showMessage(QStringLiteral("В сборке нет ни одного аккумулятора."));
}

QString TCmpAKB_SPFm::fieldText(int row) const {
    return m_fields.text(m_rows[row].name);
}

} // namespace ses
