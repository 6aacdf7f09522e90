#pragma once
// "Выбор контроллера заряда.": the controllers of the catalog that suit one array, under the
// source data of the controller window and the array's name, power and current. "ОК" takes the
// current candidate; with none there is nothing to take.

#include "solar/controllers.h"
#include "widgets/form_rows.h"

#include <QDialog>

#include <optional>
#include <vector>

class QPushButton;

namespace ses {

class Prompter;
class StringGrid;

class TSelCtrlF : public QDialog {
public:
    explicit TSelCtrlF(Prompter& prompter, QWidget* parent = nullptr);

    // The nine source values (as the controller window shows them), the array and the
    // candidates; the current candidate is the first of the array's present type, else the first.
    void setInput(const QStringList& source, const ControllerArray& row,
                  std::vector<ControllerCandidate> candidates);
    // Shown modally; with no candidate the user is told so first. True on "ОК".
    bool run();

    // The candidate under the cursor; nullopt without one.
    std::optional<ControllerCandidate> chosen() const;
    void setCurrent(int candidate);

    static const QStringList& columnTitles();
    static QStringList candidateTexts(const ControllerCandidate& c);
    static QString noCandidateText();

    StringGrid* grid() const { return m_grid; }
    QPushButton* okButton() const { return m_ok; }
    QString fieldText(const QString& key) const { return m_fields.text(key); }

private:
    Prompter& m_prompter;
    std::vector<ControllerCandidate> m_candidates;
    ShownRows m_fields;
    StringGrid* m_grid;
    QPushButton* m_ok;
};

} // namespace ses
