#include "storage/ui/sel_prot_form.h"

#include "lib/numbers.h"
#include "lib/prompter.h"
#include "widgets/dialog_buttons.h"
#include "widgets/look.h"
#include "widgets/string_grid.h"
#include "widgets/windows.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ses {

namespace {

// The most values " Исходные данные " shows.
constexpr int kSourceRows = 7;

} // namespace

TSelProtFrm::TSelProtFrm(DeviceKind kind, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_prompter(prompter) {
    const WindowInfo& info =
        setUpWindow(this, kind == DeviceKind::Breaker ? QStringLiteral("TSelAVFrm")
                                                      : QStringLiteral("TSelPrFrm"));
    auto* top = new QVBoxLayout(this);

    auto* source = new QGroupBox(QStringLiteral(" Исходные данные "), this);
    auto* sl = new QVBoxLayout(source);
    auto* form = new QFormLayout;
    form->setVerticalSpacing(2);
    for (int i = 0; i < kSourceRows; ++i) {
        auto* label = new QLabel(source);
        QLineEdit* value = valueField(source);
        value->setObjectName(QStringLiteral("source%1").arg(i + 1));
        form->addRow(label, value);
        m_rows.emplace_back(label, value);
    }
    sl->addLayout(form);
    // The whole note in view, wrapped: it is the one line saying what the choice rests on.
    m_note = new QLabel(source);
    m_note->setObjectName(QStringLiteral("basis"));
    m_note->setWordWrap(true);
    m_note->setFrameShape(QFrame::StyledPanel);
    m_note->setFrameShadow(QFrame::Sunken);
    m_note->setMargin(3);
    sl->addWidget(m_note);
    top->addWidget(source);

    auto* list = new QGroupBox(kindPlural(kind), this);
    auto* ll = new QVBoxLayout(list);
    m_grid = new StringGrid(list);
    m_grid->setRowList(columnTitles());
    m_grid->setRowCount(2);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setVisibleRows(6);
    ll->addWidget(m_grid, 1);
    m_columnNote = noteList(columnNote(), 0, list);
    ll->addWidget(m_columnNote);
    top->addWidget(list, 1);

    const DialogButtons buttons = makeDialogButtons(this, info);
    m_ok = buttons.ok;
    top->addLayout(buttons.layout);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] {
        if (m_ok->isEnabled())
            accept();
    });
    resize(900, 640);
}

QStringList TSelProtFrm::columnTitles() const {
    QStringList t = {QStringLiteral("Компания-производитель")};
    if (m_kind == DeviceKind::Breaker)
        t << QStringLiteral("Тип автомата") << QStringLiteral("Iном., А")
          << QStringLiteral("Uном., В") << QStringLiteral("Тип крепления")
          << QStringLiteral("S, мм2");
    else
        t << QStringLiteral("Тип предохранителя") << QStringLiteral("Тип держателя")
          << QStringLiteral("Iном., А") << QStringLiteral("Uном., В") << QStringLiteral("S, мм2");
    if (m_byPower) {
        t << QStringLiteral("Pном., Вт");
        if (m_kind == DeviceKind::Breaker)
            t << QStringLiteral("Pпик., Вт");
    }
    return t;
}

QStringList TSelProtFrm::columnNote() const {
    QStringList n;
    if (m_kind == DeviceKind::Breaker)
        n << QStringLiteral(
                 "Компания-производитель - компания-производитель автоматического выключателя.")
          << QStringLiteral("Тип выключателя - тип (модель) выключателя.")
          << QStringLiteral("Iном., А - номинальный ток выключателя, А.")
          << QStringLiteral("Uном., В - номинальное напряжение выключателя, В.")
          << QStringLiteral("Тип крепления - тип крепления автомата (панель, DIN-рейка).");
    else
        n << QStringLiteral("Компания-производитель - компания-производитель предохранителя.")
          << QStringLiteral("Тип предохранителя - тип (модель) предохранителя.")
          << QStringLiteral("Тип держателя - тип (модель) держателя для предохранителя.")
          << QStringLiteral("Iном., А - номинальный ток вставки предохранителя, А.")
          << QStringLiteral("Uном., В - номинальное напряжение предохранителя, В.");
    n << QStringLiteral("S, мм2 - максимально допустимое сечение жил подключаемого провода "
                        "(кабеля), мм2.");
    if (m_byPower) {
        n << QStringLiteral("Рном., Вт - максимально допустимая номинальная мощность инвертора, "
                            "Вт.");
        if (m_kind == DeviceKind::Breaker)
            n << QStringLiteral("Рпик., Вт - максимально допустимая пиковая мощность инвертора, "
                                "Вт.");
    }
    return n;
}

void TSelProtFrm::setInput(const Requirement& r, std::vector<Candidate> candidates, int current) {
    setWindowTitle(r.caption);
    std::vector<std::pair<QString, QString>> shown = r.shown;
    shown.emplace_back(QStringLiteral("Сечение жил провода (кабеля), мм2:"), r.sectionText);
    for (int i = 0; i < kSourceRows; ++i) {
        const bool on = i < int(shown.size());
        m_rows[i].first->setText(on ? shown[i].first : QString());
        m_rows[i].second->setText(on ? shown[i].second : QString());
        m_rows[i].first->setVisible(on);
        m_rows[i].second->setVisible(on);
    }
    m_note->setText(r.note);

    m_byPower = r.byPower;
    m_candidates = std::move(candidates);
    m_grid->setRowList(columnTitles());
    m_grid->setRowCount(std::max<int>(1, int(m_candidates.size())) + 1);
    m_grid->clearCells();
    const bool fuse = m_kind == DeviceKind::Fuse;
    for (int row = 0; row < int(m_candidates.size()); ++row) {
        const Candidate& c = m_candidates[row];
        QStringList cells = {c.company, c.name};
        if (fuse)
            cells << c.extra;
        cells << numberToText(c.inom) << numberToText(c.unom);
        if (!fuse)
            cells << c.extra;
        cells << numberToText(c.skab);
        if (m_byPower) {
            cells << numberToText(c.pinvNom);
            if (!fuse)
                cells << numberToText(c.pinvPik);
        }
        for (int col = 0; col < cells.size(); ++col)
            m_grid->setCell(col, row + 1, cells[col]);
    }
    m_grid->resizeColumnsToContents();
    m_columnNote->clear();
    m_columnNote->addItems(columnNote());
    m_ok->setEnabled(!m_candidates.empty());
    if (current >= 0 && current < int(m_candidates.size()))
        m_grid->setCurrentCell(current, 0);
}

std::optional<Candidate> TSelProtFrm::chosen() const {
    const int r = m_grid->currentRow();
    if (m_candidates.empty() || r < 0 || r >= int(m_candidates.size()))
        return std::nullopt;
    return m_candidates[r];
}

bool TSelProtFrm::run() {
    if (m_candidates.empty())
        m_prompter.information(noCandidateText(m_kind));
    return exec() == QDialog::Accepted && chosen();
}

QString TSelProtFrm::noteText() const {
    return m_note->text();
}

QString TSelProtFrm::sourceValue(const QString& label) const {
    for (const auto& [l, v] : m_rows)
        if (l->text() == label && !l->isHidden())
            return v->text();
    return {};
}

} // namespace ses
