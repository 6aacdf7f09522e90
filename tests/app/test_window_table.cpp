// Every window the program can open shows the caption of the window table, and its
// "Справка..." and F1 open the table's help page; the help pages stay in step with the windows.

#include "../data/fixture.h"

#include "app/ui/about_form.h"
#include "app/ui/com_par_var_form.h"
#include "app/ui/main_form.h"
#include "app/ui/open_form.h"
#include "app/ui/param_form.h"
#include "app/ui/proj_form.h"
#include "app/ui/var_form.h"
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
#include "refbooks/catalog_form.h"
#include "refbooks/temp_ab_form.h"
#include "reports/ui/com_shem_form.h"
#include "reports/ui/com_spec_form.h"
#include "reports/ui/shema_form.h"
#include "reports/ui/spec_form.h"
#include "reports/ui/test_var_form.h"
#include "reports/ui/view_sp_form.h"
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
#include "widgets/filter_form.h"
#include "widgets/help_viewer.h"
#include "widgets/windows.h"

#include <QFile>
#include <QMap>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocument>

#include <functional>
#include <memory>
#include <set>
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
    {"TsInvForm", "Справочник инверторов.", 2, make<TsInvForm>()},
    {"TsAKBForm", "Справочник аккумуляторов.", 1, make<TsAKBForm>()},
    {"TsSunPanF", "Справочник солнечных панелей.", 3, make<TsSunPanF>()},
    {"TsContFrm", "Справочник контроллеров заряда.", 4, make<TsContFrm>()},
    {"TsKabelFm", "Справочник проводов (кабелей).", 5, make<TsKabelFm>()},
    {"TsKabInvF", "Справочник проводов (кабелей) от аккумуляторной батареи к инверторам.", 6,
     make<TsKabInvF>()},
    {"TsAVForm", "Справочник автоматических выключателей.", 7, make<TsAVForm>()},
    {"TsPrForm", "Справочник предохранителей.", 8, make<TsPrForm>()},
    {"TsPeremFm", "Справочник аккумуляторных перемычек.", 9, make<TsPeremFm>()},
    {"TsMCForm", "Справочник коннекторов.", 10, make<TsMCForm>()},
    {"TsRegForm", "Справочник регионов.", 15, make<TsRegForm>()},
    {"TsKtempFm", "Справочник температурного коэффициента эксплуатации АБ.", 17, make<TsKtempFm>()},
    {"TsAKBZarF", "Справочник напряжений аккумуляторных батарей.", 19, make<TsAKBZarF>()},
    {"TsInvZuForm", "Справочник инверторов с зарядными устройствами.", 93, make<TsInvZuForm>()},
    {"TVarForm", "Параметры варианта расчета.", 62, make<TVarForm>()},
    {"TDspNagrF", "Диспетчер нагрузок переменного напряжения.", 44, make<TDspNagrF>()},
    {"TDspNagr12F", "Диспетчер нагрузок постоянного напряжения.", 85, make<TDspNagr12F>()},
    {"TAddSutGrF", "Суточный график без детализации по электроприемникам.", 42, make<TAddSutGrF>()},
    {"TNagrForm", "Параметры суточного графика нагрузки.", 43, make<TNagrForm>()},
    {"TsSutForm", "Справочник суточных графиков без детализации по электроприемникам.", 12,
     make<TsSutForm>()},
    {"TsSutFrm1", "Редактирование суточного графика.", 13, make<TsSutFrm1>()},
    {"TsRazdGrF", "Сохранение суточного графика.", 66, make<TsRazdGrF>()},
    {"TCreateSGF",
     "Суточный график нагрузки с детализацией по электроприемникам переменного напряжения.", 41,
     make<TCreateSGF>(true)},
    {"TCreateSG12F",
     "Суточный график нагрузки с детализацией по электроприемникам постоянного напряжения.", 88,
     make<TCreateSG12F>()},
    {"TsSutEPF",
     "Справочник суточных графиков с детализацией по электроприемникам переменного напряжения.", 14,
     make<TsSutEPF>(true)},
    {"TsSutEP12F",
     "Справочник суточных графиков с детализацией по электроприемникам постоянного напряжения.", 86,
     make<TsSutEP12F>()},
    {"TPeriodFm", "Периодичность времени работы электроприемника.", 80, make<TPeriodFm>()},
    {"TsEPForm", "Справочник электроприемников переменного напряжения.", 11, make<TsEPForm>(true)},
    {"TsEP12Frm", "Справочник электроприемников постоянного напряжения.", 81, make<TsEP12Frm>()},
    {"TInvForm", "Инверторы.", 89, make<TInvForm>()},
    {"TSelInvFm", "Выбор инвертора.", 46, make<TSelInvFm>()},
    {"TTabInvFm", "Табличный выбор инвертора.", 63, make<TTabInvFm>()},
    {"TAnalInvF", "Анализ выбора инверторов.", 90, make<TAnalInvF>()},
    {"TAnalAkbF", "Анализ выбора аккумуляторной батареи.", 91, make<TAnalAkbF>()},
    {"TAKBForm", "Выбор аккумуляторной батареи.", 29, make<TAKBForm>()},
    {"TTablAKBF", "Табличный выбор аккумуляторной батареи.", 33, make<TTablAKBF>()},
    {"TAKBFiltF", "Фильтрация аккумуляторной батареи.", 30, make<TAKBFiltF>()},
    {"TFilterFm", "Значение параметра фильтрации.", 27, make<TFilterFm>()},
    {"TCmpAKB_SPFm", "Обоснование невозможности согласования АБ и солнечной батареи.", 34,
     make<TCmpAKB_SPFm>()},
    {"TViewAKBF", "Просмотр параметров схемы аккумуляторной батареи.", 58, make<TViewAKBF>()},
    {"TKabelFrm", "Выбор проводов (кабелей).", 48, make<TKabelFrm>()},
    {"TAVForm", "Автоматические выключатели.", 25, make<TAVForm>()},
    {"TPrForm", "Предохранители.", 23, make<TPrForm>()},
    {"TSelAVFrm", "Выбор автоматического выключателя.", 26, make<TSelAVFrm>()},
    {"TSelPrFrm", "Выбор предохранителя.", 24, make<TSelPrFrm>()},
    {"TSutGrafF", "Просмотр суточных графиков нагрузки.", 64, make<TSutGrafF>()},
    {"TSutDiagF", "Просмотр диаграмм расчетных параметров суточных графиков нагрузки.", 65,
     make<TSutDiagF>()},
    {"TSprKForm", "Справочник коэффициентов падения производительности.", 18, make<TSprKForm>()},
    {"TKproizFm", "Коэффициенты производительности солнечной батареи.", 49, make<TKproizFm>()},
    {"TVurabFrm", "Расчетная выработка варианта расчета.", 61, make<TVurabFrm>()},
    {"TTestVarF", "Тестирование варианта расчета.", 59, make<TTestVarF>()},
    {"TAnalSBFm", "Анализ выбора солнечной батареи.", 92, make<TAnalSBFm>()},
    {"TViewSPF", "Просмотр параметров схемы солнечной батареи.", 57, make<TViewSPF>()},
    {"TsSunDayF", "Справочник среднемесячных периодов светлого времени суток.", 82,
     make<TsSunDayF>()},
    {"TSelSPFrm", "Выбор солнечной батареи.", 53, make<TSelSPFrm>()},
    {"TTablSPFm", "Табличный выбор солнечной батареи.", 54, make<TTablSPFm>()},
    {"TSPFiltF", "Фильтрация солнечной батареи.", 28, make<TSPFiltF>()},
    {"TMasSPFrm", "Параметры массива солнечных панелей.", 52, make<TMasSPFrm>()},
    {"TControlF", "Контроллеры заряда.", 39, make<TControlF>()},
    {"TSelCtrlF", "Выбор контроллера заряда.", 40, make<TSelCtrlF>()},
    {"TNagrDopF", "Общая нагрузка солнечной электростанции по месяцам.", 84, make<TNagrDopF>()},
    {"TSutGrDopF", "Дополнительная информация по суточному графику.", 83, make<TSutGrDopF>()},
    {"TShemaFrm", "Просмотр схемы СЭ.", 55, make<TShemaFrm>()},
    {"TComShemF", "Сравнение схем вариантов проекта.", 37, make<TComShemF>()},
    {"TSpecForm", "Спецификация оборудования варианта расчета.", 56, make<TSpecForm>()},
    {"TComSpecF", "Сравнение спецификаций оборудования вариантов.", 38, make<TComSpecF>()},
    {"TComParVarF", "Сравнение параметров вариантов.", 35, make<TComParVarF>()},
};

// Topics of the windows above whose pages are not in this copy of the help yet. F1 in their
// windows shows the contents with a notice, and links to them are allowed. Once a page is
// written its topic must leave this list: the test below fails while it stays.
const std::set<int> kPagesToCome = {};

// What the window's help viewer shows after `open`: the topic of the page, or for the contents
// the topic its notice names (0 without one); -1 when no viewer opened.
struct Shown {
    int topic = -1;
    bool page = false;
    bool operator==(const Shown&) const = default;
};
Shown shown(QWidget& window, const std::function<void()>& open) {
    open();
    auto* browser = window.findChild<QTextBrowser*>();
    if (!browser)
        return {};
    static const QRegularExpression page(QStringLiteral("^/help/(\\d+)\\.html$"));
    static const QRegularExpression named(QStringLiteral("Раздел справки (\\d+) пока не написан"));
    const auto onPage = page.match(browser->source().path());
    const auto m = onPage.hasMatch() ? onPage : named.match(browser->toPlainText());
    const Shown result{m.hasMatch() ? m.captured(1).toInt() : 0, onPage.hasMatch()};
    delete browser->window(); // the next question opens a fresh viewer
    return result;
}

void PrintTo(const Shown& s, std::ostream* os) {
    *os << (s.page ? "page " : "contents naming ") << s.topic;
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
        // Every other window opens its own page.
        const bool main = w.className == std::string_view("TMainForm");
        const Shown expected =
            main ? Shown{0, false} : Shown{info.helpTopic, !kPagesToCome.contains(info.helpTopic)};
        EXPECT_EQ(shown(*window, [&] { emit f1.front()->activated(); }), expected);
        if (!main) {
            ASSERT_NE(help, nullptr);
            EXPECT_EQ(shown(*window, [&] { help->click(); }), expected);
        }
    }
}

QString plain(const QString& html) {
    QTextDocument doc;
    doc.setHtml(html);
    return doc.toPlainText().simplified();
}

QString pageSource(const QString& fileName) {
    QFile f(QStringLiteral(":/help/") + fileName);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The help is in step with the windows: every window above has its page; every link of every
// page leads to a page and anchor that exist; a page's heading is the caption of its topic's
// window, and every window a page names (an element of class "window": the name of the window, a
// link to its page) is a window of the window table, linked to that window's own page.
TEST(HelpPages, StayInStepWithTheWindows) {
    QMap<QString, const WindowInfo*> byCaption;
    QMultiMap<int, QString> captionsOfTopic;
    for (const WindowInfo& info : windowTable()) {
        byCaption[info.caption] = &info;
        captionsOfTopic.insert(info.helpTopic, info.caption);
    }
    for (const Window& w : kWindows) {
        if (w.topic <= 0)
            continue;
        if (kPagesToCome.contains(w.topic)) {
            EXPECT_FALSE(HelpViewer::hasTopic(w.topic)) << w.className << ": its page " << w.topic
                                                        << " is written, take it off kPagesToCome";
        } else {
            EXPECT_TRUE(HelpViewer::hasTopic(w.topic))
                << w.className << ": no page " << w.topic << ".html";
        }
    }

    const QStringList pages = HelpViewer::pages();
    ASSERT_TRUE(pages.contains("index.html") && pages.contains("guide.html") &&
                pages.contains("data.html"));
    static const QRegularExpression anchorRe(QStringLiteral("\\b(?:name|id)=\"([^\"]+)\""));
    QMap<QString, QSet<QString>> anchors;
    for (const QString& page : pages)
        for (const auto& m : anchorRe.globalMatch(pageSource(page)))
            anchors[page].insert(m.captured(1));

    static const QRegularExpression linkRe(QStringLiteral("\\bhref=\"([^\"]*)\""));
    static const QRegularExpression headingRe(QStringLiteral("<h2>(.*?)</h2>"),
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression windowRe(
        QStringLiteral("<(\\w+)([^>]*)\\bclass=\"window\"([^>]*)>(.*?)</\\1>"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression topicRe(QStringLiteral("^(\\d+)\\.html$"));
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        const QString html = pageSource(page);
        EXPECT_TRUE(html.contains(QLatin1String("<meta charset=\"utf-8\">")));
        for (const auto& m : linkRe.globalMatch(html)) {
            const QString href = m.captured(1);
            if (href.contains(u':'))
                continue; // an address outside the help
            const QString file =
                href.section(u'#', 0, 0).isEmpty() ? page : href.section(u'#', 0, 0);
            const QString anchor = href.section(u'#', 1);
            const auto topic = topicRe.match(file);
            if (!pages.contains(file)) {
                EXPECT_TRUE(topic.hasMatch() && kPagesToCome.contains(topic.captured(1).toInt()))
                    << "links to the missing page " << href.toStdString();
                continue;
            }
            if (!anchor.isEmpty()) {
                EXPECT_TRUE(anchors[file].contains(anchor))
                    << "links to the missing anchor " << href.toStdString();
            }
        }
        if (const auto topic = topicRe.match(page); topic.hasMatch()) {
            const auto heading = headingRe.match(html);
            ASSERT_TRUE(heading.hasMatch());
            EXPECT_TRUE(captionsOfTopic.values(topic.captured(1).toInt())
                            .contains(plain(heading.captured(1))))
                << "heading " << plain(heading.captured(1)).toStdString();
            EXPECT_EQ(HelpViewer::pageTitle(page), plain(heading.captured(1)));
        }
        for (const auto& m : windowRe.globalMatch(html)) {
            const QString caption = plain(m.captured(4));
            const WindowInfo* info = byCaption.value(caption);
            EXPECT_NE(info, nullptr)
                << "names the window \"" << caption.toStdString() << "\" the program no longer has";
            const auto link = linkRe.match(m.captured(2) + m.captured(3));
            if (info && m.captured(1) == QLatin1String("a")) {
                EXPECT_EQ(link.captured(1), QStringLiteral("%1.html").arg(info->helpTopic))
                    << "links \"" << caption.toStdString() << "\" to another page";
            }
        }
    }
}

} // namespace
