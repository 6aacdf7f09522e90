#include "report_tour.h"

#include "app/ui/com_par_var_form.h"
#include "app/ui/main_form.h"
#include "app/ui/var_form.h"
#include "data/data_module.h"
#include "load/ui/chart_viewers.h"
#include "load/ui/dsp_nagr_form.h"
#include "reports/document_report_writer.h"
#include "reports/ui/com_spec_form.h"
#include "reports/ui/shema_form.h"
#include "reports/ui/spec_form.h"
#include "reports/ui/test_var_form.h"
#include "reports/ui/view_sp_form.h"
#include "solar/ui/anal_sb_form.h"
#include "solar/ui/control_form.h"
#include "solar/ui/sel_sp_form.h"
#include "solar/ui/vurab_form.h"
#include "storage/ui/akb_form.h"
#include "storage/ui/anal_akb_form.h"
#include "storage/ui/anal_inv_form.h"
#include "storage/ui/inv_form.h"
#include "storage/ui/kabel_form.h"
#include "storage/ui/prot_form.h"
#include "storage/ui/sel_inv_form.h"
#include "storage/ui/view_akb_form.h"
#include "tour.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>

#include <stdexcept>

namespace ses {

namespace {

[[noreturn]] void fail(const QString& what) {
    throw std::runtime_error(what.toStdString());
}

class ReportTour {
public:
    ReportTour(const QString& dir, QTextStream& out) : m_dir(dir), m_out(out) {}

    // The window's report as <dir>/<name>.odt, in place of one an earlier tour left.
    template <class Window> void write(Window& window, const QString& name) {
        DocumentReportWriter writer(m_dir.path());
        window.writeReport(writer);
        const QString written = writer.closeReport();
        const QString path = m_dir.filePath(name + QStringLiteral(".odt"));
        QFile::remove(path);
        if (!QFile::rename(written, path))
            fail(QStringLiteral("cannot rename %1 to %2").arg(written, path));
        m_out << path << "\n";
        m_names << name;
    }

    // The PDF of every report in one LibreOffice run (its start-up is most of the time), with a
    // profile of its own so that the user's is never touched.
    void convertToPdf() {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty() || m_names.isEmpty())
            return;
        QTemporaryDir profile;
        QStringList args = {QStringLiteral("-env:UserInstallation=") +
                                QUrl::fromLocalFile(profile.path()).toString(QUrl::FullyEncoded),
                            QStringLiteral("--headless"),
                            QStringLiteral("--convert-to"),
                            QStringLiteral("pdf"),
                            QStringLiteral("--outdir"),
                            m_dir.path()};
        for (const QString& name : m_names) {
            QFile::remove(file(name, QStringLiteral(".pdf")));
            args << file(name, QStringLiteral(".odt"));
        }
        run(soffice, args, 300000);
        for (const QString& name : m_names)
            written(file(name, QStringLiteral(".pdf")));
    }

    // Page 1 of every PDF at 80 dpi.
    void renderFirstPages() {
        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        if (pdftoppm.isEmpty())
            return;
        for (const QString& name : m_names) {
            const QString pdf = file(name, QStringLiteral(".pdf"));
            if (!QFile::exists(pdf))
                continue;
            // -singlefile names the picture <root>.png, without a page number.
            run(pdftoppm,
                {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"),
                 QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                 QStringLiteral("1"), QStringLiteral("-singlefile"), pdf, m_dir.filePath(name)},
                60000);
            written(file(name, QStringLiteral(".png")));
        }
    }

private:
    QString file(const QString& name, const QString& suffix) const {
        return m_dir.filePath(name + suffix);
    }

    static void run(const QString& program, const QStringList& args, int timeoutMs) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, args);
        if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            process.kill();
            fail(QStringLiteral("%1 failed: %2")
                     .arg(program, QString::fromLocal8Bit(process.readAll())));
        }
    }

    void written(const QString& path) {
        if (QFileInfo(path).size() == 0)
            fail(QStringLiteral("not written: ") + path);
        m_out << path << "\n";
    }

    QDir m_dir;
    QTextStream& m_out;
    QStringList m_names;
};

} // namespace

void writeReportTour(TMainForm& main, TDataModule1& dm, Prompter& prompter, const QString& dir,
                     QTextStream& out) {
    ReportTour tour(dir, out);
    TVarForm& var = main.varForm();
    var.loadForTour(TVarForm::Layout::Variant);
    tour.write(var, QStringLiteral("TVarForm"));
    tour.write(*tour::intervalSchedule(dm, prompter, &main), QStringLiteral("TAddSutGrF"));
    tour.write(*tour::typedSchedule(dm, prompter, &main), QStringLiteral("TNagrForm"));
    {
        main.acDispatcher().prepareForTour();
        const QString caption = QStringLiteral("Нагрузка переменного напряжения: %1.")
                                    .arg(dm.tblProj_Inv()[QStringLiteral("Nagr_Name")].asString());
        TSutGrafF& graf = main.scheduleCharts();
        graf.setSide(caption, QStringLiteral("220"));
        graf.reload();
        tour.write(graf, QStringLiteral("TSutGrafF"));
        TSutDiagF& diag = main.parameterDiagrams();
        diag.setSide(caption, QStringLiteral("220"));
        diag.parameterBox(1)->setChecked(true);
        diag.reload();
        tour.write(diag, QStringLiteral("TSutDiagF"));
        diag.parameterBox(1)->setChecked(false);
    }
    TInvForm& inv = main.inverterForm();
    inv.loadForTour();
    tour.write(inv, QStringLiteral("TInvForm"));
    inv.selectionDialog().loadForTour();
    tour.write(inv.selectionDialog(), QStringLiteral("TSelInvFm"));
    main.inverterAnalysis().loadForTour();
    tour.write(main.inverterAnalysis(), QStringLiteral("TAnalInvF"));
    main.batteryAnalysis().loadForTour();
    tour.write(main.batteryAnalysis(), QStringLiteral("TAnalAkbF"));
    main.solarBatteryForm().loadForTour();
    tour.write(main.solarBatteryForm(), QStringLiteral("TSelSPFrm"));
    main.controllerForm().load();
    tour.write(main.controllerForm(), QStringLiteral("TControlF"));
    main.batteryForm().load();
    tour.write(main.batteryForm(), QStringLiteral("TAKBForm"));
    main.batterySchemeView().load();
    tour.write(main.batterySchemeView(), QStringLiteral("TViewAKBF"));
    main.schemeForm().prepare(QStringLiteral("40"), QStringLiteral("70"), false,
                              dm.tblProj1()[QStringLiteral("Kod")].asInteger());
    tour.write(main.schemeForm(), QStringLiteral("TShemaFrm"));
    main.cableForm().load();
    tour.write(main.cableForm(), QStringLiteral("TKabelFrm"));
    main.protectionForm(false).load();
    tour.write(main.protectionForm(false), QStringLiteral("TAVForm"));
    main.protectionForm(true).load();
    tour.write(main.protectionForm(true), QStringLiteral("TPrForm"));
    main.generationForm().loadForTour();
    tour.write(main.generationForm(), QStringLiteral("TVurabFrm"));
    main.solarAnalysisForm().loadForTour();
    tour.write(main.solarAnalysisForm(), QStringLiteral("TAnalSBFm"));
    main.solarSchemeView().load();
    tour.write(main.solarSchemeView(), QStringLiteral("TViewSPF"));
    main.specForm().rebuild();
    tour.write(main.specForm(), QStringLiteral("TSpecForm"));
    main.specComparison().prepare();
    tour.write(main.specComparison(), QStringLiteral("TComSpecF"));
    main.paramComparison().prepare();
    tour.write(main.paramComparison(), QStringLiteral("TComParVarF"));
    // The year-round variant: its balance has a chart through the whole year.
    dm.tblProj1().next();
    main.variantTest().loadForTour();
    tour.write(main.variantTest(), QStringLiteral("TTestVarF"));
    dm.tblProj1().first();
    // Last, as they add consumers to the current schedules of the demo.
    tour.write(*tour::consumerSchedule(dm, prompter, true, &main), QStringLiteral("TCreateSGF"));
    tour.write(*tour::consumerSchedule(dm, prompter, false, &main), QStringLiteral("TCreateSG12F"));
    tour.convertToPdf();
    tour.renderFirstPages();
}

} // namespace ses
