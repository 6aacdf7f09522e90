#include "widgets/catalog_csv_buttons.h"

#include "data/data_module.h"
#include "widgets/wait_cursor.h"

#include <QDir>
#include <QFileDialog>
#include <QPushButton>

namespace ses {

bool exportCatalogCsv(TDataModule1& dm, Prompter& prompter, const QString& className,
                      const QString& folder, const std::function<bool()>& saveEdits) {
    const CatalogDef* def = findCatalog(className);
    if (!def || (saveEdits && !saveEdits()))
        return false;
    try {
        const WaitCursor wait; // a catalog of tens of thousands of rows takes a moment
        exportCatalog(dm, *def, folder);
    } catch (const DbError& e) {
        prompter.error(e.message());
        return false;
    }
    prompter.information(QStringLiteral("Таблицы справочника записаны в папку \"") +
                         QDir::toNativeSeparators(folder) + QStringLiteral("\"."));
    return true;
}

bool importCatalogCsv(TDataModule1& dm, Prompter& prompter, const QString& className,
                      const QString& folder, ImportMode mode,
                      const std::function<bool()>& saveEdits) {
    const CatalogDef* def = findCatalog(className);
    if (!def || (saveEdits && !saveEdits()))
        return false;
    CatalogImportReport report;
    try {
        const WaitCursor wait;
        report = importCatalog(dm, *def, folder, mode);
    } catch (const DbError& e) {
        prompter.error(e.message() + QStringLiteral("\nСправочник не изменен."));
        return false;
    }
    if (!report.ok()) {
        constexpr int shown = 20;
        QStringList lines = report.refusals.mid(0, shown);
        if (report.refusals.size() > shown)
            lines << QStringLiteral("... и еще строк: %1.").arg(report.refusals.size() - shown);
        prompter.error(QStringLiteral("Импорт отменен, справочник не изменен. Отклонено строк: "
                                      "%1.\n")
                           .arg(report.refusals.size()) +
                       lines.join(QLatin1Char('\n')));
        return false;
    }
    prompter.information(QStringLiteral("Загружено записей: %1.").arg(report.imported));
    return true;
}

std::vector<QPushButton*> catalogCsvButtons(QWidget* window, TDataModule1& dm, Prompter& prompter,
                                            const QString& className,
                                            std::function<bool()> saveEdits) {
    auto* exportButton = new QPushButton(QStringLiteral("Экспорт в CSV..."), window);
    exportButton->setObjectName(QStringLiteral("exportCsv"));
    exportButton->setToolTip(
        QStringLiteral("Записать таблицы справочника в папку, по файлу CSV на таблицу"));
    auto* importButton = new QPushButton(QStringLiteral("Импорт из CSV..."), window);
    importButton->setObjectName(QStringLiteral("importCsv"));
    importButton->setToolTip(QStringLiteral("Загрузить таблицы справочника из файлов CSV папки"));
    QObject::connect(exportButton, &QPushButton::clicked, window, [=, &dm, &prompter] {
        const QString folder = QFileDialog::getExistingDirectory(
            window, QStringLiteral("Папка для файлов справочника"));
        if (!folder.isEmpty())
            exportCatalogCsv(dm, prompter, className, folder, saveEdits);
    });
    QObject::connect(importButton, &QPushButton::clicked, window, [=, &dm, &prompter] {
        const QString folder = QFileDialog::getExistingDirectory(
            window, QStringLiteral("Папка с файлами справочника"));
        if (folder.isEmpty())
            return;
        const bool replace = prompter.question(
            QStringLiteral("Заменить содержимое справочника строками файлов? (\"Да\" - заменить "
                           "справочник целиком, \"Нет\" - добавить строки файлов к справочнику.)"));
        importCatalogCsv(dm, prompter, className, folder,
                         replace ? ImportMode::Replace : ImportMode::Add, saveEdits);
    });
    for (QPushButton* b : {exportButton, importButton}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    return {exportButton, importButton};
}

} // namespace ses
