#pragma once
// An edit box that tells when it has lost the focus, after it has finished losing it: a window
// that checks the typed value then may give the focus back with the text selected, and the
// selection stays.
#include <QFocusEvent>
#include <QLineEdit>

class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void focusLeft(Qt::FocusReason reason);

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
