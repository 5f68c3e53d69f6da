#pragma once
// The column titles of the data grid: on one line, or wrapped over several lines in a title row
// 45 pixels high. Both cut an overlong title with an ellipsis.

#include <QHeaderView>

namespace orv::gui {

class TitleHeader : public QHeaderView {
    Q_OBJECT
public:
    static constexpr int kWrappedHeight = 45;

    explicit TitleHeader(QWidget* parent = nullptr);

    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool wrap);

    /// The title as drawn in a rectangle of `width` x `height` pixels: wrapped or on one line,
    /// with an ellipsis where it is cut.
    QString drawnTitle(const QString& title, int width, int height) const;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sizeHint() const override;

private:
    bool wordWrap_ = false;
};

} // namespace orv::gui
