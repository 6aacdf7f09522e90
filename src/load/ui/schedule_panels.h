#pragma once
// Parts the two schedule dialogs share: the upper panel with the schedule's name, month range
// and the variant's region, daily cycle and K; the monthly table "без солнца" with its note; a
// label that toggles its check box.

#include "load/schedule_store.h"
#include "load/ui/schedule_report.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLayout;
class QLineEdit;
class QListWidget;

namespace ses {

class StringGrid;

// The power captions, rebuilt from the settings' two load windows (minutes).
QString nominalPowerLabel(int minutes);
QString maximumPowerLabel(int minutes);
inline const QString kPeakPowerLabel = QStringLiteral("Пиковая выходная мощность (6 секунд), Вт:");
inline const QString kDailyEnergyLabel =
    QStringLiteral("Суточное потребление электроэнергии, Вт*ч:");
inline const QString kNameRequired =
    QStringLiteral("Поле \"Наименование суточного графика\" должно быть заполнено.");
// Width of the name column of the schedule tables (SutGrafName).
inline constexpr int kScheduleNameLength = 50;

// " Общие параметры суточного графика ".
class ScheduleHeader : public QGroupBox {
    Q_OBJECT
public:
    explicit ScheduleHeader(QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }
    QComboBox* fromBox() const { return m_from; }
    QComboBox* toBox() const { return m_to; }
    QString name() const;
    QString from() const;
    QString to() const;
    // Fills the name and range without announcing a range change.
    void setSchedule(const QString& name, const QString& from, const QString& to);
    // The variant's region, daily cycle and K (read-only).
    void setInputs(const ScheduleInputs& in);

signals:
    // The user chose another first or last month.
    void rangeChanged();

private:
    QLineEdit* m_name;
    QComboBox* m_from;
    QComboBox* m_to;
    QLineEdit* m_region;
    QCheckBox* m_dailyCycle;
    QLabel* m_kLabel;
    QLineEdit* m_k;
};

// A caption that ticks and unticks its check box when clicked.
class ToggleLabel : public QLabel {
public:
    ToggleLabel(const QString& text, QCheckBox* box, QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QCheckBox* m_box;
};

// The pure-sine box with its clickable caption.
struct PureSineRow {
    QHBoxLayout* layout;
    QCheckBox* box;
    ToggleLabel* label;
};
PureSineRow makePureSineRow(QWidget* parent);

class MonthlyTable;

// A read-only field of a computed figure, right-aligned.
QLineEdit* resultField(QWidget* parent, const QString& name);

// The page "Расчетные параметры": the daily energy, the nominal and maximum powers with their
// captions, the peak power (the row the caller makes on the page), the pure-sine row and the
// monthly table "без солнца".
struct ScheduleResults {
    QWidget* page;
    QLineEdit *wpSut, *pnom, *pmax;
    QLabel *nominalLabel, *maximumLabel, *peakLabel;
    PureSineRow sine;
    MonthlyTable* monthly;
};
ScheduleResults makeScheduleResults(QWidget* parent,
                                    const std::function<QLayout*(QWidget* page)>& peakRow);

// The monthly table (fourteen columns, a frozen title row) with its column note below.
class MonthlyTable : public QWidget {
    Q_OBJECT
public:
    explicit MonthlyTable(QWidget* parent = nullptr);

    StringGrid* grid() const { return m_grid; }
    // Rows of fourteen texts; no rows shows one empty row.
    void setRows(const std::vector<QStringList>& rows);
    void setRows(const std::vector<MonthlyRow>& rows);
    // The data rows as shown, without a completely empty row.
    std::vector<QStringList> rows() const;
    int dataRows() const; // rows of figures, the empty placeholder included
    // Typed layout: only columns 3 and 5 take typing (digits), on the window background; the
    // other columns refuse every key but Tab and the navigation keys, on the button face.
    void setTyped(bool typed);
    void fitColumns();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintCells();

    StringGrid* m_grid;
    QListWidget* m_note;
    bool m_typed = false;
};

// The hint of a schedule dialog's "Экспорт...".
inline const QString kScheduleExportHint =
    QStringLiteral("Экспорт полного отчёта по суточному графику в текстовый документ");

// The fields that show a schedule's computed figures.
struct ScheduleFigureFields {
    const QLineEdit *wpSut, *pnom, *pmax, *peak;
    const QLabel *nominalLabel, *maximumLabel;
    const QCheckBox* sine;
    const MonthlyTable* monthly;
};
// The report's general parameters and figures as the dialog shows them; the intervals and the
// chart are the caller's.
ScheduleReport scheduleReport(const ScheduleHeader& header, const ScheduleInputs& in,
                              const ScheduleFigureFields& f);

// A country house's day for the screen tour: night light, a morning, the day, an evening and a
// six-minute kettle.
IntervalTexts tourIntervals();

} // namespace ses
