#pragma once
// The cable choice over the store: the four circuits' inputs read from the current variant, its
// arrays and AC loads and the wire catalogs; "Выбор" writing every result in one transaction; a
// laying method or a length edited in the window written alone.

#include "storage/cables.h"

#include <optional>

namespace ses {

class TDataModule1;
class View;

// The wire catalog in ascending section, and the optimal battery - inverter cables.
WireTable readWireTable(TDataModule1& dm);
std::vector<OptimalCableRow> readOptimalCables(TDataModule1& dm);

// The current variant's circuits with the catalogs.
CableInputs readCableInputs(TDataModule1& dm);

// The minimum-section options as the window last left them; they keep their values while the
// program runs (4, 4, 25 and 6 mm2, ticked, at first).
CableOptions& sessionCableOptions();

// Writes the results of a run into the current variant's records: stored results, emptied ones
// cleared, skipped records untouched. One transaction: a failure (DbError thrown) leaves every
// record as it was.
void storeCableRun(TDataModule1& dm, const CableRun& run);

// "Выбор": reads, chooses and stores; the run tells the messages in circuit order.
CableRun runCableChoice(TDataModule1& dm, const CableOptions& options);

// Writes one laying method (one of the three texts) or one length (a number above 0) into the
// current record of `v` and saves it. Returns the refusal, and then nothing is changed.
std::optional<QString> storeCableInput(View& v, const QString& field, const QString& text);

} // namespace ses
