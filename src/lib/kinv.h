#pragma once

#include <optional>

namespace ses {

// Efficiency assumed for an inverter that is not chosen yet, per unit.
inline constexpr double kDefaultInverterEfficiency = 0.9;

// Kinv, the inverter efficiency coefficient of an AC load, per unit: the energies and powers
// of the load are divided by it before they are charged to the battery or the solar battery.
//  - useUserKpd (variant UseUserKpd_Inv) set: the variant's userKpd (UserKpd_Inv);
//  - otherwise the load's kpdInv (Kpd_Inv, written by the inverter selection), or 0.9 while
//    no inverter is chosen (Kpd_Inv empty).
// A missing or non-positive efficiency on the chosen branch also gives 0.9: Kinv is a
// divisor, and a zero or negative one would turn every load figure into inf or a negative
// energy. The variant dialog refuses a zero user efficiency, so this only guards rows written
// by other means. Direct-current loads do not call this: they use 1.
double kinv(bool useUserKpd, std::optional<double> userKpd, std::optional<double> kpdInv);

} // namespace ses
