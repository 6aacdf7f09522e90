#include "widgets/chart_view.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLocale>
#include <QValueAxis>

namespace ses {

QChartView* newChartView(QWidget* parent, const QSize& minimum, bool legend, const QString& title) {
    auto* chart = new QChart;
    if (!title.isEmpty())
        chart->setTitle(title);
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    chart->setMargins(QMargins(2, 2, 2, 2));
    if (legend)
        chart->legend()->setAlignment(Qt::AlignBottom);
    else
        chart->legend()->hide();
    auto* view = new QChartView(chart, parent);
    view->setObjectName(QStringLiteral("chart"));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(minimum);
    return view;
}

void addMonthAxes(QChart* chart, QBarCategoryAxis*& months, QValueAxis*& values) {
    months = new QBarCategoryAxis;
    values = new QValueAxis;
    chart->addAxis(months, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
}

} // namespace ses
