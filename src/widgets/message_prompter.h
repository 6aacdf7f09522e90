#pragma once
// The application's Prompter: the toolkit's standard message boxes, titled with the
// application name.

#include "lib/prompter.h"

#include <QPointer>
#include <QWidget>

namespace ses {

class MessageBoxPrompter : public Prompter {
public:
    // parent: the window the boxes are centred on; may be null (then they are top-level).
    explicit MessageBoxPrompter(QWidget* parent = nullptr);

    void setParent(QWidget* parent) { m_parent = parent; }
    QWidget* parent() const { return m_parent; }

    void error(const QString& text) override;
    void information(const QString& text) override;
    bool question(const QString& text) override; // Yes / No, No is the default button
    std::optional<QString> textInput(const QString& caption, const QString& prompt,
                                     const QString& initial) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace ses
