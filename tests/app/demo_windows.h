#pragma once
// The demo project with the main window over a fresh data directory, as the window tests start.

#include "../data/fixture.h"

#include "app/demo.h"
#include "app/ui/main_form.h"

namespace ses::test {

struct DemoWindows {
    DemoWindows() : dm(*openStore(), prompter), main(dm, prompter) {
        buildDemoProject(main.shell());
        dm.tblProj1().first();
    }
    std::unique_ptr<Store>& openStore() {
        ensureApp();
        initDataDirectory(tmp.path());
        store = Store::open(tmp.path());
        return store;
    }
    QTemporaryDir tmp;
    std::unique_ptr<Store> store;
    RecordingPrompter prompter;
    TDataModule1 dm;
    TMainForm main;
};

} // namespace ses::test
