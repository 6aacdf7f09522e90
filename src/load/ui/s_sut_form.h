#pragma once
// "Справочник суточных графиков без детализации по электроприемникам.", choosing layout: the
// sections and schedules of the book with the intervals of the current schedule; on "ОК" the
// caller reads the current schedule's intervals (bookIntervals).

#include "load/ui/add_sut_gr_form.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace ses {

class BoundGrid;
class Navigator;
class Prompter;
class StepChart;
class TDataModule1;

// "Редактирование суточного графика.": the interval table of the book's current schedule with
// the commands of the schedule dialog and the imports from the consumer-detailed books; "ОК"
// gives the schedule the table's figures and intervals.
class TsSutFrm1 : public TAddSutGrF {
    Q_OBJECT
public:
    TsSutFrm1(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr)
        : TAddSutGrF(dm, prompter, BookEditor{}, parent) {}

    bool run(); // true when "ОК" wrote the schedule
    using TAddSutGrF::importFromConsumerBook;
    using TAddSutGrF::prepareBook;
};

class TsSutForm : public QDialog {
    Q_OBJECT
public:
    TsSutForm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    bool run(); // choosing: true on "ОК" with a schedule that has intervals
    // Modal, for browsing and editing the book: record bars for the sections and schedules,
    // "Изменить...", "Закрыть" only.
    void browse();
    void setBrowsing(bool browsing);
    bool isBrowsing() const { return m_browsing; }

    // "Изменить...": the editor over the current schedule, when one can be edited.
    void change();
    TsSutFrm1& editor();
    // Draws the chart of the current schedule's intervals (empty without any).
    void redraw();

    StepChart* chart() const { return m_chart; }
    QPushButton* changeButton() const { return m_change; }
    Navigator* sectionBar() const { return m_sectionBar; }
    Navigator* scheduleBar() const { return m_scheduleBar; }

    void accept() override;
    void done(int r) override;

protected:
    void changeEvent(QEvent* event) override;

private:
    bool saveEdits();

    TDataModule1& m_dm;
    Prompter& m_prompter;
    BoundGrid* m_sections;
    BoundGrid* m_schedules;
    BoundGrid* m_intervals;
    Navigator* m_sectionBar;
    Navigator* m_scheduleBar;
    StepChart* m_chart;
    QPushButton* m_change;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    std::vector<QPushButton*> m_csv; // "Экспорт в CSV...", "Импорт из CSV..." (browsing only)
    TsSutFrm1* m_editor = nullptr;
    bool m_browsing = false;
};

// "Сохранение суточного графика.": the section of the book (one of its sections or a new name)
// and the name of the schedule.
class TsRazdGrF : public QDialog {
    Q_OBJECT
public:
    TsRazdGrF(Prompter& prompter, QWidget* parent = nullptr);

    // Offers the sections (the first preset while the field is empty) and the proposed name.
    bool run(const QStringList& sections, const QString& name);
    void prepare(const QStringList& sections, const QString& name);
    QString section() const;
    QString name() const;

    void accept() override;

private:
    Prompter& m_prompter;
    QComboBox* m_section;
    QLineEdit* m_name;
};

} // namespace ses
