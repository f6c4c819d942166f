// The shape control as it paints: circles filled to their border, an empty
// rectangle that shows what lies beneath it.

#include "tests/support/test_main.h"

#include "platform/design.h"
#include "platform/shape.h"

#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QWidget>

using platform::rgb;
using platform::Shape;

namespace {

// A white surface with one shape on it, painted into an image.
struct Surface {
    QWidget widget;
    Shape *shape;

    Surface(Shape::Kind kind, QRect where)
    {
        widget.resize(100, 100);
        platform::setBackColor(&widget, rgb(255, 255, 255));
        shape = new Shape(kind, &widget);
        shape->setBounds(where);
    }
    // The shape is a child of the widget: a copy would share it.
    Surface(const Surface &) = delete;
    Surface &operator=(const Surface &) = delete;
    QImage paint() { return widget.grab().toImage(); }
};

const QColor white(255, 255, 255);

}  // namespace

class TestShape : public QObject
{
    Q_OBJECT

private slots:
    void circleIsFilledWithinItsBounds();
    void emptyRectangleShowsOnlyItsBorder();
    void clicksPassThrough();
};

void TestShape::circleIsFilledWithinItsBounds()
{
    Surface s(Shape::Kind::Circle, QRect(10, 10, 40, 40));
    s.shape->setFillColor(rgb(255, 255, 0));
    s.shape->setBorderColor(rgb(0, 0, 255));
    s.shape->setBorderWidth(3);
    const QImage image = s.paint();

    QCOMPARE(image.pixelColor(30, 30), QColor(255, 255, 0));  // centre: fill
    QCOMPARE(image.pixelColor(30, 10), QColor(0, 0, 255));    // top edge: border
    QCOMPARE(image.pixelColor(12, 12), white);                // corner of the bounds: outside the circle
    QCOMPARE(image.pixelColor(55, 30), white);                // beyond the bounds
}

void TestShape::emptyRectangleShowsOnlyItsBorder()
{
    Surface s(Shape::Kind::Rectangle, QRect(10, 10, 60, 40));
    s.shape->noFill();
    s.shape->setBorderColor(rgb(0, 0, 255));
    s.shape->setBorderWidth(10);
    QCOMPARE(s.shape->bounds(), QRect(10, 10, 60, 40));
    const QImage image = s.paint();

    // A wide border runs along the outline, half of it outside.
    for (int x : {5, 10, 14, 65, 74})
        QCOMPARE(image.pixelColor(x, 30), QColor(0, 0, 255));
    QCOMPARE(image.pixelColor(40, 5), QColor(0, 0, 255));
    QCOMPARE(image.pixelColor(40, 54), QColor(0, 0, 255));
    QCOMPARE(image.pixelColor(4, 30), white);
    QCOMPARE(image.pixelColor(75, 30), white);
    QCOMPARE(image.pixelColor(40, 30), white);  // nothing inside
    QCOMPARE(image.pixelColor(16, 30), white);
}

void TestShape::clicksPassThrough()
{
    // A frame drawn over a button must not swallow its clicks.
    QWidget window;
    window.resize(100, 100);
    auto *button = new QPushButton(QStringLiteral("ok"), &window);
    button->setGeometry(20, 20, 60, 30);
    auto *frame = new Shape(Shape::Kind::Rectangle, &window);
    frame->setGeometry(0, 0, 100, 100);
    frame->raise();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 35));
    QCOMPARE(clicks, 1);
}

ANALISI_TEST_MAIN(TestShape)
#include "test_shape.moc"
