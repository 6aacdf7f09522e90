#include "storage/protection.h"

#include "lib/numbers.h"
#include "storage/wiring.h"

#include <algorithm>

namespace ses {

namespace {

QString text(std::optional<double> x) {
    return x ? numberToText(*x) : QString();
}

QString twoDecimals(std::optional<double> x) {
    return x ? formatPattern(*x, QStringLiteral("0.##")) : QString();
}

// "автоматического выключателя" / "предохранителя": how the texts name one device.
QString ofDevice(DeviceKind k) {
    return k == DeviceKind::Breaker ? QStringLiteral("автоматического выключателя")
                                    : QStringLiteral("предохранителя");
}

QString circuitCaption(DeviceKind k, Circuit c) {
    const QString head = QStringLiteral("Выбор ") + ofDevice(k);
    switch (c) {
    case Circuit::Assembly:
        return head + QStringLiteral(" сборки массива СП.");
    case Circuit::ArrayController:
        return head + QStringLiteral(" контура \"Массив СП - контроллер\".");
    case Circuit::ControllerBattery:
        return head + QStringLiteral(" контура \"Контроллер - АБ\".");
    case Circuit::BatteryInverter:
        return head + QStringLiteral(" контура \"АБ - инвертор\".");
    case Circuit::BatteryDc:
        break;
    }
    return head + QStringLiteral(" контура \"АБ - потребители постоянного напряжения\".");
}

QString noteOf(DeviceKind k, const QString& basis) {
    return QStringLiteral("Выбор ") + ofDevice(k) + QStringLiteral(" выполняется по ") + basis +
           QStringLiteral(" с учетом коэффициентов запаса по току и напряжению.");
}

const QString kSectionLabel = QStringLiteral("Сечение жил провода (кабеля), мм2:");

// Collects the shown values and the missing inputs of one requirement.
struct Builder {
    Requirement r;
    void show(const QString& label, const QString& value) { r.shown.emplace_back(label, value); }
    // A base value: shown, and named when missing (the label without its unit).
    std::optional<double> need(const QString& label, std::optional<double> x, bool shown = true) {
        if (shown)
            show(label, text(x));
        if (!x)
            r.missing << QString(label).section(QLatin1Char(','), 0, 0).remove(QLatin1Char(':'));
        return x;
    }
    void margins(const Margins& m) {
        show(QStringLiteral("Коэффициент запаса по току:"), numberToText(m.current));
        show(QStringLiteral("Коэффициент запаса по напряжению:"), numberToText(m.voltage));
    }
    void section(std::optional<double> s) {
        r.sectionText = text(s);
        if (!s)
            r.missing << QStringLiteral("сечение жил провода (кабеля) (выберите провода (кабели))");
        else
            r.section = *s;
    }
    void require(std::optional<double> current, std::optional<double> voltage, const Margins& m) {
        r.currentBase = current;
        r.voltageBase = voltage;
        if (current)
            r.current = roundHalfEven(*current * m.current, 2);
        if (voltage)
            r.voltage = roundHalfEven(*voltage * m.voltage, 2);
    }
};

std::optional<double> product(std::optional<double> a, std::optional<double> b) {
    if (!a || !b)
        return std::nullopt;
    return roundPattern(*a * *b, QStringLiteral("0.##"));
}

// The controller - battery current: the battery's largest charge current in a one-array variant
// with a battery, else the controller's current of the kind's option. Breakers and fuses share
// the rule, so a fuse is never sized against an absent battery.
bool byBatteryCharge(const ProtectionInputs& in) {
    return in.arrays.size() == 1 && !in.variant.tipAkb.isEmpty();
}

std::optional<double> controllerKey(const ProtectionArray& a, int option) {
    return option == 1 ? a.iakbCtrl : a.inomCtrl;
}

} // namespace

bool StoredDevice::complete() const {
    return !company.isEmpty() && !name.isEmpty() && inom && unom;
}

QString Requirement::missingText() const {
    if (missing.isEmpty())
        return {};
    return QStringLiteral("Выбор невозможен: не заданы исходные данные для выбора (") +
           missing.join(QStringLiteral("; ")) + QStringLiteral(").");
}

double stringCableSection(const WireTable& wires, double current, double minimum) {
    std::vector<WireRating> ratings;
    ratings.reserve(wires.size());
    for (const WireRow& w : wires)
        if (w.idop)
            ratings.push_back(WireRating{w.sech, *w.idop});
    return stringCableSection(ratings, current, minimum);
}

std::optional<double> assemblyVoltage(const std::vector<ProtectionArray>& arrays) {
    std::optional<double> top;
    for (const ProtectionArray& a : arrays)
        if (a.sumUxx && (!top || *a.sumUxx > *top))
            top = a.sumUxx;
    return top;
}

Requirement requirementOf(DeviceKind kind, Circuit circuit, const ProtectionInputs& in,
                          int record) {
    const ProtectionVariant& v = in.variant;
    const KindSettings& s = v.settings(kind);
    const Margins& m = s.margins[int(circuit)];
    Builder b;
    b.r.caption = circuitCaption(kind, circuit);
    switch (circuit) {
    case Circuit::Assembly: {
        b.show(QStringLiteral("Ток в рабочей точке СП сборки, А:"), text(v.impSp));
        const auto isc = b.need(QStringLiteral("Ток к.з. СП сборки, А:"), v.iscSp);
        const auto uxx =
            b.need(QStringLiteral("Напряжение х.х. сборки СП, В:"), assemblyVoltage(in.arrays));
        b.margins(m);
        b.require(isc, uxx, m);
        b.section(isc ? std::optional<double>(stringCableSection(in.wires, *isc, in.minimumSection))
                      : std::nullopt);
        b.r.note = noteOf(kind, QStringLiteral("току короткого замыкания и напряжению холостого "
                                               "хода сборки солнечных панелей"));
        break;
    }
    case Circuit::ArrayController: {
        const ProtectionArray a =
            record >= 0 && record < int(in.arrays.size()) ? in.arrays[record] : ProtectionArray{};
        b.show(QStringLiteral("Рабочий ток СП массива, А:"),
               twoDecimals(product(v.impSp, a.kolVetv)));
        const auto isc =
            b.need(QStringLiteral("Ток к.з. СП массива, А:"), product(v.iscSp, a.kolVetv));
        const auto uxx = b.need(QStringLiteral("Напряжение х.х. СП массива, В:"), a.sumUxx);
        b.margins(m);
        b.require(isc, uxx, m);
        b.section(a.skab);
        b.r.note = noteOf(kind, QStringLiteral("току короткого замыкания и напряжению холостого "
                                               "хода массива солнечных панелей"));
        break;
    }
    case Circuit::ControllerBattery: {
        const ProtectionArray a =
            record >= 0 && record < int(in.arrays.size()) ? in.arrays[record] : ProtectionArray{};
        std::optional<double> current;
        if (byBatteryCharge(in)) {
            b.show(QStringLiteral("Минимальный ток АБ, А:"), text(v.sizarMin));
            current = b.need(QStringLiteral("Максимальный ток АБ, А:"), v.sizarMax);
            b.r.note = noteOf(kind, QStringLiteral("максимальному току заряда АБ и напряжению АБ"));
        } else {
            const bool charge = s.ctrlBattery == 1;
            const QString chargeLabel = QStringLiteral("Ток заряда АБ от контроллера, А:");
            const QString maxLabel = QStringLiteral("Максимальный ток контроллера, А:");
            if (charge) {
                current = b.need(chargeLabel, a.iakbCtrl);
                b.show(maxLabel, text(a.inomCtrl));
            } else {
                b.show(chargeLabel, text(a.iakbCtrl));
                current = b.need(maxLabel, a.inomCtrl);
            }
            b.r.note = noteOf(kind, charge ? QStringLiteral("току заряда АБ от контроллера и "
                                                            "напряжению АБ")
                                           : QStringLiteral("максимальному току контроллера и "
                                                            "напряжению АБ"));
        }
        const auto uses = b.need(QStringLiteral("Номинальное напряжение АБ, В:"), v.uses);
        b.margins(m);
        b.require(current, uses, m);
        b.section(a.skabAkb);
        break;
    }
    case Circuit::BatteryInverter: {
        const ProtectionLoad l =
            record >= 0 && record < int(in.loads.size()) ? in.loads[record] : ProtectionLoad{};
        const int option = s.inverter >= 0 && s.inverter <= 3 ? s.inverter : 1;
        const QString nomLabel = QStringLiteral("Номинальный ток инвертора, А:");
        const QString maxLabel = QStringLiteral("Максимальный ток инвертора, А:");
        const QString uLabel = QStringLiteral("Номинальное напряжение инвертора, В:");
        if (option == 0) {
            b.r.byPower = true;
            b.show(nomLabel, text(l.inom));
            b.show(maxLabel, text(l.imax));
            const auto uses = b.need(uLabel, v.uses);
            const auto pnom = b.need(QStringLiteral("Номинальная мощность инвертора, Вт:"), l.pnom);
            b.show(QStringLiteral("Максимальная мощность инвертора, Вт:"), text(l.pmax));
            const QString pikLabel = QStringLiteral("Пиковая мощность инвертора, Вт:");
            if (kind == DeviceKind::Breaker) {
                b.r.ppik = b.need(pikLabel, l.ppik);
            } else {
                b.show(pikLabel, text(l.ppik));
            }
            b.r.uses = uses ? int(*uses) : 0;
            b.r.pnom = pnom.value_or(0);
            // The device still stands the battery voltage: not a choice criterion here, but the
            // variant test checks it whatever the basis.
            b.require(std::nullopt, uses, m);
            b.r.note = kind == DeviceKind::Breaker
                           ? QStringLiteral("Выбор автоматического выключателя выполняется по "
                                            "номинальной мощности, пиковой мощности и номинальному "
                                            "напряжению инвертора.")
                           : QStringLiteral("Выбор предохранителя выполняется по номинальной "
                                            "мощности и номинальному напряжению инвертора.");
        } else {
            const std::optional<double> base[] = {l.inom, l.imax, l.ipik};
            const QString labels[] = {nomLabel, maxLabel,
                                      QStringLiteral("Пиковый ток инвертора, А:")};
            std::optional<double> current;
            for (int i = 0; i < 3; ++i) {
                if (i == option - 1)
                    current = b.need(labels[i], base[i]);
                else
                    b.show(labels[i], text(base[i]));
            }
            // The inverter's input runs at the battery voltage: the same voltage the variant
            // test compares the device with.
            const auto uses = b.need(uLabel, v.uses);
            b.margins(m);
            b.require(current, uses, m);
            const QString basis[] = {QStringLiteral("номинальному"),
                                     QStringLiteral("максимальному"), QStringLiteral("пиковому")};
            b.r.note =
                noteOf(kind, basis[option - 1] +
                                 QStringLiteral(" току и номинальному напряжению инвертора"));
        }
        b.section(l.skab);
        break;
    }
    case Circuit::BatteryDc: {
        const int option = s.output >= 0 && s.output <= 2 ? s.output : 0;
        const std::optional<double> base[] = {v.inom, v.imax, v.ipik};
        const QString labels[] = {QStringLiteral("Номинальный ток нагрузки, А:"),
                                  QStringLiteral("Максимальный ток нагрузки, А:"),
                                  QStringLiteral("Пиковый ток нагрузки, А:")};
        std::optional<double> current;
        for (int i = 0; i < 3; ++i) {
            if (i == option)
                current = b.need(labels[i], base[i]);
            else
                b.show(labels[i], text(base[i]));
        }
        const auto uses = b.need(QStringLiteral("Номинальное напряжение нагрузки, В:"), v.uses);
        b.margins(m);
        b.require(current, uses, m);
        b.section(v.skabAkb);
        const QString basis[] = {QStringLiteral("номинальному"), QStringLiteral("максимальному"),
                                 QStringLiteral("пиковому")};
        b.r.note = noteOf(kind, basis[option] +
                                    QStringLiteral(" току и номинальному напряжению нагрузки"));
        break;
    }
    }
    return b.r;
}

bool fits(const CatalogDevice& d, const Requirement& r) {
    if (!d.inUse || !r.missing.isEmpty() || !atLeast(d.skab, r.section))
        return false;
    if (!r.byPower)
        return atLeast(d.unom, r.voltage) && atLeast(d.inom, r.current);
    return std::any_of(d.ratings.begin(), d.ratings.end(), [&r](const InverterRating& x) {
        return x.uses == r.uses && atLeast(x.pnom, r.pnom) && (!r.ppik || atLeast(x.ppik, *r.ppik));
    });
}

std::vector<Candidate> candidatesFor(const DeviceCatalog& catalog, const Requirement& r) {
    std::vector<Candidate> out;
    if (!r.missing.isEmpty())
        return out;
    for (const CatalogDevice& d : catalog) {
        if (!fits(d, r))
            continue;
        Candidate c{d.company, d.name, d.extra, d.inom, d.unom, d.skab, {}, {}};
        if (r.byPower)
            for (const InverterRating& x : d.ratings)
                if (x.uses == r.uses) {
                    c.pinvNom = x.pnom;
                    c.pinvPik = x.ppik;
                    break;
                }
        out.push_back(std::move(c));
    }
    std::stable_sort(out.begin(), out.end(), [](const Candidate& a, const Candidate& b) {
        if (a.inom != b.inom)
            return a.inom < b.inom;
        return a.unom < b.unom;
    });
    return out;
}

int presentRow(const std::vector<Candidate>& candidates, const StoredDevice& present) {
    if (!present.complete())
        return 0;
    for (int i = 0; i < int(candidates.size()); ++i) {
        const Candidate& c = candidates[i];
        if (c.company == present.company && c.name == present.name &&
            sameValue(c.inom, *present.inom) && sameValue(c.unom, *present.unom))
            return i;
    }
    return 0;
}

bool bulkAvailable(Circuit circuit, int arrays) {
    return (circuit == Circuit::ArrayController || circuit == Circuit::ControllerBattery) &&
           arrays > 1;
}

QString BulkTargets::skippedText(DeviceKind kind) const {
    if (skipped.isEmpty())
        return {};
    const QString what = kind == DeviceKind::Breaker
                             ? QStringLiteral("Автоматический выключатель не подходит")
                             : QStringLiteral("Предохранитель не подходит");
    return what + QStringLiteral(" для массивов ") + skipped.join(QStringLiteral(", ")) +
           QStringLiteral(" (их ток, напряжение или сечение кабеля больше) и для них не "
                          "выбран.");
}

BulkTargets bulkTargets(DeviceKind kind, Circuit circuit, const ProtectionInputs& in, int record,
                        const Candidate& device) {
    BulkTargets t;
    if (record < 0 || record >= int(in.arrays.size()))
        return t;
    t.records.push_back(record);
    if (!bulkAvailable(circuit, int(in.arrays.size())))
        return t;
    const int option = in.variant.settings(kind).ctrlBattery;
    const auto key = [&](const ProtectionArray& a) {
        return circuit == Circuit::ArrayController ? a.kolVetv : controllerKey(a, option);
    };
    const auto own = key(in.arrays[record]);
    if (!own)
        return t;
    const CatalogDevice asCatalog{device.company, device.name, device.extra, device.unom,
                                  device.inom,    device.skab, true,         {}};
    for (int r = 0; r < int(in.arrays.size()); ++r) {
        const auto k = key(in.arrays[r]);
        if (r == record || !k || !sameValue(*k, *own))
            continue;
        if (fits(asCatalog, requirementOf(kind, circuit, in, r)))
            t.records.push_back(r);
        else
            t.skipped << QStringLiteral("\"") + in.arrays[r].name + QStringLiteral("\"");
    }
    return t;
}

QString noCandidateText(DeviceKind kind) {
    return kind == DeviceKind::Breaker
               ? QStringLiteral("Выбор автоматического выключателя невозможен. В справочнике "
                                "программы отсутствуют (или отключены) автоматические "
                                "выключатели, удовлетворяющие данным для выбора, представленным "
                                "в панели \"Исходные данные\" диалога.")
               : QStringLiteral("Выбор предохранителя невозможен. В справочнике программы "
                                "отсутствуют (или отключены) предохранители, удовлетворяющие "
                                "данным для выбора, представленным в панели \"Исходные данные\" "
                                "диалога.");
}

QString kindPlural(DeviceKind kind) {
    return kind == DeviceKind::Breaker ? QStringLiteral("Автоматические выключатели.")
                                       : QStringLiteral("Предохранители.");
}

} // namespace ses
