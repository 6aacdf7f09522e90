// tovrel-ses-screens DIR: builds the demo project in a temporary data directory, opens every
// window offscreen and saves one PNG per window (per tab where a window has several).
// tovrel-ses-screens DIR --reports: the windows' reports instead (report_tour.h).

#include "app/application.h"
#include "app/demo.h"
#include "app/recalc.h"
#include "app/ui/about_form.h"
#include "app/ui/com_par_var_form.h"
#include "app/ui/main_form.h"
#include "app/ui/open_form.h"
#include "app/ui/param_form.h"
#include "app/ui/proj_form.h"
#include "app/ui/var_form.h"
#include "data/data_dir.h"
#include "load/dispatch_ops.h"
#include "load/schedule.h"
#include "load/schedule_store.h"
#include "load/ui/add_sut_gr_form.h"
#include "load/ui/chart_viewers.h"
#include "load/ui/create_sg_form.h"
#include "load/ui/dsp_nagr_form.h"
#include "load/ui/ep_chooser.h"
#include "load/ui/nagr_dop_form.h"
#include "load/ui/nagr_form.h"
#include "load/ui/period_form.h"
#include "load/ui/s_sut_ep_form.h"
#include "load/ui/s_sut_form.h"
#include "load/ui/sut_gr_dop_form.h"
#include "load/ui/totals_pages.h"
#include "refbooks/catalog_form.h"
#include "refbooks/climate_dialogs.h"
#include "refbooks/temp_ab_form.h"
#include "report_tour.h"
#include "reports/ui/com_shem_form.h"
#include "reports/ui/com_spec_form.h"
#include "reports/ui/shema_form.h"
#include "reports/ui/spec_form.h"
#include "reports/ui/test_var_form.h"
#include "reports/ui/view_sp_form.h"
#include "solar/station_set.h"
#include "solar/ui/anal_sb_form.h"
#include "solar/ui/control_form.h"
#include "solar/ui/kproiz_form.h"
#include "solar/ui/mas_sp_form.h"
#include "solar/ui/sel_ctrl_form.h"
#include "solar/ui/sel_sp_form.h"
#include "solar/ui/spr_k_form.h"
#include "solar/ui/sun_day_form.h"
#include "solar/ui/tabl_sp_form.h"
#include "solar/ui/vurab_form.h"
#include "storage/protection_ops.h"
#include "storage/ui/akb_form.h"
#include "storage/ui/anal_akb_form.h"
#include "storage/ui/anal_inv_form.h"
#include "storage/ui/cmp_akb_sp_form.h"
#include "storage/ui/inv_form.h"
#include "storage/ui/kabel_form.h"
#include "storage/ui/prot_form.h"
#include "storage/ui/sel_inv_form.h"
#include "storage/ui/sel_prot_form.h"
#include "storage/ui/tab_inv_form.h"
#include "storage/ui/tabl_akb_form.h"
#include "storage/ui/view_akb_form.h"
#include "tour.h"
#include "widgets/drawing_pane.h"
#include "widgets/filter_form.h"
#include "widgets/help_viewer.h"
#include "widgets/look.h"
#include "widgets/number_field.h"
#include "widgets/string_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>

using namespace ses;

namespace {

QTextStream out(stdout);

void save(QWidget* w, const QString& dir, const QString& name) {
    QApplication::processEvents();
    const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
    if (!w->grab().save(path))
        throw std::runtime_error("cannot write " + path.toStdString());
    out << path << "\n";
    // What breaks the look every window follows; the tour test fails on any such line.
    for (const QString& problem : lookProblems(w, name))
        QTextStream(stderr) << "look: " << problem << "\n";
}

void shoot(QWidget* w, const QString& dir, const QString& name) {
    w->show();
    save(w, dir, name);
    w->hide();
}

// Any message a window would have shown: the demo must need none.
void printMessages(const RecordingPrompter& prompter) {
    for (const auto& e : prompter.entries())
        if (e.kind == RecordingPrompter::Kind::Error ||
            e.kind == RecordingPrompter::Kind::Information)
            QTextStream(stderr) << "message: " << e.text << "\n";
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    QStringList args = app.arguments();
    const bool reports = args.removeAll(QStringLiteral("--reports")) > 0;
    if (args.size() != 2 || args[1].startsWith(QLatin1String("--")) || args[1].isEmpty()) {
        if (args.size() == 2 && args[1].startsWith(QLatin1String("--")))
            QTextStream(stderr) << "Неизвестный параметр " << args[1] << ".\n";
        QTextStream(stderr) << "Использование: tovrel-ses-screens КАТАЛОГ_ДЛЯ_PNG [--reports]\n";
        return 2;
    }
    const QString dir = args[1];
    if (!QDir().mkpath(dir)) {
        QTextStream(stderr) << "Не удалось создать каталог \"" << dir
                            << "\": проверьте, что это не файл, и права на запись.\n";
        return 1;
    }
    QTemporaryDir tmp;
    try {
        initDataDirectory(tmp.path());
        auto store = Store::open(tmp.path());
        RecordingPrompter prompter;
        TDataModule1 dm(*store, prompter);
        TMainForm main(dm, prompter);
        buildDemoProject(main.shell());
        dm.tblProj1().first();
        if (reports) {
            writeReportTour(main, dm, prompter, dir, out);
            printMessages(prompter);
            return 0;
        }
        main.resize(1500, 900);
        main.show();
        main.refreshAll();
        for (int i = 0; i < main.tabs()->count(); ++i) {
            main.tabs()->setCurrentIndex(i);
            save(&main, dir, QStringLiteral("TMainForm-%1").arg(i + 1));
        }
        main.tabs()->setCurrentIndex(main.tabs()->count() - 1);
        main.protectionTabs()->setCurrentIndex(1);
        save(&main, dir, QStringLiteral("TMainForm-%1").arg(main.tabs()->count() + 1));
        main.tabs()->setCurrentIndex(0);

        TProjForm& proj = main.projForm();
        proj.load(main.shell().currentProjectFields());
        shoot(&proj, dir, QStringLiteral("TProjForm"));
        shoot(&main.openForm(), dir, QStringLiteral("TOpenForm"));
        {
            // The structural scheme of the first variant at the main window's scales, with the
            // currents, and at a large scale; the two variants side by side; the open-project
            // dialog with its preview ticked.
            const qint64 kod = dm.tblProj1()[QStringLiteral("Kod")].asInteger();
            TShemaFrm& scheme = main.schemeForm();
            scheme.prepare(QStringLiteral("40"), QStringLiteral("70"), false, kod);
            shoot(&scheme, dir, QStringLiteral("TShemaFrm-1"));
            scheme.prepare(QStringLiteral("40"), QStringLiteral("70"), true, kod);
            shoot(&scheme, dir, QStringLiteral("TShemaFrm-2"));
            scheme.prepare(QStringLiteral("150"), QStringLiteral("250"), false, kod);
            shoot(&scheme, dir, QStringLiteral("TShemaFrm-3"));
            TComShemF& comparison = main.schemeComparison();
            comparison.prepare();
            comparison.list(1)->setCurrentIndex(1);
            shoot(&comparison, dir, QStringLiteral("TComShemF"));
            // The equipment list of the current variant, the lists of the demo's variants side
            // by side, and their parameters with the month tables brought into view.
            shoot(&main.specForm(), dir, QStringLiteral("TSpecForm"));
            shoot(&main.specComparison(), dir, QStringLiteral("TComSpecF"));
            TComParVarF& params = main.paramComparison();
            shoot(&params, dir, QStringLiteral("TComParVarF-1"));
            params.show();
            params.params()->scrollToBottom();
            params.sun()->horizontalScrollBar()->setValue(
                params.sun()->horizontalScrollBar()->maximum());
            save(&params, dir, QStringLiteral("TComParVarF-2"));
            params.hide();
            TOpenForm& open = main.openForm();
            open.show();
            open.previewBox()->setChecked(true);
            save(&open, dir, QStringLiteral("TOpenForm-2"));
            open.previewBox()->setChecked(false);
            open.hide();
        }
        shoot(&main.aboutForm(), dir, QStringLiteral("TAboutForm"));
        for (const auto& [layout, prefix] :
             {std::pair{TVarForm::Layout::Variant, QStringLiteral("TVarForm-")},
              std::pair{TVarForm::Layout::Default, QStringLiteral("TVarForm-default-")}}) {
            TVarForm& var = main.varForm();
            var.loadForTour(layout);
            var.show();
            for (int i = 0; i < var.tabs()->count(); ++i) {
                var.tabs()->setCurrentIndex(i);
                save(&var, dir, prefix + QString::number(i + 1));
            }
            var.hide();
        }
        {
            const auto intervals = tour::intervalSchedule(dm, prompter, &main);
            intervals->show();
            for (int i = 0; i < intervals->pages()->count(); ++i) {
                intervals->pages()->setCurrentIndex(i);
                save(intervals.get(), dir, QStringLiteral("TAddSutGrF-%1").arg(i + 1));
            }
            intervals->hide();
            shoot(tour::typedSchedule(dm, prompter, &main).get(), dir, QStringLiteral("TNagrForm"));
            // The schedule book as "Справочники" opens it, and its editor over the schedule.
            TsSutForm book(dm, prompter, &main);
            book.setBrowsing(true);
            book.redraw();
            shoot(&book, dir, QStringLiteral("TsSutForm"));
            book.editor().prepareBook();
            shoot(&book.editor(), dir, QStringLiteral("TsSutFrm1"));
            book.setBrowsing(false);
            // The consumer-detailed books: browsing on the consumers' page, then choosing (the DC
            // book for a 24 V system) on the page of the built schedule.
            for (const bool ac : {true, false}) {
                TsSutEPF& consumerBook = main.consumerScheduleBook(ac);
                const QString name = ac ? QStringLiteral("TsSutEPF") : QStringLiteral("TsSutEP12F");
                consumerBook.loadForTour(0);
                shoot(&consumerBook, dir, name + QStringLiteral("-1"));
                consumerBook.prepare(ac ? std::nullopt : std::optional<double>(24));
                consumerBook.pages()->setCurrentIndex(1);
                shoot(&consumerBook, dir, name + QStringLiteral("-2"));
                consumerBook.finish();
            }
            TsRazdGrF saveDialog(prompter, &main);
            saveDialog.prepare({QStringLiteral("Жилые дома"), QStringLiteral("Мастерские")},
                               QStringLiteral("Дачный дом, зима"));
            shoot(&saveDialog, dir, QStringLiteral("TsRazdGrF"));
        }
        main.acDispatcher().prepareForTour();
        shoot(&main.acDispatcher(), dir, QStringLiteral("TDspNagrF"));
        main.dcDispatcher().prepareForTour();
        shoot(&main.dcDispatcher(), dir, QStringLiteral("TDspNagr12F"));
        // The charts of the demo's first load with schedules; the diagram with both charts.
        {
            main.acDispatcher().prepareForTour();
            const QString caption =
                QStringLiteral("Нагрузка переменного напряжения: %1.")
                    .arg(dm.tblProj_Inv()[QStringLiteral("Nagr_Name")].asString());
            TSutGrafF& graf = main.scheduleCharts();
            graf.setSide(caption, QStringLiteral("220"));
            shoot(&graf, dir, QStringLiteral("TSutGrafF"));
            TSutDiagF& diag = main.parameterDiagrams();
            diag.setSide(caption, QStringLiteral("220"));
            diag.parameterBox(1)->setChecked(true);
            shoot(&diag, dir, QStringLiteral("TSutDiagF"));
            diag.parameterBox(1)->setChecked(false);
        }
        TInvForm& inv = main.inverterForm();
        inv.loadForTour();
        shoot(&inv, dir, QStringLiteral("TInvForm"));
        inv.selectionDialog().loadForTour();
        shoot(&inv.selectionDialog(), dir, QStringLiteral("TSelInvFm"));
        inv.selectionDialog().tableDialog().loadForTour();
        shoot(&inv.selectionDialog().tableDialog(), dir, QStringLiteral("TTabInvFm"));
        main.inverterAnalysis().loadForTour();
        shoot(&main.inverterAnalysis(), dir, QStringLiteral("TAnalInvF"));
        // The battery analysis of each demo variant, computed as it is shown.
        for (int variant = 1; variant <= 2; ++variant) {
            shoot(&main.batteryAnalysis(), dir, QStringLiteral("TAnalAkbF-%1").arg(variant));
            dm.tblProj1().next();
        }
        dm.tblProj1().first();
        {
            // The summer house's calculated generation: its table, then its charts.
            TVurabFrm& generation = main.generationForm();
            generation.loadForTour();
            generation.show();
            generation.pages()->setCurrentIndex(0);
            save(&generation, dir, QStringLiteral("TVurabFrm-1"));
            generation.pages()->setCurrentIndex(1);
            generation.drawChart();
            save(&generation, dir, QStringLiteral("TVurabFrm-2"));
            generation.hide();
            // The summer house's array schemes: currents, sections and connectors at the default
            // scale, then the currents at a large one.
            TViewSPF& schemes = main.solarSchemeView();
            schemes.load();
            schemes.show();
            const SchemeAnnotation kinds[] = {SchemeAnnotation::Currents,
                                              SchemeAnnotation::Sections,
                                              SchemeAnnotation::Connectors};
            for (int i = 0; i < 3; ++i) {
                schemes.setAnnotation(kinds[i]);
                save(&schemes, dir, QStringLiteral("TViewSPF-%1").arg(i + 1));
            }
            schemes.setAnnotation(SchemeAnnotation::Currents);
            schemes.pane()->scaleField()->setText(QStringLiteral("100"));
            emit schemes.pane()->scaleField()->editingFinished();
            save(&schemes, dir, QStringLiteral("TViewSPF-4"));
            schemes.hide();
            // The summer house's solar battery analysis: its governing month covers the others.
            // The weather station's, with its tilt search, comes at the end of the tour.
            main.solarAnalysisForm().loadForTour();
            shoot(&main.solarAnalysisForm(), dir, QStringLiteral("TAnalSBFm-1"));
        }
        {
            // The summer house's loads in their first month, a page each; then the intervals at
            // a larger scale with the line on the pump's switch-on.
            TNagrDopF& totals = main.monthlyTotals();
            totals.show();
            TotalsPages* pages = totals.pages();
            for (int i = 0; i < pages->count(); ++i) {
                pages->setCurrentIndex(i);
                save(&totals, dir, QStringLiteral("TNagrDopF-%1").arg(i + 1));
            }
            pages->setCurrentIndex(TotalsPages::Intervals);
            pages->setPictureScale(6);
            pages->setTime(12);
            save(&totals, dir, QStringLiteral("TNagrDopF-7"));
            totals.hide();
        }
        {
            TSprKForm& loss = main.lossForm();
            loss.loadForTour();
            loss.show();
            int shot = 0;
            for (int i = 0; i < loss.pages()->count(); ++i) {
                loss.pages()->setCurrentIndex(i);
                if (i == 0) {
                    save(&loss, dir, QStringLiteral("TSprKForm-%1").arg(++shot));
                    continue;
                }
                auto* orientation = loss.orientationPage(i - 1);
                for (int j = 0; j < orientation->subPages()->count(); ++j) {
                    orientation->subPages()->setCurrentIndex(j);
                    save(&loss, dir, QStringLiteral("TSprKForm-%1").arg(++shot));
                }
            }
            loss.hide();
            main.solarBatteryForm().loadForTour();
            shoot(&main.solarBatteryForm(), dir, QStringLiteral("TSelSPFrm"));
            {
                // The tabular choice of the demo's variant: arrays of at most 600 W (full ones
                // and a remainder) with a filter on the panel power; then one array at a large
                // scale; and the filter dialog.
                TSelSPFrm& selection = main.solarBatteryForm();
                TTablSPFm& table = selection.tableWindow();
                PanelTableHandOver in = selection.tableHandOver();
                in.fixedPower = 600;
                table.prepare(in);
                table.show();
                TSPFiltF& filter = table.filterDialog();
                filter.prepare({QStringLiteral("Стартовый набор: Панели А"),
                                QStringLiteral("Стартовый набор: Панели Б")});
                filter.field(0)->setText(QStringLiteral("100 .. 250"));
                shoot(&filter, dir, QStringLiteral("TSPFiltF"));
                filter.accept();
                table.applyFilter();
                for (int r = 0; r < int(table.shown().size()); ++r)
                    if (table.shown()[r].split.n > 0 && table.shown()[r].split.restPower > 0) {
                        table.setCurrentRow(r);
                        break;
                    }
                save(&table, dir, QStringLiteral("TTablSPFm-1"));
                table.switchFilterOff();
                filter.clearField(0);
                filter.accept();
                table.oneArrayBox()->setChecked(true);
                table.schemePane()->scaleField()->setText(QStringLiteral("80"));
                emit table.schemePane()->scaleField()->editingFinished();
                save(&table, dir, QStringLiteral("TTablSPFm-2"));
                table.hide();
            }
            // The demo's first array as the selection window opens it for editing.
            TMasSPFrm array(prompter, &main);
            array.setInput(main.solarBatteryForm().arrayWindowInput(0));
            array.show();
            for (int i = 0; i < array.findChild<QTabWidget*>()->count(); ++i) {
                array.findChild<QTabWidget*>()->setCurrentIndex(i);
                save(&array, dir, QStringLiteral("TMasSPFrm-%1").arg(i + 1));
            }
            // The same array laid out on a 6 x 4 m site, at the default scale and a large one.
            array.criterionBox()->setCurrentIndex(3);
            array.shapeBox()->setCurrentIndex(0);
            array.lengthField()->setText(QStringLiteral("6"));
            array.heightField()->setText(QStringLiteral("4"));
            array.calculate();
            array.findChild<QTabWidget*>()->setCurrentIndex(2);
            save(&array, dir, QStringLiteral("TMasSPFrm-4"));
            array.placementScaleField()->setText(QStringLiteral("90"));
            emit array.placementScaleField()->editingFinished();
            save(&array, dir, QStringLiteral("TMasSPFrm-5"));
            // A trapezoid, 6 m over 3 m and 4 m high, fitted to the pane again.
            array.shapeBox()->setCurrentIndex(1);
            array.lowerField()->setText(QStringLiteral("3"));
            array.calculate();
            array.placementPane()->fitBox()->setChecked(true);
            array.findChild<QTabWidget*>()->setCurrentIndex(2);
            save(&array, dir, QStringLiteral("TMasSPFrm-6"));
            array.hide();
            // The demo's arrays with their controllers, and the candidates of the first array
            // positioned on its controller.
            TControlF& controllers = main.controllerForm();
            if (!controllers.load())
                throw std::runtime_error("the controller window refused the demo");
            shoot(&controllers, dir, QStringLiteral("TControlF"));
            controllers.choiceRunner = [&](TSelCtrlF& choice) {
                shoot(&choice, dir, QStringLiteral("TSelCtrlF"));
                return false;
            };
            controllers.choose();
            controllers.choiceRunner = nullptr;
            main.coefficientsForm().loadForTour();
            shoot(&main.coefficientsForm(), dir, QStringLiteral("TKproizFm"));
            main.daylightForm().loadForTour();
            shoot(&main.daylightForm(), dir, QStringLiteral("TsSunDayF"));
        }
        {
            // The summer house's battery: its discharge in the first month, its scheme at the
            // default scale and at a large one; then a starter model its charge current cannot
            // match, with the justification.
            TAKBForm& battery = main.batteryForm();
            battery.load();
            battery.show();
            battery.tabs()->setCurrentIndex(0);
            save(&battery, dir, QStringLiteral("TAKBForm-1"));
            battery.tabs()->setCurrentIndex(1);
            save(&battery, dir, QStringLiteral("TAKBForm-2"));
            battery.schemePane()->scaleField()->setText(QStringLiteral("200"));
            emit battery.schemePane()->scaleField()->editingFinished();
            save(&battery, dir, QStringLiteral("TAKBForm-3"));
            {
                // The tabular choice over the demo, filtered to the rows of two strings or more,
                // with its filter dialog and the value dialog in both kinds.
                TTablAKBF& table = battery.tableWindow();
                battery.prepareTable();
                TAKBFiltF& filter = table.filterDialog();
                filter.prepare({QStringLiteral("Стартовый набор: АКБ А"),
                                QStringLiteral("Стартовый набор: АКБ Б")},
                               {QStringLiteral("AGM"), QStringLiteral("GEL"),
                                QStringLiteral("Flooded"), QStringLiteral("LiFePo4")});
                TFilterFm& value = filter.valueDialog();
                value.prepare(batteryFilterFields()[2].name, {"1", "2", "3", "4", "6"});
                value.rangeButton()->setChecked(true);
                value.toBox()->setCurrentIndex(4);
                shoot(&value, dir, QStringLiteral("TFilterFm"));
                value.valuesButton()->setChecked(true);
                for (int i : {1, 3})
                    value.valueList()->item(i)->setCheckState(Qt::Checked);
                shoot(&value, dir, QStringLiteral("TFilterFm-2"));
                value.rangeButton()->setChecked(true);
                filter.field(2)->setText(QStringLiteral("2 .. 6"));
                shoot(&filter, dir, QStringLiteral("TAKBFiltF"));
                filter.accept();
                table.applyFilter();
                shoot(&table, dir, QStringLiteral("TTablAKBF"));
                table.switchFilterOff();
                filter.clearField(2);
                filter.accept();
            }
            battery.justificationRunner = [&](TCmpAKB_SPFm& why) {
                shoot(&why, dir, QStringLiteral("TCmpAKB_SPFm"));
            };
            if (!battery.select(QStringLiteral("Стартовый набор: АКБ А"), QStringLiteral("GEL"),
                                QStringLiteral("СН-GEL-2-3000")))
                throw std::runtime_error("the starter battery model is missing");
            battery.justificationRunner = nullptr;
            battery.hide();
            // The stored battery's scheme: currents on the maximum basis, sections on the
            // calculated one, and a large scale.
            TViewAKBF& view = main.batterySchemeView();
            view.load();
            view.show();
            save(&view, dir, QStringLiteral("TViewAKBF-1"));
            view.setShown(SchemeShows::Section);
            view.setBasis(CurrentBasis::Calculated);
            save(&view, dir, QStringLiteral("TViewAKBF-2"));
            view.pane()->scaleField()->setText(QStringLiteral("250"));
            emit view.pane()->scaleField()->editingFinished();
            save(&view, dir, QStringLiteral("TViewAKBF-3"));
            view.hide();
        }
        {
            // The summer house's four circuits as the demo chose them.
            TKabelFrm& cables = main.cableForm();
            cables.load();
            shoot(&cables, dir, QStringLiteral("TKabelFrm"));
        }
        for (const bool fuses : {false, true}) {
            // The summer house's circuits with the devices the demo chose; the dialog for its
            // first array-to-controller circuit.
            TProtForm& w = main.protectionForm(fuses);
            const QString name = fuses ? QStringLiteral("TPrForm") : QStringLiteral("TAVForm");
            w.load();
            w.show();
            for (int i = 0; i < w.tabs()->count(); ++i) {
                w.tabs()->setCurrentIndex(i);
                save(&w, dir, name + QStringLiteral("-%1").arg(i + 1));
            }
            w.tabs()->setCurrentIndex(0);
            w.hide();
            dm.tblProj_Mas().first();
            if (w.prepareChoice(Circuit::ArrayController))
                shoot(&w.choiceDialog(), dir,
                      fuses ? QStringLiteral("TSelPrFrm") : QStringLiteral("TSelAVFrm"));
        }
        main.paramForm().load();
        shoot(&main.paramForm(), dir, QStringLiteral("TParamFrm"));
        // The catalog editors over the starter catalogs, as the "Справочники" commands open them.
        for (const Command c :
             {Command::RefInverters, Command::RefBatteries, Command::RefPanels,
              Command::RefControllers, Command::RefWires, Command::RefInvCables,
              Command::RefBreakers, Command::RefFuses, Command::RefJumpers, Command::RefConnectors,
              Command::RefRegions, Command::RefTempCoefficients, Command::RefChargeVoltages,
              Command::RefInvChargers}) {
            const QString name = catalogWindow(c);
            shoot(&main.catalogForm(name), dir, name);
        }
        {
            // The region reference's preview of a real typical-year file, and its station picker
            // after a search by latitude.
            auto& regions = static_cast<TsRegForm&>(main.catalogForm(QStringLiteral("TsRegForm")));
            if (const auto preview = regions.climatePreview(QStringLiteral(CLIMATE_SAMPLE)))
                shoot(preview.get(), dir, QStringLiteral("TsRegForm-import"));
            TStationPicker picker(bundledStations(), prompter, &regions);
            picker.findByLatitude(QStringLiteral("55,75"));
            shoot(&picker, dir, QStringLiteral("TsRegForm-stations"));
        }
        main.tempABForm().setChoosing(false);
        shoot(&main.tempABForm(), dir, QStringLiteral("TsTempABF"));
        main.tempABForm().setChoosing(true);
        shoot(&main.tempABForm(), dir, QStringLiteral("TsTempABF-2"));
        // Last, as they add consumers to the current schedules of the demo.
        for (const bool ac : {true, false}) {
            const auto consumers = tour::consumerSchedule(dm, prompter, ac, &main);
            consumers->show();
            for (int i = 0; i < consumers->pages()->count(); ++i) {
                consumers->pages()->setCurrentIndex(i);
                save(consumers.get(), dir,
                     QStringLiteral("%1-%2")
                         .arg(ac ? QStringLiteral("TCreateSGF") : QStringLiteral("TCreateSG12F"))
                         .arg(i + 1));
            }
            consumers->hide();
            if (!ac)
                continue;
            // The house's schedule in the information window, a page each.
            TSutGrDopF info(dm, prompter, consumers.get());
            info.load(consumers->infoRequest());
            info.show();
            for (int i = 0; i < info.pages()->count(); ++i) {
                info.pages()->setCurrentIndex(i);
                save(&info, dir, QStringLiteral("TSutGrDopF-%1").arg(i + 1));
            }
            info.hide();
        }
        TPeriodFm periods(prompter, &main);
        periods.loadForTour();
        shoot(&periods, dir, QStringLiteral("TPeriodFm"));
        TsEPForm chooser(dm, prompter, true, &main);
        chooser.loadForTour();
        shoot(&chooser, dir, QStringLiteral("TsEPForm"));
        TsEP12Frm dcChooser(dm, prompter, &main);
        dcChooser.loadForTour();
        shoot(&dcChooser, dir, QStringLiteral("TsEP12Frm"));
        // The same catalogs as the "Справочники" commands open them, for browsing and editing.
        for (const bool ac : {true, false}) {
            TsEPForm& catalog = main.consumerCatalog(ac);
            catalog.finish();
            catalog.setBrowsing(true);
            shoot(&catalog, dir, ac ? QStringLiteral("TsEPForm-2") : QStringLiteral("TsEP12Frm-2"));
            catalog.setBrowsing(false);
        }
        {
            // The variant test of the summer house (no remarks), then the year-round weather
            // station's energy balance.
            dm.tblProj1().first();
            TTestVarF& test = main.variantTest();
            test.loadForTour();
            shoot(&test, dir, QStringLiteral("TTestVarF-1"));
            dm.tblProj1().next();
            test.loadForTour();
            test.pages()->setCurrentIndex(1);
            shoot(&test, dir, QStringLiteral("TTestVarF-2"));
            // A copy of the summer house with its first array's breaker and its DC fuse deleted,
            // as the protection windows delete them: numbered remarks.
            dm.tblProj1().first();
            prompter.type(QStringLiteral("Дача: проверка замечаний"));
            if (!main.shell().copyVariant(nullptr))
                throw std::runtime_error("the variant was not copied");
            deleteDevices(dm, DeviceKind::Breaker, Circuit::ArrayController, 0, false);
            deleteDevices(dm, DeviceKind::Fuse, Circuit::BatteryDc, 0, false);
            main.refreshAll();
            test.loadForTour();
            shoot(&test, dir, QStringLiteral("TTestVarF-3"));
            dm.tblProj1().first();
        }
        {
            // Neither demo variant needs a tilt search: the weather station gets a summer load
            // (a cabinet fan from June to August, 38 W round the clock), entered and recalculated
            // as the DC dispatcher does. Its summer months then ask for more than December at
            // December's tilt, and the analysis searches the tilt.
            dm.tblProj1().first();
            dm.tblProj1().next();
            ScheduleDraft fan;
            fan.name = QStringLiteral("Вентилятор шкафа (лето)");
            fan.from = QStringLiteral("июнь");
            fan.to = QStringLiteral("август");
            fan.intervals = {{QStringLiteral("0"), QStringLiteral("24"), QStringLiteral("38")}};
            const MonthlyResult r = monthlyRows(parseIntervals(fan.intervals), fan.from, fan.to,
                                                readScheduleInputs(dm, false));
            fan.wpSut = r.params.wpSut;
            fan.pnom = r.params.pnom;
            fan.pmax = r.params.pmax;
            fan.peak = 38;
            fan.monthly = r.rows;
            if (!addSchedule(dm, false, fan) || !storeDcFigures(dm))
                throw std::runtime_error("the summer load was refused");
            runRecalcChain(dm);
            TAnalSBFm& analysis = main.solarAnalysisForm();
            analysis.loadForTour();
            if (!analysis.analysis().searched)
                throw std::runtime_error(
                    QStringLiteral("the summer load did not make the analysis search: month %1 "
                                   "governs with %2 W at %3 degrees")
                        .arg(analysis.analysis().month)
                        .arg(analysis.analysis().pp)
                        .arg(analysis.analysis().bp)
                        .toStdString());
            shoot(&analysis, dir, QStringLiteral("TAnalSBFm-2"));
        }
        // The help: its contents, the design guide and the page of the solar battery's choice.
        for (const auto& [page, name] :
             {std::pair{QStringLiteral("index.html"), QStringLiteral("Help-index")},
              std::pair{QStringLiteral("guide.html"), QStringLiteral("Help-guide")},
              std::pair{QStringLiteral("53.html"), QStringLiteral("Help-53")}}) {
            HelpViewer::showPage(&main, page);
            auto* help = main.findChild<QDialog*>(QStringLiteral("helpViewer"));
            if (!help)
                throw std::runtime_error("the help viewer did not open");
            save(help, dir, name);
        }
        printMessages(prompter);
    } catch (const DbError& e) {
        QTextStream(stderr) << e.message() << "\n";
        return 1;
    } catch (const std::exception& e) {
        QTextStream(stderr) << e.what() << "\n";
        return 1;
    }
    return 0;
}
