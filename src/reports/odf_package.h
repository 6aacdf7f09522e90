#pragma once
// Small repairs of the ODF text packages the document writer produces: the package is read,
// content.xml is amended and the package is written again (entries stored, mimetype first).

#include <QByteArray>
#include <optional>
#include <utility>
#include <vector>

namespace ses {

using ZipEntries = std::vector<std::pair<QByteArray, QByteArray>>; // name, data

// The entries of a zip archive (stored or deflated); nullopt for a damaged archive.
std::optional<ZipEntries> readZip(const QByteArray& zip);
QByteArray writeZip(const ZipEntries& entries);

// The writer names a style for every table cell but never defines it, so word processors show
// its tables without borders. Defines each missing cell style with a thin black border.
QByteArray defineCellStyles(const QByteArray& contentXml);

// Nor does it say which rows head a table, nor keep a row on one page: in the k-th table the first
// headerRows[k] rows become header rows (a word processor repeats them on every page the table
// runs onto), and every row is kept from breaking between pages.
QByteArray markTableRows(const QByteArray& contentXml, const std::vector<int>& headerRows);

// The document marks its headings' paragraphs as lines not to break apart, which the writer
// exports as fo:keep-together="true" (not a value word processors read). Those paragraphs are
// kept together and with the next paragraph or table: a heading never ends a page.
QByteArray keepHeadingsWithNext(const QByteArray& contentXml);

// readZip + defineCellStyles, markTableRows and keepHeadingsWithNext on content.xml + writeZip;
// the package unchanged when unreadable.
QByteArray repairedPackage(const QByteArray& odt, const std::vector<int>& headerRows);

} // namespace ses
