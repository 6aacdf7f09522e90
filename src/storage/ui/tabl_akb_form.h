#pragma once
// "Табличный выбор аккумуляторной батареи.": every battery model of the catalog in use that can
// serve the variant, each assembled as the battery window assembles it, in one table that a
// filter narrows ("Фильтрация аккумуляторной батареи."), with the connection scheme of the row
// under the cursor. "ОК" hands that row back to the battery window.

#include "reports/drawing.h"
#include "storage/battery_ops.h"
#include "storage/battery_table.h"
#include "widgets/filter_form.h"
#include "widgets/form_rows.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace ses {

class CandidateModel;
class DrawingPane;
class Prompter;
class StringGrid;
class TDataModule1;

// The battery filter: makers, types and the eight condition fields of the battery table.
class TAKBFiltF : public FilterDialog {
public:
    TAKBFiltF(Prompter& prompter, QWidget* parent = nullptr);
};

class TTablAKBF : public QDialog {
public:
    TTablAKBF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // What the battery window hands over before the window is shown: its figures, the state of
    // its check box, the model selected there (tracked) and the tracking box's caption.
    void prepare(const BatterySource& source, bool matchCharge, const QString& company,
                 const QString& tip, const QString& name);
    // prepare() and the dialog; true on "ОК" (chosen() is then the row).
    bool run(const BatterySource& source, bool matchCharge, const QString& company,
             const QString& tip, const QString& name);

    // Builds the list again: every model assembled, the list written, the filter applied, the
    // cursor placed, the scheme drawn.
    void rebuild();
    // "Фильтр...": the dialog; on its "ОК" the filter of its ticks and fields.
    void editFilter();
    // The filter of the dialog's present state, as after its "ОК".
    void applyFilter();
    // "Отключить".
    void switchFilterOff();
    void setTracking(bool on);

    std::optional<BatteryCandidate> chosen() const;
    bool matchCharge() const;
    // The rows shown (the filter applied) and the whole list.
    const std::vector<BatteryCandidate>& shown() const { return m_shown; }
    const std::vector<BatteryCandidate>& candidates() const { return m_all; }
    int currentRow() const;
    void setCurrentRow(int row);

    TAKBFiltF& filterDialog() const { return *m_filter; }
    QCheckBox* matchBox() const { return m_match; }
    QCheckBox* trackBox() const { return m_track; }
    QPushButton* filterButton() const { return m_filterButton; }
    QPushButton* offButton() const { return m_off; }
    QPushButton* okButton() const { return m_ok; }
    StringGrid* summaryGrid() const { return m_summary; }
    QTableView* table() const { return m_table; }
    DrawingPane* schemePane() const { return m_scheme; }
    QString fieldText(const QString& name) const { return m_fields.text(name); }

private:
    void showRows();
    void redrawScheme();
    QStringList distinctValues(int field) const;

    TDataModule1& m_dm;
    Prompter& m_prompter;
    BatterySource m_source;
    QString m_tracked[3];
    std::vector<BatteryCandidate> m_all;
    std::vector<BatteryCandidate> m_shown;
    std::optional<RowFilter> m_rowFilter;
    bool m_building = false;

    ShownRows m_fields;
    QLabel* m_recommended;
    QCheckBox* m_match;
    StringGrid* m_summary;
    QPushButton* m_filterButton;
    QPushButton* m_off;
    QCheckBox* m_track;
    CandidateModel* m_model;
    QTableView* m_table;
    DrawingPane* m_scheme;
    QPushButton* m_ok;
    TAKBFiltF* m_filter;
};

} // namespace ses
