#include "report/ReportPage.h"

#include "platform/ui/QtCanvas.h"

#include <QPaintDevice>
#include <QPainter>

TPicturePage::TPicturePage(int width, int height, int pixelsPerInch)
    : width_(width), height_(height), painter_(std::make_unique<QPainter>()) {
    picture_.setBoundingRect(QRect(0, 0, width, height));
    painter_->begin(&picture_);
    canvas_ = std::make_unique<TQtCanvas>(*painter_, pixelsPerInch);
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
    if (const QPaintDevice* device = painter.device()) {
        painter.scale(double(picture_.logicalDpiX()) / device->logicalDpiX(),
                      double(picture_.logicalDpiY()) / device->logicalDpiY());
    }
    picture_.play(&painter);
    painter.restore();
}

void TPicturePage::Draw(TCanvas& canvas, const TRect& target) const {
    if (auto* qt = dynamic_cast<TQtCanvas*>(&canvas)) {
        Play(qt->Painter(), QRect(target.Left, target.Top, target.Width(), target.Height()));
    }
}
