#include "data/catalog_copy.h"

#include "data/data_module.h"

namespace ses {

namespace {

// The texts of the current row's columns from the third on.
QStringList rowTexts(View& v) {
    QStringList texts;
    for (int c = 2; c < v.fieldCount(); ++c)
        if (!v.field(c).isCalculated())
            texts << v.field(c).asString();
    return texts;
}

// The rows of levels[depth] under the current row of its master, each with its own details.
std::vector<CopiedRecord> copyDetails(TDataModule1& dm, const QStringList& levels, int depth) {
    std::vector<CopiedRecord> rows;
    if (depth >= levels.size())
        return rows;
    View& v = dm.tbl(levels[depth]);
    const Bookmark mark = v.bookmark();
    for (int r = 0; r < v.recordCount(); ++r) {
        if (!v.moveTo(r))
            break;
        rows.push_back({rowTexts(v), copyDetails(dm, levels, depth + 1)});
    }
    if (mark >= 0)
        v.gotoBookmark(mark);
    return rows;
}

void assign(View& v, const QStringList& texts) {
    int i = 0;
    for (int c = 2; c < v.fieldCount() && i < texts.size(); ++c)
        if (!v.field(c).isCalculated())
            v.field(c).setString(texts[i++]);
}

struct Paster {
    TDataModule1& dm;
    const QStringList& levels;
    std::optional<PasteRefusal> refusal;

    // Appends rows under the current row of levels[depth - 1]; false on a refusal.
    bool paste(const std::vector<CopiedRecord>& rows, int depth) {
        if (depth > levels.size() || rows.empty())
            return true;
        View& v = dm.tbl(levels[depth - 1]);
        for (int i = 0; i < int(rows.size()); ++i) {
            const auto refuse = [&] {
                refusal = PasteRefusal{v.name(), depth, i + 1, rows[i].texts.value(0)};
                return false;
            };
            if (!v.append())
                return refuse();
            try {
                assign(v, rows[i].texts);
            } catch (const DbError& e) {
                if (!e.isRowRefusal())
                    throw;
                dm.prompter().error(e.message());
                return refuse();
            }
            if (!v.post() || !paste(rows[i].details, depth + 1))
                return refusal ? false : refuse();
        }
        return true;
    }
};

} // namespace

std::optional<CopiedRecord> copyCatalogRecord(TDataModule1& dm, const CatalogDef& def) {
    View& v = dm.tbl(def.copyTable);
    if (v.isEmpty() || v.recNo() < 0)
        return std::nullopt;
    CopiedRecord rec{rowTexts(v), copyDetails(dm, def.copyDetails, 0)};
    if (!rec.texts.isEmpty())
        rec.texts[0] += QStringLiteral("_");
    return rec;
}

std::optional<PasteRefusal> pasteCatalogRecord(TDataModule1& dm, const CatalogDef& def,
                                               const CopiedRecord& rec, PasteInto into) {
    View& v = dm.tbl(def.copyTable);
    std::vector<View*> details;
    for (const QString& t : def.copyDetails)
        details.push_back(&dm.tbl(t));
    const PasteRefusal typeRefused{v.name(), 0, 1, rec.texts.value(0)};

    if (into == PasteInto::EditedRow && v.state() != ViewState::Edit)
        into = PasteInto::NewRow;
    if (into == PasteInto::NewRow && v.state() != ViewState::Insert && !v.append())
        return typeRefused;
    try {
        assign(v, rec.texts);
    } catch (const DbError& e) {
        if (!e.isRowRefusal())
            throw;
        dm.prompter().error(e.message());
        return typeRefused;
    }

    Transaction tr(dm.store());
    // A refused copied row keeps its values in editing; nothing has been written yet.
    if (!v.post())
        return typeRefused;
    Paster paster{dm, def.copyDetails, std::nullopt};
    const auto undo = [&] {
        for (auto it = details.rbegin(); it != details.rend(); ++it)
            if ((*it)->isEditing())
                (*it)->cancel();
    };
    if (!details.empty()) {
        // The pasted details replace whatever the row had (an overwritten row's own).
        View& first = *details.front();
        const bool removed = first.removeAll();
        if (!removed || !paster.paste(rec.details, 1)) {
            undo();
            if (!paster.refusal)
                paster.refusal = PasteRefusal{first.name(), 1, 0, QString()};
            return paster.refusal; // the guard rolls the whole paste back
        }
    }
    tr.commit();
    return std::nullopt;
}

} // namespace ses
