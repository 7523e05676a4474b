// SPDX-License-Identifier: MIT
// Tests of CStepButton: fitting arithmetic, pointer colour at the margin, layers, pressing.
#include <QMouseEvent>
#include <QLineEdit>
#include <QtTest>

#include "gui/controls/font_height.h"
#include "gui/controls/step_button.h"
#include "gui/controls/step_button_geometry.h"

namespace geometry = korvexer::gui::step_geometry;
using korvexer::gui::CStepButton;

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
// Distinct colours for the four embossing layers, so each can be found in a grabbed image.
const QColor kShadow(10, 10, 10);
const QColor kLight(250, 250, 120);
const QColor kDark(120, 60, 0);
const QColor kMidlight(0, 200, 200);
const QColor kGround(235, 235, 235);

void MoveTo(QWidget& widget, QPoint point) {
    QMouseEvent move(QEvent::MouseMove, QPointF(point), widget.mapToGlobal(QPointF(point)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

// Bounding box of the pixels of exactly `colour`; empty when there are none.
QRect BoxOf(const QImage& image, const QColor& colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb()) box |= QRect(x, y, 1, 1);
    return box;
}

// A step button on a plain ground with the layer colours above.
struct Fixture {
    explicit Fixture(const QString& caption, QSize size = QSize(200, 60), bool ownColours = true) {
        window.resize(size + QSize(20, 20));
        if (ownColours) UseLayerColours();
        button = new CStepButton(caption, &window);
        button->setFont(korvexer::gui::font_height::DialogFont());
        button->setGeometry(QRect(QPoint(10, 10), size));
        // The keyboard focus rests elsewhere unless a test gives it to the button.
        other = new QLineEdit(&window);
        other->setGeometry(0, 0, 5, 5);
        window.show();
        other->setFocus();
        exposed = QTest::qWaitForWindowExposed(&window);
    }
    void UseLayerColours() {
        QPalette colours = window.palette();
        colours.setColor(QPalette::Window, kGround);
        colours.setColor(QPalette::Shadow, kShadow);
        colours.setColor(QPalette::Light, kLight);
        colours.setColor(QPalette::Dark, kDark);
        colours.setColor(QPalette::Midlight, kMidlight);
        window.setPalette(colours);
        window.setAutoFillBackground(true);
    }
    QImage Shot() const { return button->grab().toImage(); }
    void Save(const QString& name) {
        window.grab().save(QStringLiteral(KORVEXER_GUI_RENDER_DIR "/") + name + ".png");
    }

    QWidget window;
    CStepButton* button = nullptr;
    QLineEdit* other = nullptr;
    bool exposed = false;
};

}  // namespace

class StepButtonTest : public QObject {
    Q_OBJECT
private slots:
    void mulDiv_data();
    void mulDiv();
    void innerArea_data();
    void innerArea();
    void fittedFontHeight_data();
    void fittedFontHeight();
    void captionOrigin();
    void captionColourFollowsThePointer();
    void captionDrawnInFiveLayersAndSunkWhenPressed();
    void fontFitsTheButton_data();
    void fontFitsTheButton();
    void disabledButtonLooksEnabled();
    void keyboardFocusShowsAFrame();
};

void StepButtonTest::mulDiv_data() {
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("expected");
    QTest::newRow("exact") << 20 << 30 << 10 << 60;
    QTest::newRow("half rounds up") << 5 << 1 << 2 << 3;
    QTest::newRow("below half rounds down") << 7 << 1 << 3 << 2;
    QTest::newRow("above half rounds up") << 8 << 1 << 3 << 3;
    QTest::newRow("negative half rounds away from zero") << -5 << 1 << 2 << -3;
    QTest::newRow("negative divisor") << 5 << 1 << -2 << -3;
    QTest::newRow("both negative") << -20 << 54 << -27 << 40;
    QTest::newRow("64-bit intermediate") << 2000000000 << 3 << 4 << 1500000000;
    QTest::newRow("division by zero") << 20 << 54 << 0 << -1;
}

void StepButtonTest::mulDiv() {
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, expected);
    QCOMPARE(geometry::MulDiv(a, b, c), expected);
}

void StepButtonTest::innerArea_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("inside");
    // Button 100 x 40: the inner area runs from (10, 10) up to, not including, (90, 30).
    QTest::newRow("corner") << QPoint(0, 0) << false;
    QTest::newRow("last margin pixel left") << QPoint(9, 20) << false;
    QTest::newRow("inner left edge") << QPoint(10, 20) << true;
    QTest::newRow("inner top edge") << QPoint(50, 10) << true;
    QTest::newRow("last inner pixel") << QPoint(89, 29) << true;
    QTest::newRow("inner right edge is outside") << QPoint(90, 20) << false;
    QTest::newRow("inner bottom edge is outside") << QPoint(50, 30) << false;
    QTest::newRow("outside the button") << QPoint(150, 20) << false;
}

void StepButtonTest::innerArea() {
    QFETCH(QPoint, point);
    QFETCH(bool, inside);
    QCOMPARE(geometry::InInnerArea(point, QSize(100, 40)), inside);
}

void StepButtonTest::fittedFontHeight_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<QSize>("button");
    QTest::addColumn<QSize>("measured");
    QTest::addColumn<int>("expected");
    // Button 206 x 60 leaves 200 x 54 for the caption.
    QTest::newRow("wide caption: width limits")
        << -20 << QSize(206, 60) << QSize(400, 27) << -(10 - 1);
    QTest::newRow("short caption: height limits")
        << -20 << QSize(206, 60) << QSize(50, 27) << -(40 - 1);
    QTest::newRow("no height counts as 20") << 0 << QSize(206, 60) << QSize(50, 27) << 40 - 1;
    QTest::newRow("cell height stays positive") << 24 << QSize(206, 60) << QSize(300, 30) << 16 - 1;
    QTest::newRow("rounding of the ratio") << -20 << QSize(206, 60) << QSize(50, 28) << -(39 - 1);
    // Equal ratios: the width rule applies.
    QTest::newRow("tie goes to the width") << -20 << QSize(206, 60) << QSize(200, 54) << -(20 - 1);
}

void StepButtonTest::fittedFontHeight() {
    QFETCH(int, height);
    QFETCH(QSize, button);
    QFETCH(QSize, measured);
    QFETCH(int, expected);
    QCOMPARE(geometry::FittedFontHeight(height, button, measured), expected);
}

void StepButtonTest::captionOrigin() {
    QCOMPARE(geometry::CaptionOrigin(QSize(200, 60), QSize(100, 20)), QPoint(51, 22));
    QCOMPARE(geometry::CaptionOrigin(QSize(201, 61), QSize(100, 20)), QPoint(51, 22));
    // A caption wider than the button: halves towards zero, not downwards.
    QCOMPARE(geometry::CaptionOrigin(QSize(100, 20), QSize(103, 23)), QPoint(0, 1));
}

void StepButtonTest::captionColourFollowsThePointer() {
    Fixture f(QStringLiteral("第二步 数据保护"));
    QVERIFY(f.exposed);
    QVERIFY(f.button->hasMouseTracking());
    QCOMPARE(f.button->CaptionColour(), kRed);
    struct Step {
        QPoint at;
        QColor colour;
    };
    const Step steps[] = {
        {QPoint(0, 30), kRed},    {QPoint(9, 30), kRed},   {QPoint(10, 30), kBlue},
        {QPoint(100, 10), kBlue}, {QPoint(100, 9), kRed},  {QPoint(189, 49), kBlue},
        {QPoint(190, 30), kRed},  {QPoint(100, 50), kRed}, {QPoint(100, 30), kBlue},
    };
    for (const Step& step : steps) {
        MoveTo(*f.button, step.at);
        QCOMPARE(f.button->CaptionColour(), step.colour);
    }
    // The caption shows the colour: blue pixels, no red ones.
    QImage shot = f.Shot();
    QVERIFY(!BoxOf(shot, kBlue).isEmpty());
    QVERIFY(BoxOf(shot, kRed).isEmpty());
    f.Save(QStringLiteral("step_button_blue"));
    // The pointer leaves without crossing the margin: the colour stays.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(f.button, &leave);
    QCOMPARE(f.button->CaptionColour(), kBlue);
    MoveTo(*f.button, QPoint(3, 3));
    shot = f.Shot();
    QVERIFY(!BoxOf(shot, kRed).isEmpty());
    QVERIFY(BoxOf(shot, kBlue).isEmpty());
}

void StepButtonTest::captionDrawnInFiveLayersAndSunkWhenPressed() {
    Fixture f(QStringLiteral("第三步 功能耦合"));
    QVERIFY(f.exposed);
    const QImage raised = f.Shot();
    f.Save(QStringLiteral("step_button_raised"));
    const QRect caption = BoxOf(raised, kRed);
    QVERIFY(!caption.isEmpty());
    for (const QColor& layer : {kShadow, kLight, kDark, kMidlight})
        QVERIFY2(!BoxOf(raised, layer).isEmpty(), qPrintable(layer.name()));
    // Raised: the dark shadow lies two pixels down and right of the caption, the highlight two
    // pixels up and left.
    QCOMPARE(BoxOf(raised, kShadow).bottomRight(), caption.bottomRight() + QPoint(2, 2));
    QCOMPARE(BoxOf(raised, kLight).topLeft(), caption.topLeft() - QPoint(2, 2));
    // Nothing but the caption is drawn: the ground shows in the corners.
    QCOMPARE(raised.pixelColor(1, 1).rgb(), kGround.rgb());
    QCOMPARE(raised.pixelColor(raised.width() - 2, raised.height() - 2).rgb(), kGround.rgb());

    f.button->setDown(true);
    const QImage sunk = f.Shot();
    f.Save(QStringLiteral("step_button_pressed"));
    // Pressed: the caption stays put and the layers change sides.
    QCOMPARE(BoxOf(sunk, kRed), caption);
    QCOMPARE(BoxOf(sunk, kShadow).topLeft(), caption.topLeft() - QPoint(2, 2));
    QCOMPARE(BoxOf(sunk, kLight).bottomRight(), caption.bottomRight() + QPoint(2, 2));
    f.button->setDown(false);
    QCOMPARE(f.Shot(), raised);
}

void StepButtonTest::fontFitsTheButton_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("wide button") << QSize(260, 50);
    QTest::newRow("tall button") << QSize(120, 90);
}

void StepButtonTest::fontFitsTheButton() {
    QFETCH(QSize, size);
    Fixture shortOne(QStringLiteral("第二步"), size);
    Fixture longOne(QStringLiteral("第二步 数据保护 常量"), size);
    QVERIFY(shortOne.exposed && longOne.exposed);
    const QFont shortFont = shortOne.button->CaptionFont();
    const QFont longFont = longOne.button->CaptionFont();
    QVERIFY(shortFont.pixelSize() > 0);
    QVERIFY(longFont.pixelSize() < shortFont.pixelSize());
    // Each caption fits inside the button less the 3-pixel inset and fills it on the side that
    // limits it to within a few pixels.
    for (Fixture* f : {&shortOne, &longOne}) {
        const QFontMetrics metrics(f->button->CaptionFont());
        const int width = metrics.horizontalAdvance(f->button->text());
        const int height = metrics.height();
        QVERIFY2(width <= size.width() - 6 && height <= size.height() - 6,
                 qPrintable(QStringLiteral("%1 x %2").arg(width).arg(height)));
        const bool fillsWidth = width >= size.width() - 6 - width / 8;
        const bool fillsHeight = height >= size.height() - 6 - height / 5;
        QVERIFY2(fillsWidth || fillsHeight,
                 qPrintable(QStringLiteral("%1 x %2").arg(width).arg(height)));
    }
    longOne.Save(QStringLiteral("step_button_long_caption"));
}

void StepButtonTest::disabledButtonLooksEnabled() {
    // In the platform's own colours, as the window shows it.
    Fixture f(QStringLiteral("第三步 功能耦合"), QSize(300, 70), false);
    QVERIFY(f.exposed);
    const QImage enabled = f.Shot();
    f.Save(QStringLiteral("step_button_platform_colours"));
    QVERIFY(!BoxOf(enabled, kRed).isEmpty());
    f.button->setEnabled(false);
    QCOMPARE(f.Shot(), enabled);
}

void StepButtonTest::keyboardFocusShowsAFrame() {
    Fixture f(QStringLiteral("第三步 功能耦合"), QSize(300, 70), false);
    f.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    const QImage unfocused = f.Shot();
    QTest::keyClick(f.other, Qt::Key_Tab);  // as a user reaches it
    const QImage focused = f.Shot();
    f.Save(QStringLiteral("step_button_focused"));
    // A dotted line one pixel in from the top edge, in the text colour; the caption stays.
    const QRgb frame = f.button->palette().color(QPalette::WindowText).rgb();
    int dots = 0;
    for (int x = 1; x < 298; ++x) dots += focused.pixel(x, 1) == frame ? 1 : 0;
    QVERIFY2(dots > 298 / 4 && dots < 2 * 298 / 3, qPrintable(QString::number(dots)));
    QCOMPARE(BoxOf(focused, kRed), BoxOf(unfocused, kRed));
    f.other->setFocus();
    QCOMPARE(f.Shot(), unfocused);
}

QTEST_MAIN(StepButtonTest)
#include "step_button_test.moc"
