#pragma once
// The printed listing's canvas over Qt's painter, on any paged device: a printer of the system
// or a PDF file. Both faces of the program draw their listings through it.

#include "print/ListingCanvas.h"

#include <QPainter>

#include <functional>

class QPagedPaintDevice;

namespace orv::gui {

class QtListingCanvas : public print::ListingCanvas {
public:
    /// Draws on `device`. `onStart` names the job on the device before painting begins;
    /// `onAbort` abandons what the device has made (a printer's job, a PDF's file).
    QtListingCanvas(QPagedPaintDevice& device, std::function<void(const std::string&)> onStart,
                    std::function<void()> onAbort);
    ~QtListingCanvas() override;

    void startJob(const std::string& jobTitle) override;
    void endJob() override;
    void abortJob() override;
    int pageWidth() const override;
    int pageHeight() const override;
    void setFont(const print::ListingFont& font) override;
    int textWidth(const std::string& text) override;
    int textHeight(const std::string& text) override;
    int wrappedHeight(const std::string& text, int width) override;
    void drawText(int x, int y, int width, int height, const std::string& text, print::Align align,
                  bool wrap) override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void newPage() override;

private:
    QPagedPaintDevice& device_;
    std::function<void(const std::string&)> onStart_;
    std::function<void()> onAbort_;
    QPainter painter_;
};

/// The listing's device resolution: the layout's device units are dots of a 300 dpi printer,
/// whatever the device is.
inline constexpr int kListingResolution = 300;

} // namespace orv::gui
