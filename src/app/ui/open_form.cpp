#include "app/ui/open_form.h"

#include "widgets/bound_grid.h"
#include "widgets/dialog_buttons.h"
#include "widgets/windows.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace ses {

TOpenForm::TOpenForm(TDataModule1& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
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

    DialogButtons buttons = makeDialogButtons(this, info, {.ok = QStringLiteral("OK")});
    m_ok = buttons.ok;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
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
    resize(720, 520);
    updateState();
}

TOpenForm::~TOpenForm() {
    m_dm.tblProj0().removeListener(m_listener);
}

void TOpenForm::updateState() {
    View& p = m_dm.tblProj0();
    m_note->setPlainText(p.isEmpty() ? QString() : p[QStringLiteral("ProjMemo")].asString());
    m_ok->setEnabled(!p.isEmpty());
}

bool TOpenForm::run() {
    m_remembered = m_dm.tblProj0().bookmark();
    updateState();
    m_projects->setFocus();
    return exec() == QDialog::Accepted;
}

void TOpenForm::reject() {
    m_dm.tblProj0().gotoBookmark(m_remembered);
    QDialog::reject();
}

} // namespace ses
