// The region reference's climate commands: a weather file through its preview into the catalog,
// and a station chosen from the bundled set.

#include "../data/fixture.h"

#include "lib/numbers.h"
#include "refbooks/catalog_form.h"
#include "refbooks/climate_dialogs.h"
#include "solar/station_set.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace ses;
using namespace ses::test;

namespace {

class RegionClimateFormTest : public DbTest {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = m_tmp.path() + "/" + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    int regionCount() { return tbl("region0").recordCount(); }
};

TEST_F(RegionClimateFormTest, PreviewOfARealFileThenWritten) {
    TsRegForm form(*dm, prompter);
    EXPECT_EQ(form.climateButton()->text(), "Импорт климата...");
    EXPECT_EQ(form.stationButton()->text(), "Из справочника станций...");

    const auto preview =
        form.climatePreview(QStringLiteral(CLIMATE_SAMPLES "/tmy_45.000_8.000_2005_2023.epw"));
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->windowTitle(), "Импорт климата.");
    EXPECT_FALSE(preview->latitudeField()); // the file gives it
    ASSERT_EQ(preview->months()->rowCount(), 12);
    EXPECT_EQ(preview->months()->item(11, 0)->text(), "декабрь");
    EXPECT_EQ(preview->months()->item(11, 1)->text(), "1,49"); // the horizontal, as the file
    const QString plane = preview->months()->item(11, 2)->text();
    EXPECT_GT(parseNumber(plane).value_or(0), 2 * 1.49); // December on a plane of 68 degrees
    EXPECT_EQ(regionCount(), 0); // nothing is written before "Записать"

    preview->nameField()->setText(QStringLiteral("Пьемонт"));
    ASSERT_TRUE(form.writePreview(*preview));
    View& regions = tbl("region0");
    ASSERT_TRUE(regions.locate("Region", QStringLiteral("Пьемонт")));
    EXPECT_EQ(regions["Fi"].asFloat(), 45);
    EXPECT_EQ(tbl("region1").recordCount(), 12);
    ASSERT_TRUE(tbl("region1").locate("MonthName", QStringLiteral("декабрь")));
    EXPECT_EQ(numberToText(tbl("region1")["P"].asFloat()), plane); // stored as previewed
    EXPECT_TRUE(form.sourceText().contains("рассчитана программой"))
        << form.sourceText().toStdString();
}

TEST_F(RegionClimateFormTest, BadFileAndMissingLatitudeAreToldAndWriteNothing) {
    TsRegForm form(*dm, prompter);
    EXPECT_FALSE(form.climatePreview(write("bad.csv", "a,b\n1,2\n")));
    EXPECT_TRUE(prompter.last().startsWith("Файл \"bad.csv\": формат не распознан"));

    // NASA POWER without its header block: no coordinates, so the window asks for the latitude.
    QByteArray nasa = "PARAMETER,JAN,FEB,MAR,APR,MAY,JUN,JUL,AUG,SEP,OCT,NOV,DEC,ANN\n"
                      "ALLSKY_SFC_SW_DWN,1,2,3,4,5,6,6,5,4,3,2,1,3.5\n"
                      "T2M,-5,-4,0,6,12,16,18,17,11,5,0,-4,6\n";
    const auto preview = form.climatePreview(write("power.csv", nasa));
    ASSERT_TRUE(preview);
    ASSERT_TRUE(preview->latitudeField());
    // No tilt, and so no plane value, without a latitude.
    EXPECT_TRUE(preview->months()->item(0, 4)->text().isEmpty());
    EXPECT_TRUE(preview->months()->item(0, 2)->text().isEmpty());
    for (const char* bad : {"", "abc", "91"}) {
        preview->latitudeField()->setText(QString::fromLatin1(bad));
        preview->accept();
        EXPECT_EQ(preview->result(), QDialog::Rejected) << bad;
        EXPECT_TRUE(prompter.last().contains("широты")) << bad;
    }
    preview->latitudeField()->setText(QStringLiteral("50"));
    EXPECT_EQ(preview->months()->item(0, 4)->text(), "70");
    EXPECT_FALSE(preview->months()->item(0, 2)->text().isEmpty());
    preview->accept();
    EXPECT_EQ(preview->result(), QDialog::Accepted);
    EXPECT_EQ(regionCount(), 0);
    EXPECT_TRUE(form.writePreview(*preview));
    EXPECT_EQ(regionCount(), 1);
}

TEST_F(RegionClimateFormTest, StationPickerFindsAndChooses) {
    TStationPicker picker(bundledStations(), prompter);
    picker.accept();
    EXPECT_EQ(picker.result(), QDialog::Rejected);
    EXPECT_EQ(prompter.last(), "Выберите станцию в списке.");
    EXPECT_FALSE(picker.findByName(QStringLiteral("Хабаровск")));
    EXPECT_TRUE(prompter.last().contains("латиницей"));
    EXPECT_FALSE(picker.findByLatitude(QStringLiteral("север")));
    ASSERT_TRUE(picker.findByName(QStringLiteral("habarovsk")));
    ASSERT_TRUE(picker.chosen());
    EXPECT_EQ(bundledStations()[*picker.chosen()].city, "HABAROVSK");
    ASSERT_TRUE(picker.findByLatitude(QStringLiteral("48,533")));
    EXPECT_EQ(picker.list()->item(0, 4)->text(), "0");
    picker.accept();
    EXPECT_EQ(picker.result(), QDialog::Accepted);
}

} // namespace
