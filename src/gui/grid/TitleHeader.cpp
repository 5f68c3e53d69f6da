#include "gui/grid/TitleHeader.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QTextLayout>

namespace orv::gui {

namespace {

constexpr int kMargin = 3;

} // namespace

TitleHeader::TitleHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(true);
    setHighlightSections(false);
    setTextElideMode(Qt::ElideRight);
}

void TitleHeader::setWordWrap(bool wrap) {
    wordWrap_ = wrap;
    updateGeometry();
    viewport()->update();
    // The view lays its title row out anew from sizeHint().
    resize(width(), sizeHint().height());
}

QSize TitleHeader::sizeHint() const {
    QSize size = QHeaderView::sizeHint();
    if (wordWrap_) size.setHeight(kWrappedHeight);
    return size;
}

QString TitleHeader::drawnTitle(const QString& title, int width, int height) const {
    const QFontMetrics metrics(font());
    if (!wordWrap_) return metrics.elidedText(title, Qt::ElideRight, width);
    // Lay the words out over the lines that fit; the last line that fits takes the rest of the
    // text, cut with an ellipsis.
    const int lines = std::max(1, height / metrics.lineSpacing());
    QTextLayout layout(title, font());
    layout.beginLayout();
    QStringList shown;
    for (int i = 0; i < lines; ++i) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(width);
        if (i == lines - 1) {
            shown << metrics.elidedText(title.mid(line.textStart()).simplified(), Qt::ElideRight,
                                        width);
            break;
        }
        shown << metrics.elidedText(title.mid(line.textStart(), line.textLength()).trimmed(),
                                    Qt::ElideRight, width);
    }
    layout.endLayout();
    return shown.join('\n');
}

void TitleHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid()) return;
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    // Only the section's face: the title is drawn below, wrapped or cut as asked.
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);

    const QString title =
        model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    const QRect textRect = rect.adjusted(kMargin, 1, -kMargin, -1);
    painter->save();
    painter->setFont(font());
    painter->setPen(palette().color(QPalette::ButtonText));
    const int flags = wordWrap_ ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                : int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
    painter->drawText(textRect, flags, drawnTitle(title, textRect.width(), textRect.height()));
    painter->restore();
}

} // namespace orv::gui
