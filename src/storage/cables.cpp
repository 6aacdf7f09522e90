#include "storage/cables.h"

#include "lib/numbers.h"

#include <algorithm>

namespace ses {

namespace {

const QString kMinimumField = QStringLiteral("Минимальное сечение жилы кабеля (провода), мм2");

QString num(double x) {
    return numberToText(x);
}

QString quoted(const QString& s) {
    return QLatin1Char('"') + s + QLatin1Char('"');
}

CableOutcome skipped(QStringList message = {}) {
    return {CableOutcome::Kind::Skipped, {}, std::move(message)};
}

CableOutcome emptied(QStringList message) {
    return {CableOutcome::Kind::Emptied, {}, std::move(message)};
}

CableOutcome stored(const CableResult& r) {
    return {CableOutcome::Kind::Stored, r, {}};
}

QString impossible(const QString& circuit) {
    return QStringLiteral("Выбор проводника от %1 невозможен. ").arg(circuit);
}

QString notDone(const QString& circuit) {
    return QStringLiteral("Выбор проводника от %1 не выполнен: ").arg(circuit);
}

// A record whose current or length is empty is skipped silently and keeps its results; a value
// of 0 or less, an empty voltage or an unknown laying method cannot be computed with either,
// and the user is told which.
std::optional<CableOutcome> unusable(const CircuitInput& in) {
    if (!in.current.value || !in.length.value)
        return skipped();
    for (const CircuitValue* v : {&in.current, &in.length, &in.voltage}) {
        if (!v->value)
            return skipped({notDone(in.circuit) +
                            QStringLiteral("не задано значение поля %1.").arg(quoted(v->field))});
        if (*v->value <= 0)
            return skipped(
                {notDone(in.circuit) + QStringLiteral("значение поля %1 (%2) должно быть больше 0.")
                                           .arg(quoted(v->field), num(*v->value))});
    }
    if (!layingOf(in.method))
        return skipped(
            {notDone(in.circuit) +
             (in.method.isEmpty() ? QStringLiteral("не задан способ прокладки провода (кабеля).")
                                  : QStringLiteral("способ прокладки %1 не известен программе.")
                                        .arg(quoted(in.method)))});
    return std::nullopt;
}

QStringList noWireMessage(const CircuitInput& in) {
    return {impossible(in.circuit),
            QStringLiteral("В справочнике проводов (кабелей) нет проводника, который при способе "
                           "прокладки %1 длительно допускает ток %2 А и при длине %3 м дает "
                           "падение напряжения не более %4 %.")
                .arg(quoted(in.method), num(*in.current.value), num(*in.length.value),
                     num(in.allowedDrop)),
            QStringLiteral("Рекомендуется уменьшить длину проводника, выбрать другой способ "
                           "прокладки или увеличить допустимое падение напряжения в параметрах "
                           "варианта расчета.")};
}

QStringList sectionMissingMessage(const CircuitInput& in, double section, const QString& where) {
    return {impossible(in.circuit),
            QStringLiteral("Сечение %1 мм2, %2, отсутствует в справочнике проводов (кабелей).")
                .arg(num(section), where)};
}

// The result of a section: its permissible current for the method (times N) and its drop and
// loss; nullopt when the section is not in the catalog or has no resistance.
std::optional<CableResult> resultOf(const WireTable& wires, const CircuitInput& in, double section,
                                    int count = 1) {
    const WireRow* row = wireRow(wires, section);
    if (!row || !row->ro)
        return std::nullopt;
    const CableLoss loss =
        cableLoss(*row->ro, *in.current.value, *in.length.value, *in.voltage.value, count);
    return CableResult{section, count, permissibleCurrent(wires, section, in.method) * count,
                       loss.du, loss.dp};
}

// Sizes the cable by the catalog and raises it to the ticked minimum; `limit` then checks it.
struct Sized {
    std::optional<CableResult> result;
    bool raised = false;
    QStringList message;
};
Sized sizeByCatalog(const WireTable& wires, const CircuitInput& in, const MinimumSection& minimum) {
    const double romax =
        allowedResistance(*in.voltage.value, in.allowedDrop, *in.current.value, *in.length.value);
    const auto chosen = chooseSection(wires, *layingOf(in.method), romax, *in.current.value);
    if (!chosen)
        return {std::nullopt, false, noWireMessage(in)};
    if (minimum.on && minimum.value > chosen->section &&
        !sameValue(minimum.value, chosen->section)) {
        const auto r = resultOf(wires, in, minimum.value);
        if (!r)
            return {std::nullopt, false,
                    sectionMissingMessage(
                        in, minimum.value,
                        QStringLiteral("выбранное в поле %1").arg(quoted(kMinimumField)))};
        return {r, true, {}};
    }
    const auto r = resultOf(wires, in, chosen->section);
    if (!r) // a chosen row always has a resistance
        return {std::nullopt, false, noWireMessage(in)};
    return {r, false, {}};
}

QString terminalCircuitText(const TerminalCircuit& t) {
    return t.kind == TerminalCircuit::Kind::ArrayToController
               ? QStringLiteral("массива СП %1 к контроллеру %2")
                     .arg(quoted(t.array), quoted(t.controller))
               : QStringLiteral("контроллера %1 к АБ").arg(quoted(t.controller));
}

} // namespace

// ---------------------------------------------------------------- the catalog

const QStringList& layingTexts() {
    static const QStringList texts = {QStringLiteral("открыто"),
                                      QStringLiteral("два 1-жильных провода в трубе"),
                                      QStringLiteral("один 2-жильный провод в трубе")};
    return texts;
}

std::optional<Laying> layingOf(const QString& text) {
    switch (layingTexts().indexOf(text)) {
    case 0:
        return Laying::Open;
    case 1:
        return Laying::TwoSingleCoresInPipe;
    case 2:
        return Laying::OneTwinCoreInPipe;
    default:
        return std::nullopt;
    }
}

std::optional<double> WireRow::current(Laying m) const {
    switch (m) {
    case Laying::Open:
        return idop;
    case Laying::TwoSingleCoresInPipe:
        return idop21;
    case Laying::OneTwinCoreInPipe:
        return idop12;
    }
    return std::nullopt;
}

const QStringList& sectionListTexts() {
    static const QStringList texts = {
        QStringLiteral("1,5"), QStringLiteral("2,5"), QStringLiteral("4"),  QStringLiteral("6"),
        QStringLiteral("10"),  QStringLiteral("16"),  QStringLiteral("25"), QStringLiteral("35"),
        QStringLiteral("50"),  QStringLiteral("70"),  QStringLiteral("95"), QStringLiteral("120"),
        QStringLiteral("150"), QStringLiteral("185"), QStringLiteral("240")};
    return texts;
}

// ---------------------------------------------------------------- the rules

double allowedResistance(double u, double allowedDropPercent, double current, double length) {
    return roundHalfEven(u * allowedDropPercent / 100 / current / 2 / length, 6);
}

std::optional<SectionChoice> chooseSection(const WireTable& wires, Laying method, double romax,
                                           double current) {
    std::optional<SectionChoice> best;
    for (const WireRow& w : wires) {
        const auto idop = w.current(method);
        if (!w.ro || !idop || !notAbove(*w.ro, romax) || !atLeast(*idop, current))
            continue;
        if (!best || w.sech < best->section)
            best = SectionChoice{w.sech, *idop};
    }
    return best;
}

const WireRow* wireRow(const WireTable& wires, double section) {
    const auto it = std::find_if(wires.begin(), wires.end(),
                                 [&](const WireRow& w) { return sameValue(w.sech, section); });
    return it == wires.end() ? nullptr : &*it;
}

double permissibleCurrent(const WireTable& wires, double section, const QString& method) {
    const WireRow* row = wireRow(wires, section);
    const auto m = layingOf(method);
    if (!row || !m)
        return 0;
    return row->current(*m).value_or(0);
}

CableLoss cableLoss(double ro, double current, double length, double voltage, int count) {
    CableLoss l;
    l.duText =
        formatPattern(ro * current * 2 * length / voltage * 100 / count, QStringLiteral("0.##"));
    l.dpText = formatPattern(ro * current * current * 2 * length / count, QStringLiteral("0"));
    l.du = *parseNumber(l.duText);
    l.dp = *parseNumber(l.dpText);
    return l;
}

std::optional<OptimalCableRow> optimalCableFor(const std::vector<OptimalCableRow>& table,
                                               double power, int uakb) {
    std::optional<OptimalCableRow> best;
    for (const OptimalCableRow& r : table)
        if (r.uakb == uakb && atLeast(r.pinv, power) && (!best || r.pinv < best->pinv))
            best = r;
    return best;
}

// ---------------------------------------------------------------- the circuits

std::optional<double> arrayCircuitVoltage(bool mppt, std::optional<double> umppt, double uses) {
    return mppt ? umppt : std::optional<double>(uses);
}

CircuitValue controllerBatteryCurrent(int arrays, std::optional<double> sizarMax,
                                      std::optional<double> inomCtrl) {
    const QString ctrl = QStringLiteral("Iмакс, А");
    // A record without the controller's current is skipped whichever current sizes it.
    if (!inomCtrl)
        return {std::nullopt, ctrl};
    if (arrays == 1 && sizarMax && *sizarMax > 0)
        return {sizarMax, QStringLiteral("Максимальный ток заряда АБ, А")};
    return {inomCtrl, ctrl};
}

CircuitValue inverterCurrent(bool byMaximum, std::optional<double> inom,
                             std::optional<double> imax) {
    if (byMaximum)
        return {imax, QStringLiteral("Iмакс., А")};
    return {inom, QStringLiteral("Iном., А")};
}

CableOutcome terminalCable(const WireTable& wires, const CircuitInput& in, const TerminalCircuit& t,
                           const MinimumSection& minimum) {
    const QString circuit = terminalCircuitText(t);
    if (minimum.on && !atLeast(t.smax, minimum.value))
        return emptied(
            {QStringLiteral("Выбор проводника от %1 невозможен. Это связано с тем, что значение "
                            "поля %2 (%3 мм2) больше максимально допустимого сечения жилы "
                            "проводника, подключаемого к контроллеру %4 (%5 мм2, поле \"Sмакс., "
                            "мм2\" таблицы).")
                 .arg(circuit, quoted(kMinimumField), num(minimum.value), quoted(t.controller),
                      num(t.smax)),
             QStringLiteral("Для успешного выбора проводника необходимо выполнить одно из "
                            "следующих действий:"),
             QStringLiteral("- сбросить флажок индикатора поля %1;").arg(quoted(kMinimumField)),
             QStringLiteral("- выбрать меньшее значение поля %1;").arg(quoted(kMinimumField)),
             QStringLiteral("- заменить контроллер %1 на контроллер с большим максимально "
                            "допустимым сечением жилы подключаемого к нему проводника.")
                 .arg(quoted(t.controller))});
    if (auto out = unusable(in))
        return *out;
    const Sized s = sizeByCatalog(wires, in, minimum);
    if (!s.result)
        return emptied(s.message);
    if (!s.raised && !notAbove(s.result->section, t.smax))
        return emptied(
            {impossible(circuit),
             QStringLiteral("Сечение жилы выбранного проводника (%1 мм2) превышает значение "
                            "максимально допустимого сечения жилы проводника, подключаемого к "
                            "контроллеру (%2 мм2).")
                 .arg(num(s.result->section), num(t.smax)),
             QStringLiteral("Рекомендуется или уменьшить длину проводника, подключаемого к "
                            "контроллеру, и выбрать его ещё раз, или выбрать другой тип "
                            "контроллера, позволяющий подключать к нему проводники с большим "
                            "сечением жилы.")});
    return stored(*s.result);
}

CableOutcome catalogCable(const WireTable& wires, const CircuitInput& in,
                          const MinimumSection& minimum) {
    if (auto out = unusable(in))
        return *out;
    const Sized s = sizeByCatalog(wires, in, minimum);
    return s.result ? stored(*s.result) : emptied(s.message);
}

CableOutcome optimalCable(const WireTable& wires, const std::vector<OptimalCableRow>& table,
                          const CircuitInput& in, double power, int uses) {
    if (auto out = unusable(in))
        return *out;
    const double p = roundHalfEven(power, 0);
    const QString settings =
        QStringLiteral("Для выбора кабеля рекомендуется изменить настройки параметров варианта "
                       "расчета. Для этого нужно вызвать диалог \"Параметры варианта расчета\" "
                       "(меню \"Вариант\", пункт \"Редактировать параметры варианта\"), выбрать "
                       "вкладку \"Кабели\" и в панели \"Выбор кабеля для контура \"АБ - "
                       "инвертор\", параметру \"по таблице\" присвоить значение \"данных проводов "
                       "и кабелей (ПУЭ, табл. 1.3.4)\".");
    const auto row = optimalCableFor(table, p, uses);
    // A row without its count of cables cannot divide the drop: it is as good as none.
    if (!row || !row->sech || !row->count || *row->count <= 0)
        return emptied({QStringLiteral("Кабель оптимального сечения для инвертора мощностью %1 "
                                       "Bт при напряжении на АБ %2 В не найден.")
                            .arg(num(p), QString::number(uses)),
                        settings});
    const double s = *row->sech;
    const int n = *row->count;
    const auto r = resultOf(wires, in, s, n);
    if (!r)
        return emptied({impossible(in.circuit),
                        QStringLiteral("Сечение %1 мм2 кабеля из таблицы оптимальных сечений "
                                       "кабелей \"АБ-инвертор\" отсутствует в справочнике "
                                       "проводов (кабелей).")
                            .arg(num(s)),
                        settings});
    // The table's cable is kept only when it meets what a catalog choice would: the current
    // through N cables and the drop over them.
    const WireRow* w = wireRow(wires, s);
    const double romax =
        allowedResistance(*in.voltage.value, in.allowedDrop, *in.current.value, *in.length.value);
    QStringList why;
    if (!atLeast(r->idop, *in.current.value))
        why << QStringLiteral(
                   "- длительно допустимый ток %1 А (способ прокладки %2, %3 шт.) меньше "
                   "тока инвертора %4 А;")
                   .arg(num(r->idop), quoted(in.method), QString::number(n),
                        num(*in.current.value));
    if (!notAbove(*w->ro / n, romax))
        why << QStringLiteral("- падение напряжения %1 % при длине %2 м больше допустимого %3 %;")
                   .arg(num(r->du), num(*in.length.value), num(in.allowedDrop));
    if (!why.isEmpty())
        return emptied(QStringList{impossible(in.circuit),
                                   QStringLiteral("Кабель оптимального сечения %1 мм2 (%2 шт.) "
                                                  "не подходит:")
                                       .arg(num(s), QString::number(n))} +
                       why + QStringList{settings});
    return stored(*r);
}

// ---------------------------------------------------------------- one run of "Выбор"

std::vector<QStringList> CableRun::messages() const {
    std::vector<QStringList> out;
    for (const auto* list : {&arrays, &controllers, &inverters})
        for (const CableOutcome& o : *list)
            if (!o.message.isEmpty())
                out.push_back(o.message);
    if (!dc.message.isEmpty())
        out.push_back(dc.message);
    return out;
}

CableRun chooseCables(const CableInputs& in, const CableOptions& options) {
    CableRun run;
    const CableVariant& v = in.variant;
    const CircuitValue system{double(v.uses), QStringLiteral("Напряжение системы, В")};
    for (const CableArray& a : in.arrays) {
        CircuitInput c;
        c.circuit = QStringLiteral("массива СП %1 к контроллеру %2")
                        .arg(quoted(a.name), quoted(a.controller));
        c.current = {a.imas, QStringLiteral("Iсп, А")};
        c.length = {a.length, QStringLiteral("L, м")};
        c.voltage = v.mppt ? CircuitValue{v.umppt, QStringLiteral("Напряжение массивов СП при "
                                                                  "использовании МРРТ - "
                                                                  "контроллера, В")}
                           : system;
        c.allowedDrop = v.duArrays;
        c.method = a.method;
        run.arrays.push_back(terminalCable(in.wires, c,
                                           {TerminalCircuit::Kind::ArrayToController, a.name,
                                            a.controller, a.skabCtrl.value_or(0)},
                                           options.arrays));
    }
    for (const CableArray& a : in.arrays) {
        CircuitInput c;
        c.circuit = QStringLiteral("контроллера %1 массива СП %2 к АБ")
                        .arg(quoted(a.controller), quoted(a.name));
        c.current = controllerBatteryCurrent(int(in.arrays.size()), v.sizarMax, a.inomCtrl);
        c.length = {a.lengthAkb, QStringLiteral("L, м")};
        c.voltage = system;
        c.allowedDrop = v.duControllers;
        c.method = a.methodAkb;
        run.controllers.push_back(terminalCable(in.wires, c,
                                                {TerminalCircuit::Kind::ControllerToBattery, a.name,
                                                 a.controller, a.skabCtrl.value_or(0)},
                                                options.controllers));
    }
    for (const CableLoad& l : in.loads) {
        CircuitInput c;
        c.circuit = QStringLiteral("АБ к инвертору нагрузки %1").arg(quoted(l.name));
        c.length = {l.length, QStringLiteral("L, м")};
        c.voltage = system;
        c.allowedDrop = v.duInverters;
        c.method = l.method;
        if (v.table != 0) {
            c.current = inverterCurrent(false, l.inom, l.imax);
            run.inverters.push_back(
                optimalCable(in.wires, in.optimal, c, l.pnom.value_or(0), v.uses));
        } else {
            c.current = inverterCurrent(v.byMaximum, l.inom, l.imax);
            run.inverters.push_back(catalogCable(in.wires, c, options.inverters));
        }
    }
    CircuitInput c;
    c.circuit = QStringLiteral("АБ к потребителям постоянного напряжения");
    c.current = {v.inom, QStringLiteral("Номинальный ток нагрузки, А")};
    c.length = {v.length, QStringLiteral("Длина провода (кабеля), м")};
    c.voltage = system;
    c.allowedDrop = v.duDc;
    c.method = v.method;
    run.dc = catalogCable(in.wires, c, options.dc);
    return run;
}

} // namespace ses
