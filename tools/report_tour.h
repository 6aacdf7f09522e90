#pragma once
// tovrel-ses-screens DIR --reports: the "Экспорт..." report of every window that has one, over
// the demo project, as DIR/<window class>.odt. Where LibreOffice is on PATH each is converted to
// <window class>.pdf, and where pdftoppm is, the first page of each PDF is drawn as
// <window class>.png (80 dpi), for a look at the reports as a reader sees them.

class QString;
class QTextStream;

namespace ses {

class Prompter;
class TDataModule1;
class TMainForm;

// Writes the files and prints the path of each. Throws std::runtime_error when a report, the
// conversion or a picture fails.
void writeReportTour(TMainForm& main, TDataModule1& dm, Prompter& prompter, const QString& dir,
                     QTextStream& out);

} // namespace ses
