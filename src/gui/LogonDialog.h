#pragma once
// The logon dialog: user name, password and database, prefilled with the values of the attempt
// that failed; OK tries again with the edited values, Cancel stops.

#include "base/Vmesnik.h"

#include <QDialog>

class QLineEdit;

namespace orv::gui {

class LogonDialog : public QDialog {
    Q_OBJECT
public:
    LogonDialog(const LogonPrompt& prompt, QWidget* parent);

    /// The values as the operator left them.
    LogonPrompt values() const;

    QLineEdit* eUporabnik;
    QLineEdit* eGeslo;
    QLineEdit* eBaza;
};

} // namespace orv::gui
