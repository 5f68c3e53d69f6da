#pragma once
// What the printed listing needs of a printer: its page size in device units, fonts and text
// measures, text and lines, new sheets, and the print job. The desktop program and the headless
// export implement it with Qt's painter; tests record the calls.

#include <string>

namespace orv::print {

struct ListingFont {
    std::string name = "Arial CE";
    int size = 8; ///< points
    bool bold = false;
    bool italic = false;
};

enum class Align { Left, Right, Center };

class ListingCanvas {
public:
    virtual ~ListingCanvas() = default;

    /// Starts the print job under `jobTitle`. Throws when the printer refuses.
    virtual void startJob(const std::string& jobTitle) = 0;
    /// Ends the job; everything drawn comes out. Throws when the printer fails.
    virtual void endJob() = 0;
    /// Abandons the job; what was drawn need not come out.
    virtual void abortJob() = 0;

    /// The printable page in device units.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;

    virtual void setFont(const ListingFont& font) = 0;
    /// Measures in the current font, in device units.
    virtual int textWidth(const std::string& text) = 0;
    virtual int textHeight(const std::string& text) = 0;
    /// The height of `text` word-wrapped into `width`.
    virtual int wrappedHeight(const std::string& text, int width) = 0;

    /// Draws `text` in the box (x, y, width, height), aligned, on one line or word-wrapped; what
    /// does not fit the box is cut.
    virtual void drawText(int x, int y, int width, int height, const std::string& text, Align align,
                          bool wrap) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
    /// Starts the next sheet.
    virtual void newPage() = 0;
};

} // namespace orv::print
