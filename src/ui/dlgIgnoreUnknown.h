#pragma once
// The unknown-device question of an open: "&Yes", "Yes to &All" or "&Cancel".
#include <QDialog>

#include "document/OpenPrompts.h"

class dlgIgnoreUnknown : public QDialog {
    Q_OBJECT
public:
    explicit dlgIgnoreUnknown(const QString& message, QWidget* parent = nullptr);
    // Shows the question for loop l, address s and device type T modally: 'Y', 'A' or 'C'.
    static char UnknownResponse(int l, int s, int T, QWidget* parent);
    char Response() const { return response_; }

protected:
    void reject() override;

private:
    char response_ = 'C';
};

// The question as an open asks it: the dialog, modal over the given window.
class IgnoreUnknownDialog : public IgnoreUnknownPrompt {
public:
    explicit IgnoreUnknownDialog(QWidget* parent) : parent_(parent) {}
    char UnknownResponse(std::int16_t l, std::int16_t s, std::int16_t T) override {
        return dlgIgnoreUnknown::UnknownResponse(l, s, T, parent_);
    }

private:
    QWidget* parent_;
};
