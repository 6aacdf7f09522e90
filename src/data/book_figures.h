#pragma once
// The figures the schedule books keep for each of their schedules (daily energy, nominal and
// maximum powers and, for the consumer-detailed books, the peak and the pure-sine flag), built
// from the schedule's own rows by the same computations as the books' windows.

#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

namespace ses {

class Store;
struct Consumer;

// The consumers of a consumer-detailed book schedule (sSutEP0 or sSutEP12_0 key), with their
// periods in stored order, as the load computations take them.
std::vector<Consumer> readBookConsumers(Store& store, bool ac, const QVariant& scheduleKey);

// Builds and writes the figures of every schedule of the three books (only of the books whose
// schedule tables are named: sSut0, sSutEP0, sSutEP12_0); a schedule without rows to build from,
// or whose rows fail the tests, gets empty figures. Runs inside the caller's transaction; the
// load windows (param) of the settings, else 30 and 10 minutes.
void buildBookFigures(Store& store, const QStringList& scheduleTables = {});

} // namespace ses
