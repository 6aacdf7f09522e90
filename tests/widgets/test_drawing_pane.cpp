// The scaled drawing pane: fitting the drawing to the visible pane, a scale set by hand, the
// refusal of a scale out of range and the message in place of a drawing.

#include "fixture.h"
#include "widgets/drawing_pane.h"
#include "widgets/number_field.h"
#include "widgets/step_buttons.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>

namespace ses::test {
namespace {

// 10 by 5 pixels a metre and a 40-pixel margin.
Drawing sample(int scale) {
    Drawing drawing;
    drawing.size = QSize(10 * scale + 40, 5 * scale + 40);
    return drawing;
}

int fitted(QSize room) {
    return std::min((room.width() - 40) / 10, (room.height() - 40) / 5);
}

void enter(DrawingPane& pane, const QString& text) {
    pane.scaleField()->setText(text);
    emit pane.scaleField()->editingFinished();
}

class DrawingPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        pane.resize(600, 400);
        pane.show();
        QApplication::processEvents();
        pane.setDrawing(sample);
    }

    RecordingPrompter prompter;
    DrawingPane pane{prompter, 30};
};

TEST_F(DrawingPaneTest, FitsThePaneUntilAScaleIsSet) {
    ASSERT_TRUE(pane.fitsPane());
    const int small = fitted(pane.room());
    ASSERT_GT(small, 30);
    EXPECT_EQ(pane.scale(), small);
    EXPECT_EQ(pane.scaleField()->text(), QString::number(small));
    EXPECT_EQ(pane.picture().size(), sample(small).size);

    // A larger pane is filled again.
    pane.resize(900, 700);
    QApplication::processEvents();
    const int large = fitted(pane.room());
    ASSERT_GT(large, small);
    EXPECT_EQ(pane.scale(), large);

    // A typed scale is kept whatever the size of the pane.
    enter(pane, QStringLiteral("12"));
    EXPECT_FALSE(pane.fitsPane());
    EXPECT_EQ(pane.picture().size(), sample(12).size);
    pane.resize(600, 400);
    QApplication::processEvents();
    EXPECT_EQ(pane.scale(), 12);
    pane.scaleSteps()->stepUp();
    EXPECT_EQ(pane.scale(), 12 + DrawingPane::kScaleStep);
    EXPECT_EQ(pane.picture().size(), sample(12 + DrawingPane::kScaleStep).size);

    // A new drawing keeps the scale set; the box fits the pane again.
    pane.setDrawing(sample);
    EXPECT_EQ(pane.scale(), 12 + DrawingPane::kScaleStep);
    pane.fitBox()->setChecked(true);
    EXPECT_EQ(pane.scale(), small);
    EXPECT_EQ(pane.picture().size(), sample(small).size);
    EXPECT_TRUE(prompter.entries().empty());
}

TEST_F(DrawingPaneTest, ScaleOutOfRangeIsRefusedAndTheFieldRestored) {
    const int shown = pane.scale();
    for (const QString& text :
         {QString(), QStringLiteral("0"), QString::number(DrawingPane::kHighestScale + 1)}) {
        prompter.clear();
        enter(pane, text);
        EXPECT_TRUE(prompter.last().contains(QStringLiteral("масштаба рисунка")))
            << text.toStdString();
        EXPECT_EQ(pane.scaleField()->text(), QString::number(shown)) << text.toStdString();
        EXPECT_TRUE(pane.fitsPane()) << text.toStdString();
        EXPECT_EQ(pane.picture().size(), sample(shown).size) << text.toStdString();
    }
    // The ends of the range are taken.
    for (const int scale : {DrawingPane::kHighestScale, DrawingPane::kLowestScale}) {
        enter(pane, QString::number(scale));
        EXPECT_EQ(pane.scale(), scale);
        EXPECT_EQ(pane.picture().size(), sample(scale).size);
    }
}

TEST_F(DrawingPaneTest, MessageTakesThePlaceOfTheDrawing) {
    pane.showMessage(QStringLiteral("Рисунок появится после расчета."));
    EXPECT_TRUE(pane.picture().isNull());
    EXPECT_EQ(pane.message(), QStringLiteral("Рисунок появится после расчета."));
    pane.resize(800, 500); // nothing to refit
    QApplication::processEvents();
    EXPECT_EQ(pane.message(), QStringLiteral("Рисунок появится после расчета."));
    pane.setDrawing(sample);
    EXPECT_TRUE(pane.message().isEmpty());
    EXPECT_EQ(pane.picture().size(), sample(fitted(pane.room())).size);
}

TEST_F(DrawingPaneTest, DrawingTooLargeAtTheScaleSetIsNotDrawn) {
    // 100 pixels a metre wide: 8000 pixels at 80 px/m is the most drawn.
    pane.setDrawing([](int scale) {
        Drawing drawing;
        drawing.size = QSize(100 * scale, 20);
        return drawing;
    });
    enter(pane, QStringLiteral("81"));
    EXPECT_TRUE(pane.picture().isNull());
    EXPECT_EQ(pane.message(), "Рисунок в масштабе 81 пиксель/м слишком велик (8100 x 20 "
                              "пикселей). Наибольший масштаб, при котором рисунок строится: 80 "
                              "пиксель/м. Уменьшите масштаб или отметьте «По размеру окна».");
    enter(pane, QStringLiteral("80"));
    EXPECT_EQ(pane.picture().size(), QSize(8000, 20));
    EXPECT_TRUE(pane.message().isEmpty());
}

// A drawing measured in its own unit: its caption, bounds and step, a scale set by hand from the
// start, the refusal naming the unit, and the mouse reported in the picture's own pixels.
TEST(DrawingPaneRule, OwnScaleAndPointerInPicturePixels) {
    RecordingPrompter prompter;
    DrawingPane::ScaleRule rule;
    rule.caption = QStringLiteral("Масштаб, пикс./5 мин.:");
    rule.quantity = QStringLiteral("масштаба");
    rule.unit = QStringLiteral("пикс./5 мин.");
    rule.lowest = 2;
    rule.highest = 27;
    rule.step = 1;
    rule.fitted = false;
    DrawingPane pane(prompter, 2, rule);
    pane.resize(600, 400);
    pane.show();
    QApplication::processEvents();
    pane.setDrawing(sample);
    EXPECT_FALSE(pane.fitsPane());
    EXPECT_EQ(pane.scale(), 2);
    EXPECT_EQ(pane.picture().size(), sample(2).size);
    EXPECT_EQ(pane.scaleSteps()->step(), 1);
    bool refused = false;
    pane.setRefusalHook([&] { refused = true; });
    enter(pane, QStringLiteral("28"));
    EXPECT_TRUE(refused);
    EXPECT_EQ(pane.scale(), 2);
    ASSERT_FALSE(prompter.entries().empty());
    EXPECT_EQ(prompter.entries().back().text,
              "Значение масштаба должно быть от 2 до 27 пикс./5 мин.");

    std::optional<QPointF> seen;
    pane.setPointerHook([&](QPointF at) { seen = at; });
    QLabel* picture = nullptr;
    for (QLabel* label : pane.findChildren<QLabel*>())
        if (!label->pixmap().isNull())
            picture = label;
    ASSERT_NE(picture, nullptr);
    // The picture is centred in its label: the corner of the picture maps to (0, 0).
    const auto corner = pane.picturePoint(QPoint(0, 0));
    ASSERT_TRUE(corner);
    const QPoint origin = -corner->toPoint();
    QMouseEvent move(QEvent::MouseMove, QPointF(origin + QPoint(25, 7)),
                     QPointF(picture->mapToGlobal(origin + QPoint(25, 7))), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &move);
    ASSERT_TRUE(seen);
    EXPECT_EQ(*seen, QPointF(25, 7));
}

} // namespace
} // namespace ses::test
