// The repairs that give exported tables their borders, their header rows and unbroken rows in a
// word processor.

#include "reports/document_report_writer.h"
#include "reports/odf_package.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ses;

namespace {

TEST(OdfPackage, ZipRoundTripKeepsEntriesAndMimetypeFirst) {
    const ZipEntries in = {{"mimetype", "application/vnd.oasis.opendocument.text"},
                           {"content.xml", QByteArray("<x>кириллица</x>")},
                           {"Pictures/1.png", QByteArray(5000, '\x7f')}};
    const QByteArray zip = writeZip(in);
    EXPECT_TRUE(zip.mid(30, 8) == "mimetype"); // the first local header names it
    const auto out = readZip(zip);
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, in);
    EXPECT_FALSE(readZip(zip.left(zip.size() - 10)));
    EXPECT_FALSE(readZip("not a zip"));
}

TEST(OdfPackage, EveryCellStyleGetsDefinedWithABorderOnce) {
    const QByteArray xml =
        "<office:document-content><office:automatic-styles><style:style style:name=\"c1\"/>"
        "</office:automatic-styles><office:body><table:table-cell table:style-name=\"T1.1\">"
        "</table:table-cell><table:table-cell table:style-name=\"T1.1\"></table:table-cell>"
        "<table:table-cell table:style-name=\"T1.2\"></table:table-cell></office:body>"
        "</office:document-content>";
    const QString fixed = QString::fromUtf8(defineCellStyles(xml));
    EXPECT_EQ(fixed.count("style:name=\"T1.1\" style:family=\"table-cell\""), 1);
    EXPECT_EQ(fixed.count("fo:border=\"0.5pt solid #000000\""), 2);
    EXPECT_EQ(defineCellStyles(fixed.toUtf8()), fixed.toUtf8()); // nothing twice
}

TEST(OdfPackage, HeaderRowsAreMarkedAndNoRowBreaksBetweenPages) {
    const QByteArray row = "<table:table-row><table:table-cell/></table:table-row>";
    const QByteArray xml = "<office:document-content><office:automatic-styles>"
                           "</office:automatic-styles><office:body>"
                           "<table:table table:name=\"grid\">" +
                           row + row + row + "</table:table><table:table table:name=\"pairs\">" +
                           row + row + "</table:table></office:body></office:document-content>";
    const QString fixed = QString::fromUtf8(markTableRows(xml, {1, 0}));
    // The grid's first row only.
    EXPECT_EQ(fixed.count("<table:table-header-rows>"), 1);
    const qsizetype header = fixed.indexOf("<table:table-header-rows>");
    EXPECT_LT(fixed.indexOf("table:name=\"grid\""), header);
    EXPECT_EQ(fixed.indexOf("<table:table-row", header), header + 25);
    EXPECT_EQ(fixed.indexOf("</table:table-header-rows>"),
              fixed.indexOf("</table:table-row>", header) + 18);
    // Every row keeps to one page, through one row style.
    EXPECT_EQ(fixed.count("<table:table-row table:style-name=\"ReportRow\">"), 5);
    EXPECT_EQ(fixed.count("style:name=\"ReportRow\" style:family=\"table-row\""), 1);
    EXPECT_TRUE(fixed.contains("fo:keep-together=\"always\""));
    EXPECT_EQ(markTableRows(fixed.toUtf8(), {1, 0}), fixed.toUtf8()); // nothing twice
}

TEST(OdfPackage, HeadingsKeepWithTheNextParagraph) {
    const QByteArray xml = "<style:style style:name=\"p1\" style:family=\"paragraph\">"
                           "<style:paragraph-properties fo:keep-together=\"true\"/></style:style>"
                           "<style:style style:name=\"p2\" style:family=\"paragraph\">"
                           "<style:paragraph-properties fo:text-align=\"start\"/></style:style>";
    const QString fixed = QString::fromUtf8(keepHeadingsWithNext(xml));
    EXPECT_EQ(fixed.count("fo:keep-with-next=\"always\""), 1);
    EXPECT_TRUE(fixed.contains("fo:keep-together=\"always\" fo:keep-with-next=\"always\"/>"
                               "</style:style><style:style style:name=\"p2\""));
    EXPECT_EQ(keepHeadingsWithNext(fixed.toUtf8()), fixed.toUtf8());
}

TEST(OdfPackage, WrittenReportsDefineTheirCellStyles) {
    QTemporaryDir tmp;
    DocumentReportWriter w(tmp.path());
    w.openReport();
    w.writeTitle("Проверка границ таблиц.\r");
    w.writeHeading("Раздел.\r");
    w.writePairsTable({{"Напряжение системы, В", "24"}, {"Регион", "Москва"}});
    w.writeGridTable({{"Т1, час.", "Т2, час."}, {"0", "6"}});
    const QString path = w.closeReport();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const auto entries = readZip(f.readAll());
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->front().first, "mimetype");
    for (const auto& [name, data] : *entries)
        if (name == "content.xml") {
            const QString xml = QString::fromUtf8(data);
            EXPECT_TRUE(xml.contains("style:family=\"table-cell\""));
            EXPECT_TRUE(xml.contains("fo:border=\"0.5pt solid #000000\""));
            // The grid's heading row, not the pairs table's first.
            EXPECT_EQ(xml.count("<table:table-header-rows>"), 1);
            EXPECT_LT(xml.indexOf("Москва"), xml.indexOf("<table:table-header-rows>"));
            // The heading's paragraph style keeps it with the table.
            EXPECT_EQ(xml.count("fo:keep-with-next=\"always\""), 1);
        }
}

} // namespace
