#include "reports/ui/com_shem_form.h"

#include "reports/scheme_store.h"
#include "reports/ui/scheme_view.h"
#include "widgets/dialog_buttons.h"
#include "widgets/number_field.h"
#include "widgets/windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QSqlQuery>
#include <QVBoxLayout>

namespace ses {

TComShemF::TComShemF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TComShemF"));
    auto* split = new QSplitter(Qt::Horizontal, this);
    for (int pane = 0; pane < 2; ++pane) {
        auto* box = new QWidget(split);
        auto* l = new QVBoxLayout(box);
        l->setContentsMargins(2, 2, 2, 2);
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(
            pane == 0 ? QStringLiteral("Вариант № 1:") : QStringLiteral("Вариант № 2:"), box));
        m_panes[pane].list = new QComboBox(box);
        m_panes[pane].list->setObjectName(pane == 0 ? QStringLiteral("variant1")
                                                    : QStringLiteral("variant2"));
        m_panes[pane].list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        row->addWidget(m_panes[pane].list, 1);
        l->addLayout(row);
        m_panes[pane].view = new SchemeView(box);
        l->addWidget(m_panes[pane].view, 1);
        split->addWidget(box);
        connect(m_panes[pane].list, &QComboBox::currentIndexChanged, this,
                [this, pane] { redraw(pane, checkedScales()); });
    }

    auto* params = new QGroupBox(QStringLiteral("Параметры схем"), this);
    auto* grid = new QGridLayout(params);
    m_panelScale =
        addSchemeScale(grid, 0, QStringLiteral("Масштаб СП, пиксель/м:"), 30, prompter, params)
            .field;
    m_batteryScale =
        addSchemeScale(grid, 1, QStringLiteral("Масштаб АБ, пиксель/м:"), 60, prompter, params)
            .field;
    m_currents = new QCheckBox(QStringLiteral("Токи, падения напряжения"), params);
    grid->addWidget(m_currents, 0, 3, 2, 1);
    grid->setColumnStretch(4, 1);

    m_update = new QPushButton(QStringLiteral("Обновить"), this);
    m_update->setToolTip(QStringLiteral("Перерисовать обе схемы с заданными параметрами"));
    connect(m_update, &QPushButton::clicked, this, [this] { refresh(); });
    const DialogButtons buttons = makeDialogButtons(this, info, closeRow({m_update}));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addWidget(params);
    layout->addLayout(buttons.layout);
    resize(1300, 660);
}

std::optional<SchemeOptions> TComShemF::checkedScales() {
    return checkedSchemeScales(m_prompter, m_panelScale, m_batteryScale, m_currents->isChecked());
}

void TComShemF::redraw(int pane, const std::optional<SchemeOptions>& options) {
    SchemeView* view = m_panes[pane].view;
    view->clear();
    const int index = m_panes[pane].list->currentIndex();
    if (!options || index < 0 || index >= int(m_keys.size()))
        return;
    const qint64 kod = m_keys[index];
    if (comparisonCanDraw(schemeFacts(m_dm, kod)))
        view->draw(m_dm, m_prompter, kod, *options);
}

void TComShemF::refresh() {
    const std::optional<SchemeOptions> options = checkedScales();
    redraw(0, options);
    redraw(1, options);
}

void TComShemF::prepare() {
    m_keys.clear();
    for (Pane& p : m_panes) {
        const QSignalBlocker quiet(p.list);
        p.list->clear();
    }
    View& variants = m_dm.tblProj1();
    View& projects = m_dm.tblProj0();
    qint64 current = -1;
    if (!projects.isEmpty()) {
        if (!variants.isEmpty())
            current = variants[QStringLiteral("Kod")].asInteger();
        QSqlQuery q = m_dm.store().select(
            QStringLiteral("SELECT Kod, VarName FROM project1 WHERE Kod0 = ? ORDER BY Kod"),
            {projects[QStringLiteral("Kod")].value()});
        while (q.next()) {
            m_keys.push_back(q.value(0).toLongLong());
            for (Pane& p : m_panes) {
                const QSignalBlocker quiet(p.list);
                p.list->addItem(q.value(1).toString());
            }
        }
    }
    const auto it = std::find(m_keys.begin(), m_keys.end(), current);
    {
        const QSignalBlocker quiet0(m_panes[0].list);
        const QSignalBlocker quiet1(m_panes[1].list);
        m_panes[0].list->setCurrentIndex(it == m_keys.end() ? (m_keys.empty() ? -1 : 0)
                                                            : int(it - m_keys.begin()));
        m_panes[1].list->setCurrentIndex(m_keys.empty() ? -1 : 0);
    }
    refresh();
}

int TComShemF::run() {
    prepare();
    return exec();
}

} // namespace ses
