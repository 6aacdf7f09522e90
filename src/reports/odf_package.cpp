#include "reports/odf_package.h"

#include <QRegularExpression>
#include <QSet>
#include <QtEndian>
#include <zlib.h>

namespace ses {

namespace {

quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

void put16(QByteArray& b, quint16 v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}

void put32(QByteArray& b, quint32 v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

std::optional<QByteArray> inflateRaw(const QByteArray& data, quint32 size) {
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    z_stream s{};
    if (inflateInit2(&s, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    s.avail_in = uInt(data.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = uInt(out.size());
    const int rc = inflate(&s, Z_FINISH);
    inflateEnd(&s);
    if (rc != Z_STREAM_END || s.total_out != size)
        return std::nullopt;
    return out;
}

// Styles added at the start of content.xml's automatic styles (made where there are none).
void addAutomaticStyles(QString& xml, const QString& styles) {
    const QString open = QStringLiteral("<office:automatic-styles>");
    const qsizetype at = xml.indexOf(open);
    if (at >= 0)
        xml.insert(at + open.size(), styles);
    else
        xml.replace(QStringLiteral("<office:body>"),
                    open + styles + QStringLiteral("</office:automatic-styles><office:body>"));
}

} // namespace

std::optional<ZipEntries> readZip(const QByteArray& zip) {
    // The end-of-central-directory record: the last "PK\5\6" with room for its 22 bytes.
    const qsizetype eocd = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (eocd < 0 || eocd + 22 > zip.size())
        return std::nullopt;
    const int count = u16(zip, eocd + 10);
    qsizetype at = u32(zip, eocd + 16);
    ZipEntries entries;
    for (int i = 0; i < count; ++i) {
        if (at + 46 > zip.size() || u32(zip, at) != 0x02014b50)
            return std::nullopt;
        const int method = u16(zip, at + 10);
        const quint32 packed = u32(zip, at + 20), size = u32(zip, at + 24);
        const int nameLen = u16(zip, at + 28), extraLen = u16(zip, at + 30),
                  commentLen = u16(zip, at + 32);
        const qsizetype local = u32(zip, at + 42);
        const QByteArray name = zip.mid(at + 46, nameLen);
        if (local + 30 > zip.size() || u32(zip, local) != 0x04034b50)
            return std::nullopt;
        const qsizetype dataAt = local + 30 + u16(zip, local + 26) + u16(zip, local + 28);
        if (dataAt + packed > zip.size())
            return std::nullopt;
        const QByteArray raw = zip.mid(dataAt, packed);
        if (method == 0) {
            entries.emplace_back(name, raw);
        } else if (method == 8) {
            auto data = inflateRaw(raw, size);
            if (!data)
                return std::nullopt;
            entries.emplace_back(name, *data);
        } else {
            return std::nullopt;
        }
        at += 46 + nameLen + extraLen + commentLen;
    }
    return entries;
}

QByteArray writeZip(const ZipEntries& entries) {
    QByteArray out, directory;
    for (const auto& [name, data] : entries) {
        const quint32 crc =
            quint32(crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
        const quint32 offset = quint32(out.size());
        // Local header: stored, no data descriptor, no time stamp of interest.
        put32(out, 0x04034b50);
        put16(out, 20);
        put16(out, 0x0800); // names in UTF-8
        put16(out, 0);
        put16(out, 0);
        put16(out, 0x21);
        put32(out, crc);
        put32(out, quint32(data.size()));
        put32(out, quint32(data.size()));
        put16(out, quint16(name.size()));
        put16(out, 0);
        out.append(name);
        out.append(data);

        put32(directory, 0x02014b50);
        put16(directory, 20);
        put16(directory, 20);
        put16(directory, 0x0800);
        put16(directory, 0);
        put16(directory, 0);
        put16(directory, 0x21);
        put32(directory, crc);
        put32(directory, quint32(data.size()));
        put32(directory, quint32(data.size()));
        put16(directory, quint16(name.size()));
        put16(directory, 0);
        put16(directory, 0);
        put16(directory, 0);
        put16(directory, 0);
        put32(directory, 0);
        put32(directory, offset);
        directory.append(name);
    }
    const quint32 directoryAt = quint32(out.size());
    out.append(directory);
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint16(entries.size()));
    put16(out, quint16(entries.size()));
    put32(out, quint32(directory.size()));
    put32(out, directoryAt);
    put16(out, 0);
    return out;
}

QByteArray defineCellStyles(const QByteArray& contentXml) {
    QString xml = QString::fromUtf8(contentXml);
    static const QRegularExpression used(
        QStringLiteral("<table:table-cell table:style-name=\"([^\"]+)\""));
    QSet<QString> names;
    for (auto it = used.globalMatch(xml); it.hasNext();)
        names.insert(it.next().captured(1));
    QString styles;
    QStringList sorted(names.begin(), names.end());
    sorted.sort();
    for (const QString& name : sorted) {
        if (xml.contains(QStringLiteral("style:name=\"%1\"").arg(name)))
            continue;
        styles += QStringLiteral("<style:style style:name=\"%1\" style:family=\"table-cell\">"
                                 "<style:table-cell-properties fo:border=\"0.5pt solid #000000\" "
                                 "fo:padding=\"0.05cm\"/></style:style>")
                      .arg(name);
    }
    if (styles.isEmpty())
        return contentXml;
    addAutomaticStyles(xml, styles);
    return xml.toUtf8();
}

QByteArray markTableRows(const QByteArray& contentXml, const std::vector<int>& headerRows) {
    QString xml = QString::fromUtf8(contentXml);
    const QString rowStyle = QStringLiteral("ReportRow");
    if (xml.contains(QStringLiteral("style:name=\"%1\"").arg(rowStyle)))
        return contentXml; // marked already
    const QString row = QStringLiteral("<table:table-row>");
    const QString rowEnd = QStringLiteral("</table:table-row>");
    const QString headerOpen = QStringLiteral("<table:table-header-rows>");
    const QString headerClose = QStringLiteral("</table:table-header-rows>");
    qsizetype at = 0;
    for (int header : headerRows) {
        at = xml.indexOf(QStringLiteral("<table:table "), at);
        if (at < 0)
            break;
        const qsizetype first = xml.indexOf(row, at);
        qsizetype last = first;
        for (int r = 0; r < header && last >= 0; ++r) {
            last = xml.indexOf(rowEnd, last);
            if (last >= 0)
                last += rowEnd.size();
        }
        if (header > 0 && first >= 0 && last >= 0) {
            xml.insert(last, headerClose);
            xml.insert(first, headerOpen);
        }
        at += 1;
    }
    if (!xml.contains(row))
        return xml.toUtf8();
    xml.replace(row, QStringLiteral("<table:table-row table:style-name=\"%1\">").arg(rowStyle));
    addAutomaticStyles(xml,
                       QStringLiteral("<style:style style:name=\"%1\" style:family=\"table-row\">"
                                      "<style:table-row-properties fo:keep-together=\"always\"/>"
                                      "</style:style>")
                           .arg(rowStyle));
    return xml.toUtf8();
}

QByteArray keepHeadingsWithNext(const QByteArray& contentXml) {
    QByteArray xml = contentXml;
    return xml.replace("fo:keep-together=\"true\"",
                       "fo:keep-together=\"always\" fo:keep-with-next=\"always\"");
}

QByteArray repairedPackage(const QByteArray& odt, const std::vector<int>& headerRows) {
    auto entries = readZip(odt);
    if (!entries)
        return odt;
    for (auto& [name, data] : *entries)
        if (name == "content.xml")
            data = keepHeadingsWithNext(markTableRows(defineCellStyles(data), headerRows));
    return writeZip(*entries);
}

} // namespace ses
