#include "reports/ui/test_var_form.h"

#include "data/data_module.h"
#include "reports/report_writer.h"
#include "reports/variant_snapshot.h"
#include "widgets/dialog_buttons.h"
#include "widgets/report_export.h"
#include "widgets/windows.h"

#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QGraphicsScene>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>

namespace ses {

namespace {

// Left column top to bottom, then the right column beside the first three rows.
constexpr int kColumn[kTestSectionCount] = {0, 0, 0, 0, 1, 1, 1};
constexpr int kRow[kTestSectionCount] = {0, 1, 2, 3, 0, 1, 2};

} // namespace

TTestVarF::TTestVarF(TDataModule1& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_prompter(prompter) {
    const WindowInfo& info = setUpWindow(this, QStringLiteral("TTestVarF"));
    m_pages = new QTabWidget(this);
    m_remarksPage = new QWidget(m_pages);
    m_remarksPage->setObjectName(QStringLiteral("remarks"));
    QFont bold = font();
    bold.setBold(true);
    static const char* const boxNames[kTestSectionCount] = {
        "MemoNagr", "MemoInv", "MemoSP", "MemoCtrl", "MemoAKB", "MemoKL", "MemoAV"};
    for (int s = 0; s < kTestSectionCount; ++s) {
        m_labels[s] = new QLabel(testSectionLabel(TestSection(s)), m_remarksPage);
        m_labels[s]->setFont(bold);
        m_boxes[s] = new QPlainTextEdit(m_remarksPage);
        m_boxes[s]->setObjectName(QString::fromLatin1(boxNames[s]));
        m_boxes[s]->setReadOnly(true);
        m_boxes[s]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    m_remarksPage->installEventFilter(this);
    m_pages->addTab(m_remarksPage, QStringLiteral(" Замечания "));

    auto* balancePage = new QWidget(m_pages);
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Заряд АБ на рассвете, %"));
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->legend()->setAlignment(Qt::AlignBottom);
    // The axes stay; each run replaces the series.
    m_days = new QValueAxis;
    m_days->setRange(1, 365);
    m_days->setLabelFormat(QStringLiteral("%.0f"));
    m_days->setTitleText(QStringLiteral("День года"));
    m_days->setTickCount(13);
    m_percent = new QValueAxis;
    m_percent->setRange(0, 100);
    m_percent->setLabelFormat(QStringLiteral("%.0f"));
    m_percent->setTitleText(QStringLiteral("Заряд, %"));
    m_percent->setTickCount(6);
    chart->addAxis(m_days, Qt::AlignBottom);
    chart->addAxis(m_percent, Qt::AlignLeft);
    m_chart = new QChartView(chart, balancePage);
    m_chart->setObjectName(QStringLiteral("balanceChart"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_summary = new QLabel(balancePage);
    m_summary->setObjectName(QStringLiteral("balanceSummary"));
    m_summary->setWordWrap(true);
    auto* balanceLayout = new QVBoxLayout(balancePage);
    balanceLayout->addWidget(m_chart, 1);
    balanceLayout->addWidget(m_summary);
    m_pages->addTab(balancePage, QStringLiteral(" Баланс энергии за год "));

    QPushButton* exportButton =
        makeExportButton(this, QStringLiteral("Экспорт отчёта в документ Microsoft Word"));
    connect(exportButton, &QPushButton::clicked, this, [this] { exportReport(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(makeDialogButtons(this, info, closeRow({exportButton})).layout);
    setMinimumSize(800, 600);
    resize(993, 624);
}

void TTestVarF::placeBoxes() {
    // The boxes share the page: two columns, four rows on the left, labels above the boxes.
    const int w = std::max(40, (m_remarksPage->width() - 55) / 2);
    const int h = std::max(30, (m_remarksPage->height() - 24 - 3 * 39 - 8) / 4);
    for (int s = 0; s < kTestSectionCount; ++s) {
        const int x = kColumn[s] == 0 ? 16 : w + 39;
        const int y = 24 + kRow[s] * (h + 39);
        m_labels[s]->setGeometry(x, y - 18, w, 16);
        m_boxes[s]->setGeometry(x, y, w, h);
    }
}

bool TTestVarF::eventFilter(QObject* watched, QEvent* e) {
    if (watched == m_remarksPage && e->type() == QEvent::Resize)
        placeBoxes();
    return QDialog::eventFilter(watched, e);
}

void TTestVarF::load() {
    for (QPlainTextEdit* b : m_boxes)
        b->clear();
    const VariantSnapshot snapshot = currentVariantSnapshot(m_dm);
    const auto lines = shownTestLines(testVariant(snapshot));
    for (int s = 0; s < kTestSectionCount; ++s)
        m_boxes[s]->setPlainText(lines[s].join(QLatin1Char('\n')));
    m_balance = snapshot.exists ? yearBalance(m_dm, m_dm.tblProj1().currentKey().toLongLong())
                                : BalanceReading{};
    if (!snapshot.exists)
        m_balance.reason = QStringLiteral("Нет варианта расчета.");
    drawBalance();
    m_pages->setCurrentIndex(0);
    placeBoxes();
}

void TTestVarF::run() {
    load();
    exec();
}

void TTestVarF::drawBalance() {
    QChart* chart = m_chart->chart();
    chart->removeAllSeries();
    m_days->setVisible(false);
    m_percent->setVisible(false);
    if (!m_balance.balance) {
        m_summary->setText(m_balance.reason);
        return;
    }
    const EnergyBalance& b = *m_balance.balance;
    auto* dawn = new QLineSeries;
    dawn->setName(QStringLiteral("Заряд АБ на рассвете, %"));
    auto* shortDays = new QScatterSeries;
    shortDays->setName(QStringLiteral("Дни с недостатком энергии"));
    shortDays->setMarkerSize(6);
    shortDays->setColor(Qt::red);
    for (int i = 0; i < int(b.days.size()); ++i) {
        dawn->append(i + 1, b.days[i].dawnPercent);
        if (b.days[i].unserved > 1e-9)
            shortDays->append(i + 1, b.days[i].dawnPercent);
    }
    chart->addSeries(dawn);
    chart->addSeries(shortDays);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(m_days);
        s->attachAxis(m_percent);
    }
    m_days->setVisible(true);
    m_percent->setVisible(true);
    m_summary->setText(b.summary().join(QLatin1Char('\n')));
}

QImage TTestVarF::balancePicture() {
    // Drawn at a size of its own: the page may never have been shown, and its view laid out.
    QChart* chart = m_chart->chart();
    const QSizeF shown = chart->size();
    QImage picture(720, 420, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    chart->resize(picture.size());
    {
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        m_chart->scene()->render(&p, QRectF(QPointF(0, 0), picture.size()),
                                 QRectF(chart->pos(), chart->size()));
    }
    chart->resize(shown);
    return picture;
}

void TTestVarF::writeReport(ReportWriter& w) {
    w.openReport();
    w.writeTitle(windowTitle() + QStringLiteral("\r\r"));
    for (int s = 0; s < kTestSectionCount; ++s) {
        const QString text = m_boxes[s]->toPlainText();
        if (text.isEmpty())
            continue;
        w.writeHeading(testSectionLabel(TestSection(s)) + QStringLiteral("\r"));
        w.writeText(QString(text).replace(QLatin1Char('\n'), QLatin1Char('\r')) +
                    QStringLiteral("\r\r"));
    }
    w.writeHeading(QStringLiteral("Баланс энергии за год.\r"));
    if (m_balance.balance) {
        w.insertPicture(balancePicture());
        w.writeText(m_balance.balance->summary().join(QLatin1Char('\r')) + QStringLiteral("\r"));
    } else {
        w.writeText(m_balance.reason + QStringLiteral("\r"));
    }
}

void TTestVarF::exportReport() {
    ses::exportReport(m_prompter, [this](ReportWriter& w) { writeReport(w); });
}

} // namespace ses
