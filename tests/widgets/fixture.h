#pragma once
// A fresh database in a temporary directory with a view of the consumer catalog (sEP: Name
// text, Pnom and Ip_In numbers, ClearSinus logical; ordered by Name, Pnom, Ip_In).

#include "data/store.h"
#include "data/view.h"
#include "lib/prompter.h"
#include "lib/qt_print.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace ses::test {

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_tmp.isValid());
        store = Store::create(m_tmp.path() + QStringLiteral("/Data"));
        view = std::make_unique<View>(*store, QStringLiteral("sEP"), QStringLiteral("siNamePnom"));
    }
    void TearDown() override {
        view.reset();
        store.reset();
    }

    void add(const QString& name, const QString& pnom, const QString& clearSinus) {
        ASSERT_TRUE(view->append());
        (*view)[QStringLiteral("Name")].setString(name);
        (*view)[QStringLiteral("Pnom")].setString(pnom);
        (*view)[QStringLiteral("ClearSinus")].setString(clearSinus);
        ASSERT_TRUE(view->post());
    }
    // Three rows in index order: Лампа 24 -, Насос 0,9 +, Чайник (nulls).
    void addThree() {
        add(QStringLiteral("Насос"), QStringLiteral("0,9"), QStringLiteral("+"));
        add(QStringLiteral("Чайник"), QString(), QString());
        add(QStringLiteral("Лампа"), QStringLiteral("24"), QStringLiteral("-"));
        ASSERT_TRUE(view->first());
    }

    QTemporaryDir m_tmp;
    std::unique_ptr<Store> store;
    std::unique_ptr<View> view;
    RecordingPrompter prompter;
};

// Shows a top-level widget and makes it the active window, so focus moves as for a user.
inline bool showActive(QWidget& w) {
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

} // namespace ses::test
