#pragma once

// A shape drawn on a window: a circle or a rectangle, filled with a colour or
// left empty, with a border of a colour and a width in pixels. It takes no
// clicks, so controls it frames stay usable.
//
// A shape stands on its outline, given with setBounds(). A border of one
// pixel lies just inside the outline; a wider one is centred on it, so the
// widget reaches half a border beyond the outline.

#include <QColor>
#include <QWidget>

namespace platform {

class Shape final : public QWidget
{
    Q_OBJECT

public:
    enum class Kind { Rectangle, Circle };

    explicit Shape(Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return kind_; }

    void setBounds(const QRect &outline);
    QRect bounds() const;

    // Solid fill in 0x00BBGGRR; noFill() leaves the inside transparent.
    void setFillColor(quint32 bbggrr);
    void noFill();
    bool filled() const { return filled_; }
    QColor fillColor() const { return fill_; }

    void setBorderColor(quint32 bbggrr);
    QColor borderColor() const { return border_; }
    // In pixels.
    void setBorderWidth(int pixels);
    int borderWidth() const { return borderWidth_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int margin() const;

    Kind kind_;
    bool filled_ = false;
    QColor fill_;
    QColor border_ = Qt::black;
    int borderWidth_ = 1;
};

}  // namespace platform
