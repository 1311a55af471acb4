#pragma once

#include <QPushButton>

namespace quorl {

// A push button that Enter clicks while it has the focus, as Space does. It
// is never a default button, so Enter in any other control clicks nothing.
class CommandButton final : public QPushButton {
public:
    CommandButton(const QString& text, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace quorl
