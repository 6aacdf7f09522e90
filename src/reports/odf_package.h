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

// readZip + defineCellStyles on content.xml + writeZip; the package unchanged when unreadable.
QByteArray withCellBorders(const QByteArray& odt);

} // namespace ses
