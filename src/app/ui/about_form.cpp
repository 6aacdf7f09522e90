#include "app/ui/about_form.h"

#include "widgets/windows.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace ses {

const char* TAboutForm::webPage() {
    return "https://tovrel-ses.example.org";
}

const char* TAboutForm::mailAddress() {
    return "support@tovrel-ses.example.org";
}

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setUpWindow(this, QStringLiteral("TAboutForm"));
    auto* title = new QLabel(QStringLiteral("Tovrel SES 1.1"), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    auto* purpose =
        new QLabel(QStringLiteral("Программа расчета автономных солнечных электростанций"), this);
    purpose->setAlignment(Qt::AlignCenter);
    auto* remarks =
        new QLabel(QStringLiteral("Ваши замечания и рекомендации отправляйте по адресу:"), this);
    remarks->setAlignment(Qt::AlignCenter);
    // The two links open through the desktop: the browser and the mail program.
    const auto link = [this](const QString& href, const QString& text) {
        auto* l = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(href, text), this);
        l->setAlignment(Qt::AlignCenter);
        l->setTextInteractionFlags(Qt::TextBrowserInteraction);
        l->setOpenExternalLinks(false);
        connect(l, &QLabel::linkActivated, this,
                [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });
        return l;
    };
    auto* ok = new QPushButton(QStringLiteral("ОК"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(purpose);
    layout->addSpacing(8);
    layout->addWidget(remarks);
    layout->addWidget(link(QString::fromLatin1(webPage()), QString::fromLatin1(webPage())));
    layout->addWidget(link(QStringLiteral("mailto:") + QString::fromLatin1(mailAddress()),
                           QString::fromLatin1(mailAddress())));
    layout->addSpacing(8);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    setMinimumWidth(440);
}

} // namespace ses
