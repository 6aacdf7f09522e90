#include "solar/station_set.h"

#include <QFile>

#include <stdexcept>

static void initStationResource() {
    Q_INIT_RESOURCE(station_data);
}

namespace ses {

const std::vector<Station>& bundledStations() {
    static const std::vector<Station> stations = [] {
        initStationResource();
        QFile f(QStringLiteral(":/stations/climate_sunshine.csv"));
        if (!f.open(QIODevice::ReadOnly))
            throw std::runtime_error("the bundled station set is missing");
        QString error;
        std::vector<Station> s = parseStations(f.readAll(), &error);
        if (s.empty())
            throw std::runtime_error(error.toStdString());
        return s;
    }();
    return stations;
}

} // namespace ses
