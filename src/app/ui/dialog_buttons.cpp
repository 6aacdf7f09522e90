#include "app/ui/dialog_buttons.h"

#include "widgets/help_viewer.h"

#include <QPushButton>

namespace ses {

DialogButtons makeDialogButtons(QDialog* dialog, int helpTopic, const QString& okText,
                                const QString& cancelText)
{
    DialogButtons b{new QHBoxLayout, nullptr, nullptr, nullptr};
    b.layout->addStretch(1);
    if (!okText.isEmpty()) {
        b.ok = new QPushButton(okText, dialog);
        b.ok->setDefault(true);
        QObject::connect(b.ok, &QPushButton::clicked, dialog, &QDialog::accept);
        b.layout->addWidget(b.ok);
    }
    b.cancel = new QPushButton(cancelText, dialog);
    QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    b.layout->addWidget(b.cancel);
    if (helpTopic >= 0) {
        b.help = new QPushButton(QStringLiteral("Справка..."), dialog);
        QObject::connect(b.help, &QPushButton::clicked, dialog,
                         [dialog, helpTopic] { HelpViewer::showTopic(dialog, helpTopic); });
        b.layout->addWidget(b.help);
        installHelpKey(dialog, helpTopic);
    }
    for (QPushButton* p : {b.ok, b.cancel, b.help})
        if (p)
            p->setMinimumWidth(90);
    return b;
}

} // namespace ses
