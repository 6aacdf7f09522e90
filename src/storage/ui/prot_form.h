#pragma once
// The protective devices of the current variant's circuits, one tab per circuit: the panel
// assembly, the arrays' and the controllers' circuits, the inverters' and the DC consumers'. Each
// tab chooses ("Выбор..."), deletes one or all of its devices. One class serves breakers
// ("Автоматические выключатели.") and fuses ("Предохранители.").

#include "storage/protection.h"
#include "widgets/form_rows.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class QTabWidget;

namespace ses {

class BoundGrid;
class Prompter;
class ReportWriter;
class TDataModule1;
class TSelProtFrm;

class TProtForm : public QDialog {
public:
    TProtForm(DeviceKind kind, TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);
    ~TProtForm() override;

    // Filled from the current variant and shown modally.
    void run();
    void load();

    // "Выбор..." of a tab in two halves, so that the dialog can be driven without showing it:
    // fill the dialog for the tab's current record (false, with a message, when an input is
    // missing), then store the device the dialog stands on.
    bool prepareChoice(Circuit circuit);
    bool applyChoice(Circuit circuit, const Candidate& device);
    // Both halves with the dialog shown modally.
    void choose(Circuit circuit);
    // "Удалить" / "Удалить все".
    bool remove(Circuit circuit, bool all);

    DeviceKind kind() const { return m_kind; }
    TSelProtFrm& choiceDialog();
    QTabWidget* tabs() const { return m_tabs; }
    BoundGrid* grid(Circuit c) const { return m_tab[int(c)].grid; }
    QCheckBox* bulkBox(Circuit c) const { return m_tab[int(c)].bulk; }
    QPushButton* chooseButton(Circuit c) const { return m_tab[int(c)].choose; }
    QPushButton* deleteButton(Circuit c) const { return m_tab[int(c)].remove; }
    QPushButton* deleteAllButton(Circuit c) const { return m_tab[int(c)].removeAll; }
    QString fieldText(const QString& name) const { return m_fields.text(name); }

    void writeReport(ReportWriter& w) const;
    void exportReport();

private:
    struct Tab {
        BoundGrid* grid = nullptr;
        QCheckBox* bulk = nullptr;
        QPushButton* choose = nullptr;
        QPushButton* remove = nullptr;
        QPushButton* removeAll = nullptr;
    };
    QWidget* devicePage(Circuit c, const QString& group, const std::vector<FormRow>& params);
    QWidget* gridPage(Circuit c, const QString& caption, const std::vector<QString>& fields,
                      const QStringList& titles, const QString& bulkText);
    QWidget* buttons(Circuit c, bool withAll, QWidget* parent);
    int record(Circuit c) const;
    void updateState();
    void showVariant();

    DeviceKind m_kind;
    TDataModule1& m_dm;
    Prompter& m_prompter;
    QTabWidget* m_tabs;
    Tab m_tab[kCircuitCount];
    ShownRows m_fields;
    TSelProtFrm* m_dialog = nullptr;
    int m_listeners[3] = {0, 0, 0};
};

class TAVForm : public TProtForm {
public:
    TAVForm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr)
        : TProtForm(DeviceKind::Breaker, dm, prompter, parent) {}
};

class TPrForm : public TProtForm {
public:
    TPrForm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr)
        : TProtForm(DeviceKind::Fuse, dm, prompter, parent) {}
};

} // namespace ses
