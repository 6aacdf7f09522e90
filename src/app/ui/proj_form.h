#pragma once
// "Параметры проекта.": name, owner, creation date and time, note.

#include "app/shell.h"

#include <QDialog>

class QLineEdit;
class QDateEdit;
class QTimeEdit;
class QPlainTextEdit;

namespace ses {

class TProjForm : public QDialog {
public:
    TProjForm(Prompter& prompter, QWidget* parent = nullptr);
    // Shows the dialog filled from f; on "ОК" f holds the entered values and true is returned.
    bool run(ProjectFields& f);
    void load(const ProjectFields& f);
    ProjectFields values() const;
    void accept() override; // refuses while the name is empty

private:
    Prompter& m_prompter;
    QLineEdit* m_name;
    QLineEdit* m_owner;
    QDateEdit* m_date;
    QTimeEdit* m_time;
    QPlainTextEdit* m_memo;
};

} // namespace ses
