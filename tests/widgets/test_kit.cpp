// The window kit: the button row and what its buttons do, the export path's failures, forms
// described as data, and the window table's look-up.

#include "fixture.h"

#include "reports/report_error.h"
#include "reports/report_writer.h"
#include "widgets/dialog_buttons.h"
#include "widgets/form_rows.h"
#include "widgets/look.h"
#include "widgets/number_field.h"
#include "widgets/report_export.h"
#include "widgets/string_grid.h"
#include "widgets/windows.h"

#include <QApplication>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <stdexcept>

namespace ses::test {
namespace {

// A topic that will never have a page: the viewer names it.
const WindowInfo kWindow{QStringLiteral("TTest"), QStringLiteral("Проба."), 9997};

QStringList rowTexts(const DialogButtons& b) {
    QStringList texts;
    for (int i = 0; i < b.layout->count(); ++i)
        if (auto* p = qobject_cast<QPushButton*>(b.layout->itemAt(i)->widget()))
            texts << p->text();
        else if (b.layout->itemAt(i)->spacerItem())
            texts << QStringLiteral("|");
    return texts;
}

QString shownHelp(QWidget& window) {
    auto* browser = window.findChild<QTextBrowser*>();
    return browser ? browser->toPlainText() : QString();
}

TEST(ButtonRow, LaysOutItsButtonsAndWiresThem) {
    struct Case {
        const char* name;
        ButtonRow row;
        QStringList texts;
        const char* cancelName;
        bool okIsDefault;
    } cases[] = {
        {"choosing", {}, {"|", "ОК", "Отмена", "Справка..."}, "cancel", true},
        {"closing", closeRow(), {"|", "Закрыть", "Справка..."}, "close", false},
        {"own texts",
         {.ok = "OK", .cancel = "Закрыть"},
         {"|", "OK", "Закрыть", "Справка..."},
         "close",
         true},
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

TEST(ButtonRow, HelpAndF1OpenTheWindowsTopic) {
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

TEST(ExportReport, AFailedReportIsToldAndTheCursorComesBack) {
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

TEST(ShownRows, FieldsByNameAndTheirReportLabels) {
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
    // A compact figure: fixed at no less than the look's width, right-aligned.
    QLabel* p = rows.field(QStringLiteral("P"));
    EXPECT_GE(p->minimumWidth(), 80);
    EXPECT_EQ(p->minimumWidth(), p->maximumWidth());
    EXPECT_TRUE(p->alignment() & Qt::AlignRight);
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

TEST(WindowTable, NamesAndCaptionsTheWindow) {
    QDialog dialog;
    const WindowInfo& info = setUpWindow(&dialog, QStringLiteral("TSelSPFrm"));
    EXPECT_EQ(dialog.objectName(), "TSelSPFrm");
    EXPECT_EQ(dialog.windowTitle(), "Выбор солнечной батареи.");
    EXPECT_EQ(info.helpTopic, 53);
    EXPECT_THROW(windowInfo(QStringLiteral("TNoSuchForm")), std::logic_error);
}

TEST(Look, NumberTexts) {
    for (const char* yes : {"0", "2693", "-0,47", "8,75", "1 234,5", "+3", "12,5 %", "0.5"})
        EXPECT_TRUE(isNumberText(QString::fromUtf8(yes))) << yes;
    for (const char* no : {"", " ", "-", ",", "СП-М-300-24", "12 В", "0 - 9,27; 14,73 - 24", "+",
                           "январь", "1956 x 992"})
        EXPECT_FALSE(isNumberText(QString::fromUtf8(no))) << no;
    EXPECT_TRUE(alignmentFor(QStringLiteral("8,75")) & Qt::AlignRight);
    EXPECT_TRUE(alignmentFor(QStringLiteral("юг")) & Qt::AlignLeft);
}

TEST(Look, ProblemsNameWhatBreaksTheRules) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* left = new QLineEdit(QStringLiteral("2693"), &dialog);
    left->setObjectName(QStringLiteral("power"));
    layout->addWidget(left);
    auto* name = new QLineEdit(QStringLiteral("Массив 1"), &dialog); // a text may stay left
    layout->addWidget(name);
    auto* empty = new NumberField(&dialog); // right-aligned from birth, even empty
    layout->addWidget(empty);
    auto* grid = new QTableWidget(2, 2, &dialog);
    grid->setObjectName(QStringLiteral("arrays"));
    grid->setItem(0, 0, cellItem(QStringLiteral("Массив 1")));
    grid->setItem(0, 1, cellItem(QStringLiteral("73,8")));
    grid->setItem(1, 1, new QTableWidgetItem(QStringLiteral("9"))); // built by hand: left
    layout->addWidget(grid);
    dialog.resize(400, 300);

    QStringList problems = lookProblems(&dialog, QStringLiteral("W"));
    ASSERT_EQ(problems.size(), 2) << problems.join('\n').toStdString();
    EXPECT_TRUE(problems[0].startsWith("W: ") && problems[0].contains("power"));
    EXPECT_TRUE(problems[1].contains("\"9\"") && problems[1].contains("(2, 2)") &&
                problems[1].contains("arrays"));

    left->setAlignment(Qt::AlignRight);
    grid->item(1, 1)->setTextAlignment(alignmentFor(QStringLiteral("9")));
    EXPECT_TRUE(lookProblems(&dialog, QStringLiteral("W")).isEmpty());

    // A dialog with its title bar must fit the work area of a 1366 x 768 screen.
    dialog.resize(1111, 745);
    problems = lookProblems(&dialog, QStringLiteral("W"));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains("1111 x 775"));
    dialog.resize(1366, kWorkArea.height() - kTitleBarHeight);
    EXPECT_TRUE(lookProblems(&dialog, QStringLiteral("W")).isEmpty());
}

// Texts are shown whole: captions, buttons, read-only values and table cells that do not fit
// are named; a small button whose text fits, an editable field, a wrapping caption and a cell
// spanning enough columns are not.
TEST(Look, TextsThatDoNotFitAreNamed) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    const QString longText = QStringLiteral("Стартовый набор: Предохранители А");
    auto* caption = new QLabel(longText, &dialog);
    caption->setFixedWidth(60);
    auto* value = new QLineEdit(longText, &dialog);
    value->setObjectName(QStringLiteral("company"));
    value->setReadOnly(true);
    value->setFixedWidth(90);
    auto* button = new QPushButton(QStringLiteral("Из справочника..."), &dialog);
    button->setFixedWidth(50);
    auto* dots = new QPushButton(QStringLiteral("..."), &dialog);
    dots->setFixedWidth(32);
    auto* typed = new QLineEdit(longText, &dialog); // typed into: it scrolls
    typed->setFixedWidth(90);
    auto* wrapped = new QLabel(longText, &dialog);
    wrapped->setWordWrap(true);
    wrapped->setFixedWidth(60);
    // A cell that does not fit its column is cut; spanning two columns it fits.
    auto* table = new QTableWidget(2, 2, &dialog);
    table->setObjectName(QStringLiteral("remarks"));
    table->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Одновременный пуск")));
    table->setItem(1, 0, new QTableWidgetItem(QStringLiteral("Одновременный пуск")));
    table->setSpan(1, 0, 1, 2);
    table->setColumnWidth(0, 80);
    table->setColumnWidth(1, 80);
    for (QWidget* w :
         std::initializer_list<QWidget*>{caption, value, button, dots, typed, wrapped, table})
        layout->addWidget(w);
    dialog.resize(400, 300);

    const QStringList problems = lookProblems(&dialog, QStringLiteral("W"));
    ASSERT_EQ(problems.size(), 4) << problems.join('\n').toStdString();
    EXPECT_TRUE(problems.filter("company").size() == 1 && problems.filter(longText).size() == 2);
    EXPECT_EQ(problems.filter("Из справочника...").size(), 1);
    EXPECT_EQ(problems.filter("remarks").size(), 1);
    // Wide enough for its longest word, the remark wraps whole once its row holds two lines.
    table->setColumnWidth(0, 120);
    table->setRowHeight(0, table->fontMetrics().height() + 2);
    EXPECT_EQ(lookProblems(&dialog, QStringLiteral("W")).filter("remarks").size(), 1);
    table->resizeRowsToContents();
    EXPECT_EQ(lookProblems(&dialog, QStringLiteral("W")).filter("remarks").size(), 0);

    // The main window may be made smaller only down to a size that fits the screen.
    QMainWindow main;
    auto* tall = new QWidget(&main);
    tall->setMinimumSize(400, kWorkArea.height());
    main.setCentralWidget(tall);
    EXPECT_EQ(lookProblems(&main, QStringLiteral("M")).size(), 1);
    tall->setMinimumSize(400, 300);
    EXPECT_TRUE(lookProblems(&main, QStringLiteral("M")).isEmpty());
}

TEST(Look, StringGridAlignsEachCellByItsText) {
    StringGrid grid;
    grid.setFixedRow(true);
    grid.setColCount(2);
    grid.setRowCount(2);
    grid.setCell(0, 1, QStringLiteral("юг"));
    grid.setCell(1, 1, QStringLiteral("юг"));
    grid.setCell(1, 1, QStringLiteral("180")); // rewritten: the alignment follows the text
    EXPECT_TRUE(grid.item(0, 0)->textAlignment() & Qt::AlignLeft);
    EXPECT_TRUE(grid.item(0, 1)->textAlignment() & Qt::AlignRight);
    EXPECT_TRUE(lookProblems(&grid, QStringLiteral("grid")).isEmpty());
}

} // namespace
} // namespace ses::test
