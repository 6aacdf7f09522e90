#include "reports/ui/view_sp_form.h"

#include "data/data_module.h"
#include "lib/numbers.h"
#include "reports/report_writer.h"
#include "reports/scheme_store.h"
#include "storage/wiring_store.h"
#include "widgets/dialog_buttons.h"
#include "widgets/drawing_pane.h"
#include "widgets/look.h"
#include "widgets/number_field.h"
#include "widgets/report_export.h"
#include "widgets/step_buttons.h"
#include "widgets/windows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ses {

namespace {

const QString kConnectorNote = QStringLiteral(
    "На схеме размещения коннекторов указываются только требуемые дополнительные коннекторы. "
    "При этом считается, что выводы солнечных панелей уже обеспечены нужными коннекторами МС4 "
    "(на схеме они не отображаются).");

} // namespace

TViewSPF::TViewSPF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TViewSPF"));

    // The choices at the left.
    auto* arraysLabel = new QLabel(QStringLiteral("Массивы."), this);
    m_arrays = new QListWidget(this);
    m_arrays->setObjectName(QStringLiteral("arrays"));
    arraysLabel->setBuddy(m_arrays);

    auto* shows = new QGroupBox(QStringLiteral(" Отображаемый параметр "), this);
    auto* showLayout = new QVBoxLayout(shows);
    auto* showGroup = new QButtonGroup(this);
    const QString showNames[3] = {QStringLiteral("токи солнечных панелей "),
                                  QStringLiteral("сечения кабелей (проводов)"),
                                  QStringLiteral("типы коннекторов")};
    const char* showObjects[3] = {"showCurrents", "showSections", "showConnectors"};
    for (int i = 0; i < 3; ++i) {
        m_shows[i] = new QRadioButton(showNames[i], shows);
        m_shows[i]->setObjectName(QString::fromLatin1(showObjects[i]));
        showLayout->addWidget(m_shows[i]);
        showGroup->addButton(m_shows[i]);
    }
    m_shows[0]->setChecked(true);

    auto* basis = new QGroupBox(QStringLiteral(" Принимать за основу "), this);
    auto* basisLayout = new QVBoxLayout(basis);
    m_working = new QRadioButton(QStringLiteral("токи рабочей точки панелей"), basis);
    m_working->setObjectName(QStringLiteral("basisWorking"));
    m_shortCircuit = new QRadioButton(QStringLiteral("токи короткого замыкания панелей"), basis);
    m_shortCircuit->setObjectName(QStringLiteral("basisShortCircuit"));
    m_working->setChecked(true);
    basisLayout->addWidget(m_working);
    basisLayout->addWidget(m_shortCircuit);
    auto* basisGroup = new QButtonGroup(this);
    basisGroup->addButton(m_working);
    basisGroup->addButton(m_shortCircuit);

    auto* sectionLabel = new QLabel(QStringLiteral("Сечения кабелей не менее, мм2:"), this);
    m_section = new QComboBox(this);
    m_section->setObjectName(QStringLiteral("section"));
    for (double s : offeredSections())
        m_section->addItem(numberToText(s), s);
    sectionLabel->setBuddy(m_section);
    auto* sectionRow = new QHBoxLayout;
    sectionRow->addWidget(sectionLabel, 1);
    sectionRow->addWidget(m_section);

    m_note = new QLabel(kConnectorNote, this);
    m_note->setObjectName(QStringLiteral("connectorNote"));
    m_note->setWordWrap(true);
    m_note->setFrameShape(QFrame::Panel);
    m_note->setFrameShadow(QFrame::Sunken);
    m_note->setMargin(4);

    auto* side = new QVBoxLayout;
    side->addWidget(arraysLabel);
    side->addWidget(m_arrays, 1);
    side->addWidget(shows);
    side->addWidget(basis);
    side->addLayout(sectionRow);
    side->addWidget(m_note);
    auto* sideBox = new QWidget(this);
    side->setContentsMargins(0, 0, 0, 0);
    sideBox->setLayout(side);
    sideBox->setFixedWidth(280);

    // The title line and the picture.
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("title"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    DrawingPane::ScaleRule rule;
    rule.quantity = QStringLiteral("масштаба отображения солнечных панелей");
    rule.step = 1;
    rule.fitted = false;
    // No bound of its own: the pane refuses a picture too large to draw and names the largest
    // scale that draws.
    rule.highest = 100000;
    m_pane = new DrawingPane(m_prompter, 40, rule, this);
    m_pane->setObjectName(QStringLiteral("scheme"));
    // The buttons stop at 10 pixels per metre; a smaller scale may still be typed.
    m_pane->scaleSteps()->setDownRule(StepButtons::Mode::LowerBound, 10, QStringLiteral("0"));
    m_pane->setRefusalHook([this] { m_pane->showMessage(QString()); });
    // A scale changed while the picture is not drawn by itself clears it (the pane has drawn it
    // at the new scale just before).
    const auto scaleChanged = [this] {
        if (!m_auto->isChecked())
            m_pane->showMessage(QString());
    };
    connect(m_pane->scaleField(), &NumberField::editingFinished, this, scaleChanged);
    connect(m_pane->scaleSteps(), &StepButtons::stepped, this, scaleChanged);
    m_auto = new QCheckBox(QStringLiteral("Автообновление"), this);
    m_auto->setObjectName(QStringLiteral("auto"));
    m_auto->setChecked(true);
    connect(m_auto, &QCheckBox::clicked, this, [this] { refresh(); });
    auto* update = new QPushButton(QStringLiteral("Обновить"), this);
    update->setObjectName(QStringLiteral("update"));
    update->setAutoDefault(false);
    connect(update, &QPushButton::clicked, this, [this] { redraw(); });
    m_pane->controls()->addWidget(m_auto);
    m_pane->controls()->addWidget(update);
    m_pane->controls()->addStretch(1);
    auto* picture = new QVBoxLayout;
    picture->addWidget(m_title);
    picture->addWidget(m_pane, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(sideBox);
    body->addLayout(picture, 1);

    QPushButton* exportButton =
        makeExportButton(this, QStringLiteral("Экспорт схемы в документ Microsoft Word"));
    connect(exportButton, &QPushButton::clicked, this, [this] { exportReport(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(makeDialogButtons(this, info, closeRow({exportButton})).layout);

    // Every control is made before any of them may redraw.
    for (QRadioButton* b : m_shows)
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                annotationChanged();
        });
    connect(m_shortCircuit, &QRadioButton::toggled, this, [this] { refresh(); });
    connect(m_arrays, &QListWidget::itemChanged, this, [this] { refresh(); });
    m_section->setCurrentIndex(m_section->findData(minimumStringSection()));
    connect(m_section, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && !m_filling)
            setMinimumStringSection(m_section->itemData(index).toDouble());
        refresh();
    });
    annotationChanged();
    resize(1200, 660);
}

void TViewSPF::run() {
    load();
    exec();
}

void TViewSPF::load() {
    m_filling = true;
    m_variant = {};
    if (!m_dm.tblProj1().isEmpty())
        if (auto v = schemeVariant(m_dm, m_dm.tblProj1().currentKey().toLongLong()))
            m_variant = std::move(*v);
    View& param = m_dm.tblParam();
    setShortCircuit(!param.isEmpty() && param[QStringLiteral("Score_Isp")].asInteger() == 1);
    const int index = m_section->findData(minimumStringSection());
    if (index >= 0)
        m_section->setCurrentIndex(index);
    m_arrays->clear();
    for (const SchemeArray& a : m_variant.arrays) {
        auto* item = new QListWidgetItem(a.name, m_arrays);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    m_wires = wireCatalog(m_dm);
    m_connectors = connectorCatalog(m_dm);
    m_splitters = splitterCatalog(m_dm);
    m_filling = false;
    refresh();
}

void TViewSPF::setAnnotation(SchemeAnnotation kind) {
    switch (kind) {
    case SchemeAnnotation::Sections:
        m_shows[1]->setChecked(true);
        break;
    case SchemeAnnotation::Connectors:
        m_shows[2]->setChecked(true);
        break;
    case SchemeAnnotation::None:
    case SchemeAnnotation::Currents:
        m_shows[0]->setChecked(true);
        break;
    }
}

SchemeAnnotation TViewSPF::annotation() const {
    if (m_shows[1]->isChecked())
        return SchemeAnnotation::Sections;
    if (m_shows[2]->isChecked())
        return SchemeAnnotation::Connectors;
    return SchemeAnnotation::Currents;
}

void TViewSPF::setShortCircuit(bool on) {
    (on ? m_shortCircuit : m_working)->setChecked(true);
}

bool TViewSPF::shortCircuit() const {
    return m_shortCircuit->isChecked();
}

void TViewSPF::annotationChanged() {
    m_section->setEnabled(annotation() == SchemeAnnotation::Sections);
    m_note->setEnabled(annotation() == SchemeAnnotation::Connectors);
    refresh();
}

void TViewSPF::refresh() {
    m_title->setText(schemeViewTitle(annotation(), shortCircuit()));
    if (m_filling)
        return;
    if (m_auto->isChecked())
        redraw();
    else
        m_pane->showMessage(QString());
}

std::optional<QString> TViewSPF::missing() const {
    const SchemeVariant& v = m_variant;
    if (v.panelType.isEmpty() || v.arrays.empty())
        return QStringLiteral("Солнечная батарея варианта не сформирована: выберите солнечную "
                              "батарею.");
    if (!(v.panelWidthMm > 0) || !(v.panelHeightMm > 0))
        return QStringLiteral("Для солнечной панели \"%1\" не заданы размеры: схема не строится.")
            .arg(v.panelType);
    const double current = shortCircuit() ? v.panelIsc : v.panelImp;
    if (!(current > 0))
        return QStringLiteral("Для солнечной панели \"%1\" не задан %2: схема не строится.")
            .arg(v.panelType, shortCircuit() ? QStringLiteral("ток короткого замыкания")
                                             : QStringLiteral("ток рабочей точки"));
    return std::nullopt;
}

void TViewSPF::redraw() {
    m_title->setText(schemeViewTitle(annotation(), shortCircuit()));
    if (const auto why = missing()) {
        m_pane->showMessage(*why);
        return;
    }
    bool any = false;
    for (int i = 0; i < m_arrays->count(); ++i)
        any = any || m_arrays->item(i)->checkState() == Qt::Checked;
    if (!any) {
        m_pane->showMessage(QString());
        return;
    }
    m_pane->setDrawing([this](int scale) { return layout(scale); });
}

SchemeAnnotations TViewSPF::annotations() const {
    SchemeAnnotations a;
    a.kind = annotation();
    a.current = shortCircuit() ? m_variant.panelIsc : m_variant.panelImp;
    if (a.kind == SchemeAnnotation::Sections) {
        const double minimum = m_section->currentData().toDouble();
        a.label = [wires = m_wires, minimum](double c) {
            return numberToText(stringCableSection(wires, c, minimum)) + QStringLiteral(" мм2");
        };
    } else if (a.kind == SchemeAnnotation::Connectors) {
        a.connector = [rows = m_connectors](double c) { return connectorFor(rows, c); };
        a.splitter = [rows = m_splitters](double c) { return connectorFor(rows, c); };
    } else {
        a.label = [](double c) { return currentLabel(c); };
    }
    return a;
}

Drawing TViewSPF::layout(int scale) const {
    SolarSchemeViewInput in;
    in.variant = &m_variant;
    for (int i = 0; i < m_arrays->count(); ++i)
        in.checked.push_back(m_arrays->item(i)->checkState() == Qt::Checked);
    in.annotations = annotations();
    in.scale = scale;
    return solarSchemeView(in, fontTextMeasure());
}

void TViewSPF::writeReport(ReportWriter& w) const {
    w.openReport();
    w.writeHeading(m_title->text() + QStringLiteral("\r"));
    if (m_pane->hasDrawing())
        w.insertPicture(ses::render(layout(m_pane->scale())));
    w.writeText(QStringLiteral("\r"));
}

void TViewSPF::exportReport() {
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

} // namespace ses
