#include "load/ui/sut_gr_dop_form.h"

#include "data/data_module.h"
#include "load/load_views_store.h"
#include "load/ui/totals_pages.h"
#include "widgets/dialog_buttons.h"
#include "widgets/wait_cursor.h"
#include "widgets/windows.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ses {

TSutGrDopF::TSutGrDopF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TSutGrDopF"));
    m_pages = new TotalsPages(prompter, TotalsWindow::Information, this);
    // The month only chooses the dark periods of the picture: it stands over the picture.
    auto* label = new QLabel(QStringLiteral("Месяц года:"), this);
    m_month = new QComboBox(this);
    m_month->setObjectName(QStringLiteral("month"));
    m_month->setMinimumContentsLength(10);
    label->setBuddy(m_month);
    QHBoxLayout* controls = m_pages->intervalControls();
    controls->insertWidget(controls->count() - 1, label);
    controls->insertWidget(controls->count() - 1, m_month);
    const DialogButtons buttons = makeDialogButtons(this, info, closeRow());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons.layout);
    resize(1240, 690);
    connect(m_month, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_loading)
            monthChosen();
    });
}

void TSutGrDopF::open(const ScheduleInfoRequest& request) {
    load(request);
    exec();
}

void TSutGrDopF::load(const ScheduleInfoRequest& request) {
    WaitCursor wait;
    m_request = request;
    View& variant = m_dm.tblProj1();
    const int variantKod = variant.isEmpty() ? 0 : variant[QStringLiteral("Kod")].asInteger();
    m_daylight = infoDaylight(m_dm, request.origin == kInfoFromBook, variantKod);

    TotalsSchedule schedule;
    schedule.load = request.load;
    schedule.name = request.schedule;
    schedule.ac = request.ac;
    schedule.months = request.months;
    schedule.intervals = parseIntervals(request.intervals);
    schedule.consumers = request.consumers;
    // Remark parameters that fail their check leave the remark tables empty.
    std::optional<RemarkParams> params = m_pages->remarkParams();
    if (!params) {
        params = RemarkParams{};
        params->startCheck = params->operationCheck = params->startWhileRunningCheck = false;
    }
    const MonthTotals totals = scheduleTotals(schedule, request.pnom, request.pmax, *params);

    m_loading = true;
    m_month->clear();
    m_month->addItems(request.months);
    m_month->setCurrentIndex(request.months.isEmpty() ? -1 : 0);
    m_loading = false;
    std::optional<DaylightRow> daylight;
    if (const DaylightRow* row = daylightOf(m_daylight, m_month->currentText()))
        daylight = *row;
    m_pages->show(totals, daylight);
    m_pages->setScheduleFigures(request.pnom, request.pmax);
}

void TSutGrDopF::monthChosen() {
    std::optional<DaylightRow> daylight;
    if (const DaylightRow* row = daylightOf(m_daylight, m_month->currentText()))
        daylight = *row;
    m_pages->setDaylight(daylight);
}

void connectScheduleInfo(TCreateSGF& dialog, TDataModule1& dm, Prompter& prompter) {
    dialog.setInfoHook([&dialog, &dm, &prompter](const ScheduleInfoRequest& request) {
        auto* window = dialog.findChild<TSutGrDopF*>();
        if (!window)
            window = new TSutGrDopF(dm, prompter, &dialog);
        window->open(request);
    });
}

} // namespace ses
