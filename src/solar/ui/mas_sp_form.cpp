#include "solar/ui/mas_sp_form.h"

#include "reports/array_scheme.h"
#include "reports/drawing.h"

#include <QPixmap>

#include "lib/entry.h"
#include "lib/numbers.h"
#include "lib/prompter.h"
#include "widgets/dialog_buttons.h"
#include "widgets/drawing_pane.h"
#include "widgets/number_field.h"
#include "widgets/windows.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace ses {

namespace {

QString fmt(double x, const char* pattern) {
    return formatPattern(x, QString::fromLatin1(pattern));
}

const QStringList& criterionNames() {
    static const QStringList n = {QStringLiteral("по требуемой мощности панелей массива"),
                                  QStringLiteral("по заданной мощности панелей массива"),
                                  QStringLiteral("по максимально допустимому току массива"),
                                  QStringLiteral("по заданному размеру площадки установки")};
    return n;
}

const std::vector<FormRow> kNeedRows = {
    {QStringLiteral("dopP"), QStringLiteral("Требуемая дополнительная мощность СБ, Вт:")},
    {QStringLiteral("dopB"), QStringLiteral("Оптимальный угол наклона солнечных панелей, град.:")}};
const std::vector<FormRow> kResultRows = {
    {QStringLiteral("series"),
     QStringLiteral("Количество последовательно соединенных панелей в сборке массива, шт.:")},
    {QStringLiteral("strings"), QStringLiteral("Количество параллельных сборок массива, шт.:")},
    {QStringLiteral("panels"), QStringLiteral("Количество солнечных панелей массива, шт.:")},
    {QStringLiteral("power"), QStringLiteral("Мощность солнечных панелей массива, Вт:")},
    {QStringLiteral("current"), QStringLiteral("Ток солнечных панелей массива, А:")},
    {QStringLiteral("loss"),
     QStringLiteral("Потери мощности из-за ориентации панелей массива, Вт:")},
    {QStringLiteral("controller"),
     QStringLiteral("Прогнозируемый ток на выходе контроллера заряда, А:")},
    {QStringLiteral("additional"), QStringLiteral("Требуемая дополнительная мощность СБ, Вт:")},
    {QStringLiteral("tilt"), QStringLiteral("Оптимальный угол наклона солнечных панелей, град.:")}};

} // namespace

TMasSPFrm::TMasSPFrm(Prompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TMasSPFrm"));
    auto* top = new QVBoxLayout(this);

    m_panelInfo = new QLabel(this);
    m_panelInfo->setWordWrap(true);
    top->addWidget(m_panelInfo);

    m_pages = new QTabWidget(this);
    top->addWidget(m_pages);
    auto* page = new QWidget(m_pages);
    m_pages->addTab(page, QStringLiteral(" Параметры массива "));
    auto* pl = new QVBoxLayout(page);

    auto* need = new QFormLayout;
    pl->addLayout(need);
    m_need.add(need, kNeedRows, {0, false});

    auto* inputs = new QGroupBox(QStringLiteral("Исходные данные"), page);
    auto* form = new QFormLayout(inputs);
    form->setVerticalSpacing(3);
    m_name = new QLineEdit(inputs);
    m_name->setMaxLength(30);
    form->addRow(QStringLiteral("Наименование массива:"), m_name);
    m_orient = new NumberField(NumberField::Kind::Decimal, inputs);
    m_orient->setPrompter(&m_prompter);
    m_orient->setToolTip(QStringLiteral(
        "Ориентация, град. - угол ориентации солнечных панелей массива по сторонам света (0 - "
        "север, 90 - восток, 180 - юг, 270 - запад), град."));
    form->addRow(QStringLiteral("Ориентация солнечных панелей, град.:"), m_orient);
    m_tilt = new NumberField(NumberField::Kind::Decimal, inputs);
    m_tilt->setPrompter(&m_prompter);
    form->addRow(QStringLiteral("Угол наклона солнечных панелей, град.:"), m_tilt);
    m_kLabel = new QLabel(inputs);
    m_kLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(QStringLiteral("Коэффициент производительности солнечных панелей массива, о.е.:"),
                 m_kLabel);
    m_criterion = new QComboBox(inputs);
    m_criterion->addItems(criterionNames());
    form->addRow(QStringLiteral("Режим расчета:"), m_criterion);
    m_givenPower = new QComboBox(inputs);
    m_givenPower->setEditable(true);
    form->addRow(QStringLiteral("Заданная мощность панелей массива, Вт:"), m_givenPower);
    m_givenCurrent = new NumberField(NumberField::Kind::Decimal, inputs);
    m_givenCurrent->setPrompter(&m_prompter);
    form->addRow(QStringLiteral("Максимальный ток массива, А:"), m_givenCurrent);
    m_param = new QComboBox(inputs);
    m_param->addItems({QStringLiteral("требуемая мощность панелей массива"),
                       QStringLiteral("заданная мощность панелей массива")});
    form->addRow(QStringLiteral("Привязка мощности массива для площадки установки:"), m_param);
    m_shape = new QComboBox(inputs);
    m_shape->addItems({QStringLiteral("прямоугольник"), QStringLiteral("трапеция"),
                       QStringLiteral("треугольник")});
    form->addRow(QStringLiteral("Форма площадки:"), m_shape);
    m_l = new NumberField(NumberField::Kind::Decimal, inputs);
    m_s = new NumberField(NumberField::Kind::Decimal, inputs);
    m_h = new NumberField(NumberField::Kind::Decimal, inputs);
    m_lCap = new QLabel(inputs);
    m_sCap = new QLabel(inputs);
    m_hCap = new QLabel(inputs);
    for (auto* f : {m_l, m_s, m_h})
        f->setPrompter(&m_prompter);
    form->addRow(m_lCap, m_l);
    form->addRow(m_sCap, m_s);
    form->addRow(m_hCap, m_h);
    m_area = new QLabel(inputs);
    m_area->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(QStringLiteral("Фактическая площадь, м2:"), m_area);
    pl->addWidget(inputs);

    auto* results = new QGroupBox(QStringLiteral("Результаты расчета"), page);
    auto* resultForm = new QFormLayout(results);
    resultForm->setVerticalSpacing(2);
    m_results.add(resultForm, kResultRows, {80, false});
    pl->addWidget(results);

    m_calc = new QPushButton(QStringLiteral("Расчет"), this);
    const DialogButtons buttons =
        makeDialogButtons(this, info, {.ok = QStringLiteral("OK"), .commands = {m_calc}});
    m_ok = buttons.ok;
    // Enter calculates: "OK" takes only a calculated array.
    m_calc->setDefault(true);
    top->addLayout(buttons.layout);

    connect(m_calc, &QPushButton::clicked, this, [this] { calculate(); });
    connect(m_orient, &QLineEdit::textEdited, this, [this] { angleTyped(); });
    connect(m_tilt, &QLineEdit::textEdited, this, [this] { angleTyped(); });
    for (auto* box : {m_criterion, m_param, m_shape})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            updateEnabling();
            updateArea();
            inputsChanged();
        });
    connect(m_givenPower, &QComboBox::editTextChanged, this, [this] { inputsChanged(); });
    for (auto* f : {m_givenCurrent, m_l, m_s, m_h})
        connect(f, &QLineEdit::textChanged, this, [this] {
            updateArea();
            inputsChanged();
        });
    // The connection scheme of the array as calculated.
    m_scheme = new DrawingPane(m_prompter, 30, m_pages);
    m_scheme->controls()->addStretch();
    m_pages->addTab(m_scheme, QStringLiteral(" Схема массива "));

    // The placement of the array's panels on its site (site criterion), at a chosen scale and
    // alignment.
    m_placement = new DrawingPane(m_prompter, 30, m_pages);
    QHBoxLayout* controls = m_placement->controls();
    controls->addWidget(new QLabel(QStringLiteral("По горизонтали:"), m_placement));
    m_placementH = new QComboBox(m_placement);
    m_placementH->addItems(
        {QStringLiteral("слева"), QStringLiteral("по центру"), QStringLiteral("справа")});
    controls->addWidget(m_placementH);
    controls->addWidget(new QLabel(QStringLiteral("По вертикали:"), m_placement));
    m_placementV = new QComboBox(m_placement);
    m_placementV->addItems(
        {QStringLiteral("сверху"), QStringLiteral("по центру"), QStringLiteral("снизу")});
    controls->addWidget(m_placementV);
    controls->addStretch();
    m_pages->addTab(m_placement, QStringLiteral(" Размещение массива "));
    for (auto* box : {m_placementH, m_placementV})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { drawPlacement(); });

    updateEnabling();
    inputsChanged();
}

void TMasSPFrm::setInput(const ArrayWindowInput& in) {
    m_in = in;
    m_filling = true;
    const auto& p = in.type;
    m_panelInfo->setText(
        QStringLiteral("%1, %2: %3 Вт; %4 В; Isc %5 А; Vmp %6 В; Imp %7 А; %8 x %9 мм")
            .arg(in.company, p.tip, numberToText(p.power), numberToText(p.unom),
                 numberToText(p.isc), numberToText(p.vmp), numberToText(p.imp),
                 numberToText(p.height), numberToText(p.width)));
    m_need.setText(QStringLiteral("dopP"), fmt(in.dopP, "0"));
    m_need.setText(QStringLiteral("dopB"), in.dopB ? fmt(*in.dopB, "0") : QString());
    const auto text = [](std::optional<double> x) { return x ? numberToText(*x) : QString(); };
    const ArrayRow& r = in.row;
    m_name->setText(r.name);
    m_orient->setText(numberToText(r.orientation));
    m_tilt->setText(numberToText(r.tilt));
    m_kLabel->setText(numberToText(r.k));
    m_k = r.k;
    m_criterion->setCurrentIndex(int(in.editing ? r.criterion : Criterion::RequiredPower));
    m_param->setCurrentIndex(in.editing ? std::clamp(r.siteParameter.value_or(0), 0, 1) : 0);
    m_shape->setCurrentIndex(
        int(in.editing ? r.shape.value_or(SiteShape::Rectangle) : SiteShape::Rectangle));
    m_givenPower->clear();
    for (double p : in.powerChoices)
        m_givenPower->addItem(numberToText(p));
    m_givenPower->setEditText(text(initialGivenPower(in)));
    m_givenCurrent->setText(in.editing ? text(r.givenCurrent) : QString());
    m_l->setText(in.editing ? text(r.length) : QString());
    m_s->setText(in.editing ? text(r.lower) : QString());
    m_h->setText(in.editing ? text(r.height) : QString());
    m_filling = false;
    updateEnabling();
    updateArea();
    inputsChanged();
    if (in.editing)
        calculate();
}

bool TMasSPFrm::run() {
    return exec() == QDialog::Accepted;
}

std::optional<double> TMasSPFrm::number(NumberField* f, const QString& quantity) {
    if (auto e = checkNumber(f->text(), quantity)) {
        m_prompter.error(*e);
        if (isVisible())
            f->setFocus();
        return std::nullopt;
    }
    return parseNumber(f->text());
}

bool TMasSPFrm::calculate() {
    inputsChanged();
    const auto orient = number(m_orient, QStringLiteral("угла ориентации солнечных панелей"));
    if (!orient)
        return false;
    const auto tilt = number(m_tilt, QStringLiteral("угла наклона солнечных панелей"));
    if (!tilt)
        return false;

    ArrayRequest rq;
    rq.criterion = criterion();
    rq.siteByGivenPower = m_param->currentIndex() == 1;
    const bool givenUsed = rq.criterion == Criterion::GivenPower ||
                           (rq.criterion == Criterion::SiteSize && rq.siteByGivenPower);
    if (givenUsed) {
        const QString text = m_givenPower->currentText();
        if (auto e = checkNumber(text, QStringLiteral("заданной мощности панелей массива"))) {
            m_prompter.error(*e);
            return false;
        }
        rq.givenPower = *parseNumber(text);
    }
    if (rq.criterion == Criterion::MaxCurrent) {
        const auto i = number(m_givenCurrent, QStringLiteral("максимального тока массива"));
        if (!i)
            return false;
        rq.givenCurrent = *i;
    }
    if (rq.criterion == Criterion::SiteSize) {
        const auto l = number(m_l, QStringLiteral("длины площадки"));
        if (!l)
            return false;
        double s = 0;
        if (shape() == SiteShape::Trapezoid) {
            const auto v = number(m_s, QStringLiteral("длины нижней основы трапеции"));
            if (!v)
                return false;
            s = *v;
        }
        const auto h = number(m_h, QStringLiteral("высоты площадки"));
        if (!h)
            return false;
        rq.site.shape = shape();
        rq.site.length = *l;
        rq.site.lower = s;
        rq.site.height = *h;
    }
    rq.orientation = *orient;
    rq.tilt = *tilt;
    const ArrayCalculation c = calculateArray(m_in, rq);
    if (c.k) {
        m_k = *c.k;
        m_kLabel->setText(fmt(m_k, "0.###"));
    }
    if (c.error) {
        m_prompter.error(*c.error);
        return false;
    }
    if (c.information) {
        m_prompter.information(*c.information);
        return false;
    }
    const ArrayResult& r = c.result;
    m_done = r;
    m_request = rq;
    showResult(r);
    m_ok->setEnabled(true);
    return true;
}

void TMasSPFrm::showResult(const ArrayResult& r) {
    const std::pair<const char*, QString> shown[] = {
        {"series", QString::number(r.series)},
        {"strings", QString::number(r.strings)},
        {"panels", QString::number(r.panels)},
        {"power", fmt(r.power, "0")},
        {"current", fmt(r.current, "0.##")},
        {"loss", fmt(r.loss, "0")},
        {"controller", fmt(r.controllerCurrent, "0.##")},
        {"additional", r.additionalPower ? fmt(*r.additionalPower, "0") : QString()},
        {"tilt", r.suggestedTilt ? fmt(*r.suggestedTilt, "0") : QString()}};
    for (const auto& [key, text] : shown)
        m_results.setText(QString::fromLatin1(key), text);
    drawScheme();
    drawPlacement();
}

NumberField* TMasSPFrm::placementScaleField() const {
    return m_placement->scaleField();
}

QPixmap TMasSPFrm::placementPicture() const {
    return m_placement->picture();
}

void TMasSPFrm::drawScheme() {
    if (!m_done) {
        m_scheme->showMessage(
            QStringLiteral("Схема массива рисуется после расчета: нажмите «Расчет»."));
        return;
    }
    ArraySchemeInput scheme;
    scheme.arrayName = m_name->text().trimmed();
    scheme.panelType = m_in.type.tip;
    scheme.strings = m_done->strings;
    scheme.panelsPerString = m_done->series;
    scheme.panelCount = m_done->panels;
    scheme.arrayPower = fmt(m_done->power, "0");
    scheme.arrayVoltage = numberToText(m_in.system.mppt ? m_in.system.umppt : m_in.system.uses);
    scheme.panelPower = numberToText(m_in.type.panel.power);
    scheme.panelVoltage = numberToText(m_in.type.panel.unom);
    scheme.panelWidthMm = m_in.type.panel.width;
    scheme.panelHeightMm = m_in.type.panel.height;
    m_scheme->setDrawing([scheme](int scale) mutable {
        scheme.scale = scale;
        return arrayScheme(scheme, fontTextMeasure()).drawing;
    });
}

void TMasSPFrm::drawPlacement() {
    // Only the site criterion knows a site.
    if (criterion() != Criterion::SiteSize) {
        m_placement->showMessage(
            QStringLiteral(
                "Размещение панелей на площадке рисуется только для режима расчета «%1».")
                .arg(criterionNames()[int(Criterion::SiteSize)]));
        return;
    }
    if (!m_done) {
        m_placement->showMessage(QStringLiteral(
            "Размещение панелей на площадке рисуется после расчета: нажмите «Расчет»."));
        return;
    }
    SitePlacementInput in;
    in.shape = PlacementShape(m_shape->currentIndex());
    in.length = parseNumber(m_l->text()).value_or(0);
    in.lowerBase = parseNumber(m_s->text()).value_or(0);
    in.height = parseNumber(m_h->text()).value_or(0);
    in.panelWidthMm = m_in.type.panel.width;
    in.panelHeightMm = m_in.type.panel.height;
    in.panels = m_done->panels;
    in.horizontal = HorizontalPlacement(m_placementH->currentIndex());
    in.vertical = VerticalPlacement(m_placementV->currentIndex());
    m_placement->setDrawing([in](int scale) mutable {
        in.scale = scale;
        return sitePlacement(in, fontTextMeasure()).drawing;
    });
}

bool TMasSPFrm::accept_() {
    if (!m_done)
        return false;
    if (m_name->text().trimmed().isEmpty()) {
        m_prompter.error(QStringLiteral("Не задано наименование массива солнечных панелей."));
        m_name->setFocus();
        return false;
    }
    QDialog::accept();
    return true;
}

void TMasSPFrm::accept() {
    accept_();
}

ArrayRow TMasSPFrm::resultRow(std::optional<int> bopt) const {
    if (!m_done)
        return {};
    return arrayRow(m_name->text(), m_request, m_k, *m_done, bopt);
}

Criterion TMasSPFrm::criterion() const {
    return Criterion(m_criterion->currentIndex());
}

SiteShape TMasSPFrm::shape() const {
    return SiteShape(m_shape->currentIndex());
}

void TMasSPFrm::angleTyped() {
    inputsChanged();
    const auto o = parseNumber(m_orient->text());
    const auto t = parseNumber(m_tilt->text());
    if (!o || !t) {
        m_kLabel->clear();
        return;
    }
    const auto k = performanceCoefficient(m_in.loss, deviationAngle(*o, *t, m_in.variantB));
    m_kLabel->setText(k ? fmt(*k, "0.###") : QString());
}

void TMasSPFrm::inputsChanged() {
    if (m_filling)
        return;
    m_done.reset();
    m_results.clear();
    if (m_scheme)
        drawScheme();
    if (m_placement)
        drawPlacement();
    m_ok->setEnabled(false);
}

void TMasSPFrm::updateEnabling() {
    const Criterion c = criterion();
    const bool site = c == Criterion::SiteSize;
    const bool trapezoid = shape() == SiteShape::Trapezoid;
    m_givenPower->setEnabled(c == Criterion::GivenPower || (site && m_param->currentIndex() == 1));
    m_givenCurrent->setEnabled(c == Criterion::MaxCurrent);
    m_param->setEnabled(site);
    m_shape->setEnabled(site);
    m_l->setEnabled(site);
    m_h->setEnabled(site);
    m_s->setEnabled(site && trapezoid);
    switch (shape()) {
    case SiteShape::Trapezoid:
        m_lCap->setText(QStringLiteral("Длина верхней основы трапеции, м:"));
        m_sCap->setText(QStringLiteral("Длина нижней основы трапеции, м:"));
        m_hCap->setText(QStringLiteral("Высота трапеции, м:"));
        break;
    case SiteShape::Triangle:
        m_lCap->setText(QStringLiteral("Длина основания треугольника, м:"));
        m_sCap->setText(QString());
        m_hCap->setText(QStringLiteral("Высота треугольника, м:"));
        break;
    case SiteShape::Rectangle:
        m_lCap->setText(QStringLiteral("Длина прямоугольника, м:"));
        m_sCap->setText(QString());
        m_hCap->setText(QStringLiteral("Высота прямоугольника, м:"));
        break;
    }
    m_s->setVisible(trapezoid);
    m_sCap->setVisible(trapezoid);
}

void TMasSPFrm::updateArea() {
    Site s;
    s.shape = shape();
    s.length = parseNumber(m_l->text()).value_or(0);
    s.lower = parseNumber(m_s->text()).value_or(0);
    s.height = parseNumber(m_h->text()).value_or(0);
    m_area->setText(fmt(siteArea(s), "0.##"));
}

} // namespace ses
