#include "load/ui/nagr_dop_form.h"

#include "data/data_module.h"
#include "load/load_views_store.h"
#include "load/ui/totals_pages.h"
#include "widgets/dialog_buttons.h"
#include "widgets/wait_cursor.h"
#include "widgets/windows.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace ses {

namespace {

// The stages of a month's recomputation the progress bar counts.
constexpr int kStages = 9;

} // namespace

TNagrDopF::TNagrDopF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TNagrDopF"));
    auto* top = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Месяц года:"), this);
    m_month = new QComboBox(this);
    m_month->setObjectName(QStringLiteral("month"));
    m_month->setMinimumContentsLength(10);
    label->setBuddy(m_month);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, kStages);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setFixedWidth(200);
    top->addWidget(label);
    top->addWidget(m_month);
    top->addSpacing(12);
    top->addWidget(m_progress);
    top->addStretch(1);
    m_pages = new TotalsPages(prompter, TotalsWindow::Monthly, this);
    const DialogButtons buttons = makeDialogButtons(this, info, closeRow());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons.layout);
    resize(1240, 690);
    connect(m_month, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_loading)
            monthChosen();
    });
}

void TNagrDopF::run() {
    exec();
}

void TNagrDopF::showEvent(QShowEvent* event) {
    load();
    QDialog::showEvent(event);
}

void TNagrDopF::load() {
    View& variant = m_dm.tblProj1();
    m_input = variant.isEmpty() ? TotalsInput{}
                                : readTotalsInput(m_dm, variant[QStringLiteral("Kod")].asInteger());
    m_loading = true;
    m_month->clear();
    m_month->addItems(totalsMonths(m_input.schedules));
    m_month->setCurrentIndex(m_month->count() > 0 ? 0 : -1);
    m_loading = false;
    monthChosen();
}

void TNagrDopF::monthChosen() {
    WaitCursor wait;
    m_progress->setValue(0);
    const QString month = m_month->currentText();
    // Remark parameters that fail their check leave the remark tables empty.
    std::optional<RemarkParams> params = m_pages->remarkParams();
    if (!params) {
        params = RemarkParams{};
        params->startCheck = params->operationCheck = params->startWhileRunningCheck = false;
    }
    const MonthTotals totals = monthTotals(m_input, month, *params);
    std::optional<DaylightRow> daylight;
    if (const DaylightRow* row = daylightOf(m_input.daylight, month))
        daylight = *row;
    m_pages->show(totals, daylight, [this] {
        m_progress->setValue(m_progress->value() + 1);
        m_progress->repaint();
    });
    m_progress->setValue(0);
}

} // namespace ses
