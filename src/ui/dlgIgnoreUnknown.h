#pragma once
// The unknown-device question of an open: "&Yes", "Yes to &All" or "&Cancel".
#include <QDialog>

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
