#pragma once
// The wire and connector catalogs as the wiring rules read them.

#include "storage/wiring.h"

namespace ses {

class TDataModule1;

// kl rows with both figures, in key order.
std::vector<WireRating> wireCatalog(TDataModule1& dm);
// mc (connectors) and mc_y (splitters) rows with a current, in key order.
std::vector<ConnectorRating> connectorCatalog(TDataModule1& dm);
std::vector<ConnectorRating> splitterCatalog(TDataModule1& dm);

} // namespace ses
