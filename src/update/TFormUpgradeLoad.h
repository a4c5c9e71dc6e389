// The download window: fetches the installer from the update server with a
// progress display, saves it into the data folder, starts it and ends the
// program. Shown without being modal; it releases itself when closed.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string_view>

#include "platform/HttpClient.h"

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

// The direction of an HTTP transfer, as the work events report it.
enum class TWorkMode { wmRead, wmWrite };

class TFormUpgradeLoad final : public QDialog {
    Q_OBJECT
public:
    explicit TFormUpgradeLoad(QWidget* owner);
    ~TFormUpgradeLoad() override;

    QLabel* LabelInfo;
    QLabel* LabelProgress;
    QProgressBar* ProgressBar1;
    QFrame* sPanel1;
    QPushButton* ButtonBreak;
    THttpClient IdHTTP1;

    std::int64_t TotalBytes = 0;  // the size announced when the transfer began

    // Appends text (1251) to LabelInfo.
    void SetTargetVersion(std::string_view text);
    // Fetches "setup.exe", saves it as DataFolder + "setup.exe", starts it and
    // ends the program; on failure reports it and leaves the window open with
    // the button reading "Закрыть".
    void DownloadAndRun();
    void IdHTTP1WorkBegin(TWorkMode mode, std::int64_t workCountMax);
    void IdHTTP1Work(TWorkMode mode, std::int64_t workCount);
    void ButtonBreakClick();
    // Clears FormUpgradeLoad; the window is released after closing.
    void FormClose();

    // Whether a transfer is under way; the window cannot be closed then.
    bool Downloading() const { return downloading_; }

    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Fail(std::string_view text);

    bool downloading_ = false;
};

// The download window while it exists, else null.
extern TFormUpgradeLoad* FormUpgradeLoad;
