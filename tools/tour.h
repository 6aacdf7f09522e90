#pragma once
// What the screen tour and the report tour share: the schedule dialogs the main form does not
// keep, created over the demo and loaded as both tours show them.

#include "load/ui/add_sut_gr_form.h"
#include "load/ui/create_sg_form.h"
#include "load/ui/nagr_form.h"

#include <memory>

namespace ses::tour {

std::unique_ptr<TAddSutGrF> intervalSchedule(TDataModule1& dm, Prompter& prompter, QWidget* parent);
std::unique_ptr<TNagrForm> typedSchedule(TDataModule1& dm, Prompter& prompter, QWidget* parent);
// The AC (TCreateSGF) or the DC (TCreateSG12F) schedule of consumers. Loading it adds consumers
// to the demo's current schedule, so the tours open it after the windows that show the demo as
// it was built.
std::unique_ptr<TCreateSGF> consumerSchedule(TDataModule1& dm, Prompter& prompter, bool ac,
                                             QWidget* parent);

} // namespace ses::tour
