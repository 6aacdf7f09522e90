#pragma once
// Layout of a variant's structural scheme: the panel arrays one under another, each with the
// cable and protective device to its charge controller, the controller, and the cable and device
// on to the battery; the buses down to the battery assembly; from the battery the feed of every
// inverter and of the direct-current consumers. Plain values in (numbers as display texts of the
// stored fields; an empty field gives an empty label), primitives out.

#include "reports/drawing.h"

#include <vector>

namespace ses {

// One circuit between two pieces of equipment: its breaker or fuse and its cable.
struct SchemeCircuit {
    QString breakerType, breakerCurrent; // the breaker wins when both devices are given
    QString fuseType, fuseCurrent;
    QString section;    // mm2; an empty section leaves the cable unlabelled
    QString cableCount; // parallel cables (inverter feeds); empty or "1": one
    QString length;     // m
    QString current;    // A, shown with the currents
    QString drop;       // %, shown with the currents
};

struct SchemeArray {
    QString name;
    int strings = 0;    // KolVetv
    int series = 0;     // KolPosled
    int panelCount = 0; // KolMas
    QString power;      // Pmas, W
    QString current;    // Imas, A
    QString controllerType, controllerVoltage, controllerCurrent;
    QString controllerOutput; // Iakb_Ctrl, A
    SchemeCircuit toController;
    SchemeCircuit toBattery;
};

struct SchemeInverter {
    QString name;
    QString nominal, maximum, peak;             // W
    QString inputVoltage, outputVoltage;        // V
    SchemeCircuit feed;                         // from the battery
    QString loadNominal, loadMaximum, loadPeak; // the AC load it serves, W
};

struct SchemeVariant {
    QString panelType, panelPower, panelVoltage;
    double panelWidthMm = 0, panelHeightMm = 0;
    double panelImp = 0, panelIsc = 0; // Imp_SP, Isc_SP: working-point and short-circuit, A
    bool mppt = false;
    QString mpptVoltage;   // Umppt
    QString systemVoltage; // Uses
    // The device on every string of an array with more strings than maxUnprotectedStrings.
    QString stringBreakerType, stringBreakerCurrent, stringFuseType, stringFuseCurrent;
    int maxUnprotectedStrings = 0;

    int batteryStrings = 0, batterySeries = 0;
    double batteryLengthMm = 0, batteryWidthMm = 0;
    QString batteryModel, batteryVoltage, batteryCapacity, batteryCount, batteryActualCapacity;
    QString chargeCurrent; // SIzar_AKB, A

    bool hasDcConsumers = false;
    SchemeCircuit dcCircuit;              // battery to the DC consumers
    QString dcNominal, dcMaximum, dcPeak; // W

    std::vector<SchemeArray> arrays;       // in table order
    std::vector<SchemeInverter> inverters; // in table order
};

struct SchemeOptions {
    int panelScale = 40;   // px/m
    int batteryScale = 70; // px/m
    bool currents = false; // "Токи, падения напряжения"
    QColor window = Qt::white;
};

struct SchemeLayout {
    Drawing drawing;
    // Landmarks of the bus network, in picture pixels.
    QPointF batteryPlus, batteryMinus;  // the assembly's terminals (bpx, s) and (bmx, q)
    double plusFeed = 0, minusFeed = 0; // H and I: where the loads take the battery's lines
};

SchemeLayout structuralScheme(const SchemeVariant& variant, const SchemeOptions& options,
                              const TextMeasure& measure);

// The picture size of the scheme at the options' scales, without painting it.
QSize structuralSchemeSize(const SchemeVariant& variant, const SchemeOptions& options,
                           const TextMeasure& measure);

// Why the scheme at the options' scales cannot be painted, naming the scale to lower; nullopt when
// it can.
std::optional<QString> schemeSizeRefusal(const SchemeVariant& variant, const SchemeOptions& options,
                                         const TextMeasure& measure);

} // namespace ses
