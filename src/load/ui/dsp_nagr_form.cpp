#include "load/ui/dsp_nagr_form.h"

namespace ses {

TDspNagrF::TDspNagrF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : LoadDispatcher(dm, prompter, true, parent) {}

TDspNagr12F::TDspNagr12F(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : LoadDispatcher(dm, prompter, false, parent) {}

} // namespace ses
