#include "report/ReportPage.h"

#include "platform/ui/QtCanvas.h"

#include <QPaintDevice>
#include <QPainter>

#include <functional>

namespace {

// Hands stretched images to a list instead of the picture.
class TPictureCanvas : public TQtCanvas {
public:
    TPictureCanvas(QPainter& painter, int pixelsPerInch, std::function<void(const QRect&, const QImage&)> keep)
        : TQtCanvas(painter, pixelsPerInch), keep_(std::move(keep)) {}
    void StretchDraw(const TRect& rect, const TGraphic& graphic) override {
        const auto* picture = dynamic_cast<const TQtGraphic*>(&graphic);
        if (picture == nullptr || picture->Width() == 0 || rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
        keep_(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), picture->Image());
    }

private:
    std::function<void(const QRect&, const QImage&)> keep_;
};

}  // namespace

TPicturePage::TPicturePage(int width, int height, int pixelsPerInch)
    : width_(width), height_(height), painter_(std::make_unique<QPainter>()) {
    picture_.setBoundingRect(QRect(0, 0, width, height));
    painter_->begin(&picture_);
    canvas_ = std::make_unique<TPictureCanvas>(*painter_, pixelsPerInch, [this](const QRect& rect, const QImage& image) {
        images_.push_back({rect, image});
    });
}

TPicturePage::~TPicturePage() { TPicturePage::Close(); }

TCanvas& TPicturePage::Canvas() { return *canvas_; }

void TPicturePage::Close() {
    canvas_.reset();
    if (painter_) painter_->end();
    painter_.reset();
}

void TPicturePage::Play(QPainter& painter, const QRect& target) const {
    if (width_ <= 0 || height_ <= 0) return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(double(target.width()) / width_, double(target.height()) / height_);
    painter.setClipRect(QRect(0, 0, width_, height_), Qt::IntersectClip);
    // Replaying scales by the device's density over the picture's by itself:
    // divide that out so the page fills the target at any density.
    painter.save();
    if (const QPaintDevice* device = painter.device()) {
        painter.scale(double(picture_.logicalDpiX()) / device->logicalDpiX(),
                      double(picture_.logicalDpiY()) / device->logicalDpiY());
    }
    picture_.play(&painter);
    painter.restore();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const TPlacedImage& placed : images_) painter.drawImage(placed.Rect, placed.Image);
    painter.restore();
}

void TPicturePage::Draw(TCanvas& canvas, const TRect& target) const {
    if (auto* qt = dynamic_cast<TQtCanvas*>(&canvas)) {
        Play(qt->Painter(), QRect(target.Left, target.Top, target.Width(), target.Height()));
    }
}
