#include "app/ui/var_form.h"

#include "app/commands.h"
#include "app/variant_export.h"
#include "app/variant_ops.h"
#include "data/data_module.h"
#include "lib/months.h"
#include "lib/numbers.h"
#include "widgets/dialog_buttons.h"
#include "widgets/number_field.h"
#include "widgets/report_export.h"
#include "widgets/step_buttons.h"
#include "widgets/string_grid.h"
#include "widgets/windows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ses {

namespace {

const QString kDefaultCaption = QStringLiteral("Параметры варианта расчета по умолчанию.");
const QString kRegion = QStringLiteral("Region");
const QString kUmppt = QStringLiteral("Umppt");
const QString kUses = QStringLiteral("Uses");

// Width of a number field: room for "-0,475" and the like.
constexpr int kFieldWidth = 64;

// The read-only notes under each option of the "Нагрузка" tab, one line a piece.
const QStringList& loadNotes(int option) {
    static const std::vector<QStringList> notes = {
        {QStringLiteral("(суточное потребление электроэнергии, потребление электроэнергии в \"часы "
                        "суток без солнца\", "),
         QStringLiteral("потребление электроэнергии за максимальное число последовательных \"часов "
                        "без солнца\", "),
         QStringLiteral("номинальная, максимальная и пиковая мощности электроустановки; значения "
                        "указанных параметров "),
         QStringLiteral("вводятся пользователем вручную)")},
        {QStringLiteral("(активная мощность электроустановки в различные периоды времени суток; на "
                        "основании суточного "),
         QStringLiteral("графика автоматически определяются нагрузочные параметры электроустановки "
                        "- суточное потребление "),
         QStringLiteral("электроэнергии, потребление электроэнергии в \"часы суток без солнца\", "
                        "потребление электроэнергии за "),
         QStringLiteral("максимальное число последовательных \"часов без солнца\", номинальная и "
                        "максимальная мощности "),
         QStringLiteral("электроустановки; пиковая мощность электроустановки вводится "
                        "пользователем вручную)")},
        {QStringLiteral("(на основании указанных данных автоматически создается суточный график "
                        "нагрузки электроустановки, "),
         QStringLiteral("по которому автоматически определяются её нагрузочные параметры - "
                        "суточное потребление "),
         QStringLiteral("электроэнергии, потребление электроэнергии в \"часы суток без солнца\", "
                        "потребление электроэнергии за "),
         QStringLiteral("максимальное число последовательных \"часов без солнца\", номинальная, "
                        "максимальная и пиковая "),
         QStringLiteral("мощности электроустановки)")},
    };
    return notes[option];
}

QGroupBox* group(const QString& title) {
    return new QGroupBox(title);
}

StringGrid* monthGrid(const QStringList& titles) {
    auto* g = new StringGrid;
    g->setFixedRow(true);
    g->setColCount(int(titles.size()));
    g->setRowCount(13);
    for (int c = 0; c < titles.size(); ++c)
        g->setCell(c, 0, titles[c]);
    for (int r = 0; r < 12; ++r)
        g->setCell(0, r + 1, monthNames()[r]);
    g->setColumnReadOnly(0, true);
    for (int c = 1; c < titles.size(); ++c)
        g->setColumnKind(c, NumberField::Kind::Decimal);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics fm(g->font());
    g->setColWidth(0, fm.horizontalAdvance(QStringLiteral("сентябрь")) + 24);
    int width = g->columnWidth(0);
    for (int c = 1; c < titles.size(); ++c) {
        g->setColWidth(c, fm.horizontalAdvance(titles[c]) + 24);
        width += g->columnWidth(c);
    }
    g->horizontalHeader()->setStretchLastSection(true);
    const int height = g->horizontalHeader()->sizeHint().height() +
                       12 * g->verticalHeader()->defaultSectionSize() + 2 * g->frameWidth();
    g->setFixedSize(width + 2 * g->frameWidth() + 2, height + 4);
    return g;
}

} // namespace

TVarForm::TVarForm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    setObjectName(QStringLiteral("TVarForm"));
    m_roomChooser = [this](const QString& room) -> std::optional<RoomChoice> {
        if (!m_roomForm)
            m_roomForm = new TsTempABF(m_dm, m_prompter, this);
        return m_roomForm->choose(room);
    };
    build();
    setLayoutKind(Layout::Variant);
}

// ---------------------------------------------------------------- building

QLabel* TVarForm::note(const QString& text) {
    auto* l = new QLabel(text);
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    return l;
}

NumberField* TVarForm::numberField(const QString& column, QLabel* caption) {
    const ParamDef& def = paramDef(column);
    auto* f = new NumberField(def.kind == ParamKind::Whole ? NumberField::Kind::Integer
                                                           : NumberField::Kind::Decimal);
    f->setPrompter(&m_prompter);
    f->setFixedWidth(kFieldWidth);
    f->setObjectName(column);
    Control& c = m_controls[column];
    c.def = &def;
    c.widget = f;
    if (caption) {
        c.companions.push_back(caption);
        caption->setBuddy(f);
    }
    return f;
}

QWidget* TVarForm::stepsOf(const QString& column) {
    Control& c = m_controls.at(column);
    auto* field = static_cast<NumberField*>(c.widget);
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (const StepRule& rule : c.def->steps) {
        auto* b = new StepButtons(field, rule.step, box);
        b->setUpRule(rule.upper ? StepButtons::Mode::UpperBound : StepButtons::Mode::Free,
                     rule.upper.value_or(0));
        b->setDownRule(rule.lower ? StepButtons::Mode::LowerBound : StepButtons::Mode::Positive,
                       rule.lower.value_or(0));
        row->addWidget(b);
        c.steps.push_back(b);
    }
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    c.companions.push_back(box);
    return box;
}

QCheckBox* TVarForm::checkBox(const QString& column, const QString& text) {
    auto* b = new QCheckBox(text);
    b->setObjectName(column);
    Control& c = m_controls[column];
    c.def = &paramDef(column);
    c.widget = b;
    connect(b, &QCheckBox::toggled, this, [this] { applyEnablings(); });
    return b;
}

QComboBox* TVarForm::list(const QString& column, QLabel* caption) {
    const ParamDef& def = paramDef(column);
    auto* box = new QComboBox;
    box->setObjectName(column);
    box->addItems(def.entries);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Control& c = m_controls[column];
    c.def = &def;
    c.widget = box;
    if (caption) {
        c.companions.push_back(caption);
        caption->setBuddy(box);
    }
    connect(box, &QComboBox::currentIndexChanged, this, [this] { applyEnablings(); });
    return box;
}

QWidget* TVarForm::fieldWithSteps(const QString& column, QLabel* caption) {
    auto* cell = new QWidget;
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addWidget(numberField(column, caption));
    row->addWidget(stepsOf(column));
    cell->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return cell;
}

void TVarForm::numberRow(QGridLayout* g, int row, const QString& column, const QString& caption) {
    auto* label = new QLabel(caption);
    g->addWidget(label, row, 0);
    g->addWidget(fieldWithSteps(column, label), row, 1, Qt::AlignLeft);
    g->setColumnStretch(2, 1);
}

void TVarForm::listRow(QGridLayout* g, int row, const QString& column, const QString& caption) {
    auto* label = new QLabel(caption);
    g->addWidget(label, row, 0);
    g->addWidget(list(column, label), row, 1, Qt::AlignLeft);
    g->setColumnStretch(2, 1);
}

void TVarForm::build() {
    auto* top = new QGridLayout;
    m_nameCaption = new QLabel(QStringLiteral("Наименование варианта расчета:"));
    m_name = new QLineEdit;
    m_name->setMaxLength(50); // VarName is text(50)
    m_nameCaption->setBuddy(m_name);
    top->addWidget(m_nameCaption, 0, 0);
    top->addWidget(m_name, 0, 1, 1, 4);
    auto* usesCaption = new QLabel(QStringLiteral("Напряжение системы, В:"));
    top->addWidget(usesCaption, 1, 0);
    QComboBox* uses = list(kUses, usesCaption);
    top->addWidget(uses, 1, 1);
    auto* uvuhCaption =
        new QLabel(QStringLiteral("Выходное напряжение переменного тока (50 Гц), В:"));
    top->addWidget(uvuhCaption, 1, 3, Qt::AlignRight);
    top->addWidget(list(QStringLiteral("Uvuh"), uvuhCaption), 1, 4);
    top->setColumnStretch(2, 1);

    m_tabs = new QTabWidget;
    m_tabs->addTab(buildLoadTab(), QStringLiteral("Нагрузка"));
    m_tabs->addTab(buildInverterTab(), QStringLiteral("Инвертор"));
    m_tabs->addTab(buildPanelTab(), QStringLiteral(" СБ"));
    m_tabs->addTab(buildControllerTab(), QStringLiteral("Контроллер"));
    m_tabs->addTab(buildBatteryTab(), QStringLiteral(" АБ"));
    m_tabs->addTab(buildCableTab(), QStringLiteral("Кабели"));
    m_tabs->addTab(buildProtectionTab(), QStringLiteral("Защита"));

    m_defaults = new QPushButton(QStringLiteral("По умолчанию"), this);
    m_defaults->setAutoDefault(false);
    m_export = makeExportButton(this, QString());
    for (QPushButton* b : {m_defaults, m_export})
        b->setMinimumWidth(110);
    const DialogButtons buttons = makeDialogButtons(this, windowInfo(QStringLiteral("TVarForm")),
                                                    {.commands = {m_defaults, m_export}});
    connect(m_defaults, &QPushButton::clicked, this, [this] { loadDefaults(); });
    connect(m_export, &QPushButton::clicked, this, [this] { exportReport(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons.layout);

    connect(uses, &QComboBox::currentTextChanged, this, [this] { rebuildUmppt(QString()); });
    rebuildUmppt(QString());
    applyEnablings();
}

QWidget* TVarForm::buildLoadTab() {
    auto* page = new QWidget;
    auto* outer = new QVBoxLayout(page);
    auto* box = group(QStringLiteral(" Параметры нагрузки электроустановки "));
    auto* v = new QVBoxLayout(box);
    m_paramNagr = new QButtonGroup(this);
    const ParamDef& def = paramDef(QStringLiteral("ParamNagr"));
    for (int i = 0; i < def.entries.size(); ++i) {
        auto* option = new QRadioButton(def.entries[i]);
        m_paramNagr->addButton(option, i);
        v->addWidget(option);
        QLabel* text = note(loadNotes(i).join(u'\n'));
        text->setContentsMargins(22, 0, 0, 8);
        v->addWidget(text);
        if (i == 0) {
            Control& c = m_controls[def.column];
            c.def = &def;
            c.widget = option;
        }
    }
    outer->addWidget(box);
    outer->addStretch(1);
    return page;
}

QWidget* TVarForm::buildInverterTab() {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    numberRow(g, 0, QStringLiteral("ZapPnom_Inv"),
              QStringLiteral("Запас номинальной мощности при выборе инвертора, %:"));
    numberRow(g, 1, QStringLiteral("ZapPmax_Inv"),
              QStringLiteral("Запас максимальной мощности при выборе инвертора, %:"));
    g->addWidget(
        checkBox(QStringLiteral("UsePpik_Inv"),
                 QStringLiteral("При выборе инвертора учитывать пиковые мощности нагрузки")),
        2, 0, 1, 2);
    numberRow(g, 3, QStringLiteral("ZapPpik_Inv"),
              QStringLiteral("Запас пиковой мощности при выборе инвертора, %:"));
    g->addWidget(checkBox(QStringLiteral("UseUserKpd_Inv"),
                          QStringLiteral("При расчетах принимать КПД инвертора, о.е.:")),
                 4, 0);
    g->addWidget(fieldWithSteps(QStringLiteral("UserKpd_Inv")), 4, 1, Qt::AlignLeft);
    g->setRowStretch(5, 1);
    g->setVerticalSpacing(10);
    return page;
}

QWidget* TVarForm::buildPanelTab() {
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);

    auto* left = new QVBoxLayout;
    auto* regionRow = new QVBoxLayout;
    auto* regionCaption = new QLabel(QStringLiteral("Регион размещения солнечной электростанции:"));
    regionRow->addWidget(regionCaption);
    QComboBox* region = list(kRegion, regionCaption);
    region->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    region->setMinimumContentsLength(24);
    region->setMaxVisibleItems(20);
    regionRow->addWidget(region, 0, Qt::AlignLeft);
    left->addLayout(regionRow);

    auto* seasonal = group(QStringLiteral(" Поправочные сезонные коэффициенты при выборе СП "));
    auto* sg = new QGridLayout(seasonal);
    numberRow(sg, 0, QStringLiteral("Ksp_summer"),
              QStringLiteral("Поправочный коэффициент (летний период):"));
    numberRow(sg, 1, QStringLiteral("Ksp_winter"),
              QStringLiteral("Поправочный коэффициент (зимний период):"));
    left->addWidget(seasonal);

    auto* temperature =
        group(QStringLiteral(" Учет изменения параметров СП при изменении температуры "));
    auto* tg = new QGridLayout(temperature);
    tg->addWidget(checkBox(QStringLiteral("UchetKdifP_SP"),
                           QStringLiteral("Учитывать изменение мощности СП при изменении "
                                          "температуры")),
                  0, 0, 1, 4);
    numberRow(tg, 1, QStringLiteral("KdifP_SP"),
              QStringLiteral("Коэффициент изменения мощности СП, %/град. С:"));
    numberRow(tg, 2, QStringLiteral("Tmin_SP"),
              QStringLiteral("Минимальная температура эксплуатации СП, град. С:"));
    left->addWidget(temperature);
    left->addStretch(1);
    h->addLayout(left);

    auto* day = group(QStringLiteral(" Среднемесячные периоды светлого времени суток "));
    auto* dh = new QHBoxLayout(day);
    m_dayGrid = monthGrid({QStringLiteral("Месяц"), QStringLiteral("Начало, час."),
                           QStringLiteral("Окончание, час.")});
    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(m_dayGrid);
    m_dayDefaults = new QPushButton(QStringLiteral("По умолчанию"));
    m_dayDefaults->setAutoDefault(false);
    connect(m_dayDefaults, &QPushButton::clicked, this, [this] { loadDayLightDefaults(); });
    gridColumn->addWidget(m_dayDefaults, 0, Qt::AlignLeft);
    gridColumn->addStretch(1);
    dh->addLayout(gridColumn);
    auto* notes = new QVBoxLayout;
    notes->addWidget(note(QStringLiteral("Месяц - наименование месяца года.")));
    auto* riseNote = note(QStringLiteral("Начало, час. - среднемесячное время начала светлого "
                                         "времени суток, час."));
    auto* setNote = note(QStringLiteral("Окончание, час. - среднемесячное время окончания "
                                        "светлого времени суток, час."));
    for (QLabel* l : {riseNote, setNote}) {
        l->setWordWrap(true);
        notes->addWidget(l);
    }
    auto* help = note(QStringLiteral("Справка."));
    QFont bold = help->font();
    bold.setBold(true);
    help->setFont(bold);
    notes->addSpacing(8);
    notes->addWidget(help);
    notes->addWidget(note(QStringList{QStringLiteral("В светлое время суток солнечная батарея "),
                                      QStringLiteral("питает электроприемники и заряжает "),
                                      QStringLiteral("аккумуляторную батарею. Соответственно, "),
                                      QStringLiteral("в темное время суток (\"часы без солнца\") "),
                                      QStringLiteral("питание электроприемников"),
                                      QStringLiteral("осуществляется исключительно от "),
                                      QStringLiteral("аккумуляторной батареи. ")}
                              .join(u'\n')));
    notes->addStretch(1);
    dh->addLayout(notes, 1);
    h->addWidget(day, 1);
    return page;
}

QWidget* TVarForm::buildControllerTab() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* g = new QGridLayout;
    numberRow(g, 0, QStringLiteral("Poteri_Ctrl"), QStringLiteral("Потери в контроллере, %:"));
    numberRow(g, 1, QStringLiteral("Uxx_zap_Ctrl"),
              QStringLiteral("Запас по напряжению холостого хода массива СП при выборе "
                             "контроллера, %:"));
    v->addLayout(g);

    auto* mppt = group(QStringLiteral(" Параметры МРРТ - контроллера "));
    auto* mg = new QGridLayout(mppt);
    mg->addWidget(
        checkBox(QStringLiteral("UseMPPT_Ctrl"), QStringLiteral("Использовать МРРТ - контроллер")),
        0, 0, 1, 2);
    listRow(mg, 1, kUmppt,
            QStringLiteral("Напряжение массивов СП при использовании МРРТ - контроллера, В:"));
    auto* uzar = new QLabel(QStringLiteral("Напряжение ускоренного заряда АБ при первоначальном "
                                           "выборе контроллера (после выбора СБ и до выбора АБ), "
                                           "В:"));
    mg->addWidget(uzar, 2, 0);
    mg->addWidget(fieldWithSteps(QStringLiteral("DefUzar_Ctrl"), uzar), 2, 1, Qt::AlignLeft);
    v->addWidget(mppt);
    v->addStretch(1);
    return page;
}

QWidget* TVarForm::buildBatteryTab() {
    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;

    auto* g = new QGridLayout;
    numberRow(g, 0, QStringLiteral("Poteri_AKB"), QStringLiteral("Потери на заряд-разряд АБ, %:"));
    numberRow(g, 1, QStringLiteral("GlubRazryad_AKB"), QStringLiteral("Глубина разряда АБ, %:"));
    listRow(g, 2, QStringLiteral("DefTipAKB_Ctrl"),
            QStringLiteral("Тип аккумуляторов АБ по умолчанию:"));
    g->addWidget(checkBox(QStringLiteral("SutCikl"),
                          QStringLiteral("Суточный цикл работы солнечной электростанции")),
                 3, 0, 1, 3);
    numberRow(g, 4, QStringLiteral("KolHourWithoutSun"),
              QStringLiteral("Максимальное число последовательных \"часов без солнца\":"));
    left->addLayout(g);

    auto* charge = group(QStringLiteral(" Соотношение между током заряда АБ (от контроллера) и "
                                        "допустимыми токами её заряда "));
    auto* cv = new QVBoxLayout(charge);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Ток заряда АБ (от контроллера), А: от ")));
    row->addWidget(numberField(QStringLiteral("Kzar_min")));
    row->addWidget(stepsOf(QStringLiteral("Kzar_min")));
    row->addWidget(new QLabel(QStringLiteral("х")));
    row->addWidget(list(QStringLiteral("Izar_min")));
    row->addSpacing(8);
    row->addWidget(new QLabel(QStringLiteral("до")));
    row->addWidget(numberField(QStringLiteral("Kzar_max")));
    row->addWidget(stepsOf(QStringLiteral("Kzar_max")));
    row->addWidget(new QLabel(QStringLiteral("х")));
    row->addWidget(list(QStringLiteral("Izar_max")));
    row->addStretch(1);
    cv->addLayout(row);
    cv->addWidget(note(QStringLiteral("где  Iз.мин. - минимальный паспортный ток заряда АБ, А.")));
    QLabel* second = note(QStringLiteral("Iз.макс. - максимальный паспортный ток заряда АБ, А."));
    second->setIndent(QFontMetrics(second->font()).horizontalAdvance(QStringLiteral("где  ")));
    cv->addWidget(second);
    left->addWidget(charge);

    // Each capacity bound reads as one sentence: caption, factor, current and its note.
    const struct {
        const char* column;
        QString title, current, where;
    } capacity[] = {
        {"Krazr_pik", QStringLiteral(" Соотношение между емкостью АБ и пиковым током нагрузки  "),
         QStringLiteral("* Iпик.нагр.,"),
         QStringLiteral("где Iпик.нагр. - пиковый ток нагрузки, А.")},
        {"Krazr_nom",
         QStringLiteral(" Соотношение между емкостью АБ и номинальным током нагрузки "),
         QStringLiteral("* Iном.нагр.,"),
         QStringLiteral("где Iном.нагр. - номинальный ток нагрузки, А.")},
        {"Krazr_max",
         QStringLiteral(" Соотношение между емкостью АБ и максимальным током нагрузки "),
         QStringLiteral("* Iмакс.нагр.,"),
         QStringLiteral("где Iмакс.нагр. - максимальный ток нагрузки, А.")},
    };
    for (const auto& c : capacity) {
        auto* box = group(c.title);
        auto* r = new QHBoxLayout(box);
        r->addWidget(new QLabel(QStringLiteral("Емкость АБ, А: не менее")));
        r->addWidget(numberField(QString::fromLatin1(c.column)));
        r->addWidget(stepsOf(QString::fromLatin1(c.column)));
        r->addWidget(new QLabel(c.current));
        r->addWidget(note(c.where));
        r->addStretch(1);
        left->addWidget(box);
    }
    left->addStretch(1);
    h->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    auto* roomCaption = new QLabel(QStringLiteral("Помещение размещения АБ:"));
    right->addWidget(roomCaption);
    auto* roomRow = new QHBoxLayout;
    auto* room = new QLineEdit;
    room->setMaxLength(50); // Pom_AKB is text(50)
    room->setObjectName(QStringLiteral("Pom_AKB"));
    room->setMinimumWidth(320);
    roomCaption->setBuddy(room);
    {
        Control& c = m_controls[QStringLiteral("Pom_AKB")];
        c.def = &paramDef(QStringLiteral("Pom_AKB"));
        c.widget = room;
    }
    roomRow->addWidget(room, 1);
    m_chooseRoom = new QPushButton(QStringLiteral("Выбор..."));
    m_chooseRoom->setAutoDefault(false);
    connect(m_chooseRoom, &QPushButton::clicked, this, [this] { chooseRoom(); });
    roomRow->addWidget(m_chooseRoom);
    right->addLayout(roomRow);
    right->addSpacing(6);
    right->addWidget(new QLabel(QStringLiteral("Температура эксплуатации АБ, град.")));
    m_tempGrid = monthGrid({QStringLiteral("Месяц"), QStringLiteral("Т, град.")});
    right->addWidget(m_tempGrid, 0, Qt::AlignLeft);
    right->addStretch(1);
    h->addLayout(right);
    return page;
}

QWidget* TVarForm::buildCableTab() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* upper = new QHBoxLayout;

    auto* drops = group(QStringLiteral(" Допустимые падения напряжения в кабелях (проводах) "));
    auto* dg = new QGridLayout(drops);
    numberRow(dg, 0, QStringLiteral("DU_KL_Mas_Ctrl"),
              QStringLiteral("Кабельный контур \"массив СП - контроллер\", %:"));
    numberRow(dg, 1, QStringLiteral("DU_KL_Ctrl_AKB"),
              QStringLiteral("Кабельный контур \"контроллер - АБ\", %:"));
    numberRow(dg, 2, QStringLiteral("DU_KL_AKB_Inv"),
              QStringLiteral("Кабельный контур \"АБ - инвертор\", %:"));
    numberRow(dg, 3, QStringLiteral("DU_KL_AKB_Output"),
              QStringLiteral("Кабельный контур \"АБ - потребители постоянного напряжения\", %:"));
    dg->addWidget(note(QStringLiteral("(рекомендуется для PWM-контроллеров - 5 %, для "
                                      "МРРТ-контроллеров - 2%)")),
                  4, 0, 1, 4);
    upper->addWidget(drops);

    auto* choice = group(QStringLiteral(" Выбор кабеля для контура \"АБ - инвертор\" "));
    auto* cg = new QGridLayout(choice);
    listRow(cg, 0, QStringLiteral("Sel_Tbl_AKB_Inv"), QStringLiteral("по таблице:"));
    listRow(cg, 1, QStringLiteral("Sel_KL_AKB_Inv"), QStringLiteral("по току:"));
    cg->setRowStretch(2, 1);
    upper->addWidget(choice, 1);
    v->addLayout(upper);

    auto* laying = group(QStringLiteral(" Способы прокладки и длины кабелей (проводов), принятые "
                                        "по умолчанию "));
    auto* lg = new QGridLayout(laying);
    const struct {
        const char* suffix;
        QString title;
    } circuits[] = {
        {"Mas_Ctrl", QStringLiteral(" Кабельный контур \"массив СП - контроллер\" ")},
        {"Ctrl_AKB", QStringLiteral(" Кабельный контур \"контроллер - АБ\" ")},
        {"AKB_Inv", QStringLiteral(" Кабельный контур \"АБ - инвертор\" ")},
        {"AKB_Output",
         QStringLiteral(" Кабельный контур \"АБ - потребители постоянного напряжения\" ")},
    };
    for (int i = 0; i < 4; ++i) {
        auto* box = group(circuits[i].title);
        auto* g = new QGridLayout(box);
        listRow(g, 0, QStringLiteral("Spos_KL_") + QLatin1String(circuits[i].suffix),
                QStringLiteral("Способ прокладки:"));
        numberRow(g, 1, QStringLiteral("L_KL_") + QLatin1String(circuits[i].suffix),
                  QStringLiteral("Длина, м:"));
        lg->addWidget(box, i / 2, i % 2);
    }
    v->addWidget(laying);
    v->addStretch(1);
    return page;
}

QWidget* TVarForm::buildProtectionPage(const QString& prefix, bool fuses) {
    const QString devices = fuses ? QStringLiteral(" Предохранители в ")
                                  : QStringLiteral(" Автоматические выключатели в ");
    const QString basis = fuses ? QStringLiteral("предохранителя") : QStringLiteral("автомата");
    const QString kzap = QStringLiteral("Kzap_") + prefix + u'_';
    const QString par = QStringLiteral("Par_") + prefix + u'_';
    const auto factors = [this](QGridLayout* g, int row, const QString& column) {
        numberRow(g, row, column + QStringLiteral("_I"),
                  QStringLiteral("Коэффициент запаса по току:"));
        numberRow(g, row + 1, column + QStringLiteral("_U"),
                  QStringLiteral("Коэффициент запаса по напряжению:"));
    };
    const auto box = [&devices](const QString& where, QGridLayout*& g) {
        auto* b = group(devices + where + u' ');
        g = new QGridLayout(b);
        return b;
    };

    auto* page = new QWidget;
    auto* h = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    QGridLayout* g = nullptr;

    left->addWidget(box(QStringLiteral("отдельных сборках солнечных панелей"), g));
    factors(g, 0, kzap + QStringLiteral("Vetv"));
    left->addWidget(box(QStringLiteral("контурах \"Массив СП - контроллер\""), g));
    factors(g, 0, kzap + QStringLiteral("Mas"));
    left->addWidget(box(QStringLiteral("контурах \"Контроллер - АБ\""), g));
    factors(g, 0, kzap + QStringLiteral("AKB"));
    auto* multi = new QLabel(QStringLiteral("При наличии более 1 контроллера выбор ") + basis +
                             QStringLiteral(" выполнять:"));
    g->addWidget(multi, 2, 0, 1, 4);
    g->addWidget(list(par + QStringLiteral("Ctrl_AKB"), multi), 3, 0, 1, 4, Qt::AlignLeft);
    left->addStretch(1);

    const QString choose = QStringLiteral("Выбор ") + basis + QStringLiteral(" выполнять:");
    right->addWidget(box(QStringLiteral("контурах \"АБ - инвертор\""), g));
    listRow(g, 0, par + QStringLiteral("AKB_Inv"), choose);
    factors(g, 1, kzap + QStringLiteral("Inv"));
    right->addWidget(
        box(QStringLiteral("контурах \"АБ - потребители постоянного напряжения\""), g));
    listRow(g, 0, par + QStringLiteral("AKB_Output"), choose);
    factors(g, 1, kzap + QStringLiteral("AKB_Output"));
    right->addStretch(1);

    h->addLayout(left, 1);
    h->addLayout(right, 1);
    return page;
}

QWidget* TVarForm::buildProtectionTab() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* g = new QGridLayout;
    numberRow(g, 0, QStringLiteral("MaxKolSborNotProt"),
              QStringLiteral("Устанавливать аппараты защиты в цепях сборок солнечных панелей при "
                             "количестве сборок в массиве более, шт.:"));
    v->addLayout(g);
    m_protectionTabs = new QTabWidget;
    m_protectionTabs->addTab(buildProtectionPage(QStringLiteral("AV"), false),
                             QStringLiteral(" Автоматические выключатели "));
    m_protectionTabs->addTab(buildProtectionPage(QStringLiteral("Pr"), true),
                             QStringLiteral(" Предохранители "));
    v->addWidget(m_protectionTabs, 1);
    return page;
}

// ---------------------------------------------------------------- values

QWidget* TVarForm::control(const QString& column) const {
    const auto it = m_controls.find(column);
    return it == m_controls.end() ? nullptr : it->second.widget;
}

const std::vector<StepButtons*>& TVarForm::stepButtons(const QString& column) const {
    return m_controls.at(column).steps;
}

VariantParams TVarForm::values() const {
    VariantParams p;
    p.name = m_name->text();
    for (const auto& [column, c] : m_controls) {
        switch (c.def->kind) {
        case ParamKind::Number:
        case ParamKind::Whole:
        case ParamKind::Text:
            p.set(column, static_cast<QLineEdit*>(c.widget)->text());
            break;
        case ParamKind::Check:
            p.setOn(column, static_cast<QCheckBox*>(c.widget)->isChecked());
            break;
        case ParamKind::TextList: {
            auto* box = static_cast<QComboBox*>(c.widget);
            p.set(column, box->currentIndex() < 0 ? QString() : box->currentText());
            break;
        }
        case ParamKind::IndexList:
            p.setIndex(column, static_cast<QComboBox*>(c.widget)->currentIndex());
            break;
        case ParamKind::Options:
            p.setIndex(column, m_paramNagr->checkedId());
            break;
        }
    }
    if (!m_dayGrid || !m_tempGrid)
        return p;
    for (int r = 0; r < 12; ++r) {
        MonthRow& m = p.months[r];
        m.month = m_dayGrid->cell(0, r + 1);
        m.sunrise = m_dayGrid->cell(1, r + 1);
        m.sunset = m_dayGrid->cell(2, r + 1);
        m.temperature = m_tempGrid->cell(1, r + 1);
    }
    return p;
}

void TVarForm::setValues(const VariantParams& p) {
    m_name->setText(p.name);
    // The system voltage first: its change rebuilds the array voltages.
    std::vector<const ParamDef*> order;
    order.push_back(&paramDef(kUses));
    for (const ParamDef& d : variantParamTable())
        if (d.column != kUses)
            order.push_back(&d);
    for (const ParamDef* d : order) {
        QWidget* w = control(d->column);
        const QString text = p.text(d->column);
        switch (d->kind) {
        case ParamKind::Number:
        case ParamKind::Whole:
        case ParamKind::Text: {
            auto* line = static_cast<QLineEdit*>(w);
            line->setText(text);
            line->setCursorPosition(0); // a long room name shows its beginning
            break;
        }
        case ParamKind::Check:
            static_cast<QCheckBox*>(w)->setChecked(p.isOn(d->column));
            break;
        case ParamKind::TextList: {
            auto* box = static_cast<QComboBox*>(w);
            // The region and the array voltage take their first entry when none is given.
            const bool first = text.isEmpty() && (d->column == kRegion || d->column == kUmppt);
            box->setCurrentIndex(
                first ? (box->count() > 0 ? 0 : -1)
                      : box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
            break;
        }
        case ParamKind::IndexList: {
            auto* box = static_cast<QComboBox*>(w);
            const int i = p.index(d->column);
            box->setCurrentIndex(i >= 0 && i < box->count() ? i : -1);
            break;
        }
        case ParamKind::Options: {
            QAbstractButton* b = m_paramNagr->button(p.index(d->column));
            if (b) {
                b->setChecked(true);
            } else {
                m_paramNagr->setExclusive(false);
                for (QAbstractButton* o : m_paramNagr->buttons())
                    o->setChecked(false);
                m_paramNagr->setExclusive(true);
            }
            break;
        }
        }
    }
    for (int r = 0; r < 12; ++r) {
        m_dayGrid->setCell(1, r + 1, p.months[r].sunrise);
        m_dayGrid->setCell(2, r + 1, p.months[r].sunset);
        m_tempGrid->setCell(1, r + 1, p.months[r].temperature);
    }
    applyEnablings();
}

void TVarForm::fillRegions() {
    auto* box = static_cast<QComboBox*>(control(kRegion));
    View& regions = m_dm.tbl(QStringLiteral("region0"));
    const int column = regions.table().columnIndex(QStringLiteral("Region"));
    QStringList names;
    for (int r = 0; r < regions.recordCount(); ++r)
        names << regions.valueAt(r, column).toString();
    box->clear();
    box->addItems(names);
}

void TVarForm::rebuildUmppt(const QString& select) {
    auto* box = static_cast<QComboBox*>(control(kUmppt));
    const auto uses = parseInteger(static_cast<QComboBox*>(control(kUses))->currentText());
    box->clear();
    box->addItems(umpptEntries(uses.value_or(0)));
    box->setCurrentIndex(select.isEmpty() ? (box->count() > 0 ? 0 : -1) : box->findText(select));
}

void TVarForm::applyEnablings() {
    if (!m_dayGrid || !m_tempGrid)
        return; // still being built
    const VariantParams p = values();
    for (const auto& [column, c] : m_controls) {
        if (!c.def->enabler)
            continue;
        const bool on = paramEnabled(p, column);
        c.widget->setEnabled(on);
        for (QWidget* w : c.companions)
            w->setEnabled(on);
    }
}

void TVarForm::fill(const VariantParams& p) {
    fillRegions();
    setValues(p);
    m_tabs->setCurrentIndex(0);
    m_protectionTabs->setCurrentIndex(0);
}

void TVarForm::setLayoutKind(Layout layout) {
    m_layout = layout;
    const bool variant = layout == Layout::Variant;
    setWindowTitle(variant ? windowInfo(QStringLiteral("TVarForm")).caption : kDefaultCaption);
    for (QWidget* w : std::initializer_list<QWidget*>{m_nameCaption, m_name, m_defaults, m_export})
        w->setVisible(variant);
}

// ---------------------------------------------------------------- operations

bool TVarForm::runLayout(Layout layout, const VariantParams& p,
                         std::function<bool(const VariantParams&)> save) {
    setLayoutKind(layout);
    fill(p);
    m_save = std::move(save);
    if (layout == Layout::Variant) {
        m_name->setFocus();
        m_name->selectAll();
    }
    const bool saved = exec() == QDialog::Accepted;
    m_save = {};
    m_editing = false;
    return saved;
}

VariantParams TVarForm::paramsForAdding() {
    VariantParams p = defaultVariantParams(m_dm);
    p.name = proposedVariantName(m_dm.tblProj1().recordCount());
    p.set(kRegion, QString()); // a new variant starts on the region list's first entry
    return p;
}

bool TVarForm::runAdd() {
    if (m_dm.tblProj0().isEmpty())
        return false;
    m_editing = false;
    return runLayout(Layout::Variant, paramsForAdding(),
                     [this](const VariantParams& p) { return addVariant(m_dm, p); });
}

bool TVarForm::runEdit() {
    if (m_dm.tblProj1().isEmpty())
        return false;
    m_editing = true;
    return runLayout(Layout::Variant, currentVariantParams(m_dm),
                     [this](const VariantParams& p) { return editVariant(m_dm, p); });
}

bool TVarForm::runDefault() {
    m_editing = false;
    return runLayout(Layout::Default, defaultVariantParams(m_dm),
                     [this](const VariantParams& p) { return saveDefaultVariant(m_dm, p); });
}

void TVarForm::loadForTour(Layout layout) {
    // The variant layout shows the current variant as "Параметры варианта" opens it (a new one
    // while there is none); the default layout the default variant.
    setLayoutKind(layout);
    m_editing = layout == Layout::Variant && !m_dm.tblProj1().isEmpty();
    if (layout == Layout::Default)
        fill(defaultVariantParams(m_dm));
    else
        fill(m_editing ? currentVariantParams(m_dm) : paramsForAdding());
}

void TVarForm::loadDefaults() {
    VariantParams p = defaultVariantParams(m_dm);
    p.name = m_name->text();
    setValues(p);
}

void TVarForm::loadDayLightDefaults() {
    VariantParams p = factoryParams();
    fillDayLight(m_dm, p);
    for (int r = 0; r < 12; ++r) {
        m_dayGrid->setCell(1, r + 1, p.months[r].sunrise);
        m_dayGrid->setCell(2, r + 1, p.months[r].sunset);
    }
}

void TVarForm::chooseRoom() {
    if (!m_roomChooser)
        return;
    auto* room = static_cast<QLineEdit*>(control(QStringLiteral("Pom_AKB")));
    const std::optional<RoomChoice> choice = m_roomChooser(room->text());
    if (!choice)
        return;
    room->setText(choice->room);
    room->setCursorPosition(0);
    for (int r = 0; r < 12; ++r)
        m_tempGrid->setCell(1, r + 1,
                            r < int(choice->temperatures.size())
                                ? numberToText(choice->temperatures[r])
                                : QString());
}

void TVarForm::writeReport(ReportWriter& w) const {
    writeVariantReport(w, values());
}

void TVarForm::exportReport() {
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

// ---------------------------------------------------------------- "ОК"

CheckContext TVarForm::checkContext() const {
    CheckContext c;
    c.checkName = m_layout == Layout::Variant;
    // The battery and the DC consumers belong to the variant being edited; a new variant or the
    // default one has neither.
    if (m_editing)
        c.batteryUnom = chosenBatteryUnom(m_dm);
    return c;
}

void TVarForm::reveal(QWidget* w) {
    // Bring forward every tab page (the protection pages included) that holds the widget.
    for (QWidget* page = w; page; page = page->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs)
            tabs->setCurrentWidget(page);
    }
}

void TVarForm::focusError(const ParamError& e) {
    if (e.grid >= 0) {
        StringGrid* grid = e.grid == 0 ? m_dayGrid : m_tempGrid;
        reveal(grid);
        grid->setCurrentCell(e.row, e.col);
        grid->setFocus(Qt::OtherFocusReason);
        return;
    }
    QWidget* w = e.column == QLatin1String("VarName") ? m_name : control(e.column);
    if (!w)
        return;
    // A disabled field is reached through the control that enables it.
    const auto it = m_controls.find(e.column);
    if (!w->isEnabled() && it != m_controls.end() && it->second.def->enabler)
        w = control(it->second.def->enabler->column);
    reveal(w);
    w->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(w))
        line->selectAll();
}

void TVarForm::commitGridEdits() {
    // A cell being typed into keeps its text in the editor until it is committed.
    for (StringGrid* g : {m_dayGrid, m_tempGrid})
        if (QWidget* editor = g->indexWidget(g->currentIndex())) {
            emit g->itemDelegate()->commitData(editor);
            emit g->itemDelegate()->closeEditor(editor);
        }
}

bool TVarForm::checkValues() {
    commitGridEdits();
    const VariantParams p = values();
    if (const auto e = checkParams(p, checkContext())) {
        m_prompter.error(e->message);
        focusError(*e);
        return false;
    }
    if (m_editing && !m_dm.tbl(QStringLiteral("proj_graf12_0")).isEmpty())
        if (const auto notice = dcVoltageNotice(p.text(kUses), dcConsumerVoltages(m_dm)))
            m_prompter.information(*notice);
    return true;
}

void TVarForm::accept() {
    if (!checkValues())
        return;
    if (m_save && !m_save(values()))
        return;
    QDialog::accept();
}

} // namespace ses
