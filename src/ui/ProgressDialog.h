#pragma once
// A modal window shown while long work runs: its own lines above a Cancel button. Its close box
// does nothing: the work ends by itself or through Cancel (or Escape), never by the window going
// away under it.
#include <QDialog>

class QPushButton;
class QVBoxLayout;

class ProgressDialog : public QDialog {
    Q_OBJECT
public:
    ProgressDialog(const char* objectName, const QString& title, QWidget* parent);
    QPushButton* CancelButton() const { return btnCancel_; }

signals:
    void cancelRequested();

protected:
    // Adds a line of the window above the Cancel button.
    void AddLine(QWidget* line);
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QVBoxLayout* lines_;
    QPushButton* btnCancel_;
};
