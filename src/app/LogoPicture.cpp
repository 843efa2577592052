#include "app/LogoPicture.h"

#include "app/AppFiles.h"
#include "lang/Languages.h"
#include "platform/ui/ComponentEvents.h"
#include "ui_LogoPicture.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace {

int& Interval() {
    static int interval = 3000;
    return interval;
}

}  // namespace

int SetLogoPictureInterval(int milliseconds) {
    return std::exchange(Interval(), milliseconds);
}

TLogoPictureForm::TLogoPictureForm(QWidget* owner)
    : TForm(owner), ui_(std::make_unique<Ui::LogoPictureForm>()), timer_(new QTimer(this)) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    LanguageList->TranslateForm(*this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);  // never before its 3000 ms
    timer_->setInterval(Interval());
    OnTimer(*timer_, this, [this] { Image1Click(); });
    OnClick(*ui_->Image1, this, [this] { Image1Click(); });

    const QImage picture = LoadProgramPicture();
    hasPicture_ = !picture.isNull();
    if (hasPicture_) {
        ui_->Image1->setPixmap(QPixmap::fromImage(picture));
        // The image takes exactly the picture's size; the frame around it stays.
        const QSize frame = size() - ui_->Image1->size();
        ui_->Image1->resize(picture.size());
        setFixedSize(picture.size() + frame);
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    timer_->start();
}

TLogoPictureForm::~TLogoPictureForm() = default;

void TLogoPictureForm::Image1Click() {
    timer_->stop();
    close();
}
