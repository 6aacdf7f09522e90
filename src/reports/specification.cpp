#include "reports/specification.h"

#include "lib/numbers.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace ses {

QString specKindName(SpecKind kind) {
    switch (kind) {
    case SpecKind::Inverter:
        return QStringLiteral("Инвертор");
    case SpecKind::Battery:
        return QStringLiteral("Аккумулятор");
    case SpecKind::Panel:
        return QStringLiteral("Солнечная панель");
    case SpecKind::Controller:
        return QStringLiteral("Контроллер");
    case SpecKind::Breaker:
        return QStringLiteral("Автоматический выключатель");
    case SpecKind::Fuse:
        return QStringLiteral("Предохранитель");
    case SpecKind::Holder:
        return QStringLiteral("Держатель предохранителя");
    case SpecKind::Cable:
        return QStringLiteral("Провод (кабель)");
    case SpecKind::Connector:
        return QStringLiteral("Коннектор");
    case SpecKind::Splitter:
        return QStringLiteral("Коннектор разветвитель");
    case SpecKind::Jumper:
        return QStringLiteral("Перемычка");
    }
    return {};
}

QString specUnit(SpecKind kind) {
    switch (kind) {
    case SpecKind::Cable:
        return QStringLiteral("м");
    case SpecKind::Connector:
    case SpecKind::Splitter:
        return QStringLiteral("комп.");
    default:
        return QStringLiteral("шт.");
    }
}

int specGroup(SpecKind kind) {
    return kind == SpecKind::Splitter ? int(SpecKind::Connector) : int(kind);
}

namespace {

// Rows in the order first met, added up by key; grouped by kind at the end.
class Accumulator {
public:
    explicit Accumulator(bool byMaker) : m_byMaker(byMaker) {}

    void add(SpecRow row) {
        const Key key{row.kind, row.designation, m_byMaker ? row.maker : QString()};
        const auto found = m_index.find(key);
        if (found != m_index.end()) {
            SpecRow& r = m_rows[found->second];
            r.quantity += row.quantity;
            if (!m_byMaker && r.maker != row.maker)
                r.maker.clear(); // one row of several makers names none
            return;
        }
        m_index.emplace(key, m_rows.size());
        m_rows.push_back(std::move(row));
    }

    std::vector<SpecRow> take() {
        std::stable_sort(m_rows.begin(), m_rows.end(), [](const SpecRow& a, const SpecRow& b) {
            return specGroup(a.kind) < specGroup(b.kind);
        });
        return std::move(m_rows);
    }

private:
    using Key = std::tuple<SpecKind, QString, QString>;
    bool m_byMaker;
    std::map<Key, size_t> m_index;
    std::vector<SpecRow> m_rows;
};

SpecRow item(SpecKind kind, const QString& type, const QString& characteristics,
             const QString& maker, double quantity) {
    SpecRow r;
    r.kind = kind;
    r.type = type;
    r.characteristics = characteristics;
    r.designation = characteristics.isEmpty()
                        ? type
                        : type + QStringLiteral(" (") + characteristics + QLatin1Char(')');
    r.maker = maker;
    r.quantity = quantity;
    return r;
}

void addBreaker(Accumulator& acc, const SpecBreaker& b, double count, const SpecCatalogs& c) {
    if (b.type.isEmpty() || count <= 0)
        return;
    QString ch = b.inom + QStringLiteral(" A; ") + b.unom + QStringLiteral(" B");
    const auto mounting = c.breakerMounting.find({b.company, b.type});
    if (mounting != c.breakerMounting.end())
        ch += QStringLiteral("; тип крепления - ") + mounting->second;
    SpecRow r = item(SpecKind::Breaker, b.type, ch, b.company, count);
    r.notInCatalog = mounting == c.breakerMounting.end();
    acc.add(std::move(r));
}

void addFuse(Accumulator& acc, const SpecFuse& f, double count) {
    if (f.type.isEmpty() || count <= 0)
        return;
    acc.add(item(SpecKind::Fuse, f.type,
                 f.inom + QStringLiteral(" A; ") + f.unom + QStringLiteral(" B"), f.company,
                 count));
}

void addHolder(Accumulator& acc, const SpecFuse& f, double count) {
    if (f.holder.isEmpty() || count <= 0)
        return;
    acc.add(item(SpecKind::Holder, f.holder, QString(), f.company, count));
}

// "2x" cables (laid open, or one two-core wire in a pipe) count their length once; two
// single-core wires count it twice. `parallel` cables of a circuit each run the whole length.
void addCable(Accumulator& acc, const SpecCable& cable, double parallel = 1) {
    if (!cable.section)
        return;
    const bool twoCore = cable.method == QStringLiteral("открыто") ||
                         cable.method == QStringLiteral("один 2-жильный провод в трубе");
    const QString designation = (twoCore ? QStringLiteral("2x") : QStringLiteral("1x")) +
                                numberToText(*cable.section) + QStringLiteral(" мм2");
    const double length = cable.length.value_or(0) * (twoCore ? 1 : 2) * parallel;
    acc.add(item(SpecKind::Cable, designation, QString(), QString(), length));
}

void addConnector(Accumulator& acc, SpecKind kind, const std::vector<ConnectorRating>& catalog,
                  double current, double count) {
    const QString type = connectorFor(catalog, current);
    SpecRow r = item(kind, type.isEmpty() ? kTypeNotFound : type, QString(), QString(), count);
    r.notInCatalog = type.isEmpty();
    if (r.notInCatalog)
        r.type.clear();
    acc.add(std::move(r));
}

// `places` jumpers carrying `current`; each place takes one jumper, or two in parallel when no
// single section carries the current.
void addJumpers(Accumulator& acc, const std::vector<JumperRating>& catalog, double current,
                double places) {
    if (places <= 0)
        return;
    const JumperChoice j = jumperFor(current, catalog);
    SpecRow r;
    r.kind = SpecKind::Jumper;
    if (j.found()) {
        r.designation = numberToText(j.section) + QStringLiteral(" мм2");
        r.type = r.designation;
        r.quantity = places * j.count;
    } else {
        r.designation = kSectionNotFound;
        r.notInCatalog = true;
        r.quantity = places;
    }
    acc.add(std::move(r));
}

std::vector<SpecRow> build(const VariantEquipment& v, const SpecCatalogs& c, bool byMaker) {
    Accumulator acc(byMaker);

    for (const SpecLoad& l : v.loads) {
        if (l.name.isEmpty())
            continue;
        acc.add(item(SpecKind::Inverter, l.name,
                     l.pnom + QLatin1Char('/') + l.pmax + QLatin1Char('/') + l.ppik +
                         QStringLiteral(" Вт; ") + l.uvh + QLatin1Char('/') + l.uvuh +
                         QStringLiteral(" В; ") + l.forma,
                     l.company, 1));
    }

    if (!v.batteryName.isEmpty())
        acc.add(item(SpecKind::Battery, v.batteryName,
                     v.batteryType + QStringLiteral("; ") + v.batteryCnom +
                         QStringLiteral(" А*ч; ") + v.batteryUnom + QStringLiteral(" B"),
                     QString(), v.batteryCount));

    if (!v.panelType.isEmpty()) {
        const auto s = c.panelStructure.find({v.panelCompany, v.panelType});
        QString ch;
        if (s != c.panelStructure.end() && !s->second.isEmpty())
            ch = s->second + QStringLiteral("; ");
        ch += v.panelPower + QStringLiteral(" Вт; ") + v.panelVoltage + QStringLiteral(" B");
        SpecRow r = item(SpecKind::Panel, v.panelType, ch, v.panelCompany, v.panelCount);
        r.notInCatalog = s == c.panelStructure.end();
        acc.add(std::move(r));
    }

    for (const SpecArray& a : v.arrays) {
        if (a.controller.isEmpty())
            continue;
        const auto m = c.controllerMethod.find({a.company, a.controller});
        QString ch;
        if (m != c.controllerMethod.end() && !m->second.isEmpty())
            ch = m->second + QStringLiteral("; ");
        ch += a.unom + QStringLiteral(" B; ") + a.inom + QStringLiteral(" A");
        SpecRow r = item(SpecKind::Controller, a.controller, ch, a.company, 1);
        r.notInCatalog = m == c.controllerMethod.end();
        acc.add(std::move(r));
    }

    // Protection is listed only for a station that has a solar battery.
    if (!v.arrays.empty()) {
        // Every string of an array above the unprotected limit has its own device.
        const auto assembly = [&](const SpecArray& a) {
            return a.strings > v.maxUnprotectedStrings ? double(a.strings) : 0.0;
        };
        for (const SpecArray& a : v.arrays)
            addBreaker(acc, v.assemblyBreaker, assembly(a), c);
        for (const SpecArray& a : v.arrays) {
            addBreaker(acc, a.toControllerBreaker, 1, c);
            addBreaker(acc, a.toBatteryBreaker, 1, c);
        }
        for (const SpecLoad& l : v.loads)
            addBreaker(acc, l.breaker, 1, c);
        addBreaker(acc, v.dcBreaker, 1, c);

        for (const SpecArray& a : v.arrays)
            addFuse(acc, v.assemblyFuse, assembly(a));
        for (const SpecArray& a : v.arrays) {
            addFuse(acc, a.toControllerFuse, 1);
            addFuse(acc, a.toBatteryFuse, 1);
        }
        for (const SpecLoad& l : v.loads)
            addFuse(acc, l.fuse, 1);
        addFuse(acc, v.dcFuse, 1);

        for (const SpecArray& a : v.arrays)
            addHolder(acc, v.assemblyFuse, assembly(a));
        for (const SpecArray& a : v.arrays) {
            addHolder(acc, a.toControllerFuse, 1);
            addHolder(acc, a.toBatteryFuse, 1);
        }
        for (const SpecLoad& l : v.loads)
            addHolder(acc, l.fuse, 1);
        addHolder(acc, v.dcFuse, 1);
    }

    for (const SpecArray& a : v.arrays) {
        addCable(acc, a.toController);
        addCable(acc, a.toBattery);
    }
    for (const SpecLoad& l : v.loads) {
        // Each parallel feed cable runs the whole length; none stored means one.
        const double parallel = l.cableCount && *l.cableCount > 0 ? *l.cableCount : 1;
        addCable(acc, l.cable, parallel);
    }
    addCable(acc, v.dcCable);

    // A string's current: MPPT controllers work at the maximum-power point; PWM arrays are
    // counted from the short-circuit current when the settings say so.
    const double i1 = (!v.mppt && c.currentFromIsc ? v.isc : v.imp).value_or(0);
    for (const SpecArray& a : v.arrays) {
        const int n = a.strings;
        if (n == 1)
            addConnector(acc, SpecKind::Connector, c.connectors, i1, 1);
        for (int k = 2; k <= n; ++k) {
            addConnector(acc, SpecKind::Connector, c.connectors, k * i1, k == 2 ? 1 : 2);
            addConnector(acc, SpecKind::Splitter, c.splitters, k * i1, 1);
        }
    }

    if (v.batteryChargeMax && v.batteryStrings > 0) {
        const double is = *v.batteryChargeMax;
        if (v.batterySeries > 1)
            addJumpers(acc, c.jumpers, is, double(v.batterySeries - 1) * v.batteryStrings);
        for (int i = 1; i <= v.batteryStrings; ++i)
            addJumpers(acc, c.jumpers, i * is, 2);
    }

    return acc.take();
}

} // namespace

std::vector<SpecRow> buildSpecification(const VariantEquipment& v, const SpecCatalogs& c) {
    return build(v, c, false);
}

std::vector<SpecRow> buildSpecificationByMaker(const VariantEquipment& v, const SpecCatalogs& c) {
    return build(v, c, true);
}

std::vector<QStringList> specificationTable(const std::vector<SpecRow>& rows) {
    std::vector<QStringList> out;
    out.reserve(rows.size() + 1);
    out.push_back({QStringLiteral("Наименование оборудования"), QStringLiteral("Тип оборудования"),
                   QStringLiteral("Ед. изм."), QStringLiteral("Количество")});
    for (const SpecRow& r : rows)
        out.push_back({r.kindName(), r.designation, r.unit(), numberToText(r.quantity)});
    return out;
}

std::vector<QStringList> equipmentListTable(const std::vector<SpecRow>& rows) {
    std::vector<QStringList> out;
    out.reserve(rows.size() + 1);
    out.push_back({QStringLiteral("Позиция"),
                   QStringLiteral("Наименование и техническая характеристика"),
                   QStringLiteral("Тип, марка, обозначение документа, опросного листа"),
                   QStringLiteral("Код продукции"), QStringLiteral("Поставщик"),
                   QStringLiteral("Единица измерения"), QStringLiteral("Количество"),
                   QStringLiteral("Масса 1 ед., кг"), QStringLiteral("Примечание")});
    int position = 0;
    for (const SpecRow& r : rows) {
        QString name = r.kindName();
        if (!r.characteristics.isEmpty())
            name += QStringLiteral(", ") + r.characteristics;
        QString note;
        if (r.notInCatalog)
            note = r.kind == SpecKind::Jumper ? kSectionNotFound : kTypeNotFound;
        out.push_back({QString::number(++position), name, r.type, QString(), r.maker, r.unit(),
                       numberToText(r.quantity), QString(), note});
    }
    return out;
}

std::vector<MergedSpecRow> mergeSpecifications(const std::vector<std::vector<SpecRow>>& lists) {
    std::vector<MergedSpecRow> rows;
    std::map<std::pair<SpecKind, QString>, size_t> index;
    for (size_t v = 0; v < lists.size(); ++v)
        for (const SpecRow& r : lists[v]) {
            const auto key = std::make_pair(r.kind, r.designation);
            auto found = index.find(key);
            if (found == index.end()) {
                MergedSpecRow m;
                m.kind = r.kind;
                m.designation = r.designation;
                m.quantities.assign(lists.size(), std::nullopt);
                found = index.emplace(key, rows.size()).first;
                rows.push_back(std::move(m));
            }
            std::optional<double>& q = rows[found->second].quantities[v];
            q = q.value_or(0) + r.quantity;
        }
    std::stable_sort(rows.begin(), rows.end(), [](const MergedSpecRow& a, const MergedSpecRow& b) {
        return specGroup(a.kind) < specGroup(b.kind);
    });
    for (MergedSpecRow& m : rows)
        for (const auto& q : m.quantities)
            if (!sameValue(q.value_or(0), m.quantities.front().value_or(0)))
                m.differs = true;
    return rows;
}

std::vector<QStringList> comparisonTable(const std::vector<MergedSpecRow>& rows,
                                         const QStringList& variantNames) {
    std::vector<QStringList> out;
    out.reserve(rows.size() + 1);
    QStringList header{QStringLiteral("Наименование оборудования"),
                       QStringLiteral("Тип оборудования"), QStringLiteral("Ед. изм.")};
    header += variantNames;
    out.push_back(header);
    for (const MergedSpecRow& m : rows) {
        QStringList line{specKindName(m.kind), m.designation, specUnit(m.kind)};
        for (const auto& q : m.quantities)
            line << (q && !sameValue(*q, 0) ? numberToText(*q) : QString());
        out.push_back(line);
    }
    return out;
}

} // namespace ses
