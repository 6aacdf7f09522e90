#include "load/ui/dsp_nagr_form.h"

namespace ses {

TDspNagrF::TDspNagrF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : LoadDispatcher(dm, prompter, true, parent) {
    setObjectName(QStringLiteral("TDspNagrF"));
    setWindowTitle(QStringLiteral("Диспетчер нагрузок переменного напряжения."));
}

TDspNagr12F::TDspNagr12F(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : LoadDispatcher(dm, prompter, false, parent) {
    setObjectName(QStringLiteral("TDspNagr12F"));
    setWindowTitle(QStringLiteral("Диспетчер нагрузок постоянного напряжения."));
}

} // namespace ses
