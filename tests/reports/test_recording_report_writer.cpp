#include "lib/qt_print.h"
#include "reports/recording_report_writer.h"

#include <gtest/gtest.h>

namespace ses {
namespace {

TEST(RecordingReportWriter, KeepsBlocksInOrder) {
    RecordingReportWriter writer;
    writer.openReport();
    writer.writeTitle(QStringLiteral("Выбор контроллеров заряда СЭ.\r\r"));
    writer.writeHeading(QStringLiteral("Исходные данные.\r"));
    writer.writePairsTable({{QStringLiteral("Напряжение системы, В"), QStringLiteral("24")},
                            {QStringLiteral("Тип"), QStringLiteral("a\tb")}});
    writer.writeHeading(QStringLiteral("\rКонтроллеры.\r"));
    writer.writeGridTable({{"A", "B", "C"}, {"1", "2", "3"}});
    writer.insertPicture(QImage(64, 48, QImage::Format_RGB32));
    writer.writeText(QStringLiteral("Примечание.\r"));
    EXPECT_TRUE(writer.closeReport().isEmpty());

    const QStringList expected = {
        "open",
        QStringLiteral("title: Выбор контроллеров заряда СЭ.\r\r"),
        QStringLiteral("heading: Исходные данные.\r"),
        "pairs 2",
        QStringLiteral("heading: \rКонтроллеры.\r"),
        "grid 2x3",
        "picture 64x48",
        QStringLiteral("text: Примечание.\r"),
        "close",
    };
    EXPECT_EQ(writer.summary(), expected);

    const auto& pairs = writer.blocks().at(3);
    ASSERT_EQ(pairs.kind, RecordingReportWriter::Block::PairsTable);
    EXPECT_EQ(pairs.rows.at(1), QStringList({QStringLiteral("Тип"), QStringLiteral("a\tb")}));
}

} // namespace
} // namespace ses
