#include "app/ui/main_form.h"

#include "app/battery_choice.h"
#include "app/recalc.h"
#include "app/ui/about_form.h"
#include "app/ui/com_par_var_form.h"
#include "app/ui/field_panel.h"
#include "app/ui/open_form.h"
#include "app/ui/param_form.h"
#include "app/ui/proj_form.h"
#include "app/ui/var_form.h"
#include "lib/entry.h"
#include "load/ui/chart_viewers.h"
#include "load/ui/dsp_nagr_form.h"
#include "load/ui/ep_chooser.h"
#include "load/ui/nagr_dop_form.h"
#include "load/ui/s_sut_ep_form.h"
#include "load/ui/s_sut_form.h"
#include "refbooks/catalog_form.h"
#include "refbooks/temp_ab_form.h"
#include "reports/scheme_store.h"
#include "reports/ui/com_shem_form.h"
#include "reports/ui/com_spec_form.h"
#include "reports/ui/scheme_view.h"
#include "reports/ui/shema_form.h"
#include "reports/ui/spec_form.h"
#include "reports/ui/test_var_form.h"
#include "reports/ui/view_sp_form.h"
#include "solar/sizing_store.h"
#include "solar/ui/anal_sb_form.h"
#include "solar/ui/control_form.h"
#include "solar/ui/kproiz_form.h"
#include "solar/ui/sel_sp_form.h"
#include "solar/ui/spr_k_form.h"
#include "solar/ui/sun_day_form.h"
#include "solar/ui/vurab_form.h"
#include "storage/ui/akb_form.h"
#include "storage/ui/anal_akb_form.h"
#include "storage/ui/anal_inv_form.h"
#include "storage/ui/inv_form.h"
#include "storage/ui/kabel_form.h"
#include "storage/ui/prot_form.h"
#include "storage/ui/view_akb_form.h"
#include "widgets/bound_grid.h"
#include "widgets/help_viewer.h"
#include "widgets/look.h"
#include "widgets/number_field.h"
#include "widgets/step_buttons.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

namespace ses {

namespace {

// A grid under its title, as every tab page lists its tables. The grid's name column takes the
// spare width.
QWidget* titledGrid(const QString& title, BoundGrid* grid, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* l = new QVBoxLayout(box);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(2);
    auto* label = new QLabel(title, box);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    l->addWidget(label);
    l->addWidget(grid, 1);
    // Two rows under the header at the least, so that the main window fits a 1366 x 768 screen.
    grid->setMinimumHeight(grid->horizontalHeader()->sizeHint().height() +
                           2 * grid->verticalHeader()->defaultSectionSize() +
                           2 * grid->frameWidth());
    return box;
}

QWidget* noteBox(const QString& text, QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("Примечание."), parent);
    auto* l = new QVBoxLayout(box);
    auto* note = new QPlainTextEdit(text, box);
    note->setReadOnly(true);
    note->setFrameShape(QFrame::NoFrame);
    note->setMaximumHeight(96);
    // Two lines at the least; a longer note scrolls when the window is small.
    note->setMinimumHeight(2 * note->fontMetrics().lineSpacing() +
                           2 * int(note->document()->documentMargin()) + 2 * note->frameWidth());
    QPalette p = note->palette();
    p.setColor(QPalette::Base, box->palette().color(QPalette::Window));
    note->setPalette(p);
    l->addWidget(note);
    return box;
}

QWidget* page(QWidget* parent, std::initializer_list<std::pair<QWidget*, int>> parts) {
    auto* w = new QWidget(parent);
    auto* l = new QVBoxLayout(w);
    l->setContentsMargins(6, 6, 6, 6);
    for (const auto& [part, stretch] : parts)
        l->addWidget(part, stretch);
    return w;
}

// The tool bar repeats the menu commands under shorter names; the full text is their hint.
QString toolText(Command c) {
    switch (c) {
    case Command::VarAdd:
        return QStringLiteral("Добавить вариант");
    case Command::VarEdit:
        return QStringLiteral("Параметры варианта");
    case Command::LoadAc:
        return QStringLiteral("Нагрузки ~");
    case Command::LoadDc:
        return QStringLiteral("Нагрузки =");
    case Command::VarTest:
        return QStringLiteral("Тест");
    case Command::InvSelect:
        return QStringLiteral("Инверторы");
    case Command::SbSelect:
        return QStringLiteral("Солнечная батарея");
    case Command::CtrlSelect:
        return QStringLiteral("Контроллеры");
    case Command::AkbSelect:
        return QStringLiteral("АБ");
    case Command::AkbScheme:
        return QStringLiteral("Схема АБ");
    case Command::CableSelect:
        return QStringLiteral("Кабели");
    case Command::BreakerSelect:
        return QStringLiteral("Автоматы");
    case Command::FuseSelect:
        return QStringLiteral("Предохранители");
    default:
        return {};
    }
}

} // namespace

class TMainForm::Progress : public ProgressSink {
public:
    explicit Progress(QProgressBar* bar) : m_bar(bar) {}
    void start(int maximum) override {
        m_bar->setRange(0, maximum);
        m_bar->setValue(0);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_cursor = true;
    }
    void step() override {
        m_bar->setValue(std::min(m_bar->value() + 1, m_bar->maximum()));
        m_bar->repaint();
    }
    void finish() override {
        m_bar->setValue(m_bar->maximum());
        m_bar->setValue(0);
        if (m_cursor)
            QApplication::restoreOverrideCursor();
        m_cursor = false;
    }

private:
    QProgressBar* m_bar;
    bool m_cursor = false;
};

bool TMainForm::commandAvailable(Command c) {
    switch (c) {
    case Command::ProjCreate:
    case Command::ProjOpen:
    case Command::ProjEdit:
    case Command::ProjDelete:
    case Command::ProjSaveAs:
    case Command::VarAdd:
    case Command::VarEdit:
    case Command::VarDelete:
    case Command::VarSaveAs:
    case Command::DefaultVariant:
    case Command::LoadAc:
    case Command::LoadDc:
    case Command::LoadMonthly:
    case Command::InvAnalysis:
    case Command::InvSelect:
    case Command::SbCoefficients:
    case Command::SbSelect:
    case Command::CtrlSelect:
    case Command::AkbAnalysis:
    case Command::AkbSelect:
    case Command::AkbScheme:
    case Command::VarScheme:
    case Command::VarGeneration:
    case Command::VarTest:
    case Command::SbAnalysis:
    case Command::SbScheme:
    case Command::CompareSchemes:
    case Command::CompareSpecs:
    case Command::CompareParams:
    case Command::VarSpec:
    case Command::CableSelect:
    case Command::BreakerSelect:
    case Command::FuseSelect:
    case Command::RefLossCoefficients:
    case Command::RefDaylight:
    case Command::RefBatteryRooms:
    case Command::Settings:
    case Command::RefInverters:
    case Command::RefInvChargers:
    case Command::RefBatteries:
    case Command::RefPanels:
    case Command::RefControllers:
    case Command::RefWires:
    case Command::RefInvCables:
    case Command::RefBreakers:
    case Command::RefFuses:
    case Command::RefJumpers:
    case Command::RefConnectors:
    case Command::RefRegions:
    case Command::RefTempCoefficients:
    case Command::RefChargeVoltages:
    case Command::RefSchedules:
    case Command::RefAcSchedules:
    case Command::RefDcSchedules:
    case Command::RefAcConsumers:
    case Command::RefDcConsumers:
    case Command::Help:
    case Command::About:
    case Command::Exit:
        return true;
    default:
        return false;
    }
}

TMainForm::TMainForm(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), m_dm(dm), m_prompter(prompter), m_shell(dm, prompter) {
    setObjectName(QStringLiteral("TMainForm"));
    buildMenus();
    buildCentre();
    statusBar()->showMessage(QString());
    installHelpKey(this, 0);
    m_variantListener = m_dm.tblProj1().addListener([this](View&, View::Change c) {
        if (c != View::Change::State)
            onVariantChanged();
    });
    m_projectListener = m_dm.tblProj0().addListener([this](View&, View::Change) { setCaption(); });
    refreshAll();
}

TMainForm::~TMainForm() {
    m_dm.tblProj1().removeListener(m_variantListener);
    m_dm.tblProj0().removeListener(m_projectListener);
}

QAction* TMainForm::action(Command c) const {
    const auto it = m_actions.find(c);
    return it == m_actions.end() ? nullptr : it->second;
}

void TMainForm::buildMenus() {
    auto* tools = addToolBar(QStringLiteral("Команды"));
    tools->setObjectName(QStringLiteral("commands"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    Menu lastToolMenu = Menu::Project;
    for (const CommandDef& d : commandTable()) {
        if (!commandAvailable(d.id))
            continue;
        auto* a = new QAction(d.text, this);
        if (const QString shortText = toolText(d.id); !shortText.isEmpty())
            a->setIconText(shortText);
        a->setStatusTip(QString(d.text).remove(QStringLiteral("...")));
        a->setToolTip(QString(d.text).remove(QStringLiteral("...")));
        connect(a, &QAction::triggered, this, [this, id = d.id] { run(id); });
        m_actions[d.id] = a;
        if (d.menu == Menu::ExitMenu) {
            menuBar()->addAction(a);
        } else {
            QMenu*& menu = m_menus[d.menu];
            if (!menu)
                menu = menuBar()->addMenu(menuTitle(d.menu));
            menu->addAction(a);
        }
        if (d.toolBar) {
            if (d.menu != lastToolMenu && !tools->actions().isEmpty())
                tools->addSeparator();
            lastToolMenu = d.menu;
            tools->addAction(a);
        }
    }
    action(Command::Help)->setShortcut(QKeySequence(Qt::Key_F1));
    action(Command::AkbSelect)->setToolTip(QStringLiteral("Выбор аккумуляторной батареи системы"));
    action(Command::AkbScheme)
        ->setToolTip(QStringLiteral("Просмотр схемы (токов, перемычек) аккумуляторной батареи"));
    action(Command::CableSelect)->setToolTip(QStringLiteral("Выбор кабелей и проводов системы"));
    action(Command::VarTest)->setToolTip(QStringLiteral("Тестирование текущего варианта расчета"));
    action(Command::VarTest)
        ->setStatusTip(QStringLiteral("Тестирование текущего варианта расчета"));
    tools->addSeparator();
    auto* processLabel = new QLabel(QStringLiteral(" Процесс: "), tools);
    tools->addWidget(processLabel);
    m_progressBar = new QProgressBar(tools);
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);
    m_progressBar->setFixedWidth(220);
    tools->addWidget(m_progressBar);
    m_progress = std::make_unique<Progress>(m_progressBar);
}

void TMainForm::buildCentre() {
    View& variant = m_dm.tblProj1();
    View& loads = m_dm.tblProj_Inv();
    View& arrays = m_dm.tblProj_Mas();
    View& schedules = m_dm.tbl(QStringLiteral("proj_graf0"));
    View& dcSchedules = m_dm.tbl(QStringLiteral("proj_graf12_0"));

    // Left: the variants of the current project.
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(4, 4, 4, 4);
    auto* leftTitle = new QLabel(QStringLiteral("Варианты расчета"), left);
    QFont bold = leftTitle->font();
    bold.setBold(true);
    leftTitle->setFont(bold);
    m_variantList = new BoundGrid(
        variant, {{QStringLiteral("VarName"), QStringLiteral("Вариант расчета"), true, 0}}, left);
    leftLayout->addWidget(leftTitle);
    leftLayout->addWidget(m_variantList, 1);

    // Centre: the tabs.
    m_tabs = new QTabWidget(this);
    const std::vector<GridColumn> scheduleColumns = {
        {QStringLiteral("SutGrafName"), QStringLiteral("Суточный график"), true, 150, true},
        {QStringLiteral("MonthName1"), QStringLiteral("Месяц (от)"), true, 80},
        {QStringLiteral("MonthName2"), QStringLiteral("Месяц (до)"), true, 80},
        {QStringLiteral("Wp_sut"), QStringLiteral("Wсут., Вт*ч"), true, 80},
        {QStringLiteral("Pnom30min"), QStringLiteral("Pном., Вт"), true, 70},
        {QStringLiteral("Pmax10min"), QStringLiteral("Pмакс., Вт"), true, 70},
        {QStringLiteral("Wp_pik"), QStringLiteral("Рпик., Вт"), true, 70}};
    std::vector<GridColumn> acScheduleColumns = scheduleColumns;
    acScheduleColumns.push_back(
        {QStringLiteral("ClearSinus"), QStringLiteral("Чистый синус"), true, 0});
    m_tabs->addTab(
        page(
            m_tabs,
            {{titledGrid(
                  QStringLiteral("Нагрузки переменного напряжения."),
                  new BoundGrid(
                      loads,
                      {{QStringLiteral("Nagr_Name"), QStringLiteral("Наименование нагрузки"), true,
                        200, true},
                       {QStringLiteral("Pnom30min"), QStringLiteral("Pном., Вт"), true, 70},
                       {QStringLiteral("Pmax10min"), QStringLiteral("Pмакс., Вт"), true, 70},
                       {QStringLiteral("Ppik"), QStringLiteral("Pпик., Вт"), true, 70},
                       {QStringLiteral("ClearSinus"), QStringLiteral("Чистый синус"), true, 0}},
                      m_tabs),
                  m_tabs),
              2},
             {titledGrid(QStringLiteral("Суточные графики нагрузки переменного напряжения."),
                         new BoundGrid(schedules, acScheduleColumns, m_tabs), m_tabs),
              2},
             {titledGrid(QStringLiteral("Суточные графики нагрузки постоянного напряжения."),
                         new BoundGrid(dcSchedules, scheduleColumns, m_tabs), m_tabs),
              2},
             {noteBox(QStringLiteral(
                          "Pном. - номинальная мощность (наибольшая мощность, длящаяся не менее "
                          "заданного времени), Pмакс. - максимальная мощность, Pпик. - пиковая "
                          "(пусковая, до 6 с) мощность, Wсут. - суточное потребление "
                          "электроэнергии. \"+\" в столбце \"Чистый синус\" означает, что нагрузке "
                          "нужен инвертор с синусоидальным выходным напряжением. Суточные графики "
                          "показаны для нагрузки, выделенной в верхней таблице."),
                      m_tabs),
              0}}),
        QStringLiteral("Нагрузка"));

    m_tabs->addTab(
        page(
            m_tabs,
            {{titledGrid(
                  QStringLiteral("Параметры инверторов."),
                  new BoundGrid(
                      loads,
                      {{QStringLiteral("Nagr_Name"), QStringLiteral("Нагрузка"), true, 160, true},
                       {QStringLiteral("Company_Inv"), QStringLiteral("Компания"), true, 140},
                       {QStringLiteral("Name_Inv"), QStringLiteral("Тип"), true, 120},
                       {QStringLiteral("Pnom_Inv"), QStringLiteral("Рном, Вт"), true, 70},
                       {QStringLiteral("Pmax_Inv"), QStringLiteral("Рмакс, Вт"), true, 70},
                       {QStringLiteral("Ppik_Inv"), QStringLiteral("Рпик., Вт"), true, 70},
                       {QStringLiteral("Uvh_Inv"), QStringLiteral("Uвх., В"), true, 60},
                       {QStringLiteral("Uvuh_Inv"), QStringLiteral("Uвых., В"), true, 60},
                       {QStringLiteral("Forma_Inv"), QStringLiteral("Форма сигнала"), true, 100},
                       {QStringLiteral("Kpd_Inv"), QStringLiteral("КПД, о.е."), true, 70}},
                      m_tabs),
                  m_tabs),
              1},
             {noteBox(QStringLiteral("Для каждой нагрузки переменного напряжения показан выбранный "
                                     "инвертор: номинальная, максимальная и пиковая мощности, "
                                     "входное (напряжение АБ) и выходное напряжения, форма "
                                     "выходного сигнала и КПД в относительных единицах. Пустая "
                                     "строка означает, что инвертор еще не выбран."),
                      m_tabs),
              0}}),
        QStringLiteral(" Инвертор"));

    auto* sbFields =
        new FieldPanel(variant,
                       {{QStringLiteral("Pras_SP"), QStringLiteral("Требуемая мощность СБ, Вт:")},
                        {QStringLiteral("B"), QStringLiteral("Оптимальный угол наклона, град.:")},
                        {QStringLiteral("Company_SP"), QStringLiteral("Компания:")},
                        {QStringLiteral("Tip_SP"), QStringLiteral("Тип панели:")},
                        {QStringLiteral("Pnom_SP"), QStringLiteral("Wp панели, Вт:")},
                        {QStringLiteral("Unom_SP"), QStringLiteral("Uном. панели, В:")},
                        {QStringLiteral("Voc_SP"), QStringLiteral("Uxx, В:")},
                        {QStringLiteral("Isc_SP"), QStringLiteral("Iкз, А:")},
                        {QStringLiteral("Vmp_SP"), QStringLiteral("Up, В:")},
                        {QStringLiteral("Imp_SP"), QStringLiteral("Ip, А:")},
                        {QStringLiteral("S_SP"), QStringLiteral("S, мм:")},
                        {QStringLiteral("H_SP"), QStringLiteral("H, мм:")},
                        {QStringLiteral("KolTotal_SP"), QStringLiteral("Количество панелей, шт.:")},
                        {QStringLiteral("PTotal_SP"), QStringLiteral("Мощность СБ, Вт:")},
                        {QStringLiteral("ITotal_SP"), QStringLiteral("Ток СБ, А:")}},
                       3, m_tabs);
    m_sbWhy = new QLabel(m_tabs);
    m_sbWhy->setObjectName(QStringLiteral("sbGoverns"));
    m_sbShort = new QLabel(m_tabs);
    m_sbShort->setObjectName(QStringLiteral("sbShortfall"));
    showShortfall(m_sbShort, {});
    m_tabs->addTab(
        page(m_tabs,
             {{sbFields, 0},
              {m_sbWhy, 0},
              {m_sbShort, 0},
              {titledGrid(
                   QStringLiteral("Массивы солнечных панелей."),
                   new BoundGrid(
                       arrays,
                       {{QStringLiteral("NameMassive"), QStringLiteral("Массив"), true, 140, true},
                        {QStringLiteral("Ugol_Orient"), QStringLiteral("А, град."), true, 70},
                        {QStringLiteral("Ugol_Nakl"), QStringLiteral("В, град."), true, 70},
                        {QStringLiteral("Kproiz"), QStringLiteral("Kпр, о.е."), true, 70},
                        {QStringLiteral("KolMas"), QStringLiteral("Кол-во, шт."), true, 80},
                        {QStringLiteral("Pmas"), QStringLiteral("Pсп, Вт"), true, 70},
                        {QStringLiteral("Imas"), QStringLiteral("Iсп, А"), true, 70}},
                       m_tabs),
                   m_tabs),
               1},
              {noteBox(
                   QStringLiteral("Требуемая мощность и оптимальный угол наклона рассчитываются "
                                  "по нагрузке варианта. Uxx - напряжение холостого хода, Iкз - "
                                  "ток короткого замыкания, Up и Ip - напряжение и ток в рабочей "
                                  "точке панели. А - угол ориентации массива (180 - юг), В - угол "
                                  "наклона, Kпр - коэффициент производительности массива, Pсп и "
                                  "Iсп - мощность и ток массива."),
                   m_tabs),
               0}}),
        QStringLiteral(" СБ"));

    m_tabs->addTab(
        page(m_tabs,
             {{titledGrid(
                   QStringLiteral("Контроллеры заряда массивов солнечных панелей."),
                   new BoundGrid(
                       arrays,
                       {{QStringLiteral("NameMassive"), QStringLiteral("Массив"), true, 140, true},
                        {QStringLiteral("Company_Ctrl"), QStringLiteral("Компания"), true, 150},
                        {QStringLiteral("Tip_Ctrl"), QStringLiteral("Тип"), true, 120},
                        {QStringLiteral("Unom_Ctrl"), QStringLiteral("Uном, В"), true, 70},
                        {QStringLiteral("Inom_Ctrl"), QStringLiteral("Iмакс, А"), true, 70},
                        {QStringLiteral("Iakb_Ctrl"), QStringLiteral("Iаб, А"), true, 70}},
                       m_tabs),
                   m_tabs),
               1},
              {noteBox(QStringLiteral("Uном - номинальное напряжение АБ, на которое рассчитан "
                                      "контроллер, Iмакс - максимальный ток контроллера, Iаб - ток "
                                      "заряда АБ, который контроллер отдает от своего массива."),
                       m_tabs),
               0}}),
        QStringLiteral(" Контроллер"));

    auto* akbFields = new FieldPanel(
        variant,
        {{QStringLiteral("Cras_AKB"), QStringLiteral("Требуемая емкость АБ, А*ч:")},
         {QStringLiteral("Company_AKB"), QStringLiteral("Компания:")},
         {QStringLiteral("Tip_AKB"), QStringLiteral("Тип (технология):")},
         {QStringLiteral("Name_AKB"), QStringLiteral("Аккумулятор:")},
         {QStringLiteral("Unom_AKB"), QStringLiteral("Uном. аккумулятора, В:")},
         {QStringLiteral("Cnom_AKB"), QStringLiteral("Cном. аккумулятора, А*ч:")},
         {QStringLiteral("L_AKB"), QStringLiteral("L, мм:")},
         {QStringLiteral("S_AKB"), QStringLiteral("S, мм:")},
         {QStringLiteral("KolPosled_AKB"), QStringLiteral("Последовательно в цепи, шт.:")},
         {QStringLiteral("KolVetv_AKB"), QStringLiteral("Параллельных цепей, шт.:")},
         {QStringLiteral("Kol_AKB"), QStringLiteral("Всего аккумуляторов, шт.:")},
         {QStringLiteral("Cfakt_AKB"), QStringLiteral("Емкость АБ, А*ч:")},
         {QStringLiteral("Izar_min_AKB"), QStringLiteral("Iз.мин. аккумулятора, А:")},
         {QStringLiteral("Izar_max_AKB"), QStringLiteral("Iз.макс. аккумулятора, А:")},
         {QStringLiteral("Irazr_max_AKB"), QStringLiteral("Iр.макс. аккумулятора, А:")},
         {QStringLiteral("SIrazr_max_AKB"), QStringLiteral("Iр.макс. АБ, А:")},
         {QStringLiteral("SIzar_min_AKB"), QStringLiteral("Iз.мин. АБ, А:")},
         {QStringLiteral("SIzar_max_AKB"), QStringLiteral("Iз.макс. АБ, А:")},
         {QStringLiteral("SIzar_min_use_AKB"), QStringLiteral("Iз.мин. АБ по настройкам, А:")},
         {QStringLiteral("SIzar_max_use_AKB"), QStringLiteral("Iз.макс. АБ по настройкам, А:")},
         {QStringLiteral("SIzar_AKB"),
          QStringLiteral("Общий ток заряда АБ (на выходе контроллеров), А:")}},
        3, m_tabs);
    m_akbShort = new QLabel(m_tabs);
    m_akbShort->setObjectName(QStringLiteral("akbShortfall"));
    showShortfall(m_akbShort, {});
    m_tabs->addTab(
        page(m_tabs,
             {{akbFields, 0},
              {m_akbShort, 0},
              {new QWidget(m_tabs), 1},
              {noteBox(QStringLiteral("Iз.мин. и Iз.макс. - наименьший и наибольший токи "
                                      "заряда, Iр.макс. - наибольший ток разряда. Значения "
                                      "\"по настройкам\" учитывают коэффициенты окна "
                                      "зарядного тока из параметров варианта. Общий ток заряда "
                                      "АБ (на выходе контроллеров) - сумма токов, которые "
                                      "контроллеры всех массивов отдают в АБ."),
                       m_tabs),
               0}}),
        QStringLiteral(" АБ"));

    const auto cableGrid = [&](View& v, const QString& nameField, const QString& nameTitle,
                               bool withCount, const QString& suffix) {
        std::vector<GridColumn> cols = {
            {nameField, nameTitle, true, 140, true},
            {QStringLiteral("Sposob_kab") + suffix, QStringLiteral("Способ прокладки"), true, 200},
            {QStringLiteral("Lkab") + suffix, QStringLiteral("L, м"), true, 60},
            {QStringLiteral("Skab") + suffix, QStringLiteral("S, мм2"), true, 60}};
        if (withCount)
            cols.push_back({QStringLiteral("Nkab") + suffix, QStringLiteral("N, шт."), true, 50});
        cols.push_back({QStringLiteral("Ikab") + suffix, QStringLiteral("Iдоп., А"), true, 70});
        cols.push_back({QStringLiteral("DUkab") + suffix, QStringLiteral("dU, % "), true, 60});
        return new BoundGrid(v, cols, m_tabs);
    };
    auto* dcCable =
        new FieldPanel(variant,
                       {{QStringLiteral("Spos_KL_AKB_Output"), QStringLiteral("Способ прокладки:")},
                        {QStringLiteral("Lkab_akb"), QStringLiteral("L, м:")},
                        {QStringLiteral("Skab_akb"), QStringLiteral("S, мм2:")},
                        {QStringLiteral("Ikab_akb"), QStringLiteral("Iдоп., А:")},
                        {QStringLiteral("DUkab_akb"), QStringLiteral("dU, %:")}},
                       3, m_tabs);
    auto* dcCableBox = new QGroupBox(
        QStringLiteral("Провод \"АБ - потребители постоянного напряжения\"."), m_tabs);
    (new QVBoxLayout(dcCableBox))->addWidget(dcCable);
    m_tabs->addTab(
        page(
            m_tabs,
            {{titledGrid(QStringLiteral("Провода \"массив СП - контроллер\"."),
                         cableGrid(arrays, QStringLiteral("NameMassive"), QStringLiteral("Массив"),
                                   false, {}),
                         m_tabs),
              1},
             {titledGrid(QStringLiteral("Провода \"контроллер - АБ\"."),
                         cableGrid(arrays, QStringLiteral("NameMassive"), QStringLiteral("Массив"),
                                   false, QStringLiteral("_akb")),
                         m_tabs),
              1},
             {titledGrid(QStringLiteral("Провода \"АБ - инвертор\"."),
                         cableGrid(loads, QStringLiteral("Name_Inv"),
                                   QStringLiteral("Тип инвертора"), true, QStringLiteral("_inv")),
                         m_tabs),
              1},
             {dcCableBox, 0},
             {noteBox(QStringLiteral("L - длина провода (кабеля), S - сечение жилы, N - число "
                                     "параллельных кабелей, Iдоп. - длительно допустимый ток, dU - "
                                     "падение напряжения в процентах от номинального."),
                      m_tabs),
              0}}),
        QStringLiteral("Провода"));

    // Protection: breakers and fuses on their own sub-tabs.
    m_protectionTabs = new QTabWidget(m_tabs);
    const auto protectionPage = [&](bool fuses) {
        const QString kind = fuses ? QStringLiteral("Pr") : QStringLiteral("AV");
        const auto cols = [&](const QString& nameField, const QString& nameTitle,
                              const QString& suffix) {
            std::vector<GridColumn> c = {
                {nameField, nameTitle, true, 140, true},
                {QStringLiteral("Company_%1_%2").arg(kind, suffix), QStringLiteral("Компания"),
                 true, 150},
                {QStringLiteral("Tip_%1_%2").arg(kind, suffix), QStringLiteral("Тип"), true, 120}};
            if (fuses)
                c.push_back({QStringLiteral("Tip_Pr_Derzh_%1").arg(suffix),
                             QStringLiteral("Держатель"), true, 110});
            c.push_back({QStringLiteral("Inom_%1_%2").arg(kind, suffix), QStringLiteral("Iном., А"),
                         true, 70});
            c.push_back({QStringLiteral("Unom_%1_%2").arg(kind, suffix), QStringLiteral("Uном., В"),
                         true, 70});
            return c;
        };
        const auto fieldsOf = [&](const QString& suffix) {
            std::vector<PanelField> f = {
                {QStringLiteral("Company_%1_%2").arg(kind, suffix), QStringLiteral("Компания:")},
                {QStringLiteral("Tip_%1_%2").arg(kind, suffix), QStringLiteral("Тип:")}};
            if (fuses)
                f.push_back(
                    {QStringLiteral("Tip_Pr_Derzh_%1").arg(suffix), QStringLiteral("Держатель:")});
            f.push_back(
                {QStringLiteral("Inom_%1_%2").arg(kind, suffix), QStringLiteral("Iном., А:")});
            f.push_back(
                {QStringLiteral("Unom_%1_%2").arg(kind, suffix), QStringLiteral("Uном., В:")});
            return f;
        };
        const QString what =
            fuses ? QStringLiteral("Предохранитель") : QStringLiteral("Автоматический выключатель");
        auto* strings = new QGroupBox(what + QStringLiteral(" в цепях панелей (ветвей) массивов."),
                                      m_protectionTabs);
        (new QVBoxLayout(strings))
            ->addWidget(new FieldPanel(variant, fieldsOf(QStringLiteral("SP")), 3, strings));
        auto* dc = new QGroupBox(
            what + QStringLiteral(" в цепи \"АБ - потребители постоянного напряжения\"."),
            m_protectionTabs);
        (new QVBoxLayout(dc))
            ->addWidget(new FieldPanel(variant, fieldsOf(QStringLiteral("AKB")), 3, dc));
        const QString mas = QStringLiteral("mas");
        return page(
            m_protectionTabs,
            {{strings, 0},
             {titledGrid(
                  QStringLiteral("Цепи \"массив СП - контроллер\"."),
                  new BoundGrid(arrays,
                                cols(QStringLiteral("NameMassive"), QStringLiteral("Массив"), mas),
                                m_protectionTabs),
                  m_protectionTabs),
              1},
             {titledGrid(QStringLiteral("Цепи \"контроллер - АБ\"."),
                         new BoundGrid(arrays,
                                       cols(QStringLiteral("NameMassive"), QStringLiteral("Массив"),
                                            QStringLiteral("AKB")),
                                       m_protectionTabs),
                         m_protectionTabs),
              1},
             {titledGrid(QStringLiteral("Цепи \"АБ - инвертор\"."),
                         new BoundGrid(loads,
                                       cols(QStringLiteral("Name_Inv"),
                                            QStringLiteral("Тип инвертора"), QStringLiteral("Inv")),
                                       m_protectionTabs),
                         m_protectionTabs),
              1},
             {dc, 0}});
    };
    m_protectionTabs->addTab(protectionPage(false), QStringLiteral(" Автоматические выключатели"));
    m_protectionTabs->addTab(protectionPage(true), QStringLiteral(" Предохранители"));
    m_tabs->addTab(
        page(m_tabs, {{m_protectionTabs, 1},
                      {noteBox(QStringLiteral("Iном. - номинальный ток аппарата защиты "
                                              "(плавкой вставки), Uном. - его номинальное "
                                              "напряжение. Аппараты в цепях панелей "
                                              "ставятся, когда в массиве больше "
                                              "параллельных ветвей, чем задано в "
                                              "параметрах варианта."),
                               m_tabs),
                       0}}),
        QStringLiteral("Защита"));

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(left);
    split->addWidget(m_tabs);
    split->addWidget(buildSchemePanel());
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 3);
    split->setStretchFactor(2, 1);
    split->setSizes({220, 800, 320});
    setCentralWidget(split);
}

QWidget* TMainForm::buildSchemePanel() {
    auto* panel = new QGroupBox(QStringLiteral("Структурная схема варианта расчета."), this);
    auto* l = new QVBoxLayout(panel);
    m_scheme = new SchemeView(panel);
    m_scheme->setObjectName(QStringLiteral("schemePane"));
    l->addWidget(m_scheme, 1);

    auto* params = new QGroupBox(QStringLiteral("Параметры схемы"), panel);
    auto* grid = new QGridLayout(params);
    const auto scale = [&](int row, const QString& caption, int initial) {
        auto* field = new NumberField(NumberField::Kind::Integer, params);
        field->setPrompter(&m_prompter);
        field->setValue(initial);
        field->setMaximumWidth(70);
        auto* steps = new StepButtons(field, 1, params);
        steps->setDownRule(StepButtons::Mode::LowerBound, 10);
        grid->addWidget(new QLabel(caption, params), row, 0, Qt::AlignRight);
        grid->addWidget(field, row, 1);
        grid->addWidget(steps, row, 2);
        connect(steps, &StepButtons::stepped, this, [this] {
            if (m_autoUpdate->isChecked())
                redrawScheme();
        });
        connect(field, &QLineEdit::editingFinished, this, [this] {
            if (m_autoUpdate->isChecked())
                redrawScheme();
        });
        return field;
    };
    m_scaleSP = scale(0, QStringLiteral("Масштаб СП, пиксель/м:"), 40);
    m_scaleAKB = scale(1, QStringLiteral("Масштаб АБ, пиксель/м:"), 70);
    m_currents = new QCheckBox(QStringLiteral("Токи, падения напряжения"), params);
    m_autoUpdate = new QCheckBox(QStringLiteral("Автообновление схемы"), params);
    m_autoUpdate->setChecked(true);
    grid->addWidget(m_currents, 2, 0, 1, 3);
    grid->addWidget(m_autoUpdate, 3, 0, 1, 3);
    grid->setColumnStretch(3, 1);
    connect(m_currents, &QCheckBox::clicked, this, [this] { redrawScheme(); });
    connect(m_autoUpdate, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            redrawScheme();
    });
    l->addWidget(params);
    return panel;
}

void TMainForm::setCaption() {
    View& p = m_dm.tblProj0();
    setWindowTitle(
        mainCaption(!p.isEmpty(), p.isEmpty() ? QString() : p[QStringLiteral("Name")].asString()));
}

void TMainForm::updateCommands() {
    const ShellFacts f = gatherFacts(m_dm);
    for (auto& [menu, m] : m_menus)
        m->setEnabled(menuEnabled(menu, f));
    for (auto& [cmd, a] : m_actions)
        a->setEnabled(commandEnabled(cmd, f) && menuEnabled(commandDef(cmd).menu, f));
}

qint64 TMainForm::currentVariantKey() {
    View& v = m_dm.tblProj1();
    return v.isEmpty() ? -1 : v[QStringLiteral("Kod")].asInteger();
}

void TMainForm::redrawScheme() {
    const qint64 kod = currentVariantKey();
    if (!m_autoUpdate->isChecked() || kod < 0 || !paneCanDraw(schemeFacts(m_dm, kod))) {
        m_scheme->clear();
        return;
    }
    // A scale that fails its check, or asks for a picture too large to paint, is told and the
    // picture shown stays.
    if (const auto options =
            checkedSchemeScales(m_prompter, m_scaleSP, m_scaleAKB, m_currents->isChecked()))
        m_scheme->draw(m_dm, m_prompter, kod, *options);
}

void TMainForm::showReasons() {
    View& v = m_dm.tblProj1();
    m_sbWhy->clear();
    showShortfall(m_sbShort, {});
    showShortfall(m_akbShort, {});
    if (v.isEmpty())
        return;
    const QString governs = requiredSolarPower(m_dm).governingText();
    if (!governs.isEmpty())
        m_sbWhy->setText(QStringLiteral("Требуемую мощность определяет месяц: %1.").arg(governs));
    const auto shortOf = [&](const char* have,
                             const char* need) -> std::optional<std::pair<QString, QString>> {
        const Field h = v[QString::fromLatin1(have)], n = v[QString::fromLatin1(need)];
        if (h.isNull() || n.isNull() || h.asFloat() >= n.asFloat())
            return std::nullopt;
        return std::pair{h.asString(), n.asString()};
    };
    if (const auto s = shortOf("PTotal_SP", "Pras_SP"))
        showShortfall(m_sbShort, QStringLiteral("Мощность панелей СБ %1 Вт меньше требуемой %2 Вт.")
                                     .arg(s->first, s->second));
    if (const auto s = shortOf("Cfakt_AKB", "Cras_AKB"))
        showShortfall(
            m_akbShort,
            QStringLiteral("Емкость АБ %1 А*ч меньше требуемой %2 А*ч.").arg(s->first, s->second));
}

void TMainForm::refreshAll() {
    setCaption();
    redrawScheme();
    showReasons();
    updateCommands();
}

void TMainForm::onVariantChanged() {
    if (m_shell.redrawFlag() && !m_dm.tblProj1().isEmpty())
        redrawScheme();
    showReasons();
    updateCommands();
}

void TMainForm::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        refreshAll();
}

TProjForm& TMainForm::projForm() {
    if (!m_projForm)
        m_projForm = new TProjForm(m_prompter, this);
    return *m_projForm;
}

TOpenForm& TMainForm::openForm() {
    if (!m_openForm)
        m_openForm = new TOpenForm(m_dm, m_prompter, this);
    return *m_openForm;
}

TParamFrm& TMainForm::paramForm() {
    if (!m_paramForm)
        m_paramForm = new TParamFrm(m_dm, m_prompter, this);
    return *m_paramForm;
}

TsTempABF& TMainForm::tempABForm() {
    if (!m_tempABForm)
        m_tempABForm = new TsTempABF(m_dm, m_prompter, this);
    return *m_tempABForm;
}

TCatalogForm& TMainForm::catalogForm(const QString& className) {
    if (className == QStringLiteral("TsTempABF"))
        return tempABForm();
    TCatalogForm*& form = m_catalogForms[className];
    if (!form)
        form = makeCatalogForm(className, m_dm, m_prompter, this);
    return *form;
}

TsEPForm& TMainForm::consumerCatalog(bool ac) {
    TsEPForm*& form = ac ? m_acConsumers : m_dcConsumers;
    if (!form)
        form = ac ? new TsEPForm(m_dm, m_prompter, true, this)
                  : static_cast<TsEPForm*>(new TsEP12Frm(m_dm, m_prompter, this));
    return *form;
}

TsSutForm& TMainForm::scheduleBook() {
    if (!m_scheduleBook)
        m_scheduleBook = new TsSutForm(m_dm, m_prompter, this);
    return *m_scheduleBook;
}

TsSutEPF& TMainForm::consumerScheduleBook(bool ac) {
    TsSutEPF*& form = ac ? m_acScheduleBook : m_dcScheduleBook;
    if (!form)
        form = ac ? new TsSutEPF(m_dm, m_prompter, true, this)
                  : static_cast<TsSutEPF*>(new TsSutEP12F(m_dm, m_prompter, this));
    return *form;
}

TVarForm& TMainForm::varForm() {
    if (!m_varForm) {
        m_varForm = new TVarForm(m_dm, m_prompter, this);
        m_varForm->setRoomChooser(
            [this](const QString& room) { return tempABForm().choose(room); });
    }
    return *m_varForm;
}

TDspNagrF& TMainForm::acDispatcher() {
    if (!m_acDispatcher) {
        m_acDispatcher = new TDspNagrF(m_dm, m_prompter, this);
        m_acDispatcher->setChartViewer(
            [this](auto kind, const QString& caption, const QString& tag) {
                showCharts(kind, caption, tag);
            });
    }
    return *m_acDispatcher;
}

TDspNagr12F& TMainForm::dcDispatcher() {
    if (!m_dcDispatcher) {
        m_dcDispatcher = new TDspNagr12F(m_dm, m_prompter, this);
        m_dcDispatcher->setChartViewer(
            [this](auto kind, const QString& caption, const QString& tag) {
                showCharts(kind, caption, tag);
            });
    }
    return *m_dcDispatcher;
}

TSutGrafF& TMainForm::scheduleCharts() {
    if (!m_scheduleCharts)
        m_scheduleCharts = new TSutGrafF(m_dm, m_prompter, this);
    return *m_scheduleCharts;
}

TSutDiagF& TMainForm::parameterDiagrams() {
    if (!m_parameterDiagrams)
        m_parameterDiagrams = new TSutDiagF(m_dm, m_prompter, this);
    return *m_parameterDiagrams;
}

void TMainForm::showCharts(LoadDispatcher::ChartKind kind, const QString& caption,
                           const QString& voltageTag) {
    if (kind == LoadDispatcher::ChartKind::Schedules)
        scheduleCharts().open(caption, voltageTag);
    else
        parameterDiagrams().open(caption, voltageTag);
}

TInvForm& TMainForm::inverterForm() {
    if (!m_inverterForm)
        m_inverterForm = new TInvForm(m_dm, m_prompter, this);
    return *m_inverterForm;
}

TNagrDopF& TMainForm::monthlyTotals() {
    if (!m_monthlyTotals)
        m_monthlyTotals = new TNagrDopF(m_dm, m_prompter, this);
    return *m_monthlyTotals;
}

TAnalInvF& TMainForm::inverterAnalysis() {
    if (!m_inverterAnalysis)
        m_inverterAnalysis = new TAnalInvF(m_dm, m_prompter, this);
    return *m_inverterAnalysis;
}

TAnalAkbF& TMainForm::batteryAnalysis() {
    if (!m_batteryAnalysis)
        m_batteryAnalysis = new TAnalAkbF(m_dm, m_prompter, this);
    return *m_batteryAnalysis;
}

TAKBForm& TMainForm::batteryForm() {
    if (!m_batteryForm)
        m_batteryForm = new TAKBForm(m_dm, m_prompter, this);
    return *m_batteryForm;
}

TViewAKBF& TMainForm::batterySchemeView() {
    if (!m_batterySchemeView)
        m_batterySchemeView = new TViewAKBF(m_dm, m_prompter, this);
    return *m_batterySchemeView;
}

TProtForm& TMainForm::protectionForm(bool fuses) {
    TProtForm*& w = m_protectionForms[fuses ? 1 : 0];
    if (!w)
        w = fuses ? static_cast<TProtForm*>(new TPrForm(m_dm, m_prompter, this))
                  : static_cast<TProtForm*>(new TAVForm(m_dm, m_prompter, this));
    return *w;
}

TKabelFrm& TMainForm::cableForm() {
    if (!m_cableForm)
        m_cableForm = new TKabelFrm(m_dm, m_prompter, this);
    return *m_cableForm;
}

void TMainForm::chooseBattery() {
    if (!batteryForm().run())
        return;
    BatteryChoiceOutcome out;
    try {
        out = storeBatteryChoice(m_dm, batteryForm().choice());
    } catch (const DbError& e) {
        m_prompter.error(e.message() + QStringLiteral("\nИзменения не сохранены."));
        return;
    }
    if (out.outOfRange)
        m_prompter.error(*out.outOfRange);
    QStringList notes;
    if (out.chain)
        notes << QStringLiteral("Тип аккумуляторов изменился: расчетные параметры варианта "
                                "пересчитаны.");
    if (out.shortfall)
        notes << *out.shortfall;
    if (out.chain && !out.chain->problems.isEmpty())
        notes << QStringLiteral("Расчетные параметры варианта определены не полностью:")
              << out.chain->problems;
    if (!notes.isEmpty())
        m_prompter.information(notes.join(QLatin1Char('\n')));
}

TSprKForm& TMainForm::lossForm() {
    if (!m_lossForm)
        m_lossForm = new TSprKForm(m_dm, m_prompter, this);
    return *m_lossForm;
}

TKproizFm& TMainForm::coefficientsForm() {
    if (!m_coefficientsForm)
        m_coefficientsForm = new TKproizFm(m_dm, this);
    return *m_coefficientsForm;
}

TsSunDayF& TMainForm::daylightForm() {
    if (!m_daylightForm)
        m_daylightForm = new TsSunDayF(m_dm, m_prompter, this);
    return *m_daylightForm;
}

TSelSPFrm& TMainForm::solarBatteryForm() {
    if (!m_solarBatteryForm)
        m_solarBatteryForm = new TSelSPFrm(m_dm, m_prompter, this);
    return *m_solarBatteryForm;
}

TControlF& TMainForm::controllerForm() {
    if (!m_controllerForm)
        m_controllerForm = new TControlF(m_dm, m_prompter, this);
    return *m_controllerForm;
}

TShemaFrm& TMainForm::schemeForm() {
    if (!m_schemeForm)
        m_schemeForm = new TShemaFrm(m_dm, m_prompter, this);
    return *m_schemeForm;
}

TComShemF& TMainForm::schemeComparison() {
    if (!m_schemeComparison)
        m_schemeComparison = new TComShemF(m_dm, m_prompter, this);
    return *m_schemeComparison;
}

TSpecForm& TMainForm::specForm() {
    if (!m_specForm)
        m_specForm = new TSpecForm(m_dm, m_prompter, this);
    return *m_specForm;
}

TComSpecF& TMainForm::specComparison() {
    if (!m_specComparison)
        m_specComparison = new TComSpecF(m_dm, m_prompter, this);
    return *m_specComparison;
}

TComParVarF& TMainForm::paramComparison() {
    if (!m_paramComparison)
        m_paramComparison = new TComParVarF(m_dm, m_prompter, this);
    return *m_paramComparison;
}

TTestVarF& TMainForm::variantTest() {
    if (!m_variantTest)
        m_variantTest = new TTestVarF(m_dm, m_prompter, this);
    return *m_variantTest;
}

TVurabFrm& TMainForm::generationForm() {
    if (!m_generationForm)
        m_generationForm = new TVurabFrm(m_dm, m_prompter, this);
    return *m_generationForm;
}

TAnalSBFm& TMainForm::solarAnalysisForm() {
    if (!m_solarAnalysisForm)
        m_solarAnalysisForm = new TAnalSBFm(m_dm, m_prompter, this);
    return *m_solarAnalysisForm;
}

TViewSPF& TMainForm::solarSchemeView() {
    if (!m_solarSchemeView)
        m_solarSchemeView = new TViewSPF(m_dm, m_prompter, this);
    return *m_solarSchemeView;
}

TAboutForm& TMainForm::aboutForm() {
    if (!m_aboutForm)
        m_aboutForm = new TAboutForm(this);
    return *m_aboutForm;
}

void TMainForm::recalculateAfter(ChainTrigger trigger, const std::function<bool()>& command) {
    std::optional<ChainResult> r;
    try {
        r = runWithChain(m_dm, trigger, command);
    } catch (const DbError& e) {
        m_prompter.error(e.message() + QStringLiteral("\nИзменения не сохранены."));
        return;
    }
    showReasons();
    if (r && !r->problems.isEmpty())
        m_prompter.information(
            QStringLiteral("Расчетные параметры варианта определены не полностью:\n") +
            r->problems.join(QLatin1Char('\n')));
}

void TMainForm::run(Command c) {
    switch (c) {
    case Command::ProjCreate: {
        ProjectFields f = m_shell.newProjectFields();
        if (projForm().run(f))
            m_shell.createProject(f);
        break;
    }
    case Command::ProjEdit: {
        ProjectFields f = m_shell.currentProjectFields();
        if (projForm().run(f))
            m_shell.editProject(f);
        break;
    }
    case Command::ProjOpen:
        openForm().run();
        break;
    case Command::ProjDelete:
        m_shell.deleteProject();
        break;
    case Command::ProjSaveAs:
        m_shell.copyProject(m_progress.get());
        break;
    case Command::VarAdd:
        varForm().runAdd();
        break;
    case Command::VarEdit:
        recalculateAfter(ChainTrigger::VariantEdited, [this] { return varForm().runEdit(); });
        break;
    case Command::DefaultVariant:
        varForm().runDefault();
        break;
    case Command::VarDelete:
        m_shell.deleteVariant();
        break;
    // The dispatchers store their own figures on closing (the DC one the variant's DC figures).
    case Command::LoadAc:
        recalculateAfter(ChainTrigger::AcDispatcherClosed, [this] {
            acDispatcher().run();
            return true;
        });
        break;
    case Command::LoadDc:
        recalculateAfter(ChainTrigger::DcDispatcherClosed, [this] {
            dcDispatcher().run();
            return true;
        });
        break;
    case Command::InvSelect:
        recalculateAfter(ChainTrigger::InvertersChosen, [this] { return inverterForm().run(); });
        break;
    case Command::LoadMonthly:
        monthlyTotals().run();
        break;
    case Command::InvAnalysis:
        inverterAnalysis().run();
        break;
    case Command::AkbAnalysis:
        batteryAnalysis().run();
        break;
    case Command::AkbSelect:
        chooseBattery();
        break;
    case Command::AkbScheme:
        batterySchemeView().run();
        break;
    case Command::CableSelect:
        cableForm().run();
        break;
    case Command::BreakerSelect:
        protectionForm(false).run();
        break;
    case Command::FuseSelect:
        protectionForm(true).run();
        break;
    case Command::SbCoefficients:
        coefficientsForm().run();
        break;
    case Command::SbSelect:
        solarBatteryForm().run();
        break;
    case Command::CtrlSelect:
        controllerForm().run();
        break;
    case Command::VarGeneration:
        generationForm().run();
        break;
    case Command::VarTest:
        // The test reads the variant by key: the current rows, and so the commands, stay.
        variantTest().run();
        break;
    case Command::SbAnalysis:
        solarAnalysisForm().run();
        break;
    case Command::SbScheme:
        solarSchemeView().run();
        break;
    case Command::RefLossCoefficients:
        lossForm().run();
        break;
    case Command::VarScheme:
        schemeForm().run(m_scaleSP->text(), m_scaleAKB->text(), m_currents->isChecked(),
                         currentVariantKey());
        break;
    case Command::CompareSchemes:
    case Command::CompareSpecs:
    case Command::CompareParams:
    case Command::VarSpec: {
        // These windows read their variants by key and move no view; the current variant is
        // brought back all the same, should anything have moved it.
        const Bookmark current = m_dm.tblProj1().bookmark();
        if (c == Command::CompareSchemes)
            schemeComparison().run();
        else if (c == Command::CompareSpecs)
            specComparison().run();
        else if (c == Command::CompareParams)
            paramComparison().run();
        else
            specForm().run();
        if (m_dm.tblProj1().bookmark() != current)
            m_dm.tblProj1().gotoBookmark(current);
        break;
    }
    case Command::RefDaylight:
        daylightForm().run();
        break;
    case Command::VarSaveAs:
        m_shell.copyVariant(m_progress.get());
        break;
    case Command::Settings:
        if (paramForm().run()) {
            // The current variant is saved unchanged so that every view of it is refreshed.
            View& v = m_dm.tblProj1();
            if (!v.isEmpty() && v.edit())
                v.post();
        }
        break;
    case Command::RefBatteryRooms:
        tempABForm().browse();
        break;
    case Command::RefInverters:
    case Command::RefInvChargers:
    case Command::RefBatteries:
    case Command::RefPanels:
    case Command::RefControllers:
    case Command::RefWires:
    case Command::RefInvCables:
    case Command::RefBreakers:
    case Command::RefFuses:
    case Command::RefJumpers:
    case Command::RefConnectors:
    case Command::RefRegions:
    case Command::RefTempCoefficients:
    case Command::RefChargeVoltages:
        // Catalog edits change no variant: a variant keeps copies of what it chose.
        catalogForm(catalogWindow(c)).browse();
        break;
    case Command::RefAcConsumers:
    case Command::RefDcConsumers:
        consumerCatalog(c == Command::RefAcConsumers).browse();
        break;
    case Command::RefSchedules:
        scheduleBook().browse();
        break;
    case Command::RefAcSchedules:
    case Command::RefDcSchedules:
        consumerScheduleBook(c == Command::RefAcSchedules).browse();
        break;
    case Command::Help:
        HelpViewer::showIndex(this);
        break;
    case Command::About:
        aboutForm().exec();
        break;
    case Command::Exit:
        close();
        break;
    default:
        break;
    }
    refreshAll();
}

} // namespace ses
