#pragma once
// A pair of arrow buttons that step a value up or down; the value itself lives
// in the model and is shown by the associate label.

#include <QWidget>

class QToolButton;

namespace vargis::qt {

class UpDownWidget : public QWidget {
    Q_OBJECT

public:
    explicit UpDownWidget(QWidget* parent = nullptr);

    // Arrows side by side (left = down, right = up) instead of stacked.
    void setHorizontal(bool horizontal);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void stepped(bool up);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeButtons();

    QToolButton* up_;
    QToolButton* down_;
    bool horizontal_ = false;
};

} // namespace vargis::qt
