#include "update/TFormUpgradeLoad.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <limits>
#include <string>

#include "dialogs/MessageDialogs.h"
#include "dialogs/WindowText.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "storage/AppSettings.h"
#include "update/ApplicationTerminate.h"
#include "update/UpdateServer.h"

TFormUpgradeLoad* FormUpgradeLoad = nullptr;

namespace {

// Positions of a size that does not fit the bar's int range are scaled down.
constexpr std::int64_t kScaledBarMaximum = 1000;

}  // namespace

TFormUpgradeLoad::TFormUpgradeLoad(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FormUpgradeLoad"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(ToQString("Загрузка обновления"_w));
    setFixedSize(391, 151);

    LabelInfo = new QLabel(ToQString("Выполняется загрузка обновления до версии"_w), this);
    LabelInfo->setObjectName(QStringLiteral("LabelInfo"));
    LabelInfo->setTextFormat(Qt::PlainText);
    LabelInfo->setAlignment(Qt::AlignCenter);
    LabelInfo->setGeometry(0, 8, 391, 28);

    LabelProgress = new QLabel(QStringLiteral("0 %"), this);
    LabelProgress->setObjectName(QStringLiteral("LabelProgress"));
    LabelProgress->setAlignment(Qt::AlignCenter);
    LabelProgress->setGeometry(0, 40, 391, 18);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(8, 62, 375, 21);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);

    sPanel1 = new QFrame(this);
    sPanel1->setObjectName(QStringLiteral("sPanel1"));
    sPanel1->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    sPanel1->setGeometry(0, 151 - 45, 391, 45);

    ButtonBreak = new QPushButton(ToQString("Прервать"_w), sPanel1);
    ButtonBreak->setObjectName(QStringLiteral("ButtonBreak"));
    ButtonBreak->setGeometry((391 - 109) / 2, (45 - 29) / 2, 109, 29);
    connect(ButtonBreak, &QPushButton::clicked, this, &TFormUpgradeLoad::ButtonBreakClick);

    IdHTTP1.Accept = "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";
    IdHTTP1.UserAgent = "Mozilla/3.0 (compatible; Indy Library)";
    IdHTTP1.OnWorkBegin = [this](std::int64_t expected) { IdHTTP1WorkBegin(TWorkMode::wmRead, expected); };
    IdHTTP1.OnWork = [this](std::int64_t received) { IdHTTP1Work(TWorkMode::wmRead, received); };
}

TFormUpgradeLoad::~TFormUpgradeLoad() {
    if (FormUpgradeLoad == this) FormUpgradeLoad = nullptr;
}

void TFormUpgradeLoad::SetTargetVersion(std::string_view text) {
    LabelInfo->setText(LabelInfo->text() + ToQString(text));
}

void TFormUpgradeLoad::Fail(std::string_view text) {
    ShowErrorMessage(this, text, "Ошибка"_w);
    ButtonBreak->setText(ToQString("Закрыть"_w));
}

void TFormUpgradeLoad::DownloadAndRun() {
    const std::string url = UpdateFileUrl("setup.exe");
    // Let the window appear before the transfer blocks the loop; input stays queued.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    downloading_ = true;
    THttpResult reply = IdHTTP1.Get(url);
    downloading_ = false;

    if (reply.status >= 400 || reply.body.empty()) {
        // Without any reply there is no status line; curl's reason says more than nothing.
        const std::string& reason = reply.statusLine.empty() ? reply.error : reply.statusLine;
        Fail(std::string("Не удалось загрузить файл обновления:\n"_w) + url + "\n" + reason);
        return;
    }

    const std::string path = DataFolder + "setup.exe";
    std::string error;
    // Written beside the old one and renamed over it: no half-written installer is ever started.
    if (!fs1251::WriteFileAtomic(path, reply.body, error, 0755)) {
        Fail(std::string("Не удалось сохранить файл обновления:\n"_w) + path + "\n" + error);
        return;
    }
    reply.body.clear();
    reply.body.shrink_to_fit();

    if (!StartDetached(path)) {
        Fail("Ошибка при запуске обновления..."_w);
        return;
    }
    ApplicationTerminate();
}

void TFormUpgradeLoad::IdHTTP1WorkBegin(TWorkMode, std::int64_t workCountMax) {
    TotalBytes = workCountMax;
    if (TotalBytes > std::numeric_limits<int>::max())
        ProgressBar1->setRange(0, int(kScaledBarMaximum));
    else
        ProgressBar1->setRange(0,
                               TotalBytes > 0 ? int(TotalBytes) : 1);  // 0..0 would turn it into a busy bar
    ProgressBar1->setValue(0);
    LabelProgress->setText(QStringLiteral("0 %"));
    // Paint and let the window system catch up, but take no user input: a click
    // here could start another command in the middle of this one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFormUpgradeLoad::IdHTTP1Work(TWorkMode, std::int64_t workCount) {
    if (TotalBytes == 0) return;
    std::int64_t position = workCount;
    if (TotalBytes > std::numeric_limits<int>::max()) position = workCount / (TotalBytes / kScaledBarMaximum);
    position = std::min<std::int64_t>(std::max<std::int64_t>(position, 0), ProgressBar1->maximum());
    const QString text = QString::number(workCount * 100 / TotalBytes) + QStringLiteral(" %");
    const bool changed = text != LabelProgress->text() || position != ProgressBar1->value();
    ProgressBar1->setValue(int(position));
    LabelProgress->setText(text);
    // The loop is blocked by the transfer: paint the two now, without handling any events.
    if (changed && isVisible()) {
        LabelProgress->repaint();
        ProgressBar1->repaint();
    }
}

void TFormUpgradeLoad::ButtonBreakClick() { close(); }

void TFormUpgradeLoad::FormClose() {
    if (FormUpgradeLoad == this) FormUpgradeLoad = nullptr;
}

void TFormUpgradeLoad::closeEvent(QCloseEvent* event) {
    // The transfer runs inside this window's method; it must outlive it.
    if (downloading_) {
        event->ignore();
        return;
    }
    FormClose();
    QDialog::closeEvent(event);
}

void TFormUpgradeLoad::done(int result) {
    // Escape ends up here without a close event.
    if (downloading_) return;
    FormClose();
    QDialog::done(result);
}
