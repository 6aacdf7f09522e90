#pragma once
// "Общая нагрузка солнечной электростанции по месяцам.": for a month of the year, every schedule
// of the current variant valid in it, AC and DC alike, superposed: the consumers, the interval
// picture, the combined schedule, the detail and peak tables and the remarks on simultaneous
// operation and starts. Read-only; the remark parameters stay as set between openings.

#include "load/load_totals.h"

#include <QDialog>

class QComboBox;
class QProgressBar;

namespace ses {

class Prompter;
class TDataModule1;
class TotalsPages;

class TNagrDopF : public QDialog {
    Q_OBJECT
public:
    TNagrDopF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Reads the current variant and shows the window modally.
    void run();
    // Reads the current variant, offers its months and shows the first of them.
    void load();
    void loadForTour() { load(); }

    QComboBox* monthBox() const { return m_month; }
    QProgressBar* progress() const { return m_progress; }
    TotalsPages* pages() const { return m_pages; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void monthChosen();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    TotalsInput m_input;
    bool m_loading = false;
    QComboBox* m_month;
    QProgressBar* m_progress;
    TotalsPages* m_pages;
};

} // namespace ses
