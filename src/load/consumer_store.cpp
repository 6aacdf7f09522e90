#include "load/consumer_store.h"

#include "data/data_module.h"
#include "lib/numbers.h"

#include <algorithm>

namespace ses {

namespace {

const QString kKod0 = QStringLiteral("Kod0");
const QString kT1 = QStringLiteral("T1");
const QString kT2 = QStringLiteral("T2");
// The columns of a consumer table before its stored fields: Kod and Kod0.
constexpr int kKeyColumns = 2;

const TableDef& def(const QString& table) {
    const TableDef* t = findTable(table);
    if (!t)
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Неизвестная таблица \"%1\".").arg(table));
    return *t;
}

// Reads the consumers of the current schedule with their keys through views of our own, so that
// the data module's consumer and period views (and the grids over them) stay where they are.
std::vector<ConsumerSnapshot::Row> readRows(Store& store, View& schedules,
                                            const ConsumerTables& t) {
    View consumers(store, t.consumers, kKod0, &schedules);
    View periods(store, t.periods, kKod0, &consumers);
    const int t1 = periods.table().columnIndex(kT1), t2 = periods.table().columnIndex(kT2);
    std::vector<ConsumerSnapshot::Row> rows;
    rows.reserve(consumers.recordCount());
    for (int r = 0; r < consumers.recordCount(); ++r) {
        consumers.moveTo(r);
        ConsumerSnapshot::Row row;
        row.key = consumers.currentKey();
        for (int c = kKeyColumns; c < consumers.fieldCount(); ++c)
            row.record.fields.push_back(consumers.valueAt(r, c));
        for (int p = 0; p < periods.recordCount(); ++p) {
            row.record.periods.emplace_back(periods.valueAt(p, t1), periods.valueAt(p, t2));
            row.periodKeys.push_back(periods.valueAt(p, 0));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

// Runs body in one transaction. A refusal (false) or a store error leaves every view out of
// editing and nothing written; the store's error is told through the data module.
template <class Body>
bool transaction(TDataModule1& dm, std::initializer_list<View*> views, Body body) {
    Transaction tr(dm.store(), views);
    try {
        if (!body())
            return false;
        tr.commit();
        return true;
    } catch (const DbError& e) {
        dm.prompter().error(e.message());
        return false;
    }
}

// Appends one consumer with its periods under the current schedule; with keys, the rows get
// them back (a restore), else the store gives new ones.
bool appendRecord(View& consumers, View& periods, const ConsumerRecord& r, const QVariant& key = {},
                  const std::vector<QVariant>& periodKeys = {}) {
    if (!consumers.append())
        return false;
    if (key.isValid())
        consumers.field(0).setValue(key);
    const int n = std::min<int>(int(r.fields.size()), consumers.fieldCount() - kKeyColumns);
    for (int i = 0; i < n; ++i)
        consumers.field(kKeyColumns + i).setValue(r.fields[i]);
    if (!consumers.post())
        return false;
    // The periods now follow the consumer just posted.
    for (size_t p = 0; p < r.periods.size(); ++p) {
        if (!periods.append())
            return false;
        if (p < periodKeys.size())
            periods.field(0).setValue(periodKeys[p]);
        periods[kT1].setValue(r.periods[p].first);
        periods[kT2].setValue(r.periods[p].second);
        if (!periods.post())
            return false;
    }
    return true;
}

void setConsumerFields(View& v, bool ac, const ConsumerFields& c) {
    v[QStringLiteral("Name")].setString(c.name);
    v[QStringLiteral("Pnom")].setFloat(c.pnom);
    v[QStringLiteral("Ppik")].setFloat(c.ppik);
    v[QStringLiteral("Kol_vo")].setInteger(c.quantity);
    if (ac) {
        v[QStringLiteral("ClearSinus")].setBoolean(c.clearSinus);
    } else if (c.unom) {
        v[QStringLiteral("Unom")].setFloat(*c.unom);
    } else {
        v[QStringLiteral("Unom")].clear();
    }
    v[QStringLiteral("Rejim")].setString(c.rejim);
}

struct Views {
    View& consumers;
    View& periods;
};
Views editedViews(TDataModule1& dm, bool ac, ConsumerPlace place) {
    const ConsumerTables t = consumerTables(ac, place);
    return {dm.tbl(t.consumers), dm.tbl(t.periods)};
}

} // namespace

ConsumerTables projectConsumerTables(bool ac) {
    if (ac)
        return {QStringLiteral("proj_graf0"), QStringLiteral("proj_ep0"),
                QStringLiteral("proj_ep1")};
    return {QStringLiteral("proj_graf12_0"), QStringLiteral("proj_ep12_0"),
            QStringLiteral("proj_ep12_1")};
}

ConsumerTables bookConsumerTables(bool ac) {
    if (ac)
        return {QStringLiteral("sSutEP0"), QStringLiteral("sSutEP1"), QStringLiteral("sSutEP2")};
    return {QStringLiteral("sSutEP12_0"), QStringLiteral("sSutEP12_1"),
            QStringLiteral("sSutEP12_2")};
}

QString bookSectionsTable(bool ac) {
    return ac ? QStringLiteral("sSutEP") : QStringLiteral("sSutEP12");
}

ConsumerTables consumerTables(bool ac, ConsumerPlace place) {
    return place == ConsumerPlace::Book ? bookConsumerTables(ac) : projectConsumerTables(ac);
}

QVariant recordField(const ConsumerRecord& r, const TableDef& consumers, const QString& column) {
    const int i = consumers.columnIndex(column) - kKeyColumns;
    return i >= 0 && i < int(r.fields.size()) ? r.fields[i] : QVariant();
}

std::vector<ConsumerRecord> readConsumerRecords(Store& store, View& schedules,
                                                const ConsumerTables& t) {
    std::vector<ConsumerRecord> records;
    for (auto& row : readRows(store, schedules, t))
        records.push_back(std::move(row.record));
    return records;
}

std::vector<ConsumerRecord> readConsumerRecords(TDataModule1& dm, const ConsumerTables& t) {
    return readConsumerRecords(dm.store(), dm.tbl(t.schedules), t);
}

std::vector<ConsumerRecord> currentConsumerRecords(TDataModule1& dm, bool ac, ConsumerPlace place) {
    return readConsumerRecords(dm, consumerTables(ac, place));
}

std::vector<Consumer> toConsumers(const std::vector<ConsumerRecord>& records,
                                  const TableDef& consumers) {
    std::vector<Consumer> out;
    out.reserve(records.size());
    for (const ConsumerRecord& r : records) {
        Consumer c;
        c.name = recordField(r, consumers, QStringLiteral("Name")).toString();
        c.spnom = recordField(r, consumers, QStringLiteral("SPnom")).toDouble();
        c.sppik = recordField(r, consumers, QStringLiteral("SPpik")).toDouble();
        c.clearSinus = recordField(r, consumers, QStringLiteral("ClearSinus")).toBool();
        c.rejim = recordField(r, consumers, QStringLiteral("Rejim")).toString();
        for (const auto& [t1, t2] : r.periods) {
            ConsumerPeriod p;
            p.t1 = t1.toDouble();
            p.t2 = t2.toDouble();
            p.t1Text = numberToText(p.t1);
            p.t2Text = numberToText(p.t2);
            c.periods.push_back(p);
        }
        out.push_back(std::move(c));
    }
    return out;
}

std::vector<Consumer> currentConsumers(TDataModule1& dm, bool ac, ConsumerPlace place) {
    const ConsumerTables t = consumerTables(ac, place);
    return toConsumers(readConsumerRecords(dm, t), def(t.consumers));
}

ConsumerFigures consumerFigures(const std::vector<Consumer>& consumers, int nomMinutes,
                                int maxMinutes) {
    ConsumerFigures f;
    f.intervals = buildFromConsumers(consumers);
    f.peak = peakFromConsumers(consumers);
    f.clearSinus = std::any_of(consumers.begin(), consumers.end(),
                               [](const Consumer& c) { return c.clearSinus; });
    if (f.intervals.empty())
        return f;
    // The period lists offer 0 to 24 hours, but any hour can be typed.
    for (const Consumer& c : consumers)
        for (const ConsumerPeriod& p : c.periods)
            if (roundHalfEven(p.t1, 3) < 0 || roundHalfEven(p.t2, 3) > 24) {
                f.intervalError =
                    QStringLiteral("Время работы электроприемника должно быть в пределах суток "
                                   "(от 0 до 24 часов).\nЭлектроприемник \"%1\". Промежуток "
                                   "времени %2 - %3.")
                        .arg(c.name, p.t1Text, p.t2Text);
                return f;
            }
    const IntervalTestResult t = testIntervals(f.intervals);
    if (!t.ok) {
        f.intervalError = t.message;
        return f;
    }
    f.params = scheduleParameters(parseIntervals(f.intervals), nomMinutes, maxMinutes);
    return f;
}

bool appendConsumer(TDataModule1& dm, bool ac, const ConsumerFields& c, ConsumerPlace place) {
    Views v = editedViews(dm, ac, place);
    return transaction(dm, {&v.consumers}, [&] {
        if (!v.consumers.append())
            return false;
        setConsumerFields(v.consumers, ac, c);
        return v.consumers.post();
    });
}

bool replaceConsumer(TDataModule1& dm, bool ac, const ConsumerFields& c, ConsumerPlace place) {
    Views v = editedViews(dm, ac, place);
    if (v.consumers.isEmpty())
        return false;
    return transaction(dm, {&v.consumers}, [&] {
        if (!v.consumers.edit())
            return false;
        setConsumerFields(v.consumers, ac, c);
        return v.consumers.post();
    });
}

bool deleteConsumer(TDataModule1& dm, bool ac, ConsumerPlace place) {
    Views v = editedViews(dm, ac, place);
    if (v.consumers.isEmpty())
        return false;
    return transaction(dm, {&v.periods, &v.consumers}, [&] { return v.consumers.remove(); });
}

bool replacePeriods(TDataModule1& dm, bool ac,
                    const std::vector<std::pair<double, double>>& periods, ConsumerPlace place) {
    Views v = editedViews(dm, ac, place);
    if (v.consumers.isEmpty())
        return false;
    return transaction(dm, {&v.periods}, [&] {
        if (!v.periods.removeAll())
            return false;
        for (const auto& [t1, t2] : periods) {
            if (!v.periods.append())
                return false;
            v.periods[kT1].setFloat(t1);
            v.periods[kT2].setFloat(t2);
            if (!v.periods.post())
                return false;
        }
        v.periods.first();
        return true;
    });
}

bool appendConsumers(TDataModule1& dm, bool ac, const std::vector<ConsumerRecord>& records,
                     ConsumerPlace place) {
    Views v = editedViews(dm, ac, place);
    return transaction(dm, {&v.periods, &v.consumers}, [&] {
        for (const ConsumerRecord& r : records)
            if (!appendRecord(v.consumers, v.periods, r))
                return false;
        return true;
    });
}

bool replaceConsumers(TDataModule1& dm, bool ac, const std::vector<ConsumerRecord>& records) {
    Views v = editedViews(dm, ac, ConsumerPlace::Project);
    return transaction(dm, {&v.periods, &v.consumers}, [&] {
        if (!v.consumers.removeAll())
            return false;
        for (const ConsumerRecord& r : records)
            if (!appendRecord(v.consumers, v.periods, r))
                return false;
        v.consumers.first();
        return true;
    });
}

ConsumerSnapshot snapshotConsumers(TDataModule1& dm, bool ac) {
    const ConsumerTables t = projectConsumerTables(ac);
    ConsumerSnapshot s;
    s.scheduleKey = dm.tbl(t.schedules).currentKey();
    if (!s.scheduleKey.isNull())
        s.rows = readRows(dm.store(), dm.tbl(t.schedules), t);
    return s;
}

bool restoreConsumers(TDataModule1& dm, bool ac, const ConsumerSnapshot& snapshot) {
    if (snapshot.scheduleKey.isNull())
        return true;
    const ConsumerTables t = projectConsumerTables(ac);
    View& schedules = dm.tbl(t.schedules);
    if (schedules.currentKey() != snapshot.scheduleKey &&
        !schedules.locate(QStringLiteral("Kod"), snapshot.scheduleKey))
        return false;
    if (readRows(dm.store(), dm.tbl(t.schedules), t) == snapshot.rows)
        return true;
    Views v = editedViews(dm, ac, ConsumerPlace::Project);
    return transaction(dm, {&v.periods, &v.consumers}, [&] {
        if (!v.consumers.removeAll())
            return false;
        for (const auto& row : snapshot.rows)
            if (!appendRecord(v.consumers, v.periods, row.record, row.key, row.periodKeys))
                return false;
        v.consumers.first();
        return true;
    });
}

QStringList consumerBookSections(TDataModule1& dm, bool ac) {
    const View& sections = dm.tbl(bookSectionsTable(ac));
    const int c = sections.table().columnIndex(QStringLiteral("Razdel"));
    QStringList names;
    for (int r = 0; r < sections.recordCount(); ++r)
        names << sections.valueAt(r, c).toString();
    return names;
}

bool saveToConsumerBook(TDataModule1& dm, bool ac, const QString& section, const QString& name,
                        const std::vector<ConsumerRecord>& records, const ConsumerFigures& figures,
                        std::optional<double> unom) {
    const ConsumerTables t = bookConsumerTables(ac);
    View& sections = dm.tbl(bookSectionsTable(ac));
    View& schedules = dm.tbl(t.schedules);
    View& consumers = dm.tbl(t.consumers);
    View& periods = dm.tbl(t.periods);
    return transaction(dm, {&periods, &consumers, &schedules, &sections}, [&] {
        // Found by name, or appended. Moving to it may be refused by the book's own rule (its
        // current schedule was never built): then nothing is saved.
        const int c = sections.table().columnIndex(QStringLiteral("Razdel"));
        int found = -1;
        for (int r = 0; r < sections.recordCount() && found < 0; ++r)
            if (sections.valueAt(r, c).toString() == section)
                found = r;
        if (found >= 0) {
            if (!sections.moveTo(found) || sections.recNo() != found)
                return false;
        } else {
            if (!sections.append())
                return false;
            sections[QStringLiteral("Razdel")].setString(section);
            if (!sections.post())
                return false;
        }
        if (!schedules.append())
            return false;
        schedules[QStringLiteral("Name")].setString(name);
        if (!ac) {
            if (unom)
                schedules[QStringLiteral("Unom")].setFloat(*unom);
            else
                schedules[QStringLiteral("Unom")].clear();
        }
        if (!schedules.post())
            return false;
        for (const ConsumerRecord& r : records)
            if (!appendRecord(consumers, periods, r))
                return false;
        // Every consumer and period posted empties the schedule's figures: write them last.
        if (!schedules.edit())
            return false;
        schedules[QStringLiteral("Wp_sut")].setFloat(figures.params.wpSut);
        schedules[QStringLiteral("Pnom30min")].setFloat(figures.params.pnom);
        schedules[QStringLiteral("Pmax10min")].setFloat(figures.params.pmax);
        schedules[QStringLiteral("Ppik")].setFloat(figures.peak);
        if (ac)
            schedules[QStringLiteral("ClearSinus")].setBoolean(figures.clearSinus);
        if (!schedules.post())
            return false;
        consumers.first();
        return true;
    });
}

bool writeBookFigures(TDataModule1& dm, bool ac, const BookScheduleBuild& build) {
    View& schedules = dm.tbl(bookConsumerTables(ac).schedules);
    if (schedules.isEmpty())
        return false;
    return transaction(dm, {&schedules}, [&] {
        if (!schedules.edit())
            return false;
        const std::pair<const char*, double> figures[] = {{"Wp_sut", build.params.wpSut},
                                                          {"Pnom30min", build.params.pnom},
                                                          {"Pmax10min", build.params.pmax},
                                                          {"Ppik", build.peak}};
        for (const auto& [column, value] : figures) {
            Field f = schedules[QString::fromLatin1(column)];
            if (build.ok())
                f.setFloat(value);
            else
                f.clear();
        }
        if (ac)
            schedules[QStringLiteral("ClearSinus")].setBoolean(build.ok() && build.clearSinus);
        return schedules.post();
    });
}

int firstNameMatch(const QStringList& names, const QString& typed) {
    if (typed.isEmpty())
        return -1;
    for (int i = 0; i < names.size(); ++i)
        if (names[i].startsWith(typed, Qt::CaseInsensitive))
            return i;
    return -1;
}

void fillFromConsumers(ScheduleDraft& d, const ConsumerFigures& f, const ScheduleInputs& in) {
    const MonthlyResult rows = monthlyRows(parseIntervals(f.intervals), d.from, d.to, in);
    d.intervals = f.intervals;
    d.wpSut = rows.params.wpSut;
    d.pnom = rows.params.pnom;
    d.pmax = rows.params.pmax;
    d.peak = f.peak;
    d.clearSinus = f.clearSinus;
    d.monthly = rows.rows;
}

} // namespace ses
