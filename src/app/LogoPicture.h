#pragma once
// The start-up picture: a borderless window showing the program's picture,
// centred on the screen, closed by a click on it or by its timer.

#include "platform/ui/Form.h"

#include <memory>

class QTimer;

namespace Ui {
class LogoPictureForm;
}

// The timer's interval, 3000 ms; tests shorten it. Returns the previous one.
int SetLogoPictureInterval(int milliseconds);

class TLogoPictureForm : public TForm {
    Q_OBJECT

public:
    // Loads the picture and sizes the window to it; the timer runs from here.
    explicit TLogoPictureForm(QWidget* owner = nullptr);
    ~TLogoPictureForm() override;

    // False when the picture is missing or unreadable: the start skips the window.
    bool HasPicture() const { return hasPicture_; }

    // Closes the window: the click on the picture and the timer's tick.
    void Image1Click();

    QTimer& Timer1() const { return *timer_; }

private:
    std::unique_ptr<Ui::LogoPictureForm> ui_;
    QTimer* timer_ = nullptr;
    bool hasPicture_ = false;
};
