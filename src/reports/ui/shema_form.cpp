#include "reports/ui/shema_form.h"

#include "reports/report_writer.h"
#include "reports/scheme_store.h"
#include "reports/ui/scheme_view.h"
#include "widgets/dialog_buttons.h"
#include "widgets/number_field.h"
#include "widgets/report_export.h"
#include "widgets/windows.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace ses {

TShemaFrm::TShemaFrm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TShemaFrm"));
    m_view = new SchemeView(this);

    auto* params = new QGroupBox(QStringLiteral("Параметры схемы"), this);
    auto* grid = new QGridLayout(params);
    m_panelScale =
        addSchemeScale(grid, 0, QStringLiteral("Масштаб СП, пиксель/м:"), 40, prompter, params)
            .field;
    m_batteryScale =
        addSchemeScale(grid, 1, QStringLiteral("Масштаб АБ, пиксель/м:"), 70, prompter, params)
            .field;
    m_currents = new QCheckBox(QStringLiteral("Токи, падения напряжения"), params);
    grid->addWidget(m_currents, 0, 3, 2, 1);
    grid->setColumnMinimumWidth(3, 0);
    grid->setColumnStretch(4, 1);

    m_update = new QPushButton(QStringLiteral("Обновить"), this);
    m_update->setToolTip(QStringLiteral("Перерисовать схему с заданными параметрами"));
    connect(m_update, &QPushButton::clicked, this, [this] { refresh(); });
    QPushButton* exportButton =
        makeExportButton(this, QStringLiteral("Экспорт отчёта в документ Microsoft Word"));
    connect(exportButton, &QPushButton::clicked, this,
            [this] { exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); }); });
    const DialogButtons buttons = makeDialogButtons(this, info, closeRow({m_update, exportButton}));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addWidget(params);
    layout->addLayout(buttons.layout);
    resize(1100, 660);
}

void TShemaFrm::prepare(const QString& panelScale, const QString& batteryScale, bool currents,
                        qint64 kod) {
    m_panelScale->setText(panelScale);
    m_batteryScale->setText(batteryScale);
    m_currents->setChecked(currents);
    m_kod = kod;
    m_view->clear();
    refresh();
}

int TShemaFrm::run(const QString& panelScale, const QString& batteryScale, bool currents,
                   qint64 kod) {
    prepare(panelScale, batteryScale, currents, kod);
    return exec();
}

void TShemaFrm::refresh() {
    const std::optional<SchemeOptions> options =
        checkedSchemeScales(m_prompter, m_panelScale, m_batteryScale, m_currents->isChecked());
    if (!options)
        return;
    // A variant whose battery is gone since the window opened is not drawn with an empty one.
    if (paneCanDraw(schemeFacts(m_dm, m_kod)))
        m_view->draw(m_dm, m_prompter, m_kod, *options);
    else
        m_view->clear();
}

void TShemaFrm::writeReport(ReportWriter& w) const {
    w.openReport();
    w.writeTitle(QStringLiteral("Структурная схема солнечной электростанции.\r\r"));
    w.insertPicture(m_view->image());
    w.writeText(QStringLiteral("\r"));
}

} // namespace ses
