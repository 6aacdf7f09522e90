#pragma once
// "Просмотр схемы СЭ.": the structural scheme of the current variant at the scales and with the
// currents setting the main window hands over on every opening; "Обновить" redraws it at the
// window's own ones, "Экспорт..." writes it into a document.

#include "data/data_module.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace ses {

class NumberField;
class ReportWriter;
class SchemeView;

class TShemaFrm : public QDialog {
public:
    TShemaFrm(TDataModule1& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Takes the scales and the setting, draws the variant with key kod; run() also shows the
    // window modally.
    void prepare(const QString& panelScale, const QString& batteryScale, bool currents, qint64 kod);
    int run(const QString& panelScale, const QString& batteryScale, bool currents, qint64 kod);

    // "Обновить": checks both scales, then redraws.
    void refresh();
    void writeReport(ReportWriter& w) const;

    SchemeView* view() const { return m_view; }
    NumberField* panelScale() const { return m_panelScale; }
    NumberField* batteryScale() const { return m_batteryScale; }
    QCheckBox* currents() const { return m_currents; }
    QPushButton* updateButton() const { return m_update; }

private:
    TDataModule1& m_dm;
    Prompter& m_prompter;
    qint64 m_kod = -1;
    SchemeView* m_view;
    NumberField* m_panelScale;
    NumberField* m_batteryScale;
    QCheckBox* m_currents;
    QPushButton* m_update;
};

} // namespace ses
