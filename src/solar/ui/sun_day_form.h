#pragma once
// "Справочник среднемесячных периодов светлого времени суток.": the mean sunrise and sunset of
// every month (sSun_day_def) and the light periods new variants take (sSun_day). The periods can
// be copied from sunrise and sunset and narrowed at both ends; each of these changes every month
// in one transaction or none.

#include <QDialog>

#include <functional>

namespace ses {

class BoundGrid;
class Navigator;
class NumberField;
class Prompter;
class TDataModule1;

class TsSunDayF : public QDialog {
public:
    TsSunDayF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    void run(); // modal
    void loadForTour();

    BoundGrid* sunGrid() const { return m_sunGrid; }
    BoundGrid* periodGrid() const { return m_periodGrid; }
    Navigator* sunNavigator() const { return m_sunNavigator; }
    Navigator* periodNavigator() const { return m_periodNavigator; }
    NumberField* fromStartField() const { return m_fromStart; }
    NumberField* fromEndField() const { return m_fromEnd; }

    // "Восход - закат": every period month takes the sunrise and sunset of the same month.
    bool copySunriseSunset();
    // "Изменить" with the two fields' values; a bad value is reported and changes nothing.
    bool narrowFromFields();
    // Every period: start + fromStart, end - fromEnd (written with "0.###"). False, with every
    // period as it was, when a month is refused.
    bool narrow(double fromStart, double fromEnd);

    void reject() override;

private:
    bool saveEdits();
    // Runs change on every row of the periods in one transaction; the periods stay on their row.
    bool changeEveryPeriod(const std::function<bool(int row)>& change);

    TDataModule1& m_dm;
    Prompter& m_prompter;
    BoundGrid* m_sunGrid;
    BoundGrid* m_periodGrid;
    Navigator* m_sunNavigator;
    Navigator* m_periodNavigator;
    NumberField* m_fromStart;
    NumberField* m_fromEnd;
};

} // namespace ses
