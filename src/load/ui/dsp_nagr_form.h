#pragma once
// The load dispatchers: "Диспетчер нагрузок переменного напряжения." (the variant's AC loads,
// each with its schedules) and "Диспетчер нагрузок постоянного напряжения." (the variant's DC
// schedules). Closing the AC one leaves the loads' aggregates current (they follow every
// command); closing the DC one stores the variant's DC figures.

#include "load/ui/dsp_dispatcher.h"

namespace ses {

class TDspNagrF : public LoadDispatcher {
    Q_OBJECT
public:
    TDspNagrF(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);
};

class TDspNagr12F : public LoadDispatcher {
    Q_OBJECT
public:
    TDspNagr12F(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Whether the last close changed the variant's DC figures (and so cleared the battery-to-DC
    // cable and protection).
    bool figuresChanged() const { return m_dcChanged; }
};

} // namespace ses
