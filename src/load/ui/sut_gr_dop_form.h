#pragma once
// "Дополнительная информация по суточному графику.": the views of the monthly totals for one
// schedule built from consumers, as its dialog hands it over: the consumers, the interval
// picture (its month only choosing the dark periods), the schedule, the detail and peak tables
// and the remarks. Read-only; the remark parameters stay as set between openings.

#include "load/ui/create_sg_form.h"

#include <QDialog>

class QComboBox;

namespace ses {

class Prompter;
class TDataModule1;
class TotalsPages;

class TSutGrDopF : public QDialog {
    Q_OBJECT
public:
    TSutGrDopF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Shows the schedule modally.
    void open(const ScheduleInfoRequest& request);
    // Fills the window with the schedule without showing it.
    void load(const ScheduleInfoRequest& request);

    const ScheduleInfoRequest& request() const { return m_request; }
    QComboBox* monthBox() const { return m_month; }
    TotalsPages* pages() const { return m_pages; }

private:
    void monthChosen();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    ScheduleInfoRequest m_request;
    std::vector<DaylightRow> m_daylight;
    bool m_loading = false;
    QComboBox* m_month;
    TotalsPages* m_pages;
};

// Makes the consumer dialog's "Информация..." open the information window over it.
void connectScheduleInfo(TCreateSGF& dialog, TDataModule1& dm, Prompter& prompter);

} // namespace ses
