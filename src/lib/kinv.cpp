#include "lib/kinv.h"

namespace ses {

namespace {

double positiveOrDefault(std::optional<double> efficiency) {
    return efficiency && *efficiency > 0.0 ? *efficiency : kDefaultInverterEfficiency;
}

} // namespace

double kinv(bool useUserKpd, std::optional<double> userKpd, std::optional<double> kpdInv) {
    return positiveOrDefault(useUserKpd ? userKpd : kpdInv);
}

} // namespace ses
