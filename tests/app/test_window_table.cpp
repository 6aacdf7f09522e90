// Every window the program can open shows the caption of the window table, and its
// "Справка..." and F1 open the table's help topic.

#include "../data/fixture.h"

#include "app/ui/about_form.h"
#include "app/ui/main_form.h"
#include "app/ui/open_form.h"
#include "app/ui/param_form.h"
#include "app/ui/proj_form.h"
#include "app/ui/temp_ab_form.h"
#include "app/ui/var_form.h"
#include "load/ui/add_sut_gr_form.h"
#include "load/ui/chart_viewers.h"
#include "load/ui/create_sg_form.h"
#include "load/ui/dsp_nagr_form.h"
#include "load/ui/ep_chooser.h"
#include "load/ui/nagr_form.h"
#include "load/ui/period_form.h"
#include "load/ui/s_sut_form.h"
#include "solar/ui/kproiz_form.h"
#include "solar/ui/mas_sp_form.h"
#include "solar/ui/sel_sp_form.h"
#include "solar/ui/spr_k_form.h"
#include "solar/ui/sun_day_form.h"
#include "storage/ui/anal_akb_form.h"
#include "storage/ui/anal_inv_form.h"
#include "storage/ui/inv_form.h"
#include "storage/ui/sel_inv_form.h"
#include "storage/ui/tab_inv_form.h"
#include "widgets/windows.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QTextBrowser>

#include <functional>
#include <memory>
#include <string_view>
#include <type_traits>

using namespace ses;
using namespace ses::test;

namespace {

using Make = std::function<std::unique_ptr<QWidget>(TDataModule1&, Prompter&)>;

template <class W, class... Args> Make make(Args... args) {
    return [=](TDataModule1& dm, Prompter& p) -> std::unique_ptr<QWidget> {
        if constexpr (std::is_constructible_v<W, TDataModule1&, Prompter&, Args...>)
            return std::make_unique<W>(dm, p, args...);
        else if constexpr (std::is_constructible_v<W, TDataModule1&>)
            return std::make_unique<W>(dm);
        else if constexpr (std::is_constructible_v<W, Prompter&>)
            return std::make_unique<W>(p);
        else
            return std::make_unique<W>();
    };
}

// The windows the program opens, with their rows of the window table: class, caption, topic.
struct Window {
    const char* className;
    const char* caption;
    int topic;
    Make make;
};
const Window kWindows[] = {
    {"TMainForm", "Tovrel SES 1.1.", 74, make<TMainForm>()},
    {"TProjForm", "Параметры проекта.", 21, make<TProjForm>()},
    {"TOpenForm", "Открытие проекта.", 20, make<TOpenForm>()},
    {"TAboutForm", "О программе.", -1, make<TAboutForm>()},
    {"TParamFrm", "Параметры программы.", 22, make<TParamFrm>()},
    {"TsTempABF", "Справочник температур эксплуатации АБ.", 87, make<TsTempABF>()},
    {"TVarForm", "Параметры варианта расчета.", 62, make<TVarForm>()},
    {"TDspNagrF", "Диспетчер нагрузок переменного напряжения.", 44, make<TDspNagrF>()},
    {"TDspNagr12F", "Диспетчер нагрузок постоянного напряжения.", 85, make<TDspNagr12F>()},
    {"TAddSutGrF", "Суточный график без детализации по электроприемникам.", 42, make<TAddSutGrF>()},
    {"TNagrForm", "Параметры суточного графика нагрузки.", 43, make<TNagrForm>()},
    {"TsSutForm", "Справочник суточных графиков без детализации по электроприемникам.", 12,
     make<TsSutForm>()},
    {"TsRazdGrF", "Сохранение суточного графика.", 66, make<TsRazdGrF>()},
    {"TCreateSGF",
     "Суточный график нагрузки с детализацией по электроприемникам переменного напряжения.", 41,
     make<TCreateSGF>(true)},
    {"TCreateSG12F",
     "Суточный график нагрузки с детализацией по электроприемникам постоянного напряжения.", 88,
     make<TCreateSG12F>()},
    {"TsSutEPF",
     "Справочник суточных графиков с детализацией по электроприемникам переменного напряжения.", 14,
     make<ConsumerBookChooser>(true)},
    {"TsSutEP12F",
     "Справочник суточных графиков с детализацией по электроприемникам постоянного напряжения.", 86,
     make<ConsumerBookChooser>(false)},
    {"TPeriodFm", "Периодичность времени работы электроприемника.", 80, make<TPeriodFm>()},
    {"TsEPForm", "Справочник электроприемников переменного напряжения.", 11, make<TsEPForm>(true)},
    {"TsEP12Frm", "Справочник электроприемников постоянного напряжения.", 81, make<TsEP12Frm>()},
    {"TInvForm", "Инверторы.", 89, make<TInvForm>()},
    {"TSelInvFm", "Выбор инвертора.", 46, make<TSelInvFm>()},
    {"TTabInvFm", "Табличный выбор инвертора.", 63, make<TTabInvFm>()},
    {"TAnalInvF", "Анализ выбора инверторов.", 90, make<TAnalInvF>()},
    {"TAnalAkbF", "Анализ выбора аккумуляторной батареи.", 91, make<TAnalAkbF>()},
    {"TSutGrafF", "Просмотр суточных графиков нагрузки.", 64, make<TSutGrafF>()},
    {"TSutDiagF", "Просмотр диаграмм расчетных параметров суточных графиков нагрузки.", 65,
     make<TSutDiagF>()},
    {"TSprKForm", "Справочник коэффициентов падения производительности.", 18, make<TSprKForm>()},
    {"TKproizFm", "Коэффициенты производительности солнечной батареи.", 49, make<TKproizFm>()},
    {"TsSunDayF", "Справочник среднемесячных периодов светлого времени суток.", 82,
     make<TsSunDayF>()},
    {"TSelSPFrm", "Выбор солнечной батареи.", 53, make<TSelSPFrm>()},
    {"TMasSPFrm", "Параметры массива солнечных панелей.", 52, make<TMasSPFrm>()},
};

// The topic the window's help viewer shows after `open`; -1 when no viewer opened, 0 for the
// contents. A topic with a page shows that page (":/help/<topic>.html"); for one without, the
// contents name the topic that was asked for.
int shownTopic(QWidget& window, const std::function<void()>& open) {
    open();
    auto* browser = window.findChild<QTextBrowser*>();
    if (!browser)
        return -1;
    static const QRegularExpression page(QStringLiteral("^/help/(\\d+)\\.html$"));
    static const QRegularExpression named(QStringLiteral("Раздел справки (\\d+) пока не написан"));
    const auto shown = page.match(browser->source().path());
    const auto m = shown.hasMatch() ? shown : named.match(browser->toPlainText());
    const int topic = m.hasMatch() ? m.captured(1).toInt() : 0;
    delete browser->window(); // the next question opens a fresh viewer
    return topic;
}

class WindowTableTest : public DbTest {};

TEST_F(WindowTableTest, EveryWindowShowsItsCaptionAndOpensItsTopic) {
    for (const Window& w : kWindows) {
        SCOPED_TRACE(w.className);
        const WindowInfo& info = windowInfo(QString::fromLatin1(w.className));
        EXPECT_EQ(info.caption, QString::fromUtf8(w.caption));
        EXPECT_EQ(info.helpTopic, w.topic);

        const std::unique_ptr<QWidget> window = w.make(*dm, prompter);
        EXPECT_EQ(window->objectName(), w.className);
        EXPECT_EQ(window->windowTitle(), info.caption);

        // F1: one shortcut, or none for a window without a topic (two would cancel each other).
        std::vector<QShortcut*> f1;
        for (QShortcut* s : window->findChildren<QShortcut*>(Qt::FindDirectChildrenOnly))
            if (s->key() == QKeySequence(Qt::Key_F1))
                f1.push_back(s);
        ASSERT_EQ(f1.size(), info.helpTopic < 0 ? 0u : 1u);
        auto* help =
            window->findChild<QPushButton*>(QStringLiteral("help"), Qt::FindDirectChildrenOnly);
        if (info.helpTopic < 0) {
            EXPECT_EQ(help, nullptr);
            continue;
        }
        // The main window carries its topic but opens the contents, from F1 and the menu alike.
        const int expected = w.className == std::string_view("TMainForm") ? 0 : info.helpTopic;
        EXPECT_EQ(shownTopic(*window, [&] { emit f1.front()->activated(); }), expected);
        if (expected > 0) {
            ASSERT_NE(help, nullptr);
            EXPECT_EQ(shownTopic(*window, [&] { help->click(); }), expected);
        }
    }
}

} // namespace
