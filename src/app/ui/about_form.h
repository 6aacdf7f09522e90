#pragma once

#include <QDialog>

namespace ses {

// "О программе.": the program's name and purpose, and where to send remarks.
class TAboutForm : public QDialog {
public:
    explicit TAboutForm(QWidget* parent = nullptr);
    static const char* webPage();
    static const char* mailAddress();
};

} // namespace ses
