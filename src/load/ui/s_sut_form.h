#pragma once
// "Справочник суточных графиков без детализации по электроприемникам.", choosing layout: the
// sections and schedules of the book with the intervals of the current schedule; on "ОК" the
// caller reads the current schedule's intervals (bookIntervals).

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace ses {

class BoundGrid;
class Prompter;
class TDataModule1;

class TsSutForm : public QDialog {
    Q_OBJECT
public:
    TsSutForm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    bool run(); // true on "ОК" with a schedule that has intervals

    void accept() override;

private:
    TDataModule1& m_dm;
    Prompter& m_prompter;
    BoundGrid* m_sections;
    BoundGrid* m_schedules;
    BoundGrid* m_intervals;
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
