#pragma once
// "Открытие проекта.": the projects with their notes and variants; the highlighted project
// becomes current on "OK", the remembered one comes back on cancel.

#include "data/data_module.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace ses {

class BoundGrid;

class TOpenForm : public QDialog {
public:
    TOpenForm(TDataModule1& dm, QWidget* parent = nullptr);
    ~TOpenForm() override;
    bool run(); // true when a project was chosen
    void reject() override;

private:
    void updateState();

    TDataModule1& m_dm;
    BoundGrid* m_projects;
    BoundGrid* m_variants;
    QPlainTextEdit* m_note;
    QPushButton* m_ok;
    Bookmark m_remembered = -1;
    int m_listener = 0;
};

} // namespace ses
