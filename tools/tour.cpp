#include "tour.h"

#include "load/schedule_store.h"

namespace ses::tour {

std::unique_ptr<TAddSutGrF> intervalSchedule(TDataModule1& dm, Prompter& prompter,
                                             QWidget* parent) {
    auto dialog = std::make_unique<TAddSutGrF>(dm, prompter, parent);
    dialog->loadForTour(tourScheduleInputs(dm, true));
    return dialog;
}

std::unique_ptr<TNagrForm> typedSchedule(TDataModule1& dm, Prompter& prompter, QWidget* parent) {
    auto dialog = std::make_unique<TNagrForm>(dm, prompter, parent);
    dialog->loadForTour(tourScheduleInputs(dm, true));
    return dialog;
}

std::unique_ptr<TCreateSGF> consumerSchedule(TDataModule1& dm, Prompter& prompter, bool ac,
                                             QWidget* parent) {
    std::unique_ptr<TCreateSGF> dialog;
    if (ac)
        dialog = std::make_unique<TCreateSGF>(dm, prompter, true, parent);
    else
        dialog = std::make_unique<TCreateSG12F>(dm, prompter, parent);
    dialog->loadForTour(tourScheduleInputs(dm, ac));
    return dialog;
}

} // namespace ses::tour
