#pragma once
// "Просмотр параметров схемы солнечной батареи.": the connection schemes of the variant's panel
// arrays with the currents of the strings and buses, the cable sections those currents need or
// the connectors and splitters that join the strings. It only shows; the smallest section chosen
// here is kept for the run and used wherever a string's cable is chosen.

#include "reports/drawing.h"
#include "reports/solar_scheme_view.h"
#include "storage/wiring.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QRadioButton;

namespace ses {

class DrawingPane;
class Prompter;
class ReportWriter;
class TDataModule1;

class TViewSPF : public QDialog {
public:
    TViewSPF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Reads the variant and shows the window modally.
    void run();
    // What every opening does: the title, the basis from the program's settings, the arrays of
    // the variant all checked, the catalogs; then the picture, drawn or cleared as the check box
    // says. The controls are filled without redrawing on each of them.
    void load();

    void setAnnotation(SchemeAnnotation kind);
    SchemeAnnotation annotation() const;
    void setShortCircuit(bool on);
    bool shortCircuit() const;
    // The picture after a change: drawn when "Автообновление" is ticked, else cleared.
    void refresh();
    // "Обновить": the picture whatever the check box.
    void redraw();

    void writeReport(ReportWriter& w) const;
    void exportReport();

    // The labels and connector types of the current choice.
    SchemeAnnotations annotations() const;
    Drawing layout(int scale) const;

    QLabel* title() const { return m_title; }
    QListWidget* arrayList() const { return m_arrays; }
    QComboBox* sectionBox() const { return m_section; }
    QLabel* connectorNote() const { return m_note; }
    DrawingPane* pane() const { return m_pane; }
    QCheckBox* autoBox() const { return m_auto; }

private:
    void annotationChanged();
    // Why nothing can be drawn, or nothing.
    std::optional<QString> missing() const;

    TDataModule1& m_dm;
    Prompter& m_prompter;
    SchemeVariant m_variant;
    std::vector<WireRating> m_wires;
    std::vector<ConnectorRating> m_connectors;
    std::vector<ConnectorRating> m_splitters;
    bool m_filling = false;
    QListWidget* m_arrays;
    QRadioButton* m_shows[3];
    QRadioButton* m_working;
    QRadioButton* m_shortCircuit;
    QComboBox* m_section;
    QLabel* m_note;
    QLabel* m_title;
    DrawingPane* m_pane;
    QCheckBox* m_auto;
};

} // namespace ses
