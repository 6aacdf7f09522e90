// The window kit: the button row and what its buttons do, the export path's failures, forms
// described as data, and the window table's look-up.

#include "fixture.h"

#include "reports/report_error.h"
#include "reports/report_writer.h"
#include "widgets/dialog_buttons.h"
#include "widgets/form_rows.h"
#include "widgets/report_export.h"
#include "widgets/windows.h"

#include <QApplication>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>

#include <stdexcept>

namespace ses::test {
namespace {

// A topic that will never have a page: the viewer names it.
const WindowInfo kWindow{QStringLiteral("TTest"), QStringLiteral("Проба."), 9997};

QStringList rowTexts(const DialogButtons& b)
{
    QStringList texts;
    for (int i = 0; i < b.layout->count(); ++i)
        if (auto* p = qobject_cast<QPushButton*>(b.layout->itemAt(i)->widget()))
            texts << p->text();
        else if (b.layout->itemAt(i)->spacerItem())
            texts << QStringLiteral("|");
    return texts;
}

QString shownHelp(QWidget& window)
{
    auto* browser = window.findChild<QTextBrowser*>();
    return browser ? browser->toPlainText() : QString();
}

TEST(ButtonRow, LaysOutItsButtonsAndWiresThem)
{
    struct Case {
        const char* name;
        ButtonRow row;
        QStringList texts;
        const char* cancelName;
        bool okIsDefault;
    } cases[] = {
        {"choosing", {}, {"|", "ОК", "Отмена", "Справка..."}, "cancel", true},
        {"closing", closeRow(), {"|", "Закрыть", "Справка..."}, "close", false},
        {"own texts", {.ok = "OK", .cancel = "Закрыть"}, {"|", "OK", "Закрыть", "Справка..."},
         "close", true},
    };
    for (Case& c : cases) {
        QDialog dialog;
        auto* command = new QPushButton(QStringLiteral("Расчет"), &dialog);
        c.row.commands = {command};
        const DialogButtons b = makeDialogButtons(&dialog, kWindow, c.row);
        EXPECT_EQ(rowTexts(b), QStringList({"Расчет"}) + c.texts) << c.name;
        EXPECT_EQ(b.cancel->objectName(), c.cancelName) << c.name;
        EXPECT_EQ(b.ok != nullptr && b.ok->isDefault(), c.okIsDefault) << c.name;
        for (QPushButton* p : dialog.findChildren<QPushButton*>())
            EXPECT_GE(p->minimumWidth(), 90) << c.name << " " << p->text().toStdString();
        if (!b.ok) { // Enter in a grid must not reach a button of a closing row
            for (QPushButton* p : {b.cancel, b.help})
                EXPECT_FALSE(p->autoDefault()) << c.name;
        }

        b.cancel->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected) << c.name;
        if (b.ok) {
            b.ok->click();
            EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.name;
        }
    }
}

TEST(ButtonRow, HelpAndF1OpenTheWindowsTopic)
{
    QDialog dialog;
    makeDialogButtons(&dialog, kWindow);
    ASSERT_TRUE(showActive(dialog));
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_TRUE(shownHelp(dialog).contains("Раздел справки 9997 пока не написан."));

    QDialog other;
    const DialogButtons o = makeDialogButtons(&other, {QString(), QString(), 9996});
    o.help->click();
    EXPECT_TRUE(shownHelp(other).contains("Раздел справки 9996 пока не написан."));

    QDialog none;
    const DialogButtons n = makeDialogButtons(&none, {QString(), QString(), -1});
    EXPECT_EQ(n.help, nullptr);
    ASSERT_TRUE(showActive(none));
    QTest::keyClick(&none, Qt::Key_F1);
    EXPECT_EQ(none.findChild<QTextBrowser*>(), nullptr);
}

TEST(ExportReport, AFailedReportIsToldAndTheCursorComesBack)
{
    RecordingPrompter prompter;
    exportReport(prompter, [](ReportWriter& w) {
        w.openReport();
        throw ReportError(QStringLiteral("Не удалось записать отчет."));
    });
    EXPECT_EQ(prompter.texts(), QStringList({"Не удалось записать отчет."}));
    EXPECT_EQ(prompter.entries().front().kind, RecordingPrompter::Kind::Error);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Any other failure goes on to the application's boundary, the cursor restored all the same.
    EXPECT_THROW(exportReport(prompter, [](ReportWriter&) { throw std::logic_error("broken"); }),
                 std::logic_error);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(prompter.entries().size(), 1u);
}

TEST(ShownRows, FieldsByNameAndTheirReportLabels)
{
    QWidget window;
    auto* form = new QFormLayout(&window);
    ShownRows rows;
    rows.add(form,
             {{QStringLiteral("P"), QStringLiteral("Мощность панели, Вт:")},
              {QStringLiteral("scale"), QStringLiteral("Масштаб:"), QStringLiteral("пиксель/м")}},
             {80, true});
    ASSERT_EQ(form->rowCount(), 2);
    rows.setText(QStringLiteral("P"), QStringLiteral("200"));
    rows.setText(QStringLiteral("scale"), QStringLiteral("30"));
    rows.setText(QStringLiteral("nosuch"), QStringLiteral("1")); // ignored
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("P"))->text(), "200");
    EXPECT_EQ(rows.field(QStringLiteral("P"))->minimumWidth(), 80);
    const auto pairs = rows.pairs({"P", "scale"});
    ASSERT_EQ(pairs.size(), 2u);
    using Pair = std::pair<QString, QString>;
    EXPECT_EQ(pairs[0], Pair("Мощность панели, Вт", "200"));
    EXPECT_EQ(pairs[1], Pair("Масштаб, пиксель/м", "30"));
    // The unit stands after the field, in the field's row.
    auto* line = qobject_cast<QHBoxLayout*>(form->itemAt(1, QFormLayout::FieldRole)->layout());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(qobject_cast<QLabel*>(line->itemAt(1)->widget())->text(), "пиксель/м");
    rows.clear();
    EXPECT_TRUE(rows.text(QStringLiteral("P")).isEmpty());
}

TEST(WindowTable, NamesAndCaptionsTheWindow)
{
    QDialog dialog;
    const WindowInfo& info = setUpWindow(&dialog, QStringLiteral("TSelSPFrm"));
    EXPECT_EQ(dialog.objectName(), "TSelSPFrm");
    EXPECT_EQ(dialog.windowTitle(), "Выбор солнечной батареи.");
    EXPECT_EQ(info.helpTopic, 53);
    EXPECT_THROW(windowInfo(QStringLiteral("TNoSuchForm")), std::logic_error);
}

} // namespace
} // namespace ses::test
