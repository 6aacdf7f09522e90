#include "solar/ui/sel_ctrl_form.h"

#include "lib/numbers.h"
#include "lib/prompter.h"
#include "solar/ui/control_form.h"
#include "widgets/dialog_buttons.h"
#include "widgets/string_grid.h"
#include "widgets/windows.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace ses {

namespace {

QString text(std::optional<double> x) {
    return x ? numberToText(*x) : QString();
}

const std::vector<FormRow> kArrayRows = {
    {QStringLiteral("name"), QStringLiteral("Наименование массива:")},
    {QStringLiteral("power"), QStringLiteral("Мощность массива СП, Вт:")},
    {QStringLiteral("current"), QStringLiteral("Ток массива СП, А:")}};

} // namespace

TSelCtrlF::TSelCtrlF(Prompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TSelCtrlF"));
    auto* top = new QVBoxLayout(this);
    const ShownLook look{70, true};

    auto* upper = new QHBoxLayout;
    auto* source = new QGroupBox(QStringLiteral(" Исходные данные "), this);
    auto* sf = new QFormLayout(source);
    sf->setVerticalSpacing(2);
    m_fields.add(sf, TControlF::sourceRows(), look);
    upper->addWidget(source);
    auto* arrayBox = new QGroupBox(QStringLiteral(" Массив солнечных панелей "), this);
    auto* af = new QFormLayout(arrayBox);
    af->setVerticalSpacing(2);
    m_fields.add(af, kArrayRows, look);
    upper->addWidget(arrayBox, 0, Qt::AlignTop);
    top->addLayout(upper);

    auto* list = new QGroupBox(QStringLiteral(" Контроллеры заряда "), this);
    auto* ll = new QVBoxLayout(list);
    m_grid = new StringGrid(list);
    m_grid->setRowList(columnTitles());
    m_grid->setRowCount(2);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    ll->addWidget(m_grid);
    top->addWidget(list, 1);

    const DialogButtons buttons = makeDialogButtons(this, info);
    m_ok = buttons.ok;
    top->addLayout(buttons.layout);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] {
        if (m_ok->isEnabled())
            accept();
    });
    resize(1000, 560);
}

const QStringList& TSelCtrlF::columnTitles() {
    static const QStringList titles = {QStringLiteral("Компания-производитель"),
                                       QStringLiteral("Тип контроллера"),
                                       QStringLiteral("Uном., В"),
                                       QStringLiteral("Pсп, Вт"),
                                       QStringLiteral("Iмакс, А"),
                                       QStringLiteral("Umppt.мин., В"),
                                       QStringLiteral("Umppt.макс., В"),
                                       QStringLiteral("Uхх.сп, В"),
                                       QStringLiteral("Sмакс., мм2")};
    return titles;
}

QStringList TSelCtrlF::candidateTexts(const ControllerCandidate& c) {
    return {c.company,        c.tip,        text(c.uses),
            text(c.psp),      text(c.imax), text(c.umpptMin),
            text(c.umpptMax), text(c.uxx),  text(c.section)};
}

QString TSelCtrlF::noCandidateText() {
    return QStringLiteral("Выбор контроллера невозможен. В справочнике программы отсутствуют (или "
                          "отключены) контроллеры, удовлетворяющие данным для выбора, "
                          "представленным в панели \"Исходные данные\" диалога.");
}

void TSelCtrlF::setInput(const QStringList& source, const ControllerArray& row,
                         std::vector<ControllerCandidate> candidates) {
    const auto& rows = TControlF::sourceRows();
    for (int i = 0; i < int(rows.size()) && i < source.size(); ++i)
        m_fields.setText(rows[i].name, source[i]);
    m_fields.setText(QStringLiteral("name"), row.name);
    m_fields.setText(QStringLiteral("power"), numberToText(row.power));
    m_fields.setText(QStringLiteral("current"), numberToText(row.current));

    m_candidates = std::move(candidates);
    m_grid->setRowCount(std::max<int>(1, int(m_candidates.size())) + 1);
    m_grid->clearCells();
    int present = 0;
    for (int r = 0; r < int(m_candidates.size()); ++r) {
        const QStringList texts = candidateTexts(m_candidates[r]);
        for (int c = 0; c < texts.size(); ++c)
            m_grid->setCell(c, r + 1, texts[c]);
        if (present == 0 && !row.controller.tip.isEmpty() &&
            m_candidates[r].tip == row.controller.tip &&
            m_candidates[r].company == row.controller.company)
            present = r;
    }
    m_grid->resizeColumnsToContents();
    m_ok->setEnabled(!m_candidates.empty());
    setCurrent(present);
}

void TSelCtrlF::setCurrent(int candidate) {
    if (candidate >= 0 && candidate < int(m_candidates.size()))
        m_grid->setCurrentCell(candidate, 0);
}

std::optional<ControllerCandidate> TSelCtrlF::chosen() const {
    const int r = m_grid->currentRow();
    if (m_candidates.empty() || r < 0 || r >= int(m_candidates.size()))
        return std::nullopt;
    return m_candidates[r];
}

bool TSelCtrlF::run() {
    if (m_candidates.empty())
        m_prompter.information(noCandidateText());
    return exec() == QDialog::Accepted && chosen();
}

} // namespace ses
