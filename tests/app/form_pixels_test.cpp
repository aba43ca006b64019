// The real form, rendered: the diagram's bands at fixed client pixels, and nothing drawn over the
// pointer read-out.
#include <QImage>

#include "form_fixture.h"

namespace {

const QColor kPrimary(0, 150, 65);
const QColor kSecondary(255, 128, 0);
const QColor kFeedback(128, 128, 0);

}  // namespace

TEST_F(FormTest, DiagramBandsOfTheSelectedSolutionAtTheirPixels) {
    ASSERT_TRUE(analyseAndWait());
    // Solution 1's fills: 0.9724383, 0.9962523, 0 (black: no sandwich), 0.395688; solution 2's
    // secondary fills only 0.7772245 of the slot.
    const struct {
        int row;
        QPoint at;
        QColor colour;
        bool drawn;
    } cases[] = {
        {0, {230, 398}, kPrimary, true},    {0, {240, 352}, kSecondary, true},
        {0, {230, 347}, Qt::black, true},   {0, {340, 302}, kFeedback, true},
        {0, {320, 302}, kFeedback, false},  {0, {460, 302}, kFeedback, true},
        {1, {240, 352}, kSecondary, false}, {1, {300, 352}, kSecondary, true},
        {1, {230, 398}, kPrimary, true},
    };
    for (const auto& c : cases) {
        table()->setCurrentIndex(table()->model()->index(c.row, 0));
        const QImage image = form->grab().toImage();
        EXPECT_EQ(image.pixelColor(c.at) == c.colour, c.drawn)
            << "row " << c.row << " at " << c.at.x() << ',' << c.at.y() << " is "
            << image.pixelColor(c.at).name().toStdString();
    }
}

TEST_F(FormTest, NoLineRunsThroughThePointerReadout) {
    ASSERT_TRUE(labelText("pointerReadout").isEmpty());
    const QImage image = form->grab().toImage();
    const QRect readout = label("pointerReadout")->geometry();
    const QColor background = image.pixelColor(readout.topLeft());
    for (int y = readout.top(); y <= readout.bottom(); ++y)
        for (int x = readout.left(); x <= readout.right(); ++x)
            ASSERT_EQ(image.pixelColor(x, y), background) << x << ',' << y;
}
