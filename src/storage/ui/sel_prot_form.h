#pragma once
// The choice of a protective device for one circuit: " Исходные данные " with the values the
// choice is based on and a note saying how, then the catalog devices that fit. One class serves
// both kinds; "Выбор автоматического выключателя." and "Выбор предохранителя." are its two faces.

#include "storage/protection.h"

#include <QDialog>

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ses {

class Prompter;
class StringGrid;

class TSelProtFrm : public QDialog {
public:
    TSelProtFrm(DeviceKind kind, Prompter& prompter, QWidget* parent = nullptr);

    // The circuit's requirement (caption, values, note), the candidates and the row to stand on.
    void setInput(const Requirement& r, std::vector<Candidate> candidates, int current);
    // Shown modally; with no candidate the user is told so first and "ОК" stays disabled. True
    // on "ОК" with a candidate.
    bool run();

    std::optional<Candidate> chosen() const;
    DeviceKind kind() const { return m_kind; }
    QStringList columnTitles() const;
    QStringList columnNote() const;

    StringGrid* grid() const { return m_grid; }
    QPushButton* okButton() const { return m_ok; }
    QString noteText() const;
    // The shown value of a label of " Исходные данные " (the colon included); empty if absent.
    QString sourceValue(const QString& label) const;

private:
    DeviceKind m_kind;
    Prompter& m_prompter;
    bool m_byPower = false;
    std::vector<Candidate> m_candidates;
    std::vector<std::pair<QLabel*, QLineEdit*>> m_rows;
    QLabel* m_note;
    QListWidget* m_columnNote;
    StringGrid* m_grid;
    QPushButton* m_ok;
};

class TSelAVFrm : public TSelProtFrm {
public:
    explicit TSelAVFrm(Prompter& prompter, QWidget* parent = nullptr)
        : TSelProtFrm(DeviceKind::Breaker, prompter, parent) {}
};

class TSelPrFrm : public TSelProtFrm {
public:
    explicit TSelPrFrm(Prompter& prompter, QWidget* parent = nullptr)
        : TSelProtFrm(DeviceKind::Fuse, prompter, parent) {}
};

} // namespace ses
