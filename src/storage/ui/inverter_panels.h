#pragma once
// Parts the inverter windows share: the read-only group " Исходные данные " of the selection
// and the tabular choice, shown figures, the note list and the button row.

#include "storage/inverter_ops.h"
#include "widgets/form_rows.h"

#include <QGroupBox>
#include <QHBoxLayout>

#include <utility>
#include <vector>

class QCheckBox;
class QDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace ses {

// Help topics of the windows.
inline constexpr int kInvFormTopic = 89;
inline constexpr int kSelInvTopic = 46;
inline constexpr int kTabInvTopic = 63;
inline constexpr int kAnalInvTopic = 90;

// A right-aligned read-only field for a shown figure.
QLineEdit* makeShownField(QWidget* parent, int width = 90);

// A read-only list of note lines; fitHeight: exactly tall enough to show every line.
QListWidget* makeNoteList(const QStringList& lines, QWidget* parent, bool fitHeight = true);

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

// The button row: extra command buttons at the left, then "ОК", "Отмена" and "Справка..." (or
// only "Закрыть" and "Справка..." for a window that chooses nothing) at the right. "Справка..."
// and F1 open the topic.
struct DialogButtons {
    QHBoxLayout* layout = nullptr;
    QPushButton* ok = nullptr;     // "ОК", or "Закрыть"
    QPushButton* cancel = nullptr; // null for a window that chooses nothing
    QPushButton* help = nullptr;
};
DialogButtons makeDialogButtons(QDialog* dialog, int helpTopic,
                                const std::vector<QPushButton*>& left, bool chooses = true);

// "Экспорт...": the hint and a writer for the report.
QPushButton* makeExportButton(QWidget* parent, const QString& hint);

} // namespace ses
