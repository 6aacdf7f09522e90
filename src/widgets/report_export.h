#pragma once
// "Экспорт..." of every window: the button and the one path from the report writer's open to the
// document shown in the desktop's application, or the failure told to the user.

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QAbstractItemModel;
class QPushButton;
class QWidget;

namespace ses {

class Prompter;
class ReportWriter;

// "Экспорт..." with its hint; the caller connects it.
QPushButton* makeExportButton(QWidget* parent, const QString& hint);

// Writes a report into a new document under the wait cursor (without it for the quick reports of
// the chart windows): `write` opens the report and writes its blocks, the document is then closed,
// opened in the desktop's application and its path told; a report that cannot be written is told
// instead and nothing is opened.
enum class ExportCursor { Wait, Plain };
void exportReport(Prompter& prompter, const std::function<void(ReportWriter&)>& write,
                  ExportCursor cursor = ExportCursor::Wait);

// A grid's table for the report: the column headings, then each row's display texts.
std::vector<QStringList> reportTableRows(const QAbstractItemModel& model);

} // namespace ses
