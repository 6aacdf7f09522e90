#include "storage/ui/inverter_panels.h"

#include "lib/numbers.h"
#include "widgets/form_rows.h"

#include <QCheckBox>
#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTableWidget>

namespace ses {

namespace {

QString intText(std::optional<int> x) {
    return x ? QString::number(*x) : QString();
}

// A check box that shows a setting: the user reads it, never ticks it.
QCheckBox* makeShownBox(const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

} // namespace

QLineEdit* makeShownField(QWidget* parent, int width) {
    auto* f = new QLineEdit(parent);
    f->setReadOnly(true);
    f->setFocusPolicy(Qt::NoFocus);
    f->setAlignment(Qt::AlignRight);
    f->setFixedWidth(width);
    return f;
}

namespace {

const char* const kNaturalWidths = "naturalColumnWidths";

void spreadColumns(QTableWidget* grid) {
    const QVariantList natural = grid->property(kNaturalWidths).toList();
    if (natural.size() != grid->columnCount() || natural.isEmpty())
        return;
    int total = 0;
    for (const QVariant& w : natural)
        total += w.toInt();
    const int extra = std::max(0, grid->viewport()->width() - total);
    const int n = int(natural.size());
    for (int c = 0; c < n; ++c)
        grid->setColumnWidth(c, natural[c].toInt() + extra / n + (c == n - 1 ? extra % n : 0));
}

// Spreads the columns again whenever the grid's viewport changes its size.
class ColumnSpreader : public QObject {
public:
    explicit ColumnSpreader(QTableWidget* grid) : QObject(grid), m_grid(grid) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            spreadColumns(m_grid);
        return QObject::eventFilter(watched, event);
    }

private:
    QTableWidget* m_grid;
};

} // namespace

void fitColumns(QTableWidget* grid) {
    grid->horizontalHeader()->setStretchLastSection(false);
    grid->resizeColumnsToContents();
    QVariantList natural;
    for (int c = 0; c < grid->columnCount(); ++c)
        natural << grid->columnWidth(c);
    if (!grid->property(kNaturalWidths).isValid())
        grid->viewport()->installEventFilter(new ColumnSpreader(grid));
    grid->setProperty(kNaturalWidths, natural);
    spreadColumns(grid);
}

int gridContentWidth(const QTableWidget* grid) {
    const QVariantList natural = grid->property(kNaturalWidths).toList();
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    if (grid->verticalHeader()->isVisible())
        width += grid->verticalHeader()->width();
    for (int c = 0; c < grid->columnCount(); ++c)
        width += c < natural.size() ? natural[c].toInt() : grid->columnWidth(c);
    return width;
}

void widenForGrid(QDialog* dialog, const QTableWidget* grid) {
    // The grid spans the dialog's layout: beyond it come only the layout's margins.
    const QMargins m = dialog->layout() ? dialog->layout()->contentsMargins() : QMargins();
    const int wanted = std::min(1340, gridContentWidth(grid) + m.left() + m.right());
    if (wanted > dialog->width())
        dialog->resize(wanted, dialog->height());
}

InverterInputsBox::InverterInputsBox(bool tabular, QWidget* parent)
    : QGroupBox(QStringLiteral(" Исходные данные "), parent) {
    m_nominalLabel = new QLabel(this);
    m_maximumLabel = new QLabel(this);
    const QStringList captions = {
        QStringLiteral("Напряжение системы, В:"),
        QStringLiteral("Выходное напряжение переменного тока (50 Гц), В:"),
        QString(),
        QString(),
        tabular ? QStringLiteral("Пиковая выходная мощность (6 секунд) нагрузки, Вт:")
                : QStringLiteral("Пиковая выходная мощность (6 секунд), Вт:"),
        QStringLiteral("Запас номинальной мощности при выборе инвертора, %:"),
        QStringLiteral("Запас максимальной мощности при выборе инвертора, %:"),
        QStringLiteral("Запас пиковой мощности при выборе инвертора, %:")};
    static const char* const names[] = {"Uses", "Uvuh",        "Pnom30min",   "Pmax10min",
                                        "Ppik", "ZapPnom_Inv", "ZapPmax_Inv", "ZapPpik_Inv"};
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(0, 1);
    for (int i = 0; i < int(captions.size()); ++i) {
        QLabel* label = i == 2   ? m_nominalLabel
                        : i == 3 ? m_maximumLabel
                                 : new QLabel(captions[i], this);
        QLineEdit* field = makeShownField(this);
        field->setObjectName(QString::fromLatin1(names[i]));
        label->setBuddy(field);
        grid->addWidget(label, i, 0);
        grid->addWidget(field, i, 1);
        m_labels.push_back(label);
        m_fields.push_back(field);
    }
    m_usePeak = makeShownBox(
        QStringLiteral("При выборе инвертора учитывать пиковые мощности нагрузки"), this);
    m_usePeak->setObjectName(QStringLiteral("UsePpik_Inv"));
    m_pureSine = makeShownBox(QStringLiteral("Наличие потребителей, требующих форму выходного "
                                             "напряжения\n\"") +
                                  kPureSine + QStringLiteral("\""),
                              this);
    m_pureSine->setObjectName(QStringLiteral("ClearSinus"));
    const int row = int(captions.size());
    grid->addWidget(m_usePeak, row, 0, 1, 2);
    grid->addWidget(m_pureSine, row + 1, 0, 1, 2);
    setInputs({}, {}, {});
}

void InverterInputsBox::setInputs(const InverterVariant& variant, const InverterLoad& load,
                                  const LoadWindows& windows) {
    m_nominalLabel->setText(QStringLiteral("Номинальная выходная мощность (более %1 минут), Вт:")
                                .arg(windows.nomMinutes));
    m_maximumLabel->setText(
        QStringLiteral("Максимальная выходная мощность (не более %1 минут), Вт:")
            .arg(windows.maxMinutes));
    const QStringList values = {intText(variant.uses),         intText(variant.uvuh),
                                numberToText(load.pnom),       numberToText(load.pmax),
                                numberToText(load.ppik),       numberToText(variant.zapPnom),
                                numberToText(variant.zapPmax), numberToText(variant.zapPpik)};
    for (int i = 0; i < int(values.size()); ++i)
        m_fields[i]->setText(values[i]);
    m_usePeak->setChecked(variant.usePeak);
    m_pureSine->setChecked(load.clearSinus);
}

Pairs InverterInputsBox::pairs() const {
    Pairs p;
    for (size_t i = 0; i < m_labels.size(); ++i)
        p.emplace_back(reportLabel(m_labels[i]->text()), m_fields[i]->text());
    for (const QCheckBox* box : {m_usePeak, m_pureSine})
        p.emplace_back(QString(box->text()).replace(u'\n', u' '),
                       box->isChecked() ? QStringLiteral("+") : QStringLiteral("-"));
    return p;
}

} // namespace ses
