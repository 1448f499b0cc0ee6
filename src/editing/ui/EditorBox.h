#pragma once

#include <QLineEdit>

#include <functional>

// The editor box laid over the sheet's current cell. It hands the movement
// keys to the program and edits text like any line edit.
class EditorBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit EditorBox(QWidget *parent = nullptr);

    // Called for every key before the box edits its text; a movement key is
    // not edited further.
    std::function<void(int keyCode)> keyDown;
    std::function<void()> lostFocus;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};
