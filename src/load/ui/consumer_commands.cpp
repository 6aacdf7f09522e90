#include "load/ui/consumer_commands.h"

#include "data/data_module.h"
#include "lib/prompter.h"
#include "load/ui/ep_chooser.h"
#include "load/ui/period_form.h"
#include "widgets/bound_grid.h"

#include <QCheckBox>

namespace ses {

ConsumerCommands::ConsumerCommands(TDataModule1& dm, Prompter& prompter, Setup setup)
    : m_dm(dm), m_prompter(prompter), m_setup(std::move(setup)) {}

View& ConsumerCommands::consumers() const {
    return m_dm.tbl(consumerTables(m_setup.ac, m_setup.place).consumers);
}

View& ConsumerCommands::periods() const {
    return m_dm.tbl(consumerTables(m_setup.ac, m_setup.place).periods);
}

std::vector<Consumer> ConsumerCommands::current() const {
    return currentConsumers(m_dm, m_setup.ac, m_setup.place);
}

bool ConsumerCommands::finishPeriodEdit() {
    if (!m_setup.periodGrid->commitEditor())
        return false;
    try {
        return !periods().isEditing() || periods().post();
    } catch (const DbError& e) {
        m_prompter.error(e.message());
        return false;
    }
}

TsEPForm& ConsumerCommands::catalog() {
    if (!m_catalog)
        m_catalog = m_setup.ac
                        ? new TsEPForm(m_dm, m_prompter, true, m_setup.owner)
                        : static_cast<TsEPForm*>(new TsEP12Frm(m_dm, m_prompter, m_setup.owner));
    return *m_catalog;
}

void ConsumerCommands::add() {
    if (!finishPeriodEdit() || !m_setup.ready())
        return;
    if (const auto chosen = catalog().choose(m_setup.voltage()))
        addFromCatalog(chosen->first, chosen->second);
}

bool ConsumerCommands::addFromCatalog(const CatalogConsumer& c, int quantity) {
    const bool ok =
        appendConsumer(m_dm, m_setup.ac, consumerFromCatalog(c, quantity), m_setup.place);
    m_setup.consumerGrid->setFocus();
    return ok;
}

void ConsumerCommands::replace() {
    View& v = consumers();
    if (v.isEmpty() || !finishPeriodEdit() || !m_setup.ready())
        return;
    if (const auto chosen = catalog().choose(
            m_setup.voltage(), v[QStringLiteral("Name")].asString(),
            v[QStringLiteral("Pnom")].asFloat(), v[QStringLiteral("Kol_vo")].asInteger()))
        replaceFromCatalog(chosen->first, chosen->second);
}

bool ConsumerCommands::replaceFromCatalog(const CatalogConsumer& c, int quantity) {
    const bool ok =
        replaceConsumer(m_dm, m_setup.ac, consumerFromCatalog(c, quantity), m_setup.place);
    m_setup.consumerGrid->setFocus();
    return ok;
}

void ConsumerCommands::remove() {
    if (consumers().isEmpty() || !finishPeriodEdit() || !m_setup.ready())
        return;
    if (m_setup.askDelete->isChecked() &&
        !m_prompter.question(QStringLiteral("Удалить электроприемник?")))
        return;
    deleteConsumer(m_dm, m_setup.ac, m_setup.place);
    m_setup.consumerGrid->setFocus();
}

void ConsumerCommands::editPeriods() {
    if (!finishPeriodEdit() || !m_setup.ready())
        return;
    View& v = consumers();
    if (v.isEmpty()) {
        m_prompter.error(QStringLiteral("Перед вставкой записей в таблицу \"Время работы\" "
                                        "добавьте хотя бы одну запись в таблицу "
                                        "\"Электроприемники\"."));
        return;
    }
    if (!m_periodForm)
        m_periodForm = new TPeriodFm(m_prompter, m_setup.owner);
    if (const auto split = m_periodForm->run(v[QStringLiteral("Name")].asString(),
                                             v[QStringLiteral("Pnom")].asFloat()))
        setPeriods(*split);
}

bool ConsumerCommands::setPeriods(const std::vector<std::pair<double, double>>& list) {
    const bool ok = replacePeriods(m_dm, m_setup.ac, list, m_setup.place);
    m_setup.periodGrid->setFocus();
    return ok;
}

bool ConsumerCommands::runTest(bool tellSuccess) {
    if (const auto e = testConsumerPeriods(current())) {
        m_prompter.error(*e);
        return false;
    }
    if (tellSuccess)
        m_prompter.information(QStringLiteral("Ошибки не обнаружены."));
    return true;
}

bool ConsumerCommands::test() {
    return finishPeriodEdit() && runTest(true);
}

void ConsumerCommands::copy() {
    if (!finishPeriodEdit() || !runTest(false))
        return;
    m_clipboard = currentConsumerRecords(m_dm, m_setup.ac, m_setup.place);
    m_setup.copied();
}

void ConsumerCommands::paste() {
    if (m_clipboard.empty() || !finishPeriodEdit() || !m_setup.ready())
        return;
    appendConsumers(m_dm, m_setup.ac, m_clipboard, m_setup.place);
    m_setup.consumerGrid->setFocus();
}

} // namespace ses
