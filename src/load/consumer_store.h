#pragma once
// The consumers and operating periods of a schedule built from consumers, through the data
// module: reading them for the computations, the edits of the consumer dialog, the snapshot that
// "Отмена" restores, the consumer clipboard, and the consumer-detailed schedule books
// (sSutEP -> sSutEP0 -> sSutEP1 -> sSutEP2, sSutEP12 -> ... -> sSutEP12_2). Every write of more
// than one row runs in one transaction: it happens whole or not at all. A write refused by a
// table rule returns false; the rule has told the user why.

#include "load/consumers.h"
#include "load/schedule_store.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <utility>
#include <vector>

namespace ses {

class Store;
class TDataModule1;
class View;
struct TableDef;

// The tables of one level of consumer detail: the schedules, their consumers, their periods.
struct ConsumerTables {
    QString schedules, consumers, periods;
};
// proj_graf0 / proj_ep0 / proj_ep1 (AC) or proj_graf12_0 / proj_ep12_0 / proj_ep12_1 (DC).
ConsumerTables projectConsumerTables(bool ac);
// sSutEP0 / sSutEP1 / sSutEP2 (AC) or sSutEP12_0 / sSutEP12_1 / sSutEP12_2 (DC).
ConsumerTables bookConsumerTables(bool ac);
// sSutEP or sSutEP12.
QString bookSectionsTable(bool ac);

// Where the consumers being edited hang: under the current schedule of the variant (the consumer
// dialogs) or under the current schedule of a consumer-detailed book (the book's window).
enum class ConsumerPlace { Project, Book };
ConsumerTables consumerTables(bool ac, ConsumerPlace place);

// One consumer as stored: the columns after its two keys, in table order (the project's and the
// book's consumer tables have the same ones), and its periods (T1, T2) in stored order.
struct ConsumerRecord {
    std::vector<QVariant> fields;
    std::vector<std::pair<QVariant, QVariant>> periods;
    bool operator==(const ConsumerRecord&) const = default;
};
// A named column of a record of that consumer table; a null value when the table has no such
// column (ClearSinus of a DC consumer, Unom of an AC one).
QVariant recordField(const ConsumerRecord& r, const TableDef& consumers, const QString& column);

// The consumers of the current schedule row of the data module's view t.schedules, each with its
// periods. The data module's own consumer and period views do not move.
std::vector<ConsumerRecord> readConsumerRecords(TDataModule1& dm, const ConsumerTables& t);
// The same under the current row of any view of t.schedules (a window's own view of a book).
std::vector<ConsumerRecord> readConsumerRecords(Store& store, View& schedules,
                                                const ConsumerTables& t);
std::vector<ConsumerRecord> currentConsumerRecords(TDataModule1& dm, bool ac,
                                                   ConsumerPlace place = ConsumerPlace::Project);
// The records as the computations take them.
std::vector<Consumer> toConsumers(const std::vector<ConsumerRecord>& records,
                                  const TableDef& consumers);
std::vector<Consumer> currentConsumers(TDataModule1& dm, bool ac,
                                       ConsumerPlace place = ConsumerPlace::Project);

// What a schedule of consumers amounts to: its interval table, its energy and powers, its peak
// and whether any consumer needs a pure sine (AC).
struct ConsumerFigures {
    IntervalTexts intervals;
    ScheduleParams params;
    double peak = 0;
    bool clearSinus = false;
    // Why no schedule can be made (a period outside the day, the interval test's refusal);
    // the figures then stay zero.
    std::optional<QString> intervalError;
};
// Empty intervals (and zero figures) without any period.
ConsumerFigures consumerFigures(const std::vector<Consumer>& consumers, int nomMinutes,
                                int maxMinutes);

// Fills a draft (name and month range set) with what the consumers make of it: their intervals,
// the energy and powers, the monthly rows of its range, the peak and the pure-sine flag.
void fillFromConsumers(ScheduleDraft& draft, const ConsumerFigures& figures,
                       const ScheduleInputs& in);

// Edits of the current schedule's consumers.
// Appends a consumer made from a catalog row; it becomes the current consumer.
bool appendConsumer(TDataModule1& dm, bool ac, const ConsumerFields& c,
                    ConsumerPlace place = ConsumerPlace::Project);
// Replaces the current consumer's fields; its periods stay.
bool replaceConsumer(TDataModule1& dm, bool ac, const ConsumerFields& c,
                     ConsumerPlace place = ConsumerPlace::Project);
// Deletes the current consumer with its periods.
bool deleteConsumer(TDataModule1& dm, bool ac, ConsumerPlace place = ConsumerPlace::Project);
// Replaces every period of the current consumer.
bool replacePeriods(TDataModule1& dm, bool ac,
                    const std::vector<std::pair<double, double>>& periods,
                    ConsumerPlace place = ConsumerPlace::Project);
// Appends copies of the records (the clipboard) after the consumers there are.
bool appendConsumers(TDataModule1& dm, bool ac, const std::vector<ConsumerRecord>& records,
                     ConsumerPlace place = ConsumerPlace::Project);
// Deletes every consumer of the schedule and appends copies of the records instead.
bool replaceConsumers(TDataModule1& dm, bool ac, const std::vector<ConsumerRecord>& records);

// The consumers and periods of the current schedule with their keys, as "Отмена" puts them back.
struct ConsumerSnapshot {
    struct Row {
        QVariant key;
        ConsumerRecord record;
        std::vector<QVariant> periodKeys;
        bool operator==(const Row&) const = default;
    };
    QVariant scheduleKey; // null when there was no schedule row
    std::vector<Row> rows;
};
ConsumerSnapshot snapshotConsumers(TDataModule1& dm, bool ac);
// Brings the schedule's consumers and periods back to the snapshot, keys included; nothing is
// written when they are as they were. The schedule row is found by its key.
bool restoreConsumers(TDataModule1& dm, bool ac, const ConsumerSnapshot& snapshot);

// The consumer clipboard: copies of consumers with their periods, kept by the dialog of one kind
// for as long as the program runs.
using ConsumerClipboard = std::vector<ConsumerRecord>;

// The consumer-detailed schedule books.
QStringList consumerBookSections(TDataModule1& dm, bool ac);
// Appends a schedule to the book under the section of that name (appended when there is none)
// with copies of the records, then writes the figures the book keeps for it (Wp_sut, Pnom30min,
// Pmax10min, Ppik and, AC, ClearSinus). A DC book schedule needs its voltage: unom (the variant's
// system voltage). All in one transaction.
bool saveToConsumerBook(TDataModule1& dm, bool ac, const QString& section, const QString& name,
                        const std::vector<ConsumerRecord>& records, const ConsumerFigures& figures,
                        std::optional<double> unom);

// Writes what a build made of the book's current schedule (Wp_sut, Pnom30min, Pmax10min, Ppik
// and, AC, ClearSinus) into its row. A build with an error leaves the figures empty.
bool writeBookFigures(TDataModule1& dm, bool ac, const BookScheduleBuild& build);

// The first of the names that begins with the typed text, ignoring case; -1 for none or for an
// empty text.
int firstNameMatch(const QStringList& names, const QString& typed);

} // namespace ses
