#pragma once
// The sort dialog "Sort": lists the orderings a grid offers; the chosen one is carried out by
// the grid's owner.

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;

namespace orv::gui {

class TfSort : public QDialog {
    Q_OBJECT
public:
    explicit TfSort(QWidget* parent = nullptr);

    /// Lists `items` (display texts) with `chosen` preselected; returns the position the user
    /// picked with OK, or -1.
    int pick(const std::vector<std::string>& items, int chosen);

    static TfSort* instance(QWidget* parent);

    QListWidget* lbSort;
};

} // namespace orv::gui
