#pragma once
// Parts the inverter windows share: the read-only group " Исходные данные " of the selection
// and the tabular choice, shown figures and the note list.

#include "storage/inverter_ops.h"

#include <QGroupBox>

#include <utility>
#include <vector>

class QCheckBox;
class QDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;

namespace ses {

// A right-aligned read-only field for a shown figure.
QLineEdit* makeShownField(QWidget* parent, int width = 90);

// Fits the columns of a grid to their contents and shares the free width of the grid among
// them, now and whenever the grid is resized.
void fitColumns(QTableWidget* grid);
// The width a grid needs to show every column without scrolling.
int gridContentWidth(const QTableWidget* grid);
// Widens the dialog (up to what a 1366 x 768 screen holds) so the grid shows every column.
void widenForGrid(QDialog* dialog, const QTableWidget* grid);

using Pairs = std::vector<std::pair<QString, QString>>;

// " Исходные данные ": the variant's voltages and reserves and the load's figures, read-only.
class InverterInputsBox : public QGroupBox {
    Q_OBJECT
public:
    // tabular: the tabular choice's caption of the peak power.
    InverterInputsBox(bool tabular, QWidget* parent = nullptr);

    void setInputs(const InverterVariant& variant, const InverterLoad& load,
                   const LoadWindows& windows);
    // The shown captions and values, for a report.
    Pairs pairs() const;

    QLabel* nominalLabel() const { return m_nominalLabel; }
    QLabel* maximumLabel() const { return m_maximumLabel; }
    QCheckBox* peakBox() const { return m_usePeak; }
    QCheckBox* pureSineBox() const { return m_pureSine; }
    QLineEdit* field(int i) const { return m_fields[i]; } // Uses, Uvuh, Pnom, Pmax, Ppik, 3 Zap

private:
    std::vector<QLabel*> m_labels;
    std::vector<QLineEdit*> m_fields;
    QLabel* m_nominalLabel;
    QLabel* m_maximumLabel;
    QCheckBox* m_usePeak;
    QCheckBox* m_pureSine;
};

} // namespace ses
