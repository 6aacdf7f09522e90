#pragma once
// The filter dialogs of the tabular choices: the value dialog of one condition
// ("Значение параметра фильтрации.", a range or individual values out of the column's distinct
// values) and the dialog of makers, types and eight condition fields that the battery and the
// solar battery filters share. Both keep their state for as long as the program runs. Also the
// box in which a tabular choice shows its filter.

#include "lib/filter.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace ses {

class Prompter;
class StringGrid;

class TFilterFm : public QDialog {
public:
    TFilterFm(Prompter& prompter, QWidget* parent = nullptr);

    // Shows the parameter and offers the values (distinct, ascending): none ticked, the first of
    // each range list selected. The radio choice stays as the user left it.
    void prepare(const QString& parameter, const QStringList& values);
    // prepare() and the dialog; the condition text on "ОК", nullopt on "Отмена".
    std::optional<QString> ask(const QString& parameter, const QStringList& values);

    // "ОК": a reversed range is refused with its message and the dialog stays open.
    bool ok();
    void accept() override;
    // The condition made on the last accepted "ОК": "от .. до", or the ticked values joined.
    const QString& condition() const { return m_condition; }

    QRadioButton* rangeButton() const { return m_range; }
    QRadioButton* valuesButton() const { return m_values; }
    QComboBox* fromBox() const { return m_from; }
    QComboBox* toBox() const { return m_to; }
    QListWidget* valueList() const { return m_list; }
    QLineEdit* parameterField() const { return m_parameter; }

private:
    void updateStates();

    Prompter& m_prompter;
    QString m_condition;
    QLineEdit* m_parameter;
    QRadioButton* m_range;
    QRadioButton* m_values;
    QComboBox* m_from;
    QComboBox* m_to;
    QListWidget* m_list;
};

// The filter dialog: check lists of makers (and of types, when the table has them) and eight
// read-only condition fields, each with "..." (the value dialog) and "X" (empties it).
class FilterDialog : public QDialog {
public:
    struct Spec {
        QString windowClass; // the window table's name
        QString makersLabel; // the check list's caption
        QString typesLabel;  // empty: no type list
        std::vector<FilterFieldLabel> fields;
    };
    // The distinct values of a field's column over the whole candidate list.
    using ValuesOf = std::function<QStringList(int field)>;

    FilterDialog(const Spec& spec, Prompter& prompter, QWidget* parent = nullptr);

    void setValueSource(ValuesOf values) { m_valuesOf = std::move(values); }
    // Fills the lists; an item is ticked when it was ticked at the last "ОК", every item when none
    // was then or before the first "ОК".
    void prepare(const QStringList& makers, const QStringList& types = {});
    // prepare() and the dialog; true on "ОК".
    bool run(const QStringList& makers, const QStringList& types = {});

    void accept() override;
    void reject() override;
    // "..." of a field: the value dialog, its condition into the field.
    void chooseValue(int field);
    void clearField(int field);

    // As confirmed by the last "ОК".
    const QStringList& tickedMakers() const { return m_makers; }
    const QStringList& tickedTypes() const { return m_types; }
    QStringList fieldTexts() const;

    QListWidget* makerList() const { return m_makerList; }
    QListWidget* typeList() const { return m_typeList; }
    QLineEdit* field(int i) const { return m_fields[i]; }
    TFilterFm& valueDialog() const { return *m_valueDialog; }

private:
    static void fill(QListWidget* list, const QStringList& items, const QStringList& ticked);
    static QStringList ticked(const QListWidget* list);

    Spec m_spec;
    ValuesOf m_valuesOf;
    QStringList m_makers, m_types;
    QStringList m_openedWith; // the fields as the dialog opened: "Отмена" puts them back
    QListWidget* m_makerList;
    QListWidget* m_typeList = nullptr;
    std::vector<QLineEdit*> m_fields;
    TFilterFm* m_valueDialog;
};

// The box of a tabular choice that shows its filter: the summary of the conditions (long lists
// of makers wrap), "Фильтр..." and "Отключить" (off until a filter is set).
struct FilterBox {
    QGroupBox* box;
    StringGrid* summary;
    QPushButton* filter;
    QPushButton* off;
};
FilterBox newFilterBox(const QString& title, QWidget* parent);
// The summary rows of the filter under the heading (one empty row without a filter), and
// "Отключить" enabled while a filter is set.
void showFilterSummary(StringGrid* summary, QPushButton* off,
                       const std::optional<RowFilter>& filter);

} // namespace ses
