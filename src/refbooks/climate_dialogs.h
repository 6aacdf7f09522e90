#pragma once
// The two ways the region reference takes a site's climate from outside: a weather file
// ("Импорт климата...") and a station of the bundled set ("Из справочника станций..."). Both end
// in the preview of the twelve months that are about to be written.

#include "solar/climate_files.h"
#include "solar/station_climate.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace ses {

class Prompter;

// "Импорт климата.": source, coordinates and warnings, the region's name (and its latitude when
// the source has none), and the twelve months as they will be stored. "Записать" accepts once
// the latitude is a number from -90 to 90.
class TClimatePreview : public QDialog {
public:
    TClimatePreview(const ClimateYear& c, const QStringList& summary, const QString& name,
                    int tiltDay, Prompter& prompter, QWidget* parent = nullptr);
    QString regionName() const;
    // The climate with the latitude typed in the window where the source had none.
    ClimateYear climate() const;
    QLineEdit* nameField() const { return m_name; }
    QLineEdit* latitudeField() const { return m_latitude; } // null when the source has one
    QTableWidget* months() const { return m_months; }
    void accept() override;

private:
    void fillMonths();

    ClimateYear m_climate;
    int m_day;
    Prompter& m_prompter;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_latitude = nullptr;
    QTableWidget* m_months = nullptr;
};

// "Регион из справочника станций.": stations by name or nearest by latitude; "Выбрать" accepts
// with one chosen.
class TStationPicker : public QDialog {
public:
    TStationPicker(const std::vector<Station>& stations, Prompter& prompter,
                   QWidget* parent = nullptr);
    bool findByName(const QString& text);
    bool findByLatitude(const QString& text);
    std::optional<int> chosen() const; // into the station list
    QTableWidget* list() const { return m_list; }
    void accept() override;

private:
    void show(const std::vector<StationMatch>& found);

    const std::vector<Station>& m_stations;
    Prompter& m_prompter;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_latitude = nullptr;
    QTableWidget* m_list = nullptr;
    std::vector<StationMatch> m_found;
};

} // namespace ses
