#pragma once
// The data module: one view of every table, opened at start with its index and master link, and
// the rules every window relies on (required columns, detail guards, unique-value messages,
// values completed on save, calculated columns, delete cascades, the regions' optimal tilt).

#include "data/store.h"
#include "data/view.h"
#include "lib/prompter.h"

#include <QHash>
#include <memory>
#include <vector>

namespace ses {

class TDataModule1 {
public:
    TDataModule1(Store& store, Prompter& prompter);
    ~TDataModule1(); // closes every view, details before masters

    // The order in which the views are opened (masters before their details).
    static const QStringList& openOrder();

    Store& store() { return m_store; }
    Prompter& prompter() { return m_prompter; }
    // The data directory with a trailing separator (pictures for the export are written there).
    QString dataPath() const;

    View& tbl(const QString& table); // throws DbError for a table the module does not open
    View& tblProj0() { return tbl(QStringLiteral("project0")); }
    View& tblProj1() { return tbl(QStringLiteral("project1")); }
    View& tblProj_Mas() { return tbl(QStringLiteral("proj_mas")); }
    View& tblProj_Inv() { return tbl(QStringLiteral("proj_inv")); }
    View& tblParam() { return tbl(QStringLiteral("param")); }

    // Settings with their defaults while the settings row or column is empty.
    int optimUgolRejim();
    int optimUgolDay();

    // Rewrites the optimal tilt of every month row of every region for the given day, restoring
    // the current region and month rows. Runs in one transaction.
    void recomputeRegionTilts(int day);

    // The consumer-detailed books hold the user on a schedule whose consumers changed until it is
    // built again. A bulk load that builds every figure when it is done turns that off.
    void setScheduleBuildCheck(bool on) { m_scheduleBuildCheck = on; }

    // The store's English messages in the user's words.
    static QString rewriteStoreMessage(const QString& message, const QString& f, const QString& m);

private:
    struct GuardRule {
        QString detailTitle, masterTitle;
        bool onEmptyMaster = true; // false: only the "master is being edited" half
        bool onDelete = false;
    };
    void installRules();
    void installGuard(View& v, const GuardRule& g);
    void installUnique(View& v, std::function<QString(View&)> f, std::function<QString(View&)> m);
    void installCascade(View& v);
    void requireAll(View& v);
    void checkRequired(View& v);
    void derivePlaneRadiation(View& month);
    void checkInclusion(View& v, const QString& flag);
    bool checkGuard(View& v, const GuardRule& g);
    void invalidateSchedule(View& schedule, bool ac);
    void checkScheduleCalculated(View& schedules, View& sections, View& consumers);
    void controllerRatingCheck(View& v, bool ratingRow);
    [[noreturn]] void refuse(const QString& message);

    Store& m_store;
    Prompter& m_prompter;
    std::vector<std::unique_ptr<View>> m_views; // in open order
    QHash<QString, View*> m_byName;             // lower-case table name
    bool m_scheduleBuildCheck = true;
};

} // namespace ses
