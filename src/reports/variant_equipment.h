#pragma once
// The equipment list's reading of the store: a variant's chosen equipment by its key and the
// catalog facts its designations carry. Read-only queries only: no view of the data module
// moves, so the main window's current variant, load and array stay where they are.

#include "reports/specification.h"

#include <QString>

#include <vector>

namespace ses {

class TDataModule1;

struct VariantRef {
    qint64 key = 0;
    QString name;
};

// The variants of the current project in table order; empty without a project.
std::vector<VariantRef> currentProjectVariants(TDataModule1& dm);
// The current variant's key; -1 when there is none.
qint64 currentVariantKey(TDataModule1& dm);

// The variant with this key, its AC loads and its arrays in table order; an empty snapshot
// (key 0) when there is no such variant.
VariantEquipment readVariantEquipment(TDataModule1& dm, qint64 key);

// The catalog facts the variants' designations need (only the makers and types they use are
// looked up), the connector, splitter and jumper catalogs and the Isc setting.
SpecCatalogs readSpecCatalogs(TDataModule1& dm, const std::vector<VariantEquipment>& variants);

// The list of one variant read by key.
std::vector<SpecRow> variantSpecification(TDataModule1& dm, qint64 key, bool byMaker = false);

} // namespace ses
