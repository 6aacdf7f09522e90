#include "app/ui/proj_form.h"

#include "widgets/dialog_buttons.h"
#include "widgets/windows.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace ses {

TProjForm::TProjForm(Prompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TProjForm"));
    m_name = new QLineEdit(this);
    m_name->setMaxLength(255);
    m_owner = new QLineEdit(this);
    m_owner->setMaxLength(50);
    m_date = new QDateEdit(this);
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_time = new QTimeEdit(this);
    m_time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_memo = new QPlainTextEdit(this);
    m_memo->setTabChangesFocus(true);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("Наименование:"), m_name);
    form->addRow(QStringLiteral("Владелец:"), m_owner);
    form->addRow(QStringLiteral("Дата создания:"), m_date);
    form->addRow(QStringLiteral("Время создания:"), m_time);
    form->addRow(QStringLiteral("Примечание:"), m_memo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(makeDialogButtons(this, info).layout);
    resize(520, 360);
}

void TProjForm::load(const ProjectFields& f) {
    m_name->setText(f.name);
    m_owner->setText(f.owner);
    m_date->setDate(f.date.isValid() ? f.date : QDate::currentDate());
    m_time->setTime(f.time.isValid() ? f.time : QTime(0, 0));
    m_memo->setPlainText(f.memo);
}

ProjectFields TProjForm::values() const {
    return {m_name->text(), m_owner->text(), m_date->date(), m_time->time(), m_memo->toPlainText()};
}

bool TProjForm::run(ProjectFields& f) {
    load(f);
    m_name->setFocus();
    m_name->selectAll();
    if (exec() != QDialog::Accepted)
        return false;
    f = values();
    return true;
}

void TProjForm::accept() {
    const QString error = projectFieldsError(values());
    if (!error.isEmpty()) {
        m_prompter.error(error);
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace ses
