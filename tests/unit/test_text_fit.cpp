#include "about/text_fit.h"

#include <QtTest>

using namespace quivanto;

// A small window in the About box's manner: a title with a version right of it and a
// button far right, a wrapped text above a link, with a button beside both, and a line
// across the whole width below them.
namespace {

enum Box { Title, Version, Button, Text, Link, SideButton, Line, Count };

constexpr int ClientWidth = 300;
constexpr int ClientHeight = 200;
constexpr int KeptGap = 8;

std::vector<TextBox> design() {
    std::vector<TextBox> boxes(Count);
    boxes[Title].place = {10, 10, 60, 25};
    boxes[Version].place = {65, 10, 130, 25};
    boxes[Button].place = {220, 10, 290, 35};
    boxes[Text].place = {10, 40, 200, 80};
    boxes[Link].place = {10, 82, 200, 110};
    boxes[SideButton].place = {220, 82, 290, 107};
    boxes[Line].place = {5, 150, 295, 150};
    return boxes;
}

} // namespace

class TestTextFit final : public QObject {
    Q_OBJECT
private slots:
    void textsThatFitKeepTheDesign();
    void aWiderTitlePushesItsNeighbourOnlyAsFarAsItMust();
    void aTallerTextPushesWhatLiesBelowItInItsColumns();
    void theClientGrowsWithWhatReachesPastTheDesign();
};

void TestTextFit::textsThatFitKeepTheDesign() {
    std::vector<TextBox> boxes = design();
    boxes[Title].neededWidth = 50; // exactly its width
    boxes[Text].neededHeight = 30; // less than it has: nothing shrinks
    boxes[Version].neededWidth = 20;
    const FittedLayout fitted = fitToTexts(boxes, ClientWidth, ClientHeight, KeptGap);
    for (int i = 0; i < Count; ++i)
        QCOMPARE(fitted.places[i], boxes[i].place);
    QCOMPARE(fitted.clientWidth, ClientWidth);
    QCOMPARE(fitted.clientHeight, ClientHeight);
}

void TestTextFit::aWiderTitlePushesItsNeighbourOnlyAsFarAsItMust() {
    std::vector<TextBox> boxes = design();
    boxes[Title].neededWidth = 70;    // right edge 80: the version keeps its 5-pixel gap
    boxes[Version].neededWidth = 100; // 85 + 100 = 185: short of the button's 220 - 8
    const FittedLayout fitted = fitToTexts(boxes, ClientWidth, ClientHeight, KeptGap);
    QCOMPARE(fitted.places[Title], (PixelBox{10, 10, 80, 25}));
    QCOMPARE(fitted.places[Version], (PixelBox{85, 10, 185, 25}));
    QCOMPARE(fitted.places[Button], boxes[Button].place);

    boxes[Version].neededWidth = 140; // now it would reach 225: the button keeps 8 pixels
    const FittedLayout pushed = fitToTexts(boxes, ClientWidth, ClientHeight, KeptGap);
    QCOMPARE(pushed.places[Button], (PixelBox{233, 10, 303, 35}));
    QCOMPARE(pushed.places[Text], boxes[Text].place); // on other rows
}

void TestTextFit::aTallerTextPushesWhatLiesBelowItInItsColumns() {
    std::vector<TextBox> boxes = design();
    boxes[Text].neededHeight = 55; // bottom 95 instead of 80
    boxes[Link].neededHeight = 40; // taller too, after being moved
    const FittedLayout fitted = fitToTexts(boxes, ClientWidth, ClientHeight, KeptGap);
    QCOMPARE(fitted.places[Text], (PixelBox{10, 40, 200, 95}));
    QCOMPARE(fitted.places[Link], (PixelBox{10, 97, 200, 137}));
    QCOMPARE(fitted.places[SideButton], boxes[SideButton].place); // other columns
    // The line was 40 below the link: it keeps 8 of that, as little as it must move.
    QCOMPARE(fitted.places[Line], (PixelBox{5, 150, 295, 150}));
    boxes[Link].neededHeight = 60;
    QCOMPARE(fitToTexts(boxes, ClientWidth, ClientHeight, KeptGap).places[Line],
             (PixelBox{5, 165, 295, 165}));
    QCOMPARE(fitted.clientHeight, ClientHeight);
}

void TestTextFit::theClientGrowsWithWhatReachesPastTheDesign() {
    std::vector<TextBox> boxes = design();
    boxes[Version].neededWidth = 160; // right edge 225: the button goes to 233..303
    boxes[Text].neededHeight = 120;   // bottom 160: the link to 162..190, the line to 198
    const FittedLayout fitted = fitToTexts(boxes, ClientWidth, ClientHeight, KeptGap);
    QCOMPARE(fitted.places[Button], (PixelBox{233, 10, 303, 35}));
    QCOMPARE(fitted.places[Line].top, 198);
    // The margins beyond the design's farthest edges (the line's 295 and 150) are kept.
    QCOMPARE(fitted.clientWidth, ClientWidth + 303 - 295);
    QCOMPARE(fitted.clientHeight, ClientHeight + 198 - 150);
}

QTEST_GUILESS_MAIN(TestTextFit)
#include "test_text_fit.moc"
