#include "gui/print/QtListingCanvas.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>

#include <stdexcept>

namespace orv::gui {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

QtListingCanvas::QtListingCanvas(QPagedPaintDevice& device,
                                 std::function<void(const std::string&)> onStart,
                                 std::function<void()> onAbort)
    : device_(device), onStart_(std::move(onStart)), onAbort_(std::move(onAbort)) {}

QtListingCanvas::~QtListingCanvas() {
    if (painter_.isActive()) painter_.end();
}

void QtListingCanvas::startJob(const std::string& jobTitle) {
    if (onStart_) onStart_(jobTitle);
    if (!painter_.begin(&device_)) throw std::runtime_error("Tiskanja ni mogoče začeti.");
    // Rules two dots wide: a hairline of a 300 dpi printer fades on the screen and in copies.
    painter_.setPen(QPen(Qt::black, 2));
}

void QtListingCanvas::endJob() {
    if (painter_.isActive() && !painter_.end())
        throw std::runtime_error("Tiskanja ni mogoče končati.");
}

void QtListingCanvas::abortJob() {
    if (painter_.isActive()) painter_.end();
    if (onAbort_) onAbort_();
}

int QtListingCanvas::pageWidth() const {
    return device_.width();
}

int QtListingCanvas::pageHeight() const {
    return device_.height();
}

void QtListingCanvas::setFont(const print::ListingFont& font) {
    QFont qfont(qt(font.name));
    qfont.setPointSize(font.size);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    painter_.setFont(qfont);
}

int QtListingCanvas::textWidth(const std::string& text) {
    return painter_.fontMetrics().horizontalAdvance(qt(text));
}

int QtListingCanvas::textHeight(const std::string&) {
    return painter_.fontMetrics().height();
}

int QtListingCanvas::wrappedHeight(const std::string& text, int width) {
    if (text.empty()) return painter_.fontMetrics().height();
    return painter_.fontMetrics()
        .boundingRect(QRect(0, 0, std::max(1, width), 1 << 20), Qt::TextWordWrap, qt(text))
        .height();
}

void QtListingCanvas::drawText(int x, int y, int width, int height, const std::string& text,
                               print::Align align, bool wrap) {
    if (width <= 0 || height <= 0 || text.empty()) return;
    int flags = align == print::Align::Right    ? Qt::AlignRight
                : align == print::Align::Center ? Qt::AlignHCenter
                                                : Qt::AlignLeft;
    flags |= Qt::AlignTop | (wrap ? Qt::TextWordWrap : Qt::TextSingleLine);
    // What does not fit the box is cut at its edge.
    painter_.save();
    painter_.setClipRect(x, y, width, height);
    painter_.drawText(QRect(x, y, width, height), flags, qt(text));
    painter_.restore();
}

void QtListingCanvas::drawLine(int x1, int y1, int x2, int y2) {
    painter_.drawLine(x1, y1, x2, y2);
}

void QtListingCanvas::newPage() {
    if (!device_.newPage()) throw std::runtime_error("Nove strani ni mogoče začeti.");
}

} // namespace orv::gui
