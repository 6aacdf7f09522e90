#include "widgets/look.h"

#include "widgets/number_field.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTableWidgetItem>
#include <QTextDocument>

namespace ses {

bool isNumberText(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*[-+−]?(\d[\d  ]*)?([.,]\d+)?\s*%?\s*$)"));
    const QString t = text.trimmed();
    return !t.isEmpty() && t.contains(QRegularExpression(QStringLiteral("\\d"))) &&
           number.match(t).hasMatch();
}

Qt::Alignment alignmentFor(const QString& text) {
    return Qt::AlignVCenter | (isNumberText(text) ? Qt::AlignRight : Qt::AlignLeft);
}

int numberFieldWidth(const QWidget* w) {
    // Nine digits and a comma, with the frame and the text margins.
    return w->fontMetrics().horizontalAdvance(QStringLiteral("000000,000")) + 16;
}

QLineEdit* valueField(QWidget* parent) {
    auto* f = new QLineEdit(parent);
    f->setReadOnly(true);
    f->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f->setFocusPolicy(Qt::ClickFocus);
    f->setFixedWidth(numberFieldWidth(f));
    return f;
}

QListWidget* noteList(const QStringList& lines, int visible, QWidget* parent) {
    auto* note = new QListWidget(parent);
    note->addItems(lines);
    note->setFocusPolicy(Qt::NoFocus);
    note->setSelectionMode(QAbstractItemView::NoSelection);
    note->setUniformItemSizes(true);
    note->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    note->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const int rows = visible == 0 ? int(lines.size()) : visible;
    if (rows > 0 && !lines.isEmpty())
        note->setFixedHeight(rows * note->sizeHintForRow(0) + 2 * note->frameWidth());
    return note;
}

QTableWidgetItem* cellItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignmentFor(text));
    return item;
}

void showShortfall(QLabel* line, const QString& text) {
    line->setText(text);
    line->setStyleSheet(QStringLiteral("color: #c00000;"));
    line->setWordWrap(true);
    line->setVisible(!text.isEmpty());
}

namespace {

QString widgetName(const QWidget* w) {
    if (!w->objectName().isEmpty())
        return w->objectName();
    // A field without a name is known by the caption whose buddy it is.
    if (const QWidget* parent = w->parentWidget())
        for (const QLabel* l : parent->findChildren<QLabel*>())
            if (l->buddy() == w)
                return l->text();
    return QString::fromLatin1(w->metaObject()->className());
}

bool insideEditor(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
            qobject_cast<const QAbstractItemView*>(p))
            return true;
    return false;
}

bool insideCombo(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QComboBox*>(p))
            return true;
    return false;
}

} // namespace

QStringList lookProblems(const QWidget* window, const QString& name) {
    QStringList out;
    const QString head = name + QStringLiteral(": ");

    // Dialogs must fit the work area; the main window is resized by the user.
    const QSize frame = window->size() + QSize(0, window->isWindow() ? kTitleBarHeight : 0);
    if (qobject_cast<const QDialog*>(window) &&
        (frame.width() > kWorkArea.width() || frame.height() > kWorkArea.height()))
        out << head + QStringLiteral("окно %1 x %2 с заголовком не помещается в %3 x %4")
                          .arg(frame.width())
                          .arg(frame.height())
                          .arg(kWorkArea.width())
                          .arg(kWorkArea.height());

    // The main window may be made smaller, down to its least size: that size must fit too.
    if (qobject_cast<const QMainWindow*>(window)) {
        const QSize least =
            window->minimumSizeHint().expandedTo(window->minimumSize()) + QSize(0, kTitleBarHeight);
        if (least.width() > kWorkArea.width() || least.height() > kWorkArea.height())
            out << head + QStringLiteral("наименьший размер окна %1 x %2 с заголовком не "
                                         "помещается в %3 x %4")
                              .arg(least.width())
                              .arg(least.height())
                              .arg(kWorkArea.width())
                              .arg(kWorkArea.height());
    }

    // Texts are shown whole: a caption, a button's or a box's text, a value in a read-only field.
    const auto cut = [&](const QWidget* w, const QString& text, int need, int room) {
        if (need > room)
            out << head + QStringLiteral("текст \"%1\" (%2) не помещается: %3 из %4 пикс.")
                              .arg(text, widgetName(w))
                              .arg(room)
                              .arg(need);
    };
    for (const QLabel* l : window->findChildren<QLabel*>()) {
        if (!l->isVisibleTo(window) || l->wordWrap() || l->text().isEmpty() || insideEditor(l) ||
            l->textFormat() == Qt::RichText || Qt::mightBeRichText(l->text()))
            continue;
        int need = 0;
        for (const QString& line : l->text().split(u'\n'))
            need = std::max(need, l->fontMetrics().horizontalAdvance(line));
        cut(l, l->text(), need, l->contentsRect().width() + 1);
    }
    for (const QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(window) || b->text().isEmpty() || insideEditor(b))
            continue;
        // A box's hint is its mark and its text; a button's adds a least width and margins its
        // text does not need.
        const bool box = qobject_cast<const QCheckBox*>(b) || qobject_cast<const QRadioButton*>(b);
        const int need = box ? b->sizeHint().width()
                             : b->fontMetrics().horizontalAdvance(QString(b->text()).remove(u'&'));
        cut(b, b->text(), need, b->width() + 1);
    }
    // A table's cell shows its text whole: on one line within its column (or the columns it
    // spans), or, where the table wraps words, on the lines its row's height holds.
    for (const QTableView* t : window->findChildren<QTableView*>()) {
        const QAbstractItemModel* m = t->model();
        if (!m || !t->isVisibleTo(window) || insideCombo(t))
            continue;
        const QFontMetrics fm = t->fontMetrics();
        for (int r = 0; r < std::min(m->rowCount(), 200); ++r)
            for (int c = 0; c < m->columnCount(); ++c) {
                const QString text = m->index(r, c).data(Qt::DisplayRole).toString();
                if (text.isEmpty() || text.contains(u'\n') || t->isColumnHidden(c) ||
                    t->isRowHidden(r))
                    continue;
                int room = 0;
                for (int k = c; k < c + t->columnSpan(r, c) && k < m->columnCount(); ++k)
                    room += t->columnWidth(k);
                const int need = fm.horizontalAdvance(text) + 6;
                if (room <= 0 || need <= room)
                    continue;
                // Wrapped, every word must fit the width and the lines the row's height.
                bool whole = false;
                if (t->wordWrap()) {
                    int word = 0;
                    for (const QString& w : text.split(u' ', Qt::SkipEmptyParts))
                        word = std::max(word, fm.horizontalAdvance(w) + 6);
                    const int height =
                        fm.boundingRect(QRect(0, 0, room - 6, 100000), Qt::TextWordWrap, text)
                            .height();
                    whole = word <= room && height <= t->rowHeight(r);
                }
                if (!whole)
                    cut(t, text, need, room);
            }
    }
    for (const QLineEdit* f : window->findChildren<QLineEdit*>())
        if (f->isVisibleTo(window) && f->isReadOnly() && !f->text().isEmpty() && !insideEditor(f))
            cut(f, f->text(), f->fontMetrics().horizontalAdvance(f->text()) + 4,
                f->contentsRect().width());

    for (const QLineEdit* f : window->findChildren<QLineEdit*>()) {
        if (insideEditor(f))
            continue;
        const bool numeric = qobject_cast<const NumberField*>(f) || isNumberText(f->text());
        if (numeric && !(f->alignment() & Qt::AlignRight))
            out << head +
                       QStringLiteral("число в поле \"%1\" выровнено не вправо").arg(widgetName(f));
    }
    for (const QLabel* l : window->findChildren<QLabel*>()) {
        if (insideEditor(l) || !isNumberText(l->text()))
            continue;
        if (!(l->alignment() & Qt::AlignRight))
            out << head + QStringLiteral("число \"%1\" (%2) выровнено не вправо")
                              .arg(l->text(), widgetName(l));
    }
    for (const QAbstractItemView* v : window->findChildren<QAbstractItemView*>()) {
        const QAbstractItemModel* m = v->model();
        // Headers show the titles of the grid's own model; a combo box's list is the combo's.
        if (!m || qobject_cast<const QHeaderView*>(v) || insideCombo(v))
            continue;
        const int rows = std::min(m->rowCount(), 200);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < m->columnCount(); ++c) {
                const QModelIndex i = m->index(r, c);
                const QString text = i.data(Qt::DisplayRole).toString();
                if (!isNumberText(text))
                    continue;
                const auto a = Qt::Alignment(i.data(Qt::TextAlignmentRole).toInt());
                if (!(a & Qt::AlignRight)) {
                    out << head + QStringLiteral("число \"%1\" в ячейке (%2, %3) таблицы \"%4\" "
                                                 "выровнено не вправо")
                                      .arg(text)
                                      .arg(r + 1)
                                      .arg(c + 1)
                                      .arg(widgetName(v));
                    r = rows; // one line a grid
                    break;
                }
            }
    }
    return out;
}

} // namespace ses
