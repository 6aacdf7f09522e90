#pragma once
// "Сравнение схем вариантов проекта.": the structural schemes of two variants of the current
// project side by side, each pane with its own list of the variants. The schemes are read by the
// variants' keys, so the main window's current variant never moves.

#include "data/data_module.h"
#include "reports/structural_scheme.h"

#include <QDialog>

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace ses {

class NumberField;
class SchemeView;

class TComShemF : public QDialog {
public:
    TComShemF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Fills both lists with the project's variants, selects the current one on the left and the
    // first on the right and draws both; run() also shows the window modally.
    void prepare();
    int run();

    // "Обновить": checks the scales once and redraws both panes.
    void refresh();

    QComboBox* list(int pane) const { return m_panes[pane].list; }
    SchemeView* view(int pane) const { return m_panes[pane].view; }
    NumberField* panelScale() const { return m_panelScale; }
    NumberField* batteryScale() const { return m_batteryScale; }
    QCheckBox* currents() const { return m_currents; }
    QPushButton* updateButton() const { return m_update; }

private:
    struct Pane {
        QComboBox* list = nullptr;
        SchemeView* view = nullptr;
    };
    // Clears the pane and draws the chosen variant when it can be drawn at checked scales.
    void redraw(int pane, const std::optional<SchemeOptions>& options);
    std::optional<SchemeOptions> checkedScales();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    Pane m_panes[2];
    std::vector<qint64> m_keys;
    NumberField* m_panelScale;
    NumberField* m_batteryScale;
    QCheckBox* m_currents;
    QPushButton* m_update;
};

} // namespace ses
