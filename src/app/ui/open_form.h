#pragma once
// "Открытие проекта.": the projects with their notes and variants; the highlighted project
// becomes current on "OK", the remembered one comes back on cancel. With "Просмотр схемы
// варианта" ticked the structural scheme of the highlighted variant is shown at the dialog's own
// scales.

#include "data/data_module.h"

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace ses {

class BoundGrid;
class NumberField;
class Prompter;
class SchemeView;

class TOpenForm : public QDialog {
public:
    TOpenForm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);
    ~TOpenForm() override;
    bool run(); // true when a project was chosen
    void reject() override;

    // The preview: drawn while "Просмотр схемы варианта" is ticked, as the main window's pane
    // is (panels, an array and a chosen battery), cleared otherwise.
    void redrawPreview();
    QCheckBox* previewBox() const { return m_preview; }
    SchemeView* preview() const { return m_scheme; }
    NumberField* panelScale() const { return m_panelScale; }
    NumberField* batteryScale() const { return m_batteryScale; }

private:
    void updateState();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    BoundGrid* m_projects;
    BoundGrid* m_variants;
    QPlainTextEdit* m_note;
    QPushButton* m_ok;
    QCheckBox* m_preview;
    NumberField* m_panelScale;
    NumberField* m_batteryScale;
    SchemeView* m_scheme;
    int m_variantListener = 0;
    Bookmark m_remembered = -1;
    int m_listener = 0;
};

} // namespace ses
