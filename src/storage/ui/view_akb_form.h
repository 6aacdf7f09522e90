#pragma once
// "Просмотр параметров схемы аккумуляторной батареи.": the variant's stored battery drawn as a
// grid of cells between the buses, every conductor labelled with the charge current it carries
// or the jumper section that current needs. It only shows; it keeps its choices between openings.

#include "reports/drawing.h"
#include "storage/jumpers.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ses {

class DrawingPane;
class Prompter;
class ReportWriter;
class TDataModule1;

class TViewAKBF : public QDialog {
public:
    TViewAKBF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Reads the variant's battery and shows the window modally.
    void run();
    // Reads the variant's battery and the jumper catalog, and refreshes.
    void load();

    void setShown(SchemeShows shows);
    void setBasis(CurrentBasis basis);
    SchemeShows shown() const;
    CurrentBasis basis() const;
    // As after a click: the drawing when "Автообновление" is ticked, else cleared.
    void refresh();
    // "Обновить": the drawing whatever the check box.
    void redraw();

    void writeReport(ReportWriter& w) const;
    void exportReport();

    QLabel* heading() const { return m_heading; }
    QLabel* missingLine() const { return m_missing; }
    DrawingPane* pane() const { return m_pane; }
    QCheckBox* autoBox() const { return m_auto; }

private:
    Drawing layout(int scale) const;

    TDataModule1& m_dm;
    Prompter& m_prompter;
    StoredBattery m_battery;
    std::vector<JumperRating> m_jumpers;
    SchemeLabels m_labels;
    QRadioButton* m_showCurrent;
    QRadioButton* m_showSection;
    QRadioButton* m_basis[3];
    QLabel* m_heading;
    QLabel* m_missing;
    DrawingPane* m_pane;
    QCheckBox* m_auto;
};

} // namespace ses
