#include "data/record_copy.h"

#include <memory>
#include <vector>

namespace ses {

namespace {

// A table of the variant tree and its details, in the order they are copied.
struct Node {
    const char* table;
    std::vector<Node> details;
};

const Node& scheduleTree(bool ac) {
    static const Node acTree{"proj_graf0",
                             {{"proj_graf1", {}},
                              {"proj_time", {}},
                              {"proj_gr_prm", {}},
                              {"proj_ep0", {{"proj_ep1", {}}}}}};
    static const Node dcTree{"proj_graf12_0",
                             {{"proj_graf12_1", {}},
                              {"proj_time12", {}},
                              {"proj_gr12_prm", {}},
                              {"proj_ep12_0", {{"proj_ep12_1", {}}}}}};
    return ac ? acTree : dcTree;
}

// Source and destination views of one tree level, each linked through its own masters.
struct Level {
    std::unique_ptr<View> src, dst;
    std::vector<std::unique_ptr<Level>> details;
};

std::unique_ptr<Level> openLevel(Store& store, const Node& node, View* srcMaster, View* dstMaster) {
    auto l = std::make_unique<Level>();
    l->src = std::make_unique<View>(store, QString::fromLatin1(node.table), QStringLiteral("Kod0"),
                                    srcMaster);
    l->dst = std::make_unique<View>(store, QString::fromLatin1(node.table), QStringLiteral("Kod0"),
                                    dstMaster);
    for (const Node& d : node.details)
        l->details.push_back(openLevel(store, d, l->src.get(), l->dst.get()));
    return l;
}

void post(View& dst) {
    if (!dst.post())
        throw DbError(
            DbError::Kind::General,
            QStringLiteral("Не удалось скопировать запись таблицы \"%1\".").arg(dst.name()));
}

// Copies every source row of the level and, after each, the rows of its details.
void copyLevel(Level& l, const ProgressStep& afterEach = {}) {
    for (l.src->first(); !l.src->eof(); l.src->next()) {
        if (!copyRecord(*l.src, *l.dst))
            post(*l.dst);
        for (auto& d : l.details)
            copyLevel(*d);
        if (afterEach)
            afterEach();
    }
}

void copyVariantRows(Store& store, View& srcVariant, View& dstVariant, const ProgressStep& step) {
    const Node arrays{"proj_mas", {}};
    const Node sunday{"proj_sunday", {}};
    const Node loads{"proj_inv", {scheduleTree(true)}};
    auto mas = openLevel(store, arrays, &srcVariant, &dstVariant);
    auto sun = openLevel(store, sunday, &srcVariant, &dstVariant);
    auto inv = openLevel(store, loads, &srcVariant, &dstVariant);
    auto dc = openLevel(store, scheduleTree(false), &srcVariant, &dstVariant);
    copyLevel(*mas);
    if (step)
        step();
    copyLevel(*sun);
    if (step)
        step();
    copyLevel(*inv, step);
    copyLevel(*dc, step);
}

void checkWidth(const QString& table, const QString& column, const QString& value) {
    const ColumnDef* c = findTable(table)->column(column);
    if (value.size() > c->width)
        throw DbError(DbError::Kind::TextTooLong,
                      QStringLiteral("Наименование длиннее допустимого: %1 символов при наибольшей "
                                     "длине %2.")
                          .arg(value.size())
                          .arg(c->width));
}

} // namespace

void copyFields(View& src, View& dst) {
    const bool project = src.table().name == QLatin1String("project0");
    for (int i = 0; i < src.fieldCount(); ++i) {
        Field f = src.field(i);
        if (f.isCalculated())
            continue;
        if (project ? (f.name() == QLatin1String("Kod") || f.name() == QLatin1String("Name"))
                    : i < 2)
            continue;
        dst.field(f.name()).setValue(f.value());
    }
}

void appendOrThrow(View& dst) {
    if (!dst.append())
        throw DbError(
            DbError::Kind::General,
            QStringLiteral("Не удалось добавить запись в таблицу \"%1\".").arg(dst.name()));
}

bool copyRecord(View& src, View& dst) {
    if (!dst.append())
        return false;
    copyFields(src, dst);
    return dst.post();
}

int copyVariant(Store& store, int variantKod, int projectKod, const QString& newName,
                const ProgressStep& step) {
    checkWidth(QStringLiteral("project1"), QStringLiteral("VarName"), newName);
    Transaction tr(store);
    View src(store, QStringLiteral("project1"), QStringLiteral("primary"));
    if (!src.locate(QStringLiteral("Kod"), variantKod))
        throw DbError(DbError::Kind::General, QStringLiteral("Вариант расчета не найден."));
    View dst(store, QStringLiteral("project1"), QStringLiteral("primary"));
    if (step)
        step();
    appendOrThrow(dst);
    copyFields(src, dst);
    dst[QStringLiteral("Kod0")].setInteger(projectKod);
    dst[QStringLiteral("VarName")].setString(newName);
    post(dst);
    copyVariantRows(store, src, dst, step);
    const int kod = dst.currentKey().toInt();
    tr.commit();
    return kod;
}

int copyProject(Store& store, int projectKod, const QString& newName, const ProgressStep& step) {
    checkWidth(QStringLiteral("project0"), QStringLiteral("Name"), newName);
    Transaction tr(store);
    View src(store, QStringLiteral("project0"), QStringLiteral("primary"));
    if (!src.locate(QStringLiteral("Kod"), projectKod))
        throw DbError(DbError::Kind::General, QStringLiteral("Проект не найден."));
    View dst(store, QStringLiteral("project0"), QStringLiteral("primary"));
    appendOrThrow(dst);
    copyFields(src, dst);
    dst[QStringLiteral("Name")].setString(newName);
    post(dst);
    View srcVariants(store, QStringLiteral("project1"), QStringLiteral("Kod0"), &src);
    View dstVariants(store, QStringLiteral("project1"), QStringLiteral("Kod0"), &dst);
    for (srcVariants.first(); !srcVariants.eof(); srcVariants.next()) {
        if (!copyRecord(srcVariants, dstVariants))
            post(dstVariants);
        copyVariantRows(store, srcVariants, dstVariants, {});
        if (step)
            step();
    }
    const int kod = dst.currentKey().toInt();
    tr.commit();
    return kod;
}

} // namespace ses
