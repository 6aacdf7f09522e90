#include "app/ui/open_form.h"

#include "reports/scheme_store.h"
#include "reports/ui/scheme_view.h"
#include "widgets/bound_grid.h"
#include "widgets/dialog_buttons.h"
#include "widgets/windows.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace ses {

TOpenForm::TOpenForm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TOpenForm"));
    m_projects =
        new BoundGrid(dm.tblProj0(),
                      {{QStringLiteral("Name"), QStringLiteral("Наименование проекта"), true, 260},
                       {QStringLiteral("ProjOwner"), QStringLiteral("Владелец"), true, 140},
                       {QStringLiteral("ProjDate"), QStringLiteral("Дата создания"), true, 100},
                       {QStringLiteral("ProjTime"), QStringLiteral("Время создания"), true, 100}},
                      this);
    m_variants = new BoundGrid(
        dm.tblProj1(),
        {{QStringLiteral("VarName"), QStringLiteral("Наименование варианта"), true, 0}}, this);
    m_note = new QPlainTextEdit(this);
    m_note->setReadOnly(true);

    auto* projectsBox = new QGroupBox(QStringLiteral("Проекты"), this);
    (new QVBoxLayout(projectsBox))->addWidget(m_projects);
    auto* noteBox = new QGroupBox(QStringLiteral("Примечание"), this);
    (new QVBoxLayout(noteBox))->addWidget(m_note);
    auto* variantsBox = new QGroupBox(QStringLiteral("Варианты расчета"), this);
    (new QVBoxLayout(variantsBox))->addWidget(m_variants);

    auto* lower = new QSplitter(Qt::Horizontal, this);
    lower->addWidget(noteBox);
    lower->addWidget(variantsBox);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(projectsBox);
    split->addWidget(lower);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    // The preview of the highlighted variant's scheme, beside the lists.
    auto* schemeBox = new QGroupBox(QStringLiteral("Структурная схема варианта"), this);
    auto* schemeLayout = new QVBoxLayout(schemeBox);
    m_scheme = new SchemeView(schemeBox);
    schemeLayout->addWidget(m_scheme, 1);
    auto* grid = new QGridLayout;
    m_preview = new QCheckBox(QStringLiteral("Просмотр схемы варианта"), schemeBox);
    grid->addWidget(m_preview, 0, 0, 1, 3);
    m_panelScale =
        addSchemeScale(grid, 1, QStringLiteral("Масштаб СП, пиксель/м:"), 30, prompter, schemeBox)
            .field;
    m_batteryScale =
        addSchemeScale(grid, 2, QStringLiteral("Масштаб АБ, пиксель/м:"), 60, prompter, schemeBox)
            .field;
    auto* update = new QPushButton(QStringLiteral("Обновить"), schemeBox);
    update->setToolTip(QStringLiteral("Перерисовать схему с заданными масштабами"));
    grid->addWidget(update, 1, 3, 2, 1);
    grid->setColumnStretch(4, 1);
    schemeLayout->addLayout(grid);
    connect(update, &QPushButton::clicked, this, [this] { redrawPreview(); });
    connect(m_preview, &QCheckBox::toggled, this, [this] { redrawPreview(); });
    auto* sides = new QSplitter(Qt::Horizontal, this);
    sides->addWidget(split);
    sides->addWidget(schemeBox);
    sides->setStretchFactor(0, 1);
    sides->setStretchFactor(1, 1);

    DialogButtons buttons = makeDialogButtons(this, info, {.ok = QStringLiteral("OK")});
    m_ok = buttons.ok;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sides, 1);
    layout->addLayout(buttons.layout);

    // A double click in either list confirms.
    connect(m_projects, &QAbstractItemView::doubleClicked, this, [this] {
        if (m_ok->isEnabled())
            accept();
    });
    connect(m_variants, &QAbstractItemView::doubleClicked, this, [this] {
        if (m_ok->isEnabled())
            accept();
    });
    m_listener = dm.tblProj0().addListener([this](View&, View::Change) { updateState(); });
    m_variantListener = dm.tblProj1().addListener([this](View&, View::Change c) {
        if (c != View::Change::State && isVisible())
            redrawPreview();
    });
    resize(1200, 620);
    updateState();
}

TOpenForm::~TOpenForm() {
    m_dm.tblProj0().removeListener(m_listener);
    m_dm.tblProj1().removeListener(m_variantListener);
}

void TOpenForm::redrawPreview() {
    View& v = m_dm.tblProj1();
    const qint64 kod = v.isEmpty() ? -1 : v[QStringLiteral("Kod")].asInteger();
    if (!m_preview->isChecked() || kod < 0 || !paneCanDraw(schemeFacts(m_dm, kod))) {
        m_scheme->clear();
        return;
    }
    if (const auto options = checkedSchemeScales(m_prompter, m_panelScale, m_batteryScale, false))
        m_scheme->draw(m_dm, m_prompter, kod, *options);
}

void TOpenForm::updateState() {
    View& p = m_dm.tblProj0();
    m_note->setPlainText(p.isEmpty() ? QString() : p[QStringLiteral("ProjMemo")].asString());
    m_ok->setEnabled(!p.isEmpty());
}

bool TOpenForm::run() {
    m_remembered = m_dm.tblProj0().bookmark();
    updateState();
    redrawPreview();
    m_projects->setFocus();
    return exec() == QDialog::Accepted;
}

void TOpenForm::reject() {
    m_dm.tblProj0().gotoBookmark(m_remembered);
    QDialog::reject();
}

} // namespace ses
