#pragma once
// "Параметры массива солнечных панелей.": one array of the variant's panel type sized by one of
// four criteria against the power still to be covered; "Расчет" fills the counts, power, current
// and loss, and "OK" hands the row back to the selection window.

#include "solar/solar_selection.h"
#include "widgets/form_rows.h"

#include <QDialog>
#include <QPixmap>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace ses {

class DrawingPane;
class NumberField;
class Prompter;

class TMasSPFrm : public QDialog {
public:
    TMasSPFrm(Prompter& prompter, QWidget* parent = nullptr);

    void setInput(const ArrayWindowInput& input);
    // Modal; true on "OK" after a successful "Расчет".
    bool run();

    // "Расчет": false (results cleared) when refused or when nothing needs adding.
    bool calculate();
    // "OK": accepted only after a successful "Расчет" with no later change.
    bool accept_();
    void accept() override; // "OK" and Enter run accept_()
    bool isCalculated() const { return m_done.has_value(); }
    const std::optional<ArrayResult>& result() const { return m_done; }
    // The table row of the selection window; bopt is the tilt it suggests.
    ArrayRow resultRow(std::optional<int> bopt) const;

    QLineEdit* nameEdit() const { return m_name; }
    NumberField* orientationField() const { return m_orient; }
    NumberField* tiltField() const { return m_tilt; }
    QComboBox* criterionBox() const { return m_criterion; }
    QComboBox* parameterBox() const { return m_param; }
    QComboBox* shapeBox() const { return m_shape; }
    QComboBox* givenPowerBox() const { return m_givenPower; }
    NumberField* givenCurrentField() const { return m_givenCurrent; }
    NumberField* lengthField() const { return m_l; }
    NumberField* lowerField() const { return m_s; }
    NumberField* heightField() const { return m_h; }
    // The pages of the array's connection scheme and of its panels placed on the site.
    DrawingPane* schemePane() const { return m_scheme; }
    DrawingPane* placementPane() const { return m_placement; }
    NumberField* placementScaleField() const;
    QPixmap placementPicture() const;
    QPushButton* calculateButton() const { return m_calc; }
    QPushButton* okButton() const { return m_ok; }
    // The result texts by their captions' short names.
    QString resultText(const QString& key) const { return m_results.text(key); }

private:
    void inputsChanged();
    void angleTyped();
    void updateEnabling();
    void updateArea();
    void showResult(const ArrayResult& r);
    Criterion criterion() const;
    SiteShape shape() const;
    std::optional<double> number(NumberField* f, const QString& quantity);

    Prompter& m_prompter;
    ArrayWindowInput m_in;
    std::optional<ArrayResult> m_done;
    ArrayRequest m_request; // what the result was calculated for
    double m_k = 1;
    bool m_filling = false;

    QTabWidget* m_pages;
    QLabel* m_panelInfo;
    ShownRows m_need; // the power still to cover and its tilt
    QLineEdit* m_name;
    NumberField* m_orient;
    NumberField* m_tilt;
    QLabel* m_kLabel;
    QComboBox* m_criterion;
    QComboBox* m_param;
    QComboBox* m_shape;
    QComboBox* m_givenPower;
    NumberField* m_givenCurrent;
    NumberField* m_l;
    NumberField* m_s;
    NumberField* m_h;
    QLabel* m_lCap;
    QLabel* m_sCap;
    QLabel* m_hCap;
    QLabel* m_area;
    ShownRows m_results;
    DrawingPane* m_scheme = nullptr;    // the connection scheme of the calculated array
    DrawingPane* m_placement = nullptr; // the site with the array's panels placed
    QComboBox* m_placementH = nullptr;
    QComboBox* m_placementV = nullptr;
    void drawScheme();
    void drawPlacement();
    QPushButton* m_calc;
    QPushButton* m_ok;
};

} // namespace ses
