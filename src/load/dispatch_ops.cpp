#include "load/dispatch_ops.h"

#include "data/data_module.h"
#include "data/record_copy.h"
#include "lib/months.h"

#include <algorithm>
#include <array>
#include <memory>

namespace ses {

namespace {

const QString kSchedulesAc = QStringLiteral("proj_graf0");
const QString kSchedulesDc = QStringLiteral("proj_graf12_0");

int col(const View& v, const char* name) {
    return v.table().columnIndex(QString::fromLatin1(name));
}

std::optional<double> numberAt(const View& v, int row, int column) {
    if (column < 0)
        return std::nullopt;
    const QVariant x = v.valueAt(row, column);
    return x.isNull() ? std::nullopt : std::optional<double>(x.toDouble());
}

std::optional<double> number(View& v, const QString& column) {
    const Field f = v[column];
    return f.isNull() ? std::nullopt : std::optional<double>(f.asFloat());
}

void setNumber(Field f, const std::optional<double>& x) {
    if (x)
        f.setFloat(*x);
    else
        f.clear();
}

// Runs a write in one transaction: committed when it returns true, rolled back when it returns
// false or the store fails (the store's message is shown), `views` then leaving their editing.
template <class Write>
bool inTransaction(TDataModule1& dm, std::initializer_list<View*> views, Write&& write) {
    Transaction tr(dm.store(), views);
    try {
        if (!write())
            return false;
        tr.commit();
        return true;
    } catch (const DbError& e) {
        dm.prompter().error(e.message());
        return false;
    }
}

// A schedule table and the tables hanging from it, in the order a copy writes them.
struct Node {
    const char* table;
    std::vector<Node> details;
};

const std::vector<Node>& scheduleDetails(bool ac) {
    static const std::vector<Node> acTree{{"proj_graf1", {}},
                                          {"proj_time", {}},
                                          {"proj_gr_prm", {}},
                                          {"proj_ep0", {{"proj_ep1", {}}}}};
    static const std::vector<Node> dcTree{{"proj_graf12_1", {}},
                                          {"proj_time12", {}},
                                          {"proj_gr12_prm", {}},
                                          {"proj_ep12_0", {{"proj_ep12_1", {}}}}};
    return ac ? acTree : dcTree;
}

// Source and destination views of one level, each following its own master. They are the
// store's plain views: the data module's rules (a consumer's post clearing its schedule's
// figures) do not run on rows that are only copied.
struct Level {
    std::unique_ptr<View> src, dst;
    std::vector<std::unique_ptr<Level>> details;
};

std::unique_ptr<Level> openLevel(Store& store, const Node& node, View* srcMaster, View* dstMaster) {
    auto l = std::make_unique<Level>();
    const QString table = QString::fromLatin1(node.table);
    l->src = std::make_unique<View>(store, table, QStringLiteral("Kod0"), srcMaster);
    l->dst = std::make_unique<View>(store, table, QStringLiteral("Kod0"), dstMaster);
    for (const Node& d : node.details)
        l->details.push_back(openLevel(store, d, l->src.get(), l->dst.get()));
    return l;
}

[[noreturn]] void copyFailed(const View& v) {
    throw DbError(DbError::Kind::General,
                  QStringLiteral("Не удалось скопировать запись таблицы \"%1\".").arg(v.name()));
}

void copyLevel(Level& l) {
    for (l.src->first(); !l.src->eof(); l.src->next()) {
        if (!copyRecord(*l.src, *l.dst))
            copyFailed(*l.dst);
        for (auto& d : l.details)
            copyLevel(*d);
    }
}

// Copies the schedule row with key sourceKey and everything hanging from it; returns the key of
// the copy.
int copyTree(Store& store, bool ac, const QVariant& sourceKey, const QString& name,
             const QString& from, const QString& to) {
    const QString table = ac ? kSchedulesAc : kSchedulesDc;
    View src(store, table, QStringLiteral("primary"));
    if (!src.locate(QStringLiteral("Kod"), sourceKey))
        throw DbError(DbError::Kind::General, QStringLiteral("Суточный график не найден."));
    View dst(store, table, QStringLiteral("primary"));
    if (!dst.append())
        copyFailed(dst);
    copyFields(src, dst);
    dst[QStringLiteral("Kod0")].setValue(src[QStringLiteral("Kod0")].value());
    dst[QStringLiteral("SutGrafName")].setString(name);
    dst[QStringLiteral("MonthName1")].setString(from);
    dst[QStringLiteral("MonthName2")].setString(to);
    if (!dst.post())
        copyFailed(dst);
    for (const Node& node : scheduleDetails(ac)) {
        auto level = openLevel(store, node, &src, &dst);
        copyLevel(*level);
    }
    return dst.currentKey().toInt();
}

// The monthly rows of a schedule moved to the range from - to.
std::vector<MonthlyRow> monthlyOfRange(TDataModule1& dm, bool ac, const ScheduleDraft& s,
                                       const QString& from, const QString& to) {
    if (!s.intervals.empty() && testIntervals(s.intervals).ok)
        return monthlyRows(parseIntervals(s.intervals), from, to, readScheduleInputs(dm, ac)).rows;
    // Typed energies belong to their month: only the months the source has can be kept.
    std::vector<MonthlyRow> rows;
    for (const MonthlyRow& r : s.monthly)
        if (monthInRange(r.month, from, to))
            rows.push_back(r);
    return rows;
}

bool ownerReady(TDataModule1& dm, bool ac) {
    if (!ac)
        return !dm.tblProj1().isEmpty();
    View& loads = dm.tblProj_Inv();
    return !loads.isEmpty() && !loads.isEditing();
}

bool aggregatesAfter(TDataModule1& dm, bool ac) {
    return !ac || refreshLoadAggregates(dm);
}

} // namespace

View& schedulesView(TDataModule1& dm, bool ac) {
    return dm.tbl(ac ? kSchedulesAc : kSchedulesDc);
}

std::vector<ScheduleSummary> scheduleSummaries(const View& v) {
    const int name = col(v, "SutGrafName"), from = col(v, "MonthName1"), to = col(v, "MonthName2"),
              pnom = col(v, "Pnom30min"), pmax = col(v, "Pmax10min"), peak = col(v, "Wp_pik"),
              sine = col(v, "ClearSinus"); // AC only
    std::vector<ScheduleSummary> s;
    for (int r = 0; r < v.recordCount(); ++r)
        s.push_back({v.valueAt(r, name).toString(), v.valueAt(r, from).toString(),
                     v.valueAt(r, to).toString(), numberAt(v, r, pnom), numberAt(v, r, pmax),
                     numberAt(v, r, peak), sine >= 0 && v.valueAt(r, sine).toBool()});
    return s;
}

std::vector<AcLoadSummary> acLoadSummaries(TDataModule1& dm) {
    const View& loads = dm.tblProj_Inv();
    // Every schedule of every load, in the order each load's list shows them.
    View all(dm.store(), kSchedulesAc, QStringLiteral("Kod0"));
    const std::vector<ScheduleSummary> schedules = scheduleSummaries(all);
    const int key = col(loads, "Kod"), name = col(loads, "Nagr_Name"), owner = col(all, "Kod0");
    std::vector<AcLoadSummary> out;
    for (int r = 0; r < loads.recordCount(); ++r) {
        AcLoadSummary l{loads.valueAt(r, name).toString(), {}};
        const QVariant k = loads.valueAt(r, key);
        for (int s = 0; s < all.recordCount(); ++s)
            if (all.valueAt(s, owner) == k)
                l.schedules.push_back(schedules[s]);
        out.push_back(std::move(l));
    }
    return out;
}

std::optional<QString> closeRefusal(TDataModule1& dm, bool ac) {
    if (ac)
        return acCloseRefusal(acLoadSummaries(dm));
    return dcCloseRefusal(scheduleSummaries(schedulesView(dm, false)));
}

ScheduleDraft newScheduleDraft(TDataModule1& dm, bool ac) {
    ScheduleDraft d;
    d.name = QStringLiteral("Суточный график %1").arg(schedulesView(dm, ac).recordCount() + 1);
    d.from = monthNames().front();
    d.to = monthNames().back();
    d.clearSinus = ac;
    return d;
}

bool addSchedule(TDataModule1& dm, bool ac, const ScheduleDraft& draft) {
    if (!ownerReady(dm, ac))
        return false;
    return inTransaction(dm, {}, [&] {
        return storeSchedule(dm, schedulesView(dm, ac), ac, false, draft) &&
               aggregatesAfter(dm, ac);
    });
}

bool appendBlankSchedule(TDataModule1& dm, bool ac, const ScheduleDraft& draft) {
    if (!ownerReady(dm, ac))
        return false;
    View& schedules = schedulesView(dm, ac);
    return inTransaction(dm, {&schedules}, [&] {
        if (!schedules.append())
            return false;
        schedules[QStringLiteral("SutGrafName")].setString(draft.name);
        schedules[QStringLiteral("MonthName1")].setString(draft.from);
        schedules[QStringLiteral("MonthName2")].setString(draft.to);
        return schedules.post();
    });
}

bool editSchedule(TDataModule1& dm, bool ac, const ScheduleDraft& draft) {
    View& schedules = schedulesView(dm, ac);
    if (schedules.isEmpty())
        return false;
    return inTransaction(dm, {}, [&] {
        return storeSchedule(dm, schedules, ac, true, draft) && aggregatesAfter(dm, ac);
    });
}

bool deleteSchedule(TDataModule1& dm, bool ac) {
    View& schedules = schedulesView(dm, ac);
    if (schedules.isEmpty())
        return false;
    return inTransaction(dm, {}, [&] { return schedules.remove() && aggregatesAfter(dm, ac); });
}

std::optional<QString> scheduleNameRefusal(const QString& name) {
    const QString n = name.trimmed();
    if (n.isEmpty())
        return QStringLiteral("Поле \"Наименование суточного графика\" должно быть заполнено.");
    const int width = findTable(kSchedulesAc)->column(QStringLiteral("SutGrafName"))->width;
    if (n.size() > width)
        return QStringLiteral("Наименование суточного графика \"%1\" длиннее допустимого: %2 "
                              "символов при наибольшей длине %3. Сократите наименование.")
            .arg(n)
            .arg(n.size())
            .arg(width);
    return std::nullopt;
}

std::optional<QString> loadNameRefusal(const QString& name) {
    const QString n = name.trimmed();
    if (n.isEmpty())
        return QStringLiteral("Поле \"Наименование нагрузки\" должно быть заполнено.");
    const int width =
        findTable(QStringLiteral("proj_inv"))->column(QStringLiteral("Nagr_Name"))->width;
    if (n.size() > width)
        return QStringLiteral("Наименование нагрузки длиннее допустимого: %1 символов при "
                              "наибольшей длине %2. Сократите наименование.")
            .arg(n.size())
            .arg(width);
    return std::nullopt;
}

std::optional<std::pair<QString, QString>>
freeMonthRange(const std::vector<ScheduleSummary>& schedules) {
    const QStringList& months = monthNames();
    std::array<bool, 12> free{};
    for (int m = 0; m < 12; ++m) {
        free[m] = true;
        for (const ScheduleSummary& s : schedules)
            free[m] = free[m] && !monthInRange(months[m], s.from, s.to);
    }
    const auto freeCount = std::count(free.begin(), free.end(), true);
    if (freeCount == 0)
        return std::nullopt;
    if (freeCount == 12)
        return std::pair{months.front(), months.back()};
    int bestStart = 0, bestLength = 0;
    for (int start = 0; start < 12; ++start) {
        // A run starts after a taken month (December before January).
        if (!free[start] || free[(start + 11) % 12])
            continue;
        int length = 0;
        while (free[(start + length) % 12])
            ++length;
        if (length > bestLength) {
            bestStart = start;
            bestLength = length;
        }
    }
    return std::pair{months[bestStart], months[(bestStart + bestLength - 1) % 12]};
}

std::optional<int> copySchedule(TDataModule1& dm, bool ac, const QString& newName,
                                const QString& from, const QString& to) {
    View& schedules = schedulesView(dm, ac);
    Prompter& prompter = dm.prompter();
    if (schedules.isEmpty() || schedules.isEditing() || (ac && !ownerReady(dm, ac)))
        return std::nullopt;
    if (const auto e = scheduleNameRefusal(newName)) {
        prompter.error(*e);
        return std::nullopt;
    }
    if (monthIndex(from) == 0 || monthIndex(to) == 0) {
        prompter.error(QStringLiteral("Диапазон месяцев суточного графика задан неверно."));
        return std::nullopt;
    }
    if (const auto e = monthRangeConflict(from, to, otherSchedules(schedules, false))) {
        prompter.error(*e);
        return std::nullopt;
    }
    const QString name = newName.trimmed();
    const QVariant sourceKey = schedules.currentKey();
    const ScheduleDraft source = loadSchedule(dm, schedules, ac);
    std::optional<int> key;
    {
        Transaction tr(dm.store());
        try {
            const int k = copyTree(dm.store(), ac, sourceKey, name, from, to);
            schedules.refresh();
            if (!schedules.locate(QStringLiteral("Kod"), k))
                throw DbError(DbError::Kind::General,
                              QStringLiteral("Копия суточного графика не найдена."));
            ScheduleDraft copy = source;
            copy.name = name;
            copy.from = from;
            copy.to = to;
            copy.intervals.clear(); // copied already; storeSchedule leaves them
            copy.monthly = monthlyOfRange(dm, ac, source, from, to);
            if (storeSchedule(dm, schedules, ac, true, copy)) {
                tr.commit();
                key = k;
            }
        } catch (const DbError& e) {
            prompter.error(e.message());
        }
    }
    if (!key)
        schedules.locate(QStringLiteral("Kod"), sourceKey);
    return key;
}

bool refreshLoadAggregates(TDataModule1& dm) {
    View& loads = dm.tblProj_Inv();
    if (loads.isEmpty())
        return true;
    if (loads.isEditing())
        return false;
    const LoadAggregates a = loadAggregates(scheduleSummaries(schedulesView(dm, true)));
    if (number(loads, QStringLiteral("Pnom30min")) == a.pnom &&
        number(loads, QStringLiteral("Pmax10min")) == a.pmax &&
        number(loads, QStringLiteral("Ppik")) == a.ppik &&
        loads[QStringLiteral("ClearSinus")].asBoolean() == a.clearSinus)
        return true;
    return inTransaction(dm, {&loads}, [&] {
        if (!loads.edit())
            return false;
        setNumber(loads[QStringLiteral("Pnom30min")], a.pnom);
        setNumber(loads[QStringLiteral("Pmax10min")], a.pmax);
        setNumber(loads[QStringLiteral("Ppik")], a.ppik);
        loads[QStringLiteral("ClearSinus")].setBoolean(a.clearSinus);
        return loads.post();
    });
}

const QStringList& dcProtectionColumns() {
    static const QStringList columns = {
        QStringLiteral("Skab_akb"),         QStringLiteral("Ikab_akb"),
        QStringLiteral("DUkab_akb"),        QStringLiteral("DPkab_akb"),
        QStringLiteral("Company_AV_AKB"),   QStringLiteral("Tip_AV_AKB"),
        QStringLiteral("Inom_AV_AKB"),      QStringLiteral("Unom_AV_AKB"),
        QStringLiteral("Company_Pr_AKB"),   QStringLiteral("Tip_Pr_AKB"),
        QStringLiteral("Tip_Pr_Derzh_AKB"), QStringLiteral("Inom_Pr_AKB"),
        QStringLiteral("Unom_Pr_AKB")};
    return columns;
}

bool storeDcFigures(TDataModule1& dm) {
    View& var = dm.tblProj1();
    if (var.isEmpty())
        return false;
    const std::vector<ScheduleSummary> schedules = scheduleSummaries(schedulesView(dm, false));
    const std::optional<double> uses = number(var, QStringLiteral("Uses"));
    if (!schedules.empty() && !(uses && *uses > 0)) {
        dm.prompter().error(QStringLiteral(
            "Не задано напряжение системы варианта расчета: токи нагрузок постоянного напряжения "
            "не могут быть рассчитаны. Задайте напряжение системы в параметрах варианта расчета."));
        return false;
    }
    static const std::array<QString, 6> names = {
        QStringLiteral("Pnom30min"), QStringLiteral("Pmax10min"), QStringLiteral("Wp_pik"),
        QStringLiteral("Inom"),      QStringLiteral("Imax"),      QStringLiteral("Ipik")};
    const DcFigures f = dcFigures(schedules, uses.value_or(0));
    const std::array<std::optional<double>, 6> values = {f.pnom, f.pmax, f.wpik,
                                                         f.inom, f.imax, f.ipik};
    bool changed = false;
    for (int i = 0; i < 6; ++i)
        changed = changed || number(var, names[i]) != values[i];
    if (!changed)
        return false;
    return inTransaction(dm, {&var}, [&] {
        if (!var.edit())
            return false;
        for (int i = 0; i < 6; ++i)
            setNumber(var[names[i]], values[i]);
        // The cable and its protection were chosen for the old currents.
        for (const QString& c : dcProtectionColumns())
            var[c].clear();
        return var.post();
    });
}

} // namespace ses
