#pragma once
// The one form every catalog editor is built from: a fixed-size dialog with, per table of its
// description, a bold heading, a record bar and a grid that edits in place (a detail grid shows
// the rows of its master's current row), the note that explains every column, "Закрыть",
// "Справка..." and F1. Equipment catalogs also copy a record with its detail rows and paste it
// under the highlighted master, in one transaction. Closing saves the rows still being edited;
// a refused row keeps the window open on it.

#include "data/catalog_copy.h"
#include "data/catalog_csv.h"
#include "refbooks/catalog_desc.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <vector>

class QGridLayout;
class QHBoxLayout;
class QPushButton;
class QToolButton;

class QLabel;

namespace ses {

class BoundGrid;
class Navigator;
class Prompter;
class TDataModule1;
class View;

class TCatalogForm : public QDialog {
    Q_OBJECT
public:
    TCatalogForm(TDataModule1& dm, Prompter& prompter, const QString& className,
                 QWidget* parent = nullptr);
    ~TCatalogForm() override;

    const CatalogDesc& desc() const { return m_desc; }

    // Modal, for browsing and editing ("Закрыть" only).
    void browse();

    BoundGrid* grid(int index) const { return m_grids.at(index); }
    BoundGrid* grid(const QString& table) const; // nullptr when the form has no such grid
    Navigator* navigator(int index) const { return m_navigators.at(index); }
    int gridCount() const { return int(m_grids.size()); }
    QToolButton* copyButton() const { return m_copy; }
    QToolButton* pasteButton() const { return m_paste; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* closeButton() const { return m_close; }
    QPushButton* exportButton() const { return m_export; }
    QPushButton* importButton() const { return m_import; }

    // Copy: the current row of the copied table with its detail rows into the buffer, which
    // stays for the whole run. False when there is nothing to copy.
    bool copyRecord();
    // Paste: under the highlighted master, or (after a question naming it) over the row being
    // edited. True when the whole record was written.
    bool pasteRecord();
    bool hasCopy() const { return m_buffer.has_value(); }

    // "Экспорт в CSV...": every table of the catalog into folder, a file each.
    bool exportCsv(const QString& folder);
    // "Импорт из CSV...": the catalog's files from folder, added or replacing; all or nothing,
    // the refused lines listed by file and line.
    bool importCsv(const QString& folder, ImportMode mode);

    // Saves every row still being edited, details first. False (the refused grid focused) when
    // the data refuse one.
    bool saveEdits();

    void done(int r) override;

protected:
    // Browsing ("Закрыть") or choosing ("OK", "Отмена") layout.
    void setChoosingLayout(bool choosing);
    // What must hold before the window closes, after the edits are saved.
    virtual bool closeCheck() { return true; }
    // A command of the window's own, at the left of the button row before the CSV commands.
    void addCommand(QPushButton* b);
    void showEvent(QShowEvent* event) override;

    TDataModule1& m_dm;
    Prompter& m_prompter;

private:
    void buildGrids(QGridLayout* layout, int& bands);
    int widthOf(const GridDesc& g);
    void updateCopyButtons();
    QString headingOf(const QString& table) const;

    const CatalogDesc& m_desc;
    std::vector<BoundGrid*> m_grids;
    std::vector<Navigator*> m_navigators;
    QToolButton* m_copy = nullptr;
    QToolButton* m_paste = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_import = nullptr;
    QHBoxLayout* m_buttonRow = nullptr;
    std::optional<CopiedRecord> m_buffer;
    std::vector<std::pair<View*, int>> m_listeners;
};

// The editors by their class names, for the window table and the tests.
#define SES_CATALOG_FORM(Name)                                                                     \
    class Name : public TCatalogForm {                                                             \
    public:                                                                                        \
        Name(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr)                      \
            : TCatalogForm(dm, prompter, QStringLiteral(#Name), parent) {}                         \
    };
SES_CATALOG_FORM(TsInvForm)
SES_CATALOG_FORM(TsAKBForm)
SES_CATALOG_FORM(TsSunPanF)
SES_CATALOG_FORM(TsContFrm)
SES_CATALOG_FORM(TsKabelFm)
SES_CATALOG_FORM(TsKabInvF)
SES_CATALOG_FORM(TsAVForm)
SES_CATALOG_FORM(TsPrForm)
SES_CATALOG_FORM(TsPeremFm)
SES_CATALOG_FORM(TsMCForm)
SES_CATALOG_FORM(TsKtempFm)
SES_CATALOG_FORM(TsAKBZarF)
SES_CATALOG_FORM(TsInvZuForm)
#undef SES_CATALOG_FORM

class TClimatePreview;

// "Справочник регионов.": the optimal tilt is the data's own while the program computes it, so
// its column is read-only then. A region can also come whole from a weather file or from a
// station of the bundled set, through a preview of its twelve months.
class TsRegForm : public TCatalogForm {
public:
    TsRegForm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);
    ~TsRegForm() override;
    bool tiltIsComputed();

    // The preview of a weather file, or null after saying why the file cannot be used.
    std::unique_ptr<TClimatePreview> climatePreview(const QString& path);
    // Writes what a confirmed preview shows; true when the region was written.
    bool writePreview(const TClimatePreview& preview);
    // "Импорт климата..." and "Из справочника станций...": dialogs, preview, write.
    bool importClimate();
    bool regionFromStation();
    QPushButton* climateButton() const { return m_climate; }
    QPushButton* stationButton() const { return m_station; }
    // Whether the current region's E is derived from a horizontal source or typed.
    QString sourceText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* m_climate = nullptr;
    QPushButton* m_station = nullptr;
    QLabel* m_source = nullptr;
    int m_sourceListener = -1;
};

// The editor of that class name (a catalog of catalogDescs()), parented to parent.
TCatalogForm* makeCatalogForm(const QString& className, TDataModule1& dm, Prompter& prompter,
                              QWidget* parent);

} // namespace ses
