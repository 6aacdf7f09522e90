#pragma once
// The protective devices over the store: the catalog of a device kind and the current variant's
// circuits read for the rules; a chosen device written (to several arrays at once when asked),
// deleted, or deleted from every record of a circuit, each in one transaction. Writing a device
// of one kind empties the other kind's device of the same circuit.

#include "storage/protection.h"

namespace ses {

class TDataModule1;
class View;

// The catalog of a kind with the makers' and types' "in use" flags, and the inverter ratings
// when asked for (only the inverter-power choice needs them; they are most of the rows).
DeviceCatalog readDeviceCatalog(TDataModule1& dm, DeviceKind kind, bool ratings = true);

// The part of the catalog that may meet a requirement, narrowed in the store: what
// `candidatesFor` keeps of it is what it keeps of the whole catalog. Empty when inputs are
// missing.
DeviceCatalog readCandidateDevices(TDataModule1& dm, DeviceKind kind, const Requirement& r);

// The current variant's circuits, its arrays and AC loads, and the wire catalog.
ProtectionInputs readProtectionInputs(TDataModule1& dm);

// The record set a circuit's devices are stored in: the variant (assembly, battery - DC), the
// arrays, or the AC loads.
View& circuitView(TDataModule1& dm, Circuit circuit);
// The names of the stored fields of a circuit for a kind: maker, type, [holder,] current,
// voltage.
QStringList deviceFields(DeviceKind kind, Circuit circuit);

// The device stored at record `record` of the circuit's record set (ignored for the variant).
StoredDevice storedDevice(TDataModule1& dm, DeviceKind kind, Circuit circuit, int record);

// Writes `device` into the circuit at `record` and, with `bulk`, into the arrays the rules copy
// it to; empties the other kind's device there. Returns the arrays reached and those skipped.
// One transaction: a failure (DbError thrown) changes nothing.
BulkTargets storeDeviceChoice(TDataModule1& dm, DeviceKind kind, Circuit circuit, int record,
                              const Candidate& device, bool bulk);

// Empties the kind's device of the circuit at `record`, or at every record with `all`.
void deleteDevices(TDataModule1& dm, DeviceKind kind, Circuit circuit, int record, bool all);

} // namespace ses
