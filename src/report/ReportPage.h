#pragma once
// A preview page: drawn through its canvas until closed, then replayed into
// any rectangle.

#include <QImage>
#include <QPicture>
#include <QRect>

#include <memory>
#include <vector>

class QPainter;
class TCanvas;
class TQtCanvas;
struct TRect;

class TReportPage {
public:
    virtual ~TReportPage() = default;
    // Valid until Close.
    virtual TCanvas& Canvas() = 0;
    // Completes the page.
    virtual void Close() = 0;
    // Draws the closed page scaled into `target`.
    virtual void Play(QPainter& painter, const QRect& target) const = 0;
    // The same onto a canvas (a printer's).
    virtual void Draw(TCanvas& canvas, const TRect& target) const = 0;
};

// A page recorded as a QPicture in pixels of the given density. A picture
// would keep every image drawn into it as PNG, milliseconds a page for the
// logos, so the page keeps its images beside the picture and draws them
// over it when replayed.
class TPicturePage : public TReportPage {
public:
    TPicturePage(int width, int height, int pixelsPerInch);
    ~TPicturePage() override;

    TCanvas& Canvas() override;
    void Close() override;
    void Play(QPainter& painter, const QRect& target) const override;
    // Draws on a canvas over a painter; any other canvas gets nothing.
    void Draw(TCanvas& canvas, const TRect& target) const override;

private:
    struct TPlacedImage {
        QRect Rect;
        QImage Image;
    };

    int width_;
    int height_;
    mutable QPicture picture_;  // play() is not const
    std::vector<TPlacedImage> images_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<TQtCanvas> canvas_;
};
