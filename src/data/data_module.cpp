#include "data/data_module.h"

#include "lib/months.h"
#include "lib/numbers.h"
#include "lib/tilt.h"
#include "solar/sky.h"

#include <QSqlQuery>

#include <QDir>

#include <functional>
#include <utility>

namespace ses {

namespace {

using Handler = std::function<void(View&)>;

void chain(Handler& ev, Handler f) {
    if (!ev) {
        ev = std::move(f);
        return;
    }
    ev = [first = std::move(ev), second = std::move(f)](View& v) {
        first(v);
        second(v);
    };
}

const QString kQ = QStringLiteral("\"");

QString quotedValue(View& v, const QString& column) {
    return kQ + v[column].asString() + kQ;
}

} // namespace

const QStringList& TDataModule1::openOrder() {
    static const QStringList order = {
        "region0",
        "region2",
        "region1",
        "SunPanel0",
        "SunPanel1",
        "akb0",
        "akb1",
        "akb2",
        "Kproiz",
        "Kproiz1",
        "Kproiz2",
        "Ktemp",
        "Ktemp1",
        "Controller0",
        "Controller1",
        "Controller2",
        "Controller4",
        "project0",
        "project1",
        "proj_mas",
        "proj_sunday",
        "proj_inv",
        "proj_graf0",
        "proj_graf1",
        "proj_time",
        "proj_gr_prm",
        "proj_ep0",
        "proj_ep1",
        "proj_graf12_0",
        "proj_graf12_1",
        "proj_time12",
        "proj_gr12_prm",
        "proj_ep12_0",
        "proj_ep12_1",
        "Invert0",
        "Invert1",
        "Inv_zu0",
        "Inv_zu1",
        "Inv_zu2",
        "optim_akb",
        "optim_sp",
        "param",
        "ParVarDef",
        "ParVarDef1",
        "sEP",
        "sEP12",
        "kl",
        "perem",
        "sKab_inv0",
        "sKab_inv1",
        "akb_zaryad0",
        "akb_zaryad",
        "mc",
        "mc_y",
        "AV0",
        "AV1",
        "AV2",
        "Pr0",
        "Pr1",
        "Pr2",
        "sSutEP",
        "sSutEP0",
        "sSutEP1",
        "sSutEP2",
        "sSut",
        "sSut0",
        "sSut1",
        "sSun_day_def",
        "sSun_day",
        "sTempAB0",
        "sTempAB1",
        "sSutEP12",
        "sSutEP12_0",
        "sSutEP12_1",
        "sSutEP12_2",
    };
    return order;
}

TDataModule1::TDataModule1(Store& store, Prompter& prompter)
    : m_store(store), m_prompter(prompter) {
    for (const QString& name : openOrder()) {
        const TableDef* def = findTable(name);
        View* master = def->hasMaster() ? m_byName.value(def->master.toLower()) : nullptr;
        auto v = std::make_unique<View>(store, name, def->defaultIndex, master);
        m_byName.insert(name.toLower(), v.get());
        m_views.push_back(std::move(v));
    }
    installRules();
    for (auto& v : m_views)
        if (!v->master())
            v->refresh(); // fills the calculated columns now that their rules are in place
}

TDataModule1::~TDataModule1() {
    while (!m_views.empty())
        m_views.pop_back();
}

QString TDataModule1::dataPath() const {
    return QDir(m_store.dir()).absolutePath() + QDir::separator();
}

View& TDataModule1::tbl(const QString& table) {
    View* v = m_byName.value(table.toLower());
    if (!v)
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Таблица \"%1\" не открыта модулем данных.").arg(table));
    return *v;
}

int TDataModule1::optimUgolRejim() {
    View& p = tblParam();
    return p.isEmpty() || p[QStringLiteral("OptimUgolRejim")].isNull()
               ? 0
               : p[QStringLiteral("OptimUgolRejim")].asInteger();
}

int TDataModule1::optimUgolDay() {
    View& p = tblParam();
    return p.isEmpty() || p[QStringLiteral("OptimUgolDay")].isNull()
               ? 22
               : p[QStringLiteral("OptimUgolDay")].asInteger();
}

void TDataModule1::refuse(const QString& message) {
    m_prompter.error(message);
    throw Abort{};
}

QString TDataModule1::rewriteStoreMessage(const QString& message, const QString& f,
                                          const QString& m) {
    if (message.contains(QLatin1String("Key violation")) &&
        message.contains(QLatin1String("Index:")))
        return QStringLiteral("Нарушение уникального ключа ") + f + QStringLiteral(".\n") + m;
    if (message.startsWith(QLatin1String("Key violation.")))
        return QStringLiteral("Нарушение первичного ключа ") + f + QStringLiteral(".\n") + m;
    if (message.contains(QLatin1String("Master has detail records. Cannot delete or modify")))
        return QStringLiteral(
            "Запись главной таблицы имеет подчиненные записи в в других таблицах. "
            "Ее удаление или изменение запрещено");
    if (message.contains(QLatin1String("Field value out of lookup table range")))
        return QStringLiteral("Значение поля таблицы выходит за пределы диапазона значений таблицы "
                              "для просмотра");
    if (message.contains(QLatin1String("Master record missing")))
        return QStringLiteral("Нарушение ссылочной целостности связанных таблиц");
    return message;
}

// ---------------------------------------------------------------- generic rules

void TDataModule1::checkRequired(View& v) {
    for (int i = 0; i < v.fieldCount(); ++i) {
        Field f = v.field(i);
        if (f.isCalculated() || f.name() == QLatin1String("Kod") ||
            f.name() == QLatin1String("Kod0"))
            continue;
        if (f.isNull())
            refuse(QStringLiteral("Заполнение всех полей таблицы обязательно."));
    }
}

void TDataModule1::requireAll(View& v) {
    chain(v.beforePost, [this](View& w) { checkRequired(w); });
}

void TDataModule1::checkInclusion(View& v, const QString& flag) {
    const QString s = v[flag].asString();
    if (s != QLatin1String("+") && s != QLatin1String("-"))
        refuse(QStringLiteral("Ошибка. Поле \"Вкл.\" может принимать только два значения - \"+\" "
                              "или \"-\"."));
}

bool TDataModule1::checkGuard(View& v, const GuardRule& g) {
    View* master = v.master();
    if (!master)
        return true;
    if (g.onEmptyMaster && master->isEmpty()) {
        m_prompter.error(QStringLiteral("Перед вставкой записи в таблицу \"") + g.detailTitle +
                         QStringLiteral("\" добавьте хотя бы одну запись в таблицу \"") +
                         g.masterTitle + QStringLiteral("\"."));
        return false;
    }
    if (master->isEditing()) {
        m_prompter.error(
            QStringLiteral("Перед выполнением операции завершите работу с таблицей \"") +
            g.masterTitle +
            QStringLiteral("\", сохранив или отменив в ней изменения (кнопка \"V\" "
                           "или кнопка \"Х\" навигатора)."));
        return false;
    }
    return true;
}

void TDataModule1::installGuard(View& v, const GuardRule& g) {
    auto h = [this, g](View& w) {
        if (!checkGuard(w, g))
            throw Abort{};
    };
    chain(v.beforeInsert, h);
    chain(v.beforeEdit, h);
    if (g.onDelete)
        chain(v.beforeDelete, h);
}

void TDataModule1::installUnique(View& v, std::function<QString(View&)> f,
                                 std::function<QString(View&)> m) {
    v.onPostError = [this, f, m](View& w, const DbError& e) {
        if (!e.isRowRefusal())
            return View::ErrorAction::Fail;
        if (e.kind() == DbError::Kind::KeyViolation)
            m_prompter.error(rewriteStoreMessage(e.message(), f(w), m(w)));
        else
            m_prompter.error(rewriteStoreMessage(e.message(), QString(), QString()));
        return View::ErrorAction::Abort;
    };
}

void TDataModule1::installCascade(View& v) {
    const QStringList details = v.table().cascade;
    if (details.isEmpty())
        return;
    chain(v.beforeDelete, [this, details](View&) {
        for (const QString& name : details) {
            View* d = m_byName.value(name.toLower());
            if (!d)
                continue;
            // One detail row at a time from the first, each running its own rules and cascade.
            // The rows are going away: a guard on leaving a row (a schedule of a book not yet
            // built) must not stand in the way of deleting it.
            std::function<void(View&)> guard = std::exchange(d->beforeScroll, nullptr);
            struct Restore {
                View* v;
                std::function<void(View&)>& g;
                ~Restore() { v->beforeScroll = std::move(g); }
            } restore{d, guard};
            while (!d->isEmpty()) {
                d->first();
                if (!d->remove())
                    throw Abort{};
            }
        }
    });
}

// ---------------------------------------------------------------- special rules

void TDataModule1::invalidateSchedule(View& schedule, bool ac) {
    if (schedule.isEmpty())
        return;
    static const QStringList figures = {QStringLiteral("Wp_sut"), QStringLiteral("Pnom30min"),
                                        QStringLiteral("Pmax10min"), QStringLiteral("Ppik")};
    bool filled = false;
    for (const QString& c : figures)
        filled = filled || !schedule[c].isNull();
    if (!filled)
        return;
    if (!schedule.edit())
        return;
    for (const QString& c : figures)
        schedule[c].clear();
    if (ac)
        schedule[QStringLiteral("ClearSinus")].setBoolean(false);
    schedule.post();
}

void TDataModule1::checkScheduleCalculated(View& schedules, View& sections, View& consumers) {
    if (!m_scheduleBuildCheck || schedules.isEmpty() || consumers.isEmpty())
        return;
    static const QStringList figures = {QStringLiteral("Wp_sut"), QStringLiteral("Pnom30min"),
                                        QStringLiteral("Pmax10min"), QStringLiteral("Ppik")};
    for (const QString& c : figures)
        if (schedules[c].isNull())
            refuse(QStringLiteral("Пожалуйста, выполните расчет суточного графика \"") +
                   schedules[QStringLiteral("Name")].asString() + QStringLiteral("\" раздела \"") +
                   sections[QStringLiteral("Razdel")].asString() +
                   QStringLiteral("\" (кнопка со всплывающей подсказкой \"Формирование суточного "
                                  "графика ") +
                   QStringLiteral("и расчет его параметров\" панели инструментов вкладки "
                                  "\"Электроприемники\"), ") +
                   QStringLiteral("а затем приступайте к работе с другими суточными графиками "
                                  "справочника."));
}

void TDataModule1::controllerRatingCheck(View& v, bool ratingRow) {
    View& types = tbl(QStringLiteral("Controller1"));
    const QString algorithm =
        types.isEmpty() ? QString() : types[QStringLiteral("Algoritm1")].asString();
    if (algorithm == QLatin1String("MPPT")) {
        checkRequired(v);
        return;
    }
    if (algorithm != QLatin1String("PWM"))
        return;
    View& rating = ratingRow ? v : tbl(QStringLiteral("Controller2"));
    if (rating[QStringLiteral("Uses")].isNull() || rating[QStringLiteral("Uxx_sp")].isNull() ||
        rating[QStringLiteral("Psp")].isNull())
        refuse(QStringLiteral(
            "Заполнение полей \"Uном., В\", \"Uxx.сп, В\" и \"Рсп, Вт\" обязательно."));
    if (ratingRow &&
        (!v[QStringLiteral("Umppt_min")].isNull() || !v[QStringLiteral("Umppt_max")].isNull())) {
        m_prompter.information(QStringLiteral("Поля \"Umppt_мин., В\" и \"Umppt_макс., В\" для "
                                              "PWM-контроллеров не заполняются."));
        v[QStringLiteral("Umppt_min")].clear();
        v[QStringLiteral("Umppt_max")].clear();
    }
}

void TDataModule1::recomputeRegionTilts(int day) {
    View& regions = tbl(QStringLiteral("region0"));
    View& months = tbl(QStringLiteral("region1"));
    const Bookmark regionMark = regions.bookmark();
    const Bookmark monthMark = months.bookmark();
    Transaction tr(m_store, {&months});
    for (int r = 0; r < regions.recordCount(); ++r) {
        regions.moveTo(r);
        if (regions[QStringLiteral("Fi")].isNull())
            continue;
        const double fi = regions[QStringLiteral("Fi")].asFloat();
        for (int m = 0; m < months.recordCount(); ++m) {
            months.moveTo(m);
            const auto b = optimalTilt(fi, months[QStringLiteral("MonthName")].asString(), day);
            if (!b || !months.edit())
                continue;
            months[QStringLiteral("B")].setFloat(*b);
            if (!months.post()) {
                throw DbError(DbError::Kind::General,
                              QStringLiteral("Не удалось сохранить угол наклона региона \"%1\".")
                                  .arg(regions[QStringLiteral("Region")].asString()));
            }
        }
    }
    tr.commit();
    regions.gotoBookmark(regionMark);
    months.gotoBookmark(monthMark);
}

// E of a region's month on the plane of its tilt, from the month's horizontal source where the
// region has one; a month without a source keeps its E as typed.
void TDataModule1::derivePlaneRadiation(View& month) {
    View& region = *month.master();
    const QString name = month[QStringLiteral("MonthName")].asString();
    const int m = monthIndex(name);
    if (m == 0 || region.isEmpty() || region[QStringLiteral("Fi")].isNull() ||
        month[QStringLiteral("B")].isNull())
        return;
    QSqlQuery q =
        m_store.select(QStringLiteral("SELECT H, Kd FROM region2 WHERE Kod0 = ? AND MonthName = ?"),
                       {month[QStringLiteral("Kod0")].value(), name});
    if (!q.next() || q.isNull(0))
        return;
    const std::optional<double> kd =
        q.isNull(1) ? std::nullopt : std::optional<double>(q.value(1).toDouble());
    const double t =
        month[QStringLiteral("Tsred")].isNull() ? 10.0 : month[QStringLiteral("Tsred")].asFloat();
    month[QStringLiteral("P")].setFloat(roundHalfEven(
        sky::regionPlaneValue(region[QStringLiteral("Fi")].asFloat(), m, q.value(0).toDouble(), kd,
                              month[QStringLiteral("B")].asFloat(), t),
        2));
}

// ---------------------------------------------------------------- the rules of each table

void TDataModule1::installRules() {
    // Every view reports a row the data refuse once, in the user's words, and stays in editing.
    // A failing store (a full disk, a read-only or busy file) ends the whole operation instead:
    // its transaction is gone, and going on row by row would write outside it.
    for (auto& v : m_views)
        v->onPostError = [this](View&, const DbError& e) {
            if (!e.isRowRefusal())
                return View::ErrorAction::Fail;
            m_prompter.error(rewriteStoreMessage(e.message(), QString(), QString()));
            return View::ErrorAction::Abort;
        };

    const auto text = [](const QString& s) { return [s](View&) { return s; }; };
    const auto inTable = [](const QString& prefix, const QString& column) {
        return [prefix, column](View& v) {
            return prefix + quotedValue(v, column) + QStringLiteral(".");
        };
    };
    const QString fCompany = QStringLiteral("по полю \"Компания-производитель\"");
    const auto mCompany = inTable(
        QStringLiteral("В таблице \"Компании\" уже имеется запись с наименованием компании "),
        QStringLiteral("Company"));

    // Regions.
    {
        View& r0 = tbl(QStringLiteral("region0"));
        requireAll(r0);
        installUnique(r0, text(QStringLiteral("по полю \"Регион\"")),
                      inTable(QStringLiteral("В таблице \"Регионы\" уже имеется запись с "
                                             "наименованием региона "),
                              QStringLiteral("Region")));
        // A variant keeps the name of its region and looks the region up by it at the next
        // recalculation: deleting or renaming a region that variants name takes it from them.
        const auto askAboutVariants = [this](const QString& region, bool deleting) {
            QStringList names;
            QSqlQuery q = m_store.select(
                QStringLiteral("SELECT p0.Name, p1.VarName FROM project1 p1 JOIN project0 p0 "
                               "ON p1.Kod0 = p0.Kod WHERE p1.Region = ? ORDER BY p0.Kod, p1.Kod"),
                {region});
            while (q.next())
                names << QStringLiteral("\"") + q.value(0).toString() + QStringLiteral("\" / \"") +
                             q.value(1).toString() + QStringLiteral("\"");
            if (names.isEmpty())
                return;
            if (!m_prompter.question(
                    QStringLiteral("Регион \"") + region +
                    QStringLiteral("\" указан в вариантах расчета: ") +
                    names.join(QStringLiteral(", ")) + QStringLiteral(". После ") +
                    (deleting ? QStringLiteral("удаления") : QStringLiteral("переименования")) +
                    QStringLiteral(" региона эти варианты при следующем пересчете останутся без "
                                   "региона. Продолжить?")))
                throw Abort{};
        };
        chain(r0.beforeDelete, [askAboutVariants](View& v) {
            askAboutVariants(v[QStringLiteral("Region")].asString(), true);
        });
        chain(r0.beforePost, [askAboutVariants](View& v) {
            if (v.state() != ViewState::Edit || v.recNo() < 0)
                return;
            const QString before =
                v.valueAt(v.recNo(), v.field(QStringLiteral("Region")).index()).toString();
            if (!before.isEmpty() && before != v[QStringLiteral("Region")].asString())
                askAboutVariants(before, false);
        });
        installCascade(r0);
        chain(r0.afterPost, [this](View& v) {
            View& months = tbl(QStringLiteral("region1"));
            if (optimUgolRejim() != 0 || v[QStringLiteral("Fi")].isNull() || months.isEmpty())
                return;
            const Bookmark mark = months.bookmark();
            const double fi = v[QStringLiteral("Fi")].asFloat();
            const int day = optimUgolDay();
            Transaction tr(m_store, {&months});
            for (int m = 0; m < months.recordCount(); ++m) {
                months.moveTo(m);
                const auto b = optimalTilt(fi, months[QStringLiteral("MonthName")].asString(), day);
                if (!b || !months.edit())
                    continue;
                months[QStringLiteral("B")].setFloat(*b);
                if (!months.post())
                    return; // the transaction guard cancels the row and puts every month back
            }
            tr.commit();
            months.gotoBookmark(mark);
        });

        View& r1 = tbl(QStringLiteral("region1"));
        installGuard(
            r1, {QStringLiteral("Характеристики региона"), QStringLiteral("Регионы"), true, true});
        chain(r1.beforePost, [this](View& v) {
            const bool automatic = optimUgolRejim() == 0;
            if (automatic) {
                if (v[QStringLiteral("MonthName")].isNull() || v[QStringLiteral("P")].isNull() ||
                    v[QStringLiteral("Tsred")].isNull())
                    refuse(QStringLiteral("Ошибка. Заполнение полей \"Месяц\", "
                                          "\"Е, кВт*ч/(м2*день)\" и \"Tср., град.\" обязательно."));
            } else {
                checkRequired(v);
            }
            const QString month = v[QStringLiteral("MonthName")].asString();
            if (!month.isEmpty() && monthIndex(month) == 0)
                refuse(QStringLiteral("Ошибка. \"") + month +
                       QStringLiteral("\" - не название месяца. Допустимы названия от \"январь\" "
                                      "до \"декабрь\"."));
            View& region = *v.master();
            if (automatic && !region.isEmpty() && !region[QStringLiteral("Fi")].isNull())
                v[QStringLiteral("B")].setFloat(
                    *optimalTilt(region[QStringLiteral("Fi")].asFloat(), month, optimUgolDay()));
            derivePlaneRadiation(v);
        });
        installUnique(r1, text(QStringLiteral("по полю \"Месяц\"")),
                      inTable(QStringLiteral("В таблице \"Характеристики региона\" уже имеется "
                                             "запись с наименованием месяца "),
                              QStringLiteral("MonthName")));

        // The horizontal sources: a month once, a month name, the radiation given; a source
        // written makes its month's E again.
        View& r2 = tbl(QStringLiteral("region2"));
        installGuard(r2, {QStringLiteral("Горизонтальная радиация региона"),
                          QStringLiteral("Регионы"), true, true});
        chain(r2.beforePost, [this](View& v) {
            const QString month = v[QStringLiteral("MonthName")].asString();
            if (monthIndex(month) == 0)
                refuse(QStringLiteral("Ошибка. \"") + month +
                       QStringLiteral("\" - не название месяца. Допустимы названия от \"январь\" "
                                      "до \"декабрь\"."));
            if (v[QStringLiteral("H")].isNull())
                refuse(QStringLiteral("Ошибка. Заполнение поля \"H\" (радиация на "
                                      "горизонтальную площадку) обязательно."));
        });
        chain(r2.afterPost, [this](View& v) {
            View& months = tbl(QStringLiteral("region1"));
            const Bookmark mark = months.bookmark();
            if (months.locate(QStringLiteral("MonthName"),
                              v[QStringLiteral("MonthName")].asString()) &&
                months.edit())
                months.post();
            months.gotoBookmark(mark);
        });
        installUnique(r2, text(QStringLiteral("по полю \"Месяц\"")),
                      inTable(QStringLiteral("В таблице \"Горизонтальная радиация региона\" уже "
                                             "имеется запись с наименованием месяца "),
                              QStringLiteral("MonthName")));
    }

    // Equipment makers: required, inclusion flag, unique company, cascade.
    const struct {
        const char* table;
        const char* flag;
    } makers[] = {{"SunPanel0", "UseSP"}, {"akb0", "UseAKB"}, {"Controller0", "UseCtrl"},
                  {"Invert0", "UseInv"},  {"AV0", nullptr},   {"Pr0", nullptr}};
    for (const auto& mk : makers) {
        View& v = tbl(QString::fromLatin1(mk.table));
        requireAll(v);
        if (mk.flag) {
            const QString flag = QString::fromLatin1(mk.flag);
            chain(v.beforePost, [this, flag](View& w) { checkInclusion(w, flag); });
        }
        installUnique(v, text(fCompany), mCompany);
        installCascade(v);
    }

    // Equipment types and their details.
    const struct {
        const char* table;
        const char* flag; // inclusion flag or nullptr
        bool required;
        const char* detailTitle;
        const char* masterTitle;
        bool guardOnDelete;
        const char* f;
        const char* m;
        const char* column;
    } details[] = {
        {"SunPanel1", "UseSP", true, "Солнечные панели", "Компании", true, "по полю \"Тип\"",
         "В таблице \"Солнечные панели\" уже имеется запись с наименованием типа солнечной панели ",
         "Tip"},
        {"akb1", "UseAKB", true, "Типы аккумуляторов", "Компании", true,
         "по полю \"Тип (технология)\"",
         "В таблице \"Типы аккумуляторов\" уже имеется запись с наименованием типа (технологии "
         "изготовления) аккумулятора ",
         "Tip"},
        {"akb2", "UseAKB", true, "Аккумуляторы", "Типы аккумуляторов", true,
         "по полю \"Наименование\"",
         "В таблице \"Аккумуляторы\" уже имеется запись с наименованием аккумулятора ", "Name"},
        {"Controller1", "UseCtrl", true, "Контроллеры", "Компании", true, "по полю \"Тип\"",
         "В таблице \"Контроллеры\" уже имеется запись с наименованием типа контроллера ", "Tip"},
        {"Controller2", nullptr, false, "Мощности СП", "Контроллеры", false, "по полю \"Uном., В\"",
         "В таблице \"Мощности СП\" уже имеется запись с номинальным напряжением системы ", "Uses"},
        {"Controller4", nullptr, false, "Типы АБ", "Мощности СП", false, "по полю \"Тип АБ\"",
         "В таблице \"Типы АБ\" уже имеется запись с типом (технологией изготовления) "
         "аккумуляторной батареи ",
         "TipAKB"},
        {"Invert1", "UseInv", true, "Инверторы", "Компании", false, "по полю \"Тип\"",
         "В таблице \"Инверторы\" уже имеется запись с наименованием типа инвертора ", "Name"},
        {"AV1", nullptr, true, "Автоматические выключатели", "Компании", true, "по полю \"Тип\"",
         "В таблице \"Автоматические выключатели\" уже имеется запись с наименованием типа "
         "автоматического выключателя ",
         "Name"},
        {"AV2", nullptr, true, "Параметры инверторов", "Автоматические выключатели", true,
         "по полю \"Uсэс, В\"",
         "В таблице \"Параметры инверторов\" уже имеется запись с номинальным напряжением "
         "солнечной электростанции ",
         "Uses"},
        {"Pr1", nullptr, true, "Предохранители", "Компании", true, "по полю \"Тип предохранителя\"",
         "В таблице \"Предохранители\" уже имеется запись с наименованием типа предохранителя ",
         "Name"},
        {"Pr2", nullptr, true, "Параметры инверторов", "Предохранители", true,
         "по полю \"Uсэс, В\"",
         "В таблице \"Параметры инверторов\" уже имеется запись с номинальным напряжением "
         "солнечной электростанции ",
         "Uses"},
        {"sKab_inv1", nullptr, true, "Данные проводов (кабелей)", "Мощности инверторов", false,
         "по полю \"Uаб, В\"",
         "В таблице \"Данные проводов (кабелей)\" уже имеется запись с номинальным напряжением "
         "аккумуляторной батареи ",
         "Uakb"},
        {"akb_zaryad", nullptr, true, "Напряжение АБ", "Типы АБ", true, "по полю \"Зарядка АБ, %\"",
         "В таблице \"Напряжение АБ\" уже имеется запись со значением уровня заряда аккумуляторной "
         "батареи ",
         "Zaryad"},
        {"sTempAB1", nullptr, true, "Температура эксплуатации АБ", "Помещения", true,
         "по полю \"Месяц\"",
         "В таблице \"Температура эксплуатации АБ\" уже имеется запись с наименованием месяца ",
         "MonthName"},
    };
    for (const auto& d : details) {
        View& v = tbl(QString::fromUtf8(d.table));
        installGuard(v, {QString::fromUtf8(d.detailTitle), QString::fromUtf8(d.masterTitle), true,
                         d.guardOnDelete});
        if (d.required)
            requireAll(v);
        if (d.flag) {
            const QString flag = QString::fromLatin1(d.flag);
            chain(v.beforePost, [this, flag](View& w) { checkInclusion(w, flag); });
        }
        installUnique(v, text(QString::fromUtf8(d.f)),
                      inTable(QString::fromUtf8(d.m), QString::fromLatin1(d.column)));
        installCascade(v);
    }
    // Inverters with chargers: kept for reference only, with the guards and cascades of a catalog.
    {
        View& makers = tbl(QStringLiteral("Inv_zu0"));
        requireAll(makers);
        installCascade(makers);
        View& types = tbl(QStringLiteral("Inv_zu1"));
        installGuard(types, {QStringLiteral("Инверторы с зарядными устройствами"),
                             QStringLiteral("Компании"), true, true});
        installCascade(types);
        installGuard(tbl(QStringLiteral("Inv_zu2")),
                     {QStringLiteral("Типы АКБ"),
                      QStringLiteral("Инверторы с зарядными устройствами"), true, true});
    }
    chain(tbl(QStringLiteral("Controller2")).beforePost,
          [this](View& v) { controllerRatingCheck(v, true); });
    chain(tbl(QStringLiteral("Controller4")).beforePost,
          [this](View& v) { controllerRatingCheck(v, false); });

    // Plain catalogs: required columns and a unique value.
    const struct {
        const char* table;
        const char* f;
        const char* m;
        const char* column;
    } plain[] = {
        {"kl", "по полю \"S, мм2\"",
         "В таблице данных уже имеется запись с сечением жилы провода (кабеля) ", "Sech"},
        {"sKab_inv0", "по полю \"Ринв., Вт\"",
         "В таблице мощностей инверторов уже имеется запись с номинальной мощностью инвертора ",
         "Pinv"},
        {"perem", "по полю \"S, мм2\"",
         "В таблице \"Аккумуляторные перемычки\" уже имеется запись с сечением жилы перемычки ",
         "Sech"},
        {"mc", "по полю \"Тип\"",
         "В таблице \"Коннекторы линейные\" уже имеется запись с типом коннектора ", "Tip"},
        {"mc_y", "по полю \"Тип\"",
         "В таблице \"Коннекторы-разветвители\" уже имеется запись с типом коннектора ", "Tip"},
        {"akb_zaryad0", "по полю \"Тип АБ\"",
         "В таблице \"Типы АБ\" уже имеется запись с типом (технологией изготовления) "
         "аккумуляторной "
         "батареи ",
         "TipAKB"},
        {"Ktemp", "по полю \"Т, град. С\"",
         "В таблице \"Коэффициенты\" уже имеется запись с температурой окружающей среды ", "T"},
        {"Ktemp1", "по полю \"Т, град. С\"",
         "В таблице \"Коэффициенты\" уже имеется запись с температурой окружающей среды ", "T"},
    };
    for (const auto& p : plain) {
        View& v = tbl(QString::fromLatin1(p.table));
        requireAll(v);
        installUnique(v, text(QString::fromUtf8(p.f)),
                      inTable(QString::fromUtf8(p.m), QString::fromLatin1(p.column)));
        installCascade(v);
    }
    for (const char* name : {"Kproiz", "Kproiz1"}) {
        View& v = tbl(QString::fromLatin1(name));
        requireAll(v);
        installUnique(
            v, text(QStringLiteral("по полям \"Ао, град.\", \"Ан, град.\"")), [](View& w) {
                return QStringLiteral(
                           "В таблице уже имеется запись со значениями углов ориентации и "
                           "наклона солнечных панелей соответственно ") +
                       w[QStringLiteral("UgolOrient")].asString() + QStringLiteral(" и ") +
                       w[QStringLiteral("UgolNakl")].asString() + QStringLiteral(" градусов.");
            });
    }
    {
        View& v = tbl(QStringLiteral("Kproiz2"));
        requireAll(v);
        installUnique(v, text(QStringLiteral("по полю \"А, град.\"")), [](View& w) {
            return QStringLiteral("В таблице уже имеется запись со значением угла отклонения "
                                  "солнечных лучей ") +
                   w[QStringLiteral("Ugol")].asString() + QStringLiteral(" градусов.");
        });
    }
    for (const char* name : {"sEP", "sEP12"}) {
        View& v = tbl(QString::fromLatin1(name));
        requireAll(v);
        installUnique(v,
                      text(QStringLiteral("по полям \"Наименование\", \"Рном., Вт\", "
                                          "\"Iпуск./Iном.\"")),
                      [](View& w) {
                          return QStringLiteral("В таблице \"Электроприемники\" уже имеется запись "
                                                "с электроприемником \"") +
                                 w[QStringLiteral("Name")].asString() +
                                 QStringLiteral("\" (номинальная мощность ") +
                                 w[QStringLiteral("Pnom")].asString() + QStringLiteral(" Вт, ") +
                                 QStringLiteral("отношение пускового тока к номинальному ") +
                                 w[QStringLiteral("Ip_In")].asString() + QStringLiteral(").");
                      });
    }

    // Rooms.
    {
        View& v = tbl(QStringLiteral("sTempAB0"));
        requireAll(v);
        installCascade(v);
    }

    // Day-light hours: twelve fixed rows.
    for (const char* name : {"sSun_day", "sSun_day_def"}) {
        View& v = tbl(QString::fromLatin1(name));
        const QString second = QStringLiteral("Разрешается редактирование всех полей имеющихся "
                                              "записей, кроме поля \"Месяц\".");
        chain(v.beforeInsert, [this, second](View&) {
            refuse(QStringLiteral("Добавление записей в таблицу запрещено.\n") + second);
        });
        chain(v.beforeDelete, [this, second](View&) {
            refuse(QStringLiteral("Удаление записей из таблицы запрещено.\n") + second);
        });
        chain(v.beforePost, [this](View& w) {
            if (w[QStringLiteral("Zakat10")].isNull() || w[QStringLiteral("Voshod10")].isNull() ||
                !(w[QStringLiteral("Zakat10")].asFloat() > w[QStringLiteral("Voshod10")].asFloat()))
                refuse(
                    QStringLiteral("Время заката солнца должно быть больше времени его восхода."));
        });
    }

    // Schedule books.
    const QString sectionsTitle = QStringLiteral("Разделы");
    const QString schedulesTitle = QStringLiteral("Суточные графики раздела");
    const auto requireRazdel = [this](View& w) {
        if (w[QStringLiteral("Razdel")].isNull())
            refuse(QStringLiteral("Ошибка. Заполнение поля \"Раздел\" таблицы обязательно."));
    };
    const auto requireName = [this](View& w) {
        if (w[QStringLiteral("Name")].isNull())
            refuse(QStringLiteral("Ошибка. Заполнение поля \"Наименование\" таблицы обязательно."));
    };
    for (const char* name : {"sSut", "sSutEP", "sSutEP12"}) {
        View& v = tbl(QString::fromLatin1(name));
        chain(v.beforePost, requireRazdel);
        installCascade(v);
    }
    for (const char* name : {"sSut0", "sSutEP0"}) {
        View& v = tbl(QString::fromLatin1(name));
        installGuard(v, {schedulesTitle, sectionsTitle, true, true});
        chain(v.beforePost, requireName);
        installCascade(v);
    }
    {
        View& v = tbl(QStringLiteral("sSutEP12_0"));
        installGuard(v, {QString(), sectionsTitle, false, true});
        chain(v.beforePost, [this](View& w) {
            if (w[QStringLiteral("Name")].isNull() || w[QStringLiteral("Unom")].isNull())
                refuse(QStringLiteral("Ошибка. Заполнение полей \"Наименование\" и \"Uном., В\" "
                                      "таблицы обязательно."));
        });
        installCascade(v);
    }
    const struct {
        const char* sections;
        const char* schedules;
        const char* consumers;
        const char* intervals;
        bool ac;
    } books[] = {{"sSutEP", "sSutEP0", "sSutEP1", "sSutEP2", true},
                 {"sSutEP12", "sSutEP12_0", "sSutEP12_1", "sSutEP12_2", false}};
    for (const auto& b : books) {
        View& sections = tbl(QString::fromLatin1(b.sections));
        View& schedules = tbl(QString::fromLatin1(b.schedules));
        View& consumers = tbl(QString::fromLatin1(b.consumers));
        View& intervals = tbl(QString::fromLatin1(b.intervals));
        const bool ac = b.ac;
        const auto calculated = [this, &schedules, &sections, &consumers](View&) {
            checkScheduleCalculated(schedules, sections, consumers);
        };
        chain(sections.beforeScroll, calculated);
        chain(schedules.beforeScroll, calculated);
        chain(consumers.beforePost, [](View& w) {
            for (const auto& [total, one] :
                 {std::pair{QStringLiteral("SPnom"), QStringLiteral("Pnom")},
                  std::pair{QStringLiteral("SPpik"), QStringLiteral("Ppik")}}) {
                if (w[one].isNull() || w[QStringLiteral("Kol_vo")].isNull())
                    continue;
                w[total].setFloat(
                    roundPattern(w[one].asFloat() * w[QStringLiteral("Kol_vo")].asInteger(),
                                 QStringLiteral("0.##")));
            }
        });
        const auto invalidate = [this, &schedules, ac](View&) {
            invalidateSchedule(schedules, ac);
        };
        chain(consumers.afterPost, invalidate);
        chain(consumers.afterDelete, invalidate);
        installCascade(consumers);
        chain(intervals.beforeInsert, [this, &consumers](View&) {
            if (consumers.isEmpty())
                refuse(QStringLiteral("Перед вставкой записи в таблицу \"Время работы\" добавьте "
                                      "хотя бы одну запись в таблицу \"Электроприемники\"."));
        });
        requireAll(intervals);
        chain(intervals.afterPost, invalidate);
        chain(intervals.afterDelete, invalidate);
    }

    // Projects and variants.
    for (const char* name : {"project0", "project1", "proj_inv", "proj_graf0", "proj_graf12_0",
                             "proj_ep0", "proj_ep12_0", "ParVarDef"})
        installCascade(tbl(QString::fromLatin1(name)));

    View& variant = tblProj1();
    chain(variant.beforePost, [](View& v) {
        if (v[QStringLiteral("Sposob_kab_akb")].isNull())
            v[QStringLiteral("Sposob_kab_akb")].setValue(
                v[QStringLiteral("Spos_KL_AKB_Output")].value());
        if (v[QStringLiteral("Lkab_akb")].isNull())
            v[QStringLiteral("Lkab_akb")].setValue(v[QStringLiteral("L_KL_AKB_Output")].value());
    });
    const auto fillFromVariant = [this](View& v, const QString& column,
                                        const QString& fromVariant) {
        View& var = tblProj1();
        if (v[column].isNull() && !var.isEmpty())
            v[column].setValue(var[fromVariant].value());
    };
    chain(tblProj_Mas().beforePost, [fillFromVariant](View& v) {
        fillFromVariant(v, QStringLiteral("Sposob_kab"), QStringLiteral("Spos_KL_Mas_Ctrl"));
        fillFromVariant(v, QStringLiteral("Lkab"), QStringLiteral("L_KL_Mas_Ctrl"));
        fillFromVariant(v, QStringLiteral("Sposob_kab_akb"), QStringLiteral("Spos_KL_Ctrl_AKB"));
        fillFromVariant(v, QStringLiteral("Lkab_akb"), QStringLiteral("L_KL_Ctrl_AKB"));
    });
    tblProj_Mas().onCalcFields = [this](View& v) {
        View& var = tblProj1();
        Field sum = v[QStringLiteral("SumUxx")];
        if (v[QStringLiteral("KolPosled")].isNull() || var.isEmpty() ||
            var[QStringLiteral("Voc_SP")].isNull()) {
            sum.clear();
            return;
        }
        sum.setFloat(roundPattern(v[QStringLiteral("KolPosled")].asInteger() *
                                      var[QStringLiteral("Voc_SP")].asFloat(),
                                  QStringLiteral("0.##")));
    };
    chain(tblProj_Inv().beforePost, [fillFromVariant](View& v) {
        fillFromVariant(v, QStringLiteral("Sposob_kab_inv"), QStringLiteral("Spos_KL_AKB_Inv"));
        fillFromVariant(v, QStringLiteral("Lkab_inv"), QStringLiteral("L_KL_AKB_Inv"));
    });
    tblProj_Inv().onCalcFields = [](View& v) {
        const auto current = [&v](const QString& power, const QString& result) {
            Field out = v[result];
            const double u = v[QStringLiteral("Uvh_Inv")].asFloat();
            // A zero input voltage leaves the current empty instead of infinite.
            if (v[QStringLiteral("Uvh_Inv")].isNull() || v[power].isNull() || u == 0) {
                out.clear();
                return;
            }
            // Whole amperes as the pattern "0" writes them: a current of 162,5 A shows 163.
            out.setFloat(roundPattern(v[power].asFloat() / u, QStringLiteral("0")));
        };
        current(QStringLiteral("Pnom_Inv"), QStringLiteral("Inom_Inv"));
        current(QStringLiteral("Pmax_Inv"), QStringLiteral("Imax_Inv"));
        current(QStringLiteral("Ppik_Inv"), QStringLiteral("Ipik_Inv"));
    };
    for (const char* name : {"proj_ep0", "proj_ep12_0"})
        chain(tbl(QString::fromLatin1(name)).beforePost, [](View& v) {
            const Field n = v[QStringLiteral("Kol_vo")];
            for (const auto& [total, one] :
                 {std::pair{QStringLiteral("SPnom"), QStringLiteral("Pnom")},
                  std::pair{QStringLiteral("SPpik"), QStringLiteral("Ppik")}}) {
                if (n.isNull() || v[one].isNull())
                    v[total].clear();
                else
                    v[total].setFloat(n.asInteger() * v[one].asFloat());
            }
        });
    const struct {
        const char* consumers;
        const char* intervals;
    } periods[] = {{"proj_ep0", "proj_ep1"}, {"proj_ep12_0", "proj_ep12_1"}};
    for (const auto& p : periods) {
        View& consumers = tbl(QString::fromLatin1(p.consumers));
        View& intervals = tbl(QString::fromLatin1(p.intervals));
        chain(intervals.beforeInsert, [this, &consumers](View&) {
            if (consumers.isEmpty())
                refuse(QStringLiteral("Перед вставкой записи в таблицу \"Время работы\" добавьте "
                                      "хотя бы одну запись в таблицу \"Электроприемники\"."));
        });
        chain(intervals.beforePost, [this](View& v) {
            if (v[QStringLiteral("T1")].isNull() || v[QStringLiteral("T2")].isNull() ||
                !(v[QStringLiteral("T2")].asFloat() > v[QStringLiteral("T1")].asFloat()))
                refuse(QStringLiteral("Значение поля \"Т1, час.\" должно быть меньше значения поля "
                                      "\"Т2, час.\"."));
        });
    }
}

} // namespace ses
