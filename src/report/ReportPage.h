#pragma once
// A preview page: drawn through its canvas until closed, then replayed into
// any rectangle.

#include <QPicture>

#include <memory>
#include <optional>

class QPainter;
class QRect;
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

// A page recorded as a QPicture in pixels of the given density.
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
    int width_;
    int height_;
    mutable QPicture picture_;  // play() is not const
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<TQtCanvas> canvas_;
};
