#include "storage/ui/view_akb_form.h"

#include "data/data_module.h"
#include "reports/battery_scheme.h"
#include "reports/report_writer.h"
#include "widgets/dialog_buttons.h"
#include "widgets/drawing_pane.h"
#include "widgets/look.h"
#include "widgets/report_export.h"
#include "widgets/step_buttons.h"
#include "widgets/windows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QVBoxLayout>

namespace ses {

namespace {

std::optional<double> opt(Field f) {
    return f.isNull() ? std::nullopt : std::optional<double>(f.asFloat());
}

} // namespace

TViewAKBF::TViewAKBF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TViewAKBF"));

    auto* shows = new QGroupBox(QStringLiteral(" Отображаемый параметр "), this);
    auto* sl = new QVBoxLayout(shows);
    m_showCurrent = new QRadioButton(QStringLiteral("зарядный ток АБ "), shows);
    m_showSection = new QRadioButton(QStringLiteral("сечение перемычки"), shows);
    m_showCurrent->setObjectName(QStringLiteral("showCurrent"));
    m_showSection->setObjectName(QStringLiteral("showSection"));
    m_showCurrent->setChecked(true);
    sl->addWidget(m_showCurrent);
    sl->addWidget(m_showSection);
    auto* showGroup = new QButtonGroup(this);
    showGroup->addButton(m_showCurrent);
    showGroup->addButton(m_showSection);

    auto* basis = new QGroupBox(QStringLiteral(" Принимать за основу "), this);
    auto* bl = new QVBoxLayout(basis);
    auto* basisGroup = new QButtonGroup(this);
    const QString names[3] = {QStringLiteral("минимальный зарядный ток "),
                              QStringLiteral("максимальный зарядный ток"),
                              QStringLiteral("расчетный зарядный ток")};
    const char* objects[3] = {"basisMinimum", "basisMaximum", "basisCalculated"};
    for (int i = 0; i < 3; ++i) {
        m_basis[i] = new QRadioButton(names[i], basis);
        m_basis[i]->setObjectName(QString::fromLatin1(objects[i]));
        bl->addWidget(m_basis[i]);
        basisGroup->addButton(m_basis[i]);
    }
    m_basis[1]->setChecked(true);

    auto* choices = new QHBoxLayout;
    choices->addWidget(shows);
    choices->addWidget(basis);
    choices->addStretch(1);

    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("heading"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_missing = new QLabel(this);
    m_missing->setObjectName(QStringLiteral("missing"));
    showShortfall(m_missing, {});

    DrawingPane::ScaleRule rule;
    rule.quantity = QStringLiteral("масштаба отображения АБ");
    rule.step = 1;
    rule.fitted = false;
    m_pane = new DrawingPane(m_prompter, 100, rule, this);
    m_pane->setObjectName(QStringLiteral("scheme"));
    // The buttons stop at 10 pixels per metre; a smaller scale may still be typed.
    m_pane->scaleSteps()->setDownRule(StepButtons::Mode::LowerBound, 10, QStringLiteral("0"));
    m_pane->setRefusalHook([this] { m_pane->showMessage(QString()); });
    m_auto = new QCheckBox(QStringLiteral("Автообновление"), this);
    m_auto->setObjectName(QStringLiteral("auto"));
    m_auto->setChecked(true);
    auto* update = new QPushButton(QStringLiteral("Обновить"), this);
    update->setObjectName(QStringLiteral("update"));
    update->setAutoDefault(false);
    m_pane->controls()->addWidget(m_auto);
    m_pane->controls()->addWidget(update);
    m_pane->controls()->addStretch(1);

    QPushButton* exportButton =
        makeExportButton(this, QStringLiteral("Экспорт схемы в документ Microsoft Word"));
    connect(exportButton, &QPushButton::clicked, this, [this] { exportReport(); });
    const DialogButtons buttons = makeDialogButtons(this, info, closeRow({exportButton}));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_heading);
    layout->addWidget(m_missing);
    layout->addWidget(m_pane, 1);
    layout->addLayout(buttons.layout);

    for (QRadioButton* b : {m_showCurrent, m_showSection, m_basis[0], m_basis[1], m_basis[2]})
        connect(b, &QRadioButton::clicked, this, [this] { refresh(); });
    connect(m_auto, &QCheckBox::clicked, this, [this] { refresh(); });
    connect(update, &QPushButton::clicked, this, [this] { redraw(); });
    resize(1000, 640);
}

void TViewAKBF::run() {
    load();
    exec();
}

void TViewAKBF::load() {
    View& p = m_dm.tblProj1();
    const auto f = [&p](const char* c) { return p[QString::fromLatin1(c)]; };
    StoredBattery& b = m_battery;
    b = {};
    if (!p.isEmpty()) {
        b.ns = f("KolPosled_AKB").asInteger();
        b.np = f("KolVetv_AKB").asInteger();
        b.lengthMm = f("L_AKB").asFloat();
        b.widthMm = f("S_AKB").asFloat();
        b.izarMin = opt(f("Izar_min_AKB"));
        b.izarMax = opt(f("Izar_max_AKB"));
        b.sizar = opt(f("SIzar_AKB"));
        b.cfakt = f("Cfakt_AKB").asString();
        b.kol = f("Kol_AKB").asString();
        b.cnom = f("Cnom_AKB").asString();
        b.unom = f("Unom_AKB").asString();
        b.name = f("Name_AKB").asString();
        b.uses = f("Uses").asString();
    }
    m_jumpers.clear();
    QSqlQuery q = m_dm.store().select(
        QStringLiteral("SELECT Sech, Idop FROM perem WHERE Sech IS NOT NULL AND Idop IS NOT NULL "
                       "ORDER BY Kod"));
    while (q.next())
        m_jumpers.push_back({q.value(0).toDouble(), q.value(1).toDouble()});
    refresh();
}

void TViewAKBF::setShown(SchemeShows shows) {
    (shows == SchemeShows::Current ? m_showCurrent : m_showSection)->setChecked(true);
    refresh();
}

void TViewAKBF::setBasis(CurrentBasis basis) {
    m_basis[int(basis)]->setChecked(true);
    refresh();
}

SchemeShows TViewAKBF::shown() const {
    return m_showCurrent->isChecked() ? SchemeShows::Current : SchemeShows::Section;
}

CurrentBasis TViewAKBF::basis() const {
    for (int i = 0; i < 3; ++i)
        if (m_basis[i]->isChecked())
            return CurrentBasis(i);
    return CurrentBasis::Maximum;
}

void TViewAKBF::refresh() {
    m_heading->setText(schemeHeading(shown(), basis()));
    if (m_auto->isChecked()) {
        redraw();
    } else {
        showShortfall(m_missing, {});
        m_pane->showMessage(QString());
    }
}

void TViewAKBF::redraw() {
    m_heading->setText(schemeHeading(shown(), basis()));
    QString error;
    const std::optional<double> is = stringCurrent(m_battery, basis(), &error);
    if (is && (m_battery.ns < 1 || m_battery.np < 1 || !(m_battery.lengthMm > 0) ||
               !(m_battery.widthMm > 0))) {
        error = QStringLiteral("АБ варианта не выбрана: выберите АБ.");
    }
    if (!error.isEmpty()) {
        showShortfall(m_missing, error);
        m_pane->showMessage(error);
        return;
    }
    m_labels = schemeLabels(*is, m_battery.np, basis(), shown(), m_jumpers);
    showShortfall(m_missing, m_labels.missingSection);
    m_pane->setDrawing([this](int scale) { return layout(scale); });
}

Drawing TViewAKBF::layout(int scale) const {
    BatterySchemeInput in;
    in.ns = m_battery.ns;
    in.np = m_battery.np;
    in.lengthMm = m_battery.lengthMm;
    in.widthMm = m_battery.widthMm;
    in.scale = scale;
    in.seriesLabel = m_labels.series;
    in.linkLabel = m_labels.link;
    in.busLabels = m_labels.bus;
    in.capacity = m_battery.cfakt;
    in.voltage = m_battery.uses;
    in.name = m_battery.name;
    in.cnom = m_battery.cnom;
    in.unom = m_battery.unom;
    in.kol = m_battery.kol;
    return batteryScheme(in, fontTextMeasure());
}

void TViewAKBF::writeReport(ReportWriter& w) const {
    w.openReport();
    w.writeTitle(m_heading->text() + QStringLiteral("\r\r"));
    if (!m_missing->text().isEmpty() && m_missing->isVisible())
        w.writeText(m_missing->text() + QStringLiteral("\r"));
    if (m_pane->hasDrawing())
        w.insertPicture(ses::render(layout(m_pane->scale())));
    w.writeText(QStringLiteral("\r"));
}

void TViewAKBF::exportReport() {
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

} // namespace ses
