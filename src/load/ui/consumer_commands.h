#pragma once
// The commands on a list of consumers and their operating periods that the consumer dialogs and
// the consumer-detailed schedule books share: add or replace a consumer from the catalog, delete
// it, split its periods, test the periods, copy the list and paste it. The lists are the variant's
// or the book's; the window says when they may change and which DC voltage the catalog offers.

#include "load/consumer_store.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QCheckBox;
class QWidget;

namespace ses {

class BoundGrid;
class Prompter;
class TDataModule1;
class TPeriodFm;
class TsEPForm;
class View;
struct CatalogConsumer;

class ConsumerCommands {
public:
    struct Setup {
        bool ac = true;
        ConsumerPlace place = ConsumerPlace::Project;
        QWidget* owner = nullptr; // parent of the catalog and period dialogs
        BoundGrid* consumerGrid = nullptr;
        BoundGrid* periodGrid = nullptr;
        QCheckBox* askDelete = nullptr; // "ask before deleting"
        // Whether the lists may change now; says why when not.
        std::function<bool()> ready = [] { return true; };
        // The DC voltage whose consumers the catalog offers (none: every one).
        std::function<std::optional<double>()> voltage = [] { return std::nullopt; };
        // The clipboard was filled.
        std::function<void()> copied = [] {};
    };

    ConsumerCommands(TDataModule1& dm, Prompter& prompter, Setup setup);

    View& consumers() const;
    View& periods() const;
    std::vector<Consumer> current() const;
    const ConsumerClipboard& clipboard() const { return m_clipboard; }

    // Saves the period row being edited; false (the reason told) when it cannot be.
    bool finishPeriodEdit();
    TsEPForm& catalog();

    void add();
    bool addFromCatalog(const CatalogConsumer& c, int quantity);
    void replace();
    bool replaceFromCatalog(const CatalogConsumer& c, int quantity);
    void remove();
    void editPeriods();
    bool setPeriods(const std::vector<std::pair<double, double>>& periods);
    // The periods' test; tells "Ошибки не обнаружены." with tellSuccess.
    bool runTest(bool tellSuccess);
    bool test(); // the row being edited saved, then runTest(true)
    void copy();
    void paste();

private:
    TDataModule1& m_dm;
    Prompter& m_prompter;
    Setup m_setup;
    ConsumerClipboard m_clipboard;
    TsEPForm* m_catalog = nullptr;
    TPeriodFm* m_periodForm = nullptr;
};

} // namespace ses
