#pragma once
// Forms described as data, the way the variant dialog describes its parameters: each row a
// caption, a field and, after the field, its unit. A window lists its rows in a table, reads and
// writes the fields by name, and writes the same captions into its report.

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class QFormLayout;
class QLabel;

namespace ses {

struct FormRow {
    QString name;      // the field's object name: the window and its tests reach the field by it
    QString caption;   // as shown, the colon included
    QString unit = {}; // shown after the field; empty: the caption carries it
};

// How the shown figures look: a value box of at least this width, framed or plain.
struct ShownLook {
    int minimumWidth = 70;
    bool framed = false;
};

// Read-only figures of a window, each in a row of a form layout.
class ShownRows {
public:
    // Adds the rows at the end of the form; the fields belong to the form's widget.
    void add(QFormLayout* form, const std::vector<FormRow>& rows, ShownLook look = {});

    QLabel* field(const QString& name) const; // null for an unknown name
    QString text(const QString& name) const;
    void setText(const QString& name, const QString& text);
    void clear(); // every field

    // The caption without its colon and the figure, as a report's pairs table lists them.
    std::pair<QString, QString> pair(const QString& name) const;
    std::vector<std::pair<QString, QString>> pairs(const QStringList& names) const;

private:
    struct Row {
        FormRow def;
        QLabel* field;
    };
    const Row* find(const QString& name) const;

    std::vector<Row> m_rows;
};

// A caption as a report labels its value: without the trailing colon.
QString reportLabel(const QString& caption);

} // namespace ses
