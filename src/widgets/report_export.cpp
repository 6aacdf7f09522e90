#include "widgets/report_export.h"

#include "lib/prompter.h"
#include "reports/document_report_writer.h"
#include "widgets/wait_cursor.h"

#include <QAbstractItemModel>
#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>

#include <optional>

namespace ses {

QPushButton* makeExportButton(QWidget* parent, const QString& hint) {
    auto* b = new QPushButton(QStringLiteral("Экспорт..."), parent);
    b->setObjectName(QStringLiteral("export"));
    b->setToolTip(hint);
    b->setAutoDefault(false);
    b->setMinimumWidth(90);
    return b;
}

void exportReport(Prompter& prompter, const std::function<void(ReportWriter&)>& write,
                  ExportCursor cursor) {
    QString path;
    try {
        std::optional<WaitCursor> wait;
        if (cursor == ExportCursor::Wait)
            wait.emplace();
        DocumentReportWriter w;
        write(w);
        path = w.closeReport();
    } catch (const ReportError& e) {
        prompter.error(e.message());
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    prompter.information(QStringLiteral("Отчет сохранен в файле:\n") + path);
}

std::vector<QStringList> reportTableRows(const QAbstractItemModel& model) {
    std::vector<QStringList> rows;
    QStringList head;
    for (int c = 0; c < model.columnCount(); ++c)
        head << model.headerData(c, Qt::Horizontal).toString();
    rows.push_back(head);
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells << model.data(model.index(r, c)).toString();
        rows.push_back(cells);
    }
    return rows;
}

} // namespace ses
