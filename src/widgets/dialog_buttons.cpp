#include "widgets/dialog_buttons.h"

#include "widgets/help_viewer.h"
#include "widgets/windows.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace ses {

namespace {

constexpr int kButtonWidth = 90;

} // namespace

ButtonRow closeRow(std::vector<QPushButton*> commands) {
    return {QString(), QStringLiteral("Закрыть"), std::move(commands)};
}

DialogButtons makeDialogButtons(QDialog* dialog, const WindowInfo& window, const ButtonRow& row) {
    DialogButtons b;
    b.layout = new QHBoxLayout;
    for (QPushButton* p : row.commands) {
        p->setMinimumWidth(std::max(p->minimumWidth(), kButtonWidth));
        b.layout->addWidget(p);
    }
    b.layout->addStretch(1);
    std::vector<QPushButton*> right;
    if (!row.ok.isEmpty()) {
        b.ok = new QPushButton(row.ok, dialog);
        b.ok->setObjectName(QStringLiteral("ok"));
        b.ok->setDefault(true);
        QObject::connect(b.ok, &QPushButton::clicked, dialog, &QDialog::accept);
        right.push_back(b.ok);
    }
    if (!row.cancel.isEmpty()) {
        b.cancel = new QPushButton(row.cancel, dialog);
        b.cancel->setObjectName(row.cancel == QStringLiteral("Закрыть") ? QStringLiteral("close")
                                                                        : QStringLiteral("cancel"));
        QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
        right.push_back(b.cancel);
    }
    const int topic = window.helpTopic;
    if (topic >= 0) {
        b.help = new QPushButton(QStringLiteral("Справка..."), dialog);
        b.help->setObjectName(QStringLiteral("help"));
        QObject::connect(b.help, &QPushButton::clicked, dialog,
                         [dialog, topic] { HelpViewer::showTopic(dialog, topic); });
        installHelpKey(dialog, topic);
        right.push_back(b.help);
    }
    for (QPushButton* p : right) {
        // Without "ОК" no button is the default, not even the one that has the focus.
        if (!b.ok)
            p->setAutoDefault(false);
        p->setMinimumWidth(kButtonWidth);
        b.layout->addWidget(p);
    }
    return b;
}

} // namespace ses
