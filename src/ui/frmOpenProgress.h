#pragma once
// The open-progress window: which file is being opened, a percentage bar and Cancel. Its close
// box does nothing; only Cancel (confirmed by the reader's question) or the end of the work
// closes it.
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class frmOpenProgress : public QDialog {
    Q_OBJECT
public:
    explicit frmOpenProgress(QWidget* parent = nullptr);
    void ShowPath(const QString& text);
    void ShowPercent(int percent);
    QPushButton* CancelButton() const { return btnCancel_; }

signals:
    void cancelRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QLabel* lblPath_;
    QProgressBar* barProgress_;
    QPushButton* btnCancel_;
};
