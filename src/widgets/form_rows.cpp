#include "widgets/form_rows.h"

#include "widgets/look.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace ses {

void ShownRows::add(QFormLayout* form, const std::vector<FormRow>& rows, ShownLook look) {
    QWidget* owner = form->parentWidget();
    for (const FormRow& r : rows) {
        auto* field = new QLabel(owner);
        field->setObjectName(r.name);
        // A compact figure, right-aligned, that does not grow with the window.
        field->setFixedWidth(std::max(look.minimumWidth, numberFieldWidth(field)));
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (look.framed)
            field->setFrameShape(QFrame::StyledPanel);
        auto* line = new QHBoxLayout;
        line->addWidget(field);
        if (!r.unit.isEmpty())
            line->addWidget(new QLabel(r.unit, owner));
        line->addStretch(1);
        form->addRow(r.caption, line);
        m_rows.push_back({r, field});
    }
}

const ShownRows::Row* ShownRows::find(const QString& name) const {
    for (const Row& r : m_rows)
        if (r.def.name == name)
            return &r;
    return nullptr;
}

QLabel* ShownRows::field(const QString& name) const {
    const Row* r = find(name);
    return r ? r->field : nullptr;
}

QString ShownRows::text(const QString& name) const {
    const Row* r = find(name);
    return r ? r->field->text() : QString();
}

void ShownRows::setText(const QString& name, const QString& text) {
    if (const Row* r = find(name))
        r->field->setText(text);
}

void ShownRows::clear() {
    for (const Row& r : m_rows)
        r.field->clear();
}

std::pair<QString, QString> ShownRows::pair(const QString& name) const {
    const Row* r = find(name);
    if (!r)
        return {};
    const QString label = reportLabel(r->def.caption);
    return {r->def.unit.isEmpty() ? label : label + QStringLiteral(", ") + r->def.unit,
            r->field->text()};
}

std::vector<std::pair<QString, QString>> ShownRows::pairs(const QStringList& names) const {
    std::vector<std::pair<QString, QString>> out;
    for (const QString& n : names)
        out.push_back(pair(n));
    return out;
}

QString reportLabel(const QString& caption) {
    return caption.endsWith(u':') ? caption.chopped(1) : caption;
}

} // namespace ses
