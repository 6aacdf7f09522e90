#include "lib/qt_print.h"
#include "reports/document_report_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextFrame>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace ses {
namespace {

const QDateTime kTime(QDate(2024, 3, 5), QTime(14, 7, 9));

QStringList fileNames(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The paragraphs of the document outside tables.
QStringList bodyParagraphs(QTextDocument& document) {
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!QTextCursor(block).currentTable())
            paragraphs << block.text();
    }
    return paragraphs;
}

QImage chart(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setBrush(Qt::blue);
    painter.drawRect(width / 4, height / 4, width / 2, height / 2);
    return image;
}

// Every kind of block: a title, headings and text ending their paragraphs with "\r", a grid, a
// pairs table with a tab and a line break inside values, a picture wider than the page.
void writeSample(ReportWriter& writer) {
    writer.openReport();
    writer.writeTitle(QStringLiteral("Выбор солнечных панелей и формирование массивов.\r\r"));
    writer.writeHeading(QStringLiteral("Исходные данные.\r"));
    writer.writePairsTable({
        {QStringLiteral("Оптимальный угол наклона солнечных панелей, град."), "45"},
        {QStringLiteral("Расчетная мощность солнечной батареи, Вт"), "1 250"},
        {QStringLiteral("Тип солнечной панели"), QStringLiteral("СП-М-100-12\tмоно")},
        {QStringLiteral("Примечание"), QStringLiteral("строка 1\nстрока 2")},
    });
    writer.writeText(QStringLiteral("\r"));
    writer.writeHeading(QStringLiteral("Таблица массивов солнечных панелей.\r"));
    writer.writeGridTable({
        {QStringLiteral(" Наименование массива"), QStringLiteral(" Сборок, шт."),
         QStringLiteral(" dPсп, Вт")},
        {QStringLiteral("Массив 1"), "2", "12,5"},
        {QStringLiteral("Массив 2"), "3", "0"},
    });
    writer.writeText(QStringLiteral("Примечание.\rКоличество панелей указано в штуках.\r\r"));
    writer.writeHeading(QStringLiteral("Схемы массивов.\r"));
    writer.insertPicture(chart(1000, 400));
    writer.writeText(QStringLiteral("\r"));
}

class DocumentReportWriterTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_tmp.isValid()); }

    std::unique_ptr<DocumentReportWriter>
    makeWriter(DocumentReportWriter::Format format = DocumentReportWriter::Format::Odf) {
        auto writer = std::make_unique<DocumentReportWriter>(reportsDir(), format);
        writer->setClock([] { return kTime; });
        return writer;
    }
    QString reportsDir() const { return m_tmp.filePath(QStringLiteral("Отчеты")); }

    QTemporaryDir m_tmp;
};

struct ParagraphCase {
    const char* name;
    std::vector<QString> texts; // written one after another with writeText
    QStringList paragraphs;
};

void PrintTo(const ParagraphCase& c, std::ostream* os) {
    *os << c.name;
}

class ParagraphBreaks : public ::testing::TestWithParam<ParagraphCase> {};

TEST_P(ParagraphBreaks, EndParagraphsWhereTheTextSays) {
    DocumentReportWriter writer(QDir::tempPath());
    writer.openReport();
    for (const QString& text : GetParam().texts)
        writer.writeText(text);
    EXPECT_EQ(bodyParagraphs(writer.document()), GetParam().paragraphs);
}

INSTANTIATE_TEST_SUITE_P(
    DocumentReportWriter, ParagraphBreaks,
    ::testing::Values(ParagraphCase{"TrailingBreakOpensNextParagraph", {"a\r"}, {"a", ""}},
                      ParagraphCase{"DoubleBreakLeavesEmptyLine", {"a\r\r", "b"}, {"a", "", "b"}},
                      ParagraphCase{"LeadingBreakLeavesEmptyLine", {"\ra\r"}, {"", "a", ""}},
                      ParagraphCase{"TextWithoutBreakIsContinued", {"a", "b\r", "c"}, {"ab", "c"}},
                      ParagraphCase{"NewlinesCountAsBreaks", {"a\r\nb\nc"}, {"a", "b", "c"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DocumentReportWriter, TitleHeadingAndTextKeepTheirOwnLayout) {
    DocumentReportWriter writer(QDir::tempPath());
    writer.openReport();
    writer.writeTitle(QStringLiteral("Заголовок\r"));
    writer.writeHeading(QStringLiteral("Раздел\r"));
    writer.writeText(QStringLiteral("Текст"));

    struct Expected {
        QString text;
        Qt::Alignment alignment;
        bool bold;
        bool italic;
    };
    const std::vector<Expected> expected = {
        {QStringLiteral("Заголовок"), Qt::AlignHCenter, true, false},
        {QStringLiteral("Раздел"), Qt::AlignLeft, true, true},
        {QStringLiteral("Текст"), Qt::AlignLeft, false, false},
    };
    QTextBlock block = writer.document().begin();
    for (const Expected& e : expected) {
        ASSERT_TRUE(block.isValid());
        SCOPED_TRACE(e.text.toStdString());
        EXPECT_EQ(block.text(), e.text);
        EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, e.alignment);
        const QTextCharFormat chars = block.begin().fragment().charFormat();
        EXPECT_EQ(chars.fontWeight() == QFont::Bold, e.bold);
        EXPECT_EQ(chars.fontItalic(), e.italic);
        EXPECT_EQ(chars.fontPointSize(), 12);
        EXPECT_EQ(chars.fontFamilies().toStringList().value(0), QStringLiteral("Times New Roman"));
        block = block.next();
    }
}

TEST(DocumentReportWriter, TablesHoldTheirCellsAndTextContinuesBelow) {
    DocumentReportWriter writer(QDir::tempPath());
    writer.openReport();
    writer.writeText(QStringLiteral("до"));
    writer.writePairsTable({{QStringLiteral("Тип"), QStringLiteral("a\tb")},
                            {QStringLiteral("Примечание"), QStringLiteral("1\n2")}});
    writer.writeText(QStringLiteral("после\r"));

    const QList<QTextFrame*> frames = writer.document().rootFrame()->childFrames();
    ASSERT_EQ(frames.size(), 1);
    auto* table = qobject_cast<QTextTable*>(frames.front());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 2);

    auto cellText = [table](int row, int column) {
        QTextCursor cursor = table->cellAt(row, column).firstCursorPosition();
        cursor.setPosition(table->cellAt(row, column).lastCursorPosition().position(),
                           QTextCursor::KeepAnchor);
        return cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n');
    };
    EXPECT_EQ(cellText(0, 1), QStringLiteral("a\tb"));
    EXPECT_EQ(cellText(1, 1), QStringLiteral("1\n2"));

    const QTextBlock label = table->cellAt(0, 0).firstCursorPosition().block();
    const QTextBlock value = table->cellAt(0, 1).firstCursorPosition().block();
    EXPECT_EQ(label.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(value.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(value.begin().fragment().charFormat().fontPointSize(), 10);

    // The text before the table keeps its paragraph; the text after it goes below.
    EXPECT_EQ(bodyParagraphs(writer.document()),
              QStringList({QStringLiteral("до"), QStringLiteral("после"), QString()}));
    EXPECT_LT(writer.document().find(QStringLiteral("до")).position(), table->firstPosition());
    EXPECT_GT(writer.document().find(QStringLiteral("после")).position(), table->lastPosition());
}

TEST(DocumentReportWriter, TableWhoseWordsOverrunThePageIsSetSmaller) {
    // Ten columns headed as the monthly table's widest, about 49 pt each at 10 pt.
    const QStringList header(10, QStringLiteral("Wмакс.бс, Вт*ч"));
    const struct {
        const char* name;
        std::vector<QStringList> rows;
        qreal points;
    } cases[] = {
        {"fits", {header.mid(0, 4), QStringList(4, "1")}, 10},
        {"overruns", {header, QStringList(10, "1")}, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentReportWriter writer(QDir::tempPath());
        writer.openReport();
        writer.writeGridTable(c.rows);
        auto* table =
            qobject_cast<QTextTable*>(writer.document().rootFrame()->childFrames().value(0));
        ASSERT_NE(table, nullptr);
        for (const auto& [row, column] : {std::pair{0, 0}, std::pair{1, 3}}) {
            const QTextBlock cell = table->cellAt(row, column).firstCursorPosition().block();
            EXPECT_EQ(cell.begin().fragment().charFormat().fontPointSize(), c.points);
        }
    }
}

TEST(DocumentReportWriter, TableTakesTheParagraphNothingWasWrittenInto) {
    const std::vector<QStringList> grid = {{"A", "B"}, {"1", "2"}};
    struct Case {
        const char* name;
        std::function<void(ReportWriter&)> write;
        QStringList paragraphs; // outside tables
    };
    const std::vector<Case> cases = {
        {"after a finished paragraph",
         [&](ReportWriter& w) {
             w.writeHeading(QStringLiteral("Раздел\r"));
             w.writeGridTable(grid);
             w.writeText(QStringLiteral("b"));
         },
         {QStringLiteral("Раздел"), "b"}},
        {"after an empty line",
         [&](ReportWriter& w) {
             w.writeText(QStringLiteral("a\r\r"));
             w.writeGridTable(grid);
         },
         {"a", "", ""}},
        {"after another table",
         [&](ReportWriter& w) {
             w.writeText(QStringLiteral("a\r"));
             w.writeGridTable(grid);
             w.writeGridTable(grid);
         },
         {"a", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentReportWriter writer(QDir::tempPath());
        writer.openReport();
        c.write(writer);
        EXPECT_EQ(bodyParagraphs(writer.document()), c.paragraphs);
    }
}

TEST(DocumentReportWriter, HeadingBelowATableKeepsALineApart) {
    const std::vector<QStringList> grid = {{"A", "B"}, {"1", "2"}};
    const struct {
        const char* name;
        std::function<void(ReportWriter&)> before;
        QString heading;
        bool apart;
    } cases[] = {
        {"below a table", [&](ReportWriter& w) { w.writeGridTable(grid); }, "Раздел\r", true},
        {"below text", [](ReportWriter& w) { w.writeText("Примечание.\r"); }, "Раздел\r", false},
        {"leaving its own empty line", [&](ReportWriter& w) { w.writeGridTable(grid); },
         "\rРаздел\r", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentReportWriter writer(QDir::tempPath());
        writer.openReport();
        writer.writeTitle(QStringLiteral("Отчет\r"));
        c.before(writer);
        writer.writeHeading(c.heading);
        const QTextBlock heading = writer.document().find(QStringLiteral("Раздел")).block();
        ASSERT_TRUE(heading.isValid());
        EXPECT_EQ(heading.blockFormat().topMargin() > 0, c.apart);
    }
}

struct NameCase {
    const char* name;
    std::vector<QString> titles;
    QString fileName;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.name;
}

class ReportFileNames : public DocumentReportWriterTest,
                        public ::testing::WithParamInterface<NameCase> {};

TEST_P(ReportFileNames, ComeFromTheFirstTitleAndTheTime) {
    auto writer = makeWriter();
    writer->openReport();
    writer->writeHeading(QStringLiteral("Раздел\r"));
    for (const QString& title : GetParam().titles)
        writer->writeTitle(title);
    const QString path = writer->closeReport();
    EXPECT_EQ(QFileInfo(path).fileName(), GetParam().fileName);
    EXPECT_EQ(fileNames(reportsDir()), QStringList({GetParam().fileName}));
}

INSTANTIATE_TEST_SUITE_P(
    DocumentReportWriter, ReportFileNames,
    ::testing::Values(
        NameCase{"FirstTitle",
                 {QStringLiteral("Выбор контроллеров заряда СЭ.\r\r"), QStringLiteral("Другой\r")},
                 QStringLiteral("Выбор контроллеров заряда СЭ 2024-03-05 14-07-09.odt")},
        NameCase{"NoTitle", {}, QStringLiteral("Отчет 2024-03-05 14-07-09.odt")},
        NameCase{"BlankTitle",
                 {QStringLiteral(" \r\r")},
                 QStringLiteral("Отчет 2024-03-05 14-07-09.odt")},
        NameCase{"InvalidCharacters",
                 {QStringLiteral("\rA/B: \"C\" <D>|E?*\\F\tG\r")},
                 QStringLiteral("A_B_ _C_ _D__E___F G 2024-03-05 14-07-09.odt")},
        NameCase{"LongTitle",
                 {QString(79, u'Я') + QStringLiteral("ЖЖЖЖ")},
                 QString(79, u'Я') + QStringLiteral("Ж 2024-03-05 14-07-09.odt")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentReportWriterTest, ReportsOfTheSameSecondNeverReplaceEachOther) {
    QStringList paths;
    for (int i = 0; i < 3; ++i) {
        auto writer = makeWriter();
        writer->openReport();
        writer->writeTitle(QStringLiteral("Спецификация.\r"));
        writer->writeText(QString::number(i));
        paths << QFileInfo(writer->closeReport()).fileName();
    }
    const QStringList expected = {
        QStringLiteral("Спецификация 2024-03-05 14-07-09.odt"),
        QStringLiteral("Спецификация 2024-03-05 14-07-09 (2).odt"),
        QStringLiteral("Спецификация 2024-03-05 14-07-09 (3).odt"),
    };
    EXPECT_EQ(paths, expected);
    // Nothing else is left behind in the folder (no temporary files).
    QStringList sorted = expected;
    sorted.sort();
    EXPECT_EQ(fileNames(reportsDir()), sorted);
}

TEST_F(DocumentReportWriterTest, UnwritableFolderThrowsAndLeavesNoFile) {
    // A folder that cannot be created (its parent is a file) and one where no file can be made.
    QFile blocker(m_tmp.filePath(QStringLiteral("файл")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QStringList dirs = {blocker.fileName() + QStringLiteral("/Отчеты")};
    if (QFileInfo(QStringLiteral("/proc/self")).isDir())
        dirs << QStringLiteral("/proc");

    for (const QString& dir : dirs) {
        SCOPED_TRACE(dir.toStdString());
        const QStringList before = fileNames(QFileInfo(dir).absolutePath());
        DocumentReportWriter writer(dir);
        writer.openReport();
        writer.writeTitle(QStringLiteral("Отчет о проверке.\r"));
        try {
            writer.closeReport();
            ADD_FAILURE() << "no ReportError";
        } catch (const ReportError& error) {
            EXPECT_TRUE(error.message().startsWith(QStringLiteral("Не удалось "))) << error.what();
            EXPECT_TRUE(error.message().contains(dir)) << error.what();
        }
        EXPECT_EQ(fileNames(QFileInfo(dir).absolutePath()), before);
    }
}

// unzip -p <archive> <entry>; empty when the entry is missing.
QByteArray zipEntry(const QString& archive, const QString& entry) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, entry});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}

QStringList zipEntries(const QString& archive) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive});
    unzip.waitForFinished(30000);
    return QString::fromUtf8(unzip.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

qreal points(QStringView length) {
    return length.endsWith(u"pt") ? length.chopped(2).toDouble() : -1;
}

// What content.xml says about the tables and pictures.
struct OdfContent {
    struct Table {
        std::vector<qreal> columnPoints;
        int rows = 0;
    };
    QString text;
    std::vector<Table> tables;
    std::vector<qreal> pictureWidths; // points
    QStringList pictureLinks;
    bool namesFont = false;
};

OdfContent readContent(const QByteArray& xml) {
    OdfContent content;
    std::map<QString, qreal> columnStyles;
    QString style;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::Characters) {
            content.text += reader.text();
            continue;
        }
        if (!reader.isStartElement())
            continue;
        const auto attributes = reader.attributes();
        auto attribute = [&attributes](const char* name) {
            return attributes.value(QLatin1String(name));
        };
        const auto name = reader.qualifiedName();
        if (name == u"style:style") {
            style = attribute("style:name").toString();
        } else if (name == u"style:table-column-properties") {
            columnStyles[style] = points(attribute("style:column-width"));
        } else if (name == u"style:text-properties") {
            content.namesFont |= attribute("fo:font-family") == u"Times New Roman";
        } else if (name == u"table:table") {
            content.tables.emplace_back();
        } else if (name == u"table:table-column") {
            const QString column = attribute("table:style-name").toString();
            content.tables.back().columnPoints.push_back(
                columnStyles.count(column) ? columnStyles[column] : -1);
        } else if (name == u"table:table-row") {
            ++content.tables.back().rows;
        } else if (name == u"draw:frame") {
            content.pictureWidths.push_back(points(attribute("svg:width")));
        } else if (name == u"draw:image") {
            content.pictureLinks << attribute("xlink:href").toString();
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return content;
}

TEST_F(DocumentReportWriterTest, OdfDocumentHoldsTextTablesAndEmbeddedPicture) {
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        GTEST_SKIP() << "unzip is not installed";
    auto writer = makeWriter();
    writeSample(*writer);
    const QString path = writer->closeReport();

    const OdfContent content = readContent(zipEntry(path, QStringLiteral("content.xml")));
    EXPECT_TRUE(
        content.text.contains(QStringLiteral("Выбор солнечных панелей и формирование массивов.")));
    EXPECT_TRUE(content.text.contains(QStringLiteral("Количество панелей указано в штуках.")));
    EXPECT_TRUE(content.namesFont);

    ASSERT_EQ(content.tables.size(), 2u);
    const auto& pairs = content.tables[0];
    const auto& grid = content.tables[1];
    EXPECT_EQ(pairs.rows, 4); // the tab and the line break stay inside their cells
    EXPECT_EQ(grid.rows, 3);
    ASSERT_EQ(pairs.columnPoints.size(), 2u);
    ASSERT_EQ(grid.columnPoints.size(), 3u);
    // Columns fit their contents: long labels, short values, all within the page text width.
    EXPECT_GT(pairs.columnPoints[0], 2 * pairs.columnPoints[1]);
    for (const auto* table : {&pairs, &grid}) {
        qreal total = 0;
        for (qreal w : table->columnPoints) {
            EXPECT_GT(w, 0);
            total += w;
        }
        EXPECT_LE(total, 482);
    }

    ASSERT_EQ(content.pictureLinks.size(), 1);
    EXPECT_TRUE(zipEntries(path).contains(content.pictureLinks.front()));
    EXPECT_FALSE(zipEntry(path, content.pictureLinks.front()).isEmpty());
    // The 1000 pixel chart is scaled to the text width of an A4 page with 20 mm margins.
    ASSERT_EQ(content.pictureWidths.size(), 1u);
    EXPECT_NEAR(content.pictureWidths.front(), 170 / 25.4 * 72, 1);
}

TEST_F(DocumentReportWriterTest, WideTableShrinksItsLongColumnsAndKeepsWordsWhole) {
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        GTEST_SKIP() << "unzip is not installed";
    // The same first column beside a short and a far too long second one.
    QString hours;
    for (int h = 0; h < 23; h += 2)
        hours += QStringLiteral("%1-%2; ").arg(h).arg(h + 1);
    auto writer = makeWriter();
    writer->openReport();
    for (const QString& second : {QStringLiteral("7-8"), hours + hours + hours}) {
        writer->writeGridTable({{QStringLiteral("Режим"), QStringLiteral("Время работы, час.")},
                                {QStringLiteral("автоматический"), second}});
    }
    const OdfContent content =
        readContent(zipEntry(writer->closeReport(), QStringLiteral("content.xml")));
    ASSERT_EQ(content.tables.size(), 2u);
    const auto& narrow = content.tables[0].columnPoints;
    const auto& wide = content.tables[1].columnPoints;
    ASSERT_EQ(narrow.size(), 2u);
    ASSERT_EQ(wide.size(), 2u);
    // The wide table fills the text width; its one-word column keeps its width, the long one
    // gives way.
    EXPECT_NEAR(wide[0] + wide[1], 170 / 25.4 * 72, 1);
    EXPECT_NEAR(wide[0], narrow[0], 0.01);
    EXPECT_GT(wide[1], narrow[1]);
}

TEST_F(DocumentReportWriterTest, PdfDocumentIsComplete) {
    auto writer = makeWriter(DocumentReportWriter::Format::Pdf);
    writeSample(*writer);
    const QString path = writer->closeReport();
    EXPECT_TRUE(path.endsWith(QStringLiteral(".pdf")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF")) << pdf.left(16).toStdString();
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
}

TEST_F(DocumentReportWriterTest, OdfDocumentConvertsToPdfInAWordProcessor) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    auto writer = makeWriter();
    writeSample(*writer);
    const QString path = writer->closeReport();

    const QString outDir = m_tmp.filePath(QStringLiteral("pdf"));
    QProcess convert;
    convert.start(soffice, {QStringLiteral("-env:UserInstallation=file://") +
                                m_tmp.filePath(QStringLiteral("profile")),
                            QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                            QStringLiteral("pdf"), QStringLiteral("--outdir"), outDir, path});
    ASSERT_TRUE(convert.waitForFinished(180000));
    const QFileInfo pdf(outDir + u'/' + QFileInfo(path).completeBaseName() +
                        QStringLiteral(".pdf"));
    EXPECT_TRUE(pdf.exists()) << convert.readAllStandardError().toStdString();
    EXPECT_GT(pdf.size(), 0);
}

TEST_F(DocumentReportWriterTest, FirstPdfPageRendersAsAnA4Picture) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    auto writer = makeWriter(DocumentReportWriter::Format::Pdf);
    writeSample(*writer);
    const QString path = writer->closeReport();

    // -singlefile writes <root>.png, without the page number.
    const QString root = m_tmp.filePath(QStringLiteral("page"));
    QProcess render;
    render.start(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"),
                            QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                            QStringLiteral("1"), QStringLiteral("-singlefile"), path, root});
    ASSERT_TRUE(render.waitForFinished(60000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    const QFileInfo png(root + QStringLiteral(".png"));
    ASSERT_TRUE(png.exists());
    EXPECT_GT(png.size(), 0);
    const QImage page(png.filePath());
    ASSERT_FALSE(page.isNull());
    // An A4 page, portrait, at 80 dots per inch: 210 x 297 mm.
    EXPECT_NEAR(page.width(), 210 / 25.4 * 80, 2);
    EXPECT_NEAR(page.height(), 297 / 25.4 * 80, 2);
    // And printed on: the title, the tables and the picture leave dark pixels.
    int dark = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            dark += qGray(page.pixel(x, y)) < 128;
    EXPECT_GT(dark, 1000);
}

} // namespace
} // namespace ses
