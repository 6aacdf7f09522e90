#pragma once
// The consumer catalogs in their choosing layout: "Справочник электроприемников переменного
// напряжения." (sEP) and "... постоянного напряжения." (sEP12). A search box moves to the first
// consumer whose name begins with what is typed, "Количество, шт.:" gives the quantity, and the
// DC catalog shows only the consumers of one voltage while it is open for choosing.

#include "load/consumers.h"

#include <QDialog>

#include <optional>
#include <utility>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ses {

class BoundGrid;
class NumberField;
class Prompter;
class TDataModule1;
class View;

class TsEPForm : public QDialog {
    Q_OBJECT
public:
    TsEPForm(TDataModule1& dm, Prompter& prompter, bool ac, QWidget* parent = nullptr);

    // Shows the catalog for choosing; on "ОК" the current consumer and the quantity. The DC
    // catalog shows only the consumers of dcVoltageFilter volts. The catalog is first positioned
    // on the consumer of that name and rated power, when there is one.
    std::optional<std::pair<CatalogConsumer, int>> choose(std::optional<double> dcVoltageFilter,
                                                          const QString& positionOnName = {},
                                                          std::optional<double> positionOnPnom = {},
                                                          int quantity = 1);
    // The filling of choose() without showing the dialog; finish() removes the filter again.
    void prepare(std::optional<double> dcVoltageFilter, const QString& positionOnName = {},
                 std::optional<double> positionOnPnom = {}, int quantity = 1);
    void finish();
    // Positioned on a consumer in the middle of the catalog, for the screen tour.
    void loadForTour();

    // Modal, for browsing and editing the catalog: the record bar, no quantity, no filter,
    // "Закрыть" only.
    void browse();
    // The browsing layout (true) or the choosing one.
    void setBrowsing(bool browsing);
    bool isBrowsing() const { return m_browsing; }
    // Saves the consumer still being edited; false (the window stays) when it is refused.
    bool saveEdit();
    class Navigator* recordNavigator() const {
        return m_recordBar;
    }

    bool isAc() const { return m_ac; }
    // The consumer the catalog stands on, nullopt when no consumer is shown.
    std::optional<CatalogConsumer> current() const;
    // What "ОК" accepted.
    const std::optional<std::pair<CatalogConsumer, int>>& chosen() const { return m_chosen; }
    // Whether the catalog row is shown under the filter.
    bool isShown(int row) const;

    BoundGrid* grid() const { return m_grid; }
    QLineEdit* searchField() const { return m_search; }
    NumberField* quantityField() const { return m_quantity; }
    QLabel* filterLabel() const { return m_filterLabel; }

    void accept() override;
    void done(int r) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    View& catalog() const;
    void search(const QString& text);
    void applyFilter();
    void moveTo(int row);
    int firstShown() const;

    TDataModule1& m_dm;
    Prompter& m_prompter;
    bool m_ac;
    std::optional<double> m_filter;
    std::optional<std::pair<CatalogConsumer, int>> m_chosen;

    BoundGrid* m_grid;
    QLineEdit* m_search;
    NumberField* m_quantity;
    QLabel* m_filterLabel;
    QWidget* m_quantityBox;
    class Navigator* m_recordBar;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    bool m_browsing = false;
};

// The DC catalog.
class TsEP12Frm : public TsEPForm {
    Q_OBJECT
public:
    TsEP12Frm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr)
        : TsEPForm(dm, prompter, false, parent) {}
};

} // namespace ses
