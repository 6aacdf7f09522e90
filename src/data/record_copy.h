#pragma once
// Copies of rows and of whole variants and projects, each in one transaction.

#include "data/store.h"
#include "data/view.h"

#include <functional>

namespace ses {

// Sets the columns of dst's edit buffer from src's current row: every stored column of the source
// from the third on (for project0 every column but Kod and Name), nulls included.
void copyFields(View& src, View& dst);

// Appends to dst a copy of src's current row: every stored column of the source from the third
// on (for project0 every column but Kod and Name), nulls included. Returns dst.post().
bool copyRecord(View& src, View& dst);

using ProgressStep = std::function<void()>;

// Copies the variant with key variantKod, with every row that hangs from it, under the project
// projectKod, named newName. Returns the new variant's key. Throws DbError (nothing is left of a
// failed copy).
int copyVariant(Store& store, int variantKod, int projectKod, const QString& newName,
                const ProgressStep& step = {});

// Copies the project with every variant and its tree; the copy is named newName. Returns the new
// project's key.
int copyProject(Store& store, int projectKod, const QString& newName,
                const ProgressStep& step = {});

} // namespace ses
